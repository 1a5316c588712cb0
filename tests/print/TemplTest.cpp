#include "print/Templ.h"
#include "support/ScopedEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A program folder with its bundled templates, and a data home of its own
// for the teacher's templates.
class TemplTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("data/template"))); }

    QString Folder() const { return m_dir.filePath(QStringLiteral("data/template")); }
    QString OwnFolder() const { return m_dir.filePath(QStringLiteral("home/morvane-k/template")); }

    void Touch(const QString& name) { TouchIn(Folder(), name); }
    void TouchOwn(const QString& name)
    {
        ASSERT_TRUE(QDir().mkpath(OwnFolder()));
        TouchIn(OwnFolder(), name);
    }
    static void TouchIn(const QString& folder, const QString& name)
    {
        QFile file(folder + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_dir;
    ScopedEnv m_home{"XDG_DATA_HOME", m_dir.filePath(QStringLiteral("home")).toUtf8()};
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

TEST_F(TemplTest, TeachersTemplatesAreListedWithTheBundledOnesAndWinOnAName)
{
    Touch(QStringLiteral("横書き標準.dot"));
    Touch(QStringLiteral("縦書き標準.dot"));
    Touch(QStringLiteral("縦書き標準.jtt"));
    TouchOwn(QStringLiteral("縦書き標準.dot"));
    TouchOwn(QStringLiteral("A組.dot"));
    TouchOwn(QStringLiteral(".~lock.A組.dot#"));
    TouchOwn(QStringLiteral(".下書き.dot"));

    Templ templ(m_path);
    ASSERT_TRUE(templ.Scan(1));
    QStringList names;
    EXPECT_EQ(templ.Names(1, names), 3);
    EXPECT_EQ(names,
        (QStringList{QStringLiteral("A組.dot"), QStringLiteral("横書き標準.dot"), QStringLiteral("縦書き標準.dot")}));
    EXPECT_EQ(templ.FullPath(1), OwnFolder() + QStringLiteral("/A組.dot"));
    ASSERT_TRUE(templ.Select(1, QStringLiteral("縦書き標準.dot")));
    EXPECT_EQ(templ.FullPath(1), OwnFolder() + QStringLiteral("/縦書き標準.dot"));
    ASSERT_TRUE(templ.Select(1, QStringLiteral("横書き標準.dot")));
    EXPECT_EQ(templ.FullPath(1), Folder() + QStringLiteral("/横書き標準.dot"));

    // Each type looks only at its own extension, in both folders.
    ASSERT_TRUE(templ.Scan(2));
    EXPECT_EQ(templ.Names(2, names), 1);

    // Only the teacher's folder holds templates: that is enough.
    ASSERT_TRUE(QDir(Folder()).removeRecursively());
    ASSERT_TRUE(templ.Scan(1));
    EXPECT_EQ(templ.Names(1, names), 2);
}

TEST_F(TemplTest, LocateFindsANameInEitherFolderAndNothingElse)
{
    Touch(QStringLiteral("標準.dot"));
    Touch(QStringLiteral("標準.jtt"));
    TouchOwn(QStringLiteral("標準.jtt"));
    TouchOwn(QStringLiteral("自作.dot"));
    ASSERT_TRUE(QDir(OwnFolder()).mkdir(QStringLiteral("フォルダ.dot")));
    Templ templ(m_path); // no scan needed

    EXPECT_EQ(templ.Locate(1, QStringLiteral("標準.dot")), Folder() + QStringLiteral("/標準.dot"));
    EXPECT_EQ(templ.Locate(1, QStringLiteral("標準")), Folder() + QStringLiteral("/標準.dot"));
    EXPECT_EQ(templ.Locate(2, QStringLiteral("標準")), OwnFolder() + QStringLiteral("/標準.jtt"));
    EXPECT_EQ(templ.Locate(1, QStringLiteral("自作.dot")), OwnFolder() + QStringLiteral("/自作.dot"));
    for (const char* wrong : {"", "自作.jtt", "ない.dot", "フォルダ.dot", "../template/標準.dot", ".dot"})
        EXPECT_EQ(templ.Locate(1, QString::fromUtf8(wrong)), QString()) << wrong;
    EXPECT_EQ(templ.Locate(2, QStringLiteral("自作")), QString());
}

} // namespace
