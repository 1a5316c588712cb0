#include "export/OutputFile.h"

#include "model/FileMode.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

namespace {

// Why the system refused, in the teacher's words; empty when it is none
// of the usual reasons.
QString Why(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return Res::String(Res::IDS_OUT_NOT_PERMITTED);
    case ENOSPC:
    case EDQUOT: return Res::String(Res::IDS_OUT_DISK_FULL);
    default: return {};
    }
}

} // namespace

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
        *error = Res::Filled(Res::IDS_OUT_IS_FOLDER, {m_target});
        return false;
    }
    if (!target.dir().exists()) {
        *error = Res::Filled(Res::IDS_OUT_NO_FOLDER, {target.absolutePath()});
        return false;
    }
    // Hidden, and with the target's extension, so that nothing takes it
    // for a finished file of another kind.
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.completeBaseName()
        + QStringLiteral(".XXXXXX.") + target.suffix());
    file.setAutoRemove(false);
    errno = 0;
    if (!file.open()) {
        *error = Res::Filled(Res::IDS_OUT_CANNOT_WRITE,
            {target.absolutePath(), Why(file.error() == QFileDevice::PermissionsError ? EACCES : errno)});
        return false;
    }
    m_temporary = file.fileName();
    file.close();
    return true;
}

bool OutputFile::Commit(QString* error)
{
    if (m_temporary.isEmpty() || QFileInfo(m_temporary).size() == 0) {
        *error = Res::Filled(Res::IDS_OUT_NOTHING_WRITTEN, {m_target});
        Discard();
        return false;
    }
    // The temporary file was made for the owner alone; the finished file
    // keeps the mode of the file it replaces, or follows the umask.
    FileMode::Apply(m_temporary, m_target);
    // rename replaces an older file at the target in one step.
    if (std::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0) {
        *error = Res::Filled(Res::IDS_OUT_CANNOT_PLACE, {m_target, Why(errno)});
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
