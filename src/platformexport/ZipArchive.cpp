#include "platformexport/ZipArchive.h"

#include <QDateTime>

#include <libdeflate.h>

#include <array>
#include <limits>

namespace {

constexpr std::uint32_t LocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t CentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t EndSignature = 0x06054b50;
constexpr std::uint16_t VersionNeeded = 20;
constexpr std::uint16_t VersionMadeBy = (3 << 8) | 20; // Unix, 2.0
constexpr std::uint16_t Utf8Names = 1 << 11;
constexpr std::uint16_t Stored = 0;
constexpr std::uint32_t FileMode = 0100644u << 16; // a plain file, rw-r--r--
constexpr std::size_t CentralHeaderSize = 46;
constexpr std::size_t EndSize = 22;

// Little-endian fields, gathered in a header before it is appended whole.
class Header {
public:
    void Put16(std::uint16_t value)
    {
        m_bytes[m_size++] = static_cast<char>(value & 0xff);
        m_bytes[m_size++] = static_cast<char>(value >> 8);
    }
    void Put32(std::uint32_t value)
    {
        Put16(static_cast<std::uint16_t>(value & 0xffff));
        Put16(static_cast<std::uint16_t>(value >> 16));
    }
    void AppendTo(Utf8Text& out) const { out += std::string_view(m_bytes.data(), static_cast<std::size_t>(m_size)); }

private:
    std::array<char, 64> m_bytes{};
    qsizetype m_size = 0;
};

// The fields local and central headers share, from "version needed" to
// the extra field's length.
void PutCommonFields(Header& header, std::uint16_t time, std::uint16_t date, std::uint32_t crc, std::uint32_t size,
    std::uint16_t nameLength)
{
    header.Put16(VersionNeeded);
    header.Put16(Utf8Names);
    header.Put16(Stored);
    header.Put16(time);
    header.Put16(date);
    header.Put32(crc);
    header.Put32(size); // stored: compressed size = size
    header.Put32(size);
    header.Put16(nameLength);
    header.Put16(0); // no extra field
}

QString TooLarge()
{
    return QStringLiteral("ファイルが多すぎるか大きすぎて zip にまとめられません（65,535 個、4 GiB まで）");
}

} // namespace

ZipArchive::ZipArchive()
{
    // MS-DOS date and time, local, as every zip tool reads them.
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    m_dosTime = static_cast<std::uint16_t>((time.hour() << 11) | (time.minute() << 5) | (time.second() / 2));
    m_dosDate
        = static_cast<std::uint16_t>(((std::max(date.year(), 1980) - 1980) << 9) | (date.month() << 5) | date.day());
}

ZipArchive ZipArchive::Sibling() const
{
    ZipArchive sibling;
    sibling.m_dosTime = m_dosTime;
    sibling.m_dosDate = m_dosDate;
    return sibling;
}

std::uint32_t ZipArchive::Crc(std::string_view content)
{
    return libdeflate_crc32(0, content.data(), content.size());
}

void ZipArchive::Add(std::string_view name, std::string_view content)
{
    if (content.size() > std::numeric_limits<std::uint32_t>::max() || name.size() > 0xffff) {
        m_tooLarge = true;
        return;
    }
    Entry entry;
    entry.offset = m_piecesSize + m_bytes.Size();
    entry.size = static_cast<std::uint32_t>(content.size());
    entry.crc = Crc(content);
    entry.nameAt = m_names.size();
    entry.nameSize = static_cast<std::uint16_t>(name.size());
    m_names += name;
    Header header;
    header.Put32(LocalHeaderSignature);
    PutCommonFields(header, m_dosTime, m_dosDate, entry.crc, entry.size, entry.nameSize);
    header.AppendTo(m_bytes);
    m_bytes += name;
    m_bytes += content;
    m_entries.push_back(entry);
}

void ZipArchive::FinishPiece()
{
    if (m_bytes.Size() == 0)
        return;
    m_piecesSize += m_bytes.Size();
    m_pieces.push_back(m_bytes.Take());
}

void ZipArchive::Append(ZipArchive&& files)
{
    FinishPiece();
    files.FinishPiece();
    const std::uint64_t start = m_piecesSize;
    const std::size_t namesStart = m_names.size();
    m_names += files.m_names;
    for (Entry entry : files.m_entries) {
        entry.offset += start;
        entry.nameAt += namesStart;
        m_entries.push_back(entry);
    }
    for (QByteArray& piece : files.m_pieces)
        m_pieces.push_back(std::move(piece));
    m_piecesSize += files.m_piecesSize;
    m_tooLarge = m_tooLarge || files.m_tooLarge;
}

// The central directory of the files, which begins at `start`, and its end.
Utf8Text ZipArchive::Directory(std::uint64_t start) const
{
    Utf8Text directory;
    directory.Reserve(EndSize + m_names.size() + m_entries.size() * CentralHeaderSize);
    for (const Entry& entry : m_entries) {
        Header header;
        header.Put32(CentralHeaderSignature);
        header.Put16(VersionMadeBy);
        PutCommonFields(header, m_dosTime, m_dosDate, entry.crc, entry.size, entry.nameSize);
        header.Put16(0); // no comment
        header.Put16(0); // disk
        header.Put16(0); // internal attributes
        header.Put32(FileMode);
        header.Put32(static_cast<std::uint32_t>(entry.offset));
        header.AppendTo(directory);
        directory += std::string_view(m_names).substr(entry.nameAt, entry.nameSize);
    }
    const std::size_t directorySize = directory.Size();
    Header end;
    end.Put32(EndSignature);
    end.Put16(0); // this disk
    end.Put16(0); // the directory's disk
    end.Put16(static_cast<std::uint16_t>(m_entries.size()));
    end.Put16(static_cast<std::uint16_t>(m_entries.size()));
    end.Put32(static_cast<std::uint32_t>(directorySize));
    end.Put32(static_cast<std::uint32_t>(start));
    end.Put16(0); // no comment
    end.AppendTo(directory);
    return directory;
}

ExportBytes ZipArchive::Pieces(QString* error)
{
    FinishPiece();
    const std::uint64_t directoryStart = m_piecesSize;
    const std::uint64_t directorySize = m_names.size() + m_entries.size() * CentralHeaderSize;
    const std::uint64_t limit = std::numeric_limits<std::uint32_t>::max();
    // Every offset, the directory's start and size included, must fit the
    // 32-bit fields (the last file's offset is below the directory's).
    if (m_tooLarge || m_entries.size() > 0xffff || directoryStart > limit || directoryStart + directorySize > limit) {
        *error = TooLarge();
        return {};
    }
    ExportBytes bytes;
    for (QByteArray& piece : m_pieces)
        bytes.Add(std::move(piece));
    bytes.Add(Directory(directoryStart).Take());
    m_pieces.clear();
    m_entries.clear();
    m_names.clear();
    m_piecesSize = 0;
    return bytes;
}
