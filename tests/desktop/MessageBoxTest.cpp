#include "desktop/MessageBox.h"

#include "print/RunFailure.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "support/RecordingMessageSink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

const QString kCaption = QStringLiteral("テスト作成システム");

} // namespace

TEST(MessageBoxTest, EachHelperShowsItsIconAndButtonsUnderTheProgramCaption)
{
    RecordingMessageSink sink;
    ShowWarning(600, 112);
    ShowInformation(QStringLiteral("%s を開きました"), QStringLiteral("本"));
    EXPECT_TRUE(AskOkCancel(QStringLiteral("削除しますか")));

    const auto& shown = sink.Messages();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(shown[0].text, QStringLiteral("アプリケーションエラーが発生しました。\nエラーコード - 112"));
    EXPECT_EQ(shown[1].icon, MessageIcon::Information);
    EXPECT_EQ(shown[1].buttons, MessageButtons::Ok);
    EXPECT_EQ(shown[1].text, QStringLiteral("本 を開きました"));
    EXPECT_EQ(shown[2].icon, MessageIcon::Question);
    EXPECT_EQ(shown[2].buttons, MessageButtons::OkCancel);
    for (const MessageRequest& box : shown)
        EXPECT_EQ(box.caption, kCaption);
}

TEST(MessageBoxTest, AskOkCancelIsTrueOnlyForOk)
{
    RecordingMessageSink sink;
    sink.QueueAnswer(false);
    sink.QueueAnswer(true);
    EXPECT_FALSE(AskOkCancel(QStringLiteral("a")));
    EXPECT_TRUE(AskOkCancel(QStringLiteral("b")));
}

TEST(MessageBoxTest, UnknownStringIdShowsAnEmptyText)
{
    RecordingMessageSink sink;
    ShowWarning(987654, 1);
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].text, QString());
}

TEST(MessageBoxTest, RecorderPutsThePreviousSinkBack)
{
    RecordingMessageSink outer;
    {
        RecordingMessageSink inner;
        ShowWarning(QStringLiteral("inner"));
        EXPECT_EQ(inner.Messages().size(), 1u);
    }
    ShowWarning(QStringLiteral("outer"));
    ASSERT_EQ(outer.Messages().size(), 1u);
    EXPECT_EQ(outer.Messages()[0].text, QStringLiteral("outer"));
}

TEST(MessageBoxTest, StatusGoesToTheRegisteredOutputOnly)
{
    ShowStatus(QStringLiteral("nobody listens")); // no output: nothing happens
    QStringList written;
    SetStatusOutput([&](const QString& text) { written << text; });
    ShowStatus(QStringLiteral("%d 件"), 3);
    SetStatusOutput({});
    ShowStatus(QStringLiteral("after"));
    EXPECT_EQ(written, QStringList{QStringLiteral("3 件")});
}

// The real box: parentless, the program's caption, and Cancel answers false.
TEST(MessageBoxTest, RealBoxIsParentlessWithTheCaptionAndButtons)
{
    QString caption;
    QString text;
    bool parentless = false;
    int buttonCount = 0;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            caption = box->windowTitle();
            text = box->text();
            parentless = box->parentWidget() == nullptr;
            buttonCount = static_cast<int>(box->buttons().size());
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            box->button(QMessageBox::Cancel)->click();
        }
    });
    EXPECT_FALSE(AskOkCancel(QStringLiteral("プリントを削除します。")));
    EXPECT_EQ(caption, kCaption);
    EXPECT_EQ(text, QStringLiteral("プリントを削除します。"));
    EXPECT_TRUE(parentless);
    EXPECT_EQ(buttonCount, 2);
}

