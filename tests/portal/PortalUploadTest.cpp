#include "PortalTestData.h"
#include "support/CloseTries.h"
#include "support/Pointer.h"
#include "support/SlowLookup.h"
#include "admin/AssociatesManagementForm.h"
#include "admin/CompanyForm.h"
#include "admin/CompanyRecord.h"
#include "common/Windows1252.h"
#include "platform/ErrorHandlingModule.h"
#include "scheduling/ScheduleForm.h"
#include "scheduling/ScheduleLocks.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <optional>
#include <sqlite3.h>
#include <QLabel>
#include <QTimer>

using namespace wvs;
using namespace wvs::portaltest;

namespace {

class PortalUploadTest : public PortalDbTest {
protected:
    // A job not done (comments, portal notes), one done by BOB, a visit of the first done by BOB
    // for its associate; a job of an associate who has gone is left out.
    qint64 publishedData()
    {
        addAssociate("BOB", "Bob | Builder", "pw", 2);
        setAccess(2, 1, 6, 1, 1, 1, 1, 1, 0, 0);   // Customer Jobs short of full rights
        addAssociate("OLD", "Gone", "pw", 2, false);
        writeSql("UPDATE Associates SET PortalAccess = 'Field' WHERE AssociateID IN ('BOB', 'OLD')");
        addJobType("OVN", "Oven clean");
        const qint64 s = addSchedule("2012-03-05", "2012-03-18", "Closed");
        schedtest::CustomerData c;
        c.comment = "Gate code\r\n1234";
        const qint64 cust = addCustomer(c);
        jobA = addJob({.customer = cust, .associate = "ADM", .costCents = 123450, .comment = "B"});
        jobB = addJob({.jobType = "OVN", .associate = "BOB", .costCents = 4500});
        const qint64 gone = addJob({.associate = "NOBODY"});
        storeJob(s, jobA, "2012-03-12", 2, "", "ADM");
        storeJob(s, jobB, "2012-03-05", 1, "2012-03-06", "BOB");
        storeJob(s, jobA, "2012-03-14", 3, "2012-03-15", "BOB");
        storeJob(s, gone, "2012-03-05", 0, "", "");
        writeSql("INSERT INTO ScheduleJobNotes (ScheduleNumber, JobSeqNo, ScheduleServiceDate, NoteAuthor, NoteDetail) "
                 "VALUES (?, ?, '2012-03-12', 'Portal', 'Ring|first'), (?, ?, '2012-03-12', 'Portal', 'second')",
                 {s, jobA, s, jobA});
        // Notes that differ from a sent occurrence's portal notes in one key only: none of them goes.
        writeSql("INSERT INTO ScheduleJobNotes (ScheduleNumber, JobSeqNo, ScheduleServiceDate, NoteAuthor, NoteDetail) "
                 "VALUES (?, ?, '2012-03-05', 'Administrator', 'by hand'), (?, ?, '2012-03-05', 'Portal', 'other job'), "
                 "(?, ?, '2012-03-05', 'Portal', 'other schedule')",
                 {s, jobB, s, gone, s + 1, jobB});
        return s;
    }
    qint64 jobA = 0, jobB = 0;
};

// Follows the failure of a publish once the portal has loaded the schedule's file.
const QString kNotMarked = "The portal now holds this Schedule, but it has not been marked as published. Please "
                           "publish the Schedule again";

class PortalCommandsTest : public PortalDbTest {
protected:
    void SetUp() override
    {
        PortalDbTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1);
        published = addSchedule("2012-02-01", "2012-02-29", "Published");
        closed = addSchedule("2012-03-05", "2012-03-18", "Closed");
        job = addJob({.associate = "ADM", .start = "2012-03-05"});
        storeJob(closed, job, "2012-03-05", 0, "", "ADM");
    }
    // A run against a portal whose FTP account stops answering as silentAt says (FtpServer::start), with the
    // files to get handed out, given up on by a short wait with the time-out message it expects.
    // A publish given up on once the portal has loaded the schedule's file says so after the time-out.
    void expectGivenUpOn(const char *silentAt, const QString &tag, const char *timeout, const QByteArray &schedule,
                         const QByteArray &requests, bool scheduleTaken = false)
    {
        startPortal(QStringLiteral("plomkar7"), 0, silentAt);
        portal_->handOut("GetSchedule.php", schedule);
        portal_->handOut("GetCustomerJobs.php", requests);
        // Long enough for every step before the silent one on a busy machine.
        PortalSync::options() = {50, 30};
        expectTimedOut(tag, timeout, 31 * 50, scheduleTaken);
    }
    // A run given up on by its wait: the time-out message comes once the wait is over, whatever the servers
    // do, and the window's timers run throughout.
    void expectTimedOut(const QString &tag, const char *timeout, qint64 wait, bool scheduleTaken = false)
    {
        int ticks = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
        tick.start(20);
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(run(tag));
        EXPECT_GE(clock.elapsed(), wait);
        EXPECT_LT(clock.elapsed(), wait + 4000);
        EXPECT_GE(ticks, wait / 200);
        const QStringList said = scheduleTaken ? QStringList{timeout, kNotMarked} : QStringList{timeout};
        EXPECT_EQ(msgs_->texts().mid(msgs_->texts().size() - said.size()), said);
        EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);
    }
    // Presses the window's button while the portal holds the page: once a call of it has arrived, act runs (as
    // another workstation would) and the page goes on. True when act ran.
    bool pressWhileHeld(QWidget *window, const char *button, const QString &page, const std::function<void()> &act)
    {
        portal_->hold(page);
        bool acted = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!acted && portal_->arrived(page)) {
                act();
                acted = true;
                portal_->release(page);
            }
        });
        poll.start(10);
        test::pressButton(window, button);
        poll.stop();
        if (!acted)
            portal_->release(page);   // a later call goes on
        EXPECT_TRUE(portal_->waitForCalls());
        return acted;
    }
    qint64 published = 0, closed = 0, job = 0;
};

// Cases that wait as long as the program does.
class PortalFtpSlowTest : public PortalCommandsTest {};

