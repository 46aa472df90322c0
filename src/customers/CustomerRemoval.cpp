#include "customers/CustomerRemoval.h"
#include "common/Formats.h"
#include "common/NamedRows.h"
#include "data/AppDatabase.h"

#include <QDate>

namespace wvs {

int CustomerRemoval::scheduledJobCount(qint64 customerNumber)
{
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM ScheduleJobs, CustomerJobs "
                                    "WHERE ScheduleJobs.JobSeqNo = CustomerJobs.JobSeqNo "
                                    "AND CustomerJobs.CustomerNumber = ?"),
                     {customerNumber})
        .toInt();
}

int CustomerRemoval::scheduledJobsBeforeToday(qint64 customerNumber)
{
    return scalarSql(QStringLiteral("SELECT COUNT(*) FROM ScheduleJobs, CustomerJobs "
                                    "WHERE CustomerJobs.JobSeqNo = ScheduleJobs.JobSeqNo "
                                    "AND ScheduleJobs.ScheduleServiceDate <> '' "
                                    "AND ScheduleJobs.ScheduleServiceDate < ? "
                                    "AND CustomerJobs.CustomerNumber = ?"),
                     {Formats::toStoredDate(QDate::currentDate()), customerNumber})
        .toInt();
}

void CustomerRemoval::makeInactive(qint64 customerNumber)
{
    // A customer deleted at another workstation since the list was filled
    // is told, not reported as made inactive.
    if (writeSql(QStringLiteral("UPDATE Customers SET CustomerStatus = 9 WHERE CustomerNumber = ?"), {customerNumber})
        == 0)
        NamedRows::gone(NamedRows::Kind::Customer);
}

CustomerRemoval::DeleteResult CustomerRemoval::deletePermanently(qint64 customerNumber)
{
    Transaction t;
    NamedRows().customer(customerNumber).confirm();
    // Another workstation may have closed a schedule with one of his jobs
    // since the user was asked.
    if (scheduledJobCount(customerNumber) > 0)
        return DeleteResult::Scheduled;
    const QVariantList n{customerNumber};
    writeSql(QStringLiteral("DELETE FROM CustomerJobs WHERE CustomerNumber = ?"), n);
    writeSql(QStringLiteral("DELETE FROM CustomerServiceAddresses WHERE CustomerNumber = ?"), n);
    writeSql(QStringLiteral("DELETE FROM CustomerNotes WHERE CustomerNumber = ?"), n);
    writeSql(QStringLiteral("DELETE FROM Customers WHERE CustomerNumber = ?"), n);
    t.commit();
    return DeleteResult::Deleted;
}

QString CustomerRemoval::inactivateQuestion(const QString &name)
{
    return QStringLiteral("Customer ") + name + QStringLiteral(" has had jobs scheduled therefore he/she cannot be deleted but ")
        + QStringLiteral("his/her status will be set to Inactive instead. Do you wish to continue?");
}

QString CustomerRemoval::deleteQuestion(const QString &name)
{
    return QStringLiteral("Are you sure you wish to PERMANENTLY delete Customer ") + name
        + QStringLiteral(" and any Customer Job records?");
}

} // namespace wvs
