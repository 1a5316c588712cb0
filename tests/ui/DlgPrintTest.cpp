// The print page: one print as header rows, sub-question rows and
// placeholders, the range marks of its headers, and the requests for the
// sub-question selection it passes to its owner.
#include "MainWindowFixture.h"

#include "quiz/Quiz.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <QContextMenuEvent>

#include <functional>
#include <map>

namespace {

const QString Placeholder = QStringLiteral("　　　《ダブルクリックで問題を追加します》|");
const QString NoCandidates = QStringLiteral("　　《現在の選択範囲に該当する問題がありません》");

class PrintPage : public MainWindowFixture {
protected:
    // The small book with formats 11, 12, 13; format 11 holds sentences
    // 52 and 51, the others none.
    Quiz SmallBookPrint()
    {
        LoadSmallBook();
        model.SetQuestions({11, 12, 13});
        Quiz quiz = model.GetQuiz(0);
        quiz.AddSentence(S(52));
        quiz.AddSentence(S(51));
        return quiz;
    }

    // A shown page of `quiz` that records its requests.
    DlgPrint& ShowPage(const Quiz& quiz)
    {
        page = std::make_unique<DlgPrint>(model);
        page->SetSentenceRequest([this](int qid) { requests.push_back(qid); });
        page->InsertQuiz(quiz);
        page->resize(500, 300);
        Show(*page);
        return *page;
    }

    void DoubleClickRow(int row)
    {
        ListViewCtrl& list = page->List();
        const QRect rect = list.visualItemRect(list.topLevelItem(row));
        // A double-click as the window system delivers it: press, release, double-click.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rect.center());
    }

    std::unique_ptr<DlgPrint> page;
    std::vector<int> requests;
};

} // namespace

TEST_F(PrintPage, ShowsEachFormatWithItsSubQuestionsOrAPlaceholder)
{
    DlgPrint& shown = ShowPage(SmallBookPrint());
    EXPECT_EQ(Rows(shown),
        (QStringList{
            "[1] 次の日本語を英語にしなさい。|",
            "　　(1) 本を読む。|read a book",
            "　　(2) りんごを食べる。|eat an apple",
            "[2] 次の英文を日本語にしなさい。|",
            Placeholder,
            "[3] 空所に入る語を書きなさい。|",
            Placeholder,
        }));
    // Only headers carry their format.
    EXPECT_EQ(shown.List().RowData(0).toInt(), 11);
    EXPECT_FALSE(shown.List().RowData(1).isValid());
    EXPECT_FALSE(shown.List().RowData(4).isValid());
    EXPECT_EQ(shown.List().RowData(5).toInt(), 13);

    // Refilling replaces what was shown.
    Quiz empty = model.GetQuiz(0);
    shown.InsertQuiz(empty);
    EXPECT_EQ(shown.List().RowCount(), 6);
    EXPECT_EQ(Rows(shown)[1], Placeholder);
}

TEST_F(PrintPage, RangeMarksGoIntoTheLastColumnOfHeaders)
{
    DlgPrint& shown = ShowPage(SmallBookPrint());
    shown.ApplyRangeMarks({{11, true}, {12, false}}); // 13 has no entry
    ListViewCtrl& list = shown.List();
    EXPECT_EQ(list.CellText(0, 1), QString());
    EXPECT_EQ(list.CellText(3, 1), NoCandidates);
    EXPECT_EQ(list.CellText(5, 1), NoCandidates);
    EXPECT_EQ(list.CellText(1, 1), QStringLiteral("read a book")); // sub-question rows keep their answer
    EXPECT_EQ(list.CellText(4, 1), QString());
    // An unmarked instruction takes the whole row; a marked one leaves the
    // last column to its mark.
    EXPECT_TRUE(list.isFirstColumnSpanned(0, QModelIndex()));
    EXPECT_FALSE(list.isFirstColumnSpanned(3, QModelIndex()));
    EXPECT_FALSE(list.isFirstColumnSpanned(1, QModelIndex()));

    shown.ApplyRangeMarks({{11, true}, {12, true}, {13, true}});
    EXPECT_EQ(list.CellText(3, 1), QString());
    EXPECT_EQ(list.CellText(5, 1), QString());
    EXPECT_TRUE(list.isFirstColumnSpanned(3, QModelIndex()));
}

