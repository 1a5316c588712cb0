#pragma once

#include "desktop/http/HttpLimits.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <curl/curl.h>

#include <map>

class QSocketNotifier;

// One GET of one address through libcurl, driven from the event loop of
// the thread that owns it: libcurl's multi interface says which sockets to
// watch and when to call back, and socket notifiers and a timer do so.
//
// Only http and https are spoken; the server's certificate and name are
// checked; the proxy is the one the environment names (EnvironmentProxy),
// with whatever authentication it asks for. A redirect is not followed: its
// target is handed over instead. What is read is bounded by HttpLimits: the
// header lines of the answers, a proxy's included, and the body; passing
// one fails the transfer. Time is the caller's to bound.
class CurlTransfer : public QObject {
    Q_OBJECT

public:
    CurlTransfer(const QUrl& url, const QString& userAgent, const HttpLimits& limits, QObject* parent = nullptr);
    ~CurlTransfer() override;

    // Starts the transfer; Finished follows from the event loop.
    void Start();
    // Stops the transfer and lets go of the connection; no signal follows.
    void Cancel();

    const QUrl& Url() const { return m_url; }
    // Once finished: why the transfer failed (empty when an answer came),
    // the answer's status, its body (kept for status 200 only) and, for a
    // redirect, where it points.
    const QString& Error() const { return m_error; }
    long Status() const { return m_status; }
    const QByteArray& Body() const { return m_body; }
    const QUrl& RedirectTarget() const { return m_redirect; }

Q_SIGNALS:
    // The answer is in, or the transfer failed. The only signal.
    void Finished();

private:
    struct Watch {
        QSocketNotifier* read = nullptr;
        QSocketNotifier* write = nullptr;
    };

    static int OnSocket(CURL* easy, curl_socket_t socket, int what, void* self, void* socketData);
    static int OnTimer(CURLM* multi, long milliseconds, void* self);
    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    static size_t OnBody(char* data, size_t size, size_t count, void* self);

    bool SetUp();
    void WatchSocket(curl_socket_t socket, int what);
    QSocketNotifier* Notifier(QSocketNotifier* current, curl_socket_t socket, bool wanted, bool forReading);
    static void Drop(QSocketNotifier*& notifier);
    void Act(curl_socket_t socket, int events);
    void TakeOutcome();
    void Conclude(CURLcode result);

    QUrl m_url;
    QString m_userAgent;
    HttpLimits m_limits;
    CURLM* m_multi = nullptr;
    CURL* m_easy = nullptr;
    curl_slist* m_headers = nullptr;
    std::map<curl_socket_t, Watch> m_watches;
    QTimer m_timer;
    char m_curlError[CURL_ERROR_SIZE] = {};
    qint64 m_headBytes = 0;
    qint64 m_bodyBytes = 0;
    QString m_limitPassed;
    bool m_finished = false;

    QString m_error;
    long m_status = 0;
    QByteArray m_body;
    QUrl m_redirect;
};
