#include "support/BookFixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

QString BookFixture::Build(const QString& path, const QString& sql)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) {
        const QString error = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return error.isEmpty() ? QStringLiteral("cannot open") : error;
    }
    char* error = nullptr;
    QString result;
    // Test files need no durability; skipping the syncs keeps fixtures fast.
    sqlite3_exec(db, "PRAGMA synchronous=OFF; PRAGMA journal_mode=MEMORY;", nullptr, nullptr, nullptr);
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
        result = QString::fromUtf8(error ? error : "failed");
    sqlite3_free(error);
    sqlite3_close(db);
    return result;
}

QString BookFixture::MakeIn(const QTemporaryDir& dir, const QString& name, const QString& sql)
{
    const QString path = dir.filePath(name);
    const QString error = Build(path, sql);
    EXPECT_TRUE(error.isEmpty()) << name.toStdString() << ": " << error.toStdString();
    return path;
}

QString BookFixture::SchemaSql()
{
    return QStringLiteral(R"sql(
CREATE TABLE Info(name TEXT PRIMARY KEY, value TEXT);
CREATE TABLE BookInfo(bid INTEGER PRIMARY KEY, title TEXT);
CREATE TABLE Indices(iid INTEGER PRIMARY KEY, bid INTEGER, parent_iid INTEGER, page INTEGER,
                     sort_key INTEGER, enable INTEGER, title TEXT);
CREATE TABLE Questions(qid INTEGER PRIMARY KEY, sort_key INTEGER, title TEXT, question TEXT,
                       ans_field TEXT, ans_field_spc INTEGER, is_alter INTEGER);
CREATE TABLE AttrClasses(acid INTEGER PRIMARY KEY, name TEXT, long_name TEXT, type INTEGER,
                         sort_key INTEGER, is_range INTEGER);
CREATE TABLE Keywords(kid INTEGER PRIMARY KEY, word TEXT, sort_key INTEGER, enable INTEGER);
CREATE TABLE KeywordAttrs(kid INTEGER, acid INTEGER, seq INTEGER, type INTEGER, value);
CREATE TABLE Sentences(sid INTEGER PRIMARY KEY, kid INTEGER, qid INTEGER, sort_key INTEGER,
                       sentence TEXT, answer TEXT);
CREATE TABLE SentenceAttrs(sid INTEGER, acid INTEGER, seq INTEGER, type INTEGER, value);
CREATE TABLE IKRelations(iid INTEGER, kid INTEGER);
CREATE TABLE KeywordAttrRange(acid INTEGER PRIMARY KEY, min_value INTEGER, max_value INTEGER);
CREATE INDEX KeywordAttrsByOwner ON KeywordAttrs(kid, acid, seq);
CREATE INDEX SentenceAttrsByOwner ON SentenceAttrs(sid, acid, seq);
CREATE INDEX SentencesByQuestion ON Sentences(qid, sid);
CREATE VIEW KeywordsWithAttrs AS
  SELECT k.kid AS kid, k.word AS word, k.sort_key AS sort_key, k.enable AS enable,
         a.acid AS acid, a.seq AS seq, a.type AS type, a.value AS value
  FROM Keywords k JOIN KeywordAttrs a ON a.kid = k.kid
  ORDER BY k.sort_key, k.kid, a.acid, a.seq, a.rowid;
CREATE VIEW SentencesWithAttrs AS
  SELECT s.sid AS sid, s.kid AS kid, s.qid AS qid, s.sort_key AS sort_key,
         s.sentence AS sentence, s.answer AS answer,
         a.acid AS acid, a.seq AS seq, a.type AS type, a.value AS value
  FROM Sentences s JOIN SentenceAttrs a ON a.sid = s.sid
  ORDER BY s.sid, a.acid, a.seq, a.rowid;
)sql");
}

QString BookFixture::InfoSql(const QString& dbid, const QString& product, const QString& rangeNumber)
{
    QString sql = QStringLiteral("INSERT INTO Info VALUES('DBID','%1');\nINSERT INTO Info VALUES('Product','%2');\n")
                      .arg(dbid, product);
    if (!rangeNumber.isEmpty())
        sql += QStringLiteral("INSERT INTO Info VALUES('RangeNumber','%1');\n").arg(rangeNumber);
    return sql;
}

