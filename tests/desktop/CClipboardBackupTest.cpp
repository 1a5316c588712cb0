#include "desktop/CClipboardBackup.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

const QString PrivateFormat = QStringLiteral("application/x-tavisko-private");

QClipboard* Board()
{
    return QGuiApplication::clipboard();
}

void PutTextAndPrivate(const QString& text, const QByteArray& privateBytes)
{
    auto* mime = new QMimeData;
    mime->setText(text);
    mime->setData(PrivateFormat, privateBytes);
    Board()->setMimeData(mime);
}

// A clipboard that reports itself busy for a number of polls.
class BusyClipboardBackup : public CClipboardBackup {
public:
    explicit BusyClipboardBackup(int busyPolls)
        : CClipboardBackup(false)
        , m_busyPolls(busyPolls)
    {
    }
    mutable int polls = 0;

protected:
    bool IsClipboardHeld() const override
    {
        ++polls;
        return m_busyPolls < 0 || polls <= m_busyPolls;
    }

private:
    int m_busyPolls;
};

} // namespace

TEST(CClipboardBackup, RestoresEveryFormatAfterTheClipboardWasReplaced)
{
    const QByteArray privateBytes("\x01\x00\x02private", 10);
    PutTextAndPrivate(QStringLiteral("先生のメモ"), privateBytes);

    CClipboardBackup backup(false);
    ASSERT_TRUE(backup.Save());
    Board()->setText(QStringLiteral("header block"));
    ASSERT_EQ(Board()->text(), QStringLiteral("header block"));

    ASSERT_TRUE(backup.Restore());
    const QMimeData* mime = Board()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->text(), QStringLiteral("先生のメモ"));
    EXPECT_TRUE(mime->hasFormat(PrivateFormat));
    EXPECT_EQ(mime->data(PrivateFormat), privateBytes);
}

TEST(CClipboardBackup, KeepsTheClipboardOrderOfFormats)
{
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("application/x-tavisko-b"), "b");
    mime->setData(QStringLiteral("application/x-tavisko-a"), "a");
    Board()->setMimeData(mime);

    CClipboardBackup backup(false);
    ASSERT_TRUE(backup.Save());
    const std::vector<CClipboardBackup::Entry> expected
        = {{QStringLiteral("application/x-tavisko-b"), "b"}, {QStringLiteral("application/x-tavisko-a"), "a"}};
    EXPECT_EQ(backup.Entries(), expected);
}

TEST(CClipboardBackup, EmptyClipboardIsSavedAsNothingAndRestoredEmpty)
{
    Board()->clear();
    CClipboardBackup backup(false);
    ASSERT_TRUE(backup.Save());
    EXPECT_TRUE(backup.Entries().empty());

    Board()->setText(QStringLiteral("left over"));
    ASSERT_TRUE(backup.Restore());
    const QMimeData* mime = Board()->mimeData();
    EXPECT_TRUE(mime == nullptr || mime->formats().isEmpty());
}

TEST(CClipboardBackup, SecondSaveReplacesTheFirst)
{
    Board()->setText(QStringLiteral("first"));
    CClipboardBackup backup(false);
    ASSERT_TRUE(backup.Save());
    Board()->setText(QStringLiteral("second"));
    ASSERT_TRUE(backup.Save());
    Board()->setText(QStringLiteral("third"));
    ASSERT_TRUE(backup.Restore());
    EXPECT_EQ(Board()->text(), QStringLiteral("second"));
}

TEST(CClipboardBackup, RestoresOnDestructionOnlyWhileARestoreIsPending)
{
    PutTextAndPrivate(QStringLiteral("before"), "p");
    {
        CClipboardBackup backup;
        ASSERT_TRUE(backup.Save());
        Board()->setText(QStringLiteral("during"));
    }
    EXPECT_EQ(Board()->text(), QStringLiteral("before"));
    EXPECT_EQ(Board()->mimeData()->data(PrivateFormat), QByteArray("p"));

    {
        CClipboardBackup backup;
        ASSERT_TRUE(backup.Save());
        Board()->setText(QStringLiteral("during"));
        ASSERT_TRUE(backup.Restore());
        Board()->setText(QStringLiteral("chosen after the run"));
    }
    EXPECT_EQ(Board()->text(), QStringLiteral("chosen after the run"));

    {
        CClipboardBackup unsaved;
    }
    EXPECT_EQ(Board()->text(), QStringLiteral("chosen after the run"));
}

TEST(CClipboardBackup, ImageHeldAsObjectSurvives)
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    Board()->setImage(image);

    CClipboardBackup backup(false);
    ASSERT_TRUE(backup.Save());
    Board()->setText(QStringLiteral("header block"));
    ASSERT_TRUE(backup.Restore());

    const QImage restored = Board()->image();
    ASSERT_FALSE(restored.isNull());
    EXPECT_EQ(restored.size(), image.size());
    EXPECT_EQ(restored.pixelColor(1, 1), QColor(Qt::red));
}

TEST(CClipboardBackup, WaitsForABusyClipboardThenSaves)
{
    Board()->setText(QStringLiteral("after the wait"));
    BusyClipboardBackup backup(3);
    ASSERT_TRUE(backup.Save());
    EXPECT_EQ(backup.polls, 4);
    ASSERT_EQ(backup.Entries().size(), 1u);
}

TEST(CClipboardBackup, GivesUpWaitingForAClipboardThatStaysBusy)
{
    Board()->setText(QStringLiteral("kept busy"));
    BusyClipboardBackup backup(-1);
    // The wait is bounded: both operations go ahead after it.
    EXPECT_TRUE(backup.Save());
    EXPECT_GT(backup.polls, 1);
    EXPECT_TRUE(backup.Restore());
    EXPECT_EQ(Board()->text(), QStringLiteral("kept busy"));
}
