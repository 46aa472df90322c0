#pragma once
#include <QString>
#include <QVector>
#include <optional>

namespace wvs {

// Customer status codes as stored in Customers.CustomerStatus.
namespace CustomerStatus {
constexpr int Active = 1;
constexpr int Prospective = 2;
constexpr int Inactive = 9;
}

// How the customer dialog was opened.
enum class CustomerMode { Add, Modify, View };

// The city stored for a correspondence or service address left without one.
inline QString defaultCity() { return QStringLiteral("Auckland"); }

// The most characters a text column of Customers or CustomerServiceAddresses
// holds, by column name; 0: no limit (the comment).
int customerFieldSize(const QString &column);

// One service address of a customer. seqNo is the stored key; 0 while the
// address exists only in the dialog.
struct ServiceAddress {
    QString sAddress1, sAddress2, sAddress3, sSuburb, sCity, sPostCode;
    qint64 seqNo = 0;

    bool isStored() const { return seqNo != 0; }
    bool operator==(const ServiceAddress &) const = default;
};

// One row of Customers as the dialog shows and saves it.
struct CustomerRecord {
    qint64 customerNumber = 0;
    QString title, forename, surname, companyName, contactName;
    QString phone1, phone2, phone3;
    int preferredPhone = 1; // 1, 2 or 3; 0 leaves the stored value alone
    QString email1, email2;
    QString cAddress1, cAddress2, cAddress3, cSuburb, cCity, cPostCode;
    int customerStatus = CustomerStatus::Active;
    QString accountsRef, customerComment;
    bool commentOnSchedule = false;
    QString dateEntered; // "yyyy-MM-dd", set when the row is added
};

// Reading and writing a customer with its service addresses.
class CustomerStore {
public:
    // The customer's row, or nothing when there is no such customer.
    static std::optional<CustomerRecord> load(qint64 customerNumber);
    // The customer's service addresses in the database's order.
    static QVector<ServiceAddress> loadAddresses(qint64 customerNumber);

    // True when another customer has the same forename, surname and first
    // correspondence line (the probable duplicate an add warns about).
    static bool similarCustomerExists(const CustomerRecord &c);

    // Writes the customer and every address of the list in one transaction:
    // on Add the customer is added and its number, the key the insert
    // produced, is returned; on Modify the row of c.customerNumber is changed.
    // Given what the dialog first showed (shown, shownAddresses), a Modify
    // writes only the fields and addresses the user changed. Addresses: a new
    // one without a first line is skipped, a stored one without a first line is
    // removed (refused while a customer job still uses it), the others are
    // changed or added. A customer or stored address removed meanwhile by
    // another workstation, an accounts reference taken there meanwhile (while
    // an accounts package is in use), or a refused removal, throws a
    // recoverable WvsError and nothing is kept.
    static qint64 save(CustomerMode mode, const CustomerRecord &c, const QVector<ServiceAddress> &addresses,
                       const CustomerRecord *shown = nullptr, const QVector<ServiceAddress> *shownAddresses = nullptr);

    // The refusal shown when a stored address still used by a job would go.
    static QString addressInUseMessage(const QString &storedFirstLine);
    // Shown when a changed customer no longer exists.
    static QString customerGoneMessage();
};

} // namespace wvs
