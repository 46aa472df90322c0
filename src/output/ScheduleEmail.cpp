#include "output/ScheduleEmail.h"
#include "common/Formats.h"
#include "common/Money.h"
#include "core/Session.h"
#include "data/AppDatabase.h"
#include "jobs/CustomerJobRecords.h"
#include "output/EmailDelivery.h"
#include "platform/MessageBox.h"

#include <QDate>
#include <QStringList>

namespace wvs {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString serviceAddress(const ScheduleEmailJob &j)
{
    QString a = j.sAddress1;
    for (const QString *part : {&j.sAddress2, &j.sAddress3, &j.sSuburb})
        if (!part->isEmpty())
            a += QStringLiteral(", ") + *part;
    return a;
}

QString comments(const ScheduleEmailJob &j)
{
    QString c;
    if (j.customerCommentOnSchedule)
        c = j.customerComment;
    if (j.jobCommentOnSchedule) {
        if (!c.isEmpty())
            c += kCrLf;
        c += j.jobComment;
    }
    return c;
}

// The messages of one run, one per associate, in the order of the jobs.
struct AssociateMessage {
    QString name;
    QString email;
    QString body;
};

QList<AssociateMessage> compose(const QList<ScheduleEmailJob> &jobs, const QString &message, bool showPhone,
                                bool showCost, const QString &country)
{
    QList<AssociateMessage> out;
    QString current;
    for (const ScheduleEmailJob &j : jobs) {
        if (out.isEmpty() || j.associateID.compare(current, Qt::CaseInsensitive) != 0) {
            current = j.associateID;
            out.append({j.associateName, j.associateEmail.trimmed(), ScheduleEmail::bodyStart(message)});
        }
        out.last().body += ScheduleEmail::jobBlock(j, showPhone, showCost, country);
    }
    return out;
}

} // namespace

