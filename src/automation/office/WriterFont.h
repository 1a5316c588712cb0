#pragma once

#include "automation/WordFont.h"

#include <memory>

namespace Office {

class WriterDocument;

// Word's Selection.Font over a Writer document: the formatting that text
// typed next at the selection takes on.
class WriterFont : public Word::_Font {
public:
    explicit WriterFont(std::shared_ptr<WriterDocument> document);

    int GetUnderline() override;
    void PutUnderline(int underline) override;
    int GetSubscript() override;
    void PutSubscript(int subscript) override;
    QString GetName() override;
    void PutName(const QString& name) override;

private:
    std::shared_ptr<WriterDocument> m_document;
};

} // namespace Office
