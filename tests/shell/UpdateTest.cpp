#include "shell/UpdateCheck.h"
#include "shell/UpdateDB.h"
#include "shell/VersionUpdateForm.h"
#include "platform/ErrorHandlingModule.h"
#include "support/CloseTries.h"
#include "support/DbTest.h"
#include "support/LocalServers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTimer>

using namespace wvs;
using wvs::test::FtpServer;
using wvs::test::HttpServer;
using wvs::test::readFileBytes;
using wvs::test::writeFileBytes;

namespace {

const QString kProgram = "public_html/workvane/updates/WVS.exe";

class UpdateTest : public wvs::test::DbTest {
protected:
    void TearDown() override { qunsetenv("WVS_UPDATE_URL"); qunsetenv("WVS_UPDATE_FTP"); DbTest::TearDown(); }
    // Points the update server's page and FTP account at local servers.
    static void serve(const QString &url, int ftpPort = 0)
    {
        qputenv("WVS_UPDATE_URL", url.toUtf8());
        qputenv("WVS_UPDATE_FTP", ftpPort ? QString("127.0.0.1:%1").arg(ftpPort).toUtf8() : QByteArray());
    }
    void startFtp(int bytesPerSecond = 0)
    {
        ASSERT_TRUE(ftp_.start("vexlan30", "plomkar7", bytesPerSecond));
        serve("", ftp_.port());
    }
    // Runs the download window as the menu command does, in polls of 20 ms (10 s unless told: room for a
    // busy machine); returns the steps it showed.
    QStringList runWindow(int pollLimit = 500)
    {
        VersionUpdateForm form;
        form.pollIntervalMs = 20;
        form.pollLimit = pollLimit;
        QStringList steps;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const QString step = form.findChild<QLabel *>("InfoLabel")->text();
            if (!step.isEmpty() && (steps.isEmpty() || steps.last() != step))
                steps << step;
        });
        watch.start(0);
        modal_->on("VersionUpdateForm", [&](QDialog *) {});
        showModal(&form);
        return steps;
    }
    // Stores jobs with these last service dates, runs the repair and returns every job's date afterwards.
    QStringList repaired(const QStringList &dates)
    {
        for (const QString &d : dates)
            writeSql("INSERT INTO CustomerJobs (CustomerNumber, LastServiceDate) VALUES (1, ?)", {d});
        UpdateDB();
        return rowsOf("SELECT LastServiceDate FROM CustomerJobs ORDER BY JobSeqNo").split(';');
    }

    FtpServer ftp_;
};

} // namespace

TEST_F(UpdateTest, AnyOtherVersionIsNewsAndNoServerErrorPageOrTimeOutMeanNoAnswer)
{
    serve(QString("http://127.0.0.1:%1/").arg(wvs::test::unusedPort()));
    EXPECT_EQ(CheckUpdates(), ""); // no server: the program starts as usual
    HttpServer http;
    ASSERT_TRUE(http.start());
    serve(http.baseUrl());
    EXPECT_EQ(CheckUpdates(), ""); // no page: 404 with an HTML error text
    // An older version counts as well.
    for (const auto &[page, other] : {std::pair{"1.4.0\r\n", true}, {"1.3.4", true}, {"1.3.5", false}, {"", false}}) {
        http.putFile("CheckWVSUpdates.php", page);
        EXPECT_EQ(CheckUpdates(), QString(page).trimmed());
        EXPECT_EQ(isOtherVersion(CheckUpdates()), other) << page;
    }
    // A slow server (8 s) is given up at the time-out.
    HttpServer slow;
    ASSERT_TRUE(slow.start(8.0));
    slow.putFile("CheckWVSUpdates.php", "1.4.0");
    serve(slow.baseUrl());
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(CheckUpdates(200), "");
    EXPECT_LT(t.elapsed(), 200 + 3000);
}

