#include "ui/CEditScount.h"

#include <QKeyEvent>
#include <QLineEdit>

CEditScount::CEditScount(QWidget* parent)
    : QSpinBox(parent)
{
    setRange(MinValue, MaxValue);
    setWrapping(true);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setGroupSeparatorShown(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    hide();
}

void CEditScount::BeginEdit(int row, const QRect& cell, const QString& text)
{
    row_ = row;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    setValue(ok ? value : MinValue);
    lineEdit()->setText(ok ? text.trimmed() : QString());
    const int height = sizeHint().height();
    setGeometry(cell.left(), cell.top() + (cell.height() - height) / 2, cell.width(), height);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

int CEditScount::EditedRow() const
{
    return row_;
}

int CEditScount::End()
{
    const int row = row_;
    row_ = -1;
    hide(); // may move the focus away; the row is already forgotten
    return row;
}

void CEditScount::Commit()
{
    const QString text = lineEdit()->text().trimmed();
    int pos = 0;
    QString candidate = text;
    const bool usable = !text.isEmpty() && validate(candidate, pos) == QValidator::Acceptable;
    const int row = End();
    if (row < 0)
        return;
    if (usable)
        Q_EMIT Committed(row, QString::number(valueFromText(text)));
    Q_EMIT Finished();
}

void CEditScount::Cancel()
{
    if (End() >= 0)
        Q_EMIT Finished();
}

void CEditScount::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Commit();
        event->accept();
        return;
    case Qt::Key_Escape:
        Cancel();
        event->accept();
        return;
    default: QSpinBox::keyPressEvent(event);
    }
}

void CEditScount::focusOutEvent(QFocusEvent* event)
{
    // Read the text before the spin box corrects it on losing the focus.
    if (row_ >= 0)
        Commit();
    QSpinBox::focusOutEvent(event);
}
