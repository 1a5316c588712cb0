// The tab control owns the pages of its tabs: deleting a tab destroys its
// page, and switching tabs shows and focuses the new page.
#include "ui/CWndTabCtrl.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// A page with one field that takes the focus.
QWidget* PageWithField(const QString& name)
{
    auto* page = new QWidget;
    auto* field = new QLineEdit(page);
    field->setObjectName(name);
    (new QVBoxLayout(page))->addWidget(field);
    return page;
}

} // namespace

TEST(TabControl, DeletingATabDestroysItsPageAndKeepsTheOthers)
{
    CWndTabCtrl tabs;
    QPointer<QWidget> first = new QWidget;
    QPointer<QWidget> second = new QWidget;
    QPointer<QWidget> third = new QWidget;
    tabs.AddTab(QStringLiteral("プリント1"), first);
    tabs.AddTab(QStringLiteral("プリント2"), second);
    EXPECT_EQ(tabs.AddTab(QStringLiteral("プリント3"), third), 2);

    tabs.DeleteTab(1);
    EXPECT_TRUE(second.isNull());
    ASSERT_EQ(tabs.count(), 2);
    EXPECT_EQ(tabs.widget(0), first.data());
    EXPECT_EQ(tabs.widget(1), third.data());
    EXPECT_EQ(tabs.tabText(1), QStringLiteral("プリント3"));

    tabs.DeleteTab(5); // no such tab
    EXPECT_EQ(tabs.count(), 2);

    tabs.DeleteAllTabs();
    EXPECT_EQ(tabs.count(), 0);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(third.isNull());
}

TEST(TabControl, PagesDieWithTheControl)
{
    QPointer<QWidget> page = new QWidget;
    {
        CWndTabCtrl tabs;
        tabs.AddTab(QStringLiteral("目次で指定"), page);
        EXPECT_NE(page->parent(), nullptr);
    }
    EXPECT_TRUE(page.isNull());
}

TEST(TabControl, ChangingTabsShowsAndFocusesTheNewPage)
{
    QWidget window;
    auto* tabs = new CWndTabCtrl(&window);
    (new QVBoxLayout(&window))->addWidget(tabs);
    QWidget* one = PageWithField(QStringLiteral("one"));
    QWidget* two = PageWithField(QStringLiteral("two"));
    tabs->AddTab(QStringLiteral("1"), one);
    tabs->AddTab(QStringLiteral("2"), two);
    window.resize(300, 200);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    tabs->SetCurrentTab(1);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_FALSE(one->isVisible());
    EXPECT_TRUE(two->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), two->findChild<QLineEdit*>());

    tabs->SetCurrentTab(0);
    EXPECT_TRUE(one->isVisible());
    EXPECT_FALSE(two->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), one->findChild<QLineEdit*>());
    // Pages fill the display area of the tabs.
    EXPECT_GT(one->width(), 200);

    tabs->SetCurrentTab(7); // out of range: nothing changes
    EXPECT_EQ(tabs->currentIndex(), 0);

    // A click on a tab shows and focuses its page too.
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    EXPECT_TRUE(two->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), two->findChild<QLineEdit*>());
}

TEST(TabControl, FindsTheTabUnderAPoint)
{
    CWndTabCtrl tabs;
    tabs.AddTab(QStringLiteral("プリント1"), nullptr);
    tabs.AddTab(QStringLiteral("プリント2"), nullptr);
    tabs.resize(300, 200);
    tabs.show();
    const QRect second = tabs.tabBar()->tabRect(1);
    EXPECT_EQ(tabs.TabAt(tabs.tabBar()->mapTo(&tabs, second.center())), 1);
    EXPECT_EQ(tabs.TabAt(QPoint(290, 190)), -1);
}