// Runs act once, as the program's connection starts its next write transaction, before it has taken the
// database: what another workstation does between the program's last look and its write.
class AtNextWriteTransaction {
public:
    explicit AtNextWriteTransaction(std::function<void()> act) : act_(std::move(act))
    {
        sqlite3_trace_v2(handle(), SQLITE_TRACE_STMT, &AtNextWriteTransaction::started, this);
    }
    ~AtNextWriteTransaction() { sqlite3_trace_v2(handle(), 0, nullptr, nullptr); }
    AtNextWriteTransaction(const AtNextWriteTransaction &) = delete;
    AtNextWriteTransaction &operator=(const AtNextWriteTransaction &) = delete;
    bool ran() const { return ran_; }

private:
    static sqlite3 *handle()
    {
        const QVariant v = AppDatabase::db().driver()->handle();
        return *static_cast<sqlite3 *const *>(v.constData());
    }
    static int started(unsigned, void *self, void *, void *sql)
    {
        auto *me = static_cast<AtNextWriteTransaction *>(self);
        if (!me->ran_ && QByteArray(static_cast<const char *>(sql)).startsWith("BEGIN")) {
            me->ran_ = true;
            me->act_();
        }
        return 0;
    }
    std::function<void()> act_;
    bool ran_ = false;
};

} // namespace

TEST_F(PortalUploadTest, PublishingSendsCompanyScheduleUsersAndJobTypesInThatOrder)
{
    const qint64 s = publishedData();
    const QStringList tempBefore = QDir::temp().entryList({"wvs-portal-*"});
    EXPECT_TRUE(run(QStringLiteral("PublishSchedule~%1").arg(s)));
    EXPECT_EQ(msgs_->last(), "Process completed successfully");

    ASSERT_EQ(portal_->pages(), (QStringList{"LoadCompany.php", "LoadSchedule.php", "LoadUsers.php", "LoadJobTypes.php"}));
    const auto calls = portal_->calls();
    EXPECT_EQ(calls[0].query, (QList<QPair<QString, QString>>{
                                  {"filename", "Company_ABCD_TEST01.txt"}, {"oldcompanyid", "ABCD"}, {"companyserial", "TEST01"}}));
    EXPECT_EQ(calls[1].keys(), (QStringList{"filename", "companyid", "companyserial"}));
    EXPECT_EQ(calls[2].query, (QList<QPair<QString, QString>>{
                                  {"filename", "Users_ABCD_TEST01.txt"}, {"companyid", "ABCD"},
                                  {"companyserial", "TEST01"}, {"version", "1.3"}}));
    EXPECT_EQ(calls[3].query, (QList<QPair<QString, QString>>{{"filename", "JobTypes_ABCD.txt"}, {"companyid", "ABCD"}}));

    // Done jobs sort after the ones not done (by who did them); a visit done
    // by a colleague names him in the done-by field; line breaks and "|"
    // inside values become blanks; only the first portal note goes.
    EXPECT_EQ(portal_->file("Schedule_ABCD_TEST01.txt"),
              QByteArray("2|ADM|2012/03/12|Anna Smith|1 Main Road|Ponsonby|09 111 1111|Window cleaning|$1,234.50|"
                         "Gate code 1234 B|0|||Ring first|")
                  + QByteArray::number(jobA) + "|" + QByteArray::number(s)
                  + "|ABCD|TEST01|Mon 5 Mar 2012|Sun 18 Mar 2012|1| 0 \r\n"
                  + "1|BOB|2012/03/05|Anna Smith|1 Main Road|Ponsonby|09 111 1111|Oven clean|$45.00||1|2012/03/06|BOB||"
                  + QByteArray::number(jobB) + "|" + QByteArray::number(s)
                  + "|ABCD|TEST01|Mon 5 Mar 2012|Sun 18 Mar 2012|1| 0 \r\n"
                  + "3|ADM|2012/03/14|Anna Smith|1 Main Road|Ponsonby|09 111 1111|Window cleaning|$1,234.50|"
                    "Gate code 1234 B|1|2012/03/15|BOB||"
                  + QByteArray::number(jobA) + "|" + QByteArray::number(s)
                  + "|ABCD|TEST01|Mon 5 Mar 2012|Sun 18 Mar 2012|1| 0 \r\n");
    EXPECT_EQ(portal_->file("Users_ABCD_TEST01.txt"),
              QByteArray("ABCD|TEST01|ADM|Administrator|secret|Admin| 1 \r\n"
                         "ABCD|TEST01|BOB|Bob   Builder|pw|Field| 0 \r\n"));
    // The run's files, the users' passwords among them, do not outlive it.
    EXPECT_EQ(QDir::temp().entryList({"wvs-portal-*"}), tempBefore);

    // The customer's name is forename, blank, surname; the comments are the customer's, then the job's after
    // a blank when both are there: each alone, and neither.
    const qint64 customer = scalarSql("SELECT CustomerNumber FROM CustomerJobs WHERE JobSeqNo = ?", {jobA}).toLongLong();
    const struct { const char *forename, *surname, *customerComment, *jobComment, *name, *comments; } joined[] = {
        {"", "Smith", "", "B", " Smith", "B"},
        {"Anna", "", "A", "", "Anna ", "A"},
        {"", "", "", "", " ", ""},
    };
    for (const auto &j : joined) {
        writeSql("UPDATE Customers SET Forename = ?, Surname = ?, CustomerComment = ? WHERE CustomerNumber = ?",
                 {j.forename, j.surname, j.customerComment, customer});
        writeSql("UPDATE CustomerJobs SET CustomerJobComment = ? WHERE JobSeqNo = ?", {j.jobComment, jobA});
        ASSERT_TRUE(run(QStringLiteral("PublishSchedule~%1").arg(s)));
        const QList<QByteArray> first = portal_->file("Schedule_ABCD_TEST01.txt").split('|');
        EXPECT_EQ(first.value(3), j.name);
        EXPECT_EQ(first.value(9), j.comments) << j.customerComment << "+" << j.jobComment;
    }
}

TEST_F(PortalUploadTest, EveryFailureEndsTheRunWithItsMessage)
{
    publishedData();
    // Only the exact reply counts as success.
    portal_->reply("LoadJobTypes.php", "SUCCESS\r\n");
    EXPECT_FALSE(run(QStringLiteral("JobTypes~")));
    EXPECT_EQ(msgs_->last(), "Job Types update failed - SUCCESS\r\n");

    // A schedule with no stored jobs.
    const qint64 empty = addSchedule("2013-01-01", "2013-01-31", "Closed");
    EXPECT_FALSE(run(QStringLiteral("PublishSchedule~%1").arg(empty)));
    EXPECT_EQ(msgs_->last(), "No Schedule records found");

    // A file that did not arrive is never loaded.
    startPortal(QStringLiteral("another"));
    EXPECT_FALSE(run(QStringLiteral("CompanyID~ABCD~WXYZ~Smith & Sons")));
    const QString local = QDir(dir_->path()).filePath("Company.txt");
    ASSERT_TRUE(wvs::test::writeFileBytes(local, "ABCD\r\n"));
    EXPECT_EQ(msgs_->last(), "Company file upload failed - " + ftpRefusal([&](FtpTransfer &ftp) {
                                 return ftp.startUpload(local, PortalSite::ftpDirectory()
                                                                   + PortalUploadFiles::remoteName("Company", "WXYZ", "TEST01"));
                             }));
    EXPECT_TRUE(portal_->calls().isEmpty());
}

