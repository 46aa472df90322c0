#include "data/AppDatabase.h"
#include "shell/UpdateCheck.h"
#include "shell/UpdateDB.h"
#include "shell/VersionUpdateForm.h"
#include "support/DbTest.h"
#include "support/LocalServers.h"

#include <QFile>
#include <QLabel>
#include <QStatusBar>

using namespace wvs;
using wvs::test::FtpServer;
using wvs::test::HttpServer;

namespace {

// Points the update server's address at local servers for one test.
class UpdateServerEnv {
public:
    UpdateServerEnv(const QString &url, const QString &ftp)
    {
        qputenv("WVS_UPDATE_URL", url.toUtf8());
        qputenv("WVS_UPDATE_FTP", ftp.toUtf8());
    }
    ~UpdateServerEnv()
    {
        qunsetenv("WVS_UPDATE_URL");
        qunsetenv("WVS_UPDATE_FTP");
    }
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

} // namespace

TEST(UpdateCheckTest, AnyOtherVersionIsNewsAndNoServerErrorPageOrTimeOutMeanNoAnswer)
{
    HttpServer http;
    ASSERT_TRUE(http.start());
    {
        UpdateServerEnv env(http.baseUrl(), QString());
        EXPECT_EQ(CheckUpdates(), QString()); // no page: 404 with an HTML error text
        http.putFile(QStringLiteral("CheckWVSUpdates.php"), "1.4.0\r\n");
        EXPECT_EQ(CheckUpdates(), QStringLiteral("1.4.0"));
        EXPECT_TRUE(isOtherVersion(CheckUpdates()));
        http.putFile(QStringLiteral("CheckWVSUpdates.php"), "1.3.4");
        EXPECT_TRUE(isOtherVersion(CheckUpdates())); // older counts as well
        http.putFile(QStringLiteral("CheckWVSUpdates.php"), "1.3.5");
        EXPECT_FALSE(isOtherVersion(CheckUpdates()));
        http.putFile(QStringLiteral("CheckWVSUpdates.php"), "");
        EXPECT_EQ(CheckUpdates(), QString());
        EXPECT_FALSE(isOtherVersion(CheckUpdates()));
    }
    {
        UpdateServerEnv env(QStringLiteral("http://127.0.0.1:%1/").arg(wvs::test::unusedPort()), QString());
        EXPECT_EQ(CheckUpdates(), QString());
    }
    HttpServer slow;
    ASSERT_TRUE(slow.start(3.0));
    slow.putFile(QStringLiteral("CheckWVSUpdates.php"), "1.4.0");
    UpdateServerEnv env(slow.baseUrl(), QString());
    EXPECT_EQ(CheckUpdates(200), QString());
}

class VersionUpdateTest : public wvs::test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        ASSERT_TRUE(ftp_.start(QString::fromLatin1(kUpdateFtpUser), QString::fromLatin1(kUpdateFtpPassword)));
        env_ = std::make_unique<UpdateServerEnv>(QString(), QStringLiteral("127.0.0.1:%1").arg(ftp_.port()));
    }
    void TearDown() override
    {
        env_.reset();
        DbTest::TearDown();
    }
    // Runs the window as the menu command does and returns its last status text.
    QString runWindow(int limit = 120)
    {
        VersionUpdateForm form;
        form.pollIntervalMs = 20;
        form.pollLimit = limit;
        QString status;
        modal_->on(QStringLiteral("VersionUpdateForm"), [&](QDialog *) {});
        showModal(&form);
        status = form.statusText();
        return status;
    }

    FtpServer ftp_;
    std::unique_ptr<UpdateServerEnv> env_;
};

TEST_F(VersionUpdateTest, DownloadReplacesTheOldFileAndReportsSuccess)
{
    const QByteArray program = QByteArray("MZ") + QByteArray(100000, 'p');
    ftp_.putFile(QStringLiteral("public_html/workvane/updates/WVS.exe"), program);
    writeFile(updateLocalFile(), "old download");
    const QString status = runWindow();
    EXPECT_EQ(msgs_->texts(),
              QStringList{QStringLiteral(
                  "Download completed successfully. Please exit and re-enter WVS to install the update.")});
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Information);
    EXPECT_EQ(readAll(updateLocalFile()), program);
    EXPECT_EQ(status, QStringLiteral("Inet1 - Disconnected from the remote server."));
    EXPECT_EQ(QDir(dir_->path()).entryList({QStringLiteral("WVSUpdate*")}, QDir::Files),
              QStringList{QStringLiteral("WVSUpdate.exe")});
}

TEST_F(VersionUpdateTest, NoServerOrAMissingOrEmptyFileFailsAndKeepsAnOldDownload)
{
    const QString failure = QStringLiteral("The download was not successful - please try again. "
                                           "If the problem persists please report it to Support");
    env_ = std::make_unique<UpdateServerEnv>(QString(), QStringLiteral("127.0.0.1:%1").arg(wvs::test::unusedPort()));
    runWindow();
    EXPECT_FALSE(QFile::exists(updateLocalFile()));

    env_ = std::make_unique<UpdateServerEnv>(QString(), QStringLiteral("127.0.0.1:%1").arg(ftp_.port()));
    writeFile(updateLocalFile(), "old download");
    runWindow(); // nothing on the server
    ftp_.putFile(QStringLiteral("public_html/workvane/updates/WVS.exe"), QByteArray());
    runWindow();
    EXPECT_EQ(msgs_->texts(), QStringList({failure, failure, failure}));
    EXPECT_EQ(readAll(updateLocalFile()), QByteArray("old download"));
}

