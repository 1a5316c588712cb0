#include "bookimport/QuestionSheetConverter.h"

#include "bookimport/ColumnName.h"
#include "bookimport/DraftBuilder.h"
#include "bookimport/RowCells.h"
#include "bookimport/SheetColumns.h"
#include "bookimport/BookAttrClass.h"
#include "markup/SheetText.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

// The first id of a class that a column of its own brings.
constexpr int kFirstExtraClass = 201;

// The fixed columns that carry attribute classes, by class id.
const std::map<QString, int>& FixedClassColumns()
{
    static const std::map<QString, int> columns{{ColumnName::Number, BookAttrClass::Number},
        {ColumnName::Page, BookAttrClass::Page}, {ColumnName::PartOfSpeech, BookAttrClass::PartOfSpeech},
        {ColumnName::Source, BookAttrClass::Source}, {ColumnName::ProblemNumber, BookAttrClass::ProblemNumber},
        {ColumnName::Frequency, BookAttrClass::Frequency}};
    return columns;
}

bool IsInteger(const QString& value)
{
    static const QRegularExpression integer(QStringLiteral("^-?[0-9]{1,9}$"));
    return integer.match(value).hasMatch();
}

// A column of its own: an attribute class named by the header, "名前" or
// "名前（長い名前）" ("名前（属性）" where the name alone is a fixed column's).
// Its values are integers when every one is; it belongs to the keywords
// when every keyword's rows agree on it, else to the sentences. A cell may
// hold several values, one a line.
struct ClassColumn {
    QString header;
    BookDraft::AttrClass attrClass;
    bool ofKeyword = true;

    std::vector<BookDraft::AttrValue> Values(const QString& cell) const
    {
        std::vector<BookDraft::AttrValue> values;
        if (cell.isEmpty())
            return values;
        const QStringList parts = cell.split(u'\n');
        for (qsizetype seq = 0; seq < parts.size(); ++seq)
            values.push_back(
                BookDraft::AttrValue{attrClass.acid, static_cast<int>(seq), attrClass.type == 1, parts[seq]});
        return values;
    }
};

ClassColumn NamedClass(const QString& header, int acid)
{
    ClassColumn column;
    column.header = header;
    QString name = header;
    QString longName = header;
    static const QRegularExpression named(QStringLiteral("^(.+)（(.+)）$"));
    const QRegularExpressionMatch match = named.match(header);
    if (match.hasMatch()) {
        name = match.captured(1);
        longName = match.captured(2) == QStringLiteral("属性") ? name : match.captured(2);
    }
    column.attrClass = BookDraft::AttrClass{acid, name, longName, 0, true};
    return column;
}

std::vector<ClassColumn> ClassColumns(const Sheet& sheet, const QStringList& known)
{
    std::vector<ClassColumn> columns;
    for (const QString& header : sheet.header.cells)
        if (!header.isEmpty() && !known.contains(header) && ColumnName::LevelOf(header) == 0)
            columns.push_back(NamedClass(header, kFirstExtraClass + static_cast<int>(columns.size())));
    return columns;
}

// Each row's keyword as its place among the keywords in order of first
// appearance: rows share a keyword by number, else by headword.
std::vector<int> KeywordOfRows(const Sheet& sheet, const SheetColumns& columns)
{
    QHash<QString, int> keywords;
    std::vector<int> keywordOf;
    keywordOf.reserve(sheet.rows.size());
    for (const SheetRows::Row row : sheet.rows) {
        QString keyword = columns.Cell(row, ColumnName::Number);
        if (keyword.isEmpty())
            keyword = u'\n' + columns.Cell(row, ColumnName::Word);
        const auto known = keywords.constFind(keyword);
        keywordOf.push_back(known != keywords.constEnd()
                ? known.value()
                : *keywords.insert(keyword, static_cast<int>(keywords.size())));
    }
    return keywordOf;
}

// Types and owners from the values of every row.
void InferClasses(std::vector<ClassColumn>& classes, const Sheet& sheet, const SheetColumns& columns)
{
    if (classes.empty())
        return;
    const std::vector<int> keywordOf = KeywordOfRows(sheet, columns);
    std::vector<int> firstRow; // of each keyword
    for (ClassColumn& column : classes) {
        const int index = columns.Index(column.header);
        bool integers = true;
        bool any = false;
        firstRow.assign(keywordOf.empty() ? 0 : *std::max_element(keywordOf.begin(), keywordOf.end()) + 1, -1);
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            const QString cell = SheetText::Unguard(sheet.rows[r].Cell(index));
            int& first = firstRow[static_cast<std::size_t>(keywordOf[r])];
            if (first < 0)
                first = static_cast<int>(r);
            else if (column.ofKeyword
                && SheetText::Unguard(sheet.rows[static_cast<std::size_t>(first)].Cell(index)) != cell)
                column.ofKeyword = false;
            if (any && !integers)
                continue;
            for (const QString& value : cell.isEmpty() ? QStringList() : cell.split(u'\n')) {
                any = true;
                integers = integers && IsInteger(value);
            }
        }
        column.attrClass.type = any && integers ? 0 : 1;
        column.attrClass.isRange = column.attrClass.type == 0 && column.ofKeyword;
    }
}

// The order of every class by the place of its column.
std::vector<int> ClassOrder(const Sheet& sheet, const std::vector<ClassColumn>& classes)
{
    std::vector<int> order;
    for (const QString& header : sheet.header.cells) {
        const auto fixed = FixedClassColumns().find(header);
        if (fixed != FixedClassColumns().end())
            order.push_back(fixed->second);
        for (const ClassColumn& column : classes)
            if (column.header == header)
                order.push_back(column.attrClass.acid);
    }
    return order;
}

