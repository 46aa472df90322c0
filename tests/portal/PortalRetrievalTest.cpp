#include "PortalTestData.h"

#include <QDir>
#include <QRegularExpression>

using namespace wvs;
using namespace wvs::portaltest;

namespace {

class PortalRetrievalTest : public PortalDbTest {
protected:
    void SetUp() override
    {
        PortalDbTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1);
        schedule = addSchedule("2012-03-05", "2012-03-18", "Published");
        jobA = addJob({.associate = "ADM"});
        jobB = addJob({.associate = "BOB"});
        storeJob(schedule, jobA, "2012-03-05", 0, "", "ADM");
        storeJob(schedule, jobB, "2012-03-06", 1, "2012-03-06", "ADM");
        addNote(schedule, jobB, "2012-03-06", "Portal", "old", "Information");
        addNote(schedule, jobB, "2012-03-06", "Administrator", "keep", "Action");
    }
    static void addNote(qint64 s, qint64 job, const char *date, const char *author, const char *detail, const char *type)
    {
        writeSql("INSERT INTO ScheduleJobNotes (ScheduleNumber, JobSeqNo, ScheduleServiceDate, NoteAuthor, NoteDetail, "
                 "NoteType) VALUES (?, ?, ?, ?, ?, ?)",
                 {s, job, date, author, detail, type});
    }
    QByteArray record(qint64 job, const char *date, int flag, const char *doneDate, const char *by, const char *note)
    { return scheduleLine(schedule, job, date, flag, doneDate, by, note); }
    static QString notes(qint64 job)
    {
        return scalarSql("SELECT group_concat(NoteAuthor || ':' || NoteDetail || ':' || NoteType || ':' || "
                         "ScheduleServiceDate, ';') FROM (SELECT * FROM ScheduleJobNotes WHERE JobSeqNo = ? ORDER BY rowid)",
                         {job}).toString();
    }
    qint64 schedule = 0, jobA = 0, jobB = 0;
};

} // namespace

TEST_F(PortalRetrievalTest, UpdatesAreMatchedByJobAndDateAndApplied)
{
    // CR LF, CR and LF line ends; one record on two lines; a job nobody has;
    // a note in the Windows-1252 code page; a done flag neither 0 nor 1.
    storeJob(schedule, jobB, "2012-03-13", 2, "2012-03-13", "ADM");
    portal_->handOut("GetSchedule.php",
                     record(jobA, "2012/03/05", 1, "2012/03/07", "BOB", "Customer\x92s dog barked \x93" "all good\x94 \x96 \x80" "5, caf\xE9") + "\r\n"
                         + record(jobB, "2012/03/13", 2, "2012/03/14", "ADM", "") + "\r\n"
                         + record(jobB, "6/03/2012", 0, "", "", "") + "\r"
                         + QByteArray::number(schedule) + ",2012-03-20,999,1\n2012-03-20,BOB,\"lost\"\n");
    EXPECT_TRUE(run(QStringLiteral("RetrieveSchedule~%1").arg(schedule)));
    ASSERT_EQ(portal_->pages(), QStringList{"GetSchedule.php"});
    EXPECT_EQ(portal_->calls()[0].query,
              (QList<QPair<QString, QString>>{{"companyid", "ABCD"}, {"companyserial", "TEST01"}}));

    EXPECT_EQ(stored(schedule, jobA, "2012-03-05", "ActualServiceDate || '|' || AssociateID"), "2012-03-07|BOB");
    EXPECT_EQ(notes(jobA), "Portal:Customer’s dog barked “all good” – €5, café:Information:2012-03-05");
    // Not done (any flag but 1): the date goes and the job's own associate
    // comes back; the portal's note goes, the associate's stays.
    EXPECT_EQ(stored(schedule, jobB, "2012-03-06", "ActualServiceDate || '|' || AssociateID"), "|BOB");
    EXPECT_EQ(stored(schedule, jobB, "2012-03-13", "ActualServiceDate || '|' || AssociateID"), "|BOB");
    EXPECT_EQ(notes(jobB), "Administrator:keep:Action:2012-03-06");
    EXPECT_EQ(count("SELECT COUNT(*) FROM ScheduleJobNotes WHERE JobSeqNo = 999"), 0);

    // A record names one occurrence by schedule, job and date: another date of the job, and the same job
    // and date in another schedule, keep their state and their portal notes.
    const qint64 other = addSchedule("2012-03-19", "2012-04-01", "Closed");
    storeJob(schedule, jobA, "2012-03-12", 3, "", "ADM");
    storeJob(other, jobA, "2012-03-05", 1, "", "ADM");
    addNote(schedule, jobA, "2012-03-12", "Portal", "other date", "Information");
    addNote(other, jobA, "2012-03-05", "Portal", "other schedule", "Information");
    portal_->handOut("GetSchedule.php", record(jobA, "2012/03/05", 1, "2012/03/08", "ADM", "again") + "\r\n");
    EXPECT_TRUE(run(QStringLiteral("RetrieveSchedule~%1").arg(schedule)));
    EXPECT_EQ(stored(schedule, jobA, "2012-03-05", "ActualServiceDate || '|' || AssociateID"), "2012-03-08|ADM");
    EXPECT_EQ(stored(schedule, jobA, "2012-03-12", "ActualServiceDate || '|' || AssociateID"), "|ADM");
    EXPECT_EQ(stored(other, jobA, "2012-03-05", "ActualServiceDate || '|' || AssociateID"), "|ADM");
    EXPECT_EQ(scalarSql("SELECT group_concat(NoteDetail, ';') FROM (SELECT NoteDetail FROM ScheduleJobNotes "
                        "WHERE JobSeqNo = ? ORDER BY rowid)", {jobA}).toString(),
              "other date;other schedule;again");
}

