#include "ui/DlgImportBook.h"

#include "desktop/MessageBox.h"
#include "bookimport/BookImporter.h"
#include "bookimport/ImportCancel.h"
#include "bookimport/SourceFormat.h"
#include "res/UiText.h"
#include "ui/ColumnMappingTable.h"

#include <QEventLoop>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <atomic>
#include <memory>
#include <utility>

namespace {

// Imports of more rows than this show a progress dialog while writing.
constexpr int kProgressFromRows = 2000;

// The problems listed: a list of a hundred thousand (a note on every row)
// would take the window a minute to show and nobody to read.
constexpr std::size_t kShownProblems = 1000;

QString Where(const Problem& problem)
{
    if (problem.row == 0)
        return QString();
    if (problem.column == 0)
        return QStringLiteral("%1 行目: ").arg(problem.row);
    return QStringLiteral("%1 行 %2 列: ").arg(problem.row).arg(problem.column);
}

} // namespace

// One reading of the file for the preview, on a thread of its own: what it
// was asked, and what it found, kept small (the first rows of the sheet and
// the book's counts) so that nothing large waits for the window.
struct DlgImportBook::Reading {
    ImportRequest request;
    SpreadsheetReader* spreadsheets = nullptr;
    std::atomic<bool> stopped{false};

    Sheet sheet;
    std::vector<Problem> problems; // the first kShownProblems
    std::size_t problemCount = 0;
    int errorCount = 0;
    bool ready = false; // the book can be written
    QString title;
    std::size_t keywords = 0;
    std::size_t sentences = 0;
    std::size_t questions = 0;

    void Run()
    {
        const ImportCancel::Scope scope(stopped);
        Problems found;
        const std::optional<BookDraft> draft = BookImporter(spreadsheets).Prepare(request, sheet, found);
        problemCount = found.List().size();
        errorCount = found.ErrorCount();
        problems.assign(found.List().begin(),
            found.List().begin() + static_cast<std::ptrdiff_t>(std::min(problemCount, kShownProblems)));
        sheet.rows.Truncate(static_cast<std::size_t>(kPreviewRows));
        if (!draft)
            return;
        ready = true;
        title = draft->title;
        keywords = draft->keywords.size();
        sentences = draft->sentenceCount;
        questions = draft->questions.size();
    }
};

DlgImportBook::DlgImportBook(SpreadsheetReader* spreadsheets, QWidget* parent)
    : QDialog(parent)
    , m_spreadsheets(spreadsheets)
    , m_file(new QLineEdit(this))
    , m_format(new QComboBox(this))
    , m_type(new QComboBox(this))
    , m_title(new QLineEdit(this))
    , m_preview(new QTableWidget(this))
    , m_mappingLabel(new QLabel(Res::Text::ImportMappingLabel, this))
    , m_mapping(new ColumnMappingTable(this))
    , m_problems(new QListWidget(this))
    , m_summary(new QLabel(this))
{
    setWindowTitle(Res::Text::ImportCaption);
    m_file->setObjectName(QStringLiteral("file"));
    m_format->setObjectName(QStringLiteral("format"));
    m_type->setObjectName(QStringLiteral("type"));
    m_mapping->setObjectName(QStringLiteral("mapping"));
    m_format->addItem(Res::Text::ImportFormatAuto, QString());
    m_format->addItem(Res::Text::ImportFormatSheet, SourceFormat::Sheet);
    m_format->addItem(Res::Text::ImportFormatAnki, SourceFormat::Anki);
    m_format->addItem(Res::Text::ImportFormatQuizlet, SourceFormat::Quizlet);
    m_format->addItem(Res::Text::ImportFormatMnemosyne, SourceFormat::Mnemosyne);
    m_title->setObjectName(QStringLiteral("title"));
    m_preview->setObjectName(QStringLiteral("preview"));
    m_problems->setObjectName(QStringLiteral("problems"));
    m_summary->setObjectName(QStringLiteral("summary"));
    m_type->addItem(Res::Text::ImportType101, QStringLiteral("101"));
    m_type->addItem(Res::Text::ImportType301, QStringLiteral("301"));
    m_type->addItem(Res::Text::ImportType303, QStringLiteral("303"));
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->horizontalHeader()->setStretchLastSection(true);
    m_summary->setWordWrap(true);

    auto* browse = new QPushButton(Res::Text::ImportBrowse, this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    auto* form = new QFormLayout;
    auto* fileLabel = new QLabel(Res::Text::ImportFileLabel, this);
    fileLabel->setBuddy(m_file);
    form->addRow(fileLabel, fileRow);
    form->addRow(Res::Text::ImportFormatLabel, m_format);
    form->addRow(Res::Text::ImportTypeLabel, m_type);
    form->addRow(Res::Text::ImportTitleLabel, m_title);

    auto* buttons = new QDialogButtonBox(this);
    m_run = buttons->addButton(Res::Text::ImportRun, QDialogButtonBox::AcceptRole);
    m_run->setObjectName(QStringLiteral("run"));
    m_stop = buttons->addButton(Res::Text::ImportStopReading, QDialogButtonBox::ActionRole);
    m_stop->setObjectName(QStringLiteral("stop"));
    m_stop->hide();
    buttons->addButton(Res::Text::Cancel, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(Res::Text::ImportPreviewLabel, this));
    layout->addWidget(m_preview, 3);
    layout->addWidget(m_mappingLabel);
    layout->addWidget(m_mapping, 2);
    layout->addWidget(new QLabel(Res::Text::ImportProblemsLabel, this));
    layout->addWidget(m_problems, 2);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(720, 560);

    connect(browse, &QPushButton::clicked, this, &DlgImportBook::Browse);
    connect(m_file, &QLineEdit::editingFinished, this, &DlgImportBook::Preview);
    connect(m_format, &QComboBox::currentIndexChanged, this, &DlgImportBook::ChooseFormat);
    connect(m_mapping, &ColumnMappingTable::RolesChanged, this, [this] {
        m_roles = m_mapping->Roles();
        Preview();
    });
    connect(m_type, &QComboBox::currentIndexChanged, this, &DlgImportBook::Preview);
    connect(m_title, &QLineEdit::textEdited, this, [this] { m_titleEdited = true; });
    connect(m_title, &QLineEdit::editingFinished, this, &DlgImportBook::Preview);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        StopReading();
        m_summary->setText(Res::Text::ImportStopped);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &DlgImportBook::Run);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Preview();
}

