#include "print/Templ.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class TemplTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("data/template"))); }

    QString Folder() const { return m_dir.filePath(QStringLiteral("data/template")); }

    void Touch(const QString& name)
    {
        QFile file(Folder() + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_dir;
    Path m_path{m_dir.path()};
};

TEST_F(TemplTest, ScanListsTemplatesOfOneTypeWithoutHiddenFilesAndFolders)
{
    Touch(QStringLiteral("A.dot"));
    Touch(QStringLiteral("B.dot"));
    Touch(QStringLiteral(".hidden.dot"));
    Touch(QStringLiteral("縦書き.jtt"));
    Touch(QStringLiteral("notes.txt"));
    ASSERT_TRUE(QDir(Folder()).mkdir(QStringLiteral("sub.dot")));

    Templ templ(m_path);
    EXPECT_TRUE(templ.Scan(1));
    EXPECT_TRUE(templ.Scan(2));
    QStringList names;
    EXPECT_EQ(templ.Names(1, names), 2);
    EXPECT_EQ(names, (QStringList{QStringLiteral("A.dot"), QStringLiteral("B.dot")}));
    EXPECT_EQ(templ.Selected(1), QStringLiteral("A.dot"));
    EXPECT_EQ(templ.Names(2, names), 1);
    EXPECT_EQ(templ.Selected(2), QStringLiteral("縦書き.jtt"));
    EXPECT_EQ(templ.FullPath(2), Folder() + QStringLiteral("/縦書き.jtt"));
}

TEST_F(TemplTest, TypeWithoutTemplatesHasNoSelection)
{
    Touch(QStringLiteral("A.dot"));
    Templ templ(m_path);
    EXPECT_FALSE(templ.Scan(2));
    EXPECT_FALSE(templ.Scan(3));
    QStringList names{QStringLiteral("stale")};
    EXPECT_EQ(templ.Names(2, names), 0);
    EXPECT_TRUE(names.isEmpty());
    EXPECT_EQ(templ.Selected(2), QString());
    EXPECT_EQ(templ.FullPath(2), Folder());
    EXPECT_EQ(Templ::Extension(3), QStringLiteral(".___"));
}

TEST_F(TemplTest, SelectTakesOnlyListedNamesExactly)
{
    Touch(QStringLiteral("A.dot"));
    Touch(QStringLiteral("B.dot"));
    Templ templ(m_path);
    ASSERT_TRUE(templ.Scan(1));
    EXPECT_FALSE(templ.Contains(1, QStringLiteral("b.dot")));
    EXPECT_FALSE(templ.Contains(2, QStringLiteral("B.dot")));
    EXPECT_FALSE(templ.Select(1, QStringLiteral("C.dot")));
    EXPECT_EQ(templ.Selected(1), QStringLiteral("A.dot"));
    EXPECT_TRUE(templ.Contains(1, QStringLiteral("B.dot")));
    EXPECT_TRUE(templ.Select(1, QStringLiteral("B.dot")));
    EXPECT_EQ(templ.FullPath(1), Folder() + QStringLiteral("/B.dot"));
}

TEST_F(TemplTest, RescanReplacesTheNamesAndSelectsTheFirstAgain)
{
    Touch(QStringLiteral("A.dot"));
    Touch(QStringLiteral("B.dot"));
    Templ templ(m_path);
    ASSERT_TRUE(templ.Scan(1));
    templ.Select(1, QStringLiteral("B.dot"));
    ASSERT_TRUE(QFile::remove(Folder() + QStringLiteral("/A.dot")));
    Touch(QStringLiteral("C.dot"));
    ASSERT_TRUE(templ.Scan(1));
    QStringList names;
    templ.Names(1, names);
    EXPECT_EQ(names, (QStringList{QStringLiteral("B.dot"), QStringLiteral("C.dot")}));
    EXPECT_EQ(templ.Selected(1), QStringLiteral("B.dot"));
    // A scan that finds nothing keeps what was there.
    ASSERT_TRUE(QFile::remove(Folder() + QStringLiteral("/B.dot")));
    ASSERT_TRUE(QFile::remove(Folder() + QStringLiteral("/C.dot")));
    EXPECT_FALSE(templ.Scan(1));
    EXPECT_EQ(templ.Selected(1), QStringLiteral("B.dot"));
}

} // namespace
