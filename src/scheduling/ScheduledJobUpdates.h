#pragma once
#include "data/AppDatabase.h"

#include <QDate>
#include <QString>

namespace wvs {

// Changes the schedule window makes to single scheduled jobs and to the
// customer jobs behind them.
namespace ScheduledJobUpdates {

// The user's staging row of the occurrence, by its RecordNumber.
struct StagedRowKey {
    QString userID;
    int recordNumber = 0;
};

// What became of a done click: written as asked, or refused with the message
// to show (nothing of the visit written then).
struct MarkOutcome {
    bool marked = false;
    // Another workstation recorded the visit done (with its own date and
    // associate) after the grid showed it not done: that record is kept and
    // the row, and the user's staging row, show it done.
    bool doneElsewhere = false;
    QString message;
    explicit operator bool() const { return marked; }
};

// Marks a stored occurrence done on its planned date by the given associate,
// together with the user's staging row, in one transaction. Only a visit that
// is still not done is marked: one recorded done meanwhile keeps its record.
// Refused when the schedule, the customer job, the visit or the associate is
// gone.
MarkOutcome markDone(qint64 scheduleNumber, qint64 jobSeqNo, const QDate &serviceDate, const QString &associateID,
                     const StagedRowKey &staged, QSqlDatabase db = AppDatabase::db());

// Marks a stored occurrence not done: the completion date is cleared and the
// occurrence goes back to the job's current associate, so it stays on that
// associate's printouts and e-mails. The user's staging row follows; one
// transaction. Refused when the schedule, the customer job or the visit is gone.
MarkOutcome markNotDone(qint64 scheduleNumber, qint64 jobSeqNo, const QDate &serviceDate, const StagedRowKey &staged,
                        QSqlDatabase db = AppDatabase::db());

// The done mark of a staging row alone (after a note saved the occurrence).
void setStagedDone(const StagedRowKey &staged, bool done, QSqlDatabase db = AppDatabase::db());

// The associate a customer job is assigned to now; empty when the job is gone.
QString currentAssociate(qint64 jobSeqNo, QSqlDatabase db = AppDatabase::db());

// Brings LastServiceDate of every customer job done on the schedule up to its
// latest completion date there; a date is never moved back. One transaction.
void updateLastServiceDates(qint64 scheduleNumber, QSqlDatabase db = AppDatabase::db());

// Why a customer job may not be deleted from the schedule window (it is
// stored on closed schedules), or empty.
QString deleteJobRefusal(qint64 jobSeqNo, QSqlDatabase db = AppDatabase::db());
// Deletes the customer job and its notes on every schedule in one transaction;
// refused (a recoverable error, nothing deleted) when deleteJobRefusal has a
// reason by then.
void deleteJob(qint64 jobSeqNo, QSqlDatabase db = AppDatabase::db());

} // namespace ScheduledJobUpdates
} // namespace wvs
