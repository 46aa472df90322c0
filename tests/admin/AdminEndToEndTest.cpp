#include "AdminWindowTest.h"
#include "admin/AssociateRecord.h"
#include "admin/AssociatesManagementForm.h"
#include "admin/AuthorityAccessForm.h"
#include "admin/AuthorityLevelStore.h"
#include "shell/LoginForm.h"
#include "shell/MainForm.h"

#include <QAction>

using namespace wvs;

namespace {

class AdminEndToEnd : public wvs::test::AdminWindowTest {};

// An administrator makes a level with its rights and an associate at that
// level; the associate then logs in with exactly the menus the rights allow.
TEST_F(AdminEndToEnd, ANewAssociateLogsInWithTheMenusOfHisLevel)
{
    ASSERT_TRUE(AuthorityLevelStore::check(true, QStringLiteral("5"), QStringLiteral("Office")).ok());
    AuthorityLevelStore::add(QStringLiteral("5"), QStringLiteral("Office"));
    {
        auto w = show<AuthorityAccessForm>();
        choose(w.get(), "LevelCombo", QStringLiteral("Office"));
        tick(w.get(), "CustomersWCheck", true); // ticks View too
        tick(w.get(), "AssociatesRCheck", true);
        click(w.get(), "OKButton");
    }
    AssociateEntry e;
    e.id = QStringLiteral("OF");
    e.name = QStringLiteral("Office Person");
    e.password = e.password2 = QStringLiteral("desk1");
    e.level = 5;
    e.initialScreen = QStringLiteral("None");
    e.active = true;
    ASSERT_TRUE(AssociateRecord::add(e, false).ok);
    resetSession();
    msgs_->clear();

    MainForm main;
    QPointer<LoginForm> login = new LoginForm(&main);
    login->show();
    QApplication::processEvents();
    type(login, "IDText", QStringLiteral("OF"));
    type(login, "PasswordText", QStringLiteral("desk1"));
    click(login, "OKButton");
    EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(session().currentAssociateID, QStringLiteral("OF"));
    for (const char *item : {"Customers", "Associates", "Maintenance"})
        EXPECT_TRUE(main.menuItem(QString::fromLatin1(item))->isEnabled()) << item;
    for (const char *item : {"CustomerJobs", "JobSchedules", "Company", "JobTypes", "Preferences", "security", "Accounts"})
        EXPECT_FALSE(main.menuItem(QString::fromLatin1(item))->isEnabled()) << item;

    // He may look at the associates but not change them.
    auto list = show<AssociatesManagementForm>();
    EXPECT_FALSE(enabled(list.get(), "AddButton"));
    EXPECT_TRUE(enabled(list.get(), "ViewButton"));
    delete login.data();
}

} // namespace
