#include "PortalTestData.h"
#include "platform/ErrorHandlingModule.h"
#include "portal/PortalRequestRecords.h"
#include "portal/PortalRetrievals.h"
#include "scheduling/ScheduleForm.h"
#include "support/OrdinaryUser.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSqlDriver>
#include <sqlite3.h>
#include <QLabel>
#include <QThread>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace wvs;
using namespace wvs::portaltest;
using wvs::test::OtherWorkstation;

namespace {

const QString kDeleting = QStringLiteral("Deleting Customer Jobs data on server....");

// Requests travel between the portal, which keeps them between calls, and
// the database; none may be lost on the way and none stored twice.
class PortalTwoWorkstationsTest : public PortalDbTest {
protected:
    void SetUp() override
    {
        PortalDbTest::SetUp();
        addJobType(QStringLiteral("MOW"), QStringLiteral("Lawn mowing"));
    }
    QStringList held() const { return portal_->heldIds(); }
    void deletePage(const QString &reply, double delay)
    {
        portal_->reply(QStringLiteral("DeleteCustomerJobsData.php"), reply);
        portal_->delay(QStringLiteral("DeleteCustomerJobsData.php"), delay);
    }
};

} // namespace

TEST_F(PortalTwoWorkstationsTest, ARefusedOrLateDeleteKeepsWhatWasStoredAndTheNextImportClearsThePortal)
{
    // A has stored two requests and waits on the portal's delete; B imports meanwhile
    // (skipping both) and the portal then refuses A's delete, or A gives up on a late one.
    const struct {
        const char *what;
        bool otherWorkstationFirst;
        QString reply;
        double delay;
        QString message;
    } cases[] = {
        {"another workstation's delete went first", true, QStringLiteral("Nothing to delete"), 0,
         QStringLiteral("Customer Jobs data deletion failed - Nothing to delete") + kKept},
        {"the delete finishes after the time-out", false, QStringLiteral("SUCCESS"), 1.5,
         QStringLiteral("Customer Jobs data deletion timed out - please try again") + kKept},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const int a = 901 + 10 * int(&c - cases);   // ids once stored are never stored again
        const QString both = QStringLiteral("%1,%2").arg(a).arg(a + 1);
        portal_->holdRequests({requestLine(a), requestLine(a + 1)});
        PortalSync workstationA(PortalSync::parseMode(QStringLiteral("ImportCustomerJobs~")));
        workstationA.onInfo = [&](const QString &text) {
            if (text != kDeleting)
                return;
            EXPECT_EQ(requests(), both);   // committed before the portal is asked
            if (c.otherWorkstationFirst) {
                // B's import sees A's requests stored and skips them.
                PortalSync workstationB(PortalSync::parseMode(QStringLiteral("ImportCustomerJobs~")));
                workstationB.run();
                session().portalUpdateSucceeded = false;   // A's run is not over
                EXPECT_EQ(held(), QStringList());
            }
            deletePage(c.reply, c.delay);
            // A wait of half a second for the late delete alone.
            if (c.delay > 0)
                PortalSync::options() = {50, 10};
        };
        workstationA.run();
        EXPECT_FALSE(session().portalUpdateSucceeded);
        EXPECT_EQ(msgs_->last(), c.message);
        EXPECT_TRUE(portal_->waitForCalls());   // a delete given up on may still finish
        EXPECT_EQ(held(), QStringList());
        EXPECT_EQ(requests(), both);

        // Nothing is left to fetch, and nothing goes.
        deletePage("SUCCESS", 0);
        PortalSync::options() = {20, 250};
        EXPECT_TRUE(run(QStringLiteral("ImportCustomerJobs~")));
        EXPECT_EQ(msgs_->texts().mid(msgs_->texts().size() - 2),
                  (QStringList{"No new Customer Jobs found", "Process completed successfully"}));
        EXPECT_EQ(requests(), both);
        writeSql("DELETE FROM PortalCustomerJobs");
    }
}

