// Teachers' own templates of every kind (tables, nested and merged; fields;
// a frame holding "@title"; pictures; two columns; page header and footer;
// vertical writing with a table) through both creators into a real office,
// the finished document read back: every print of both halves starts with
// the template's header block, whole and once, with its tables, frames,
// pictures and footnotes, the placeholders filled in, and each print on a
// page of its own.
#include "DocumentLines.h"
#include "OfficeTestSupport.h"

#include "automation/WordConstants.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/TaroDocument.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterApplication.h"
#include "print/CreatorTaro.h"
#include "print/CreatorWord.h"

#include <QDir>
#include <QRegularExpression>

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XFootnotesSupplier.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XTextFrame.hpp>
#include <com/sun/star/text/XTextFramesSupplier.hpp>
#include <com/sun/star/text/XTextGraphicObjectsSupplier.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

#include <gtest/gtest.h>

using namespace css;
using namespace OfficeTest;
using namespace Print;
using Office::ToQString;

namespace {

const QString Title = QStringLiteral("第3回 単語テスト");
const QString RangeText = QStringLiteral("Lesson 4〜6");
const int PrintCount = 2;

// The elements of the main text in order: a paragraph as its text, a table
// as "[表 cell|cell|…]" (nested tables inside their cells' text).
QStringList Outline(const uno::Reference<text::XTextDocument>& model)
{
    QStringList outline;
    const uno::Reference<container::XEnumeration> elements
        = uno::Reference<container::XEnumerationAccess>(model->getText(), uno::UNO_QUERY_THROW)->createEnumeration();
    while (elements->hasMoreElements()) {
        const uno::Any element = elements->nextElement();
        const uno::Reference<text::XTextTable> table(element, uno::UNO_QUERY);
        if (table.is()) {
            QStringList cells;
            for (const rtl::OUString& name : table->getCellNames())
                cells << ToQString(
                    uno::Reference<text::XText>(table->getCellByName(name), uno::UNO_QUERY_THROW)->getString());
            outline << QStringLiteral("[表 ") + cells.join(QLatin1Char('|')) + QLatin1Char(']');
        } else {
            outline << ToQString(uno::Reference<text::XTextRange>(element, uno::UNO_QUERY_THROW)->getString());
        }
    }
    return outline;
}

struct Objects {
    int tables = 0;
    int frames = 0;
    int pictures = 0;
    int footnotes = 0;
    bool operator==(const Objects&) const = default;
};

void PrintTo(const Objects& o, std::ostream* out)
{
    *out << "tables " << o.tables << ", frames " << o.frames << ", pictures " << o.pictures << ", footnotes "
         << o.footnotes;
}

Objects Count(const uno::Reference<text::XTextDocument>& model)
{
    Objects o;
    o.tables = uno::Reference<text::XTextTablesSupplier>(model, uno::UNO_QUERY_THROW)
                   ->getTextTables()
                   ->getElementNames()
                   .getLength();
    o.frames = uno::Reference<text::XTextFramesSupplier>(model, uno::UNO_QUERY_THROW)
                   ->getTextFrames()
                   ->getElementNames()
                   .getLength();
    o.pictures = uno::Reference<text::XTextGraphicObjectsSupplier>(model, uno::UNO_QUERY_THROW)
                     ->getGraphicObjects()
                     ->getElementNames()
                     .getLength();
    o.footnotes = uno::Reference<text::XFootnotesSupplier>(model, uno::UNO_QUERY_THROW)->getFootnotes()->getCount();
    return o;
}

int PageCount(const uno::Reference<text::XTextDocument>& model)
{
    const uno::Reference<frame::XController> controller
        = uno::Reference<frame::XModel>(model, uno::UNO_QUERY_THROW)->getCurrentController();
    const uno::Reference<text::XPageCursor> pages(
        uno::Reference<text::XTextViewCursorSupplier>(controller, uno::UNO_QUERY_THROW)->getViewCursor(),
        uno::UNO_QUERY_THROW);
    pages->jumpToLastPage();
    return pages->getPage();
}

QString Filled(QString text)
{
    return text.replace(QStringLiteral("@title"), Title).replace(QStringLiteral("@range"), RangeText);
}

// Each print: its number, the header block, one question with its answer line.
CmdList Prints()
{
    CommandList c;
    for (const bool answers : {false, true}) {
        if (answers)
            c.Add(NewPage);
        for (int p = 1; p <= PrintCount; ++p) {
            if (p > 1)
                c.Add(NewPage);
            c.Add(PrintId, QString::number(p));
            c.Add(NewParagraph);
            c.Add(PageHeader);
            c.Add(QuestionHead, QStringLiteral("1"));
            c.Add(Text, QStringLiteral("次の英文を日本語にしなさい。"));
            c.Add(NewParagraph);
            c.Add(ItemNumber, QStringLiteral("1"));
            c.Add(Text, QStringLiteral("I have a pen."));
            c.Add(NewParagraph);
            c.Add(AnswerNumber, QStringLiteral("1"));
            c.Add(Text, answers ? QStringLiteral("私はペンを持っている。") : QStringLiteral("（　　　）"));
            c.Add(NewParagraph);
        }
    }
    return c.list;
}

QStringList PrintLines(int p, bool answers)
{
    return {QStringLiteral("【1】\t次の英文を日本語にしなさい。"), QStringLiteral("(1)\tI have a pen."),
        QStringLiteral("(1)\t") + (answers ? QStringLiteral("私はペンを持っている。") : QStringLiteral("（　　　）"))};
    Q_UNUSED(p);
}

struct Corpus {
    QString name;
    bool vertical = false;
    bool pageNumbers = false; // the header block shows numbers that change from page to page
};

// Names the template in test output.
void PrintTo(const Corpus& corpus, std::ostream* out)
{
    *out << corpus.name.toStdString() << (corpus.vertical ? " (vertical)" : "")
         << (corpus.pageNumbers ? " (page numbers)" : "");
}

// The texts of the text frames.
QStringList FrameTexts(const uno::Reference<text::XTextDocument>& model)
{
    QStringList texts;
    const uno::Reference<container::XIndexAccess> frames(
        uno::Reference<text::XTextFramesSupplier>(model, uno::UNO_QUERY_THROW)->getTextFrames(), uno::UNO_QUERY_THROW);
    for (sal_Int32 f = 0; f < frames->getCount(); ++f)
        texts << ToQString(
            uno::Reference<text::XTextFrame>(frames->getByIndex(f), uno::UNO_QUERY_THROW)->getText()->getString());
    return texts;
}

QString Joined(QStringList lines, bool maskDigits)
{
    QString joined = lines.join(QStringLiteral(" ⏎ "));
    if (maskDigits)
        joined.replace(QRegularExpression(QStringLiteral("p\\.[0-9]+")), QStringLiteral("p.#"));
    return joined;
}

class TemplateCorpusTest : public testing::TestWithParam<Corpus> {
protected:
    void TearDown() override
    {
        for (const auto& application : made.word)
            application->CloseDocuments(Word::wdDoNotSaveChanges);
        for (const auto& application : made.taro)
            if (const auto document = application->ActiveDocument())
                document->Close();
        if (reference)
            reference->Close();
    }

