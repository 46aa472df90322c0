#include "scheduling/ScheduleLocks.h"

namespace wvs::ScheduleLocks {

void lock(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db)
{
    writeSql(QStringLiteral("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (?, ?)"),
             {scheduleNumber, associateID}, db);
}

void releaseAll(const QString &associateID, QSqlDatabase db)
{
    writeSql(QStringLiteral("DELETE FROM LockedSchedules WHERE AssociateID = ?"), {associateID}, db);
}

QString otherHolder(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db)
{
    const QVariant v = scalarSql(
        QStringLiteral("SELECT COALESCE(NULLIF(a.AssociateName, ''), l.AssociateID) FROM LockedSchedules l "
                       "LEFT JOIN Associates a ON a.AssociateID = l.AssociateID "
                       "WHERE l.ScheduleNumber = ? AND l.AssociateID <> ? ORDER BY l.rowid LIMIT 1"),
        {scheduleNumber, associateID}, db);
    return v.isValid() ? v.toString() : QString();
}

} // namespace wvs::ScheduleLocks
