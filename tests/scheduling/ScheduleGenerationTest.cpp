#include "scheduling/ScheduleGeneration.h"
#include "scheduling/ScheduleSortKeys.h"
#include "ScheduleTestData.h"

using namespace wvs;
using namespace wvs::schedtest;

namespace {

class ScheduleGenerationTest : public ScheduleDbTest {
protected:
    static QStringList entries(const QList<ScheduleEntry> &jobs)
    {
        QStringList out;
        for (const ScheduleEntry &e : jobs)
            out << QStringLiteral("%1:%2").arg(e.jobSeqNo).arg(e.serviceDate.toString(Qt::ISODate));
        return out;
    }
    QList<StagedJob> staged(qint64 schedule, const QString &user = "ADM", const ScheduleSortKeys::Choice &sort = {})
    {
        const QList<StagedJob> rows = ScheduleGeneration::stagedRows(schedule, user);
        QList<StagedJob> out;
        for (int p : ScheduleSortKeys::order(rows, sort))
            out << rows.at(p);
        return out;
    }
};

} // namespace

TEST_F(ScheduleGenerationTest, TakesCurrentJobsOfActiveCustomersThatOverlapThePeriodOnly)
{
    const qint64 schedule = addSchedule("2025-03-03", "2025-03-16");   // Monday to Sunday, two Mondays
    const qint64 current = addJob({.start = "2025-01-06"});
    for (int status : {9, 2})   // inactive, prospect
        addJob({.customer = addCustomer({.status = status}), .start = "2025-01-06"});
    addJob({.start = "2025-01-06", .suspended = true}), addJob({.start = "2025-01-06", .prospective = true});
    addJob({.start = "2025-03-17"}), addJob({.start = "2025-01-06", .end = "2025-03-02"});   // after it, ended before it
    const qint64 endsInside = addJob({.start = "2025-01-06", .end = "2025-03-05"});
    const qint64 startsInside = addJob({.start = "2025-03-10"});
    const qint64 oneOff = addJob({.start = "2025-03-16", .end = "2025-03-16", .frequency = 1});

    const PopulateResult r = populate(schedule);
    EXPECT_EQ(entries(r.jobs), QStringList({row(current, "2025-03-03"), row(endsInside, "2025-03-03"), row(current, "2025-03-10"),
                                            row(startsInside, "2025-03-10"), row(oneOff, "2025-03-16")}));

    // Nothing to show, open or closed: the user's earlier staging rows go all the same.
    EXPECT_TRUE(populate(addSchedule("2024-03-01", "2024-03-31")).jobs.isEmpty());   // before every job
    EXPECT_EQ(count("SELECT COUNT(*) FROM ScheduleStaging"), 0);
    populate(schedule);
    EXPECT_TRUE(populate(addSchedule("2026-03-01", "2026-03-31", "Closed")).jobs.isEmpty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM ScheduleStaging"), 0);

    // A job that ends on the period's first day, or starts on its last, is in it.
    const qint64 may = addSchedule("2025-05-05", "2025-05-11");   // Monday to Sunday
    const qint64 endsOnFirst = addJob({.start = "2025-04-07", .end = "2025-05-05"});
    const qint64 startsOnLast = addJob({.start = "2025-05-11", .frequency = 1});
    const QStringList inMay = entries(populate(may).jobs);
    EXPECT_TRUE(inMay.contains(row(endsOnFirst, "2025-05-05")) && inMay.contains(row(startsOnLast, "2025-05-11")))
        << inMay.join(' ').toStdString();
}

TEST_F(ScheduleGenerationTest, OccurrenceLimitCountsDoneOccurrencesOfOtherSchedulesOnly)
{
    const qint64 earlier = addSchedule("2025-02-01", "2025-02-28", "Closed");
    const qint64 schedule = addSchedule("2025-03-01", "2025-03-31");
    // Weekly on Monday, three times in all.
    const qint64 usedUp = addJob({.start = "2025-02-03", .end = "2025-03-31", .occurrences = 3});
    const qint64 oneLeft = addJob({.start = "2025-02-03", .end = "2025-03-31", .occurrences = 3});
    for (const char *date : {"2025-02-03", "2025-02-10", "2025-02-17"})
        storeJob(earlier, usedUp, date, 0, date);
    storeJob(earlier, oneLeft, "2025-02-03", 1, "2025-02-03"), storeJob(earlier, oneLeft, "2025-02-10", 2, "2025-02-11");
    storeJob(earlier, oneLeft, "2025-02-17", 3);   // not done: does not count
    EXPECT_EQ(entries(populate(schedule).jobs), QStringList({row(oneLeft, "2025-03-03")}));

    // A re-opened schedule's own done occurrences show again, done, without using the job up.
    const qint64 reopened = addSchedule("2025-04-01", "2025-04-30");
    const qint64 twice = addJob({.start = "2025-04-07", .occurrences = 2});
    storeJob(reopened, twice, "2025-04-07", 0, "2025-04-07");
    storeJob(reopened, twice, "2025-04-14", 1, "2025-04-15", "BOB");
    EXPECT_EQ(entries(populate(reopened).jobs), QStringList({row(twice, "2025-04-07"), row(twice, "2025-04-14")}));
    EXPECT_EQ(staged(reopened).at(1).done, 0);
}

TEST_F(ScheduleGenerationTest, StagingRowsCarryWhatTheGridShows)
{
    const qint64 schedule = addSchedule("2025-03-03", "2025-03-09");
    const qint64 c1 = addCustomer({.surname = "Brown", .forename = "", .preferredPhone = 2,
                                   .comment = "Dog in the yard", .commentOnSchedule = true});
    const qint64 a1 = addAddress(c1, "12 High Street", "Grey Lynn", "", "Unit 4");
    addJobType("GUT", "Gutter clearing");
    addJob({.customer = c1, .address = a1, .jobType = "GUT", .associate = "BOB", .start = "2025-03-03",
            .costCents = 123456, .comment = "Bring the long ladder", .commentOnSchedule = true, .asRequired = true});

    const qint64 c2 = addCustomer({.surname = "Clark", .forename = "Jo", .preferredPhone = 0,
                                   .comment = "Not for the schedule"});
    addJob({.customer = c2, .address = addAddress(c2, "5 Bay Road", "Herne Bay", "Flat 2", ""), .start = "2025-03-04",
            .frequency = 1, .costCents = 900, .comment = "Side gate code 1234", .commentOnSchedule = true});

    addJob({.customer = addCustomer({.surname = "Day", .preferredPhone = 3, .comment = "Ring first",
                                     .commentOnSchedule = true}),
            .start = "2025-03-05", .end = "2025-03-05", .frequency = 1,
            .comment = "Job note", .commentOnSchedule = false});

    populate(schedule);
    const QList<StagedJob> rows = staged(schedule);
    ASSERT_EQ(rows.size(), 1 + 6 + 1);
    auto shown = [](const StagedJob &j) {
        return QStringList({j.associate, j.customer, j.address, j.location, j.phone, j.jobType,
                            QString::number(j.cost.cents()), j.comments, QString::number(j.done), j.asRequired ? "AR" : ""});
    };
    EXPECT_EQ(shown(rows.at(0)), QStringList({"BOB", "Brown, ", QStringLiteral("12 High Street\r\nUnit 4~%1").arg(a1),
                                              "Grey Lynn", "021 222 2222", "Gutter clearing", "123456",
                                              "Dog in the yard\r\nBring the long ladder", "1", "AR"}));   // done 1: not done
    EXPECT_EQ(shown(rows.at(1)).mid(3), QStringList({"Herne Bay", "", "Window cleaning", "900", "Side gate code 1234", "1", ""}));
    EXPECT_EQ(rows.at(3).phone, "09 333 3333");
    EXPECT_EQ(rows.at(3).comments, "Ring first");

    // The first phone when it is preferred, none for a choice outside the three; the address lines that
    // are filled; no comment when neither is for the schedule, and no line break before a job's comment
    // when the customer's comment is for the schedule but empty.
    const qint64 april = addSchedule("2025-04-07", "2025-04-13");
    const struct { int preferredPhone; const char *line2, *line3; bool customerOn, jobOn; const char *customerComment; } cases[] = {
        {1, "Flat 2", "Block C", false, false, "Dog"}, {4, "Flat 2", "", true, true, ""}, {1, "", "", false, true, "Dog"}};
    QList<qint64> addresses, jobs;
    for (int i = 0; const auto &c : cases) {
        const qint64 customer = addCustomer({.preferredPhone = c.preferredPhone, .comment = c.customerComment,
                                             .commentOnSchedule = c.customerOn});
        addresses << addAddress(customer, "1 Main Road", "Ponsonby", c.line2, c.line3);
        const QString day = QStringLiteral("2025-04-0%1").arg(7 + i++);
        jobs << addJob({.customer = customer, .address = addresses.last(), .start = day, .end = day, .frequency = 1,
                        .comment = "Gate", .commentOnSchedule = c.jobOn});
    }
    populate(april);
    QList<StagedJob> more = staged(april);
    more.removeIf([&](const StagedJob &j) { return !jobs.contains(j.jobSeqNo); });
    ASSERT_EQ(more.size(), 3);
    auto parts = [](const StagedJob &j) { return QStringList({j.phone, j.address, j.comments}); };
    EXPECT_EQ(parts(more.at(0)), QStringList({"09 111 1111", QStringLiteral("1 Main Road\r\nFlat 2\r\nBlock C~%1").arg(addresses.at(0)), ""}));
    EXPECT_EQ(parts(more.at(1)), QStringList({"", QStringLiteral("1 Main Road\r\nFlat 2~%1").arg(addresses.at(1)), "Gate"}));
    EXPECT_EQ(parts(more.at(2)), QStringList({"09 111 1111", QStringLiteral("1 Main Road~%1").arg(addresses.at(2)), "Gate"}));
}

TEST_F(ScheduleGenerationTest, AssociateFilterStagesOneAssociateAndOnlyTheUsersRowsAreReplaced)
{
    addAssociate("BOB", "Bob Builder", "pw", 1);
    const qint64 schedule = addSchedule("2025-03-03", "2025-03-09");
    const qint64 other = addSchedule("2025-04-01", "2025-04-30");
    const qint64 adm = addJob({.associate = "ADM", .start = "2025-03-03"});
    const qint64 bob = addJob({.associate = "BOB", .start = "2025-03-03"});

    ASSERT_EQ(populate(other).staged + populate(schedule, {}, "BOB").staged, 10);

    const PopulateResult r = populate(schedule, "bob", "ADM");
    EXPECT_EQ(entries(r.jobs), QStringList({row(adm, "2025-03-03"), row(bob, "2025-03-03")}));
    ASSERT_EQ(r.staged, 1);
    EXPECT_EQ(staged(schedule).at(0).jobSeqNo, bob);
    // All of ADM's earlier rows went, whatever their schedule; BOB's stayed.
    EXPECT_EQ(rowsOf("SELECT UserID, COUNT(*) FROM ScheduleStaging GROUP BY UserID ORDER BY UserID"), "ADM|1;BOB|2");
}

TEST_F(ScheduleGenerationTest, StoredScheduleShowsItsOccurrencesInStoredOrder)
{
    addAssociate("BOB", "Bob Builder", "pw", 1);
    const qint64 schedule = addSchedule("2025-03-01", "2025-03-31", "Closed");
    const qint64 a = addJob({.associate = "BOB", .start = "2025-03-03"});
    const qint64 b = addJob({.start = "2025-03-03"});
    addJobType("OLD", "Old type");
    const qint64 gone = addJob({.jobType = "OLD", .start = "2025-03-03"});
    writeSql("DELETE FROM JobTypes WHERE JobTypeCode = 'OLD'");
    storeJob(schedule, a, "2025-03-17", 2, "2025-03-18", "ADM"), storeJob(schedule, b, "2025-03-03", 5);
    storeJob(schedule, gone, "2025-03-10", 6), storeJob(schedule, a, "2025-03-03", 7);

    const PopulateResult r = populate(schedule);
    EXPECT_EQ(entries(r.jobs), QStringList({row(a, "2025-03-17"), row(b, "2025-03-03"), row(gone, "2025-03-10"),
                                            row(a, "2025-03-03")}));
    EXPECT_EQ(r.jobs.at(0).associateID, "ADM");   // as stored
    // The occurrence whose job type is gone is not staged.
    EXPECT_EQ(r.seqNos, QList<int>({2, 5, 7}));
    const QList<StagedJob> rows = staged(schedule);
    ASSERT_EQ(rows.size(), 3);
    // The job's current associate; done 0, not done 1.
    EXPECT_EQ(QStringList({rows.at(0).associate, QString::number(rows.at(0).done), QString::number(rows.at(1).done)}),
              QStringList({"BOB", "0", "1"}));
}

TEST_F(ScheduleGenerationTest, SchedulesOfAnySizeGenerate)
{
    const qint64 schedule = addSchedule("2025-01-01", "2025-12-31");
    Transaction t;
    for (int i = 0; i < 100; ++i)
        addJob({.start = "2025-01-01", .frequency = 1});
    t.commit();
    const PopulateResult r = populate(schedule);
    EXPECT_EQ(count("SELECT MAX(RecordNumber) FROM ScheduleStaging WHERE UserID = 'ADM'"), 36500);
    EXPECT_EQ(r.jobs.last().serviceDate, d("2025-12-31"));
}

TEST_F(ScheduleGenerationTest, SortKeysOrderTheStagedRowsAndEndWithTheStagingOrder)
{
    const qint64 schedule = addSchedule("2025-03-01", "2025-03-31");
    const qint64 z = addJob({.customer = addCustomer({.surname = "Zed"}), .start = "2025-03-10", .end = "2025-03-10", .frequency = 1,
                             .costCents = 900, .comment = "apple", .commentOnSchedule = true});
    const qint64 a = addJob({.customer = addCustomer({.surname = "amy"}), .start = "2025-03-02", .end = "2025-03-02", .frequency = 1,
                             .costCents = 10000, .comment = "Zebra", .commentOnSchedule = true, .asRequired = true});
    const qint64 m = addJob({.start = "2025-03-10", .end = "2025-03-10", .frequency = 1, .costCents = 900});
    populate(schedule);
    auto order = [&](const QString &k1, const QString &o1, const QString &k2 = {}, const QString &o2 = {}) {
        QList<qint64> out;
        for (const StagedJob &j : staged(schedule, "ADM", {k1, o1, k2, o2}))
            out << j.jobSeqNo;
        return out;
    };
    // Staged by date, then job: a (2 March), z, m (10 March).
    EXPECT_EQ(order({}, {}), QList<qint64>({a, z, m}));
    EXPECT_EQ(order("Service Date", "Descending"), QList<qint64>({z, m, a}));
    EXPECT_EQ(order("Customer", "Ascending"), QList<qint64>({a, m, z}));   // without regard to case
    EXPECT_EQ(order("Cost", "Ascending"), QList<qint64>({z, m, a}));       // 9.00 before 100.00
    EXPECT_EQ(order("Cost", "Descending", "Customer", "Descending"), QList<qint64>({a, z, m}));
    // Yes comes before No, as the job's Yes/No compares: last when descending.
    EXPECT_EQ(order("As Required", "Descending"), QList<qint64>({z, m, a}));
    // A second key without a first counts for nothing.
    EXPECT_EQ(order({}, {}, "Customer", "Descending"), QList<qint64>({a, z, m}));

    // Each key sorts by its own column: of two rows alike but for that column, the second comes first.
    using S = StagedJob &;
    const std::pair<const char *, std::function<void(S)>> keys[] = {
        {"As Required", [](S j) { j.asRequired = true; }}, {"Associate", [](S j) { j.associate = "A"; }},
        {"Service Date", [](S j) { j.serviceDate = d("2025-03-02"); }}, {"Customer", [](S j) { j.customer = "A"; }},
        {"Service Address", [](S j) { j.address = "A~1"; }}, {"Location", [](S j) { j.location = "A"; }},
        {"Phone", [](S j) { j.phone = "A"; }}, {"Job Type", [](S j) { j.jobType = "A"; }},
        {"Cost", [](S j) { j.cost = Money::fromCents(100); }}, {"Notes", [](S j) { j.comments = "A"; }},
        {"Done", [](S j) { j.done = 0; }}};
    const StagedJob alike{.associate = "B", .serviceDate = d("2025-03-10"), .customer = "B", .address = "B~1",
                          .location = "B", .phone = "B", .jobType = "B", .cost = Money::fromCents(900), .comments = "B"};
    for (const auto &[key, lesser] : keys) {
        QList<StagedJob> rows{alike, alike};
        lesser(rows[1]);
        EXPECT_EQ(ScheduleSortKeys::order(rows, {key, "Ascending"}), QList<int>({1, 0})) << key;
    }
}
