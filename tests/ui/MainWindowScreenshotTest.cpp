// Pictures of the main window over the sample books, for looking at the
// layout and the Japanese text: written only when TV_SCREENSHOT_DIR names
// a folder (run under a real or virtual display, e.g. xvfb-run with
// QT_QPA_PLATFORM=xcb); skipped otherwise.
#include "MainWindowFixture.h"

#include "model/Question.h"
#include "quiz/Quiz.h"

#include <QPixmap>

namespace {

class MainWindowScreenshot : public MainWindowFixture {
protected:
    void SetUp() override
    {
        folder = qEnvironmentVariable("TV_SCREENSHOT_DIR");
        if (folder.isEmpty())
            GTEST_SKIP() << "TV_SCREENSHOT_DIR is not set";
        MainWindowFixture::SetUp();
        LoadSampleBooks();
    }

    // Selects book `bid` with its first formats, a range of its first
    // entries that relate to keywords, and a few sentences in the print.
    void Prepare(int bid, const std::vector<int>& iids)
    {
        ASSERT_EQ(model.SelectBook(bid), 0);
        std::vector<int> qids;
        for (const Question* question : model.Storage().Questions())
            qids.push_back(question->qid);
        qids.resize(std::min<size_t>(qids.size(), 3));
        model.SetQuestions(qids);
        SetIndexRange(iids);
        Quiz quiz = model.GetQuiz(0);
        std::vector<const Sentence*> candidates;
        if (model.CandidateSentences(candidates, qids[0]) > 0) {
            for (size_t i = 0; i < std::min<size_t>(candidates.size(), 4); ++i)
                quiz.AddSentence(candidates[i]);
        }
        model.SetQuiz(0, quiz);
        model.NotifyViews();
    }

    void Save(const QString& name)
    {
        window->show();
        QTest::qWait(300);
        EXPECT_TRUE(window->grab().save(folder + u'/' + name));
    }

    QString folder;
};

} // namespace

TEST_F(MainWindowScreenshot, SampleBooks)
{
    Open();
    Prepare(111, {6, 7});
    Save(QStringLiteral("main-101.png"));
    window->resize(window->width() + 200, window->height() + 120);
    Save(QStringLiteral("main-101-wide.png"));
    Prepare(335, {5, 6});
    Save(QStringLiteral("main-303.png"));
}
