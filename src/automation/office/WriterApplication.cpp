#include "automation/office/WriterApplication.h"
#include "automation/office/UnoProperty.h"

#include "automation/WordConstants.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/UnoCall.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterDocument.h"
#include "automation/office/WriterDocuments.h"
#include "automation/office/WriterSelection.h"

#include <QFileInfo>
#include <QUrl>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/util/XCloseable.hpp>

using namespace css;
using Automation::AutomationError;

namespace Office {
namespace {

// The URL to load for Documents.Add(Template): a file path or a file URL;
// empty for a blank document.
QString TemplateUrl(const Automation::Variant& templatePath)
{
    const QString path = templatePath.IsNull() ? QString() : templatePath.ToString();
    if (path.isEmpty())
        return {};
    if (path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return path;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        throw AutomationError(AutomationError::Fail, QString::fromLatin1(Word::Documents::Iid),
            QStringLiteral("the template %1 does not exist or may not be read").arg(path))
            .WithFault(AutomationError::DocumentFault::Unreadable, path);
    return QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded);
}

} // namespace

std::shared_ptr<WriterApplication> WriterApplication::Create(std::shared_ptr<OfficeSession> session)
{
    session->Desktop(Iid); // starts the office, or raises ServerExecFailure
    return std::make_shared<WriterApplication>(std::move(session));
}

WriterApplication::WriterApplication(std::shared_ptr<OfficeSession> session)
    : m_session(std::move(session))
{
}

void WriterApplication::EnsureRunning(const char* iid) const
{
    if (m_quit)
        throw AutomationError(
            AutomationError::Disconnected, QString::fromLatin1(iid), QStringLiteral("the application has quit"));
}

std::vector<std::shared_ptr<WriterDocument>> WriterApplication::OpenDocuments()
{
    std::erase_if(m_documents, [](const std::shared_ptr<WriterDocument>& d) { return d->IsClosed(); });
    return m_documents;
}

void WriterApplication::Quit(
    const Automation::Variant& saveChanges, const Automation::Variant&, const Automation::Variant&)
{
    EnsureRunning(Iid);
    CloseDocuments(saveChanges);
    m_quit = true;
    if (!m_session->HasOpenDocuments())
        m_session->Terminate();
}

bool WriterApplication::GetVisible()
{
    EnsureRunning(Iid);
    return m_visible;
}

void WriterApplication::PutVisible(bool visible)
{
    EnsureRunning(Iid);
    m_visible = visible;
    UnoCall(m_session.get(), Iid, [&] {
        for (const auto& document : OpenDocuments()) {
            document->SetControllersLocked(!visible);
            document->ShowWindow(visible);
        }
    });
}

int WriterApplication::GetWindowState()
{
    EnsureRunning(Iid);
    return m_windowState;
}

void WriterApplication::PutWindowState(int state)
{
    EnsureRunning(Iid);
    if (state < Word::wdWindowStateNormal || state > Word::wdWindowStateMinimize)
        throw AutomationError(AutomationError::InvalidArgument, QString::fromLatin1(Iid),
            QStringLiteral("unknown window state %1").arg(state));
    m_windowState = state;
    UnoCall(m_session.get(), Iid, [&] {
        for (const auto& document : OpenDocuments())
            document->SetWindowState(state);
    });
}

int WriterApplication::GetDisplayAlerts()
{
    EnsureRunning(Iid);
    return m_displayAlerts;
}

void WriterApplication::PutDisplayAlerts(int level)
{
    EnsureRunning(Iid);
    m_displayAlerts = level;
}

std::shared_ptr<Word::Documents> WriterApplication::GetDocuments()
{
    EnsureRunning(Iid);
    return std::make_shared<WriterDocuments>(shared_from_this());
}

std::shared_ptr<Word::Selection> WriterApplication::GetSelection()
{
    EnsureRunning(Iid);
    const auto open = OpenDocuments();
    if (open.empty())
        throw AutomationError(AutomationError::Fail, QString::fromLatin1(Iid),
            QStringLiteral("no document is open, so there is no selection"));
    return std::make_shared<WriterSelection>(open.back());
}

std::shared_ptr<WriterDocument> WriterApplication::AddDocument(const Automation::Variant& templatePath)
{
    EnsureRunning(Word::Documents::Iid);
    const QString url = TemplateUrl(templatePath);
    const uno::Reference<frame::XDesktop2> desktop = m_session->Desktop(Word::Documents::Iid);
    auto document = UnoCall(m_session.get(), Word::Documents::Iid, [&] {
        uno::Sequence<beans::PropertyValue> args(4);
        args[0] = Property("Hidden", uno::Any(!m_visible));
        // A template's macros never run: templates come from anywhere.
        args[1] = Property("MacroExecutionMode", uno::Any(document::MacroExecMode::NEVER_EXECUTE));
        args[2] = Property("AsTemplate", uno::Any(!url.isEmpty()));
        // Nor are its links to other files updated as it opens.
        args[3] = Property("UpdateDocMode", uno::Any(document::UpdateDocMode::NO_UPDATE));
        const auto notText = [&templatePath] {
            return AutomationError(AutomationError::Fail, QString::fromLatin1(Word::Documents::Iid),
                QStringLiteral("%1 is not a text document template").arg(templatePath.ToString()))
                .WithFault(AutomationError::DocumentFault::NotATextDocument, templatePath.ToString());
        };
        uno::Reference<lang::XComponent> component;
        try {
            component = desktop->loadComponentFromURL(
                url.isEmpty() ? OUString("private:factory/swriter") : ToOUString(url), OUString("_blank"), 0, args);
        } catch (const io::IOException&) {
            throw notText(); // the office has no filter that reads it
        } catch (const lang::IllegalArgumentException&) {
            throw notText();
        }
        const uno::Reference<text::XTextDocument> text(component, uno::UNO_QUERY);
        if (!text.is()) {
            if (component.is())
                uno::Reference<util::XCloseable>(component, uno::UNO_QUERY_THROW)->close(true);
            throw notText();
        }
        std::shared_ptr<WriterDocument> made;
        try {
            made = std::make_shared<WriterDocument>(m_session, text);
        } catch (...) {
            // A document this object cannot write into is not left behind.
            uno::Reference<util::XCloseable>(component, uno::UNO_QUERY_THROW)->close(true);
            throw;
        }
        made->SetControllersLocked(!m_visible);
        made->SetWindowState(m_windowState);
        return made;
    });
    m_documents.push_back(document);
    return document;
}

void WriterApplication::CloseDocuments(const Automation::Variant& saveChanges)
{
    EnsureRunning(Word::Documents::Iid);
    const bool save = !saveChanges.IsNull() && saveChanges.ToInt() == Word::wdSaveChanges;
    UnoCall(m_session.get(), Word::Documents::Iid, [&] {
        const auto open = OpenDocuments();
        if (save) {
            for (const auto& document : open) {
                const uno::Reference<frame::XStorable> storable(document->Model(), uno::UNO_QUERY_THROW);
                if (!storable->hasLocation())
                    throw AutomationError(AutomationError::Fail, QString::fromLatin1(Word::Documents::Iid),
                        QStringLiteral("an untitled document cannot be saved without a name"));
            }
            for (const auto& document : open)
                uno::Reference<frame::XStorable>(document->Model(), uno::UNO_QUERY_THROW)->store();
        }
        for (const auto& document : open)
            document->Close();
    });
    OpenDocuments();
}

} // namespace Office
