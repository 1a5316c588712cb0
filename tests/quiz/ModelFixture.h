#pragma once
// A model over book databases built from SQL in a temporary folder, with
// its own user database there.
#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "quiz/Model.h"
#include "QuizIds.h"
#include "support/BookFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class ModelFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(model.Db().OpenUser(dir.filePath(QStringLiteral("tv_user.db"))), 0);
    }

    // Builds "<name>_main.db" from `sql`; its full path.
    QString BuildBook(const QString& sql, const QString& name = QStringLiteral("small"))
    {
        const QString path = dir.filePath(name + QStringLiteral("_main.db"));
        const QString error = BookFixture::Build(path, sql);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return path;
    }

    // Loads the small book (bid 1) and, under bid 2, a second small book
    // titled "第二の本" in a file of its own.
    void LoadTwoBooks()
    {
        bookA = BuildBook(BookFixture::SmallBookSql(), QStringLiteral("a"));
        bookB = BuildBook(
            BookFixture::SmallBookSql(QStringLiteral("TV-TEST-2"), 2, QStringLiteral("第二の本")), QStringLiteral("b"));
        ASSERT_TRUE(model.LoadBooks({bookA, bookB}));
    }

    NodeStorage& Storage() { return model.Storage(); }
    const Sentence* S(int sid) { return Storage().SentenceById(sid); }

    template <typename Node>
    static std::vector<int> Ids(const std::vector<const Node*>& nodes, int Node::*id)
    {
        std::vector<int> ids;
        for (const Node* node : nodes)
            ids.push_back(node->*id);
        return ids;
    }

    QTemporaryDir dir;
    QString bookA;
    QString bookB;
    Model model;
};
