#pragma once

#include "desktop/CHttpHandler.h"
#include "desktop/http/HttpLimits.h"

#include <QObject>
#include <QString>

#include <optional>

class CUpdateNotifier;

// Asks the support web site whether a newer version exists and passes the
// answer to a CUpdateNotifier. Several checks may be in flight; each
// reports on its own, in the order the answers arrive, so the last answer
// decides what the menu shows. Checks still running when the checker is
// destroyed are cancelled and report nothing.
class CVersionChecker : public CHttpHandler {
public:
    // Asks the address of string Res::IDS_SUPPORT_URL about this program's version.
    CVersionChecker();
    // Asks `baseAddress` (ending in "/") about `version`.
    CVersionChecker(const QString& baseAddress, const QString& version, const HttpLimits& limits = {});
    ~CVersionChecker() override;
    CVersionChecker(const CVersionChecker&) = delete;
    CVersionChecker& operator=(const CVersionChecker&) = delete;

    // Starts one check that reports to `notifier` (not owned; it must live
    // as long as this checker). The caller sets the notifier's owner and
    // quiet flag first. Without a version nothing is asked or shown.
    void Start(CUpdateNotifier* notifier);

    // The address asked: base address, "latest_version.asp?p=tv&v=", version.
    // Empty when there is no version.
    QString Address() const;

    // The download address in a server's answer: empty for a blank answer
    // (up to date), the trimmed address for an http or https address, and
    // nothing for any other answer (which counts as a failed check).
    static std::optional<QString> DownloadAddressIn(const QByteArray& body);

    void OnComplete(const QByteArray& body) override;
    void OnError(const QString& message) override;

private:
    QString m_baseAddress;
    QString m_version;
    HttpLimits m_limits;
    CUpdateNotifier* m_notifier = nullptr;
    QObject m_requests; // parent of the requests in flight
};
