#include "support/TestData.h"

namespace wvs::test {

qint64 DataDbTest::addCustomer(const CustomerData &c)
{
    writeSql(QStringLiteral("INSERT INTO Customers (Surname, Forename, CustomerStatus, Phone1, Phone2, Phone3, "
                            "PreferredPhone, CustomerComment, CommentOnSchedule, CSuburb) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {c.surname, c.forename, c.status, c.phone1, c.phone2, c.phone3, c.preferredPhone, c.comment,
              c.commentOnSchedule ? 1 : 0, c.cSuburb});
    return lastInsertId();
}

qint64 DataDbTest::addAddress(qint64 customer, const QString &line1, const QString &suburb, const QString &line2,
                              const QString &line3)
{
    writeSql(QStringLiteral("INSERT INTO CustomerServiceAddresses (CustomerNumber, SAddress1, SAddress2, SAddress3, "
                            "SSuburb) VALUES (?, ?, ?, ?, ?)"),
             {customer, line1, line2, line3, suburb});
    return lastInsertId();
}

qint64 DataDbTest::addJob(JobData j)
{
    j.customer = j.customer ? j.customer : addCustomer();
    j.address = j.address ? j.address : addAddress(j.customer);
    writeSql(QStringLiteral("INSERT INTO CustomerJobs (CustomerNumber, SAddressSeqNo, JobTypeCode, AssociateID, "
                            "StartDate, StartDay, EndDate, Frequency, Occurrences, Cost, LastServiceDate, "
                            "CustomerJobComment, CommentOnSchedule, AsRequired, Suspended, Prospective) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             {j.customer, j.address, j.jobType, j.associate, j.start, j.startDay, j.end, j.frequency, j.occurrences,
              j.costCents, j.lastService, j.comment, j.commentOnSchedule ? 1 : 0, j.asRequired ? 1 : 0,
              j.suspended ? 1 : 0, j.prospective ? 1 : 0});
    return lastInsertId();
}

} // namespace wvs::test
