#pragma once

#include <QIODevice>
#include <QString>

#include <zip.h>

#include <memory>

// One entry of a zip archive, read through libzip as a device that inflates
// a block at a time as it is read, so that no entry is ever held whole. It
// gives at most `limit` bytes: an entry that inflates to more (whatever its
// size in the archive's directory says) ends there, with OverLimit set.
class ZipEntryDevice : public QIODevice {
public:
    struct ArchiveCloser {
        void operator()(zip_t* archive) const { zip_discard(archive); }
    };
    using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
    // The zip archive at `path`, opened for reading; null when the file is
    // none (or cannot be read).
    static Archive OpenArchive(const QString& path);

    ZipEntryDevice(zip_t* archive, zip_uint64_t index, qint64 limit);
    ~ZipEntryDevice() override;

    bool isSequential() const override { return true; }
    bool OverLimit() const { return m_overLimit; }
    // Whether libzip failed to inflate the entry (damaged data).
    bool Failed() const { return m_failed; }
    // The bytes inflated so far.
    qint64 Inflated() const { return m_inflated; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    zip_file_t* m_file = nullptr;
    qint64 m_left;
    qint64 m_inflated = 0;
    bool m_overLimit = false;
    bool m_failed = false;
};
