#include "scheduling/ScheduleForm.h"
#include "ScheduleTestData.h"

using namespace wvs;
using namespace wvs::schedtest;

namespace {

// Another workstation holds its write longer than this one waits while a schedule window opens or is left.
class ScheduleLockBusyTest : public ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        AppDatabase::setBusyWait(200);
        other_ = secondConnection();
    }
    void TearDown() override
    {
        AppDatabase::setBusyWait(5000);
        other_ = QSqlDatabase();
        ScheduleDbTest::TearDown();
    }
    void hold() { execSql("BEGIN IMMEDIATE", {}, other_); writeSql("UPDATE Company SET CompanyName = 'X'", {}, other_); }
    void letGo() { execSql("COMMIT", {}, other_); }
    int locks() { return count("SELECT COUNT(*) FROM LockedSchedules WHERE AssociateID = 'ADM'"); }

    // One weekly job done on both Mondays of a schedule of this status; last serviced on 5 March.
    qint64 scheduleWithDoneJob(const QString &status)
    {
        const qint64 s = addSchedule("2025-03-03", "2025-03-16", status);
        job_ = addJob({.start = "2025-03-03"});
        writeSql("UPDATE CustomerJobs SET LastServiceDate = '2025-03-05' WHERE JobSeqNo = ?", {job_});
        storeJob(s, job_, "2025-03-03", 0, "2025-03-03");
        storeJob(s, job_, "2025-03-10", 1, "2025-03-10");
        return s;
    }

    QSqlDatabase other_;
    qint64 job_ = 0;
};

} // namespace

TEST_F(ScheduleLockBusyTest, BusyOpeningOpensNothingAndBusyLeavingKeepsTheWindowUntilItsLockAndDatesAreStored)
{
    // An Open schedule does not raise the last service date.
    const struct { const char *status, *mode; bool byTitleBar; const char *lastServiceAfter; } cases[] = {
        {"Closed", "View", false, "2025-03-10"}, {"Published", "Modify", true, "2025-03-10"},
        {"Open", "Modify", false, "2025-03-05"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.status);
        const QString tag = QStringLiteral("%1~%2").arg(c.mode).arg(scheduleWithDoneJob(c.status));
        // Busy while the lock is written: one message, and the grid never filled (it would have staged rows).
        writeSql("DELETE FROM ScheduleStaging");
        msgs_->clear();
        hold();
        auto refused = shown<ScheduleForm>(tag);
        EXPECT_EQ(msgs_->texts(), QStringList{AppDatabase::busyMessage()});
        EXPECT_FALSE(refused->isVisible());
        letGo();
        EXPECT_EQ(locks() + count("SELECT COUNT(*) FROM ScheduleStaging"), 0);

        auto form = shown<ScheduleForm>(tag);
        ASSERT_EQ(locks(), 1);
        msgs_->clear();
        auto leave = [&] { c.byTitleBar ? void(form->close()) : click(form.get(), "ExitButton"); };

        hold();
        leave();
        EXPECT_EQ(msgs_->texts(), QStringList{AppDatabase::busyMessage()});
        EXPECT_TRUE(form->isVisible() && locks() == 1);
        EXPECT_EQ(lastService(job_), "2025-03-05");

        letGo();
        msgs_->clear();
        leave();
        EXPECT_EQ(msgs_->texts(), QStringList());
        EXPECT_FALSE(form->isVisible() || locks());
        EXPECT_EQ(lastService(job_), c.lastServiceAfter);
    }
}

TEST_F(ScheduleLockBusyTest, AScheduleClosedWhileLeavingIsBusyIsNotOfferedForClosingAgain)
{
    const qint64 s = addSchedule("2025-03-03", "2025-03-16");
    addJob({.start = "2025-03-03"});
    auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(s));
    // The other workstation starts its write once the occurrences are stored.
    QObject::connect(form.get(), &ScheduleForm::scheduleClosed, [this] { hold(); });
    msgs_->clear();
    click(form.get(), "CloseButton");
    EXPECT_EQ(status(s) + QString::number(storedRows(s).size()), "Closed2");
    EXPECT_EQ(msgs_->texts(), QStringList({"The Schedule will now be closed - do you wish to continue?", "Schedule closed",
                                           AppDatabase::busyMessage()}));
    EXPECT_TRUE(form->isVisible() && locks() == 1);
    for (const char *b : {"CloseButton", "ExcludeButton", "AddButton", "ModifyButton", "DeleteButton"})
        EXPECT_FALSE(enabled(form.get(), b)) << b;

    letGo();
    click(form.get(), "ExitButton");
    EXPECT_FALSE(form->isVisible() || locks());
}
