// Print runs through the Ichitaro creator into a real (headless) office:
// the document is read back from the office after the run.
#include "DocumentLines.h"

#include "desktop/CClipboardBackup.h"
#include "quiz/Path.h"
#include "automation/ClassRegistry.h"
#include "automation/office/OfficeBackends.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/TaroDocument.h"
#include "automation/office/TaroLibrary.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterDocument.h"
#include "print/CreatorTaro.h"
#include "quiz/CreatorRegistry.h"
#include "print/CreatorWord.h"
#include "print/Templ.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <gtest/gtest.h>

using namespace OfficeTest;
using namespace Print;
using namespace css;

namespace {

const QString Title = QStringLiteral("第3回 単語テスト");
const QString RangeText = QStringLiteral("Lesson 4〜6");
// The first print is named after its class, the second is not: "@class"
// before 組 takes the name, or nothing.
const QString ClassName = QStringLiteral("1年A組");
QString NameLine(int print)
{
    return QStringLiteral("\t") + (print == 1 ? ClassName : QString()) + QStringLiteral("組\t番\t氏名\t得点　　　　　");
}
const QString Instruction = QStringLiteral("次の語句を書きなさい。");
const QChar ExternalCharacter(0xE001);

QString HorizontalJtt()
{
    return TemplatePath(QStringLiteral("横書き標準.jtt"));
}

QString VerticalJtt()
{
    return TemplatePath(QStringLiteral("縦書き標準.jtt"));
}

// One half as the parser lays it out: each print with its number, the
// header block, one question format and two sentences.
void AddHalf(CommandList& c, int prints, bool answers)
{
    for (int p = 1; p <= prints; ++p) {
        if (p > 1)
            c.Add(NewPage);
        c.Add(PrintId, QString::number(p));
        c.Add(NewParagraph);
        c.Add(PageHeader, p == 1 ? ClassName : QString());
        c.Add(QuestionHead, QStringLiteral("1"));
        c.Add(Text, Instruction);
        c.Add(NewParagraph);

        c.Add(ItemNumber, QStringLiteral("1"));
        c.Add(Text, QStringLiteral("a "));
        c.Add(UnderlinedText, QStringLiteral("pen"));
        c.Add(Text, QStringLiteral(" (12) (a1) [b]"));
        c.Add(NewParagraph);
        c.Add(AnswerNumber, QStringLiteral("1"));
        c.Add(Text, answers ? QStringLiteral("ペン") : QStringLiteral("（　　）"));
        c.Add(NewParagraph);

        c.Add(ItemNumber, QStringLiteral("2"));
        c.Add(Text, QStringLiteral("C"));
        c.Add(SubscriptText, QStringLiteral("n"));
        c.Add(Text, QStringLiteral("H"));
        c.Add(LineBreak);
        c.Add(Text, QStringLiteral("第"));
        c.Add(ExternalChar, QString(ExternalCharacter));
        c.Add(Text, QStringLiteral("課"));
        c.Add(NewParagraph);
        c.Add(AnswerNumber, QStringLiteral("2"));
        c.Add(Text, answers ? QStringLiteral("炭化水素") : QStringLiteral("（　　）"));
        c.Add(NewParagraph);
    }
}

CmdList TwoPrints()
{
    CommandList c;
    AddHalf(c, 2, false);
    c.Add(NewPage);
    AddHalf(c, 2, true);
    return c.list;
}

// The paragraphs the run should give; vertical documents have their
// brackets turned full-width except around bare digits.
std::vector<Line> ExpectedLines(int prints, bool vertical)
{
    const QString sentence
        = vertical ? QStringLiteral("(1)\ta pen (12) （a1） ［b］") : QStringLiteral("(1)\ta pen (12) (a1) [b]");
    const QString blank = QStringLiteral("（　　）");
    std::vector<Line> lines;
    for (const bool answers : {false, true}) {
        for (int p = 1; p <= prints; ++p) {
            // The paragraph left empty by the last paragraph end begins the page.
            const bool newPage = !lines.empty();
            lines.push_back({QStringLiteral("プリントID"), QString::number(p), newPage});
            lines.push_back({QStringLiteral("表題"), Title});
            lines.push_back({QStringLiteral("範囲"), RangeText});
            lines.push_back({QStringLiteral("記名欄"), NameLine(p)});
            lines.push_back({QStringLiteral("設問"), QStringLiteral("【1】\t") + Instruction});
            lines.push_back({QStringLiteral("問題"), sentence});
            lines.push_back(
                {QStringLiteral("解答"), QStringLiteral("(1)\t") + (answers ? QStringLiteral("ペン") : blank)});
            lines.push_back(
                {QStringLiteral("問題"), QStringLiteral("(2)\tCnH\n第") + ExternalCharacter + QStringLiteral("課")});
            lines.push_back(
                {QStringLiteral("解答"), QStringLiteral("(2)\t") + (answers ? QStringLiteral("炭化水素") : blank)});
        }
    }
    lines.push_back({QStringLiteral("解答"), QString()}); // the last paragraph end
    return lines;
}

// Every portion whose text is exactly `text`, with its character height.
struct SizedPortion {
    Portion portion;
    float height = 0;
};
std::vector<SizedPortion> PortionsOf(const std::shared_ptr<Office::WriterDocument>& document, const QString& text)
{
    std::vector<SizedPortion> found;
    const auto paragraphs
        = uno::Reference<container::XEnumerationAccess>(document->Model()->getText(), uno::UNO_QUERY_THROW)
              ->createEnumeration();
    while (paragraphs->hasMoreElements()) {
        const auto portions
            = uno::Reference<container::XEnumerationAccess>(paragraphs->nextElement(), uno::UNO_QUERY_THROW)
                  ->createEnumeration();
        while (portions->hasMoreElements()) {
            const uno::Reference<beans::XPropertySet> props(portions->nextElement(), uno::UNO_QUERY_THROW);
            if (Office::ToQString(uno::Reference<text::XTextRange>(props, uno::UNO_QUERY_THROW)->getString()) != text)
                continue;
            SizedPortion p;
            p.portion.text = text;
            sal_Int16 underline = 0, rotation = 0;
            rtl::OUString asian;
            props->getPropertyValue("CharUnderline") >>= underline;
            props->getPropertyValue("CharRotation") >>= rotation;
            props->getPropertyValue("CharFontNameAsian") >>= asian;
            props->getPropertyValue("CharHeight") >>= p.height;
            p.portion.underline = underline;
            p.portion.rotation = rotation;
            p.portion.faceAsian = Office::ToQString(asian);
            found.push_back(p);
        }
    }
    return found;
}

class CreatorTaroOfficeTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The applications the creator starts are kept here, so that the
        // documents it leaves open in the office can be read back.
        Automation::ClassRegistry::Register(QStringLiteral("JXW.Application"), [this] {
            auto application = Office::TaroApplication::Create(Office::OfficeSession::Shared());
            applications.push_back(application);
            return std::static_pointer_cast<Automation::Object>(application);
        });
        creator.SetClipboardBackupFactory(CClipboardBackup::Factory());
    }

    void TearDown() override
    {
        for (const auto& application : applications) {
            if (const auto document = application->ActiveDocument())
                document->Close();
        }
        Office::RegisterBackends();
    }

    bool Run(const QString& templatePath) { return creator.Create(TwoPrints(), templatePath, Title, RangeText); }

    std::shared_ptr<Office::WriterDocument> LastDocument()
    {
        if (applications.empty() || !applications.back()->ActiveDocument())
            return nullptr;
        return applications.back()->ActiveDocument()->Writer();
    }

    CreatorTaro creator;
    std::vector<std::shared_ptr<Office::TaroApplication>> applications;
};

} // namespace

