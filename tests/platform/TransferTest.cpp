#include "platform/Transfer.h"
#include "support/Keys.h"
#include "support/LocalServers.h"
#include "support/SlowLookup.h"
#include "support/UnderX.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <curl/curl.h>
#include <gtest/gtest.h>

using namespace wvs;
using wvs::test::FtpServer;
using wvs::test::HttpServer;
using wvs::test::readFileBytes;

class FtpTransferTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ftp_.start("user1", "pw1")); }
    FtpTransfer::Account account(const QString &password = "pw1") const
    {
        return {"127.0.0.1", ftp_.port(), "user1", password};
    }
    FtpServer ftp_;
    QTemporaryDir local_;
};

TEST_F(FtpTransferTest, DownloadThenCloseReportsStatesInOrder)
{
    const QByteArray content = "MZ" + QByteArray(300000, 'x');
    ftp_.putFile("public_html/site folder/updates/WVS.exe", content);
    FtpTransfer t(account());
    QList<int> states;
    t.setStateHandler([&](int s) { states << s; });
    const QString local = local_.filePath("got.exe");
    ASSERT_TRUE(t.startDownload("public_html/site folder/updates/WVS.exe", local));
    EXPECT_FALSE(t.startClose()); // one command at a time
    EXPECT_TRUE(t.waitUntilDone(50, 200));
    EXPECT_TRUE(t.succeeded()) << t.errorText().toStdString();
    EXPECT_EQ(t.bytesTransferred(), content.size());
    EXPECT_EQ(readFileBytes(local), content);
    ASSERT_TRUE(states.contains(TransferState::Receiving));
    EXPECT_EQ(states.last(), TransferState::Completed);
    EXPECT_TRUE(std::is_sorted(states.begin(), states.end()));

    states.clear();
    ASSERT_TRUE(t.startClose());
    EXPECT_TRUE(t.waitUntilDone(50, 100));
    EXPECT_EQ(states, (QList<int>{TransferState::Disconnecting, TransferState::Disconnected}));
    EXPECT_EQ(ftp_.commands().last(), "QUIT");
}

// A server that stops answering QUIT is given up on by the wait, which stops the CLOSE; a CLOSE with no
// session open ends at once and says nothing to anyone.
TEST(FtpCloseTest, ASilentServerIsGivenUpOnAndNoSessionNeedsNoWord)
{
    FtpServer ftp;
    ASSERT_TRUE(ftp.start("user1", "pw1", 0, "QUIT"));
    ftp.putFile("a.txt", "data");
    QTemporaryDir local;
    FtpTransfer t({"127.0.0.1", ftp.port(), "user1", "pw1"});
    ASSERT_TRUE(t.startDownload("a.txt", local.filePath("a.txt")));
    ASSERT_TRUE(t.waitUntilDone(50, 200) && t.succeeded()) << t.errorText().toStdString();
    ASSERT_TRUE(t.startClose());
    // The wait gives up only after the poll that passes the limit: the fifth of 100 ms for a limit of 4.
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(t.waitUntilDone(100, 4));
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_FALSE(t.stillExecuting());
    EXPECT_EQ(readFileBytes(local.filePath("a.txt")), "data");   // a stopped CLOSE keeps the download
    EXPECT_EQ(ftp.commands().last(), "QUIT");

    FtpTransfer unused({"127.0.0.1", ftp.port(), "user1", "pw1"});
    ASSERT_TRUE(unused.startClose());
    EXPECT_FALSE(unused.stillExecuting());
    EXPECT_TRUE(unused.succeeded());
}