TEST_F(PortalTwoWorkstationsTest, ARequestTakenOffTheListIsNeverStoredAgainWhenThePortalOffersItAgain)
{
    // The portal refuses to let 911 go; the user then turns it into a
    // customer job, or deletes it from the list; the portal offers it again.
    const struct {
        const char *what;
        std::function<void(qint64)> takeOff;
    } cases[] = {
        {"converted", [this](qint64 id) { openRequest(*modal_, id, savingRequest()); }},
        {"deleted", [](qint64 id) { PortalRequestRecords::remove(id); }},
    };
    qint64 id = 910;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ++id;
        portal_->holdRequests({requestLine(int(id))});
        deletePage("Locked", 0);
        EXPECT_FALSE(run(QStringLiteral("ImportCustomerJobs~")));
        ASSERT_EQ(msgs_->last(), QStringLiteral("Customer Jobs data deletion failed - Locked") + kKept);
        EXPECT_EQ(requests(), QString::number(id));
        EXPECT_EQ(held(), QStringList{QString::number(id)});

        c.takeOff(id);

        // Offered again: skipped, and the portal is asked to let it go.
        deletePage("SUCCESS", 0);
        EXPECT_TRUE(run(QStringLiteral("ImportCustomerJobs~")));
        EXPECT_EQ(held(), QStringList());
        EXPECT_EQ(requests(), QString());
    }
}

