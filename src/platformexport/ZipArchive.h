#pragma once

#include "platformexport/Utf8Text.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

// A zip archive made in memory, its files stored as they are: each file's
// header and bytes are appended as it is added and the directory at the
// end. The files of an export are many XML documents of a kilobyte or two,
// which deflating one by one hardly shrinks; a library writing them took
// a third of the export's time and held the archive twice.
class ZipArchive {
public:
    ZipArchive();

    // Room for `bytes` of files and headers at once.
    void Reserve(std::size_t bytes) { m_bytes.Reserve(bytes); }
    // A file named `name` (UTF-8, "/" between folders) holding `content`.
    void Add(std::string_view name, std::string_view content);
    // The same with the content's CRC-32 known (made where the content was).
    void Add(std::string_view name, std::string_view content, std::uint32_t crc);
    static std::uint32_t Crc(std::string_view content);
    // The archive; empty, with the reason in `error`, when it would need
    // the 64-bit extensions (over 65,535 files or 4 GiB).
    QByteArray Bytes(QString* error);

private:
    struct Entry {
        std::uint32_t crc = 0;
        std::uint32_t size = 0;
        std::uint32_t offset = 0; // of its local header, which the name follows
        std::uint16_t nameSize = 0;
    };
    Utf8Text m_bytes;
    std::vector<Entry> m_entries;
    std::uint16_t m_dosTime = 0;
    std::uint16_t m_dosDate = 0;
    bool m_tooLarge = false;
};