// Tabs added or cleared in a bulk change of a shown control: afterwards
// every tab is on the bar, side by side in order, with its caption, and
// the current tab is the one it would be without the bulk change.
TEST(TabControl, BulkChangesEndWithEveryTabLaidOutInOrder)
{
    CWndTabCtrl tabs;
    tabs.resize(600, 200);
    tabs.show();
    tabs.AddTab(QStringLiteral("プリント1"), nullptr);
    tabs.AddTab(QStringLiteral("プリント2"), nullptr);
    tabs.SetCurrentTab(1);
    const auto expectLaidOut = [&](const QStringList& captions, int current) {
        ASSERT_EQ(tabs.count(), captions.size());
        EXPECT_TRUE(tabs.tabBar()->isVisible());
        EXPECT_EQ(tabs.currentIndex(), current);
        EXPECT_TRUE(tabs.widget(current)->isVisible());
        int right = -1;
        for (int index = 0; index < tabs.count(); ++index) {
            const QRect rect = tabs.tabBar()->tabRect(index);
            EXPECT_FALSE(rect.isEmpty()) << index;
            EXPECT_GT(rect.left(), right) << index;
            right = rect.right();
            EXPECT_EQ(tabs.tabText(index), captions[index]);
        }
    };

    {
        const CWndTabCtrl::BulkChange bulk(tabs);
        tabs.AddTab(QStringLiteral("プリント3"), nullptr);
        tabs.AddTab(QStringLiteral("プリント4"), nullptr);
    }
    expectLaidOut({"プリント1", "プリント2", "プリント3", "プリント4"}, 1);

    {
        // Nested, as the main window rebuilds its tabs: clear, then refill.
        const CWndTabCtrl::BulkChange bulk(tabs);
        tabs.DeleteAllTabs();
        EXPECT_EQ(tabs.count(), 0);
        for (const char* caption : {"一", "二", "三"})
            tabs.AddTab(QString::fromUtf8(caption), nullptr);
        tabs.SetCurrentTab(2);
    }
    expectLaidOut({"一", "二", "三"}, 2);
    EXPECT_EQ(tabs.TabAt(tabs.tabBar()->mapTo(&tabs, tabs.tabBar()->tabRect(1).center())), 1);
}

// Rebuilding the tabs of a control that has the focus leaves the focus on
// the new current page; no control outside it is focused on the way.
TEST(TabControl, BulkChangeKeepsTheFocusInTheControl)
{
    QWidget window;
    auto* outside = new QLineEdit(&window);
    auto* tabs = new CWndTabCtrl(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(outside);
    layout->addWidget(tabs);
    tabs->AddTab(QStringLiteral("1"), PageWithField(QStringLiteral("old")));
    window.resize(300, 200);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    tabs->SetCurrentTab(0);
    ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("old"));

    QStringList focused;
    QObject::connect(qApp, &QApplication::focusChanged, &window, [&](QWidget*, QWidget* now) {
        if (now)
            focused << (now->objectName().isEmpty() ? QString::fromLatin1(now->metaObject()->className())
                                                    : now->objectName());
    });
    {
        const CWndTabCtrl::BulkChange bulk(*tabs);
        tabs->DeleteAllTabs();
        tabs->AddTab(QStringLiteral("1"), PageWithField(QStringLiteral("first")));
        tabs->AddTab(QStringLiteral("2"), PageWithField(QStringLiteral("second")));
    }
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("first"));
    EXPECT_FALSE(focused.contains(QStringLiteral("QLineEdit"))) << focused.join(u',').toStdString();
    EXPECT_FALSE(outside->hasFocus());
}

