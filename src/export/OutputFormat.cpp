#include "export/OutputFormat.h"

#include <QFileInfo>

namespace {
const QStringList Formats
    = {QStringLiteral("pdf"), QStringLiteral("odt"), QStringLiteral("docx"), QStringLiteral("doc")};
} // namespace

QString OutputFormat::OfFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return Formats.contains(suffix) ? suffix : QString();
}

QStringList OutputFormat::Extensions()
{
    QStringList extensions;
    for (const QString& format : Formats)
        extensions << QLatin1Char('.') + format;
    return extensions;
}
