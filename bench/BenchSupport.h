#pragma once
// What every window benchmark does alike: a fresh database with the
// administrator logged on, and a main that runs the benchmarks headless.
#include "data/AppDatabase.h"
#include "shell/NewDatabase.h"
#include "core/Session.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace bench {

// Creates WVS.db in dir for the business "Bench" (New Zealand) with the
// administrator "ADM" at level 1, who is then the one logged on.
inline void createDatabase(const QTemporaryDir &dir)
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
    wvs::session().currentAssociateID = QStringLiteral("ADM");
    wvs::session().currentAuthorityLevel = 1;
}

// The body of a benchmark program: off screen unless a platform is named.
inline int runBenchmarks(int argc, char **argv)
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

} // namespace bench
