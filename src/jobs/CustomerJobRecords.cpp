#include "jobs/CustomerJobRecords.h"
#include "common/NamedRows.h"
#include "data/AppDatabase.h"
#include "platform/WvsError.h"

namespace wvs::CustomerJobRecords {

QString displayName(const QString &surname, const QString &forename)
{
    if (!surname.isEmpty() && !forename.isEmpty())
        return surname + QStringLiteral(", ") + forename;
    return surname.isEmpty() ? forename : surname;
}

std::optional<CustomerJob> loadForDialog(qint64 jobSeqNo, qint64 sAddressSeqNo)
{
    QSqlQuery q = execSql(
        QStringLiteral(
            "SELECT CustomerJobs.JobSeqNo, CustomerJobs.CustomerNumber, CustomerJobs.SAddressSeqNo, "
            "CustomerJobs.JobTypeCode, CustomerJobs.AssociateID, CustomerJobs.StartDate, CustomerJobs.StartDay, "
            "CustomerJobs.EndDate, CustomerJobs.Occurrences, CustomerJobs.Frequency, CustomerJobs.Cost, "
            "CustomerJobs.LastServiceDate, CustomerJobs.CustomerJobComment, CustomerJobs.CommentOnSchedule, "
            "CustomerJobs.AsRequired, CustomerJobs.Suspended, CustomerJobs.Prospective, "
            "JobTypes.JobTypeDescription, Customers.Surname, Customers.Forename, "
            "CustomerServiceAddresses.SSuburb, CustomerServiceAddresses.SAddress1 "
            "FROM CustomerJobs, JobTypes, Customers, CustomerServiceAddresses "
            "WHERE CustomerJobs.CustomerNumber = Customers.CustomerNumber AND "
            "CustomerJobs.JobTypeCode = JobTypes.JobTypeCode AND "
            "CustomerJobs.CustomerNumber = CustomerServiceAddresses.CustomerNumber AND "
            "CustomerJobs.JobSeqNo = ? AND "
            "CustomerServiceAddresses.SAddressSeqNo = CustomerJobs.SAddressSeqNo AND "
            "CustomerJobs.SAddressSeqNo = ?"),
        {jobSeqNo, sAddressSeqNo});
    if (!q.next())
        return std::nullopt;
    CustomerJob j;
    j.jobSeqNo = q.value(0).toLongLong();
    j.customerNumber = q.value(1).toLongLong();
    j.sAddressSeqNo = q.value(2).toLongLong();
    j.jobTypeCode = q.value(3).toString();
    j.associateID = q.value(4).toString();
    j.startDate = q.value(5).toString();
    j.startDay = q.value(6).toString();
    j.endDate = q.value(7).toString();
    j.occurrences = q.value(8).toInt();
    j.frequency = q.value(9).toInt();
    j.cost = Money::fromVariant(q.value(10));
    j.lastServiceDate = q.value(11).toString();
    j.comment = q.value(12).toString();
    j.commentOnSchedule = q.value(13).toInt() != 0;
    j.asRequired = q.value(14).toInt() != 0;
    j.suspended = q.value(15).toInt() != 0;
    j.prospective = q.value(16).toInt() != 0;
    j.jobTypeDescription = q.value(17).toString();
    j.surname = q.value(18).toString();
    j.forename = q.value(19).toString();
    j.sSuburb = q.value(20).toString();
    j.sAddress1 = q.value(21).toString();
    return j;
}

QList<KeyedItem> customerChoices(qint64 customerNumber)
{
    QSqlQuery q = customerNumber != 0
                      ? execSql(QStringLiteral("SELECT CustomerNumber, Surname, Forename FROM Customers "
                                               "WHERE CustomerNumber = ?"),
                                {customerNumber})
                      : execSql(QStringLiteral("SELECT CustomerNumber, Surname, Forename FROM Customers "
                                               "ORDER BY Surname"));
    QList<KeyedItem> out;
    while (q.next())
        out.append({q.value(0).toString(), displayName(q.value(1).toString(), q.value(2).toString())});
    return out;
}

QStringList serviceSuburbs(qint64 customerNumber)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT DISTINCT SSuburb FROM CustomerServiceAddresses WHERE CustomerNumber = ?"),
                          {customerNumber});
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QList<KeyedItem> serviceAddresses(qint64 customerNumber, const QString &suburb)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT SAddress1, SAddress2, SAddress3, SAddressSeqNo FROM "
                                         "CustomerServiceAddresses WHERE CustomerNumber = ? AND SSuburb = ?"),
                          {customerNumber, suburb});
    QList<KeyedItem> out;
    while (q.next()) {
        QString text;
        const QString a1 = q.value(0).toString();
        if (!a1.isEmpty()) {
            text = a1;
            for (int i = 1; i <= 2; ++i) {
                const QString more = q.value(i).toString();
                if (!more.isEmpty())
                    text += QStringLiteral(", ") + more;
            }
        }
        out.append({q.value(3).toString(), text});
    }
    return out;
}

QList<KeyedItem> jobTypes()
{
    QSqlQuery q = execSql(QStringLiteral("SELECT JobTypeCode, JobTypeDescription FROM JobTypes"));
    QList<KeyedItem> out;
    while (q.next())
        out.append({q.value(0).toString(), q.value(1).toString()});
    return out;
}

QList<KeyedItem> associates(bool activeOnly)
{
    QSqlQuery q = execSql(activeOnly ? QStringLiteral("SELECT AssociateID, AssociateName FROM Associates WHERE Active <> 0")
                                     : QStringLiteral("SELECT AssociateID, AssociateName FROM Associates"));
    QList<KeyedItem> out;
    while (q.next())
        out.append({q.value(0).toString(), q.value(1).toString()});
    return out;
}

QString deleteRefusal(qint64 jobSeqNo)
{
    if (scalarSql(QStringLiteral("SELECT COUNT(*) FROM ScheduleJobs WHERE JobSeqNo = ?"), {jobSeqNo}).toInt() > 0)
        return QStringLiteral("This Customer Job appears on one or more Schedules and therefore cannot be deleted");
    return QString();
}

void remove(qint64 jobSeqNo)
{
    // A schedule closed on another workstation since the question was asked
    // still keeps the job.
    Transaction t;
    const QString refusal = deleteRefusal(jobSeqNo);
    if (!refusal.isEmpty())
        throw WvsError(ErrorNumber::Recoverable, refusal);
    // Deleted at another workstation since the list was filled: the user is
    // told, not shown "deleted" for a job he did not delete.
    if (writeSql(QStringLiteral("DELETE FROM CustomerJobs WHERE JobSeqNo = ?"), {jobSeqNo}) == 0)
        NamedRows::gone(NamedRows::Kind::CustomerJob);
    t.commit();
}

} // namespace wvs::CustomerJobRecords
