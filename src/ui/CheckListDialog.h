#pragma once

#include <QDialog>
#include <QRect>
#include <QVariant>

#include <vector>

class CDialogResize;
class GaijiListViewCtrl;
class QPushButton;

// A resizable dialog around a list whose rows carry check boxes and can be
// moved up and down one place at a time: the chosen rows, top to bottom,
// are its result. OK and Cancel sit at the bottom right. The list grows
// with the dialog, the arrow buttons move right and share the height the
// dialog gains, and the dialog never gets smaller than its first size.
class CheckListDialog : public QDialog {
    Q_OBJECT

public:
    // Geometry in dialog units of the list and the two arrow buttons, with
    // their control ids.
    struct Layout {
        QSize dialog;
        QRect list;
        QRect up;
        QRect down;
        int listId;
        int upId;
        int downId;
    };

    GaijiListViewCtrl& List() { return *list_; }

    // Moves the selected row one place up (delta -1) or down (+1) with its
    // texts, value and tick, then selects it and scrolls it into view. At
    // the top or bottom of the list, or with no row selected, nothing moves.
    void MoveSelectedRow(int delta);

protected:
    CheckListDialog(const QString& caption, const Layout& layout, QWidget* parent);

    // Call once every control is in place: the present geometry becomes
    // the one resizing starts from.
    void FinishLayout();
    // Called after every resize, once the list has its new size.
    virtual void FitColumns() { }

    // Gives a row the list builder has filled its value and its tick.
    void MarkRow(int row, const QVariant& value, bool ticked);
    // The values of the ticked rows, top to bottom.
    std::vector<QVariant> TickedValues() const;

    CDialogResize& Resizer() { return *resize_; }

    void resizeEvent(QResizeEvent* event) override;

private:
    GaijiListViewCtrl* list_;
    QPushButton* up_;
    QPushButton* down_;
    CDialogResize* resize_;
    QRect upStart_;
    QRect downStart_;
    QSize startSize_;
};
