#pragma once

#include "desktop/http/HttpLimits.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <functional>

class CHttpHandler;
class HttpExchange;

// One asynchronous HTTP GET with the system's proxy configuration,
// following redirects. The whole of it, proxy and redirects included, is
// bounded by HttpLimits in time and in what it reads. The request reports
// exactly once to its handler (OnComplete with the whole body for status
// 200, OnError otherwise), from the event loop of its thread, and then
// deletes itself. A request destroyed before it reported (for example with
// its parent) is cancelled and reports nothing. Runs on the thread that owns it.
class CHttpAsyncRequest : public QObject {
    Q_OBJECT

public:
    // `handler` is not owned and must outlive the request's report.
    explicit CHttpAsyncRequest(CHttpHandler* handler, const HttpLimits& limits = {}, QObject* parent = nullptr);
    ~CHttpAsyncRequest() override;

    // Starts the GET of `address` (an http or https address). The outcome is
    // reported later from the event loop, never from within Start.
    void Start(const QString& address);

private:
    void Ask(const QUrl& url);
    void OnHeadReceived();
    void OnFinished();
    void FollowRedirect(const QByteArray& location);
    void OnTimeout();
    void Fail(const QString& message);
    void Complete(const QByteArray& body);
    void Finish(std::function<void()> report);
    void Close();

    CHttpHandler* m_handler;
    HttpLimits m_limits;
    QPointer<HttpExchange> m_exchange;
    QTimer m_deadline;
    int m_redirects = 0;
    bool m_started = false;
    bool m_reported = false;
};
