#include "shell/LoginForm.h"
#include "shell/MainForm.h"
#include "core/Session.h"
#include "support/DbTest.h"
#include "support/Keys.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace wvs;

namespace {

class LoginTest : public test::DbTest {
protected:
    void SetUp() override { DbTest::SetUp(); openLogin(); }
    void TearDown() override { main_.reset(); DbTest::TearDown(); }
    // A new main window with its log-in window.
    void openLogin()
    {
        main_ = std::make_unique<MainForm>();
        login_ = new LoginForm(main_.get());
        login_->show();
        QApplication::processEvents();
    }
    void logIn(const QString &id, const QString &password)
    {
        type(login_, "IDText", id);
        type(login_, "PasswordText", password);
        click(login_, "OKButton");
    }
    // The gated menu items enabled after the associate logs in on a new main window.
    QStringList enabledAfterLogIn(const QString &id, const QString &password)
    {
        openLogin();
        logIn(id, password);
        QStringList on;
        for (const char *item : {"Customers", "CustomerJobs", "JobSchedules", "Maintenance", "Company", "JobTypes",
                                 "Associates", "Preferences", "security", "Accounts"})
            if (main_->menuItem(QString::fromLatin1(item))->isEnabled())
                on << item;
        return on;
    }
    // What the two boxes hold, as "ID/password".
    QString typed() const { return text(login_, "IDText") + "/" + text(login_, "PasswordText"); }
    double status(const QString &id) const
    { return scalarSql("SELECT AssociateStatus FROM Associates WHERE AssociateID = ?", {id}).toDouble(); }

    std::unique_ptr<MainForm> main_;
    QPointer<LoginForm> login_;
};

// What the window says, what its boxes take, and its Enter and Escape keys.
TEST_F(LoginTest, WordsLimitsAndKeys)
{
    QStringList words;
    for (const char *name : {"LogInLabel", "IDLabel", "PasswordLabel", "OKButton", "CancelButton"})
        words << child<QWidget>(login_, name)->property("text").toString();
    EXPECT_EQ(words.join("|"), "Please log in|ID|Password|&OK|&Cancel");
    test::typeKeys(child<QLineEdit>(login_, "IDText"), "ABCDE");
    test::typeKeys(child<QLineEdit>(login_, "PasswordText"), "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(typed(), "ABCD/abcdefghijklmnopqrst");
    EXPECT_EQ(child<QLineEdit>(login_, "PasswordText")->displayText(), QString(20, '*'));

    type(login_, "IDText", "");
    test::press(child<QLineEdit>(login_, "IDText"), Qt::Key_Return);
    msgs_->answer(MsgAnswer::No);
    test::press(login_, Qt::Key_Escape);
    msgs_->answer(MsgAnswer::No);
    click(login_, "CancelButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Please enter a User ID", "Exit WVS?", "Exit WVS?"}));
    EXPECT_EQ(msgs_->shown().last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::None);
    EXPECT_TRUE(login_->isVisible());
}

// A refused log-in says why, logs nobody in and keeps the ID; crafted texts are only texts.
TEST_F(LoginTest, EmptyFieldsWrongOrCraftedPasswordsAndInactiveAssociatesAreRefused)
{
    addAssociate("IN", "Inactive", "pass1", 1, false);
    QList<std::tuple<QString, QString, QString, QString>> cases = {
        {"", "", "Please enter a User ID", "/"}, {"ADM", "", "Please enter a Password", "ADM/"},
        {"ADM", "wrong", "ID and/or Password not valid", "ADM/"},
        {"IN", "pass1", "Associate IN is not active and cannot log in", "IN/pass1"}};
    for (const QString pw : {"\" OR \"\"=\"", "' OR ''='", "x' OR 1=1 --", "\") OR 1=1 --"})
        cases += {{"ADM", pw, "ID and/or Password not valid", ""}, {pw.left(4), pw, "ID and/or Password not valid", ""}};
    for (const auto &[id, password, told, left] : cases) {
        logIn(id, password);
        EXPECT_EQ(msgs_->last(), told) << id.toStdString() << "/" << password.toStdString();
        if (!left.isEmpty())
            EXPECT_EQ(typed(), left);
        EXPECT_TRUE(session().currentAssociateID.isEmpty());
    }
    addAssociate("O'B", "O'Brien \"Bob\"", "p'w\"=1", 1);
    logIn("O'B", "P'W\"=1");
    EXPECT_EQ(session().currentAssociateID, "O'B");
}

