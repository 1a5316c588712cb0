#include "bookimport/BookExporter.h"

#include "bookimport/BookAttrClass.h"
#include "bookimport/BookComparison.h"
#include "bookimport/BookImporter.h"
#include "bookimport/ColumnName.h"
#include "bookimport/InputFile.h"
#include "markup/SheetText.h"
#include "model/AttrClass.h"
#include "model/Book.h"
#include "model/CppSQLite3Exception.h"
#include "model/DataBase.h"
#include "model/Index.h"
#include "model/Keyword.h"
#include "model/Question.h"
#include "model/Sentence.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace {

struct BookData {
    QString type;
    QString title;
    QString byNumber;
    std::vector<std::unique_ptr<Question>> questions;
    std::vector<std::unique_ptr<Keyword>> keywords;
    std::vector<std::unique_ptr<Sentence>> sentences;
    std::vector<std::unique_ptr<Index>> entries; // pre-order, root first
    std::vector<std::pair<int, int>> relations;
    std::vector<std::unique_ptr<AttrClass>> attrClasses;
};

bool ReadBook(const QString& path, BookData& book, Problems& problems)
{
    DataBase db;
    std::vector<std::unique_ptr<Book>> books;
    bool opened = db.OpenBook(path) == 0 && db.Dbid().startsWith(QStringLiteral("TV"));
    try {
        if (opened) {
            book.type = db.BookInfo(QStringLiteral("Product"));
            book.byNumber = db.BookInfo(QStringLiteral("RangeNumber"));
        }
    } catch (const std::exception& error) {
        qWarning("%s: %s", qUtf8Printable(path), error.what());
        opened = false;
    }
    if (!opened) {
        problems.Error(0, 0, QStringLiteral("本のデータベースとして開けません"));
        return false;
    }
    if (db.ReadBooks(books) != 0 || books.empty() || db.ReadQuestions(book.questions) != 0
        || db.ReadKeywords(book.keywords) != 0 || db.ReadSentences(0, book.sentences) != 0
        || db.ReadIndices(book.entries) != 0 || book.entries.empty() || db.ReadIKRelations(book.relations) != 0
        || db.ReadAttrClasses(book.attrClasses) != 0) {
        problems.Error(0, 0, QStringLiteral("本の中身を読めません（tavisko-book check で調べてください）"));
        return false;
    }
    book.title = books.front()->title;
    return true;
}

// The headings of each keyword (those of its deepest related entry, the
// earliest of equal depth) and the entries that no keyword reaches and
// that have no entries below them, which become rows of their own.
class Contents {
public:
    explicit Contents(const BookData& book)
    {
        const auto& entries = book.entries;
        std::map<int, std::size_t> placeOf;
        for (std::size_t i = 0; i < entries.size(); ++i)
            placeOf[entries[i]->iid] = i;
        m_headings.resize(entries.size());
        std::vector<bool> reached(entries.size(), false);
        std::vector<bool> parent(entries.size(), false);
        for (std::size_t i = 1; i < entries.size(); ++i) {
            const auto up = placeOf.find(entries[i]->parent_iid);
            if (up == placeOf.end())
                continue;
            m_headings[i] = m_headings[up->second];
            m_headings[i].append(entries[i]->title);
            parent[up->second] = true;
            m_depth = std::max(m_depth, static_cast<int>(m_headings[i].size()));
        }
        for (const auto& [iid, kid] : book.relations) {
            const auto place = placeOf.find(iid);
            if (place == placeOf.end())
                continue;
            const auto best = m_placeOfKid.find(kid);
            if (best == m_placeOfKid.end() || m_headings[place->second].size() > m_headings[best->second].size()
                || (m_headings[place->second].size() == m_headings[best->second].size()
                    && place->second < best->second))
                m_placeOfKid[kid] = place->second;
            for (std::size_t up = place->second; !reached[up];) {
                reached[up] = true;
                const auto next = placeOf.find(entries[up]->parent_iid);
                if (next == placeOf.end())
                    break;
                up = next->second;
            }
        }
        for (std::size_t i = 1; i < entries.size(); ++i)
            if (!reached[i] && !parent[i])
                m_alone.push_back(i);
    }

    int Depth() const { return m_depth; }
    const QStringList& Headings(std::size_t place) const { return m_headings[place]; }
    // The entry of a keyword in book order; none without one.
    std::optional<std::size_t> PlaceOf(int kid) const
    {
        const auto found = m_placeOfKid.find(kid);
        return found == m_placeOfKid.end() ? std::nullopt : std::optional<std::size_t>(found->second);
    }
    const std::vector<std::size_t>& Alone() const { return m_alone; }

private:
    std::vector<QStringList> m_headings;
    std::map<int, std::size_t> m_placeOfKid;
    std::vector<std::size_t> m_alone;
    int m_depth = 0;
};

