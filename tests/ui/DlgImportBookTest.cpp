// The book import window: the first rows and every problem before anything
// is written, the book in the teacher's book folder, then selected in the
// main window.
#include "MainWindowFixture.h"

#include "res/ResourceIds.h"
#include "support/SampleBooks.h"
#include "ui/ColumnMappingTable.h"
#include "ui/DlgImportBook.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

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

    // The preview reads the file on a thread of its own: waits for it.
    static void Shown(DlgImportBook& dialog)
    {
        ASSERT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.IsReading(); }, 30000));
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
    Shown(dialog);
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
    Shown(dialog);
    EXPECT_FALSE(Part<QPushButton>(dialog, "run")->isEnabled());
    Part<QComboBox>(dialog, "type")->setCurrentIndex(0);
    Shown(dialog);
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
        Shown(dialog);
        ProgressWatcher watcher;
        Part<QPushButton>(dialog, "run")->click();
        EXPECT_FALSE(dialog.WrittenBook().isEmpty()) << name;
        EXPECT_EQ(watcher.shown > 0, expectShown) << name;
    }
}

TEST_F(DlgImportBookTest, AFlashcardFilesColumnsTakeTheRolesChosenBeforeImport)
{
    // Front in Japanese, back in English, an example third: the file's own
    // order would make the Japanese the headwords.
    const QString file = WriteSheet(QStringLiteral("私のデッキ.txt"),
        "#separator:tab\n#html:true\n#columns:Front\tBack\tExample\n#deck:英語::第3課\n"
        "達成する\tachieve\tShe <b>achieved</b> her goal.\n出席する\tattend\tWe attended the meeting.\n");
    DlgImportBook dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.SetFile(file);
    Shown(dialog);
    auto* mapping = Part<ColumnMappingTable>(dialog, "mapping");
    ASSERT_TRUE(mapping->isVisible());
    EXPECT_EQ(mapping->Roles(),
        (QStringList{QStringLiteral("見出し語"), QStringLiteral("意味"), QString(), QStringLiteral("章"),
            QStringLiteral("節")}));
    EXPECT_EQ(mapping->item(0, 0)->text(), QStringLiteral("1 列目「Front」"));
    EXPECT_EQ(mapping->item(2, 1)->text(), QStringLiteral("She achieved her goal."));
    EXPECT_TRUE(Part<QPushButton>(dialog, "run")->isEnabled());
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("home/morvane-k/books"))).exists());

    // The teacher moves each column to its role with the keyboard: the
    // front to 意味 (two columns are 意味 until the back is moved on), the
    // back to 見出し語, the example to 例文.
    auto* front = Part<QComboBox>(dialog, "role1");
    auto* back = Part<QComboBox>(dialog, "role2");
    auto* example = Part<QComboBox>(dialog, "role3");
    front->setFocus();
    QTest::keyClick(front, Qt::Key_Down);
    Shown(dialog);
    EXPECT_FALSE(Part<QPushButton>(dialog, "run")->isEnabled());
    EXPECT_TRUE(Part<QListWidget>(dialog, "problems")->item(1)->text().contains(QStringLiteral("二つあります")));
    back->setFocus();
    QTest::keyClick(back, Qt::Key_Up);
    Shown(dialog);
    example->setFocus();
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(example, Qt::Key_Down);
        Shown(dialog);
    }
    EXPECT_EQ(mapping->Roles(),
        (QStringList{QStringLiteral("意味"), QStringLiteral("見出し語"), QStringLiteral("例文"), QStringLiteral("章"),
            QStringLiteral("節")}));
    EXPECT_TRUE(Part<QLabel>(dialog, "summary")->text().contains(QStringLiteral("語彙 2 語、小問 6 問、形式 3 種類")))
        << Part<QLabel>(dialog, "summary")->text().toStdString();

    QTest::mouseClick(Part<QPushButton>(dialog, "run"), Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const QString book = dialog.WrittenBook();
    EXPECT_EQ(QueryRows(book, QStringLiteral("select word from Keywords order by sort_key")),
        (std::vector<SqlRow>{{QStringLiteral("achieve")}, {QStringLiteral("attend")}}));
    EXPECT_EQ(QueryRows(book, QStringLiteral("select answer from Sentences where qid=2 order by sort_key")),
        (std::vector<SqlRow>{{QStringLiteral("達成する")}, {QStringLiteral("出席する")}}));
    EXPECT_EQ(QueryRows(book, QStringLiteral("select title from Indices where parent_iid=1")),
        (std::vector<SqlRow>{{QStringLiteral("第3課")}}));
}

