#include "app/CHttpAsyncRequest.h"

#include "app/CHttpHandler.h"
#include "app/UpdateLog.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

// The user's proxy settings as the desktop gives them (environment on
// Linux), asked per request so that a change is seen without a restart.
class SystemProxyFactory : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override
    {
        return systemProxyForQuery(query);
    }
};

bool IsWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

int StatusCode(const QNetworkReply& reply, bool* known)
{
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    *known = status.isValid();
    return status.toInt();
}

bool IsRedirect(int status)
{
    return status >= 300 && status < 400;
}

} // namespace

CHttpAsyncRequest::CHttpAsyncRequest(CHttpHandler* handler, const HttpLimits& limits, QObject* parent)
    : QObject(parent), m_handler(handler), m_limits(limits), m_session(new QNetworkAccessManager(this))
{
    m_session->setProxyFactory(new SystemProxyFactory);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &CHttpAsyncRequest::OnTimeout);
}

CHttpAsyncRequest::~CHttpAsyncRequest()
{
    Close();
}

void CHttpAsyncRequest::Start(const QString& address)
{
    if (m_started || m_reported)
        return;
    m_started = true;
    if (address.isEmpty()) {
        Fail(QStringLiteral("URLが空"));
        return;
    }
    const QUrl url(address, QUrl::StrictMode);
    if (!IsWebAddress(url)) {
        Fail(QStringLiteral("URL解析に失敗"));
        return;
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("WinHttpAsyncTest"));
    m_reply = m_session->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &CHttpAsyncRequest::OnMetaDataChanged);
    connect(m_reply, &QNetworkReply::readyRead, this, &CHttpAsyncRequest::OnReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &CHttpAsyncRequest::OnFinished);
    m_deadline.start(m_limits.timeout);
    qCDebug(lcUpdateCheck) << "request sent:" << url.toString();
}

void CHttpAsyncRequest::OnMetaDataChanged()
{
    qCDebug(lcUpdateCheck) << "InternetStatus = HEADERS_AVAILABLE";
    bool known = false;
    const int status = StatusCode(*m_reply, &known);
    if (!known || IsRedirect(status))
        return;
    if (status != 200) {
        Fail(QStringLiteral("ステータスコードとしてOKが返ってこなかった (%1)").arg(status));
        return;
    }
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_limits.maxBodyBytes)
        Fail(QStringLiteral("応答本文が大きすぎる (%1 bytes)").arg(length.toLongLong()));
}

void CHttpAsyncRequest::OnReadyRead()
{
    qCDebug(lcUpdateCheck) << "InternetStatus = DATA_AVAILABLE";
    CollectBody();
}

// Appends what has arrived; fails the request when the body grows too long.
bool CHttpAsyncRequest::CollectBody()
{
    const qint64 room = m_limits.maxBodyBytes - m_body.size();
    const QByteArray chunk = m_reply->read(room + 1);
    if (chunk.size() > room) {
        Fail(QStringLiteral("応答本文が大きすぎる (%1 bytes を超えた)").arg(m_limits.maxBodyBytes));
        return false;
    }
    m_body += chunk;
    return true;
}

void CHttpAsyncRequest::OnFinished()
{
    if (m_reported)
        return;
    bool known = false;
    const int status = StatusCode(*m_reply, &known);
    if (known && status != 200) {
        Fail(QStringLiteral("ステータスコードとしてOKが返ってこなかった (%1)").arg(status));
        return;
    }
    if (m_reply->error() != QNetworkReply::NoError) {
        Fail(QStringLiteral("InternetStatus = REQUEST_ERROR: ") + m_reply->errorString());
        return;
    }
    if (!known) {
        Fail(QStringLiteral("ステータスコードがない"));
        return;
    }
    if (CollectBody())
        Complete();
}

void CHttpAsyncRequest::OnTimeout()
{
    Fail(QStringLiteral("応答を待つ時間が切れた (%1 ms)").arg(m_limits.timeout.count()));
}

void CHttpAsyncRequest::Complete()
{
    qCDebug(lcUpdateCheck) << "request complete," << m_body.size() << "bytes";
    Finish([this] {
        if (m_handler)
            m_handler->OnComplete(m_body);
    });
}

void CHttpAsyncRequest::Fail(const QString& message)
{
    qCDebug(lcUpdateCheck) << "request failed:" << message;
    Finish([this, message] {
        if (m_handler)
            m_handler->OnError(message);
    });
}

// Ends the transfer and makes the single report from a fresh turn of the
// event loop, never from inside a network signal, so that the handler may
// open a modal message box. Then the request deletes itself.
void CHttpAsyncRequest::Finish(std::function<void()> report)
{
    if (m_reported)
        return;
    m_reported = true;
    Close();
    QMetaObject::invokeMethod(
        this,
        [this, report = std::move(report)] {
            report();
            deleteLater();
        },
        Qt::QueuedConnection);
}

// Stops the deadline and the transfer; nothing of them reaches this object later.
void CHttpAsyncRequest::Close()
{
    m_deadline.stop();
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    // Aborting from inside one of the reply's own signals confuses it, so
    // the abort waits for the next turn of the event loop.
    QMetaObject::invokeMethod(
        reply,
        [reply] {
            if (reply->isRunning())
                reply->abort();
            reply->deleteLater();
        },
        Qt::QueuedConnection);
}
