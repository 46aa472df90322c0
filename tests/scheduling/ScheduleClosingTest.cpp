#include "platform/WvsError.h"
#include "scheduling/ScheduleClosing.h"
#include "ScheduleTestData.h"

using namespace wvs;
using namespace wvs::schedtest;

namespace {

class ScheduleClosingTest : public ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1);
        schedule = addSchedule("2025-03-03", "2025-03-30");   // four Mondays
        job = addJob({.start = "2025-01-06"});                 // weekly on Monday
    }
    qint64 schedule = 0, job = 0;
};

} // namespace

TEST_F(ScheduleClosingTest, AFailedCloseChangesNothingAndClosingStoresWhatIsLeftInWithItsListPositions)
{
    // Re-opened with 3 March done on the 4th by Bob.
    storeJob(schedule, job, "2025-03-03", 0, "2025-03-04", "BOB");
    const qint64 other = addJob({.associate = "BOB", .start = "2025-03-10", .end = "2025-03-10", .frequency = 1});
    PopulateResult r = populate(schedule);
    r.jobs.append(r.jobs.first());   // the same occurrence twice cannot be stored
    EXPECT_THROW(ScheduleClosing::close(schedule, r.jobs), WvsError);
    EXPECT_EQ(status(schedule), "Open");
    EXPECT_EQ(storedRows(schedule), QStringList(row(job, "2025-03-03#0")));
    EXPECT_EQ(stored(schedule, job, "2025-03-03", doneBy), "2025-03-04/BOB");

    r.jobs.removeLast();
    ASSERT_EQ(r.jobs.value(2).jobSeqNo, other);
    r.jobs[2].excluded = true;   // the other job's one-off
    EXPECT_TRUE(ScheduleClosing::close(schedule, r.jobs).done);
    EXPECT_EQ(status(schedule), "Closed");
    EXPECT_EQ(storedRows(schedule).join(' ').remove(QString::number(job) + ':'),
              "2025-03-03#0 2025-03-10#1 2025-03-17#3 2025-03-24#4");
    EXPECT_EQ(stored(schedule, job, "2025-03-10", doneBy), "/ADM");

    // A schedule without a single occurrence still closes.
    const qint64 empty = addSchedule("2026-01-01", "2026-01-31");
    EXPECT_TRUE(ScheduleClosing::close(empty, {}).done);
    EXPECT_EQ(status(empty), "Closed");
}

TEST_F(ScheduleClosingTest, OnlyTheFirstOfTwoWorkstationsClosesTheSchedule)
{
    QSqlDatabase second = secondConnection();
    PopulateResult mine = populate(schedule);
    PopulateResult theirs = populate(schedule, QString(), "ADM", second);
    theirs.jobs[0].excluded = true;

    EXPECT_TRUE(ScheduleClosing::close(schedule, theirs.jobs, second).done);
    const QStringList closedByThem = storedRows(schedule);
    ASSERT_EQ(closedByThem.size(), 3);
    const ScheduleWriteOutcome out = ScheduleClosing::close(schedule, mine.jobs);
    EXPECT_FALSE(out.done);
    EXPECT_EQ(out.message, "The Schedule now has a status of Closed and therefore cannot be closed");
    EXPECT_EQ(storedRows(schedule), closedByThem);

    writeSql("DELETE FROM Schedules WHERE ScheduleNumber = ?", {schedule});
    EXPECT_EQ(ScheduleClosing::close(schedule, mine.jobs).message,
              "The Schedule no longer exists and therefore cannot be closed");
}

TEST_F(ScheduleClosingTest, ReclosingKeepsTheRecordedDatesAndAssociatesWhateverTheFilter)
{
    const qint64 bobs = addJob({.associate = "BOB", .start = "2025-03-03", .end = "2025-03-03", .frequency = 1});
    // Closed once; since then 10 March done on the 11th by Bob, Bob's job on its day, 17 March not done.
    storeJob(schedule, job, "2025-03-03", 0), storeJob(schedule, bobs, "2025-03-03", 1, "2025-03-03", "BOB");
    storeJob(schedule, job, "2025-03-10", 2, "2025-03-11", "BOB"), storeJob(schedule, job, "2025-03-17", 3);
    storeJob(schedule, job, "2025-03-24", 4, "2025-03-24");
    // Re-opened, the job handed to Bob, and regenerated showing only ADM's jobs.
    writeSql("UPDATE CustomerJobs SET AssociateID = 'BOB' WHERE JobSeqNo = ?", {job});
    PopulateResult r = populate(schedule, "ADM");
    EXPECT_EQ(r.staged, 0);   // none of the rows shown are ADM's
    ASSERT_EQ(r.jobs.size(), 5);
    // The occurrence of 24 March is excluded this time.
    for (ScheduleEntry &e : r.jobs)
        e.excluded = e.serviceDate == d("2025-03-24");

    ASSERT_TRUE(ScheduleClosing::close(schedule, r.jobs).done);
    // Not done (17 March): stored again for the job's associate of now.
    EXPECT_EQ(QStringList({stored(schedule, job, "2025-03-10", doneBy), stored(schedule, bobs, "2025-03-03", doneBy),
                           stored(schedule, job, "2025-03-17", doneBy)}),
              QStringList({"2025-03-11/BOB", "2025-03-03/BOB", "/BOB"}));
    // Left out: gone with its mark.
    EXPECT_EQ(count("SELECT COUNT(*) FROM ScheduleJobs WHERE ScheduleServiceDate = '2025-03-24'"), 0);
}

TEST_F(ScheduleClosingTest, SavingTheOrderHandsTheStagedNumbersOutInGridOrder)
{
    const qint64 closed = addSchedule("2025-05-01", "2025-05-31", "Closed");
    QList<qint64> jobs;
    for (int i = 0; i < 5; ++i) {
        jobs << addJob({.start = "2025-05-05", .end = "2025-05-05", .frequency = 1});
        storeJob(closed, jobs.last(), "2025-05-05", i * 2);   // 0, 2, 4, 6, 8
    }
    const PopulateResult r = populate(closed);
    ASSERT_EQ(r.seqNos, QList<int>({0, 2, 4, 6, 8}));

    // The rows in the order given, each with its stored and staged numbers.
    auto inOrder = [&](std::initializer_list<int> order) {
        QList<OrderRow> rows;
        for (int i : order)
            rows.append({jobs.at(i), d("2025-05-05"), i * 2, i + 1});
        return rows;
    };
    // Row 5 moved up above row 4.
    ASSERT_TRUE(ScheduleClosing::saveOrder(closed, "ADM", inOrder({0, 1, 2, 4, 3}), r.seqNos).done);
    EXPECT_EQ(stored(closed, jobs.at(4), "2025-05-05", "ScheduleSeqNo") + stored(closed, jobs.at(3), "2025-05-05", "ScheduleSeqNo"), "68");
    EXPECT_EQ(count("SELECT ScheduleSeqNo FROM ScheduleStaging WHERE JobSeqNo = ?", {jobs.at(4)}), 6);

    // Staged rows no longer matching the stored ones (another workstation saved): nothing is saved.
    EXPECT_FALSE(ScheduleClosing::saveOrder(closed, "ADM", inOrder({1, 0, 2, 3, 4}), r.seqNos).done);
    EXPECT_EQ(stored(closed, jobs.at(0), "2025-05-05", "ScheduleSeqNo") + stored(closed, jobs.at(1), "2025-05-05", "ScheduleSeqNo"), "02");
}
