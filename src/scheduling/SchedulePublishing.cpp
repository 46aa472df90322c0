#include "scheduling/SchedulePublishing.h"

#include "common/Formats.h"
#include "platform/ErrorHandlingModule.h"
#include "scheduling/ScheduleLocks.h"

namespace wvs::SchedulePublishing {

namespace {

// Why the schedule as it is stored now cannot be published, or empty. Once the
// portal holds it, the words say so: the schedule the portal is to show must
// then be published again.
QString refusalOf(qint64 scheduleNumber, QSqlDatabase db, bool portalHoldsIt)
{
    const QVariant status =
        scalarSql(QStringLiteral("SELECT Status FROM Schedules WHERE ScheduleNumber = ?"), {scheduleNumber}, db);
    QString why;
    if (!status.isValid())
        why = QStringLiteral("no longer exists");
    else if (status.toString() != QLatin1String("Closed") && status.toString() != QLatin1String("Published"))
        why = QStringLiteral("now has a status of ") + status.toString();
    else
        return QString();
    if (!portalHoldsIt)
        return QStringLiteral("The Schedule ") + why + QStringLiteral(" and therefore cannot be published");
    return QStringLiteral("The portal now holds this Schedule, but it ") + why +
           QStringLiteral(" and therefore cannot be published. Please publish again the Schedule that the portal "
                          "is to show");
}

} // namespace

QString statusRefusal(qint64 scheduleNumber, QSqlDatabase db)
{
    return refusalOf(scheduleNumber, db, false);
}

QString publishRefusal(qint64 scheduleNumber, QSqlDatabase db)
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
    return statusRefusal(scheduleNumber, db);
}

QString markPublished(qint64 scheduleNumber, QSqlDatabase db)
{
    Transaction t(db);
    if (const QString refusal = refusalOf(scheduleNumber, db, true); !refusal.isEmpty())
        return refusal;
    writeSql(QStringLiteral("UPDATE Schedules SET Status = 'Closed' WHERE Status = 'Published'"), {}, db);
    writeSql(QStringLiteral("UPDATE Schedules SET Status = 'Published' WHERE ScheduleNumber = ?"), {scheduleNumber}, db);
    t.commit();
    return QString();
}

QString markPublishedAfterUpload(qint64 scheduleNumber)
{
    const AppDatabase::LongerWait wait;
    QString refusal;
    const std::optional<CaughtError> e = trapError([&] { refusal = markPublished(scheduleNumber); });
    if (!e)
        return refusal;
    if (e->number == ErrorNumber::DatabaseBusy)
        return notStoredMessage();
    throw WvsError(e->number, e->description);
}

QString notMarkedMessage()
{
    return QStringLiteral("The portal now holds this Schedule, but it has not been marked as published. Please "
                          "publish the Schedule again");
}

QString notStoredMessage()
{
    return QStringLiteral("The portal now holds this Schedule, but its status has not been saved because the data "
                          "is in use at another workstation. Please publish the Schedule again");
}

QString updateRefusal(qint64 scheduleNumber, const QString &associateID, QSqlDatabase db)
{
    return updateRefusal(QList<qint64>{scheduleNumber}, scheduleNumber, associateID, db);
}

QString updateRefusal(const QList<qint64> &scheduleNumbers, qint64 ownSchedule, const QString &associateID,
                      QSqlDatabase db)
{
    for (const qint64 number : scheduleNumbers) {
        const QString holder = ScheduleLocks::otherHolder(number, associateID, db);
        if (holder.isEmpty())
            continue;
        if (number == ownSchedule)
            return holder + QStringLiteral(" currently has this Schedule open and therefore it cannot be updated");
        QSqlQuery q = execSql(QStringLiteral("SELECT FromDate, ToDate FROM Schedules WHERE ScheduleNumber = ?"),
                              {number}, db);
        const bool found = q.next();
        const QString from = found ? Formats::toDisplayDate(Formats::fromStoredDate(q.value(0).toString())) : QString();
        const QString to = found ? Formats::toDisplayDate(Formats::fromStoredDate(q.value(1).toString())) : QString();
        return holder + QStringLiteral(" currently has the Schedule of ") + from + QStringLiteral(" to ") + to
               + QStringLiteral(" open and therefore it cannot be updated");
    }
    return QString();
}

} // namespace wvs::SchedulePublishing
