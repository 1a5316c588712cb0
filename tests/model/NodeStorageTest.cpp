#include "model/DataBase.h"
#include "model/IKRelations.h"
#include "model/NodeStorage.h"

#include "support/BookFixture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class NodeStorageTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString MakeBook(const QString& name, const QString& sql) { return BookFixture::MakeIn(dir, name, sql); }
    QString SmallBook(const QString& name, int bid, const QString& extraSql = QString())
    {
        return MakeBook(name,
            BookFixture::SmallBookSql(QStringLiteral("TV-%1").arg(bid), bid, QStringLiteral("Book %1").arg(bid))
                + extraSql);
    }

    static std::vector<int> Ids(const std::vector<Index*>& entries)
    {
        std::vector<int> ids;
        for (const Index* e : entries)
            ids.push_back(e->iid);
        return ids;
    }

    QTemporaryDir dir;
    DataBase db;
    NodeStorage storage{db};
};

TEST_F(NodeStorageTest, LoadBooksSelectsTheFirstBook)
{
    ASSERT_TRUE(
        storage.LoadBooks({SmallBook(QStringLiteral("a_main.db"), 4), SmallBook(QStringLiteral("b_main.db"), 2)}));
    ASSERT_EQ(storage.Books().size(), 2u);
    EXPECT_EQ(storage.CurrentBid(), 4);
    ASSERT_NE(storage.CurrentBook(), nullptr);
    EXPECT_EQ(storage.CurrentBook()->title, QStringLiteral("Book 4"));
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-4"));
    EXPECT_EQ(storage.Questions().size(), 3u);
    EXPECT_EQ(storage.Keywords().size(), 3u);
    EXPECT_EQ(storage.AttrClasses().size(), 3u);
    EXPECT_TRUE(storage.LoadedSentences().empty());
    EXPECT_EQ(storage.QuestionPool().Find(12)->title, QStringLiteral("日本語に"));
    EXPECT_TRUE(NodeStorage::HasRelation(4, 202));
    EXPECT_FALSE(NodeStorage::HasRelation(4, 201));
    EXPECT_EQ(IKRelations::Count(), 3u); // the duplicate pair collapsed
}

