#pragma once

#include "desktop/http/HttpLimits.h"
#include "desktop/http/HttpResponseReader.h"

#include <QNetworkProxy>
#include <QObject>
#include <QString>
#include <QUrl>

#include <optional>

class QTcpSocket;

// One GET over a connection of its own: straight to the server, through a
// SOCKS5 proxy, or through an HTTP proxy, which for an https address is
// asked for a tunnel (CONNECT) that the TLS session then runs through, and
// for an http address is given the whole address. Every answer, the
// proxy's included, is read through a bounded HttpResponseReader and the
// socket's own buffer is bounded, so neither a server nor a proxy can make
// the exchange hold more than its limits. Time is the caller's to bound.
class HttpExchange : public QObject {
    Q_OBJECT

public:
    HttpExchange(const QUrl& url, const QNetworkProxy& proxy, const QString& userAgent, const HttpLimits& limits,
        QObject* parent = nullptr);
    ~HttpExchange() override;

    // The proxy the desktop's settings name for `url`, or no proxy.
    static QNetworkProxy SystemProxyFor(const QUrl& url);

    // Connects and sends the request; the outcome comes by the signals.
    void Start();
    // Stops reading and closes the connection; no signal follows.
    void Cancel();

    const QUrl& Url() const { return m_url; }
    // The server's answer: its status and headers once HeadReceived has
    // come, its body once Finished has come without an error.
    const HttpResponseReader& Response() const { return m_response; }
    // Why the exchange failed; empty if it did not.
    const QString& Error() const { return m_error; }

Q_SIGNALS:
    // The answer's status line and headers are in.
    void HeadReceived();
    // The answer is complete, or the exchange failed. The last signal.
    void Finished();

private:
    enum class Phase { Idle, Connecting, Tunnelling, Encrypting, Requesting, Done };

    bool IsHttps() const;
    bool ThroughHttpProxy() const;
    void OnConnected();
    void OnEncrypted();
    void OnReadyRead();
    void OnEndOfStream();
    void OnSocketError();
    void SendTunnelRequest();
    void ReadTunnelAnswer(QByteArrayView data);
    void SendRequest();
    void ReadResponse(QByteArrayView data);
    QByteArray ProxyAuthorization() const;
    void Fail(const QString& message);
    void Finish();
    void Close();

    QUrl m_url;
    QNetworkProxy m_proxy;
    QString m_userAgent;
    HttpLimits m_limits;
    QTcpSocket* m_socket = nullptr;
    Phase m_phase = Phase::Idle;
    std::optional<HttpResponseReader> m_tunnelAnswer;
    HttpResponseReader m_response;
    bool m_headSignalled = false;
    QString m_error;
};
