#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// A zip archive made in memory through libzip: files are added by name and
// the archive's bytes taken at the end.
class ZipArchive {
public:
    void Add(const QString& name, QByteArray content);
    // The archive; empty, with libzip's reason in `error`, on failure.
    QByteArray Bytes(QString* error) const;

private:
    struct Entry {
        QString name;
        QByteArray content;
    };
    std::vector<Entry> m_entries;
};
