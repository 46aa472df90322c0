// A one-year Open schedule for 10,000 current customer jobs of every kind of
// recurrence (some 264,000 occurrences): generating, staging and showing it,
// as opening the schedule window does; the generation and staging alone; and
// a re-sort of the open window. Run by hand:
// ./bench_schedule_generation
#include "OneYearSchedule.h"
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
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using bench::database;

// The whole road: the schedule window opens, generates, stages and shows.
void BM_OpenScheduleWindow(benchmark::State &state)
{
    bench::Database &db = database();
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
    bench::Database &db = database();
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
    bench::Database &db = database();
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

int main(int argc, char **argv) { return bench::runBenchmarks(argc, argv); }
