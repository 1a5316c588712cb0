#pragma once

#include <QByteArray>
#include <QString>

// Receives the single outcome of one CHttpAsyncRequest.
class CHttpHandler {
public:
    virtual ~CHttpHandler() = default;

    // The whole response body of a successful (status 200) request.
    virtual void OnComplete(const QByteArray& body) = 0;

    // The request failed; `message` says why, for diagnostics only.
    virtual void OnError(const QString& message) = 0;
};
