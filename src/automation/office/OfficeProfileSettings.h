#pragma once

#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

namespace Office {

// The settings the program's own office profile runs with. Templates and
// sheets come from anywhere, so nothing a document holds may reach the
// network: links to other files are never updated, a document opened by
// name loads nothing its links point to, and every internet address the
// office would fetch goes to a proxy that does not exist. A linked image
// then prints as the copy the document keeps, or as an empty frame.
class OfficeProfileSettings {
public:
    // Writes the settings into the profile of the office behind `context`.
    // They take effect at once and stay in the profile for later starts.
    static void Apply(const css::uno::Reference<css::uno::XComponentContext>& context);

    // The loopback address and port, where nothing answers, that the
    // office's fetches are sent to.
    static constexpr const char* DeadProxyHost = "127.0.0.1";
    static constexpr int DeadProxyPort = 9;
};

} // namespace Office
