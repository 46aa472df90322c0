#include "platform/FlexGridModel.h"

#include <QBrush>
#include <algorithm>
#include <numeric>

namespace wvs {

namespace {

constexpr int kDefaultDataAlign = int(Qt::AlignLeft | Qt::AlignVCenter);
constexpr int kDefaultHeadingAlign = int(Qt::AlignHCenter | Qt::AlignBottom);

// One cell's sort key, worked out once per sort.
struct SortKey {
    int kind;      // 0 empty, 1 number, 2 text
    double number;
    QString folded;
};

SortKey makeKey(const QString &s)
{
    if (s.isEmpty())
        return {0, 0.0, QString()};
    double v = 0.0;
    if (FlexGridModel::readNumber(s, &v))
        return {1, v, QString()};
    return {2, 0.0, s.toCaseFolded()};
}

int compareKeys(const SortKey &a, const SortKey &b)
{
    if (a.kind != b.kind)
        return a.kind < b.kind ? -1 : 1;
    if (a.kind == 1)
        return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
    if (a.kind == 2)
        return a.folded.compare(b.folded);
    return 0;
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

FlexGridModel::FlexGridModel(QObject *parent) : QAbstractTableModel(parent) {}

FlexGridModel::~FlexGridModel() = default;

// ---- QAbstractTableModel --------------------------------------------------

int FlexGridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int FlexGridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : cols_; }

QVariant FlexGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = index.row() + 1;
    const int col = index.column();
    const Row *r = dataRow(row);
    if (!r || col < 0 || col >= cols_)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return col < r->cells.size() ? r->cells.at(col) : QString();
    case Qt::BackgroundRole:
        if (const auto c = cellBack(row, col))
            return QBrush(*c);
        return QVariant();
    case Qt::ForegroundRole:
        if (const auto c = cellFore(row, col))
            return QBrush(*c);
        return QVariant();
    case Qt::FontRole:
        if (cellBold(row, col)) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return QVariant();
    case Qt::TextAlignmentRole:
        return int(cellAlignment(row, col));
    case PictureRole: {
        const CellFormat *f = cellFormat(row, col);
        if (f && !f->picture.isNull())
            return f->picture;
        return QVariant();
    }
    case PictureKeyRole:
        return cellPictureKey(row, col);
    default:
        return QVariant();
    }
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= cols_)
        return QAbstractTableModel::headerData(section, orientation, role);
    const Heading &h = headings_.at(section);
    switch (role) {
    case Qt::DisplayRole:
        return h.text;
    case Qt::FontRole: {
        QFont f = h.font.value_or(baseFont_);
        f.setBold(h.bold);
        return f;
    }
    case Qt::TextAlignmentRole:
        return h.align ? h.align : kDefaultHeadingAlign;
    default:
        return QVariant();
    }
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

// ---- Shape and text ---------------------------------------------------------

FlexGridModel::Row *FlexGridModel::dataRow(int row)
{
    if (row < 1 || row > int(rows_.size()))
        return nullptr;
    return &rows_[size_t(row - 1)];
}

const FlexGridModel::Row *FlexGridModel::dataRow(int row) const
{
    if (row < 1 || row > int(rows_.size()))
        return nullptr;
    return &rows_[size_t(row - 1)];
}

void FlexGridModel::setRows(int rows)
{
    const int wanted = std::max(0, rows - 1);
    if (wanted == int(rows_.size()))
        return;
    if (!inBatch())
        beginResetModel();
    rows_.resize(size_t(wanted));
    recountHeights();
    if (inBatch())
        batchStructure_ = true;
    else
        endResetModel();
}

