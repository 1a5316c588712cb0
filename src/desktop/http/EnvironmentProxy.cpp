#include "desktop/http/EnvironmentProxy.h"

#include <QUrl>

namespace {

QByteArray FirstSet(std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const QByteArray value = qgetenv(name).trimmed();
        if (!value.isEmpty())
            return value;
    }
    return {};
}

// socks5:// and socks4:// would have libcurl look the server's name up
// here; the proxy does it instead.
QByteArray WithRemoteNames(const QByteArray& proxy)
{
    const qsizetype schemeEnd = proxy.indexOf("://");
    const QByteArray scheme = proxy.left(schemeEnd).toLower();
    if (schemeEnd < 0 || (scheme != "socks5" && scheme != "socks4"))
        return proxy;
    return scheme + (scheme == "socks5" ? "h" : "a") + proxy.mid(schemeEnd);
}

} // namespace

QByteArray EnvironmentProxy(const QUrl& url)
{
    const bool https = url.scheme().compare(u"https", Qt::CaseInsensitive) == 0;
    const QByteArray proxy = https ? FirstSet({"https_proxy", "HTTPS_PROXY", "http_proxy", "all_proxy", "ALL_PROXY"})
                                   : FirstSet({"http_proxy", "all_proxy", "ALL_PROXY"});
    return WithRemoteNames(proxy);
}
