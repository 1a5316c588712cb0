#include "desktop/TextFormat.h"

#include <vector>

namespace {

struct ConversionSpec {
    QString flags;
    int width = -1;
    int precision = -1;
    QChar conversion;
};

bool IsFlag(QChar c)
{
    return c == u'-' || c == u'+' || c == u' ' || c == u'#' || c == u'0';
}

bool IsLengthModifier(QChar c)
{
    return c == u'h' || c == u'l' || c == u'L' || c == u'q' || c == u'j' || c == u'z' || c == u't' || c == u'I';
}

int ReadNumber(const QString& format, qsizetype& pos)
{
    int value = 0;
    while (pos < format.size() && format[pos].isDigit()) {
        value = value * 10 + format[pos].digitValue();
        if (value > 100000)
            value = 100000;
        ++pos;
    }
    return value;
}

// Reads the conversion that starts after the '%' at `pos`; on return `pos`
// is just past it. Returns false when the text ends before a conversion.
bool ReadSpec(const QString& format, qsizetype& pos, ConversionSpec& directive)
{
    while (pos < format.size() && IsFlag(format[pos]))
        directive.flags += format[pos++];
    if (pos < format.size() && format[pos].isDigit())
        directive.width = ReadNumber(format, pos);
    if (pos < format.size() && format[pos] == u'.') {
        ++pos;
        directive.precision = ReadNumber(format, pos);
    }
    while (pos < format.size() && IsLengthModifier(format[pos]))
        ++pos;
    if (pos >= format.size())
        return false;
    directive.conversion = format[pos++];
    return true;
}

QString Pad(const QString& field, const ConversionSpec& directive, bool zeroAllowed)
{
    if (directive.width <= field.size())
        return field;
    const qsizetype fill = directive.width - field.size();
    if (directive.flags.contains(u'-'))
        return field + QString(fill, u' ');
    if (zeroAllowed && directive.flags.contains(u'0') && directive.precision < 0) {
        const qsizetype signLength
            = (!field.isEmpty() && (field[0] == u'-' || field[0] == u'+' || field[0] == u' ')) ? 1 : 0;
        return field.left(signLength) + QString(fill, u'0') + field.mid(signLength);
    }
    return QString(fill, u' ') + field;
}

QString FormatInteger(const ConversionSpec& directive, const FormatArg& arg)
{
    const qint64 value = arg.IsNumber() ? arg.Number() : arg.Text().toLongLong();
    const char conversion = static_cast<char>(directive.conversion.unicode());
    QString digits;
    if (conversion == 'd' || conversion == 'i') {
        digits = QString::number(value < 0 ? -static_cast<quint64>(value) : static_cast<quint64>(value));
    } else {
        // Unsigned conversions see the value as the 32-bit integer it was passed as.
        const quint64 bits = static_cast<quint32>(value);
        const int base = conversion == 'o' ? 8 : (conversion == 'u' ? 10 : 16);
        digits = QString::number(bits, base);
        if (conversion == 'X')
            digits = digits.toUpper();
    }
    if (directive.precision >= 0 && digits.size() < directive.precision)
        digits.prepend(QString(directive.precision - digits.size(), u'0'));
    if (directive.precision == 0 && value == 0)
        digits.clear();
    QString sign;
    if (conversion == 'd' || conversion == 'i') {
        if (value < 0)
            sign = QStringLiteral("-");
        else if (directive.flags.contains(u'+'))
            sign = QStringLiteral("+");
        else if (directive.flags.contains(u' '))
            sign = QStringLiteral(" ");
    } else if (directive.flags.contains(u'#') && value != 0) {
        sign = conversion == 'o' ? QStringLiteral("0")
                                 : (conversion == 'X' ? QStringLiteral("0X") : QStringLiteral("0x"));
    }
    return Pad(sign + digits, directive, true);
}

QString FormatString(const ConversionSpec& directive, const FormatArg& arg)
{
    QString text = arg.IsNumber() ? QString::number(arg.Number()) : arg.Text();
    if (directive.precision >= 0 && text.size() > directive.precision)
        text.truncate(directive.precision);
    return Pad(text, directive, false);
}

QString FormatCharacter(const ConversionSpec& directive, const FormatArg& arg)
{
    QString text;
    if (arg.IsNumber())
        text = QString(QChar(static_cast<char16_t>(arg.Number())));
    else
        text = arg.Text().left(1);
    return Pad(text, directive, false);
}

} // namespace

QString FormatText(const QString& format, std::initializer_list<FormatArg> args)
{
    const std::vector<FormatArg> arguments(args);
    const FormatArg missing{QString()};
    size_t next = 0;
    QString result;
    result.reserve(format.size());
    qsizetype pos = 0;
    while (pos < format.size()) {
        const QChar c = format[pos];
        if (c != u'%') {
            result += c;
            ++pos;
            continue;
        }
        const qsizetype start = pos++;
        if (pos < format.size() && format[pos] == u'%') {
            result += u'%';
            ++pos;
            continue;
        }
        ConversionSpec directive;
        if (!ReadSpec(format, pos, directive)) {
            result += format.mid(start);
            break;
        }
        const char conversion = static_cast<char>(directive.conversion.unicode());
        const bool known = QStringLiteral("diuxXocsS").contains(directive.conversion);
        if (!known) {
            result += format.mid(start, pos - start);
            continue;
        }
        const FormatArg& arg = next < arguments.size() ? arguments[next] : missing;
        ++next;
        if (conversion == 's' || conversion == 'S')
            result += FormatString(directive, arg);
        else if (conversion == 'c')
            result += FormatCharacter(directive, arg);
        else if (next <= arguments.size())
            result += FormatInteger(directive, arg);
    }
    return result;
}
