#include "platformexport/ExportBytes.h"

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
