#include "bookimport/QuestionSheetConverter.h"

#include "bookimport/ColumnName.h"
#include "bookimport/DraftBuilder.h"
#include "bookimport/RowCells.h"
#include "bookimport/SheetColumns.h"

QStringList QuestionSheetConverter::KnownColumns()
{
    using namespace ColumnName;
    return {Number, Format, Word, Question, Answer, Chapter, Section, Page, Frequency, Instruction, AnswerField,
        AnswerLines, Source, ProblemNumber, PartOfSpeech};
}

QStringList QuestionSheetConverter::RequiredColumns()
{
    using namespace ColumnName;
    return {Format, Word, Question, Answer};
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
    const Sheet& sheet, const QString& type, const QString& title, Problems& problems) const
{
    const SheetColumns columns(sheet.header, KnownColumns(), RequiredColumns(), problems);
    const bool frequencies = type == QLatin1String("303");
    if (columns.Has(ColumnName::Frequency) && !frequencies)
        problems.Warning(sheet.header.row, columns.Number(ColumnName::Frequency),
            QStringLiteral("「頻出」は種別 303 の本でだけ使います。この列は読み飛ばします"));
    if (problems.HasErrors())
        return std::nullopt;
    DraftBuilder builder(type, title, DraftBuilder::KeywordRows::Shared, problems);
    for (const SheetRow& row : sheet.rows) {
        RowCells cells(row, columns, problems);
        const QString format = cells.RequiredPlain(ColumnName::Format);
        const DraftBuilder::KeywordRow keyword = DraftBuilder::ReadKeywordRow(cells, columns);
        DraftBuilder::SentenceRow sentence;
        sentence.sentence = cells.RequiredText(ColumnName::Question);
        sentence.answer = cells.RequiredText(ColumnName::Answer);
        if (frequencies)
            sentence.frequency = cells.Choice(ColumnName::Frequency, {1, 2});
        sentence.source = cells.Number(ColumnName::Source).value_or(1);
        sentence.problemNumber = cells.Plain(ColumnName::ProblemNumber);
        const QString instruction = cells.Text(ColumnName::Instruction);
        const QString answerField = cells.Text(ColumnName::AnswerField);
        const std::optional<int> answerLines = cells.Number(ColumnName::AnswerLines);
        if (cells.Failed())
            continue;
        const int slot = builder.Keyword(keyword);
        if (slot < 0)
            continue;
        sentence.qid = builder.Question(format);
        builder.SetQuestionTexts(sentence.qid, instruction, answerField, answerLines);
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
    return draft;
}