TEST_F(DlgImportBookTest, TheShapeIsFoundOrChosenAndAFileOfNoShapeIsRefused)
{
    DlgImportBook dialog;
    auto* format = Part<QComboBox>(dialog, "format");
    QStringList offered;
    for (int i = 0; i < format->count(); ++i)
        offered.append(format->itemText(i));
    EXPECT_EQ(offered,
        (QStringList{QStringLiteral("ファイルから判断"), QStringLiteral("列名つきの表"),
            QStringLiteral("Anki のテキスト書き出し"), QStringLiteral("Quizlet のコピー"),
            QStringLiteral("Mnemosyne のタブ区切り")}));

    // Our own table has no mapping step.
    dialog.SetFile(WriteSheet(QStringLiteral("list.csv"), "見出し語,意味\nachieve,達成する\n"));
    Shown(dialog);
    EXPECT_TRUE(Part<ColumnMappingTable>(dialog, "mapping")->isHidden());
    EXPECT_TRUE(Part<QPushButton>(dialog, "run")->isEnabled());

    // Pairs without a header are Quizlet's; read as our table they are refused.
    dialog.SetFile(WriteSheet(QStringLiteral("pairs.txt"), "achieve,達成する\nattend,出席する\n"));
    Shown(dialog);
    EXPECT_FALSE(Part<ColumnMappingTable>(dialog, "mapping")->isHidden());
    EXPECT_TRUE(Part<QListWidget>(dialog, "problems")
                    ->item(0)
                    ->text()
                    .startsWith(QStringLiteral("Quizlet のコピーとして読みます")));
    EXPECT_TRUE(Part<QPushButton>(dialog, "run")->isEnabled());
    format->setCurrentIndex(format->findText(QStringLiteral("列名つきの表")));
    Shown(dialog);
    EXPECT_FALSE(Part<QPushButton>(dialog, "run")->isEnabled());

    format->setCurrentIndex(0);
    Shown(dialog);
    dialog.SetFile(WriteSheet(QStringLiteral("memo.txt"), "買い物\n牛乳\n"));
    Shown(dialog);
    EXPECT_FALSE(Part<QPushButton>(dialog, "run")->isEnabled());
    EXPECT_TRUE(Part<QListWidget>(dialog, "problems")->item(0)->text().contains(QStringLiteral("形がわかりません")));
}

// A large file is read and imported off the window's thread: the window
// answers while it is read, the teacher can stop the reading and the
// import, and closing the window stops them too.
TEST_F(DlgImportBookTest, ALargeFileIsReadWhileTheWindowAnswersAndCanBeStopped)
{
    QByteArray rows("見出し語,意味\n");
    for (int i = 0; i < 300000; ++i)
        rows += "w" + QByteArray::number(i) + ",<b>意味" + QByteArray::number(i) + "</b>\n";
    const QString large = WriteSheet(QStringLiteral("large.csv"), rows);
    DlgImportBook dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* stop = Part<QPushButton>(dialog, "stop");
    dialog.SetFile(large);
    ASSERT_TRUE(dialog.IsReading());
    EXPECT_TRUE(stop->isVisible());
    bool answeredWhileReading = false;
    QTimer::singleShot(0, &dialog, [&] { answeredWhileReading = dialog.IsReading(); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answeredWhileReading; }, 10000));

    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_FALSE(dialog.IsReading());
    EXPECT_FALSE(stop->isVisible());
    EXPECT_EQ(Part<QLabel>(dialog, "summary")->text(), QStringLiteral("取り込みをやめました。"));
    EXPECT_FALSE(Part<QPushButton>(dialog, "run")->isEnabled());

    // The import reads again on its own thread; closing the window stops
    // it, leaving no book and the window open.
    dialog.SetFile(large);
    Shown(dialog);
    ASSERT_TRUE(Part<QPushButton>(dialog, "run")->isEnabled());
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
    Part<QPushButton>(dialog, "run")->click();
    EXPECT_TRUE(dialog.WrittenBook().isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Part<QLabel>(dialog, "summary")->text(), QStringLiteral("取り込みをやめました。"));
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("home/morvane-k/books"))).entryList(QDir::Files | QDir::Hidden),
        QStringList());

    dialog.SetFile(WriteSheet(QStringLiteral("small.csv"), "見出し語,意味\nachieve,達成する\n"));
    Shown(dialog);
    EXPECT_TRUE(Part<QPushButton>(dialog, "run")->isEnabled());
    EXPECT_EQ(Part<QTableWidget>(dialog, "preview")->rowCount(), 1);

    auto closed = std::make_unique<DlgImportBook>();
    closed->SetFile(large);
    ASSERT_TRUE(closed->IsReading());
    closed.reset();
}

TEST_F(DlgImportBookTest, TheImportedBookIsFoundAndSelected)
{
    LoadSampleBooks();
    DlgMain& main = Open();
    const QString sheet = WriteSheet(QStringLiteral("list.csv"), "見出し語,意味\nachieve,達成する\n");
    DlgImportBook dialog;
    dialog.SetFile(sheet);
    Shown(dialog);
    Part<QLineEdit>(dialog, "title")->setText(QStringLiteral("先生の単語帳"));
    Part<QPushButton>(dialog, "run")->click();
    ASSERT_FALSE(dialog.WrittenBook().isEmpty());

    dialogs->bookToImport = dialog.WrittenBook();
    main.ExecuteCommand(Res::ID_IMPORT_BOOK);
    EXPECT_EQ(Control<QLineEdit>(main, Res::IDC_BOOK_NAME)->text(), QStringLiteral("先生の単語帳"));
    EXPECT_EQ(model.Storage().CurrentBook()->path, dialog.WrittenBook());
}

} // namespace
