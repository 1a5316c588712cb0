#include "desktop/http/CurlTransfer.h"

#include "desktop/UpdateLog.h"
#include "desktop/http/EnvironmentProxy.h"

#include <QSocketNotifier>

namespace {

const char* const kWebProtocols = "http,https";

// libcurl is set up once for the process, before the first handle; the
// module that holds it is never unloaded, so neither is libcurl.
bool CurlReady()
{
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

} // namespace

CurlTransfer::CurlTransfer(const QUrl& url, const QString& userAgent, const HttpLimits& limits, QObject* parent)
    : QObject(parent)
    , m_url(url)
    , m_userAgent(userAgent)
    , m_limits(limits)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { Act(CURL_SOCKET_TIMEOUT, 0); });
}

CurlTransfer::~CurlTransfer()
{
    Cancel();
}

void CurlTransfer::Start()
{
    if (m_multi || m_finished)
        return;
    if (!SetUp()) {
        m_finished = true;
        m_error = QStringLiteral("通信部品を準備できない (libcurl)");
        QMetaObject::invokeMethod(this, &CurlTransfer::Finished, Qt::QueuedConnection);
        return;
    }
    // Adding the handle asks for a call back at once, by the timer.
    curl_multi_add_handle(m_multi, m_easy);
}

bool CurlTransfer::SetUp()
{
    if (!CurlReady())
        return false;
    m_multi = curl_multi_init();
    m_easy = curl_easy_init();
    if (!m_multi || !m_easy)
        return false;
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlTransfer::OnSocket);
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlTransfer::OnTimer);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);

    const QByteArray address = m_url.toEncoded(QUrl::RemoveFragment);
    const QByteArray agent = m_userAgent.toLatin1();
    const QByteArray proxy = EnvironmentProxy(m_url);
    CURL* easy = m_easy;
    bool ok = curl_easy_setopt(easy, CURLOPT_URL, address.constData()) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, kWebProtocols) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, kWebProtocols) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_USERAGENT, agent.constData()) == CURLE_OK;
    // The request carries no headers of its own beyond the host and the agent.
    m_headers = curl_slist_append(nullptr, "Accept:");
    ok &= curl_easy_setopt(easy, CURLOPT_HTTPHEADER, m_headers) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L) == CURLE_OK;
    if (!m_limits.trustedCaFile.isEmpty()) {
        const QByteArray file = m_limits.trustedCaFile.toLocal8Bit();
        ok &= curl_easy_setopt(easy, CURLOPT_CAINFO, file.constData()) == CURLE_OK;
    }
    // An empty proxy means none: libcurl does not look at the environment
    // again on its own.
    ok &= curl_easy_setopt(easy, CURLOPT_PROXY, proxy.constData()) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_ANY)) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(m_limits.maxBodyBytes)) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CurlTransfer::OnHeader) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_HEADERDATA, this) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlTransfer::OnBody) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_WRITEDATA, this) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, m_curlError) == CURLE_OK;
    ok &= curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
    // A name still being looked up when the transfer is cancelled is left
    // to finish on its own instead of being waited for.
    ok &= curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L) == CURLE_OK;
    return ok;
}

void CurlTransfer::Cancel()
{
    m_timer.stop();
    if (m_multi && m_easy)
        curl_multi_remove_handle(m_multi, m_easy);
    for (auto& [socket, watch] : m_watches) {
        Drop(watch.read);
        Drop(watch.write);
    }
    m_watches.clear();
    if (m_easy)
        curl_easy_cleanup(m_easy);
    if (m_multi)
        curl_multi_cleanup(m_multi);
    curl_slist_free_all(m_headers);
    m_easy = nullptr;
    m_multi = nullptr;
    m_headers = nullptr;
    m_finished = true;
}

int CurlTransfer::OnSocket(CURL*, curl_socket_t socket, int what, void* self, void*)
{
    static_cast<CurlTransfer*>(self)->WatchSocket(socket, what);
    return 0;
}

// libcurl asks to be called back after `milliseconds` (at once for 0), or
// no more (-1); it is never called back from within this call.
int CurlTransfer::OnTimer(CURLM*, long milliseconds, void* self)
{
    QTimer& timer = static_cast<CurlTransfer*>(self)->m_timer;
    if (milliseconds < 0)
        timer.stop();
    else
        timer.start(static_cast<int>(std::min<long>(milliseconds, 24L * 3600 * 1000)));
    return 0;
}

