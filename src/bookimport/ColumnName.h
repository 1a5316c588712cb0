#pragma once

#include <QString>

// The column names of the sheets a teacher imports and exports.
namespace ColumnName {

inline const QString Number = QStringLiteral("番号");
inline const QString Word = QStringLiteral("見出し語");
inline const QString Meaning = QStringLiteral("意味");
inline const QString Example = QStringLiteral("例文");
inline const QString Translation = QStringLiteral("例文訳");
inline const QString PartOfSpeech = QStringLiteral("品詞");
inline const QString Chapter = QStringLiteral("章");
inline const QString Section = QStringLiteral("節");
inline const QString Page = QStringLiteral("頁");
inline const QString Format = QStringLiteral("形式");
inline const QString Question = QStringLiteral("問題文");
inline const QString Answer = QStringLiteral("解答");
inline const QString Frequency = QStringLiteral("頻出");
inline const QString Instruction = QStringLiteral("指示文");
inline const QString AnswerField = QStringLiteral("解答欄");
inline const QString AnswerLines = QStringLiteral("解答欄行数");
inline const QString Source = QStringLiteral("区分");
inline const QString ProblemNumber = QStringLiteral("問題番号");
// Of the whole book or a format, on the first row that gives them.
inline const QString Title = QStringLiteral("書名");
inline const QString Type = QStringLiteral("種別");
inline const QString ByNumber = QStringLiteral("数値で指定");
inline const QString Alternate = QStringLiteral("交互");

// The contents level of a heading column below the book: 1 for 章, 2 for
// 節, 3 for 項, n for "階層n" from 4 on; 0 for any other column.
inline int LevelOf(const QString& name)
{
    if (name == Chapter)
        return 1;
    if (name == Section)
        return 2;
    if (name == QStringLiteral("項"))
        return 3;
    if (!name.startsWith(QStringLiteral("階層")))
        return 0;
    bool ok = false;
    const int level = name.mid(2).toInt(&ok);
    return ok && level >= 4 && name.mid(2) == QString::number(level) ? level : 0;
}

// The heading column of a contents level (1 and up).
inline QString Level(int level)
{
    if (level == 1)
        return Chapter;
    if (level == 2)
        return Section;
    if (level == 3)
        return QStringLiteral("項");
    return QStringLiteral("階層") + QString::number(level);
}

} // namespace ColumnName
