#include "PortalTestData.h"
#include "portal/PortalCustomerJobSave.h"
#include "scheduling/ScheduleGeneration.h"


using namespace wvs;
using namespace wvs::test;

namespace {

using PortalRequestConversionTest = PortalRequestDbTest;

} // namespace

TEST_F(PortalRequestConversionTest, EveryFrequencyKindBecomesItsCode)
{
    const struct {
        QVariantMap request;
        int code;
    } cases[] = {
        {{{"DWMYOption", 0}, {"DailyOption", 1}}, 399},
        {{{"DWMYOption", 0}, {"DailyOption", 0}, {"DailyNoOfDays", 3}}, 3},
        {{{"WeeklyNoOfWeeks", 2}, {"WeeklyFri", 1}}, 102017},
        {{{"DWMYOption", 2}, {"MonthlyOption", 0}, {"MonthlyDay", 15}, {"MonthlyMonth1", 3}}, 11503},
        {{{"DWMYOption", 2}, {"MonthlyOption", 2}, {"MonthlyList1Index", 1}, {"MonthlyList2Index", 1},
          {"MonthlyMonth3", 1}}, 22201},
        {{{"DWMYOption", 2}, {"MonthlyOption", 1}, {"MonthlyMonth2", 2}}, 19902},
        {{{"DWMYOption", 3}, {"YearlyOption", 0}, {"YearlyList1Index", 2}, {"YearlyDay", 31}}, 30331},
        {{{"DWMYOption", 3}, {"YearlyOption", 1}, {"YearlyList2Index", 4}, {"YearlyList3Index", 6},
          {"YearlyList4Index", 11}}, 45712},
    };
    qint64 id = 100;
    for (const auto &c : cases) {
        QVariantMap request = c.request;
        request["StartDate"] = QDate(2031, 7, 7).addDays(id).toString(Qt::ISODate);   // no two alike
        save(addRequest(++id, request));
        EXPECT_EQ(lastJob("Frequency").toInt(), c.code) << c.code;
    }
}

TEST_F(PortalRequestConversionTest, CustomerAndAddressAreFoundOrAddedWithTheirOwnKeys)
{
    // A namesake at another correspondence address is a different customer.
    const qint64 namesake = addCustomer("Lee", "Ann", 1, "Ponsonby");
    writeSql("UPDATE Customers SET CAddress1 = '9 Other Rd' WHERE CustomerNumber = ?", {namesake});
    addAddress(namesake, "1 Main St", "Ponsonby");

    save(addRequest(1, {{"DateEntered", "2031-06-02"}, {"Title", "Ms"}}));
    const qint64 added = lastJob("CustomerNumber").toLongLong();
    const qint64 address = lastJob("SAddressSeqNo").toLongLong();
    EXPECT_NE(added, namesake);
    EXPECT_EQ(scalarSql("SELECT CustomerNumber FROM CustomerServiceAddresses WHERE SAddressSeqNo = ?", {address}).toLongLong(),
              added);
    EXPECT_EQ(scalarSql("SELECT DateEntered || Title FROM Customers WHERE CustomerNumber = ?", {added}).toString(),
              "2031-06-02Ms");

    // The same customer again: found as it is, its data left alone, even without a phone.
    writeSql("UPDATE Customers SET Phone1 = 'kept' WHERE CustomerNumber = ?", {added});
    save(addRequest(2, {{"StartDate", "2031-07-14"}, {"Phone1", ""}}));
    EXPECT_EQ(lastJob("CustomerNumber").toLongLong(), added);
    EXPECT_EQ(lastJob("SAddressSeqNo").toLongLong(), address);
    save(addRequest(3, {{"StartDate", "2031-07-21"}, {"SSuburb", "Herne Bay"}}));
    EXPECT_NE(lastJob("SAddressSeqNo").toLongLong(), address);
    EXPECT_EQ(count("Customers"), 2);
    EXPECT_EQ(count("CustomerServiceAddresses"), 3);
    EXPECT_EQ(scalarSql("SELECT Phone1 FROM Customers WHERE CustomerNumber = ?", {added}).toString(), "kept");
}

