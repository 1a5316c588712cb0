#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

TEST(SingleInstanceTest, OnlyOneHolderAtATimeAndTheLockEndsWithItsHolder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("runtime/app.lock"));
    {
        SingleInstance first(path);
        ASSERT_EQ(first.TryAcquire(), SingleInstance::Outcome::Acquired);
        EXPECT_TRUE(first.IsHeld());
        EXPECT_EQ(first.TryAcquire(), SingleInstance::Outcome::Acquired); // asking again keeps the lock

        SingleInstance second(path);
        EXPECT_EQ(second.TryAcquire(), SingleInstance::Outcome::HeldElsewhere);
        EXPECT_FALSE(second.IsHeld());
    }
    SingleInstance next(path);
    EXPECT_EQ(next.TryAcquire(), SingleInstance::Outcome::Acquired);
}

TEST(SingleInstanceTest, ALockLeftByAProcessThatIsGoneIsTakenOver)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("app.lock"));
    // A process id that cannot belong to a running process.
    QFile left(path);
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write("2147483646\ntavisko\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    left.close();

    SingleInstance instance(path);
    EXPECT_EQ(instance.TryAcquire(), SingleInstance::Outcome::Acquired);
}

// A runtime folder where no lock can be made (here a plain file stands
// where the folder should be): the lock goes to the second place, and a
// second instance still meets it there. With no place at all, the
// instance cannot know and must not run.
TEST(SingleInstanceTest, WithoutTheRuntimeFolderTheLockGoesToTheNextPlace)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("file"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString unusable = blocker + QStringLiteral("/app.lock");
    const QString fallback = dir.filePath(QStringLiteral("private/app.lock"));

    SingleInstance first({unusable, fallback});
    ASSERT_EQ(first.TryAcquire(), SingleInstance::Outcome::Acquired);
    EXPECT_EQ(first.LockPath(), fallback);
    SingleInstance second({unusable, fallback});
    EXPECT_EQ(second.TryAcquire(), SingleInstance::Outcome::HeldElsewhere);
    EXPECT_FALSE(second.IsHeld());

    SingleInstance nowhere({unusable, blocker + QStringLiteral("/other.lock")});
    EXPECT_EQ(nowhere.TryAcquire(), SingleInstance::Outcome::Unavailable);
    EXPECT_FALSE(nowhere.IsHeld());
}

// The real program, started while this process holds its lock, ends at
// once with exit code 0 before touching anything.
TEST(SingleInstanceTest, ASecondProgramEndsAtOnceWithCodeZero)
{
    const QString program = QStringLiteral(TV_BUILD_DIR "/bin/tavisko");
    if (!QFile::exists(program))
        GTEST_SKIP() << "the program is not built";
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("runtime")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("data")));
    QFile::setPermissions(
        dir.filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    SingleInstance first;
    qputenv("XDG_DATA_HOME", saved);
    ASSERT_EQ(first.TryAcquire(), SingleInstance::Outcome::Acquired);
    ASSERT_TRUE(first.IsHeld());

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(20000)) << "the second program kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    // It made no user database: the start-up never began.
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("data/morvane-k/userdata/tv_user.db"))));
}

// A home shared by two computers: each has its own runtime folder, both
// the one data folder. The second program meets the first's lock beside
// the user database and ends at once, touching nothing.
TEST(SingleInstanceTest, TwoRuntimeFoldersOneDataFolderRunOneInstance)
{
    const QString program = QStringLiteral(TV_BUILD_DIR "/bin/tavisko");
    if (!QFile::exists(program))
        GTEST_SKIP() << "the program is not built";
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), data);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess programs[2];
    for (int i = 0; i < 2; ++i) {
        const QString runtime = dir.filePath(QStringLiteral("runtime%1").arg(i));
        ASSERT_TRUE(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        programs[i].setProcessEnvironment(env);
    }
    programs[0].start(program, {});
    ASSERT_TRUE(programs[0].waitForStarted());
    const QString lock = data + QStringLiteral("/morvane-k/userdata/morvane-k-tavisko.lock");
    for (int waited = 0; waited < 200 && !QFileInfo::exists(lock); ++waited)
        QThread::msleep(100);
    ASSERT_TRUE(QFileInfo::exists(lock));
    programs[1].start(program, {});
    ASSERT_TRUE(programs[1].waitForFinished(20000)) << "the second program kept running";
    EXPECT_EQ(programs[1].exitCode(), 0);
    EXPECT_EQ(programs[0].state(), QProcess::Running);
    programs[0].terminate();
    EXPECT_TRUE(programs[0].waitForFinished(20000));
}

// A data folder where the lock cannot be made (here a folder stands where
// the lock file goes) leaves the lock in the runtime folder, as before.
TEST(SingleInstanceTest, WithoutTheDataFolderTheLockIsInTheRuntimeFolder)
{
    const QString program = QStringLiteral(TV_BUILD_DIR "/bin/tavisko");
    if (!QFile::exists(program))
        GTEST_SKIP() << "the program is not built";
    QTemporaryDir dir;
    const QString runtime = dir.filePath(QStringLiteral("runtime"));
    ASSERT_TRUE(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString data = dir.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(data + QStringLiteral("/morvane-k/userdata/morvane-k-tavisko.lock")));
    SingleInstance first(runtime + QStringLiteral("/morvane-k-tavisko.lock"));
    ASSERT_EQ(first.TryAcquire(), SingleInstance::Outcome::Acquired);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("XDG_DATA_HOME"), data);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(20000)) << "the second program kept running";
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/morvane-k/userdata/tv_user.db")));
}

} // namespace
