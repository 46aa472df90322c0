#include "JobsDbTest.h"
#include "jobs/CustomerJobOpener.h"
#include "jobs/CustomerJobRecords.h"
#include "jobs/JobTypeAddModifyForm.h"
#include "jobs/JobTypeRecords.h"
#include "platform/WvsError.h"

using namespace wvs;

namespace {

class CustomerJobSaveTest : public test::SmithJobsTest {
protected:
    CustomerJobEntry valid() const { return validEntry(customer_, address_); }
    CustomerJobSaveOutcome check(const CustomerJobEntry &e, bool answer = true)
    {
        asked_.clear();
        return CustomerJobSave::check(e, [&](const QString &q) { return asked_ << q, answer; });
    }
    CustomerJobSaveOutcome save(const CustomerJobEntry &e, const QString &caller = {}, CustomerJobOpener *opener = nullptr)
    {
        return CustomerJobSave::save(e, caller, opener, [](const QString &) { return true; });
    }
    QStringList asked_;
};

TEST_F(CustomerJobSaveTest, ADaySomeMonthsLackIsAskedAboutAndTheSameJobTwiceIsRefusedWhenAdded)
{
    CustomerJobEntry e = valid();
    // No goes back to the box.
    e.frequency = {.option = FrequencyOption::Monthly, .subOption = 1, .monthlyText1 = "29", .monthlyText2 = "1"};
    EXPECT_EQ(check(e, false).focus, "MonthlyText1");
    EXPECT_EQ(asked_, QStringList({"For those months with less than 29 days the schedule date will be set to the last "
                                   "day of the month. Do you wish to continue?"}));
    EXPECT_TRUE(check(e, true).saved);
    // Only a day above 28 is asked about: 28 passes silently, 30 and 31 are asked about as 29 is.
    for (const char *day : {"28", "30", "31"}) {
        e.frequency.monthlyText1 = day;
        EXPECT_TRUE(check(e, true).saved) << day;
        EXPECT_EQ(asked_.size(), QString(day) == "28" ? 0 : 1) << day;
    }

    e = valid();
    const qint64 first = save(e).jobSeqNo;
    EXPECT_EQ(save(e).message, "This job already exists!");
    EXPECT_EQ(count("CustomerJobs"), 1);

    // Another start date, job type or address is another job.
    e.startDateText = "08 Jul 2031";
    EXPECT_TRUE(save(e).saved);
    e.mode = "Modify", e.jobSeqNo = first;
    EXPECT_TRUE(save(e).saved);
    EXPECT_EQ(count("CustomerJobs"), 2);

    // The same job on 8 July is refused; the same but for its job type alone, or its address alone, is another job.
    addJobType("LAWN", "Lawn mowing");
    const qint64 backLane = addAddress(customer_, "9 Back Lane", "Albany");
    const auto on8July = [&](const std::function<void(CustomerJobEntry &)> &change) {
        CustomerJobEntry x = valid();
        x.startDateText = "08 Jul 2031";
        change(x);
        return save(x);
    };
    EXPECT_EQ(on8July([](CustomerJobEntry &) {}).message, "This job already exists!");
    EXPECT_TRUE(on8July([](CustomerJobEntry &x) { x.jobTypeCode = "LAWN"; }).saved);
    EXPECT_TRUE(on8July([&](CustomerJobEntry &x) { x.sAddressSeqNo = backLane; }).saved);
    EXPECT_EQ(count("CustomerJobs"), 4);
}

TEST_F(CustomerJobSaveTest, RowIsWrittenWithItsDatesEndCostFlagsAndTellsTheOpenerButNeverStartsInAClosedSchedule)
{
    addSchedule("2031-07-01", "2031-07-07", "Closed");
    addSchedule("2031-07-08", "2031-07-14", "Open");
    addSchedule("2031-07-15", "2031-07-21", "Published");
    const QString refusal = "The Start Date falls within the date range of a closed Job Schedule and the Customer Job "
                            "cannot be added. Please select another date";
    CustomerJobEntry e = valid();
    for (const auto &[date, refused] : {std::pair{"30 Jun 2031", false}, {"01 Jul 2031", true}, {"07 Jul 2031", true},
                                        {"08 Jul 2031", false}, {"21 Jul 2031", false}}) {
        e.startDateText = date;
        EXPECT_EQ(check(e).message, refused ? refusal : QString()) << date;
    }

    CustomerJobOpener opener;
    e.startDateText = "14 Jul 2031";
    e.end = JobEnd::OnDate;
    e.endDateText = "31 Dec 2031";
    e.costText = "$1,234.5";
    e.comment = "Ring first";
    e.commentOnSchedule = e.asRequired = e.prospective = true;
    const qint64 job = save(e, "CustomerJobsManagement", &opener).jobSeqNo;
    EXPECT_TRUE(opener.JobAdded);
    const QString columns = "StartDate, EndDate, Occurrences, Cost, CommentOnSchedule, AsRequired, Prospective, "
                            "Suspended, StartDay, LastServiceDate, CustomerNumber";
    EXPECT_EQ(jobFields(job, columns), QString("2031-07-14|2031-12-31|0|123450|1|1|1|0|Monday||%1").arg(customer_));

    // A stored job whose start lies in the closed schedule cannot be saved unchanged.
    writeSql("UPDATE CustomerJobs SET StartDate = '2031-07-02', LastServiceDate = '2031-08-01' WHERE JobSeqNo = ?", {job});
    e.mode = "Modify", e.jobSeqNo = job;
    e.startDateText = "02 Jul 2031";
    EXPECT_EQ(save(e).message, refusal);
    // Moved out from the schedule window: the end becomes a count; last service date and customer stay as stored.
    CustomerJobOpener schedule;
    e.end = JobEnd::After;
    e.occurrencesText = "12";
    e.startDateText = "09 Jul 2031";
    e.suspended = true;
    e.customerNumber = customer_ + 99; // a changed choice is never written
    ASSERT_TRUE(save(e, "Schedule", &schedule).saved);
    EXPECT_TRUE(schedule.JobModified);
    EXPECT_EQ(jobFields(job, columns), QString("2031-07-09||12|123450|1|1|1|1|Wednesday|2031-08-01|%1").arg(customer_));
}

TEST_F(CustomerJobSaveTest, OneOffJobsSkipTheFrequencyChecksAndAlwaysFallOnTheirStart)
{
    using O = FrequencyOption;
    // One occurrence, or an end on the start: a frequency not giving the start is stored as every day (1).
    const struct { const char *start; JobEnd end; FrequencyEntry f; int code; } cases[] = {
        // Saturday with the untouched Daily frame (no sub-option): every weekday never gives it.
        {"05 Jul 2031", JobEnd::After, {.option = O::Daily}, 1},
        {"07 Jul 2031", JobEnd::After, {.option = O::Daily}, 399},
        // Day 15 of the month does not give the 3rd.
        {"03 Jul 2031", JobEnd::OnDate, {.option = O::Monthly, .subOption = 1, .monthlyText1 = "15", .monthlyText2 = "1"}, 1},
        {"03 Jul 2031", JobEnd::OnDate, {.option = O::Monthly, .subOption = 1, .monthlyText1 = "3", .monthlyText2 = "1"}, 10301},
        // An incomplete frame, or a fraction, is no code to keep.
        {"03 Jul 2031", JobEnd::OnDate, {.option = O::Weekly}, 1},
        {"03 Jul 2031", JobEnd::OnDate, {.option = O::Weekly, .weeklyText1 = "1.5", .weekdayMask = 127}, 1},
    };
    CustomerJobEntry e = valid();
    e.occurrencesText = "1";
    for (const auto &c : cases) {
        e.startDateText = e.endDateText = c.start;
        e.end = c.end;
        e.frequency = c.f;
        EXPECT_FALSE(CustomerJobSave::isRecurring(e)) << c.start;
        EXPECT_EQ(CustomerJobSave::frequencyCode(e), c.code) << c.start;
    }
    // No frame at all is saved as every day.
    e.frequency.option = O::None;
    EXPECT_EQ(jobFields(save(e).jobSeqNo, "Frequency"), "1");

    // More than one occurrence, or an end date before the start, is recurring.
    e.end = JobEnd::After;
    e.occurrencesText = "2";
    EXPECT_TRUE(CustomerJobSave::isRecurring(e));
    EXPECT_EQ(check(e).message, "Please select a Frequency option");
    e.end = JobEnd::OnDate;
    e.endDateText = "01 Jul 2031";
    EXPECT_TRUE(CustomerJobSave::isRecurring(e));
}


// Another workstation removes a row, or changes its key, between the window's opening (or the question) and the
// save: the save or delete writes nothing and says which row is gone.
TEST_F(CustomerJobSaveTest, ASaveAfterAnotherWorkstationRemovedWhatItNamesWritesNothingAndSaysWhichRowIsGone)
{
    const auto gone = [](const char *kind) {
        return QString("The %1 no longer exists - it may have been changed or deleted by another user").arg(kind);
    };
    // Each row has a customer with two addresses (:a, :a2), a job type (:t) and an associate (:s) that no job
    // uses, and a job (:j) of the customer at :a done by ADM.
    struct Named {
        qint64 c, a, a2, j;
        QString t, s;
    };
    using Run = std::function<QString(const Named &)>;
    QSqlDatabase b = secondConnection();
    // The tables a save may write, as they stand once the other workstation has done its part.
    const auto tables = [] {
        QStringList rows;
        for (const char *t : {"Customers", "CustomerServiceAddresses", "CustomerJobs", "JobTypes", "Associates"})
            rows << rowsOf(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(QLatin1String(t)));
        return rows;
    };
    QStringList before;
    const auto noAnswer = [](const QString &) { return true; };
    // The message thrown, else the one the save returned.
    const auto caught = [](const std::function<QString()> &body) {
        try {
            return body();
        } catch (const WvsError &e) {
            EXPECT_EQ(e.number(), ErrorNumber::Recoverable);
            return e.description();
        }
    };
    const auto add = [&](const std::function<void(const Named &, CustomerJobEntry &)> &change) {
        return Run([=, this](const Named &n) {
            CustomerJobEntry e = validEntry(n.c, n.a);
            e.startDateText = "14 Jul 2031", e.jobTypeCode = n.t, e.associateID = n.s;
            if (change)
                change(n, e);
            return caught([&] { return save(e).message; });
        });
    };
    const auto modify = [&](const std::function<void(const Named &, CustomerJobEntry &)> &change) {
        return Run([=](const Named &n) {
            CustomerJobEntry shown = validEntry(n.c, n.a);
            shown.mode = "Modify", shown.jobSeqNo = n.j;
            CustomerJobEntry e = shown;
            change(n, e);
            return caught([&] { return CustomerJobSave::save(e, {}, nullptr, noAnswer, &shown).message; });
        });
    };
    const auto jobType = [&](const std::function<JobTypeRecords::SaveOutcome(const Named &)> &body) {
        return Run([=](const Named &n) {
            const JobTypeRecords::SaveOutcome out = body(n);
            EXPECT_EQ(out.status, JobTypeRecords::SaveOutcome::Refused);
            return out.message;
        });
    };
    const struct {
        const char *save;
        const char *atB; // statements split at ";"
        Run run;
        QString message;
    } rows[] = {
        {"Job Add: the customer", "DELETE FROM Customers WHERE CustomerNumber = :c", add({}), gone("Customer")},
        {"Job Add: the address", "DELETE FROM CustomerServiceAddresses WHERE SAddressSeqNo = :a2",
         add([](const Named &n, CustomerJobEntry &e) { e.sAddressSeqNo = n.a2; }), gone("Service Address")},
        {"Job Add: the job type", "DELETE FROM JobTypes WHERE JobTypeCode = :t", add({}), gone("Job Type")},
        {"Job Add: the job type's code", "UPDATE JobTypes SET JobTypeCode = :t || 'X' WHERE JobTypeCode = :t", add({}),
         gone("Job Type")},
        {"Job Add: the associate", "DELETE FROM Associates WHERE AssociateID = :s", add({}), gone("Associate")},
        {"Job Add: the associate's ID", "UPDATE Associates SET AssociateID = :s || 'X' WHERE AssociateID = :s",
         add({}), gone("Associate")},
        {"Job Modify: the job", "DELETE FROM CustomerJobs WHERE JobSeqNo = :j",
         modify([](const Named &, CustomerJobEntry &e) { e.comment = "Ring first"; }), gone("Customer Job")},
        {"Job Modify: the associate chosen", "DELETE FROM Associates WHERE AssociateID = :s",
         modify([](const Named &n, CustomerJobEntry &e) { e.associateID = n.s; }), gone("Associate")},
        {"Job Modify: the address chosen", "DELETE FROM CustomerServiceAddresses WHERE SAddressSeqNo = :a2",
         modify([](const Named &n, CustomerJobEntry &e) { e.sAddressSeqNo = n.a2; }), gone("Service Address")},
        {"Job delete, after the question", "DELETE FROM CustomerJobs WHERE JobSeqNo = :j",
         [&](const Named &n) { return caught([&] { return CustomerJobRecords::remove(n.j), QString(); }); },
         gone("Customer Job")},
        {"Job type Modify: the job type", "DELETE FROM JobTypes WHERE JobTypeCode = :t",
         jobType([&](const Named &n) { return JobTypeRecords::save("Modify", n.t, {n.t, "Hedges", ""}, noAnswer); }),
         gone("Job Type")},
        // In the window, which stays open with what was typed.
        {"Job type Modify: its code", "",
         [&](const Named &n) {
             auto dialog = shown<JobTypeAddModifyForm>("Modify~" + n.t);
             type(dialog.get(), "DescriptionText", "Hedges and edges");
             writeSql("UPDATE JobTypes SET JobTypeCode = ? WHERE JobTypeCode = ?", {n.t + "X", n.t}, b);
             writeSql("UPDATE CustomerJobs SET JobTypeCode = ? WHERE JobTypeCode = ?", {n.t + "X", n.t}, b);
             before = tables();
             msgs_->clear();
             click(dialog.get(), "OKButton");
             EXPECT_TRUE(dialog->isVisible());
             EXPECT_EQ(text(dialog.get(), "DescriptionText"), "Hedges and edges");
             return msgs_->texts().join(" | ");
         },
         gone("Job Type")},
        {"Job type delete, after the question", "DELETE FROM JobTypes WHERE JobTypeCode = :t",
         [](const Named &n) { return JobTypeRecords::remove(n.t, "Hedges", QDate(2031, 7, 7)); }, gone("Job Type")},
        {"Job type delete: its code, after the question",
         "UPDATE JobTypes SET JobTypeCode = :t || 'X' WHERE JobTypeCode = :t",
         [](const Named &n) { return JobTypeRecords::remove(n.t, "Hedges", QDate(2031, 7, 7)); }, gone("Job Type")},
        // Last: the schedule closed here stays closed for the rows after it. It is closed while the user is
        // asked about the day of the month, after the entry's own check.
        {"Job Add: a schedule over its start closed", "",
         [&](const Named &n) {
             CustomerJobEntry e = validEntry(n.c, n.a);
             e.startDateText = "14 Jul 2031", e.jobTypeCode = n.t, e.associateID = n.s;
             e.frequency = {.option = FrequencyOption::Monthly, .subOption = 1, .monthlyText1 = "29", .monthlyText2 = "1"};
             return caught([&] {
                 return CustomerJobSave::save(e, {}, nullptr, [&](const QString &) {
                            writeSql("UPDATE Schedules SET Status = 'Closed'", {}, b);
                            return true;
                        }).message;
             });
         },
         "The Start Date falls within the date range of a closed Job Schedule and the Customer Job cannot be added. "
         "Please select another date"},
    };
    addSchedule("2031-07-14", "2031-07-20", "Open");
    int i = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.save);
        ++i;
        Named n;
        n.c = addCustomer(QString("Row%1").arg(i), "Ann");
        n.a = addAddress(n.c, "1 Row St", "Albany");
        n.a2 = addAddress(n.c, "2 Row St", "Albany");
        n.t = QString("T%1").arg(i);
        addJobType(n.t, "Hedges");
        n.s = QString("S%1").arg(i);
        addAssociate(n.s, QString("Sam %1").arg(i), "pw", 1);
        n.j = addJob(n.c, n.a);
        for (QString sql : QString::fromLatin1(row.atB).split(';', Qt::SkipEmptyParts)) {
            sql.replace(":t", "'" + n.t + "'").replace(":s", "'" + n.s + "'").replace(":a2", QString::number(n.a2));
            sql.replace(":a", QString::number(n.a)).replace(":c", QString::number(n.c)).replace(":j", QString::number(n.j));
            writeSql(sql, {}, b);
        }
        before = tables();
        EXPECT_EQ(row.run(n), row.message);
        EXPECT_EQ(tables(), before);
    }
}

} // namespace
