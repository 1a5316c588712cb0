// Templates as teachers make them, through both creators into a real
// office: the marks are filled in wherever the template holds them, and a
// template that cannot be used fails the run with the reason under 606,
// leaving no document of the run behind and the teacher's own as it was.
#include "DocumentLines.h"
#include "OfficeTestSupport.h"

#include "desktop/CClipboardBackup.h"
#include "automation/office/DocumentTexts.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/TaroApplication.h"
#include "automation/office/TaroDocument.h"
#include "automation/office/UnoStrings.h"
#include "automation/office/WriterApplication.h"
#include "print/CreatorTaro.h"
#include "print/CreatorWord.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace css;
using namespace OfficeTest;
using namespace Print;

namespace {

const QString Title = QStringLiteral("第4回 単語テスト");
const QString RangeText = QStringLiteral("（英単語／Stage 1～Stage 3）");

CmdList OnePrint()
{
    CommandList c;
    c.Add(PrintId, QStringLiteral("1"));
    c.Add(NewParagraph);
    c.Add(PageHeader, QStringLiteral("1年A組"));
    c.Add(QuestionHead, QStringLiteral("1"));
    c.Add(Text, QStringLiteral("次の英文を日本語にしなさい。"));
    c.Add(NewParagraph);
    c.Add(ItemNumber, QStringLiteral("1"));
    c.Add(Text, QStringLiteral("I have a pen."));
    c.Add(NewParagraph);
    return c.list;
}

QString TestTemplate(const QString& name)
{
    return QStringLiteral(TV_TEST_TEMPLATE_DIR "/") + name;
}

// Every text of the document: the main text and all beside it.
QStringList AllTexts(const uno::Reference<text::XTextDocument>& model)
{
    QStringList texts{Office::ToQString(model->getText()->getString())};
    for (const auto& text : Office::TextsBesideMain(model))
        texts << Office::ToQString(text->getString());
    return texts;
}

// Each creator with the office documents of its runs at hand.
class BothCreators : public testing::Test {
protected:
    void TearDown() override
    {
        for (const auto& application : made.word)
            for (const auto& document : application->OpenDocuments())
                document->Close();
        for (const auto& application : made.taro)
            if (const auto document = application->ActiveDocument())
                document->Close();
    }

    // The document the last run of that creator left open, or null.
    uno::Reference<text::XTextDocument> LastDocument(bool ofWord)
    {
        if (ofWord) {
            if (made.word.empty() || made.word.back()->OpenDocuments().empty())
                return {};
            return made.word.back()->OpenDocuments().front()->Model();
        }
        if (made.taro.empty() || !made.taro.back()->ActiveDocument())
            return {};
        return made.taro.back()->ActiveDocument()->Writer()->Model();
    }

    OfficeTest::RecordedApplications made;
};

TEST_F(BothCreators, MarksAreFilledInInEveryPartOfTheTemplate)
{
    for (const bool ofWord : {true, false}) {
        SCOPED_TRACE(ofWord ? "Word" : "Ichitaro");
        std::unique_ptr<Creator> creator;
        if (ofWord)
            creator = std::make_unique<CreatorWord>();
        else
            creator = std::make_unique<CreatorTaro>();
        ASSERT_TRUE(creator->Create(
            OnePrint(), TestTemplate(ofWord ? "印の置き場所.dot" : "印の置き場所.jtt"), Title, RangeText))
            << creator->LastFailure().Message().toStdString();
        const auto model = LastDocument(ofWord);
        ASSERT_TRUE(model.is());
        const QStringList texts = AllTexts(model);
        for (const QString& text : texts) {
            EXPECT_FALSE(text.contains(QStringLiteral("@title"), Qt::CaseInsensitive)) << text.toStdString();
            EXPECT_FALSE(text.contains(QStringLiteral("@range"), Qt::CaseInsensitive)) << text.toStdString();
            EXPECT_FALSE(text.contains(QStringLiteral("@class"), Qt::CaseInsensitive)) << text.toStdString();
        }
        const QString all = texts.join(QLatin1Char('|'));
        for (const QString& filled : {QStringLiteral("ヘッダー ") + Title, QStringLiteral("\t1年A組組\t番"),
                 QStringLiteral("フッター ") + RangeText, QStringLiteral("枠 ") + Title,
                 QStringLiteral("表 ") + RangeText, QStringLiteral("箱 ") + Title})
            EXPECT_TRUE(all.contains(filled)) << filled.toStdString() << " not in " << all.toStdString();
    }
}

// A run of a template that cannot be used: false, the reason under 606,
// no new document in the office, the teacher's open document and
// clipboard as they were. (No place of the main text lies before a table
// that opens a document, so neither creator could copy or remove that
// table with the header block: such a template is refused.)
TEST_F(BothCreators, TemplateThatCannotBeUsedSaysWhyAndLeavesNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A spreadsheet under a template's name.
    const QString sheet = dir.filePath(QStringLiteral("表計算"));
    for (const char* extension : {".dot", ".jtt"}) {
        QFile file(sheet + QLatin1String(extension));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
 <office:body><office:spreadsheet><table:table table:name="S"><table:table-row><table:table-cell>
 <text:p>1</text:p></table:table-cell></table:table-row></table:table></office:spreadsheet></office:body>
</office:document>
)");
    }
    const QString missing = dir.filePath(QStringLiteral("消えた雛形"));

    const auto teachers = Office::WriterApplication::Create(Office::OfficeSession::Shared());
    const auto own = teachers->AddDocument(TestTemplate(QStringLiteral("表の記名欄.dot")));
    const QString ownText = Office::ToQString(own->Model()->getText()->getString());
    const int documents = OfficeTest::OpenDocumentCount();
    const QString note = QStringLiteral("先生のメモ");
    QGuiApplication::clipboard()->setText(note);

    const QString failed = QStringLiteral("プリントデータの作成に失敗しました。\n");
    struct Case {
        QString base; // without extension
        QString reason;
    };
    const std::vector<Case> cases = {
        {TestTemplate(QStringLiteral("スタイルなし")),
            QStringLiteral("雛形に段落スタイル「プリントID」がありません。")},
        {TestTemplate(QStringLiteral("表が先頭")),
            QStringLiteral("雛形が表で始まっています。表の前に段落を一つ入れてください。")},
        {missing,
            QStringLiteral("雛形ファイル「%1」を読み込めません（ファイルがないか、読み取りが許可されていません）。")},
        {sheet, QStringLiteral("雛形ファイル「%1」はワープロの文書として開けません。")},
    };
    for (const bool ofWord : {true, false}) {
        for (const Case& c : cases) {
            const QString path = c.base + (ofWord ? QStringLiteral(".dot") : QStringLiteral(".jtt"));
            SCOPED_TRACE(path.toStdString());
            std::unique_ptr<Creator> creator;
            if (ofWord)
                creator = std::make_unique<CreatorWord>();
            else
                creator = std::make_unique<CreatorTaro>();
            creator->SetClipboardBackupFactory(CClipboardBackup::Factory());
            EXPECT_FALSE(creator->Create(OnePrint(), path, Title, RangeText));
            const QString reason = c.reason.contains(QLatin1String("%1")) ? c.reason.arg(path) : c.reason;
            EXPECT_EQ(creator->LastFailure().Message(), failed + reason);
            EXPECT_FALSE(LastDocument(ofWord).is());
            EXPECT_EQ(OfficeTest::OpenDocumentCount(), documents);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), note);
        }
    }
    EXPECT_EQ(Office::ToQString(own->Model()->getText()->getString()), ownText);
    own->Close();
}

} // namespace
