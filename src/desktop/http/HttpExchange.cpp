#include "desktop/http/HttpExchange.h"

#include "desktop/UpdateLog.h"

#include <QNetworkProxyFactory>
#include <QSslSocket>

namespace {

// What the socket may hold unread; the readers take it from there.
constexpr qint64 kSocketBufferBytes = 16 * 1024;

QByteArray HostOf(const QUrl& url)
{
    const QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    return host.contains(':') ? '[' + host + ']' : host;
}

QString Describe(HttpResponseReader::Failure failure, const HttpLimits& limits)
{
    switch (failure) {
    case HttpResponseReader::Failure::HeadTooLarge:
        return QStringLiteral("応答ヘッダーが大きすぎる (%1 bytes を超えた)").arg(limits.maxHeadBytes);
    case HttpResponseReader::Failure::BodyTooLarge:
        return QStringLiteral("応答本文が大きすぎる (%1 bytes を超えた)").arg(limits.maxBodyBytes);
    case HttpResponseReader::Failure::Malformed: return QStringLiteral("HTTPの応答として読めない");
    case HttpResponseReader::Failure::Truncated: return QStringLiteral("応答の途中で接続が切れた");
    case HttpResponseReader::Failure::None: break;
    }
    return QString();
}

} // namespace

HttpExchange::HttpExchange(
    const QUrl& url, const QNetworkProxy& proxy, const QString& userAgent, const HttpLimits& limits, QObject* parent)
    : QObject(parent)
    , m_url(url)
    , m_proxy(proxy)
    , m_userAgent(userAgent)
    , m_limits(limits)
    , m_response(limits.maxHeadBytes, limits.maxBodyBytes)
{
}

HttpExchange::~HttpExchange()
{
    if (m_socket)
        disconnect(m_socket, nullptr, this, nullptr);
}

QNetworkProxy HttpExchange::SystemProxyFor(const QUrl& url)
{
    const QList<QNetworkProxy> proxies = QNetworkProxyFactory::systemProxyForQuery(QNetworkProxyQuery(url));
    for (const QNetworkProxy& proxy : proxies) {
        switch (proxy.type()) {
        case QNetworkProxy::NoProxy:
        case QNetworkProxy::HttpProxy:
        case QNetworkProxy::HttpCachingProxy:
        case QNetworkProxy::Socks5Proxy: return proxy;
        default: break;
        }
    }
    return QNetworkProxy(QNetworkProxy::NoProxy);
}

bool HttpExchange::IsHttps() const
{
    return m_url.scheme().compare(u"https", Qt::CaseInsensitive) == 0;
}

bool HttpExchange::ThroughHttpProxy() const
{
    return m_proxy.type() == QNetworkProxy::HttpProxy || m_proxy.type() == QNetworkProxy::HttpCachingProxy;
}

void HttpExchange::Start()
{
    if (m_phase != Phase::Idle)
        return;
    m_phase = Phase::Connecting;
    QSslSocket* tls = IsHttps() ? new QSslSocket(this) : nullptr;
    m_socket = tls ? tls : new QTcpSocket(this);
    m_socket->setReadBufferSize(kSocketBufferBytes);
    // An HTTP proxy is spoken to here, not by the socket, whose reading of
    // a proxy's answer knows no bound.
    m_socket->setProxy(m_proxy.type() == QNetworkProxy::Socks5Proxy ? m_proxy : QNetworkProxy(QNetworkProxy::NoProxy));
    connect(m_socket, &QTcpSocket::connected, this, &HttpExchange::OnConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpExchange::OnReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &HttpExchange::OnEndOfStream);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &HttpExchange::OnSocketError);
    if (tls)
        connect(tls, &QSslSocket::encrypted, this, &HttpExchange::OnEncrypted);

    const QString host = m_url.host(QUrl::FullyEncoded);
    const quint16 port = m_url.port(IsHttps() ? 443 : 80);
    if (ThroughHttpProxy())
        m_socket->connectToHost(m_proxy.hostName(), m_proxy.port());
    else if (tls)
        tls->connectToHostEncrypted(host, port);
    else
        m_socket->connectToHost(host, port);
}

void HttpExchange::Cancel()
{
    Close();
}

void HttpExchange::OnConnected()
{
    if (m_phase != Phase::Connecting)
        return;
    if (IsHttps() && ThroughHttpProxy())
        SendTunnelRequest();
    else if (IsHttps())
        m_phase = Phase::Encrypting; // the handshake started with the connection
    else
        SendRequest();
}

void HttpExchange::OnEncrypted()
{
    if (m_phase == Phase::Encrypting)
        SendRequest();
}

void HttpExchange::OnReadyRead()
{
    while ((m_phase == Phase::Tunnelling || m_phase == Phase::Requesting) && m_socket->bytesAvailable() > 0) {
        const QByteArray chunk = m_socket->read(kSocketBufferBytes);
        if (m_phase == Phase::Tunnelling)
            ReadTunnelAnswer(chunk);
        else
            ReadResponse(chunk);
    }
}

