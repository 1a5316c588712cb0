#include "markup/DecodeGaijiCode.h"

#include "markup/GaijiTag.h"

#include <QByteArray>

#include <cerrno>
#include <iconv.h>

namespace {

constexpr char16_t kReplacementChar = 0xFFFD;

// The leading hexadecimal digits of a pair (at most two characters).
unsigned char ParseHexByte(QStringView pair)
{
    int value = 0;
    for (QChar c : pair) {
        const int digit = GaijiTag::HexDigitValue(c);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return static_cast<unsigned char>(value);
}

QByteArray CodeBytes(QStringView codeText)
{
    QByteArray bytes;
    bytes.reserve((codeText.size() + 1) / 2);
    for (qsizetype i = 0; i < codeText.size(); i += 2) {
        const unsigned char byte = ParseHexByte(codeText.mid(i, 2));
        if (byte == 0)
            break; // the byte string ends at its first zero byte
        bytes.append(static_cast<char>(byte));
    }
    return bytes;
}

// One converter per thread, opened on first use and kept: opening is far
// dearer than a conversion of two bytes.
class Cp932Converter {
public:
    Cp932Converter()
        : cd_(iconv_open("UTF-16LE", "CP932"))
    {
    }
    ~Cp932Converter()
    {
        if (IsOpen())
            iconv_close(cd_);
    }
    Cp932Converter(const Cp932Converter&) = delete;
    Cp932Converter& operator=(const Cp932Converter&) = delete;

    bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    QString ToText(QByteArray bytes)
    {
        QString text;
        text.reserve(bytes.size());
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // fresh shift state
        char* in = bytes.data();
        size_t inLeft = static_cast<size_t>(bytes.size());
        while (inLeft > 0) {
            char buffer[256];
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(cd_, &in, &inLeft, &out, &outLeft);
            const int error = errno;
            AppendUtf16Le(text, buffer, out);
            if (result != static_cast<size_t>(-1))
                break;
            if (error == E2BIG)
                continue;
            text.append(QChar(kReplacementChar));
            if (error != EILSEQ)
                break; // an incomplete character at the end, or worse
            ++in;      // skip the byte that starts no character and go on
            --inLeft;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return text;
    }

private:
    static void AppendUtf16Le(QString& text, const char* begin, const char* end)
    {
        for (const char* p = begin; p + 1 < end; p += 2) {
            const auto low = static_cast<unsigned char>(p[0]);
            const auto high = static_cast<unsigned char>(p[1]);
            text.append(QChar(static_cast<char16_t>(low | (high << 8))));
        }
    }

    iconv_t cd_;
};

} // namespace

QString DecodeGaijiCode(QStringView codeText)
{
    const QByteArray bytes = CodeBytes(codeText);
    if (bytes.isEmpty())
        return {};
    thread_local Cp932Converter converter;
    if (!converter.IsOpen())
        return QString(QChar(kReplacementChar));
    return converter.ToText(bytes);
}
