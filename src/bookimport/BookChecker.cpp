#include "bookimport/BookChecker.h"

#include "bookimport/InputFile.h"
#include "export/RunLimits.h"
#include "markup/PrintTokenizer.h"

#include "model/CppSQLite3DB.h"
#include "model/CppSQLite3Exception.h"
#include "model/Utf8.h"

#include <QFileInfo>
#include <QSet>
#include <QStringList>

#include <sqlite3.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct Layout {
    const char* name;
    std::vector<const char*> columns;
};

// What the loader reads of each table or view.
const std::vector<Layout>& RequiredLayout()
{
    static const std::vector<Layout> layout = {
        {"Info", {"name", "value"}},
        {"BookInfo", {"bid", "title"}},
        {"Indices", {"iid", "bid", "parent_iid", "page", "sort_key", "enable", "title"}},
        {"Questions", {"qid", "sort_key", "ans_field_spc", "is_alter", "title", "question", "ans_field"}},
        {"KeywordsWithAttrs", {"kid", "sort_key", "enable", "word", "acid", "seq", "type", "value"}},
        {"SentencesWithAttrs", {"sid", "kid", "qid", "sort_key", "sentence", "answer", "acid", "seq", "type", "value"}},
        {"AttrClasses", {"acid", "type", "sort_key", "is_range", "name", "long_name"}},
        {"IKRelations", {"iid", "kid"}},
        {"KeywordAttrRange", {"acid", "min_value", "max_value"}},
    };
    return layout;
}

QString Setting(CppSQLite3DB& db, const char* name, bool& present)
{
    CppSQLite3Statement statement = db.Prepare("select value from Info where name=?;");
    statement.BindText(1, name);
    CppSQLite3Query query = statement.Query();
    present = !query.AtEnd();
    return present ? FromUtf8(query.TextField(0)) : QString();
}

} // namespace

// Why the file cannot be read as a book, in the teacher's words rather than
// the database's (a word list given by mistake reads "file is not a
// database" there).
QString BookChecker::NotReadable(const QString& path, int code)
{
    if (!QFileInfo(path).isFile())
        return QStringLiteral("ファイルがありません");
    switch (code) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT: return QStringLiteral("本のファイルではありません（本は tavisko-book import で作ります）");
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH: return QStringLiteral("ファイルを開けません（読み取りが許可されていません）");
    default: return QStringLiteral("本のファイルとして読めません");
    }
}

bool BookChecker::Check(const QString& path, Problems& problems)
{
    problems.SetFile(path);
    const int before = problems.ErrorCount();
    if (!InputFile::CheckReadable(path, problems))
        return false;
    try {
        CppSQLite3DB db;
        db.Open(ToUtf8(path), CppSQLite3DB::OpenMode::ReadOnly);
        if (!CheckLayout(db, problems))
            return false;
        CheckSettings(db, problems);
        CheckAttributeTypes(db, problems);
        CheckOwnersConsecutive(db, "KeywordsWithAttrs", "kid", problems);
        CheckOwnersConsecutive(db, "SentencesWithAttrs", "sid", problems);
        CheckContents(db, problems);
        CheckReferences(db, problems);
        CheckPrintBounds(db, problems);
    } catch (const CppSQLite3Exception& e) {
        problems.Error(0, 0, NotReadable(path, e.Code()));
    }
    return problems.ErrorCount() == before;
}

bool BookChecker::CheckLayout(CppSQLite3DB& db, Problems& problems)
{
    bool sound = true;
    for (const Layout& table : RequiredLayout()) {
        const std::string sql = std::string("PRAGMA table_info(") + table.name + ");";
        QSet<QString> columns;
        CppSQLite3Query query = db.Query(sql.c_str());
        while (!query.AtEnd()) {
            columns.insert(FromUtf8(query.TextField("name")));
            query.Next();
        }
        if (columns.isEmpty()) {
            problems.Error(0, 0, QStringLiteral("表またはビュー %1 がありません").arg(QString::fromLatin1(table.name)));
            sound = false;
            continue;
        }
        for (const char* column : table.columns) {
            if (!columns.contains(QString::fromLatin1(column))) {
                problems.Error(0, 0,
                    QStringLiteral("%1 に列 %2 がありません")
                        .arg(QString::fromLatin1(table.name), QString::fromLatin1(column)));
                sound = false;
            }
        }
    }
    return sound;
}

