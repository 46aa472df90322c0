#pragma once
#include "common/Money.h"

#include <QList>
#include <QString>
#include <optional>

namespace wvs {

// One row of CustomerJobs with the names the job dialog shows beside it.
struct CustomerJob {
    qint64 jobSeqNo = 0;
    qint64 customerNumber = 0;
    qint64 sAddressSeqNo = 0;
    QString jobTypeCode;
    QString associateID;
    QString startDate;       // "yyyy-MM-dd"
    QString startDay;        // "Monday"
    QString endDate;         // "yyyy-MM-dd" or '' for none
    int occurrences = 0;     // 0: no count
    int frequency = 0;       // the recurrence code
    Money cost;
    QString lastServiceDate; // '' until the first service
    QString comment;
    bool commentOnSchedule = false;
    bool asRequired = false;
    bool suspended = false;
    bool prospective = false;

    // Names joined from the customer, address and job type.
    QString surname, forename, sSuburb, sAddress1, jobTypeDescription;
};

// A list entry that stands for a record: the shown text and the record's key.
struct KeyedItem {
    QString key;
    QString text;
};

// The queries behind the customer-job dialog and the deletion of a job.
namespace CustomerJobRecords {

// "Surname, Forename", or whichever of the two is not empty.
QString displayName(const QString &surname, const QString &forename);

// The job with its names, found by its key and its service address (nothing
// when the job is gone or the address no longer belongs to its customer).
std::optional<CustomerJob> loadForDialog(qint64 jobSeqNo, qint64 sAddressSeqNo);

// The customers the dialog offers: the one customer when customerNumber is
// not 0, else every customer (whatever its status) ordered by surname. Keys
// are customer numbers.
QList<KeyedItem> customerChoices(qint64 customerNumber);
// The customer's distinct service suburbs.
QStringList serviceSuburbs(qint64 customerNumber);
// The customer's service addresses in one suburb: "Address1, Address2,
// Address3" without the empty lines; keys are SAddressSeqNo.
QList<KeyedItem> serviceAddresses(qint64 customerNumber, const QString &suburb);
// The job types in the database's order; keys are codes, texts descriptions.
QList<KeyedItem> jobTypes();
// Associates: only the active ones, or all; keys are IDs, texts names.
QList<KeyedItem> associates(bool activeOnly);

// Why a job may not be deleted (it stands on a schedule), or empty.
QString deleteRefusal(qint64 jobSeqNo);
// Deletes the job; refused (a recoverable error) when it stands on a schedule
// or is no longer there.
void remove(qint64 jobSeqNo);

} // namespace CustomerJobRecords
} // namespace wvs
