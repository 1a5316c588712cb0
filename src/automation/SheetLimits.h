#pragma once

#include <QString>
#include <QtGlobal>

// The largest sheet an import takes, so that no file can exhaust memory:
// each bound is well above a teacher's real lists and is refused with a
// message that names it, whatever the file's kind (CSV, ODS, XLSX).
class SheetLimits {
public:
    static constexpr int MaxRows = 1000000;
    static constexpr int MaxColumns = 64;
    static constexpr int MaxCellLength = 10000;
    static constexpr qint64 MaxFileBytes = 200LL * 1024 * 1024;

    static QString TooManyRows() { return QStringLiteral("行が多すぎます（%1 行まで）").arg(MaxRows); }
    static QString TooManyColumns() { return QStringLiteral("列が多すぎます（%1 列まで）").arg(MaxColumns); }
    static QString CellTooLong() { return QStringLiteral("セルが長すぎます（%1 文字まで）").arg(MaxCellLength); }
    static QString FileTooLarge()
    {
        return QStringLiteral("ファイルが大きすぎます（%1 MB まで）").arg(MaxFileBytes / (1024 * 1024));
    }
};
