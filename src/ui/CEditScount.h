#pragma once

#include <QSpinBox>

// The in-place number editor of a count list: shown over one cell with its
// up-down arrows, it commits the typed number when the user presses Enter
// or leaves it, and drops the edit on Esc. An empty (or unusable) text
// keeps the cell's old value. The arrows step through MinValue..MaxValue
// and wrap at the ends.
class CEditScount : public QSpinBox {
    Q_OBJECT

public:
    static constexpr int MinValue = 1;
    static constexpr int MaxValue = 1000;

    // Made hidden; it shows itself in BeginEdit.
    explicit CEditScount(QWidget* parent = nullptr);

    // Opens the editor for `row` over `cell` (in the parent's coordinates,
    // keeping the editor's own height) with `text`, focused and all of it
    // selected.
    void BeginEdit(int row, const QRect& cell, const QString& text);

    // The row being edited, -1 when none.
    int EditedRow() const;

    // Ends the edit: Committed when the text is a usable number, then hides.
    void Commit();
    // Ends the edit without a result and hides.
    void Cancel();

Q_SIGNALS:
    // The user's number for `row`, as the cell's new text.
    void Committed(int row, const QString& text);
    // The edit ended (committed or not); the editor is hidden.
    void Finished();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Forgets the row and hides; the row that was edited, -1 when none.
    int End();

    int row_ = -1;
};
