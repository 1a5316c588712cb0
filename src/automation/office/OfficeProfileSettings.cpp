#include "automation/office/OfficeProfileSettings.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XNameReplace.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>

#include <initializer_list>
#include <utility>

using namespace css;
using rtl::OUString;

namespace Office {
namespace {

// A writer's link update mode that never updates (Tools > Options > Writer
// > General, "Update links when loading": Never).
constexpr sal_Int32 WriterLinksNeverUpdated = 0;
// A sheet's link update mode that never updates.
constexpr sal_Int32 CalcLinksNeverUpdated = 1;
// The office's own manual proxy settings, not the system's.
constexpr sal_Int32 ManualProxy = 2;

using Setting = std::pair<const char*, uno::Any>;

// Replaces the values `settings` in the configuration group `path` and commits them.
void Write(const uno::Reference<lang::XMultiServiceFactory>& provider, const char* path,
    std::initializer_list<Setting> settings)
{
    uno::Sequence<uno::Any> args(1);
    args[0] <<= beans::NamedValue(OUString("nodepath"), uno::Any(OUString::createFromAscii(path)));
    const uno::Reference<container::XNameReplace> group(
        provider->createInstanceWithArguments(OUString("com.sun.star.configuration.ConfigurationUpdateAccess"), args),
        uno::UNO_QUERY_THROW);
    for (const Setting& setting : settings)
        group->replaceByName(OUString::createFromAscii(setting.first), setting.second);
    uno::Reference<util::XChangesBatch>(group, uno::UNO_QUERY_THROW)->commitChanges();
}

} // namespace

void OfficeProfileSettings::Apply(const uno::Reference<uno::XComponentContext>& context)
{
    const uno::Reference<lang::XMultiServiceFactory> provider = configuration::theDefaultProvider::get(context);
    // Links of a document opened from a file are not followed; a document
    // made from a template has no name, so the proxy below covers it.
    Write(
        provider, "/org.openoffice.Office.Common/Security/Scripting", {{"BlockUntrustedRefererLinks", uno::Any(true)}});
    Write(provider, "/org.openoffice.Office.Writer/Content/Update", {{"Link", uno::Any(WriterLinksNeverUpdated)}});
    Write(provider, "/org.openoffice.Office.Calc/Content/Update", {{"Link", uno::Any(CalcLinksNeverUpdated)}});
    const uno::Any host(OUString::createFromAscii(DeadProxyHost));
    const uno::Any port(static_cast<sal_Int32>(DeadProxyPort));
    Write(provider, "/org.openoffice.Inet/Settings",
        {{"ooInetProxyType", uno::Any(ManualProxy)}, {"ooInetNoProxy", uno::Any(OUString())},
            {"ooInetHTTPProxyName", host}, {"ooInetHTTPProxyPort", port}, {"ooInetHTTPSProxyName", host},
            {"ooInetHTTPSProxyPort", port}, {"ooInetFTPProxyName", host}, {"ooInetFTPProxyPort", port}});
}

} // namespace Office
