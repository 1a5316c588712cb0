// Print runs through the Word creator into a real (headless) office: the
// document is read back from the office after the run.
#include "DocumentLines.h"
#include "OfficeTestSupport.h"

#include "desktop/CClipboardBackup.h"
#include "automation/ClassRegistry.h"
#include "automation/WordConstants.h"
#include "automation/office/OfficeBackends.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterApplication.h"
#include "print/CreatorWord.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/frame/theUICommandDescription.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>

#include <csignal>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace OfficeTest;
using namespace Print;

namespace {

const QString Title = QStringLiteral("第2回 単語テスト");
const QString RangeText = QStringLiteral("Lesson 1〜3");
// The first print is named after its class, the second is not: "@class"
// before 組 takes the name, or nothing.
const QString ClassName = QStringLiteral("1年A組");
QString NameLine(int print)
{
    return QStringLiteral("\t") + (print == 1 ? ClassName : QString()) + QStringLiteral("組\t番\t氏名\t得点　　　　　");
}
const QString Instruction = QStringLiteral("次の英文を日本語にしなさい。");
const QChar ExternalCharacter(0xE000);
const QString ClipboardFormat = QStringLiteral("application/x-tavisko-office-test");

// One half of the document as the parser lays it out: each print with its
// number, the header block, one question format and two sentences.
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
        c.Add(Text, QStringLiteral("I have a "));
        c.Add(UnderlinedText, QStringLiteral("pen"));
        c.Add(Text, QStringLiteral("."));
        c.Add(NewParagraph);
        c.Add(NewParagraph);
        c.Add(AnswerNumber, QStringLiteral("1"));
        c.Add(Text, answers ? QStringLiteral("ペン") : QStringLiteral("（　　）"));
        c.Add(NewParagraph);

        c.Add(ItemNumber, QStringLiteral("2"));
        c.Add(Text, QStringLiteral("C"));
        c.Add(SubscriptText, QStringLiteral("n"));
        c.Add(Text, QStringLiteral("H x12y3"));
        c.Add(LineBreak);
        c.Add(Text, QStringLiteral("第"));
        c.Add(ExternalChar, QString(ExternalCharacter));
        c.Add(Text, QStringLiteral("課"));
        c.Add(NewParagraph);
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

// The paragraphs the two halves should give, header blocks included.
std::vector<Line> ExpectedLines(int prints)
{
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
            lines.push_back({QStringLiteral("問題"), QStringLiteral("(1)\tI have a pen.")});
            lines.push_back({QStringLiteral("問題"), QString()});
            lines.push_back({QStringLiteral("解答"),
                QStringLiteral("(1)\t") + (answers ? QStringLiteral("ペン") : QStringLiteral("（　　）"))});
            lines.push_back({QStringLiteral("問題"),
                QStringLiteral("(2)\tCnH x12y3\n第") + ExternalCharacter + QStringLiteral("課")});
            lines.push_back({QStringLiteral("問題"), QString()});
            lines.push_back({QStringLiteral("解答"),
                QStringLiteral("(2)\t") + (answers ? QStringLiteral("炭化水素") : QStringLiteral("（　　）"))});
        }
    }
    lines.push_back({QStringLiteral("解答"), QString()}); // the last paragraph end
    return lines;
}

// Every portion whose text is exactly `text`.
std::vector<Portion> PortionsOf(const std::vector<Portion>& portions, const QString& text)
{
    std::vector<Portion> found;
    for (const Portion& p : portions) {
        if (p.text == text)
            found.push_back(p);
    }
    return found;
}

void PutPrivateClipboard()
{
    auto* mime = new QMimeData;
    mime->setText(QStringLiteral("先生のメモ"));
    mime->setData(ClipboardFormat, QByteArray("\x00\x01kept", 6));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void ExpectPrivateClipboard()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->text(), QStringLiteral("先生のメモ"));
    EXPECT_EQ(mime->data(ClipboardFormat), QByteArray("\x00\x01kept", 6));
}

