#pragma once
#include <QString>
#include <optional>

namespace wvs {

// A customer job's recurrence code in words ("Every 2 week(s) on Monday,
// Friday", "The 2nd Tuesday of every 3 month(s)"); empty for a code that has
// no words.
QString DetermineFrequency(qint64 code);

// What the service-request e-mail tells the customer about one job.
struct ServiceRequestJob {
    QString surname, forename;
    QString sAddress1, sAddress2, sAddress3, sSuburb;
    QString email1, email2;
    QString jobTypeDescription;
    qint64 frequency = 0;
    bool asRequired = false;
    int occurrences = 0;
    QString startDate, endDate;   // stored "yyyy-MM-dd" ('' for none)
    qint64 costCents = 0;
};

namespace ServiceRequest {

// The job with its customer, service address and job type; none when any of
// them is missing.
std::optional<ServiceRequestJob> readJob(qint64 jobSeqNo);

// "Forename Surname", or whichever of the two is there.
QString customerName(const ServiceRequestJob &job);
// "Service Requested - " and the customer's name.
QString subject(const ServiceRequestJob &job);
// The message text (when there is one, followed by an empty line), then the
// job's details line by line: service, start, frequency (when there are
// words), end, service address, cost in the installation country's currency.
QString body(const ServiceRequestJob &job, const QString &message, const QString &country);
// The customer's first e-mail address, else the second; empty when neither.
QString recordAddress(const ServiceRequestJob &job);

// The message text typed last (shared by every workstation).
QString storedMessage();
void storeMessage(const QString &message);

} // namespace ServiceRequest
} // namespace wvs
