// A print put in place takes the mode a teacher's umask gives a new file,
// and keeps the mode of the file it replaces.
#include "export/OutputFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

mode_t ModeOf(const QString& path)
{
    struct stat info = {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    return info.st_mode & 07777;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask)
        : m_previous(::umask(mask))
    {
    }
    ~ScopedUmask() { ::umask(m_previous); }

private:
    mode_t m_previous;
};

bool WritePrint(const QString& target)
{
    OutputFile output(target);
    QString error;
    if (!output.Prepare(&error))
        return false;
    QFile file(output.TemporaryPath());
    if (!file.open(QIODevice::WriteOnly) || file.write("%PDF-1.7\n") <= 0)
        return false;
    file.close();
    return output.Commit(&error);
}

TEST(OutputFileTest, NewPrintsFollowTheUmaskAndReplacedOnesKeepTheirMode)
{
    QTemporaryDir dir;
    const QString secret = dir.filePath(QStringLiteral("secret.pdf"));
    {
        const ScopedUmask mask(077);
        ASSERT_TRUE(WritePrint(secret));
        EXPECT_EQ(ModeOf(secret), 0600u);
    }
    const ScopedUmask mask(022);
    const QString open = dir.filePath(QStringLiteral("open.pdf"));
    ASSERT_TRUE(WritePrint(open));
    EXPECT_EQ(ModeOf(open), 0644u);
    ASSERT_TRUE(WritePrint(secret));
    EXPECT_EQ(ModeOf(secret), 0600u);
    ASSERT_EQ(::chmod(QFile::encodeName(open).constData(), 0640), 0);
    ASSERT_TRUE(WritePrint(open));
    EXPECT_EQ(ModeOf(open), 0640u);
}

} // namespace
