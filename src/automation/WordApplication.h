#pragma once

#include "automation/Variant.h"
#include "automation/WordDocuments.h"
#include "automation/WordSelection.h"

namespace Word {

// Word's Application object, the object that CreateObject("Word.Application")
// makes. Members: Quit(SaveChanges, OriginalFormat, RouteDocument), Visible,
// WindowState (WdWindowState), DisplayAlerts (WdAlertLevel), Documents,
// Selection.
class _Application : public Automation::Object {
public:
    static constexpr char Iid[] = "{00020970-0000-0000-C000-000000000046}";
    static constexpr char ProgId[] = "Word.Application";

    // Application.Quit: closes this application's documents (omitted
    // SaveChanges means wdDoNotSaveChanges, since no one can be asked) and
    // ends the word processor when nothing else is open in it.
    virtual void Quit(const Automation::Variant& saveChanges = Automation::Variant::Missing(),
        const Automation::Variant& originalFormat = Automation::Variant::Missing(),
        const Automation::Variant& routeDocument = Automation::Variant::Missing())
        = 0;

    virtual bool GetVisible() = 0;
    virtual void PutVisible(bool visible) = 0;
    virtual int GetWindowState() = 0;
    virtual void PutWindowState(int state) = 0;
    virtual int GetDisplayAlerts() = 0;
    virtual void PutDisplayAlerts(int level) = 0;

    virtual std::shared_ptr<Word::Documents> GetDocuments() = 0;
    // The selection of the active document (the one most recently added).
    virtual std::shared_ptr<Word::Selection> GetSelection() = 0;
};

} // namespace Word
