#include "automation/SheetRows.h"

namespace {

quint32 ReadLength(const char*& at)
{
    quint32 length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(*at++);
        length |= static_cast<quint32>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return length;
    }
}

} // namespace

QString SheetRows::Row::Cell(int column) const
{
    const Entry& entry = m_rows->m_rows[m_index];
    if (column < 0 || column >= entry.cells)
        return QString();
    const char* at = m_rows->m_text.constData() + entry.offset;
    for (int c = 0;; ++c) {
        const quint32 length = ReadLength(at);
        if (c == column)
            return length == 0 ? QString() : QString::fromUtf8(at, static_cast<qsizetype>(length));
        at += length;
    }
}

SheetRow SheetRows::Row::Whole() const
{
    const Entry& entry = m_rows->m_rows[m_index];
    SheetRow row;
    row.row = entry.number;
    row.cells.reserve(entry.cells);
    const char* at = m_rows->m_text.constData() + entry.offset;
    for (int c = 0; c < entry.cells; ++c) {
        const quint32 length = ReadLength(at);
        row.cells.append(length == 0 ? QString() : QString::fromUtf8(at, static_cast<qsizetype>(length)));
        at += length;
    }
    return row;
}

void SheetRows::AppendLength(quint32 length)
{
    while (length >= 0x80) {
        m_text.append(static_cast<char>((length & 0x7F) | 0x80));
        length >>= 7;
    }
    m_text.append(static_cast<char>(length));
}

void SheetRows::push_back(const SheetRow& row)
{
    m_rows.push_back(Entry{m_text.size(), row.row, static_cast<int>(row.cells.size())});
    for (const QString& cell : row.cells) {
        const QByteArray utf8 = cell.toUtf8();
        AppendLength(static_cast<quint32>(utf8.size()));
        m_text.append(utf8);
    }
}

void SheetRows::BeginRow(int number)
{
    m_rows.push_back(Entry{m_text.size(), number, 0});
    m_rowEnd = m_text.size();
    m_rowCells = 0;
}

void SheetRows::AddCell(QByteArrayView utf8)
{
    AppendLength(static_cast<quint32>(utf8.size()));
    m_text.append(utf8);
    ++m_rows.back().cells;
    if (!utf8.isEmpty()) {
        m_rowEnd = m_text.size();
        m_rowCells = m_rows.back().cells;
    }
}

void SheetRows::EndRow()
{
    m_text.truncate(m_rowEnd);
    m_rows.back().cells = m_rowCells;
    if (m_rowCells == 0)
        m_rows.pop_back();
}

void SheetRows::Truncate(std::size_t count)
{
    if (count >= m_rows.size())
        return;
    m_text.truncate(m_rows[count].offset);
    m_rows.resize(count);
    Squeeze();
}

void SheetRows::RemoveFirst()
{
    if (!m_rows.empty())
        m_rows.erase(m_rows.begin());
}

void SheetRows::Squeeze()
{
    m_text.squeeze();
    m_rows.shrink_to_fit();
}
