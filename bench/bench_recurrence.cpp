// Expands 10,000 customer jobs of mixed recurrence kinds over a one-year
// schedule period, as generating a large Open schedule does.
#include "scheduling/RecurrenceExpansion.h"

#include <benchmark/benchmark.h>

#include <QDate>
#include <random>
#include <vector>

namespace {

struct Job {
    QDate start;
    QDate end;
    int frequency;
    int remaining;
};

std::vector<Job> makeJobs(int count)
{
    std::mt19937 rng(20240615);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const QDate base(2015, 1, 1);
    std::vector<Job> jobs;
    jobs.reserve(count);
    for (int i = 0; i < count; ++i) {
        int code = 0;
        switch (i % 8) {
        case 0: code = pick(1, 60); break;
        case 1: code = 399; break;
        case 2: code = 100000 + pick(1, 4) * 1000 + pick(1, 127); break;
        case 3: code = 10000 + pick(1, 31) * 100 + pick(1, 3); break;
        case 4: code = 19900 + pick(1, 6); break;
        case 5: code = 20000 + pick(1, 5) * 1000 + pick(1, 7) * 100 + pick(1, 3); break;
        case 6: code = 30000 + pick(1, 12) * 100 + pick(1, 28); break;
        default: code = 40000 + pick(1, 5) * 1000 + pick(1, 7) * 100 + pick(1, 12); break;
        }
        Job j;
        j.start = base.addDays(pick(0, 365 * 11));
        j.end = pick(0, 3) == 0 ? j.start.addDays(pick(30, 900)) : QDate();
        j.frequency = code;
        j.remaining = pick(0, 4) == 0 ? pick(1, 20) : 0;
        jobs.push_back(j);
    }
    return jobs;
}

void BM_ExpandTenThousandJobsOverOneYear(benchmark::State &state)
{
    const std::vector<Job> jobs = makeJobs(10000);
    const QDate from(2025, 7, 1), to(2026, 6, 30);
    qint64 dates = 0;
    for (auto _ : state) {
        dates = 0;
        for (const Job &j : jobs) {
            const QList<QDate> d = wvs::expandOccurrences(j.start, j.end, j.frequency, j.remaining, from, to);
            dates += d.size();
            benchmark::DoNotOptimize(d.constData());
        }
    }
    state.counters["dates"] = double(dates);
    state.counters["jobs"] = double(jobs.size());
}
BENCHMARK(BM_ExpandTenThousandJobsOverOneYear)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
