#pragma once

#include "platformexport/ExportBytes.h"
#include "platformexport/Utf8Text.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A zip archive made in memory, its files stored as they are: each file's
// header and bytes are appended as it is added and the directory at the
// end. The files of an export are many XML documents of a kilobyte or two,
// which deflating one by one hardly shrinks; a library writing them took
// a third of the export's time and held the archive twice.
//
// Files may be laid out apart, in archives made by Sibling (on other
// threads), and appended whole: their bytes are kept as they are and
// become pieces of the finished archive.
class ZipArchive {
public:
    ZipArchive();
    // An empty archive dated as this one, for files to be appended later.
    ZipArchive Sibling() const;

    // Room for `bytes` of files and headers at once.
    void Reserve(std::size_t bytes) { m_bytes.Reserve(bytes); }
    // A file named `name` (UTF-8, "/" between folders) holding `content`.
    void Add(std::string_view name, std::string_view content);
    // The files of `files` (a sibling), after this archive's.
    void Append(ZipArchive&& files);
    static std::uint32_t Crc(std::string_view content);

    // The archive as pieces; empty, with the reason in `error`, when it
    // would need the 64-bit extensions (over 65,535 files or 4 GiB).
    ExportBytes Pieces(QString* error);

private:
    struct Entry {
        std::uint32_t crc = 0;
        std::uint32_t size = 0;
        std::uint64_t offset = 0; // of its local header
        std::size_t nameAt = 0;   // in m_names
        std::uint16_t nameSize = 0;
    };
    // The bytes written so far into m_bytes, as a finished piece.
    void FinishPiece();
    Utf8Text Directory(std::uint64_t start) const;

    std::vector<QByteArray> m_pieces; // finished, before m_bytes
    std::uint64_t m_piecesSize = 0;
    Utf8Text m_bytes;
    std::vector<Entry> m_entries;
    std::string m_names; // every file's name, one after the other
    std::uint16_t m_dosTime = 0;
    std::uint16_t m_dosDate = 0;
    bool m_tooLarge = false;
};
