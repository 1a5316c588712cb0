#pragma once
// Saves every format of the desktop clipboard and puts them back, so that a
// print run (which copies the template's header block through the clipboard)
// leaves the user's clipboard as it found it.
#include "print/ClipboardBackup.h"

#include <QByteArray>
#include <QString>
#include <vector>

class QClipboard;
class QMimeData;

class CClipboardBackup : public Print::ClipboardBackup {
public:
    // One saved clipboard format: its MIME type and its bytes.
    struct Entry {
        QString format;
        QByteArray data;
        bool operator==(const Entry&) const = default;
    };

    // Longest wait for a clipboard that something else keeps busy.
    static constexpr double WaitLimitSeconds = 1.0;
    static constexpr int WaitPollMilliseconds = 10;

    // With restoreOnDestruction set, a backup that was saved and not yet
    // restored puts the clipboard back when it is destroyed, so that an
    // unwinding caller still leaves the clipboard as it was.
    explicit CClipboardBackup(bool restoreOnDestruction = true);
    ~CClipboardBackup() override;

    CClipboardBackup(const CClipboardBackup&) = delete;
    CClipboardBackup& operator=(const CClipboardBackup&) = delete;

    bool Save() override;
    bool Restore() override;

    // The formats saved by the last successful Save, in the clipboard's order.
    const std::vector<Entry>& Entries() const { return m_entries; }

    // Makes backups for the print creators.
    static Print::ClipboardBackupFactory Factory();

protected:
    // Whether something else keeps the clipboard busy right now. Nothing can
    // hold the clipboard open on the desktops this program runs on (reading
    // and writing it never needs a lock), so the answer here is always no and
    // the wait below returns at once; the bounded wait stays for subclasses
    // that can tell.
    virtual bool IsClipboardHeld() const;

    // Polls IsClipboardHeld every 10 ms for at most limitSeconds. Never
    // fails: it only delays.
    void WaitForClipboard(double limitSeconds) const;

private:
    static QClipboard* Clipboard();
    static bool HasImageEntry(const std::vector<Entry>& entries);
    void RestoreImage(QMimeData& mime) const;

    std::vector<Entry> m_entries;
    bool m_restoreOnDestruction;
    bool m_restorePending = false;
};
