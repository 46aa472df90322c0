#include "platform/FlexGrid.h"
#include "platform/MessageBox.h"
#include "platform/FlexGridModel.h"
#include "core/Session.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <set>

namespace wvs {

namespace {

constexpr double kTwipsPerPixel = 15.0;

int twipsToPixels(int twips) { return qRound(twips / kTwipsPerPixel); }
int pixelsToTwips(int px) { return int(px * kTwipsPerPixel); }

// Paints the cell as usual, then its picture (if any) where the cell's
// alignment puts it. Text wraps only in rows tall enough for a second line;
// in a one-line row a text wider than its column is cut short with an
// ellipsis instead of wrapping into a line nobody can see. Nothing is drawn
// outside the cell.
class FlexGridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static bool wrapsIn(const QStyleOptionViewItem &option)
    {
        return option.rect.height() >= 2 * option.fontMetrics.height();
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        // Rows are chosen whole: a focus frame on one cell would read as a
        // selection the buttons do not see.
        cell.state &= ~QStyle::State_HasFocus;
        const bool wraps = wrapsIn(cell);
        if (!wraps)
            cell.features &= ~QStyleOptionViewItem::WrapText;
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        // A one-line text is drawn here rather than by the style, which
        // places the line by the height of the tallest font it uses: a
        // letter from a fallback font (an emoji) would lift the whole line
        // out of the cell.
        const QString text = cell.text;
        const bool ownLine = !wraps && !text.contains(QLatin1Char('\n')) && !text.contains(QChar::LineSeparator);
        QRect textArea;
        if (ownLine) {
            textArea = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
            cell.text.clear();
        }
        painter->save();
        painter->setClipRect(option.rect, Qt::IntersectClip);
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        if (ownLine && !text.isEmpty())
            drawLine(painter, cell, style, textArea, text);
        painter->restore();