TEST_F(PortalRetrievalTest, AFileUnreadableMissingOrLateChangesNothing)
{
    portal_->handOut("GetSchedule.php", record(jobA, "2012/03/05", 1, "2012/03/07", "BOB", "x") + "\r\n"
                                            + record(jobB, "31/02/2012", 0, "", "", "") + "\r\n");
    EXPECT_FALSE(run(QStringLiteral("RetrieveSchedule~%1").arg(schedule)));
    EXPECT_EQ(msgs_->last(), "Line 2 of the schedule data file cannot be read - nothing has been updated:\r\n"
                                 + QString::fromLatin1(record(jobB, "31/02/2012", 0, "", "", "")));
    EXPECT_EQ(stored(schedule, jobA, "2012-03-05", "ActualServiceDate"), "");
    // An unreadable line longer than a message can show is shown up to its 1,000th character.
    const QByteArray longLine = record(jobB, "31/02/2012", 0, "", "", QByteArray(3000, 'z').constData());
    portal_->handOut("GetSchedule.php", longLine + "\r\n");
    EXPECT_FALSE(run(QStringLiteral("RetrieveSchedule~%1").arg(schedule)));
    EXPECT_EQ(msgs_->last(), "Line 1 of the schedule data file cannot be read - nothing has been updated:\r\n"
                                 + QString::fromLatin1(longLine.left(1000)) + QChar(0x2026));

    // The page said yes but there is no file to get.
    startPortal();
    EXPECT_FALSE(run(QStringLiteral("RetrieveSchedule~%1").arg(schedule)));
    const QString missing = PortalSite::ftpDirectory() + PortalUploadFiles::remoteName("ScheduleUpdate", "ABCD", "TEST01");
    EXPECT_EQ(msgs_->last(), "Schedule file download failed - " + ftpRefusal([&](FtpTransfer &ftp) {
                                 return ftp.startDownload(missing, QDir(dir_->path()).filePath("missing.txt"));
                             }));

    // A file that does not arrive in time.
    startPortal(QStringLiteral("plomkar7"), 200);
    portal_->handOut("GetSchedule.php", QByteArray(4000, ' ') + record(jobA, "2012/03/05", 1, "2012/03/07", "BOB", ""));
    // 20 s of data against a wait of 2 s a step, long enough for the page before it.
    PortalSync::options() = {100, 20};
    EXPECT_FALSE(run(QStringLiteral("RetrieveSchedule~%1").arg(schedule)));
    EXPECT_EQ(msgs_->last(), "Schedule file download timed out - please try again");
    EXPECT_EQ(stored(schedule, jobA, "2012-03-05", "ActualServiceDate"), "");
}

