// Word lists from flashcard programs: Anki's text export, Quizlet's copied
// text and Mnemosyne's tab-separated cards each make the book that the same
// words written as a word list of ours make; the shape is found from the
// file or named.
#include "ImportFixture.h"

#include "bookimport/BookTool.h"
#include "bookimport/HtmlText.h"

namespace {

class FlashcardImportTest : public ImportFixture {
protected:
    // The book made from `input` read as `from` (empty: found), or empty.
    QString ImportAs(const QString& input, const QString& from, Problems& problems, const QStringList& roles = {})
    {
        ImportRequest request;
        request.input = input;
        request.output = PathOf(QFileInfo(input).completeBaseName() + QStringLiteral("_main.db"));
        request.title = QStringLiteral("テストの本");
        request.from = from;
        request.roles = roles;
        request.force = true;
        return BookImporter().Import(request, problems);
    }

    // Expects the flashcard file and the word list to make equal books.
    void ExpectSameBook(
        const QString& name, const QByteArray& flashcards, const QString& sheet, const QString& from = {})
    {
        Problems problems;
        const QString book = ImportAs(Write(name, flashcards), from, problems);
        ASSERT_FALSE(book.isEmpty()) << name.toStdString() << "\n" << problems.Lines().join(u'\n').toStdString();
        EXPECT_FALSE(problems.HasErrors());
        const QString reference = Import(Write(name + QStringLiteral(".csv"), sheet.toUtf8()),
            PathOf(name + QStringLiteral("_reference_main.db")), QString(), &problems);
        ASSERT_FALSE(reference.isEmpty()) << problems.Lines().join(u'\n').toStdString();
        EXPECT_EQ(Content(book).join(u'\n').toStdString(), Content(reference).join(u'\n').toStdString())
            << name.toStdString();
    }
};

// A notes export with the deck and tags columns: HTML in the fields, a tab
// inside a quoted field, nested decks below a deck all notes share.
const QByteArray kAnkiNotes("#separator:tab\n"
                            "#html:true\n"
                            "#deck column:1\n"
                            "#tags column:4\n"
                            "英単語::第1課 学校\tachieve\t～を<b>達成する</b>&nbsp;<br>成し遂げる\t動詞 基本\n"
                            "英単語::第1課 学校\tattend\t\"～に出席する\t（通う）\"\t動詞\n"
                            "英単語::第2課 家\tbright\t<div>明るい</div><div>賢い</div>\t\n"
                            "英単語::第2課 家::発展\tsalt &amp; pepper\t塩とこしょう [sound:salt.mp3]\t名詞\n");

TEST_F(FlashcardImportTest, AnkiExportsMakeTheBookOfTheirWords)
{
    ExpectSameBook(QStringLiteral("anki_notes.txt"), kAnkiNotes,
        QStringLiteral("見出し語,意味,章,節\n"
                       "achieve,\"～を達成する\n成し遂げる\",第1課 学校,\n"
                       "attend,\"～に出席する\t（通う）\",第1課 学校,\n"
                       "bright,\"明るい\n賢い\",第2課 家,\n"
                       "salt & pepper,塩とこしょう,第2課 家,発展\n"));
    Problems problems;
    const QString book = ImportAs(PathOf(QStringLiteral("anki_notes.txt")), QString(), problems);
    EXPECT_EQ(QueryRows(book, QStringLiteral("select title from Indices order by sort_key")),
        (std::vector<SqlRow>{{QStringLiteral("テストの本")}, {QStringLiteral("第1課 学校")},
            {QStringLiteral("第2課 家")}, {QStringLiteral("発展")}}));
    EXPECT_EQ(QueryRows(book, QStringLiteral("select word from Keywords order by sort_key")),
        (std::vector<SqlRow>{{QStringLiteral("achieve")}, {QStringLiteral("attend")}, {QStringLiteral("bright")},
            {QStringLiteral("salt & pepper")}}));
    // The shape found and what each column became are said.
    ASSERT_FALSE(problems.List().empty());
    EXPECT_TRUE(problems.List().front().message.contains(QStringLiteral("Anki")));
    EXPECT_TRUE(problems.List().front().message.contains(QStringLiteral("2 列目「フィールド 1」→見出し語")))
        << problems.List().front().message.toStdString();

    // Columns named by "#columns:" in our words, a comma, no HTML, and one
    // deck for the whole file: its last level is the chapter.
    ExpectSameBook(QStringLiteral("anki_columns.txt"),
        "#separator:comma\n#html:false\n#deck:高校英語::Lesson 3\n#columns:意味,見出し語,例文\n"
        "達成する,achieve,\"She achieved her goal, at last.\"\n出席する,attend,<b>x</b> attended.\n",
        QStringLiteral("意味,見出し語,例文,章\n達成する,achieve,\"She achieved her goal, at last.\",Lesson 3\n"
                       "出席する,attend,<b>x</b> attended.,Lesson 3\n"));

    // The tags give the chapters when there is no deck.
    ExpectSameBook(QStringLiteral("anki_tags.txt"),
        "#separator:Pipe\n#tags column:3\nachieve|達成する|Unit::1 verb\nbright|明るい|Unit::2\n",
        QStringLiteral("見出し語,意味,章\nachieve,達成する,1\nbright,明るい,2\n"));
}

TEST_F(FlashcardImportTest, QuizletAndMnemosyneTextMakeTheBookOfTheirWords)
{
    const QString pairs = QStringLiteral("見出し語,意味\nachieve,達成する\nattend,\"出席する, 通う\"\n日本,にほん\n");
    ExpectSameBook(QStringLiteral("quizlet_tab.txt"),
        "achieve\t達成する\r\nattend\t出席する, 通う\r\n\r\n日本\tにほん\r\n", pairs);
    ExpectSameBook(
        QStringLiteral("quizlet_comma.txt"), "achieve,達成する\nattend,出席する, 通う\n日本,にほん\n", pairs);
    ExpectSameBook(QStringLiteral("quizlet_rows.txt"), "achieve,達成する;attend,出席する, 通う;日本,にほん;", pairs);

    // Two fields are a question and its answer; three or four a word, its
    // pronunciation, meaning and notes. Fields are HTML.
    ExpectSameBook(QStringLiteral("mnemosyne.txt"),
        "achieve\tə'tʃiːv\t達成する\t規則動詞\nattend\t\t出席する&#12290;\t\nbright\t明るい<br>賢い\n",
        QStringLiteral("見出し語,意味\nachieve,達成する\nattend,出席する。\nbright,\"明るい\n賢い\"\n"));
}

TEST_F(FlashcardImportTest, ProblemsNameTheFilesRowsAndColumns)
{
    const auto errorsOf = [this](const QByteArray& bytes, const QString& from) {
        Problems problems;
        EXPECT_TRUE(ImportAs(Write(QStringLiteral("bad.txt"), bytes), from, problems).isEmpty());
        QStringList errors;
        for (const Problem& p : problems.List())
            if (p.IsError())
                errors.append(QStringLiteral("%1:%2 %3").arg(p.row).arg(p.column).arg(p.message));
        return errors;
    };
    // A file of none of the shapes.
    const QStringList unknown = errorsOf("achieve\nattend\n", QString());
    ASSERT_EQ(unknown.size(), 1);
    EXPECT_TRUE(unknown[0].contains(QStringLiteral("形がわかりません"))) << unknown[0].toStdString();
    EXPECT_TRUE(errorsOf("achieve\nattend\n", QStringLiteral("quizlet"))[0].contains(QStringLiteral("Quizlet")));
    // An empty definition; a card of five fields; a note without a front.
    EXPECT_EQ(
        errorsOf("achieve\t達成する\nattend\t\n", QString()), QStringList{QStringLiteral("2:2 「意味」が空です")});
    EXPECT_TRUE(errorsOf("a\tb\tc\n\nd\te\tf\tg\th\n", QStringLiteral("mnemosyne"))[0].startsWith(
        QStringLiteral("3:0 Mnemosyne")));
    EXPECT_EQ(errorsOf("#separator:tab\n#html:true\nachieve\t達成する\n<br>\t出席する\n", QString()),
        QStringList{QStringLiteral("4:1 「見出し語」が空です")});
    // Roles the teacher chose: none for the meaning, or two columns alike.
    Problems problems;
    EXPECT_TRUE(
        ImportAs(Write(QStringLiteral("q.txt"), "a\tb\n"), QString(), problems, {QStringLiteral("見出し語"), QString()})
            .isEmpty());
    EXPECT_TRUE(problems.Lines().join(u'\n').contains(QStringLiteral("「意味」にする列がありません")));
    problems = Problems();
    EXPECT_TRUE(ImportAs(
        Write(QStringLiteral("q.txt"), "a\tb\n"), QString(), problems, {QStringLiteral("意味"), QStringLiteral("意味")})
                    .isEmpty());
    EXPECT_TRUE(problems.Lines().join(u'\n').contains(QStringLiteral("二つあります")));
}

TEST_F(FlashcardImportTest, TheCommandLineTakesTheShapeByName)
{
    QString out;
    QString err;
    const auto run = [&](const QStringList& arguments) {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return BookTool(outStream, errStream).Run(arguments);
    };
    // Anki's older exports have no header lines: named, they are read as Anki's.
    const QString old = Write(QStringLiteral("old.txt"), "achieve\t<i>達成する</i>\n");
    const QString book = PathOf(QStringLiteral("old_main.db"));
    ASSERT_EQ(run({QStringLiteral("import"), old, QStringLiteral("--from"), QStringLiteral("anki"),
                  QStringLiteral("-o"), book}),
        BookTool::kOk)
        << err.toStdString();
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    EXPECT_EQ(QueryRows(book, QStringLiteral("select sentence from Sentences where qid=1"))[0][0],
        QStringLiteral("達成する"));
    EXPECT_EQ(
        run({QStringLiteral("import"), old, QStringLiteral("--from"), QStringLiteral("supermemo")}), BookTool::kUsage);
    EXPECT_EQ(run({QStringLiteral("import"), old, QStringLiteral("--from"), QStringLiteral("sheet"),
                  QStringLiteral("-o"), PathOf(QStringLiteral("x_main.db"))}),
        BookTool::kProblems);
    EXPECT_TRUE(err.contains(QStringLiteral("見出し行がありません"))) << err.toStdString();
}

TEST_F(FlashcardImportTest, HtmlBecomesTheTextItShows)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a<br>b<br/>c", "a\nb\nc"},
        {"<div>一</div><div>二</div>三", "一\n二\n三"},
        {"&lt;b&gt; &amp; &quot;x&quot; &hellip; &#12354;&#x1F600;", "<b> & \"x\" … あ😀"},
        {"x<img src=\"a>b.png\">y<script>alert(1)</script><style>p{}</style>", "xy"},
        {"a < b & c <!-- note -->", "a < b & c"},
        {"&nbsp;<b>bold</b> <unknown>text</unknown><br>", "bold text"},
        {"&bogus; plain", "&bogus; plain"},
    };
    for (const auto& [html, text] : cases)
        EXPECT_EQ(HtmlText::ToText(QString::fromUtf8(html)), QString::fromUtf8(text)) << html;
}

} // namespace