TEST_F(CreatorTaroOfficeTest, HorizontalTemplateGivesBothHalvesWithHeaderBlocks)
{
    const QString keyAssignment = QStringLiteral("JW型ｷｰ割付");
    Office::TaroLibrary::SetOption(keyAssignment, 1);
    ASSERT_TRUE(Run(HorizontalJtt()));
    EXPECT_EQ(Office::TaroLibrary::Option(keyAssignment).ToInt(), 1); // given back after the run
    Office::TaroLibrary::SetOption(keyAssignment, 0);
    const auto document = LastDocument();
    ASSERT_NE(document, nullptr);
    // The window of the document left open is titled with the print title.
    EXPECT_EQ(Office::ToQString(css::uno::Reference<css::frame::XTitle>(
                  OfficeTest::Writer(document)->Model(), css::uno::UNO_QUERY_THROW)
                                    ->getTitle()),
        Title);
    // The teacher's undo begins with the finished document, and works.
    const auto undo = css::uno::Reference<css::document::XUndoManagerSupplier>(
        OfficeTest::Writer(document)->Model(), css::uno::UNO_QUERY_THROW)
                          ->getUndoManager();
    EXPECT_FALSE(undo->isLocked());
    EXPECT_FALSE(undo->isUndoPossible());
    EXPECT_EQ(Lines(document), ExpectedLines(2, false));

    for (const SizedPortion& pen : PortionsOf(document, QStringLiteral("pen")))
        EXPECT_NE(pen.portion.underline, 0);
    EXPECT_EQ(PortionsOf(document, QStringLiteral("pen")).size(), 4u);

    const auto subscripts = PortionsOf(document, QStringLiteral("n"));
    ASSERT_EQ(subscripts.size(), 4u);
    for (const SizedPortion& n : subscripts)
        EXPECT_EQ(n.height, 8.0f);
    for (const SizedPortion& h : PortionsOf(document, QStringLiteral("H")))
        EXPECT_NE(h.height, 8.0f);

    const auto gaiji = PortionsOf(document, QString(ExternalCharacter));
    ASSERT_EQ(gaiji.size(), 4u);
    for (const SizedPortion& g : gaiji)
        EXPECT_EQ(g.portion.faceAsian, QStringLiteral("Morvane Gaiji"));
    for (const SizedPortion& after : PortionsOf(document, QStringLiteral("課")))
        EXPECT_NE(after.portion.faceAsian, QStringLiteral("Morvane Gaiji"));
}

