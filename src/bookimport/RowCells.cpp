#include "bookimport/RowCells.h"

#include "markup/SheetText.h"

#include <algorithm>

RowCells::RowCells(const SheetRows::Row& row, const SheetColumns& columns, Problems& problems)
    : m_row(row)
    , m_number(row.Number())
    , m_columns(columns)
    , m_problems(problems)
{
}

QString RowCells::Plain(const QString& name) const
{
    return SheetText::Unguard(m_columns.Cell(m_row, name));
}

void RowCells::Require(const QString& name, const QString& value)
{
    if (!value.isEmpty() || !m_columns.Has(name))
        return;
    m_problems.Error(m_number, m_columns.Number(name), QStringLiteral("「%1」が空です").arg(name));
    m_failed = true;
}

QString RowCells::RequiredPlain(const QString& name)
{
    const QString value = Plain(name);
    Require(name, value);
    return value;
}

QString RowCells::Text(const QString& name)
{
    SheetText::Notes notes;
    const QString value = SheetText::FromCell(Plain(name), &notes);
    if (notes.unknownTag)
        m_problems.Warning(m_number, m_columns.Number(name),
            QStringLiteral("タグの種類でない「<…>」を文字の「＜…＞」として取り込みます"));
    if (notes.unclosedTag)
        m_problems.Warning(
            m_number, m_columns.Number(name), QStringLiteral("タグを閉じる「>」のない「<」を「＜」として取り込みます"));
    return value;
}

QString RowCells::RequiredText(const QString& name)
{
    const QString value = Text(name);
    Require(name, value);
    return value;
}

std::optional<int> RowCells::Number(const QString& name)
{
    const QString cell = Plain(name);
    if (cell.isEmpty())
        return std::nullopt;
    const std::optional<int> value = ParseInteger(cell);
    if (!value) {
        m_problems.Error(m_number, m_columns.Number(name),
            QStringLiteral("「%1」は整数でなければなりません（「%2」）").arg(name, cell));
        m_failed = true;
    }
    return value;
}

std::optional<int> RowCells::Choice(const QString& name, std::initializer_list<int> allowed)
{
    const std::optional<int> value = Number(name);
    if (value && std::find(allowed.begin(), allowed.end(), *value) == allowed.end()) {
        QStringList names;
        for (int a : allowed)
            names.append(QString::number(a));
        m_problems.Error(m_number, m_columns.Number(name),
            QStringLiteral("「%1」は %2 のどれかです（「%3」）")
                .arg(name, names.join(QStringLiteral("、")))
                .arg(*value));
        m_failed = true;
        return std::nullopt;
    }
    return value;
}

std::optional<int> RowCells::ParseInteger(const QString& text)
{
    QString ascii;
    ascii.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            ascii.append(QChar(u'0' + (c.unicode() - 0xFF10)));
        else if (c.unicode() == 0xFF0D || c.unicode() == 0x2212)
            ascii.append(u'-');
        else if (c.unicode() == 0xFF0B)
            ascii.append(u'+');
        else
            ascii.append(c);
    }
    bool ok = false;
    const int value = ascii.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}
