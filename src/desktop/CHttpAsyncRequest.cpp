#include "desktop/CHttpAsyncRequest.h"

#include "desktop/CHttpHandler.h"
#include "desktop/UpdateLog.h"
#include "desktop/http/CurlTransfer.h"

namespace {

const QString kUserAgent = QStringLiteral("WinHttpAsyncTest");

bool IsWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

bool IsRedirect(long status)
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
    m_transfer = new CurlTransfer(url, kUserAgent, m_limits, this);
    connect(m_transfer, &CurlTransfer::Finished, this, &CHttpAsyncRequest::OnFinished);
    m_transfer->Start();
    qCDebug(lcUpdateCheck) << "request sent:" << url.toString();
}

// A redirect is followed, and any other status but 200 fails.
void CHttpAsyncRequest::OnFinished()
{
    if (m_reported || !m_transfer)
        return;
    const CurlTransfer& transfer = *m_transfer;
    qCDebug(lcUpdateCheck) << "InternetStatus = HEADERS_AVAILABLE" << transfer.Status();
    if (!transfer.Error().isEmpty())
        Fail(transfer.Error());
    else if (IsRedirect(transfer.Status()) && !transfer.RedirectTarget().isEmpty())
        FollowRedirect(transfer.Url(), transfer.RedirectTarget());
    else if (transfer.Status() != 200)
        Fail(QStringLiteral("ステータスコードとしてOKが返ってこなかった (%1)").arg(transfer.Status()));
    else
        Complete(transfer.Body());
}

void CHttpAsyncRequest::FollowRedirect(const QUrl& from, const QUrl& to)
{
    qCDebug(lcUpdateCheck) << "InternetStatus = REDIRECT" << to.toString();
    if (++m_redirects > m_limits.maxRedirects) {
        Fail(QStringLiteral("リダイレクトが多すぎる (%1 回)").arg(m_redirects));
        return;
    }
    if (!IsWebAddress(to)) {
        Fail(QStringLiteral("リダイレクト先が読めない: ") + to.toString().left(200));
        return;
    }
    if (from.scheme().toLower() == u"https" && to.scheme().toLower() != u"https") {
        Fail(QStringLiteral("https から http へのリダイレクトは辿らない"));
        return;
    }
    m_transfer->deleteLater();
    Ask(to);
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
// event loop, never from inside a network callback, so that the handler
// may open a modal message box. Then the request deletes itself.
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
    if (!m_transfer)
        return;
    CurlTransfer* transfer = m_transfer;
    m_transfer = nullptr;
    disconnect(transfer, nullptr, this, nullptr);
    transfer->Cancel();
    transfer->deleteLater();
}
