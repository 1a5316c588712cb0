#include "model/DecimalText.h"

#include <limits>

namespace DecimalText {

std::optional<int> Scan(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    const qsizetype firstDigit = i;
    long long value = 0;
    constexpr long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > limit)
            return std::nullopt;
        ++i;
    }
    if (i == firstDigit)
        return std::nullopt;
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

QString Format(int value)
{
    return QString::number(value);
}

} // namespace DecimalText
