#pragma once

#include "automation/WordReplacement.h"

#include <memory>

namespace Office {

class WriterDocument;

// Word's Find.Replacement over a Writer document. The replacement text is
// taken literally (Word's "^" codes have no meaning here).
class WriterReplacement : public Word::Replacement {
public:
    explicit WriterReplacement(std::shared_ptr<WriterDocument> document);

    void ClearFormatting() override;
    QString GetText() override;
    void PutText(const QString& text) override;

private:
    std::shared_ptr<WriterDocument> m_document;
};

} // namespace Office