void BookChecker::CheckSettings(CppSQLite3DB& db, Problems& problems)
{
    bool present = false;
    const QString dbid = Setting(db, "DBID", present);
    if (!present)
        problems.Error(0, 0, QStringLiteral("Info に DBID がありません"));
    else if (!dbid.startsWith(QStringLiteral("TV")))
        problems.Error(0, 0, QStringLiteral("DBID「%1」が TV で始まっていません（本として見つかりません）").arg(dbid));
    const QString product = Setting(db, "Product", present);
    if (product != QLatin1String("101") && product != QLatin1String("301") && product != QLatin1String("303"))
        problems.Error(0, 0, QStringLiteral("Product「%1」は 101、301、303 のどれでもありません").arg(product));
    const QString rangeNumber = Setting(db, "RangeNumber", present);
    bool isNumber = false;
    rangeNumber.toInt(&isNumber);
    if (!present)
        problems.Error(0, 0, QStringLiteral("Info に RangeNumber がありません"));
    else if (!isNumber)
        problems.Error(0, 0, QStringLiteral("RangeNumber「%1」が整数ではありません").arg(rangeNumber));
    ReportRows(db, "select 'BookInfo' where not exists (select 1 from BookInfo);",
        QStringLiteral("BookInfo に本がありません"), problems);
}

void BookChecker::CheckAttributeTypes(CppSQLite3DB& db, Problems& problems)
{
    ReportRows(db, "select acid from AttrClasses where type not in (0,1);",
        QStringLiteral("AttrClasses の type が 0 でも 1 でもない属性が %1 件あります（acid %2）"), problems);
    ReportRows(db, "select kid||'/'||acid from KeywordsWithAttrs where acid is not null and type not in (0,1);",
        QStringLiteral("KeywordsWithAttrs の type が 0 でも 1 でもない行が %1 件あります（kid/acid %2）"), problems);
    ReportRows(db, "select sid||'/'||acid from SentencesWithAttrs where acid is not null and type not in (0,1);",
        QStringLiteral("SentencesWithAttrs の type が 0 でも 1 でもない行が %1 件あります（sid/acid %2）"), problems);
}

void BookChecker::CheckOwnersConsecutive(CppSQLite3DB& db, const char* view, const char* owner, Problems& problems)
{
    const std::string sql = std::string("select ") + owner + " from " + view + ";";
    CppSQLite3Query query = db.Query(sql.c_str());
    QSet<int> finished;
    QStringList examples;
    int count = 0;
    bool first = true;
    int last = 0;
    while (!query.AtEnd()) {
        const int id = query.IntField(0);
        if (first || id != last) {
            if (!first)
                finished.insert(last);
            if (finished.contains(id)) {
                if (++count <= kExamples)
                    examples.append(QString::number(id));
            }
            last = id;
            first = false;
        }
        query.Next();
    }
    if (count > 0)
        problems.Error(0, 0,
            QStringLiteral("%1 で一つの %2 の行が続いていません（%3 件: %4）")
                .arg(QString::fromLatin1(view), QString::fromLatin1(owner))
                .arg(count)
                .arg(examples.join(QStringLiteral(", "))));
}

// Rows in sort_key order must walk the tree in pre-order: each entry's
// parent is the entry before it or one of that entry's ancestors.
void BookChecker::CheckContents(CppSQLite3DB& db, Problems& problems)
{
    CppSQLite3Query query = db.Query("select iid, parent_iid from Indices order by sort_key;");
    if (query.AtEnd()) {
        problems.Error(0, 0, QStringLiteral("Indices が空です（本を選べません）"));
        return;
    }
    std::map<int, int> parentOf;
    std::vector<int> chain; // the previous entry and its ancestors, root first
    while (!query.AtEnd()) {
        const int iid = query.IntField(0);
        const int parent = query.IntField(1);
        if (parentOf.count(iid))
            problems.Error(0, 0, QStringLiteral("Indices の iid %1 が二度あります").arg(iid));
        if (!chain.empty()) {
            while (!chain.empty() && chain.back() != parent)
                chain.pop_back();
            if (chain.empty()) {
                problems.Error(0, 0,
                    QStringLiteral("Indices の iid %1 の親 %2 が、前の項目とその祖先にありません"
                                   "（目次が行きがけ順になっていません）")
                        .arg(iid)
                        .arg(parent));
                query.Next();
                return;
            }
        }
        parentOf[iid] = parent;
        chain.push_back(iid);
        query.Next();
    }
}

