// The customer list filled with 50,000 customers: Go reads them, fills the
// grid and sorts it (rows are not coloured at that size). Run by hand:
// ./bench_customer_list
#include "BenchSupport.h"
#include "customers/CustomersManagementForm.h"
#include "data/AppDatabase.h"
#include "platform/FlexGrid.h"
#include "platform/MessageBox.h"
#include "platform/Modal.h"
#include "shell/NewDatabase.h"
#include "core/Session.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCustomers = 50000;

struct Database {
    Database()
    {
        bench::createDatabase(dir);
        wvs::Transaction t;
        for (int i = 0; i < kCustomers; ++i) {
            wvs::writeSql(QStringLiteral("INSERT INTO Customers (Surname, Forename, CompanyName, CAddress1, CSuburb, "
                                         "Phone1, PreferredPhone, CustomerStatus) VALUES (?, ?, ?, ?, ?, ?, 1, ?)"),
                          {QStringLiteral("Surname%1").arg((i * 7919) % kCustomers), QStringLiteral("Forename%1").arg(i % 97),
                           QStringLiteral("Company %1 Ltd").arg(i % 1013), QStringLiteral("%1 Long Street").arg(i % 500),
                           QStringLiteral("Suburb%1").arg(i % 61), QStringLiteral("09 %1").arg(1000000 + i),
                           i % 3 == 0 ? 9 : 1});
        }
        t.commit();
    }
    QTemporaryDir dir;
};

void BM_CustomerListGo(benchmark::State &state)
{
    static Database db;
    wvs::MessageScript quiet;
    wvs::CustomersManagementForm form;
    form.show();
    QApplication::processEvents();
    auto *go = form.findChild<QPushButton *>(QStringLiteral("GoButton"));
    for (auto _ : state) {
        go->click();
        QApplication::processEvents();
    }
    if (form.grid()->rows() != kCustomers + 1)
        state.SkipWithError("not every customer was listed");
}
BENCHMARK(BM_CustomerListGo)->Unit(benchmark::kMillisecond)->Iterations(5);

// The sort alone, on Suburb descending, of the filled list.
void BM_CustomerListSort(benchmark::State &state)
{
    static Database db;
    wvs::MessageScript quiet;
    wvs::CustomersManagementForm form;
    form.show();
    form.findChild<QPushButton *>(QStringLiteral("GoButton"))->click();
    form.findChild<QComboBox *>(QStringLiteral("SortCombo"))->setCurrentIndex(4);
    form.findChild<QComboBox *>(QStringLiteral("SortOrderCombo"))->setCurrentIndex(1);
    auto *sort = form.findChild<QPushButton *>(QStringLiteral("SortButton"));
    for (auto _ : state) {
        sort->click();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_CustomerListSort)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv) { return bench::runBenchmarks(argc, argv); }
