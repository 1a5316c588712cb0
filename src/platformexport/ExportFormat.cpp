#include "platformexport/ExportFormat.h"

#include <QFileInfo>

ExportFormat::Kind ExportFormat::OfFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const Kind kind : All()) {
        if (suffix == Extension(kind))
            return kind;
    }
    return kNone;
}

QString ExportFormat::Extension(Kind kind)
{
    switch (kind) {
    case kMoodleXml: return QStringLiteral("xml");
    case kGift: return QStringLiteral("gift");
    case kQtiPackage: return QStringLiteral("zip");
    case kSelfCheckPage: return QStringLiteral("html");
    case kAnswerKey: return QStringLiteral("csv");
    case kNone: break;
    }
    return {};
}

QList<ExportFormat::Kind> ExportFormat::All()
{
    return {kSelfCheckPage, kMoodleXml, kGift, kQtiPackage, kAnswerKey};
}

QStringList ExportFormat::Extensions()
{
    QStringList extensions;
    for (const Kind kind : All())
        extensions << QLatin1Char('.') + Extension(kind);
    return extensions;
}
