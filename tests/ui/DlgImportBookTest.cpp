// The book import window: the first rows and every problem before anything
// is written, the book in the teacher's book folder, then selected in the
// main window.
#include "MainWindowFixture.h"

#include "res/ResourceIds.h"
#include "ui/DlgImportBook.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>

#include <tuple>

namespace {

class DlgImportBookTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        oldHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_HOME", oldHome);
        MainWindowFixture::TearDown();
    }

    QString WriteSheet(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    template <typename T>
    static T* Part(DlgImportBook& dialog, const char* name)
    {
        T* part = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(part, nullptr) << name;
        return part;
    }

    QByteArray oldHome;
};

TEST_F(DlgImportBookTest, ShowsRowsAndProblemsFirstAndWritesOnlyASoundSheet)
{
    const QString sheet = WriteSheet(
        QStringLiteral("私の単語.csv"), "見出し語,意味,メモ\nachieve,達成する,x\nattend,,y\nbright,明るい,z\n");
    DlgImportBook dialog;
    dialog.SetFile(sheet);
    EXPECT_EQ(Part<QLineEdit>(dialog, "title")->text(), QStringLiteral("私の単語"));
    auto* preview = Part<QTableWidget>(dialog, "preview");
    EXPECT_EQ(preview->rowCount(), 3);
    EXPECT_EQ(preview->columnCount(), 3);
    EXPECT_EQ(preview->horizontalHeaderItem(1)->text(), QStringLiteral("意味"));
    EXPECT_EQ(preview->item(2, 0)->text(), QStringLiteral("bright"));
    auto* problems = Part<QListWidget>(dialog, "problems");
    ASSERT_EQ(problems->count(), 2);
    EXPECT_EQ(problems->item(0)->text(), QStringLiteral("1 行 3 列: 列「メモ」は使わないので読み飛ばします"));
    EXPECT_EQ(problems->item(1)->text(), QStringLiteral("3 行 2 列: 「意味」が空です"));
    EXPECT_FALSE(Part<QPushButton>(dialog, "run")->isEnabled());
    EXPECT_TRUE(Part<QLabel>(dialog, "summary")->text().contains(QStringLiteral("1 件")));
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("home/morvane-k/books"))).exists());

    // Mended, the sheet can be imported; a type that does not fit a word
    // list is refused before anything is written.
    WriteSheet(QStringLiteral("私の単語.csv"), "見出し語,意味\nachieve,達成する\nattend,出席する\n");
    Part<QComboBox>(dialog, "type")->setCurrentIndex(1);
    EXPECT_FALSE(Part<QPushButton>(dialog, "run")->isEnabled());
    Part<QComboBox>(dialog, "type")->setCurrentIndex(0);
    ASSERT_TRUE(Part<QPushButton>(dialog, "run")->isEnabled());
    EXPECT_TRUE(Part<QLabel>(dialog, "summary")->text().contains(QStringLiteral("語彙 2 語、小問 4 問、形式 2 種類")));
    Part<QPushButton>(dialog, "run")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.WrittenBook(), dir.filePath(QStringLiteral("home/morvane-k/books/私の単語_main.db")));
    EXPECT_TRUE(QFile::exists(dialog.WrittenBook()));
}

// Counts the progress dialogs shown while it is installed.
class ProgressWatcher : public QObject {
public:
    ProgressWatcher() { qApp->installEventFilter(this); }
    ~ProgressWatcher() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QProgressDialog*>(object))
            ++shown;
        return false;
    }
    int shown = 0;
};

TEST_F(DlgImportBookTest, OnlyALongImportShowsItsProgress)
{
    QByteArray rows("見出し語,意味\n");
    for (int i = 0; i < 3000; ++i)
        rows += "w" + QByteArray::number(i) + ",m\n";
    for (const auto& [name, bytes, expectShown] :
        {std::tuple{"short.csv", QByteArray("見出し語,意味\na,b\n"), false}, std::tuple{"long.csv", rows, true}}) {
        DlgImportBook dialog;
        dialog.SetFile(WriteSheet(QString::fromLatin1(name), bytes));
        ProgressWatcher watcher;
        Part<QPushButton>(dialog, "run")->click();
        EXPECT_FALSE(dialog.WrittenBook().isEmpty()) << name;
        EXPECT_EQ(watcher.shown > 0, expectShown) << name;
    }
}

TEST_F(DlgImportBookTest, TheImportedBookIsFoundAndSelected)
{
    LoadSampleBooks();
    DlgMain& main = Open();
    const QString sheet = WriteSheet(QStringLiteral("list.csv"), "見出し語,意味\nachieve,達成する\n");
    DlgImportBook dialog;
    dialog.SetFile(sheet);
    Part<QLineEdit>(dialog, "title")->setText(QStringLiteral("先生の単語帳"));
    Part<QPushButton>(dialog, "run")->click();
    ASSERT_FALSE(dialog.WrittenBook().isEmpty());

    dialogs->bookToImport = dialog.WrittenBook();
    main.ExecuteCommand(Res::ID_IMPORT_BOOK);
    EXPECT_EQ(Control<QLineEdit>(main, Res::IDC_BOOK_NAME)->text(), QStringLiteral("先生の単語帳"));
    EXPECT_EQ(model.Storage().CurrentBook()->path, dialog.WrittenBook());
}

} // namespace
