#pragma once
#include "support/DbTest.h"

namespace wvs::test {

// A customer as a test stores it.
struct CustomerData {
    QString surname = "Smith", forename = "Anna";
    int status = 1;
    QString phone1 = "09 111 1111", phone2 = "021 222 2222", phone3 = "09 333 3333";
    int preferredPhone = 1;
    QString comment;
    bool commentOnSchedule = false;
    QString cSuburb;
};

// A customer job as a test stores it.
struct JobData {
    qint64 customer = 0, address = 0;
    QString jobType = "WIN", associate = "ADM", start = "2025-01-01", end;
    int frequency = 101001, occurrences = 0;   // every week on Monday, without limit
    qint64 costCents = 4500;
    QString comment;
    bool commentOnSchedule = false, asRequired = false, suspended = false, prospective = false;
    QString startDay, lastService;
};

// The administrator logged on, with helpers that put customers, service
// addresses and customer jobs straight into the database.
class DataDbTest : public AdminDbTest {
protected:
    qint64 addCustomer(const CustomerData &c = CustomerData());
    qint64 addAddress(qint64 customer, const QString &line1 = QStringLiteral("1 Main Road"),
                      const QString &suburb = QStringLiteral("Ponsonby"), const QString &line2 = QString(),
                      const QString &line3 = QString());
    // A job of the customer at the address; a new customer and address where none is given.
    qint64 addJob(JobData j);
};

} // namespace wvs::test
