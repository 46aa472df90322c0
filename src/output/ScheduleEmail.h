#pragma once
#include <QList>
#include <QString>

namespace wvs {

// One stored occurrence as the schedule e-mail tells it to its associate.
struct ScheduleEmailJob {
    QString serviceDate;       // stored "yyyy-MM-dd"
    QString associateID;       // the occurrence's associate, else the job's
    QString surname, forename;
    QString sAddress1, sAddress2, sAddress3, sSuburb;
    QString phone1;
    QString customerComment;
    bool customerCommentOnSchedule = false;
    QString associateName, associateEmail;
    QString jobComment;
    qint64 costCents = 0;
    bool jobCommentOnSchedule = false;
    QString jobTypeDescription;
};

// The e-mail that sends every associate his part of a stored schedule: one
// message per associate listing his jobs by date and schedule order, headed
// by the text the user typed.
namespace ScheduleEmail {

// The jobs of a stored schedule, of one associate or (empty ID) of all, by
// associate, date and order. A job without its customer, service address,
// job type or associate is left out.
QList<ScheduleEmailJob> readJobs(qint64 scheduleNumber, const QString &associateID);

// "Job Schedule From <from> To <to> - <associate name>".
QString subject(const QString &fromDate, const QString &toDate, const QString &associateName);
// One job's lines, ended by a rule of hyphens and a line end; the phone and
// cost lines only when asked for.
QString jobBlock(const ScheduleEmailJob &job, bool showPhone, bool showCost, const QString &country);
// The text that begins each message: the typed text and an empty line, or nothing.
QString bodyStart(const QString &message);

// The message text typed last (shared by every workstation).
QString storedMessage();
void storeMessage(const QString &message);

// The whole run of the window's OK: settings, jobs, the stored text, then
// one message per associate through SMTP or as drafts in the mail program
// (addressed only when toRecordAddress). Returns false when the run stopped
// before delivering and the window is to stay open.
bool run(qint64 scheduleNumber, const QString &associateID, const QString &message, bool toRecordAddress);

} // namespace ScheduleEmail
} // namespace wvs
