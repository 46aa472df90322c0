#pragma once
#include "common/NamedRows.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace wvs {

// Reading and applying the files fetched from the web portal: the schedule
// updates that portal users reported and the customer-job requests entered
// there. Every line is checked before anything is applied, so a file either
// applies whole or not at all.
namespace PortalRetrievals {

// The file's lines, read in the Windows-1252 code page the portal writes;
// a line may end in CR LF, CR or LF.
QStringList fileLines(const QByteArray &data);

// A date as the portal writes it ("2012/03/05", "2012-03-05", "5/03/2012",
// "5 Mar 2012", "Mon 5 Mar 2012"); null when it is none of them.
QDate portalDate(const QString &text);

// A line that could not be read: its number (from 1) and its text.
struct BadLine {
    int number = 0;
    QString text;
};

// One reported scheduled job.
struct ScheduleUpdate {
    qint64 scheduleNumber = 0;
    QDate serviceDate;
    qint64 jobSeqNo = 0;
    bool done = false;
    QDate doneDate;     // only when done
    QString doneBy;     // only when done
    QString note;       // empty: none
};

// Records of seven values (schedule number, service date, job number, done
// flag, done date, done by, note), separated by commas or line ends; a value
// in double quotes may hold commas. False with the offending line when a
// record is incomplete or a number or date does not read.
bool readScheduleUpdates(const QByteArray &data, QList<ScheduleUpdate> &updates, BadLine &bad);

// The associates the updates record as having done a job: each must still
// be there when the updates are written, as another workstation may have
// deleted one, or changed his ID, since the portal was given the schedule.
NamedRows doneByAssociates(const QList<ScheduleUpdate> &updates);

// Applies the updates inside the caller's transaction. An occurrence is
// found by its schedule, job and planned date; a done job gets its date and
// associate, a job reported not done goes back to the customer job's current
// associate. The occurrence's portal notes are replaced by the reported note.
// Reports for occurrences that are not stored change nothing.
void applyScheduleUpdates(const QList<ScheduleUpdate> &updates);

// The 59 columns of a customer-job request in the order of the file's fields.
const QStringList &requestColumns();

// Lines of at least 59 "|"-separated fields (later ones are ignored), each
// read into the column's type: dates in the stored form, Cost in cents (empty
// is 0), numbers as numbers (empty is 0; the request number is required).
// Empty lines are skipped.
bool readCustomerJobRequests(const QByteArray &data, QList<QVariantList> &requests, BadLine &bad);

// Adds the requests inside the caller's transaction and returns the numbers
// of those it added. The number of every request is remembered, and a
// request whose number was received before is never added again: not while
// it waits in the list, nor after it was saved as a customer job or deleted
// (the portal hands a request out again until it has let it go).
QList<qint64> storeCustomerJobRequests(const QList<QVariantList> &requests);

} // namespace PortalRetrievals
} // namespace wvs
