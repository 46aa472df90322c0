#include "platform/Transfer.h"
#include "support/LocalServers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wvs;
using wvs::test::FtpServer;
using wvs::test::HttpServer;

namespace {
QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(HttpGetTest, BodyOnSuccessAndNothingOnFailureOrTimeOut)
{
    HttpServer http;
    ASSERT_TRUE(http.start());
    http.putFile(QStringLiteral("CheckWVSUpdates.php"), "1.4.0");
    HttpReply r = httpGet(http.baseUrl() + QStringLiteral("CheckWVSUpdates.php"), 5000);
    EXPECT_TRUE(r.ok) << r.description.toStdString();
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, QByteArray("1.4.0"));

    r = httpGet(http.baseUrl() + QStringLiteral("missing.php"), 5000);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.status, 404);

    r = httpGet(QStringLiteral("http://127.0.0.1:%1/x").arg(wvs::test::unusedPort()), 5000);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error, 0);
    EXPECT_TRUE(r.body.isEmpty());

    // A slow server is given up at the time-out.
    HttpServer slow;
    ASSERT_TRUE(slow.start(3.0));
    slow.putFile(QStringLiteral("page"), "late");
    QElapsedTimer t;
    t.start();
    r = httpGet(slow.baseUrl() + QStringLiteral("page"), 300);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.body.isEmpty());
    EXPECT_LT(t.elapsed(), 2500);
}

class FtpTransferTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ftp_.start(QStringLiteral("user1"), QStringLiteral("pw1"))); }
    FtpTransfer::Account account(const QString &password = QStringLiteral("pw1")) const
    {
        return {QStringLiteral("127.0.0.1"), ftp_.port(), QStringLiteral("user1"), password};
    }
    FtpServer ftp_;
    QTemporaryDir local_;
};

TEST_F(FtpTransferTest, DownloadThenCloseReportsStatesInOrder)
{
    QByteArray content(300000, 'x');
    content[0] = 'M';
    content[1] = 'Z';
    ftp_.putFile(QStringLiteral("public_html/site folder/updates/WVS.exe"), content);
    FtpTransfer t(account());
    QList<int> states;
    t.setStateHandler([&](int s) { states << s; });
    const QString local = local_.filePath(QStringLiteral("got.exe"));
    ASSERT_TRUE(t.startDownload(QStringLiteral("public_html/site folder/updates/WVS.exe"), local));
    EXPECT_FALSE(t.startClose()); // one command at a time
    EXPECT_TRUE(t.waitUntilDone(50, 200));
    EXPECT_TRUE(t.succeeded()) << t.errorText().toStdString();
    EXPECT_EQ(t.bytesTransferred(), content.size());
    EXPECT_EQ(readAll(local), content);
    ASSERT_FALSE(states.isEmpty());
    EXPECT_EQ(states.first(), TransferState::Resolving);
    EXPECT_TRUE(states.contains(TransferState::Connected));
    EXPECT_TRUE(states.contains(TransferState::Receiving));
    EXPECT_EQ(states.last(), TransferState::Completed);
    QStringList seen;
    for (int x : states)
        seen << QString::number(x);
    EXPECT_TRUE(std::is_sorted(states.begin(), states.end())) << seen.join(QLatin1Char(' ')).toStdString();

    states.clear();
    ASSERT_TRUE(t.startClose());
    EXPECT_TRUE(t.waitUntilDone(50, 10));
    EXPECT_EQ(states, (QList<int>{TransferState::Disconnecting, TransferState::Disconnected}));
}

TEST_F(FtpTransferTest, FailedDownloadsLeaveNoFile)
{
    ftp_.putFile(QStringLiteral("a.txt"), "data");
    const QString local = local_.filePath(QStringLiteral("a.txt"));
    {
        FtpTransfer t(account(QStringLiteral("wrong")));
        QList<int> states;
        t.setStateHandler([&](int s) { states << s; });
        t.startDownload(QStringLiteral("a.txt"), local);
        EXPECT_TRUE(t.waitUntilDone(50, 200));
        EXPECT_FALSE(t.succeeded());
        EXPECT_NE(t.error(), 0);
        EXPECT_EQ(states.last(), TransferState::Error);
        EXPECT_FALSE(QFile::exists(local));
    }
    {
        FtpTransfer t(account());
        t.startDownload(QStringLiteral("no/such/file.txt"), local);
        EXPECT_TRUE(t.waitUntilDone(50, 200));
        EXPECT_FALSE(t.succeeded());
        EXPECT_FALSE(QFile::exists(local));
    }
}

TEST_F(FtpTransferTest, UploadAndDownloadOfAnEmptyFile)
{
    const QString src = local_.filePath(QStringLiteral("Schedule.txt"));
    QFile f(src);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"1\",\"Anna\"\r\n\"2\",\"Zoë\"\r\n");
    f.close();
    FtpTransfer t(account());
    ASSERT_TRUE(t.startUpload(src, QStringLiteral("Schedule.txt")));
    EXPECT_TRUE(t.waitUntilDone(50, 200));
    EXPECT_TRUE(t.succeeded()) << t.errorText().toStdString();
    EXPECT_EQ(readAll(ftp_.root() + QStringLiteral("/Schedule.txt")), readAll(src));

    ftp_.putFile(QStringLiteral("empty.txt"), QByteArray());
    const QString local = local_.filePath(QStringLiteral("empty.txt"));
    ASSERT_TRUE(t.startDownload(QStringLiteral("empty.txt"), local));
    EXPECT_TRUE(t.waitUntilDone(50, 200));
    EXPECT_TRUE(t.succeeded());
    EXPECT_EQ(QFileInfo(local).size(), 0);
}

TEST(FtpTransferTimeOutTest, SlowTransferIsStoppedAfterThePollLimit)
{
    FtpServer slow;
    ASSERT_TRUE(slow.start(QStringLiteral("u"), QStringLiteral("p"), 20000));
    slow.putFile(QStringLiteral("big.bin"), QByteArray(2000000, 'b'));
    QTemporaryDir dir;
    const QString local = dir.filePath(QStringLiteral("big.bin"));
    FtpTransfer t({QStringLiteral("127.0.0.1"), slow.port(), QStringLiteral("u"), QStringLiteral("p")});
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(t.startDownload(QStringLiteral("big.bin"), local));
    EXPECT_FALSE(t.waitUntilDone(20, 5));
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_FALSE(t.succeeded());
    EXPECT_FALSE(t.stillExecuting());
    EXPECT_FALSE(QFile::exists(local));
}
