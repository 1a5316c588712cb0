// Prints written straight into files against the real office: the
// program's command line (tavisko --print-to) run as its own process
// without a display, each format read back; the failures that must leave
// nothing behind; and a print run of the window whose office is stopped
// in the middle of it.
#include "OfficeTestSupport.h"

#include "app/Application.h"
#include "desktop/MessageBox.h"
#include "history/HistoryStore.h"
#include "history/RunRestorer.h"
#include "app/PrintCommandLine.h"
#include "automation/WordConstants.h"
#include "automation/office/OfficeBackends.h"
#include "automation/office/OfficeSession.h"
#include "automation/office/WriterApplication.h"
#include "markup/DecodeGaijiCode.h"
#include "markup/GaijiFace.h"
#include "markup/GaijiMapper.h"
#include "markup/TagStripper.h"
#include "model/Book.h"
#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "model/Sentence.h"
#include "print/Templ.h"
#include "quiz/Model.h"
#include "quiz/ModelSerializer.h"
#include "quiz/NodeSerializer.h"
#include "res/ResourceIds.h"
#include "support/RecordingCreator.h"
#include "support/RecordingMessageSink.h"
#include "support/SampleBooks.h"
#include "ui/DlgMain.h"
#include "ui/PrintRunControl.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>

namespace {

const QString ProgramFolder = QFileInfo(QStringLiteral(TV_TEST_DATA_DIR)).absolutePath();
const QString Program = ProgramFolder + QStringLiteral("/tavisko");

// The texts of one print as a reader of the file sees them.
struct PrintTexts {
    QStringList sentences;
    QStringList answers;
};

QString Squeezed(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

// Text of the document in a finished file, whitespace removed; for a PDF
// one text per page.
QStringList PdfPages(const QString& file)
{
    QProcess process;
    process.start(
        QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    process.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && Squeezed(pages.last()).isEmpty())
        pages.removeLast();
    for (QString& page : pages)
        page = Squeezed(page);
    return pages;
}

struct PdfFont {
    QString name;
    bool embedded = false;
};

// The fonts of a PDF as pdffonts lists them.
std::vector<PdfFont> PdfFonts(const QString& file)
{
    QProcess process;
    process.start(QStringLiteral("pdffonts"), {file});
    process.waitForFinished(60000);
    std::vector<PdfFont> fonts;
    const QStringList rows
        = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    for (const QString& row : rows) {
        // name, type (one or two words), encoding, emb, sub, uni, object, id
        const QStringList columns = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (columns.size() >= 5)
            fonts.push_back({columns.front(), columns[columns.size() - 5] == QStringLiteral("yes")});
    }
    return fonts;
}

QString ZippedXmlText(const QString& file, const QString& member)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, member});
    process.waitForFinished(60000);
    QString xml = QString::fromUtf8(process.readAllStandardOutput());
    xml.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return Squeezed(xml);
}

// The characters in code order, to compare and to show.
QString Sorted(const QSet<QChar>& characters)
{
    QString text;
    for (const QChar c : characters)
        text += c;
    std::sort(text.begin(), text.end());
    return text;
}

QStringList MessageTexts(const RecordingMessageSink& sink)
{
    QStringList texts;
    for (const MessageRequest& message : sink.Messages())
        texts << message.text;
    return texts;
}

bool GoneWithin(pid_t group, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (OfficeTest::ProcessGroupAlive(group) && clock.elapsed() < milliseconds)
        QTest::qWait(50);
    return !OfficeTest::ProcessGroupAlive(group);
}