        const QVariant v = index.data(FlexGridModel::PictureRole);
        if (!v.isValid())
            return;
        const QPixmap pm = v.value<QPixmap>();
        if (pm.isNull())
            return;
        const Qt::Alignment a = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
        const QRect area = option.rect.adjusted(2, 2, -2, -2);
        const QSize size = pm.deviceIndependentSize().toSize().boundedTo(area.size());
        painter->drawPixmap(QStyle::alignedRect(option.direction, a, size, area), pm);
    }

private:
    // The text on one line whose baseline the cell's own font sets, aligned
    // and cut short as the style would do it.
    static void drawLine(QPainter *painter, const QStyleOptionViewItem &cell, const QStyle *style, const QRect &area,
                         const QString &text)
    {
        const QFontMetrics fm(cell.font);
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
        const QRect r = area.adjusted(margin, 0, -margin, 0);
        const QString shown = fm.elidedText(text, cell.textElideMode, r.width());
        const Qt::Alignment a = QStyle::visualAlignment(cell.direction, cell.displayAlignment);
        const int width = fm.horizontalAdvance(shown);
        int x = r.left();
        if (a & Qt::AlignRight)
            x = r.right() + 1 - width;
        else if (a & Qt::AlignHCenter)
            x = r.left() + (r.width() - width) / 2;
        int baseline;
        if (a & Qt::AlignTop)
            baseline = r.top() + fm.ascent();
        else if (a & Qt::AlignBottom)
            baseline = r.bottom() + 1 - fm.descent();
        else
            baseline = r.top() + (r.height() - fm.height()) / 2 + fm.ascent();

        QPalette::ColorGroup group = (cell.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(cell.state & QStyle::State_Active))
            group = QPalette::Inactive;
        painter->setPen(cell.palette.color(
            group, (cell.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(cell.font);
        painter->drawText(QPoint(x, baseline), shown);
    }
};

} // namespace

FlexGrid::FlexGrid(QWidget *parent) : QTableView(parent), model_(new FlexGridModel(this))
{
    setModel(model_);
    setItemDelegate(new FlexGridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setWordWrap(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Hidden while it fills, the grid keeps its place in the window's layout.
    QSizePolicy sp = sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    setSizePolicy(sp);

    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);

    QHeaderView *h = horizontalHeader();
    h->setHighlightSections(false);
    h->setSectionsClickable(true);
    h->setStretchLastSection(false);
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->setMinimumSectionSize(1);
    connect(h, &QHeaderView::sectionClicked, this, &FlexGrid::headingClicked);
    connect(h, &QHeaderView::sectionResized, this, [this](int logical, int, int) {
        if (!applyingWidths_ && logical != fillColumn_)
            applyFillColumn();
    });
    connect(model_, &QAbstractItemModel::modelReset, this, &FlexGrid::applyLayout);

    model_->setBaseFont(font());
    updateDefaultRowHeight();
}

FlexGrid::~FlexGrid()
{
    if (cursorSet_ && QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

// ---- Shape and text ---------------------------------------------------------

void FlexGrid::setRows(int rows)
{
    model_->setRows(std::max(1, rows));
    if (!filling())
        clearSelectedRow();
}

int FlexGrid::rows() const { return model_->rows(); }

void FlexGrid::setCols(int cols)
{
    cols = std::max(0, cols);
    widths_.resize(cols);
    if (fillColumn_ >= cols)
        fillColumn_ = -1;
    model_->setCols(cols);
}

int FlexGrid::cols() const { return model_->cols(); }

void FlexGrid::setTextMatrix(int row, int col, const QString &text) { model_->setText(row, col, text); }

QString FlexGrid::textMatrix(int row, int col) const { return model_->text(row, col); }

void FlexGrid::setHeadings(const QStringList &headings)
{
    if (headings.size() > cols())
        setCols(int(headings.size()));
    model_->setHeadings(headings);
}

int FlexGrid::addRow(const QStringList &cells) { return model_->appendRow(cells); }

void FlexGrid::setData(QVector<QStringList> rows)
{
    model_->setAllRows(std::move(rows));
    if (!filling())
        clearSelectedRow();
}

QStringList FlexGrid::rowTexts(int row) const { return model_->rowTexts(row); }

// ---- Widths -----------------------------------------------------------------

void FlexGrid::setColWidth(int col, int twips, bool scaled)
{
    if (col < 0 || col >= cols())
        return;
    widths_[col] = ColWidth{std::max(0, twips), scaled};
    if (!filling())
        applyColumnWidths();
}

int FlexGrid::effectiveTwips(int col) const
{
    if (col < 0 || col >= widths_.size())
        return 0;
    if (col == fillColumn_)
        return isColumnHidden(col) ? 0 : pixelsToTwips(columnWidth(col));
    const ColWidth &w = widths_.at(col);
    if (w.twips < 0)
        return pixelsToTwips(horizontalHeader()->defaultSectionSize());
    return w.scaled ? int(qRound(w.twips * session().resizeFactor)) : w.twips;
}

int FlexGrid::colWidthTwips(int col) const { return effectiveTwips(col); }

int FlexGrid::gridWidthTwips() const { return pixelsToTwips(viewport()->width()); }

int FlexGrid::textWidthTwips(const QString &text, bool bold) const
{
    QFont f = font();
    f.setBold(bold);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int px = QFontMetrics(f).horizontalAdvance(text) + 2 * margin + 1;
    const double factor = session().resizeFactor > 0 ? session().resizeFactor : 1.0;
    return int(std::ceil(pixelsToTwips(px) / factor));
}

void FlexGrid::setFillColumn(int col)
{
    fillColumn_ = (col >= 0 && col < cols()) ? col : -1;
    if (!filling())
        applyColumnWidths();
}

void FlexGrid::applyColumnWidths()
{
    applyingWidths_ = true;
    for (int c = 0; c < cols() && c < widths_.size(); ++c) {
        if (c == fillColumn_) {
            setColumnHidden(c, false);
            continue;
        }
        if (widths_.at(c).twips < 0) {
            setColumnHidden(c, false);
            continue;
        }
        const int px = twipsToPixels(effectiveTwips(c));
        if (px <= 0) {
            setColumnHidden(c, true);
        } else {
            setColumnHidden(c, false);
            setColumnWidth(c, px);
        }
    }
    applyingWidths_ = false;
    applyFillColumn();
}

void FlexGrid::applyFillColumn()
{
    if (fillColumn_ < 0 || fillColumn_ >= cols())
        return;
    int others = 0;
    for (int c = 0; c < cols(); ++c)
        if (c != fillColumn_ && !isColumnHidden(c))
            others += columnWidth(c);
    const int minimum = QFontMetrics(font()).averageCharWidth() * 4;
    applyingWidths_ = true;
    setColumnWidth(fillColumn_, std::max(minimum, viewport()->width() - others));
    applyingWidths_ = false;
}

// ---- Appearance -------------------------------------------------------------

void FlexGrid::setCellBackColor(int row, int col, const QColor &c) { model_->setCellBack(row, col, c); }
void FlexGrid::setCellForeColor(int row, int col, const QColor &c) { model_->setCellFore(row, col, c); }
void FlexGrid::setCellBold(int row, int col, bool bold) { model_->setCellBold(row, col, bold); }
void FlexGrid::setRowBackColor(int row, const QColor &c) { model_->setRowBack(row, c); }
void FlexGrid::setRowForeColor(int row, const QColor &c) { model_->setRowFore(row, c); }
void FlexGrid::setRowBold(int row, bool bold) { model_->setRowBold(row, bold); }

QColor FlexGrid::cellBackColor(int row, int col) const
{
    return model_->cellBack(row, col).value_or(QColor(255, 255, 255));
}

QColor FlexGrid::cellForeColor(int row, int col) const { return model_->cellFore(row, col).value_or(QColor(0, 0, 0)); }

bool FlexGrid::cellBold(int row, int col) const { return model_->cellBold(row, col); }

void FlexGrid::setColAlignment(int col, Qt::Alignment a) { model_->setColAlignment(col, a); }

void FlexGrid::setCellAlignment(int row, int col, Qt::Alignment a) { model_->setCellAlignment(row, col, a); }

Qt::Alignment FlexGrid::cellAlignment(int row, int col) const { return model_->cellAlignment(row, col); }

Qt::Alignment FlexGrid::alignmentFromCode(int code)
{
    if (code < 0 || code > 8)
        return Qt::AlignLeft | Qt::AlignVCenter;
    static const Qt::Alignment across[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment down[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return across[code / 3] | down[code % 3];
}

void FlexGrid::setHeadingFont(int col, const QFont &f) { model_->setHeadingFont(col, f); }

void FlexGrid::setCellPicture(int row, int col, const QPixmap &picture, const QString &key)
{
    model_->setCellPicture(row, col, picture, key);
}

void FlexGrid::clearCellPicture(int row, int col) { model_->clearCellPicture(row, col); }

QString FlexGrid::cellPictureKey(int row, int col) const { return model_->cellPictureKey(row, col); }

QPixmap FlexGrid::cellPicture(int row, int col) const { return model_->cellPicture(row, col); }

void FlexGrid::stripe() { model_->stripe(); }

QColor FlexGrid::stripeColor(int row) { return row % 2 == 1 ? QColor(255, 255, 255) : QColor(224, 224, 224); }

// ---- Row heights --------------------------------------------------------------

void FlexGrid::setRowHeight(int row, int twips)
{
    if (row < 1 || row >= rows())
        return;
    model_->setRowHeightTwips(row, twips);
    heightsApplied_ = heightsApplied_ || twips > 0;
    if (!filling())
        verticalHeader()->resizeSection(row - 1, twips > 0 ? std::max(1, twipsToPixels(twips))
                                                           : verticalHeader()->defaultSectionSize());
}

int FlexGrid::rowHeightTwips(int row) const
{
    if (row < 1 || row >= rows())
        return 0;
    const int t = model_->rowHeightTwips(row);
    return t > 0 ? t : pixelsToTwips(verticalHeader()->defaultSectionSize());
}

int FlexGrid::textHeightTwips(int row, int col) const
{
    if (col < 0 || col >= cols() || isColumnHidden(col))
        return 0;
    QFont f = font();
    if (cellBold(row, col))
        f.setBold(true);
    const QFontMetrics fm(f);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int width = std::max(1, columnWidth(col) - 2 * margin);
    const QString text = textMatrix(row, col);
    int px = fm.height();
    if (!text.isEmpty())
        px = std::max(px, fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, text).height());
    return pixelsToTwips(px + 2);
}

int FlexGrid::fitRowHeight(int row, int firstCol, int lastCol, int extraTwips)
{
    int tallest = 0;
    for (int c = std::max(0, firstCol); c <= lastCol && c < cols(); ++c)
        tallest = std::max(tallest, textHeightTwips(row, c));
    const int h = tallest + extraTwips;
    setRowHeight(row, h);
    return h;
}

void FlexGrid::applyRowHeights()
{
    // The header may keep the sizes of its sections across a refill, so once
    // any height was set every row gets its own (or the default) again.
    if (!model_->hasRowHeights() && !heightsApplied_)
        return;
    heightsApplied_ = model_->hasRowHeights();
    QHeaderView *v = verticalHeader();
    const int standard = v->defaultSectionSize();
    for (int r = 1; r < rows(); ++r) {
        const int t = model_->rowHeightTwips(r);
        const int px = t > 0 ? std::max(1, twipsToPixels(t)) : standard;
        if (v->sectionSize(r - 1) != px)
            v->resizeSection(r - 1, px);
    }
}

void FlexGrid::updateDefaultRowHeight()
{
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 6);
}

// ---- Sorting and moving rows ----------------------------------------------------

void FlexGrid::sortByColumn(int col, bool ascending) { sortByColumns({col}, ascending); }

void FlexGrid::sortByColumns(const QList<int> &cols, bool ascending)
{
    model_->sortRows(cols, ascending);
    if (!filling()) {
        clearSelectedRow();
        setTopRow(1);
    }
}

bool FlexGrid::reorderRows(const QList<int> &rowsInOrder)
{
    std::vector<int> order;
    order.reserve(size_t(rowsInOrder.size()));
    for (int r : rowsInOrder)
        order.push_back(r - 1);
    // While the header is not updating, each row's height is set at no cost;
    // otherwise every one recomputes the positions of all rows.
    QHeaderView *header = verticalHeader();
    const bool updating = header->updatesEnabled();
    header->setUpdatesEnabled(false);
    bool done = false;
    {
        FillScope scope(this);
        done = model_->reorderRows(order);
    }
    header->setUpdatesEnabled(updating);
    return done;
}

void FlexGrid::swapRows(int a, int b, bool formatsToo)
{
    if (a < 1 || b < 1 || a >= rows() || b >= rows() || a == b)
        return;
    model_->swapRows(a, b, formatsToo);
    if (!filling()) {
        setRowHeight(a, model_->rowHeightTwips(a));
        setRowHeight(b, model_->rowHeightTwips(b));
    }
}

// ---- Selection and scrolling ------------------------------------------------------

int FlexGrid::chosenRow(const QString &noSelection) const
{
    if (rows() < 2)
        return 0;
    const int row = selectedRow();
    if (row < 1) {
        msgBox(noSelection);
        return 0;
    }
    return row;
}

int FlexGrid::selectedRow() const
{
    const QItemSelectionModel *sm = selectionModel();
    if (!sm)
        return 0;
    const QModelIndex cur = sm->currentIndex();
    if (cur.isValid() && sm->rowIntersectsSelection(cur.row(), QModelIndex()))
        return cur.row() + 1;
    const QList<int> all = selectedRows();
    return all.isEmpty() ? 0 : all.first();
}

QList<int> FlexGrid::selectedRows() const
{
    std::set<int> rowsSeen;
    if (const QItemSelectionModel *sm = selectionModel())
        for (const QItemSelectionRange &r : sm->selection())
            for (int i = r.top(); i <= r.bottom(); ++i)
                rowsSeen.insert(i + 1);
    return QList<int>(rowsSeen.begin(), rowsSeen.end());
}

void FlexGrid::selectRow(int row)
{
    if (row < 1 || row >= rows()) {
        clearSelectedRow();
        return;
    }
    int col = 0;
    while (col < cols() && isColumnHidden(col))
        ++col;
    const QModelIndex idx = model_->index(row - 1, std::min(col, std::max(0, cols() - 1)));
    selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(idx);
}

void FlexGrid::clearSelectedRow()
{
    // No current cell either: a focus frame on the first row would look like
    // a selection the buttons do not see.
    if (QItemSelectionModel *sm = selectionModel()) {
        sm->clear();
        sm->clearCurrentIndex();
    }
}

void FlexGrid::setMultiRowSelect(bool on)
{
    setSelectionMode(on ? QAbstractItemView::ContiguousSelection : QAbstractItemView::SingleSelection);
}

int FlexGrid::rowAt(const QPoint &viewportPos) const
{
    const int r = QTableView::rowAt(viewportPos.y());
    return r < 0 ? 0 : r + 1;
}

int FlexGrid::colAt(const QPoint &viewportPos) const { return QTableView::columnAt(viewportPos.x()); }

int FlexGrid::topRow() const
{
    const int r = QTableView::rowAt(0);
    return r < 0 ? 0 : r + 1;
}

void FlexGrid::setTopRow(int row)
{
    if (row < 1 || row >= rows())
        return;
    if (verticalScrollMode() == QAbstractItemView::ScrollPerItem)
        verticalScrollBar()->setValue(row - 1);
    else
        verticalScrollBar()->setValue(verticalHeader()->sectionPosition(row - 1));
}

// ---- Filling --------------------------------------------------------------------

void FlexGrid::beginFill()
{
    if (fillDepth_++ > 0)
        return;
    hiddenBeforeFill_ = isHidden();
    hide();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cursorSet_ = true;
    model_->beginBatch();
}

void FlexGrid::endFill()
{
    if (fillDepth_ == 0 || --fillDepth_ > 0)
        return;
    while (model_->inBatch())
        model_->endBatch();
    applyColumnWidths();
    applyRowHeights();
    clearSelectedRow();
    setTopRow(1);
    if (cursorSet_ && QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    cursorSet_ = false;
    if (!hiddenBeforeFill_)
        show();
}

void FlexGrid::applyLayout()
{
    if (filling())
        return;
    applyColumnWidths();
    applyRowHeights();
    clearSelectedRow();
}

// ---- Events -----------------------------------------------------------------------

void FlexGrid::mousePressEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::RightButton) {
        // A right click leaves the selection alone; the handler learns the row
        // and column under the pointer.
        emit rowRightClicked(rowAt(pos), colAt(pos), e->globalPosition().toPoint());
        e->accept();
        return;
    }
    const QModelIndex idx = indexAt(pos);
    pressRow_ = idx.isValid() ? idx.row() : -1;
    pressCol_ = idx.isValid() ? idx.column() : -1;
    QTableView::mousePressEvent(e);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent *e)
{
    QTableView::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    const QModelIndex idx = indexAt(e->position().toPoint());
    if (idx.isValid() && idx.row() == pressRow_ && idx.column() == pressCol_)
        emit rowClicked(idx.row() + 1, idx.column());
    pressRow_ = pressCol_ = -1;
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent *e)
{
    QTableView::mouseDoubleClickEvent(e);
    if (e->button() != Qt::LeftButton)
        return;
    const QModelIndex idx = indexAt(e->position().toPoint());
    if (idx.isValid())
        emit rowDoubleClicked(idx.row() + 1, idx.column());
}

void FlexGrid::resizeEvent(QResizeEvent *e)
{
    QTableView::resizeEvent(e);
    applyFillColumn();
}

void FlexGrid::showEvent(QShowEvent *e)
{
    // Shown in the middle of a fill (by its own code): close the fill, so the
    // model and the view agree before anything is drawn.
    if (filling()) {
        fillDepth_ = 1;
        hiddenBeforeFill_ = true;
        endFill();
    }
    QTableView::showEvent(e);
    applyFillColumn();
}

void FlexGrid::changeEvent(QEvent *e)
{
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        model_->setBaseFont(font());
        updateDefaultRowHeight();
        applyRowHeights();
    }
}

} // namespace wvs