class CreatorWordOfficeTest : public testing::Test {
protected:
    void SetUp() override
    {
        // The applications the creator starts are kept here, so that the
        // documents it leaves open in the office can be read back.
        Automation::ClassRegistry::Register(QStringLiteral("Word.Application"), [this] {
            auto application = Office::WriterApplication::Create(Office::OfficeSession::Shared());
            applications.push_back(application);
            return std::static_pointer_cast<Automation::Object>(application);
        });
        creator.SetClipboardBackupFactory(CClipboardBackup::Factory());
        PutPrivateClipboard();
    }

    void TearDown() override
    {
        for (const auto& application : applications)
            application->CloseDocuments(Word::wdDoNotSaveChanges);
        Office::RegisterBackends();
    }

    bool Run(const QString& templatePath) { return creator.Create(TwoPrints(), templatePath, Title, RangeText); }

    // The one document the last run left open.
    std::shared_ptr<Word::_Document> LastDocument()
    {
        if (applications.empty())
            return nullptr;
        const auto open = applications.back()->OpenDocuments();
        return open.size() == 1 ? open.front() : nullptr;
    }

    void ExpectPrintsWritten(const std::shared_ptr<Word::_Document>& document, bool vertical)
    {
        ASSERT_NE(document, nullptr);
        const std::vector<Line> lines = Lines(document);
        EXPECT_EQ(lines, ExpectedLines(2));
        for (const Line& line : lines) {
            EXPECT_FALSE(line.text.contains(QStringLiteral("@title")));
            EXPECT_FALSE(line.text.contains(QStringLiteral("@range")));
            EXPECT_FALSE(line.text.contains(QStringLiteral("@class")));
        }

        const std::vector<Portion> portions = Portions(document);
        for (const Portion& pen : PortionsOf(portions, QStringLiteral("pen")))
            EXPECT_NE(pen.underline, 0);
        EXPECT_EQ(PortionsOf(portions, QStringLiteral("pen")).size(), 4u);
        for (const Portion& after : PortionsOf(portions, QStringLiteral(".")))
            EXPECT_EQ(after.underline, 0);

        const auto subscripts = PortionsOf(portions, QStringLiteral("n"));
        ASSERT_EQ(subscripts.size(), 4u);
        for (const Portion& n : subscripts)
            EXPECT_LT(n.escapement, 0);

        const auto gaiji = PortionsOf(portions, QString(ExternalCharacter));
        ASSERT_EQ(gaiji.size(), 4u);
        for (const Portion& g : gaiji)
            EXPECT_EQ(g.faceAsian, QStringLiteral("Morvane Gaiji"));
        for (const Portion& after : PortionsOf(portions, QStringLiteral("課")))
            EXPECT_NE(after.faceAsian, QStringLiteral("Morvane Gaiji"));

        const int upright = vertical ? 900 : 0;
        EXPECT_EQ(PortionsOf(portions, QStringLiteral("12")).size(), vertical ? 4u : 0u);
        for (const Portion& digits : PortionsOf(portions, QStringLiteral("12")))
            EXPECT_EQ(digits.rotation, upright);
        for (const Portion& digit : PortionsOf(portions, QStringLiteral("3")))
            EXPECT_EQ(digit.rotation, upright);
        for (const Portion& p : portions) {
            if (p.text.contains(QStringLiteral("x")) || p.text.contains(QStringLiteral("H"))) {
                EXPECT_EQ(p.rotation, 0) << p.text.toStdString();
            }
        }
    }

    CreatorWord creator;
    std::vector<std::shared_ptr<Office::WriterApplication>> applications;
};

} // namespace

TEST_F(CreatorWordOfficeTest, HorizontalTemplateGivesBothHalvesWithHeaderBlocks)
{
    ASSERT_TRUE(Run(HorizontalTemplate()));
    ExpectPrintsWritten(LastDocument(), false);
    ExpectPrivateClipboard();
}

TEST_F(CreatorWordOfficeTest, VerticalTemplateSetsDigitRunsUpright)
{
    ASSERT_TRUE(Run(VerticalTemplate()));
    ExpectPrintsWritten(LastDocument(), true);
    ExpectPrivateClipboard();
}