// A save that names a row another workstation removed, or whose key it changed, after the window opened
// (or the portal was given the schedule) writes nothing and says which row is gone; the request stays
// in the list.
TEST_F(PortalTwoWorkstationsTest, ASaveNamingARowRemovedAtAnotherWorkstationWritesNothingAndSaysSo)
{
    addAssociate("BOB", "Bob Builder", "pw", 1);
    const qint64 schedule = addSchedule("2012-03-05", "2012-03-18", "Published");
    const qint64 job = addJob({.associate = "ADM", .start = "2012-03-05"});
    storeJob(schedule, job, "2012-03-05", 0, "", "ADM");
    storeJob(schedule, job, "2012-03-12", 1, "2012-03-12", "BOB");
    QSqlDatabase other = secondConnection();
    // Every table a save here writes, as it stands.
    auto tables = [] {
        QString all;
        for (const char *t : {"Customers", "CustomerServiceAddresses", "CustomerJobs", "PortalCustomerJobs",
                              "ScheduleJobs", "ScheduleJobNotes", "Associates", "JobTypes"})
            all += rowsOf(QStringLiteral("SELECT * FROM %1").arg(t)) + "\n";
        return all;
    };
    QString before;
    std::function<void()> meanwhile;
    // What the other workstation does, and the tables as it leaves them.
    auto changeMeanwhile = [&] {
        meanwhile();
        before = tables();
    };
    // The request dialog with BOB chosen, saved once the other workstation has made its change.
    auto saveRequest = [&](qint64 id, const std::function<void(QDialog *)> &edit = {}) {
        QList<QVariantList> request;
        PortalRetrievals::BadLine bad;
        ASSERT_TRUE(PortalRetrievals::readCustomerJobRequests(requestLine(int(id)), request, bad));
        Transaction t;
        PortalRetrievals::storeCustomerJobRequests(request);
        t.commit();
        openRequest(*modal_, id, [&](QDialog *d) {
            choose(d, "AssociateCombo", "Bob Builder");
            if (edit)
                edit(d);
            else
                changeMeanwhile();
            click(d, "OKButton");
        });
    };
    // Update From Portal, BOB having done the visit of 5 March on the portal.
    auto update = [&] {
        portal_->handOut("GetSchedule.php",
                         scheduleLine(schedule, job, "2012/03/05", 1, "2012/03/06", "BOB", "done") + "\r\n");
        changeMeanwhile();
        EXPECT_FALSE(run(QStringLiteral("RetrieveSchedule~%1").arg(schedule)));
    };
    // The request's customer is on file when Save is pressed, so its checks are skipped; the other
    // workstation removes it while the save asks about the day of the month.
    auto saveForFiledCustomer = [&](qint64 id) {
        writeSql("INSERT INTO Customers (Forename, Surname, CAddress1, CSuburb) VALUES ('Mary', 'Jones', '3 High St', "
                 "'Herne Bay')");
        saveRequest(id, [&](QDialog *d) {
            click(d, "MonthlyOption");
            click(d, "MonthlyOption1");
            type(d, "MonthlyText1", "29");
            type(d, "MonthlyText2", "1");
            msgs_->whileShown = [&](const ShownMessage &m) {
                if (m.text.startsWith("For those months"))
                    changeMeanwhile();
            };
        });
    };
    const QString jobTypeGone = "The Job Type no longer exists - it may have been changed or deleted by another user";
    const QString associateGone = "The Associate no longer exists - it may have been changed or deleted by another user";
    const struct {
        const char *what;
        std::function<void()> meanwhile;
        std::function<void()> save;
        QString message;
    } cases[] = {
        {"request save, its job type deleted", [&] { execSql("DELETE FROM JobTypes WHERE JobTypeCode = 'MOW'", {}, other); },
         [&] { saveRequest(961); }, jobTypeGone},
        {"request save, its job type's code changed",
         [&] { execSql("UPDATE JobTypes SET JobTypeCode = 'MOW2' WHERE JobTypeCode = 'MOW'", {}, other); },
         [&] { saveRequest(962); }, jobTypeGone},
        {"request save, its associate deleted", [&] { execSql("DELETE FROM Associates WHERE AssociateID = 'BOB'", {}, other); },
         [&] { saveRequest(963); }, associateGone},
        {"request save, its associate's ID changed",
         [&] { execSql("UPDATE Associates SET AssociateID = 'BB' WHERE AssociateID = 'BOB'", {}, other); },
         [&] { saveRequest(964); }, associateGone},
        // The reference is given to another customer once the save has checked it, while it asks about the post code.
        {"request save, its accounts reference taken",
         [&] { execSql("INSERT INTO Customers (Surname, AccountsRef) VALUES ('Other', 'JON01')", {}, other); },
         [&] {
             writeSql("UPDATE Preferences SET MYOB = 1");
             saveRequest(965, [&](QDialog *d) {
                 type(d, "AccountsRefText", "JON01");
                 msgs_->whileShown = [&](const ShownMessage &m) {
                     if (m.text.startsWith("No Zip/Post Code"))
                         changeMeanwhile();
                 };
             });
         },
         "Accounts Reference JON01 has been already assigned to another Customer"},
        // Saved as it stands, the request would add the customer from its boxes unchecked.
        {"request save, the customer it matched deleted",
         [&] { execSql("DELETE FROM Customers WHERE Surname = 'Jones'", {}, other); }, [&] { saveForFiledCustomer(966); },
         "The Customer no longer exists - it may have been changed or deleted by another user"},
        {"request save, the customer it matched renamed",
         [&] { execSql("UPDATE Customers SET Forename = 'Maria' WHERE Surname = 'Jones'", {}, other); },
         [&] { saveForFiledCustomer(967); },
         "The Customer no longer exists - it may have been changed or deleted by another user"},
        {"Update From Portal, the associate who did the visit deleted",
         [&] { execSql("DELETE FROM Associates WHERE AssociateID = 'BOB'", {}, other); }, update, associateGone},
        // The rename moves his visits; the portal's update would write his old ID back.
        {"Update From Portal, the ID of the associate who did the visit changed",
         [&] {
             execSql("UPDATE Associates SET AssociateID = 'BB' WHERE AssociateID = 'BOB'", {}, other);
             execSql("UPDATE ScheduleJobs SET AssociateID = 'BB' WHERE AssociateID = 'BOB'", {}, other);
         },
         update, associateGone},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        writeSql("DELETE FROM Associates WHERE AssociateID = 'BB'");
        if (!scalarSql("SELECT 1 FROM Associates WHERE AssociateID = 'BOB'").isValid())
            addAssociate("BOB", "Bob Builder", "pw", 1);
        writeSql("UPDATE ScheduleJobs SET AssociateID = 'BOB' WHERE AssociateID = 'BB'");
        writeSql("DELETE FROM JobTypes WHERE JobTypeCode = 'MOW2'");
        writeSql("INSERT OR IGNORE INTO JobTypes (JobTypeCode, JobTypeDescription) VALUES ('MOW', 'Lawn mowing')");
        writeSql("DELETE FROM CustomerJobs WHERE CustomerNumber IN (SELECT CustomerNumber FROM Customers WHERE Surname "
                 "IN ('Jones', 'Other'))");
        writeSql("DELETE FROM Customers WHERE Surname IN ('Jones', 'Other')");
        writeSql("DELETE FROM PortalCustomerJobs");
        writeSql("UPDATE Preferences SET MYOB = 0");
        meanwhile = c.meanwhile;
        before.clear();
        msgs_->clear();
        c.save();
        msgs_->whileShown = nullptr;
        EXPECT_EQ(msgs_->texts().filter(QRegularExpression("^(?!No Zip/Post Code|For those months)")), QStringList{c.message});
        EXPECT_FALSE(before.isEmpty());
        EXPECT_EQ(tables(), before);
    }
}

