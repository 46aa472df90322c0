#pragma once
#include <QString>
#include <QStringList>

namespace wvs {

// The sort keys of the schedule grid: each caption of the sort lists stands
// for one column of the staging rows.
namespace ScheduleSortKeys {

// "As Required", "Associate", "Service Date", "Customer", "Service Address",
// "Location", "Phone", "Job Type", "Cost", "Notes", "Done".
QStringList captions();

// The ORDER BY clause (with a leading space) for the chosen keys; order texts
// are "Ascending", "Descending" or empty (the key's natural order). A second
// key counts only after a first one. Every order ends with RecordNumber, so
// rows equal on the chosen keys, and a grid with no key at all, keep the order
// in which they were staged.
QString orderBy(const QString &key1, const QString &order1, const QString &key2 = QString(),
                const QString &order2 = QString());

} // namespace ScheduleSortKeys
} // namespace wvs
