#include "ui/DlgCoverage.h"

#include "history/Coverage.h"
#include "model/Book.h"
#include "model/NodeStorage.h"
#include "quiz/Model.h"
#include "res/UiText.h"

#include <QColor>
#include <QDialogButtonBox>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { EntryColumn, KeywordsColumn, TestedColumn, LastColumn, ColumnCount };

// White when every keyword was tested, a warm red when none was.
QColor Shade(double share)
{
    const QColor none(0xF4, 0xB6, 0xA8);
    const auto mix = [share](int from, int to) { return static_cast<int>(from + (to - from) * share); };
    return QColor(mix(none.red(), 255), mix(none.green(), 255), mix(none.blue(), 255));
}

} // namespace

DlgCoverage::DlgCoverage(Model& model, HistoryStore& store, QWidget* parent)
    : QDialog(parent)
    , rows_(new QTreeWidget(this))
{
    setWindowTitle(Res::Text::CoverageCaption);
    setSizeGripEnabled(true);
    const Book* book = model.Storage().CurrentBook();
    auto* title = new QLabel(book ? book->title : QString(), this);

    rows_->setColumnCount(ColumnCount);
    rows_->setHeaderLabels({model.CurrentRange().NumberRange() ? Res::Text::CoverageInterval : Res::Text::CoverageEntry,
        Res::Text::CoverageKeywords, Res::Text::CoverageTested, Res::Text::CoverageLast});
    rows_->setRootIsDecorated(false);
    rows_->setUniformRowHeights(true);

    const auto uses = book ? store.KeywordUses(book->dbid, book->bid) : std::map<int, HistoryStore::KeywordUse>();
    QList<QTreeWidgetItem*> items;
    for (const Coverage::Row& row : Coverage::Of(model, uses)) {
        auto* item = new QTreeWidgetItem;
        item->setText(EntryColumn, QString(row.depth * 2, u' ') + row.title);
        item->setText(KeywordsColumn, QString::number(row.keywords));
        item->setText(TestedColumn, QString::number(row.tested));
        item->setText(
            LastColumn, row.last.isValid() ? row.last.toLocalTime().toString(QStringLiteral("yyyy/MM/dd")) : QString());
        for (int column : {KeywordsColumn, TestedColumn})
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        if (row.keywords > 0) {
            const QColor shade = Shade(row.Share());
            for (int column = 0; column < ColumnCount; ++column)
                item->setBackground(column, shade);
        }
        items << item;
    }
    rows_->addTopLevelItems(items);
    for (int column = 0; column < ColumnCount; ++column)
        rows_->resizeColumnToContents(column);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(rows_, 1);
    layout->addWidget(buttons);
    resize(560, 480);
}
