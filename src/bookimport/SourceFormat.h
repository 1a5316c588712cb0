#pragma once

#include <QString>
#include <QStringList>

// The shapes of text file a book is imported from, by the names the
// command line takes (--from) and the sheet records.
namespace SourceFormat {

// Our own table: the first row names the columns.
inline const QString Sheet = QStringLiteral("sheet");
// Anki's "Notes in Plain Text" export, with its "#separator:" lines.
inline const QString Anki = QStringLiteral("anki");
// Quizlet's copied text: term and definition, one pair a row.
inline const QString Quizlet = QStringLiteral("quizlet");
// Mnemosyne's tab-separated cards of two to four fields.
inline const QString Mnemosyne = QStringLiteral("mnemosyne");

inline QStringList All()
{
    return {Sheet, Anki, Quizlet, Mnemosyne};
}

// How a teacher knows the shape, for messages.
inline QString DisplayName(const QString& format)
{
    if (format == Anki)
        return QStringLiteral("Anki のテキスト書き出し");
    if (format == Quizlet)
        return QStringLiteral("Quizlet のコピー");
    if (format == Mnemosyne)
        return QStringLiteral("Mnemosyne のタブ区切り");
    return QStringLiteral("列名つきの表");
}

} // namespace SourceFormat
