#pragma once
#include "customers/CustomerRecord.h"
#include "jobs/CustomerJobSave.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace wvs {

// What the request dialog hands to its save: the customer, the service
// address and the job as the user left them. The job's customer and address
// fields are not used; the save finds or adds them.
struct PortalJobEntry {
    qint64 uniqueId = 0;          // the request the dialog shows
    CustomerRecord customer;      // preferredPhone 1..3, 0 when no phone option is selected
    ServiceAddress address;
    CustomerJobEntry job;
};

struct PortalJobSaveOutcome {
    bool saved = false;
    QString message;                  // the refusal; empty when the user said No or the fault was reported
    QString focus;                    // objectName of the control that takes the focus; empty for none
    std::optional<QString> costText;  // the cost box's new text once the cost has passed its checks
    qint64 customerNumber = 0;
    qint64 sAddressSeqNo = 0;
    qint64 jobSeqNo = 0;
    int frequency = 0;
    bool customerAdded = false;
    bool addressAdded = false;
};

// Turns a portal request into a customer job: the customer is found by name
// and correspondence address or added, the service address is found by its
// first line and location or added, the job is added with its recurrence code
// and the request is removed, all in one transaction.
class PortalCustomerJobSave {
public:
    using Ask = std::function<bool(const QString &)>;

    static PortalJobSaveOutcome save(const PortalJobEntry &entry, const Ask &ask);

    // The customer with this forename, surname, first correspondence line and suburb.
    static std::optional<qint64> findCustomer(const CustomerRecord &c);
    // The checks of a customer about to be added, in field order.
    static PortalJobSaveOutcome ValidateCustomer(const PortalJobEntry &entry, const Ask &ask);
    // The checks of the job: the customer-job save's own, with the end option
    // asked for once the cost, job type and associate pass, then the two
    // comments; the cost text is reformatted once it passes.
    static PortalJobSaveOutcome checkJob(const PortalJobEntry &entry, const Ask &ask);
    // The customer already has a job of this type starting that day at an
    // address whose first line is saddress1.
    static bool duplicateExists(qint64 customerNumber, const QString &jobTypeCode, const QString &saddress1,
                                const QDate &start);
};

} // namespace wvs
