#pragma once

#include "desktop/CUpdateNotifier.h"
#include "quiz/Path.h"
#include "quiz/View.h"
#include "ui/PopupRunner.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CVersionChecker;
class CWndTabCtrl;
class DlgPrint;
class MainDialogs;
class MenuBarUpdateItem;
class Model;
class PrintRunControl;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class Quiz;
class Templ;

// The program's main window ("テスト作成システム"): the selected book, the
// buttons that open the selection dialogs, the template of the output word
// processor, the button that writes the prints, and one tab per print (a
// DlgPrint page). It is the controller between the teacher and the model:
// every command is an operation on the model followed by what the window
// must show of it.
//
// Tabs, pages and the model's prints always correspond one to one, in the
// same order. Tabs are captioned "プリントn": n starts at 1 whenever all
// tabs are rebuilt (UpdateView) and goes up with every print added; a
// deleted print's number is not given again.
//
// Start-up makes it with the model, the template catalogue and the paths
// (all outliving the window) and shows it; shortly after it is first
// shown the quiet update check starts. At start-up the print pages may
// come right after the window's first paint (PagesAtStart), so that the
// window appears without waiting for its lists; a command run before that
// builds them first. Quitting (menu or close box) stops
// status output, closes the window and ends the event loop with exit
// code 1 (see SetQuitHandler); the window itself writes no settings. As a
// main window it has no default button: Enter and Esc never close it.
class DlgMain : public QMainWindow, public View {
    Q_OBJECT

public:
    // Opens an address or file in the browser (a folder in the file
    // manager) and tells `done`, from the event loop, whether it opened.
    using BrowserOpener = std::function<void(const QString& target, std::function<void(bool opened)> done)>;

    // When the print pages (and the window icon) are made: at once, or
    // right after the window has first been painted (the focus then goes
    // to the print list as it would have at once).
    enum class PagesAtStart { Built, AfterFirstPaint };

    // `dialogs` opens the modal dialogs of the commands; null means the
    // program's own (StandardDialogs).
    DlgMain(Model& model, Templ& templ, const Path& path, std::shared_ptr<MainDialogs> dialogs = nullptr,
        QWidget* parent = nullptr, PagesAtStart pages = PagesAtStart::Built);
    ~DlgMain() override;

    // Rebuilds everything that shows the model: the book name, all tabs
    // (numbered from 1), their range marks, and the question-order menu
    // (only for books of type "101").
    void UpdateView() override;

    // Runs a menu, accelerator or button command by its id (ResourceIds.h):
    // the same as the user choosing it. Unknown ids do nothing.
    void ExecuteCommand(int id);

    // Chooses the sub-questions of question format `qid` in the print of
    // `page` (a page of this window) through the sub-question dialog.
    void SelectSentences(DlgPrint* page, int qid);
    // Marks the header rows of page `index` (-1: all pages) whose question
    // format has no candidate in the current range. Nothing happens while
    // no question format is selected.
    void RefreshRangeMarks(int index = -1);

    // Starts an update check reporting to this window: quiet (no message
    // boxes) at start-up, not quiet for the menu command.
    void StartUpdateCheck(bool quiet);

    // Replaces how the update check asks the web site (tests, tools).
    void SetVersionChecker(std::unique_ptr<CVersionChecker> checker);
    // Runs once before print pages that follow the first paint are built:
    // what their lists need and the window's first sight does not.
    void SetBeforePages(std::function<void()> task);
    // Replaces how help and the download page are opened (default: the
    // paths' OpenInBrowser).
    void SetBrowserOpener(BrowserOpener opener);
    // Replaces how context menus are run (tests choose an item).
    void SetPopupRunner(PopupRunner runner);
    // Replaces what quitting does once the window is closed (default: end
    // the application's event loop with `exitCode`). Tests that run no
    // event loop put a recorder here.
    void SetQuitHandler(std::function<void(int exitCode)> handler);

    CWndTabCtrl& Tabs() { return *tabs_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    DlgPrint* Page(int index) const;
    // The question-order popup ("出題順(&S)"), null until first needed.
    QMenu* OrderMenu() const { return orderMenu_; }
    CUpdateNotifier& UpdateNotifier() { return notifier_; }
    // The text of the status bar.
    QString StatusText() const;
    // The print runs into Writer and into PDF files, with their progress
    // in the status bar.
    PrintRunControl& PrintRuns() { return *printRuns_; }
    bool IsPrintRunning() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Coming back to the window (from the file manager, say) lists the
    // templates afresh.
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    void BuildMenuBar();
    void BuildAccelerators();
    QAction* AddCommand(QMenu* menu, const QString& text, int id);
    QPushButton* AddButton(const QString& text, int id, int widthUnits);

    void AddTab(const Quiz& quiz);
    void DeleteAllTabs();
    void RebuildPages();
    void BuildPendingPages();
    void ShowBookName();
    void UpdateOrderMenu();
    void RefreshMenuState();
    void FillTemplates();
    bool IsTypeCode(const QString& code);

    void ChangeBook();
    void SelectQuestions();
    void SelectRange();
    void AutoSelect();
    bool RefuseChangedBook();
    void ChooseTemplate();
    void CreatePrints();
    void SavePdf();
    void ExportPrints();
    bool CanStartPrintRun();
    void PrintRunning(bool running);
    void UseBonusClicked();
    void ChooseOutput(int type);
    void EditOptions();
    void OpenTemplateFolder();
    void ImportBook();
    void ShowHistory();
    void ShowHelp();
    void AddPrint();
    void DeletePrint();
    void RenamePrint();
    // The caption of a tab: its print's class name, or else "プリントN".
    QString TabCaption(const Quiz& quiz, int number) const;
    void Reorder(bool random);
    void OpenDownloadPage();
    void ShowTabMenu(const QPoint& pos);
    void Quit();

    Model& model_;
    Templ& templ_;
    Path path_;
    std::shared_ptr<MainDialogs> dialogs_;
    CUpdateNotifier notifier_;
    std::unique_ptr<CVersionChecker> checker_;
    std::unique_ptr<MenuBarUpdateItem> updateMenu_;
    BrowserOpener browserOpener_;
    PopupRunner popupRunner_;
    std::function<void(int exitCode)> quitHandler_;

    QLabel* status_ = nullptr;
    CWndTabCtrl* tabs_ = nullptr;
    QLineEdit* bookName_ = nullptr;
    QCheckBox* useBonus_ = nullptr;
    QComboBox* templates_ = nullptr;
    QPushButton* createPrint_ = nullptr;
    QAction* outputWord_ = nullptr;
    QAction* outputTaro_ = nullptr;
    QAction* savePdf_ = nullptr;
    PrintRunControl* printRuns_ = nullptr;
    QMenu* orderMenu_ = nullptr;

    std::vector<std::shared_ptr<DlgPrint>> pages_;
    int nextPrintNumber_ = 1;
    bool pagesPending_ = false;
    std::function<void()> beforePages_;
    bool updateCheckStarted_ = false;
};