TEST_F(PrintPage, KanjiBookWithFrequencyMarksItsThirdColumn)
{
    LoadSampleBook(QStringLiteral("kanji303_main.db"));
    model.SetQuestions({1, 2});
    Quiz quiz = model.GetQuiz(0);
    std::vector<Sentence*> sentences;
    ASSERT_GT(model.Storage().SentencesOf(1, sentences), 0);
    quiz.AddSentence(sentences[0]);
    DlgPrint& shown = ShowPage(quiz);
    shown.ApplyRangeMarks({{1, false}, {2, false}});

    ListViewCtrl& list = shown.List();
    ASSERT_EQ(list.ColumnCount(), 3);
    EXPECT_EQ(list.headerItem()->text(1), QStringLiteral("頻出"));
    EXPECT_EQ(list.CellText(0, 2), NoCandidates);
    EXPECT_EQ(list.CellText(0, 1), QString());
    EXPECT_EQ(list.CellText(1, 2), sentences[0]->answer);
    EXPECT_EQ(list.CellText(2, 2), NoCandidates);
    EXPECT_EQ(list.CellText(3, 0), Placeholder.chopped(1));
    // Resizing keeps the frequency column and shares the rest.
    shown.resize(700, 300);
    QApplication::processEvents();
    EXPECT_EQ(list.columnWidth(1), 40);
    EXPECT_LE(std::abs(list.columnWidth(0) - list.columnWidth(2)), 1);
}

TEST_F(PrintPage, SelectionIsAskedForTheFormatAboveTheSelectedRow)
{
    DlgPrint& shown = ShowPage(SmallBookPrint());
    EXPECT_EQ(shown.CurrentQuestionId(), 0);
    shown.RequestSentences();
    EXPECT_TRUE(requests.empty());

    shown.List().SelectRow(2); // a sub-question of format 11
    EXPECT_EQ(shown.CurrentQuestionId(), 11);

    DoubleClickRow(4); // the placeholder under format 12
    DoubleClickRow(5); // the header of format 13
    DoubleClickRow(1);
    EXPECT_EQ(requests, (std::vector<int>{12, 13, 11}));
}

TEST_F(PrintPage, ContextMenuOnlyWithASelectedRow)
{
    DlgPrint& shown = ShowPage(SmallBookPrint());
    int menusShown = 0;
    shown.SetPopupRunner([&](QMenu& menu, const QPoint&) -> QAction* {
        ++menusShown;
        EXPECT_EQ(menu.actions().size(), 1);
        return menu.actions().value(0); // "小問選択..."
    });
    QWidget* viewport = shown.List().viewport();
    const QPoint inside(10, 10);
    QContextMenuEvent beforeSelection(QContextMenuEvent::Mouse, inside, viewport->mapToGlobal(inside));
    QApplication::sendEvent(viewport, &beforeSelection);
    EXPECT_EQ(menusShown, 0);

    shown.List().SelectRow(6);
    QContextMenuEvent withSelection(QContextMenuEvent::Mouse, inside, viewport->mapToGlobal(inside));
    QApplication::sendEvent(viewport, &withSelection);
    EXPECT_EQ(menusShown, 1);
    EXPECT_EQ(requests, (std::vector<int>{13}));
}

