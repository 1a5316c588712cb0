// The tab control owns the pages of its tabs: deleting a tab destroys its
// page, and switching tabs shows and focuses the new page.
#include "ui/CWndTabCtrl.h"
#include "ui/TabStrip.h"

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
    ASSERT_EQ(tabs.TabCount(), 2);
    EXPECT_EQ(tabs.Page(0), first.data());
    EXPECT_EQ(tabs.Page(1), third.data());
    EXPECT_EQ(tabs.TabText(1), QStringLiteral("プリント3"));

    tabs.DeleteTab(5); // no such tab
    EXPECT_EQ(tabs.TabCount(), 2);

    tabs.DeleteAllTabs();
    EXPECT_EQ(tabs.TabCount(), 0);
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
    EXPECT_EQ(tabs->CurrentTab(), 1);
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
    EXPECT_EQ(tabs->CurrentTab(), 0);
}

TEST(TabControl, FindsTheTabUnderAPoint)
{
    CWndTabCtrl tabs;
    tabs.AddTab(QStringLiteral("プリント1"), nullptr);
    tabs.AddTab(QStringLiteral("プリント2"), nullptr);
    tabs.resize(300, 200);
    tabs.show();
    const QRect second = tabs.Strip().TabRect(1);
    EXPECT_EQ(tabs.TabAt(tabs.Strip().mapTo(&tabs, second.center())), 1);
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
        ASSERT_EQ(tabs.TabCount(), captions.size());
        EXPECT_TRUE(tabs.Strip().isVisible());
        EXPECT_EQ(tabs.CurrentTab(), current);
        EXPECT_TRUE(tabs.Page(current)->isVisible());
        int right = -1;
        for (int index = 0; index < tabs.TabCount(); ++index) {
            const QRect rect = tabs.Strip().TabRect(index);
            EXPECT_FALSE(rect.isEmpty()) << index;
            EXPECT_GT(rect.left(), right) << index;
            right = rect.right();
            EXPECT_EQ(tabs.TabText(index), captions[index]);
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
        EXPECT_EQ(tabs.TabCount(), 0);
        for (const char* caption : {"一", "二", "三"})
            tabs.AddTab(QString::fromUtf8(caption), nullptr);
        tabs.SetCurrentTab(2);
    }
    expectLaidOut({"一", "二", "三"}, 2);
    EXPECT_EQ(tabs.TabAt(tabs.Strip().mapTo(&tabs, tabs.Strip().TabRect(1).center())), 1);
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

// The control looks, measures and answers as the style's own tab widget
// holding the same tabs: few that fit, and many that scroll, with the
// current tab at the start, in the middle and at the end of the row, after
// the scroll buttons, a click, the arrow keys, a resize and a press by an
// assistive tool; and tools are told the same of it.
TEST(TabControl, LooksAndAnswersAsTheStylesTabWidget)
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
        for (int index = 0; index < count; ++index) {
            const QString caption = QStringLiteral("プリント%1").arg(index + 1);
            tabs.AddTab(caption, nullptr);
            reference.addTab(new QWidget, caption);
        }
        for (QWidget* control : {static_cast<QWidget*>(&tabs), static_cast<QWidget*>(&reference)}) {
            control->resize(420, 160);
            control->show();
        }
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tabs));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&reference));
        EXPECT_EQ(tabs.sizeHint(), reference.sizeHint()) << count;
        EXPECT_EQ(tabs.minimumSizeHint(), reference.minimumSizeHint()) << count;
        QTabBar& bar = *reference.tabBar();
        const auto expectAlike = [&](const char* step) {
            QApplication::processEvents();
            const int current = reference.currentIndex();
            ASSERT_EQ(tabs.CurrentTab(), current) << count << " tabs, " << step;
            EXPECT_EQ(tabs.Strip().geometry(), bar.geometry()) << count << " tabs, " << step;
            for (int index = 0; index < count; ++index)
                EXPECT_EQ(tabs.Strip().TabRect(index), bar.tabRect(index)) << step << ", tab " << index;
            EXPECT_EQ(tabs.Page(current)->geometry(), reference.widget(current)->geometry()) << step;
            EXPECT_TRUE(tabs.grab().toImage() == reference.grab().toImage()) << count << " tabs, " << step;
            // Assistive tools are told the same.
            QAccessibleInterface* mine = QAccessible::queryAccessibleInterface(&tabs.Strip());
            QAccessibleInterface* theirs = QAccessible::queryAccessibleInterface(&bar);
            ASSERT_TRUE(mine && theirs);
            EXPECT_EQ(mine->role(), theirs->role());
            ASSERT_EQ(mine->childCount(), theirs->childCount()) << step;
            for (int index = 0; index < mine->childCount(); ++index) {
                QAccessibleInterface* tab = mine->child(index);
                QAccessibleInterface* theirTab = theirs->child(index);
                EXPECT_EQ(mine->indexOfChild(tab), index);
                EXPECT_EQ(tab->role(), theirTab->role()) << step << ", child " << index;
                EXPECT_EQ(tab->text(QAccessible::Name), theirTab->text(QAccessible::Name))
                    << step << ", child " << index;
                EXPECT_EQ(tab->rect(), theirTab->rect()) << step << ", child " << index;
                if (index < count)
                    EXPECT_EQ(tab->state().selected, index == current) << step << ", child " << index;
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
                scrollButton(tabs.Strip(), Qt::LeftArrow)->click();
                scrollButton(bar, Qt::LeftArrow)->click();
            }
            expectAlike("scrolled back");
        }
        const QPoint onATab = bar.tabRect(bar.tabAt(QPoint(60, 8))).center();
        QTest::mouseClick(&tabs.Strip(), Qt::LeftButton, {}, onATab);
        QTest::mouseClick(&bar, Qt::LeftButton, {}, onATab);
        expectAlike("a tab clicked");
        QTest::keyClick(&tabs.Strip(), Qt::Key_Left);
        QTest::keyClick(&bar, Qt::Key_Left);
        expectAlike("left key");
        tabs.resize(700, 160);
        reference.resize(700, 160);
        expectAlike("resized");
        for (QWidget* bars : {static_cast<QWidget*>(&tabs.Strip()), static_cast<QWidget*>(&bar)}) {
            QAccessibleInterface* tab = QAccessible::queryAccessibleInterface(bars)->child(count - 1);
            tab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        expectAlike("last tab pressed by a tool");
    }
}
