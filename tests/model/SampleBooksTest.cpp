// The sample books shipped with the program, checked for what the reader and
// the rest of the program rely on: identity, a pre-order table of contents,
// attribute rows grouped by owner, attributes the lists and the candidate
// test read, and enough content to make prints from.
#include "model/DataBase.h"
#include "model/NodeStorage.h"

#include "support/SampleBooks.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

QString PathOf(const SampleBook& book)
{
    return QStringLiteral(TV_TEST_DATA_DIR "/") + book.file;
}

class SampleBookTest : public testing::TestWithParam<SampleBook> {
protected:
    void SetUp() override { ASSERT_TRUE(QFileInfo::exists(path)) << path.toStdString(); }

    qlonglong Int(const QString& sql) const { return QueryInt(path, sql); }
    std::vector<SqlRow> Rows(const QString& sql) const { return QueryRows(path, sql); }

    const SampleBook book = GetParam();
    const QString path = PathOf(GetParam());
};

// The owner ids of an attribute view in view order must come in runs: once
// the view has left an owner, the owner does not come back.
void ExpectOwnersConsecutive(const std::vector<SqlRow>& rows, const char* view)
{
    std::set<qlonglong> finished;
    qlonglong current = -1;
    for (const SqlRow& row : rows) {
        const qlonglong owner = row[0].toLongLong();
        if (owner == current)
            continue;
        ASSERT_EQ(finished.count(owner), 0u) << view << ": rows of owner " << owner << " are split";
        finished.insert(current);
        current = owner;
    }
}

// Each row's type says how its value is stored: 0 an integer, 1 a text.
void ExpectValuesMatchTypes(const std::vector<SqlRow>& rows, const char* view)
{
    for (const SqlRow& row : rows) {
        const qlonglong type = row[1].toLongLong();
        ASSERT_TRUE(type == 0 || type == 1) << view << ": type " << type;
        const bool isText = row[2].typeId() == QMetaType::QString;
        EXPECT_EQ(isText, type == 1) << view << ": owner " << row[0].toLongLong();
    }
}

TEST_P(SampleBookTest, InfoIdentifiesTheBookAndItsType)
{
    const auto info = Rows(QStringLiteral("select name, value from Info"));
    std::map<QString, QString> values;
    for (const SqlRow& row : info)
        values[row[0].toString()] = row[1].toString();
    EXPECT_TRUE(values[QStringLiteral("DBID")].startsWith(QStringLiteral("TV")));
    EXPECT_EQ(values[QStringLiteral("Product")], book.product);
    bool isNumber = false;
    const int rangeNumber = values[QStringLiteral("RangeNumber")].toInt(&isNumber);
    EXPECT_TRUE(isNumber);
    EXPECT_EQ(rangeNumber != 0, book.rangeNumber);
    EXPECT_EQ(Int(QStringLiteral("select count(*) from BookInfo")), 1);
}

TEST_P(SampleBookTest, TableOfContentsIsAPreOrderTree)
{
    const auto rows = Rows(QStringLiteral("select iid, parent_iid, enable from Indices order by sort_key"));
    ASSERT_GT(rows.size(), 10u);
    // The reader's own rule: each entry's parent is the previous entry or
    // one of its ancestors.
    std::vector<qlonglong> chain{rows[0][0].toLongLong()};
    std::set<qlonglong> parents;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const qlonglong parent = rows[i][1].toLongLong();
        while (!chain.empty() && chain.back() != parent)
            chain.pop_back();
        ASSERT_FALSE(chain.empty()) << "entry " << rows[i][0].toLongLong() << " does not follow its parent";
        chain.push_back(rows[i][0].toLongLong());
        parents.insert(parent);
    }
    // Entries that can be chosen and have no children must cover keywords,
    // and some entries are listed only (preface, answers, index).
    int listedOnly = 0;
    for (const SqlRow& row : rows) {
        const qlonglong iid = row[0].toLongLong();
        if (row[2].toLongLong() == 0) {
            ++listedOnly;
            EXPECT_EQ(Int(QStringLiteral("select count(*) from IKRelations where iid=%1").arg(iid)), 0);
        } else if (!parents.count(iid)) {
            EXPECT_GT(Int(QStringLiteral("select count(*) from IKRelations where iid=%1").arg(iid)), 0)
                << "leaf entry " << iid << " covers no keyword";
        }
    }
    EXPECT_GE(listedOnly, 1);
}

