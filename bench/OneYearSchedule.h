#pragma once
// The one-year schedule the benchmarks share: 10,000 current customer jobs of
// every kind of recurrence (some 264,000 occurrences) in a fresh database,
// with one Open schedule for 2025.
#include "BenchSupport.h"
#include "common/Formats.h"
#include "data/AppDatabase.h"
#include "scheduling/ScheduleRecords.h"
#include "shell/NewDatabase.h"
#include "core/Session.h"

#include <QDir>
#include <QTemporaryDir>

namespace bench {

inline constexpr int kJobs = 10000;

// The mix of a service business, in twentieths: mostly monthly and four-weekly
// work, some fortnightly and weekly, a few jobs every weekday or every few
// days, and yearly ones.
inline int frequencyFor(int i)
{
    switch (i % 20) {
    case 0: case 1: case 2: case 3: return 10000 + 100 * (1 + i % 28) + 1;          // day D of every month
    case 4: case 5: return 20000 + 1000 * (1 + i % 5) + 100 * (1 + i % 7) + 1;      // Nth weekday of every month
    case 6: return 19903;                                                          // last day of every 3 months
    case 7: case 8: case 9: case 10: return 28;                                    // every 28 days
    case 11: case 12: case 13: return 102000 + (1 << (i % 5));                     // every 2 weeks on one day
    case 14: case 15: return 101000 + (1 << (i % 5));                              // every week on one day
    case 16: return i % 40 == 16 ? 399 : 3;                                        // every weekday / every 3 days
    case 17: return 30000 + 100 * (1 + i % 12) + (1 + i % 28);                     // yearly on a day
    case 18: return 40000 + 1000 * (1 + i % 4) + 100 * (1 + i % 7) + (1 + i % 12); // yearly on a weekday
    default: return 14;                                                            // every 14 days
    }
}

struct Database {
    Database()
    {
        createDatabase(dir);
        wvs::readInstallation();
        wvs::session().currentAssociateName = QStringLiteral("Administrator");
        wvs::Transaction t;
        for (int a = 0; a < 8; ++a)
            wvs::writeSql(QStringLiteral("INSERT INTO Associates (AssociateID, AssociateName, Active) VALUES (?, ?, 1)"),
                          {QStringLiteral("A%1").arg(a), QStringLiteral("Associate %1").arg(a)});
        for (int k = 0; k < 12; ++k)
            wvs::writeSql(QStringLiteral("INSERT INTO JobTypes (JobTypeCode, JobTypeDescription) VALUES (?, ?)"),
                          {QStringLiteral("T%1").arg(k), QStringLiteral("Job type number %1").arg(k)});
        for (int i = 0; i < kJobs; ++i) {
            wvs::writeSql(QStringLiteral("INSERT INTO Customers (Surname, Forename, Phone1, PreferredPhone, "
                                         "CustomerStatus, CustomerComment, CommentOnSchedule) VALUES (?, ?, ?, 1, 1, ?, ?)"),
                          {QStringLiteral("Surname%1").arg((i * 7919) % kJobs), QStringLiteral("Forename%1").arg(i % 97),
                           QStringLiteral("09 %1").arg(1000000 + i),
                           i % 10 == 0 ? QStringLiteral("Key under the mat, ring before arriving") : QStringLiteral(""),
                           i % 10 == 0 ? 1 : 0});
            const qint64 customer = wvs::lastInsertId();
            wvs::writeSql(QStringLiteral("INSERT INTO CustomerServiceAddresses (CustomerNumber, SAddress1, SAddress2, "
                                         "SSuburb) VALUES (?, ?, ?, ?)"),
                          {customer, QStringLiteral("%1 Long Street").arg(i % 500),
                           i % 4 == 0 ? QStringLiteral("Unit %1").arg(i % 30) : QStringLiteral(""),
                           QStringLiteral("Suburb%1").arg(i % 61)});
            const qint64 address = wvs::lastInsertId();
            wvs::writeSql(QStringLiteral("INSERT INTO CustomerJobs (CustomerNumber, SAddressSeqNo, JobTypeCode, "
                                         "AssociateID, StartDate, EndDate, Frequency, Occurrences, Cost, AsRequired, "
                                         "CustomerJobComment, CommentOnSchedule) "
                                         "VALUES (?, ?, ?, ?, ?, '', ?, ?, ?, ?, ?, ?)"),
                          {customer, address, QStringLiteral("T%1").arg(i % 12), QStringLiteral("A%1").arg(i % 8),
                           wvs::Formats::toStoredDate(QDate(2023, 1, 2).addDays(i % 700)), frequencyFor(i),
                           i % 50 == 0 ? 6 : 0, 2500 + (i % 40) * 500, i % 25 == 0 ? 1 : 0,
                           i % 7 == 0 ? QStringLiteral("Bring the long ladder and the water-fed pole")
                                      : QStringLiteral(""),
                           i % 7 == 0 ? 1 : 0});
        }
        wvs::writeSql(QStringLiteral("INSERT INTO Schedules (FromDate, ToDate, Status) "
                                     "VALUES ('2025-01-01', '2025-12-31', 'Open')"));
        schedule = wvs::lastInsertId();
        t.commit();
        header = *wvs::ScheduleRecords::load(schedule);
    }
    QTemporaryDir dir;
    qint64 schedule = 0;
    wvs::ScheduleHeader header;
};

inline Database &database()
{
    static Database db;
    return db;
}

} // namespace bench
