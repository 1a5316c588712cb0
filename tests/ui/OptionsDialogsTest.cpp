// The options dialog as the main window opens it, and the About box.
#include "ui/DlgAbout.h"

#include "desktop/TitleBar.h"
#include "ui/DlgConfig.h"

#include "res/StringTable.h"
#include "ui/ControlId.h"
#include "ui/StandardDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class OptionsDialog : public ::testing::Test {
protected:
    // Opens the options dialog over `options` as the main window does and
    // lets `user` work in it while it runs; whether it was closed with OK.
    bool EditOptions(const std::function<void(DlgConfig&)>& user)
    {
        QTimer::singleShot(0, [&user] {
            auto* dialog = qobject_cast<DlgConfig*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            user(*dialog);
            if (dialog->isVisible())
                dialog->reject(); // a test that forgot to close must not hang
        });
        return StandardDialogs().EditPrintOptions(options, nullptr);
    }

    static QLineEdit& Title(DlgConfig& dialog) { return *FindControl<QLineEdit>(&dialog, 2101); }
    static QCheckBox& ShowRange(DlgConfig& dialog) { return *FindControl<QCheckBox>(&dialog, 2102); }
    static void Press(DlgConfig& dialog, int id)
    {
        QTest::mouseClick(FindControl<QPushButton>(&dialog, id), Qt::LeftButton);
    }

    PrintOptions options{QStringLiteral("第1回 単語テスト"), true, true};
};

} // namespace

TEST_F(OptionsDialog, ShowsTheOptionsAndCancelChangesNothing)
{
    const bool ok = EditOptions([](DlgConfig& dialog) {
        EXPECT_EQ(Title(dialog).text(), QStringLiteral("第1回 単語テスト"));
        EXPECT_TRUE(ShowRange(dialog).isChecked());
        Title(dialog).setText(QStringLiteral("別の題"));
        ShowRange(dialog).setChecked(false);
        Press(dialog, 2);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(options.title, QStringLiteral("第1回 単語テスト"));
    EXPECT_TRUE(options.showRange);
    EXPECT_TRUE(options.useBonus);
}

TEST_F(OptionsDialog, OkGivesTitleAndShowRangeAndKeepsUseBonus)
{
    const bool ok = EditOptions([](DlgConfig& dialog) {
        QLineEdit& title = Title(dialog);
        title.selectAll();
        QTest::keyClick(&title, Qt::Key_Delete);
        QTest::mouseClick(&ShowRange(dialog), Qt::LeftButton);
        Press(dialog, 1);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(options.title, QString());
    EXPECT_FALSE(options.showRange);
    EXPECT_TRUE(options.useBonus);

    options = {QStringLiteral("x"), false, false};
    EditOptions([](DlgConfig& dialog) {
        Title(dialog).setText(QStringLiteral("期末テスト"));
        ShowRange(dialog).setChecked(true);
        Press(dialog, 1);
    });
    EXPECT_EQ(options.title, QStringLiteral("期末テスト"));
    EXPECT_TRUE(options.showRange);
    EXPECT_FALSE(options.useBonus);
}

TEST(AboutBox, ShowsTheVersionAndOpensTheSupportSiteWhileStayingOpen)
{
    QStringList opened;
    DlgAbout about(nullptr, [&opened](const QString& target) {
        opened << target;
        return true;
    });
    about.show();
    EXPECT_EQ(FindControl<QLabel>(&about, 1201)->text(), QStringLiteral("Ver. " TV_VERSION));
    auto* link = FindControl<CStaticLink>(&about, 1202);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), Res::String(502));

    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    EXPECT_EQ(opened, QStringList{Res::String(502)});
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(CStaticLink::Visited());
    CStaticLink::SetVisited(false);

    QTest::mouseClick(FindControl<QPushButton>(&about, 1), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

// The window manager cut the caption "バージョン情報 テスト作成システム"
// of a box as narrow as its table; it is as wide as the whole caption
// needs, in the program's Japanese face.
TEST(AboutBox, IsWideEnoughForItsWholeCaption)
{
    QFont japanese = QApplication::font();
    japanese.setFamilies({QStringLiteral("Noto Sans CJK JP")});
    const QFont saved = QApplication::font();
    QApplication::setFont(japanese);
    {
        DlgAbout about(nullptr, {});
        EXPECT_GE(about.width(), TitleBarWidth(about.fontMetrics(), about.windowTitle()));
        EXPECT_GE(about.width(), QFontMetrics(japanese).horizontalAdvance(about.windowTitle()) + 100);
    }
    QApplication::setFont(saved);
}

TEST(AboutBox, VersionTextIsEmptyWithoutAVersionAndCutWhenTooLong)
{
    EXPECT_EQ(DlgAbout::VersionText(QString()), QString());
    const QString text = DlgAbout::VersionText(QString(300, QLatin1Char('9')));
    EXPECT_EQ(text.size(), DlgAbout::MaxVersionText);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Ver. 999")));
}