QStringList HeadingsOf(const QStringList& cells)
{
    QStringList headings;
    for (const QString& cell : cells) {
        if (cell.isEmpty())
            break;
        headings.append(cell);
    }
    return headings;
}

} // namespace

QStringList QuestionSheetConverter::KnownColumns()
{
    using namespace ColumnName;
    return {Number, Format, Word, Question, Answer, Chapter, Section, Page, Frequency, Instruction, AnswerField,
        AnswerLines, Source, ProblemNumber, PartOfSpeech, Title, Type, ByNumber, Alternate};
}

QStringList QuestionSheetConverter::RequiredColumns()
{
    using namespace ColumnName;
    return {Format, Word, Question, Answer};
}

bool QuestionSheetConverter::IsHeadingRow(const RowCells& cells)
{
    using namespace ColumnName;
    return cells.Plain(Format).isEmpty() && cells.Plain(Word).isEmpty() && cells.Plain(Question).isEmpty()
        && cells.Plain(Answer).isEmpty() && !cells.Plain(Chapter).isEmpty();
}

QString QuestionSheetConverter::DefaultInstruction()
{
    return QStringLiteral("次の問題に答えなさい。");
}

QString QuestionSheetConverter::DefaultAnswerField()
{
    return QStringLiteral("答（　　　　　　　　　　）");
}

std::optional<BookDraft> QuestionSheetConverter::Convert(
    const Sheet& sheet, const QString& type, const QString& title, Problems& problems, BookWriter* writer) const
{
    std::vector<ClassColumn> classes = ClassColumns(sheet, KnownColumns());
    QStringList known = KnownColumns();
    for (const QString& header : sheet.header.cells)
        if (ColumnName::LevelOf(header) > 0)
            known.append(header);
    for (const ClassColumn& column : classes)
        known.append(column.header);
    const SheetColumns columns(sheet.header, known, RequiredColumns(), problems);
    const bool frequencies = type == QLatin1String("303");
    if (columns.Has(ColumnName::Frequency) && !frequencies)
        problems.Warning(sheet.header.row, columns.Number(ColumnName::Frequency),
            QStringLiteral("「頻出」は種別 303 の本でだけ使います。この列は読み飛ばします"));
    if (problems.HasErrors())
        return std::nullopt;
    InferClasses(classes, sheet, columns);
    DraftBuilder builder(type, title, DraftBuilder::KeywordRows::Shared, problems, writer);
    std::vector<BookDraft::AttrClass> extra;
    for (const ClassColumn& column : classes)
        extra.push_back(column.attrClass);
    builder.SetAttrClasses(extra, ClassOrder(sheet, classes));
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
        if (!builder.RowRead(r, sheet.rows.size()))
            return std::nullopt;
        const SheetRows::Row row = sheet.rows[r];
        RowCells cells(row, columns, problems);
        if (IsHeadingRow(cells)) {
            QStringList levels;
            for (int level = 1; columns.Has(ColumnName::Level(level)); ++level)
                levels.append(cells.Plain(ColumnName::Level(level)));
            builder.AddHeading(HeadingsOf(levels), cells.Number(ColumnName::Page));
            continue;
        }
        const QString format = cells.RequiredPlain(ColumnName::Format);
        DraftBuilder::KeywordRow keyword = DraftBuilder::ReadKeywordRow(cells, columns);
        DraftBuilder::SentenceRow sentence;
        sentence.sentence = cells.RequiredText(ColumnName::Question);
        sentence.answer = cells.RequiredText(ColumnName::Answer);
        if (frequencies)
            sentence.frequency = cells.Choice(ColumnName::Frequency, {1, 2});
        sentence.source = cells.Number(ColumnName::Source).value_or(1);
        sentence.problemNumber = cells.Plain(ColumnName::ProblemNumber);
        for (const ClassColumn& column : classes) {
            auto values = column.Values(cells.Plain(column.header));
            auto& owner = column.ofKeyword ? keyword.attrs : sentence.attrs;
            owner.insert(owner.end(), values.begin(), values.end());
        }
        const QString instruction = cells.Text(ColumnName::Instruction);
        const QString answerField = cells.Text(ColumnName::AnswerField);
        const std::optional<int> answerLines = cells.Number(ColumnName::AnswerLines);
        const bool alternate = cells.Number(ColumnName::Alternate).value_or(0) != 0;
        if (cells.Failed())
            continue;
        const int slot = builder.Keyword(keyword);
        if (slot < 0)
            continue;
        sentence.qid = builder.Question(format);
        builder.SetQuestionTexts(sentence.qid, instruction, answerField, answerLines);
        if (alternate)
            builder.SetAlternate(sentence.qid);
        builder.AddSentence(slot, sentence);
    }
    if (sheet.rows.empty())
        problems.Error(sheet.header.row, 0, QStringLiteral("見出し行の後にデータの行がありません"));
    if (problems.HasErrors())
        return std::nullopt;
    BookDraft draft = builder.Finish(columns.Has(ColumnName::Chapter));
    for (auto& question : draft.questions) {
        if (question.instruction.isEmpty())
            question.instruction = DefaultInstruction();
        if (question.answerField.isEmpty())
            question.answerField = DefaultAnswerField();
    }
    for (const SheetRows::Row row : sheet.rows) {
        const QString byNumber = SheetText::Unguard(columns.Cell(row, ColumnName::ByNumber));
        if (!byNumber.isEmpty()) {
            draft.byNumber = byNumber != QStringLiteral("0");
            break;
        }
    }
    return draft;
}
