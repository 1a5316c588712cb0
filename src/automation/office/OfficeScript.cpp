#include "automation/office/OfficeScript.h"

#include "automation/office/OfficeSession.h"

#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>
#include <com/sun/star/script/provider/XScriptProvider.hpp>
#include <com/sun/star/script/provider/XScriptProviderFactory.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <QtDebug>

using namespace css;
using rtl::OUString;

namespace Office {
namespace {

const OUString kLibrary("TaviskoOffice");
const OUString kModule("Walks");

// The module's text. A sub takes what its walk needs at once, so that the
// walk itself makes no round trip to this program. The subs call no sub of
// their own: a Basic call made from outside the office's main thread waits
// for that thread each time.
const OUString kSource = OUString::createFromAscii(
    "Option Explicit\n"
    "\n"
    "' Sets the same character properties on ranges in order: aMoves holds, for each, the\n"
    "' steps from the cursor's end to its start and the steps over it.\n"
    "Sub SetRanges(oCursor As Object, aMoves As Variant, aNames As Variant, aValues As Variant)\n"
    "    Dim i As Long, nSteps As Long, nPart As Long, bExpand As Boolean\n"
    "    For i = 0 To UBound(aMoves)\n"
    "        bExpand = (i Mod 2 = 1)\n"
    "        nSteps = aMoves(i)\n"
    "        If nSteps = 0 And Not bExpand Then oCursor.collapseToEnd()\n"
    "        Do While nSteps > 0\n"
    "            nPart = nSteps\n"
    "            If nPart > 32767 Then nPart = 32767\n"
    "            oCursor.goRight(nPart, bExpand)\n"
    "            nSteps = nSteps - nPart\n"
    "        Loop\n"
    "        If bExpand Then oCursor.setPropertyValues(aNames, aValues)\n"
    "    Next i\n"
    "End Sub\n");

// Puts the module in the office's application library, unless it is there as it is here.
void Install(const uno::Reference<uno::XComponentContext>& context)
{
    const uno::Reference<script::XLibraryContainer> libraries(
        context->getServiceManager()->createInstanceWithContext(
            OUString("com.sun.star.script.ApplicationScriptLibraryContainer"), context),
        uno::UNO_QUERY_THROW);
    if (!libraries->hasByName(kLibrary))
        libraries->createLibrary(kLibrary);
    libraries->loadLibrary(kLibrary);
    const uno::Reference<container::XNameContainer> library(libraries->getByName(kLibrary), uno::UNO_QUERY_THROW);
    if (!library->hasByName(kModule)) {
        library->insertByName(kModule, uno::Any(kSource));
        return;
    }
    OUString installed;
    library->getByName(kModule) >>= installed;
    if (installed != kSource)
        library->replaceByName(kModule, uno::Any(kSource));
}

} // namespace

OfficeScript::OfficeScript(uno::Reference<uno::XInterface> provider)
    : m_provider(std::move(provider))
{
}

std::shared_ptr<OfficeScript> OfficeScript::In(OfficeSession* session)
{
    try {
        const uno::Reference<uno::XComponentContext> context = session->Context("OfficeScript");
        Install(context);
        const uno::Reference<script::provider::XScriptProviderFactory> factory(
            context->getValueByName(OUString("/singletons/com.sun.star.script.provider.theMasterScriptProviderFactory")),
            uno::UNO_QUERY_THROW);
        std::shared_ptr<OfficeScript> script(new OfficeScript(factory->createScriptProvider(uno::Any(OUString()))));
        // An office that refuses macros says so on the first call, not when the script is found.
        script->Run(SetRanges, {uno::Any(uno::Reference<uno::XInterface>()), uno::Any(uno::Sequence<sal_Int32>()),
                                uno::Any(uno::Sequence<OUString>()), uno::Any(uno::Sequence<uno::Any>())});
        return script;
    } catch (const uno::Exception& error) {
        qWarning("The office cannot run the program's routines, each step goes to it on its own: %s",
                 OUStringToOString(error.Message, RTL_TEXTENCODING_UTF8).getStr());
    } catch (const std::exception& error) {
        qWarning("The office cannot run the program's routines: %s", error.what());
    }
    return nullptr;
}

void OfficeScript::Run(const char* name, const std::vector<uno::Any>& arguments)
{
    uno::Reference<script::provider::XScript>& script = m_scripts[name];
    if (!script.is())
        script = uno::Reference<script::provider::XScriptProvider>(m_provider, uno::UNO_QUERY_THROW)
                     ->getScript("vnd.sun.star.script:" + kLibrary + "." + kModule + "." + OUString::createFromAscii(name) +
                                 "?language=Basic&location=application");
    uno::Sequence<sal_Int16> outIndex;
    uno::Sequence<uno::Any> out;
    script->invoke(uno::Sequence<uno::Any>(arguments.data(), static_cast<sal_Int32>(arguments.size())), outIndex, out);
}

} // namespace Office