TEST_P(SampleBookTest, AttributeViewsKeepTheRowsOfOneOwnerTogether)
{
    const auto keywordRows = Rows(QStringLiteral("select kid, type, value from KeywordsWithAttrs"));
    const auto sentenceRows = Rows(QStringLiteral("select sid, type, value from SentencesWithAttrs"));
    ExpectOwnersConsecutive(keywordRows, "KeywordsWithAttrs");
    ExpectOwnersConsecutive(sentenceRows, "SentencesWithAttrs");
    ExpectValuesMatchTypes(keywordRows, "KeywordsWithAttrs");
    ExpectValuesMatchTypes(sentenceRows, "SentencesWithAttrs");
    // Every keyword and every sentence appears in its view.
    EXPECT_EQ(Int(QStringLiteral("select count(distinct kid) from KeywordsWithAttrs")),
        Int(QStringLiteral("select count(*) from Keywords")));
    EXPECT_EQ(Int(QStringLiteral("select count(distinct sid) from SentencesWithAttrs")),
        Int(QStringLiteral("select count(*) from Sentences")));
}

TEST_P(SampleBookTest, SentencesBelongToKnownKeywordsAndFormatsAndCarryTheirOrigin)
{
    EXPECT_EQ(Int(QStringLiteral("select count(*) from Sentences s where not exists "
                                 "(select 1 from Keywords k where k.kid=s.kid) or not exists "
                                 "(select 1 from Questions q where q.qid=s.qid)")),
        0);
    EXPECT_EQ(Int(QStringLiteral("select count(*) from Sentences s where not exists (select 1 from "
                                 "SentenceAttrs a where a.sid=s.sid and a.acid=101 and a.seq=0 and a.type=0)")),
        0);
    // Both sentences of the book itself and extra ones (101 at 20 and up).
    EXPECT_GT(Int(QStringLiteral("select count(*) from SentenceAttrs where acid=101 and value<20")), 0);
    EXPECT_GT(Int(QStringLiteral("select count(*) from SentenceAttrs where acid=101 and value>=20")), 0);
    // Every keyword is drilled in every format the book has... in the
    // vocabulary book; the kanji books split writing by okurigana.
    const qlonglong formats = Int(QStringLiteral("select count(*) from Questions"));
    EXPECT_GE(formats, 3);
    const qlonglong minFormatsPerKeyword
        = Int(QStringLiteral("select min(n) from (select count(distinct qid) as n from Sentences group by kid)"));
    EXPECT_EQ(minFormatsPerKeyword, book.product == QStringLiteral("101") ? formats : 2);
    EXPECT_EQ(Int(QStringLiteral("select count(*) from Keywords k where not exists "
                                 "(select 1 from Sentences s where s.kid=k.kid)")),
        0);
}

TEST_P(SampleBookTest, HasTheVocabularyAndAttributesItsListsShow)
{
    EXPECT_GE(Int(QStringLiteral("select count(*) from Keywords")), book.minKeywords);
    // Page (3) on every keyword; the vocabulary book also numbers its headwords (2).
    const QString missing = QStringLiteral("select count(*) from Keywords k where not exists (select 1 from "
                                           "KeywordAttrs a where a.kid=k.kid and a.acid=%1 and a.seq=0 and a.type=0)");
    EXPECT_EQ(Int(missing.arg(3)), 0);
    EXPECT_EQ(Int(missing.arg(2)), 0);
    if (book.product == QStringLiteral("101")) {
        EXPECT_GE(Int(QStringLiteral("select count(distinct value) from KeywordAttrs where acid=3")), 20);
        return;
    }
    // Kanji books: pages in every supplement band, problem numbers as text,
    // sentences without a page label (101 = 30), frequency marks in "303".
    for (const auto& [low, high] : {std::pair{500, 999}, {1000, 1999}, {2000, 2999}, {3000, 99999}})
        EXPECT_GT(Int(QStringLiteral("select count(*) from KeywordAttrs where acid=3 and value between %1 and %2")
                          .arg(low)
                          .arg(high)),
            0)
            << "no keyword on pages " << low << "..";
    EXPECT_GT(Int(QStringLiteral("select count(*) from SentenceAttrs where acid=101 and value=30")), 0);
    EXPECT_EQ(Int(QStringLiteral("select count(*) from Sentences s where not exists (select 1 from "
                                 "SentenceAttrs a where a.sid=s.sid and a.acid=102 and a.type=1)")),
        0);
    if (book.product == QStringLiteral("303")) {
        EXPECT_EQ(Int(QStringLiteral("select count(*) from SentenceAttrs where acid=103 and value not in (1,2)")), 0);
        EXPECT_GT(Int(QStringLiteral("select count(*) from SentenceAttrs where acid=103 and value=1")), 0);
        EXPECT_GT(Int(QStringLiteral("select count(*) from SentenceAttrs where acid=103 and value=2")), 0);
    }
}