namespace ScheduleEmail {

QList<ScheduleEmailJob> readJobs(qint64 scheduleNumber, const QString &associateID)
{
    // An occurrence that lost its associate (a retrieval from the portal
    // clears it while the job is not done) goes to the job's own associate.
    const QString who = QStringLiteral("(CASE WHEN ScheduleJobs.AssociateID = '' THEN CustomerJobs.AssociateID "
                                       "ELSE ScheduleJobs.AssociateID END)");
    QString sql = QStringLiteral(
        "SELECT ScheduleJobs.ScheduleServiceDate, %1, Customers.Surname, Customers.Forename, "
        "CustomerServiceAddresses.SAddress1, CustomerServiceAddresses.SAddress2, "
        "CustomerServiceAddresses.SAddress3, CustomerServiceAddresses.SSuburb, Customers.Phone1, "
        "Customers.CustomerComment, Customers.CommentOnSchedule, Associates.AssociateName, "
        "Associates.AssociateEmail, CustomerJobs.CustomerJobComment, CustomerJobs.Cost, "
        "CustomerJobs.CommentOnSchedule, JobTypes.JobTypeDescription "
        "FROM Schedules, ScheduleJobs, Customers, Associates, CustomerJobs, JobTypes, CustomerServiceAddresses "
        "WHERE Schedules.ScheduleNumber = ScheduleJobs.ScheduleNumber "
        "AND ScheduleJobs.JobSeqNo = CustomerJobs.JobSeqNo "
        "AND Customers.CustomerNumber = CustomerJobs.CustomerNumber "
        "AND CustomerServiceAddresses.CustomerNumber = CustomerJobs.CustomerNumber "
        "AND CustomerServiceAddresses.SAddressSeqNo = CustomerJobs.SAddressSeqNo "
        "AND JobTypes.JobTypeCode = CustomerJobs.JobTypeCode "
        "AND Associates.AssociateID = %1 "
        "AND ScheduleJobs.ScheduleNumber = ?").arg(who);
    QVariantList values{scheduleNumber};
    if (!associateID.isEmpty()) {
        sql += QStringLiteral(" AND %1 = ? COLLATE NOCASE").arg(who);
        values << associateID;
    }
    sql += QStringLiteral(" ORDER BY %1 COLLATE NOCASE, ScheduleJobs.ScheduleServiceDate, ScheduleJobs.ScheduleSeqNo")
               .arg(who);

    QList<ScheduleEmailJob> out;
    QSqlQuery q = execSql(sql, values);
    while (q.next()) {
        ScheduleEmailJob j;
        j.serviceDate = q.value(0).toString();
        j.associateID = q.value(1).toString();
        j.surname = q.value(2).toString();
        j.forename = q.value(3).toString();
        j.sAddress1 = q.value(4).toString();
        j.sAddress2 = q.value(5).toString();
        j.sAddress3 = q.value(6).toString();
        j.sSuburb = q.value(7).toString();
        j.phone1 = q.value(8).toString();
        j.customerComment = q.value(9).toString();
        j.customerCommentOnSchedule = q.value(10).toInt() != 0;
        j.associateName = q.value(11).toString();
        j.associateEmail = q.value(12).toString();
        j.jobComment = q.value(13).toString();
        j.costCents = q.value(14).toLongLong();
        j.jobCommentOnSchedule = q.value(15).toInt() != 0;
        j.jobTypeDescription = q.value(16).toString();
        out.append(j);
    }
    return out;
}

QString subject(const QString &fromDate, const QString &toDate, const QString &associateName)
{
    return QStringLiteral("Job Schedule From ") + Formats::storedAsShortDate(fromDate) + QStringLiteral(" To ") +
           Formats::storedAsShortDate(toDate) + QStringLiteral(" - ") + associateName;
}

QString jobBlock(const ScheduleEmailJob &job, bool showPhone, bool showCost, const QString &country)
{
    const QDate date = Formats::fromStoredDate(job.serviceDate);
    QStringList lines;
    lines << QStringLiteral("Date: ") + (date.isValid() ? Formats::weekdayName(date) : QString()) +
                 QLatin1Char(' ') + Formats::storedAsShortDate(job.serviceDate);
    lines << QStringLiteral("Customer: ") + CustomerJobRecords::displayName(job.surname, job.forename);
    lines << QStringLiteral("Address: ") + serviceAddress(job);
    if (showPhone)
        lines << QStringLiteral("Phone: ") + job.phone1;
    lines << QStringLiteral("Job: ") + job.jobTypeDescription;
    if (showCost)
        lines << QStringLiteral("Cost: ") + Money::fromCents(job.costCents).display(country);
    lines << QStringLiteral("Comments: ") + comments(job);
    lines << QString(66, QLatin1Char('-'));
    return lines.join(kCrLf) + kCrLf;
}

QString bodyStart(const QString &message)
{
    return message.isEmpty() ? QString() : message + kCrLf + kCrLf;
}

QString storedMessage() { return EmailDelivery::storedMessage("EmailMessageScheduleJobs"); }

void storeMessage(const QString &message) { EmailDelivery::storeMessage("EmailMessageScheduleJobs", message); }

bool run(qint64 scheduleNumber, const QString &associateID, const QString &message, bool toRecordAddress)
{
    PreferenceValues prefs;
    const std::optional<EmailSettings> settings = EmailDelivery::ReadEmailSettings(&prefs);
    if (!settings)
        return false;
    const QList<ScheduleEmailJob> jobs = readJobs(scheduleNumber, associateID);
    if (jobs.isEmpty()) {
        msgBox(QStringLiteral("Cannot find Schedule Jobs - this is a database error!"), MsgButtons::Ok,
               MsgIcon::Critical);
        return false;
    }
    QString fromDate, toDate;
    {
        QSqlQuery q = execSql(QStringLiteral("SELECT FromDate, ToDate FROM Schedules WHERE ScheduleNumber = ?"),
                              {scheduleNumber});
        if (q.next()) {
            fromDate = q.value(0).toString();
            toDate = q.value(1).toString();
        }
    }
    storeMessage(message);

    const QList<AssociateMessage> messages = compose(jobs, message, prefs.showPhoneOnSchedEmail,
                                                     prefs.showCostOnSchedEmail, session().installationCountry);
    const EmailDelivery delivery(*settings);

    if (!settings->desktop()) {
        // Each associate's message is sent and reported on its own; one that
        // fails does not hold back the others.
        for (const AssociateMessage &a : messages) {
            if (a.email.isEmpty()) {
                msgBox(QStringLiteral("No email address is held for ") + a.name + QStringLiteral("."));
                continue;
            }
            MailMessage m = delivery.newMessage(QStringLiteral("Admin"), a.email, subject(fromDate, toDate, a.name));
            delivery.setBody(m, a.body);
            delivery.SendSmtpMessage(m, a.email);
        }
        return true;
    }

    // The mail program only opens drafts: the user sends them from there.
    if (!delivery.ConnectOutlook())
        return false;
    int created = 0;
    for (const AssociateMessage &a : messages) {
        if (toRecordAddress && a.email.isEmpty())
            msgBox(QStringLiteral("No email address is held for ") + a.name +
                   QStringLiteral(".\r\nThis will need to be entered manually on the email"));
        MailMessage m = delivery.newMessage(QString(), toRecordAddress ? a.email : QString(),
                                            subject(fromDate, toDate, a.name));
        delivery.setBody(m, a.body);
        const SendResult r = delivery.SaveDraft(m);
        if (r.ok)
            ++created;
        else
            msgBox(QStringLiteral("The email for %1 was not created - error %2 %3")
                       .arg(a.name, QString::number(r.error), r.description),
                   MsgButtons::Ok, MsgIcon::Exclamation);
    }
    if (created == messages.size())
        msgBox(QStringLiteral("Email(s) created and saved"));
    else
        msgBox(QStringLiteral("%1 of %2 emails created and saved").arg(created).arg(messages.size()),
               MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
}

} // namespace ScheduleEmail
} // namespace wvs
