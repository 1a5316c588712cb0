#pragma once

#include "ui/ListViewCtrl.h"

// A list that draws the external-character tags of its cell texts as the
// special characters they stand for, in the external-character font, and
// everything else as plain text. Optionally each row has a check box in
// column 0.
class GaijiListViewCtrl : public ListViewCtrl {
    Q_OBJECT

public:
    explicit GaijiListViewCtrl(QWidget* parent = nullptr);

    void SetCheckBoxes(bool on);
    bool HasCheckBoxes() const;

    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);

    // The font the external characters are drawn with.
    QFont ExternalFont() const;
    // Whether that font is there to draw with; when it is not, the list
    // shows the ordinary characters the external characters stand for.
    // Taken from the installed fonts when the list is made.
    bool UsesExternalFont() const { return externalAvailable_; }
    void SetUsesExternalFont(bool available);

    // The check box of a row, in viewport coordinates (empty without boxes).
    QRect CheckBoxRect(int row) const;

Q_SIGNALS:
    // The user ticked or unticked `row` (by mouse or the space bar).
    void CheckChanged(int row);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QRect BoxHitRect(int row) const override;
    void ActivateBox(int row) override;
    void changeEvent(QEvent* event) override;
    QString TipText(int row, int column) const override;

private:
    void DrawCellText(QPainter* painter, const QRect& cell, const QString& text, Qt::Alignment alignment) const;

    bool checkBoxes_ = false;
    QFont externalFont_;
    bool externalAvailable_;
};
