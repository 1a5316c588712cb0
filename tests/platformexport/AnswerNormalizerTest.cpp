// Answers as pupils type them: the book's answers with their marks, widths,
// cases, spaces and alternatives, against what a pupil writes.
#include "platformexport/AnswerNormalizer.h"
#include "platformexport/MarkupRenderer.h"
#include "support/SampleBooks.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* answer;
    const char* typed;
    bool right;
};

TEST(AnswerNormalizer, MarksWidthsCasesSpacesAndAlternatives)
{
    const Case cases[] = {
        {"［動］～を達成する，成し遂げる", "を達成する", true},
        {"［動］～を達成する，成し遂げる", "達成する", true},
        {"［動］～を達成する，成し遂げる", "成し遂げる", true},
        {"［動］～を達成する，成し遂げる", "～を達成する、成し遂げる", true},
        {"［動］～を達成する，成し遂げる", "成し遂げる／達成する", true},
        {"［動］～を達成する，成し遂げる", "［動］成し遂げる", true},
        {"［動］～を達成する，成し遂げる", "動", false},
        {"［動］～を達成する，成し遂げる", "達成", false},
        {"［動］～を達成する，成し遂げる", "成し遂げる，失敗する", false},
        {"［動］～を達成する，成し遂げる", "", false},
        {"［動］～を達成する，成し遂げる", " ， ", false},
        {"achieve a goal", "ＡＣＨＩＥＶＥ　 a   Goal ", true},
        {"achieve a goal", "achieveagoal", false},
        {"Café", "CAFÉ", true},
        {"［名］（生物の）種", "種", true},
        {"［名］（生物の）種", "生物の種", true},
        {"［名］（生物の）種", "(生物の)種", true},
        {"［動］（お金）を稼ぐ，得る", "稼ぐ", true},
        {"［動］（お金）を稼ぐ，得る", "お金を稼ぐ", true},
        {"［動］失敗する，（試験）に落ちる", "落ちる", true},
        {"隠<G=99EC>", "隠蔽", true},
        {"<G=E274>", "鷗", true},
        {"H<S=2>O", "h2o", true},
        {"a;b", "b", true},
        {"*", "*", true},
        {"*", "x", false},
        {"[unclosed", "[UNCLOSED", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnswerNormalizer::Accepts(QString::fromUtf8(c.answer), QString::fromUtf8(c.typed)), c.right)
            << c.answer << " <- " << c.typed;
    }
    EXPECT_EQ(AnswerNormalizer::Alternatives(QStringLiteral("［動］～を達成する，成し遂げる")),
        QStringList({QStringLiteral("を達成する"), QStringLiteral("達成する"), QStringLiteral("成し遂げる")}));
    EXPECT_TRUE(AnswerNormalizer::Alternatives(QStringLiteral("［名］")).isEmpty());
}

// Every answer of the bundled books, typed without its marks, whole or as
// one of its alternatives, in wide or narrow letters and either case, is
// right; another sentence's answer is wrong.
TEST(AnswerNormalizer, EveryBundledAnswerTypedAsAPupilWouldIsAccepted)
{
    const QRegularExpression marks(QStringLiteral("［[^］]*］|～"));
    const QRegularExpression separators(QStringLiteral("[，、／;；]"));
    for (const SampleBook& book : SampleBooks()) {
        const auto rows = QueryRows(
            QStringLiteral(TV_TEST_DATA_DIR "/") + book.file, QStringLiteral("select answer from Sentences"));
        ASSERT_GT(rows.size(), 100u);
        int rejected = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            const QString answer = rows[i][0].toString();
            const QString printed = MarkupRenderer::ToPlain(answer, QStringLiteral(" "));
            const QString whole = QString(printed).remove(marks);
            EXPECT_TRUE(AnswerNormalizer::Accepts(answer, whole)) << answer.toStdString();
            EXPECT_TRUE(AnswerNormalizer::Accepts(answer, whole.toUpper())) << answer.toStdString();
            QString wide;
            for (const QChar c : whole)
                wide += c.unicode() > 0x20 && c.unicode() < 0x7F ? QChar(c.unicode() + 0xFEE0) : c;
            EXPECT_TRUE(AnswerNormalizer::Accepts(answer, wide)) << wide.toStdString();
            for (const QString& part : whole.split(separators, Qt::SkipEmptyParts))
                EXPECT_TRUE(AnswerNormalizer::Accepts(answer, part))
                    << answer.toStdString() << " <- " << part.toStdString();

            const QString other = rows[(i + 1) % rows.size()][0].toString();
            if (AnswerNormalizer::Alternatives(other) != AnswerNormalizer::Alternatives(answer)
                && !AnswerNormalizer::Accepts(answer, MarkupRenderer::ToPlain(other)))
                ++rejected;
        }
        EXPECT_GT(rejected, static_cast<int>(rows.size()) * 9 / 10) << book.file.toStdString();
    }
}

} // namespace