TEST_F(UpdateTest, OnlyYesOpensTheDownloadWindow)
{
    for (MsgAnswer a : {MsgAnswer::No, MsgAnswer::Yes}) {
        msgs_->answer(a);
        offerUpdateDownload();
    }
    EXPECT_EQ(modal_->openedNames(), QStringList{"VersionUpdateForm"});
    const ShownMessage &asked = msgs_->shown().first();
    EXPECT_EQ(asked.title + "|" + asked.text,
              "New Version Available|An updated version of WVS is available!\r\nDo you wish to download and install it now?");
    EXPECT_TRUE(asked.icon == MsgIcon::Question && asked.buttons == MsgButtons::YesNo);
}

// The window polls the transfer every second and gives up after 120 polls: as made, and as the menu opens it
// (the other cases here shorten them), seen while its download runs.
TEST_F(UpdateTest, TheMenusDownloadPollsOnceASecond120Times)
{
    EXPECT_EQ(QList<int>({VersionUpdateForm().pollIntervalMs, VersionUpdateForm().pollLimit}), QList<int>({1000, 120}));
    startFtp(20000);
    ftp_.putFile(kProgram, QByteArray(10000, 'p'));   // half a second on the way
    QList<int> polls;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *form = qobject_cast<VersionUpdateForm *>(w); form && form->isVisible() && polls.isEmpty())
                polls = {form->pollIntervalMs, form->pollLimit};
    });
    watch.start(0);
    modal_->on("VersionUpdateForm", [](QDialog *) {});
    msgs_->answer(MsgAnswer::Yes);
    offerUpdateDownload();
    EXPECT_EQ(polls, QList<int>({1000, 120}));
    EXPECT_EQ(msgs_->texts().last(), "Download completed successfully. Please exit and re-enter WVS to install the update.");
}

// No server, nothing on it or an empty file keeps an old download; a whole file replaces it; a slow one times out.
TEST_F(UpdateTest, DownloadReplacesTheOldFileOnlyWithAWholeOneInTime)
{
    serve("", wvs::test::unusedPort());
    runWindow();
    EXPECT_FALSE(QFile::exists(updateLocalFile()));
    startFtp();
    ASSERT_TRUE(writeFileBytes(updateLocalFile(), "old download"));
    runWindow(); // nothing on the server
    ftp_.putFile(kProgram, QByteArray());
    runWindow();
    EXPECT_EQ(msgs_->texts(), QStringList(3, "The download was not successful - please try again. "
                                             "If the problem persists please report it to Support"));
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(readFileBytes(updateLocalFile()), QByteArray("old download"));

    msgs_->clear();
    const QByteArray program = "MZ" + QByteArray(100000, 'p');
    ftp_.putFile(kProgram, program);
    EXPECT_EQ(runWindow(), QStringList({"Downloading file - please wait...", "Logging off ftp..."}));
    EXPECT_EQ(msgs_->texts(), QStringList{"Download completed successfully. Please exit and re-enter WVS to install the update."});
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Information);
    EXPECT_EQ(readFileBytes(updateLocalFile()), program);
    EXPECT_EQ(QDir(dir_->path()).entryList({"WVSUpdate*"}, QDir::Files), QStringList{"WVSUpdate.exe"});

    msgs_->clear();
    ASSERT_TRUE(QFile::remove(updateLocalFile()));
    startFtp(20000);
    ftp_.putFile(kProgram, QByteArray(3000000, 'x'));
    runWindow(3);
    EXPECT_EQ(msgs_->texts(), QStringList{"Download timed out - please try again"});
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(QDir(dir_->path()).entryList({"WVSUpdate*"}, QDir::Files), QStringList());
}

