#pragma once

#include <QString>
#include <QStringList>

// The file formats a print run writes, told by the file name's extension
// (case does not matter): "pdf", "odt", "docx" and "doc".
class OutputFormat {
public:
    // The format of `path`; empty when its extension is none of them.
    static QString OfFile(const QString& path);
    // The extensions, with their dots, for messages: ".pdf", ".odt", ...
    static QStringList Extensions();
};
