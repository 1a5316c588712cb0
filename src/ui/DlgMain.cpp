#include "ui/DlgMain.h"

#include "desktop/CVersionChecker.h"
#include "desktop/MenuBarUpdateItem.h"
#include "desktop/MessageBox.h"
#include "export/PrintRequest.h"
#include "history/HistoryRecorder.h"
#include "model/DataBase.h"
#include "model/Book.h"
#include "model/NodeStorage.h"
#include "platformexport/ExportSet.h"
#include "platformexport/PrintExporter.h"
#include "print/Templ.h"
#include "quiz/Model.h"
#include "res/Images.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "res/UiText.h"
#include "ui/AfterFirstPaint.h"
#include "ui/CWndTabCtrl.h"
#include "ui/ControlId.h"
#include "ui/DialogUnits.h"
#include "ui/DlgPrint.h"
#include "ui/ListBuilder.h"
#include "ui/MainDialogs.h"
#include "ui/PrintRunControl.h"
#include "ui/StandardDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

// The window's size in dialog units when it opens; it never gets smaller.
constexpr int DialogWidth = 450;
constexpr int DialogHeight = 300;
// Controls of the two top rows: height and the space around them.
constexpr int RowHeight = 14;
constexpr int Margin = 7;

// How long after the window first appears the quiet update check starts.
constexpr int QuietCheckDelayMs = 300;

// The number a print page was shown with ("プリントN").
const char* const PrintNumberProperty = "printNumber";

// The type code of the books that offer the question-order menu.
const QString OrderMenuType = QStringLiteral("101");

// Pages are owned by the window through shared pointers while their tab
// lives; the tab control destroys a page with its tab, so the pointer only
// deletes a page that still exists.
std::shared_ptr<DlgPrint> SharePage(DlgPrint* page)
{
    return std::shared_ptr<DlgPrint>(page, [guard = QPointer<DlgPrint>(page)](DlgPrint*) { delete guard.data(); });
}

} // namespace

DlgMain::DlgMain(Model& model, Templ& templ, const Path& path, std::shared_ptr<MainDialogs> dialogs, QWidget* parent,
    PagesAtStart pages)
    : QMainWindow(parent)
    , model_(model)
    , templ_(templ)
    , path_(path)
    , dialogs_(dialogs ? std::move(dialogs) : std::make_shared<StandardDialogs>())
    , notifier_([this](const QString& address) {
        browserOpener_(address, {});
        return true;
    })
    , checker_(std::make_unique<CVersionChecker>())
    , browserOpener_([this](const QString& target, std::function<void(bool)> done) {
        path_.OpenInBrowser(target, std::move(done));
    })
    , quitHandler_([](int exitCode) { QCoreApplication::exit(exitCode); })
{
    model_.AddView(this);
    setWindowTitle(Res::Text::MainCaption);
    SetControlId(this, Res::IDD_MAIN);

    BuildControls();
    BuildMenuBar();
    BuildAccelerators();

    status_ = new QLabel(this);
    status_->setIndent(4); // keeps the text off the window's edge
    SetControlId(statusBar(), Res::IDC_STATUS_BAR);
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(status_, 1);
    SetStatusOutput([label = QPointer<QLabel>(status_)](const QString& text) {
        if (label)
            label->setText(text);
    });
    ShowStatus(Res::IDS_READY);
    printRuns_ = new PrintRunControl(model_, *statusBar(), this);
    printRuns_->SetRunningHandler([this](bool running) { PrintRunning(running); });

    const DialogUnits units(font());
    resize(units.Size(DialogWidth, DialogHeight) + QSize(0, menuBar()->sizeHint().height()));
    setMinimumSize(size());

    if (pages == PagesAtStart::Built) {
        setWindowIcon(Res::AppIcon());
        model_.NotifyViews();
    } else {
        // The menu bar is complete at the first paint; only the pages follow.
        pagesPending_ = true;
        ShowBookName();
        UpdateOrderMenu();
        // Holds the focus until the print list takes it, so that no other
        // control shows it meanwhile.
        tabs_->setFocus();
    }
    RefreshMenuState();
    FillTemplates();
    useBonus_->setChecked(model_.ReadPrintOptions().useBonus);
}

