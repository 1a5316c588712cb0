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
class CurlTransfer;

// One asynchronous HTTP GET through libcurl with the environment's proxy,
// following redirects one by one: at most HttpLimits::maxRedirects, to
// http or https addresses only, and never from https to http. The whole of
// it, proxy and redirects included, is bounded by HttpLimits in time and
// in what it reads. The request reports exactly once to its handler
// (OnComplete with the whole body for status 200, OnError otherwise), from
// the event loop of its thread, and then deletes itself. A request
// destroyed before it reported (for example with its parent) is cancelled
// and reports nothing. Runs on the thread that owns it.
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
    void OnFinished();
    void FollowRedirect(const QUrl& from, const QUrl& to);
    void OnTimeout();
    void Fail(const QString& message);
    void Complete(const QByteArray& body);
    void Finish(std::function<void()> report);
    void Close();

    CHttpHandler* m_handler;
    HttpLimits m_limits;
    QPointer<CurlTransfer> m_transfer;
    QTimer m_deadline;
    int m_redirects = 0;
    bool m_started = false;
    bool m_reported = false;
};
