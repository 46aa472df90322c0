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
    AuthorityLevelStore::add("5", "Office");
    {
        auto w = show<AuthorityAccessForm>();
        choose(w.get(), "LevelCombo", "Office");
        tick(w.get(), "CustomersWCheck", true); // ticks View too
        tick(w.get(), "AssociatesRCheck", true);
        click(w.get(), "OKButton");
    }
    const AssociateEntry e{.id = "OF", .name = "Office Person", .password = "desk1", .password2 = "desk1", .level = 5,
                           .initialScreen = "None", .active = true};
    ASSERT_TRUE(AssociateRecord::add(e, false).ok);
    resetSession();
    msgs_->clear();

    MainForm main;
    QPointer<LoginForm> login = new LoginForm(&main);
    login->show();
    QApplication::processEvents();
    type(login, "IDText", "OF");
    type(login, "PasswordText", "desk1");
    click(login, "OKButton");
    EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join('|').toStdString();
    EXPECT_EQ(session().currentAssociateID, "OF");
    QStringList on;
    for (const char *item : {"Customers", "CustomerJobs", "JobSchedules", "Maintenance", "Company", "JobTypes",
                             "Associates", "Preferences", "security", "Accounts"})
        if (main.menuItem(item)->isEnabled())
            on << item;
    EXPECT_EQ(on, QStringList({"Customers", "Maintenance", "Associates"}));

    // He may look at the associates but not change them.
    auto list = show<AssociatesManagementForm>();
    EXPECT_FALSE(enabled(list.get(), "AddButton"));
    EXPECT_TRUE(enabled(list.get(), "ViewButton"));
    delete login.data();
}

} // namespace
