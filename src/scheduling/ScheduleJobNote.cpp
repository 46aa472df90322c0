#include "scheduling/ScheduleJobNote.h"
#include "common/Formats.h"
#include "common/NamedRows.h"
#include "scheduling/ScheduledJobUpdates.h"

#include <QSqlQuery>

namespace wvs {

JobNoteState ScheduleJobNote::load(qint64 scheduleNumber, const QDate &serviceDate, qint64 jobSeqNo, QSqlDatabase db)
{
    JobNoteState s;
    QSqlQuery c = execSql(QStringLiteral("SELECT c.Forename, c.Surname FROM Customers c JOIN CustomerJobs cj "
                                         "ON c.CustomerNumber = cj.CustomerNumber WHERE cj.JobSeqNo = ?"),
                          {jobSeqNo}, db);
    if (c.next())
        s.customerName = c.value(0).toString() + QLatin1Char(' ') + c.value(1).toString();
    QSqlQuery q = execSql(QStringLiteral("SELECT ActualServiceDate, AssociateID FROM ScheduleJobs "
                                         "WHERE ScheduleNumber = ? AND ScheduleServiceDate = ? AND JobSeqNo = ?"),
                          {scheduleNumber, Formats::toStoredDate(serviceDate), jobSeqNo}, db);
    if (q.next()) {
        s.found = true;
        s.actualServiceDate = Formats::fromStoredDate(q.value(0).toString());
        s.doneByID = q.value(1).toString();
    }
    return s;
}

JobNoteOutcome ScheduleJobNote::save(qint64 scheduleNumber, const QDate &serviceDate, qint64 jobSeqNo,
                                     const JobNoteEntry &entry, const QString &authorName, const Ask &ask,
                                     const JobNoteState *shown, const QDateTime &now, QSqlDatabase db)
{
    using Field = JobNoteOutcome::Field;
    JobNoteOutcome out;
    QDate completed;
    if (entry.done) {
        if (entry.dateText.trimmed().isEmpty()) {
            out.message = QStringLiteral("Please enter the date the job was completed");
            out.focus = Field::Date;
            return out;
        }
        completed = Formats::fromShortDate(entry.dateText);
        if (!completed.isValid()) {
            out.message = QStringLiteral("The date completed must be a valid date entered as DD/MM/YYYY");
            out.focus = Field::Date;
            return out;
        }
        if (entry.associateID.isEmpty()) {
            out.message = QStringLiteral("Please select the Associate who completed the job");
            out.focus = Field::Associate;
            return out;
        }
    }
    if (entry.note.isEmpty() && !ask(QStringLiteral("No Note has been entered - is this correct?")))
        return out;

    const QString planned = Formats::toStoredDate(serviceDate);
    Transaction t(db);
    // The schedule, the customer job, the visit and the associate who did it
    // may each have gone at another workstation since the dialog opened.
    out.message = NamedRows().schedule(scheduleNumber).customerJob(jobSeqNo).firstGone(db);
    if (!out.message.isEmpty())
        return out;
    const int stored = scalarSql(QStringLiteral("SELECT COUNT(*) FROM ScheduleJobs WHERE ScheduleNumber = ? "
                                                "AND ScheduleServiceDate = ? AND JobSeqNo = ?"),
                                 {scheduleNumber, planned, jobSeqNo}, db)
                           .toInt();
    if (stored != 1) {
        out.message = QStringLiteral("This Job is no longer on the Schedule, so nothing has been saved");
        return out;
    }
    if (entry.done) {
        out.message = NamedRows().associate(entry.associateID).firstGone(db);
        if (!out.message.isEmpty()) {
            out.focus = Field::Associate;
            return out;
        }
    }
    if (!entry.note.isEmpty())
        writeSql(QStringLiteral("INSERT INTO ScheduleJobNotes (ScheduleNumber, JobSeqNo, ScheduleServiceDate, "
                                "NoteDateTime, NoteAuthor, NoteDetail, NoteType) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                 {scheduleNumber, jobSeqNo, planned, Formats::toStoredDateTime(now), authorName, entry.note,
                  entry.noteType},
                 db);
    const bool leftAsShown = shown && shown->found && entry.done == shown->actualServiceDate.isValid()
                             && (!entry.done || (completed == shown->actualServiceDate && entry.associateID == shown->doneByID));
    const QString actual = entry.done ? Formats::toStoredDate(completed) : QString();
    const QString associate = entry.done ? entry.associateID : ScheduledJobUpdates::currentAssociate(jobSeqNo, db);
    if (!leftAsShown)
        writeSql(QStringLiteral("UPDATE ScheduleJobs SET ActualServiceDate = ?, AssociateID = ? "
                                "WHERE ScheduleNumber = ? AND ScheduleServiceDate = ? AND JobSeqNo = ?"),
                 {actual, associate, scheduleNumber, planned, jobSeqNo}, db);
    // The grid shows the done state as stored: another workstation's when this
    // save left it alone.
    bool doneNow = entry.done;
    if (leftAsShown)
        doneNow = !scalarSql(QStringLiteral("SELECT ActualServiceDate FROM ScheduleJobs "
                                            "WHERE ScheduleNumber = ? AND ScheduleServiceDate = ? AND JobSeqNo = ?"),
                             {scheduleNumber, planned, jobSeqNo}, db)
                       .toString()
                       .isEmpty();
    t.commit();
    out.saved = true;
    out.result = doneNow ? 1 : 2;
    return out;
}

} // namespace wvs
