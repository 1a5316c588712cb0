#include "desktop/MessageBox.h"

#include "support/RecordingMessageSink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

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
