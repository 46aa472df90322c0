#include "scheduling/ScheduleLocks.h"
#include "common/NamedRows.h"

namespace wvs::ScheduleLocks {

void lock(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db)
{
    // The schedule may have been deleted at another workstation since its
    // window read it: no lock row is left naming it.
    Transaction t(db);
    NamedRows().schedule(scheduleNumber).confirm(db);
    writeSql(QStringLiteral("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (?, ?)"),
             {scheduleNumber, associateID}, db);
    t.commit();
}

void releaseAll(const QString &associateID, QSqlDatabase db)
{
    writeSql(QStringLiteral("DELETE FROM LockedSchedules WHERE AssociateID = ?"), {associateID}, db);
    releasePublishing(associateID, db);
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

QString takePublishing(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db)
{
    Transaction t(db);
    // Only a holder marked logged on counts: a negative AssociateStatus.
    const QVariant holder = scalarSql(
        QStringLiteral("SELECT COALESCE(NULLIF(a.AssociateName, ''), p.AssociateID) FROM PublishingSchedules p "
                       "JOIN Associates a ON a.AssociateID = p.AssociateID "
                       "WHERE p.AssociateID <> ? AND a.AssociateStatus < 0 ORDER BY p.rowid LIMIT 1"),
        {associateID}, db);
    if (holder.isValid())
        return holder.toString()
               + QStringLiteral(" is currently publishing a Schedule on the portal. Please try again once it has "
                                "finished");
    writeSql(QStringLiteral("DELETE FROM PublishingSchedules"), {}, db);
    writeSql(QStringLiteral("INSERT INTO PublishingSchedules (ScheduleNumber, AssociateID) VALUES (?, ?)"),
             {scheduleNumber, associateID}, db);
    t.commit();
    return QString();
}

void releasePublishing(const QString &associateID, QSqlDatabase db)
{
    writeSql(QStringLiteral("DELETE FROM PublishingSchedules WHERE AssociateID = ?"), {associateID}, db);
}

Publishing::Publishing(qint64 scheduleNumber, const QString &associateID)
    : associateID_(associateID), refusal_(takePublishing(scheduleNumber, associateID))
{
}

Publishing::~Publishing()
{
    if (!refusal_.isEmpty())
        return;
    // The publishing is given up however the run ended, waiting for another
    // workstation's write as long as a log-off does. Should even that fail,
    // the row is taken over at this associate's next Publish, and no longer
    // counts once he has logged off.
    try {
        const AppDatabase::LongerWait wait;
        releasePublishing(associateID_);
    } catch (...) {
    }
}

} // namespace wvs::ScheduleLocks