class PrintToFile : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
        out = dir.filePath(QStringLiteral("out"));
        ASSERT_TRUE(QDir().mkpath(out));
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", savedDataHome); }

    // The installed program's model, its word processors stand-ins.
    static void StartModel(Model& model)
    {
        model.RegisterCreator(Model::kWord, std::make_shared<RecordingCreator>());
        model.RegisterCreator(Model::kIchitaro, std::make_shared<RecordingCreator>());
        ASSERT_EQ(model.Initialize(Path(ProgramFolder)), Model::kInitOk);
    }

    // The current book's first two question formats, every index entry as
    // the range, and `prints` prints filled by automatic selection, three
    // sub-questions a format; `options` gets the options it ran with.
    static void SelectAutomatically(Model& model, int prints, AutoSelectOptions& options)
    {
        const auto& questions = model.Storage().Questions();
        ASSERT_GE(questions.size(), 2u);
        model.SetQuestions({questions[0]->qid, questions[1]->qid});
        std::vector<int> iids;
        for (const SqlRow& row :
            QueryRows(model.Db().BookPath(), QStringLiteral("SELECT iid FROM Indices WHERE enable = 1")))
            iids.push_back(row.at(0).toInt());
        model.SetRange(Ranges(iids));
        options = model.ReadAutoSelectOptions();
        options.printCount = prints;
        for (auto& count : options.counts)
            count.second = 3;
        std::array<bool, 2> warnings{false, false};
        const int selected = model.AutoSelect(options, warnings);
        ASSERT_TRUE(selected == Model::kAutoSelectOk || selected == Model::kAutoSelectWarnings) << selected;
    }

    // Leaves in the user database what a teacher's session leaves: the
    // first sample book, its first two question formats, every index entry
    // as the range, and `prints` prints filled by automatic selection.
    void SaveSelection(int prints = 2)
    {
        Model model;
        StartModel(model);
        ASSERT_FALSE(HasFatalFailure());
        AutoSelectOptions options;
        SelectAutomatically(model, prints, options);
        ASSERT_FALSE(HasFatalFailure());
        model.WriteAutoSelectOptions(options);
        model.WriteWpa(Model::kWord);
        model.WriteTemplateName(QStringLiteral("横書き標準.dot"));
        ModelSerializer(model, model.Db()).Save();

        expected.clear();
        const TagStripper stripper;
        for (const Quiz& quiz : model.Quizzes()) {
            PrintTexts texts;
            for (const QuestionUnit& unit : quiz.Units())
                for (const Sentence* sentence : unit.Sentences()) {
                    texts.sentences << Squeezed(stripper.Strip(sentence->sentence));
                    texts.answers << Squeezed(stripper.Strip(sentence->answer));
                }
            expected.push_back(texts);
        }
    }

    struct Outcome {
        int status = -1;
        QString error;
    };
    // The program run as a teacher's script runs it: no display, no Qt
    // platform chosen.
    Outcome Run(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(Program, arguments);
        EXPECT_TRUE(process.waitForFinished(300000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
    }

    // Leaves in the user database one print of the "303" book made of every
    // sentence of its first two formats that has an external character in
    // its question or answer; the Word creator's horizontal template.
    // `codePositions` gets the characters those external characters are.
    void SaveExternalCharacterSelection(QSet<QChar>& codePositions)
    {
        Model model;
        model.RegisterCreator(Model::kWord, std::make_shared<RecordingCreator>());
        model.RegisterCreator(Model::kIchitaro, std::make_shared<RecordingCreator>());
        ASSERT_EQ(model.Initialize(Path(ProgramFolder)), Model::kInitOk);
        const Book* book = nullptr;
        for (const Book* candidate : model.Storage().Books())
            if (candidate->FilePath().endsWith(QStringLiteral("kanji303_main.db")))
                book = candidate;
        ASSERT_NE(book, nullptr);
        ASSERT_EQ(model.SelectBook(*book), 0);
        model.SetQuestions({1, 2});
        std::vector<int> iids;
        for (const SqlRow& row :
            QueryRows(book->FilePath(), QStringLiteral("SELECT iid FROM Indices WHERE enable = 1")))
            iids.push_back(row.at(0).toInt());
        model.SetRange(Ranges(iids));
        Quiz quiz = model.GetQuiz(0);
        const QRegularExpression tag(QStringLiteral("<G=([0-9A-Fa-f]+)>"));
        for (const SqlRow& row : QueryRows(book->FilePath(),
                 QStringLiteral("SELECT sid FROM Sentences WHERE qid IN (1, 2) AND "
                                "(sentence LIKE '%<G=%' OR answer LIKE '%<G=%') ORDER BY sid"))) {
            const Sentence* sentence = model.Storage().SentenceById(row.at(0).toInt());
            ASSERT_NE(sentence, nullptr);
            ASSERT_TRUE(quiz.AddSentence(sentence));
            for (const QString& text : {sentence->sentence, sentence->answer})
                for (const QRegularExpressionMatch& match : tag.globalMatch(text))
                    for (const QChar c : DecodeGaijiCode(match.captured(1)))
                        codePositions.insert(c);
        }
        model.SetQuiz(0, quiz);
        model.WriteWpa(Model::kWord);
        model.WriteTemplateName(QStringLiteral("横書き標準.dot"));
        ModelSerializer(model, model.Db()).Save();
    }

    QStringList OutFiles() const { return QDir(out).entryList(QDir::Files | QDir::Hidden); }

    // A failed run: the status, one line saying why (a wrong command: the
    // usage after it), and nothing new in the output folder.
    void ExpectFailure(const Outcome& outcome, int status, const QString& why)
    {
        EXPECT_EQ(outcome.status, status);
        EXPECT_TRUE(outcome.error.startsWith(QStringLiteral("tavisko: "))) << outcome.error.toStdString();
        const QString first = outcome.error.section(QLatin1Char('\n'), 0, 0);
        EXPECT_TRUE(first.contains(why)) << outcome.error.toStdString();
        const QString rest = outcome.error.section(QLatin1Char('\n'), 1);
        if (status == PrintCommandLine::kBadUsage && first.contains(QStringLiteral("使い方が正しくありません")))
            EXPECT_TRUE(rest.startsWith(QStringLiteral("使い方: tavisko --print-to"))) << outcome.error.toStdString();
        else
            EXPECT_EQ(rest, QString()) << outcome.error.toStdString();
    }

    QTemporaryDir dir;
    QByteArray savedDataHome;
    QString out;
    std::vector<PrintTexts> expected;
};

// Each print's question half and answer half on pages of their own: the
// questions first, then the answers, in print order, with every font in
// the file.
TEST_F(PrintToFile, PdfHoldsEveryPrintsHalvesWithItsFontsEmbedded)
{
    SaveSelection(2);
    const QString file = out + QStringLiteral("/prints.pdf");
    const Outcome outcome = Run({QStringLiteral("--print-to"), file});
    ASSERT_EQ(outcome.status, 0) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome.error.toStdString();
    EXPECT_EQ(OutFiles(), QStringList{QStringLiteral("prints.pdf")});

    const QStringList pages = PdfPages(file);
    ASSERT_EQ(pages.size(), 2 * static_cast<int>(expected.size()));
    for (size_t p = 0; p < expected.size(); ++p) {
        const QString& questions = pages[static_cast<int>(p)];
        const QString& answers = pages[static_cast<int>(p + expected.size())];
        for (const QString& sentence : expected[p].sentences) {
            EXPECT_TRUE(questions.contains(sentence)) << "print " << p + 1 << ": " << sentence.toStdString();
            EXPECT_TRUE(answers.contains(sentence)) << "print " << p + 1 << ": " << sentence.toStdString();
        }
        for (const QString& answer : expected[p].answers) {
            EXPECT_FALSE(questions.contains(answer)) << "print " << p + 1 << ": " << answer.toStdString();
            EXPECT_TRUE(answers.contains(answer)) << "print " << p + 1 << ": " << answer.toStdString();
        }
    }

    const std::vector<PdfFont> fonts = PdfFonts(file);
    ASSERT_FALSE(fonts.empty());
    for (const PdfFont& font : fonts)
        EXPECT_TRUE(font.embedded) << font.name.toStdString();
}

// The other formats, through both word processors' creators: the named
// template decides which.
TEST_F(PrintToFile, OdtDocxAndDocHoldEverySentenceAndAnswer)
{
    SaveSelection(1);
    const QString odt = out + QStringLiteral("/prints.odt");
    const QString docx = out + QStringLiteral("/prints.DOCX");
    const QString doc = out + QStringLiteral("/prints.doc");
    Outcome outcome = Run({QStringLiteral("--print-to=") + odt});
    ASSERT_EQ(outcome.status, 0) << outcome.error.toStdString();
    outcome = Run({QStringLiteral("--template"), QStringLiteral("縦書き標準.jtt"), QStringLiteral("--print-to"), docx});
    ASSERT_EQ(outcome.status, 0) << outcome.error.toStdString();
    // A template of the teacher's own, named without its extension.
    const QString own = dir.filePath(QStringLiteral("home/morvane-k/template"));
    ASSERT_TRUE(QDir().mkpath(own));
    ASSERT_TRUE(QFile::copy(
        ProgramFolder + QStringLiteral("/data/template/横書き標準.jtt"), own + QStringLiteral("/自作.jtt")));
    outcome = Run({QStringLiteral("--print-to"), doc, QStringLiteral("--template=自作")});
    ASSERT_EQ(outcome.status, 0) << outcome.error.toStdString();

    const QString odtText = ZippedXmlText(odt, QStringLiteral("content.xml"));
    const QString docxText = ZippedXmlText(docx, QStringLiteral("word/document.xml"));
    for (const QString& text : expected[0].sentences + expected[0].answers) {
        EXPECT_EQ(odtText.count(text) >= 1, true) << text.toStdString();
        EXPECT_EQ(docxText.count(text) >= 1, true) << text.toStdString();
    }
    QFile binary(doc);
    ASSERT_TRUE(binary.open(QIODevice::ReadOnly));
    EXPECT_EQ(binary.read(4), QByteArray("\xD0\xCF\x11\xE0", 4)); // a Word 97 (compound) file
    EXPECT_EQ(OutFiles().size(), 3);
}

// A template whose header holds an image linked to an address on the
// network: a run of several prints never reaches that address, the prints
// are made all the same, and the run tells the teacher once.
TEST_F(PrintToFile, LinkedImageOfATemplateIsNeverFetched)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    int connections = 0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            ++connections;
            socket->write("HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n");
            socket->disconnectFromHost();
        }
    });

    // The bundled template with the image put beside its title line, which
    // every print repeats.
    const QString own = dir.filePath(QStringLiteral("home/morvane-k/template"));
    ASSERT_TRUE(QDir().mkpath(own));
    const QString linked = own + QStringLiteral("/リンク付き.jtt");
    ASSERT_TRUE(QFile::copy(ProgramFolder + QStringLiteral("/data/template/横書き標準.jtt"), linked));
    ASSERT_TRUE(QFile::setPermissions(linked, QFile::ReadOwner | QFile::WriteOwner));
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), linked, QStringLiteral("content.xml")});
    ASSERT_TRUE(unzip.waitForFinished(60000));
    QString content = QString::fromUtf8(unzip.readAllStandardOutput());
    ASSERT_TRUE(content.contains(QStringLiteral("@title")));
    content.replace(QStringLiteral("@title"),
        QStringLiteral("@title<draw:frame draw:name=\"tracker\" text:anchor-type=\"as-char\" svg:width=\"1cm\" "
                       "svg:height=\"1cm\"><draw:image xlink:href=\"http://127.0.0.1:%1/pixel.png\" "
                       "xlink:type=\"simple\" xlink:show=\"embed\" xlink:actuate=\"onLoad\"/></draw:frame>")
            .arg(server.serverPort()));
    QTemporaryDir member;
    ASSERT_TRUE(member.isValid());
    QFile xml(member.filePath(QStringLiteral("content.xml")));
    ASSERT_TRUE(xml.open(QIODevice::WriteOnly));
    xml.write(content.toUtf8());
    xml.close();
    QProcess zip;
    zip.setWorkingDirectory(member.path());
    zip.start(QStringLiteral("zip"), {QStringLiteral("-q"), linked, QStringLiteral("content.xml")});
    ASSERT_TRUE(zip.waitForFinished(60000));
    ASSERT_EQ(zip.exitCode(), 0);

    SaveSelection(4);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess run;
    run.setProcessEnvironment(environment);
    const QString pdf = out + QStringLiteral("/linked.pdf");
    run.start(Program, {QStringLiteral("--template=リンク付き"), QStringLiteral("--print-to"), pdf});
    // The server answers while the run goes on.
    QElapsedTimer clock;
    clock.start();
    while (run.state() != QProcess::NotRunning && clock.elapsed() < 300000)
        QTest::qWait(100);
    ASSERT_EQ(run.state(), QProcess::NotRunning);
    const QString error = QString::fromUtf8(run.readAllStandardError());
    EXPECT_EQ(run.exitCode(), PrintCommandLine::kSucceeded) << error.toStdString();
    EXPECT_EQ(connections, 0);
    // The run says so, once, naming the address.
    EXPECT_EQ(error.count(QStringLiteral("雛形の外の画像などへのリンクがあります")), 1) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("http://127.0.0.1:%1/pixel.png").arg(server.serverPort())));
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2 * static_cast<int>(expected.size()));
    EXPECT_TRUE(pages[0].contains(expected[0].sentences.front())) << pages[0].toStdString();
}