TEST_F(FtpTransferTest, UploadsArriveFailedDownloadsLeaveNoFileAndAnEmptyOneArrives)
{
    const QString src = local_.filePath("Schedule.txt");
    ASSERT_TRUE(wvs::test::writeFileBytes(src, "\"1\",\"Anna\"\r\n\"2\",\"Zoë\"\r\n"));
    FtpTransfer up(account());
    ASSERT_TRUE(up.startUpload(src, "Schedule.txt"));
    EXPECT_TRUE(up.waitUntilDone(50, 200) && up.succeeded()) << up.errorText().toStdString();
    EXPECT_EQ(readFileBytes(ftp_.root() + "/Schedule.txt"), readFileBytes(src));
    // A name goes as the bytes the account spells it in: UTF-8 unless it says otherwise.
    FtpTransfer utf8(account());
    FtpTransfer latin1({"127.0.0.1", ftp_.port(), "user1", "pw1", [](const QString &n) { return n.toLatin1(); }});
    for (FtpTransfer *t : {&utf8, &latin1}) {
        ASSERT_TRUE(t->startUpload(src, "Zoë.txt"));
        EXPECT_TRUE(t->waitUntilDone(50, 200) && t->succeeded()) << t->errorText().toStdString();
    }
    const QList<QByteArray> sent = ftp_.commands();
    EXPECT_TRUE(sent.contains("STOR Zo\xC3\xAB.txt") && sent.contains("STOR Zo\xEB.txt")) << sent.join(' ').toStdString();
    ftp_.putFile("a.txt", "data");
    ftp_.putFile("empty.txt", QByteArray());
    for (const auto &[password, remote] : {std::pair{"wrong", "a.txt"}, {"pw1", "no/such/file.txt"}, {"pw1", "empty.txt"}}) {
        SCOPED_TRACE(remote);
        const bool ok = QString(remote) == "empty.txt";
        const QString local = local_.filePath(QString(remote).replace('/', '_'));
        FtpTransfer t(account(password));
        QList<int> states;
        t.setStateHandler([&](int s) { states << s; });
        t.startDownload(remote, local);
        EXPECT_TRUE(t.waitUntilDone(50, 200));
        EXPECT_EQ(t.succeeded(), ok);
        EXPECT_EQ(t.error() == 0, ok);
        EXPECT_EQ(states.last(), ok ? TransferState::Completed : TransferState::Error);
        EXPECT_EQ(QFile::exists(local), ok);
        EXPECT_EQ(QFileInfo(local).size(), 0);
    }
}

// A server that takes a file whole, or sends one whole, and then never gives its final reply (226); a file
// "put.txt" to send to it.
class FtpFinalReplyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ftp_.start("user1", "pw1", 0, "final"));
        ASSERT_TRUE(wvs::test::writeFileBytes(src_, content_));
    }
    FtpServer ftp_;
    QTemporaryDir local_;
    const QByteArray content_ = "\"1\",\"Anna\"\r\n";
    const QString src_ = local_.filePath("put.txt");
    FtpTransfer::Account account() const { return {"127.0.0.1", ftp_.port(), "user1", "pw1"}; }
};

// A server that takes a file whole, or sends one whole, and then never gives its final reply keeps the
// transfer library waiting inside one call of its own: the program's wait still gives up on the command
// once its polls are spent, as a time-out, and the connection left waiting for that reply carries no
// further command and is never asked to QUIT.
TEST_F(FtpFinalReplyTest, ATransferWhoseFinalReplyNeverComesIsGivenUpOnByTheWait)
{
    ftp_.putFile("got.txt", content_);
    FtpTransfer t(account());
    for (const bool upload : {true, false}) {
        SCOPED_TRACE(upload ? "STOR" : "RETR");
        const QString got = local_.filePath("got.txt");
        ASSERT_TRUE(upload ? t.startUpload(src_, "put.txt") : t.startDownload("got.txt", got));
        // A wait long enough for the log-on and the data on a busy machine; a call held past it would run
        // for ever.
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(t.waitUntilDone(50, 40));
        EXPECT_GE(clock.elapsed(), 41 * 50);
        EXPECT_LT(clock.elapsed(), 41 * 50 + 4000);
        EXPECT_TRUE(t.timedOut());
        EXPECT_FALSE(t.succeeded());
        EXPECT_FALSE(t.stillExecuting());
        EXPECT_EQ(t.bytesTransferred(), content_.size());   // the data went whole: only the reply was missing
        if (upload)
            EXPECT_EQ(readFileBytes(ftp_.root() + "/put.txt"), content_);
        else
            EXPECT_FALSE(QFile::exists(got));   // a download without its reply is no download
    }
    // Each command logged on anew; the CLOSE finds no session left and says nothing.
    EXPECT_EQ(ftp_.commands().count("USER user1"), 2) << ftp_.commands().join(' ').toStdString();
    ASSERT_TRUE(t.startClose());
    EXPECT_FALSE(t.stillExecuting());
    EXPECT_TRUE(t.succeeded());
    EXPECT_FALSE(ftp_.commands().contains("QUIT"));
}

