#include "quiz/ClassNames.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace ClassNames {

QString Clean(const QString& name)
{
    QString line = name;
    for (QChar& c : line) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return line.trimmed().left(kMaxLength).trimmed();
}

std::vector<QString> Parse(const QString& text)
{
    std::vector<QString> names;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isArray())
        return names;
    for (const QJsonValue& value : document.array())
        names.push_back(value.isString() ? Clean(value.toString()) : QString());
    return names;
}

QString Format(std::vector<QString> names)
{
    while (!names.empty() && Clean(names.back()).isEmpty())
        names.pop_back();
    if (names.empty())
        return QString();
    QJsonArray array;
    for (const QString& name : names)
        array.append(Clean(name));
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

} // namespace ClassNames
