#include "desktop/CUpdateNotifier.h"
#include "desktop/MenuBarUpdateItem.h"
#include "res/ResourceIds.h"
#include "support/RecordingMessageSink.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

QList<QAction*> UpdateActions(const QMenuBar& bar)
{
    QList<QAction*> found;
    for (QAction* action : bar.actions()) {
        if (action->data() == QVariant(Res::ID_GET_UPDATE))
            found << action;
    }
    return found;
}

} // namespace

TEST(MenuBarUpdateItemTest, CommandComesAndGoesWithTheAnswersAndOpensThePage)
{
    RecordingMessageSink sink;
    QMenuBar bar;
    QMenu* help = bar.addMenu(QStringLiteral("ヘルプ(&H)"));
    help->menuAction()->setData(Res::ID_GET_UPDATE); // a popup never counts as the command

    QStringList opened;
    CUpdateNotifier notifier([&](const QString& address) {
        opened << address;
        return true;
    });
    MenuBarUpdateItem item(&bar, [&] { notifier.OpenDownloadPage(); });
    notifier.SetOwner(&item);

    notifier.SetResult(QStringLiteral("http://www.example.com/a"));
    notifier.SetResult(QStringLiteral("http://www.example.com/b"));
    ASSERT_EQ(UpdateActions(bar).size(), 2) << "the popup and one command";
    QAction* command = bar.actions().last();
    EXPECT_EQ(command->text(), QStringLiteral("最新版をご利用いただけます"));
    EXPECT_EQ(command->data(), QVariant(Res::ID_GET_UPDATE));
    EXPECT_EQ(command->menu(), nullptr);

    command->trigger();
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://www.example.com/b")});

    notifier.SetResult(QString());
    EXPECT_EQ(UpdateActions(bar), QList<QAction*>{help->menuAction()});
    EXPECT_EQ(bar.actions().size(), 1);
}

TEST(MenuBarUpdateItemTest, MenuBarGoneFirstIsHarmless)
{
    auto* bar = new QMenuBar;
    MenuBarUpdateItem item(bar);
    item.AddUpdateItem(QStringLiteral("x"));
    delete bar;
    item.RemoveUpdateItem();
    item.AddUpdateItem(QStringLiteral("x"));
}
