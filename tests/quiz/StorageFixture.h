#pragma once
// A book database built from SQL in a temporary folder and loaded into a
// node storage, for tests of what works on a loaded book.
#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "support/BookFixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class StorageFixture : public ::testing::Test {
protected:
    // Builds the book file "<name>_main.db" from `sql`; its full path.
    QString BuildBook(const QString& sql, const QString& name = QStringLiteral("small"))
    {
        const QString path = m_dir.filePath(name + QStringLiteral("_main.db"));
        const QString error = BookFixture::Build(path, sql);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        return path;
    }

    void LoadBook(const QString& sql = BookFixture::SmallBookSql())
    {
        ASSERT_TRUE(storage.LoadBooks({BuildBook(sql)}));
    }

    // Reads the sentences of the questions into the storage.
    void LoadSentencesOf(std::initializer_list<int> qids)
    {
        std::vector<Sentence*> sentences;
        for (int qid : qids)
            storage.SentencesOf(qid, sentences);
    }

    QTemporaryDir m_dir;
    DataBase db;
    NodeStorage storage{db};
};
