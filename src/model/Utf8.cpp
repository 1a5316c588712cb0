#include "model/Utf8.h"

std::string ToUtf8(const QString& text)
{
    return text.toStdString();
}

QString FromUtf8(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

QString FromUtf8(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}
