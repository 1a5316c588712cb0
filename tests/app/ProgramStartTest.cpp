// The built program started as a teacher or a script starts it: a long
// option it does not know is answered with the usage (status 2), and
// without a display the program says in Japanese that it needs one and
// ends with a status of its own, not Qt's English message and an abort.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Program = QStringLiteral(TV_BUILD_DIR "/bin/tavisko");

struct Outcome {
    bool crashed = true;
    int status = -1;
    QString output;
    QString error;
};

Outcome Start(const QStringList& arguments, const QMap<QString, QString>& set, const QStringList& unset)
{
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    for (const QString& name : unset)
        environment.remove(name);
    for (auto it = set.cbegin(); it != set.cend(); ++it)
        environment.insert(it.key(), it.value());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(Program, arguments);
    Outcome outcome;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.crashed = process.exitStatus() != QProcess::NormalExit;
    outcome.status = process.exitCode();
    outcome.output = QString::fromUtf8(process.readAllStandardOutput());
    outcome.error = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

class ProgramStart : public testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(Program))
            GTEST_SKIP() << "the program is not built";
    }
};

} // namespace

TEST_F(ProgramStart, UnknownOptionGetsTheUsageAndStatusTwo)
{
    const Outcome outcome = Start({QStringLiteral("--bogus")}, {{QStringLiteral("QT_QPA_PLATFORM"), "offscreen"}}, {});
    EXPECT_FALSE(outcome.crashed);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.error.startsWith(QStringLiteral("tavisko: 使い方が正しくありません: --bogus")))
        << outcome.error.toStdString();
    EXPECT_TRUE(outcome.error.contains(QStringLiteral("使い方: tavisko --print-to"))) << outcome.error.toStdString();
}

TEST_F(ProgramStart, WithoutADisplayTheProgramSaysSoInJapanese)
{
    const QStringList displays
        = {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("QT_QPA_PLATFORM")};
    const QString said = QStringLiteral("tavisko: ウィンドウを表示できません。");
    // None named, and one named that is not there.
    for (const auto& set : {QMap<QString, QString>{}, QMap<QString, QString>{{QStringLiteral("DISPLAY"), ":97"}}}) {
        const Outcome outcome = Start({}, set, displays);
        EXPECT_FALSE(outcome.crashed) << outcome.error.toStdString();
        EXPECT_EQ(outcome.status, 1) << outcome.error.toStdString();
        EXPECT_TRUE(outcome.error.contains(said)) << outcome.error.toStdString();
        EXPECT_FALSE(outcome.error.contains(QStringLiteral("This application failed to start")))
            << outcome.error.toStdString();
    }
}
