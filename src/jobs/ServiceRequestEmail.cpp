#include "jobs/ServiceRequestEmail.h"
#include "common/Formats.h"
#include "common/Money.h"
#include "data/AppDatabase.h"
#include "jobs/RecurrenceCode.h"
#include "output/EmailDelivery.h"

#include <QDate>
#include <QStringList>

namespace wvs {

namespace {

QString ordinal(qint64 n)
{
    static const char *const names[] = {"1st", "2nd", "3rd", "4th", "last"};
    return n >= 1 && n <= 5 ? QString::fromLatin1(names[n - 1]) : QString();
}

QString weekday(qint64 w) { return w >= 1 && w <= 7 ? Formats::weekdayName(int(w)) : QString(); }

QString month(qint64 m) { return m >= 1 && m <= 12 ? Formats::monthName(int(m)) : QString(); }
} // namespace

QString DetermineFrequency(qint64 f)
{
    if (f < 1 || f >= 200000)
        return QString();
    const RecurrenceRule r = decodeRule(int(f));
    switch (r.kind) {
    case RecurrenceKind::None:
        return QString();
    case RecurrenceKind::EveryNDays:
        return QStringLiteral("Every %1 days").arg(r.days);
    case RecurrenceKind::EveryWeekday:
        return QStringLiteral("Every weekday");
    case RecurrenceKind::Weekly: {
        QStringList days;
        for (int d = 1; d <= 7; ++d)
            if (maskHasWeekday(r.weekdayMask, d))
                days << Formats::weekdayName(d);
        return QStringLiteral("Every %1 week(s) on %2").arg(r.weeks).arg(days.join(QStringLiteral(", ")));
    }
    case RecurrenceKind::MonthlyDay:
        return QStringLiteral("Day %1 of every %2 month(s)").arg(r.dayOfMonth).arg(r.months);
    case RecurrenceKind::MonthlyLastDay:
        return QStringLiteral("The last day of every %1 month(s)").arg(r.months);
    case RecurrenceKind::MonthlyNthWeekday: {
        const QString n = ordinal(r.nth);
        const QString w = weekday(r.weekday);
        if (n.isEmpty() || w.isEmpty())
            return QString();
        return QStringLiteral("The %1 %2 of every %3 month(s)").arg(n, w).arg(r.months);
    }
    case RecurrenceKind::YearlyDate: {
        const QString m = month(r.month);
        if (m.isEmpty())
            return QString();
        return QStringLiteral("Every %1 %2").arg(m).arg(r.dayOfMonth);
    }
    case RecurrenceKind::YearlyNthWeekday: {
        const QString n = ordinal(r.nth);
        const QString w = weekday(r.weekday);
        const QString m = month(r.month);
        if (n.isEmpty() || w.isEmpty() || m.isEmpty())
            return QString();
        return QStringLiteral("The %1 %2 of %3").arg(n, w, m);
    }
    }
    return QString();
}

namespace ServiceRequest {

std::optional<ServiceRequestJob> readJob(qint64 jobSeqNo)
{
    QSqlQuery q = execSql(
        QStringLiteral("SELECT Customers.Surname, Customers.Forename, CustomerServiceAddresses.SAddress1, "
                       "CustomerServiceAddresses.SAddress2, CustomerServiceAddresses.SAddress3, "
                       "CustomerServiceAddresses.SSuburb, Customers.Email1, Customers.Email2, "
                       "JobTypes.JobTypeDescription, CustomerJobs.Frequency, CustomerJobs.AsRequired, "
                       "CustomerJobs.Occurrences, CustomerJobs.EndDate, CustomerJobs.StartDate, CustomerJobs.Cost "
                       "FROM Customers, CustomerJobs, JobTypes, CustomerServiceAddresses "
                       "WHERE Customers.CustomerNumber = CustomerJobs.CustomerNumber "
                       "AND CustomerServiceAddresses.CustomerNumber = CustomerJobs.CustomerNumber "
                       "AND CustomerServiceAddresses.SAddressSeqNo = CustomerJobs.SAddressSeqNo "
                       "AND JobTypes.JobTypeCode = CustomerJobs.JobTypeCode "
                       "AND CustomerJobs.JobSeqNo = ?"),
        {jobSeqNo});
    if (!q.next())
        return std::nullopt;
    // A value that is not there at all reads as the empty text or 0.
    ServiceRequestJob j;
    j.surname = q.value(0).toString();
    j.forename = q.value(1).toString();
    j.sAddress1 = q.value(2).toString();
    j.sAddress2 = q.value(3).toString();
    j.sAddress3 = q.value(4).toString();
    j.sSuburb = q.value(5).toString();
    j.email1 = q.value(6).toString().trimmed();
    j.email2 = q.value(7).toString().trimmed();
    j.jobTypeDescription = q.value(8).toString();
    j.frequency = q.value(9).toLongLong();
    j.asRequired = q.value(10).toInt() != 0;
    j.occurrences = q.value(11).toInt();
    j.endDate = q.value(12).toString();
    j.startDate = q.value(13).toString();
    j.costCents = q.value(14).toLongLong();
    return j;
}

QString customerName(const ServiceRequestJob &job)
{
    if (!job.forename.isEmpty() && !job.surname.isEmpty())
        return job.forename + QLatin1Char(' ') + job.surname;
    if (job.forename.isEmpty())
        return job.surname;
    return job.forename;
}

QString subject(const ServiceRequestJob &job) { return QStringLiteral("Service Requested - ") + customerName(job); }

QString body(const ServiceRequestJob &job, const QString &message, const QString &country)
{
    QString words;
    if (job.frequency > 0)
        words = DetermineFrequency(job.frequency);
    if (job.asRequired)
        words += QStringLiteral(" - as required");

    QString end;
    if (job.occurrences > 0)
        end = QStringLiteral("After %1 occurrence(s)").arg(job.occurrences);
    else if (!job.endDate.isEmpty())
        end = Formats::storedAsShortDate(job.endDate);
    else
        end = QStringLiteral("None");

    QString address = job.sAddress1;
    for (const QString *part : {&job.sAddress2, &job.sAddress3, &job.sSuburb})
        if (!part->isEmpty())
            address += QStringLiteral(", ") + *part;

    const QDate start = Formats::fromStoredDate(job.startDate);
    QStringList lines;
    lines << QStringLiteral("Service Details: ") + job.jobTypeDescription;
    lines << QStringLiteral("Start: ") + (start.isValid() ? Formats::weekdayName(start) : QString()) +
                 QLatin1Char(' ') + Formats::storedAsShortDate(job.startDate);
    if (!words.isEmpty())
        lines << QStringLiteral("Frequency: ") + words;
    lines << QStringLiteral("End: ") + end;
    lines << QStringLiteral("Service Address: ") + address;
    lines << QStringLiteral("Cost: ") + Money::fromCents(job.costCents).display(country);

    const QString details = lines.join(QStringLiteral("\r\n"));
    return message.isEmpty() ? details : message + QStringLiteral("\r\n\r\n") + details;
}

QString recordAddress(const ServiceRequestJob &job)
{
    if (!job.email1.isEmpty())
        return job.email1;
    return job.email2;
}

QString storedMessage() { return EmailDelivery::storedMessage("EmailMessageCustomerJobs"); }

void storeMessage(const QString &message) { EmailDelivery::storeMessage("EmailMessageCustomerJobs", message); }

} // namespace ServiceRequest
} // namespace wvs
