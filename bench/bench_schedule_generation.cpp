// A one-year Open schedule for 10,000 current customer jobs of every kind of
// recurrence (some 264,000 occurrences): generating, staging and showing it,
// as opening the schedule window does; the generation and staging alone; and
// a re-sort of the open window. Run by hand:
// ./bench_schedule_generation
#include "common/Formats.h"
#include "data/AppDatabase.h"
#include "platform/FlexGrid.h"
#include "platform/MessageBox.h"
#include "scheduling/ScheduleForm.h"
#include "scheduling/ScheduleGeneration.h"
#include "shell/NewDatabase.h"
#include "core/Session.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kJobs = 10000;

// The mix of a service business, in twentieths: mostly monthly and four-weekly
// work, some fortnightly and weekly, a few jobs every weekday or every few
// days, and yearly ones.
int frequencyFor(int i)
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
        qputenv("WVS_HOME", dir.path().toLocal8Bit());
        wvs::NewInstallation inst;
        inst.businessName = QStringLiteral("Bench");
        inst.country = QStringLiteral("New Zealand");
        inst.installationID = QStringLiteral("BENCH");
        inst.associateID = QStringLiteral("ADM");
        inst.associateName = QStringLiteral("Administrator");
        inst.password = QStringLiteral("secret");
        wvs::createNewDatabase(QDir(dir.path()).filePath(QStringLiteral("WVS.db")), inst);
        wvs::readInstallation();
        wvs::session().currentAssociateID = QStringLiteral("ADM");
        wvs::session().currentAssociateName = QStringLiteral("Administrator");
        wvs::session().currentAuthorityLevel = 1;
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

Database &database()
{
    static Database db;
    return db;
}

// The whole road: the schedule window opens, generates, stages and shows.
void BM_OpenScheduleWindow(benchmark::State &state)
{
    Database &db = database();
    wvs::MessageScript quiet;
    int rows = 0;
    for (auto _ : state) {
        auto form = std::make_unique<wvs::ScheduleForm>();
        form->Tag = QStringLiteral("Modify~%1").arg(db.schedule);
        form->show();
        QApplication::processEvents();
        QApplication::processEvents();
        rows = form->grid()->rows() - 1;
        state.PauseTiming();
        form->ExitButton_Click();
        form.reset();
        state.ResumeTiming();
    }
    state.counters["occurrences"] = rows;
}
BENCHMARK(BM_OpenScheduleWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

// Generation and staging alone.
void BM_GenerateAndStage(benchmark::State &state)
{
    Database &db = database();
    int staged = 0;
    for (auto _ : state)
        staged = wvs::ScheduleGeneration::populate(db.header, QStringLiteral("ADM"), QString()).staged;
    state.counters["occurrences"] = staged;
}
BENCHMARK(BM_GenerateAndStage)->Unit(benchmark::kMillisecond)->Iterations(3);

// A re-sort of the open window on the customer's name: the rows shown are
// put in the new order.
void BM_ResortByCustomer(benchmark::State &state)
{
    Database &db = database();
    wvs::MessageScript quiet;
    wvs::ScheduleForm form;
    form.Tag = QStringLiteral("Modify~%1").arg(db.schedule);
    form.show();
    QApplication::processEvents();
    QApplication::processEvents();
    form.findChild<QComboBox *>(QStringLiteral("Sort1Combo"))->setCurrentText(QStringLiteral("Customer"));
    form.findChild<QComboBox *>(QStringLiteral("Sort1OrderCombo"))->setCurrentText(QStringLiteral("Ascending"));
    for (auto _ : state)
        form.SortButton_Click();
    state.counters["occurrences"] = form.grid()->rows() - 1;
    form.ExitButton_Click();
}
BENCHMARK(BM_ResortByCustomer)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wvs::AppDatabase::close();
    return 0;
}
