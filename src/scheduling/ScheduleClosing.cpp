#include "scheduling/ScheduleClosing.h"
#include "common/Formats.h"
#include "common/NamedRows.h"
#include "data/AppDatabase.h"
#include "platform/WvsError.h"
#include "scheduling/BatchInsert.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace wvs::ScheduleClosing {

namespace {

ScheduleWriteOutcome refused(const QString &message) { return {false, message}; }

QString orderChangedMessage()
{
    return QStringLiteral("The Schedule has been changed on another workstation since it was opened, "
                          "so its order has not been saved");
}

QSqlQuery prepared(QSqlDatabase db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.prepare(sql))
        throw WvsError(ErrorNumber::Database, q.lastError().text());
    return q;
}

int run(QSqlQuery &q, const QVariantList &values)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, boundValue(values.at(i)));
    if (!q.exec())
        throw WvsError(ErrorNumber::Database, q.lastError().text());
    return q.numRowsAffected();
}

} // namespace

ScheduleWriteOutcome close(qint64 scheduleNumber, const QList<ScheduleEntry> &jobs, QSqlDatabase db)
{
    Transaction t(db);
    const QVariant status =
        scalarSql(QStringLiteral("SELECT Status FROM Schedules WHERE ScheduleNumber = ?"), {scheduleNumber}, db);
    if (!status.isValid())
        return refused(QStringLiteral("The Schedule no longer exists and therefore cannot be closed"));
    if (status.toString() != QLatin1String("Open"))
        return refused(QStringLiteral("The Schedule now has a status of ") + status.toString() +
                       QStringLiteral(" and therefore cannot be closed"));

    // What was recorded against the occurrences before the schedule was
    // re-opened: closing it again keeps each visit's recorded date and
    // associate rather than the grid's.
    struct Recorded {
        QString actualServiceDate;
        QString associateID;
    };
    QHash<QPair<qint64, QString>, Recorded> recorded;
    QSqlQuery q = execSql(QStringLiteral("SELECT JobSeqNo, ScheduleServiceDate, ActualServiceDate, AssociateID "
                                         "FROM ScheduleJobs WHERE ScheduleNumber = ? AND ActualServiceDate <> ''"),
                          {scheduleNumber}, db);
    while (q.next())
        recorded.insert({q.value(0).toLongLong(), q.value(1).toString()},
                        Recorded{q.value(2).toString(), q.value(3).toString()});

    // Every customer job stored as a visit, and every associate a new visit
    // names, must still be there: a job deleted at another workstation after
    // the grid was generated is not stored, nor a visit for an associate
    // deleted meanwhile. The grid must be generated again first.
    NamedRows named;
    QSet<qint64> jobsNamed;
    QSet<QString> associatesNamed;
    for (const ScheduleEntry &e : jobs) {
        if (e.excluded)
            continue;
        if (!jobsNamed.contains(e.jobSeqNo)) {
            jobsNamed.insert(e.jobSeqNo);
            named.customerJob(e.jobSeqNo);
        }
    }
    for (const ScheduleEntry &e : jobs) {
        if (e.excluded || e.associateID.isEmpty() ||
            recorded.contains({e.jobSeqNo, Formats::toStoredDate(e.serviceDate)}))
            continue;
        if (!associatesNamed.contains(e.associateID.toLower())) {
            associatesNamed.insert(e.associateID.toLower());
            named.associate(e.associateID);
        }
    }
    const QString gone = named.firstGone(db);
    if (!gone.isEmpty())
        return refused(gone);

    writeSql(QStringLiteral("DELETE FROM ScheduleJobs WHERE ScheduleNumber = ?"), {scheduleNumber}, db);
    BatchInsert rows(db, QStringLiteral("ScheduleJobs"),
                     QStringLiteral("ScheduleNumber, JobSeqNo, ScheduleServiceDate, ScheduleSeqNo, "
                                    "ActualServiceDate, AssociateID"),
                     6);
    for (int i = 0; i < jobs.size(); ++i) {
        const ScheduleEntry &e = jobs.at(i);
        if (e.excluded)
            continue;
        const QString date = Formats::toStoredDate(e.serviceDate);
        const auto r = recorded.constFind({e.jobSeqNo, date});
        if (r != recorded.cend())
            rows.add({scheduleNumber, e.jobSeqNo, date, i, r->actualServiceDate, r->associateID});
        else
            rows.add({scheduleNumber, e.jobSeqNo, date, i, QString(), e.associateID});
    }
    rows.flush();
    writeSql(QStringLiteral("UPDATE Schedules SET Status = 'Closed' WHERE ScheduleNumber = ?"), {scheduleNumber}, db);
    t.commit();
    return {true, QString()};
}

ScheduleWriteOutcome saveOrder(qint64 scheduleNumber, const QString &userID, const QList<OrderRow> &rows,
                               const QList<int> &seqNos, QSqlDatabase db)
{
    // A grid emptied by choosing another associate holds nothing to store.
    if (rows.isEmpty())
        return {true, QString()};
    if (rows.size() != seqNos.size())
        return refused(orderChangedMessage());
    Transaction t(db);
    const QString gone = NamedRows().schedule(scheduleNumber).firstGone(db);
    if (!gone.isEmpty())
        return refused(gone);
    QSqlQuery jobs = prepared(db, QStringLiteral("UPDATE ScheduleJobs SET ScheduleSeqNo = ? WHERE ScheduleNumber = ? "
                                                 "AND JobSeqNo = ? AND ScheduleServiceDate = ? AND ScheduleSeqNo = ?"));
    QSqlQuery staging = prepared(db, QStringLiteral("UPDATE ScheduleStaging SET ScheduleSeqNo = ? WHERE UserID = ? "
                                                    "AND RecordNumber = ?"));
    for (int i = 0; i < rows.size(); ++i) {
        const OrderRow &r = rows.at(i);
        const QString date = Formats::toStoredDate(r.serviceDate);
        if (run(jobs, {seqNos.at(i), scheduleNumber, r.jobSeqNo, date, r.stagedSeqNo}) != 1)
            return refused(orderChangedMessage());
        run(staging, {seqNos.at(i), userID, r.recordNumber});
    }
    t.commit();
    return {true, QString()};
}

} // namespace wvs::ScheduleClosing
