// The entry point of the update check's networking module (tavisko-http.so),
// which the program loads at its first request (HttpModule). A plain C
// name, looked up by name.
#include "desktop/CHttpAsyncRequest.h"

extern "C" {

// Starts one request of `address`, a child of `parent`, that reports to
// `handler` and then deletes itself.
__attribute__((visibility("default"))) void tv_http_get(
    CHttpHandler* handler, const HttpLimits* limits, QObject* parent, const QString* address)
{
    auto* request = new CHttpAsyncRequest(handler, *limits, parent);
    request->Start(*address);
}

} // extern "C"
