// The peak memory of a MYOB customer import of a generated card file of 10 MB
// and of 300 MB into a fresh database: the import reads and applies a line at
// a time, so the two peaks should lie within a few MB of each other. Run by
// hand (the 300 MB file takes a few minutes and as much disk again for the
// database): ./bench_customer_import
// Counters: file_MB, peak_MB (the process's peak resident memory during the
// import: the kernel's high-water mark, reset before the import, or the
// highest of the resident sizes sampled every 5 ms, whichever is higher),
// start_MB (resident memory before it) and lines. For figures of one size
// alone, run each in a process of its own (--benchmark_filter=/300/).
#include "BenchSupport.h"
#include "accounts/CustomerImportModule.h"
#include "platform/MessageBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace {

// A field of /proc/self/status in kB ("VmHWM", "VmRSS").
double statusMB(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// The resident memory now, read the quick way.
double residentMB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The highest resident memory seen while it lives.
class PeakSampler {
public:
    PeakSampler()
        : thread_([this] {
              while (!stop_) {
                  double now = residentMB();
                  double seen = peak_.load();
                  while (now > seen && !peak_.compare_exchange_weak(seen, now)) {
                  }
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          })
    {
    }
    double stop()
    {
        stop_ = true;
        thread_.join();
        return peak_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<double> peak_{0};
    std::thread thread_;
};

// Starts the peak over from the memory in use now.
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

qint64 writeCardFile(const QString &path, qint64 megabytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    f.write("{},,,,,,,,,,,,,\r\n"
            "Co./Last Name,First Name,Card ID,Card Status,Addr 1 - Line 1,Addr 1 - Line 2,Addr 1 - Line 3,"
            "Addr 1 - Line 4,Addr 1 - City,Addr 1 - Postcode,Addr 1 - Phone No. 1,Addr 1 - Phone No. 2,"
            "Addr 1 - Email,Notes\r\n");
    const QByteArray notes = "Gate code 1234 \x96 ring first; the dog is friendly but the gate sticks so lift it "
                             "slightly. Windows and gutters twice a year; caf\xE9 at the corner.";
    qint64 lines = 0;
    QByteArray block;
    while (f.size() + block.size() < megabytes * 1024 * 1024) {
        block += QStringLiteral("Surname%1,Forename,CARD%1,N,%2 Long Street,Flat 2,,Ponsonby,Auckland,1011,"
                                "09 555 %3,021 555 999,person%1@example.com,")
                     .arg(lines, 8, 10, QLatin1Char('0'))
                     .arg(lines % 500)
                     .arg(1000 + lines % 9000)
                     .toLatin1()
                 + notes + "\r\n";
        ++lines;
        if (block.size() > (1 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
    return lines;
}

void BM_MyobCustomerImportPeakMemory(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        bench::createDatabase(dir);
        const QString file = dir.filePath(QStringLiteral("cards.txt"));
        const qint64 lines = writeCardFile(file, state.range(0));
        wvs::MessageScript quiet;
        resetPeak();
        const double start = statusMB("VmRSS");
        PeakSampler sampler;
        state.ResumeTiming();

        wvs::MYOBCustomerImport(file);

        state.PauseTiming();
        const double sampled = sampler.stop();
        state.counters["file_MB"] = double(QFile(file).size()) / (1024.0 * 1024.0);
        state.counters["peak_MB"] = qMax(sampled, statusMB("VmHWM"));
        state.counters["start_MB"] = start;
        state.counters["lines"] = double(lines);
        const bool completed = quiet.last().startsWith(QStringLiteral("Customer import completed"));
        wvs::AppDatabase::close();
        state.ResumeTiming();
        if (!completed) {
            state.SkipWithError(qPrintable(QStringLiteral("the import failed: ") + quiet.last()));
            break;
        }
    }
}
BENCHMARK(BM_MyobCustomerImportPeakMemory)->Arg(10)->Arg(300)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks(argc, argv); }