TEST_F(PortalUploadTest, APasswordTheFileWouldAlterIsNeverSent)
{
    addAssociate("SAM", "Sam Spade", "pa|ss", 1);
    addAssociate("TED", "Ted Lee", "pass\r\nword", 1);
    addAssociate("UMA", "Uma Rāwiri", "pĀss", 1);   // the code page has no "Ā"
    writeSql("UPDATE Associates SET PortalAccess = AssociateID WHERE AssociateID IN ('SAM', 'TED', 'UMA')");
    EXPECT_TRUE(run(QStringLiteral("Users~")));
    ASSERT_EQ(portal_->pages(), QStringList{"LoadUsers.php"});
    EXPECT_EQ(portal_->calls().last().loaded, "ABCD|TEST01|ADM|Administrator|secret|Admin| 1 \r\n");
    const QStringList shown = msgs_->texts();
    ASSERT_EQ(shown.size(), 2);
    for (const char *name : {"Sam Spade (SAM)", "Ted Lee (TED)", "Uma Rāwiri (UMA)"})
        EXPECT_TRUE(shown[0].contains(name)) << shown[0].toStdString();
    EXPECT_EQ(shown[1], "Process completed successfully");

    // With nobody left to send, nothing is.
    writeSql("UPDATE Associates SET PortalAccess = '' WHERE AssociateID = 'ADM'");
    EXPECT_FALSE(run(QStringLiteral("Users~")));
    EXPECT_EQ(msgs_->last(), "Cannot find Associates record");
    EXPECT_EQ(portal_->pages(), QStringList{"LoadUsers.php"});
}

// The portal reads its files in the Windows-1252 code page: ’ “ ” – € go
// up as their bytes 0x80 to 0x9F, and a character the code page lacks as "?".
TEST_F(PortalUploadTest, TextGoesUpInTheWindows1252CodePage)
{
    addJobType("OVN", "“Deluxe” oven – €45 for Tom O’Brien");
    addJobType("ORA", "Ōrākei 😀 run");
    addAssociate("ZOE", "Zoë O’Brien", "€uro–pass", 1);
    writeSql("UPDATE Associates SET PortalAccess = 'Field' WHERE AssociateID = 'ZOE'");
    EXPECT_TRUE(run(QStringLiteral("JobTypes~")));
    EXPECT_EQ(portal_->file("JobTypes_ABCD.txt"),
              QByteArray("ABCD|WIN|Window cleaning\r\n"
                         "ABCD|OVN|\x93" "Deluxe\x94 oven \x96 \x80" "45 for Tom O\x92" "Brien\r\n"
                         "ABCD|ORA|?r?kei ? run\r\n"));
    EXPECT_TRUE(run(QStringLiteral("Users~")));
    EXPECT_EQ(portal_->file("Users_ABCD_TEST01.txt"),
              QByteArray("ABCD|TEST01|ADM|Administrator|secret|Admin| 1 \r\n"
                         "ABCD|TEST01|ZOE|Zo\xEB O\x92" "Brien|\x80uro\x96pass|Field| 1 \r\n"));

    // The files' names go in it too: the FTP server is given the very bytes the page names a file by,
    // both ways.
    writeSql("UPDATE Company SET ID = 'Xé12'");
    EXPECT_TRUE(run(QStringLiteral("Users~"))) << msgs_->last().toStdString();
    const QByteArray name = portal_->calls().last().rawValue("filename");
    EXPECT_EQ(name, "Users_X\xE9" "12_TEST01.txt");
    EXPECT_TRUE(portal_->ftpCommands().contains("STOR " + name)) << portal_->ftpCommands().join(' ').toStdString();
    EXPECT_TRUE(portal_->file(name).startsWith("X\xE9" "12|TEST01|ADM|"));
    portal_->handOut("GetCustomerJobs.php", "");
    EXPECT_TRUE(run(QStringLiteral("ImportCustomerJobs~"))) << msgs_->last().toStdString();
    EXPECT_TRUE(portal_->ftpCommands().contains("RETR CustomerJobsImport_X\xE9" "12.txt"));
}

TEST_F(PortalCommandsTest, PublishingMakesTheScheduleTheOnePublishedAndShowsAnErrorPageAsSent)
{
    // A failed upload changes no status; the portal's error page is shown
    // as the text it sent, not rendered.
    const QString page = "<html><body><h1>Server Error</h1><font color=red>try later</font></body></html>";
    portal_->reply("LoadSchedule.php", page);
    auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
    click(form.get(), "PublishButton");
    ASSERT_EQ(msgs_->last(), "Schedule load failed - " + page);
    EXPECT_EQ(msgs_->shown().last().format, Qt::PlainText);
    EXPECT_EQ(status(published), "Published");
    EXPECT_EQ(status(closed), "Closed");

    portal_->reply("LoadSchedule.php", "SUCCESS");
    click(form.get(), "PublishButton");
    EXPECT_EQ(msgs_->last(), "Process completed successfully");
    EXPECT_EQ(status(published), "Closed");
    EXPECT_EQ(status(closed), "Published");
    EXPECT_EQ(child<QLabel>(form.get(), "StatusLabel")->text(), "Status: Published");
}