TEST_F(PrintPage, EnterAndEscapeDoNotCloseThePage)
{
    DlgPrint& shown = ShowPage(SmallBookPrint());
    shown.List().setFocus();
    QTest::keyClick(&shown.List(), Qt::Key_Return);
    QTest::keyClick(&shown.List(), Qt::Key_Escape);
    QTest::keyClick(&shown, Qt::Key_Escape);
    EXPECT_TRUE(shown.isVisible());
    EXPECT_EQ(shown.List().RowCount(), 7);
}

TEST_F(PrintPage, APrintWithoutFormatsSaysWhereToBegin)
{
    LoadSmallBook();
    DlgPrint& shown = ShowPage(model.GetQuiz(0));
    EXPECT_EQ(Rows(shown), QStringList{Res::String(Res::IDS_FIRST_STEPS) + u'|'});
    EXPECT_TRUE(shown.List().isFirstColumnSpanned(0, QModelIndex()));
    shown.List().setCurrentItem(shown.List().topLevelItem(0));
    shown.RequestSentences();
    EXPECT_TRUE(requests.empty());

    model.SetQuestions({11});
    shown.InsertQuiz(model.GetQuiz(0));
    EXPECT_EQ(Rows(shown), (QStringList{"[1] 次の日本語を英語にしなさい。|", Placeholder}));
}

TEST_F(PrintPage, BookOfUnknownTypeGetsAnEmptyList)
{
    QString sql = BookFixture::SmallBookSql();
    sql.replace(QStringLiteral("'Product','101'"), QStringLiteral("'Product','999'"));
    ASSERT_TRUE(model.LoadBooks({BuildBook(QStringLiteral("odd"), sql)}));
    model.SetQuestions({11});
    DlgPrint& shown = ShowPage(model.GetQuiz(0));
    shown.ApplyRangeMarks({{11, false}});
    EXPECT_EQ(shown.List().ColumnCount(), 0);
    EXPECT_EQ(shown.List().RowCount(), 0);
}

// A page makes its list only when it is shown or asked for it. Whatever it
// was given before, in whatever order, it shows the same as a page that
// had its list from the start and was given the same.
TEST_F(PrintPage, AListMadeLateShowsWhatAnEarlyOneShows)
{
    const Quiz full = SmallBookPrint();
    const Quiz empty = model.GetQuiz(0);
    const std::map<int, bool> someMarked{{11, true}, {12, false}};
    const std::map<int, bool> noneMarked{{11, true}, {12, true}, {13, true}};
    using Step = std::function<void(DlgPrint&)>;
    const Step insertFull = [&](DlgPrint& p) { p.InsertQuiz(full); };
    const Step insertEmpty = [&](DlgPrint& p) { p.InsertQuiz(empty); };
    const Step markSome = [&](DlgPrint& p) { p.ApplyRangeMarks(someMarked); };
    const Step markNone = [&](DlgPrint& p) { p.ApplyRangeMarks(noneMarked); };
    const std::vector<std::vector<Step>> orders{
        {insertFull},
        {insertFull, markSome},
        {markSome, insertFull}, // marks of an earlier print are dropped
        {insertFull, markSome, insertEmpty},
        {insertFull, markSome, markNone},
        {insertEmpty, markSome, insertFull, markSome},
    };
    // Every row's cells, and whether its first column spans the row.
    const auto shown = [](DlgPrint& p) {
        QStringList rows = Rows(p);
        for (int row = 0; row < rows.size(); ++row)
            rows[row] += p.List().isFirstColumnSpanned(row, QModelIndex()) ? u'*' : u' ';
        return rows;
    };
    for (std::size_t i = 0; i < orders.size(); ++i) {
        DlgPrint early(model);
        early.List();
        DlgPrint late(model);
        for (const Step& step : orders[i]) {
            step(early);
            step(late);
        }
        EXPECT_FALSE(late.HasList());
        late.resize(500, 300);
        late.show();
        ASSERT_TRUE(late.HasList());
        EXPECT_TRUE(late.List().isVisible()) << "order " << i;
        EXPECT_EQ(shown(late), shown(early)) << "order " << i;
    }
}
