#include "automation/office/OfficeScript.h"

#include "automation/office/OfficeSession.h"

#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>
#include <com/sun/star/script/provider/XScriptProvider.hpp>
#include <com/sun/star/script/provider/XScriptProviderFactory.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
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
    "' Each routine gives back an empty text, or what went wrong: an error left to Basic\n"
    "' itself would stop the office at a message box.\n"
    "\n"
    "' Sets the same character properties on ranges in order: aMoves holds, for each, the\n"
    "' steps from the cursor's end to its start and the steps over it. The values come\n"
    "' with the names of their types, which Basic's own values do not keep.\n"
    "Function SetRanges(oCursor As Object, aMoves As Variant, aNames As Variant, aTypes As Variant, aValues As "
    "Variant) As String\n"
    "    On Error GoTo Failed\n"
    "    Dim i As Long, nSteps As Long, nPart As Long, bExpand As Boolean\n"
    "    If UBound(aMoves) < 0 Or UBound(aValues) < 0 Then Exit Function\n"
    "    Dim aTyped(UBound(aValues)) As Variant\n"
    "    For i = 0 To UBound(aValues)\n"
    "        aTyped(i) = CreateUnoValue(aTypes(i), aValues(i))\n"
    "    Next i\n"
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
    "        If bExpand Then oCursor.setPropertyValues(aNames, aTyped)\n"
    "    Next i\n"
    "    SetRanges = \"\"\n"
    "    Exit Function\n"
    "Failed:\n"
    "    SetRanges = \"SetRanges: error \" & Err & \" in line \" & Erl & \": \" & Error$\n"
    "End Function\n"
    "\n"
    "' Inserts parts of text at the cursor, in order: one with a paragraph style as a portion\n"
    "' of that style (an empty one only sets the style), one without as plain text.\n"
    "Function InsertParts(oText As Object, oCursor As Object, aTexts As Variant, aStyles As Variant) As String\n"
    "    On Error GoTo Failed\n"
    "    Dim i As Long\n"
    "    Dim aStyle(0) As New com.sun.star.beans.PropertyValue\n"
    "    aStyle(0).Name = \"ParaStyleName\"\n"
    "    For i = 0 To UBound(aTexts)\n"
    "        If aStyles(i) = \"\" Then\n"
    "            oText.insertString(oCursor, aTexts(i), False)\n"
    "        ElseIf aTexts(i) = \"\" Then\n"
    "            oCursor.setPropertyValue(\"ParaStyleName\", aStyles(i))\n"
    "        Else\n"
    "            aStyle(0).Value = aStyles(i)\n"
    "            oText.insertTextPortion(aTexts(i), aStyle(), oCursor)\n"
    "        End If\n"
    "    Next i\n"
    "    InsertParts = \"\"\n"
    "    Exit Function\n"
    "Failed:\n"
    "    InsertParts = \"InsertParts: error \" & Err & \" in line \" & Erl & \": \" & Error$\n"
    "End Function\n");

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
            context->getValueByName(
                OUString("/singletons/com.sun.star.script.provider.theMasterScriptProviderFactory")),
            uno::UNO_QUERY_THROW);
        std::shared_ptr<OfficeScript> script(new OfficeScript(factory->createScriptProvider(uno::Any(OUString()))));
        // An office that refuses macros says so on the first call, not when the script is found.
        script->SetRanges(nullptr, {}, {}, {});
        return script;
    } catch (const uno::Exception& error) {
        qWarning("The office cannot run the program's routines, each step goes to it on its own: %s",
            OUStringToOString(error.Message, RTL_TEXTENCODING_UTF8).getStr());
    } catch (const std::exception& error) {
        qWarning("The office cannot run the program's routines: %s", error.what());
    }
    return nullptr;
}

void OfficeScript::SetRanges(const uno::Reference<text::XTextCursor>& cursor, const std::vector<sal_Int32>& moves,
    const uno::Sequence<OUString>& names, const uno::Sequence<uno::Any>& values)
{
    uno::Sequence<OUString> types(values.getLength());
    for (sal_Int32 i = 0; i < values.getLength(); ++i)
        types[i] = values[i].getValueTypeName();
    Run("SetRanges",
        {uno::Any(uno::Reference<uno::XInterface>(cursor, uno::UNO_QUERY)),
            uno::Any(uno::Sequence<sal_Int32>(moves.data(), static_cast<sal_Int32>(moves.size()))), uno::Any(names),
            uno::Any(types), uno::Any(values)});
}

void OfficeScript::InsertParts(const uno::Reference<text::XText>& text, const uno::Reference<text::XTextCursor>& cursor,
    const std::vector<Part>& parts)
{
    uno::Sequence<OUString> texts(static_cast<sal_Int32>(parts.size()));
    uno::Sequence<OUString> styles(static_cast<sal_Int32>(parts.size()));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        texts[static_cast<sal_Int32>(i)] = parts[i].text;
        styles[static_cast<sal_Int32>(i)] = parts[i].style;
    }
    Run("InsertParts",
        {uno::Any(uno::Reference<uno::XInterface>(text, uno::UNO_QUERY)),
            uno::Any(uno::Reference<uno::XInterface>(cursor, uno::UNO_QUERY)), uno::Any(texts), uno::Any(styles)});
}

void OfficeScript::Run(const char* name, const std::vector<uno::Any>& arguments)
{
    uno::Reference<script::provider::XScript>& script = m_scripts[name];
    if (!script.is())
        script = uno::Reference<script::provider::XScriptProvider>(m_provider, uno::UNO_QUERY_THROW)
                     ->getScript("vnd.sun.star.script:" + kLibrary + "." + kModule + "."
                         + OUString::createFromAscii(name) + "?language=Basic&location=application");
    uno::Sequence<sal_Int16> outIndex;
    uno::Sequence<uno::Any> out;
    OUString failure;
    if ((script->invoke(
             uno::Sequence<uno::Any>(arguments.data(), static_cast<sal_Int32>(arguments.size())), outIndex, out)
            >>= failure)
        && !failure.isEmpty())
        throw uno::RuntimeException(failure);
}

} // namespace Office
