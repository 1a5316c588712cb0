#pragma once
// Takes write access to some files and folders away for as long as it
// lives, so a test can meet a user database that can be read but not
// written. Permission bits do not bind root: run as root, the process acts
// as "nobody" meanwhile (its effective user only), and every folder on the
// way must then be open to all, which `open` lists.
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <unistd.h>

class ReadOnlyAccess {
public:
    ReadOnlyAccess(const QStringList& readOnly, const QStringList& open)
        : m_readOnly(readOnly)
        , m_open(open)
    {
        for (const QString& path : m_open)
            QFile::setPermissions(path, Bits(path, true));
        for (const QString& path : m_readOnly)
            QFile::setPermissions(path, Bits(path, false));
        if (geteuid() == 0)
            m_wasRoot = seteuid(kNobody) == 0;
    }
    ~ReadOnlyAccess()
    {
        if (m_wasRoot && seteuid(0) != 0)
            std::abort(); // every later test would run as nobody
        for (const QString& path : m_readOnly)
            QFile::setPermissions(path, Bits(path, true));
    }
    ReadOnlyAccess(const ReadOnlyAccess&) = delete;
    ReadOnlyAccess& operator=(const ReadOnlyAccess&) = delete;

private:
    static constexpr uid_t kNobody = 65534;

    static QFile::Permissions Bits(const QString& path, bool writable)
    {
        QFile::Permissions bits = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        if (QFileInfo(path).isDir())
            bits |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        if (writable)
            bits |= QFile::WriteOwner;
        return bits;
    }

    QStringList m_readOnly;
    QStringList m_open;
    bool m_wasRoot = false;
};
