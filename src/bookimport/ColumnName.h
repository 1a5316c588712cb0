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

} // namespace ColumnName
