#include "PortalTestData.h"
#include "platform/ErrorHandlingModule.h"

#include <QElapsedTimer>
#include <atomic>
#include <thread>

using namespace wvs;
using namespace wvs::portaltest;

namespace {

// Another workstation that saves every 200 ms on a connection of its own
// and notes its longest wait.
class SavingWorkstation {
public:
    explicit SavingWorkstation(const QString &path)
    {
        thread_ = std::thread([this, path] {
            const QString name = QStringLiteral("saving workstation");
            {
                QSqlDatabase db = AppDatabase::openConnection(name, path);
                for (int n = 0; !stop_; ++n) {
                    QElapsedTimer clock;
                    clock.start();
                    const auto failed = trapError([&] {
                        Transaction t(db);
                        writeSql(QStringLiteral("INSERT INTO SaveProbe (N) VALUES (?)"), {n}, db);
                        t.commit();
                    });
                    longestMs = std::max<qint64>(longestMs, clock.elapsed());
                    if (failed)
                        failure = failed->description;
                    ++saves;
                    std::this_thread::sleep_for(std::chrono::milliseconds(200));
                }
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        });
    }
    ~SavingWorkstation() { stop(); }
    void stop()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }
    std::atomic<qint64> longestMs{0};
    std::atomic<int> saves{0};
    QString failure;   // read after stop()

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class PortalSlowNetworkTest : public PortalDbTest {
protected:
    void TearDown() override
    {
        AppDatabase::setBusyWait(5000);
        PortalDbTest::TearDown();
    }
};

} // namespace

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

    // The other workstation would wait up to 3 s; it must never wait 1 s.
    AppDatabase::setBusyWait(3000);
    const QString tasks[] = {
        QStringLiteral("PublishSchedule~%1").arg(schedule), QStringLiteral("RetrieveSchedule~%1").arg(schedule),
        QStringLiteral("CompanyID~ABCD~ABCD~Smith & Sons"), QStringLiteral("Users~"), QStringLiteral("JobTypes~"),
        QStringLiteral("ImportCustomerJobs~"),
    };
    for (const QString &task : tasks) {
        SCOPED_TRACE(task.toStdString());
        SavingWorkstation other(dbPath());
        QWidget requestList;
        EXPECT_TRUE(run(task, &requestList)) << msgs_->last().toStdString();
        other.stop();
        EXPECT_EQ(other.failure, QString());
        EXPECT_LT(other.longestMs, 1000);
        EXPECT_GE(other.saves, 3);
    }
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM PortalCustomerJobs").toInt(), 1);
    EXPECT_EQ(stored(schedule, job, "2012-03-05", "ActualServiceDate"), "2012-03-06");
}
