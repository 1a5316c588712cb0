#include "ui/DlgBook.h"

#include "desktop/MessageBox.h"
#include "model/DataBase.h"
#include "model/NodeStorage.h"
#include "quiz/Model.h"
#include "res/ResourceIds.h"
#include "res/UiText.h"
#include "ui/CDialogResize.h"
#include "ui/ControlId.h"
#include "ui/DialogUnits.h"

#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int BookPositionRole = Qt::UserRole;

} // namespace

DlgBook::DlgBook(Model& model, QWidget* parent)
    : QDialog(parent)
    , model_(model)
    , list_(new QListWidget(this))
{
    setWindowTitle(Res::Text::BookCaption);
    setSizeGripEnabled(true);
    const DialogUnits du(font());

    SetControlId(list_, Res::IDC_BOOK_LIST);
    list_->setGeometry(du.Rect(7, 7, 236, 117));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(list_, &QListWidget::itemDoubleClicked, this, &DlgBook::accept);

    auto* ok = new QPushButton(Res::Text::Ok, this);
    SetControlId(ok, Res::IDOK);
    ok->setGeometry(du.Rect(139, 129, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(Res::Text::Cancel, this);
    SetControlId(cancel, Res::IDCANCEL);
    cancel->setGeometry(du.Rect(193, 129, 50, 14));
    connect(ok, &QPushButton::clicked, this, &DlgBook::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* resizer = new CDialogResize(this);
    resizer->Add(list_, CDialogResize::SizeX | CDialogResize::SizeY);
    resizer->Add(ok, CDialogResize::MoveX | CDialogResize::MoveY);
    resizer->Add(cancel, CDialogResize::MoveX | CDialogResize::MoveY);
    resize(du.Size(250, 150));
    resizer->Init(true);

    FillBooks();
}

void DlgBook::FillBooks()
{
    if (!model_.Db().HasBook())
        return;
    // Files may share a bid: a line stands for its place in the book list.
    const std::vector<Book*>& books = model_.Storage().Books();
    for (std::size_t i = 0; i < books.size(); ++i) {
        auto* item = new QListWidgetItem(books[i]->title, list_);
        item->setData(BookPositionRole, static_cast<int>(i));
        if (books[i] == model_.Storage().CurrentBook())
            list_->setCurrentItem(item);
    }
}

void DlgBook::accept()
{
    const QListWidgetItem* item = list_->currentItem();
    const std::vector<Book*>& books = model_.Storage().Books();
    const int position = item ? item->data(BookPositionRole).toInt() : -1;
    const bool chosen = item && item->isSelected() && position >= 0 && position < static_cast<int>(books.size());
    const Book* book = chosen ? books[static_cast<std::size_t>(position)] : nullptr;
    // Another book discards the prints: the teacher is asked first, and
    // "no" keeps everything.
    if (book && book != model_.Storage().CurrentBook() && model_.HasSentences()
        && !AskOkCancel(Res::IDS_CONFIRM_DISCARD_PRINTS)) {
        QDialog::reject();
        return;
    }
    if (book && model_.SelectBook(*book) == Model::kSelectBookFailed) {
        // The model keeps the book it had; say why nothing changed.
        ShowWarning(Res::IDS_ERR_LOAD_BOOK_DATABASE);
    }
    QDialog::accept();
}
