#pragma once
// The main window over a real model: book databases (the small fixture
// book, or the sample books of the build), templates of both word
// processors in a program folder of its own, recording word processors,
// scripted dialogs and recorded message boxes.
#include "SelectionDialogFixture.h"
#include "support/RecordingCreator.h"
#include "support/RecordingMessageSink.h"

#include "desktop/CVersionChecker.h"
#include "quiz/Path.h"
#include "print/Templ.h"
#include "quiz/AutoSelectOptions.h"
#include "quiz/PrintOptions.h"
#include "quiz/QuestionUnit.h"
#include "ui/CWndTabCtrl.h"

#include <QTest>
#include "ui/DlgMain.h"
#include "ui/DlgPrint.h"
#include "ui/ListViewCtrl.h"
#include "ui/MainDialogs.h"

#include <QDir>
#include <QFile>

#include <memory>

// Dialogs that answer as the test tells them, recording how they were opened.
class ScriptedDialogs : public MainDialogs {
public:
    bool ChangeBook(Model& model, QWidget*) override
    {
        ++opened;
        return bookToSelect != 0 && model.SelectBook(bookToSelect) == 0;
    }
    bool SelectQuestions(Model& model, QWidget*) override
    {
        ++opened;
        if (questionsToSelect.empty())
            return false;
        model.SetQuestions(questionsToSelect);
        return true;
    }
    bool SelectRange(Model& model, QWidget*) override
    {
        ++opened;
        if (rangeToSelect.empty())
            return false;
        model.SetRange(Ranges(rangeToSelect));
        return true;
    }
    bool SelectSentences(Model&, const QuestionUnit& unit, std::vector<const Sentence*>& chosen, QWidget*) override
    {
        ++opened;
        unitShown = unit;
        chosen = sentencesToChoose;
        return acceptSentences;
    }
    bool EditAutoSelectOptions(AutoSelectOptions& options, bool randomizeAllowed, QWidget*) override
    {
        ++opened;
        randomizeWasAllowed = randomizeAllowed;
        if (!editAutoSelect)
            return false;
        editAutoSelect(options);
        return true;
    }
    bool EditPrintOptions(PrintOptions& options, QWidget*) override
    {
        ++opened;
        options.title = QStringLiteral("小テスト");
        return true;
    }
    void ShowAbout(QWidget*) override { ++aboutShown; }
    QString ImportBook(QWidget*) override
    {
        ++opened;
        return bookToImport;
    }
    QString ChoosePdfFile(const QString& suggested, QWidget*) override
    {
        ++opened;
        pdfSuggested = suggested;
        return pdfFile;
    }
    QString ChooseExportFile(const QString& suggested, ExportFormat::Kind& format, QWidget*) override
    {
        ++opened;
        exportSuggested = suggested;
        if (exportFormat != ExportFormat::kNone)
            format = exportFormat;
        return exportFile;
    }

    bool EditClassName(QString& name, QWidget*) override
    {
        ++opened;
        nameShown = name;
        if (classNameToGive.isNull())
            return false;
        name = classNameToGive;
        return true;
    }

    int opened = 0;
    int aboutShown = 0;
    int bookToSelect = 0;
    std::vector<int> questionsToSelect;
    std::vector<int> rangeToSelect;
    std::vector<const Sentence*> sentencesToChoose;
    bool acceptSentences = true;
    QuestionUnit unitShown;
    std::function<void(AutoSelectOptions&)> editAutoSelect;
    bool randomizeWasAllowed = false;
    QString bookToImport;
    QString pdfFile;                                       // what the PDF file dialog answers; empty: cancelled
    QString pdfSuggested;                                  // where it was asked to start
    QString exportFile;                                    // what the export file dialog answers; empty: cancelled
    ExportFormat::Kind exportFormat = ExportFormat::kNone; // the file type picked; kNone: as offered
    QString exportSuggested;
    QString classNameToGive; // null: the name dialog is cancelled
    QString nameShown;       // the name it started from
};

class MainWindowFixture : public SelectionDialogFixture {
protected:
    void SetUp() override
    {
        SelectionDialogFixture::SetUp();
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("program/data/template")));
        for (const char* name : {"A.dot", "B.dot", "縦書き.jtt"})
            Touch(QStringLiteral("program/data/template/") + QString::fromUtf8(name));
        path = Path(dir.filePath(QStringLiteral("program")));
        templ = std::make_unique<Templ>(path);
        ASSERT_TRUE(templ->Scan(Model::kWord));
        ASSERT_TRUE(templ->Scan(Model::kIchitaro));
        model.RegisterCreator(Model::kWord, word);
        model.RegisterCreator(Model::kIchitaro, taro);
        ASSERT_TRUE(model.SetApplication(Model::kWord));
    }

    void TearDown() override { window.reset(); }

    void Touch(const QString& relative)
    {
        QFile file(dir.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    // The three sample books: 111 ("101"), 332 ("301"), 335 ("303").
    void LoadSampleBooks()
    {
        QStringList files;
        for (const char* name : {"eitango101_main.db", "kanji301_main.db", "kanji303_main.db"})
            files << QStringLiteral(TV_TEST_DATA_DIR "/") + QString::fromUtf8(name);
        ASSERT_TRUE(model.LoadBooks(files));
    }

    // The window, made as start-up makes it, with an update check that
    // asks nobody.
    DlgMain& Open(DlgMain::PagesAtStart pages = DlgMain::PagesAtStart::Built)
    {
        window = std::make_unique<DlgMain>(model, *templ, path, dialogs, nullptr, pages);
        window->SetVersionChecker(std::make_unique<CVersionChecker>(QString(), QString()));
        return *window;
    }

    // Lets the print run started last end (it runs on a thread of its own).
    void WaitForPrintRun()
    {
        for (int i = 0; i < 500 && window->IsPrintRunning(); ++i)
            QTest::qWait(20);
        ASSERT_FALSE(window->IsPrintRunning());
    }

    QStringList TabCaptions() const
    {
        QStringList captions;
        for (int i = 0; i < window->Tabs().count(); ++i)
            captions << window->Tabs().tabText(i);
        return captions;
    }

    // Every row of a page's list, cells joined by "|".
    static QStringList Rows(DlgPrint& page)
    {
        ListViewCtrl& list = page.List();
        QStringList rows;
        for (int row = 0; row < list.RowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < list.ColumnCount(); ++column)
                cells << list.CellText(row, column);
            rows << cells.join(u'|');
        }
        return rows;
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const MessageRequest& message : sink.Messages())
            texts << message.text;
        return texts;
    }

    RecordingMessageSink sink;
    Path path;
    std::unique_ptr<Templ> templ;
    std::shared_ptr<RecordingCreator> word = std::make_shared<RecordingCreator>();
    std::shared_ptr<RecordingCreator> taro = std::make_shared<RecordingCreator>();
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    std::unique_ptr<DlgMain> window;
};
