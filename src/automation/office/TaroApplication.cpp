#include "automation/office/TaroApplication.h"

#include "automation/AutomationError.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/TaroCall.h"
#include "automation/office/TaroDocument.h"
#include "automation/office/TaroLibrary.h"
#include "automation/office/WriterApplication.h"
#include "automation/office/WriterDocument.h"

using Automation::AutomationError;
using Automation::Variant;

namespace Office {

std::shared_ptr<TaroApplication> TaroApplication::Create(std::shared_ptr<OfficeSession> session)
{
    session->Desktop(Iid); // starts the office, or raises ServerExecFailure
    return std::make_shared<TaroApplication>(std::move(session));
}

TaroApplication::TaroApplication(std::shared_ptr<OfficeSession> session)
    : m_session(session)
    , m_writer(std::make_shared<WriterApplication>(std::move(session)))
{
    AddProperty(QStringLiteral("TaroLibrary"), [this](Arguments&) {
        EnsureRunning();
        if (!m_library)
            m_library = std::make_shared<TaroLibrary>(weak_from_this());
        return Variant(std::static_pointer_cast<Automation::Object>(m_library));
    });
    AddProperty(QStringLiteral("ActiveDocument"), [this](Arguments&) {
        EnsureRunning();
        const auto document = ActiveDocument();
        return document ? Variant(std::static_pointer_cast<Automation::Object>(document)) : Variant();
    });
    AddProperty(
        QStringLiteral("Visible"),
        [this](Arguments&) { return Variant(TaroCall(Session(), [this] { return m_writer->GetVisible(); })); },
        [this](Arguments& args) { SetVisible(args.back().ToBool()); });
    AddProperty(
        QStringLiteral("WindowState"),
        [this](Arguments&) { return Variant(TaroCall(Session(), [this] { return m_writer->GetWindowState(); })); },
        [this](Arguments& args) { SetWindowState(args.back().ToInt()); });
    AddMethod(QStringLiteral("Quit"), [this](Arguments&) {
        Quit();
        return Variant();
    });
}

void TaroApplication::EnsureRunning() const
{
    if (m_quit)
        throw AutomationError(
            AutomationError::Disconnected, QString::fromLatin1(Iid), QStringLiteral("the application has quit"));
}

std::shared_ptr<TaroDocument> TaroApplication::OpenDocument(const QString& templatePath)
{
    EnsureRunning();
    return TaroCall(Session(), [&] {
        auto document = std::make_shared<TaroDocument>(m_writer->AddDocument(templatePath), weak_from_this());
        m_documents.push_back(document);
        return document;
    });
}

std::shared_ptr<TaroDocument> TaroApplication::ActiveDocument()
{
    std::erase_if(m_documents, [](const std::shared_ptr<TaroDocument>& d) { return d->IsClosed(); });
    return m_documents.empty() ? nullptr : m_documents.back();
}

TaroDocument& TaroApplication::RequireDocument()
{
    EnsureRunning();
    const auto document = ActiveDocument();
    if (!document)
        throw AutomationError(AutomationError::Fail, QString::fromLatin1(Iid), QStringLiteral("no document is open"));
    return *document;
}

void TaroApplication::Quit()
{
    EnsureRunning();
    SetCopy(nullptr, nullptr);
    TaroCall(Session(), [this] { m_writer->Quit(Variant::Missing(), Variant::Missing(), Variant::Missing()); });
    m_documents.clear();
    m_quit = true;
}

void TaroApplication::FlushEditing()
{
    for (const std::shared_ptr<TaroDocument>& document : m_documents)
        if (!document->IsClosed())
            document->FlushEditing();
}

void TaroApplication::SetVisible(bool visible)
{
    EnsureRunning();
    FlushEditing();
    TaroCall(Session(), [&] { m_writer->PutVisible(visible); });
}

void TaroApplication::SetWindowState(int state)
{
    EnsureRunning();
    FlushEditing();
    TaroCall(Session(), [&] { m_writer->PutWindowState(state); });
}

void TaroApplication::SetCopy(
    const css::uno::Reference<css::datatransfer::XTransferable>& content, const TaroDocument* source)
{
    m_copy = content;
    m_copySource = content.is() ? source : nullptr;
}

void TaroApplication::ForgetCopyOf(const TaroDocument* source)
{
    if (m_copySource == source)
        SetCopy(nullptr, nullptr);
}

} // namespace Office
