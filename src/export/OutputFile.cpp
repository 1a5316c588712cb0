#include "export/OutputFile.h"

#include "model/FileMode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

OutputFile::OutputFile(QString target)
    : m_target(QFileInfo(target).absoluteFilePath())
{
}

OutputFile::~OutputFile()
{
    Discard();
}

bool OutputFile::Prepare(QString* error)
{
    Discard();
    const QFileInfo target(m_target);
    if (target.isDir()) {
        *error = QStringLiteral("%1 is a folder").arg(m_target);
        return false;
    }
    if (!target.dir().exists()) {
        *error = QStringLiteral("the folder %1 does not exist").arg(target.absolutePath());
        return false;
    }
    // Hidden, and with the target's extension, so that nothing takes it
    // for a finished file of another kind.
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.completeBaseName()
        + QStringLiteral(".XXXXXX.") + target.suffix());
    file.setAutoRemove(false);
    if (!file.open()) {
        *error = QStringLiteral("cannot write in the folder %1 (%2)").arg(target.absolutePath(), file.errorString());
        return false;
    }
    m_temporary = file.fileName();
    file.close();
    return true;
}

bool OutputFile::Commit(QString* error)
{
    if (m_temporary.isEmpty() || QFileInfo(m_temporary).size() == 0) {
        *error = QStringLiteral("nothing was written to %1").arg(m_target);
        Discard();
        return false;
    }
    // The temporary file was made for the owner alone; the finished file
    // keeps the mode of the file it replaces, or follows the umask.
    FileMode::Apply(m_temporary, m_target);
    // rename replaces an older file at the target in one step.
    if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0) {
        *error = QStringLiteral("cannot put the file at %1 (%2)")
                     .arg(m_target, QString::fromLocal8Bit(std::strerror(errno)));
        Discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

void OutputFile::Discard()
{
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
    m_temporary.clear();
}
