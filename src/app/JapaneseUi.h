#pragma once

class QApplication;

// The program speaks Japanese on any desktop: Qt's own texts ("キャンセル",
// the text fields' context menu) come from Qt's Japanese translation
// (qt6-translations-l10n), and the widgets use one Japanese face (Noto Sans
// CJK JP) so that digits, kana and kanji are drawn alike and rows are as
// high as the kanji in them.
class JapaneseUi {
public:
    // The face the widgets use when it is installed.
    static const char* const FaceName;

    // Loads Qt's Japanese translation and sets the widgets' face. Each part
    // that is missing (no translation file, no such face) is left out;
    // false when the translation could not be loaded.
    static bool Apply(QApplication& application);
};
