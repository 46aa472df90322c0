#pragma once
#include "data/AppDatabase.h"
#include "jobs/CustomerJobSave.h"
#include "support/TestData.h"
#include "support/ShownTexts.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace wvs::test {

// The administrator logged on; a stored job cleans windows every weekday from Monday 7 July 2031 unless changed.
class JobsDbTest : public DataDbTest {
protected:
    qint64 addCustomer(const QString &surname, const QString &forename, int status = 1, const QString &cSuburb = {})
    {
        return DataDbTest::addCustomer({.surname = surname, .forename = forename, .status = status, .phone1 = {},
                                        .phone2 = {}, .phone3 = {}, .cSuburb = cSuburb});
    }
    // A job of the customer at the address, with what the test changes.
    qint64 addJob(qint64 customer, qint64 address, const std::function<void(JobData &)> &change = {})
    {
        JobData j{.customer = customer, .address = address, .jobType = "CLEAN", .start = "2031-07-07", .frequency = 399,
                  .costCents = 2500, .startDay = "Monday"};
        if (change)
            change(j);
        return DataDbTest::addJob(j);
    }
    // The stored values of the job's columns ("A, B"), joined by "|".
    QString jobFields(qint64 job, const QString &columns)
    {
        return rowsOf(QStringLiteral("SELECT %1 FROM CustomerJobs WHERE JobSeqNo = ?").arg(columns), {job});
    }
    int count(const QString &table) { return scalarSql(QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt(); }
    // An Add entry that passes every check: every weekday from Monday 7 July 2031.
    static CustomerJobEntry validEntry(qint64 customer, qint64 address)
    {
        return {.mode = "Add", .customerNumber = customer, .suburbChosen = true, .sAddressSeqNo = address,
                .startDateText = "07 Jul 2031", .end = JobEnd::NoEnd, .costText = "25", .jobTypeCode = "CLEAN",
                .associateID = "ADM", .frequency = {.option = FrequencyOption::Daily, .subOption = 2}};
    }
    // Typing one character more than the box takes leaves it at its limit.
    static void expectLimit(QWidget *w, const char *box, int limit)
    {
        EXPECT_EQ(typingLimit(w, box, limit + 1, QLatin1Char('9')), limit) << box;
    }
};

// Ann Smith of 1 Main Road, Albany, and the job type CLEAN.
class SmithJobsTest : public JobsDbTest {
protected:
    void SetUp() override
    {
        JobsDbTest::SetUp();
        addJobType("CLEAN", "Window cleaning");
        customer_ = addCustomer("Smith", "Ann");
        address_ = addAddress(customer_, "1 Main Road", "Albany");
    }
    qint64 customer_ = 0, address_ = 0;
};

} // namespace wvs::test
