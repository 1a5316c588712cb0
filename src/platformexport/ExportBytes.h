#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// A finished export as pieces written one after the other: parts of an
// export made apart (each print's, on several cores) are written as they
// are instead of being copied into one buffer first.
class ExportBytes {
public:
    ExportBytes() = default;
    ExportBytes(QByteArray whole) // NOLINT: a single piece converts on purpose
    {
        Add(std::move(whole));
    }

    void Add(QByteArray piece)
    {
        if (!piece.isEmpty())
            m_pieces.push_back(std::move(piece));
    }
    bool IsEmpty() const { return m_pieces.empty(); }
    qsizetype Size() const;
    const std::vector<QByteArray>& Pieces() const { return m_pieces; }
    // The pieces in one buffer.
    QByteArray Joined() const;
    // Writes the pieces to the open file `fd` with as few system calls as
    // the system allows (a write per piece cost more than the writing of
    // small pieces); false, with the reason in `error`, on failure.
    bool WriteTo(int fd, QString* error) const;

private:
    std::vector<QByteArray> m_pieces;
};
