#include "bookimport/InputFile.h"

#include <QFile>

#include <sys/stat.h>

bool InputFile::CheckReadable(const QString& path, Problems& problems)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        problems.Error(0, 0, QStringLiteral("%1 を開けません（ありません）").arg(path));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        problems.Error(0, 0,
            QStringLiteral("%1 を開けません（普通のファイルではありません。フォルダ、FIFO、デバイスは読みません）")
                .arg(path));
        return false;
    }
    return true;
}

bool InputFile::Occupied(const QString& path)
{
    struct stat info = {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}