// A download that never ends, whatever the server does (silent at RETR; the final reply withheld, or trickling
// in as continuation lines or a character at a time), times out by the window's own count. Escape, the window
// system's close and a close event leave the window up meanwhile: the download ends once, with its own message.
TEST_F(UpdateTest, ADownloadThatNeverEndsTimesOutByTheCountWithTheWindowUp)
{
    for (const char *silentAt : {"RETR", "final", "final-lines", "final-bytes"}) {
        SCOPED_TRACE(silentAt);
        FtpServer ftp;
        ASSERT_TRUE(ftp.start("vexlan30", "plomkar7", 0, silentAt));
        ftp.putFile(kProgram, "MZ program");
        serve("", ftp.port());
        msgs_->clear();
        wvs::test::CloseTries tries("VersionUpdateForm");
        QElapsedTimer clock;
        clock.start();
        runWindow(100);
        EXPECT_LT(clock.elapsed(), 101 * 20 + 3000);
        EXPECT_EQ(tries.stayed, (QList<bool>{true, true, true}));
        EXPECT_EQ(msgs_->texts(), QStringList{"Download timed out - please try again"});
        EXPECT_FALSE(QFile::exists(updateLocalFile()));
    }
}

// What the status bar says for each state of a transfer (the portal window names them alike).
TEST(VersionUpdateStateTest, StatusBarNamesEveryState)
{
    const QStringList states = {"No state information is available.",
        "Looking up the IP address for the remote server.", "Found the IP address for the remote server.",
        "Connecting to the remote server.", "Connected to the remote server.",
        "Requesting information from the remote server.", "The request was sent successfully to the remote server.",
        "Receiving a response from the remote server.", "The response was received successfully from the remote server.",
        "Disconnecting from the remote server.", "Disconnected from the remote server.",
        "An error has occurred while communicating with the remote server.",
        "The request was completed, all data has been received.", "Unknown state: 13"};
    VersionUpdateForm form;
    for (int state = 0; state < states.size(); ++state) {
        form.Inet1_StateChanged(state);
        EXPECT_EQ(form.statusText(), "Inet1 - " + states[state]);
    }
}

TEST_F(UpdateTest, RepairCompletesCutYearsAndStopsAtAnUnreadableDate)
{
    QStringList expected{"2016-03-15", "2016-03-05", "2016-12-07", "15/03/2016", "2019-05-01", ""};
    EXPECT_EQ(repaired({"15/03/201", "5/3/201", "07 Dec 201", "15/03/2016", "2019-05-01", ""}), expected);
    EXPECT_EQ(repaired({}), expected); // a second run finds nothing more to do
    EXPECT_TRUE(msgs_->texts().isEmpty());

    expected << "2016-02-01" << "31/02/201" << "03/04/201";
    EXPECT_EQ(repaired({"01/02/201", "31/02/201", "03/04/201"}), expected);
    ASSERT_EQ(msgs_->texts().size(), 1);
    // The repair stops at the same row again: its error is the one the message names.
    const std::optional<CaughtError> failed = trapError([] { RepairLastServiceDates(); });
    ASSERT_TRUE(failed);
    EXPECT_FALSE(failed->description.isEmpty());
    EXPECT_EQ(msgs_->last(), "The following error has occurred:\r\nFunction: UpdateDB\r\nCode: " + QString::number(failed->number)
                                 + "\r\nDescription: " + failed->description
                                 + "\r\nPlease make a note of this and report to Support.\r\nThe database was not updated");
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);

    // A stored text holding a placeholder is named as it stands, the job's number beside it.
    writeSql("DELETE FROM CustomerJobs");
    writeSql("INSERT INTO CustomerJobs (CustomerNumber, LastServiceDate) VALUES (1, '%2/02/201')");
    const std::optional<CaughtError> placeholder = trapError([] { RepairLastServiceDates(); });
    ASSERT_TRUE(placeholder);
    const QString job = rowsOf("SELECT JobSeqNo FROM CustomerJobs");
    EXPECT_TRUE(placeholder->description.contains("\"%2/02/2016\"") && placeholder->description.contains(" " + job + " "))
        << placeholder->description.toStdString();
}
