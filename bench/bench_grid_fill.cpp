// Filling the list grid with 50,000 rows of 10 columns, striped, the way the
// list windows fill it; run by hand: ./bench_grid_fill
#include "BenchSupport.h"
#include "platform/FlexGrid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using wvs::FlexGrid;

namespace {

constexpr int kRows = 50000;
constexpr int kCols = 10;

QVector<QStringList> makeRows()
{
    QVector<QStringList> rows;
    rows.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
        QStringList cells;
        cells.reserve(kCols);
        cells << QString() << QStringLiteral("Surname%1").arg((r * 7919) % kRows)
              << QStringLiteral("Forename%1").arg(r % 97) << QStringLiteral("Company %1 Ltd").arg(r % 1013)
              << QStringLiteral("%1 Long Street  ").arg(r % 500) << QStringLiteral("Suburb%1").arg(r % 61)
              << QStringLiteral("09 %1").arg(1000000 + r) << QString() << QString::number(r + 1)
              << QString::number(r % 3 == 0 ? 9 : 1);
        rows << cells;
    }
    return rows;
}

struct Window {
    Window()
    {
        grid = new FlexGrid(&top);
        grid->resize(1000, 600);
        top.resize(1000, 600);
        grid->setCols(kCols);
        grid->setHeadings({"", "Last Name", "First Name", "Company Name", "Correspondence Address", "Suburb", "Phone"});
        const int widths[kCols] = {0, 1800, 1800, 3200, 3800, 1850, 1500, 300, 0, 0};
        for (int c = 0; c < kCols; ++c)
            grid->setColWidth(c, widths[c]);
        top.show();
        QApplication::processEvents();
    }
    QWidget top;
    FlexGrid *grid;
};

// The whole rows handed over at once.
void BM_FillAllRowsAtOnce(benchmark::State &state)
{
    Window w;
    const QVector<QStringList> source = makeRows();
    for (auto _ : state) {
        state.PauseTiming();
        QVector<QStringList> rows = source;
        rows.detach();
        state.ResumeTiming();
        {
            FlexGrid::FillScope fill(w.grid);
            w.grid->setRows(1);
            w.grid->setData(std::move(rows));
            w.grid->stripe();
        }
        QApplication::processEvents();   // the grid is laid out and drawn
    }
    state.counters["rows"] = w.grid->rows() - 1;
}
BENCHMARK(BM_FillAllRowsAtOnce)->Unit(benchmark::kMillisecond);

// One addRow per record, as a loop over a query result does.
void BM_FillRowByRow(benchmark::State &state)
{
    Window w;
    const QVector<QStringList> source = makeRows();
    for (auto _ : state) {
        {
            FlexGrid::FillScope fill(w.grid);
            w.grid->setRows(1);
            for (const QStringList &cells : source)
                w.grid->addRow(cells);
            w.grid->stripe();
        }
        QApplication::processEvents();
    }
    state.counters["rows"] = w.grid->rows() - 1;
}
BENCHMARK(BM_FillRowByRow)->Unit(benchmark::kMillisecond);

// The same without hiding the grid: every row is announced as it comes.
void BM_FillRowByRowShown(benchmark::State &state)
{
    Window w;
    const QVector<QStringList> source = makeRows();
    for (auto _ : state) {
        w.grid->setRows(1);
        for (const QStringList &cells : source)
            w.grid->addRow(cells);
        w.grid->stripe();
        QApplication::processEvents();
    }
    state.counters["rows"] = w.grid->rows() - 1;
}
BENCHMARK(BM_FillRowByRowShown)->Unit(benchmark::kMillisecond);

// Rows sized first, then every cell written on its own.
void BM_FillCellByCell(benchmark::State &state)
{
    Window w;
    const QVector<QStringList> source = makeRows();
    for (auto _ : state) {
        {
            FlexGrid::FillScope fill(w.grid);
            w.grid->setRows(1);
            w.grid->setRows(kRows + 1);
            for (int r = 0; r < kRows; ++r)
                for (int c = 1; c < kCols; ++c)
                    w.grid->setTextMatrix(r + 1, c, source[r][c]);
            for (int r = 1; r <= kRows; ++r)
                w.grid->setRowBackColor(r, FlexGrid::stripeColor(r));
        }
        QApplication::processEvents();
    }
    state.counters["rows"] = w.grid->rows() - 1;
}
BENCHMARK(BM_FillCellByCell)->Unit(benchmark::kMillisecond);

// The generic sort of the filled list on the surname, then striped again.
void BM_SortFilledList(benchmark::State &state)
{
    Window w;
    w.grid->setData(makeRows());
    bool ascending = true;
    for (auto _ : state) {
        {
            FlexGrid::FillScope fill(w.grid);
            w.grid->sortByColumn(1, ascending);
            w.grid->stripe();
        }
        QApplication::processEvents();
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortFilledList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks(argc, argv); }
