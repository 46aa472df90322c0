#include "shell/AboutForm.h"
#include "shell/MainForm.h"
#include "core/Session.h"
#include "support/DbTest.h"
#include "support/LocalServers.h"
#include "support/Keys.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

using namespace wvs;

namespace {

class MainMenuTest : public test::AdminDbTest {
protected:
    void SetUp() override
    {
        AdminDbTest::SetUp();
        main_ = std::make_unique<MainForm>();
        main_->applyRights({7, 7, 7, 7, 7, 7, 7, 7, 7}, true); // every right in every area
    }
    void TearDown() override { main_.reset(); DbTest::TearDown(); }

    void choose(const char *item)
    {
        QAction *a = main_->findChild<QAction *>(QString::fromLatin1(item));
        ASSERT_NE(a, nullptr) << item;
        ASSERT_TRUE(a->isEnabled()) << item;
        a->trigger();
    }
    void setPackages(bool myob, bool xero) { writeSql("UPDATE Preferences SET MYOB = ?, Xero = ?", {int(myob), int(xero)}); }
    QStringList openedWith() const
    {
        QStringList out;
        for (const auto &o : modal_->opened())
            out << o.name + "|" + o.tag;
        return out;
    }

    std::unique_ptr<MainForm> main_;
};

// The menu bar before anyone logs in, in menu order: item, caption, the item
// it hangs from, and how it starts.
TEST_F(MainMenuTest, CaptionAndMenusBeforeLogIn)
{
    MainForm main;
    EXPECT_EQ(main.windowTitle(), "Workvane v 1.3.5");
    QStringList items;
    std::function<void(QWidget *, const QString &)> walk = [&](QWidget *menu, const QString &parent) {
        for (QAction *a : menu->actions()) {
            items << QStringList{a->objectName(), a->text(), parent,
                                 !a->isVisible() ? "invisible" : a->isEnabled() ? "enabled" : "disabled"}.join("|");
            if (a->menu())
                walk(a->menu(), a->objectName());
        }
    };
    walk(main.menuBar(), "");
    EXPECT_EQ(items, QStringList({
        "Customers|Customers||disabled", "CustomerJobs|Customer Jobs||disabled",
        "ManageCustomerJobs|Manage|CustomerJobs|enabled", "PortalCustomerJobs|Added on Portal|CustomerJobs|enabled",
        "JobSchedules|Job Schedules||disabled", "Maintenance|Maintenance||disabled",
        "Company|Company Details|Maintenance|disabled", "JobTypes|Job Types|Maintenance|disabled",
        "Associates|Associates|Maintenance|disabled", "Preferences|Preferences|Maintenance|disabled",
        "security|Security|Maintenance|disabled", "AuthorityLevels|Authority Levels|security|enabled",
        "AuthorityAccess|Authority Access|security|enabled", "Accounts|Accounts Interface||disabled",
        "AccountsCustomers|Customers|Accounts|enabled", "AccountsCustomerImport|Import Customer Data|AccountsCustomers|enabled",
        "AccountsCustomerExport|Export Customer Data|AccountsCustomers|enabled", "AccountsSales|Sales|Accounts|enabled",
        "AccountsSalesExport|Export Sales Data|AccountsSales|enabled", "Help|Help||enabled",
        "HelpContents|Contents|Help|enabled", "Support|Support|Help|enabled", "Email|Email|Support|enabled",
        "AboutWVS|About WVS|Help|enabled", "NewVersion|New Version Available!||invisible", "Exit|Exit||enabled"}));
}

TEST_F(MainMenuTest, EachCommandOpensItsWindowWithoutAMode)
{
    for (const char *item : {"Customers", "ManageCustomerJobs", "PortalCustomerJobs", "JobSchedules", "Company",
                             "JobTypes", "Associates", "Preferences", "AuthorityLevels", "AuthorityAccess", "AboutWVS"})
        choose(item);
    EXPECT_EQ(openedWith(), QStringList({"CustomersManagementForm|", "CustomerJobsManagementForm|",
        "PortalCustomerJobsManagementForm|", "SchedulesManagementForm|", "CompanyForm|", "JobTypesManagementForm|",
        "AssociatesManagementForm|", "PreferencesForm|", "AuthorityLevelsManagementForm|", "AuthorityAccessForm|",
        "AboutForm|"}));
    EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join("|").toStdString();
}

TEST_F(MainMenuTest, AccountsCommandsServeMyobBeforeXeroAndNothingWithoutAPackage)
{
    const char *items[] = {"AccountsCustomerImport", "AccountsCustomerExport", "AccountsSalesExport"};
    setPackages(true, true);
    for (const char *i : items)
        choose(i);
    setPackages(false, true);
    choose("AccountsSalesExport");
    EXPECT_EQ(openedWith(), QStringList({"AccountsCustomerImportForm|MYOB", "AccountsCustomerExportForm|MYOB",
                                         "AccountsSalesExportForm|MYOB", "AccountsSalesExportForm|Xero"}));

    // Changed meanwhile at another workstation: the menu is still there, but nothing opens.
    setPackages(false, false);
    for (const char *i : items)
        choose(i);
    writeSql("DELETE FROM Preferences");
    choose("AccountsCustomerImport");
    EXPECT_EQ(modal_->opened().size(), 4);
    EXPECT_TRUE(msgs_->texts().isEmpty());
}

// The support e-mail (the installation in its subject) and the help page (from the menu or F1) open as links.
TEST_F(MainMenuTest, SupportEmailAndHelpPageOpenAsLinks)
{
    choose("Email");
    ASSERT_EQ(desktop_->opened.size(), 1);
    EXPECT_EQ(desktop_->opened.takeFirst().toString(QUrl::FullyEncoded),
              "mailto:support@workvane.com?subject=Workvane%20TEST01%20Sparkle%20Cleaning");
    // Characters that would end the subject or start another header are encoded.
    session().installationName = "Smith & Sons #2 100%";
    session().installationID = "NZ=7?";
    EXPECT_EQ(MainForm::supportMailLink().toString(QUrl::FullyEncoded),
              "mailto:support@workvane.com?subject=Workvane%20NZ%3D7%3F%20Smith%20%26%20Sons%20%232%20100%25");

    // With only the data in the folder, the help page shipped beside the program opens.
    choose("HelpContents");
    const QString shipped = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("WVS Help.html");
    ASSERT_TRUE(QFile::exists(shipped));
    // One in the data folder comes first, from the menu or F1 in any window.
    ASSERT_TRUE(test::writeFileBytes(QDir(dir_->path()).filePath("WVS Help.html"), ""));
    Form window;
    test::press(&window, Qt::Key_F1);
    const QUrl page = QUrl::fromLocalFile(QDir(dir_->path()).absoluteFilePath("WVS Help.html"));
    EXPECT_EQ(desktop_->opened, QList<QUrl>({QUrl::fromLocalFile(shipped), page}));

    // Without a mail program or a browser the user is told where to write or which file to open.
    desktop_->openResult = false;
    choose("Email");
    EXPECT_TRUE(msgs_->last().contains("support@workvane.com")) << msgs_->last().toStdString();
    choose("HelpContents");
    EXPECT_TRUE(msgs_->last().endsWith(QDir::toNativeSeparators(page.toLocalFile()))) << msgs_->last().toStdString();
}

TEST_F(MainMenuTest, AboutShowsTheInstallationAsTypedAndItsFlag)
{
    // A name holding markup is shown as typed.
    session().installationName = "Dan <b>Nomail</b> <font color=red>RED</font>";
    AboutForm about;
    about.show();
    EXPECT_EQ(about.findChild<QLabel *>("HeaderLabel")->text(), "Version 1.3.5");
    EXPECT_EQ(about.findChild<QPushButton *>("CloseButton")->text(), "&Close");
    EXPECT_TRUE(about.findChild<QTextEdit *>("DetailsText")->toPlainText().startsWith("In this release:"));
    QLabel *registered = about.findChild<QLabel *>("RegisteredLabel");
    EXPECT_EQ(registered->text(), session().installationName);
    EXPECT_EQ(registered->textFormat(), Qt::PlainText);

    // The flags ship beside the program. A damaged file in the data folder, or
    // a country without a flag, shows no flag and the program goes on.
    ASSERT_TRUE(test::writeFileBytes(QDir(dir_->path()).filePath("UK.ico"), "not a picture"));
    for (const auto &[country, flag] :
         {std::pair{"New Zealand", true}, {"Australia", true}, {"USA", true}, {"UK", false}, {"Canada", false}}) {
        session().installationCountry = country;
        AboutForm other;
        EXPECT_EQ(other.findChild<QLabel *>("CountryImage")->pixmap().isNull(), !flag) << country;
    }
    EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join("|").toStdString();
}

} // namespace
