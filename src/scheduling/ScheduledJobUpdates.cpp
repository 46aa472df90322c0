#include "scheduling/ScheduledJobUpdates.h"
#include "common/Formats.h"
#include "common/NamedRows.h"
#include "platform/WvsError.h"

namespace wvs::ScheduledJobUpdates {

namespace {

int setStored(qint64 scheduleNumber, qint64 jobSeqNo, const QString &date, const QString &actual,
              const QString &associateID, QSqlDatabase db)
{
    return writeSql(QStringLiteral("UPDATE ScheduleJobs SET ActualServiceDate = ?, AssociateID = ? "
                                   "WHERE ScheduleNumber = ? AND JobSeqNo = ? AND ScheduleServiceDate = ?"),
                    {actual, associateID, scheduleNumber, jobSeqNo, date}, db);
}

} // namespace

void setStagedDone(const StagedRowKey &staged, bool done, QSqlDatabase db)
{
    writeSql(QStringLiteral("UPDATE ScheduleStaging SET Done = ? WHERE UserID = ? AND RecordNumber = ?"),
             {done ? 0 : 1, staged.userID, staged.recordNumber}, db);
}

namespace {

MarkOutcome refused(const QString &message) { return {false, false, message}; }

// Why a click on the visit cannot be stored: the schedule or the customer job
// gone, or the visit no longer on the schedule. Empty when it is there; then
// done tells whether it is recorded done now.
QString visitGone(qint64 scheduleNumber, qint64 jobSeqNo, const QString &date, bool *done, QSqlDatabase db)
{
    const QString gone = NamedRows().schedule(scheduleNumber).customerJob(jobSeqNo).firstGone(db);
    if (!gone.isEmpty())
        return gone;
    const QVariant actual = scalarSql(QStringLiteral("SELECT ActualServiceDate FROM ScheduleJobs WHERE ScheduleNumber = ? "
                                                     "AND JobSeqNo = ? AND ScheduleServiceDate = ?"),
                                      {scheduleNumber, jobSeqNo, date}, db);
    if (!actual.isValid())
        return QStringLiteral("This Job is no longer on the Schedule");
    *done = !actual.toString().isEmpty();
    return QString();
}

} // namespace

MarkOutcome markDone(qint64 scheduleNumber, qint64 jobSeqNo, const QDate &serviceDate, const QString &associateID,
                     const StagedRowKey &staged, QSqlDatabase db)
{
    const QString date = Formats::toStoredDate(serviceDate);
    Transaction t(db);
    bool done = false;
    const QString gone = visitGone(scheduleNumber, jobSeqNo, date, &done, db);
    if (!gone.isEmpty())
        return refused(gone);
    if (done) {
        // Recorded done at another workstation since the grid was shown: its
        // date and associate stand; the grid catches up.
        setStagedDone(staged, true, db);
        t.commit();
        return {false, true,
                QStringLiteral("This Job has already been marked as done by another user - the date and Associate "
                               "recorded there have been kept")};
    }
    if (!associateID.isEmpty()) {
        const QString associateGone = NamedRows().associate(associateID).firstGone(db);
        if (!associateGone.isEmpty())
            return refused(associateGone);
    }
    setStored(scheduleNumber, jobSeqNo, date, date, associateID, db);
    setStagedDone(staged, true, db);
    t.commit();
    return {true, false, QString()};
}

MarkOutcome markNotDone(qint64 scheduleNumber, qint64 jobSeqNo, const QDate &serviceDate, const StagedRowKey &staged,
                        QSqlDatabase db)
{
    const QString date = Formats::toStoredDate(serviceDate);
    Transaction t(db);
    bool done = false;
    const QString gone = visitGone(scheduleNumber, jobSeqNo, date, &done, db);
    if (!gone.isEmpty())
        return refused(gone);
    setStored(scheduleNumber, jobSeqNo, date, QString(), currentAssociate(jobSeqNo, db), db);
    setStagedDone(staged, false, db);
    t.commit();
    return {true, false, QString()};
}

QString currentAssociate(qint64 jobSeqNo, QSqlDatabase db)
{
    const QVariant v =
        scalarSql(QStringLiteral("SELECT AssociateID FROM CustomerJobs WHERE JobSeqNo = ?"), {jobSeqNo}, db);
    return v.isValid() ? v.toString() : QString();
}

void updateLastServiceDates(qint64 scheduleNumber, QSqlDatabase db)
{
    // Stored dates are "yyyy-MM-dd", so the latest is the largest text.
    const QString latest = QStringLiteral("(SELECT MAX(sj.ActualServiceDate) FROM ScheduleJobs sj "
                                          "WHERE sj.ScheduleNumber = ? AND sj.JobSeqNo = CustomerJobs.JobSeqNo "
                                          "AND sj.ActualServiceDate <> '')");
    Transaction t(db);
    writeSql(QStringLiteral("UPDATE CustomerJobs SET LastServiceDate = ") + latest +
                 QStringLiteral(" WHERE JobSeqNo IN (SELECT JobSeqNo FROM ScheduleJobs WHERE ScheduleNumber = ? "
                                "AND ActualServiceDate <> '') AND (LastServiceDate = '' OR LastServiceDate < ") +
                 latest + QStringLiteral(")"),
             {scheduleNumber, scheduleNumber, scheduleNumber}, db);
    t.commit();
}

QString deleteJobRefusal(qint64 jobSeqNo, QSqlDatabase db)
{
    const int n =
        scalarSql(QStringLiteral("SELECT COUNT(*) FROM ScheduleJobs WHERE JobSeqNo = ?"), {jobSeqNo}, db).toInt();
    if (n > 0)
        return QStringLiteral("The selected Customer Job is contained on ") + QString::number(n) +
               QStringLiteral(" closed Job Schedule(s) and therefore cannot be deleted");
    return QString();
}

void deleteJob(qint64 jobSeqNo, QSqlDatabase db)
{
    Transaction t(db);
    const QString refusal = deleteJobRefusal(jobSeqNo, db);
    if (!refusal.isEmpty())
        throw WvsError(ErrorNumber::Recoverable, refusal);
    // Deleted at another workstation since the grid was filled: the user is
    // told, not shown "deleted" for a job he did not delete.
    if (writeSql(QStringLiteral("DELETE FROM CustomerJobs WHERE JobSeqNo = ?"), {jobSeqNo}, db) == 0)
        NamedRows::gone(NamedRows::Kind::CustomerJob);
    writeSql(QStringLiteral("DELETE FROM ScheduleJobNotes WHERE JobSeqNo = ?"), {jobSeqNo}, db);
    t.commit();
}

} // namespace wvs::ScheduledJobUpdates