void HttpExchange::OnEndOfStream()
{
    if (m_phase == Phase::Done)
        return;
    OnReadyRead();
    if (m_phase == Phase::Tunnelling) {
        m_tunnelAnswer->EndOfStream();
        ReadTunnelAnswer({});
    } else if (m_phase == Phase::Requesting) {
        m_response.EndOfStream();
        ReadResponse({});
    } else if (m_phase != Phase::Done) {
        Fail(QStringLiteral("InternetStatus = REQUEST_ERROR: ") + m_socket->errorString());
    }
}

void HttpExchange::OnSocketError()
{
    if (m_socket->error() == QAbstractSocket::RemoteHostClosedError)
        OnEndOfStream();
    else if (m_phase != Phase::Done)
        Fail(QStringLiteral("InternetStatus = REQUEST_ERROR: ") + m_socket->errorString());
}

QByteArray HttpExchange::ProxyAuthorization() const
{
    if (m_proxy.user().isEmpty())
        return QByteArray();
    return "Proxy-Authorization: Basic " + (m_proxy.user() + u':' + m_proxy.password()).toUtf8().toBase64() + "\r\n";
}

void HttpExchange::SendTunnelRequest()
{
    m_phase = Phase::Tunnelling;
    m_tunnelAnswer.emplace(m_limits.maxHeadBytes, 0, HttpResponseReader::Mode::HeadOnly);
    const QByteArray authority = HostOf(m_url) + ':' + QByteArray::number(m_url.port(443));
    m_socket->write("CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority
        + "\r\nUser-Agent: " + m_userAgent.toLatin1() + "\r\n" + ProxyAuthorization() + "\r\n");
    qCDebug(lcUpdateCheck) << "tunnel asked of" << m_proxy.hostName() << "to" << authority;
}

// The proxy's answer to CONNECT: after a 2xx head the connection is the
// tunnel, and the TLS session starts over it, checked against the server's name.
void HttpExchange::ReadTunnelAnswer(QByteArrayView data)
{
    HttpResponseReader& answer = *m_tunnelAnswer;
    answer.Feed(data);
    if (answer.GetState() == HttpResponseReader::State::Failed) {
        Fail(QStringLiteral("プロキシの") + Describe(answer.GetFailure(), m_limits));
        return;
    }
    if (answer.GetState() != HttpResponseReader::State::Complete)
        return;
    if (answer.Status() < 200 || answer.Status() > 299) {
        Fail(QStringLiteral("プロキシがトンネルを開かなかった (%1)").arg(answer.Status()));
        return;
    }
    // The server speaks only after the client's TLS greeting: anything
    // more from the proxy now is not the server's.
    if (!answer.Leftover().isEmpty() || m_socket->bytesAvailable() > 0) {
        Fail(QStringLiteral("プロキシの応答の後に余計なデータがある"));
        return;
    }
    m_phase = Phase::Encrypting;
    auto* tls = static_cast<QSslSocket*>(m_socket);
    tls->setPeerVerifyName(m_url.host(QUrl::FullyEncoded));
    tls->startClientEncryption();
}

void HttpExchange::SendRequest()
{
    m_phase = Phase::Requesting;
    QByteArray target;
    QByteArray proxyHeaders;
    if (ThroughHttpProxy() && !IsHttps()) {
        target = m_url.toEncoded(QUrl::RemoveUserInfo | QUrl::RemoveFragment);
        proxyHeaders = ProxyAuthorization();
    } else {
        target = m_url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
        if (!target.startsWith('/'))
            target.prepend('/');
    }
    QByteArray host = HostOf(m_url);
    if (m_url.port() != -1)
        host += ':' + QByteArray::number(m_url.port());
    m_socket->write("GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\nUser-Agent: " + m_userAgent.toLatin1()
        + "\r\n" + proxyHeaders + "Connection: close\r\n\r\n");
}

void HttpExchange::ReadResponse(QByteArrayView data)
{
    m_response.Feed(data);
    if (m_response.HeadComplete() && !m_headSignalled) {
        m_headSignalled = true;
        Q_EMIT HeadReceived();
        if (m_phase == Phase::Done)
            return; // the receiver has what it needed
    }
    if (m_response.GetState() == HttpResponseReader::State::Failed)
        Fail(Describe(m_response.GetFailure(), m_limits));
    else if (m_response.GetState() == HttpResponseReader::State::Complete)
        Finish();
}

void HttpExchange::Fail(const QString& message)
{
    if (m_phase == Phase::Done)
        return;
    m_error = message;
    Finish();
}

void HttpExchange::Finish()
{
    Close();
    Q_EMIT Finished();
}

// Nothing of the connection reaches this object any more. The socket is
// aborted from the next turn of the event loop, outside its own signals.
void HttpExchange::Close()
{
    m_phase = Phase::Done;
    if (!m_socket)
        return;
    disconnect(m_socket, nullptr, this, nullptr);
    QMetaObject::invokeMethod(m_socket, &QAbstractSocket::abort, Qt::QueuedConnection);
}