void CurlTransfer::WatchSocket(curl_socket_t socket, int what)
{
    Watch& watch = m_watches[socket];
    const bool remove = what == CURL_POLL_REMOVE;
    watch.read = Notifier(watch.read, socket, !remove && (what & CURL_POLL_IN), true);
    watch.write = Notifier(watch.write, socket, !remove && (what & CURL_POLL_OUT), false);
    if (!watch.read && !watch.write)
        m_watches.erase(socket);
}

// The notifier for one direction of `socket`: kept or made when wanted,
// dropped otherwise.
QSocketNotifier* CurlTransfer::Notifier(QSocketNotifier* current, curl_socket_t socket, bool wanted, bool forReading)
{
    if (!wanted) {
        Drop(current);
        return nullptr;
    }
    if (current)
        return current;
    auto* notifier = new QSocketNotifier(socket, forReading ? QSocketNotifier::Read : QSocketNotifier::Write, this);
    const int events = forReading ? CURL_CSELECT_IN : CURL_CSELECT_OUT;
    connect(notifier, &QSocketNotifier::activated, this, [this, socket, events] { Act(socket, events); });
    return notifier;
}

// A notifier may be the one whose signal is being handled: it is silenced
// now and deleted from the event loop.
void CurlTransfer::Drop(QSocketNotifier*& notifier)
{
    if (!notifier)
        return;
    notifier->setEnabled(false);
    notifier->disconnect();
    notifier->deleteLater();
    notifier = nullptr;
}

void CurlTransfer::Act(curl_socket_t socket, int events)
{
    if (!m_multi || m_finished)
        return;
    int running = 0;
    curl_multi_socket_action(m_multi, socket, events, &running);
    TakeOutcome();
}

void CurlTransfer::TakeOutcome()
{
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(m_multi, &left)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == m_easy) {
            Conclude(message->data.result);
            return;
        }
    }
}

// Stores what the transfer came to, lets go of the connection and reports.
// Nothing of this object is used after the signal: its receiver may delete it.
void CurlTransfer::Conclude(CURLcode result)
{
    long status = 0;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
    m_status = status;
    char* redirect = nullptr;
    if (curl_easy_getinfo(m_easy, CURLINFO_REDIRECT_URL, &redirect) == CURLE_OK && redirect)
        m_redirect = QUrl::fromEncoded(QByteArray(redirect), QUrl::StrictMode);
    if (!m_limitPassed.isEmpty())
        m_error = m_limitPassed;
    else if (result != CURLE_OK)
        m_error = QStringLiteral("InternetStatus = REQUEST_ERROR: %1 (%2)")
                      .arg(QString::fromUtf8(curl_easy_strerror(result)), QString::fromUtf8(m_curlError));
    if (m_status != 200)
        m_body.clear();
    Cancel();
    Q_EMIT Finished();
}

// Header lines of every answer of the transfer, a proxy's included.
size_t CurlTransfer::OnHeader(char* data, size_t size, size_t count, void* self)
{
    auto& transfer = *static_cast<CurlTransfer*>(self);
    const size_t bytes = size * count;
    transfer.m_headBytes += static_cast<qint64>(bytes);
    if (transfer.m_headBytes > transfer.m_limits.maxHeadBytes) {
        transfer.m_limitPassed
            = QStringLiteral("応答ヘッダーが大きすぎる (%1 bytes を超えた)").arg(transfer.m_limits.maxHeadBytes);
        return 0;
    }
    Q_UNUSED(data);
    return bytes;
}

// The body of the answer, whatever its status, counts against the bound;
// only that of a 200 answer is kept.
size_t CurlTransfer::OnBody(char* data, size_t size, size_t count, void* self)
{
    auto& transfer = *static_cast<CurlTransfer*>(self);
    const size_t bytes = size * count;
    transfer.m_bodyBytes += static_cast<qint64>(bytes);
    if (transfer.m_bodyBytes > transfer.m_limits.maxBodyBytes) {
        transfer.m_limitPassed
            = QStringLiteral("応答本文が大きすぎる (%1 bytes を超えた)").arg(transfer.m_limits.maxBodyBytes);
        return CURL_WRITEFUNC_ERROR;
    }
    long status = 0;
    curl_easy_getinfo(transfer.m_easy, CURLINFO_RESPONSE_CODE, &status);
    if (status == 200)
        transfer.m_body.append(data, static_cast<qsizetype>(bytes));
    return bytes;
}
