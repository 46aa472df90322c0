#include "common/Formats.h"
#include "platform/ErrorHandlingModule.h"
#include "shell/ExitSystemModule.h"
#include "shell/MainForm.h"
#include "core/Session.h"
#include "support/DbTest.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>

#include <chrono>
#include <functional>
#include <thread>

using namespace wvs;

namespace {

// The fatal report's lines, as the user reads them before the program ends.
QString fatalReport(const QString &module, const QString &sub, long code, const QString &description)
{
    return "The following fatal error has been encountered:\r\nModule: " + module + "\r\nSub: " + sub + "\r\nError Code: "
           + QString::number(code) + "\r\nError description: " + description + "\r\n\r\nWVS will now shut down";
}

class ShutdownTest : public test::DbTest {
protected:
    void SetUp() override { DbTest::SetUp(); loggedOn(); }
    // ADM logged on here with schedule 7 locked and publishing it; another associate holds schedule 8.
    void loggedOn()
    {
        writeSql("UPDATE Associates SET AssociateStatus = -45000 WHERE AssociateID = 'ADM'");
        writeSql("DELETE FROM LockedSchedules");
        writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (7, 'ADM'), (8, 'OTH')");
        writeSql("DELETE FROM PublishingSchedules");
        writeSql("INSERT INTO PublishingSchedules (ScheduleNumber, AssociateID) VALUES (7, 'ADM')");
        loginAs("ADM", 1);
    }
    // The log-off marks, read on a connection of their own (the program's is closed): the status, and the
    // locks left (open schedules and publishing).
    std::pair<double, int> marks()
    {
        QSqlDatabase db = secondConnection("check");
        return {scalarSql("SELECT AssociateStatus FROM Associates WHERE AssociateID = 'ADM'", {}, db).toDouble(),
                scalarSql("SELECT (SELECT COUNT(*) FROM LockedSchedules) + (SELECT COUNT(*) FROM PublishingSchedules)",
                          {}, db).toInt()};
    }
    double today() const { return double(Formats::dateSerial(QDate::currentDate())); }
};

TEST_F(ShutdownTest, RecoverableErrorsShowTheirTextAndGoOn)
{
    ReportError(7753, "Something to say", "CustomersManagementForm", "GoButton_Click");
    ReportError(2237, "ignored", "X", "Y");
    EXPECT_EQ(msgs_->texts(), QStringList({"Something to say",
                                           "The data you have entered does not match any item in the list.\r\n"
                                           "Please re-enter or select an item from the list"}));
    EXPECT_EQ(desktop_->ended, -1);
    EXPECT_TRUE(AppDatabase::isOpen());
}

// Every ending logs the associate off and frees his schedules: his own error silently,
// a fatal error after its six-part report, closing the main window once Yes answers
// "Exit WVS?"; an ending before anyone logs in touches nobody.
TEST_F(ShutdownTest, EveryEndingLogsOffTheAssociateLoggedOn)
{
    MainForm main;
    msgs_->answer(MsgAnswer::No);
    QCloseEvent no;
    QCoreApplication::sendEvent(&main, &no);
    EXPECT_FALSE(no.isAccepted());
    const std::pair<std::function<void()>, std::pair<double, int>> endings[] = {
        {[] { ReportError(-2147156504L, "x", "M", "P"); }, {today(), 1}},
        {[] { guarded("MainForm", "SetDB", [] { throw WvsError(3044, "Not a valid path"); }); }, {today(), 1}},
        {[&] {
             msgs_->answer(MsgAnswer::Yes);
             QCloseEvent yes;
             QCoreApplication::sendEvent(&main, &yes);
         }, {today(), 1}},
        {[] { resetSession(); ExitSystem(); }, {-45000.0, 3}}};
    for (const auto &[end, left] : endings) {
        EXPECT_THROW(end(), ProcessEnded);
        EXPECT_FALSE(AppDatabase::isOpen());
        EXPECT_EQ(marks(), left);
        resetSession();
        AppDatabase::open(AppDatabase::defaultPath());
        loggedOn();
    }
    EXPECT_EQ(msgs_->texts(), QStringList({"Exit WVS?", "The following fatal error has been encountered:\r\nModule: "
        "MainForm\r\nSub: SetDB\r\nError Code: 3044\r\nError description: Not a valid path\r\n\r\nWVS will now shut down",
        "Exit WVS?"}));
    EXPECT_EQ(msgs_->shown()[1].icon, MsgIcon::Critical);
}

TEST_F(ShutdownTest, FailingShutDownWarnsOnceThenEnds)
{
    writeSql("DROP TABLE LockedSchedules");
    // The database's own words for the failed log-off, as the program met them.
    const std::optional<CaughtError> failed
        = trapError([] { writeSql("DELETE FROM LockedSchedules WHERE AssociateID = ?", {QString("ADM")}); });
    ASSERT_TRUE(failed);
    EXPECT_THROW(ExitSystem(), ProcessEnded);
    const QStringList texts = msgs_->texts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], fatalReport("ExitSystemModule", "ExitSystem", failed->number, failed->description));
    EXPECT_EQ(texts[1], "WVS is unable to shut down gracefully and will now be closed without further error trapping");
    EXPECT_EQ(msgs_->shown()[1].icon, MsgIcon::Critical);
    // The second pass still marks the associate logged off.
    EXPECT_EQ(scalarSql("SELECT AssociateStatus FROM Associates WHERE AssociateID = 'ADM'", {}, secondConnection("check"))
                  .toDouble(), today());
}

