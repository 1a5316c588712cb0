#pragma once

#include <com/sun/star/script/provider/XScript.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Sequence.hxx>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Office {

class OfficeSession;

// Routines that run inside the office itself, as a Basic module of the
// office's own (application) library. A walk through a thousand ranges
// costs one call to the office instead of thousands of round trips, each
// of which waits for the other process twice.
//
// The module is put in place the first time it is asked for in an office
// (and replaced when its text here has changed). The office's profile is
// the program's own, so nothing of the teacher's is touched; and routines
// of the office's own library run whatever the macro security setting for
// documents is.
class OfficeScript {
public:
    // The routines in the office that `session` reaches now; nullptr when
    // that office cannot run them (Basic missing or switched off): callers
    // then take the steps one call at a time.
    static std::shared_ptr<OfficeScript> In(OfficeSession* session);

    // Runs the sub `name` of the module with `arguments` (raises UNO
    // exceptions as the office does).
    void Run(const char* name, const std::vector<css::uno::Any>& arguments);

    // The moves of a cursor through ranges apart from each other and in
    // order, as SetRanges takes them: for each range, the steps from the
    // end of the one before (or from the cursor's place) to its start, then
    // the steps over it.
    static constexpr const char* SetRanges = "SetRanges";

private:
    explicit OfficeScript(css::uno::Reference<css::uno::XInterface> provider);

    css::uno::Reference<css::uno::XInterface> m_provider;
    std::map<std::string, css::uno::Reference<css::script::provider::XScript>> m_scripts;
};

} // namespace Office