// --auto-select fills the saved number of prints anew before printing;
// the stored selection is not changed by it.
TEST_F(PrintToFile, AutoSelectPrintsTheSavedNumberOfPrintsAndSavesNothing)
{
    SaveSelection(1);
    const QString userDatabase = dir.filePath(QStringLiteral("home/morvane-k/userdata/tv_user.db"));
    const auto storedQuiz = [&] {
        return QueryRows(userDatabase, QStringLiteral("SELECT value FROM Info WHERE name = 'quiz'")).at(0).at(0);
    };
    const QVariant before = storedQuiz();
    {
        DataBase db;
        ASSERT_EQ(db.OpenUser(userDatabase), 0);
        ASSERT_EQ(db.SetUserInfoInt(QStringLiteral("autosel_p_count"), 3), 0);
    }
    const QString file = out + QStringLiteral("/auto.pdf");
    const Outcome outcome = Run({QStringLiteral("--auto-select"), QStringLiteral("--print-to"), file});
    ASSERT_EQ(outcome.status, 0) << outcome.error.toStdString();
    EXPECT_EQ(PdfPages(file).size(), 6);
    EXPECT_EQ(storedQuiz(), before);
}

// A recorded run put back as 出題履歴's 開く puts it back prints the same
// text as the first time, for every bundled book through both word
// processors' creators. Between the two prints the saved selection is
// replaced by a new draw, so only the record can bring the prints back.
TEST_F(PrintToFile, ReopenedRunPrintsWhatTheRecordedRunPrinted)
{
    const QString history = dir.filePath(QStringLiteral("home/morvane-k/userdata/tv_history.db"));
    const std::array<std::pair<QString, int>, 2> templates{std::pair{QStringLiteral("横書き標準.dot"), Model::kWord},
        std::pair{QStringLiteral("縦書き標準.jtt"), Model::kIchitaro}};
    for (const auto& [templateName, wordProcessor] : templates) {
        for (std::size_t b = 0;; ++b) {
            Model model;
            StartModel(model);
            ASSERT_FALSE(HasFatalFailure());
            if (b >= model.Storage().Books().size())
                break;
            SCOPED_TRACE(templateName.toStdString() + " book " + std::to_string(b));
            ASSERT_EQ(model.SelectBook(*model.Storage().Books()[b]), 0);
            AutoSelectOptions options;
            SelectAutomatically(model, 2, options);
            ASSERT_FALSE(HasFatalFailure());
            model.WriteWpa(wordProcessor);
            model.WriteTemplateName(templateName);
            ModelSerializer(model, model.Db()).Save();
            const QString first = out + QStringLiteral("/first-%1.pdf").arg(b);
            const Outcome printed = Run({QStringLiteral("--print-to"), first});
            ASSERT_EQ(printed.status, 0) << printed.error.toStdString();

            SelectAutomatically(model, 2, options);
            ModelSerializer(model, model.Db()).Save();
            HistoryStore store(history);
            const auto runs = store.Runs();
            ASSERT_FALSE(runs.empty());
            const std::optional<RunRecord> recorded = store.Run(runs.front().run.id);
            ASSERT_TRUE(recorded);
            {
                Model reopened;
                StartModel(reopened);
                const RunRestorer::Outcome restored = RunRestorer::Restore(reopened, *recorded);
                ASSERT_TRUE(restored.restored);
                EXPECT_TRUE(restored.missing.empty());
                ModelSerializer(reopened, reopened.Db()).Save();
            }
            const QString again = out + QStringLiteral("/again-%1.pdf").arg(b);
            const Outcome reprinted = Run({QStringLiteral("--print-to"), again});
            ASSERT_EQ(reprinted.status, 0) << reprinted.error.toStdString();
            const QStringList pages = PdfPages(first);
            EXPECT_FALSE(pages.isEmpty());
            EXPECT_EQ(PdfPages(again), pages);
        }
    }
}

