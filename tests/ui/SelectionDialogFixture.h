#pragma once
// A model over real book databases for driving the selection dialogs: the
// small fixture book (type "101"), a second one beside it, or one of the
// sample books of the build, with a user database of its own.
#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "quiz/Model.h"
#include "quiz/Ranges.h"
#include "support/BookFixture.h"
#include "ui/ControlId.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

class SelectionDialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(model.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db"))), 0);
    }

    QString BuildBook(const QString& name, const QString& sql)
    {
        const QString path = dir.filePath(name + QStringLiteral("_main.db"));
        const QString error = BookFixture::Build(path, sql);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return path;
    }

    // The small book: questions 11, 12, 13; keywords 201, 202, 203 under
    // index entries 3, 4, 5; sentences 51 (201), 52 (202), 53 (203, from
    // outside the book body) of 11 and 61 (201) of 12.
    void LoadSmallBook()
    {
        ASSERT_TRUE(model.LoadBooks({BuildBook(QStringLiteral("a"), BookFixture::SmallBookSql())}));
    }

    // The small book (bid 1) and a second one (bid 2, "第二の本").
    void LoadTwoBooks()
    {
        const QString a = BuildBook(QStringLiteral("a"), BookFixture::SmallBookSql());
        const QString b = BuildBook(
            QStringLiteral("b"), BookFixture::SmallBookSql(QStringLiteral("TV-TEST-2"), 2, QStringLiteral("第二の本")));
        ASSERT_TRUE(model.LoadBooks({a, b}));
    }

    void LoadSampleBook(const QString& file)
    {
        ASSERT_TRUE(model.LoadBooks({QStringLiteral(TV_TEST_DATA_DIR "/") + file}));
    }

    // The range of the given table-of-contents entries.
    void SetIndexRange(const std::vector<int>& iids) { model.SetRange(Ranges(iids)); }

    const Sentence* S(int sid) { return model.Storage().SentenceById(sid); }

    static void Show(QWidget& dialog)
    {
        dialog.show();
        QApplication::processEvents();
    }

    template <typename T = QWidget>
    static T* Control(const QWidget& dialog, int id)
    {
        T* control = FindControl<T>(&dialog, id);
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }

    static void Click(const QWidget& dialog, int id)
    {
        if (auto* button = Control<QAbstractButton>(dialog, id))
            QTest::mouseClick(button, Qt::LeftButton);
    }

    QTemporaryDir dir;
    Model model;
};
