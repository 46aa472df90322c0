// The job schedule preview and printout of the one-year schedule, closed
// (some 264,000 stored occurrences): the preview's first page, a turn to a
// page not yet shown, a turn back, and the whole printout into a PDF file.
// Run by hand:
// ./bench_schedule_print
#include "OneYearSchedule.h"
#include "output/JobSchedulePrintout.h"
#include "output/PreviewScheduleForm.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Printers.h"
#include "scheduling/ScheduleClosing.h"
#include "scheduling/ScheduleGeneration.h"

#include <QApplication>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The schedule closed once, so its occurrences are stored.
qint64 closedSchedule()
{
    static const qint64 number = [] {
        bench::Database &db = bench::database();
        const auto populated = wvs::ScheduleGeneration::populate(db.header, QStringLiteral("ADM"), QString());
        wvs::ScheduleClosing::close(db.schedule, populated.jobs);
        wvs::schedulePrintSelection() = wvs::SchedulePrintSelection::all();
        wvs::schedulePrintSelection().breakOnDate = false;
        return db.schedule;
    }();
    return number;
}

std::unique_ptr<wvs::PreviewScheduleForm> openPreview()
{
    auto preview = std::make_unique<wvs::PreviewScheduleForm>();
    preview->Tag = QString::number(closedSchedule()) + QLatin1Char('~');
    preview->show();
    QApplication::processEvents();
    QApplication::processEvents();
    return preview;
}

void BM_PreviewFirstPage(benchmark::State &state)
{
    closedSchedule();
    wvs::PrinterScript noPrinter({});
    for (auto _ : state) {
        auto preview = openPreview();
        benchmark::DoNotOptimize(preview->PageNumber);
        state.PauseTiming();
        preview.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PreviewNextPage(benchmark::State &state)
{
    closedSchedule();
    wvs::PrinterScript noPrinter({});
    auto preview = openPreview();
    for (auto _ : state)
        preview->NextImage_Click();   // each turn reaches a page not shown before
    state.counters["page"] = preview->PageNumber;
}
BENCHMARK(BM_PreviewNextPage)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_PreviewPageBackAndForth(benchmark::State &state)
{
    closedSchedule();
    wvs::PrinterScript noPrinter({});
    auto preview = openPreview();
    for (int i = 0; i < 10; ++i)
        preview->NextImage_Click();
    for (auto _ : state) {
        preview->PreviousImage_Click();
        preview->NextImage_Click();
    }
}
BENCHMARK(BM_PreviewPageBackAndForth)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_PrintWholeScheduleToPdf(benchmark::State &state)
{
    closedSchedule();
    wvs::PrinterScript noPrinter({});
    wvs::MessageScript quiet;
    const QString pdf = QDir(bench::database().dir.path()).filePath(QStringLiteral("schedule.pdf"));
    for (auto _ : state) {
        wvs::FileDialogScript saveAs;
        saveAs.answer(pdf);
        wvs::PrintWorkvane(closedSchedule(), QString());
    }
    state.counters["MB"] = QFileInfo(pdf).size() / 1e6;
}
BENCHMARK(BM_PrintWholeScheduleToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks(argc, argv); }