TEST_F(PortalRequestConversionTest, RefusalsLeaveEverythingAsItWas)
{
    save(addRequest(1));
    const struct {
        QVariantMap request;
        const char *message;
    } cases[] = {
        // Same customer, job type, first address line and start date.
        {{{"SSuburb", "Elsewhere"}}, "This Customer Job already exists!"},
        {{{"StartDate", "2031-08-05"}},
         "The Start Date falls within the date range of a closed Job Schedule and the Customer Job cannot be added. "
         "Please select another date"},
        {{{"StartDate", "2031-09-01"}, {"FirstName", "New"}, {"Phone1", ""}}, "Please enter at least 1 phone number"},
        {{{"StartDate", "2031-09-01"}, {"SAddress1", ""}}, "Please enter a Service Address"},
    };
    addSchedule("2031-08-01", "2031-08-05", "Closed");
    addSchedule("2031-08-10", "2031-08-20", "Open");
    qint64 id = 10;
    for (const auto &c : cases) {
        msgs_->clear();
        save(addRequest(++id, c.request));
        EXPECT_EQ(msgs_->texts(), QStringList({c.message}));
    }
    EXPECT_EQ(count("CustomerJobs"), 1);
    EXPECT_EQ(count("Customers"), 1);
    EXPECT_EQ(count("PortalCustomerJobs"), int(std::size(cases)));

    // A start inside an open schedule is fine.
    msgs_->clear();
    save(addRequest(50, {{"StartDate", "2031-08-12"}}));
    EXPECT_EQ(msgs_->texts(), QStringList({"Customer Job saved"}));
}

// One occurrence, no kind chosen: stored so that it falls on its start date.
TEST_F(PortalRequestConversionTest, AOneOffLandsOnItsStartDate)
{
    save(addRequest(3, {{"StartDate", "2031-07-09"}, {"EndDateOption", 2}, {"EndOccurrences", 1}, {"DWMYOption", -1}}));
    EXPECT_EQ(lastJob("Frequency").toInt(), 1);
    EXPECT_EQ(lastJob("Occurrences").toInt(), 1);

    const ScheduleHeader july{addSchedule("2031-07-01", "2031-07-31", "Open"), QDate(2031, 7, 1), QDate(2031, 7, 31),
                              "Open"};
    const PopulateResult r = ScheduleGeneration::populate(july, "ADM", QString());
    ASSERT_EQ(r.jobs.size(), 1);
    EXPECT_EQ(r.jobs[0].serviceDate, QDate(2031, 7, 9));
}

TEST_F(PortalRequestConversionTest, AFailingCustomerCheckStopsTheSave)
{
    // A fault the error reporter only shows (the program goes on) is no pass.
    const PortalJobEntry e{
        .uniqueId = addRequest(1),
        .customer = {.forename = "Ann", .surname = "Lee", .companyName = "Lee Ltd", .phone1 = "555"}};
    const PortalJobSaveOutcome out = PortalCustomerJobSave::save(e, [](const QString &) -> bool {
        throw WvsError(ErrorNumber::Recoverable, "The Preferences could not be read");
    });
    EXPECT_FALSE(out.saved);
    EXPECT_EQ(msgs_->texts(), QStringList({"The Preferences could not be read"}));
    EXPECT_EQ(count("Customers"), 0);
    EXPECT_EQ(count("PortalCustomerJobs"), 1);
}

TEST_F(PortalRequestConversionTest, ARequestRemovedMeanwhileIsNotSavedTwice)
{
    // Another workstation saves the request while the dialog shows it.
    save(addRequest(1), [](QDialog *) { writeSql("DELETE FROM PortalCustomerJobs"); });
    EXPECT_EQ(msgs_->texts(),
              QStringList({"The Customer Job request no longer exists - it may have been saved or deleted by another user"}));
    EXPECT_EQ(count("Customers") + count("CustomerJobs") + count("CustomerServiceAddresses"), 0);
}
