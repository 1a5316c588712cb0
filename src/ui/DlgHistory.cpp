#include "ui/DlgHistory.h"

#include "desktop/MessageBox.h"
#include "desktop/TextFormat.h"
#include "history/HistoryReport.h"
#include "history/RunRestorer.h"
#include "model/Book.h"
#include "model/NodeStorage.h"
#include "quiz/Model.h"
#include "res/ResourceIds.h"
#include "res/UiText.h"
#include "ui/DlgCoverage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int RunIdRole = Qt::UserRole;

enum Column { WhenColumn, NameColumn, BookColumn, PrintsColumn, FormatsColumn, RangeColumn, ItemsColumn, ColumnCount };

QString Shown(const QDateTime& when)
{
    return when.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

} // namespace

DlgHistory::DlgHistory(Model& model, const QString& historyFile, QWidget* parent)
    : QDialog(parent)
    , model_(model)
    , store_(historyFile)
    , books_(new QComboBox(this))
    , runs_(new QTreeWidget(this))
    , open_(new QPushButton(Res::Text::HistoryOpen, this))
    , name_(new QPushButton(Res::Text::HistoryName, this))
    , delete_(new QPushButton(Res::Text::HistoryDelete, this))
{
    setWindowTitle(Res::Text::HistoryCaption);
    setSizeGripEnabled(true);

    auto* filterRow = new QHBoxLayout;
    auto* filterLabel = new QLabel(Res::Text::HistoryBookFilter, this);
    filterLabel->setBuddy(books_);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(books_, 1);

    runs_->setColumnCount(ColumnCount);
    runs_->setHeaderLabels({Res::Text::HistoryWhen, Res::Text::HistoryRunName, Res::Text::HistoryBook,
        Res::Text::HistoryPrints, Res::Text::HistoryFormats, Res::Text::HistoryRange, Res::Text::HistoryItems});
    runs_->setRootIsDecorated(false);
    runs_->setUniformRowHeights(true);
    runs_->setSelectionMode(QAbstractItemView::SingleSelection);
    runs_->header()->setStretchLastSection(false);
    connect(runs_, &QTreeWidget::itemSelectionChanged, this, &DlgHistory::UpdateButtons);
    connect(runs_, &QTreeWidget::itemDoubleClicked, this, [this] { OpenSelected(); });

    auto* coverage = new QPushButton(Res::Text::HistoryCoverage, this);
    auto* csv = new QPushButton(Res::Text::HistoryCsv, this);
    auto* close = new QPushButton(Res::Text::HistoryClose, this);
    connect(open_, &QPushButton::clicked, this, [this] { OpenSelected(); });
    connect(name_, &QPushButton::clicked, this, &DlgHistory::AskName);
    connect(delete_, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    connect(coverage, &QPushButton::clicked, this, &DlgHistory::ShowCoverage);
    connect(csv, &QPushButton::clicked, this, &DlgHistory::AskCsvFile);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {open_, name_, delete_, coverage, csv})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(close);
    open_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(runs_, 1);
    layout->addLayout(buttons);
    resize(760, 420);

    FillBooks();
    connect(books_, &QComboBox::currentIndexChanged, this, &DlgHistory::FillRuns);
    FillRuns();
}

// The books the history knows, the current book first when it has runs.
void DlgHistory::FillBooks()
{
    books_->addItem(Res::Text::HistoryAllBooks);
    QString error;
    const auto runs = store_.Runs(QString(), 0, &error);
    if (!error.isEmpty())
        ShowWarning(Res::IDS_ERR_HISTORY_READ, error);
    QStringList seen;
    for (const HistoryStore::Summary& summary : runs) {
        const QString key = summary.run.dbid + u'\n' + QString::number(summary.run.bid);
        if (seen.contains(key))
            continue;
        seen << key;
        books_->addItem(summary.run.bookTitle, key);
    }
    const Book* current = model_.Storage().CurrentBook();
    if (current) {
        const int index = books_->findData(current->dbid + u'\n' + QString::number(current->bid));
        if (index > 0)
            books_->setCurrentIndex(index);
    }
}

