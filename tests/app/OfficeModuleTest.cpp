// The office backend is a module loaded at run time: the program starts
// where the office's libraries are missing, and a print run then says that
// no word processor is there.
#include "app/Application.h"
#include "desktop/CVersionChecker.h"
#include "desktop/HttpModule.h"
#include "automation/ClassRegistry.h"
#include "automation/OfficeModule.h"
#include "model/NodeStorage.h"
#include "model/Question.h"
#include "quiz/Model.h"
#include "quiz/Quiz.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "support/RecordingMessageSink.h"
#include "support/SampleBooks.h"
#include "support/ScopedEnv.h"
#include "ui/DlgMain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using Automation::OfficeModule;

namespace {

const QString BuildProgramFolder = QStringLiteral(TV_BUILD_DIR "/bin");

// The shared libraries an ELF file asks the loader for.
QStringList NeededLibraries(const QString& file)
{
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), file});
    if (!readelf.waitForFinished(30000))
        return {};
    QStringList needed;
    for (const QString& line : QString::fromLocal8Bit(readelf.readAllStandardOutput()).split(u'\n')) {
        const qsizetype open = line.indexOf(QStringLiteral("(NEEDED)"));
        if (open < 0)
            continue;
        const qsizetype from = line.indexOf(u'[');
        const qsizetype to = line.indexOf(u']', from);
        if (from >= 0 && to > from)
            needed << line.mid(from + 1, to - from - 1);
    }
    return needed;
}

} // namespace

TEST(OfficeModuleTest, TheProgramNeedsNoOfficeLibraryAndTheModuleDoes)
{
    const QStringList program = NeededLibraries(BuildProgramFolder + QStringLiteral("/tavisko"));
    ASSERT_FALSE(program.isEmpty()) << "readelf could not read the program";
    EXPECT_TRUE(program.filter(QStringLiteral("uno")).isEmpty()) << program.join(u' ').toStdString();
    // Nor the network (the update check's module brings it when a check
    // runs) nor Qt's SVG library (its image plugin draws the images): each
    // would be loaded before the window appears.
    EXPECT_TRUE(program.filter(QStringLiteral("Network")).isEmpty()) << program.join(u' ').toStdString();
    EXPECT_TRUE(program.filter(QStringLiteral("Svg")).isEmpty()) << program.join(u' ').toStdString();
    EXPECT_TRUE(program.filter(QStringLiteral("curl")).isEmpty()) << program.join(u' ').toStdString();
    // The update check's module speaks HTTP through libcurl.
    const QStringList http = NeededLibraries(BuildProgramFolder + u'/' + HttpModule::FileName);
    EXPECT_FALSE(http.filter(QStringLiteral("libcurl")).isEmpty()) << http.join(u' ').toStdString();
    EXPECT_TRUE(http.filter(QStringLiteral("Network")).isEmpty()) << http.join(u' ').toStdString();

    const QString module = BuildProgramFolder + u'/' + OfficeModule::FileName;
    if (!QFile::exists(module))
        GTEST_SKIP() << "built without the office backend";
    EXPECT_FALSE(NeededLibraries(module).filter(QStringLiteral("libuno_cppu")).isEmpty());
}

TEST(OfficeModuleTest, LoadsFromTheProgramFolderAndRegistersWithoutStartingTheOffice)
{
    if (!QFile::exists(BuildProgramFolder + u'/' + OfficeModule::FileName))
        GTEST_SKIP() << "built without the office backend";
    OfficeModule module;
    ASSERT_TRUE(module.Load(BuildProgramFolder)) << module.Error().toStdString();
    EXPECT_EQ(Automation::ClassRegistry::Availability(QStringLiteral("Word.Application")), std::optional<bool>(true));
    EXPECT_EQ(Automation::ClassRegistry::Availability(QStringLiteral("JXW.Application")), std::optional<bool>(true));
    module.Release(); // nothing was started: nothing to end
    Automation::ClassRegistry::Unregister(QStringLiteral("Word.Application"));
    Automation::ClassRegistry::Unregister(QStringLiteral("JXW.Application"));
}

