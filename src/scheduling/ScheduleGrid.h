#pragma once
#include "scheduling/ScheduleGeneration.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QVector>
#include <QPixmap>

namespace wvs {

class FlexGrid;

// The layout, filling and colouring of the schedule window's grid.
//
// Columns: 1 associate, 2 date ("dd mmm yyyy"), 3 customer, 4 service address,
// 5 location, 6 phone, 7 job type, 8 cost, 9 comments, 10 the done mark;
// hidden: 12 JobSeqNo, 13 the stored service date ("yyyy-MM-dd"), 14 the
// RecordNumber of the row's staging row, 15 the done
// flag ("1" done; "0" not done on a stored schedule, empty on an Open one),
// 16 the as-required flag, 17 the stored ScheduleSeqNo, 18 the service
// address key.
namespace ScheduleGrid {

enum Column {
    ColAssociate = 1,
    ColDate = 2,
    ColCustomer = 3,
    ColAddress = 4,
    ColLocation = 5,
    ColPhone = 6,
    ColJobType = 7,
    ColCost = 8,
    ColComments = 9,
    ColDone = 10,
    ColJobSeqNo = 12,
    ColServiceDate = 13,
    ColRecordNumber = 14,
    ColDoneFlag = 15,
    ColAsRequired = 16,
    ColSeqNo = 17,
    ColAddressKey = 18,
    ColumnCount = 19,
};

// Keys of the two pictures of the done column.
QString checkKey();
QString noCheckKey();
QPixmap checkPicture();     // a ticked box
QPixmap noCheckPicture();   // an empty box

QColor excludedColour();    // grey text marks an excluded row
QColor asRequiredColour();  // orange bold text marks an as-required job

// Grids of this many rows (heading included) or more are left unshaded.
constexpr int kShadeLimit = 5000;

void create(FlexGrid *grid);

// Fills the grid with the staged rows taken in the given order (positions in
// rows): texts, done marks, row heights (each row as tall as its tallest
// wrapped cell plus 50 twips) and the shading. storedSchedule: Closed or
// Published. Returns the number of data rows.
int fill(FlexGrid *grid, const QList<StagedJob> &rows, const QList<int> &order, bool storedSchedule,
         const QString &country);

// A fill in two halves: the texts, done marks and row heights are made from
// the grid's font and column widths alone, so they can be made on another
// thread while the window waits for the database; apply then puts them into
// the grid.
struct FillLayout {
    QFont font;
    int textWidths[ColComments + 1] = {};   // pixels a cell's text may take; 0 for a hidden column
};
struct FillData {
    QVector<QStringList> cells;
    QVector<int> heights;   // twips; 0 for the grid's default
    QVector<bool> done;
    bool storedSchedule = false;
};
FillLayout layoutOf(const FlexGrid *grid);
FillData prepare(const FillLayout &layout, const QList<StagedJob> &rows, const QList<int> &order, bool storedSchedule,
                 const QString &country);
int apply(FlexGrid *grid, FillData data);

// White and light grey bands; as-required rows orange and bold, others black.
void shade(FlexGrid *grid);

// Paints one row as excluded (grey, bold) or back in its own colours.
void paintExcluded(FlexGrid *grid, int row, bool excluded);

// The done mark of a row of a stored schedule, picture and flag.
void setDoneMark(FlexGrid *grid, int row, bool done);
bool showsDone(const FlexGrid *grid, int row);

} // namespace ScheduleGrid
} // namespace wvs
