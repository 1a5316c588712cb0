// The lists of each book type: columns, the cells of one content node, page
// labels and frequency marks, and how the columns share a list's width.
#include "model/Index.h"
#include "model/Keyword.h"
#include "model/Sentence.h"
#include "ui/CheckTreeListViewCtrl.h"
#include "ui/ListBuilder.h"
#include "ui/ListBuilder101.h"
#include "ui/ListBuilder301.h"
#include "ui/ListBuilder303.h"
#include "ui/ListViewCtrl.h"

#include <QStyle>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

struct Column {
    QString header;
    int width;
    Qt::Alignment alignment;
    bool operator==(const Column&) const = default;
};

void PrintTo(const Column& c, std::ostream* os)
{
    *os << c.header.toStdString() << " " << c.width << " " << int(c.alignment);
}

std::vector<Column> Columns(const ListViewCtrl& list)
{
    std::vector<Column> columns;
    for (int i = 0; i < list.ColumnCount(); ++i)
        columns.push_back({list.headerItem()->text(i), list.columnWidth(i), list.ColumnAlignment(i)});
    return columns;
}

QStringList Cells(const ListViewCtrl& list, int row)
{
    QStringList cells;
    for (int i = 0; i < list.ColumnCount(); ++i)
        cells << list.CellText(row, i);
    return cells;
}

constexpr Qt::Alignment L = Qt::AlignLeft;
constexpr Qt::Alignment R = Qt::AlignRight;
constexpr Qt::Alignment C = Qt::AlignHCenter;

// A keyword and one sentence drilling it, with the attributes the lists show.
struct Content {
    Content(const QString& word, const QString& question, const QString& answer)
    {
        keyword.kid = 7;
        keyword.word = word;
        sentence.sid = 70;
        sentence.kid = 7;
        sentence.sentence = question;
        sentence.answer = answer;
        sentence.keyword = &keyword;
    }
    void KeywordInt(int acid, int value) { keyword.attrs.Add(Attr<int>::MakeInt(7, acid, 0, value)); }
    void SentenceInt(int acid, int value) { sentence.attrs.Add(Attr<int>::MakeInt(70, acid, 0, value)); }
    void SentenceText(int acid, const QString& value) { sentence.attrs.Add(Attr<int>::MakeText(70, acid, 0, value)); }

    Keyword keyword;
    Sentence sentence;
};

} // namespace

TEST(ListBuilder, FactoryKnowsExactlyTheThreeTypeCodes)
{
    EXPECT_NE(dynamic_cast<ListBuilder101*>(ListBuilder::ForType("101").get()), nullptr);
    EXPECT_NE(dynamic_cast<ListBuilder301*>(ListBuilder::ForType("301").get()), nullptr);
    EXPECT_EQ(dynamic_cast<ListBuilder303*>(ListBuilder::ForType("301").get()), nullptr);
    EXPECT_NE(dynamic_cast<ListBuilder303*>(ListBuilder::ForType("303").get()), nullptr);
    for (const char* code : {"", "10", "1010", "101 ", "302", "３０１"})
        EXPECT_EQ(ListBuilder::ForType(QString::fromUtf8(code)), nullptr) << code;
}

TEST(ListBuilder, ColumnsOfEachList)
{
    const auto b101 = ListBuilder::ForType("101");
    const auto b301 = ListBuilder::ForType("301");
    const auto b303 = ListBuilder::ForType("303");

    ListViewCtrl print101, print303;
    b101->InitPrintColumns(print101);
    b303->InitPrintColumns(print303);
    EXPECT_EQ(Columns(print101), (std::vector<Column>{{"問題", 200, L}, {"解答", 100, L}}));
    EXPECT_EQ(Columns(print303), (std::vector<Column>{{"問題", 200, L}, {"頻出", 40, C}, {"解答", 100, L}}));

    ListViewCtrl words101, words303;
    b101->InitKeywordColumns(words101);
    b303->InitKeywordColumns(words303);
    EXPECT_EQ(Columns(words101), (std::vector<Column>{{"見出し語", 100, L}, {"No.", 40, R}}));
    EXPECT_EQ(Columns(words303), (std::vector<Column>{{"キー漢字", 140, L}}));

    ListViewCtrl sub101, sub301, sub303;
    b101->InitSentenceColumns(sub101);
    b301->InitSentenceColumns(sub301);
    b303->InitSentenceColumns(sub303);
    EXPECT_EQ(
        Columns(sub101), (std::vector<Column>{{"見出し語", 100, L}, {"No.", 40, R}, {"頁", 40, R}, {"問題", 300, L}}));
    EXPECT_EQ(
        Columns(sub301), (std::vector<Column>{{"問題", 300, L}, {"キー漢字", 100, L}, {"頁", 60, R}, {"番号", 80, R}}));
    EXPECT_EQ(Columns(sub303),
        (std::vector<Column>{{"問題", 300, L}, {"頻出", 40, C}, {"キー漢字", 100, L}, {"頁", 60, R}, {"番号", 80, R}}));
}