void FlexGridModel::setCols(int cols)
{
    cols = std::max(0, cols);
    if (cols == cols_)
        return;
    if (!inBatch())
        beginResetModel();
    if (cols < cols_) {
        for (Row &r : rows_) {
            if (r.cells.size() > cols)
                r.cells.resize(cols);
            if (r.cellFormats && int(r.cellFormats->size()) > cols)
                r.cellFormats->resize(size_t(cols));
        }
    }
    cols_ = cols;
    headings_.resize(cols);
    colAlign_.resize(cols);
    if (inBatch())
        batchStructure_ = true;
    else
        endResetModel();
}

QString FlexGridModel::text(int row, int col) const
{
    if (col < 0 || col >= cols_)
        return QString();
    if (row == 0)
        return headings_.at(col).text;
    const Row *r = dataRow(row);
    if (!r || col >= r->cells.size())
        return QString();
    return r->cells.at(col);
}

void FlexGridModel::setText(int row, int col, const QString &text)
{
    if (col < 0 || col >= cols_)
        return;
    if (row == 0) {
        headings_[col].text = text;
        if (inBatch())
            batchData_ = true;
        else
            emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    Row *r = dataRow(row);
    if (!r)
        return;
    if (r->cells.size() <= col)
        r->cells.resize(col + 1);
    r->cells[col] = text;
    cellChanged(row, col);
}

void FlexGridModel::setHeadings(const QStringList &headings)
{
    if (headings.size() > cols_)
        setCols(int(headings.size()));
    for (int c = 0; c < headings.size(); ++c)
        headings_[c].text = headings.at(c);
    if (inBatch())
        batchData_ = true;
    else if (cols_ > 0)
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
}

QStringList FlexGridModel::rowTexts(int row) const
{
    QStringList out;
    out.reserve(cols_);
    for (int c = 0; c < cols_; ++c)
        out << text(row, c);
    return out;
}

int FlexGridModel::appendRow(const QStringList &cells)
{
    const int first = int(rows_.size());
    if (!inBatch())
        beginInsertRows(QModelIndex(), first, first);
    Row r;
    r.cells = cells;
    if (r.cells.size() > cols_)
        r.cells.resize(cols_);
    rows_.push_back(std::move(r));
    if (inBatch())
        batchStructure_ = true;
    else
        endInsertRows();
    return first + 1;
}

void FlexGridModel::setAllRows(QVector<QStringList> rows)
{
    if (!inBatch())
        beginResetModel();
    rows_.clear();
    rows_.resize(size_t(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QStringList &cells = rows[i];
        if (cells.size() > cols_)
            cells.resize(cols_);
        rows_[size_t(i)].cells = std::move(cells);
    }
    customHeights_ = 0;
    if (inBatch())
        batchStructure_ = true;
    else
        endResetModel();
}

// ---- Formatting -------------------------------------------------------------

FlexGridModel::CellFormat *FlexGridModel::cellFormat(int row, int col, bool create)
{
    Row *r = dataRow(row);
    if (!r || col < 0 || col >= cols_)
        return nullptr;
    if (!r->cellFormats) {
        if (!create)
            return nullptr;
        r->cellFormats = std::make_unique<std::vector<CellFormat>>(size_t(cols_));
    }
    if (int(r->cellFormats->size()) <= col) {
        if (!create)
            return nullptr;
        r->cellFormats->resize(size_t(cols_));
    }
    return &(*r->cellFormats)[size_t(col)];
}

const FlexGridModel::CellFormat *FlexGridModel::cellFormat(int row, int col) const
{
    const Row *r = dataRow(row);
    if (!r || !r->cellFormats || col < 0 || col >= int(r->cellFormats->size()))
        return nullptr;
    return &(*r->cellFormats)[size_t(col)];
}

void FlexGridModel::setCellBack(int row, int col, const QColor &c)
{
    if (CellFormat *f = cellFormat(row, col, true)) {
        f->back = c.rgb();
        f->hasBack = c.isValid();
        cellChanged(row, col);
    }
}

void FlexGridModel::setCellFore(int row, int col, const QColor &c)
{
    if (CellFormat *f = cellFormat(row, col, true)) {
        f->fore = c.rgb();
        f->hasFore = c.isValid();
        cellChanged(row, col);
    }
}

void FlexGridModel::setCellBold(int row, int col, bool bold)
{
    if (row == 0) {
        if (col >= 0 && col < cols_) {
            headings_[col].bold = bold;
            if (inBatch())
                batchData_ = true;
            else
                emit headerDataChanged(Qt::Horizontal, col, col);
        }
        return;
    }
    if (CellFormat *f = cellFormat(row, col, true)) {
        f->bold = bold ? 1 : 0;
        cellChanged(row, col);
    }
}

void FlexGridModel::setCellAlignment(int row, int col, Qt::Alignment a)
{
    if (row == 0) {
        if (col >= 0 && col < cols_) {
            headings_[col].align = int(a);
            if (inBatch())
                batchData_ = true;
            else
                emit headerDataChanged(Qt::Horizontal, col, col);
        }
        return;
    }
    if (CellFormat *f = cellFormat(row, col, true)) {
        f->align = int(a);
        cellChanged(row, col);
    }
}

void FlexGridModel::setRowBack(int row, const QColor &c)
{
    Row *r = dataRow(row);
    if (!r)
        return;
    r->back = c.rgb();
    r->hasBack = c.isValid();
    if (r->cellFormats)
        for (CellFormat &f : *r->cellFormats)
            f.hasBack = false;
    rowChanged(row);
}

void FlexGridModel::setRowFore(int row, const QColor &c)
{
    Row *r = dataRow(row);
    if (!r)
        return;
    r->fore = c.rgb();
    r->hasFore = c.isValid();
    if (r->cellFormats)
        for (CellFormat &f : *r->cellFormats)
            f.hasFore = false;
    rowChanged(row);
}

void FlexGridModel::setRowBold(int row, bool bold)
{
    Row *r = dataRow(row);
    if (!r)
        return;
    r->bold = bold;
    if (r->cellFormats)
        for (CellFormat &f : *r->cellFormats)
            f.bold = -1;
    rowChanged(row);
}

std::optional<QColor> FlexGridModel::cellBack(int row, int col) const
{
    if (const CellFormat *f = cellFormat(row, col); f && f->hasBack)
        return QColor::fromRgb(f->back);
    if (const Row *r = dataRow(row); r && r->hasBack)
        return QColor::fromRgb(r->back);
    return std::nullopt;
}

std::optional<QColor> FlexGridModel::cellFore(int row, int col) const
{
    if (const CellFormat *f = cellFormat(row, col); f && f->hasFore)
        return QColor::fromRgb(f->fore);
    if (const Row *r = dataRow(row); r && r->hasFore)
        return QColor::fromRgb(r->fore);
    return std::nullopt;
}

bool FlexGridModel::cellBold(int row, int col) const
{
    if (row == 0)
        return col >= 0 && col < cols_ && headings_.at(col).bold;
    if (const CellFormat *f = cellFormat(row, col); f && f->bold >= 0)
        return f->bold == 1;
    const Row *r = dataRow(row);
    return r && r->bold;
}

Qt::Alignment FlexGridModel::cellAlignment(int row, int col) const
{
    if (col < 0 || col >= cols_)
        return Qt::Alignment(kDefaultDataAlign);
    if (row == 0)
        return Qt::Alignment(headings_.at(col).align ? headings_.at(col).align : kDefaultHeadingAlign);
    if (const CellFormat *f = cellFormat(row, col); f && f->align)
        return Qt::Alignment(f->align);
    return Qt::Alignment(colAlign_.at(col) ? colAlign_.at(col) : kDefaultDataAlign);
}

void FlexGridModel::setColAlignment(int col, Qt::Alignment a)
{
    if (col < 0 || col >= cols_)
        return;
    colAlign_[col] = int(a);
    if (inBatch()) {
        batchData_ = true;
    } else if (!rows_.empty()) {
        emit dataChanged(index(0, col), index(int(rows_.size()) - 1, col), {Qt::TextAlignmentRole});
    }
}

void FlexGridModel::setHeadingFont(int col, const QFont &f)
{
    if (col < 0 || col >= cols_)
        return;
    headings_[col].font = f;
    if (inBatch())
        batchData_ = true;
    else
        emit headerDataChanged(Qt::Horizontal, col, col);
}

void FlexGridModel::setBaseFont(const QFont &f)
{
    baseFont_ = f;
    if (cols_ > 0 && !inBatch())
        emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
}

void FlexGridModel::setCellPicture(int row, int col, const QPixmap &pm, const QString &key)
{
    if (CellFormat *f = cellFormat(row, col, true)) {
        f->picture = pm;
        f->pictureKey = pm.isNull() ? QString() : key;
        cellChanged(row, col);
    }
}

void FlexGridModel::clearCellPicture(int row, int col)
{
    if (CellFormat *f = cellFormat(row, col, false)) {
        f->picture = QPixmap();
        f->pictureKey.clear();
        cellChanged(row, col);
    }
}

QPixmap FlexGridModel::cellPicture(int row, int col) const
{
    const CellFormat *f = cellFormat(row, col);
    return f ? f->picture : QPixmap();
}

QString FlexGridModel::cellPictureKey(int row, int col) const
{
    const CellFormat *f = cellFormat(row, col);
    return f ? f->pictureKey : QString();
}

void FlexGridModel::setRowHeightTwips(int row, int twips)
{
    Row *r = dataRow(row);
    if (!r)
        return;
    twips = std::max(0, twips);
    if ((r->heightTwips > 0) != (twips > 0))
        customHeights_ += twips > 0 ? 1 : -1;
    r->heightTwips = twips;
}

int FlexGridModel::rowHeightTwips(int row) const
{
    const Row *r = dataRow(row);
    return r ? r->heightTwips : 0;
}

void FlexGridModel::recountHeights()
{
    customHeights_ = 0;
    for (const Row &r : rows_)
        if (r.heightTwips > 0)
            ++customHeights_;
}

void FlexGridModel::stripe()
{
    const QRgb white = qRgb(255, 255, 255);
    const QRgb grey = qRgb(224, 224, 224);
    for (size_t i = 0; i < rows_.size(); ++i) {
        Row &r = rows_[i];
        r.back = (i % 2 == 0) ? white : grey;   // model row 0 is grid row 1
        r.hasBack = true;
        if (r.cellFormats)
            for (CellFormat &f : *r.cellFormats)
                f.hasBack = false;
    }
    everythingChanged();
}

// ---- Sorting ----------------------------------------------------------------

bool FlexGridModel::readNumber(const QString &s, double *value)
{
    // Optional blanks around, an optional sign, digits (grouped in threes by
    // commas or not) and an optional decimal fraction; nothing else.
    const QString t = s.trimmed();
    const qsizetype n = t.size();
    qsizetype i = 0;
    if (i < n && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        ++i;
    const qsizetype intStart = i;
    bool grouped = false;
    qsizetype sinceComma = -1;
    while (i < n && (isDigit(t[i]) || t[i] == QLatin1Char(','))) {
        if (t[i] == QLatin1Char(',')) {
            if (i == intStart || (grouped && sinceComma != 3) || (!grouped && i - intStart > 3))
                return false;
            grouped = true;
            sinceComma = 0;
        } else if (grouped) {
            ++sinceComma;
        }
        ++i;
    }
    if (grouped && sinceComma != 3)
        return false;
    const qsizetype intDigits = i - intStart;
    qsizetype fracDigits = 0;
    if (i < n && t[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(t[i])) {
            ++i;
            ++fracDigits;
        }
    }
    if (i != n || intDigits + fracDigits == 0)
        return false;
    if (value) {
        QString plain = t;
        plain.remove(QLatin1Char(','));
        bool ok = false;
        *value = plain.toDouble(&ok);
        if (!ok)
            return false;
    }
    return true;
}

int FlexGridModel::compareGeneric(const QString &a, const QString &b)
{
    return compareKeys(makeKey(a), makeKey(b));
}

void FlexGridModel::sortRows(const QList<int> &cols, bool ascending)
{
    if (rows_.size() < 2 || cols.isEmpty())
        return;
    const size_t n = rows_.size();
    // Keys per sort column, one vector each.
    std::vector<std::vector<SortKey>> keys;
    for (int c : cols) {
        std::vector<SortKey> k;
        k.reserve(n);
        for (const Row &r : rows_)
            k.push_back(makeKey(c >= 0 && c < r.cells.size() ? r.cells.at(c) : QString()));
        keys.push_back(std::move(k));
    }
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
        for (const auto &k : keys) {
            const int c = compareKeys(k[size_t(x)], k[size_t(y)]);
            if (c != 0)
                return ascending ? c < 0 : c > 0;
        }
        return false;
    });
    reorderRows(order);
}

bool FlexGridModel::reorderRows(const std::vector<int> &order)
{
    const size_t n = rows_.size();
    if (order.size() != n)
        return false;
    std::vector<char> seen(n, 0);
    for (int i : order) {
        if (i < 0 || size_t(i) >= n || seen[size_t(i)])
            return false;
        seen[size_t(i)] = 1;
    }
    if (!inBatch())
        beginResetModel();
    std::vector<Row> sorted;
    sorted.reserve(n);
    for (int i : order)
        sorted.push_back(std::move(rows_[size_t(i)]));
    rows_.swap(sorted);
    if (inBatch())
        batchStructure_ = true;
    else
        endResetModel();
    return true;
}

void FlexGridModel::swapRows(int a, int b, bool formatsToo)
{
    Row *ra = dataRow(a);
    Row *rb = dataRow(b);
    if (!ra || !rb || a == b)
        return;
    if (formatsToo) {
        std::swap(*ra, *rb);
    } else {
        std::swap(ra->cells, rb->cells);
        std::swap(ra->heightTwips, rb->heightTwips);
        for (int c = 0; c < cols_; ++c) {
            CellFormat *fa = cellFormat(a, c, false);
            CellFormat *fb = cellFormat(b, c, false);
            if (!fa && !fb)
                continue;
            fa = cellFormat(a, c, true);
            fb = cellFormat(b, c, true);
            std::swap(fa->picture, fb->picture);
            std::swap(fa->pictureKey, fb->pictureKey);
        }
    }
    rowChanged(a);
    rowChanged(b);
}

// ---- Notification -------------------------------------------------------------

void FlexGridModel::cellChanged(int row, int col)
{
    if (inBatch()) {
        batchData_ = true;
        return;
    }
    const QModelIndex i = index(row - 1, col);
    emit dataChanged(i, i);
}

void FlexGridModel::rowChanged(int row)
{
    if (inBatch()) {
        batchData_ = true;
        return;
    }
    if (cols_ > 0)
        emit dataChanged(index(row - 1, 0), index(row - 1, cols_ - 1));
}

void FlexGridModel::everythingChanged()
{
    if (inBatch()) {
        batchData_ = true;
        return;
    }
    if (!rows_.empty() && cols_ > 0)
        emit dataChanged(index(0, 0), index(int(rows_.size()) - 1, cols_ - 1));
}

void FlexGridModel::beginBatch()
{
    if (batch_++ == 0) {
        batchStructure_ = false;
        batchData_ = false;
    }
}

void FlexGridModel::endBatch()
{
    if (batch_ == 0 || --batch_ > 0)
        return;
    if (batchStructure_) {
        beginResetModel();
        endResetModel();
    } else if (batchData_) {
        if (cols_ > 0)
            emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
        everythingChanged();
    }
    batchStructure_ = batchData_ = false;
}

} // namespace wvs