DlgImportBook::~DlgImportBook()
{
    StopReading();
    // A stopped reading ends at its next row; none may outlive the window.
    for (QThread* thread : m_threads) {
        thread->disconnect(this);
        thread->wait();
        delete thread;
    }
}

void DlgImportBook::StopReading()
{
    if (!m_reading)
        return;
    m_reading->stopped = true;
    m_reading.reset();
    m_stop->hide();
    Q_EMIT ReadingEnded();
}

void DlgImportBook::SetFile(const QString& file)
{
    m_file->setText(file);
    m_roles.clear();
    if (!m_titleEdited)
        m_title->setText(QFileInfo(file).completeBaseName());
    Preview();
}

void DlgImportBook::Browse()
{
    // The flashcard programs' types come after the first, and choosing one
    // chooses the shape the file is read as.
    const QStringList filters = Res::Text::ImportFileFilter.split(QStringLiteral(";;"));
    const QList<std::pair<QString, QString>> programs{{Res::Text::ImportFilterAnki, SourceFormat::Anki},
        {Res::Text::ImportFilterQuizlet, SourceFormat::Quizlet},
        {Res::Text::ImportFilterMnemosyne, SourceFormat::Mnemosyne}};
    QStringList offered{filters.front()};
    for (const auto& program : programs)
        offered.append(program.first);
    offered += filters.mid(1);
    QString chosen;
    const QString file = QFileDialog::getOpenFileName(
        this, Res::Text::ImportCaption, m_file->text(), offered.join(QStringLiteral(";;")), &chosen);
    if (file.isEmpty())
        return;
    for (const auto& program : programs) {
        if (chosen == program.first) {
            const QSignalBlocker blocker(m_format);
            m_format->setCurrentIndex(m_format->findData(program.second));
        }
    }
    SetFile(file);
}

void DlgImportBook::ChooseFormat()
{
    m_roles.clear();
    Preview();
}

ImportRequest DlgImportBook::Request() const
{
    ImportRequest request;
    request.input = m_file->text().trimmed();
    request.type = m_type->currentData().toString();
    request.title = m_title->text().trimmed();
    request.from = m_format->currentData().toString();
    request.roles = m_roles;
    return request;
}

// Reads and checks the sheet without writing anything, on a thread of its
// own (ShowPreview shows what it found): the first rows, every problem, and
// what the book would hold. A reading under way is stopped first.
void DlgImportBook::Preview()
{
    StopReading();
    m_preview->clear();
    m_preview->setRowCount(0);
    m_preview->setColumnCount(0);
    m_problems->clear();
    m_run->setEnabled(false);
    const ImportRequest request = Request();
    if (request.input.isEmpty()) {
        m_mappingLabel->hide();
        m_mapping->hide();
        m_summary->setText(Res::Text::ImportNoFile);
        return;
    }
    auto reading = std::make_shared<Reading>();
    reading->request = request;
    reading->spreadsheets = m_spreadsheets;
    m_reading = reading;
    QThread* thread = QThread::create([reading] { reading->Run(); });
    connect(thread, &QThread::finished, this, [this, thread, reading] {
        m_threads.erase(thread);
        thread->deleteLater();
        if (reading != m_reading)
            return;
        m_reading.reset();
        m_stop->hide();
        ShowPreview(*reading);
        Q_EMIT ReadingEnded();
    });
    m_threads.insert(thread);
    m_summary->setText(Res::Text::ImportReading);
    m_stop->show();
    thread->start();
}