TEST_F(CreatorTaroOfficeTest, VerticalTemplateSetsDigitsInHalfWidthParenthesesAcross)
{
    ASSERT_TRUE(Run(VerticalJtt()));
    const auto document = LastDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(Lines(document), ExpectedLines(2, true));

    const auto twelve = PortionsOf(document, QStringLiteral("(12)"));
    ASSERT_EQ(twelve.size(), 4u);
    for (const SizedPortion& p : twelve)
        EXPECT_EQ(p.portion.rotation, 900);
    const auto numbers = PortionsOf(document, QStringLiteral("(2)"));
    ASSERT_EQ(numbers.size(), 8u); // item and answer numbers of both halves
    for (const SizedPortion& p : numbers)
        EXPECT_EQ(p.portion.rotation, 900);
    // In （a1） only the digit stands across; the letter and the
    // full-width parentheses stay as they are.
    for (const QString& text : {QStringLiteral("（a"), QStringLiteral("）"), QStringLiteral(" （a")}) {
        for (const SizedPortion& p : PortionsOf(document, text))
            EXPECT_EQ(p.portion.rotation, 0) << text.toStdString();
    }
}

// The steps collected and taken in the office by its routines give the
// document that each step sent on its own gives, in both templates (the
// search-and-replace of the vertical one looks ahead): the paragraphs and
// every portion's formatting. The prints end with formatting next to
// formatting, at line and paragraph starts, and a surrogate pair.
TEST_F(CreatorTaroOfficeTest, StepsTakenByTheOfficesRoutinesGiveWhatEachStepOnItsOwnGives)
{
    CommandList commands;
    commands.list = TwoPrints();
    commands.Add(ItemNumber, QStringLiteral("3"));
    commands.Add(UnderlinedText, QStringLiteral("under"));
    commands.Add(SubscriptText, QStringLiteral("2"));
    commands.Add(ExternalChar, QString(ExternalCharacter));
    commands.Add(SubscriptText, QStringLiteral("𠮷x"));
    commands.Add(Text, QStringLiteral(" (34)(5)"));
    commands.Add(LineBreak);
    commands.Add(SubscriptText, QStringLiteral("n"));
    commands.Add(Text, QStringLiteral("(6)"));
    commands.Add(NewParagraph);
    commands.Add(UnderlinedText, QStringLiteral("(7)"));
    commands.Add(ExternalChar, QString(ExternalCharacter));
    const auto session = Office::OfficeSession::Shared();
    for (const QString& path : {HorizontalJtt(), VerticalJtt()}) {
        SCOPED_TRACE(path.toStdString());
        std::vector<std::shared_ptr<Office::WriterDocument>> documents;
        for (const bool routines : {false, true}) {
            session->SetRoutinesAllowed(routines);
            const bool done = creator.Create(commands.list, path, Title, RangeText);
            session->SetRoutinesAllowed(true);
            ASSERT_TRUE(done);
            documents.push_back(LastDocument());
            ASSERT_NE(documents.back(), nullptr);
        }
        ExpectSameDocument(documents[0], documents[1]);
        const std::vector<Line> lines = Lines(documents[1]);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2].text,
            QStringLiteral("(3)\tunder2") + ExternalCharacter + QStringLiteral("𠮷x (34)(5)\nn(6)"));
        for (const auto& application : applications)
            if (const auto document = application->ActiveDocument())
                document->Close();
    }
}

TEST_F(CreatorTaroOfficeTest, FailedRunLeavesNoDocumentAndTheNextRunWorks)
{
    EXPECT_FALSE(Run(TemplatePath(QStringLiteral("ない.jtt"))));
    ASSERT_EQ(applications.size(), 1u);
    EXPECT_EQ(applications.front()->ActiveDocument(), nullptr);

    ASSERT_TRUE(Run(HorizontalJtt()));
    EXPECT_EQ(Lines(LastDocument()), ExpectedLines(2, false));
}

TEST(OfficeAvailabilityTest, BothWordProcessorsAndBothTemplateKindsAreThere)
{
    Office::RegisterBackends();
    CreatorWord::ForgetAvailability();
    CreatorTaro::ForgetAvailability();
    CreatorRegistry registry;
    registry.Register(1, std::make_shared<CreatorWord>());
    registry.Register(2, std::make_shared<CreatorTaro>());
    EXPECT_EQ(registry.AvailableTypes(), 3);
    CreatorWord::ForgetAvailability();
    CreatorTaro::ForgetAvailability();

    Templ templ{Path(QStringLiteral(TV_TEST_DATA_DIR "/.."))};
    ASSERT_TRUE(templ.Scan(1));
    ASSERT_TRUE(templ.Scan(2));
    QStringList names;
    templ.Names(2, names);
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("横書き標準.jtt"), QStringLiteral("縦書き標準.jtt")}));
}
