#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// An HTTP proxy on 127.0.0.1 for tests that opens tunnels only: it reads a
// CONNECT request, records its head, connects to the asked port on
// 127.0.0.1 whatever the host name, answers 200 and then carries bytes both
// ways until one side closes.
class LoopbackTunnelProxy : public QObject {
    Q_OBJECT

public:
    LoopbackTunnelProxy();

    // "http://127.0.0.1:<port>", as a proxy setting names it.
    QByteArray Address() const;
    const QList<QByteArray>& RequestHeads() const { return m_heads; }

private:
    void OnConnection();
    void OnRequestData(QTcpSocket* client);
    void OpenTunnel(QTcpSocket* client, quint16 port);

    QTcpServer m_server;
    QList<QByteArray> m_heads;
};
