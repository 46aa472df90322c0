#include "scheduling/RecurrenceExpansion.h"
#include "ScheduleTestData.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

using namespace wvs;
using wvs::schedtest::d;

// Dates of every kind of code computed independently with dateutil's rrule (make_recurrence_fixtures.py).
TEST(RecurrenceExpansion, MatchesIndependentlyComputedDates)
{
    QFile file(QStringLiteral(WVS_TEST_DATA_DIR "/scheduling/recurrence_fixtures.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << file.fileName().toStdString();
    QTextStream in(&file);
    int cases = 0, failures = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList f = line.split(';');
        ASSERT_EQ(f.size(), 8) << line.toStdString();
        const QDate start = QDate::fromString(f[1], Qt::ISODate);
        const QDate end = f[2] == "-" ? QDate() : QDate::fromString(f[2], Qt::ISODate);
        const QStringList want = f[7].split(' ', Qt::SkipEmptyParts);
        QStringList got;
        for (const QDate &x : expandOccurrences(start, end, f[3].toInt(), f[4].toInt(), QDate::fromString(f[5], Qt::ISODate),
                                                QDate::fromString(f[6], Qt::ISODate)))
            got << x.toString(Qt::ISODate);
        ++cases;
        if (got != want && ++failures <= 10)
            ADD_FAILURE() << f[0].toStdString() << " code " << f[3].toStdString() << "\n  want: "
                          << want.join(' ').toStdString() << "\n  got:  " << got.join(' ').toStdString();
    }
    EXPECT_GT(cases, 1000);
}

// Cases the day-by-day walks got wrong that the fixtures do not hold.
TEST(RecurrenceExpansion, KeepsDatesOfMonthsAndBlocksInTheJobsRhythm)
{
    // A short period holding the day gives it even when it does not start the month.
    EXPECT_EQ(expandOccurrences(d("2024-01-10"), {}, 12001, 0, d("2025-03-18"), d("2025-03-22")), QList({d("2025-03-20")}));
    // The 3rd Thursday every 2 months: only months of the job's rhythm.
    EXPECT_EQ(expandOccurrences(d("2025-01-01"), {}, 23402, 0, d("2025-02-01"), d("2025-05-31")),
              QList({d("2025-03-20"), d("2025-05-15")}));
    // Monday and Friday in blocks from Wednesdays, one left: the Friday comes first and is the one kept.
    EXPECT_EQ(expandOccurrences(d("2025-01-01"), {}, 101017, 1, d("2025-01-03"), d("2025-01-31")), QList({d("2025-01-03")}));
}

TEST(RecurrenceExpansion, DegenerateCodesAndMissingOrReversedDatesGiveNothing)
{
    // 0 weeks, 0 months, negative months, no weekday: no dates, and no endless walk over centuries.
    QElapsedTimer t;
    t.start();
    for (int code : {100127, 101000, 10100, 20100, 19900, 19001, 19899})
        EXPECT_TRUE(expandOccurrences(d("1900-01-01"), {}, code, 0, d("1900-01-01"), d("2900-12-31")).isEmpty())
            << code;
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_TRUE(expandOccurrences({}, {}, 1, 0, d("2025-01-01"), d("2025-01-31")).isEmpty());
    EXPECT_TRUE(expandOccurrences(d("2025-01-01"), {}, 1, 0, d("2025-02-01"), d("2025-01-31")).isEmpty());
    // A job that ends before it starts has no dates, not even its start date.
    for (int code : {1, 19901})
        EXPECT_TRUE(expandOccurrences(d("2025-01-10"), d("2025-01-05"), code, 0, d("2025-01-01"), d("2025-01-31")).isEmpty());
}

TEST(RecurrenceExpansion, NoSixteenBitLimitAndCostFollowsTheDates)
{
    // A century of days: more dates than a 16-bit count holds.
    EXPECT_EQ(expandOccurrences(d("1950-01-01"), {}, 1, 0, d("1950-01-01"), d("2049-12-31")).size(), 36525);
    // A start two thousand years before a one-week period costs no walk over them.
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(expandOccurrences(d("0020-03-02"), {}, 1, 0, d("2025-03-03"), d("2025-03-09")).size(), 7);
        ASSERT_EQ(expandOccurrences(d("0020-03-02"), {}, 11501, 0, d("2025-03-03"), d("2025-03-31")).size(), 1);
    }
    EXPECT_LT(t.elapsed(), 1000);
}
