#pragma once

#include "automation/WordParagraphFormat.h"

#include <memory>

namespace Office {

class WriterDocument;

// Word's Selection.ParagraphFormat over a Writer document: the paragraph
// style of the selection's paragraphs, by the style's name.
class WriterParagraphFormat : public Word::_ParagraphFormat {
public:
    explicit WriterParagraphFormat(std::shared_ptr<WriterDocument> document);

    Automation::Variant GetStyle() override;
    void PutStyle(const Automation::Variant& style) override;

private:
    std::shared_ptr<WriterDocument> m_document;
};

} // namespace Office
