// An export's pieces written to a real file in as few calls as the system
// allows: more pieces than one call takes (IOV_MAX), empty and large ones,
// come back as the pieces joined.
#include "platformexport/ExportBytes.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ExportBytes, ManyPiecesWrittenToAFileReadBackJoined)
{
    QRandomGenerator random(7);
    ExportBytes bytes;
    for (int i = 0; i < 3000; ++i) {
        const int size = i % 500 == 0 ? 300000 : random.bounded(40);
        bytes.Add(QByteArray(size, static_cast<char>('a' + i % 26)));
    }
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("pieces.bin")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    QString error;
    ASSERT_TRUE(bytes.WriteTo(file.handle(), &error)) << error.toStdString();
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_EQ(written.size(), bytes.Size());
    EXPECT_TRUE(written == bytes.Joined());
}
