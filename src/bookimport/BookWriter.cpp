#include "bookimport/BookWriter.h"

#include "bookimport/BookAttrClass.h"
#include "bookimport/BookSchema.h"
#include "bookimport/ImportCancel.h"
#include "model/CppSQLite3DB.h"
#include "model/CppSQLite3Exception.h"
#include "model/DatabaseError.h"
#include "model/FileMode.h"
#include "model/Utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

// Leaves the writing of a cancelled import (ImportCancel) at its next report.
struct ImportStopped { };

// In the teacher's words where that helps (a full disk), else SQLite's.
QString WriteError(const CppSQLite3Exception& e)
{
    const DatabaseError failure = DatabaseError::From(e);
    const QString reason = failure.Reason();
    return QStringLiteral("本のデータベースを書けません（%1）").arg(reason.isEmpty() ? failure.message : reason);
}

bool HasClass(const BookDraft& draft, int acid)
{
    for (const auto& attrClass : draft.attrClasses)
        if (attrClass.acid == acid)
            return true;
    return false;
}

} // namespace

// The statements that write a sentence, prepared once for them all.
struct BookWriter::Statements {
    CppSQLite3Statement sentence;
    CppSQLite3Statement intAttr;
    CppSQLite3Statement textAttr;
    CppSQLite3Statement attr;
    CppSQLite3Statement keywordValue;
};

BookWriter::BookWriter(Progress progress)
    : m_progress(std::move(progress))
{
}

BookWriter::~BookWriter()
{
    Abandon();
}

bool BookWriter::Begin(const QString& path, QString& error)
{
    const QFileInfo target(path);
    for (QFileInfo folder(target.absolutePath()); !folder.exists(); folder = QFileInfo(folder.absolutePath()))
        m_madeFolders.append(folder.absoluteFilePath());
    if (!QDir().mkpath(target.absolutePath())) {
        error = QStringLiteral("フォルダ %1 を作れません").arg(target.absolutePath());
        Abandon();
        return false;
    }
    // The book is made beside its final place and renamed only when complete,
    // so an existing book is never left half replaced.
    m_target = target.absoluteFilePath();
    m_temporary = target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".part");
    QFile::remove(m_temporary);
    try {
        m_db = std::make_unique<CppSQLite3DB>();
        m_db->Open(ToUtf8(m_temporary));
        m_db->ExecuteBatch("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;");
        m_db->ExecuteBatch(BookSchema::kSql);
        m_sentences.reset(new Statements{
            m_db->Prepare("INSERT INTO Sentences(sid,kid,qid,sort_key,sentence,answer) VALUES(?,?,?,?,?,?);"),
            m_db->Prepare("INSERT INTO SentenceAttrs(sid,acid,seq,type,value) VALUES(?,?,0,0,?);"),
            m_db->Prepare("INSERT INTO SentenceAttrs(sid,acid,seq,type,value) VALUES(?,?,0,1,?);"),
            m_db->Prepare("INSERT INTO SentenceAttrs(sid,acid,seq,type,value) VALUES(?,?,?,?,?);"),
            m_db->Prepare("INSERT INTO KeywordAttrs(kid,acid,seq,type,value) VALUES(?,?,?,?,?);")});
    } catch (const CppSQLite3Exception& e) {
        error = WriteError(e);
        Abandon();
        return false;
    }
    return true;
}

void BookWriter::AddSentence(const BookDraft::Sentence& sentence)
{
    if (!m_sentences || !m_error.isEmpty())
        return;
    try {
        WriteSentence(sentence);
    } catch (const CppSQLite3Exception& e) {
        Fail(WriteError(e));
    }
}

void BookWriter::AddKeywordValue(int kid, const BookDraft::AttrValue& value)
{
    if (!m_sentences || !m_error.isEmpty())
        return;
    try {
        AddValues(m_sentences->keywordValue, kid, {value});
    } catch (const CppSQLite3Exception& e) {
        Fail(WriteError(e));
    }
}