void BookChecker::CheckReferences(CppSQLite3DB& db, Problems& problems)
{
    ReportRows(db, "select iid||'/'||kid from IKRelations where iid not in (select iid from Indices);",
        QStringLiteral("IKRelations に、Indices にない iid を指す行が %1 件あります（iid/kid %2）"), problems);
    ReportRows(db, "select iid||'/'||kid from IKRelations where kid not in (select kid from KeywordsWithAttrs);",
        QStringLiteral("IKRelations に、語彙にない kid を指す行が %1 件あります（iid/kid %2）"), problems);
    ReportRows(db, "select distinct sid from SentencesWithAttrs where kid not in (select kid from KeywordsWithAttrs);",
        QStringLiteral("語彙にない kid を指す例文が %1 件あります（sid %2）"), problems);
    ReportRows(db, "select distinct sid from SentencesWithAttrs where qid not in (select qid from Questions);",
        QStringLiteral("Questions にない qid を指す例文が %1 件あります（sid %2）"), problems);
    ReportRows(db,
        "select distinct kid||'/'||acid from KeywordsWithAttrs where acid is not null and acid not in "
        "(select acid from AttrClasses);",
        QStringLiteral("AttrClasses にない属性を持つ語彙が %1 件あります（kid/acid %2）"), problems);
    ReportRows(db,
        "select distinct sid||'/'||acid from SentencesWithAttrs where acid is not null and acid not in "
        "(select acid from AttrClasses);",
        QStringLiteral("AttrClasses にない属性を持つ例文が %1 件あります（sid/acid %2）"), problems);
    ReportRows(db, "select acid from KeywordAttrRange where acid not in (select acid from AttrClasses);",
        QStringLiteral("KeywordAttrRange に、AttrClasses にない属性が %1 件あります（acid %2）"), problems);
}

// What a print run refuses (export/RunLimits) no book may need for one
// sub-question: a text longer than a run takes, or more commands than a
// run takes for its question, answer and format texts together.
void BookChecker::CheckPrintBounds(CppSQLite3DB& db, Problems& problems)
{
    const QString tooLong = QStringLiteral("印刷できる長さ（") + QString::number(RunLimits::MaxTextLength)
        + QStringLiteral(" 文字）を超える");
    const std::string longest = std::to_string(RunLimits::MaxTextLength);
    const std::string sentences
        = "select sid from Sentences where length(sentence) > " + longest + " or length(answer) > " + longest + ";";
    ReportRows(db, sentences.c_str(), tooLong + QStringLiteral("問題文か解答が %1 件あります（sid %2）"), problems);
    const std::string formats
        = "select qid from Questions where length(question) > " + longest + " or length(ans_field) > " + longest + ";";
    ReportRows(db, formats.c_str(), tooLong + QStringLiteral("指示文か解答欄が %1 件あります（qid %2）"), problems);
    const std::string words = "select kid from Keywords where length(word) > " + longest + ";";
    ReportRows(db, words.c_str(), tooLong + QStringLiteral("見出し語が %1 件あります（kid %2）"), problems);

    // A text makes at most one command per character: only sub-questions
    // whose texts are that long together are tokenised.
    const std::string many = "select s.sid, s.sentence, s.answer, q.question, q.ans_field from Sentences s "
                             "join Questions q using(qid) where length(s.sentence) + length(s.answer) "
                             "+ length(q.question) + length(q.ans_field) > "
        + std::to_string(RunLimits::MaxCommands) + ";";
    QStringList examples;
    for (CppSQLite3Query query = db.Query(many.c_str()); !query.AtEnd(); query.Next()) {
        std::size_t commands = 0;
        for (int field = 1; field <= 4; ++field)
            commands += Print::ParseText(FromUtf8(query.TextField(field))).size();
        if (commands > static_cast<std::size_t>(RunLimits::MaxCommands))
            examples.append(QString::number(query.IntField(0)));
    }
    if (!examples.isEmpty())
        problems.Error(0, 0,
            QStringLiteral("印刷の命令が一回の印刷で扱える数（%1）を超える問題が %2 件あります（sid %3）")
                .arg(RunLimits::MaxCommands)
                .arg(examples.size())
                .arg(examples.mid(0, kExamples).join(QStringLiteral(", "))));
}

void BookChecker::ReportRows(CppSQLite3DB& db, const char* sql, const QString& message, Problems& problems)
{
    CppSQLite3Query query = db.Query(sql);
    QStringList examples;
    int count = 0;
    while (!query.AtEnd()) {
        if (++count <= kExamples)
            examples.append(FromUtf8(query.TextField(0)));
        query.Next();
    }
    if (count == 0)
        return;
    if (count > kExamples)
        examples.append(QStringLiteral("…"));
    QString text = message;
    if (text.contains(QLatin1String("%1")))
        text = text.arg(count);
    if (text.contains(QLatin1String("%2")) || text.contains(QLatin1String("%1")))
        text = text.arg(examples.join(QStringLiteral(", ")));
    problems.Error(0, 0, text);
}
