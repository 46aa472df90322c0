#include "portal/PortalUploadFiles.h"

#include "common/Formats.h"
#include "common/Money.h"
#include "common/Windows1252.h"
#include "platform/TypingLimit.h"
#include "data/AppDatabase.h"

namespace wvs::PortalUploadFiles {

namespace {

// "2012/03/05"; empty for a date that is not stored.
QString portalDate(const QString &stored)
{
    const QDate d = Formats::fromStoredDate(stored);
    return d.isValid() ? d.toString(QStringLiteral("yyyy/MM/dd")) : QString();
}

// "Mon 5 Mar 2012": how the portal shows the schedule's period.
QString periodDate(const QString &stored)
{
    const QDate d = Formats::fromStoredDate(stored);
    if (!d.isValid())
        return QString();
    return QStringLiteral("%1 %2 %3 %4")
        .arg(Formats::weekdayName(d).left(3))
        .arg(d.day())
        .arg(Formats::shortMonthName(d.month()))
        .arg(d.year());
}

} // namespace

QString fieldValue(const QString &value)
{
    // The rule of every box: a line break of any kind (CR LF counting once)
    // ends a line and the other control characters go; a tab stays. Each
    // line end is then a blank, as is "|", the files' separator.
    QString v = TypingLimit::asLines(value);
    for (QChar &c : v)
        if (c == QLatin1Char('\n') || c == QLatin1Char('|'))
            c = QLatin1Char(' ');
    return v;
}

QString line(const QStringList &fields)
{
    QStringList clean;
    clean.reserve(fields.size());
    for (const QString &f : fields)
        clean << fieldValue(f);
    return clean.join(QLatin1Char('|')) + QLatin1String("\r\n");
}

QString flagNumber(bool on) { return on ? QStringLiteral(" 1 ") : QStringLiteral(" 0 "); }

QByteArray fileBytes(const QStringList &lines) { return Windows1252::encode(lines.join(QString())); }

QString remoteName(const QString &stem, const QString &companyId, const QString &serial)
{
    QString name = stem + QLatin1Char('_') + companyId;
    if (!serial.isNull())
        name += QLatin1Char('_') + serial;
    return name + QLatin1String(".txt");
}

QString companyLine(const QString &companyId, const QString &serial, const QString &name, const QString &country)
{
    return line({companyId, serial, name, country});
}

QStringList scheduleLines(qint64 scheduleNumber, const QString &companyId, const QString &serial,
                          const QString &country, bool showCosts, bool showPhones)
{
    QSqlQuery q = execSql(QStringLiteral(
        "SELECT s.FromDate, s.ToDate, s.ScheduleNumber, sj.ScheduleServiceDate, cj.AssociateID, sj.JobSeqNo, "
        "sj.ScheduleSeqNo, sj.ActualServiceDate, sj.AssociateID, c.Surname, c.Forename, a.SAddress1, a.SSuburb, "
        "c.Phone1, c.CustomerComment, cj.CustomerJobComment, cj.Cost, jt.JobTypeDescription, "
        // The occurrence's first portal note.
        "(SELECT n.NoteDetail FROM ScheduleJobNotes n WHERE n.ScheduleNumber = sj.ScheduleNumber "
        "AND n.JobSeqNo = sj.JobSeqNo AND n.ScheduleServiceDate = sj.ScheduleServiceDate "
        "AND n.NoteAuthor = 'Portal' ORDER BY n.rowid LIMIT 1) "
        "FROM Schedules s "
        "JOIN ScheduleJobs sj ON sj.ScheduleNumber = s.ScheduleNumber "
        "JOIN CustomerJobs cj ON cj.JobSeqNo = sj.JobSeqNo "
        "JOIN Customers c ON c.CustomerNumber = cj.CustomerNumber "
        "JOIN CustomerServiceAddresses a ON a.CustomerNumber = cj.CustomerNumber AND a.SAddressSeqNo = cj.SAddressSeqNo "
        "JOIN JobTypes jt ON jt.JobTypeCode = cj.JobTypeCode "
        "JOIN Associates x ON x.AssociateID = cj.AssociateID "
        "WHERE sj.ScheduleNumber = ? "
        "ORDER BY sj.AssociateID, sj.ScheduleServiceDate, sj.ScheduleSeqNo"),
                          {scheduleNumber});
    QStringList lines;
    while (q.next()) {
        const QString serviceDate = q.value(3).toString();
        const qint64 jobSeqNo = q.value(5).toLongLong();
        const QString actual = q.value(7).toString();
        const bool done = !actual.isEmpty();

        QString comments = q.value(14).toString();
        const QString jobComment = q.value(15).toString();
        if (!jobComment.isEmpty())
            comments += (comments.isEmpty() ? QString() : QStringLiteral(" ")) + jobComment;

        lines << line({q.value(6).toString(),
                       q.value(4).toString(),
                       portalDate(serviceDate),
                       q.value(10).toString() + QLatin1Char(' ') + q.value(9).toString(),
                       q.value(11).toString(),
                       q.value(12).toString(),
                       q.value(13).toString(),
                       q.value(17).toString(),
                       Money::fromVariant(q.value(16)).display(country),
                       comments,
                       done ? QStringLiteral("1") : QStringLiteral("0"),
                       done ? portalDate(actual) : QString(),
                       done ? q.value(8).toString() : QString(),
                       q.value(18).toString(),
                       QString::number(jobSeqNo),
                       QString::number(q.value(2).toLongLong()),
                       companyId,
                       serial,
                       periodDate(q.value(0).toString()),
                       periodDate(q.value(1).toString()),
                       showCosts ? QStringLiteral("1") : QStringLiteral("0"),
                       flagNumber(showPhones)});
    }
    return lines;
}

QStringList usersLines(const QString &companyId, const QString &serial, QStringList *leftOut)
{
    QSqlQuery q = execSql(QStringLiteral(
        "SELECT a.AssociateID, a.AssociateName, a.AssociatePassword, a.PortalAccess, aa.CustomerJobs "
        "FROM Associates a JOIN AuthorityAccess aa ON aa.AuthorityLevelNumber = a.AssociateAuthorityLevel "
        "WHERE a.PortalAccess <> '' AND a.Active = 1 ORDER BY a.rowid"));
    QStringList lines;
    while (q.next()) {
        const QString password = q.value(2).toString();
        if (Windows1252::asWritten(fieldValue(password)) != password) {
            if (leftOut)
                *leftOut << QStringLiteral("%1 (%2)").arg(q.value(1).toString(), q.value(0).toString());
            continue;
        }
        // Full customer-job rights (view, notes and changes) let the
        // associate enter customer jobs on the portal.
        lines << line({companyId, serial, q.value(0).toString(), q.value(1).toString(), password,
                       q.value(3).toString(), flagNumber(q.value(4).toInt() > 6)});
    }
    return lines;
}

QStringList jobTypesLines(const QString &companyId)
{
    QSqlQuery q = execSql(QStringLiteral("SELECT JobTypeCode, JobTypeDescription FROM JobTypes ORDER BY rowid"));
    QStringList lines;
    while (q.next())
        lines << line({companyId, q.value(0).toString(), q.value(1).toString()});
    return lines;
}

} // namespace wvs::PortalUploadFiles
