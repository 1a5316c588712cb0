#include "app/LoopbackHttpServer.h"

#include <QHostAddress>

LoopbackHttpServer::LoopbackHttpServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::OnConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

QString LoopbackHttpServer::BaseAddress() const
{
    return QStringLiteral("http://127.0.0.1:%1/tavisko/").arg(m_server.serverPort());
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

void LoopbackHttpServer::OnConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
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
    if (m_answer)
        Send(socket, *m_answer);
    else
        m_held.append(socket);
}

void LoopbackHttpServer::Send(QTcpSocket* socket, const QByteArray& raw)
{
    socket->write(raw);
    socket->disconnectFromHost();
}