// The document a teacher is left with is titled with the print title, in
// an office whose interface (its profile's language, its command labels)
// is Japanese.
TEST_F(CreatorWordOfficeTest, TheDocumentHasThePrintTitleInAJapaneseOffice)
{
    ASSERT_TRUE(Run(HorizontalTemplate()));
    const auto document = LastDocument();
    ASSERT_NE(document, nullptr);
    using namespace css;
    const uno::Reference<frame::XTitle> title(OfficeTest::Writer(document)->Model(), uno::UNO_QUERY_THROW);
    EXPECT_EQ(Office::ToQString(title->getTitle()), Title);

    const auto context = Office::OfficeSession::Shared()->Context("test");
    uno::Sequence<uno::Any> node(1);
    node[0] <<= beans::NamedValue(
        rtl::OUString("nodepath"), uno::Any(rtl::OUString("/org.openoffice.Office.Linguistic/General")));
    const uno::Reference<container::XNameAccess> general(
        configuration::theDefaultProvider::get(context)->createInstanceWithArguments(
            rtl::OUString("com.sun.star.configuration.ConfigurationAccess"), node),
        uno::UNO_QUERY_THROW);
    EXPECT_EQ(
        Office::ToQString(general->getByName(rtl::OUString("UILocale")).get<rtl::OUString>()), QStringLiteral("ja"));

    const uno::Reference<container::XNameAccess> writerCommands(
        frame::theUICommandDescription::get(context)->getByName(rtl::OUString("com.sun.star.text.TextDocument")),
        uno::UNO_QUERY_THROW);
    QString label;
    for (const beans::PropertyValue& property :
        writerCommands->getByName(rtl::OUString(".uno:Save")).get<uno::Sequence<beans::PropertyValue>>())
        if (property.Name == "Label")
            label = Office::ToQString(property.Value.get<rtl::OUString>());
    EXPECT_TRUE(label.contains(QStringLiteral("保存"))) << label.toStdString();
}

TEST_F(CreatorWordOfficeTest, SecondRunRightAfterTheFirstWorks)
{
    ASSERT_TRUE(Run(HorizontalTemplate()));
    ASSERT_TRUE(Run(HorizontalTemplate()));
    ASSERT_EQ(applications.size(), 2u);
    ExpectPrintsWritten(LastDocument(), false);
    // The first run's document is still open beside the second one.
    EXPECT_EQ(applications.front()->OpenDocuments().size(), 1u);
    ExpectPrivateClipboard();
}

TEST_F(CreatorWordOfficeTest, MissingTemplateFailsAndLeavesTheClipboardAlone)
{
    EXPECT_FALSE(Run(TemplatePath(QStringLiteral("ない.dot"))));
    ASSERT_EQ(applications.size(), 1u);
    EXPECT_TRUE(applications.front()->OpenDocuments().empty());
    ExpectPrivateClipboard();

    // The creator is usable again at once.
    ASSERT_TRUE(Run(HorizontalTemplate()));
    ExpectPrintsWritten(LastDocument(), false);
}

TEST_F(CreatorWordOfficeTest, OfficeKilledDuringARunFailsItAndTheNextRunStartsAFreshOne)
{
    // The creator lets pending events through between commands: the first
    // of them ends the office in the middle of writing.
    auto session = Office::OfficeSession::Shared();
    pid_t killed = 0;
    QTimer::singleShot(0, [&] {
        killed = session->LauncherPid();
        if (killed > 0)
            ::kill(-killed, SIGKILL);
        for (int i = 0; i < 100 && ProcessGroupAlive(killed); ++i)
            usleep(20000);
    });
    EXPECT_FALSE(Run(HorizontalTemplate()));
    ASSERT_GT(killed, 0);
    EXPECT_FALSE(ProcessGroupAlive(killed));
    ExpectPrivateClipboard();

    ASSERT_TRUE(Run(HorizontalTemplate()));
    EXPECT_NE(session->LauncherPid(), killed);
    ExpectPrintsWritten(LastDocument(), false);
    ExpectPrivateClipboard();
}

TEST_F(CreatorWordOfficeTest, OfficeCountsAsAvailable)
{
    // The probe quits its application; it is not one to read back.
    Office::RegisterBackends();
    CreatorWord::ForgetAvailability();
    EXPECT_TRUE(creator.IsAvailable());
    CreatorWord::ForgetAvailability();
}
