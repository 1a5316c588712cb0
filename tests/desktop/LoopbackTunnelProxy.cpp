#include "desktop/LoopbackTunnelProxy.h"

#include <QHostAddress>
#include <QTcpSocket>

LoopbackTunnelProxy::LoopbackTunnelProxy()
{
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackTunnelProxy::OnConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

QByteArray LoopbackTunnelProxy::Address() const
{
    return "http://127.0.0.1:" + QByteArray::number(m_server.serverPort());
}

void LoopbackTunnelProxy::OnConnection()
{
    while (QTcpSocket* client = m_server.nextPendingConnection()) {
        client->setParent(this);
        connect(client, &QTcpSocket::readyRead, this, [this, client] { OnRequestData(client); });
    }
}

void LoopbackTunnelProxy::OnRequestData(QTcpSocket* client)
{
    QByteArray head = client->property("head").toByteArray() + client->readAll();
    client->setProperty("head", head);
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    disconnect(client, &QTcpSocket::readyRead, this, nullptr);
    head.truncate(end);
    m_heads.append(head);
    // "CONNECT host:port HTTP/1.1"
    const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
    const QByteArray authority = words.value(1);
    const quint16 port = authority.mid(authority.lastIndexOf(':') + 1).toUShort();
    if (words.value(0) != "CONNECT" || port == 0) {
        client->write("HTTP/1.1 405 Method Not Allowed\r\nContent-Length: 0\r\n\r\n");
        client->disconnectFromHost();
        return;
    }
    OpenTunnel(client, port);
}

void LoopbackTunnelProxy::OpenTunnel(QTcpSocket* client, quint16 port)
{
    auto* server = new QTcpSocket(client);
    connect(server, &QTcpSocket::connected, this,
        [client] { client->write("HTTP/1.1 200 Connection established\r\n\r\n"); });
    connect(server, &QTcpSocket::readyRead, this, [client, server] { client->write(server->readAll()); });
    connect(client, &QTcpSocket::readyRead, this, [client, server] { server->write(client->readAll()); });
    connect(server, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
    connect(client, &QTcpSocket::disconnected, server, &QTcpSocket::disconnectFromHost);
    server->connectToHost(QHostAddress::LocalHost, port);
}