using PortalSlowNetworkTest = PortalDbTest;

// How long a connection's statements have waited for a lock since start(), up to 3 s a statement.
class LockWait {
public:
    explicit LockWait(QSqlDatabase &db)
    {
        const QVariant v = db.driver()->handle();
        sqlite3_busy_handler(*static_cast<sqlite3 *const *>(v.constData()), &LockWait::busy, this);
    }
    void start() { waited_ = 0; }
    qint64 waitedMs() const { return waited_; }

private:
    static int busy(void *self, int tries)
    {
        auto *w = static_cast<LockWait *>(self);
        if (tries == 0)
            w->statement_ = 0;
        QElapsedTimer sleep;
        sleep.start();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        w->statement_ += sleep.elapsed();
        w->waited_ += sleep.elapsed();
        return w->statement_ < 3000;
    }
    qint64 waited_ = 0, statement_ = 0;
};

TEST_F(PortalSlowNetworkTest, NoPortalTaskKeepsAnotherWorkstationsSaveWaiting)
{
    writeSql("CREATE TABLE SaveProbe (N INTEGER)");
    const qint64 schedule = addSchedule("2012-03-05", "2012-03-18", "Published");
    const qint64 job = addJob({.associate = "ADM"});
    storeJob(schedule, job, "2012-03-05", 0, "", "ADM");
    // A slow portal: every page answers after two seconds, files go slowly. A save kept waiting by a
    // page would wait that long; one that waits 1.5 s on a loaded machine has waited for no page.
    startPortal(QStringLiteral("plomkar7"), 2000);
    for (const char *page : {"LoadCompany.php", "LoadSchedule.php", "LoadUsers.php", "LoadJobTypes.php",
                             "GetSchedule.php", "GetCustomerJobs.php", "DeleteCustomerJobsData.php"})
        portal_->delay(QString::fromLatin1(page), 2.0);
    portal_->handOut("GetSchedule.php", scheduleLine(schedule, job, "2012/03/05", 1, "2012/03/06", "ADM", "done") + "\r\n");
    portal_->handOut("GetCustomerJobs.php", requestLine(951) + "\r\n");

    // The other workstation saves every 200 ms and would wait up to 3 s; it must never wait 1.5 s.
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
            // Only the time a save waits for a lock counts, not the disk's own writing.
            LockWait lockWait(db);
            execSql(QStringLiteral("PRAGMA synchronous = OFF"), {}, db);
            for (int n = 0; !stop; ++n, ++saves) {
                lockWait.start();
                if (const auto failed = trapError([&] {
                        Transaction t(db);
                        writeSql(QStringLiteral("INSERT INTO SaveProbe (N) VALUES (?)"), {n}, db);
                        t.commit();
                    }))
                    failure = failed->description;
                longestMs = std::max<qint64>(longestMs, lockWait.waitedMs());
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        });
        QWidget requestList;
        EXPECT_TRUE(run(task, &requestList)) << msgs_->last().toStdString();
        other.stop();
        EXPECT_EQ(failure, QString());
        EXPECT_LT(longestMs, 1500);
        EXPECT_GE(saves, 3);
    }
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM PortalCustomerJobs").toInt(), 1);
    EXPECT_EQ(stored(schedule, job, "2012-03-05", "ActualServiceDate"), "2012-03-06");
}

using PortalBusyDatabaseTest = PortalDbTest;