// Another workstation re-opens the schedule (the schedules list's Modify) while its window is open here.
// Before Publish is pressed: refused before the portal window opens, nothing uploaded. While the company goes
// up: the run stops before the schedule's file, which goes up with the users no more. Once the schedule's file
// has gone up: the portal has it, nothing is marked, and the message says so. Every status stays as stored.
TEST_F(PortalCommandsTest, AScheduleReOpenedAtAnotherWorkstationIsNeitherUploadedNorMarkedPublished)
{
    storeJob(published, job, "2012-02-06", 0, "", "ADM");
    QSqlDatabase other = secondConnection();
    const char *reOpen = "UPDATE Schedules SET Status = 'Open' WHERE ScheduleNumber = ?";
    const QString reOpened = "The Schedule now has a status of Open and therefore cannot be published";
    const QString heldOpen = "The portal now holds this Schedule, but it now has a status of Open and therefore "
                             "cannot be published. Please publish again the Schedule that the portal is to show";
    // Where the other workstation's change comes: the page the portal holds while it is made.
    enum class When { Never, BeforePublish, DuringCompany, DuringUpload };
    const struct {
        const char *what;
        bool onPublished;   // the window shows the Published schedule, else the Closed one
        When when;
        const char *change;
        QString refusal;
        const char *shownAfter, *otherAfter;
    } cases[] = {
        {"the Published schedule, re-opened before Publish", true, When::BeforePublish, reOpen, reOpened, "Open",
         "Closed"},
        {"the Published schedule, re-opened once its file has gone up", true, When::DuringUpload, reOpen, heldOpen,
         "Open", "Closed"},
        {"a Closed schedule, re-opened once its file has gone up", false, When::DuringUpload, reOpen, heldOpen,
         "Open", "Published"},
        {"a Closed schedule, left as it is", false, When::Never, "", "", "Published", "Closed"},
        {"a Closed schedule, re-opened while the company goes up", false, When::DuringCompany, reOpen, reOpened,
         "Open", "Published"},
        {"a Closed schedule, deleted before Publish", false, When::BeforePublish,
         "DELETE FROM Schedules WHERE ScheduleNumber = ?",
         "The Schedule no longer exists and therefore cannot be published", "", "Published"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        writeSql("UPDATE Schedules SET Status = 'Published' WHERE ScheduleNumber = ?", {published});
        writeSql("UPDATE Schedules SET Status = 'Closed' WHERE ScheduleNumber = ?", {closed});
        const qint64 shownSchedule = c.onPublished ? published : closed;
        const qint64 otherSchedule = c.onPublished ? closed : published;
        auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(shownSchedule));
        const QString lineBefore = child<QLabel>(form.get(), "StatusLabel")->text();
        const qsizetype pagesBefore = portal_->calls().size(), ftpBefore = portal_->ftpCommands().size();
        const qsizetype windowsBefore = modal_->opened().size();
        msgs_->clear();

        // The change is made while the portal holds the company's page, or the users' (the schedule has
        // gone up by then), and the page then goes on.
        const QString heldPage = c.when == When::DuringCompany ? "LoadCompany.php" : "LoadUsers.php";
        const bool duringRun = c.when == When::DuringCompany || c.when == When::DuringUpload;
        if (c.when == When::BeforePublish)
            execSql(c.change, {shownSchedule}, other);
        const bool changedDuringRun = pressWhileHeld(form.get(), "PublishButton", heldPage, [&] {
            if (duringRun)
                execSql(c.change, {shownSchedule}, other);
        }) && duringRun;

        EXPECT_EQ(status(shownSchedule), c.shownAfter);
        EXPECT_EQ(status(otherSchedule), c.otherAfter);
        const QList<QByteArray> ftpSent = portal_->ftpCommands().mid(ftpBefore);
        const auto stored = [&](const char *file) {
            return ftpSent.contains("STOR " + PortalUploadFiles::remoteName(file, "ABCD", "TEST01").toLatin1());
        };
        switch (c.when) {
        case When::BeforePublish:
            EXPECT_EQ(msgs_->texts(), QStringList{c.refusal});
            EXPECT_EQ(modal_->opened().size(), windowsBefore);   // no portal window
            EXPECT_EQ(portal_->calls().size(), pagesBefore);
            EXPECT_EQ(portal_->ftpCommands().size(), ftpBefore);
            break;
        case When::DuringCompany:
            EXPECT_TRUE(changedDuringRun);
            EXPECT_EQ(msgs_->texts(), QStringList{c.refusal});
            EXPECT_EQ(portal_->pages().mid(pagesBefore), QStringList{"LoadCompany.php"});
            EXPECT_TRUE(stored("Company")) << QByteArrayList(ftpSent).join(' ').toStdString();
            EXPECT_FALSE(stored("Schedule"));
            EXPECT_FALSE(stored("Users"));
            break;
        case When::DuringUpload:
            EXPECT_TRUE(changedDuringRun);
            EXPECT_TRUE(stored("Schedule")) << QByteArrayList(ftpSent).join(' ').toStdString();
            EXPECT_EQ(msgs_->texts(), QStringList({"Process completed successfully", c.refusal}));
            break;
        case When::Never:
            EXPECT_EQ(msgs_->texts(), QStringList{"Process completed successfully"});
            break;
        }
        EXPECT_EQ(child<QLabel>(form.get(), "StatusLabel")->text(),
                  c.when == When::Never ? QStringLiteral("Status: Published") : lineBefore);
        form.reset();
    }
}