// The external characters of the "303" book printed through the program's
// command line: in the document every one of them, and nothing else, is
// set in the external-character font (whose glyph at that code position is
// the intended kanji; any other font shows an unrelated one), through
// either word processor's creator; and a PDF carries that font embedded.
TEST_F(PrintToFile, ExternalCharactersAreSetInTheirFontWhichThePdfEmbeds)
{
    QSet<QChar> codePositions;
    SaveExternalCharacterSelection(codePositions);
    ASSERT_GE(codePositions.size(), 3);
    const GaijiMapper mapper;
    for (const QChar c : codePositions)
        ASSERT_NE(mapper.Map(QString(c)), QString(c))
            << "not a code position of the font: " << QString(c).toStdString();

    const QString odt = out + QStringLiteral("/word.odt");
    const QString taroOdt = out + QStringLiteral("/taro.odt");
    const QString pdf = out + QStringLiteral("/prints.pdf");
    for (const QStringList& arguments : {QStringList{QStringLiteral("--print-to"), odt},
             QStringList{
                 QStringLiteral("--template"), QStringLiteral("縦書き標準.jtt"), QStringLiteral("--print-to"), taroOdt},
             QStringList{QStringLiteral("--print-to"), pdf}}) {
        const Outcome outcome = Run(arguments);
        ASSERT_EQ(outcome.status, 0) << arguments.join(QLatin1Char(' ')).toStdString() << ": "
                                     << outcome.error.toStdString();
    }

    const auto reader = Office::WriterApplication::Create(Office::OfficeSession::Shared());
    for (const QString& file : {odt, taroOdt}) {
        SCOPED_TRACE(file.toStdString());
        const std::shared_ptr<Word::_Document> document = reader->AddDocument(file);
        QSet<QChar> found;
        for (const OfficeTest::Portion& portion : OfficeTest::Portions(document)) {
            const bool inGaijiFont = portion.faceAsian == GaijiFaceName;
            for (const QChar c : portion.text) {
                const bool codePosition = mapper.Map(QString(c)) != QString(c);
                EXPECT_EQ(inGaijiFont, codePosition)
                    << "\"" << QString(c).toStdString() << "\" in \"" << portion.text.toStdString() << "\", face "
                    << portion.faceAsian.toStdString();
                if (codePosition)
                    found.insert(c);
            }
        }
        EXPECT_EQ(Sorted(found).toStdString(), Sorted(codePositions).toStdString());
    }
    reader->CloseDocuments(Word::wdDoNotSaveChanges);

    const QStringList text = PdfPages(pdf);
    for (const QChar c : codePositions)
        EXPECT_TRUE(text.join(QString()).contains(c)) << QString(c).toStdString();
    QStringList gaijiFonts;
    for (const PdfFont& font : PdfFonts(pdf)) {
        if (!font.name.contains(QStringLiteral("MorvaneGaiji")))
            continue;
        gaijiFonts << font.name;
        EXPECT_TRUE(font.embedded) << font.name.toStdString();
    }
    EXPECT_FALSE(gaijiFonts.isEmpty());
}