TEST_P(SampleBookTest, RangeClassesHaveAnIntervalCoveringTheirValues)
{
    const auto classes = Rows(QStringLiteral("select acid from AttrClasses where is_range<>0"));
    ASSERT_FALSE(classes.empty());
    for (const SqlRow& row : classes) {
        const qlonglong acid = row[0].toLongLong();
        const auto range
            = Rows(QStringLiteral("select min_value, max_value from KeywordAttrRange where acid=%1").arg(acid));
        ASSERT_EQ(range.size(), 1u) << "class " << acid;
        const auto values
            = Rows(QStringLiteral("select min(value), max(value) from KeywordAttrs where acid=%1").arg(acid));
        EXPECT_LE(range[0][0].toLongLong(), values[0][0].toLongLong()) << "class " << acid;
        EXPECT_GE(range[0][1].toLongLong(), values[0][1].toLongLong()) << "class " << acid;
    }
}

TEST_P(SampleBookTest, LoadsThroughTheBookReader)
{
    DataBase db;
    NodeStorage storage(db);
    ASSERT_TRUE(storage.LoadBooks({path}));
    ASSERT_NE(storage.Root(), nullptr);
    EXPECT_FALSE(storage.Root()->children.empty());
    EXPECT_EQ(static_cast<qlonglong>(storage.IndexPool().Size()), Int(QStringLiteral("select count(*) from Indices")));
    EXPECT_EQ(static_cast<qlonglong>(storage.Keywords().size()), Int(QStringLiteral("select count(*) from Keywords")));
    EXPECT_EQ(db.BookInfo(QStringLiteral("Product")), book.product);

    std::size_t total = 0;
    for (const Question* question : storage.Questions()) {
        std::vector<Sentence*> sentences;
        EXPECT_GT(storage.SentencesOf(question->qid, sentences), 0) << "format " << question->qid;
        for (const Sentence* sentence : sentences) {
            ASSERT_NE(sentence->keyword, nullptr) << "sentence " << sentence->sid;
            ASSERT_NE(sentence->Attribute(101), nullptr) << "sentence " << sentence->sid;
        }
        total += sentences.size();
    }
    EXPECT_EQ(static_cast<qlonglong>(total), Int(QStringLiteral("select count(*) from Sentences")));
}

INSTANTIATE_TEST_SUITE_P(Books, SampleBookTest, testing::ValuesIn(SampleBooks()),
    [](const testing::TestParamInfo<SampleBook>& info) { return "Type" + info.param.product.toStdString(); });

TEST(SampleBooksTogether, LoadAsThreeDistinctBooks)
{
    QStringList paths;
    std::set<QString> dbids;
    for (const SampleBook& book : SampleBooks()) {
        paths << PathOf(book);
        dbids.insert(
            QueryRows(PathOf(book), QStringLiteral("select value from Info where name='DBID'")).at(0).at(0).toString());
    }
    EXPECT_EQ(dbids.size(), 3u);

    // Book ids key the book list, so they must differ across files.
    DataBase db;
    NodeStorage storage(db);
    ASSERT_TRUE(storage.LoadBooks(paths));
    ASSERT_EQ(storage.Books().size(), 3u);
    for (const Book* book : storage.Books())
        EXPECT_TRUE(storage.SelectBook(book->bid)) << book->title.toStdString();
}

} // namespace