TEST_F(PortalBusyDatabaseTest, AfterAPublishTheWindowShowsOnlyTheStatusThatWasStored)
{
    // A save gives up after 500 ms; the status after an upload waits six times as long (3 s).
    AppDatabase::setBusyWait(500);
    const struct {
        const char *what;
        int holdMs;   // after the last page; 0: held until the publish is over
        bool stored;
    } cases[] = {
        {"the lock goes while the status waits", 1200, true},
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
            // Another workstation takes the lock once the run is under way (while the portal holds the
            // schedule's page) and keeps it until holdMs after the last page of the publish.
            portal_->hold(QStringLiteral("LoadSchedule.php"));
            OtherWorkstation other(dbPath(), [&](QSqlDatabase &db, const std::atomic<bool> &stop) {
                while (!stop && !portal_->arrived(QStringLiteral("LoadSchedule.php")))
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                execSql(QStringLiteral("BEGIN IMMEDIATE"), {}, db);
                portal_->release(QStringLiteral("LoadSchedule.php"));
                QElapsedTimer since;
                while (!stop && !(since.isValid() && since.elapsed() > c.holdMs)) {
                    if (!since.isValid() && c.holdMs > 0 && portal_->pages().contains(QStringLiteral("LoadJobTypes.php")))
                        since.start();
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                }
                execSql(QStringLiteral("ROLLBACK"), {}, db);
            });
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

using PortalWorkingFoldersTest = PortalDbTest;

// A run's working folder holds customer data and passwords. Of two other instances in the
// middle of a run one is killed: the next run removes its folder and keeps the other's.
TEST_F(PortalWorkingFoldersTest, TheNextRunRemovesTheFolderOfAKilledRunAndKeepsOnesInUse)
{
    portal_->delay("LoadJobTypes.php", 60);
    auto folders = [] { return QDir::temp().entryList({"wvs-portal-*"}, QDir::Dirs | QDir::NoDotAndDotDot); };
    // The other instances, each ended when the test ends.
    std::vector<pid_t> pids;
    auto end = [](pid_t pid) {
        if (kill(pid, SIGKILL) == 0)
            waitpid(pid, nullptr, 0);
    };
    const auto endAll = qScopeGuard([&] { std::for_each(pids.begin(), pids.end(), end); });
    // Starts an instance in the middle of a run and returns the folder it made.
    auto startInstance = [&] {
        const QStringList before = folders();
        const pid_t pid = fork();
        if (pid == 0) {
            // Another instance has a connection of its own.
            if (trapError(test::reopenDatabaseInForkedChild))
                _exit(1);
            PortalSync::options() = {1000, 120};
            run("JobTypes~");
            _exit(0);
        }
        pids.push_back(pid);
        QStringList made;
        for (int i = 0; i < 500 && made.isEmpty(); ++i) {
            QThread::msleep(20);
            made = folders();
            for (const QString &f : before)
                made.removeAll(f);
        }
        return made;
    };
    ASSERT_EQ(folders(), QStringList());
    const QStringList killed = startInstance();
    const QStringList going = startInstance();
    ASSERT_EQ(killed.size(), 1);
    ASSERT_EQ(going.size(), 1);
    end(pids.front());

    EXPECT_TRUE(run("Users~")) << msgs_->last().toStdString();
    EXPECT_EQ(folders(), going);
}

// Sets a file's times (a link's own, not its target's) to age before now.
static void ageEntry(const QString &path, std::chrono::seconds age)
{
    const timespec t{time(nullptr) - age.count(), 0};
    const timespec times[2] = {t, t};
    ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW), 0) << path.toStdString();
}

