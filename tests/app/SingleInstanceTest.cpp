#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(SingleInstanceTest, OnlyOneHolderAtATimeAndTheLockEndsWithItsHolder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("runtime/app.lock"));
    {
        SingleInstance first(path);
        ASSERT_TRUE(first.Acquire());
        EXPECT_TRUE(first.IsHeld());
        EXPECT_TRUE(first.Acquire()); // asking again keeps the lock

        SingleInstance second(path);
        EXPECT_FALSE(second.Acquire());
        EXPECT_FALSE(second.IsHeld());
    }
    SingleInstance next(path);
    EXPECT_TRUE(next.Acquire());
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
    EXPECT_TRUE(instance.Acquire());
}

TEST(SingleInstanceTest, WithoutAUsableLockFolderTheProgramStillRuns)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("file"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    SingleInstance instance(blocker + QStringLiteral("/app.lock"));
    EXPECT_TRUE(instance.Acquire());
    EXPECT_FALSE(instance.IsHeld());
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
    QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", dir.filePath(QStringLiteral("runtime")).toUtf8());
    SingleInstance first;
    qputenv("XDG_RUNTIME_DIR", saved);
    ASSERT_TRUE(first.Acquire());
    ASSERT_TRUE(first.IsHeld());

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(20000)) << "the second program kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    // It made no user database: the start-up never began.
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("data"))).isEmpty());
}

} // namespace
