#pragma once

#include "automation/WordDocuments.h"

#include <memory>

namespace Office {

class WriterApplication;

// Word's Documents collection of one WriterApplication.
class WriterDocuments : public Word::Documents {
public:
    explicit WriterDocuments(std::shared_ptr<WriterApplication> application);

    // Template: the path (or file URL) of a template; omitted gives a blank document.
    std::shared_ptr<Word::_Document> Add(const Automation::Variant& templatePath,
        const Automation::Variant& newTemplate, const Automation::Variant& documentType,
        const Automation::Variant& visible) override;
    void Close(const Automation::Variant& saveChanges, const Automation::Variant& originalFormat,
        const Automation::Variant& routeDocument) override;

private:
    std::shared_ptr<WriterApplication> m_application;
};

} // namespace Office
