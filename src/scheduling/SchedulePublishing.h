#pragma once
#include "data/AppDatabase.h"

#include <QString>

namespace wvs {

// What the schedule window checks and changes around a portal exchange.
namespace SchedulePublishing {

// Why no schedule can be published now (no company row, no company ID, no
// associate with portal access), or empty.
QString publishRefusal(QSqlDatabase db = AppDatabase::db());

// Makes the schedule the one published schedule: the one published before
// goes back to Closed. One transaction, so exactly one schedule is Published
// afterwards.
void markPublished(qint64 scheduleNumber, QSqlDatabase db = AppDatabase::db());

// markPublished once the portal has taken the schedule: the portal holds it
// whatever happens here, so the write waits for another workstation's write
// longer than a save does. False when that wait ran out too: nothing was
// written, and notStoredMessage() tells the user.
bool markPublishedAfterUpload(qint64 scheduleNumber);
QString notStoredMessage();

// Why the user may not take the portal's updates into the schedule now
// (another associate has it open), or empty.
QString updateRefusal(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db = AppDatabase::db());

} // namespace SchedulePublishing
} // namespace wvs
