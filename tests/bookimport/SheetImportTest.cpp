// Importing sheets: encodings and quoting, both shapes, contents, markup.
#include "ImportFixture.h"

#include "bookimport/BookChecker.h"
#include "bookimport/BookComparison.h"
#include "bookimport/BookExporter.h"

namespace {

// A word list with what spreadsheets write: a quoted comma, a doubled
// quote, a line break inside a cell, "～" and markup.
const QString kWordList = QStringLiteral(
    "番号,見出し語,意味,例文,例文訳,品詞,章,節,頁\r\n"
    "2,achieve,\"～を達成する，成し遂げる\",She achieved her goal.,彼女は目標を達成した。,動,第1章 学校,1 教室,6\r\n"
    "1,attend,\"～に出席する, 通う\",\"More than 300 students attended\r\nthe \"\"big\"\" "
    "ceremony.\",300人以上が出席した。,動,第1章 学校,1 教室,7\r\n"
    "3,<S=2>nd,二番目の,The show is on the <S=2>nd.,,形,第1章 学校,2 廊下,8\r\n"
    "4,bright,明るい,A sunny day.,晴れた日。,形,第2章 家,,12\r\n");

class SheetImportTest : public ImportFixture { };

TEST_F(SheetImportTest, ShiftJisWithCrlfAndUtf8WithBomGiveTheSameBook)
{
    const QString fromSjis = Import(Write(QStringLiteral("list.csv"), ToCp932(kWordList)), PathOf("a_main.db"));
    const QString fromBom = Import(
        Write(QStringLiteral("list.txt"), QByteArray("\xEF\xBB\xBF") + kWordList.toUtf8()), PathOf("b_main.db"));
    ASSERT_FALSE(fromSjis.isEmpty());
    ASSERT_FALSE(fromBom.isEmpty());
    EXPECT_EQ(Content(fromSjis), Content(fromBom));

    Problems problems;
    EXPECT_TRUE(BookChecker::Check(fromSjis, problems)) << problems.Lines().join(u'\n').toStdString();
    // "～" comes through as U+FF5E, the quoted cells whole.
    EXPECT_EQ(QueryRows(fromSjis, QStringLiteral("select answer from Sentences where qid=2 order by sort_key"))[0][0],
        QStringLiteral("～を達成する，成し遂げる"));
    EXPECT_EQ(QueryRows(fromSjis, QStringLiteral("select answer from Sentences where qid=2 order by sort_key"))[1][0],
        QStringLiteral("～に出席する, 通う"));
    EXPECT_EQ(QueryRows(fromSjis, QStringLiteral("select value from Info where name='Product'"))[0][0],
        QStringLiteral("101"));
    EXPECT_TRUE(
        QueryRows(fromSjis, QStringLiteral("select value from Info where name='DBID'"))[0][0].toString().startsWith(
            QStringLiteral("TV")));
}

TEST_F(SheetImportTest, WordListMakesThreeFormatsAndKeywordsInNumberOrder)
{
    Problems problems;
    const QString book
        = Import(Write(QStringLiteral("list.csv"), kWordList.toUtf8()), PathOf("w_main.db"), QString(), &problems);
    ASSERT_FALSE(book.isEmpty()) << problems.Lines().join(u'\n').toStdString();
    EXPECT_EQ(QueryRows(book, QStringLiteral("select title from Questions order by sort_key")),
        (std::vector<SqlRow>{
            {QStringLiteral("日本語→英語")}, {QStringLiteral("英語→日本語")}, {QStringLiteral("空所補充")}}));
    EXPECT_EQ(QueryRows(book, QStringLiteral("select word from Keywords order by sort_key")),
        (std::vector<SqlRow>{{QStringLiteral("attend")}, {QStringLiteral("achieve")}, {QStringLiteral("<S=2>nd")},
            {QStringLiteral("bright")}}));
    // The blank shows the first letter of the word as it stands; the
    // answer is that word; the translation comes first, then a line break.
    const auto cloze = QueryRows(book,
        QStringLiteral("select sentence, answer from Sentences s join Keywords k "
                       "using(kid) where qid=3 order by s.sort_key"));
    ASSERT_EQ(cloze.size(), 3u);
    EXPECT_EQ(cloze[0][0], QStringLiteral("彼女は目標を達成した。@She ( a　　　 ) her goal."));
    EXPECT_EQ(cloze[0][1], QStringLiteral("achieved"));
    // The line break inside the quoted cell is the line-break mark.
    EXPECT_EQ(
        cloze[1][0], QStringLiteral("300人以上が出席した。@More than 300 students ( a　　　 )@the \"big\" ceremony."));
    EXPECT_EQ(cloze[2][0], QStringLiteral("The show is on the ( 2　　　 )."));
    // "bright" is not in its example: a warning, and no fill-in sentence.
    bool warned = false;
    for (const Problem& p : problems.List())
        warned = warned || (!p.IsError() && p.row == 6 && p.column == 4);
    EXPECT_TRUE(warned) << problems.Lines().join(u'\n').toStdString();

    // Two chapters with their sections in order of appearance; "bright"
    // has a chapter only.
    EXPECT_EQ(QueryRows(book, QStringLiteral("select iid, parent_iid, page, title from Indices order by sort_key")),
        (std::vector<SqlRow>{{1, 0, 0, QStringLiteral("テストの本")}, {2, 1, 6, QStringLiteral("第1章 学校")},
            {3, 2, 6, QStringLiteral("1 教室")}, {4, 2, 8, QStringLiteral("2 廊下")},
            {5, 1, 12, QStringLiteral("第2章 家")}}));
    EXPECT_EQ(
        QueryRows(book, QStringLiteral("select iid, word from IKRelations join Keywords using(kid) order by iid, kid")),
        (std::vector<SqlRow>{{3, QStringLiteral("attend")}, {3, QStringLiteral("achieve")},
            {4, QStringLiteral("<S=2>nd")}, {5, QStringLiteral("bright")}}));
}

TEST_F(SheetImportTest, QuestionSheetSharesKeywordsAndMakesEntriesOf25WithoutChapters)
{
    QString sheet = QStringLiteral("形式\t見出し語\t問題文\t解答\t頻出\t指示文\n");
    for (int i = 1; i <= 30; ++i) {
        const QString kanji = QString(QChar(0x4E00 + i));
        sheet += QStringLiteral("読み\t%1\t〔%1〕を読む。\tよみ%2\t%3\t%4\n")
                     .arg(kanji)
                     .arg(i)
                     .arg(i % 2 + 1)
                     .arg(i == 1 ? QStringLiteral("読みを書きなさい。") : QString());
        sheet += QStringLiteral("書き\t%1\t<L=カキ>を書く。\t%1\t\t\n").arg(kanji);
    }
    Problems problems;
    const QString book = Import(
        Write(QStringLiteral("sheet.tsv"), sheet.toUtf8()), PathOf("q_main.db"), QStringLiteral("303"), &problems);
    ASSERT_FALSE(book.isEmpty()) << problems.Lines().join(u'\n').toStdString();
    EXPECT_EQ(QueryInt(book, QStringLiteral("select count(*) from Keywords")), 30);
    EXPECT_EQ(QueryInt(book, QStringLiteral("select count(*) from Sentences")), 60);
    EXPECT_EQ(QueryRows(book, QStringLiteral("select title, question, ans_field from Questions order by sort_key")),
        (std::vector<SqlRow>{{QStringLiteral("読み"), QStringLiteral("読みを書きなさい。"),
                                 QStringLiteral("答（　　　　　　　　　　）")},
            {QStringLiteral("書き"), QStringLiteral("次の問題に答えなさい。"),
                QStringLiteral("答（　　　　　　　　　　）")}}));
    EXPECT_EQ(QueryRows(book, QStringLiteral("select title from Indices order by sort_key")),
        (std::vector<SqlRow>{{QStringLiteral("テストの本")}, {QStringLiteral("1～25")}, {QStringLiteral("26～30")}}));
    EXPECT_EQ(QueryInt(book, QStringLiteral("select count(*) from IKRelations where iid=2")), 25);
    EXPECT_EQ(QueryInt(book, QStringLiteral("select count(*) from SentenceAttrs where acid=103 and value=2")), 15);
    EXPECT_EQ(QueryRows(book, QStringLiteral("select sentence from Sentences where qid=2 limit 1"))[0][0],
        QStringLiteral("<L=カキ>を書く。"));
}

TEST_F(SheetImportTest, AnUnclosedAngleBracketIsKeptAsText)
{
    const QString sheet = QStringLiteral("見出し語,意味\nless,x < y のとき\nmore,<L=more> と a<b<S=2>\n");
    Problems problems;
    const QString book
        = Import(Write(QStringLiteral("lt.csv"), sheet.toUtf8()), PathOf("lt_main.db"), QString(), &problems);
    ASSERT_FALSE(book.isEmpty());
    EXPECT_EQ(QueryRows(book, QStringLiteral("select sentence from Sentences where qid=1 order by sort_key")),
        (std::vector<SqlRow>{{QStringLiteral("x ＜ y のとき")}, {QStringLiteral("<L=more> と a＜b<S=2>")}}));
    ASSERT_EQ(problems.List().size(), 2u);
    EXPECT_EQ(problems.List()[0].row, 2);
    EXPECT_EQ(problems.List()[0].column, 2);
    EXPECT_FALSE(problems.List()[0].IsError());
}

TEST_F(SheetImportTest, AHundredThousandRowsImport)
{
    QByteArray sheet("見出し語,意味,番号\n");
    for (int i = 1; i <= 100000; ++i)
        sheet += "word" + QByteArray::number(i) + ",意味" + QByteArray::number(i) + "," + QByteArray::number(i) + "\n";
    Problems problems;
    const QString book = Import(Write(QStringLiteral("big.csv"), sheet), PathOf("big_main.db"), QString(), &problems);
    ASSERT_FALSE(book.isEmpty()) << problems.Lines().mid(0, 5).join(u'\n').toStdString();
    EXPECT_EQ(QueryInt(book, QStringLiteral("select count(*) from Keywords")), 100000);
    EXPECT_EQ(QueryInt(book, QStringLiteral("select count(*) from Indices")), 1 + 4000);
    EXPECT_EQ(QueryRows(book, QStringLiteral("select min_value, max_value from KeywordAttrRange where acid=2")),
        (std::vector<SqlRow>{{1, 100000}}));
}

// A big question sheet whose rows come in no keyword's order (each of
// 10,000 keywords on three rows, far apart), with line breaks in quoted
// cells, an attribute of its own, cells of an ideographic space alone and
// empty cells at row ends: every row becomes a sentence in row order with
// its own keyword, keywords in number order; exported and imported again,
// it is the same book and the same sheet.
TEST_F(SheetImportTest, ABigSheetInNoKeywordsOrderKeepsEveryRowWithItsKeywordAndRoundTrips)
{
    constexpr int kKeywords = 10000;
    QByteArray sheet("番号,形式,見出し語,問題文,解答,章,節,色\r\n");
    for (int i = 0; i < 3 * kKeywords; ++i) {
        const QByteArray n = QByteArray::number(i * 7919 % kKeywords + 1);
        const int number = n.toInt();
        const QByteArray colour = number % 11 == 0 ? "\xE3\x80\x80" : "c" + QByteArray::number(number % 7);
        sheet += n + ",形式" + QByteArray::number(i / kKeywords) + ",語" + n + ",\"問" + QByteArray::number(i)
            + "\r\n続き\",答" + n + ",第" + QByteArray::number(number / 2500 + 1) + "章,節"
            + QByteArray::number(number / 250 + 1) + ", " + colour + (i % 2 ? " ,\r\n" : "\r\n");
    }
    Problems problems;
    const QString book = Import(Write(QStringLiteral("big.csv"), sheet), PathOf("big_main.db"), "301", &problems);
    ASSERT_FALSE(book.isEmpty()) << problems.Lines().mid(0, 5).join(u'\n').toStdString();
    EXPECT_TRUE(problems.IsEmpty()) << problems.Lines().mid(0, 5).join(u'\n').toStdString();
    EXPECT_EQ(QueryInt(book, QStringLiteral("select count(*) from Keywords")), kKeywords);
    EXPECT_EQ(QueryInt(book,
                  QStringLiteral("select count(*) from Keywords k join KeywordAttrs a on a.kid = k.kid and a.acid = 2 "
                                 "where a.value = k.kid and k.word = '語' || k.kid")),
        kKeywords);
    EXPECT_EQ(QueryInt(book,
                  QStringLiteral("select count(*) from Sentences s join Keywords k on k.kid = s.kid "
                                 "where s.answer = '答' || k.kid and s.sentence = '問' || (s.sid - 1) || '@続き'")),
        3 * kKeywords);
    EXPECT_EQ(QueryRows(book, QStringLiteral("select value from KeywordAttrs where kid in (11, 12) and acid > 200")),
        (std::vector<SqlRow>{{QStringLiteral("c5")}}));

    const QString exported = PathOf(QStringLiteral("exported.csv"));
    ASSERT_TRUE(BookExporter::Export(book, exported, false, problems)) << problems.Lines().join(u'\n').toStdString();
    const QString again = Import(exported, PathOf("again_main.db"), QString(), &problems);
    ASSERT_FALSE(again.isEmpty()) << problems.Lines().mid(0, 5).join(u'\n').toStdString();
    EXPECT_EQ(BookComparison::Differences(book, again), QStringList());
    const QString reexported = PathOf(QStringLiteral("reexported.csv"));
    ASSERT_TRUE(BookExporter::Export(again, reexported, false, problems));
    QFile first(exported);
    QFile second(reexported);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), second.readAll());
}

} // namespace