// The control, its tabs rebuilt in a bulk change while it is shown (as
// the main window rebuilds them), looks, measures and answers as a plain
// tab widget given the same tabs one by one: few that fit, and many that
// scroll, with the current tab at the start, in the middle and at the end
// of the row, after the scroll buttons, a click, the arrow keys, a resize
// and a press by an assistive tool; and tools are told the same of it.
TEST(TabControl, LooksAndAnswersAsAPlainTabWidget)
{
    const auto scrollButton = [](QWidget& bar, Qt::ArrowType arrow) -> QToolButton* {
        for (QToolButton* button : bar.findChildren<QToolButton*>()) {
            if (button->arrowType() == arrow)
                return button;
        }
        return nullptr;
    };
    for (const int count : {2, 40}) {
        CWndTabCtrl tabs;
        QTabWidget reference;
        tabs.AddTab(QStringLiteral("前の一枚"), nullptr);
        for (QWidget* control : {static_cast<QWidget*>(&tabs), static_cast<QWidget*>(&reference)}) {
            control->resize(420, 160);
            control->show();
        }
        {
            const CWndTabCtrl::BulkChange bulk(tabs);
            tabs.DeleteAllTabs();
            for (int index = 0; index < count; ++index)
                tabs.AddTab(QStringLiteral("プリント%1").arg(index + 1), nullptr);
        }
        for (int index = 0; index < count; ++index)
            reference.addTab(new QWidget, QStringLiteral("プリント%1").arg(index + 1));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&reference));
        EXPECT_EQ(tabs.sizeHint(), reference.sizeHint()) << count;
        EXPECT_EQ(tabs.minimumSizeHint(), reference.minimumSizeHint()) << count;
        QTabBar& mine = *tabs.tabBar();
        QTabBar& theirs = *reference.tabBar();
        const auto expectAlike = [&](const char* step) {
            QApplication::processEvents();
            const int current = reference.currentIndex();
            ASSERT_EQ(tabs.currentIndex(), current) << count << " tabs, " << step;
            EXPECT_EQ(mine.geometry(), theirs.geometry()) << count << " tabs, " << step;
            for (int index = 0; index < count; ++index)
                EXPECT_EQ(mine.tabRect(index), theirs.tabRect(index)) << step << ", tab " << index;
            EXPECT_EQ(tabs.widget(current)->geometry(), reference.widget(current)->geometry()) << step;
            EXPECT_TRUE(tabs.grab().toImage() == reference.grab().toImage()) << count << " tabs, " << step;
            // Assistive tools are told the same.
            QAccessibleInterface* ours = QAccessible::queryAccessibleInterface(&mine);
            QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(&theirs);
            ASSERT_TRUE(ours && plain);
            EXPECT_EQ(ours->role(), plain->role());
            ASSERT_EQ(ours->childCount(), plain->childCount()) << step;
            for (int index = 0; index < ours->childCount(); ++index) {
                QAccessibleInterface* tab = ours->child(index);
                QAccessibleInterface* plainTab = plain->child(index);
                EXPECT_EQ(ours->indexOfChild(tab), index);
                EXPECT_EQ(tab->role(), plainTab->role()) << step << ", child " << index;
                EXPECT_EQ(tab->text(QAccessible::Name), plainTab->text(QAccessible::Name))
                    << step << ", child " << index;
                EXPECT_EQ(tab->rect(), plainTab->rect()) << step << ", child " << index;
                const QAccessible::State state = tab->state();
                const QAccessible::State plainState = plainTab->state();
                EXPECT_EQ(state.focused, plainState.focused) << step << ", child " << index;
                EXPECT_EQ(state.selected, plainState.selected) << step << ", child " << index;
                EXPECT_EQ(state.invisible, plainState.invisible) << step << ", child " << index;
            }
        };

        for (const int current : {0, count / 2 + 3, count - 1}) {
            if (current >= count)
                continue;
            tabs.SetCurrentTab(current);
            reference.setCurrentIndex(current);
            expectAlike("current tab chosen");
        }
        if (count > 2) {
            for (int click = 0; click < 3; ++click) {
                scrollButton(mine, Qt::LeftArrow)->click();
                scrollButton(theirs, Qt::LeftArrow)->click();
            }
            expectAlike("scrolled back");
        }
        const QPoint onATab = theirs.tabRect(theirs.tabAt(QPoint(60, 8))).center();
        QTest::mouseClick(&mine, Qt::LeftButton, {}, onATab);
        QTest::mouseClick(&theirs, Qt::LeftButton, {}, onATab);
        expectAlike("a tab clicked");
        QTest::keyClick(&mine, Qt::Key_Left);
        QTest::keyClick(&theirs, Qt::Key_Left);
        expectAlike("left key");
        tabs.resize(700, 160);
        reference.resize(700, 160);
        expectAlike("resized");
        for (QWidget* bar : {static_cast<QWidget*>(&mine), static_cast<QWidget*>(&theirs)}) {
            QAccessibleInterface* tab = QAccessible::queryAccessibleInterface(bar)->child(count - 1);
            tab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        expectAlike("last tab pressed by a tool");
    }
}
