#include "PortalTestData.h"
#include "platform/ErrorHandlingModule.h"

#include <QElapsedTimer>

using namespace wvs;
using namespace wvs::portaltest;

using PortalSlowNetworkTest = PortalDbTest;

TEST_F(PortalSlowNetworkTest, NoPortalTaskKeepsAnotherWorkstationsSaveWaiting)
{
    writeSql("CREATE TABLE SaveProbe (N INTEGER)");
    const qint64 schedule = addSchedule("2012-03-05", "2012-03-18", "Published");
    const qint64 job = addJob({.associate = "ADM"});
    storeJob(schedule, job, "2012-03-05", 0, "", "ADM");
    // A slow portal: every page answers after more than a second, files go slowly.
    startPortal(QStringLiteral("plomkar7"), 2000);
    for (const char *page : {"LoadCompany.php", "LoadSchedule.php", "LoadUsers.php", "LoadJobTypes.php",
                             "GetSchedule.php", "GetCustomerJobs.php", "DeleteCustomerJobsData.php"})
        portal_->delay(QString::fromLatin1(page), 1.4);
    portal_->handOut("GetSchedule.php", QByteArray::number(schedule) + ",2012/03/05," + QByteArray::number(job)
                                            + ",1,2012/03/06,ADM,\"done\"\r\n");
    portal_->handOut("GetCustomerJobs.php", requestLine(951) + "\r\n");

    // The other workstation saves every 200 ms and would wait up to 3 s; it must never wait 1 s.
    AppDatabase::setBusyWait(3000);
    for (const QString &task : {QStringLiteral("PublishSchedule~%1").arg(schedule),
                                QStringLiteral("RetrieveSchedule~%1").arg(schedule),
                                QStringLiteral("CompanyID~ABCD~ABCD~Smith & Sons"), QStringLiteral("Users~"),
                                QStringLiteral("JobTypes~"), QStringLiteral("ImportCustomerJobs~")}) {
        SCOPED_TRACE(task.toStdString());
        std::atomic<qint64> longestMs{0};
        std::atomic<int> saves{0};
        QString failure;
        OtherWorkstation other(dbPath(), [&](QSqlDatabase &db, const std::atomic<bool> &stop) {
            for (int n = 0; !stop; ++n, ++saves) {
                QElapsedTimer clock;
                clock.start();
                if (const auto failed = trapError([&] {
                        Transaction t(db);
                        writeSql(QStringLiteral("INSERT INTO SaveProbe (N) VALUES (?)"), {n}, db);
                        t.commit();
                    }))
                    failure = failed->description;
                longestMs = std::max<qint64>(longestMs, clock.elapsed());
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        });
        QWidget requestList;
        EXPECT_TRUE(run(task, &requestList)) << msgs_->last().toStdString();
        other.stop();
        EXPECT_EQ(failure, QString());
        EXPECT_LT(longestMs, 1000);
        EXPECT_GE(saves, 3);
    }
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM PortalCustomerJobs").toInt(), 1);
    EXPECT_EQ(stored(schedule, job, "2012-03-05", "ActualServiceDate"), "2012-03-06");
}
