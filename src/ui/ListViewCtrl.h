#pragma once

#include <QHeaderView>
#include <QTreeWidget>
#include <QVariant>

// A report-style list: columns with header texts, widths and alignments,
// rows addressed by index, each row able to carry one value. The program's
// lists (print page, vocabulary, sub-questions, question formats) use it,
// and the list builders lay it out.
class ListViewCtrl : public QTreeWidget {
    Q_OBJECT

public:
    explicit ListViewCtrl(QWidget* parent = nullptr);

    // Appends a column; returns its index. Cells of the column take its
    // alignment (left, right or centred).
    int AddColumn(const QString& header, int width, Qt::Alignment alignment = Qt::AlignLeft);
    int ColumnCount() const;
    Qt::Alignment ColumnAlignment(int column) const;

    // Inserts a row at `row` (at the end when out of range) with `text` in
    // column 0; returns its index.
    virtual int InsertRow(int row, const QString& text);
    int RowCount() const;
    virtual void DeleteAllRows();

    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString& text);

    // The value a row carries (none by default).
    QVariant RowData(int row) const;
    void SetRowData(int row, const QVariant& data);

    // The selected row, -1 when none.
    int SelectedRow() const;
    // Selects `row`, makes it the focused row and scrolls it into view.
    void SelectRow(int row);

    // Rows per page: how many whole rows the viewport shows.
    int RowsPerPage() const;

    // Grid lines between rows and columns.
    void SetGridLines(bool on);
    bool GridLines() const;

protected:
    // Rows with a check box: where a click on the box of `row` lands (in
    // viewport coordinates; empty when the row has no box), and what a
    // click there or the space bar on the focused row does.
    virtual QRect BoxHitRect(int row) const;
    virtual void ActivateBox(int row);

    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Horizontal extent (viewport coordinates) of each visible column, in
    // the order shown.
    struct ColumnSpan {
        int column;
        int left;
        int width;
    };
    QList<ColumnSpan> VisibleColumns() const;

    // Lines of the grid around the row of `rowRect`.
    void DrawGrid(QPainter* painter, const QRect& rowRect) const;
    // The focus rectangle around the columns of the row of `rowRect`.
    void DrawFocusRect(QPainter* painter, const QRect& rowRect, const QColor& background) const;

    QTreeWidgetItem* Row(int row) const;

    // The text of the tip of a cell whose text is cut.
    virtual QString TipText(int row, int column) const;

private:
    // Activates the box under `pos`; whether there was one.
    bool ActivateBoxAt(const QPoint& pos);

    QList<Qt::Alignment> alignments_;
    bool gridLines_ = true;
};
