#pragma once
#include "data/AppDatabase.h"

#include <QList>
#include <QString>

namespace wvs {

// What the schedule window checks and changes around a portal exchange.
namespace SchedulePublishing {

// Why the schedule cannot be published now (no company row, no company ID, no
// associate with portal access, or the schedule is gone or no longer Closed or
// Published, as another workstation may have re-opened it), or empty.
QString publishRefusal(qint64 scheduleNumber, QSqlDatabase db = AppDatabase::db());

// Why the schedule as it is stored now cannot be published (it is gone, or no
// longer Closed or Published: another workstation may have re-opened it since
// the window read it), or empty.
QString statusRefusal(qint64 scheduleNumber, QSqlDatabase db = AppDatabase::db());

// Makes the schedule, which the portal has just taken, the one published
// schedule: the one published before goes back to Closed. One transaction, so
// exactly one schedule is Published afterwards. The schedule's status is read
// again inside it: a schedule that is gone or no longer Closed or Published is
// refused with the message returned, which says that the portal now holds it,
// and nothing is written. Empty once it is marked.
QString markPublished(qint64 scheduleNumber, QSqlDatabase db = AppDatabase::db());

// markPublished once the portal has taken the schedule: the portal holds it
// whatever happens here, so the write waits for another workstation's write
// longer than a save does. When that wait ran out too, nothing was written and
// notStoredMessage() is returned; a refusal says that the portal now holds
// this schedule. Empty once the schedule is marked.
QString markPublishedAfterUpload(qint64 scheduleNumber);
QString notStoredMessage();
// Follows the failure of a run that failed once the portal had taken the
// schedule: the portal now shows it, while another stays marked Published.
QString notMarkedMessage();

// Why the user may not take the portal's updates into the schedule now
// (another associate has it open), or empty.
QString updateRefusal(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db = AppDatabase::db());
// The same for every schedule the portal's updates name: they are written only
// where no other associate has the schedule open. A schedule other than the
// window's own (ownSchedule) is named by its dates, as the schedules list
// shows them.
QString updateRefusal(const QList<qint64> &scheduleNumbers, qint64 ownSchedule, const QString &associateID,
                      QSqlDatabase db = AppDatabase::db());

} // namespace SchedulePublishing
} // namespace wvs
