#pragma once

#include <QString>
#include <QStringList>

// The formats the prints are exported to, told by the file's extension
// (case does not matter).
class ExportFormat {
public:
    enum Kind {
        kNone,
        kMoodleXml,     // .xml
        kGift,          // .gift
        kQtiPackage,    // .zip (QTI 2.1 content package)
        kSelfCheckPage, // .html
        kAnswerKey,     // .csv
    };

    static Kind OfFile(const QString& path);
    // The extension of a format, without its dot.
    static QString Extension(Kind kind);
    // Every format, in the order the save dialog offers them.
    static QList<Kind> All();
    // The extensions with their dots, for messages: ".xml .gift ...".
    static QStringList Extensions();
};
