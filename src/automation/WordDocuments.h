#pragma once

#include "automation/Variant.h"
#include "automation/WordDocument.h"

namespace Word {

// Word's Documents collection (Application.Documents). Members:
// Add(Template, NewTemplate, DocumentType, Visible): a new untitled
// document from the template file (a plain file path); Close(SaveChanges,
// OriginalFormat, RouteDocument): closes every document of the collection.
class Documents : public Automation::Object {
public:
    static constexpr char Iid[] = "{0002096C-0000-0000-C000-000000000046}";

    virtual std::shared_ptr<_Document> Add(const Automation::Variant& templatePath = Automation::Variant::Missing(),
        const Automation::Variant& newTemplate = Automation::Variant::Missing(),
        const Automation::Variant& documentType = Automation::Variant::Missing(),
        const Automation::Variant& visible = Automation::Variant::Missing())
        = 0;
    virtual void Close(const Automation::Variant& saveChanges = Automation::Variant::Missing(),
        const Automation::Variant& originalFormat = Automation::Variant::Missing(),
        const Automation::Variant& routeDocument = Automation::Variant::Missing())
        = 0;
};

} // namespace Word
