#include "customers/ServiceHistoryQuery.h"
#include "common/Formats.h"

namespace wvs {

QList<ServiceHistoryRow> ServiceHistoryQuery::rows(qint64 customerNumber, const QDate &today, QSqlDatabase db)
{
    // The associates are looked up by their IDs; one that has since been
    // deleted leaves the name empty.
    QSqlQuery q = execSql(
        QStringLiteral(
            "SELECT sj.ScheduleServiceDate, sj.ActualServiceDate, jt.JobTypeDescription, cj.Cost, "
            "COALESCE(assigned.AssociateName, ''), COALESCE(done.AssociateName, ''), sj.JobSeqNo, "
            "sj.ScheduleNumber "
            "FROM ScheduleJobs sj "
            "JOIN CustomerJobs cj ON cj.JobSeqNo = sj.JobSeqNo "
            "JOIN JobTypes jt ON jt.JobTypeCode = cj.JobTypeCode "
            "LEFT JOIN Associates assigned ON assigned.AssociateID = cj.AssociateID "
            "LEFT JOIN Associates done ON done.AssociateID = sj.AssociateID "
            "WHERE cj.CustomerNumber = ? AND sj.ScheduleServiceDate <> '' AND sj.ScheduleServiceDate < ? "
            "ORDER BY sj.ScheduleServiceDate DESC, sj.ScheduleNumber DESC, sj.ScheduleSeqNo"),
        {customerNumber, Formats::toStoredDate(today)}, db);
    QList<ServiceHistoryRow> out;
    while (q.next()) {
        ServiceHistoryRow r;
        r.storedServiceDate = q.value(0).toString();
        r.serviceDate = Formats::fromStoredDate(r.storedServiceDate);
        r.done = !q.value(1).toString().isEmpty();
        r.dateDone = Formats::fromStoredDate(q.value(1).toString());
        r.jobType = q.value(2).toString();
        r.cost = Money::fromVariant(q.value(3));
        r.assignedTo = q.value(4).toString();
        if (r.done)
            r.doneBy = q.value(5).toString();
        r.jobSeqNo = q.value(6).toLongLong();
        r.scheduleNumber = q.value(7).toLongLong();
        out.append(r);
    }
    return out;
}

QString ServiceHistoryQuery::caption(qint64 customerNumber, QSqlDatabase db)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT Forename, Surname, CAddress1, CSuburb FROM Customers "
                                         "WHERE CustomerNumber = ?"),
                          {customerNumber}, db);
    if (!q.next())
        return QString();
    return QStringLiteral("Service History - ") + q.value(0).toString() + QLatin1Char(' ') + q.value(1).toString() +
        QLatin1Char(' ') + q.value(2).toString() + QLatin1Char(' ') + q.value(3).toString();
}

int ServiceHistoryQuery::noteCount(qint64 scheduleNumber, qint64 jobSeqNo, const QString &storedServiceDate,
                                   QSqlDatabase db)
{
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM ScheduleJobNotes WHERE ScheduleNumber = ? AND "
                                    "JobSeqNo = ? AND ScheduleServiceDate = ?"),
                     {scheduleNumber, jobSeqNo, storedServiceDate}, db)
        .toInt();
}

} // namespace wvs
