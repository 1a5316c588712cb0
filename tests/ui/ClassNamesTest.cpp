// Class names from the automatic-selection dialog and from a tab's
// context menu: shown on the tabs, handed on to the record of print runs,
// and back after a restart with the stored selection.
#include "MainWindowFixture.h"

#include "quiz/ModelSerializer.h"
#include "res/ResourceIds.h"
#include "ui/DlgAuto.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTableWidget>

namespace {

class ClassNames : public MainWindowFixture {
protected:
    // Types `text` into row `row` of the names list, as a teacher does.
    static void TypeName(QTableWidget& names, int row, const QString& text)
    {
        names.setFocus();
        names.setCurrentCell(row, 0);
        QTest::keyClick(&names, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->insert(text); // keyClicks cannot type kanji
    }

    static QStringList Names(const QTableWidget& names)
    {
        QStringList texts;
        for (int row = 0; row < names.rowCount(); ++row)
            texts << names.item(row, 0)->text();
        return texts;
    }
};

TEST_F(ClassNames, NamedInTheDialogAndOnATabAndBackAfterARestart)
{
    LoadSmallBook();
    model.SetQuestions({11});
    SetIndexRange({3, 4});
    AutoSelectOptions options = model.ReadAutoSelectOptions();
    options.printCount = 3;
    options.classNames = {QStringLiteral("1年A組"), QString(), QStringLiteral("1年C組")};

    // The dialog: one row per class; a class left out keeps its name for
    // when the count grows again; an edit still open counts at OK.
    DlgAuto dialog(options, true);
    Show(dialog);
    auto& names = dialog.ClassNameList();
    EXPECT_EQ(Names(names), (QStringList{"1年A組", "", "1年C組"}));
    auto* count = Control<QLineEdit>(dialog, Res::IDC_CLASS_COUNT);
    count->setText(QStringLiteral("1"));
    EXPECT_EQ(Names(names), QStringList{"1年A組"});
    count->setText(QStringLiteral("3"));
    TypeName(names, 1, QStringLiteral("  1年B組 "));
    dialog.accept();
    const std::vector<QString> given = dialog.Options().classNames;
    EXPECT_EQ(given, (std::vector<QString>{"1年A組", "1年B組", "1年C組"}));

    // The selection names its prints; the names are remembered.
    DlgMain& main = Open();
    dialogs->editAutoSelect = [&given](AutoSelectOptions& edited) {
        edited.printCount = 3;
        edited.classNames = given;
    };
    Click(main, Res::IDC_AUTO_SELECT);
    EXPECT_EQ(TabCaptions(), (QStringList{"1年A組", "1年B組", "1年C組"}));
    EXPECT_EQ(model.ReadAutoSelectOptions().classNames, given);

    // Renamed from the tab's menu; an empty name gives the number back.
    int chosen = Res::ID_PRINT_RENAME;
    main.SetPopupRunner([&chosen](QMenu& menu, const QPoint&) -> QAction* {
        for (QAction* action : menu.actions())
            if (action->data().toInt() == chosen)
                return action;
        return nullptr;
    });
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const auto tabMenu = [&main](int tab) {
        QTabBar* bar = main.Tabs().tabBar();
        const QPoint at = bar->tabRect(tab).center();
        QContextMenuEvent onTab(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &onTab);
    };
    dialogs->classNameToGive = QStringLiteral("2年D組");
    tabMenu(1);
    EXPECT_EQ(dialogs->nameShown, QStringLiteral("1年B組"));
    dialogs->classNameToGive = QString(""); // not null: OK with nothing
    tabMenu(2);
    EXPECT_EQ(TabCaptions(), (QStringList{"1年A組", "2年D組", "プリント3"}));
    dialogs->classNameToGive = QString(); // cancelled
    tabMenu(0);
    EXPECT_EQ(TabCaptions(), (QStringList{"1年A組", "2年D組", "プリント3"}));
    EXPECT_EQ(model.GetQuiz(1).ClassName(), QStringLiteral("2年D組"));
    EXPECT_TRUE(model.SelectionSeed().has_value()); // still the selection's prints

    // Stored with the selection and back in the next run, in print order.
    ASSERT_TRUE(ModelSerializer(model, model.Db()).Save());
    EXPECT_EQ(model.Db().UserInfo(QStringLiteral("quiz_names")), QStringLiteral(R"(["1年A組","2年D組"])"));
    Model next;
    ASSERT_EQ(next.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db"))), 0);
    ASSERT_TRUE(next.LoadBooks({dir.filePath(QStringLiteral("a_main.db"))}));
    ModelSerializer(next, next.Db()).Load();
    ASSERT_EQ(next.QuizCount(), 3);
    EXPECT_EQ(next.GetQuiz(0).ClassName(), QStringLiteral("1年A組"));
    EXPECT_EQ(next.GetQuiz(1).ClassName(), QStringLiteral("2年D組"));
    EXPECT_EQ(next.GetQuiz(2).ClassName(), QString());
}

} // namespace
