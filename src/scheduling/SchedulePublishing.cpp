#include "scheduling/SchedulePublishing.h"

#include "platform/ErrorHandlingModule.h"
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

bool markPublishedAfterUpload(qint64 scheduleNumber)
{
    const AppDatabase::LongerWait wait;
    const std::optional<CaughtError> e = trapError([&] { markPublished(scheduleNumber); });
    if (!e)
        return true;
    if (e->number == ErrorNumber::DatabaseBusy)
        return false;
    throw WvsError(e->number, e->description);
}

QString notStoredMessage()
{
    return QStringLiteral("The portal now holds this Schedule, but its status has not been saved because the data "
                          "is in use at another workstation. Please publish the Schedule again");
}

QString updateRefusal(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db)
{
    const QString holder = ScheduleLocks::otherHolder(scheduleNumber, associateID, db);
    if (holder.isEmpty())
        return QString();
    return holder + QStringLiteral(" currently has this Schedule open and therefore it cannot be updated");
}

} // namespace wvs::SchedulePublishing
