#pragma once
// Keeps Ichitaro's key-assignment option ("JW型ｷｰ割付") off while a print
// run types into the document, and puts the teacher's own value back
// afterwards. An option that is already off is neither changed nor written.
#include "automation/Dispatch.h"

namespace Print {

class TaroOptionKeeper {
public:
    static const QString KeyAssignment;

    // Reads the option through `library`; when it is not 0, remembers it,
    // sets it to 0 and applies the option environment.
    void SwitchOff(Automation::DispatchPtr library);
    // Writes the remembered value back and applies it; nothing when no
    // value is held. The value is forgotten even when writing fails.
    void Restore();
    // Whether a value waits to be written back.
    bool IsHolding() const { return m_library && !m_saved.IsNull(); }
    // Forgets the library and the value without writing.
    void Release();

private:
    void Write(const Automation::DispatchPtr& environment, const Automation::Variant& value);

    Automation::DispatchPtr m_library;
    Automation::Variant m_saved; // empty: nothing to restore
};

} // namespace Print
