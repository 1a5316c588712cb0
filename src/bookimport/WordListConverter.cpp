#include "bookimport/WordListConverter.h"

#include "bookimport/ClozeMaker.h"
#include "bookimport/ColumnName.h"
#include "bookimport/DraftBuilder.h"
#include "bookimport/RowCells.h"
#include "bookimport/SheetColumns.h"

namespace {

struct Format {
    const char16_t* title;
    const char16_t* instruction;
    const char16_t* answerField;
    int answerLines;
};

const Format kToEnglish{u"日本語→英語", u"次の日本語に合う英語を書きなさい。", u"答（　　　　　　　　　　）", 0};
const Format kToJapanese{
    u"英語→日本語", u"次の英語の意味を日本語で書きなさい。", u"答（　　　　　　　　　　　　　　）", 0};
const Format kCloze{u"空所補充",
    u"日本文の意味に合うように，英文の（　）内に適切な語を入れなさい。ただし，示された文字で始まる語を書くこと。",
    u"答（　　　　　　　　）", 1};

DraftBuilder::SentenceRow SentenceOf(int qid, const QString& sentence, const QString& answer)
{
    DraftBuilder::SentenceRow row;
    row.qid = qid;
    row.sentence = sentence;
    row.answer = answer;
    return row;
}

int AddFormat(DraftBuilder& builder, const Format& format)
{
    const int qid = builder.Question(QString::fromUtf16(format.title));
    builder.SetQuestionTexts(
        qid, QString::fromUtf16(format.instruction), QString::fromUtf16(format.answerField), format.answerLines);
    return qid;
}

} // namespace

QStringList WordListConverter::KnownColumns()
{
    using namespace ColumnName;
    return {Number, Word, Meaning, Example, Translation, PartOfSpeech, Chapter, Section, Page};
}

QStringList WordListConverter::RequiredColumns()
{
    return {ColumnName::Word, ColumnName::Meaning};
}

std::optional<BookDraft> WordListConverter::Convert(
    const Sheet& sheet, const QString& type, const QString& title, Problems& problems, BookWriter* writer) const
{
    if (type != QLatin1String("101")) {
        problems.Error(sheet.header.row, 0,
            QStringLiteral("単語帳（「意味」の列がある表）から作れるのは種別 101 の本だけです（指定: %1）").arg(type));
        return std::nullopt;
    }
    const SheetColumns columns(sheet.header, KnownColumns(), RequiredColumns(), problems);
    if (problems.HasErrors())
        return std::nullopt;
    DraftBuilder builder(type, title, DraftBuilder::KeywordRows::OnePerRow, problems, writer);
    const int toEnglish = AddFormat(builder, kToEnglish);
    const int toJapanese = AddFormat(builder, kToJapanese);
    int cloze = 0;
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        if (!builder.RowRead(r, sheet.rows.size()))
            return std::nullopt;
        const SheetRows::Row row = sheet.rows[r];
        RowCells cells(row, columns, problems);
        const DraftBuilder::KeywordRow keyword = DraftBuilder::ReadKeywordRow(cells, columns);
        const QString meaning = cells.RequiredText(ColumnName::Meaning);
        const QString example = cells.Text(ColumnName::Example);
        const QString translation = cells.Text(ColumnName::Translation);
        if (cells.Failed())
            continue;
        const int slot = builder.Keyword(keyword);
        if (slot < 0)
            continue;
        builder.AddSentence(slot, SentenceOf(toEnglish, meaning, keyword.word));
        builder.AddSentence(slot, SentenceOf(toJapanese, keyword.word, meaning));
        if (example.isEmpty())
            continue;
        const ClozeMaker::Cloze blank = ClozeMaker::Make(keyword.word, example);
        if (!blank.found) {
            problems.Warning(cells.Row(), columns.Number(ColumnName::Example),
                QStringLiteral("例文に見出し語「%1」がないので、空所補充の問題は作りません").arg(keyword.word));
            continue;
        }
        if (cloze == 0)
            cloze = AddFormat(builder, kCloze);
        const QString sentence = translation.isEmpty() ? blank.sentence : translation + u'@' + blank.sentence;
        builder.AddSentence(slot, SentenceOf(cloze, sentence, blank.answer));
    }
    if (sheet.rows.empty())
        problems.Error(sheet.header.row, 0, QStringLiteral("見出し行の後にデータの行がありません"));
    if (problems.HasErrors())
        return std::nullopt;
    return builder.Finish(columns.Has(ColumnName::Chapter));
}
