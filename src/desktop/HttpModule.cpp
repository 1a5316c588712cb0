#include "desktop/HttpModule.h"

#include "desktop/CHttpHandler.h"
#include "desktop/UpdateLog.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QPointer>

const QString HttpModule::FileName = QStringLiteral("tavisko-http.so");

HttpModule& HttpModule::Shared()
{
    static HttpModule module(QCoreApplication::applicationDirPath());
    return module;
}

HttpModule::HttpModule(const QString& folder)
    : m_folder(folder)
{
}

// Loaded once; the requests it makes live in the program's objects, so the
// module stays until the process ends.
HttpModule::GetEntry HttpModule::Load()
{
    if (m_tried)
        return m_get;
    m_tried = true;
    auto* library = new QLibrary(m_folder + u'/' + FileName);
    m_get = reinterpret_cast<GetEntry>(library->resolve("tv_http_get"));
    if (!m_get) {
        m_error = library->errorString();
        delete library;
    }
    return m_get;
}

void HttpModule::Get(CHttpHandler* handler, const HttpLimits& limits, QObject* parent, const QString& address)
{
    if (const GetEntry get = Load()) {
        get(handler, &limits, parent, &address);
        return;
    }
    const QString message = QStringLiteral("通信部品を読み込めない: ") + m_error;
    qCDebug(lcUpdateCheck) << message;
    QObject* context = parent ? parent : QCoreApplication::instance();
    QMetaObject::invokeMethod(
        context, [handler, message] { handler->OnError(message); }, Qt::QueuedConnection);
}
