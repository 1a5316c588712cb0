#pragma once

#include "desktop/http/HttpLimits.h"

#include <QString>

class CHttpHandler;
class QObject;

// The update check's networking, built as a module of its own
// ("tavisko-http.so" beside the program) and loaded at the first request:
// Qt Network and what it brings (Kerberos, the proxy resolver) are then
// not linked, nor their relocations done, while the program starts.
class HttpModule {
public:
    // The module's file name.
    static const QString FileName;

    // The module beside the running program.
    static HttpModule& Shared();
    // The module in `folder` (tests).
    explicit HttpModule(const QString& folder);
    HttpModule(const HttpModule&) = delete;
    HttpModule& operator=(const HttpModule&) = delete;

    // Starts one GET of `address`, a request owned by `parent` that reports
    // once to `handler` (see CHttpAsyncRequest). When the module cannot be
    // loaded the handler hears OnError, from the event loop like any other
    // failure, unless `parent` is gone by then.
    void Get(CHttpHandler* handler, const HttpLimits& limits, QObject* parent, const QString& address);

    // Why the module could not be loaded; empty when it was, or was not tried.
    QString Error() const { return m_error; }

private:
    using GetEntry = void (*)(CHttpHandler*, const HttpLimits*, QObject*, const QString*);

    GetEntry Load();

    QString m_folder;
    bool m_tried = false;
    GetEntry m_get = nullptr;
    QString m_error;
};