// Whether any process still runs with `text` in its command line.
bool AnyProcessMentions(const QString& text)
{
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (cmdline.open(QIODevice::ReadOnly) && QString::fromUtf8(cmdline.readAll()).contains(text))
            return true;
    }
    return false;
}

// SIGTERM in the middle of a run: the run is cancelled with status 6, its
// temporary file is gone and the office it started has ended.
TEST_F(PrintToFile, TerminationCancelsLeavingNoFileAndNoOffice)
{
    SaveSelection(10);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    const QString cache = dir.filePath(QStringLiteral("cache"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(Program, {QStringLiteral("--print-to"), out + QStringLiteral("/run.pdf")});
    ASSERT_TRUE(process.waitForStarted());
    // The run has begun once its temporary file is there and its office runs.
    for (int waited = 0; waited < 1200 && (OutFiles().isEmpty() || !AnyProcessMentions(cache)); ++waited)
        QTest::qWait(100);
    ASSERT_FALSE(OutFiles().isEmpty());
    QTest::qWait(1000);
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), PrintCommandLine::kCancelled);
    EXPECT_TRUE(OutFiles().isEmpty()) << OutFiles().join(u' ').toStdString();
    for (int waited = 0; waited < 100 && AnyProcessMentions(cache); ++waited)
        QTest::qWait(100);
    EXPECT_FALSE(AnyProcessMentions(cache)) << "the office of the run is still there";
}