void BookWriter::RowsRead(int done, int rows)
{
    m_rows = rows;
    if (m_progress && done % kReportEvery == 0)
        m_progress(done, 2 * rows);
}

bool BookWriter::Finish(const BookDraft& draft, QString& error)
{
    if (!m_db || !m_error.isEmpty()) {
        error = m_error;
        Abandon();
        return false;
    }
    try {
        CppSQLite3DB& db = *m_db;
        m_sentences.reset();
        RenumberKeywords(db, draft);
        WriteSettings(db, draft);
        WriteQuestions(db, draft);
        WriteAttrClasses(db, draft);
        WriteEntries(db, draft);
        WriteKeywords(db, draft);
        WriteRelations(db, draft);
        db.ExecuteBatch("COMMIT;");
        db.Close();
        m_db.reset();
    } catch (const ImportStopped&) {
        error = ImportCancel::Message();
        Abandon();
        return false;
    } catch (const CppSQLite3Exception& e) {
        error = WriteError(e);
        Abandon();
        return false;
    }
    FileMode::Apply(m_temporary, m_target);
    if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0) {
        error = QStringLiteral("%1 に置けません").arg(m_target);
        Abandon();
        return false;
    }
    m_temporary.clear();
    m_madeFolders.clear();
    return true;
}

void BookWriter::Fail(const QString& error)
{
    m_error = error;
    m_sentences.reset();
}

// Nothing of an unfinished book stays: neither its file nor the folders
// made for it.
void BookWriter::Abandon()
{
    m_sentences.reset();
    m_db.reset();
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
    m_temporary.clear();
    for (const QString& folder : m_madeFolders)
        QDir().rmdir(folder);
    m_madeFolders.clear();
}

void BookWriter::Report(int done)
{
    if (ImportCancel::Requested())
        throw ImportStopped();
    if (m_progress)
        m_progress(done, 2 * m_rows);
}

void BookWriter::WriteSettings(CppSQLite3DB& db, const BookDraft& draft)
{
    CppSQLite3Statement info = db.Prepare("INSERT INTO Info(name,value) VALUES(?,?);");
    const std::pair<const char*, QString> values[]
        = {{"DBID", draft.dbid}, {"Product", draft.type}, {"RangeNumber", QString::number(draft.byNumber ? 1 : 0)}};
    for (const auto& [name, value] : values) {
        info.BindText(1, name);
        info.BindText(2, ToUtf8(value));
        info.Execute();
    }
    CppSQLite3Statement book = db.Prepare("INSERT INTO BookInfo(bid,title) VALUES(?,?);");
    book.BindInt(1, draft.bid);
    book.BindText(2, ToUtf8(draft.title));
    book.Execute();
}

void BookWriter::WriteQuestions(CppSQLite3DB& db, const BookDraft& draft)
{
    CppSQLite3Statement insert = db.Prepare(
        "INSERT INTO Questions(qid,sort_key,title,question,ans_field,ans_field_spc,is_alter) VALUES(?,?,?,?,?,?,?);");
    for (const auto& question : draft.questions) {
        insert.BindInt(1, question.qid);
        insert.BindInt(2, question.qid * 10);
        insert.BindText(3, ToUtf8(question.title));
        insert.BindText(4, ToUtf8(question.instruction));
        insert.BindText(5, ToUtf8(question.answerField));
        insert.BindInt(6, question.answerLines);
        insert.BindInt(7, question.alternate ? 1 : 0);
        insert.Execute();
    }
}

