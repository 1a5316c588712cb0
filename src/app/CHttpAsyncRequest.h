#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>

class CHttpHandler;
class QNetworkAccessManager;
class QNetworkReply;

// Bounds of one request: a body longer than maxBodyBytes, or no complete
// answer within timeout, counts as a failure.
struct HttpLimits {
    std::chrono::milliseconds timeout{30000};
    qint64 maxBodyBytes = 64 * 1024;
};

// One asynchronous HTTP GET with the system's proxy configuration. The
// request reports exactly once to its handler (OnComplete with the whole
// body for status 200, OnError otherwise), from the event loop of its
// thread, and then deletes itself. A
// request destroyed before it reported (for example with its parent) is
// cancelled and reports nothing. Runs on the thread that owns it.
class CHttpAsyncRequest : public QObject {
    Q_OBJECT

public:
    // `handler` is not owned and must outlive the request's report.
    explicit CHttpAsyncRequest(CHttpHandler* handler, const HttpLimits& limits = {},
                               QObject* parent = nullptr);
    ~CHttpAsyncRequest() override;

    // Starts the GET of `address` (an http or https address). The outcome is
    // reported later from the event loop, never from within Start.
    void Start(const QString& address);

private:
    void OnMetaDataChanged();
    void OnReadyRead();
    void OnFinished();
    void OnTimeout();
    bool CollectBody();
    void Fail(const QString& message);
    void Complete();
    void Finish(std::function<void()> report);
    void Close();

    CHttpHandler* m_handler;
    HttpLimits m_limits;
    QNetworkAccessManager* m_session;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    QByteArray m_body;
    bool m_started = false;
    bool m_reported = false;
};
