#pragma once

#include <QString>

namespace Office {

// The settings of Word's Find and Replacement objects of one document:
// they persist between searches, as in Word.
struct FindSettings {
    QString text;
    QString replacementText;
    bool forward = true;
    int wrap = 0; // WdFindWrap
    bool matchCase = false;
    bool matchByte = false;
    bool matchWholeWord = false;
    bool matchAllWordForms = false;
    bool matchSoundsLike = false;
    bool matchWildcards = false;
};

} // namespace Office
