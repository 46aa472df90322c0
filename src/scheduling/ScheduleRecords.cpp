#include "scheduling/ScheduleRecords.h"
#include "common/DateRangeCheck.h"
#include "common/Formats.h"
#include "common/NamedRows.h"
#include "platform/WvsError.h"
#include "scheduling/ScheduleLocks.h"

#include <QSqlQuery>

namespace wvs {

bool ScheduleHeader::stored() const
{
    return status == QLatin1String("Closed") || status == QLatin1String("Published");
}

namespace ScheduleRecords {

namespace {

ScheduleHeader headerFrom(const QSqlQuery &q)
{
    ScheduleHeader h;
    h.number = q.value(0).toLongLong();
    h.fromDate = Formats::fromStoredDate(q.value(1).toString());
    h.toDate = Formats::fromStoredDate(q.value(2).toString());
    h.status = q.value(3).toString();
    return h;
}

} // namespace

std::optional<ScheduleHeader> load(qint64 number, QSqlDatabase db)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT ScheduleNumber, FromDate, ToDate, Status FROM Schedules "
                                         "WHERE ScheduleNumber = ?"),
                          {number}, db);
    if (!q.next())
        return std::nullopt;
    return headerFrom(q);
}

QList<ScheduleHeader> all(QSqlDatabase db)
{
    QList<ScheduleHeader> out;
    QSqlQuery q = execSql(QStringLiteral("SELECT ScheduleNumber, FromDate, ToDate, Status FROM Schedules "
                                         "ORDER BY FromDate DESC, ScheduleNumber DESC"),
                          {}, db);
    while (q.next())
        out.append(headerFrom(q));
    return out;
}

bool exceedsOneYear(const QDate &from, const QDate &to)
{
    // Calendar months from the From month to the To month, whatever the days.
    const int months = (to.year() - from.year()) * 12 + (to.month() - from.month());
    return months > 12;
}

QString timespanMessage() { return QStringLiteral("A Job Schedule cannot have a timespan of more than 1 year"); }

qint64 create(const QDate &from, const QDate &to, QSqlDatabase db)
{
    if (!from.isValid() || !to.isValid())
        throw WvsError(ErrorNumber::General, QStringLiteral("A schedule needs a From and a To date"));
    if (exceedsOneYear(from, to))
        throw WvsError(ErrorNumber::Recoverable, timespanMessage());
    Transaction t(db);
    // Another workstation may have stored an overlapping schedule since the
    // dates were checked.
    if (DateRangeCheck::overlappingSchedules(from, to, db) > 0)
        throw WvsError(ErrorNumber::Recoverable, QStringLiteral("The dates selected overlap an existing Schedule"));
    writeSql(QStringLiteral("INSERT INTO Schedules (FromDate, ToDate, Status) VALUES (?, ?, 'Open')"),
             {Formats::toStoredDate(from), Formats::toStoredDate(to)}, db);
    const qint64 number = lastInsertId(db);
    t.commit();
    return number;
}

void reopen(qint64 number, QSqlDatabase db)
{
    Transaction t(db);
    if (writeSql(QStringLiteral("UPDATE Schedules SET Status = 'Open' WHERE ScheduleNumber = ?"), {number}, db) != 1)
        NamedRows::gone(NamedRows::Kind::Schedule);
    t.commit();
}

QString deleteRefusal(const QList<qint64> &numbers, const QString &currentAssociateID, QSqlDatabase db)
{
    for (qint64 n : numbers) {
        const QString holder = ScheduleLocks::otherHolder(n, currentAssociateID, db);
        if (!holder.isEmpty())
            return holder + QStringLiteral(" currently has this Schedule open and therefore it cannot be deleted");
    }
    return QString();
}

void remove(const QList<qint64> &numbers, const QString &currentAssociateID, QSqlDatabase db)
{
    Transaction t(db);
    const QString refusal = deleteRefusal(numbers, currentAssociateID, db);
    if (!refusal.isEmpty())
        throw WvsError(ErrorNumber::Recoverable, refusal);
    for (qint64 n : numbers) {
        // Deleted at another workstation since the list was filled: the user
        // is told, and none of the chosen schedules is deleted.
        if (writeSql(QStringLiteral("DELETE FROM Schedules WHERE ScheduleNumber = ?"), {n}, db) == 0)
            NamedRows::gone(NamedRows::Kind::Schedule);
        writeSql(QStringLiteral("DELETE FROM ScheduleJobs WHERE ScheduleNumber = ?"), {n}, db);
        writeSql(QStringLiteral("DELETE FROM ScheduleJobNotes WHERE ScheduleNumber = ?"), {n}, db);
    }
    t.commit();
}

QList<ScheduleAssociate> associates(QSqlDatabase db)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT AssociateID, AssociateName FROM Associates "
                                         "ORDER BY AssociateName, AssociateID"),
                          {}, db);
    QList<ScheduleAssociate> out;
    while (q.next())
        out.append({q.value(0).toString(), q.value(1).toString()});
    return out;
}

} // namespace ScheduleRecords
} // namespace wvs
