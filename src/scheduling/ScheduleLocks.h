#pragma once
#include "data/AppDatabase.h"

#include <QString>

namespace wvs {

// Which associate has which schedule open, and who is publishing a schedule
// on the portal. A row is added each time a schedule window opens; leaving
// any schedule window removes all of that associate's rows, as do the
// shut-down, a forced log-off and the associate's deletion.
namespace ScheduleLocks {

// Refused (a recoverable error, no row written) when the schedule is gone.
void lock(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db = AppDatabase::db());
// Removes every lock of the associate's, his open schedules and his publishing,
// inside the caller's transaction.
void releaseAll(const QString &associateID, QSqlDatabase db = AppDatabase::db());

// The name of an associate other than the given one who has the schedule
// open (his ID when he has no Associates row), or empty when there is none.
QString otherHolder(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db = AppDatabase::db());

// One schedule is published on the portal at a time, by whichever workstation
// took the publishing first: the schedule marked Published must be the one
// the portal was last given. Takes the publishing for the associate in a
// transaction of its own (nothing waits on the portal inside it) and returns
// empty; while another associate who is logged on publishes, takes nothing
// and returns the refusal naming him. The publishing of an associate no
// longer logged on (his workstation stopped mid-run) is left over and taken.
QString takePublishing(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db = AppDatabase::db());
void releasePublishing(const QString &associateID, QSqlDatabase db = AppDatabase::db());

// Holds the publishing from its taking until it goes out of scope, however
// the run ends.
class Publishing {
public:
    Publishing(qint64 scheduleNumber, const QString &associateID);
    ~Publishing();
    Publishing(const Publishing &) = delete;
    Publishing &operator=(const Publishing &) = delete;
    // Empty once taken; otherwise why not.
    const QString &refusal() const { return refusal_; }

private:
    QString associateID_;
    QString refusal_;
};

} // namespace ScheduleLocks
} // namespace wvs
