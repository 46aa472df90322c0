#pragma once
#include <QColor>
#include <QPixmap>
#include <QStringList>
#include <QTableView>
#include <QVector>

namespace wvs {

class FlexGridModel;

// The list grid of every list window. Row 0 is the fixed heading row (drawn as
// the view's header); data rows are 1 .. rows() - 1. Columns are numbered from
// 0; a key column is a column of width 0 (hidden). Widths are given in twips
// (15 twips a pixel at the design size) and scaled by the session's
// ResizeFactor. The model holds plain strings, so tens of thousands of rows
// fill at once.
//
// Filling many rows: call beginFill() first (the grid hides, the pointer shows
// the hourglass and nothing is redrawn cell by cell) and endFill() when done,
// or hold a FlexGrid::FillScope for the duration. After every change of the
// rows (setRows, setData, a sort) no data row is selected.
class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget *parent = nullptr);
    ~FlexGrid() override;

    // Shape. setRows(1) leaves only the heading row.
    void setRows(int rows);
    int rows() const;
    void setCols(int cols);
    int cols() const;

    // Heading texts (row 0) and cell texts.
    void setTextMatrix(int row, int col, const QString &text);
    QString textMatrix(int row, int col) const;
    void setHeadings(const QStringList &headings);

    // Appends one data row (missing cells are empty) and returns its number.
    int addRow(const QStringList &cells);
    // Replaces every data row at once (the fast fill).
    void setData(QVector<QStringList> rows);

    // Column width in twips, multiplied by ResizeFactor unless scaled is
    // false and rounded to whole twips; 0 hides the column.
    void setColWidth(int col, int twips, bool scaled = true);
    // The width in effect, in twips (after scaling; 0 for a hidden column).
    int colWidthTwips(int col) const;
    // The width of the grid's visible cell area, in twips.
    int gridWidthTwips() const;
    // The unscaled width (twips) a column needs to show the text on one line
    // in the grid's font, bold or not, cell margins included.
    int textWidthTwips(const QString &text, bool bold) const;
    // The column takes whatever width the other columns leave in the grid's
    // visible area, and keeps doing so when the grid is resized (-1: none).
    void setFillColumn(int col);

    // Cell appearance. Row 0 takes bold, alignment and font (the headings,
    // bold unless told otherwise); colours apply to data rows.
    void setCellBackColor(int row, int col, const QColor &c);
    void setCellForeColor(int row, int col, const QColor &c);
    void setCellBold(int row, int col, bool bold);
    void setRowBackColor(int row, const QColor &c);
    void setRowForeColor(int row, const QColor &c);
    void setRowBold(int row, bool bold);
    // Colours in effect: white and black where nothing was set.
    QColor cellBackColor(int row, int col) const;
    QColor cellForeColor(int row, int col) const;
    bool cellBold(int row, int col) const;
    // Alignment of a column's data cells (Qt::Alignment flags).
    void setColAlignment(int col, Qt::Alignment a);
    // Alignment of one cell; row 0 aligns the heading.
    void setCellAlignment(int row, int col, Qt::Alignment a);
    Qt::Alignment cellAlignment(int row, int col) const;
    // The grid alignment codes 0 to 8: left, centre, right across, each with
    // top, centre, bottom (2 left-bottom, 5 centre-bottom, 8 right-bottom).
    static Qt::Alignment alignmentFromCode(int code);
    // Font of one heading (the heading stays bold unless told otherwise).
    void setHeadingFont(int col, const QFont &f);

    // A picture in a cell, placed by the cell's alignment; the key tells
    // pictures apart (cellPictureKey is "" for a cell without one).
    void setCellPicture(int row, int col, const QPixmap &picture, const QString &key = QString());
    void clearCellPicture(int row, int col);
    QString cellPictureKey(int row, int col) const;
    QPixmap cellPicture(int row, int col) const;

    // Height of a data row in twips (15 twips a pixel, not multiplied by
    // ResizeFactor, as fonts are not); 0 keeps the default. Heights travel
    // with their rows when the grid is sorted.
    void setRowHeight(int row, int twips);
    int rowHeightTwips(int row) const;
    // Height in twips that the cell's text needs when wrapped at the column's
    // width in the cell's font (line breaks in the text count).
    int textHeightTwips(int row, int col) const;
    // Sets the row's height to the tallest text of columns first..last plus
    // extraTwips, and returns it.
    int fitRowHeight(int row, int firstCol, int lastCol, int extraTwips = 0);

    // White and light grey bands from row 1, white first.
    void stripe();
    static QColor stripeColor(int row);

    // Generic sort of the data rows on a column: numbers by value, other text
    // without regard to case; stable, so equal keys keep their order. Empty
    // cells come first, then numbers, then other text. Colours, pictures and
    // heights travel with their rows; no row is selected afterwards.
    void sortByColumn(int col, bool ascending = true);
    void sortByColumn(int col, Qt::SortOrder order) { sortByColumn(col, order == Qt::AscendingOrder); }
    // Several keys, most significant first.
    void sortByColumns(const QList<int> &cols, bool ascending = true);

    // Puts the data rows in the order given by their present numbers, first
    // shown first; colours, pictures and heights travel with their rows and no
    // row is selected afterwards. A list that is not an arrangement of every
    // data row changes nothing and returns false.
    bool reorderRows(const QList<int> &rowsInOrder);

    // Exchanges two data rows: texts, pictures and heights; with formatsToo
    // the colours, weight and alignment go along, otherwise they stay put.
    void swapRows(int a, int b, bool formatsToo = true);

    // The selected data row; 0 when none (after every fill nothing is selected).
    int selectedRow() const;
    // The selected row of a list's command: 0 when the list is empty
    // (nothing said) or when no row is selected (noSelection shown).
    int chosenRow(const QString &noSelection) const;
    void selectRow(int row);
    void clearSelectedRow();
    // Lets the user select a run of rows (shift-click); selectedRows lists
    // them in ascending order, empty when none.
    void setMultiRowSelect(bool on);
    QList<int> selectedRows() const;
    // Row at a point of the viewport, 0 for none.
    int rowAt(const QPoint &viewportPos) const;
    // Column at a point of the viewport, -1 for none.
    int colAt(const QPoint &viewportPos) const;
    // The first data row shown at the top; setTopRow scrolls there.
    int topRow() const;
    void setTopRow(int row);

    // While filling: grid hidden and hourglass pointer (restored by endFill).
    void beginFill();
    void endFill();
    bool filling() const { return fillDepth_ > 0; }

    class FillScope {
    public:
        explicit FillScope(FlexGrid *grid) : grid_(grid) { grid_->beginFill(); }
        ~FillScope() { grid_->endFill(); }
        FillScope(const FillScope &) = delete;
        FillScope &operator=(const FillScope &) = delete;

    private:
        FlexGrid *grid_;
    };

    // Every data row's text, for tests and exports.
    QStringList rowTexts(int row) const;

    FlexGridModel *gridModel() const { return model_; }

signals:
    void rowClicked(int row, int col);
    void rowDoubleClicked(int row, int col);
    void rowRightClicked(int row, int col, const QPoint &globalPos);
    void headingClicked(int col);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    struct ColWidth {
        int twips = -1;   // -1: never set
        bool scaled = true;
    };
    int effectiveTwips(int col) const;
    void applyLayout();
    void applyColumnWidths();
    void applyFillColumn();
    void applyRowHeights();
    void updateDefaultRowHeight();

    FlexGridModel *model_;
    QVector<ColWidth> widths_;
    int fillColumn_ = -1;
    int fillDepth_ = 0;
    bool hiddenBeforeFill_ = false;
    bool cursorSet_ = false;
    bool applyingWidths_ = false;
    bool heightsApplied_ = false;
    int pressRow_ = -1;
    int pressCol_ = -1;
};

} // namespace wvs
