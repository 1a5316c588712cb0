#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// An HTTP proxy on 127.0.0.1 for tests that opens tunnels only: it reads a
// CONNECT request, records its head, connects to the asked port on
// 127.0.0.1 whatever the host name, answers 200 and then carries bytes both
// ways until one side closes. It may ask for Digest authentication first,
// as a school's proxy does.
class LoopbackTunnelProxy : public QObject {
    Q_OBJECT

public:
    LoopbackTunnelProxy();

    // "http://127.0.0.1:<port>", as a proxy setting names it.
    QByteArray Address() const;
    const QList<QByteArray>& RequestHeads() const { return m_heads; }

    // From now on a CONNECT without the Digest answer for `user` and
    // `password` is answered 407 with a Digest challenge, on a connection
    // kept open for the next try.
    void RequireDigest(const QByteArray& user, const QByteArray& password);
    // Tunnels opened after a correct Digest answer.
    int AuthenticatedTunnels() const { return m_authenticated; }

private:
    void OnConnection();
    void OnRequestData(QTcpSocket* client);
    bool Authorized(const QByteArray& head, const QByteArray& authority) const;
    void OpenTunnel(QTcpSocket* client, quint16 port);

    QTcpServer m_server;
    QList<QByteArray> m_heads;
    QByteArray m_user;
    QByteArray m_password;
    int m_authenticated = 0;
};
