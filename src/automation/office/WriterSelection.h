#pragma once

#include "automation/WordSelection.h"

#include <sal/types.h>

#include <memory>

namespace Office {

class WriterDocument;

// Word's Selection over a Writer document: typing, breaks and pasting at
// the document's insertion point.
class WriterSelection : public Word::Selection {
public:
    explicit WriterSelection(std::shared_ptr<WriterDocument> document);

    void TypeText(const QString& text) override;
    void TypeParagraph() override;
    void InsertBreak(const Automation::Variant& type) override;
    void Paste() override;
    // wdStory moves to the start of the document; wdLine to the start of
    // the paragraph (line ends are a matter of layout).
    int HomeKey(const Automation::Variant& unit, const Automation::Variant& extend) override;
    // From the writing mode of the selection's page style: top-to-bottom
    // right-to-left is wdTextOrientationVerticalFarEast, top-to-bottom
    // left-to-right wdTextOrientationVertical.
    int GetOrientation() override;

    std::shared_ptr<Word::_Font> GetFont() override;
    std::shared_ptr<Word::_ParagraphFormat> GetParagraphFormat() override;
    std::shared_ptr<Word::Find> GetFind() override;

private:
    void DeleteSelectedText();
    void InsertRun(const QString& run);
    void InsertControl(QChar mark);
    void InsertPageBreak();

    std::shared_ptr<WriterDocument> m_document;
};

} // namespace Office
