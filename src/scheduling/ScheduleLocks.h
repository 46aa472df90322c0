#pragma once
#include "data/AppDatabase.h"

#include <QString>

namespace wvs {

// Which associate has which schedule open. A row is added each time a
// schedule window opens; leaving any schedule window removes all of that
// associate's rows, as do the shut-down and a forced log-off.
namespace ScheduleLocks {

void lock(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db = AppDatabase::db());
void releaseAll(const QString &associateID, QSqlDatabase db = AppDatabase::db());

// The name of an associate other than the given one who has the schedule
// open (his ID when he has no Associates row), or empty when there is none.
QString otherHolder(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db = AppDatabase::db());

} // namespace ScheduleLocks
} // namespace wvs
