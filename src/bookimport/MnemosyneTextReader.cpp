#include "bookimport/MnemosyneTextReader.h"

#include "bookimport/ColumnName.h"
#include "bookimport/DelimitedSheetReader.h"
#include "bookimport/HtmlText.h"
#include "bookimport/SourceFormat.h"

#include <algorithm>

namespace {

struct Card {
    int line = 0;
    QStringList fields;
};

// The cards of the text; blank lines are skipped, and tabs at the end of a
// line (empty notes) do not count as fields.
std::vector<Card> CardsOf(const QByteArray& utf8)
{
    std::vector<Card> cards;
    const QString text = QString::fromUtf8(utf8);
    int line = 0;
    for (QStringView view : QStringView(text).split(u'\n')) {
        ++line;
        QString content = view.toString();
        while (content.endsWith(u'\r') || content.endsWith(u'\t') || content.endsWith(u' '))
            content.chop(1);
        if (content.trimmed().isEmpty())
            continue;
        cards.push_back(Card{line, content.split(u'\t')});
    }
    return cards;
}

bool IsCard(const Card& card)
{
    return card.fields.size() >= 2 && card.fields.size() <= 4;
}

} // namespace

bool MnemosyneTextReader::Fits(const QByteArray& utf8)
{
    const std::vector<Card> cards = CardsOf(utf8);
    if (cards.empty() || !std::all_of(cards.begin(), cards.end(), IsCard))
        return false;
    return std::any_of(cards.begin(), cards.end(), [](const Card& card) {
        return card.fields.size() > 2 || std::any_of(card.fields.begin(), card.fields.end(), [](const QString& f) {
            return HtmlText::LooksLikeHtml(f);
        });
    });
}

bool MnemosyneTextReader::Read(const QByteArray& utf8, Sheet& sheet, Problems& problems)
{
    sheet.format = SourceFormat::Mnemosyne;
    sheet.header.cells = QStringList{
        QStringLiteral("単語・問題"), QStringLiteral("発音"), QStringLiteral("意味・答え"), QStringLiteral("メモ")};
    sheet.roles = QStringList{ColumnName::Word, QString(), ColumnName::Meaning, QString()};
    const std::vector<Card> cards = CardsOf(utf8);
    bool ok = true;
    for (const Card& card : cards) {
        if (!IsCard(card)) {
            problems.Error(card.line, 0,
                QStringLiteral("Mnemosyne のカードはタブで区切った 2～4 項目です（この行は %1 項目）")
                    .arg(card.fields.size()));
            ok = false;
            continue;
        }
        QStringList fields;
        for (const QString& field : card.fields)
            fields.append(DelimitedSheetReader::TrimBlanks(HtmlText::ToText(field)));
        SheetRow row;
        row.row = card.line;
        // A question and its answer go where a word and its meaning go.
        row.cells = fields.size() == 2 ? QStringList{fields[0], QString(), fields[1]} : fields;
        sheet.rows.push_back(std::move(row));
    }
    if (ok && sheet.rows.empty()) {
        problems.Error(0, 0, QStringLiteral("空のファイルです"));
        return false;
    }
    return ok;
}