TEST(ListBuilder, TableOfContentsHasAPageColumnExceptForThreeKanjiBooks)
{
    Index lesson;
    lesson.title = QStringLiteral("第1章");
    lesson.page = 1000;
    Index section;
    section.title = QStringLiteral("1-A");
    section.page = 12;

    for (int bid : {331, 333, 334}) {
        CheckTreeListViewCtrl list;
        ListBuilder::ForType("303")->InitIndexColumns(list, bid);
        ASSERT_EQ(list.ColumnCount(), 1) << bid;
        const int row = ListBuilder::ForType("301")->InsertIndex(list, 0, -1, &lesson);
        EXPECT_EQ(list.CellText(row, 0), QStringLiteral("第1章"));
    }

    CheckTreeListViewCtrl kanji;
    const auto b301 = ListBuilder::ForType("301");
    b301->InitIndexColumns(kanji, 332);
    EXPECT_EQ(Columns(kanji), (std::vector<Column>{{"目次", 100, L}, {"頁", 40, R}}));
    const int top = b301->InsertIndex(kanji, 0, -1, &lesson);
    const int child = b301->InsertIndex(kanji, 1, top, &section);
    EXPECT_EQ(Cells(kanji, top), (QStringList{"第1章", "実践"}));
    EXPECT_EQ(Cells(kanji, child), (QStringList{"1-A", "12"}));
    EXPECT_EQ(kanji.ParentRow(child), top);
    EXPECT_EQ(kanji.Level(child), 1);

    // English books always number their pages.
    CheckTreeListViewCtrl english;
    const auto b101 = ListBuilder::ForType("101");
    b101->InitIndexColumns(english, 331);
    b101->InsertIndex(english, 0, -1, &lesson);
    EXPECT_EQ(Cells(english, 0), (QStringList{"第1章", "1000"}));
}

TEST(ListBuilder, PageLabelsByBand)
{
    const std::vector<std::pair<int, QString>> entries = {{0, "0"}, {499, "499"}, {500, "補充"}, {999, "補充"},
        {1000, "実践"}, {1999, "実践"}, {2000, "模擬"}, {2999, "模擬"}, {3000, "追録"}, {3500, "追録"}};
    for (const auto& [page, label] : entries)
        EXPECT_EQ(ListBuilder301::EntryPageLabel(page), label) << page;

    // Sub-questions have no supplement band and number their addenda.
    const std::vector<std::pair<int, QString>> sentences
        = {{999, "999"}, {500, "500"}, {1000, "実践"}, {2500, "模擬"}, {3000, "追録0"}, {3005, "追録5"}};
    for (const auto& [page, label] : sentences)
        EXPECT_EQ(ListBuilder301::SentencePageLabel(page, 1), label) << page;
    for (int page : {12, 1000, 3005})
        EXPECT_EQ(ListBuilder301::SentencePageLabel(page, 30), QString()) << page;
}

