#include "bookimport/BookAttrClass.h"
#include "bookimport/BookExporter.h"

#include "bookimport/ColumnName.h"
#include "model/AttrClass.h"
#include "model/Book.h"
#include "model/DataBase.h"
#include "model/Index.h"
#include "model/Keyword.h"
#include "model/Question.h"
#include "model/Sentence.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <csv.h>

#include <map>
#include <memory>
#include <vector>

namespace {

QString ValueText(const Attr<int>* attr)
{
    if (!attr)
        return QString();
    return attr->isText ? attr->textValue : QString::number(attr->intValue);
}

// One CSV field, always quoted (quotes inside doubled).
QByteArray Field(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray out(utf8.size() * 2 + 2, Qt::Uninitialized);
    const std::size_t written = csv_write(
        out.data(), static_cast<std::size_t>(out.size()), utf8.constData(), static_cast<std::size_t>(utf8.size()));
    out.truncate(static_cast<qsizetype>(written));
    return out;
}

QByteArray Line(const QStringList& cells)
{
    QByteArray line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line.append(',');
        line.append(Field(cells[i]));
    }
    line.append("\r\n");
    return line;
}

// The 章 and 節 of each keyword: its deepest related entry (the earliest of
// equal depth) and that entry's parent; below the root only.
class Headings {
public:
    Headings(const std::vector<std::unique_ptr<Index>>& entries, const std::vector<std::pair<int, int>>& relations)
    {
        std::map<int, int> order;
        for (const auto& entry : entries) {
            m_entries[entry->iid] = entry.get();
            order.emplace(entry->iid, static_cast<int>(order.size()));
        }
        for (const auto& entry : entries)
            m_depth[entry->iid] = entry.get() == entries.front().get() ? 0 : Depth(entry->parent_iid) + 1;
        for (const auto& [iid, kid] : relations) {
            if (!m_entries.count(iid))
                continue;
            const auto best = m_best.find(kid);
            if (best == m_best.end() || m_depth[iid] > m_depth[best->second]
                || (m_depth[iid] == m_depth[best->second] && order[iid] < order[best->second]))
                m_best[kid] = iid;
        }
    }

    std::pair<QString, QString> Of(int kid) const
    {
        const auto best = m_best.find(kid);
        if (best == m_best.end())
            return {};
        const Index* entry = m_entries.at(best->second);
        const int depth = m_depth.at(entry->iid);
        if (depth == 0)
            return {};
        if (depth == 1)
            return {entry->title, QString()};
        const auto parent = m_entries.find(entry->parent_iid);
        return {parent == m_entries.end() ? QString() : parent->second->title, entry->title};
    }

private:
    int Depth(int iid) const
    {
        const auto depth = m_depth.find(iid);
        return depth == m_depth.end() ? 0 : depth->second;
    }

    std::map<int, const Index*> m_entries;
    std::map<int, int> m_depth;
    std::map<int, int> m_best; // kid -> iid
};

} // namespace

QStringList BookExporter::Columns(const QString& type, bool problemNumbers, bool partsOfSpeech)
{
    namespace C = ColumnName;
    QStringList columns{C::Number, C::Word, C::Format, C::Question, C::Answer, C::Chapter, C::Section, C::Page};
    if (type == QLatin1String("303"))
        columns.append(C::Frequency);
    columns.append(C::Source);
    if (problemNumbers)
        columns.append(C::ProblemNumber);
    if (partsOfSpeech)
        columns.append(C::PartOfSpeech);
    columns << C::Instruction << C::AnswerField << C::AnswerLines;
    return columns;
}

bool BookExporter::Export(const QString& bookPath, const QString& sheetPath, bool force, Problems& problems)
{
    problems.SetFile(bookPath);
    if (QFileInfo::exists(sheetPath) && !force) {
        problems.Error(
            0, 0, QStringLiteral("%1 は既にあります。置き換えるときは --force を付けてください").arg(sheetPath));
        return false;
    }
    DataBase db;
    std::vector<std::unique_ptr<Question>> questions;
    std::vector<std::unique_ptr<Keyword>> keywords;
    std::vector<std::unique_ptr<Sentence>> sentences;
    std::vector<std::unique_ptr<Index>> entries;
    std::vector<std::pair<int, int>> relations;
    std::vector<std::unique_ptr<AttrClass>> attrClasses;
    QString type;
    try {
        if (db.OpenBook(bookPath) != 0 || !db.Dbid().startsWith(QStringLiteral("TV")))
            throw 1;
        type = db.BookInfo(QStringLiteral("Product"));
    } catch (...) {
        problems.Error(0, 0, QStringLiteral("本のデータベースとして開けません"));
        return false;
    }
    if (db.ReadQuestions(questions) != 0 || db.ReadKeywords(keywords) != 0 || db.ReadSentences(0, sentences) != 0
        || db.ReadIndices(entries) != 0 || db.ReadIKRelations(relations) != 0 || db.ReadAttrClasses(attrClasses) != 0) {
        problems.Error(0, 0, QStringLiteral("本の中身を読めません（tavisko-book check で調べてください）"));
        return false;
    }

    int partOfSpeechClass = 0;
    for (const auto& attrClass : attrClasses)
        if (attrClass->name == ColumnName::PartOfSpeech)
            partOfSpeechClass = attrClass->acid;
    bool problemNumbers = false;
    for (const auto& sentence : sentences)
        problemNumbers = problemNumbers || sentence->Attribute(BookAttrClass::ProblemNumber) != nullptr;
    std::map<int, const Keyword*> keywordOf;
    for (const auto& keyword : keywords)
        keywordOf.emplace(keyword->kid, keyword.get());
    std::map<int, const Question*> questionOf;
    for (const auto& question : questions)
        questionOf.emplace(question->qid, question.get());
    const Headings headings(entries, relations);

    QByteArray csv("\xEF\xBB\xBF");
    csv.append(Line(Columns(type, problemNumbers, partOfSpeechClass != 0)));
    std::map<int, bool> formatWritten;
    for (const auto& sentence : sentences) {
        const auto keyword = keywordOf.find(sentence->kid);
        const auto question = questionOf.find(sentence->qid);
        if (keyword == keywordOf.end() || question == questionOf.end())
            continue; // the loader shows no such sentence either
        const auto [chapter, section] = headings.Of(sentence->kid);
        QStringList cells{ValueText(keyword->second->Attribute(BookAttrClass::Number)), keyword->second->word,
            question->second->title, sentence->sentence, sentence->answer, chapter, section,
            ValueText(keyword->second->Attribute(BookAttrClass::Page))};
        if (type == QLatin1String("303"))
            cells.append(ValueText(sentence->Attribute(BookAttrClass::Frequency)));
        cells.append(ValueText(sentence->Attribute(BookAttrClass::Source)));
        if (problemNumbers)
            cells.append(ValueText(sentence->Attribute(BookAttrClass::ProblemNumber)));
        if (partOfSpeechClass != 0)
            cells.append(ValueText(keyword->second->Attribute(partOfSpeechClass)));
        // A format's texts go with its first row only.
        if (!formatWritten[sentence->qid]) {
            formatWritten[sentence->qid] = true;
            cells << question->second->question << question->second->ans_field
                  << QString::number(question->second->ans_field_spc);
        } else {
            cells << QString() << QString() << QString();
        }
        csv.append(Line(cells));
    }

    QSaveFile file(sheetPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        problems.Error(0, 0, QStringLiteral("%1 に書けません（%2）").arg(sheetPath, file.errorString()));
        return false;
    }
    return true;
}