// While the library waits inside one call for a final reply that does not come, the window repaints and
// its timers run.
TEST_F(FtpFinalReplyTest, TheWindowRepaintsWhileTheLibraryWaitsForTheFinalReply)
{
    FtpTransfer t(account());
    QLabel label;
    label.show();
    // Ticks and paints once the whole file has gone and the command, not yet ended, waits for its reply alone.
    auto waitingForReply = [&] { return t.bytesTransferred() == content_.size() && t.state() < TransferState::Error; };
    int ticks = 0, paints = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (waitingForReply()) {
            ++ticks;
            label.setText(QString::number(ticks));
        }
    });
    struct PaintCount : QObject {
        std::function<void()> painted;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                painted();
            return false;
        }
    } paintCount;
    paintCount.painted = [&] { paints += waitingForReply() ? 1 : 0; };
    label.installEventFilter(&paintCount);
    tick.start(20);
    ASSERT_TRUE(t.startUpload(src_, "put.txt"));
    EXPECT_FALSE(t.waitUntilDone(100, 30));
    EXPECT_GE(ticks, 2);
    EXPECT_GE(paints, 2);
}

// A page is fetched in one blocking call: while its server holds the answer back the window's timers still
// run, and the page arrives whole.
TEST(HttpGetTest, TheWindowsTimersRunWhileAPageIsAwaited)
{
    HttpServer http;
    ASSERT_TRUE(http.start(2.5));
    http.putFile("page.txt", "SUCCESS");
    bool inside = false;
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ticks += inside ? 1 : 0; });
    tick.start(20);
    inside = true;
    const HttpReply reply = httpGet(http.baseUrl() + "page.txt", 10000);
    inside = false;
    EXPECT_TRUE(reply.ok) << reply.description.toStdString();
    EXPECT_EQ(reply.body, "SUCCESS");
    EXPECT_GE(ticks, 2);
}

// How long a wait took and how often the window's timer ticked meanwhile (every 20 ms when nothing holds it).
struct Waited {
    qint64 ms = 0;
    int ticks = 0;
};
template <class Wait>
Waited timed(Wait &&wait)
{
    Waited w;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++w.ticks; });
    timer.start(20);
    QElapsedTimer clock;
    clock.start();
    wait();
    w.ms = clock.elapsed();
    return w;
}