// The column that carries an attribute class: a fixed one, or its own.
struct ClassColumn {
    const AttrClass* attrClass;
    QString header;
    bool ofKeyword;
};

std::vector<ClassColumn> ClassColumns(const BookData& book, const QStringList& taken)
{
    std::map<int, bool> ofKeyword;
    for (const auto& keyword : book.keywords)
        for (const auto* attr : keyword->attrs.List())
            ofKeyword[attr->acid] = true;
    std::vector<ClassColumn> columns;
    for (const auto& attrClass : book.attrClasses) {
        const int acid = attrClass->acid;
        const bool kanji303 = book.type == QLatin1String("303");
        QString header;
        if (acid == BookAttrClass::Number)
            header = ColumnName::Number;
        else if (acid == BookAttrClass::Page)
            header = ColumnName::Page;
        else if (acid == BookAttrClass::Source)
            header = ColumnName::Source;
        else if (acid == BookAttrClass::ProblemNumber)
            header = ColumnName::ProblemNumber;
        else if (acid == BookAttrClass::Frequency && kanji303)
            header = ColumnName::Frequency;
        else if (attrClass->name == ColumnName::PartOfSpeech && ofKeyword[acid])
            header = ColumnName::PartOfSpeech;
        else if (attrClass->long_name != attrClass->name)
            header = attrClass->name + u'（' + attrClass->long_name + u'）';
        else if (taken.contains(attrClass->name) || ColumnName::LevelOf(attrClass->name) > 0)
            header = attrClass->name + QStringLiteral("（属性）");
        else
            header = attrClass->name;
        columns.push_back(ClassColumn{attrClass.get(), header, ofKeyword[acid]});
    }
    return columns;
}

// Every value of one class, a line each.
QString ValuesText(const AttrPool& attrs, int owner, int acid)
{
    QStringList values;
    for (int seq = 0;; ++seq) {
        const Attr<int>* attr = attrs.Value(owner, acid, seq);
        if (!attr)
            break;
        values.append(attr->isText ? attr->textValue : QString::number(attr->intValue));
    }
    return values.join(u'\n');
}

class SheetMaker {
public:
    explicit SheetMaker(const BookData& book)
        : m_book(book)
        , m_contents(book)
    {
        namespace C = ColumnName;
        m_header = QStringList{C::Word, C::Format, C::Question, C::Answer};
        for (int level = 1; level <= m_contents.Depth(); ++level)
            m_header.append(C::Level(level));
        const QStringList settings{
            C::Instruction, C::AnswerField, C::AnswerLines, C::Alternate, C::Title, C::Type, C::ByNumber};
        m_classes = ClassColumns(book, m_header + settings + QStringList{C::Meaning, C::Example, C::Translation});
        for (const ClassColumn& column : m_classes)
            m_header.append(column.header);
        m_header += settings;
    }

    QByteArray Csv()
    {
        for (const auto& keyword : m_book.keywords)
            m_keywordOf.emplace(keyword->kid, keyword.get());
        for (const auto& question : m_book.questions)
            m_questionOf.emplace(question->qid, question.get());
        QByteArray csv("\xEF\xBB\xBF");
        csv.append(SheetText::CsvRecord(m_header));
        std::size_t alone = 0;
        const auto& aloneEntries = m_contents.Alone();
        for (const auto& sentence : m_book.sentences) {
            const auto keyword = m_keywordOf.find(sentence->kid);
            const auto question = m_questionOf.find(sentence->qid);
            if (keyword == m_keywordOf.end() || question == m_questionOf.end())
                continue; // the loader shows no such sentence either
            const std::optional<std::size_t> place = m_contents.PlaceOf(sentence->kid);
            for (; place && alone < aloneEntries.size() && aloneEntries[alone] < *place; ++alone)
                csv.append(SheetText::CsvRecord(HeadingRow(aloneEntries[alone])));
            csv.append(SheetText::CsvRecord(SentenceRow(*sentence, *keyword->second, *question->second, place)));
        }
        for (; alone < aloneEntries.size(); ++alone)
            csv.append(SheetText::CsvRecord(HeadingRow(aloneEntries[alone])));
        return csv;
    }

private:
    QStringList EmptyRow() const { return QStringList(m_header.size(), QString()); }

    // A book without pages has no 頁 column for its heading rows.
    void Set(QStringList& row, const QString& column, const QString& value) const
    {
        const qsizetype index = m_header.indexOf(column);
        if (index >= 0)
            row[index] = value;
    }

    void SetHeadings(QStringList& row, const QStringList& headings) const
    {
        for (qsizetype level = 0; level < headings.size(); ++level)
            Set(row, ColumnName::Level(static_cast<int>(level) + 1), headings[level]);
    }

