#include "platformexport/ExportBytes.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include <sys/uio.h>

qsizetype ExportBytes::Size() const
{
    qsizetype size = 0;
    for (const QByteArray& piece : m_pieces)
        size += piece.size();
    return size;
}

QByteArray ExportBytes::Joined() const
{
    if (m_pieces.size() == 1)
        return m_pieces.front();
    QByteArray joined;
    joined.reserve(Size());
    for (const QByteArray& piece : m_pieces)
        joined += piece;
    return joined;
}

bool ExportBytes::WriteTo(int fd, QString* error) const
{
    std::vector<iovec> parts;
    parts.reserve(m_pieces.size());
    for (const QByteArray& piece : m_pieces)
        parts.push_back({const_cast<char*>(piece.constData()), static_cast<std::size_t>(piece.size())});
    std::size_t first = 0;
    while (first < parts.size()) {
        const int count = static_cast<int>(std::min<std::size_t>(parts.size() - first, IOV_MAX));
        const ssize_t written = ::writev(fd, parts.data() + first, count);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            *error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        // Past what was written; a part written in part goes on from there.
        for (std::size_t left = static_cast<std::size_t>(written); first < parts.size();) {
            if (left < parts[first].iov_len) {
                parts[first].iov_base = static_cast<char*>(parts[first].iov_base) + left;
                parts[first].iov_len -= left;
                break;
            }
            left -= parts[first].iov_len;
            ++first;
        }
    }
    return true;
}