// Whether the office is there is told from its files, without loading
// anything: the module, the office program on the PATH (or where the
// packages put it), and the UNO libraries beside the real program.
TEST(OfficeModuleTest, TheOfficeIsThereWhenTheModuleTheProgramAndItsUnoLibrariesAre)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString office = dir.filePath(QStringLiteral("office/program"));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(office) && QDir().mkpath(bin));
    QFile soffice(office + QStringLiteral("/soffice"));
    ASSERT_TRUE(soffice.open(QIODevice::WriteOnly));
    soffice.close();
    ASSERT_TRUE(soffice.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ASSERT_TRUE(QFile::link(office + QStringLiteral("/soffice"), bin + QStringLiteral("/soffice")));
    const ScopedEnv path("PATH", QFile::encodeName(bin));

    EXPECT_FALSE(OfficeModule::OfficeFilesPresent(BuildProgramFolder)) << "no UNO library beside the program";
    for (const char* library : {"libuno_cppu.so.3", "libuno_cppuhelpergcc3.so.3", "libuno_sal.so.3"}) {
        QFile file(office + u'/' + QLatin1String(library));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    if (QFile::exists(BuildProgramFolder + u'/' + OfficeModule::FileName))
        EXPECT_TRUE(OfficeModule::OfficeFilesPresent(BuildProgramFolder));
    EXPECT_FALSE(OfficeModule::OfficeFilesPresent(dir.path())) << "no module";
}

// A module that cannot be loaded although the office's files are there
// (a damaged installation): the window comes up as fast as ever, and the
// first print run tries the module and says that no word processor is there.
TEST(OfficeModuleTest, WithAModuleThatCannotLoadTheProgramRunsAndAPrintRunSays604)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = dir.filePath(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(program + QStringLiteral("/data/template")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("home"))));
    for (const SampleBook& book : SampleBooks())
        ASSERT_TRUE(QFile::copy(
            QStringLiteral(TV_TEST_DATA_DIR "/") + book.file, program + QStringLiteral("/data/") + book.file));
    // An office that seems installed needs its templates to start.
    for (const QString& name : QDir(QStringLiteral(TV_TEST_DATA_DIR "/template")).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(
            QStringLiteral(TV_TEST_DATA_DIR "/template/") + name, program + QStringLiteral("/data/template/") + name));
    QFile broken(program + u'/' + OfficeModule::FileName);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a shared object");
    broken.close();

    OfficeModule module;
    EXPECT_FALSE(module.Load(program));
    EXPECT_FALSE(module.Error().isEmpty());
    EXPECT_FALSE(module.IsLoaded());
    module.StartInBackground(); // nothing to start, nothing happens

    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
    RecordingMessageSink sink;
    int windows = 0;
    Application application{Path(program)}; // the program's own creators and module
    application.SetWindowHook([&](Application& app, DlgMain& window) {
        ++windows;
        window.SetVersionChecker(std::make_unique<CVersionChecker>(QStringLiteral("http://127.0.0.1:9/"), QString()));
        QTimer::singleShot(0, &window, [&app, &window] {
            Model& model = *app.GetModel();
            const int qid = model.Storage().Questions().front()->qid;
            model.SetQuestions({qid});
            std::vector<Sentence*> sentences;
            model.Storage().SentencesOf(qid, sentences);
            Quiz quiz = model.GetQuiz(0);
            if (!sentences.empty())
                quiz.AddSentence(sentences.front());
            model.SetQuiz(0, quiz);
            window.ExecuteCommand(Res::IDC_CREATE_PRINT);
            window.ExecuteCommand(Res::ID_APP_EXIT);
        });
    });
    application.Run();
    qputenv("XDG_DATA_HOME", savedHome);

    EXPECT_EQ(windows, 1);
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].text, Res::String(Res::IDS_ERR_NO_WORD_PROCESSOR));
}
