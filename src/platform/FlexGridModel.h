#pragma once
#include <QAbstractTableModel>
#include <QFont>
#include <QPixmap>
#include <QStringList>
#include <QVector>
#include <memory>
#include <optional>
#include <vector>

namespace wvs {

// The table behind FlexGrid. Row numbers here are the grid's: row 0 is the
// heading row (served as the horizontal header), data rows are 1 .. rows() - 1
// and sit at model row r - 1. Cells are plain strings; formatting is kept per
// row, with per-cell overrides allocated only for rows that have any, so that
// a fill of tens of thousands of rows is a matter of moving string lists.
//
// While a batch is open (beginBatch/endBatch, used by FlexGrid while it is
// hidden for a fill) nothing is signalled; endBatch announces everything at
// once with a single model reset.
class FlexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Data roles beyond Qt's own.
    enum Role { PictureRole = Qt::UserRole + 1, PictureKeyRole };

    explicit FlexGridModel(QObject *parent = nullptr);
    ~FlexGridModel() override;

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Shape, in grid rows (heading row included).
    int rows() const { return int(rows_.size()) + 1; }
    int cols() const { return cols_; }
    void setRows(int rows);
    void setCols(int cols);

    QString text(int row, int col) const;
    void setText(int row, int col, const QString &text);
    void setHeadings(const QStringList &headings);
    QStringList rowTexts(int row) const;
    int appendRow(const QStringList &cells);
    void setAllRows(QVector<QStringList> rows);

    // Formatting. A row-wide setting replaces the cell settings of that kind
    // in the row; a cell setting overrides the row's.
    void setCellBack(int row, int col, const QColor &c);
    void setCellFore(int row, int col, const QColor &c);
    void setCellBold(int row, int col, bool bold);
    void setCellAlignment(int row, int col, Qt::Alignment a);
    void setRowBack(int row, const QColor &c);
    void setRowFore(int row, const QColor &c);
    void setRowBold(int row, bool bold);
    std::optional<QColor> cellBack(int row, int col) const;
    std::optional<QColor> cellFore(int row, int col) const;
    bool cellBold(int row, int col) const;
    Qt::Alignment cellAlignment(int row, int col) const;
    void setColAlignment(int col, Qt::Alignment a);
    void setHeadingFont(int col, const QFont &f);
    // The grid's own font, on which heading fonts are based.
    void setBaseFont(const QFont &f);

    void setCellPicture(int row, int col, const QPixmap &pm, const QString &key);
    void clearCellPicture(int row, int col);
    QPixmap cellPicture(int row, int col) const;
    QString cellPictureKey(int row, int col) const;

    // Row heights in twips (0: the grid's default); they travel with the rows.
    void setRowHeightTwips(int row, int twips);
    int rowHeightTwips(int row) const;
    bool hasRowHeights() const { return customHeights_ > 0; }

    // Alternating white / light grey backgrounds from row 1, white first.
    void stripe();

    // Generic sort of the data rows, most significant column first; stable.
    void sortRows(const QList<int> &cols, bool ascending);
    // Puts the data rows in a new order: order[i] is the model row (0-based)
    // that becomes model row i; a list that is not an arrangement of all rows
    // changes nothing and returns false. Formats, pictures and heights travel.
    bool reorderRows(const std::vector<int> &order);
    // Exchanges two data rows; with formatsToo false the colours, weight and
    // alignment stay where they were and only texts, pictures and heights move.
    void swapRows(int a, int b, bool formatsToo);

    // The order of the generic sort: empty text first, then numbers by value,
    // then other text without regard to case. <0, 0 or >0.
    static int compareGeneric(const QString &a, const QString &b);
    // Whether a text reads as a number for the sort ("12", "-3.5", "1,234.50").
    static bool readNumber(const QString &s, double *value = nullptr);

    void beginBatch();
    void endBatch();
    bool inBatch() const { return batch_ > 0; }

private:
    struct CellFormat {
        QRgb back = 0, fore = 0;
        bool hasBack = false, hasFore = false;
        qint8 bold = -1;   // -1: as the row
        int align = 0;     // 0: as the column
        QPixmap picture;
        QString pictureKey;
    };
    struct Row {
        QStringList cells;
        QRgb back = 0, fore = 0;
        bool hasBack = false, hasFore = false, bold = false;
        int heightTwips = 0;
        std::unique_ptr<std::vector<CellFormat>> cellFormats;
    };
    struct Heading {
        QString text;
        bool bold = true;
        int align = 0;
        std::optional<QFont> font;
    };

    Row *dataRow(int row);
    const Row *dataRow(int row) const;
    CellFormat *cellFormat(int row, int col, bool create);
    const CellFormat *cellFormat(int row, int col) const;
    void cellChanged(int row, int col);
    void rowChanged(int row);
    void everythingChanged();
    void structureChanged();
    void recountHeights();

    std::vector<Row> rows_;
    QVector<Heading> headings_;
    QVector<int> colAlign_;
    int cols_ = 0;
    int batch_ = 0;
    bool batchStructure_ = false;
    bool batchData_ = false;
    int customHeights_ = 0;
    QFont baseFont_;
};

} // namespace wvs