TEST_F(PortalRetrievalTest, RequestsAreStoredOnlyOnceThePortalHasLetThemGo)
{
    portal_->handOut("GetCustomerJobs.php", requestLine(501) + "\r\n" + requestLine(502, "") + "\r\n");
    EXPECT_TRUE(run(QStringLiteral("ImportCustomerJobs~")));
    ASSERT_EQ(portal_->pages(), (QStringList{"GetCustomerJobs.php", "DeleteCustomerJobsData.php"}));
    EXPECT_EQ(portal_->calls()[1].query, (QList<QPair<QString, QString>>{{"companyid", "ABCD"}}));
    // Dates in the stored form, the cost in cents (none is 0).
    EXPECT_EQ(scalarSql("SELECT group_concat(UniqueId || ',' || LastName || ',' || PreferredPhone || ',' || DateEntered "
                        "|| ',' || StartDate || ',' || EndDate || ',' || Cost || ',' || JobDetailsComments, ';') "
                        "FROM PortalCustomerJobs").toString(),
              "501,Jones,1,2031-06-01,2031-07-07,,4550,Side gate;502,Jones,1,2031-06-01,2031-07-07,,0,Side gate");

    // A request stored by a run that ended before the portal let it go is
    // skipped as it is; the new one is stored and the portal lets both go.
    writeSql("UPDATE PortalCustomerJobs SET LastName = 'Kept' WHERE UniqueId = 502");
    portal_->handOut("GetCustomerJobs.php", requestLine(502) + "\r\n" + requestLine(503) + "\r\n");
    EXPECT_TRUE(run(QStringLiteral("ImportCustomerJobs~")));
    EXPECT_EQ(portal_->pages().mid(2), (QStringList{"GetCustomerJobs.php", "DeleteCustomerJobsData.php"}));
    EXPECT_EQ(requests(), "501,502,503");
    EXPECT_EQ(scalarSql("SELECT LastName FROM PortalCustomerJobs WHERE UniqueId = 502").toString(), "Kept");

    // A short line is refused by its number, before anything is stored.
    portal_->handOut("GetCustomerJobs.php", requestLine(505) + "\n" + requestLine(504).chopped(2) + "\n");  // 58 fields
    EXPECT_FALSE(run(QStringLiteral("ImportCustomerJobs~")));
    EXPECT_EQ(msgs_->last(), "Line 2 of the Customer Jobs data file cannot be read - nothing has been imported:\r\n"
                                 + QString::fromLatin1(requestLine(504).chopped(2)));
    EXPECT_EQ(requests(), "501,502,503");

    // Fields after the 59th are no fault: they are left out.
    portal_->handOut("GetCustomerJobs.php", requestLine(506) + "|later|fields\r\n");
    EXPECT_TRUE(run(QStringLiteral("ImportCustomerJobs~"))) << msgs_->last().toStdString();
    EXPECT_EQ(requests(), "501,502,503,506");
    EXPECT_EQ(scalarSql("SELECT AsRequired FROM PortalCustomerJobs WHERE UniqueId = 506").toInt(), 0);

    // A portal that cannot be reached says so.
    qputenv("WVS_PORTAL_WEB_HOST", "127.0.0.1:1");
    EXPECT_FALSE(run(QStringLiteral("ImportCustomerJobs~")));
    // The failure text, then the transfer library's words for the same call; only the milliseconds the
    // attempt took differ from one call to the next.
    const HttpReply unreachable = httpGet(PortalSite::pageBase() + "GetCustomerJobs.php?companyid=ABCD", 5000);
    EXPECT_FALSE(unreachable.ok || unreachable.description.isEmpty());
    const QRegularExpression took("after \\d+ ms");
    EXPECT_EQ(QString(msgs_->last()).replace(took, "after N ms"),
              QString("Importing Customer Jobs data failed - " + unreachable.description).replace(took, "after N ms"));
    startPortal();
}
