#pragma once
#include "scheduling/ScheduleGeneration.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace wvs {

// The sort keys of the schedule grid: each caption of the sort lists stands
// for one column of the staging rows. This is the one place that decides the
// order in which the grid shows its rows, for every pair of keys.
namespace ScheduleSortKeys {

// "As Required", "Associate", "Service Date", "Customer", "Service Address",
// "Location", "Phone", "Job Type", "Cost", "Notes", "Done".
QStringList captions();

// The chosen keys: captions as listed above (anything else is no key) and
// orders "Ascending", "Descending" or empty (ascending).
struct Choice {
    QString key1;
    QString order1;
    QString key2;
    QString order2;
};

// The positions in rows of the rows to show, first shown first. Texts compare
// without regard to the case of A to Z; the service date as a date; cost as
// money; "As Required" and "Done" as the Yes/No values True -1 and False 0, so
// ascending puts as-required jobs, and done occurrences (Done 0 against 1),
// before the others. The second key counts only after a first one. Rows equal
// on the chosen keys, and every row when no key is chosen, keep the order in
// which they were staged.
QList<int> order(const QList<StagedJob> &rows, const Choice &choice);

} // namespace ScheduleSortKeys
} // namespace wvs
