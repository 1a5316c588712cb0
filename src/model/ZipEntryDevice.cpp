#include "model/ZipEntryDevice.h"

#include <QFile>

#include <algorithm>

ZipEntryDevice::Archive ZipEntryDevice::OpenArchive(const QString& path)
{
    int error = 0;
    return Archive(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error));
}

ZipEntryDevice::ZipEntryDevice(zip_t* archive, zip_uint64_t index, qint64 limit)
    : m_file(zip_fopen_index(archive, index, 0))
    , m_left(limit)
{
    m_failed = m_file == nullptr;
    open(QIODevice::ReadOnly);
}

ZipEntryDevice::~ZipEntryDevice()
{
    if (m_file)
        zip_fclose(m_file);
}

qint64 ZipEntryDevice::readData(char* data, qint64 maxSize)
{
    if (!m_file || m_overLimit || m_failed)
        return -1;
    // One byte past the limit tells an entry that ends at it from a longer one.
    const qint64 wanted = std::min(maxSize, m_left + 1);
    if (wanted <= 0)
        return 0;
    const zip_int64_t got = zip_fread(m_file, data, static_cast<zip_uint64_t>(wanted));
    if (got < 0) {
        m_failed = true;
        return -1;
    }
    if (got > m_left) {
        m_overLimit = true;
        return -1;
    }
    m_left -= got;
    m_inflated += got;
    return got;
}