// One workstation publishes at a time. While this one's run waits on a page, another associate's Publish is
// refused, naming this one; once the run has ended, however it ended, the other may publish. A run that fails once
// the portal has loaded the schedule's file says that the portal shows it unmarked.
TEST_F(PortalCommandsTest, OneWorkstationPublishesAtATimeAndSaysWhatThePortalShowsAfterAFailure)
{
    writeSql("UPDATE Associates SET AssociateStatus = -46000");   // ADM here and BOB elsewhere, both logged on
    QSqlDatabase other = secondConnection();
    const QString heldHere = "Administrator is currently publishing a Schedule on the portal. Please try again once "
                             "it has finished";
    const QString bobs = "Bob Builder is currently publishing a Schedule on the portal. Please try again once it "
                         "has finished";
    const QString reOpened = "The portal now holds this Schedule, but it now has a status of Open and therefore "
                             "cannot be published. Please publish again the Schedule that the portal is to show";
    const struct {
        const char *what;
        const char *page, *reply;   // the page held while the other workstation tries, and its answer
        bool reOpen;                // the other workstation re-opens the schedule meanwhile
        QStringList said;
        const char *closedAfter;
        bool atMark = false;        // the other workstation tries as the schedule is about to be marked instead
    } cases[] = {
        {"it succeeds", "LoadJobTypes.php", "SUCCESS", false, {"Process completed successfully"}, "Published"},
        {"it succeeds, the other trying between the run and the mark", "LoadJobTypes.php", "SUCCESS", false,
         {"Process completed successfully"}, "Published", true},
        {"the company's page fails", "LoadCompany.php", "Locked", false, {"Company update failed - Locked"}, "Closed"},
        {"the schedule's page fails", "LoadSchedule.php", "Locked", false, {"Schedule load failed - Locked"},
         "Closed"},
        {"the users' page fails", "LoadUsers.php", "Locked", false, {"Users update failed - Locked", kNotMarked},
         "Closed"},
        {"the job types' page fails", "LoadJobTypes.php", "Locked", false,
         {"Job Types update failed - Locked", kNotMarked}, "Closed"},
        {"the schedule is re-opened meanwhile", "LoadJobTypes.php", "SUCCESS", true,
         {"Process completed successfully", reOpened}, "Open"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        writeSql("UPDATE Schedules SET Status = 'Published' WHERE ScheduleNumber = ?", {published});
        writeSql("UPDATE Schedules SET Status = 'Closed' WHERE ScheduleNumber = ?", {closed});
        for (const char *page : {"LoadCompany.php", "LoadSchedule.php", "LoadUsers.php", "LoadJobTypes.php"})
            portal_->reply(page, QString::fromLatin1(page) == c.page ? c.reply : "SUCCESS");
        auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
        msgs_->clear();
        QString othersTry;
        std::optional<AtNextWriteTransaction> atMark;
        EXPECT_TRUE(pressWhileHeld(form.get(), "PublishButton", c.page, [&] {
            auto tryToPublish = [&] { othersTry = ScheduleLocks::takePublishing(published, "BOB", other); };
            if (c.atMark)
                atMark.emplace(tryToPublish);
            else
                tryToPublish();
            if (c.reOpen)
                execSql("UPDATE Schedules SET Status = 'Open' WHERE ScheduleNumber = ?", {closed}, other);
        }));
        EXPECT_TRUE(!c.atMark || atMark->ran());
        atMark.reset();
        EXPECT_EQ(othersTry, heldHere);
        EXPECT_EQ(msgs_->texts(), c.said);
        EXPECT_EQ(status(closed), c.closedAfter);
        EXPECT_EQ(status(published), c.closedAfter == QString("Published") ? "Closed" : "Published");
        // Given up: the other workstation's Publish now goes ahead.
        EXPECT_EQ(ScheduleLocks::takePublishing(published, "BOB", other), "");
        ScheduleLocks::releasePublishing("BOB", other);
        form.reset();
    }

    // The other workstation publishing: refused here before anything is sent, naming him.
    writeSql("UPDATE Schedules SET Status = 'Closed' WHERE ScheduleNumber = ?", {closed});
    ASSERT_EQ(ScheduleLocks::takePublishing(published, "BOB", other), "");
    auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
    const qsizetype pagesBefore = portal_->calls().size(), ftpBefore = portal_->ftpCommands().size();
    msgs_->clear();
    click(form.get(), "PublishButton");
    EXPECT_EQ(msgs_->texts(), QStringList{bobs});
    EXPECT_EQ(portal_->calls().size(), pagesBefore);
    EXPECT_EQ(portal_->ftpCommands().size(), ftpBefore);
    EXPECT_EQ(status(closed), "Closed");
    // His workstation stopped mid-run and he is no longer logged on: his publishing is left over.
    writeSql("UPDATE Associates SET AssociateStatus = 46000 WHERE AssociateID = 'BOB'");
    msgs_->clear();
    click(form.get(), "PublishButton");
    EXPECT_EQ(msgs_->texts(), QStringList{"Process completed successfully"});
    EXPECT_EQ(status(closed), "Published");
    EXPECT_EQ(rowsOf("SELECT AssociateID FROM PublishingSchedules"), "");

    // A publishing of his left over (its giving up failed) goes when he leaves the schedule window, as his
    // open schedules do.
    writeSql("INSERT INTO PublishingSchedules (ScheduleNumber, AssociateID) VALUES (?, 'ADM')", {closed});
    click(form.get(), "ExitButton");
    EXPECT_EQ(rowsOf("SELECT AssociateID FROM PublishingSchedules"), "");
}

// The portal's updates go only into schedules no other associate has open: the window's own schedule, checked
// before the run and again as the updates are written (he may open it while the portal is asked, or as the
// updates are about to be written), and any other schedule the portal's records name, wherever they name it,
// which the refusal names by its dates. A refusal writes nothing, and no other workstation waits on the database
// while it is shown.
TEST_F(PortalCommandsTest, UpdatingIsRefusedWhileAnotherAssociateHasTheScheduleOpen)
{
    writeSql("UPDATE Schedules SET Status = 'Published' WHERE ScheduleNumber = ?", {closed});
    writeSql("UPDATE Schedules SET Status = 'Closed' WHERE ScheduleNumber = ?", {published});
    storeJob(published, job, "2012-02-06", 0, "", "ADM");
    const QByteArray ownLine = scheduleLine(closed, job, "2012/03/05", 1, "2012/03/06", "BOB", "Side gate") + "\r\n";
    const QByteArray otherLine = scheduleLine(published, job, "2012/02/06", 1, "2012/02/07", "BOB", "") + "\r\n";
    const QString ownRefusal = "Bob Builder currently has this Schedule open and therefore it cannot be updated";
    const QString otherRefusal = "Bob Builder currently has the Schedule of 01 Feb 2012 to 29 Feb 2012 open and "
                                 "therefore it cannot be updated";
    QSqlDatabase other = secondConnection();
    execSql("PRAGMA busy_timeout = 200", {}, other);
    enum class Opens { Before, AsPortalAsked, AsWritten };
    const struct {
        const char *what;
        qint64 schedule;   // the schedule BOB has open
        Opens when;
        QByteArray records;   // the portal's records
        QStringList pages;
        QString refusal;   // empty: none
    } cases[] = {
        {"this schedule, open before Update", closed, Opens::Before, ownLine, {}, ownRefusal},
        {"this schedule, opened as the portal is asked", closed, Opens::AsPortalAsked, ownLine, {"GetSchedule.php"},
         ownRefusal},
        {"this schedule, opened as the updates are about to be written", closed, Opens::AsWritten, ownLine,
         {"GetSchedule.php"}, ownRefusal},
        {"another schedule the portal's records name first", published, Opens::Before, otherLine + ownLine,
         {"GetSchedule.php"}, otherRefusal},
        {"another schedule the portal's records name second", published, Opens::Before, ownLine + otherLine,
         {"GetSchedule.php"}, otherRefusal},
        {"another schedule the records do not name", published, Opens::Before, ownLine, {"GetSchedule.php"}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        writeSql("DELETE FROM LockedSchedules");
        writeSql("UPDATE ScheduleJobs SET ActualServiceDate = '', AssociateID = 'ADM'");
        writeSql("DELETE FROM ScheduleJobNotes");
        portal_->handOut("GetSchedule.php", c.records);
        if (c.when == Opens::Before)
            ScheduleLocks::lock(c.schedule, "BOB", other);
        auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
        const qsizetype pagesBefore = portal_->calls().size();
        msgs_->clear();
        // Another workstation saves while the refusal is shown.
        std::optional<CaughtError> othersSave;
        msgs_->whileShown = [&](const ShownMessage &) {
            othersSave = trapError([&] { writeSql("UPDATE Company SET CompanyName = 'Smith Ltd'", {}, other); });
        };
        std::optional<AtNextWriteTransaction> asWritten;
        pressWhileHeld(form.get(), "UpdateButton", "GetSchedule.php", [&] {
            if (c.when == Opens::AsPortalAsked)
                ScheduleLocks::lock(c.schedule, "BOB", other);
            if (c.when == Opens::AsWritten)
                asWritten.emplace([&] { ScheduleLocks::lock(c.schedule, "BOB", other); });
        });
        msgs_->whileShown = nullptr;
        EXPECT_TRUE(c.when != Opens::AsWritten || asWritten->ran());
        asWritten.reset();
        EXPECT_EQ(portal_->pages().mid(pagesBefore), c.pages);
        const bool refused = !c.refusal.isEmpty();
        EXPECT_EQ(msgs_->texts(), refused ? QStringList{c.refusal} : QStringList{"Process completed successfully"});
        EXPECT_FALSE(othersSave.has_value()) << othersSave->description.toStdString();
        EXPECT_EQ(stored(closed, job, "2012-03-05", "ActualServiceDate"), refused ? "" : "2012-03-06");
        EXPECT_EQ(stored(published, job, "2012-02-06", "ActualServiceDate"), "");
        EXPECT_EQ(rowsOf("SELECT NoteDetail FROM ScheduleJobNotes"), refused ? "" : "Side gate");
        form.reset();
    }

    // His own lock never stops the user.
    writeSql("DELETE FROM LockedSchedules");
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (?, 'ADM')", {published});
    portal_->handOut("GetSchedule.php", otherLine + ownLine);
    auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
    click(form.get(), "UpdateButton");
    EXPECT_EQ(stored(closed, job, "2012-03-05", "ActualServiceDate"), "2012-03-06");
    EXPECT_EQ(stored(published, job, "2012-02-06", "ActualServiceDate"), "2012-02-07");
}

TEST_F(PortalCommandsTest, UsersAreSentFromTheirList)
{
    click(shown<AssociatesManagementForm>().get(), "PortalButton");
    EXPECT_EQ(portal_->pages(), QStringList{"LoadUsers.php"});
}

// A transfer or a page is waited for in one-second polls, 120 of them and the one that finds it late.
TEST_F(PortalCommandsTest, APageIsWaitedForAsLongAsAnFtpStep)
{
    const PortalSync::Options everyRun;
    EXPECT_EQ(QList<int>({everyRun.pollIntervalMs, everyRun.pollLimit}), QList<int>({1000, 120}));
    // Polls of 20 ms: 160 of them are 3.2 s. A page after 1.8 s would time out under half the wait (1.6 s),
    // one after 4.8 s would arrive under twice the wait (6.4 s); each is 1.4 s or more from the wait itself,
    // room for a loaded machine.
    PortalSync::options() = {20, 159};
    portal_->delay("LoadJobTypes.php", 1.8);
    EXPECT_TRUE(run(QStringLiteral("JobTypes~"))) << msgs_->last().toStdString();
    portal_->delay("LoadJobTypes.php", 4.8);
    EXPECT_FALSE(run(QStringLiteral("JobTypes~")));
    EXPECT_EQ(msgs_->last(), "Job Types file load timed out - please try again");
}

// The rename page and the company file carry the same name, whichever run
// sent it: "|", a line break and a control character go by the files' field
// rule (a tab stays, as the files keep it).
TEST_F(PortalCommandsTest, TheRenamePageAndTheCompanyFileCarryTheSameName)
{
    const QString name = "Smith|Sons\tLtd\r\nNZ\x01";
    const QString carried = "Smith Sons\tLtd NZ";
    EXPECT_TRUE(run("CompanyName~ABCD~" + name));
    EXPECT_TRUE(run("CompanyID~ABCD~WXYZ~" + name));
    ASSERT_EQ(portal_->pages(), (QStringList{"ModifyCompany.php", "LoadCompany.php"}));
    EXPECT_EQ(portal_->calls()[0].value("companyname"), carried);
    EXPECT_EQ(Windows1252::decode(portal_->file("Company_WXYZ_TEST01.txt")),
              "WXYZ|TEST01|" + carried + "|New Zealand\r\n");
}

TEST_F(PortalCommandsTest, CompanyDetailsReachThePortalBeforeTheyAreSaved)
{
    writeSql("UPDATE Company SET RegisteredNo = 'R1', GSTNo = 'G1', PAddress1 = '1 Main Road', PPostCode = '1010', "
             "PTelephone = '555 1234'");

    auto save = [&](const QString &id, const QString &name) {
        auto form = shown<CompanyForm>();
        type(form.get(), "IDText", id);
        type(form.get(), "NameText", name);
        click(form.get(), "OKButton");
    };
    // A new name goes to the portal whole, a "~" in it too.
    save("ABCD", "Smith & Sons~Ltd");
    ASSERT_EQ(portal_->pages(), QStringList{"ModifyCompany.php"});
    EXPECT_EQ(portal_->calls()[0].query, (QList<QPair<QString, QString>>{{"companyname", "Smith & Sons~Ltd"},
                                                                         {"companyid", "ABCD"}, {"companyserial", "TEST01"},
                                                                         {"country", "New Zealand"}}));
    EXPECT_EQ(CompanyRecord::load()->name, "Smith & Sons~Ltd");
    // The values go in the Windows-1252 code page of the portal's files, a character it lacks as "?".
    save("ABCD", "Zoës Café – “Best” € Ōtāhuhu");
    ASSERT_EQ(portal_->calls().size(), 2);
    EXPECT_EQ(portal_->calls()[1].raw, QByteArray("companyname=Zo%EBs%20Caf%E9%20%96%20%93Best%94%20%80%20%3Ft%3Fhuhu"
                                                  "&companyid=ABCD&companyserial=TEST01&country=New%20Zealand"));

    portal_->takeId("TAKEN1");
    save("TAKEN1", "Smith & Sons~Ltd");
    EXPECT_EQ(msgs_->last(), "Company ID TAKEN1 is already in use. Please enter another");
    EXPECT_EQ(CompanyRecord::load()->id, "ABCD");

    save("WXYZ", "Smith & Sons~Ltd");
    EXPECT_EQ(portal_->pages().mid(3), (QStringList{"CheckCompanyID.php", "LoadCompany.php"}));
    EXPECT_EQ(portal_->calls().last().value("oldcompanyid"), "ABCD");
    EXPECT_EQ(portal_->file("Company_WXYZ_TEST01.txt"), QByteArray("WXYZ|TEST01|Smith & Sons~Ltd|New Zealand\r\n"));
    EXPECT_EQ(CompanyRecord::load()->id, "WXYZ");

    // The ID check sends the ID as typed, in the code page too; without an answer it has none.
    EXPECT_EQ(portalCompanyIdReply("CAFÉ&CO"), "OK");
    EXPECT_EQ(portal_->calls().last().raw, "companyid=CAF%C9%26CO");
    portal_.reset();
    EXPECT_EQ(portalCompanyIdReply("WXYZ", 2000), "");
}

// While the portal is asked whether a changed ID is taken, Escape, the window system's close and a close event
// leave the company window up: the check's answer is awaited and the details are saved.
TEST_F(PortalCommandsTest, EscapeAndTheCloseLeaveTheCompanyWindowUpWhileThePortalIsAsked)
{
    writeSql("UPDATE Company SET RegisteredNo = 'R1', GSTNo = 'G1', PAddress1 = '1 Main Road', PPostCode = '1010', "
             "PTelephone = '555 1234'");
    portal_->delay("CheckCompanyID.php", 1.0);
    auto form = shown<CompanyForm>();
    type(form.get(), "IDText", "WXYZ");
    test::CloseTries tries("CompanyForm");
    click(form.get(), "OKButton");
    EXPECT_EQ(tries.stayed, (QList<bool>{true, true, true}));
    EXPECT_EQ(portal_->pages(), (QStringList{"CheckCompanyID.php", "LoadCompany.php"}));
    EXPECT_EQ(msgs_->last(), "Company details saved");
    EXPECT_EQ(CompanyRecord::load()->id, "WXYZ");
}

// A portal whose FTP account stops answering (at its greeting, before a transfer's data connection, at a
// transfer, at the log-off) is given up on by the program's own wait alone, with the step's time-out message.
TEST_F(PortalCommandsTest, AnFtpServerThatStopsAnsweringIsGivenUpOnByTheWait)
{
    const QString retrieve = QString("RetrieveSchedule~%1").arg(closed);
    const struct { const char *silentAt; QString tag; const char *timeout; } cases[] = {
        {"greeting", "JobTypes~", "Job Types file upload timed out - please try again"},
        {"EPSV,PASV", "Users~", "Users file upload timed out - please try again"},
        {"STOR", "JobTypes~", "Job Types file upload timed out - please try again"},
        {"RETR", retrieve, "Schedule file download timed out - please try again"},
        {"RETR", "ImportCustomerJobs~", "Customer Jobs file download timed out - please try again"},
        {"QUIT", "JobTypes~", "Failed to close ftp"},
        {"QUIT", QString("PublishSchedule~%1").arg(closed), "Failed to close ftp"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.silentAt) + " " + c.tag.toStdString());
        // Files to get: the server goes silent at their RETR.
        expectGivenUpOn(c.silentAt, c.tag, c.timeout, "-\r\n", "-\r\n", c.tag.startsWith("Publish"));
    }
}

// A portal whose FTP server takes an upload whole, or sends a download whole, and then never gives its final
// reply keeps the transfer library waiting inside a call of its own: the program's wait gives up on it all the
// same, with the block's time-out message, and nothing after the transfer happens: no page is called for the
// upload, nothing of the download is applied or stored, the run has not succeeded.
TEST_F(PortalCommandsTest, AnFtpServerThatNeverGivesItsFinalReplyIsGivenUpOnByTheWait)
{
    const QString publish = QString("PublishSchedule~%1").arg(closed);
    const QStringList loads{"LoadCompany.php", "LoadSchedule.php", "LoadUsers.php"};
    const struct { const char *withheld; QString tag; const char *timeout; QStringList pages; } cases[] = {
        {"final:Company", "CompanyID~ABCD~WXYZ~Smith & Sons", "Company file upload timed out - please try again", {}},
        {"final:Users", "Users~", "Users file upload timed out - please try again", {}},
        {"final:JobTypes", "JobTypes~", "Job Types file upload timed out - please try again", {}},
        {"final:Company", publish, "Company file upload timed out - please try again", {}},
        {"final:Schedule", publish, "Schedule upload timed out - please try again", loads.mid(0, 1)},
        {"final:Users", publish, "Users file upload timed out - please try again", loads.mid(0, 2)},
        {"final:JobTypes", publish, "Job Types file upload timed out - please try again", loads},
        {"final:ScheduleUpdate", QString("RetrieveSchedule~%1").arg(closed),
         "Schedule file download timed out - please try again", {"GetSchedule.php"}},
        {"final:CustomerJobsImport", "ImportCustomerJobs~", "Customer Jobs file download timed out - please try again",
         {"GetCustomerJobs.php"}},
        // A final reply that keeps coming and never ends: continuation lines, or one character at a time.
        {"final-lines:Users", "Users~", "Users file upload timed out - please try again", {}},
        {"final-bytes:Users", "Users~", "Users file upload timed out - please try again", {}},
        {"final-lines:Schedule", publish, "Schedule upload timed out - please try again", loads.mid(0, 1)},
        {"final-bytes:ScheduleUpdate", QString("RetrieveSchedule~%1").arg(closed),
         "Schedule file download timed out - please try again", {"GetSchedule.php"}},
        {"final-lines:CustomerJobsImport", "ImportCustomerJobs~",
         "Customer Jobs file download timed out - please try again", {"GetCustomerJobs.php"}},
        {"final-bytes:CustomerJobsImport", "ImportCustomerJobs~",
         "Customer Jobs file download timed out - please try again", {"GetCustomerJobs.php"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.withheld) + " " + c.tag.toStdString());
        expectGivenUpOn(c.withheld, c.tag, c.timeout,
                        scheduleLine(closed, job, "2012/03/05", 1, "2012/03/06", "BOB", "") + "\r\n",
                        requestLine(951) + "\r\n", c.pages.contains("LoadSchedule.php"));
        EXPECT_EQ(portal_->pages(), c.pages);
        EXPECT_EQ(stored(closed, job, "2012-03-05", "ActualServiceDate"), "");
        EXPECT_EQ(requests(), "");
    }

    // The schedule window publishing through such a portal leaves both schedules as they were.
    startPortal(QStringLiteral("plomkar7"), 0, "final:JobTypes");
    auto form = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(closed));
    click(form.get(), "PublishButton");
    EXPECT_EQ(msgs_->texts().mid(msgs_->texts().size() - 2),
              QStringList({"Job Types file upload timed out - please try again", kNotMarked}));
    EXPECT_EQ(status(published), "Published");
    EXPECT_EQ(status(closed), "Closed");
}

