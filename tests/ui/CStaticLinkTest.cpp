// The link label: what a click opens, and the visited colour that every
// link of the program shares.
#include "ui/CStaticLink.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Links : public ::testing::Test {
protected:
    void SetUp() override
    {
        CStaticLink::SetVisited(false);
        // Never start a real browser from a test.
        CStaticLink::SetDefaultOpener([this](const QString& target) {
            opened.append(target);
            return openSucceeds;
        });
    }

    void TearDown() override
    {
        CStaticLink::SetVisited(false);
        CStaticLink::SetDefaultOpener([](const QString&) { return false; });
    }

    static QColor Drawn(const CStaticLink& link) { return link.palette().color(QPalette::WindowText); }

    static void Click(CStaticLink& link) { QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center()); }

    QStringList opened;
    bool openSucceeds = true;
};

} // namespace

TEST_F(Links, LooksLikeALinkBeforeItIsFollowed)
{
    CStaticLink link(QStringLiteral("https://support.example.com/tavisko/"));
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Drawn(link), QColor(0, 0, 255));
    EXPECT_EQ(link.LinkColor(), CStaticLink::NormalColor);
}

TEST_F(Links, FollowingOneLinkTurnsEveryLinkVisited)
{
    CStaticLink about(QStringLiteral("サポートサイト"));
    about.SetTarget(QStringLiteral("https://support.example.com/tavisko/"));
    CStaticLink other(QStringLiteral("https://support.example.com/other/"));
    about.resize(200, 20);
    QSignalSpy followed(&about, &CStaticLink::Followed);

    Click(about);
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://support.example.com/tavisko/")});
    EXPECT_EQ(followed.count(), 1);
    EXPECT_TRUE(CStaticLink::Visited());
    EXPECT_EQ(Drawn(about), QColor(128, 0, 128));
    EXPECT_EQ(Drawn(other), QColor(128, 0, 128));

    CStaticLink later(QStringLiteral("https://support.example.com/later/")); // made after the visit
    EXPECT_EQ(Drawn(later), CStaticLink::VisitedColor);
}

TEST_F(Links, ALinkThatCannotBeOpenedStaysUnvisited)
{
    openSucceeds = false;
    CStaticLink link(QStringLiteral("https://support.example.com/tavisko/"));
    link.resize(200, 20);
    Click(link);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_FALSE(CStaticLink::Visited());
    EXPECT_EQ(Drawn(link), CStaticLink::NormalColor);
}

TEST_F(Links, WithoutATargetTheShownTextIsOpened)
{
    CStaticLink link(QStringLiteral("https://support.example.com/shown/"));
    link.resize(200, 20);
    Click(link);
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://support.example.com/shown/")});
    EXPECT_EQ(link.Target(), QStringLiteral("https://support.example.com/shown/"));

    CStaticLink empty;
    EXPECT_FALSE(empty.Follow());
    EXPECT_EQ(opened.size(), 1);
}

TEST_F(Links, DoubleClickOpensOnceAndTheLinksOwnOpenerComesFirst)
{
    CStaticLink link(QStringLiteral("https://support.example.com/tavisko/"));
    link.resize(200, 20);
    QStringList ownOpened;
    link.SetOpener([&ownOpened](const QString& target) {
        ownOpened.append(target);
        return true;
    });
    // What a double-click delivers: press, release, double-click, release.
    QTest::mouseClick(&link, Qt::LeftButton, {}, link.rect().center());
    QTest::mouseDClick(&link, Qt::LeftButton, {}, link.rect().center());
    QTest::mouseRelease(&link, Qt::LeftButton, {}, link.rect().center());
    EXPECT_EQ(ownOpened.size(), 1);
    EXPECT_TRUE(opened.isEmpty());
}
