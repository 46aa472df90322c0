#include "CustomerTestData.h"
#include "common/Formats.h"
#include "customers/CustomerRemoval.h"
#include "support/DbTest.h"

#include <QDate>

using namespace wvs;
using namespace wvs::test;

namespace {

class CustomerRemovalTest : public DbTest {
protected:
    int rows(const char *table, qint64 customer)
    {
        return scalarSql(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE CustomerNumber = ?").arg(QLatin1String(table)),
                         {customer})
            .toInt();
    }
};

} // namespace

TEST_F(CustomerRemovalTest, DeleteRemovesTheCustomerWithHisJobsAddressesAndNotes)
{
    const qint64 gone = addCustomer(QStringLiteral("Gone"));
    const qint64 other = addCustomer(QStringLiteral("Other"));
    for (qint64 c : {gone, other}) {
        addJob(c, addAddress(c, QStringLiteral("1 St")));
        writeSql(QStringLiteral("INSERT INTO CustomerNotes (CustomerNumber, NoteDateTime, NoteDetail) VALUES (?, '2025-01-01 10:00:00', 'n')"), {c});
    }
    EXPECT_EQ(CustomerRemoval::deletePermanently(gone), CustomerRemoval::DeleteResult::Deleted);
    for (const char *t : {"Customers", "CustomerJobs", "CustomerServiceAddresses", "CustomerNotes"}) {
        EXPECT_EQ(rows(t, gone), 0) << t;
        EXPECT_EQ(rows(t, other), 1) << t;
    }
}

TEST_F(CustomerRemovalTest, DeleteChecksScheduledJobsAgainAndThenRemovesNothing)
{
    const qint64 c = addCustomer(QStringLiteral("Busy"));
    const qint64 job = addJob(c, addAddress(c, QStringLiteral("1 St")));
    EXPECT_EQ(CustomerRemoval::scheduledJobCount(c), 0);
    // Another workstation closes a schedule holding the job after the count.
    scheduleJob(job, QStringLiteral("2030-05-01"));
    EXPECT_EQ(CustomerRemoval::deletePermanently(c), CustomerRemoval::DeleteResult::Scheduled);
    for (const char *t : {"Customers", "CustomerJobs", "CustomerServiceAddresses"})
        EXPECT_EQ(rows(t, c), 1) << t;

    CustomerRemoval::makeInactive(c);
    EXPECT_EQ(scalarSql(QStringLiteral("SELECT CustomerStatus FROM Customers WHERE CustomerNumber = ?"), {c}).toInt(), 9);
}

TEST_F(CustomerRemovalTest, HistoryCountsOnlyJobsScheduledBeforeToday)
{
    const qint64 c = addCustomer(QStringLiteral("Hist"));
    const qint64 job = addJob(c, addAddress(c, QStringLiteral("1 St")));
    const QDate today = QDate::currentDate();
    scheduleJob(job, Formats::toStoredDate(today), 1);
    scheduleJob(job, Formats::toStoredDate(today.addDays(3)), 2);
    EXPECT_EQ(CustomerRemoval::scheduledJobsBeforeToday(c), 0);
    EXPECT_EQ(CustomerRemoval::scheduledJobCount(c), 2);
    scheduleJob(job, Formats::toStoredDate(today.addDays(-1)), 3);
    EXPECT_EQ(CustomerRemoval::scheduledJobsBeforeToday(c), 1);
}
