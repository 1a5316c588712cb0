#pragma once
// Writes prints into Microsoft Word's object model ("Word.Application"):
// a hidden, minimised instance makes a new document from the template,
// the commands are typed at the end of it with the template's content as
// the header block of every print, and the finished document is handed to
// the user with the application shown again.
#include "print/Creator.h"

#include <memory>
#include <optional>

namespace Word {
class Find;
class _Application;
class _Document;
class Selection;
class Range;
} // namespace Word

namespace Print {

class CreatorWord : public Creator {
public:
    CreatorWord();
    ~CreatorWord() override;

    bool CanCreate() const override;
    // Probes once per process by starting the application and quitting it.
    bool IsAvailable() override;
    // The next IsAvailable probes again (after the word processor has been
    // installed or registered).
    static void ForgetAvailability();

protected:
    void Finish() override;
    bool Open(const QString& templatePath) override;
    bool WriteCommand(const Cmd& command) override;
    void Abort() override;
    bool SetTitle(const QString& title) override;
    bool SetRange(const QString& rangeText) override;
    bool ClearMark(const QString& mark) override;
    bool Complete() override;
    bool IsVertical() override;
    void MakeDigitsUpright() override;
    bool Holds(const QString& text) override;
    bool SaveAs(const QString& path, const QString& format) override;

private:
    void SetParagraphStyle(const QString& style);
    void TypeWithUnderline(const QString& text);
    void TypeAsSubscript(const QString& text);
    void TypeExternalChar(const QString& character);
    void PasteHeader(const QString& className);
    bool HeaderIsEmpty();
    // The insertion point at the end of the document, where writing goes on.
    void SelectEnd();
    void ReplaceAll(const QString& placeholder, const QString& text);
    // Selection.Find with the options of a placeholder search, from the
    // document start (through the whole document) or within the selection;
    // no replacement text is set without one.
    enum class FindScope { Document, Selection };
    std::shared_ptr<Word::Find> PrepareFind(
        const QString& text, const std::optional<QString>& replacement, FindScope scope = FindScope::Document);
    void SetUpright(int start, int end);
    void ReleaseAll();

    std::shared_ptr<Word::_Application> m_application;
    std::shared_ptr<Word::_Document> m_document;
    std::shared_ptr<Word::Selection> m_selection; // the insertion point
    // The template's content: the whole document but its final paragraph mark.
    std::shared_ptr<Word::Range> m_header;
};

} // namespace Print