TEST_F(LoginTest, AnAssociateAlreadyLoggedOnIsLoggedOffOnlyWhenAskedTo)
{
    addAssociate("JB", "Jo Bloggs", "pass1", 1, true, -46000);
    writeSql("INSERT INTO LockedSchedules (ScheduleNumber, AssociateID) VALUES (3, 'JB'), (4, 'ADM')");
    writeSql("INSERT INTO PublishingSchedules (ScheduleNumber, AssociateID) VALUES (3, 'JB')");
    msgs_->answer(MsgAnswer::No);
    logIn("JB", "pass1");
    EXPECT_EQ(msgs_->texts(), QStringList{
              "Associate JB already logged on!\r\n\r\nBEWARE - if the User is active logging them off with this "
              "function may cause system errors.\r\n\r\nDo you wish to log this Associate off anyway?"});
    EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(status("JB"), -46000);
    EXPECT_EQ(typed(), "/");
    // A refused log-in leaves nothing in the session for the shut-down to write.
    EXPECT_TRUE(session().currentAssociateID.isEmpty());
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM LockedSchedules").toInt(), 2);
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM PublishingSchedules").toInt(), 1);

    // Yes frees his schedules; the next log-in succeeds.
    msgs_->answer(MsgAnswer::Yes);
    logIn("JB", "pass1");
    EXPECT_EQ(msgs_->last(), "Associate JB logged off. Please log in again");
    EXPECT_EQ(status("JB"), 46000);
    EXPECT_EQ(scalarSql("SELECT group_concat(AssociateID) FROM LockedSchedules").toString(), "ADM");
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM PublishingSchedules").toInt(), 0);
    logIn("JB", "pass1");
    EXPECT_EQ(session().currentAssociateID, "JB");
    EXPECT_EQ(status("JB"), -46000);

    // A mark of 0 (never logged off yet) is not below 0: no question, and the log-in marks him logged on.
    addAssociate("NW", "New One", "pass2", 1, true, 0);
    openLogin();
    msgs_->clear();
    logIn("NW", "pass2");
    EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join("|").toStdString();
    EXPECT_EQ(session().currentAssociateID, "NW");
    EXPECT_LT(status("NW"), 0);
}

