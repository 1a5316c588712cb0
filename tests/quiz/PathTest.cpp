#include "quiz/Path.h"
#include "support/ScopedEnv.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

void Touch(const QString& path, const QByteArray& bytes = QByteArray())
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

class PathTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        program = dir.filePath(QStringLiteral("program"));
        ASSERT_TRUE(QDir().mkpath(program + QStringLiteral("/data/template")));
    }

    QTemporaryDir dir;
    QString program;
};

TEST_F(PathTest, ProgramFilesAreJoinedBelowTheProgramFolder)
{
    const Path path(program);
    EXPECT_EQ(path.ProgramFolder(), program);
    EXPECT_EQ(path.TemplateFolder(), program + QStringLiteral("/data/template"));
    EXPECT_EQ(path.HelpPage(), program + QStringLiteral("/help/index.html"));
    const Path running;
    EXPECT_FALSE(running.ProgramFolder().isEmpty());
    const Path copy = path;
    EXPECT_EQ(copy.HelpPage(), path.HelpPage());
}

TEST_F(PathTest, BookFilesTakesMatchingFilesHiddenOnesToo)
{
    const QString data = program + QStringLiteral("/data");
    Touch(data + QStringLiteral("/b_main.db"));
    Touch(data + QStringLiteral("/a_main.db"));
    Touch(data + QStringLiteral("/.hidden_main.db"));
    Touch(data + QStringLiteral("/notes_main.txt"));
    Touch(data + QStringLiteral("/main.db"));
    ASSERT_TRUE(QDir(data).mkdir(QStringLiteral("folder_main.db")));

    QStringList files{QStringLiteral("stale")};
    EXPECT_EQ(Path(program).BookFiles(files), 3);
    EXPECT_EQ(files,
        (QStringList{data + QStringLiteral("/.hidden_main.db"), data + QStringLiteral("/a_main.db"),
            data + QStringLiteral("/b_main.db")}));
}