TEST(ListBuilder, EnglishRowsStripMarkupExceptTheSubQuestionHeadword)
{
    Content c(QStringLiteral("<A=take> off"), QStringLiteral("He <L=took> his hat off."), QStringLiteral("took@off"));
    c.KeywordInt(2, 1234);
    c.KeywordInt(3, 56);
    const auto builder = ListBuilder::ForType("101");

    ListViewCtrl print;
    builder->InitPrintColumns(print);
    builder->InsertPrintSentence(print, 0, &c.sentence, 3);
    EXPECT_EQ(Cells(print, 0), (QStringList{"　　(3) He took his hat off.", "took／off"}));
    EXPECT_FALSE(print.RowData(0).isValid());

    ListViewCtrl words;
    builder->InitKeywordColumns(words);
    builder->InsertKeyword(words, 0, &c.keyword);
    EXPECT_EQ(Cells(words, 0), (QStringList{"@take off", "1234"}));

    ListViewCtrl sub;
    builder->InitSentenceColumns(sub);
    builder->InsertSentence(sub, 0, &c.sentence);
    EXPECT_EQ(Cells(sub, 0), (QStringList{"<A=take> off", "1234", "56", "He took his hat off."}));

    // Rows go where they are asked to go.
    Content other(QStringLiteral("go"), QStringLiteral("first"), QString());
    builder->InsertSentence(sub, 0, &other.sentence);
    EXPECT_EQ(sub.CellText(0, 3), QStringLiteral("first"));
    EXPECT_EQ(builder->InsertSentence(sub, 0, nullptr), -1);
    EXPECT_EQ(sub.RowCount(), 2);
}

TEST(ListBuilder, KanjiRowsShowPageLabelsProblemNumbersAndFrequency)
{
    Content c(QStringLiteral("<G=F040>持"), QStringLiteral("健康を<L=イジ>する。"), QStringLiteral("維持"));
    c.KeywordInt(3, 3005);
    c.SentenceInt(101, 1);
    c.SentenceText(102, QStringLiteral("問12"));
    c.SentenceInt(103, 2);

    const auto b301 = ListBuilder::ForType("301");
    ListViewCtrl sub301;
    b301->InitSentenceColumns(sub301);
    b301->InsertSentence(sub301, 0, &c.sentence);
    const QStringList row301 = Cells(sub301, 0);
    EXPECT_EQ(row301[0], QStringLiteral("健康をイジする。"));
    EXPECT_FALSE(row301[1].contains(QStringLiteral("<G="))) << row301[1].toStdString();
    EXPECT_EQ(row301.mid(2), (QStringList{"追録5", "問12"}));

    const auto b303 = ListBuilder::ForType("303");
    ListViewCtrl sub303;
    b303->InitSentenceColumns(sub303);
    b303->InsertSentence(sub303, 0, &c.sentence);
    EXPECT_EQ(Cells(sub303, 0), (QStringList{"健康をイジする。", "◎", "<G=F040>持", "追録5", "問12"}));

    ListViewCtrl words;
    b303->InitKeywordColumns(words);
    b303->InsertKeyword(words, 0, &c.keyword);
    EXPECT_EQ(words.CellText(0, 0), QStringLiteral("<G=F040>持"));

    ListViewCtrl print;
    b303->InitPrintColumns(print);
    b303->InsertPrintSentence(print, 0, &c.sentence, 1);
    EXPECT_EQ(Cells(print, 0), (QStringList{"　　(1) 健康をイジする。", "◎", "維持"}));
}

TEST(ListBuilder, MissingAttributesLeaveCellsEmpty)
{
    Content c(QStringLiteral("漢"), QStringLiteral("q"), QStringLiteral("a"));
    c.SentenceInt(101, 30); // a kind of sentence without page
    c.KeywordInt(3, 20);
    EXPECT_EQ(ListBuilder303::FrequencyMark(&c.sentence), QString());
    ListViewCtrl sub;
    const auto builder = ListBuilder::ForType("303");
    builder->InitSentenceColumns(sub);
    builder->InsertSentence(sub, 0, &c.sentence);
    EXPECT_EQ(Cells(sub, 0), (QStringList{"q", "", "漢", "", ""}));

    Content mark(QStringLiteral("x"), QStringLiteral("q"), QStringLiteral("a"));
    mark.SentenceInt(103, 1);
    EXPECT_EQ(ListBuilder303::FrequencyMark(&mark.sentence), QStringLiteral("○"));
    Content other(QStringLiteral("x"), QStringLiteral("q"), QStringLiteral("a"));
    other.SentenceInt(103, 3);
    EXPECT_EQ(ListBuilder303::FrequencyMark(&other.sentence), QString());

    // A sentence whose keyword the book lacks still gets its row.
    Content orphan(QStringLiteral("x"), QStringLiteral("q"), QStringLiteral("a"));
    orphan.sentence.keyword = nullptr;
    ListViewCtrl english;
    ListBuilder::ForType("101")->InitSentenceColumns(english);
    ListBuilder::ForType("101")->InsertSentence(english, 0, &orphan.sentence);
    EXPECT_EQ(Cells(english, 0), (QStringList{"", "", "", "q"}));
}

