// The self-check page in a real browser, as a pupil uses it: answers typed
// into the boxes, 答え合わせ pressed, marks and score read back; the page
// marks exactly as AnswerNormalizer does, shows the answers as printed,
// loads nothing and runs nothing a book text holds.
#include "ExportFixture.h"
#include "WebDriverSession.h"

#include "platformexport/AnswerNormalizer.h"
#include "platformexport/MarkupRenderer.h"
#include "platformexport/PrintExporter.h"

namespace {

// The first accepted form as a pupil might type it: wide letters, upper
// case, stray spaces, the book's marks put back.
QStringList TypedForms(const QString& answer)
{
    const QString first = AnswerNormalizer::Alternatives(answer).value(0);
    QString wide;
    for (const QChar c : first)
        wide += c.unicode() > 0x20 && c.unicode() < 0x7F ? QChar(c.unicode() + 0xFEE0) : c;
    return {first, wide.toUpper(), QStringLiteral("　") + first.toUpper() + QStringLiteral("  "),
        QStringLiteral("［名］～") + first, MarkupRenderer::ToPlain(answer, QStringLiteral(" ")),
        first + QStringLiteral("x")};
}

class SelfCheckPageBrowserTest : public ExportFixture {
protected:
    QString ExportPage()
    {
        const QString path = dir.filePath(QStringLiteral("self-check.html"));
        QString error;
        EXPECT_EQ(PrintExporter::Export(set, path, &error), PrintExporter::kWritten) << error.toStdString();
        return path;
    }

    ExportSet set;
};

TEST_F(SelfCheckPageBrowserTest, MarksTypedAnswersAsTheNormalizerDoesAndCountsTheScore)
{
    Load(QStringLiteral(TV_TEST_DATA_DIR "/eitango101_main.db"));
    FillPrints(2, 6);
    set = ExportSet::FromModel(model);
    const ExportPrint& print = set.prints[1];
    ASSERT_GE(print.items.size(), 12u);
    WebDriverSession browser;
    ASSERT_TRUE(browser.Error().isEmpty()) << browser.Error().toStdString();
    browser.Open(ExportPage());

    const QStringList inputs = browser.Find(QStringLiteral("#print-2 .item input"));
    ASSERT_EQ(static_cast<size_t>(inputs.size()), print.items.size());
    int expectedRight = 0;
    std::vector<bool> expected;
    for (size_t n = 0; n < print.items.size(); ++n) {
        const QStringList forms = TypedForms(print.items[n].answer);
        const QString typed = forms[static_cast<int>(n) % forms.size()];
        expected.push_back(AnswerNormalizer::Accepts(print.items[n].answer, typed));
        expectedRight += expected.back() ? 1 : 0;
        browser.Type(inputs[static_cast<int>(n)], typed);
    }
    ASSERT_GT(expectedRight, 0);
    ASSERT_LT(expectedRight, static_cast<int>(print.items.size()));
    browser.Click(browser.Find(QStringLiteral("#print-2 button.check")).value(0));

    const QJsonValue marks = browser.Execute(
        QStringLiteral("return Array.from(document.querySelectorAll('#print-2 .mark')).map(m => m.dataset.result);"));
    for (size_t n = 0; n < expected.size(); ++n)
        EXPECT_EQ(marks[static_cast<qsizetype>(n)].toString().toStdString(), expected[n] ? "right" : "wrong")
            << print.items[n].answer.toStdString();
    EXPECT_EQ(browser.TextOf(browser.Find(QStringLiteral("#print-2 .score")).value(0)),
        QStringLiteral("正解 %1 / %2").arg(expectedRight).arg(print.items.size()));
    // The other print was not marked.
    EXPECT_TRUE(browser.TextOf(browser.Find(QStringLiteral("#print-1 .score")).value(0)).isEmpty());

    // 解答を見る shows each answer as printed.
    browser.Click(browser.Find(QStringLiteral("#print-2 button.show")).value(0));
    const QStringList answers = browser.Find(QStringLiteral("#print-2 .answer"));
    ASSERT_EQ(static_cast<size_t>(answers.size()), print.items.size());
    for (size_t n = 0; n < print.items.size(); ++n)
        EXPECT_EQ(browser.TextOf(answers[static_cast<int>(n)]), MarkupRenderer::ToPlain(print.items[n].answer));
    // Nothing was fetched: no style, script, font or image from anywhere.
    EXPECT_EQ(browser.Execute(QStringLiteral("return performance.getEntriesByType('resource').length;")).toInt(-1), 0);
    EXPECT_TRUE(browser.Error().isEmpty()) << browser.Error().toStdString();
}

TEST_F(SelfCheckPageBrowserTest, BookTextHoldingScriptStaysText)
{
    Load(Build(HostileBookSql()));
    FillPrints(1, 3);
    set = ExportSet::FromModel(model);
    WebDriverSession browser;
    ASSERT_TRUE(browser.Error().isEmpty()) << browser.Error().toStdString();
    browser.Open(ExportPage());

    const QString page = browser.Execute(QStringLiteral("return document.body.innerText;")).toString();
    EXPECT_TRUE(page.contains(QStringLiteral("scriptalert(1)/script"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("img src=x onerror=alert(2)"))) << page.toStdString();
    EXPECT_EQ(browser.Execute(QStringLiteral("return document.querySelectorAll('script').length;")).toInt(), 2);
    EXPECT_EQ(browser.Execute(QStringLiteral("return document.querySelectorAll('img, b > *').length;")).toInt(), 0);
    // A right answer still marks right after the hostile texts.
    const QStringList inputs = browser.Find(QStringLiteral("#print-1 .item input"));
    ASSERT_FALSE(inputs.isEmpty());
    browser.Type(inputs[0], AnswerNormalizer::Alternatives(set.prints[0].items[0].answer).value(0));
    browser.Click(browser.Find(QStringLiteral("#print-1 button.check")).value(0));
    EXPECT_EQ(browser.TextOf(browser.Find(QStringLiteral("#print-1 .score")).value(0)),
        QStringLiteral("正解 1 / %1").arg(inputs.size()));
    // Had a book text run as script, its alert would have stopped the session.
    EXPECT_TRUE(browser.Error().isEmpty()) << browser.Error().toStdString();
}

} // namespace
