#pragma once

#include <QString>

class QTemporaryDir;

// Makes book databases (and other SQLite files) for tests from SQL text.
class BookFixture {
public:
    // Runs `sql` on a new SQLite file at `path`, replacing any file there.
    // Returns SQLite's error text, empty on success.
    static QString Build(const QString& path, const QString& sql);
    // Builds `name` inside `dir` and returns its path; a failure fails the
    // running test.
    static QString MakeIn(const QTemporaryDir& dir, const QString& name, const QString& sql);

    // The tables and views a book database consists of, without rows.
    // Attribute views join a table of owners with a table of attribute
    // rows, ordered so that the rows of one owner are consecutive.
    static QString SchemaSql();

    // The Info rows of a book: "DBID", "Product" and, when not empty, "RangeNumber".
    static QString InfoSql(const QString& dbid, const QString& product = QStringLiteral("101"),
        const QString& rangeNumber = QStringLiteral("1"));

    // A small complete book: schema, Info, one book, and this content:
    //   Indices (pre-order): 1 root; 2 "Lesson 1" (parent 1); 3 "1-A", 4 "1-B"
    //     (parent 2); 5 "Lesson 2" (parent 1, disabled).
    //   Questions (sort_key order): 11, 12, 13 (13 has no sentences).
    //   AttrClasses: 1 "No." (integer, range 1..300), 2 "品詞" (text),
    //     101 "出典" (integer, sentences).
    //   Keywords in view order: 201 "apple" (No. 10), 202 "book" (No. 20;
    //     品詞 seq 0 and seq 1: three attribute rows), 203 "猫" (No. 30).
    //   IKRelations: (3,201), (4,202), (5,203).
    //   Sentences of 11: 51 (kid 201, sort 30), 52 (kid 202, sort 10),
    //     53 (kid 203, sort 20, 出典 20); of 12: 61 (kid 201, sort 40),
    //     62 (kid 299, not a keyword, sort 50). Every sentence has 出典;
    //     all but 53 have the value 1.
    static QString SmallBookSql(const QString& dbid = QStringLiteral("TV-TEST-1"), int bid = 1,
        const QString& title = QStringLiteral("テスト英単語 1"));

    // The small book with its table of contents continued by a chain of
    // `depth` more entries, each the child of the one before: iids 1000,
    // 1001, ... below entry 4 ("1-B") and before entry 5 in table order;
    // the last one holds keyword 202.
    static QString DeepContentsBookSql(int depth);

    // A large synthetic book (DBID "TV-LARGE", bid 1) for benchmarks:
    // `keywords` keywords with two attribute rows each (No. and a text),
    // `sentences` sentences spread evenly over `questions` question formats
    // (qids 11, 12, ...) with two attribute rows each, a table of contents
    // of 50 chapters with 4 sections each, every keyword related to one
    // section.
    static QString LargeBookSql(int keywords = 5000, int sentences = 40000, int questions = 8);
};