TEST_F(NodeStorageTest, LoadBooksWithoutABookChangesNothing)
{
    EXPECT_FALSE(storage.LoadBooks({}));
    QFile junk(dir.filePath(QStringLiteral("junk_main.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("junk");
    junk.close();
    EXPECT_FALSE(storage.LoadBooks({junk.fileName()}));
    EXPECT_TRUE(storage.Books().empty());
    EXPECT_EQ(storage.CurrentBid(), 0);
    EXPECT_EQ(storage.CurrentBook(), nullptr);
    EXPECT_EQ(storage.Root(), nullptr);
}

// A book file that is a book database but cannot be read whole (here its
// question formats are gone) no longer keeps the good books from loading.
TEST_F(NodeStorageTest, LoadBooksPassesOverABookThatCannotBeRead)
{
    const QString broken = BookFixture::MakeIn(dir, QStringLiteral("0_main.db"),
        BookFixture::SmallBookSql(QStringLiteral("TV-BROKEN"), 9) + QStringLiteral("DROP TABLE Questions;"));
    const QString good = SmallBook(QStringLiteral("b_main.db"), 2);
    ASSERT_TRUE(storage.LoadBooks({broken, good}));
    EXPECT_EQ(storage.CurrentBid(), 2);
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-2"));
    EXPECT_EQ(storage.UnreadableFiles(), QStringList{broken});
    EXPECT_EQ(storage.Books().size(), 2u);

    EXPECT_FALSE(storage.LoadBooks({broken}));
    EXPECT_EQ(storage.CurrentBid(), 2);
    ASSERT_TRUE(storage.LoadBooks({good}));
    EXPECT_TRUE(storage.UnreadableFiles().isEmpty());
}

// A start opens the book the teacher worked on last instead of the first:
// the first is then never read (a damaged first book goes unnoticed). A
// preferred book that cannot be read, or is not there, leaves the usual
// order; where files share the bid, the one of the named database wins.
TEST_F(NodeStorageTest, LoadBooksOpensThePreferredBookInsteadOfTheFirst)
{
    const QString broken = BookFixture::MakeIn(dir, QStringLiteral("0_main.db"),
        BookFixture::SmallBookSql(QStringLiteral("TV-BROKEN"), 9) + QStringLiteral("DROP TABLE Questions;"));
    const QString second = SmallBook(QStringLiteral("b_main.db"), 2);
    const QString third = SmallBook(QStringLiteral("c_main.db"), 3);
    const QString sameBid
        = MakeBook(QStringLiteral("d_main.db"), BookFixture::SmallBookSql(QStringLiteral("TV-OTHER"), 3));
    ASSERT_TRUE(storage.LoadBooks({broken, second, third, sameBid}, {QStringLiteral("TV-OTHER"), 3}));
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-OTHER"));
    EXPECT_TRUE(storage.UnreadableFiles().isEmpty());
    EXPECT_EQ(storage.Books().size(), 4u);

    ASSERT_TRUE(storage.LoadBooks({broken, second, third}, {QStringLiteral("TV-GONE"), 3}));
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-3")); // the bid alone still names it

    ASSERT_TRUE(storage.LoadBooks({broken, second, third}, {QStringLiteral("TV-BROKEN"), 9}));
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-2"));
    EXPECT_EQ(storage.UnreadableFiles(), QStringList{broken});

    ASSERT_TRUE(storage.LoadBooks({second, third}, {QStringLiteral("TV-7"), 7}));
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-2"));
}

// A start with a stored book stops reading files at the one that holds it;
// the files after it are read when the book list is first wanted, and the
// list is then the one a full reading gives, in the same order.
TEST_F(NodeStorageTest, FilesAfterThePreferredBookAreListedWhenWanted)
{
    QFile junk(dir.filePath(QStringLiteral("c_main.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("junk");
    junk.close();
    const QStringList files{SmallBook(QStringLiteral("a_main.db"), 2), SmallBook(QStringLiteral("b_main.db"), 3),
        junk.fileName(),
        MakeBook(QStringLiteral("d_main.db"), BookFixture::SmallBookSql(QStringLiteral("TV-OTHER"), 2))};
    const auto dbids = [](const NodeStorage& s) {
        QStringList ids;
        for (const Book* book : s.Books())
            ids << book->dbid;
        return ids;
    };
    const NodeStorage::BookChoice stored{QStringLiteral("TV-2"), 2};
    DataBase fullDb;
    NodeStorage full{fullDb};
    ASSERT_TRUE(full.LoadBooks(files));

    ASSERT_TRUE(storage.LoadBooks(files, stored));
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-2"));
    EXPECT_EQ(storage.Find(stored), storage.CurrentBook());
    ASSERT_TRUE(storage.SelectBook(3)); // a book of a file read later, by id
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-3"));
    EXPECT_EQ(dbids(storage), dbids(full));
    EXPECT_EQ(
        dbids(storage), (QStringList{QStringLiteral("TV-2"), QStringLiteral("TV-3"), QStringLiteral("TV-OTHER")}));
    EXPECT_EQ(storage.BookPool().Find(2)->dbid, QStringLiteral("TV-2"));

    DataBase listedDb;
    NodeStorage listed{listedDb};
    ASSERT_TRUE(listed.LoadBooks(files, stored));
    EXPECT_EQ(dbids(listed), dbids(full));
    EXPECT_EQ(listed.Find({QStringLiteral("TV-OTHER"), 2})->path, files[3]);
}

// Another book copied over the open book's file: nothing more is read from
// it (sentences come only from the book that was opened) and its settings
// read before stay as they were.
TEST_F(NodeStorageTest, ABookFileReplacedWhileOpenIsNotReadAgain)
{
    const QString path = SmallBook(QStringLiteral("a_main.db"), 1);
    const QString other = BookFixture::MakeIn(dir, QStringLiteral("other.db"),
        BookFixture::SmallBookSql(QStringLiteral("TV-OTHER"), 1)
            + QStringLiteral("UPDATE Info SET value='301' WHERE name='Product';"
                             "UPDATE Sentences SET sentence='別の本の例文';"
                             "INSERT INTO Keywords SELECT kid + 1000, word, sort_key, enable FROM Keywords;"));
    ASSERT_TRUE(storage.LoadBooks({path}));
    std::vector<Sentence*> sentences;
    ASSERT_EQ(storage.SentencesOf(11, sentences), 3);
    EXPECT_EQ(db.BookInfo(QStringLiteral("Product")), QStringLiteral("101"));
    EXPECT_FALSE(db.BookFileChanged());

    QFile source(other);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QFile target(path);
    ASSERT_TRUE(target.open(QIODevice::WriteOnly | QIODevice::Truncate));
    target.write(source.readAll());
    target.close();

    EXPECT_TRUE(db.BookFileChanged());
    EXPECT_EQ(storage.SentencesOf(12, sentences), 0);
    EXPECT_EQ(storage.SentenceById(62), nullptr);
    EXPECT_EQ(db.BookInfo(QStringLiteral("Product")), QStringLiteral("101"));
    ASSERT_EQ(storage.SentencesOf(11, sentences), 3);
    for (const Sentence* sentence : sentences)
        EXPECT_NE(sentence->sentence, QStringLiteral("別の本の例文"));

    // Choosing the book again reads the new file whole.
    ASSERT_TRUE(storage.LoadBooks({path}));
    EXPECT_FALSE(db.BookFileChanged());
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-OTHER"));
    ASSERT_EQ(storage.SentencesOf(12, sentences), 2);
    EXPECT_EQ(sentences[0]->sentence, QStringLiteral("別の本の例文"));
}

TEST_F(NodeStorageTest, IndexRowsInPreOrderBuildTheTree)
{
    ASSERT_TRUE(storage.LoadBooks({SmallBook(QStringLiteral("a_main.db"), 1)}));
    const Index* root = storage.Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->iid, 1);
    EXPECT_EQ(root->parent, nullptr);
    EXPECT_EQ(Ids(root->children), (std::vector<int>{2, 5}));
    const Index* lesson1 = storage.IndexPool().Find(2);
    EXPECT_EQ(Ids(lesson1->children), (std::vector<int>{3, 4}));
    EXPECT_EQ(storage.IndexPool().Find(4)->parent, lesson1);
    EXPECT_TRUE(storage.IndexPool().Find(5)->children.empty());
}

TEST_F(NodeStorageTest, BooksWithUnusableContentCannotBeSelected)
{
    const QString good = SmallBook(QStringLiteral("a_main.db"), 1);
    const QString noIndices = SmallBook(QStringLiteral("b_main.db"), 2, QStringLiteral("DELETE FROM Indices;"));
    // Entry 6 names a parent (4) that is not on the chain 1 > 5 before it.
    const QString badParent
        = SmallBook(QStringLiteral("c_main.db"), 3, QStringLiteral("INSERT INTO Indices VALUES(6,3,4,0,6,1,'stray');"));
    const QString badAttr
        = SmallBook(QStringLiteral("d_main.db"), 4, QStringLiteral("INSERT INTO KeywordAttrs VALUES(201,9,0,2,0);"));
    const QString noRelations = SmallBook(QStringLiteral("e_main.db"), 5, QStringLiteral("DROP TABLE IKRelations;"));
    ASSERT_TRUE(storage.LoadBooks({good, noIndices, badParent, badAttr, noRelations}));
    ASSERT_EQ(storage.Books().size(), 5u);
    for (int bid : {2, 3, 4, 5}) {
        EXPECT_FALSE(storage.SelectBook(bid)) << bid;
        EXPECT_EQ(storage.CurrentBid(), 1);
    }
    EXPECT_FALSE(storage.SelectBook(99));
    EXPECT_TRUE(storage.SelectBook(1));
}

TEST_F(NodeStorageTest, FailedSwitchLeavesTheCurrentBookIntact)
{
    const QString good = SmallBook(QStringLiteral("a_main.db"), 1);
    // Opens and reads indices and questions, then fails on the keywords.
    const QString broken
        = SmallBook(QStringLiteral("b_main.db"), 2, QStringLiteral("INSERT INTO KeywordAttrs VALUES(203,9,0,2,0);"));
    ASSERT_TRUE(storage.LoadBooks({good, broken}));

    std::vector<Sentence*> sentences;
    ASSERT_EQ(storage.SentencesOf(11, sentences), 3);
    Sentence* held = sentences.front(); // as a print would hold it
    const Index* root = storage.Root();
    const Question* question = storage.Questions().front();

    EXPECT_FALSE(storage.SelectBook(2));

    EXPECT_EQ(storage.CurrentBid(), 1);
    EXPECT_EQ(storage.Root(), root);
    EXPECT_EQ(storage.Questions().front(), question);
    EXPECT_EQ(storage.SentenceById(held->sid), held);
    EXPECT_EQ(held->keyword->word, QStringLiteral("book"));
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-1"));
    // The connection still belongs to book 1: lazy loading reads its sentences.
    ASSERT_EQ(storage.SentencesOf(12, sentences), 2);
    EXPECT_EQ(sentences.front()->sentence, QStringLiteral("An apple a day."));
    EXPECT_TRUE(NodeStorage::HasRelation(3, 201));
}

TEST_F(NodeStorageTest, FileReplacedByJunkLeavesTheCurrentBookIntact)
{
    const QString second = SmallBook(QStringLiteral("b_main.db"), 2);
    ASSERT_TRUE(storage.LoadBooks({SmallBook(QStringLiteral("a_main.db"), 1), second}));
    QFile file(second);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("no longer a database");
    file.close();
    EXPECT_FALSE(storage.SelectBook(2));
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-1"));
    std::vector<Sentence*> sentences;
    EXPECT_EQ(storage.SentencesOf(11, sentences), 3);
}

TEST_F(NodeStorageTest, SwitchingBooksReplacesContentAndConnection)
{
    ASSERT_TRUE(storage.LoadBooks({SmallBook(QStringLiteral("a_main.db"), 1),
        SmallBook(QStringLiteral("b_main.db"), 2,
            QStringLiteral("UPDATE Sentences SET answer='second' WHERE sid=52;"
                           "DELETE FROM IKRelations WHERE iid=3;"))}));
    std::vector<Sentence*> sentences;
    storage.SentencesOf(11, sentences);
    EXPECT_TRUE(storage.SelectBook(1)); // the current book: nothing reloads
    EXPECT_EQ(storage.LoadedSentences().size(), 3u);

    ASSERT_TRUE(storage.SelectBook(2));
    EXPECT_EQ(storage.CurrentBook()->title, QStringLiteral("Book 2"));
    EXPECT_EQ(db.Dbid(), QStringLiteral("TV-2"));
    EXPECT_TRUE(storage.LoadedSentences().empty());
    EXPECT_EQ(storage.SentenceById(52)->answer, QStringLiteral("second"));
    EXPECT_FALSE(NodeStorage::HasRelation(3, 201));
}

TEST_F(NodeStorageTest, SentencesLoadLazilyInSortKeyOrder)
{
    ASSERT_TRUE(storage.LoadBooks({SmallBook(QStringLiteral("a_main.db"), 1)}));
    std::vector<Sentence*> sentences;
    ASSERT_EQ(storage.SentencesOf(11, sentences), 3);
    EXPECT_EQ(sentences[0]->sid, 52);
    EXPECT_EQ(sentences[1]->sid, 53);
    EXPECT_EQ(sentences[2]->sid, 51);
    EXPECT_EQ(sentences[2]->keyword, storage.KeywordPool().Find(201));
    EXPECT_EQ(storage.LoadedSentences().size(), 3u);

    ASSERT_EQ(storage.SentencesOf(12, sentences), 2);
    EXPECT_EQ(sentences[1]->sid, 62);
    EXPECT_EQ(sentences[1]->keyword, nullptr); // kid 299 is not a keyword
    EXPECT_EQ(storage.LoadedSentences().size(), 5u);

    std::vector<Sentence*> again;
    ASSERT_EQ(storage.SentencesOf(11, again), 3);
    EXPECT_EQ(again[0], storage.SentencePool().Find(52));
    EXPECT_EQ(storage.LoadedSentences().size(), 5u);
    EXPECT_EQ(storage.SentencesOf(13, again), 0);
}

TEST_F(NodeStorageTest, SentenceFetchedByIdIsTheSameNodeLater)
{
    ASSERT_TRUE(storage.LoadBooks({SmallBook(QStringLiteral("a_main.db"), 1)}));
    Sentence* early = storage.SentenceById(53);
    ASSERT_NE(early, nullptr);
    EXPECT_EQ(early->keyword, storage.KeywordPool().Find(203));
    EXPECT_EQ(storage.SentenceById(53), early);
    EXPECT_EQ(storage.SentenceById(404), nullptr);

    std::vector<Sentence*> sentences;
    ASSERT_EQ(storage.SentencesOf(11, sentences), 3);
    EXPECT_EQ(sentences[1], early);
    EXPECT_EQ(storage.LoadedSentences().size(), 3u);
    EXPECT_EQ(storage.SentencePool().Size(), 3u);
}

TEST_F(NodeStorageTest, BookWithoutKeywordsHasNoSentences)
{
    ASSERT_TRUE(
        storage.LoadBooks({SmallBook(QStringLiteral("a_main.db"), 1, QStringLiteral("DELETE FROM Keywords;"))}));
    EXPECT_TRUE(storage.Keywords().empty());
    std::vector<Sentence*> sentences{nullptr};
    EXPECT_EQ(storage.SentencesOf(11, sentences), 0);
    EXPECT_TRUE(sentences.empty());
}

TEST_F(NodeStorageTest, FailedSentenceReadLoadsNothing)
{
    ASSERT_TRUE(storage.LoadBooks(
        {SmallBook(QStringLiteral("a_main.db"), 1, QStringLiteral("INSERT INTO SentenceAttrs VALUES(53,9,0,7,0);"))}));
    std::vector<Sentence*> sentences;
    EXPECT_EQ(storage.SentencesOf(11, sentences), 0);
    EXPECT_TRUE(storage.LoadedSentences().empty());
    EXPECT_EQ(storage.SentencesOf(12, sentences), 2);
}

TEST_F(NodeStorageTest, TruncatedBooksFailWithoutHarm)
{
    QFile source(SmallBook(QStringLiteral("whole_main.db"), 1));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray whole = source.readAll();
    for (qsizetype size = 0; size < whole.size(); size += 1024) {
        const QString path = dir.filePath(QStringLiteral("cut%1_main.db").arg(size));
        QFile cut(path);
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(whole.left(size));
        cut.close();
        DataBase cutDb;
        NodeStorage cutStorage(cutDb);
        if (!cutStorage.LoadBooks({path}))
            continue;
        std::vector<Sentence*> sentences;
        for (const Question* question : cutStorage.Questions())
            cutStorage.SentencesOf(question->qid, sentences);
        cutStorage.SentenceById(53);
    }
}

TEST_F(NodeStorageTest, NothingBeforeABookIsSelected)
{
    std::vector<Sentence*> sentences;
    EXPECT_EQ(storage.SentencesOf(11, sentences), 0);
    EXPECT_EQ(storage.SentenceById(51), nullptr);
    EXPECT_FALSE(storage.SelectBook(0));
}

} // namespace
