#pragma once

#include <QByteArray>
#include <QFile>
#include <QDir>
#include <QtGlobal>

// Every test process works in a private home under the build tree, so no
// test reads or writes the user's own data, cache or office profile. A
// caller that prepares its own private folders (the walkthrough script)
// sets TV_KEEP_TEST_ENV to keep them. Every thread's random numbers start
// from the same state (1) unless a test asks otherwise, so selections made
// on fresh threads can be compared.
inline void UsePrivateTestHome()
{
    if (qEnvironmentVariableIsEmpty("TAVISKO_RANDOM_SEED"))
        qputenv("TAVISKO_RANDOM_SEED", "1");
    if (!qEnvironmentVariableIsEmpty("TV_KEEP_TEST_ENV"))
        return;
    const QByteArray home = TV_TEST_HOME;
    const QByteArray runtime = home + "/runtime";
    QDir().mkpath(QString::fromUtf8(home + "/data"));
    QDir().mkpath(QString::fromUtf8(runtime));
    QFile::setPermissions(QString::fromUtf8(runtime), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", home);
    qputenv("XDG_DATA_HOME", home + "/data");
    qputenv("XDG_CACHE_HOME", home + "/cache");
    qputenv("XDG_CONFIG_HOME", home + "/config");
    qputenv("XDG_RUNTIME_DIR", runtime);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