    QString Path(const char* extension) const
    {
        return QStringLiteral(TV_TEST_TEMPLATE_DIR "/") + GetParam().name + QLatin1String(extension);
    }

    // The template's own header block (all but the last, empty paragraph)
    // and objects, read from a document made from it.
    void ReadTemplate(const QString& path)
    {
        auto application = Office::WriterApplication::Create(Office::OfficeSession::Shared());
        reference = application->AddDocument(path);
        header = Outline(reference->Model());
        ASSERT_FALSE(header.isEmpty());
        ASSERT_EQ(header.last(), QString());
        header.removeLast();
        perHeader = Count(reference->Model());
        reference->Close();
        reference.reset();
    }

    void ExpectPrints(const uno::Reference<text::XTextDocument>& model)
    {
        QStringList expected;
        for (const bool answers : {false, true})
            for (int p = 1; p <= PrintCount; ++p) {
                expected << QString::number(p);
                for (const QString& line : header)
                    expected << Filled(line);
                expected << PrintLines(p, answers);
            }
        QStringList outline = Outline(model);
        if (!outline.isEmpty() && outline.last().isEmpty())
            outline.removeLast();
        EXPECT_EQ(Joined(outline, GetParam().pageNumbers).toStdString(),
            Joined(expected, GetParam().pageNumbers).toStdString());
        QStringList frames = FrameTexts(model);
        frames.removeAll(QString());
        for (const QString& frame : frames)
            outline << frame;
        for (const QString& line : outline) {
            EXPECT_FALSE(line.contains(QStringLiteral("@title"), Qt::CaseInsensitive)) << line.toStdString();
            EXPECT_FALSE(line.contains(QStringLiteral("@range"), Qt::CaseInsensitive)) << line.toStdString();
        }
        const int copies = 2 * PrintCount;
        EXPECT_EQ(Count(model),
            (Objects{perHeader.tables * copies, perHeader.frames * copies, perHeader.pictures * copies,
                perHeader.footnotes * copies}));
        EXPECT_EQ(PageCount(model), copies);
    }