TEST(VersionUpdateTimeOutTest, SlowTransferTimesOutAndLeavesNoFile)
{
    wvs::test::FtpServer slow;
    ASSERT_TRUE(slow.start(QString::fromLatin1(kUpdateFtpUser), QString::fromLatin1(kUpdateFtpPassword), 20000));
    slow.putFile(QStringLiteral("public_html/workvane/updates/WVS.exe"), QByteArray(3000000, 'x'));
    QTemporaryDir home;
    qputenv("WVS_HOME", home.path().toLocal8Bit());
    UpdateServerEnv env(QString(), QStringLiteral("127.0.0.1:%1").arg(slow.port()));
    MessageScript msgs;
    VersionUpdateForm form;
    form.pollIntervalMs = 20;
    form.pollLimit = 3;
    form.DownloadUpdate();
    qunsetenv("WVS_HOME");
    EXPECT_EQ(msgs.texts(), QStringList{QStringLiteral("Download timed out - please try again")});
    EXPECT_EQ(msgs.shown().last().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::Files).isEmpty());
}

TEST(UpdateOfferTest, QuestionAndWindow)
{
    MessageScript msgs;
    ModalScript modal;
    msgs.answer(MsgAnswer::No);
    offerUpdateDownload();
    ASSERT_EQ(msgs.shown().size(), 1);
    EXPECT_EQ(msgs.shown()[0].text,
              QStringLiteral("An updated version of WVS is available!\r\nDo you wish to download and install it now?"));
    EXPECT_TRUE(modal.opened().isEmpty());

    msgs.answer(MsgAnswer::Yes);
    offerUpdateDownload();
    EXPECT_EQ(modal.openedNames(), QStringList{QStringLiteral("VersionUpdateForm")});
}

class RepairTest : public wvs::test::DbTest {
protected:
    qint64 addJob(const QString &lastServiceDate)
    {
        writeSql(QStringLiteral("INSERT INTO CustomerJobs (CustomerNumber, LastServiceDate) VALUES (1, ?)"),
                 {lastServiceDate});
        return lastInsertId();
    }
    QString lastService(qint64 job)
    {
        return scalarSql(QStringLiteral("SELECT LastServiceDate FROM CustomerJobs WHERE JobSeqNo = ?"), {job}).toString();
    }
};

TEST_F(RepairTest, CutYearsAreCompletedAndOthersLeftAlone)
{
    const qint64 cut = addJob(QStringLiteral("15/03/201"));
    const qint64 shortDay = addJob(QStringLiteral("5/3/201"));
    const qint64 shown = addJob(QStringLiteral("07 Dec 201"));
    const qint64 whole = addJob(QStringLiteral("15/03/2016"));
    const qint64 stored = addJob(QStringLiteral("2019-05-01"));
    UpdateDB();
    EXPECT_TRUE(msgs_->texts().isEmpty());
    EXPECT_EQ(lastService(cut), QStringLiteral("2016-03-15"));
    EXPECT_EQ(lastService(shortDay), QStringLiteral("2016-03-05"));
    EXPECT_EQ(lastService(shown), QStringLiteral("2016-12-07"));
    EXPECT_EQ(lastService(whole), QStringLiteral("15/03/2016"));
    EXPECT_EQ(lastService(stored), QStringLiteral("2019-05-01"));

    UpdateDB(); // a second run finds nothing more to do
    EXPECT_EQ(lastService(cut), QStringLiteral("2016-03-15"));
    EXPECT_TRUE(msgs_->texts().isEmpty());
}

TEST_F(RepairTest, UnreadableDateStopsWithMessageAndKeepsEarlierRepairs)
{
    const qint64 first = addJob(QStringLiteral("01/02/201"));
    const qint64 bad = addJob(QStringLiteral("31/02/201"));
    const qint64 after = addJob(QStringLiteral("03/04/201"));
    UpdateDB();
    ASSERT_EQ(msgs_->texts().size(), 1);
    const QStringList lines = msgs_->last().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("The following error has occurred:"));
    EXPECT_EQ(lines[1], QStringLiteral("Function: UpdateDB"));
    EXPECT_TRUE(lines[2].startsWith(QLatin1String("Code: ")));
    EXPECT_TRUE(lines[3].startsWith(QLatin1String("Description: ")));
    EXPECT_EQ(lines[5], QStringLiteral("The database was not updated"));
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(lastService(first), QStringLiteral("2016-02-01"));
    EXPECT_EQ(lastService(bad), QStringLiteral("31/02/201"));
    EXPECT_EQ(lastService(after), QStringLiteral("03/04/201"));
}