// A name lookup that hangs (name servers that do not answer) holds neither the FTP account's first command nor
// a page past its wait.
TEST_F(PortalCommandsTest, ANameLookupThatHangsIsGivenUpOnByTheWait)
{
    test::setSlowLookup("portal.lookup.test", 10000);
    const QByteArray ftpHost = qgetenv("WVS_PORTAL_FTP_HOST"), webHost = qgetenv("WVS_PORTAL_WEB_HOST");
    PortalSync::options() = {50, 10};
    qputenv("WVS_PORTAL_FTP_HOST", "portal.lookup.test:21");
    expectTimedOut("Users~", "Users file upload timed out - please try again", 11 * 50);
    qputenv("WVS_PORTAL_FTP_HOST", ftpHost);
    qputenv("WVS_PORTAL_WEB_HOST", "portal.lookup.test:80");
    expectTimedOut("CompanyName~ABCD~Smith & Sons", "Company modify timed out - please try again", 11 * 50);
    qputenv("WVS_PORTAL_WEB_HOST", webHost);
    test::setSlowLookup(QByteArray(), 0);
    EXPECT_EQ(portal_->pages(), QStringList());
}

// Escape, the window system's close and a close event leave a running portal window up: the run ends once,
// with its own message, and the opener's Alt+I, had the window gone, would have started a second run inside it.
TEST_F(PortalCommandsTest, EscapeAndTheCloseLeaveARunningWindowUpAndStartNoSecondRun)
{
    startPortal(QStringLiteral("plomkar7"), 0, "USER");
    portal_->handOut("GetCustomerJobs.php", requestLine(951) + "\r\n");
    PortalSync::options() = {100, 10};
    auto list = shown<PortalCustomerJobsManagementForm>();
    test::CloseTries tries("PortalForm", [] { test::press(Qt::Key_I, Qt::AltModifier); });
    test::focusOn(list.get());
    click(list.get(), "ImportButton");
    EXPECT_EQ(tries.stayed, (QList<bool>{true, true, true, true}));
    EXPECT_EQ(modal_->openedNames().count("PortalForm"), 1);
    EXPECT_EQ(msgs_->texts().count("Customer Jobs file download timed out - please try again"), 1);
    EXPECT_EQ(msgs_->last(), "Customer Jobs file download timed out - please try again");
    EXPECT_EQ(requests(), "");
}

