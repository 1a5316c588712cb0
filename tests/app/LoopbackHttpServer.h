#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <optional>

// A small HTTP server on 127.0.0.1 for tests. It reads each request's head,
// records it, and either answers at once with the prepared raw response or
// holds the connection until the test answers it (or never does).
class LoopbackHttpServer : public QObject {
    Q_OBJECT

public:
    LoopbackHttpServer();

    // "http://127.0.0.1:<port>/tavisko/"
    QString BaseAddress() const;

    // Every request from now on is answered at once with `raw`.
    void AnswerWith(const QByteArray& raw) { m_answer = raw; }
    // Requests from now on are held unanswered.
    void Hold() { m_answer.reset(); }
    // Answers the held request number `index` (in arrival order) with `raw`.
    void AnswerHeld(int index, const QByteArray& raw);

    int RequestCount() const { return static_cast<int>(m_heads.size()); }
    QByteArray RequestHead(int index) const { return m_heads.value(index); }

    // A complete response with a Content-Length header.
    static QByteArray Response(int status, const QByteArray& body, const QByteArray& extraHeaders = {});

private:
    void OnConnection();
    void OnData(QTcpSocket* socket);
    static void Send(QTcpSocket* socket, const QByteArray& raw);

    QTcpServer m_server;
    std::optional<QByteArray> m_answer;
    QList<QByteArray> m_heads;
    QList<QPointer<QTcpSocket>> m_held;
};