void DlgHistory::FillRuns()
{
    const QStringList key = books_->currentData().toString().split(u'\n');
    const auto runs = key.size() == 2 ? store_.Runs(key[0], key[1].toInt()) : store_.Runs();
    runs_->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(runs.size()));
    for (const HistoryStore::Summary& summary : runs) {
        const RunRecord& run = summary.run;
        auto* item = new QTreeWidgetItem;
        item->setText(WhenColumn, Shown(run.when));
        item->setText(NameColumn, run.name);
        item->setText(BookColumn, run.bookTitle);
        item->setText(PrintsColumn, QString::number(summary.printCount));
        item->setText(FormatsColumn, run.formatNames);
        item->setText(RangeColumn, run.rangeLine);
        item->setText(ItemsColumn, QString::number(summary.itemCount));
        item->setTextAlignment(PrintsColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(ItemsColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(WhenColumn, RunIdRole, run.id);
        items << item;
    }
    runs_->addTopLevelItems(items);
    if (!items.isEmpty())
        runs_->setCurrentItem(items.front());
    for (int column = 0; column < ColumnCount; ++column)
        runs_->resizeColumnToContents(column);
    UpdateButtons();
}

void DlgHistory::UpdateButtons()
{
    const bool chosen = SelectedRun() != 0;
    for (QPushButton* button : {open_, name_, delete_})
        button->setEnabled(chosen);
}

long long DlgHistory::SelectedRun() const
{
    const QList<QTreeWidgetItem*> selected = runs_->selectedItems();
    return selected.isEmpty() ? 0 : selected.front()->data(WhenColumn, RunIdRole).toLongLong();
}

void DlgHistory::SelectRun(long long id)
{
    for (int i = 0; i < runs_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = runs_->topLevelItem(i);
        if (item->data(WhenColumn, RunIdRole).toLongLong() == id)
            runs_->setCurrentItem(item);
    }
}

bool DlgHistory::OpenSelected()
{
    QString error;
    const auto run = store_.Run(SelectedRun(), &error);
    if (!run) {
        ShowWarning(Res::IDS_ERR_HISTORY_READ, error);
        return false;
    }
    const RunRestorer::Outcome outcome = RunRestorer::Restore(model_, *run);
    if (!outcome.restored) {
        ShowWarning(Res::IDS_ERR_HISTORY_NO_BOOK, run->bookTitle);
        return false;
    }
    if (!outcome.missing.empty()) {
        QStringList lines;
        for (const auto& [printNo, item] : outcome.missing)
            lines << FormatText(Res::String(Res::IDS_HISTORY_MISSING_ITEM),
                {printNo, item.format, item.number, item.keyword, item.sid});
        ShowWarning(Res::IDS_WARN_HISTORY_MISSING, lines.join(u'\n'));
    } else if (outcome.bookChanged) {
        ShowWarning(Res::IDS_WARN_HISTORY_BOOK_CHANGED, run->bookTitle);
    }
    accept();
    return true;
}

bool DlgHistory::NameSelected(const QString& name)
{
    const long long id = SelectedRun();
    QString error;
    if (id == 0 || !store_.Rename(id, name.trimmed(), &error)) {
        if (!error.isEmpty())
            ShowWarning(Res::IDS_ERR_HISTORY_WRITE, store_.File() + u'\n' + error);
        return false;
    }
    FillRuns();
    SelectRun(id);
    return true;
}

void DlgHistory::AskName()
{
    const QList<QTreeWidgetItem*> selected = runs_->selectedItems();
    if (selected.isEmpty())
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, Res::Text::HistoryCaption, Res::Text::HistoryNamePrompt,
        QLineEdit::Normal, selected.front()->text(NameColumn), &ok);
    if (ok)
        NameSelected(name);
}

bool DlgHistory::DeleteSelected()
{
    const long long id = SelectedRun();
    if (id == 0 || !AskOkCancel(Res::IDS_CONFIRM_DELETE_RUN))
        return false;
    QString error;
    if (!store_.Remove(id, &error)) {
        ShowWarning(Res::IDS_ERR_HISTORY_WRITE, store_.File() + u'\n' + error);
        return false;
    }
    FillRuns();
    return true;
}

void DlgHistory::ShowCoverage()
{
    DlgCoverage coverage(model_, store_, this);
    coverage.exec();
}

void DlgHistory::AskCsvFile()
{
    const QString file = QFileDialog::getSaveFileName(
        this, Res::Text::HistoryCsv, QStringLiteral("出題履歴.csv"), Res::Text::HistoryCsvFilter);
    if (!file.isEmpty())
        ExportCsv(file);
}

bool DlgHistory::ExportCsv(const QString& file)
{
    QSaveFile out(file);
    QString error;
    const bool written = out.open(QIODevice::WriteOnly) && HistoryReport::WriteCsv(store_, out, true, &error);
    if (written && out.commit())
        return true;
    out.cancelWriting();
    ShowWarning(Res::IDS_ERR_HISTORY_CSV, error.isEmpty() ? out.errorString() : error);
    return false;
}
