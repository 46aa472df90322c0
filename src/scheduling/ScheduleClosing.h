#pragma once
#include "data/AppDatabase.h"
#include "scheduling/ScheduleGeneration.h"

#include <QDate>
#include <QList>
#include <QString>

namespace wvs {

// The outcome of a close or an order save: done, or refused with the message
// to show (nothing was written then).
struct ScheduleWriteOutcome {
    bool done = false;
    QString message;
};

// One row of the schedule grid as the order save sees it: the occurrence and
// the sequence number it had when the grid was staged.
struct OrderRow {
    qint64 jobSeqNo = 0;
    QDate serviceDate;
    int stagedSeqNo = 0;
    int recordNumber = 0;   // its staging row
};

// Closing an Open schedule and storing the order of a Closed one.
namespace ScheduleClosing {

// Stores every occurrence of the list that is not excluded as the schedule's
// ScheduleJobs rows (ScheduleSeqNo = its position in the list) and sets the
// schedule "Closed", in one transaction. The schedule's status is read again
// inside it: a schedule that is gone or no longer Open is refused, and so is a
// list naming a customer job, or giving a visit to an associate, that is gone
// (deleted at another workstation after the grid was generated). An
// occurrence stored again after a re-opening keeps the completion date and
// the associate recorded against it.
ScheduleWriteOutcome close(qint64 scheduleNumber, const QList<ScheduleEntry> &jobs,
                           QSqlDatabase db = AppDatabase::db());

// Hands the sequence numbers staged for the grid (seqNos, ascending) out again
// in the order the rows now stand: row i gets seqNos[i]. Each row is found by
// its occurrence and the number it was staged with, and must be found exactly
// once; otherwise (the schedule was changed or deleted elsewhere) nothing is saved. The
// user's staging rows follow, all in one transaction. No rows (an emptied
// grid) store nothing and count as done.
ScheduleWriteOutcome saveOrder(qint64 scheduleNumber, const QString &userID, const QList<OrderRow> &rows,
                               const QList<int> &seqNos, QSqlDatabase db = AppDatabase::db());

} // namespace ScheduleClosing
} // namespace wvs
