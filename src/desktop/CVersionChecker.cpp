#include "desktop/CVersionChecker.h"

#include "desktop/CUpdateNotifier.h"
#include "desktop/HttpModule.h"
#include "desktop/UpdateLog.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <QUrl>

namespace {

bool IsAsciiGraphic(const QByteArray& text)
{
    for (const char c : text) {
        if (c < 0x21 || c > 0x7e)
            return false;
    }
    return true;
}

} // namespace

CVersionChecker::CVersionChecker()
    : CVersionChecker(Res::String(Res::IDS_SUPPORT_URL), QStringLiteral(TV_VERSION))
{
}

CVersionChecker::CVersionChecker(const QString& baseAddress, const QString& version, const HttpLimits& limits)
    : m_baseAddress(baseAddress)
    , m_version(version)
    , m_limits(limits)
{
}

CVersionChecker::~CVersionChecker() = default;

QString CVersionChecker::Address() const
{
    if (m_version.isEmpty())
        return QString();
    return m_baseAddress + QStringLiteral("latest_version.asp?p=tv&v=") + m_version;
}

void CVersionChecker::Start(CUpdateNotifier* notifier)
{
    const QString address = Address();
    if (address.isEmpty())
        return;
    m_notifier = notifier;
    HttpModule::Shared().Get(this, m_limits, &m_requests, address);
}

std::optional<QString> CVersionChecker::DownloadAddressIn(const QByteArray& body)
{
    const QByteArray trimmed = body.trimmed();
    if (trimmed.isEmpty())
        return QString();
    if (!IsAsciiGraphic(trimmed))
        return std::nullopt;
    const QUrl url(QString::fromLatin1(trimmed), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty())
        return std::nullopt;
    return QString::fromLatin1(trimmed);
}

void CVersionChecker::OnComplete(const QByteArray& body)
{
    const std::optional<QString> address = DownloadAddressIn(body);
    if (!address) {
        OnError(QStringLiteral("応答が最新版の場所ではない: ") + QString::fromLatin1(body.left(200)));
        return;
    }
    if (m_notifier)
        m_notifier->SetResult(*address);
}

void CVersionChecker::OnError(const QString& message)
{
    qCDebug(lcUpdateCheck) << message;
    if (m_notifier)
        m_notifier->Report(Res::IDS_ERR_UPDATE_CHECK, MessageIcon::Error);
}
