// The office-free parts of the Writer backend: how ranges follow edits,
// how Word's search options match, and which formatting typing takes on.
#include "automation/office/TextMatcher.h"
#include "automation/office/TextSpan.h"
#include "automation/office/TypingFormat.h"

#include <gtest/gtest.h>

using Automation::Variant;
using Office::TextMatcher;
using Office::TextSpan;
using Office::TypingFormat;

namespace {

TEST(TextSpanTest, FollowsInsertionsLikeAWordRange)
{
    TextSpan header{0, 30};
    header.Inserted(30, 5); // writing begins at the header's end
    EXPECT_EQ(header.end, 30);
    header.Inserted(10, 4); // a longer title inside it
    EXPECT_EQ(header.end, 34);
    header.Inserted(0, 2); // at its start: joins it
    EXPECT_EQ(header.start, 0);
    EXPECT_EQ(header.end, 36);

    TextSpan later{40, 42};
    later.Inserted(10, 3);
    EXPECT_EQ(later.start, 43);
    EXPECT_EQ(later.end, 45);

    TextSpan point{7, 7};
    point.Inserted(7, 3);
    EXPECT_EQ(point.start, 7);
    EXPECT_EQ(point.end, 7);
}

TEST(TextSpanTest, ShrinksAndMovesWithRemovals)
{
    TextSpan span{10, 20};
    span.Removed(0, 5);
    EXPECT_EQ(span.start, 5);
    EXPECT_EQ(span.end, 15);
    span.Removed(12, 10); // over its end
    EXPECT_EQ(span.start, 5);
    EXPECT_EQ(span.end, 12);
    span.Removed(0, 100); // all of it
    EXPECT_EQ(span.start, 0);
    EXPECT_EQ(span.end, 0);
    TextSpan before{1, 3};
    before.Removed(3, 4);
    EXPECT_EQ(before.end, 3);
}

TEST(TextMatcherTest, IgnoresCaseAndWidthUnlessAskedNotTo)
{
    const QString text = QStringLiteral("@title ＠ＴＩＴＬＥ @Title ﾀｲﾄﾙ");
    TextMatcher loose(QStringLiteral("@title"), {});
    EXPECT_EQ(loose.FindAll(text), (QList<int>{0, 7, 14}));
    TextMatcher exact(QStringLiteral("@title"), {true, true, false});
    EXPECT_EQ(exact.FindAll(text), (QList<int>{0}));
    TextMatcher kana(QStringLiteral("タイトル"), {});
    EXPECT_EQ(kana.FindAll(text), (QList<int>{21}));
}

TEST(TextMatcherTest, FindsWithinBoundsWholeWordsAndWithoutOverlap)
{
    const QString text = QStringLiteral("aaaa cat concat cat");
    TextMatcher aa(QStringLiteral("aa"), {});
    EXPECT_EQ(aa.FindAll(text), (QList<int>{0, 2}));
    TextMatcher word(QStringLiteral("cat"), {false, false, true});
    EXPECT_EQ(word.FindAll(text), (QList<int>{5, 16}));
    TextMatcher cat(QStringLiteral("cat"), {});
    EXPECT_EQ(cat.FindAll(text, 6, 15), (QList<int>{12}));
    EXPECT_EQ(cat.FindNext(text, 6), 12);
    EXPECT_EQ(cat.FindPrevious(text, 15), 12);
    EXPECT_EQ(cat.FindPrevious(text, 4), -1);
    EXPECT_TRUE(TextMatcher(QString(), {}).FindAll(text).isEmpty());
}

class TypingFormatTest : public testing::Test {
protected:
    // The text's own formatting: not underlined, face "明朝".
    TypingFormat::Reader reader = [this](TypingFormat::Attribute a) -> Variant {
        ++reads;
        return a == TypingFormat::Attribute::FaceName ? Variant(QStringLiteral("明朝")) : Variant(0);
    };
    TypingFormat typing;
    int reads = 0;
};

TEST_F(TypingFormatTest, PuttingBackTheTextsOwnValueResetsTheNextRunOnce)
{
    using A = TypingFormat::Attribute;
    typing.Put(A::Underline, 1, reader);
    EXPECT_EQ(typing.Get(A::Underline, reader), Variant(1));
    ASSERT_EQ(typing.ValuesToApply().size(), 1u);
    typing.Typed();
    EXPECT_EQ(typing.ValuesToApply().size(), 1u); // stays on for later runs

    typing.Put(A::Underline, 0, reader);
    EXPECT_TRUE(typing.ValuesToApply().empty());
    EXPECT_EQ(typing.AttributesToReset(), std::vector<A>{A::Underline});
    typing.Typed();
    EXPECT_FALSE(typing.HasPending());
}

TEST_F(TypingFormatTest, ExternalCharacterFaceIsRestoredByReading)
{
    using A = TypingFormat::Attribute;
    const Variant face = typing.Get(A::FaceName, reader);
    EXPECT_EQ(face, Variant(QStringLiteral("明朝")));
    typing.Put(A::FaceName, QStringLiteral("Morvane Gaiji"), reader);
    EXPECT_EQ(typing.Get(A::FaceName, reader), Variant(QStringLiteral("Morvane Gaiji")));
    typing.Typed();
    typing.Put(A::FaceName, face, reader);
    EXPECT_EQ(typing.AttributesToReset(), std::vector<A>{A::FaceName});
    EXPECT_EQ(reads, 1); // the text's own face was read once
}

TEST_F(TypingFormatTest, MovingForgetsPendingFormatting)
{
    using A = TypingFormat::Attribute;
    typing.Put(A::Subscript, 1, reader);
    typing.Moved();
    EXPECT_FALSE(typing.HasPending());
    EXPECT_EQ(typing.Get(A::Subscript, reader), Variant(0));
}

TEST_F(TypingFormatTest, TheTextsOwnValuesAreReadOncePerParagraphStyle)
{
    using A = TypingFormat::Attribute;
    for (const char* style : {"問題", "解答", "問題", "解答"}) {
        typing.StyleChanged(QString::fromUtf8(style));
        typing.Put(A::Underline, 1, reader);
        typing.Typed();
        typing.Put(A::Underline, 0, reader);
        EXPECT_EQ(typing.AttributesToReset(), std::vector<A>{A::Underline});
        typing.Typed();
    }
    EXPECT_EQ(reads, 2);
    typing.Moved(); // where the insertion point went, the style is not known
    typing.Put(A::Underline, 1, reader);
    EXPECT_EQ(reads, 3);
}

} // namespace