DlgMain::~DlgMain()
{
    model_.RemoveView(this);
    SetStatusOutput({});
    // The tab control goes at once with all its pages, its page stack
    // letting go of them together, instead of tab by tab.
    delete tabs_;
    tabs_ = nullptr;
    pages_.clear();
}

void DlgMain::BuildControls()
{
    const DialogUnits units(font());
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(units.X(Margin), units.Y(Margin), units.X(Margin), units.Y(Margin));
    layout->setSpacing(units.Y(5));

    // Row 1: the book, its change button and the option for sentences
    // from outside the book body.
    auto* bookRow = new QHBoxLayout;
    bookRow->setSpacing(0);
    auto* label = new QLabel(Res::Text::MainBookLabel, central);
    label->setFixedWidth(units.X(33));
    bookName_ = new QLineEdit(central);
    bookName_->setReadOnly(true);
    bookName_->setFixedSize(units.Size(145, RowHeight));
    SetControlId(bookName_, Res::IDC_BOOK_NAME);
    QPushButton* changeBook = AddButton(Res::Text::MainChangeBook, Res::IDC_CHANGE_BOOK, 40);
    useBonus_ = new QCheckBox(Res::Text::MainUseBonus, central);
    useBonus_->setMinimumWidth(units.X(113));
    SetControlId(useBonus_, Res::IDC_USE_BONUS);
    connect(useBonus_, &QCheckBox::clicked, this, [this] { ExecuteCommand(Res::IDC_USE_BONUS); });
    bookRow->addWidget(label);
    bookRow->addSpacing(units.X(3));
    bookRow->addWidget(bookName_);
    bookRow->addSpacing(units.X(5));
    bookRow->addWidget(changeBook);
    bookRow->addSpacing(units.X(6));
    bookRow->addWidget(useBonus_);
    bookRow->addStretch(1);

    // Row 2: the selection dialogs, the template and the print run.
    auto* commandRow = new QHBoxLayout;
    commandRow->setSpacing(units.X(5));
    commandRow->addWidget(AddButton(Res::Text::MainSelectQuestions, Res::IDC_SELECT_QUESTIONS, 72));
    commandRow->addWidget(AddButton(Res::Text::MainSelectRange, Res::IDC_SELECT_RANGE, 72));
    commandRow->addWidget(AddButton(Res::Text::MainAutoSelect, Res::IDC_AUTO_SELECT, 72));
    templates_ = new QComboBox(central);
    templates_->setFixedSize(units.Size(127, RowHeight));
    SetControlId(templates_, Res::IDC_TEMPLATE);
    connect(templates_, &QComboBox::activated, this, [this] { ExecuteCommand(Res::IDC_TEMPLATE); });
    commandRow->addSpacing(units.X(1));
    commandRow->addWidget(templates_);
    createPrint_ = AddButton(Res::Text::MainCreatePrint, Res::IDC_CREATE_PRINT, 72);
    commandRow->addWidget(createPrint_);
    commandRow->addStretch(1);

    // The tabs take every pixel the window gains.
    tabs_ = new CWndTabCtrl(central);
    SetControlId(tabs_, Res::IDC_PRINT_TABS);
    tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabs_, &QWidget::customContextMenuRequested, this, &DlgMain::ShowTabMenu);

    layout->addLayout(bookRow);
    layout->addLayout(commandRow);
    layout->addWidget(tabs_, 1);
    setCentralWidget(central);

    // Tab walks the controls row by row, left to right, as they are laid out.
    QWidget* order[] = {bookName_, changeBook, useBonus_, FindControl<QWidget>(this, Res::IDC_SELECT_QUESTIONS),
        FindControl<QWidget>(this, Res::IDC_SELECT_RANGE), FindControl<QWidget>(this, Res::IDC_AUTO_SELECT), templates_,
        createPrint_, tabs_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QPushButton* DlgMain::AddButton(const QString& text, int id, int widthUnits)
{
    const DialogUnits units(font());
    auto* button = new QPushButton(text, this);
    button->setFixedSize(units.Size(widthUnits, RowHeight));
    button->setAutoDefault(false);
    SetControlId(button, id);
    connect(button, &QPushButton::clicked, this, [this, id] { ExecuteCommand(id); });
    return button;
}

QAction* DlgMain::AddCommand(QMenu* menu, const QString& text, int id)
{
    QAction* action = menu->addAction(text);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    return action;
}

void DlgMain::BuildMenuBar()
{
    QMenu* file = menuBar()->addMenu(Res::Text::MenuFile);
    savePdf_ = AddCommand(file, Res::Text::MenuSavePdf, Res::ID_SAVE_PDF);
    AddCommand(file, Res::Text::MenuHistory, Res::ID_HISTORY);
    AddCommand(file, Res::Text::MenuExport, Res::ID_EXPORT);
    AddCommand(file, Res::Text::MenuImportBook, Res::ID_IMPORT_BOOK);
    file->addSeparator();
    AddCommand(file, Res::Text::MenuAppExit, Res::ID_APP_EXIT);

    QMenu* settings = menuBar()->addMenu(Res::Text::MenuSettings);
    QMenu* output = settings->addMenu(Res::Text::MenuOutputApplication);
    outputWord_ = AddCommand(output, Res::Text::MenuOutputWord, Res::ID_OUTPUT_WORD);
    outputTaro_ = AddCommand(output, Res::Text::MenuOutputTaro, Res::ID_OUTPUT_TARO);
    outputWord_->setCheckable(true);
    outputTaro_->setCheckable(true);
    AddCommand(settings, Res::Text::MenuOptions, Res::ID_OPTIONS);
    AddCommand(settings, Res::Text::MenuTemplateFolder, Res::ID_TEMPLATE_FOLDER);
    connect(settings, &QMenu::aboutToShow, this, &DlgMain::RefreshMenuState);
    connect(output, &QMenu::aboutToShow, this, &DlgMain::RefreshMenuState);

    QMenu* help = menuBar()->addMenu(Res::Text::MenuHelp);
    AddCommand(help, Res::Text::MenuHelpBrowser, Res::ID_HELP_BROWSER)->setShortcut(QKeySequence(Qt::Key_F1));
    AddCommand(help, Res::Text::MenuAbout, Res::ID_APP_ABOUT);
    AddCommand(help, Res::Text::MenuCheckUpdate, Res::ID_CHECK_UPDATE);

    updateMenu_ = std::make_unique<MenuBarUpdateItem>(menuBar(), [this] { ExecuteCommand(Res::ID_GET_UPDATE); });
    notifier_.SetOwner(updateMenu_.get());
}

// Alt+"/" and Alt+"?" open the About box (F1 sits on the help command).
void DlgMain::BuildAccelerators()
{
    for (const QKeySequence& keys : {QKeySequence(Qt::ALT | Qt::Key_Slash), QKeySequence(Qt::ALT | Qt::Key_Question)}) {
        auto* about = new QAction(this);
        about->setShortcut(keys);
        about->setData(Res::ID_APP_ABOUT);
        connect(about, &QAction::triggered, this, [this] { ExecuteCommand(Res::ID_APP_ABOUT); });
        addAction(about);
    }
}

void DlgMain::ExecuteCommand(int id)
{
    BuildPendingPages();
    switch (id) {
    case Res::IDC_CHANGE_BOOK: ChangeBook(); break;
    case Res::IDC_SELECT_QUESTIONS: SelectQuestions(); break;
    case Res::IDC_SELECT_RANGE: SelectRange(); break;
    case Res::IDC_AUTO_SELECT: AutoSelect(); break;
    case Res::IDC_TEMPLATE: ChooseTemplate(); break;
    case Res::IDC_CREATE_PRINT: CreatePrints(); break;
    case Res::ID_SAVE_PDF: SavePdf(); break;
    case Res::ID_EXPORT: ExportPrints(); break;
    case Res::IDC_USE_BONUS: UseBonusClicked(); break;
    case Res::ID_APP_ABOUT: dialogs_->ShowAbout(this); break;
    case Res::ID_APP_EXIT: Quit(); break;
    case Res::ID_OUTPUT_WORD: ChooseOutput(Model::kWord); break;
    case Res::ID_OUTPUT_TARO: ChooseOutput(Model::kIchitaro); break;
    case Res::ID_OPTIONS: EditOptions(); break;
    case Res::ID_TEMPLATE_FOLDER: OpenTemplateFolder(); break;
    case Res::ID_IMPORT_BOOK: ImportBook(); break;
    case Res::ID_HISTORY: ShowHistory(); break;
    case Res::ID_HELP_BROWSER: ShowHelp(); break;
    case Res::ID_PRINT_ADD: AddPrint(); break;
    case Res::ID_PRINT_DELETE: DeletePrint(); break;
    case Res::ID_PRINT_RENAME: RenamePrint(); break;
    case Res::ID_CHECK_UPDATE: StartUpdateCheck(false); break;
    case Res::ID_GET_UPDATE: OpenDownloadPage(); break;
    case Res::ID_ORDER_BOOK: Reorder(false); break;
    case Res::ID_ORDER_RANDOM: Reorder(true); break;
    default: break;
    }
}

void DlgMain::UpdateView()
{
    ShowBookName();
    RebuildPages();
    UpdateOrderMenu();
}

void DlgMain::RebuildPages()
{
    pagesPending_ = false;
    {
        const CWndTabCtrl::BulkChange bulk(*tabs_);
        DeleteAllTabs();
        for (const Quiz& quiz : std::vector<Quiz>(model_.Quizzes()))
            AddTab(quiz);
    }
    tabs_->SetCurrentTab(0);
    RefreshRangeMarks();
}

void DlgMain::SetBeforePages(std::function<void()> task)
{
    beforePages_ = std::move(task);
}

void DlgMain::BuildPendingPages()
{
    if (!pagesPending_)
        return;
    if (beforePages_)
        std::exchange(beforePages_, {})();
    setWindowIcon(Res::AppIcon());
    RebuildPages();
}

void DlgMain::ShowBookName()
{
    const Book* book = model_.Storage().CurrentBook();
    bookName_->setText(book ? book->title : QString());
}

void DlgMain::DeleteAllTabs()
{
    tabs_->DeleteAllTabs();
    pages_.clear();
    nextPrintNumber_ = 1;
}

QString DlgMain::TabCaption(const Quiz& quiz, int number) const
{
    return quiz.ClassName().isEmpty() ? FormatText(Res::String(Res::IDS_PRINT_TAB), {number}) : quiz.ClassName();
}

void DlgMain::AddTab(const Quiz& quiz)
{
    const int number = nextPrintNumber_++;
    const QString caption = TabCaption(quiz, number);
    auto* page = new DlgPrint(model_, this);
    // A name taken away gives the tab its number back.
    page->setProperty(PrintNumberProperty, number);
    page->SetPopupRunner(popupRunner_);
    // The page asks for the sub-questions of its own print.
    page->SetSentenceRequest([this, page](int qid) { SelectSentences(page, qid); });
    pages_.push_back(SharePage(page));
    page->InsertQuiz(quiz);
    tabs_->AddTab(caption, page);
}

DlgPrint* DlgMain::Page(int index) const
{
    return index >= 0 && index < PageCount() ? pages_[index].get() : nullptr;
}

void DlgMain::RefreshRangeMarks(int index)
{
    if (model_.SelectedQids().empty())
        return;
    std::map<int, bool> hasCandidates;
    for (int qid : model_.SelectedQids())
        hasCandidates[qid] = model_.HasCandidates(qid);
    for (int i = 0; i < PageCount(); ++i) {
        if (index < 0 || i == index)
            pages_[i]->ApplyRangeMarks(hasCandidates);
    }
}

bool DlgMain::IsTypeCode(const QString& code)
{
    return ListBuilder::BookTypeOf(model_) == code;
}

// The question-order popup sits between "設定" and "ヘルプ" while a book of
// type "101" is selected, and is never there twice.
void DlgMain::UpdateOrderMenu()
{
    if (!orderMenu_) {
        orderMenu_ = new QMenu(Res::Text::MenuOrder, this);
        AddCommand(orderMenu_, Res::Text::MenuOrderBook, Res::ID_ORDER_BOOK);
        AddCommand(orderMenu_, Res::Text::MenuOrderRandom, Res::ID_ORDER_RANDOM);
    }
    constexpr int position = 2;
    const QList<QAction*> items = menuBar()->actions();
    const bool present = items.size() > position && items[position] == orderMenu_->menuAction();
    const bool wanted = IsTypeCode(OrderMenuType);
    if (wanted && !present)
        menuBar()->insertMenu(items.value(position), orderMenu_);
    else if (!wanted && present)
        menuBar()->removeAction(orderMenu_->menuAction());
}

void DlgMain::RefreshMenuState()
{
    const auto available = [this](int type) {
        const std::shared_ptr<WordProcessor> creator = model_.Creators().Find(type);
        return creator && creator->IsAvailable();
    };
    outputWord_->setEnabled(available(Model::kWord));
    outputTaro_->setEnabled(available(Model::kIchitaro));
    outputWord_->setChecked(model_.Application() == Model::kWord);
    outputTaro_->setChecked(model_.Application() == Model::kIchitaro);
}

// The folders are listed again each time, keeping the chosen template
// while it is still there, so that a template the teacher has just saved
// into their folder can be chosen without a restart.
void DlgMain::FillTemplates()
{
    const int type = model_.Application();
    const QString chosen = templ_.Selected(type);
    if (templ_.Scan(type))
        templ_.Select(type, chosen);
    QStringList names;
    templ_.Names(model_.Application(), names);
    templates_->clear();
    templates_->addItems(names);
    templates_->setCurrentIndex(names.indexOf(templ_.Selected(model_.Application())));
}

void DlgMain::ChangeBook()
{
    // On OK the book dialog selects the book; the model then tells the views.
    dialogs_->ChangeBook(model_, this);
}

void DlgMain::SelectQuestions()
{
    if (dialogs_->SelectQuestions(model_, this))
        model_.NotifyViews();
}

void DlgMain::SelectRange()
{
    if (dialogs_->SelectRange(model_, this))
        RefreshRangeMarks();
}

// A book file replaced while the program runs is not read again, so two
// books never mix: the teacher chooses the book again to use the new file.
bool DlgMain::RefuseChangedBook()
{
    if (!model_.Db().BookFileChanged())
        return false;
    ShowWarning(Res::IDS_ERR_BOOK_FILE_CHANGED);
    return true;
}

void DlgMain::AutoSelect()
{
    if (RefuseChangedBook())
        return;
    if (model_.SelectedQids().empty() || model_.CurrentRange().IsEmpty()) {
        ShowInformation(Res::IDS_NEED_FORMAT_AND_RANGE);
        return;
    }
    AutoSelectOptions options = model_.ReadAutoSelectOptions();
    if (!dialogs_->EditAutoSelectOptions(options, IsTypeCode(OrderMenuType), this))
        return;
    model_.WriteAutoSelectOptions(options);

    std::array<bool, 2> warnings{false, false};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result = model_.AutoSelect(options, warnings);
    QApplication::restoreOverrideCursor();

    switch (result) {
    case Model::kAutoSelectFailed: ShowWarning(Res::IDS_ERR_AUTO_SELECT); break;
    case Model::kAutoSelectNoQuestion: ShowWarning(Res::IDS_ERR_AUTO_SELECT_NO_FORMAT); break;
    case Model::kAutoSelectTimedOut: ShowWarning(Res::IDS_ERR_AUTO_SELECT_TIMEOUT); break;
    case Model::kAutoSelectWarnings: {
        QString text;
        if (warnings[0])
            text += Res::String(Res::IDS_WARN_TOO_FEW_SENTENCES);
        if (warnings[1])
            text += Res::String(Res::IDS_WARN_REPEATED_KEYWORD);
        if (!text.isEmpty())
            ShowWarning(QStringLiteral("%s"), text);
        break;
    }
    default: break;
    }
    // The dialog has closed: the status bar says what the avoidance could not avoid.
    if (const std::optional<int> repeats = model_.LastRepeats();
        repeats && (result == Model::kAutoSelectOk || result == Model::kAutoSelectWarnings))
        ShowStatus(Res::IDS_AUTO_SELECT_REPEATS, *repeats);
}

void DlgMain::ChooseTemplate()
{
    const int type = model_.Application();
    const QString name = templates_->currentText();
    if (name != templ_.Selected(type) && templ_.Contains(type, name))
        templ_.Select(type, name);
}

// The run goes on while the window answers; the commands that start runs
// stay disabled and the status bar says so until it has ended.
void DlgMain::CreatePrints()
{
    if (CanStartPrintRun())
        printRuns_->Start(PrintRequest::FromModel(model_, templ_.FullPath(model_.Application())));
}

// A run needs a word processor, and prints with at least one
// sub-question: a run over prints without any would only make a document
// of empty pages.
bool DlgMain::CanStartPrintRun()
{
    if (IsPrintRunning())
        return false;
    if ((model_.AvailableApplications() & model_.Application()) == 0) {
        ShowWarning(Res::IDS_ERR_NO_WORD_PROCESSOR);
        return false;
    }
    const std::vector<Quiz>& prints = model_.Quizzes();
    if (std::none_of(prints.begin(), prints.end(), [](const Quiz& quiz) { return quiz.SentenceCount() > 0; })) {
        ShowWarning(Res::IDS_ERR_NOTHING_TO_PRINT);
        return false;
    }
    return true;
}

// The folder of the last PDF is kept with the teacher's settings.
void DlgMain::SavePdf()
{
    if (!CanStartPrintRun())
        return;
    const QString setting = QStringLiteral("conf_pdf_folder");
    QString folder = model_.Db().UserInfo(setting);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const Book* book = model_.Storage().CurrentBook();
    QString name = book && !book->title.isEmpty() ? book->title : QStringLiteral("prints");
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString suggested = QDir(folder).filePath(name + QStringLiteral(".pdf"));
    QString file = dialogs_->ChoosePdfFile(suggested, this);
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");
    model_.Db().SetUserInfo(setting, QFileInfo(file).absolutePath());
    printRuns_->Start(PrintRequest::FromModel(model_, templ_.FullPath(model_.Application())), file);
}

// Written at once, without the office. The folder and the format of the
// last export are kept with the teacher's settings.
void DlgMain::ExportPrints()
{
    const std::vector<Quiz>& prints = model_.Quizzes();
    if (std::none_of(prints.begin(), prints.end(), [](const Quiz& quiz) { return quiz.SentenceCount() > 0; })) {
        ShowWarning(Res::IDS_ERR_NOTHING_TO_PRINT);
        return;
    }
    const QString folderSetting = QStringLiteral("conf_export_folder");
    const QString formatSetting = QStringLiteral("conf_export_format");
    QString folder = model_.Db().UserInfo(folderSetting);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    ExportFormat::Kind format = ExportFormat::OfFile(QStringLiteral("x.") + model_.Db().UserInfo(formatSetting));
    if (format == ExportFormat::kNone)
        format = ExportFormat::kSelfCheckPage;
    const Book* book = model_.Storage().CurrentBook();
    QString name = book && !book->title.isEmpty() ? book->title : QStringLiteral("prints");
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString suggested = QDir(folder).filePath(name + QLatin1Char('.') + ExportFormat::Extension(format));
    QString file = dialogs_->ChooseExportFile(suggested, format, this);
    if (file.isEmpty())
        return;
    // The file type picks the format.
    if (ExportFormat::OfFile(file) != format)
        file += QLatin1Char('.') + ExportFormat::Extension(format);
    model_.Db().SetUserInfo(folderSetting, QFileInfo(file).absolutePath());
    model_.Db().SetUserInfo(formatSetting, ExportFormat::Extension(format));
    QString error;
    if (PrintExporter::Export(ExportSet::FromModel(model_), file, &error) != PrintExporter::kWritten) {
        ShowWarning(Res::IDS_ERR_EXPORT, error);
        return;
    }
    HistoryRecorder(model_.Paths().HistoryDatabasePath(), [](int id, const QString& argument) {
        ShowWarning(id, argument);
    }).Record(RunRecord::FromModel(model_, {}, QFileInfo(file).absoluteFilePath(), RunRecord::Kind::Export));
    ShowStatus(Res::IDS_EXPORTED, QDir::toNativeSeparators(file));
}

bool DlgMain::IsPrintRunning() const
{
    return printRuns_->IsRunning();
}

void DlgMain::PrintRunning(bool running)
{
    createPrint_->setEnabled(!running);
    savePdf_->setEnabled(!running);
}

void DlgMain::UseBonusClicked()
{
    PrintOptions options = model_.ReadPrintOptions();
    options.useBonus = useBonus_->isChecked();
    model_.WritePrintOptions(options);
    RefreshRangeMarks();
}

void DlgMain::ChooseOutput(int type)
{
    if (model_.Application() == type || !model_.SetApplication(type))
        return;
    RefreshMenuState();
    FillTemplates();
}

void DlgMain::EditOptions()
{
    PrintOptions options = model_.ReadPrintOptions();
    if (dialogs_->EditPrintOptions(options, this))
        model_.WritePrintOptions(options);
}

void DlgMain::OpenTemplateFolder()
{
    const QString folder = path_.MakeUserTemplateFolder();
    const auto cannotOpen
        = [](const QString& shown) { ShowWarning(Res::IDS_ERR_TEMPLATE_FOLDER, QDir::toNativeSeparators(shown)); };
    if (folder.isEmpty()) {
        cannotOpen(path_.UserTemplateFolder());
        return;
    }
    browserOpener_(folder, [cannotOpen, folder](bool opened) {
        if (!opened)
            cannotOpen(folder);
    });
}

// The record of print runs; a run opened from it is in the model and the
// views have been told.
void DlgMain::ShowHistory()
{
    dialogs_->ShowHistory(model_, path_.HistoryDatabasePath(), this);
}

// A book made from a teacher's sheet joins the book list and is selected.
void DlgMain::ImportBook()
{
    // The imported book is selected, which discards the prints: asked first.
    if (model_.HasSentences() && !AskOkCancel(Res::IDS_CONFIRM_DISCARD_PRINTS))
        return;
    const QString written = dialogs_->ImportBook(this);
    if (written.isEmpty())
        return;
    QStringList files;
    path_.BookFiles(files);
    if (!model_.LoadBooks(files)) {
        ShowWarning(Res::IDS_ERR_LOAD_BOOK_DATABASE);
        return;
    }
    const QString wanted = QFileInfo(written).canonicalFilePath();
    for (const Book* book : model_.Storage().Books()) {
        if (QFileInfo(book->path).canonicalFilePath() == wanted) {
            model_.SelectBook(*book);
            break;
        }
    }
    UpdateView();
}

void DlgMain::ShowHelp()
{
    const QString page = path_.HelpPage();
    if (!QFileInfo::exists(page)) {
        ShowWarning(Res::IDS_ERR_NO_HELP_FILE, QDir::toNativeSeparators(page));
        return;
    }
    browserOpener_(page, [](bool opened) {
        if (!opened)
            ShowWarning(Res::IDS_ERR_SHOW_HELP);
    });
}

void DlgMain::AddPrint()
{
    if (!model_.AddQuiz()) {
        ShowInformation(Res::IDS_TOO_MANY_PRINTS, Model::kMaxPrints);
        return;
    }
    AddTab(model_.GetQuiz(model_.QuizCount() - 1));
    const int last = tabs_->count() - 1;
    tabs_->SetCurrentTab(last);
    RefreshRangeMarks(last);
}

void DlgMain::DeletePrint()
{
    if (tabs_->count() == 0 || !AskOkCancel(Res::IDS_CONFIRM_DELETE_PRINT))
        return;
    const int index = tabs_->currentIndex();
    model_.RemoveQuiz(index);
    tabs_->DeleteTab(index);
    pages_.erase(pages_.begin() + index);
    if (tabs_->count() > 0) {
        tabs_->SetCurrentTab(std::min(index, tabs_->count() - 1));
        return;
    }
    // One print always exists: the model has started a fresh one (or is
    // given one now), shown on a tab numbered 1.
    if (model_.QuizCount() == 0)
        model_.AddQuiz();
    UpdateView();
}

// The current print is named after its class; the tab shows the name.
void DlgMain::RenamePrint()
{
    const int index = tabs_->currentIndex();
    if (index < 0 || index >= model_.QuizCount())
        return;
    QString name = model_.GetQuiz(index).ClassName();
    if (!dialogs_->EditClassName(name, this))
        return;
    model_.SetClassName(index, name);
    const int number = tabs_->widget(index)->property(PrintNumberProperty).toInt();
    tabs_->setTabText(index, TabCaption(model_.GetQuiz(index), number));
}

void DlgMain::Reorder(bool random)
{
    model_.SortSentences(random);
    for (int i = 0; i < PageCount(); ++i)
        pages_[i]->InsertQuiz(model_.GetQuiz(i));
    RefreshRangeMarks();
}

void DlgMain::SelectSentences(DlgPrint* page, int qid)
{
    if (RefuseChangedBook())
        return;
    const auto found = std::find_if(
        pages_.begin(), pages_.end(), [page](const std::shared_ptr<DlgPrint>& p) { return p.get() == page; });
    if (found == pages_.end())
        return;
    const int index = static_cast<int>(found - pages_.begin());
    Quiz quiz = model_.GetQuiz(index);
    if (quiz.Units().empty())
        return;
    const QuestionUnit unit = quiz.UnitFor(qid);
    std::vector<const Sentence*> chosen;
    if (!dialogs_->SelectSentences(model_, unit, chosen, this))
        return;
    QuestionUnit edited(unit.GetQuestion());
    for (const Sentence* sentence : chosen)
        edited.AddSentence(sentence); // a sentence already there is skipped
    quiz.ReplaceUnit(edited);
    model_.SetQuiz(index, quiz);
    page->InsertQuiz(quiz);
    RefreshRangeMarks(index);
}

void DlgMain::StartUpdateCheck(bool quiet)
{
    notifier_.SetOwner(updateMenu_.get());
    notifier_.SetQuiet(quiet);
    checker_->Start(&notifier_);
}

void DlgMain::OpenDownloadPage()
{
    notifier_.OpenDownloadPage();
}

void DlgMain::SetVersionChecker(std::unique_ptr<CVersionChecker> checker)
{
    if (checker)
        checker_ = std::move(checker);
}

void DlgMain::SetBrowserOpener(BrowserOpener opener)
{
    if (opener)
        browserOpener_ = std::move(opener);
}

void DlgMain::SetPopupRunner(PopupRunner runner)
{
    popupRunner_ = std::move(runner);
    for (const std::shared_ptr<DlgPrint>& page : pages_)
        page->SetPopupRunner(popupRunner_);
}

void DlgMain::SetQuitHandler(std::function<void(int exitCode)> handler)
{
    if (handler)
        quitHandler_ = std::move(handler);
}

QString DlgMain::StatusText() const
{
    return status_->text();
}

// The context menu of the tab control: the tab under the pointer becomes
// current, then "プリント追加" / "プリント削除" / "クラス名を付ける".
void DlgMain::ShowTabMenu(const QPoint& pos)
{
    const int tab = tabs_->TabAt(pos);
    if (tab >= 0)
        tabs_->SetCurrentTab(tab);
    QMenu menu(this);
    menu.addAction(Res::Text::MenuPrintAdd)->setData(Res::ID_PRINT_ADD);
    menu.addAction(Res::Text::MenuPrintDelete)->setData(Res::ID_PRINT_DELETE);
    menu.addAction(Res::Text::MenuPrintRename)->setData(Res::ID_PRINT_RENAME);
    if (QAction* chosen = RunPopup(popupRunner_, menu, tabs_->mapToGlobal(pos)))
        ExecuteCommand(chosen->data().toInt());
}

void DlgMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!updateCheckStarted_) {
        updateCheckStarted_ = true;
        // The tabs were built before the window was shown, when no page
        // could take the focus: the teacher starts on the print list.
        tabs_->SetCurrentTab(tabs_->currentIndex());
        if (pagesPending_ && windowHandle())
            new AfterFirstPaint(windowHandle(), [this] { BuildPendingPages(); });
        // The quiet check waits until the window is up: setting up the
        // network takes a moment that the first sight of the window need
        // not wait for.
        QTimer::singleShot(QuietCheckDelayMs, this, [this] { StartUpdateCheck(true); });
    }
}

void DlgMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && templates_)
        FillTemplates();
}

void DlgMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    printRuns_->Cancel();
    SetStatusOutput({});
    quitHandler_(1);
}

void DlgMain::Quit()
{
    close();
}