void DlgImportBook::ShowPreview(const Reading& reading)
{
    const Sheet& sheet = reading.sheet;
    m_preview->setColumnCount(static_cast<int>(sheet.header.cells.size()));
    m_preview->setHorizontalHeaderLabels(sheet.header.cells);
    const int shown = static_cast<int>(std::min<std::size_t>(sheet.rows.size(), kPreviewRows));
    m_preview->setRowCount(shown);
    QStringList rowNumbers;
    for (int r = 0; r < shown; ++r) {
        const SheetRow row = sheet.rows[static_cast<std::size_t>(r)].Whole();
        rowNumbers.append(QString::number(row.row));
        for (int c = 0; c < row.cells.size() && c < m_preview->columnCount(); ++c)
            m_preview->setItem(r, c, new QTableWidgetItem(row.cells[c]));
    }
    m_preview->setVerticalHeaderLabels(rowNumbers);
    const bool flashcards = !sheet.format.isEmpty() && sheet.format != SourceFormat::Sheet;
    if (flashcards)
        m_mapping->SetColumns(sheet);
    m_mappingLabel->setVisible(flashcards);
    m_mapping->setVisible(flashcards);

    for (const Problem& problem : reading.problems) {
        auto* item = new QListWidgetItem(Where(problem) + problem.message, m_problems);
        item->setIcon(
            style()->standardIcon(problem.IsError() ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning));
    }
    if (reading.problemCount > reading.problems.size())
        new QListWidgetItem(
            Res::Text::ImportMoreProblems.arg(reading.problemCount - reading.problems.size()), m_problems);
    if (!reading.ready) {
        m_summary->setText(Res::Text::ImportHasErrors.arg(std::max(reading.errorCount, 1)));
        return;
    }
    m_summary->setText(Res::Text::ImportSummary.arg(reading.title)
                           .arg(reading.keywords)
                           .arg(reading.sentences)
                           .arg(reading.questions)
                           .arg(QDir::toNativeSeparators(BookImporter::OutputFor(reading.request))));
    m_run->setEnabled(true);
}

// The file is read again and the book written on a thread of its own; the
// window waits for it without freezing. A long import shows its progress,
// with a button that stops it, as closing the window does.
void DlgImportBook::Run()
{
    ImportRequest request = Request();
    const QString output = BookImporter::OutputFor(request);
    if (QFileInfo::exists(output)) {
        if (!AskOkCancel(QStringLiteral("%s"), Res::Text::ImportReplace.arg(QDir::toNativeSeparators(output))))
            return;
        request.force = true;
    }
    std::atomic<bool> stopped{false};
    // Made only for a long import, so a short one shows nothing.
    std::unique_ptr<QProgressDialog> progress;
    const auto show = [this, &progress, &stopped](int done, int total) {
        if (total < kProgressFromRows || stopped)
            return;
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(Res::Text::ImportWriting, Res::Text::Cancel, 0, total, this);
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
            connect(progress.get(), &QProgressDialog::canceled, this, [&stopped] { stopped = true; });
        }
        progress->setValue(done);
    };
    Problems problems;
    QString written;
    QThread* thread = QThread::create([&] {
        const ImportCancel::Scope scope(stopped);
        written = BookImporter(m_spreadsheets).Import(request, problems, [this, &show](int done, int total) {
            QMetaObject::invokeMethod(
                this, [&show, done, total] { show(done, total); }, Qt::QueuedConnection);
        });
    });
    // The reports the thread posted come before the end it posts last.
    QEventLoop waiting;
    connect(thread, &QThread::finished, &waiting, &QEventLoop::quit);
    m_writeStop = &stopped;
    m_run->setEnabled(false);
    thread->start();
    waiting.exec();
    thread->wait();
    delete thread;
    m_writeStop = nullptr;
    progress.reset();
    if (stopped) {
        m_summary->setText(Res::Text::ImportStopped);
        m_run->setEnabled(true);
        return;
    }
    if (written.isEmpty()) {
        ShowWarning(QStringLiteral("%s"), Res::Text::ImportFailed.arg(problems.Lines().join(u'\n')));
        Preview();
        return;
    }
    m_written = written;
    accept();
}

void DlgImportBook::reject()
{
    if (m_writeStop) {
        *m_writeStop = true;
        return;
    }
    StopReading();
    QDialog::reject();
}
