#include "desktop/LoopbackHttpServer.h"

#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslServer>

LoopbackHttpServer::LoopbackHttpServer()
    : m_server(std::make_unique<QTcpServer>())
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
    return "HTTP/1.1 " + QByteArray::number(status) + " Status\r\n" + "Content-Type: text/plain\r\n"
        + "Content-Length: " + QByteArray::number(body.size()) + "\r\n" + "Connection: close\r\n" + extraHeaders
        + "\r\n" + body;
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
    if (m_socks5 && !TakeSocks5Handshake(socket, head)) {
        socket->setProperty("head", head);
        return;
    }
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

// Answers the greeting and the CONNECT request at the start of `data` and
// removes them from it; false while they are not complete.
bool LoopbackHttpServer::TakeSocks5Handshake(QTcpSocket* socket, QByteArray& data)
{
    const int step = socket->property("socks5").toInt();
    if (step == 0) {
        if (data.size() < 2 || data.size() < 2 + static_cast<unsigned char>(data[1]))
            return false;
        data.remove(0, 2 + static_cast<unsigned char>(data[1]));
        socket->write(QByteArray("\x05\x00", 2));
        socket->setProperty("socks5", 1);
        return TakeSocks5Handshake(socket, data);
    }
    if (step == 2)
        return true;
    if (data.size() < 5)
        return false;
    QByteArray host;
    qsizetype at = 4;
    if (data[3] == 3) {
        at = 5 + static_cast<unsigned char>(data[4]);
        host = data.mid(5, at - 5);
    } else {
        at = data[3] == 4 ? 20 : 8;
        host = "address";
    }
    if (data.size() < at + 2)
        return false;
    const int port = static_cast<unsigned char>(data[at]) * 256 + static_cast<unsigned char>(data[at + 1]);
    m_heads.append("SOCKS5 CONNECT " + host + ':' + QByteArray::number(port));
    data.remove(0, at + 2);
    socket->write(QByteArray("\x05\x00\x00\x01\x00\x00\x00\x00\x00\x00", 10));
    socket->setProperty("socks5", 2);
    return true;
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
