#include "common/NamedRows.h"

#include "platform/WvsError.h"

namespace wvs {

namespace {

QString kindName(NamedRows::Kind kind)
{
    switch (kind) {
    case NamedRows::Kind::Customer:
        return QStringLiteral("Customer");
    case NamedRows::Kind::ServiceAddress:
        return QStringLiteral("Service Address");
    case NamedRows::Kind::JobType:
        return QStringLiteral("Job Type");
    case NamedRows::Kind::Associate:
        return QStringLiteral("Associate");
    case NamedRows::Kind::AuthorityLevel:
        return QStringLiteral("Authority Level");
    case NamedRows::Kind::CustomerJob:
        return QStringLiteral("Customer Job");
    case NamedRows::Kind::Schedule:
        return QStringLiteral("Schedule");
    }
    return {};
}

// The query that finds the row, its key bound in order.
QString existsSql(NamedRows::Kind kind)
{
    switch (kind) {
    case NamedRows::Kind::Customer:
        return QStringLiteral("SELECT 1 FROM Customers WHERE CustomerNumber = ?");
    case NamedRows::Kind::ServiceAddress:
        return QStringLiteral("SELECT 1 FROM CustomerServiceAddresses WHERE CustomerNumber = ? AND SAddressSeqNo = ?");
    case NamedRows::Kind::JobType:
        return QStringLiteral("SELECT 1 FROM JobTypes WHERE JobTypeCode = ?");
    case NamedRows::Kind::Associate:
        return QStringLiteral("SELECT 1 FROM Associates WHERE AssociateID = ?");
    case NamedRows::Kind::AuthorityLevel:
        return QStringLiteral("SELECT 1 FROM AuthorityLevels WHERE LevelNumber = ?");
    case NamedRows::Kind::CustomerJob:
        return QStringLiteral("SELECT 1 FROM CustomerJobs WHERE JobSeqNo = ?");
    case NamedRows::Kind::Schedule:
        return QStringLiteral("SELECT 1 FROM Schedules WHERE ScheduleNumber = ?");
    }
    return {};
}

} // namespace

NamedRows &NamedRows::customer(qint64 customerNumber)
{
    rows_.append({Kind::Customer, {customerNumber}});
    return *this;
}

NamedRows &NamedRows::serviceAddress(qint64 customerNumber, qint64 sAddressSeqNo)
{
    rows_.append({Kind::ServiceAddress, {customerNumber, sAddressSeqNo}});
    return *this;
}

NamedRows &NamedRows::jobType(const QString &jobTypeCode)
{
    rows_.append({Kind::JobType, {jobTypeCode}});
    return *this;
}

NamedRows &NamedRows::associate(const QString &associateID)
{
    rows_.append({Kind::Associate, {associateID}});
    return *this;
}

NamedRows &NamedRows::authorityLevel(int levelNumber)
{
    rows_.append({Kind::AuthorityLevel, {levelNumber}});
    return *this;
}

NamedRows &NamedRows::customerJob(qint64 jobSeqNo)
{
    rows_.append({Kind::CustomerJob, {jobSeqNo}});
    return *this;
}

NamedRows &NamedRows::schedule(qint64 scheduleNumber)
{
    rows_.append({Kind::Schedule, {scheduleNumber}});
    return *this;
}

QString NamedRows::firstGone(QSqlDatabase db) const
{
    for (const Row &r : rows_)
        if (!scalarSql(existsSql(r.kind), r.key, db).isValid())
            return goneMessage(r.kind);
    return {};
}

void NamedRows::confirm(QSqlDatabase db) const
{
    const QString message = firstGone(db);
    if (!message.isEmpty())
        throw WvsError(ErrorNumber::Recoverable, message);
}

QString NamedRows::goneMessage(Kind kind)
{
    return QStringLiteral("The ") + kindName(kind)
           + QStringLiteral(" no longer exists - it may have been changed or deleted by another user");
}

void NamedRows::gone(Kind kind)
{
    throw WvsError(ErrorNumber::Recoverable, goneMessage(kind));
}

} // namespace wvs
