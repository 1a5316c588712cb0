#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>
#include <optional>

// A small HTTP server on 127.0.0.1 for tests. It reads each request's head,
// records it, and either answers at once with the prepared raw response or
// holds the connection until the test answers it (or never does).
class LoopbackHttpServer : public QObject {
    Q_OBJECT

public:
    // A plain HTTP server.
    LoopbackHttpServer();
    // An HTTPS server that shows `certificate`.
    LoopbackHttpServer(const QSslCertificate& certificate, const QSslKey& key);
    ~LoopbackHttpServer() override;

    quint16 Port() const { return m_server->serverPort(); }

    // "http://127.0.0.1:<port>/tavisko/"
    QString BaseAddress() const;

    // Every request from now on is answered at once with `raw`.
    void AnswerWith(const QByteArray& raw) { m_answer = raw; }
    // Requests from now on are held unanswered.
    void Hold() { m_answer.reset(); }
    // Answers the held request number `index` (in arrival order) with `raw`.
    void AnswerHeld(int index, const QByteArray& raw);
    // Every request from now on is answered with `start` followed by
    // `filler` over and over, for as long as the client keeps reading.
    void AnswerEndlessly(const QByteArray& start, const QByteArray& filler);
    // Bytes of endless answers the clients have taken so far.
    qint64 EndlessBytesSent() const { return m_endlessBytesSent; }
    // Endless answers whose client has not closed the connection yet.
    int EndlessAnswersOpen() const { return m_endlessOpen; }

    // Connections from now on first speak SOCKS5 (no authentication, one
    // CONNECT, recorded as the head "SOCKS5 CONNECT <host>:<port>"), as a
    // SOCKS5 proxy that serves every address itself.
    void ActAsSocks5Proxy() { m_socks5 = true; }

    int RequestCount() const { return static_cast<int>(m_heads.size()); }
    QByteArray RequestHead(int index) const { return m_heads.value(index); }

    // A complete response with a Content-Length header.
    static QByteArray Response(int status, const QByteArray& body, const QByteArray& extraHeaders = {});

private:
    void Listen();
    void OnConnection();
    void OnData(QTcpSocket* socket);
    bool TakeSocks5Handshake(QTcpSocket* socket, QByteArray& data);
    static void Send(QTcpSocket* socket, const QByteArray& raw);
    void SendEndlessly(QTcpSocket* socket);

    std::unique_ptr<QTcpServer> m_server;
    std::optional<QByteArray> m_answer;
    std::optional<QByteArray> m_endlessFiller;
    qint64 m_endlessBytesSent = 0;
    int m_endlessOpen = 0;
    bool m_socks5 = false;
    QList<QByteArray> m_heads;
    QList<QPointer<QTcpSocket>> m_held;
};
