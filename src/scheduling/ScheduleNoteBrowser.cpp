#include "scheduling/ScheduleNoteBrowser.h"
#include "common/Formats.h"
#include "common/NamedRows.h"
#include "data/AppDatabase.h"

#include <QSqlQuery>

namespace wvs {

bool ScheduleNoteBrowser::hasNotes(qint64 scheduleNumber)
{
    return scalarSql(QStringLiteral("SELECT EXISTS (SELECT 1 FROM ScheduleJobNotes WHERE ScheduleNumber = ?)"),
                     {scheduleNumber})
               .toInt() != 0;
}

QList<ScheduleNoteBrowser::Note> ScheduleNoteBrowser::find(qint64 scheduleNumber, const Filter &f)
{
    QString sql = QStringLiteral(
        "SELECT n.NoteDateTime, n.NoteDetail, n.NoteAuthor, n.NoteType, n.ActionTaken, n.JobSeqNo, "
        "n.ScheduleServiceDate, c.Surname, c.Forename "
        "FROM ScheduleJobNotes n "
        "JOIN ScheduleJobs sj ON sj.ScheduleNumber = n.ScheduleNumber AND sj.JobSeqNo = n.JobSeqNo "
        "AND sj.ScheduleServiceDate = n.ScheduleServiceDate "
        "JOIN CustomerJobs cj ON cj.JobSeqNo = n.JobSeqNo "
        "JOIN Customers c ON c.CustomerNumber = cj.CustomerNumber "
        "WHERE n.ScheduleNumber = ?");
    QVariantList params{scheduleNumber};
    if (f.customerNumber > 0) {
        sql += QStringLiteral(" AND cj.CustomerNumber = ?");
        params << f.customerNumber;
    }
    if (!f.associateID.isEmpty()) {
        sql += QStringLiteral(" AND cj.AssociateID = ?");
        params << f.associateID;
    }
    if (!f.noteType.isEmpty() && f.noteType != QLatin1String("<All>")) {
        sql += QStringLiteral(" AND n.NoteType = ?");
        params << f.noteType;
    }
    if (f.jobSeqNo > 0) {
        sql += QStringLiteral(" AND n.JobSeqNo = ?");
        params << f.jobSeqNo;
    }
    sql += QStringLiteral(" ORDER BY n.NoteDateTime DESC, c.Surname ASC");
    QList<Note> out;
    QSqlQuery q = execSql(sql, params);
    while (q.next()) {
        Note n;
        n.noteDateTime = q.value(0).toString();
        n.detail = q.value(1).toString();
        n.author = q.value(2).toString();
        n.type = q.value(3).toString();
        n.actionTaken = q.value(4).toInt() != 0;
        n.jobSeqNo = q.value(5).toLongLong();
        n.serviceDate = q.value(6).toString();
        n.line = q.value(7).toString() + QStringLiteral(", ") + q.value(8).toString() + QLatin1Char(' ') +
                 Formats::toShortDate(Formats::fromStoredDateTime(n.noteDateTime).date());
        out << n;
    }
    return out;
}

bool ScheduleNoteBrowser::setActionTaken(qint64 scheduleNumber, const Note &note, bool taken)
{
    Transaction t;
    NamedRows().schedule(scheduleNumber).customerJob(note.jobSeqNo).confirm();
    if (writeSql(QStringLiteral("UPDATE ScheduleJobNotes SET ActionTaken = ? WHERE ScheduleNumber = ? AND JobSeqNo = ? "
                                "AND ScheduleServiceDate = ? AND NoteDateTime = ?"),
                 {taken ? 1 : 0, scheduleNumber, note.jobSeqNo, note.serviceDate, note.noteDateTime}) == 0)
        return false;
    t.commit();
    return true;
}

bool ScheduleNoteBrowser::appendComment(qint64 scheduleNumber, qint64 jobSeqNo, const QString &serviceDate,
                                        const QString &noteDateTime, const QString &comment, const QString &author)
{
    Transaction t;
    NamedRows().schedule(scheduleNumber).customerJob(jobSeqNo).confirm();
    QSqlQuery q = execSql(QStringLiteral("SELECT rowid, NoteDetail FROM ScheduleJobNotes WHERE ScheduleNumber = ? "
                                         "AND JobSeqNo = ? AND ScheduleServiceDate = ? AND NoteDateTime = ? "
                                         "ORDER BY rowid LIMIT 1"),
                          {scheduleNumber, jobSeqNo, serviceDate, noteDateTime});
    if (!q.next())
        return false;
    const QDateTime now = QDateTime::currentDateTime();
    const QString block = q.value(1).toString() + QStringLiteral("\r\n-COMMENT-\r\n") + Formats::toShortDate(now.date()) +
                          QLatin1Char(' ') + now.time().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" by ") +
                          author + QStringLiteral(" - ") + comment;
    writeSql(QStringLiteral("UPDATE ScheduleJobNotes SET NoteDetail = ? WHERE rowid = ?"), {block, q.value(0)});
    t.commit();
    return true;
}

} // namespace wvs
