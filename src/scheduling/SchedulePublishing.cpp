#include "scheduling/SchedulePublishing.h"

#include "scheduling/ScheduleLocks.h"

namespace wvs::SchedulePublishing {

QString publishRefusal(QSqlDatabase db)
{
    const QVariant id = scalarSql(QStringLiteral("SELECT ID FROM Company"), {}, db);
    if (!id.isValid())
        return QStringLiteral("The Company details have not yet been entered. "
                              "These are required to publish the schedule on the portal");
    if (id.toString().isEmpty())
        return QStringLiteral("The ID has not been set for the Company. "
                              "This is required to publish the schedule on the portal");
    if (scalarSql(QStringLiteral("SELECT COUNT(*) FROM Associates WHERE PortalAccess <> ''"), {}, db).toInt() == 0)
        return QStringLiteral("No Associates have been given access to the portal. "
                              "At least 1 is required for the schedule to be published");
    return QString();
}

void markPublished(qint64 scheduleNumber, QSqlDatabase db)
{
    Transaction t(db);
    writeSql(QStringLiteral("UPDATE Schedules SET Status = 'Closed' WHERE Status = 'Published'"), {}, db);
    writeSql(QStringLiteral("UPDATE Schedules SET Status = 'Published' WHERE ScheduleNumber = ?"), {scheduleNumber}, db);
    t.commit();
}

QString updateRefusal(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db)
{
    const QString holder = ScheduleLocks::otherHolder(scheduleNumber, associateID, db);
    if (holder.isEmpty())
        return QString();
    return holder + QStringLiteral(" currently has this Schedule open and therefore it cannot be updated");
}

} // namespace wvs::SchedulePublishing
