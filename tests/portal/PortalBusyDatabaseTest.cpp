#include "PortalTestData.h"
#include "portal/PortalCustomerJobsManagementForm.h"
#include "scheduling/ScheduleForm.h"

#include <QElapsedTimer>
#include <QLabel>

using namespace wvs;
using namespace wvs::portaltest;

using PortalBusyDatabaseTest = PortalDbTest;

TEST_F(PortalBusyDatabaseTest, AfterAPublishTheWindowShowsOnlyTheStatusThatWasStored)
{
    // A save gives up after 300 ms; the status after an upload waits longer.
    AppDatabase::setBusyWait(300);
    const struct {
        const char *what;
        int holdMs;   // after the last page; 0: held until the publish is over
        bool stored;
    } cases[] = {
        {"the lock goes while the status waits", 700, true},
        {"the lock outlasts the wait", 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const qint64 before = addSchedule("2012-02-01", "2012-02-29", "Published");
        const qint64 schedule = addSchedule("2012-03-05", "2012-03-18", "Closed");
        storeJob(schedule, addJob({.associate = "ADM"}), "2012-03-05", 0);
        auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(schedule));
        const QString shownBefore = child<QLabel>(form.get(), "StatusLabel")->text();
        {
            // Another workstation holds the write lock until holdMs after the
            // portal was asked to load the job types (the last step of a publish).
            std::atomic<bool> held{false};
            OtherWorkstation other(dbPath(), [&](QSqlDatabase &db, const std::atomic<bool> &stop) {
                execSql(QStringLiteral("BEGIN IMMEDIATE"), {}, db);
                held = true;
                QElapsedTimer since;
                while (!stop && !(since.isValid() && since.elapsed() > c.holdMs)) {
                    if (!since.isValid() && c.holdMs > 0 && portal_->pages().contains(QStringLiteral("LoadJobTypes.php")))
                        since.start();
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
                execSql(QStringLiteral("ROLLBACK"), {}, db);
            });
            while (!held)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            click(form.get(), "PublishButton");
        }
        EXPECT_EQ(status(schedule), QString(c.stored ? "Published" : "Closed"));
        EXPECT_EQ(status(before), QString(c.stored ? "Closed" : "Published"));
        EXPECT_EQ(child<QLabel>(form.get(), "StatusLabel")->text(),
                  c.stored ? QStringLiteral("Status: Published") : shownBefore);
        EXPECT_EQ(msgs_->last(), c.stored ? QStringLiteral("Process completed successfully")
                                          : QStringLiteral("The portal now holds this Schedule, but its status has "
                                                           "not been saved because the data is in use at another "
                                                           "workstation. Please publish the Schedule again"));
        form.reset();
        writeSql("UPDATE Schedules SET Status = 'Closed'");
    }
}

TEST_F(PortalBusyDatabaseTest, ARequestListThatCannotBeReadSaysOnlyThatTheDataIsInUse)
{
    AppDatabase::setBusyWait(200);
    QSqlDatabase other = secondConnection();
    execSql("BEGIN EXCLUSIVE", {}, other);
    auto list = shown<PortalCustomerJobsManagementForm>();
    EXPECT_EQ(msgs_->texts(), QStringList{AppDatabase::busyMessage()});
    execSql("ROLLBACK", {}, other);
}