void BookWriter::WriteAttrClasses(CppSQLite3DB& db, const BookDraft& draft)
{
    CppSQLite3Statement insert
        = db.Prepare("INSERT INTO AttrClasses(acid,name,long_name,type,sort_key,is_range) VALUES(?,?,?,?,?,?);");
    int sortKey = 0;
    for (const auto& attrClass : draft.attrClasses) {
        insert.BindInt(1, attrClass.acid);
        insert.BindText(2, ToUtf8(attrClass.name));
        insert.BindText(3, ToUtf8(attrClass.longName));
        insert.BindInt(4, attrClass.type);
        insert.BindInt(5, sortKey += 10);
        insert.BindInt(6, attrClass.isRange ? 1 : 0);
        insert.Execute();
    }
    // The number interval of each range class: the lowest and highest value.
    CppSQLite3Statement range = db.Prepare("INSERT INTO KeywordAttrRange(acid,min_value,max_value) VALUES(?,?,?);");
    for (const auto& attrClass : draft.attrClasses) {
        if (!attrClass.isRange)
            continue;
        const std::optional<std::pair<int, int>> bounds = RangeOf(draft, attrClass.acid);
        if (!bounds)
            continue;
        range.BindInt(1, attrClass.acid);
        range.BindInt(2, bounds->first);
        range.BindInt(3, bounds->second);
        range.Execute();
    }
}

std::optional<std::pair<int, int>> BookWriter::RangeOf(const BookDraft& draft, int acid)
{
    std::optional<std::pair<int, int>> bounds;
    const auto take = [&bounds](int value) {
        bounds = bounds ? std::make_pair(std::min(bounds->first, value), std::max(bounds->second, value))
                        : std::make_pair(value, value);
    };
    for (const auto& keyword : draft.keywords) {
        if (acid == BookAttrClass::Number)
            take(keyword.number);
        else if (acid == BookAttrClass::Page && keyword.page)
            take(*keyword.page);
    }
    const auto values = draft.valueRanges.find(acid);
    if (values != draft.valueRanges.end()) {
        take(values->second.first);
        take(values->second.second);
    }
    return bounds;
}

void BookWriter::WriteEntries(CppSQLite3DB& db, const BookDraft& draft)
{
    CppSQLite3Statement insert
        = db.Prepare("INSERT INTO Indices(iid,bid,parent_iid,page,sort_key,enable,title) VALUES(?,?,?,?,?,?,?);");
    int sortKey = 0;
    for (const auto& entry : draft.entries) {
        insert.BindInt(1, entry.iid);
        insert.BindInt(2, draft.bid);
        insert.BindInt(3, entry.parent);
        insert.BindInt(4, entry.page);
        insert.BindInt(5, sortKey += 10);
        insert.BindInt(6, entry.enable ? 1 : 0);
        insert.BindText(7, ToUtf8(entry.title));
        insert.Execute();
    }
}

void BookWriter::WriteKeywords(CppSQLite3DB& db, const BookDraft& draft)
{
    CppSQLite3Statement keyword = db.Prepare("INSERT INTO Keywords(kid,word,sort_key,enable) VALUES(?,?,?,1);");
    CppSQLite3Statement intAttr = db.Prepare("INSERT INTO KeywordAttrs(kid,acid,seq,type,value) VALUES(?,?,0,0,?);");
    CppSQLite3Statement textAttr = db.Prepare("INSERT INTO KeywordAttrs(kid,acid,seq,type,value) VALUES(?,?,0,1,?);");
    const bool partsOfSpeech = HasClass(draft, BookAttrClass::PartOfSpeech);
    int done = 0;
    for (const auto& k : draft.keywords) {
        keyword.BindInt(1, k.kid);
        keyword.BindText(2, ToUtf8(k.word));
        keyword.BindInt(3, k.kid * 10);
        keyword.Execute();
        AddInt(intAttr, k.kid, BookAttrClass::Number, k.number);
        if (k.page)
            AddInt(intAttr, k.kid, BookAttrClass::Page, *k.page);
        if (partsOfSpeech && !k.partOfSpeech.isEmpty())
            AddText(textAttr, k.kid, BookAttrClass::PartOfSpeech, k.partOfSpeech);
        if (++done % kReportEvery == 0)
            Report(m_rows + static_cast<int>(static_cast<qint64>(done) * m_rows / std::ssize(draft.keywords)));
    }
    Report(2 * m_rows);
}