// The password in any case logs in; the menus follow the level's rights.
TEST_F(LoginTest, PasswordInAnyCaseLogsInWithTheMenusOfTheLevel)
{
    // A new database chooses no accounts package.
    EXPECT_EQ(enabledAfterLogIn("adm", "SECRET"), QStringList({"Customers", "CustomerJobs", "JobSchedules",
              "Maintenance", "Company", "JobTypes", "Associates", "Preferences", "security"}));
    EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join("|").toStdString();
    EXPECT_EQ(session().currentAssociateID, "ADM");
    EXPECT_LT(status("ADM"), 0);
    EXPECT_TRUE(login_.isNull() || !login_->isVisible());

    // Any right to one area alone enables its item; five of the areas count for Maintenance.
    writeSql("UPDATE Preferences SET MYOB = 1");
    const std::pair<const char *, bool> areas[] = {{"Customers", false}, {"CustomerJobs", false}, {"JobTypes", true},
        {"Associates", true}, {"Company", true}, {"Preferences", true}, {"JobSchedules", false}, {"Accounts", false},
        {"security", true}};
    for (int i = 0; i < 9; ++i) {
        int v[9] = {};
        v[i] = 1;
        setAccess(10 + i, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
        const QString id = QString::number(10 + i);
        addAssociate(id, "One area", "pass", 10 + i);
        const auto &[item, maintenance] = areas[i];
        EXPECT_EQ(enabledAfterLogIn(id, "pass"), maintenance ? QStringList({"Maintenance", item}) : QStringList{item});
    }
    writeSql("UPDATE Preferences SET MYOB = 0");
    // Accounts needs the right and a package.
    setAccess(4, 0, 0, 0, 0, 0, 0, 0, 5, 0);
    addAssociate("A4", "Four", "pass4", 4);
    addAssociate("A5", "Five", "pass5", 4);
    EXPECT_EQ(enabledAfterLogIn("A4", "pass4"), QStringList());
    writeSql("UPDATE Preferences SET Xero = 1");
    EXPECT_EQ(enabledAfterLogIn("A5", "pass5"), QStringList({"Accounts"}));
    // Level 0 is told, and is still logged on.
    addAssociate("Z0", "Zero", "pass0", 0);
    EXPECT_EQ(enabledAfterLogIn("Z0", "pass0"), QStringList());
    EXPECT_EQ(msgs_->last(), "You do not have authority to perform any functions");
    EXPECT_LT(status("Z0"), 0);

    // An initial screen that is no window of the program opens nothing.
    addAssociate("IS", "Initial", "passi", 1);
    writeSql("UPDATE Associates SET InitialScreen = 'NoSuchForm' WHERE AssociateID = 'IS'");
    enabledAfterLogIn("IS", "passi");
    QApplication::processEvents();
    EXPECT_EQ(session().currentAssociateID, "IS");
    EXPECT_TRUE(modal_->opened().isEmpty());
}

// Each initial screen opens only for a level whose right to the screen's area makes that area's menu item
// available; a level with no right to it logs in to the main window alone, and nothing is written but the log-on mark.
TEST_F(LoginTest, AnInitialScreenOpensOnlyWhereItsMenuItemIsAvailable)
{
    const struct { const char *screen; const char *item; int area; } screens[] = {
        {"CustomersManagementForm", "Customers", 0}, {"CustomerJobsManagementForm", "CustomerJobs", 1},
        {"SchedulesManagementForm", "JobSchedules", 6}};
    addAssociate("IS", "Initial", "passi", 5);
    addSchedule(QDate::currentDate().toString("yyyy-MM-dd"), QDate::currentDate().addDays(6).toString("yyyy-MM-dd"),
                "Published");
    // Every table but the associates' log-on marks.
    auto contents = [] {
        QStringList all;
        for (const QString &table : rowsOf("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT IN "
                                           "('Associates', 'sqlite_sequence') ORDER BY name").split(';'))
            all << table + ": " + rowsOf("SELECT * FROM \"" + table + "\"");
        return all << rowsOf("SELECT AssociateID, InitialScreen, AssociateAuthorityLevel FROM Associates ORDER BY 1");
    };
    for (const auto &s : screens) {
        for (const int right : {0, 1}) {
            int v[9] = {7, 7, 7, 7, 7, 7, 7, 5, 7};
            v[s.area] = right;
            setAccess(5, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
            writeSql("UPDATE Associates SET InitialScreen = ?, AssociateStatus = 46000 WHERE AssociateID = 'IS'",
                     {QString::fromLatin1(s.screen)});
            const QStringList before = contents();
            const qsizetype openedBefore = modal_->opened().size();
            const QStringList on = enabledAfterLogIn("IS", "passi");
            settle();
            EXPECT_EQ(on.contains(s.item), right > 0) << s.screen << right;
            QStringList opened;
            for (qsizetype i = openedBefore; i < modal_->opened().size(); ++i)
                opened << modal_->opened()[i].name;
            EXPECT_EQ(opened, right > 0 ? QStringList{s.screen} : QStringList{}) << s.screen << right;
            EXPECT_EQ(session().currentAssociateID, "IS");
            EXPECT_LT(status("IS"), 0);
            EXPECT_EQ(contents(), before) << s.screen << right;
        }
    }
    EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join("|").toStdString();
}

} // namespace