    RecordedApplications made;
    std::shared_ptr<Office::WriterDocument> reference;
    QStringList header;
    Objects perHeader;
};

TEST_P(TemplateCorpusTest, WordCreatorRepeatsTheWholeHeaderBlockInEveryPrint)
{
    ReadTemplate(Path(".dot"));
    CreatorWord creator;
    ASSERT_TRUE(creator.Create(Prints(), Path(".dot"), Title, RangeText));
    ASSERT_FALSE(made.word.empty());
    const auto open = made.word.back()->OpenDocuments();
    ASSERT_EQ(open.size(), 1u);
    ExpectPrints(open.front()->Model());
}

TEST_P(TemplateCorpusTest, TaroCreatorRepeatsTheWholeHeaderBlockInEveryPrint)
{
    ReadTemplate(Path(".jtt"));
    CreatorTaro creator;
    ASSERT_TRUE(creator.Create(Prints(), Path(".jtt"), Title, RangeText));
    ASSERT_FALSE(made.taro.empty());
    const auto document = made.taro.back()->ActiveDocument();
    ASSERT_NE(document, nullptr);
    ExpectPrints(document->Writer()->Model());
}

std::string NameOf(const testing::TestParamInfo<Corpus>& info)
{
    static const std::map<QString, std::string> names = {{QStringLiteral("表の記名欄"), "NameBoxTable"},
        {QStringLiteral("入れ子の表"), "NestedTable"}, {QStringLiteral("フィールド"), "Fields"},
        {QStringLiteral("枠"), "FrameWithTitle"}, {QStringLiteral("画像"), "Pictures"},
        {QStringLiteral("二段組"), "TwoColumns"}, {QStringLiteral("ヘッダーとフッター"), "PageHeaderFooter"},
        {QStringLiteral("縦書きの表"), "VerticalTable"}};
    return names.at(info.param.name);
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateCorpusTest,
    testing::Values(Corpus{QStringLiteral("表の記名欄")}, Corpus{QStringLiteral("入れ子の表")},
        Corpus{QStringLiteral("フィールド"), false, true}, Corpus{QStringLiteral("枠")}, Corpus{QStringLiteral("画像")},
        Corpus{QStringLiteral("二段組")}, Corpus{QStringLiteral("ヘッダーとフッター")},
        Corpus{QStringLiteral("縦書きの表"), true}),
    NameOf);

} // namespace
