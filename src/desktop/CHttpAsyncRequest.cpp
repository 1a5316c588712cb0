#include "desktop/CHttpAsyncRequest.h"

#include "desktop/CHttpHandler.h"
#include "desktop/UpdateLog.h"
#include "desktop/http/HttpExchange.h"

namespace {

const QString kUserAgent = QStringLiteral("WinHttpAsyncTest");

bool IsWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

bool IsRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

CHttpAsyncRequest::CHttpAsyncRequest(CHttpHandler* handler, const HttpLimits& limits, QObject* parent)
    : QObject(parent)
    , m_handler(handler)
    , m_limits(limits)
{
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
    m_deadline.start(m_limits.timeout);
    Ask(url);
}

void CHttpAsyncRequest::Ask(const QUrl& url)
{
    m_exchange = new HttpExchange(url, HttpExchange::SystemProxyFor(url), kUserAgent, m_limits, this);
    connect(m_exchange, &HttpExchange::HeadReceived, this, &CHttpAsyncRequest::OnHeadReceived);
    connect(m_exchange, &HttpExchange::Finished, this, &CHttpAsyncRequest::OnFinished);
    m_exchange->Start();
    qCDebug(lcUpdateCheck) << "request sent:" << url.toString();
}

// A redirect is followed and any other status but 200 fails, without
// waiting for the body.
void CHttpAsyncRequest::OnHeadReceived()
{
    qCDebug(lcUpdateCheck) << "InternetStatus = HEADERS_AVAILABLE";
    const HttpResponseReader& response = m_exchange->Response();
    const int status = response.Status();
    const QByteArray location = response.Header("Location");
    if (IsRedirect(status) && !location.isEmpty())
        FollowRedirect(location);
    else if (status != 200)
        Fail(QStringLiteral("ステータスコードとしてOKが返ってこなかった (%1)").arg(status));
}

void CHttpAsyncRequest::FollowRedirect(const QByteArray& location)
{
    qCDebug(lcUpdateCheck) << "InternetStatus = REDIRECT";
    const QUrl from = m_exchange->Url();
    const QUrl to = from.resolved(QUrl::fromEncoded(location, QUrl::StrictMode));
    if (++m_redirects > m_limits.maxRedirects) {
        Fail(QStringLiteral("リダイレクトが多すぎる (%1 回)").arg(m_redirects));
        return;
    }
    if (!IsWebAddress(to)) {
        Fail(QStringLiteral("リダイレクト先が読めない: ") + QString::fromLatin1(location.left(200)));
        return;
    }
    if (from.scheme().toLower() == u"https" && to.scheme().toLower() != u"https") {
        Fail(QStringLiteral("https から http へのリダイレクトは辿らない"));
        return;
    }
    HttpExchange* previous = m_exchange;
    previous->Cancel();
    previous->deleteLater();
    Ask(to);
}

void CHttpAsyncRequest::OnFinished()
{
    if (m_reported)
        return;
    if (!m_exchange->Error().isEmpty()) {
        Fail(m_exchange->Error());
        return;
    }
    Complete(m_exchange->Response().Body());
}

void CHttpAsyncRequest::OnTimeout()
{
    Fail(QStringLiteral("応答を待つ時間が切れた (%1 ms)").arg(m_limits.timeout.count()));
}

void CHttpAsyncRequest::Complete(const QByteArray& body)
{
    qCDebug(lcUpdateCheck) << "request complete," << body.size() << "bytes";
    Finish([this, body] {
        if (m_handler)
            m_handler->OnComplete(body);
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
    if (!m_exchange)
        return;
    HttpExchange* exchange = m_exchange;
    m_exchange = nullptr;
    disconnect(exchange, nullptr, this, nullptr);
    exchange->Cancel();
    exchange->deleteLater();
}