    QStringList HeadingRow(std::size_t place) const
    {
        QStringList row = EmptyRow();
        SetHeadings(row, m_contents.Headings(place));
        Set(row, ColumnName::Page, QString::number(m_book.entries[place]->page));
        return row;
    }

    QStringList SentenceRow(
        const Sentence& sentence, const Keyword& keyword, const Question& question, std::optional<std::size_t> place)
    {
        namespace C = ColumnName;
        QStringList row = EmptyRow();
        Set(row, C::Word, SheetText::ToCell(keyword.word));
        Set(row, C::Format, question.title);
        Set(row, C::Question, SheetText::ToCell(sentence.sentence));
        Set(row, C::Answer, SheetText::ToCell(sentence.answer));
        if (place)
            SetHeadings(row, m_contents.Headings(*place));
        for (const ClassColumn& column : m_classes)
            Set(row, column.header,
                column.ofKeyword ? ValuesText(keyword.attrs, keyword.kid, column.attrClass->acid)
                                 : ValuesText(sentence.attrs, sentence.sid, column.attrClass->acid));
        // A format's texts go with its first row only, the book's with the
        // very first.
        if (m_formatWritten.insert(question.qid).second) {
            Set(row, C::Instruction, SheetText::ToCell(question.question));
            Set(row, C::AnswerField, SheetText::ToCell(question.ans_field));
            Set(row, C::AnswerLines, QString::number(question.ans_field_spc));
            if (question.is_alter)
                Set(row, C::Alternate, QStringLiteral("1"));
        }
        if (m_formatWritten.size() == 1 && !m_bookWritten) {
            m_bookWritten = true;
            Set(row, C::Title, m_book.title);
            Set(row, C::Type, m_book.type);
            Set(row, C::ByNumber, m_book.byNumber.toInt() != 0 ? QStringLiteral("1") : QStringLiteral("0"));
        }
        return row;
    }

    const BookData& m_book;
    Contents m_contents;
    QStringList m_header;
    std::vector<ClassColumn> m_classes;
    std::map<int, const Keyword*> m_keywordOf;
    std::map<int, const Question*> m_questionOf;
    std::set<int> m_formatWritten;
    bool m_bookWritten = false;
};

// What the sheet would not bring back: it is imported as a teacher would
// import it (no type, no title given) and the book compared with the
// original.
QStringList Losses(const QString& bookPath, const QByteArray& csv)
{
    QTemporaryDir dir;
    QFile sheet(dir.filePath(QStringLiteral("sheet.csv")));
    if (!dir.isValid() || !sheet.open(QIODevice::WriteOnly) || sheet.write(csv) != csv.size())
        return {QStringLiteral("書き出した表を読み直せません（一時フォルダに書けません）")};
    sheet.close();
    ImportRequest request;
    request.input = sheet.fileName();
    request.output = dir.filePath(QStringLiteral("again_main.db"));
    Problems problems;
    if (BookImporter().Import(request, problems).isEmpty())
        return QStringList{QStringLiteral("書き出した表は取り込めません")} + problems.Lines();
    try {
        return BookComparison::Differences(bookPath, request.output);
    } catch (const CppSQLite3Exception& e) {
        return {QStringLiteral("書き出した表から作った本を比べられません（%1）").arg(QString::fromUtf8(e.Message()))};
    }
}

} // namespace

bool BookExporter::Export(const QString& bookPath, const QString& sheetPath, bool force, Problems& problems, bool lossy)
{
    problems.SetFile(bookPath);
    if (InputFile::Occupied(sheetPath) && !force) {
        problems.Error(
            0, 0, QStringLiteral("%1 は既にあります。置き換えるときは --force を付けてください").arg(sheetPath));
        return false;
    }
    BookData book;
    if (!InputFile::CheckReadable(bookPath, problems) || !ReadBook(bookPath, book, problems))
        return false;
    const QByteArray csv = SheetMaker(book).Csv();
    const QStringList losses = Losses(bookPath, csv);
    for (const QString& loss : losses) {
        const QString message = QStringLiteral("表に載せきれません: %1").arg(loss);
        if (lossy)
            problems.Warning(0, 0, message);
        else
            problems.Error(0, 0, message);
    }
    if (!losses.isEmpty() && !lossy) {
        problems.Error(0, 0,
            QStringLiteral("表は書き出していません。載せきれない所を除いて書き出すには --lossy を付けてください"));
        return false;
    }

    QSaveFile file(sheetPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        problems.Error(0, 0, QStringLiteral("%1 に書けません（%2）").arg(sheetPath, file.errorString()));
        return false;
    }
    return true;
}
