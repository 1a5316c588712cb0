#include "OfficeTestSupport.h"

#include "automation/AutomationError.h"
#include "automation/WordConstants.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/UnoStrings.h"

#include <QCryptographicHash>
#include <QFile>

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

using Automation::AutomationError;
using Automation::Variant;
using namespace OfficeTest;
using namespace css;
using rtl::OUString;

namespace {

const QString kHeader = QStringLiteral("@title\r@range\r\t@class組\t番\t氏名\t得点　　　　　\r");
const int kHeaderLength = static_cast<int>(kHeader.size());

QByteArray Digest(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

class WriterDocumentTest : public testing::Test {
protected:
    void SetUp() override { word = NewWord(); }
    void TearDown() override
    {
        if (word)
            word->Quit();
    }

    // Opens a template the way the Word creator does: hidden, the header
    // range over everything but the last paragraph mark, the selection at
    // the end.
    std::shared_ptr<Word::_Document> Open(const QString& templatePath)
    {
        word->PutVisible(false);
        word->PutWindowState(Word::wdWindowStateMinimize);
        word->PutDisplayAlerts(Word::wdAlertsNone);
        auto document = word->GetDocuments()->Add(templatePath);
        header = document->Range();
        header->PutEnd(header->GetEnd() - 1);
        const int end = document->Range()->GetEnd();
        document->Range(end, end)->Select();
        selection = word->GetSelection();
        return document;
    }

    void Styled(const QString& style, const QString& text)
    {
        selection->GetParagraphFormat()->PutStyle(style);
        selection->TypeText(text);
    }

    std::shared_ptr<Word::_Application> word;
    std::shared_ptr<Word::Range> header;
    std::shared_ptr<Word::Selection> selection;
};

TEST_F(WriterDocumentTest, EachTemplateMakesAnUntitledDocumentWithTheHeaderBlockAndTheStyles)
{
    for (const QString& path : {HorizontalTemplate(), VerticalTemplate()}) {
        SCOPED_TRACE(path.toStdString());
        const QByteArray before = Digest(path);
        auto document = word->GetDocuments()->Add(path);
        EXPECT_EQ(document->Range()->GetText(), kHeader + QStringLiteral("\r"));
        EXPECT_EQ(document->Range()->GetEnd(), kHeaderLength + 1);

        const auto model = Writer(document)->Model();
        EXPECT_FALSE(uno::Reference<frame::XStorable>(model, uno::UNO_QUERY_THROW)->hasLocation());
        const uno::Reference<container::XNameAccess> styles(
            uno::Reference<style::XStyleFamiliesSupplier>(model, uno::UNO_QUERY_THROW)
                ->getStyleFamilies()
                ->getByName(OUString("ParagraphStyles")),
            uno::UNO_QUERY_THROW);
        for (const char16_t* name : {u"設問", u"問題", u"解答", u"プリントID", u"標準"})
            EXPECT_TRUE(styles->hasByName(Office::ToOUString(QString::fromUtf16(name))))
                << QString::fromUtf16(name).toStdString();

        const auto paragraphs = Paragraphs(document);
        ASSERT_EQ(paragraphs.size(), 4u);
        EXPECT_EQ(paragraphs.back().style, QStringLiteral("標準"));
        EXPECT_TRUE(paragraphs.back().text.isEmpty());
        EXPECT_EQ(Digest(path), before);
    }
}

TEST_F(WriterDocumentTest, WritingAPrintGivesTheParagraphsStylesAndPagesOfWord)
{
    auto document = Open(HorizontalTemplate());
    EXPECT_EQ(selection->GetOrientation(), Word::wdTextOrientationHorizontal);

    Styled(QStringLiteral("プリントID"), QStringLiteral("1"));
    selection->TypeParagraph();
    header->Copy();
    selection->Paste();
    Styled(QStringLiteral("設問"), QStringLiteral("【1】\t次の語の意味を書きなさい。"));
    selection->TypeParagraph();
    Styled(QStringLiteral("問題"), QStringLiteral("(1)\tapple"));
    selection->TypeText(QStringLiteral("\v"));
    selection->TypeText(QStringLiteral("two lines"));
    selection->TypeParagraph();
    selection->InsertBreak(Word::wdPageBreak);
    Styled(QStringLiteral("プリントID"), QStringLiteral("2"));
    selection->TypeParagraph();
    selection->Paste();
    Styled(QStringLiteral("解答"), QStringLiteral("(1)\tりんご"));

    // The header range has kept to the template's own copy.
    EXPECT_EQ(header->GetStart(), 0);
    EXPECT_EQ(header->GetText(), kHeader);

    const auto p = Paragraphs(document);
    const std::vector<std::pair<QString, QString>> expected = {
        {QStringLiteral("表題"), QStringLiteral("@title")},
        {QStringLiteral("範囲"), QStringLiteral("@range")},
        {QStringLiteral("記名欄"), QStringLiteral("\t@class組\t番\t氏名\t得点　　　　　")},
        {QStringLiteral("プリントID"), QStringLiteral("1")},
        {QStringLiteral("表題"), QStringLiteral("@title")},
        {QStringLiteral("範囲"), QStringLiteral("@range")},
        {QStringLiteral("記名欄"), QStringLiteral("\t@class組\t番\t氏名\t得点　　　　　")},
        {QStringLiteral("設問"), QStringLiteral("【1】\t次の語の意味を書きなさい。")},
        {QStringLiteral("問題"), QStringLiteral("(1)\tapple\ntwo lines")},
        // The empty paragraph left by the last paragraph end begins the new page itself.
        {QStringLiteral("プリントID"), QStringLiteral("2")},
        {QStringLiteral("表題"), QStringLiteral("@title")},
        {QStringLiteral("範囲"), QStringLiteral("@range")},
        {QStringLiteral("記名欄"), QStringLiteral("\t@class組\t番\t氏名\t得点　　　　　")},
        {QStringLiteral("解答"), QStringLiteral("(1)\tりんご")},
    };
    ASSERT_EQ(p.size(), expected.size());
    for (size_t i = 0; i < p.size(); ++i) {
        EXPECT_EQ(p[i].style, expected[i].first) << i;
        EXPECT_EQ(p[i].text, expected[i].second) << i;
        EXPECT_EQ(p[i].pageBreakBefore, i == 9) << i;
    }

    // The positions agree with the office's text.
    auto writer = Writer(document);
    const QString kept = writer->Story();
    writer->ReloadStory();
    EXPECT_EQ(writer->Story(), kept);
    EXPECT_EQ(document->Range(kHeaderLength, kHeaderLength + 1)->GetText(), QStringLiteral("1"));

    // Completing: the template's copy goes, the first print's number heads the document.
    EXPECT_EQ(header->Delete(), kHeaderLength);
    selection->HomeKey(Word::wdStory);
    const auto after = Paragraphs(document);
    EXPECT_EQ(after.front().style, QStringLiteral("プリントID"));
    EXPECT_EQ(after.front().text, QStringLiteral("1"));
    EXPECT_EQ(after.size(), expected.size() - 3);
    selection->TypeText(QStringLiteral("P"));
    EXPECT_EQ(Paragraphs(document).front().text, QStringLiteral("P1"));
}

TEST_F(WriterDocumentTest, UnderlineSubscriptAndFaceApplyOnlyToTheTextTypedWithThem)
{
    auto document = Open(HorizontalTemplate());
    auto font = selection->GetFont();
    selection->TypeText(QStringLiteral("plain "));
    font->PutUnderline(Word::wdUnderlineSingle);
    selection->TypeText(QStringLiteral("under"));
    font->PutUnderline(Word::wdUnderlineNone);
    selection->TypeText(QStringLiteral(" after"));
    font->PutSubscript(1);
    selection->TypeText(QStringLiteral("low"));
    font->PutSubscript(0);
    selection->TypeParagraph();
    selection->TypeText(QStringLiteral("next"));

    const QString face = font->GetName();
    EXPECT_FALSE(face.isEmpty());
    font->PutName(QStringLiteral("Morvane Gaiji"));
    EXPECT_EQ(font->GetName(), QStringLiteral("Morvane Gaiji"));
    selection->TypeText(QString(QChar(0xE001)));
    font->PutName(face);
    selection->TypeText(QStringLiteral("tail"));
    font->PutUnderline(Word::wdUnderlineSingle);
    selection->TypeText(QStringLiteral("U"));
    font->PutUnderline(Word::wdUnderlineNone);
    selection->TypeParagraph();
    selection->TypeText(QStringLiteral("fresh"));

    const auto portions = Portions(document);
    EXPECT_EQ(PortionWith(portions, QStringLiteral("under")).text, QStringLiteral("under"));
    EXPECT_NE(PortionWith(portions, QStringLiteral("under")).underline, 0);
    EXPECT_EQ(PortionWith(portions, QStringLiteral("plain")).underline, 0);
    EXPECT_EQ(PortionWith(portions, QStringLiteral(" after")).underline, 0);
    EXPECT_LT(PortionWith(portions, QStringLiteral("low")).escapement, 0);
    EXPECT_EQ(PortionWith(portions, QStringLiteral(" after")).escapement, 0);
    EXPECT_EQ(PortionWith(portions, QStringLiteral("next")).escapement, 0);
    const auto gaiji = PortionWith(portions, QString(QChar(0xE001)));
    EXPECT_EQ(gaiji.faceAsian, QStringLiteral("Morvane Gaiji"));
    EXPECT_EQ(gaiji.faceWestern, QStringLiteral("Morvane Gaiji"));
    EXPECT_EQ(PortionWith(portions, QStringLiteral("tail")).faceAsian, face);
    EXPECT_EQ(PortionWith(portions, QStringLiteral("fresh")).underline, 0);
}

// Typing goes to the office in batches. The same typing, with the office
// made to take each call on its own (reading the document between calls),
// gives the same paragraphs, styles, page breaks and formatting.
TEST_F(WriterDocumentTest, TypingCollectedForTheOfficeGivesWhatTypingCallByCallGives)
{
    using Script = std::function<void()>;
    const auto type = [this](const QString& text) { return Script([=, this] { selection->TypeText(text); }); };
    const auto style = [this](const QString& name) {
        return Script([=, this] { selection->GetParagraphFormat()->PutStyle(name); });
    };
    const auto underline
        = [this](int value) { return Script([=, this] { selection->GetFont()->PutUnderline(value); }); };
    const auto subscript
        = [this](int value) { return Script([=, this] { selection->GetFont()->PutSubscript(value); }); };
    const Script paragraph = [this] { selection->TypeParagraph(); };
    const Script pageBreak = [this] { selection->InsertBreak(Word::wdPageBreak); };
    const std::vector<Script> script = {
        style(QStringLiteral("プリントID")),
        type(QStringLiteral("1")),
        paragraph,
        style(QStringLiteral("設問")),
        type(QStringLiteral("【1】\t次の英文を日本語にしなさい。")),
        paragraph,
        style(QStringLiteral("問題")),
        type(QStringLiteral("(1)\tI have ")),
        underline(Word::wdUnderlineSingle),
        type(QStringLiteral("lived")),
        type(QStringLiteral(" here")),
        underline(Word::wdUnderlineNone),
        type(QStringLiteral(" (H")),
        subscript(1),
        type(QStringLiteral("2")),
        subscript(0),
        type(QStringLiteral("O)")),
        underline(Word::wdUnderlineSingle),
        type(QStringLiteral("end")),
        paragraph,
        type(QStringLiteral("carried")),
        underline(Word::wdUnderlineNone),
        type(QStringLiteral(" on\vsecond line")),
        paragraph,
        paragraph,
        style(QStringLiteral("解答")),
        type(QStringLiteral("(1)\t（　　）")),
        style(QStringLiteral("問題")),
        type(QStringLiteral(" restyled")),
        paragraph,
        pageBreak,
        style(QStringLiteral("プリントID")),
        type(QStringLiteral("2\rafter a break in the text")),
        paragraph,
        pageBreak,
        type(QStringLiteral("3")),
    };
    // Typed call by call, and collected (given to the office by its own
    // routines, and step by step as to an office without them).
    enum class Way { CallByCall, Collected, CollectedStepByStep };
    const auto written = [&](Way way) {
        auto document = Open(HorizontalTemplate());
        if (way == Way::CollectedStepByStep)
            Writer(document)->TakeStepsOneByOne();
        for (const Script& step : script) {
            step();
            if (way == Way::CallByCall)
                Writer(document)->Model(); // the office takes what was typed
        }
        auto result = std::make_pair(Paragraphs(document), Portions(document));
        Writer(document)->Close();
        return result;
    };
    const auto [stepwiseParagraphs, stepwisePortions] = written(Way::CallByCall);
    for (const Way way : {Way::Collected, Way::CollectedStepByStep}) {
        SCOPED_TRACE(way == Way::Collected ? "by the office's routines" : "step by step");
        const auto [paragraphs, portions] = written(way);
        ASSERT_EQ(paragraphs.size(), stepwiseParagraphs.size());
        for (std::size_t i = 0; i < paragraphs.size(); ++i) {
            SCOPED_TRACE(stepwiseParagraphs[i].text.toStdString());
            EXPECT_EQ(paragraphs[i].style, stepwiseParagraphs[i].style);
            EXPECT_EQ(paragraphs[i].text, stepwiseParagraphs[i].text);
            EXPECT_EQ(paragraphs[i].pageBreakBefore, stepwiseParagraphs[i].pageBreakBefore);
        }
        ASSERT_EQ(portions.size(), stepwisePortions.size());
        for (std::size_t i = 0; i < portions.size(); ++i) {
            SCOPED_TRACE(stepwisePortions[i].text.toStdString());
            EXPECT_EQ(portions[i].text, stepwisePortions[i].text);
            EXPECT_EQ(portions[i].underline, stepwisePortions[i].underline);
            EXPECT_EQ(portions[i].escapement, stepwisePortions[i].escapement);
            EXPECT_EQ(portions[i].faceAsian, stepwisePortions[i].faceAsian);
        }
    }
    const auto [batchedParagraphs, batchedPortions] = written(Way::Collected);
    // What was typed is there as typed.
    const std::vector<std::tuple<QString, QString, bool>> typed = {
        {QStringLiteral("プリントID"), QStringLiteral("1"), false},
        {QStringLiteral("設問"), QStringLiteral("【1】\t次の英文を日本語にしなさい。"), false},
        {QStringLiteral("問題"), QStringLiteral("(1)\tI have lived here (H2O)end"), false},
        {QStringLiteral("問題"), QStringLiteral("carried on\nsecond line"), false},
        {QStringLiteral("問題"), QString(), false},
        {QStringLiteral("問題"), QStringLiteral("(1)\t（　　） restyled"), false},
        {QStringLiteral("プリントID"), QStringLiteral("2"), true},
        {QStringLiteral("プリントID"), QStringLiteral("after a break in the text"), false},
        {QStringLiteral("プリントID"), QStringLiteral("3"), true},
    };
    ASSERT_GE(batchedParagraphs.size(), typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const Paragraph& p = batchedParagraphs[batchedParagraphs.size() - typed.size() + i];
        EXPECT_EQ(std::make_tuple(p.style, p.text, p.pageBreakBefore), typed[i]);
    }
    EXPECT_NE(PortionWith(batchedPortions, QStringLiteral("lived here")).underline, 0);
    EXPECT_NE(PortionWith(batchedPortions, QStringLiteral("carried")).underline, 0);
    EXPECT_EQ(PortionWith(batchedPortions, QStringLiteral(" on")).underline, 0);
}

TEST_F(WriterDocumentTest, ReplaceAllReplacesEveryPlaceholderIgnoringCaseAndWidth)
{
    auto document = Open(HorizontalTemplate());
    selection->TypeText(QStringLiteral("＠ＴＩＴＬＥ and @Title"));

    const auto replace = [&](const QString& placeholder, const QString& text) {
        selection->HomeKey(Word::wdStory);
        auto find = selection->GetFind();
        find->ClearFormatting();
        find->GetReplacement()->ClearFormatting();
        find->PutText(placeholder);
        find->GetReplacement()->PutText(text);
        find->PutForward(true);
        find->PutWrap(Word::wdFindContinue);
        find->PutMatchCase(false);
        find->PutMatchByte(false);
        find->PutMatchAllWordForms(false);
        find->PutMatchSoundsLike(false);
        find->PutMatchWildcards(false);
        return find->Execute(Variant::Missing(), Variant::Missing(), Variant::Missing(), Variant::Missing(),
            Variant::Missing(), Variant::Missing(), Variant::Missing(), Variant::Missing(), Variant::Missing(),
            Variant::Missing(), Word::wdReplaceAll);
    };

    EXPECT_TRUE(replace(QStringLiteral("@title"), QStringLiteral("英単語テスト 第1回")));
    const auto p = Paragraphs(document);
    EXPECT_EQ(p[0].text, QStringLiteral("英単語テスト 第1回"));
    EXPECT_EQ(p[0].style, QStringLiteral("表題"));
    EXPECT_EQ(p[3].text, QStringLiteral("英単語テスト 第1回 and 英単語テスト 第1回"));
    // The header range grew with its title.
    EXPECT_EQ(header->GetText(), kHeader.mid(6).prepend(QStringLiteral("英単語テスト 第1回")));

    // An empty range text makes the placeholder disappear.
    EXPECT_TRUE(replace(QStringLiteral("@range"), QString()));
    EXPECT_TRUE(Paragraphs(document)[1].text.isEmpty());
    // Nothing left to replace: the document is unchanged.
    const QString before = Writer(document)->Story();
    EXPECT_FALSE(replace(QStringLiteral("@range"), QStringLiteral("x")));
    EXPECT_EQ(Writer(document)->Story(), before);
    // The replacement text is taken literally.
    selection->TypeText(QStringLiteral(" @x"));
    EXPECT_TRUE(replace(QStringLiteral("@x"), QStringLiteral("^p$1&")));
    EXPECT_TRUE(Paragraphs(document)[0].text.startsWith(QStringLiteral(" ^p$1&英単語")));
}

// A vertical print has well over a thousand digit runs; the office gets
// them in one walk by its own routine or, without it, in several walks
// side by side. Either way every run of them is upright, and nothing
// between them.
TEST_F(WriterDocumentTest, ThousandsOfUprightRunsAreEachSetAndNothingBetween)
{
    for (const bool byRoutines : {true, false}) {
        SCOPED_TRACE(byRoutines ? "by the office's routines" : "step by step");
        auto document = Open(VerticalTemplate());
        if (!byRoutines)
            Writer(document)->TakeStepsOneByOne();
        const int runs = 1500;
        QString line;
        for (int r = 0; r < runs; ++r)
            line += QStringLiteral("%1%2").arg(r % 2 ? QStringLiteral("x") : QStringLiteral("\r")).arg(r);
        selection->TypeText(line);
        const QString story = document->Range()->GetText();
        int asked = 0;
        for (int c = kHeaderLength; c < story.size() - 1;) {
            if (!story.at(c).isDigit()) {
                ++c;
                continue;
            }
            const int start = c;
            while (story.at(c).isDigit())
                ++c;
            document->Range(start, c)->PutHorizontalInVertical(Word::wdHorizontalInVerticalResizeLine);
            ++asked;
        }
        ASSERT_EQ(asked, runs);
        int upright = 0;
        for (const Portion& portion : Portions(document)) {
            const bool digits = !portion.text.isEmpty()
                && std::all_of(portion.text.begin(), portion.text.end(), [](QChar c) { return c.isDigit(); });
            EXPECT_EQ(portion.rotation, digits ? 900 : 0) << portion.text.toStdString();
            upright += digits && portion.rotation == 900;
        }
        EXPECT_EQ(upright, runs);
        Writer(document)->Close();
    }
}

// A range set again after a later one overlaps what was set before: the
// office ends with what was put last, as when each was set at once.
TEST_F(WriterDocumentTest, ARangeSetAgainEndsWithWhatWasPutLast)
{
    auto document = Open(VerticalTemplate());
    const int groups = 300;
    QString line;
    for (int g = 0; g < groups; ++g)
        line += QStringLiteral("123456x");
    selection->TypeText(line);
    for (int g = 0; g < groups; ++g) {
        const int start = kHeaderLength + 7 * g;
        document->Range(start, start + 6)->PutHorizontalInVertical(Word::wdHorizontalInVerticalResizeLine);
        document->Range(start + 2, start + 4)->PutHorizontalInVertical(Word::wdHorizontalInVerticalNone);
    }
    QStringList upright;
    for (const Portion& portion : Portions(document))
        if (portion.rotation == 900)
            upright << portion.text;
    EXPECT_EQ(upright.size(), 2 * groups);
    EXPECT_EQ(upright.join(QString()), QStringLiteral("1256").repeated(groups));
}

// The walks through many ranges run inside the office, as a routine of
// its own library that the program puts there. One left there by an older
// program (here: one that does nothing) is replaced before it runs.
TEST_F(WriterDocumentTest, AnOutdatedRoutineLeftInTheOfficeIsReplacedBeforeItRuns)
{
    const auto context = Office::OfficeSession::Shared()->Context("test");
    const uno::Reference<script::XLibraryContainer> libraries(
        context->getServiceManager()->createInstanceWithContext(
            OUString("com.sun.star.script.ApplicationScriptLibraryContainer"), context),
        uno::UNO_QUERY_THROW);
    if (!libraries->hasByName(OUString("TaviskoOffice")))
        libraries->createLibrary(OUString("TaviskoOffice"));
    libraries->loadLibrary(OUString("TaviskoOffice"));
    const uno::Reference<container::XNameContainer> library(
        libraries->getByName(OUString("TaviskoOffice")), uno::UNO_QUERY_THROW);
    const uno::Any outdated(OUString("Sub SetRanges(oCursor, aMoves, aNames, aValues)\nEnd Sub\n"));
    if (library->hasByName(OUString("Walks")))
        library->replaceByName(OUString("Walks"), outdated);
    else
        library->insertByName(OUString("Walks"), outdated);

    auto document = Open(VerticalTemplate());
    selection->TypeText(QStringLiteral("a1b22c333"));
    for (const auto& [start, end] : {std::pair{1, 2}, std::pair{3, 5}, std::pair{6, 9}})
        document->Range(kHeaderLength + start, kHeaderLength + end)
            ->PutHorizontalInVertical(Word::wdHorizontalInVerticalResizeLine);
    QStringList upright;
    for (const Portion& portion : Portions(document))
        if (portion.rotation == 900)
            upright << portion.text;
    EXPECT_EQ(upright, QStringList({QStringLiteral("1"), QStringLiteral("22"), QStringLiteral("333")}));
    EXPECT_NE(library->getByName(OUString("Walks")), outdated);
}

TEST_F(WriterDocumentTest, VerticalTemplateIsDetectedAndDigitRunsAreSetUpright)
{
    auto document = Open(VerticalTemplate());
    EXPECT_EQ(selection->GetOrientation(), Word::wdTextOrientationVerticalFarEast);
    selection->TypeText(QStringLiteral("x12y3z"));
    const int start = kHeaderLength;
    document->Range(start + 1, start + 3)->PutHorizontalInVertical(Word::wdHorizontalInVerticalResizeLine);
    document->Range(start + 4, start + 5)->PutHorizontalInVertical(Word::wdHorizontalInVerticalResizeLine);

    EXPECT_EQ(document->Range(start + 1, start + 3)->GetHorizontalInVertical(), Word::wdHorizontalInVerticalResizeLine);
    EXPECT_EQ(document->Range(start, start + 1)->GetHorizontalInVertical(), Word::wdHorizontalInVerticalNone);
    const auto portions = Portions(document);
    EXPECT_EQ(PortionWith(portions, QStringLiteral("12")).text, QStringLiteral("12"));
    EXPECT_EQ(PortionWith(portions, QStringLiteral("12")).rotation, 900);
    EXPECT_EQ(PortionWith(portions, QStringLiteral("3")).text, QStringLiteral("3"));
    EXPECT_EQ(PortionWith(portions, QStringLiteral("y")).rotation, 0);
    EXPECT_EQ(PortionWith(portions, QStringLiteral("z")).rotation, 0);

    // A subscript in a digit run stays a plain subscript: lowered, not turned.
    selection->TypeText(QStringLiteral("CO"));
    auto font = selection->GetFont();
    font->PutSubscript(1);
    selection->TypeText(QStringLiteral("7"));
    font->PutSubscript(0);
    selection->TypeText(QStringLiteral("45"));
    document->Range(start + 8, start + 11)->PutHorizontalInVertical(Word::wdHorizontalInVerticalResizeLine);
    const auto after = Portions(document);
    EXPECT_LT(PortionWith(after, QStringLiteral("7")).escapement, 0);
    EXPECT_EQ(PortionWith(after, QStringLiteral("7")).rotation, 0);
    EXPECT_EQ(PortionWith(after, QStringLiteral("45")).rotation, 900);
    EXPECT_EQ(PortionWith(after, QStringLiteral("45")).escapement, 0);
}

// Ranges are found in the office by walking from a known place (the last
// range found, the selection); asked for backwards, across a surrogate pair
// and after the text has changed, they must still land on their characters.
TEST_F(WriterDocumentTest, RangesFoundOutOfOrderAndAfterEditsLandOnTheirCharacters)
{
    auto document = Open(VerticalTemplate());
    selection->TypeText(QStringLiteral("x1𠮟y22z333w"));
    const int start = kHeaderLength;
    const int upright = Word::wdHorizontalInVerticalResizeLine;
    document->Range(start + 8, start + 11)->PutHorizontalInVertical(upright); // 333
    document->Range(start + 1, start + 2)->PutHorizontalInVertical(upright);  // 1, back over 𠮟
    document->Range(start, start)->Select();
    selection->TypeText(QStringLiteral("u"));
    EXPECT_EQ(document->Range(start + 5, start + 6)->Delete(), 1);           // y
    document->Range(start + 5, start + 7)->PutHorizontalInVertical(upright); // 22, moved by the edits
    EXPECT_EQ(document->Range(start + 8, start + 11)->GetHorizontalInVertical(), upright);
    document->Range(start + 12, start + 12)->Select();
    selection->TypeText(QStringLiteral("v"));

    const auto portions = Portions(document);
    for (const QString digits : {QStringLiteral("1"), QStringLiteral("22"), QStringLiteral("333")}) {
        EXPECT_EQ(PortionWith(portions, digits).text, digits);
        EXPECT_EQ(PortionWith(portions, digits).rotation, 900) << digits.toStdString();
    }
    for (const QString other : {QStringLiteral("u"), QStringLiteral("𠮟"), QStringLiteral("z"), QStringLiteral("w")})
        EXPECT_EQ(PortionWith(portions, other).rotation, 0) << other.toStdString();
    EXPECT_EQ(Paragraphs(document)[3].text, QStringLiteral("ux1𠮟22z333wv"));
}

TEST_F(WriterDocumentTest, PositionsCountSurrogatePairsAsWordDoes)
{
    auto document = Open(HorizontalTemplate());
    const int start = kHeaderLength;
    selection->TypeText(QStringLiteral("a𠮟b"));
    EXPECT_EQ(document->Range(start + 3, start + 4)->GetText(), QStringLiteral("b"));
    document->Range(start + 3, start + 4)->Select();
    selection->TypeText(QStringLiteral("c"));
    document->Range(start, start + 1)->Delete();
    EXPECT_EQ(Paragraphs(document)[3].text, QStringLiteral("𠮟c"));
    auto writer = Writer(document);
    const QString kept = writer->Story();
    writer->ReloadStory();
    EXPECT_EQ(writer->Story(), kept);
}

QString CorpusTemplate(const char* name)
{
    return QStringLiteral(TV_TEST_TEMPLATE_DIR "/") + QString::fromUtf8(name) + QStringLiteral(".dot");
}

// Every character of the main text, after tables, fields, footnotes and
// pictures as much as before them, is where its position says, walking
// forward and also after a jump back to the start.
TEST_F(WriterDocumentTest, EveryCharacterOfATeachersTemplateIsWhereItsPositionSays)
{
    for (const char* name : {"表の記名欄", "入れ子の表", "フィールド", "画像", "二段組", "縦書きの表"}) {
        SCOPED_TRACE(name);
        auto document = word->GetDocuments()->Add(CorpusTemplate(name));
        auto writer = Writer(document);
        const QString story = writer->Story();
        int checked = 0;
        for (const bool again : {false, true}) {
            for (int p = 0; p + 1 < story.size(); ++p) {
                const QChar c = story.at(p);
                if (c == QChar(0xFFFC) || c == u'\r' || c == u'\v' || c.isSurrogate())
                    continue;
                EXPECT_EQ(Office::ToQString(writer->CursorFor(p, p + 1, false)->getString()), QString(c)) << p;
                ++checked;
            }
            if (!again)
                writer->CursorFor(0, 0, false);
        }
        EXPECT_GE(checked, 12);
        // Typing after the last of it lands in the last paragraph.
        const int last = static_cast<int>(story.size()) - 1;
        document->Range(last, last)->Select();
        word->GetSelection()->TypeText(QStringLiteral("end"));
        EXPECT_EQ(document->Range(last, last + 4)->GetText(), QStringLiteral("end\r"));
        const uno::Reference<text::XParagraphCursor> tail(writer->Text()->createTextCursor(), uno::UNO_QUERY_THROW);
        tail->gotoEnd(false);
        tail->gotoStartOfParagraph(true);
        EXPECT_EQ(Office::ToQString(tail->getString()), QStringLiteral("end"));
        const QString kept = writer->Story();
        writer->ReloadStory();
        EXPECT_EQ(writer->Story(), kept);
    }
}

TEST_F(WriterDocumentTest, RangeAcrossATableTakesItWholeAndTheTextAfterItStays)
{
    auto document = word->GetDocuments()->Add(CorpusTemplate("表の記名欄"));
    auto writer = Writer(document);
    const int range = static_cast<int>(writer->Story().indexOf(QStringLiteral("@range")));
    const int dated = static_cast<int>(writer->Story().indexOf(QStringLiteral("テスト日")));
    ASSERT_GT(dated, range);
    auto across = document->Range(range, dated);
    across->Copy();
    const int end = document->Range()->GetEnd();
    document->Range(end - 1, end - 1)->Select();
    word->GetSelection()->Paste();
    const uno::Reference<container::XIndexAccess> tables(
        uno::Reference<text::XTextTablesSupplier>(writer->Model(), uno::UNO_QUERY_THROW)->getTextTables(),
        uno::UNO_QUERY_THROW);
    EXPECT_EQ(tables->getCount(), 2);

    EXPECT_EQ(across->Delete(), dated - range);
    EXPECT_EQ(tables->getCount(), 1);
    EXPECT_EQ(document->Range(range, range + 4)->GetText(), QStringLiteral("テスト日"));
    EXPECT_TRUE(writer->Story().startsWith(QStringLiteral("@title\rテスト日 2025\r@range\r")));
    const QString kept = writer->Story();
    writer->ReloadStory();
    EXPECT_EQ(writer->Story(), kept);
}

TEST_F(WriterDocumentTest, EmptyHeaderRangeCopiesAndDeletesNothing)
{
    auto document = Open(HorizontalTemplate());
    auto empty = document->Range(0, 0);
    empty->Copy();
    selection->TypeText(QStringLiteral("1"));
    selection->Paste();
    EXPECT_EQ(empty->Delete(), 0);
    EXPECT_EQ(document->Range()->GetText(), kHeader + QStringLiteral("1\r"));
}

TEST_F(WriterDocumentTest, ClosingWithoutSavingDiscardsTheDocuments)
{
    auto document = Open(HorizontalTemplate());
    selection->TypeText(QStringLiteral("draft"));
    auto session = Office::OfficeSession::Shared();
    EXPECT_TRUE(session->HasOpenDocuments());
    word->GetDocuments()->Close(Word::wdDoNotSaveChanges);
    EXPECT_FALSE(session->HasOpenDocuments());
    EXPECT_THROW(selection->TypeText(QStringLiteral("more")), AutomationError);
    EXPECT_THROW(word->GetSelection(), AutomationError);
    // The application stays usable for a new document.
    word->GetDocuments()->Add(HorizontalTemplate());
    word->GetSelection()->TypeText(QStringLiteral("again"));
}

TEST_F(WriterDocumentTest, ShowingTheApplicationUnlocksItsDocuments)
{
    auto document = Open(HorizontalTemplate());
    const uno::Reference<frame::XModel> model(Writer(document)->Model(), uno::UNO_QUERY_THROW);
    EXPECT_TRUE(model->hasControllersLocked());
    word->PutVisible(true);
    word->PutWindowState(Word::wdWindowStateNormal);
    EXPECT_FALSE(model->hasControllersLocked());
    EXPECT_TRUE(word->GetVisible());
}

} // namespace
