#include "desktop/LoopbackTunnelProxy.h"

#include <QCryptographicHash>
#include <QHostAddress>
#include <QMap>
#include <QRegularExpression>
#include <QTcpSocket>

namespace {

const QByteArray kRealm = "school";
const QByteArray kNonce = "dcd98b7102dd2f0e8b11d0f600bfb0c093";

QByteArray Md5(const QByteArray& text)
{
    return QCryptographicHash::hash(text, QCryptographicHash::Md5).toHex();
}

// The fields of a "Proxy-Authorization: Digest a=b, c=\"d\"" line of `head`.
QMap<QByteArray, QByteArray> DigestFields(const QByteArray& head)
{
    QMap<QByteArray, QByteArray> fields;
    for (const QByteArray& line : head.split('\n')) {
        if (!line.toLower().startsWith("proxy-authorization: digest "))
            continue;
        static const QRegularExpression field(QStringLiteral(R"re((\w+)=(?:"([^"]*)"|([^,\s]*)))re"));
        const QString values = QString::fromLatin1(line.mid(28).trimmed());
        for (auto match = field.globalMatch(values); match.hasNext();) {
            const QRegularExpressionMatch next = match.next();
            fields[next.captured(1).toLatin1()]
                = (next.capturedStart(2) >= 0 ? next.captured(2) : next.captured(3)).toLatin1();
        }
    }
    return fields;
}

} // namespace

LoopbackTunnelProxy::LoopbackTunnelProxy()
{
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackTunnelProxy::OnConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

QByteArray LoopbackTunnelProxy::Address() const
{
    return "http://127.0.0.1:" + QByteArray::number(m_server.serverPort());
}

void LoopbackTunnelProxy::RequireDigest(const QByteArray& user, const QByteArray& password)
{
    m_user = user;
    m_password = password;
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
    head.truncate(end);
    client->setProperty("head", QByteArray());
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
    if (!m_user.isEmpty() && !Authorized(head, authority)) {
        client->write("HTTP/1.1 407 Proxy Authentication Required\r\nProxy-Authenticate: Digest realm=\"" + kRealm
            + "\", nonce=\"" + kNonce + "\", qop=\"auth\", algorithm=MD5\r\nContent-Length: 0\r\n\r\n");
        return;
    }
    if (!m_user.isEmpty())
        ++m_authenticated;
    disconnect(client, &QTcpSocket::readyRead, this, nullptr);
    OpenTunnel(client, port);
}

// The client's Digest answer: the hash of the password with this proxy's
// challenge and the request (RFC 7616, MD5, qop "auth").
bool LoopbackTunnelProxy::Authorized(const QByteArray& head, const QByteArray& authority) const
{
    const QMap<QByteArray, QByteArray> field = DigestFields(head);
    if (field.value("username") != m_user || field.value("realm") != kRealm || field.value("nonce") != kNonce
        || field.value("uri") != authority)
        return false;
    const QByteArray secret = Md5(m_user + ':' + kRealm + ':' + m_password);
    const QByteArray request = Md5("CONNECT:" + authority);
    const QByteArray expected = field.value("qop").isEmpty()
        ? Md5(secret + ':' + kNonce + ':' + request)
        : Md5(secret + ':' + kNonce + ':' + field.value("nc") + ':' + field.value("cnonce") + ':' + field.value("qop")
            + ':' + request);
    return field.value("response") == expected;
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