// A server that takes the connection and never greets is waited for past the half minute a connection is
// elsewhere given: 110 polls of 0.3 s.
TEST_F(PortalFtpSlowTest, AServerThatNeverGreetsIsWaitedForPastHalfAMinute)
{
    startPortal(QStringLiteral("plomkar7"), 0, "greeting");
    PortalSync::options() = {300, 110};
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(run(QStringLiteral("JobTypes~")));
    EXPECT_GE(clock.elapsed(), 111 * 300);
    EXPECT_EQ(msgs_->last(), QString("Job Types file upload timed out - please try again"));
}

// The wait as every run has it, 120 sleeps of a second, is the only limit of an FTP step: a server that never
// answers STOR is told as timed out after the 121st sleep, not as a failure.
TEST_F(PortalFtpSlowTest, AServerSilentAfterACommandIsWaitedForTheWholeWait)
{
    startPortal(QStringLiteral("plomkar7"), 0, "STOR");
    PortalSync::options() = PortalSync::Options{};
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(run(QStringLiteral("JobTypes~")));
    EXPECT_GE(clock.elapsed(), 121 * 1000);
    EXPECT_LT(clock.elapsed(), 140 * 1000);
    EXPECT_EQ(msgs_->last(), QString("Job Types file upload timed out - please try again"));
}

