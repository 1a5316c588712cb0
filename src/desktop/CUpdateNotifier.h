#pragma once

#include "desktop/MessageSink.h"

#include <QString>

#include <functional>

class UpdateMenu;

// What the user sees of the update check: the menu command that leads to
// a newer version, and (unless quiet) a message box for "up to date" and
// for a failed check. Lives as long as the main window.
class CUpdateNotifier {
public:
    // Opens an address in the browser; true when the browser started.
    using BrowserOpener = std::function<bool(const QString& address)>;

    explicit CUpdateNotifier(BrowserOpener openInBrowser = {});
    virtual ~CUpdateNotifier() = default;

    // The menu bar to change (not owned; nullptr: no menu to change).
    void SetOwner(UpdateMenu* owner) { m_owner = owner; }
    UpdateMenu* Owner() const { return m_owner; }

    // Quiet: no message boxes (the check at start-up). Starts quiet.
    void SetQuiet(bool quiet) { m_quiet = quiet; }
    bool IsQuiet() const { return m_quiet; }

    // A check answered: `downloadAddress` is where the newer version is,
    // or empty when the installed version is current. Adds or removes the
    // menu command; tells the user (unless quiet) that all is current.
    void SetResult(const QString& downloadAddress);

    // Shows string `stringId` with `icon`, unless quiet.
    void Report(int stringId, MessageIcon icon) const;

    // Where the newer version is; empty when none is known.
    const QString& DownloadAddress() const { return m_downloadAddress; }

    // The menu command: opens the download address in the browser. False
    // when no address is known or the browser did not start.
    bool OpenDownloadPage() const;

private:
    void UpdateMenuItem();

    BrowserOpener m_openInBrowser;
    UpdateMenu* m_owner = nullptr;
    QString m_downloadAddress;
    bool m_quiet = true;
};