// Another workstation's write at the moment of leaving: a short one is waited
// out, so the associate is still marked logged off; one that outlasts even the
// longer wait takes the fatal path instead of "try again" while the program ends.
TEST_F(ShutdownTest, AWriteElsewhereIsWaitedOutOrEndsThroughTheFatalPath)
{
    // A write of a quarter of a second against a longer wait of 1.2 s: room for a busy machine.
    AppDatabase::setBusyWait(200);
    const QString path = AppDatabase::defaultPath();
    std::atomic<bool> began{false};
    test::OtherWorkstation other(path, [&began](QSqlDatabase &db, const std::atomic<bool> &) {
        execSql("BEGIN IMMEDIATE", {}, db);
        began = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        execSql("COMMIT", {}, db);
    });
    while (!began)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_THROW(ExitSystem(), ProcessEnded);
    other.stop();
    EXPECT_TRUE(msgs_->texts().isEmpty());
    EXPECT_EQ(marks().first, today());
    EXPECT_EQ(AppDatabase::busyWait(), 200);

    resetSession();
    AppDatabase::open(path);
    loginAs("ADM", 1);
    QSqlDatabase holder = secondConnection("holder");
    execSql("BEGIN IMMEDIATE", {}, holder);
    EXPECT_THROW(ExitSystem(), ProcessEnded);
    execSql("ROLLBACK", {}, holder);
    const QStringList texts = msgs_->texts();
    ASSERT_EQ(texts.size(), 2); // the fatal report, then the forced close
    EXPECT_EQ(texts[0], fatalReport("ExitSystemModule", "ExitSystem", ErrorNumber::Database,
                                    "The data is in use at another workstation"));
    AppDatabase::setBusyWait(5000);
}

} // namespace

// From the Yes to "Exit WVS?" on no input reaches a window: a click on the main window's Customers menu and a key
// (F1, the help page), both arriving during the half-second pause, open nothing, and the program ends when the pause ends.
TEST_F(ShutdownTest, TheExitPauseLetsNoInputThrough)
{
    MainForm main;
    MainForm::setMenuEnabled("Customers", true);
    QMenuBar *bar = main.menuBar();
    QAction *customers = main.findChild<QAction *>("Customers");
    ASSERT_TRUE(customers && customers->isEnabled());
    const QPoint at = bar->actionGeometry(customers).center();
    const QPointF global = bar->mapToGlobal(QPointF(at));
    QWidget *keys = QApplication::focusWidget() ? QApplication::focusWidget() : &main;
    desktop_->realPauses = true;
    msgs_->answer(MsgAnswer::Yes);
    // The user acts a tenth of a second into the pause.
    std::vector<std::pair<QObject *, QEvent *>> input;
    for (const QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        input.emplace_back(bar, new QMouseEvent(t, QPointF(at), global, Qt::LeftButton,
                                                t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                                Qt::NoModifier));
    for (const QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease})
        input.emplace_back(keys, new QKeyEvent(t, Qt::Key_F1, Qt::NoModifier));
    std::thread user([&input] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        for (const auto &[target, event] : input)
            QCoreApplication::postEvent(target, event);
    });
    QElapsedTimer clock;
    clock.start();
    QCloseEvent yes;
    EXPECT_THROW(QCoreApplication::sendEvent(&main, &yes), ProcessEnded);
    const qint64 took = clock.elapsed();
    user.join();
    EXPECT_GE(took, 500);
    EXPECT_LT(took, 500 + 3000);
    EXPECT_EQ(desktop_->ended, 0);
    EXPECT_EQ(modal_->openedNames(), QStringList());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(desktop_->opened, QList<QUrl>());   // F1: the help page
    EXPECT_EQ(marks(), std::make_pair(today(), 1));
    // The process is gone at this point: what was left in its queue never arrives.
    QCoreApplication::removePostedEvents(bar);
    QCoreApplication::removePostedEvents(keys);
}
