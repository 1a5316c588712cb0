#include "app/LoopbackHttpServer.h"

#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslServer>

LoopbackHttpServer::LoopbackHttpServer() : m_server(std::make_unique<QTcpServer>())
{
    Listen();
}

LoopbackHttpServer::LoopbackHttpServer(const QSslCertificate& certificate, const QSslKey& key)
{
    auto server = std::make_unique<QSslServer>();
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(certificate);
    tls.setPrivateKey(key);
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    server->setSslConfiguration(tls);
    m_server = std::move(server);
    Listen();
}

LoopbackHttpServer::~LoopbackHttpServer() = default;

void LoopbackHttpServer::Listen()
{
    // A TLS server offers a connection once its handshake is done.
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this, &LoopbackHttpServer::OnConnection);
    m_server->listen(QHostAddress::LocalHost, 0);
}

QString LoopbackHttpServer::BaseAddress() const
{
    return QStringLiteral("http://127.0.0.1:%1/tavisko/").arg(Port());
}

QByteArray LoopbackHttpServer::Response(int status, const QByteArray& body, const QByteArray& extraHeaders)
{
    return "HTTP/1.1 " + QByteArray::number(status) + " Status\r\n"
        + "Content-Type: text/plain\r\n"
        + "Content-Length: " + QByteArray::number(body.size()) + "\r\n"
        + "Connection: close\r\n" + extraHeaders + "\r\n" + body;
}

void LoopbackHttpServer::AnswerHeld(int index, const QByteArray& raw)
{
    if (index < m_held.size() && m_held[index])
        Send(m_held[index], raw);
}

void LoopbackHttpServer::AnswerEndlessly(const QByteArray& start, const QByteArray& filler)
{
    m_answer = start;
    m_endlessFiller = filler;
}

void LoopbackHttpServer::OnConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        socket->setProperty("head", QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnData(socket); });
    }
}

void LoopbackHttpServer::OnData(QTcpSocket* socket)
{
    QByteArray head = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", head);
    if (!head.contains("\r\n\r\n") || socket->property("seen").toBool())
        return;
    socket->setProperty("seen", true);
    m_heads.append(head.left(head.indexOf("\r\n\r\n")));
    if (m_endlessFiller)
        SendEndlessly(socket);
    else if (m_answer)
        Send(socket, *m_answer);
    else
        m_held.append(socket);
}

void LoopbackHttpServer::Send(QTcpSocket* socket, const QByteArray& raw)
{
    socket->write(raw);
    socket->disconnectFromHost();
}

// Writes the start, then keeps about a megabyte queued: only what the
// connection has really carried away is counted, and writing stops when the
// client closes.
void LoopbackHttpServer::SendEndlessly(QTcpSocket* socket)
{
    const QByteArray filler = *m_endlessFiller;
    QByteArray batch;
    while (batch.size() < 1024 * 1024)
        batch += filler;
    const auto refill = [socket, batch] {
        if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < batch.size())
            socket->write(batch);
    };
    connect(socket, &QTcpSocket::bytesWritten, this, [this, refill](qint64 written) {
        m_endlessBytesSent += written;
        refill();
    });
    ++m_endlessOpen;
    connect(socket, &QTcpSocket::disconnected, this, [this] { --m_endlessOpen; });
    socket->write(*m_answer);
    refill();
}