namespace {

// A teacher's file deep in the home folder, as the program shows paths.
const QString LongPath = QStringLiteral(
    "/home/sensei-tanaka/.local/share/morvane-k/books/英単語ターゲット1900_第6版_2026年度_3学年共通_main.db");

// `format` with every "%s" a full path (a list of four for the texts that
// take a list) and every "%d" the largest number.
QString Longest(int id)
{
    const QString format = Res::String(id);
    const bool takesList = id == Res::IDS_ERR_BOOK_FILE_UNREADABLE || id == Res::IDS_ERR_SAVE_PDF;
    const QString text = takesList ? QStringList(4, LongPath).join(u'\n') : LongPath;
    static const QRegularExpression conversion(QStringLiteral("%[ds]"));
    QString result;
    qsizetype last = 0;
    for (const QRegularExpressionMatch& match : conversion.globalMatch(format)) {
        result += format.mid(last, match.capturedStart() - last);
        result += match.captured() == QLatin1String("%d") ? QStringLiteral("2147483647") : text;
        last = match.capturedEnd();
    }
    return result + format.mid(last);
}

// Every message box the program shows, each at the longest the program
// makes its text, by a name for its picture.
std::vector<std::pair<QString, QString>> LongestMessages()
{
    std::vector<std::pair<QString, QString>> messages;
    for (const int id : Res::StringIds()) {
        // Status bar and menu texts, and the command line's own (printed).
        const bool boxed = (id >= 600 && id < 680) || id == Res::IDS_CONFIRM_DELETE_PRINT
            || id == Res::IDS_NEED_FORMAT_AND_RANGE || id == 706;
        if (boxed)
            messages.emplace_back(QString::number(id), Longest(id));
    }
    messages.emplace_back(QStringLiteral("611-612"),
        Res::String(Res::IDS_WARN_TOO_FEW_SENTENCES) + Res::String(Res::IDS_WARN_REPEATED_KEYWORD));
    messages.emplace_back(
        QStringLiteral("606-620"), Print::RunFailure{Print::RunFailure::Cause::TemplateUnreadable, LongPath}.Message());
    messages.emplace_back(QStringLiteral("import-replace"), Res::Text::ImportReplace.arg(LongPath));
    messages.emplace_back(QStringLiteral("import-failed"),
        Res::Text::ImportFailed.arg(QStringList(6, QStringLiteral("3 行目: 「語彙」の列が空です。")).join(u'\n')));
    return messages;
}

// Shows `text` in the program's message box and calls `look` with the box
// once it is on the screen, then closes it.
void ShowAndLook(const QString& text, const std::function<void(QMessageBox&)>& look, int settleMs = 100)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            EXPECT_TRUE(QTest::qWaitForWindowExposed(box));
            QTest::qWait(settleMs); // the window manager's frame, a second layout pass
            look(*box);
            seen = true;
            box->button(QMessageBox::Ok)->click();
        }
    });
    ShowMessage(MessageIcon::Warning, MessageButtons::Ok, text);
    EXPECT_TRUE(seen);
}

// In the program's Japanese face, as the program shows them.
class LongestMessageBoxes : public testing::Test {
protected:
    void SetUp() override
    {
        saved = QApplication::font();
        QFont japanese = saved;
        japanese.setFamilies({QStringLiteral("Noto Sans CJK JP")});
        QApplication::setFont(japanese);
    }
    void TearDown() override { QApplication::setFont(saved); }

    QFont saved;
};

} // namespace

// A box sized for one line of its text (its label held to the caption's
// width) cut every longer message off mid-sentence. Each label is as wide
// as its widest part that cannot be broken and as tall as its text at that
// width, and the caption has its room.
TEST_F(LongestMessageBoxes, EveryMessageShowsWholeWrappedInItsBox)
{
    for (const auto& [name, text] : LongestMessages()) {
        SCOPED_TRACE(name.toStdString());
        ShowAndLook(text, [&](QMessageBox& box) {
            const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), text);
            EXPECT_GE(label->width(), label->minimumSizeHint().width());
            EXPECT_GE(label->height(), label->heightForWidth(label->width()));
            EXPECT_GE(box.width(), box.fontMetrics().horizontalAdvance(box.windowTitle()));
        });
    }
}

// Pictures of every box at its longest text, with the window manager's
// frame: written only when TV_SCREENSHOT_DIR names a folder
// (scripts/screenshots.sh runs it under a virtual X server with a window
// manager); skipped otherwise.
TEST_F(LongestMessageBoxes, Screenshots)
{
    const QString folder = qEnvironmentVariable("TV_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "TV_SCREENSHOT_DIR is not set";
    for (const auto& [name, text] : LongestMessages()) {
        ShowAndLook(
            text,
            [&](QMessageBox& box) {
                const QRect frame = box.frameGeometry();
                const QPixmap picture
                    = box.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
                EXPECT_TRUE(picture.save(folder + QStringLiteral("/message-") + name + QStringLiteral(".png")));
            },
            500);
    }
}