// A server that goes on sending after a file's data without ever ending its final reply (continuation lines,
// or one character at a time) never lets the library's own wait for that reply pass a second in silence: the
// program's wait ends the command all the same, by its own clock, and the window's timers run throughout.
TEST(FtpTrickleTest, AFinalReplyThatKeepsComingIsGivenUpOnByTheWaitWhileTheWindowRuns)
{
    QTemporaryDir local;
    const QString src = local.filePath("put.txt");
    ASSERT_TRUE(wvs::test::writeFileBytes(src, "\"1\",\"Anna\"\r\n"));
    for (const char *kind : {"final-lines", "final-bytes"}) {
        FtpServer ftp;
        ASSERT_TRUE(ftp.start("user1", "pw1", 0, kind));
        ftp.putFile("got.txt", "data");
        FtpTransfer t({"127.0.0.1", ftp.port(), "user1", "pw1"});
        for (const bool upload : {true, false}) {
            SCOPED_TRACE(std::string(kind) + (upload ? " STOR" : " RETR"));
            ASSERT_TRUE(upload ? t.startUpload(src, "put.txt") : t.startDownload("got.txt", local.filePath("got.txt")));
            // A download polled once before the wait has no limit inside the library: the wait alone ends it.
            if (!upload)
                t.stillExecuting();
            const Waited w = timed([&] { EXPECT_FALSE(t.waitUntilDone(200, 10)); });
            EXPECT_GE(w.ms, 11 * 200);
            EXPECT_LT(w.ms, 11 * 200 + 3000);   // the reply never ends: a wait not given up would not either
            EXPECT_TRUE(t.timedOut());
            EXPECT_GE(w.ticks, 10);   // the window's events run at least every tenth of a second
            EXPECT_FALSE(QFile::exists(local.filePath("got.txt")));
        }
        EXPECT_EQ(ftp.commands().count("USER user1"), 2) << ftp.commands().join(' ').toStdString();
    }
}

// A server that keeps its data to a steady 20,000 bytes a second both ways, and a file of 32,000 bytes to
// fetch and to send: each transfer needs 1.6 s.
class FtpPacedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ftp_.startPaced("user1", "pw1", 20000));
        for (int i = 0; i < 32000; ++i)
            content_ += char(i * 7 % 251);
        ftp_.putFile("got.bin", content_);
        ASSERT_TRUE(wvs::test::writeFileBytes(src_, content_));
    }
    FtpServer ftp_;
    QTemporaryDir local_;
    QByteArray content_;
    const QString src_ = local_.filePath("put.bin");
    const QString got_ = local_.filePath("got.bin");
    // The file sent or fetched and waited for as the program waits, in polls of 100 ms: whether it ended
    // within the wait, and how long the wait took.
    struct Waited {
        bool done;
        qint64 ms;
    };
    Waited transfer(FtpTransfer &t, bool upload, int polls, bool polledFirst = false) const
    {
        EXPECT_TRUE(upload ? t.startUpload(src_, "put.bin") : t.startDownload("got.bin", got_));
        // A command polled once before the wait has no limit inside the library: the wait's count alone ends it.
        if (polledFirst)
            t.stillExecuting();
        QElapsedTimer clock;
        clock.start();
        const bool done = t.waitUntilDone(100, polls);
        return {done, clock.elapsed()};
    }
};

// A transfer that needs seven tenths of its wait (2.3 s: 23 polls of 100 ms) ends by itself, whole: the
// library is given no limit of its own shorter than what is left of the wait.
TEST_F(FtpPacedTest, ATransferThatNeedsMostOfItsWaitEndsWhole)
{
    for (const bool upload : {false, true}) {
        SCOPED_TRACE(upload ? "STOR" : "RETR");
        FtpTransfer t({"127.0.0.1", ftp_.port(), "user1", "pw1"});
        const Waited w = transfer(t, upload, 22);
        EXPECT_TRUE(w.done);
        EXPECT_GE(w.ms, 1550);   // the server kept its pace
        EXPECT_TRUE(t.succeeded()) << t.errorText().toStdString();
        EXPECT_EQ(t.bytesTransferred(), content_.size());
        const QByteArray arrived = readFileBytes(upload ? ftp_.root() + "/put.bin" : got_);
        EXPECT_TRUE(arrived == content_) << arrived.size() << " bytes arrived";
    }
}