QString BookFixture::SmallBookSql(const QString& dbid, int bid, const QString& title)
{
    QString sql = SchemaSql() + InfoSql(dbid);
    sql += QStringLiteral("INSERT INTO BookInfo VALUES(%1,'%2');\n").arg(bid).arg(title);
    sql += QStringLiteral(R"sql(
INSERT INTO Indices VALUES(1,%1,0,0,1,1,'目次');
INSERT INTO Indices VALUES(2,%1,1,4,2,1,'Lesson 1');
INSERT INTO Indices VALUES(3,%1,2,4,3,1,'1-A');
INSERT INTO Indices VALUES(4,%1,2,6,4,1,'1-B');
INSERT INTO Indices VALUES(5,%1,1,10,5,0,'Lesson 2');
INSERT INTO Questions VALUES(12,2,'日本語に','次の英文を日本語にしなさい。','(    )',1,0);
INSERT INTO Questions VALUES(11,1,'英語に','次の日本語を英語にしなさい。','______',2,1);
INSERT INTO Questions VALUES(13,3,'空所補充','空所に入る語を書きなさい。','',0,0);
INSERT INTO AttrClasses VALUES(1,'No.','No.で選択',0,1,1);
INSERT INTO AttrClasses VALUES(2,'品詞','品詞',1,2,0);
INSERT INTO AttrClasses VALUES(101,'出典','出典',0,3,0);
INSERT INTO Keywords VALUES(201,'apple',1,1);
INSERT INTO Keywords VALUES(202,'book',2,1);
INSERT INTO Keywords VALUES(203,'猫',3,0);
INSERT INTO KeywordAttrs VALUES(201,1,0,0,10);
INSERT INTO KeywordAttrs VALUES(202,1,0,0,20);
INSERT INTO KeywordAttrs VALUES(202,2,0,1,'名詞');
INSERT INTO KeywordAttrs VALUES(202,2,1,1,'動詞');
INSERT INTO KeywordAttrs VALUES(203,1,0,0,30);
INSERT INTO KeywordAttrRange VALUES(1,1,300);
INSERT INTO IKRelations VALUES(3,201);
INSERT INTO IKRelations VALUES(4,202);
INSERT INTO IKRelations VALUES(5,203);
INSERT INTO IKRelations VALUES(5,203);
INSERT INTO Sentences VALUES(51,201,11,30,'りんごを食べる。','eat an apple');
INSERT INTO Sentences VALUES(52,202,11,10,'本を読む。','read a book');
INSERT INTO Sentences VALUES(53,203,11,20,'猫が好きだ。','I like cats.');
INSERT INTO Sentences VALUES(61,201,12,40,'An apple a day.','一日一個のりんご');
INSERT INTO Sentences VALUES(62,299,12,50,'Orphan.','孤立');
INSERT INTO SentenceAttrs VALUES(51,101,0,0,1);
INSERT INTO SentenceAttrs VALUES(52,101,0,0,1);
INSERT INTO SentenceAttrs VALUES(53,101,0,0,20);
INSERT INTO SentenceAttrs VALUES(61,101,0,0,1);
INSERT INTO SentenceAttrs VALUES(62,101,0,0,1);
)sql")
               .arg(bid);
    return sql;
}

QString BookFixture::DeepContentsBookSql(int depth)
{
    return SmallBookSql(QStringLiteral("TV-DEEP"))
        + QStringLiteral(R"sql(
WITH RECURSIVE chain(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM chain WHERE i + 1 < %1)
INSERT INTO Indices SELECT 1000 + i, 1, CASE i WHEN 0 THEN 4 ELSE 999 + i END, 6, 100 + i, 1, 'D' || i FROM chain;
INSERT INTO IKRelations VALUES(999 + %1, 202);
UPDATE Indices SET sort_key = 1000000000 WHERE iid = 5;
)sql")
              .arg(depth);
}

QString BookFixture::LargeBookSql(int keywords, int sentences, int questions)
{
    QString sql = SchemaSql() + InfoSql(QStringLiteral("TV-LARGE"));
    sql += QStringLiteral(R"sql(
BEGIN;
INSERT INTO BookInfo VALUES(1,'大きな単語帳');
INSERT INTO AttrClasses VALUES(1,'No.','No.で選択',0,1,1);
INSERT INTO AttrClasses VALUES(2,'品詞','品詞',1,2,0);
INSERT INTO AttrClasses VALUES(3,'備考','備考',1,3,0);
INSERT INTO AttrClasses VALUES(101,'出典','出典',0,4,0);
INSERT INTO KeywordAttrRange VALUES(1,1,%1);
INSERT INTO Indices VALUES(1,1,0,0,0,1,'目次');
WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM c WHERE i < 50),
     s(j) AS (SELECT 0 UNION ALL SELECT j+1 FROM s WHERE j < 4)
INSERT INTO Indices
  SELECT 1000+i*10+j, 1, CASE j WHEN 0 THEN 1 ELSE 1000+i*10 END, i*4+j, i*10+j, 1,
         CASE j WHEN 0 THEN 'Chapter ' || i ELSE 'Section ' || i || '-' || j END
  FROM c, s;
WITH RECURSIVE q(i) AS (SELECT 0 UNION ALL SELECT i+1 FROM q WHERE i < %3-1)
INSERT INTO Questions
  SELECT 11+i, i, '問題形式 ' || (i+1), '次の英語を日本語にしなさい。', '(          )', 1, i % 2 FROM q;
WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM k WHERE i < %1)
INSERT INTO Keywords SELECT 100000+i, 'word' || i, i, 1 FROM k;
INSERT INTO KeywordAttrs SELECT kid, 1, 0, 0, sort_key FROM Keywords;
INSERT INTO KeywordAttrs SELECT kid, 2, 0, 1, CASE sort_key % 3 WHEN 0 THEN '名詞' WHEN 1 THEN '動詞' ELSE '形容詞' END
  FROM Keywords;
INSERT INTO IKRelations
  SELECT 1000 + ((sort_key-1) % 50 + 1)*10 + ((sort_key-1) / 50) % 4 + 1, kid FROM Keywords;
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i < %2)
INSERT INTO Sentences
  SELECT i, 100000 + (i-1) % %1 + 1, 11 + (i-1) * %3 / %2, i,
         '彼はその単語 word' || ((i-1) % %1 + 1) || ' を毎朝の授業で何度も練習した。',
         'He practised the word many times in every morning lesson. (' || i || ')'
  FROM n;
INSERT INTO SentenceAttrs SELECT sid, 101, 0, 0, sid % 25 FROM Sentences;
INSERT INTO SentenceAttrs SELECT sid, 3, 0, 1, '例文 ' || sid FROM Sentences;
COMMIT;
)sql")
               .arg(keywords)
               .arg(sentences)
               .arg(questions);
    return sql;
}
