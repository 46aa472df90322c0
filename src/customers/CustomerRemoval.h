#pragma once
#include <QString>

namespace wvs {

// Deleting a customer, or making him inactive when his jobs were ever
// scheduled, so that the history of those schedules stays whole.
class CustomerRemoval {
public:
    // Rows of ScheduleJobs that belong to the customer's jobs.
    static int scheduledJobCount(qint64 customerNumber);
    // Rows of ScheduleJobs of the customer's jobs planned before today.
    static int scheduledJobsBeforeToday(qint64 customerNumber);

    // A customer no longer there is a recoverable error, nothing written.
    static void makeInactive(qint64 customerNumber);

    enum class DeleteResult { Deleted, Scheduled };
    // In one transaction: checks again that none of the customer's jobs has
    // been scheduled (Scheduled, nothing removed, when one has), then removes
    // his customer jobs, service addresses, notes and the customer. A
    // customer no longer there is a recoverable error.
    static DeleteResult deletePermanently(qint64 customerNumber);

    static QString inactivateQuestion(const QString &name);
    static QString deleteQuestion(const QString &name);
};

} // namespace wvs