// A transfer that needs more than its wait (1 s: 10 polls of 100 ms) is given up on as the wait ends, as a
// time-out, whichever clock ends it: the library's limit or the wait's own count; a download given up on half
// way leaves no file.
TEST_F(FtpPacedTest, ATransferThatNeedsMoreThanItsWaitIsGivenUpOnAtItsEnd)
{
    for (const auto &[upload, polledFirst] : {std::pair{false, false}, {true, false}, {false, true}, {true, true}}) {
        SCOPED_TRACE(std::string(upload ? "STOR" : "RETR") + (polledFirst ? ", polled before the wait" : ""));
        FtpTransfer t({"127.0.0.1", ftp_.port(), "user1", "pw1"});
        const Waited w = transfer(t, upload, 9, polledFirst);
        EXPECT_FALSE(w.done);
        EXPECT_GE(w.ms, 1000);
        EXPECT_LT(w.ms, 1500);
        EXPECT_TRUE(t.timedOut());
        EXPECT_FALSE(t.succeeded());
        if (!upload) {
            EXPECT_LT(t.bytesTransferred(), content_.size());
            EXPECT_FALSE(QFile::exists(got_));
        }
    }
}

// A name lookup that hangs (name servers that do not answer) holds neither an FTP command nor a page past its
// wait, and the window's timers run meanwhile: the lookup is left to end by itself.
TEST(SlowLookupTest, ALookupThatHangsIsGivenUpOnByTheWait)
{
    wvs::test::setSlowLookup("portal.lookup.test", 8000);
    {
        FtpTransfer t({"portal.lookup.test", 21, "user1", "pw1"});
        QTemporaryDir local;
        ASSERT_TRUE(t.startDownload("a.txt", local.filePath("a.txt")));
        const Waited w = timed([&] { EXPECT_FALSE(t.waitUntilDone(100, 10)); });
        // The lookup hangs for 8 s, and holding the window's thread would let no tick through.
        EXPECT_GE(w.ms, 11 * 100);
        EXPECT_LT(w.ms, 11 * 100 + 3000);
        EXPECT_GE(w.ticks, 3);
        EXPECT_FALSE(QFile::exists(local.filePath("a.txt")));
    }
    HttpReply reply;
    const Waited w = timed([&] { reply = httpGet("http://portal.lookup.test/CheckWVSUpdates.php", 1500); });
    EXPECT_GE(w.ms, 1450);
    EXPECT_LT(w.ms, 1500 + 3000);
    EXPECT_FALSE(reply.ok);
    EXPECT_EQ(reply.error, CURLE_OPERATION_TIMEDOUT);
    EXPECT_GE(w.ticks, 3);
    wvs::test::setSlowLookup(QByteArray(), 0);
}

// A server that drops both connections at the first byte of an upload: the failure says what happened, with no
// system error number left over from an earlier call.
TEST(FtpDroppedTest, AConnectionClosedByTheServerTellsNoStaleErrorNumber)
{
    FtpServer ftp;
    ASSERT_TRUE(ftp.start("user1", "pw1", 0, "drop-stor"));
    QTemporaryDir local;
    const QString src = local.filePath("Users.txt");
    ASSERT_TRUE(wvs::test::writeFileBytes(src, "ABCD|TEST01|ADM|Administrator|secret|Admin| 1 \r\n"));
    FtpTransfer t({"127.0.0.1", ftp.port(), "user1", "pw1"});
    ASSERT_TRUE(t.startUpload(src, "Users.txt"));
    EXPECT_TRUE(t.waitUntilDone(50, 200));
    EXPECT_FALSE(t.succeeded());
    EXPECT_FALSE(t.timedOut());
    EXPECT_EQ(t.errorText(), "response reading failed (the server closed the connection)");
}