TEST_F(PathTest, TeachersOwnBooksComeAfterTheBundledOnes)
{
    const ScopedEnv dataHome("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
    const Path path(program);
    const QString own = path.UserBookFolder();
    EXPECT_EQ(own, dir.filePath(QStringLiteral("home/morvane-k/books")));
    QStringList files;
    EXPECT_EQ(path.BookFiles(files), 0); // a missing folder is no error, and is not made
    EXPECT_FALSE(QFileInfo::exists(own));

    ASSERT_TRUE(QDir().mkpath(own));
    Touch(own + QStringLiteral("/a_own_main.db"));
    Touch(own + QStringLiteral("/notes.db"));
    Touch(program + QStringLiteral("/data/z_main.db"));
    EXPECT_EQ(path.BookFiles(files), 2);
    EXPECT_EQ(
        files, (QStringList{program + QStringLiteral("/data/z_main.db"), own + QStringLiteral("/a_own_main.db")}));
}

TEST_F(PathTest, NoDataFolderMeansNoBookFiles)
{
    QStringList files{QStringLiteral("stale")};
    EXPECT_EQ(Path(dir.filePath(QStringLiteral("nowhere"))).BookFiles(files), 0);
    EXPECT_TRUE(files.isEmpty());
}

TEST_F(PathTest, ListFilesSkipsHiddenFilesAndFolders)
{
    const Path path(program);
    const QString templates = path.TemplateFolder();
    Touch(templates + QStringLiteral("/プリントB.dot"));
    Touch(templates + QStringLiteral("/A.dot"));
    Touch(templates + QStringLiteral("/.~lock.A.dot"));
    Touch(templates + QStringLiteral("/.hidden.dot"));
    Touch(templates + QStringLiteral("/C.jtt"));
    ASSERT_TRUE(QDir(templates).mkdir(QStringLiteral("sub.dot")));

    QStringList names{QStringLiteral("stale")};
    EXPECT_EQ(path.ListFiles(templates + QStringLiteral("/*.dot"), names), 2);
    EXPECT_EQ(names, (QStringList{QStringLiteral("A.dot"), QStringLiteral("プリントB.dot")}));
    EXPECT_EQ(path.ListFiles(templates + QStringLiteral("/*.odt"), names), 0);
    EXPECT_TRUE(names.isEmpty());
}

// The listing matches names itself: it must take what QDir's own name
// filters take (case aside, too), for the program's patterns and for
// awkward ones.
TEST_F(PathTest, ListFilesMatchesAsQDirNameFiltersDo)
{
    const Path path(program);
    const QString folder = dir.filePath(QStringLiteral("names"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QStringList names = {QStringLiteral("a_main.db"), QStringLiteral("_main.db"), QStringLiteral("a_main.db.bak"),
        QStringLiteral("a_MAIN.db"), QStringLiteral("a_main_main.db"), QStringLiteral("main.db"), QStringLiteral("ab"),
        QStringLiteral("aab"), QStringLiteral("abab"), QStringLiteral("abba"), QStringLiteral("b"),
        QStringLiteral("縦書き標準.dot"), QStringLiteral("x.dot.dot"), QStringLiteral(".dot"), QStringLiteral("a.b.c"),
        QStringLiteral("a?b"), QStringLiteral("a*b"), QStringLiteral("aXXbYYb")};
    for (const QString& name : names)
        Touch(folder + u'/' + name);
    for (const char* pattern : {"*_main.db", "*.dot", "*", "a*b", "*a*b", "a?b", "?b", "*b*", "a*b*b", "**b", "a.b.c",
             "*.*.*", "?", "", "*_main.db*", "縦*.dot", "A_Main.DB", "*.DOT"}) {
        const QString wildcard = QString::fromUtf8(pattern);
        QDir reference(folder);
        reference.setNameFilters({wildcard});
        reference.setFilter(QDir::Files);
        reference.setSorting(QDir::Name);
        QStringList listed;
        path.ListFiles(folder + u'/' + wildcard, listed);
        EXPECT_EQ(listed, reference.entryList()) << pattern;
    }
}

TEST_F(PathTest, UserDatabasePathCreatesItsFolders)
{
    const QString home = dir.filePath(QStringLiteral("xdg"));
    ScopedEnv env("XDG_DATA_HOME", home.toUtf8());
    const QString db = Path(program).UserDatabasePath();
    EXPECT_EQ(db, home + QStringLiteral("/morvane-k/userdata/tv_user.db"));
    EXPECT_TRUE(QFileInfo(home + QStringLiteral("/morvane-k/userdata")).isDir());
    EXPECT_FALSE(QFileInfo::exists(db)); // the database itself is made by its opening
    EXPECT_EQ(Path(program).UserDatabasePath(), db);
}

TEST_F(PathTest, UserTemplateFolderIsNamedAlwaysAndMadeOnlyOnRequest)
{
    const QString home = dir.filePath(QStringLiteral("xdg"));
    ScopedEnv env("XDG_DATA_HOME", home.toUtf8());
    const Path path(program);
    const QString folder = home + QStringLiteral("/morvane-k/template");
    EXPECT_EQ(path.UserTemplateFolder(), folder);
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(path.MakeUserTemplateFolder(), folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(path.MakeUserTemplateFolder(), folder);

    ASSERT_TRUE(QDir(folder).removeRecursively());
    Touch(folder); // a file where the folder belongs
    EXPECT_EQ(path.MakeUserTemplateFolder(), QString());
}

TEST_F(PathTest, UserDatabasePathIsEmptyWhenAFolderCannotBeMade)
{
    const QString home = dir.filePath(QStringLiteral("xdg"));
    ScopedEnv env("XDG_DATA_HOME", home.toUtf8());
    ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/morvane-k")));
    Touch(home + QStringLiteral("/morvane-k/userdata")); // a file where the folder belongs
    EXPECT_EQ(Path(program).UserDatabasePath(), QString());

    ASSERT_TRUE(QDir(home).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(home));
    Touch(home + QStringLiteral("/morvane-k"));
    EXPECT_EQ(Path(program).UserDatabasePath(), QString());
}

TEST_F(PathTest, OpenInBrowserHandsTheTargetToXdgOpenAsOneArgument)
{
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QString record = dir.filePath(QStringLiteral("args.txt"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString script = bin + QStringLiteral("/xdg-open");
    Touch(script,
        QStringLiteral("#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '%1.tmp' && mv '%1.tmp' '%1'\n")
            .arg(record)
            .toUtf8());
    QFile(script).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ScopedEnv env("PATH", bin.toUtf8() + ":/usr/bin:/bin");
    const QString target = QStringLiteral("/tmp/my help/index.html?a=1&b=\"x\"; rm -rf ~");
    ASSERT_TRUE(Path(program).OpenInBrowser(target));

    QDeadlineTimer deadline(10000);
    while (!QFile::exists(record) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), QStringLiteral("1|") + target);
}

TEST_F(PathTest, OpenInBrowserFailsWithoutALauncher)
{
    ScopedEnv env("PATH", dir.filePath(QStringLiteral("empty")).toUtf8());
    EXPECT_FALSE(Path(program).OpenInBrowser(QStringLiteral("https://example.com/")));
    EXPECT_FALSE(Path(program).OpenInBrowser(QString()));
}

} // namespace
