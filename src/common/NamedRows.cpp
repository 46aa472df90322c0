#include "common/NamedRows.h"

#include "platform/WvsError.h"

namespace wvs {

namespace {

// Each kind's name in the message and the query that finds its row, the key
// bound in order; in the order of NamedRows::Kind.
struct KindRow {
    const char *name;
    const char *existsSql;
};

const KindRow kinds[] = {
    {"Customer", "SELECT 1 FROM Customers WHERE CustomerNumber = ?"},
    {"Service Address", "SELECT 1 FROM CustomerServiceAddresses WHERE CustomerNumber = ? AND SAddressSeqNo = ?"},
    {"Job Type", "SELECT 1 FROM JobTypes WHERE JobTypeCode = ?"},
    {"Associate", "SELECT 1 FROM Associates WHERE AssociateID = ?"},
    {"Authority Level", "SELECT 1 FROM AuthorityLevels WHERE LevelNumber = ?"},
    {"Customer Job", "SELECT 1 FROM CustomerJobs WHERE JobSeqNo = ?"},
    {"Schedule", "SELECT 1 FROM Schedules WHERE ScheduleNumber = ?"},
};

const KindRow &of(NamedRows::Kind kind) { return kinds[static_cast<int>(kind)]; }

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
        if (!scalarSql(QString::fromLatin1(of(r.kind).existsSql), r.key, db).isValid())
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
    return QStringLiteral("The ") + QString::fromLatin1(of(kind).name)
           + QStringLiteral(" no longer exists - it may have been changed or deleted by another user");
}

void NamedRows::gone(Kind kind)
{
    throw WvsError(ErrorNumber::Recoverable, goneMessage(kind));
}

} // namespace wvs
