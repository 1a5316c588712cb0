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

namespace {

// Leaves the writing of a cancelled import (ImportCancel) at its next report.
struct ImportStopped { };

bool HasClass(const BookDraft& draft, int acid)
{
    for (const auto& attrClass : draft.attrClasses)
        if (attrClass.acid == acid)
            return true;
    return false;
}

} // namespace

BookWriter::BookWriter(Progress progress)
    : m_progress(std::move(progress))
{
}

bool BookWriter::Write(const BookDraft& draft, const QString& path, QString& error)
{
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath())) {
        error = QStringLiteral("フォルダ %1 を作れません").arg(target.absolutePath());
        return false;
    }
    // The book is made beside its final place and renamed only when complete,
    // so an existing book is never left half replaced.
    const QString temporary
        = target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".part");
    QFile::remove(temporary);
    try {
        CppSQLite3DB db;
        db.Open(ToUtf8(temporary));
        db.ExecuteBatch("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;");
        db.ExecuteBatch(BookSchema::kSql);
        WriteSettings(db, draft);
        WriteQuestions(db, draft);
        WriteAttrClasses(db, draft);
        WriteEntries(db, draft);
        WriteKeywords(db, draft);
        WriteSentences(db, draft);
        WriteRelations(db, draft);
        db.ExecuteBatch("COMMIT;");
        db.Close();
    } catch (const ImportStopped&) {
        QFile::remove(temporary);
        error = ImportCancel::Message();
        return false;
    } catch (const CppSQLite3Exception& e) {
        QFile::remove(temporary);
        // In the teacher's words where that helps (a full disk), else SQLite's.
        const DatabaseError failure = DatabaseError::From(e);
        const QString reason = failure.Reason();
        error = QStringLiteral("本のデータベースを書けません（%1）").arg(reason.isEmpty() ? failure.message : reason);
        return false;
    }
    FileMode::Apply(temporary, target.absoluteFilePath());
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target.absoluteFilePath()).constData())
        != 0) {
        QFile::remove(temporary);
        error = QStringLiteral("%1 に置けません").arg(target.absoluteFilePath());
        return false;
    }
    return true;
}

void BookWriter::Report(int done)
{
    if (ImportCancel::Requested())
        throw ImportStopped();
    if (m_progress)
        m_progress(done, m_total);
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
    m_total = static_cast<int>(draft.keywords.size() + draft.sentences.size());
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
        for (const auto& attr : keyword.attrs)
            if (attr.acid == acid && !attr.isText)
                take(attr.value.toInt());
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
    CppSQLite3Statement attr = db.Prepare("INSERT INTO KeywordAttrs(kid,acid,seq,type,value) VALUES(?,?,?,?,?);");
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
        AddValues(attr, k.kid, k.attrs);
        if (++done % kReportEvery == 0)
            Report(done);
    }
}

void BookWriter::WriteSentences(CppSQLite3DB& db, const BookDraft& draft)
{
    CppSQLite3Statement sentence
        = db.Prepare("INSERT INTO Sentences(sid,kid,qid,sort_key,sentence,answer) VALUES(?,?,?,?,?,?);");
    CppSQLite3Statement intAttr = db.Prepare("INSERT INTO SentenceAttrs(sid,acid,seq,type,value) VALUES(?,?,0,0,?);");
    CppSQLite3Statement textAttr = db.Prepare("INSERT INTO SentenceAttrs(sid,acid,seq,type,value) VALUES(?,?,0,1,?);");
    CppSQLite3Statement attr = db.Prepare("INSERT INTO SentenceAttrs(sid,acid,seq,type,value) VALUES(?,?,?,?,?);");
    const bool problemNumbers = HasClass(draft, BookAttrClass::ProblemNumber);
    const bool frequencies = HasClass(draft, BookAttrClass::Frequency);
    int done = static_cast<int>(draft.keywords.size());
    for (const auto& s : draft.sentences) {
        sentence.BindInt(1, s.sid);
        sentence.BindInt(2, s.kid);
        sentence.BindInt(3, s.qid);
        sentence.BindInt(4, s.sid);
        sentence.BindText(5, ToUtf8(s.sentence));
        sentence.BindText(6, ToUtf8(s.answer));
        sentence.Execute();
        AddInt(intAttr, s.sid, BookAttrClass::Source, s.source);
        if (problemNumbers && !s.problemNumber.isEmpty())
            AddText(textAttr, s.sid, BookAttrClass::ProblemNumber, s.problemNumber);
        if (frequencies && s.frequency)
            AddInt(intAttr, s.sid, BookAttrClass::Frequency, *s.frequency);
        AddValues(attr, s.sid, s.attrs);
        if (++done % kReportEvery == 0)
            Report(done);
    }
    Report(m_total);
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