// Run only by the test below, in a child process on a real X server: a key pressed while the library waits
// for a final reply that does not come reaches the box only once that call has ended, never inside it.
TEST_F(FtpFinalReplyTest, DISABLED_AKeyPressedWhileTheLibraryWaitsArrivesAfterItsCall)
{
    QLineEdit box;
    wvs::test::focusOn(&box);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    FtpTransfer t(account());
    wvs::test::XHand hand;
    ASSERT_TRUE(hand.ready());
    // The states of the command as the key's press and release reached the box.
    QList<int> keyStates;
    struct KeyWatch : QObject {
        std::function<void()> arrived;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)
                arrived();
            return false;
        }
    } watch;
    watch.arrived = [&] { keyStates << t.state(); };
    box.installEventFilter(&watch);
    // The key goes down and up once the whole file has gone and the command waits for its reply alone.
    std::thread user;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!user.joinable() && t.bytesTransferred() == content_.size() && t.state() < TransferState::Error)
            user = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));   // well inside the call
                hand.key(0x61ul);                                             // XK_a
            });
    });
    tick.start(20);
    ASSERT_TRUE(t.startUpload(src_, "put.txt"));
    EXPECT_FALSE(t.waitUntilDone(100, 30));
    ASSERT_TRUE(user.joinable());
    user.join();
    QTest::qWait(300);
    EXPECT_EQ(box.text(), "a");
    EXPECT_EQ(keyStates, (QList<int>{TransferState::Error, TransferState::Error}));
    std::printf("the key arrived after the call\n");
}

TEST(FtpFinalReplyUnderX, AKeyPressedWhileTheLibraryWaitsArrivesAfterItsCall)
{
    wvs::test::underX("FtpFinalReplyTest", "DISABLED_AKeyPressedWhileTheLibraryWaitsArrivesAfterItsCall",
                      "the key arrived after the call");
}

// Run only by the test below, on a real X server: a key pressed and let go during one call of the library (a
// final reply that does not come) reaches the box as soon as that call ends, with no further event of the
// window system to wake the window's events. Nothing else wakes them here: the box's cursor does not blink,
// nothing is shown, moved or posted.
TEST_F(FtpFinalReplyTest, DISABLED_AKeyPressedDuringALibraryCallArrivesAsTheCallEnds)
{
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    QLineEdit box;
    wvs::test::focusOn(&box);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::qWait(200);
    FtpTransfer t(account());
    wvs::test::XHand hand;
    ASSERT_TRUE(hand.ready());
    QElapsedTimer clock;
    clock.start();
    qint64 callEnded = -1, keyArrived = -1;
    t.setStateHandler([&](int s) {
        if (s == TransferState::Error && callEnded < 0)
            callEnded = clock.elapsed();
    });
    QEventLoop loop;
    struct KeyWatch : QObject {
        std::function<void()> arrived;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::KeyPress)
                arrived();
            return false;
        }
    } watch;
    watch.arrived = [&] {
        if (keyArrived < 0)
            keyArrived = clock.elapsed();
        loop.quit();
    };
    box.installEventFilter(&watch);
    // The key goes down and up once the whole file has gone and the command waits for its reply alone, well
    // inside the call, which ends with the wait (1.6 s).
    std::thread user;
    std::atomic<qint64> handDone{-1};
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!user.joinable() && t.bytesTransferred() == content_.size() && t.state() < TransferState::Error)
            user = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                hand.key(0x61ul);   // XK_a
                handDone = clock.elapsed();
            });
    });
    tick.start(20);
    ASSERT_TRUE(t.startUpload(src_, "put.txt"));
    EXPECT_FALSE(t.waitUntilDone(100, 15));
    tick.stop();
    ASSERT_TRUE(user.joinable());
    user.join();
    ASSERT_GE(callEnded, 0);
    ASSERT_LT(handDone, callEnded);   // the key was down and up again inside the call
    // Without a wake-up the key waits for this timer, the only event to come.
    if (keyArrived < 0) {
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ASSERT_GE(keyArrived, 0) << "the key had not arrived five seconds after the call ended";
    EXPECT_GE(keyArrived, callEnded);
    EXPECT_LT(keyArrived - callEnded, 1000);
    EXPECT_EQ(box.text(), "a");
    std::printf("the key arrived %lld ms after the call\n", static_cast<long long>(keyArrived - callEnded));
}

TEST(FtpFinalReplyUnderX, AKeyPressedDuringALibraryCallArrivesAsTheCallEnds)
{
    wvs::test::underX("FtpFinalReplyTest", "DISABLED_AKeyPressedDuringALibraryCallArrivesAsTheCallEnds",
                      "the key arrived");
}
