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
constexpr std::size_t LocalHeaderSize = 30;
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

bool Fits32(qsizetype value)
{
    return value >= 0 && static_cast<std::uint64_t>(value) <= std::numeric_limits<std::uint32_t>::max();
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

std::uint32_t ZipArchive::Crc(std::string_view content)
{
    return libdeflate_crc32(0, content.data(), content.size());
}

void ZipArchive::Add(std::string_view name, std::string_view content)
{
    Add(name, content, Crc(content));
}

void ZipArchive::Add(std::string_view name, std::string_view content, std::uint32_t crc)
{
    if (!Fits32(static_cast<qsizetype>(m_bytes.Size())) || !Fits32(static_cast<qsizetype>(content.size()))
        || name.size() > 0xffff) {
        m_tooLarge = true;
        return;
    }
    Entry entry;
    entry.offset = static_cast<std::uint32_t>(m_bytes.Size());
    entry.size = static_cast<std::uint32_t>(content.size());
    entry.crc = crc;
    entry.nameSize = static_cast<std::uint16_t>(name.size());
    Header header;
    header.Put32(LocalHeaderSignature);
    PutCommonFields(header, m_dosTime, m_dosDate, entry.crc, entry.size, entry.nameSize);
    header.AppendTo(m_bytes);
    m_bytes += name;
    m_bytes += content;
    m_entries.push_back(entry);
}

QByteArray ZipArchive::Bytes(QString* error)
{
    const qsizetype directoryStart = static_cast<qsizetype>(m_bytes.Size());
    if (m_tooLarge || m_entries.size() > 0xffff || !Fits32(directoryStart)) {
        *error = TooLarge();
        return {};
    }
    std::size_t directory = EndSize;
    for (const Entry& entry : m_entries)
        directory += CentralHeaderSize + entry.nameSize;
    m_bytes.Reserve(m_bytes.Size() + directory);
    for (const Entry& entry : m_entries) {
        Header header;
        header.Put32(CentralHeaderSignature);
        header.Put16(VersionMadeBy);
        PutCommonFields(header, m_dosTime, m_dosDate, entry.crc, entry.size, entry.nameSize);
        header.Put16(0); // no comment
        header.Put16(0); // disk
        header.Put16(0); // internal attributes
        header.Put32(FileMode);
        header.Put32(entry.offset);
        header.AppendTo(m_bytes);
        // The name as its local header holds it (the room made above keeps
        // the buffer where it is).
        m_bytes += m_bytes.View().substr(entry.offset + LocalHeaderSize, entry.nameSize);
    }
    const qsizetype directorySize = static_cast<qsizetype>(m_bytes.Size()) - directoryStart;
    if (!Fits32(static_cast<qsizetype>(m_bytes.Size()))) {
        *error = TooLarge();
        return {};
    }
    Header end;
    end.Put32(EndSignature);
    end.Put16(0); // this disk
    end.Put16(0); // the directory's disk
    end.Put16(static_cast<std::uint16_t>(m_entries.size()));
    end.Put16(static_cast<std::uint16_t>(m_entries.size()));
    end.Put32(static_cast<std::uint32_t>(directorySize));
    end.Put32(static_cast<std::uint32_t>(directoryStart));
    end.Put16(0); // no comment
    end.AppendTo(m_bytes);
    m_entries.clear();
    return m_bytes.Take();
}