// The wait as every run has it is the only limit of a download whose final reply never comes: it is told as
// timed out after the 121st sleep, and nothing of it is stored.
TEST_F(PortalFtpSlowTest, ADownloadWhoseFinalReplyNeverComesIsWaitedForTheWholeWait)
{
    startPortal(QStringLiteral("plomkar7"), 0, "final");
    portal_->handOut("GetCustomerJobs.php", requestLine(951) + "\r\n");
    PortalSync::options() = PortalSync::Options{};
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(run(QStringLiteral("ImportCustomerJobs~")));
    EXPECT_GE(clock.elapsed(), 121 * 1000);
    EXPECT_LT(clock.elapsed(), 140 * 1000);
    EXPECT_EQ(msgs_->last(), QString("Customer Jobs file download timed out - please try again"));
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(portal_->pages(), QStringList{"GetCustomerJobs.php"});
    EXPECT_EQ(requests(), "");
}

// The wait as every run has it ends a final reply that keeps trickling in, by its own clock: the time-out after
// the 121st sleep, the window's timers running throughout.
TEST_F(PortalFtpSlowTest, AFinalReplyThatKeepsTricklingIsGivenUpOnAfterTheWholeWait)
{
    startPortal(QStringLiteral("plomkar7"), 0, "final-lines");
    PortalSync::options() = PortalSync::Options{};
    expectTimedOut("Users~", "Users file upload timed out - please try again", 121 * 1000);
    EXPECT_EQ(portal_->pages(), QStringList());
}

// An FTP step's error longer than a message can show is cut as a page's reply is: here the download's local file,
// whose path (over 4,000 characters) the system refuses as too long.
TEST_F(PortalCommandsTest, ALongFtpErrorIsCutToFitTheScreen)
{
    QTemporaryDir base;
    QString temp = base.path();
    while (temp.size() < 4064)
        temp += "/" + QString(std::min<qsizetype>(200, 4064 - temp.size() - 1), 'd');
    ASSERT_EQ(temp.size(), 4064);
    ASSERT_TRUE(QDir().mkpath(temp));
    const bool wasSet = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray was = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.toUtf8());
    const bool done = run(QString("RetrieveSchedule~%1").arg(closed));
    wasSet ? qputenv("TMPDIR", was) : qunsetenv("TMPDIR");
    EXPECT_FALSE(done);
    const QString failure = "Schedule file download failed - ";
    const QString error = "Cannot open " + temp + "/wvs-portal-";
    EXPECT_EQ(msgs_->last(), failure + error.left(1000) + QChar(0x2026));
}