// Which classes a sentence's values belong to is known only once all rows
// are read; a sentence has values of a class only when the book has it (a
// problem number makes the class, and only a 303 book's sheet gives
// frequencies), so each value given is written.
void BookWriter::WriteSentence(const BookDraft::Sentence& s)
{
    Statements& statements = *m_sentences;
    statements.sentence.BindInt(1, s.sid);
    statements.sentence.BindInt(2, s.kid);
    statements.sentence.BindInt(3, s.qid);
    statements.sentence.BindInt(4, s.sid);
    statements.sentence.BindText(5, ToUtf8(s.sentence));
    statements.sentence.BindText(6, ToUtf8(s.answer));
    statements.sentence.Execute();
    AddInt(statements.intAttr, s.sid, BookAttrClass::Source, s.source);
    if (!s.problemNumber.isEmpty())
        AddText(statements.textAttr, s.sid, BookAttrClass::ProblemNumber, s.problemNumber);
    if (s.frequency)
        AddInt(statements.intAttr, s.sid, BookAttrClass::Frequency, *s.frequency);
    AddValues(statements.attr, s.sid, s.attrs);
}

// The sentences and keyword values went in with their keywords' places in
// the order made; where numbers reorder the keywords, each gets its
// keyword's kid (the values by way of negative kids, as no two values of a
// keyword and class may share a place at any moment).
void BookWriter::RenumberKeywords(CppSQLite3DB& db, const BookDraft& draft)
{
    bool inOrder = true;
    for (std::size_t made = 0; made < draft.kidOfMade.size() && inOrder; ++made)
        inOrder = draft.kidOfMade[made] == static_cast<int>(made) + 1;
    if (inOrder)
        return;
    db.ExecuteBatch("CREATE TEMP TABLE KidOfMade(made INTEGER PRIMARY KEY, kid INTEGER NOT NULL);");
    CppSQLite3Statement insert = db.Prepare("INSERT INTO KidOfMade(made,kid) VALUES(?,?);");
    for (std::size_t made = 0; made < draft.kidOfMade.size(); ++made) {
        insert.BindInt(1, static_cast<int>(made) + 1);
        insert.BindInt(2, draft.kidOfMade[made]);
        insert.Execute();
    }
    insert.Finalize();
    db.ExecuteBatch("UPDATE Sentences SET kid = (SELECT kid FROM KidOfMade WHERE made = Sentences.kid);"
                    "UPDATE KeywordAttrs SET kid = -(SELECT kid FROM KidOfMade WHERE made = KeywordAttrs.kid);"
                    "UPDATE KeywordAttrs SET kid = -kid;"
                    "DROP TABLE KidOfMade;");
}

void BookWriter::WriteRelations(CppSQLite3DB& db, const BookDraft& draft)
{
    CppSQLite3Statement insert = db.Prepare("INSERT INTO IKRelations(iid,kid) VALUES(?,?);");
    for (const auto& [iid, kid] : draft.relations) {
        insert.BindInt(1, iid);
        insert.BindInt(2, kid);
        insert.Execute();
    }
}

void BookWriter::AddInt(CppSQLite3Statement& statement, int owner, int acid, int value)
{
    statement.BindInt(1, owner);
    statement.BindInt(2, acid);
    statement.BindInt(3, value);
    statement.Execute();
}

void BookWriter::AddText(CppSQLite3Statement& statement, int owner, int acid, const QString& value)
{
    statement.BindInt(1, owner);
    statement.BindInt(2, acid);
    statement.BindText(3, ToUtf8(value));
    statement.Execute();
}

void BookWriter::AddValues(CppSQLite3Statement& statement, int owner, const std::vector<BookDraft::AttrValue>& values)
{
    for (const auto& value : values) {
        statement.BindInt(1, owner);
        statement.BindInt(2, value.acid);
        statement.BindInt(3, value.seq);
        statement.BindInt(4, value.isText ? 1 : 0);
        if (value.isText)
            statement.BindText(5, ToUtf8(value.value));
        else
            statement.BindInt(5, value.value.toInt());
        statement.Execute();
    }
}
