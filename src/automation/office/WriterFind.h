#pragma once

#include "automation/WordFind.h"

#include <memory>

namespace Office {

class TextMatcher;
class WriterDocument;

// Word's Selection.Find over a Writer document: plain-text search from the
// selection with Word's options, and replacing one or all matches. A
// search through the whole document (wrapping) reaches every text of it:
// tables, frames, page headers and footers, text boxes.
// MatchAllWordForms and MatchSoundsLike (English word forms) have no
// effect; wildcard searches are refused with NotImplemented.
class WriterFind : public Word::Find {
public:
    explicit WriterFind(std::shared_ptr<WriterDocument> document);

    void ClearFormatting() override;
    QString GetText() override;
    void PutText(const QString& text) override;
    bool GetForward() override;
    void PutForward(bool forward) override;
    int GetWrap() override;
    void PutWrap(int wrap) override;
    bool GetMatchCase() override;
    void PutMatchCase(bool match) override;
    bool GetMatchByte() override;
    void PutMatchByte(bool match) override;
    bool GetMatchAllWordForms() override;
    void PutMatchAllWordForms(bool match) override;
    bool GetMatchSoundsLike() override;
    void PutMatchSoundsLike(bool match) override;
    bool GetMatchWildcards() override;
    void PutMatchWildcards(bool match) override;
    std::shared_ptr<Word::Replacement> GetReplacement() override;

    bool Execute(const Automation::Variant& findText, const Automation::Variant& matchCase,
        const Automation::Variant& matchWholeWord, const Automation::Variant& matchWildcards,
        const Automation::Variant& matchSoundsLike, const Automation::Variant& matchAllWordForms,
        const Automation::Variant& forward, const Automation::Variant& wrap, const Automation::Variant& format,
        const Automation::Variant& replaceWith, const Automation::Variant& replace) override;

private:
    void ReplaceAt(int position, int length, const QString& replacement);

    std::shared_ptr<WriterDocument> m_document;
};

} // namespace Office