// Anyone may make an entry of a working folder's name in a shared temporary
// folder: a link to a folder of the user's is never followed. A run cut off
// by a power failure may leave its mark empty: its folder goes once older
// than any run lasts (a day), by the later of its own time and its mark's.
TEST_F(PortalWorkingFoldersTest, ALinkIsNeverFollowedAndAFolderWithAnEmptyMarkGoesOnceADayOld)
{
    using namespace std::chrono;
    const QDir temp = QDir::temp();
    ASSERT_TRUE(temp.mkpath("mine"));
    ASSERT_TRUE(test::writeFileBytes(temp.filePath("mine/keep.txt"), "the user's own"));
    ASSERT_EQ(symlink(QFile::encodeName(temp.filePath("mine")).constData(),
                      QFile::encodeName(temp.filePath("wvs-portal-linked")).constData()),
              0);
    ageEntry(temp.filePath("mine/keep.txt"), hours(24 * 7));
    ageEntry(temp.filePath("mine"), hours(24 * 7));
    ageEntry(temp.filePath("wvs-portal-linked"), hours(24 * 7));

    const struct {
        const char *folder;
        hours folderAge, markAge;
        bool stays;
    } cases[] = {
        {"wvs-portal-cutoff", hours(48), hours(48), false},
        {"wvs-portal-nwmark", hours(48), hours(0), true},
        {"wvs-portal-nwfile", hours(0), hours(48), true},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(temp.mkdir(c.folder));
        ASSERT_TRUE(test::writeFileBytes(temp.filePath(QStringLiteral("%1/Users.txt").arg(c.folder)), "ABCD|TEST01|ADM|secret"));
        ASSERT_TRUE(test::writeFileBytes(temp.filePath(QStringLiteral("%1/run.lock").arg(c.folder)), ""));
        ageEntry(temp.filePath(QStringLiteral("%1/run.lock").arg(c.folder)), c.markAge);
        ageEntry(temp.filePath(c.folder), c.folderAge);
    }

    EXPECT_TRUE(run("Users~")) << msgs_->last().toStdString();
    EXPECT_EQ(test::readFileBytes(temp.filePath("mine/keep.txt")), "the user's own");
    for (const auto &c : cases)
        EXPECT_EQ(temp.exists(c.folder), c.stays) << c.folder;
}

// The sweep takes only folders named exactly as a run names its own: a user's
// folders that merely begin alike stay, whatever their age.
TEST_F(PortalWorkingFoldersTest, OnlyFoldersNamedAsARunNamesItsOwnAreSwept)
{
    const QDir temp = QDir::temp();
    QTemporaryDir left(temp.filePath("wvs-portal-XXXXXX"));   // as a run makes its folder
    ASSERT_TRUE(left.isValid());
    left.setAutoRemove(false);
    const QStringList users{"WVS-Portal-Exports", "wvs-portal-notes-2026", "Wvs-portal-backup", "wvs-portal-abc"};
    for (const QString &folder : users + QStringList{QDir(left.path()).dirName()}) {
        ASSERT_TRUE(test::writeFileBytes(temp.filePath(folder + "/notes.txt"), "the user's own"));
        ageEntry(temp.filePath(folder), std::chrono::minutes(10));
    }

    EXPECT_TRUE(run("Users~")) << msgs_->last().toStdString();
    for (const QString &folder : users)
        EXPECT_EQ(test::readFileBytes(temp.filePath(folder + "/notes.txt")), "the user's own") << folder.toStdString();
    EXPECT_FALSE(QFileInfo::exists(left.path()));
}

// With TMPDIR naming a folder that does not exist the system gives no temporary folder: the run stops at once
// with its message naming that folder, sweeps nothing in the working directory, makes no folder anywhere and
// calls no page and no FTP command.
TEST_F(PortalWorkingFoldersTest, AMissingTemporaryFolderStopsTheRunBeforeItTouchesAnything)
{
    const QDir work(dir_->path());
    const QString missing = work.filePath("gone");
    ASSERT_TRUE(test::writeFileBytes(work.filePath("wvs-portal-Ab12Cd/notes.txt"), "a left run's"));
    ageEntry(work.filePath("wvs-portal-Ab12Cd"), std::chrono::hours(48));
    auto runFolders = [](const QDir &in) { return in.entryList({"wvs-portal-*"}, QDir::Dirs | QDir::NoDotAndDotDot); };
    const QStringList atRoot = runFolders(QDir::root());
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work.path()));
    qputenv("TMPDIR", missing.toLocal8Bit());
    EXPECT_FALSE(run("Users~"));
    QDir::setCurrent(current);
    EXPECT_EQ(msgs_->texts(), QStringList{"Unable to create a folder for the portal files in " + missing});
    EXPECT_EQ(test::readFileBytes(work.filePath("wvs-portal-Ab12Cd/notes.txt")), "a left run's");
    EXPECT_EQ(runFolders(work), QStringList{"wvs-portal-Ab12Cd"});
    EXPECT_EQ(runFolders(QDir::root()), atRoot);
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_TRUE(portal_->waitForCalls());
    EXPECT_EQ(portal_->pages(), QStringList{});
    EXPECT_EQ(portal_->ftpCommands(), QList<QByteArray>{});
}
