#include "support/UnderX.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>

namespace wvs::test {

// Lets the hand do its part while the program answers, as it would for a
// user; true when the hand finished within the time.
bool byHand(XHand &hand, const std::function<void(XHand &)> &part)
{
    std::atomic<bool> done{false};
    std::thread user([&] {
        part(hand);
        done = true;
    });
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < 15000)
        QTest::qWait(20);
    user.join();
    QTest::qWait(100);
    return done;
}

void underX(const char *suite, const char *childTest, const char *marker)
{
    const QString xvfbProgram = QStandardPaths::findExecutable("Xvfb");
    if (xvfbProgram.isEmpty())
        GTEST_SKIP() << "Xvfb is not installed; nothing is tried under a real X server";
    QProcess xvfb;
    xvfb.start(xvfbProgram, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    QByteArray display;
    QElapsedTimer clock;
    clock.start();
    while (!display.contains('\n') && clock.elapsed() < 30000 && xvfb.state() != QProcess::NotRunning) {
        xvfb.waitForReadyRead(100);
        display += xvfb.readAllStandardOutput();
    }
    if (!display.contains('\n')) {
        xvfb.kill();
        xvfb.waitForFinished(2000);
        FAIL() << "Xvfb did not start: " << xvfb.readAllStandardError().toStdString();
    }

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", ":" + QString::fromLatin1(display.trimmed()));
    env.insert("QT_QPA_PLATFORM", "xcb");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QString("--gtest_filter=%1.%2").arg(suite, childTest), "--gtest_also_run_disabled_tests"});
    const bool finished = child.waitForFinished(60000);
    if (!finished) {
        child.kill();
        child.waitForFinished(5000);
    }
    const std::string output = child.readAll().toStdString();
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    ASSERT_TRUE(finished) << "the child did not end: " << output;
    EXPECT_TRUE(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0) << output;
    EXPECT_NE(output.find(marker), std::string::npos) << output;
}

} // namespace wvs::test
