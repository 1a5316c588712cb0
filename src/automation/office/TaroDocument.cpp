#include "automation/office/TaroDocument.h"

#include "automation/office/DocumentExport.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/TaroCall.h"
#include "automation/office/WriterDocument.h"

namespace Office {

TaroDocument::TaroDocument(std::shared_ptr<WriterDocument> writer, std::weak_ptr<TaroApplication> application)
    : m_writer(std::move(writer))
    , m_application(std::move(application))
    , m_editor(*m_writer)
{
    AddMethod(QStringLiteral("Close"), [this](Arguments&) {
        Close();
        return Automation::Variant();
    });
    AddMethod(QStringLiteral("SaveAs"), [this](Arguments& args) {
        SaveAs(Arg(args, 0).ToString(), Arg(args, 1).ToString());
        return Automation::Variant();
    });
    AddMethod(QStringLiteral("SetCaption"), [this](Arguments& args) {
        CheckOpen();
        m_writer->SetCaption(Arg(args, 0).ToString());
        return Automation::Variant();
    });
}

const std::shared_ptr<WriterDocument>& TaroDocument::Writer()
{
    if (!IsClosed())
        FlushEditing();
    return m_writer;
}

void TaroDocument::CheckOpen() const
{
    m_writer->CheckOpen(Iid);
}

void TaroDocument::FlushEditing()
{
    m_writer->EnsureOpen(Iid);
    TaroCall(m_writer->Session(), [this] { m_editor.Flush(); });
}

void TaroDocument::SaveAs(const QString& path, const QString& format)
{
    FlushEditing();
    TaroCall(m_writer->Session(), [&] { ExportDocument(m_writer->Session(), Iid, m_writer->Model(), path, format); });
}

void TaroDocument::Close()
{
    m_writer->EnsureOpen(Iid);
    m_editor.Discard();
    // Writer cannot let go of a copy once its document is gone.
    if (const auto application = m_application.lock())
        application->ForgetCopyOf(this);
    TaroCall(m_writer->Session(), [this] { m_writer->Close(); });
}

bool TaroDocument::IsClosed() const
{
    return m_writer->IsClosed();
}

} // namespace Office
