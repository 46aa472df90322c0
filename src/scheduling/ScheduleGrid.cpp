#include "scheduling/ScheduleGrid.h"
#include "common/Formats.h"
#include "platform/FlexGrid.h"

#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <future>
#include <thread>
#include <vector>

namespace wvs::ScheduleGrid {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kRowPaddingTwips = 50;

QPixmap boxPicture(bool ticked)
{
    QPixmap pm(14, 14);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5, 0.5, 13, 13));
    if (ticked) {
        p.setPen(QPen(QColor(0, 0, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF tick[] = {{3.0, 7.0}, {6.0, 10.0}, {11.0, 3.5}};
        p.drawPolyline(tick, 3);
    }
    return pm;
}

// Line breaks are stored as CR LF; the grid draws a line feed as a new line.
QString gridText(const QString &stored)
{
    if (!stored.contains(QLatin1Char('\r')))
        return stored;
    QString t = stored;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

// Measures wrapped cell texts as the grid draws them. Most texts of a column
// repeat (associates, dates, job types, places), so each is laid out once.
class RowMeasure {
public:
    RowMeasure(const FillLayout &layout, bool bold) : fm_(fontOf(layout.font, bold))
    {
        for (int c = ColAssociate; c <= ColComments; ++c)
            widths_[c] = layout.textWidths[c];
        lineHeight_ = fm_.height();
    }
    int lineHeight() const { return lineHeight_; }
    int textHeight(int col, const QString &text)
    {
        if (text.isEmpty() || widths_[col] == 0)
            return lineHeight_;
        QHash<QString, int> &known = known_[col];
        const auto found = known.constFind(text);
        if (found != known.cend())
            return *found;
        int h = lineHeight_;
        if (text.contains(QLatin1Char('\n')) || fm_.horizontalAdvance(text) > widths_[col])
            h = std::max(lineHeight_,
                         fm_.boundingRect(QRect(0, 0, widths_[col], 1 << 20), Qt::TextWordWrap, text).height());
        known.insert(text, h);
        return h;
    }

private:
    static QFont fontOf(QFont f, bool bold)
    {
        f.setBold(bold);
        return f;
    }
    QFontMetrics fm_;
    int widths_[ColComments + 1] = {};
    QHash<QString, int> known_[ColComments + 1];
    int lineHeight_ = 0;
};

// Texts shown many times over (dates and amounts) are made once.
template <class Make>
const QString &cached(QHash<qint64, QString> &cache, qint64 key, Make make)
{
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, make());
    return *it;
}

int rowHeightTwips(int textPixels) { return textPixels * kTwipsPerPixel + kRowPaddingTwips; }

bool sameText(const QString &a, const QString &b)
{
    return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
}

// Whether two staged rows show the same job cells (all but the dated ones).
bool sameJobCells(const StagedJob &a, const StagedJob &b)
{
    return a.asRequired == b.asRequired && a.cost.cents() == b.cost.cents() && sameText(a.associate, b.associate) &&
           sameText(a.customer, b.customer) && sameText(a.address, b.address) && sameText(a.location, b.location) &&
           sameText(a.phone, b.phone) && sameText(a.jobType, b.jobType) && sameText(a.comments, b.comments);
}

// Runs work(from, to) over [0, count) in up to `parts` slices at once, the
// last on the calling thread; a failure in any slice is thrown here.
template <typename Work>
void inParts(size_t count, int parts, Work work)
{
    const size_t slices = std::max<size_t>(1, std::min<size_t>(size_t(parts), count / 1000 + 1));
    const size_t size = (count + slices - 1) / slices;
    std::vector<std::future<void>> others;
    for (size_t s = 0; s + 1 < slices; ++s)
        others.push_back(std::async(std::launch::async, work, s * size, std::min(count, (s + 1) * size)));
    work(std::min(count, (slices - 1) * size), count);
    for (std::future<void> &f : others)
        f.get();
}

} // namespace

QString checkKey() { return QStringLiteral("CheckImage"); }
QString noCheckKey() { return QStringLiteral("NoCheckImage"); }

QPixmap checkPicture()
{
    static const QPixmap pm = boxPicture(true);
    return pm;
}

QPixmap noCheckPicture()
{
    static const QPixmap pm = boxPicture(false);
    return pm;
}

QColor excludedColour() { return QColor(192, 192, 192); }
QColor asRequiredColour() { return QColor(255, 128, 0); }

void create(FlexGrid *grid)
{
    grid->setFont(QFont(QStringLiteral("Arial"), 9));
    grid->setRows(1);
    grid->setCols(ColumnCount);
    grid->setHeadings({QString(), QStringLiteral("Asst"), QStringLiteral("Date"), QStringLiteral("Customer"),
                       QStringLiteral("Service Address"), QStringLiteral("Location"), QStringLiteral("Phone"),
                       QStringLiteral("Job Type"), QStringLiteral("Cost"), QStringLiteral("Comments"),
                       QString(QChar(0x2714))});
    const int widths[] = {0, 500, 1100, 2500, 2000, 1200, 1500, 2000, 800, 2500};
    for (int c = 0; c <= ColComments; ++c)
        grid->setColWidth(c, widths[c]);
    grid->setColWidth(11, 300, false);
    for (int c = ColJobSeqNo; c < ColumnCount; ++c)
        grid->setColWidth(c, 0);
    // The done column takes what the others leave of the grid's width.
    grid->setFillColumn(ColDone);

    for (int c = ColAssociate; c <= ColDone; ++c) {
        grid->setCellAlignment(0, c, Qt::AlignHCenter | Qt::AlignBottom);
        grid->setColAlignment(c, Qt::AlignLeft | Qt::AlignTop);
    }
    grid->setColAlignment(ColDate, Qt::AlignHCenter | Qt::AlignTop);
    grid->setColAlignment(ColDone, Qt::AlignHCenter | Qt::AlignTop);
    grid->setColAlignment(ColCost, Qt::AlignRight | Qt::AlignTop);
    QFont doneHeading = grid->font();
    doneHeading.setPointSize(12);
    doneHeading.setBold(true);
    grid->setHeadingFont(ColDone, doneHeading);

    // A row of single-line cells: one line and the padding.
    const int line = QFontMetrics(grid->font()).height();
    grid->verticalHeader()->setDefaultSectionSize((rowHeightTwips(line) + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

FillLayout layoutOf(const FlexGrid *grid)
{
    FillLayout layout;
    layout.font = grid->font();
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    for (int c = ColAssociate; c <= ColComments; ++c)
        layout.textWidths[c] = grid->isColumnHidden(c) ? 0 : std::max(1, grid->columnWidth(c) - 2 * margin);
    return layout;
}

FillData prepare(const FillLayout &layout, const QList<StagedJob> &rows, const QList<int> &order, bool storedSchedule,
                 const QString &country)
{
    FillData out;
    out.storedSchedule = storedSchedule;
    const bool shaded = order.size() + 1 < kShadeLimit;
    const qsizetype count = order.size();

    // The cells a job shows are the same on each of its dates: they are made
    // and measured once per job, and each dated row copies them. A job whose
    // details differ from one row to the next gets its cells made again.
    std::vector<int> makers;                          // positions of the rows whose job cells are made
    std::vector<int> cellsOf(size_t(count), 0);       // each shown row's entry in makers
    {
        QHash<qint64, int> latest;
        for (qsizetype k = 0; k < count; ++k) {
            const StagedJob &j = rows.at(order.at(k));
            auto known = latest.find(j.jobSeqNo);
            if (known == latest.end() || !sameJobCells(rows.at(makers[size_t(*known)]), j)) {
                makers.push_back(order.at(k));
                known = latest.insert(j.jobSeqNo, int(makers.size() - 1));
            }
            cellsOf[size_t(k)] = *known;
        }
    }

    // Measuring wrapped text is the slow part: the jobs are shared out among
    // a few threads, each with its own font metrics.
    struct JobCells {
        QStringList cells;
        int tallest = 0;
    };
    std::vector<JobCells> made(makers.size());
    const int threads = int(std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4));
    auto makeCells = [&](size_t from, size_t to) {
        RowMeasure plain(layout, false);
        RowMeasure bold(layout, true);
        QHash<qint64, QString> costs;
        const QString one = QStringLiteral("1");
        const QString zero = QStringLiteral("0");
        for (size_t x = from; x < to; ++x) {
            const StagedJob &j = rows.at(makers[x]);
            RowMeasure &m = shaded && j.asRequired ? bold : plain;
            QStringList &cells = made[x].cells;
            cells.resize(ColumnCount);
            cells[ColAssociate] = j.associate;
            cells[ColCustomer] = j.customer;
            cells[ColAddress] = gridText(j.addressText());
            cells[ColLocation] = j.location;
            cells[ColPhone] = j.phone;
            cells[ColJobType] = j.jobType;
            cells[ColCost] = cached(costs, j.cost.cents(), [&] { return j.cost.display(country); });
            cells[ColComments] = gridText(j.comments);
            cells[ColJobSeqNo] = QString::number(j.jobSeqNo);
            cells[ColAsRequired] = j.asRequired ? one : zero;
            cells[ColAddressKey] = QString::number(j.addressKey());
            int tallest = m.lineHeight();
            for (int c = ColAssociate; c <= ColComments; ++c)
                if (c != ColDate)
                    tallest = std::max(tallest, m.textHeight(c, cells.at(c)));
            made[x].tallest = tallest;
        }
    };
    inParts(makers.size(), threads, makeCells);

    // What a row shows of its date, made and measured once per day.
    struct DayCells {
        QString shown;
        QString stored;
        int height[2] = {0, 0};   // plain, bold
    };
    QHash<qint64, DayCells> days;
    RowMeasure plain(layout, false);
    RowMeasure bold(layout, true);
    for (int position : order) {
        const QDate &date = rows.at(position).serviceDate;
        if (days.contains(date.toJulianDay()))
            continue;
        DayCells d;
        d.shown = Formats::toDisplayDate(date);
        d.stored = Formats::toStoredDate(date);
        d.height[0] = plain.textHeight(ColDate, d.shown);
        d.height[1] = bold.textHeight(ColDate, d.shown);
        days.insert(date.toJulianDay(), d);
    }
    const int lineHeight = plain.lineHeight();

    // Each shown row: its job's cells with its own date, numbers and marks.
    out.cells.resize(count);
    out.heights.resize(count);
    out.done.resize(count);
    QStringList *cellsOut = out.cells.data();
    int *heightsOut = out.heights.data();
    bool *doneOut = out.done.data();
    auto makeRows = [&](size_t from, size_t to) {
        const QString one = QStringLiteral("1");
        const QString zero = QStringLiteral("0");
        const QString dash = QStringLiteral("-");
        for (size_t k = from; k < to; ++k) {
            const StagedJob &j = rows.at(order.at(qsizetype(k)));
            const JobCells &job = made[size_t(cellsOf[k])];
            const DayCells &day = *days.constFind(j.serviceDate.toJulianDay());
            QStringList cells = job.cells;
            cells[ColDate] = day.shown;
            const bool done = j.done == 0;
            if (!storedSchedule && !done)
                cells[ColDone] = dash;
            cells[ColServiceDate] = day.stored;
            cells[ColRecordNumber] = QString::number(j.recordNumber);
            cells[ColDoneFlag] = done ? one : (storedSchedule ? zero : QString());
            if (storedSchedule && j.scheduleSeqNo)
                cells[ColSeqNo] = QString::number(*j.scheduleSeqNo);
            const int tallest = std::max(job.tallest, day.height[shaded && j.asRequired ? 1 : 0]);
            heightsOut[k] = tallest > lineHeight ? rowHeightTwips(tallest) : 0;
            doneOut[k] = done;
            cellsOut[k] = std::move(cells);
        }
    };
    inParts(size_t(count), threads, makeRows);
    return out;
}

int apply(FlexGrid *grid, FillData data)
{
    // While the header is not updating, a row height set costs nothing; else
    // each one recomputes the positions of all rows.
    struct HeaderQuiet {
        QHeaderView *header;
        bool was;
        explicit HeaderQuiet(QHeaderView *h) : header(h), was(h->updatesEnabled()) { header->setUpdatesEnabled(false); }
        ~HeaderQuiet() { header->setUpdatesEnabled(was); }
    } quiet(grid->verticalHeader());
    const int count = int(data.cells.size());
    {
        FlexGrid::FillScope scope(grid);
        grid->setData(std::move(data.cells));
        for (int r = 1; r < grid->rows(); ++r) {
            const bool done = data.done.at(r - 1);
            if (data.storedSchedule)
                setDoneMark(grid, r, done);
            else if (done)
                grid->setCellPicture(r, ColDone, checkPicture(), checkKey());
            if (data.heights.at(r - 1) > 0)
                grid->setRowHeight(r, data.heights.at(r - 1));
        }
        shade(grid);
    }
    return count;
}

int fill(FlexGrid *grid, const QList<StagedJob> &rows, const QList<int> &order, bool storedSchedule,
         const QString &country)
{
    return apply(grid, prepare(layoutOf(grid), rows, order, storedSchedule, country));
}

void shade(FlexGrid *grid)
{
    if (grid->rows() < 2 || grid->rows() >= kShadeLimit)
        return;
    FlexGrid::FillScope scope(grid);
    grid->stripe();
    const QColor black(0, 0, 0);
    for (int r = 1; r < grid->rows(); ++r) {
        const bool asRequired = grid->textMatrix(r, ColAsRequired) == QLatin1String("1");
        grid->setRowForeColor(r, asRequired ? asRequiredColour() : black);
        grid->setRowBold(r, asRequired);
    }
}

void paintExcluded(FlexGrid *grid, int row, bool excluded)
{
    if (excluded) {
        grid->setRowForeColor(row, excludedColour());
        grid->setRowBold(row, true);
        return;
    }
    const bool asRequired = grid->textMatrix(row, ColAsRequired).toInt() == 1;
    grid->setRowForeColor(row, asRequired ? asRequiredColour() : QColor(0, 0, 0));
    grid->setRowBold(row, asRequired);
}

void setDoneMark(FlexGrid *grid, int row, bool done)
{
    if (done)
        grid->setCellPicture(row, ColDone, checkPicture(), checkKey());
    else
        grid->setCellPicture(row, ColDone, noCheckPicture(), noCheckKey());
    grid->setTextMatrix(row, ColDoneFlag, done ? QStringLiteral("1") : QStringLiteral("0"));
}

bool showsDone(const FlexGrid *grid, int row) { return grid->cellPictureKey(row, ColDone) == checkKey(); }

} // namespace wvs::ScheduleGrid
