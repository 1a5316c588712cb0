#pragma once
// Turns one fuzzer input into the texts a target feeds to the code under
// test: the bytes read as UTF-8 (what a book database or the user database
// stores) and read as raw UTF-16 code units (unpaired surrogates and all).
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace Fuzz {

inline std::array<QString, 2> TextsOf(const uint8_t* data, size_t size)
{
    QString utf8 = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString utf16(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    if (!utf16.isEmpty()) // the input need not be aligned for char16_t
        std::memcpy(utf16.data(), data, static_cast<size_t>(utf16.size()) * sizeof(char16_t));
    return {std::move(utf8), std::move(utf16)};
}

// A broken invariant is a crash the fuzzer reports with its input.
inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace Fuzz