TEST(ListBuilder, SharingWidthsGivesColumnZeroTheOddPixels)
{
    EXPECT_EQ(ListBuilder::ShareWidths(401, 2), (std::vector<int>{201, 200}));
    EXPECT_EQ(ListBuilder::ShareWidths(400, 3, 1, 40), (std::vector<int>{180, 40, 180}));
    EXPECT_EQ(ListBuilder::ShareWidths(401, 3, 1, 40), (std::vector<int>{181, 40, 180}));
    // A kept column that is not there, or a single column: all share.
    EXPECT_EQ(ListBuilder::ShareWidths(400, 3, 5, 40), (std::vector<int>{134, 133, 133}));
    EXPECT_EQ(ListBuilder::ShareWidths(400, 1, 1, 40), (std::vector<int>{400}));
    EXPECT_TRUE(ListBuilder::ShareWidths(400, 0).empty());

    EXPECT_EQ(ListBuilder::RemainingWidth(500, {100, 40, 40, 300}, 3), 320);
    EXPECT_EQ(ListBuilder::RemainingWidth(100, {100, 40, 40, 300}, 3), 0);
    EXPECT_EQ(ListBuilder::RemainingWidth(100000, {300, 10}, 0), 32767);
}

TEST(ListBuilder, FittingAKanjiPrintListKeepsTheFrequencyColumn)
{
    ListViewCtrl list;
    const auto builder = ListBuilder::ForType("303");
    builder->InitPrintColumns(list);
    const int chrome = list.width() - ListBuilder::AvailableWidth(list);
    list.resize(400 + chrome, 200);
    ASSERT_EQ(ListBuilder::AvailableWidth(list), 400);
    builder->FitPrintColumns(list);
    EXPECT_EQ(Columns(list), (std::vector<Column>{{"問題", 180, L}, {"頻出", 40, C}, {"解答", 180, L}}));

    list.resize(401 + chrome, 200);
    builder->FitPrintColumns(list);
    EXPECT_EQ(list.columnWidth(0), 181);
    EXPECT_EQ(list.columnWidth(1), 40);
    EXPECT_EQ(list.columnWidth(2), 180);

    ListViewCtrl english;
    ListBuilder::ForType("101")->InitPrintColumns(english);
    english.resize(401 + chrome, 200);
    ListBuilder::ForType("101")->FitPrintColumns(english);
    EXPECT_EQ(english.columnWidth(0), 201);
    EXPECT_EQ(english.columnWidth(1), 200);
}

TEST(ListBuilder, FittingTheSubQuestionListWidensOnlyTheQuestionColumn)
{
    ListViewCtrl english;
    const auto b101 = ListBuilder::ForType("101");
    b101->InitSentenceColumns(english);
    const int chrome = english.width() - ListBuilder::AvailableWidth(english);
    english.resize(600 + chrome, 200);
    b101->FitSentenceColumns(english);
    EXPECT_EQ(english.columnWidth(3), 600 - 180);
    EXPECT_EQ(english.columnWidth(0), 100);

    ListViewCtrl kanji;
    const auto b303 = ListBuilder::ForType("303");
    b303->InitSentenceColumns(kanji);
    kanji.resize(600 + chrome, 200);
    b303->FitSentenceColumns(kanji);
    EXPECT_EQ(kanji.columnWidth(0), 600 - 280);
    EXPECT_EQ(kanji.columnWidth(4), 80);
}
