#include "model/FileMode.h"

#include <QFile>

#include <fstream>
#include <string>

#include <sys/stat.h>

mode_t FileMode::Umask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    }
    // Without /proc the only way is to set it and put it back.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

mode_t FileMode::For(const QString& target)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(target).constData(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    return 0666 & ~Umask();
}

bool FileMode::Apply(const QString& path, const QString& target)
{
    return ::chmod(QFile::encodeName(path).constData(), For(target)) == 0;
}