// Two runs at once on the one office profile: the second waits for the
// first, and both files are made.
TEST_F(PrintToFile, TwoRunsAtOnceBothSucceed)
{
    SaveSelection(1);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess runs[2];
    for (int i = 0; i < 2; ++i) {
        runs[i].setProcessEnvironment(environment);
        runs[i].start(Program, {QStringLiteral("--print-to"), out + QStringLiteral("/run%1.pdf").arg(i)});
    }
    for (QProcess& run : runs) {
        ASSERT_TRUE(run.waitForFinished(300000));
        EXPECT_EQ(run.exitCode(), PrintCommandLine::kSucceeded) << run.readAllStandardError().toStdString();
    }
    EXPECT_EQ(OutFiles(), (QStringList{QStringLiteral("run0.pdf"), QStringLiteral("run1.pdf")}));
}

TEST_F(PrintToFile, FailuresSayWhyAndLeaveNoFile)
{
    // Nothing saved yet.
    ExpectFailure(Run({QStringLiteral("--print-to"), out + QStringLiteral("/a.pdf")}), PrintCommandLine::kMissing,
        QStringLiteral("保存された選択がありません"));
    EXPECT_TRUE(OutFiles().isEmpty());

    SaveSelection(1);
    // An older file at the target stays as it was.
    const QString older = out + QStringLiteral("/older.pdf");
    {
        QFile file(older);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("older");
    }
    ExpectFailure(
        Run({QStringLiteral("--template"), QStringLiteral("無い雛形.dot"), QStringLiteral("--print-to"), older}),
        PrintCommandLine::kMissing, QStringLiteral("無い雛形.dot"));
    ExpectFailure(Run({QStringLiteral("--print-to"), out + QStringLiteral("/prints.txt")}), PrintCommandLine::kBadUsage,
        QStringLiteral(".pdf .odt .docx .doc"));
    ExpectFailure(Run({QStringLiteral("--print-to"), out + QStringLiteral("/no/such/folder/a.pdf")}),
        PrintCommandLine::kCannotWrite, QStringLiteral("no/such/folder"));
    const QString folder = out + QStringLiteral("/folder.pdf");
    ASSERT_TRUE(QDir().mkpath(folder));
    ExpectFailure(Run({QStringLiteral("--print-to"), folder}), PrintCommandLine::kCannotWrite, folder);
    ASSERT_TRUE(QDir().rmdir(folder));
    ExpectFailure(Run({QStringLiteral("--print-to")}), PrintCommandLine::kBadUsage, QStringLiteral("--print-to"));
    ExpectFailure(Run({QStringLiteral("--print-to"), older, QStringLiteral("--pages=2")}), PrintCommandLine::kBadUsage,
        QStringLiteral("--pages=2"));
    EXPECT_EQ(OutFiles(), QStringList{QStringLiteral("older.pdf")});
    QFile file(older);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("older"));

    const Outcome help = Run({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    const Outcome version = Run({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(help.error.isEmpty() && version.error.isEmpty());
}

// A teacher's template the run cannot use: the two lines the window shows,
// each a line of its own, status 1 and no file.
TEST_F(PrintToFile, TemplateWithoutTheStyleSaysWhyOnTheNextLine)
{
    SaveSelection(1);
    const QString folder = dir.filePath(QStringLiteral("home/morvane-k/template"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(
        QStringLiteral(TV_TEST_TEMPLATE_DIR "/スタイルなし.dot"), folder + QStringLiteral("/スタイルなし.dot")));
    const Outcome outcome = Run({QStringLiteral("--template"), QStringLiteral("スタイルなし.dot"),
        QStringLiteral("--print-to"), out + QStringLiteral("/a.pdf")});
    EXPECT_EQ(outcome.status, PrintCommandLine::kRunFailed);
    // After the program's own diagnostics (for whoever looks into a failure).
    EXPECT_TRUE(outcome.error.endsWith(QStringLiteral("tavisko: プリントデータの作成に失敗しました。\n"
                                                      "tavisko: 雛形に段落スタイル「プリントID」がありません。\n")))
        << outcome.error.toStdString();
    EXPECT_TRUE(OutFiles().isEmpty());
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The office stopped (SIGSTOP) in the middle of a run from the window:
// the window goes on painting, the run is given up after the stall limit
// with the usual failure message, the stopped office is ended, the
// selection was saved before the run began, and the next run works with a
// fresh office.
TEST_F(PrintToFile, StoppedOfficeIsGivenUpWhileTheWindowPaints)
{
    SaveSelection(3);
    RecordingMessageSink sink;
    Model model;
    // The office linked into this test (its shared session is stopped
    // below), not the program's run-time module with a session of its own.
    Office::RegisterBackends();
    for (auto& [type, creator] : Application::WordProcessorCreators())
        model.RegisterCreator(type, std::move(creator));
    ASSERT_EQ(model.Initialize(Path(ProgramFolder)), Model::kInitOk);
    ASSERT_TRUE(model.SetApplication(Model::kWord));
    ModelSerializer(model, model.Db()).Load();
    const QString quizText = NodeSerializer(model).to_str(model.Quizzes());
    model.Db().SetUserInfo(QStringLiteral("quiz"), QString()); // only the run's own save can put it back

    Templ templ{Path(ProgramFolder)};
    ASSERT_TRUE(templ.Scan(Model::kWord));
    ASSERT_TRUE(templ.Select(Model::kWord, QStringLiteral("縦書き標準.dot")));
    DlgMain window(model, templ, Path(ProgramFolder));
    window.show();
    PaintCounter painted;
    window.installEventFilter(&painted);
    constexpr int StallLimitMs = 3000;

    auto session = Office::OfficeSession::Shared();
    window.ExecuteCommand(Res::IDC_CREATE_PRINT);
    ASSERT_TRUE(window.IsPrintRunning());
    EXPECT_EQ(model.Db().UserInfo(QStringLiteral("quiz")), quizText);
    // Stop the office once it writes the prints.
    PrintJob* job = window.PrintRuns().Job();
    for (int i = 0; i < 3000 && job->StepsDone() < 20 && window.IsPrintRunning(); ++i)
        QTest::qWait(10);
    ASSERT_TRUE(window.IsPrintRunning()) << "the run ended before the office could be stopped";
    job->SetStallLimit(StallLimitMs); // the office's start, on a loaded machine, took its own time
    const pid_t group = session->LauncherPid();
    ASSERT_GT(group, 0);
    ASSERT_EQ(::kill(-group, SIGSTOP), 0);
    QElapsedTimer stopped;
    stopped.start();

    const int paintsBefore = painted.paints;
    window.update();
    QTest::qWait(200);
    EXPECT_GT(painted.paints, paintsBefore) << "the window did not paint while the office was stopped";
    while (window.IsPrintRunning() && stopped.elapsed() < 60000)
        QTest::qWait(50);
    ::kill(-group, SIGCONT); // in case it was not ended
    EXPECT_FALSE(window.IsPrintRunning());
    EXPECT_LT(stopped.elapsed(), StallLimitMs + PrintJob::AbandonGraceMs);
    EXPECT_EQ(MessageTexts(sink), QStringList{QStringLiteral("プリントデータの作成に失敗しました。")});
    EXPECT_EQ(window.StatusText(), QStringLiteral("準備完了"));
    EXPECT_TRUE(GoneWithin(group, 5000));

    ASSERT_TRUE(templ.Select(Model::kWord, QStringLiteral("横書き標準.dot")));
    window.ExecuteCommand(Res::IDC_CREATE_PRINT);
    while (window.IsPrintRunning())
        QTest::qWait(50);
    EXPECT_EQ(sink.Messages().size(), 1u);
    EXPECT_NE(session->LauncherPid(), group);
    session->Terminate();
}

} // namespace
