#pragma once

#include "automation/WordRange.h"
#include "automation/office/TextSpan.h"

#include <memory>

namespace Office {

class WriterDocument;

// Word's Range over a Writer document: a tracked span of its main text.
class WriterRange : public Word::Range {
public:
    WriterRange(std::shared_ptr<WriterDocument> document, std::shared_ptr<TextSpan> span);

    int GetStart() override;
    void PutStart(int start) override;
    int GetEnd() override;
    void PutEnd(int end) override;
    QString GetText() override;
    void Select() override;
    void Copy() override;
    int Delete(const Automation::Variant& unit, const Automation::Variant& count) override;
    // Horizontal-in-vertical is Writer's character rotation by 90 degrees,
    // which sets a run upright and across the line in vertical text; with
    // wdHorizontalInVerticalFitInLine the run is squeezed into the line's
    // width, with wdHorizontalInVerticalResizeLine the line widens instead.
    int GetHorizontalInVertical() override;
    void PutHorizontalInVertical(int type) override;

private:
    std::shared_ptr<WriterDocument> m_document;
    std::shared_ptr<TextSpan> m_span;
};

} // namespace Office
