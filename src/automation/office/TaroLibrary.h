#pragma once

#include "automation/NamedDispatch.h"

#include <memory>

namespace Office {

class TaroApplication;
class TaroEditor;

// Ichitaro's library object ("TaroLibrary"): the editing calls on the
// active document and the application's settings. A row is a paragraph.
//
// Option values ("GetOptionEnvironment", "OptionEnvironment") belong to
// the user, not to one application object: they are kept for the whole
// process, as Ichitaro keeps them in the user's profile.
class TaroLibrary : public Automation::NamedDispatch {
public:
    explicit TaroLibrary(std::weak_ptr<TaroApplication> application);

    // The option values every application object starts from; tests may
    // set them. "JW型ｷｰ割付" is the only option.
    static Automation::Variant Option(const QString& name);
    static void SetOption(const QString& name, const Automation::Variant& value);

private:
    void AddEditing();
    void AddSelection();
    void AddFormatting();
    void AddSearching();
    void AddSettings();
    // Adds a method that works on the active document's editor.
    void AddEdit(const QString& name, std::function<Automation::Variant(TaroEditor&, Arguments&)> edit);

    TaroApplication& Application() const;

    std::weak_ptr<TaroApplication> m_application;
};

} // namespace Office
