#include "bookimport/TextDecoder.h"

#include <cerrno>
#include <iconv.h>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Control characters other than tab, line feed and carriage return (and
// the end-of-file mark some old editors leave) do not occur in a sheet.
bool LooksBinary(const QByteArray& bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != 0x1A)
            return true;
    }
    return false;
}

} // namespace

bool TextDecoder::IsUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char lead = *p++;
        if (lead < 0x80)
            continue;
        int follow = 0;
        unsigned int code = 0;
        unsigned int least = 0;
        if ((lead & 0xE0) == 0xC0) {
            follow = 1;
            code = lead & 0x1F;
            least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            follow = 2;
            code = lead & 0x0F;
            least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            follow = 3;
            code = lead & 0x07;
            least = 0x10000;
        } else {
            return false;
        }
        if (end - p < follow)
            return false;
        for (int i = 0; i < follow; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        p += follow;
        // Overlong forms, surrogates and values past the last code point are not UTF-8.
        if (code < least || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
    }
    return true;
}

bool TextDecoder::FromCp932(const QByteArray& bytes, QByteArray& utf8)
{
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    QByteArray in = bytes;
    QByteArray out(bytes.size() * 3 / 2 + 16, Qt::Uninitialized);
    char* inPtr = in.data();
    std::size_t inLeft = static_cast<std::size_t>(in.size());
    char* outPtr = out.data();
    std::size_t outLeft = static_cast<std::size_t>(out.size());
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1))
            continue;
        if (errno != E2BIG) {
            ok = false;
            break;
        }
        const auto used = outPtr - out.data();
        out.resize(out.size() * 2);
        outPtr = out.data() + used;
        outLeft = static_cast<std::size_t>(out.size() - used);
    }
    iconv_close(cd);
    if (!ok)
        return false;
    out.truncate(outPtr - out.data());
    utf8 = out;
    return true;
}

TextDecoder::Result TextDecoder::Decode(const QByteArray& bytes)
{
    Result result;
    if (bytes.startsWith(kUtf8Bom)) {
        result.utf8 = bytes.mid(kUtf8Bom.size());
        result.encoding = QStringLiteral("UTF-8 (BOM)");
        result.ok = IsUtf8(result.utf8) && !LooksBinary(result.utf8);
        if (!result.ok)
            result.error = QStringLiteral("UTF-8 の印がありますが、正しい UTF-8 のテキストではありません");
        return result;
    }
    if (LooksBinary(bytes)) {
        result.error = QStringLiteral("テキストファイルではありません（制御文字を含んでいます）");
        return result;
    }
    if (IsUtf8(bytes)) {
        result.ok = true;
        result.utf8 = bytes;
        result.encoding = QStringLiteral("UTF-8");
        return result;
    }
    if (FromCp932(bytes, result.utf8)) {
        result.ok = true;
        result.encoding = QStringLiteral("Shift_JIS");
        return result;
    }
    result.utf8.clear();
    result.error = QStringLiteral("文字コードが UTF-8 でも Shift_JIS でもありません");
    return result;
}
