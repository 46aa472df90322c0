#include "scheduling/ScheduledJobUpdates.h"
#include "common/Formats.h"
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

bool markDone(qint64 scheduleNumber, qint64 jobSeqNo, const QDate &serviceDate, const QString &associateID,
              const StagedRowKey &staged, QSqlDatabase db)
{
    const QString date = Formats::toStoredDate(serviceDate);
    Transaction t(db);
    if (setStored(scheduleNumber, jobSeqNo, date, date, associateID, db) != 1)
        return false;
    setStagedDone(staged, true, db);
    t.commit();
    return true;
}

bool markNotDone(qint64 scheduleNumber, qint64 jobSeqNo, const QDate &serviceDate, const StagedRowKey &staged,
                 QSqlDatabase db)
{
    const QString date = Formats::toStoredDate(serviceDate);
    Transaction t(db);
    if (setStored(scheduleNumber, jobSeqNo, date, QString(), currentAssociate(jobSeqNo, db), db) != 1)
        return false;
    setStagedDone(staged, false, db);
    t.commit();
    return true;
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
    writeSql(QStringLiteral("DELETE FROM CustomerJobs WHERE JobSeqNo = ?"), {jobSeqNo}, db);
    writeSql(QStringLiteral("DELETE FROM ScheduleJobNotes WHERE JobSeqNo = ?"), {jobSeqNo}, db);
    t.commit();
}

} // namespace wvs::ScheduledJobUpdates
