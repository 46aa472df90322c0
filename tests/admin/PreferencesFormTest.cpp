#include "AdminWindowTest.h"
#include "admin/PreferenceSettings.h"
#include "admin/PreferencesForm.h"
#include "platform/DesktopMailer.h"
#include "shell/MainForm.h"
#include "support/LocalServers.h"

#include <QAction>
#include <QJsonArray>
#include <QRadioButton>

using namespace wvs;

namespace {

class PreferencesWindow : public wvs::test::AdminWindowTest {
protected:
    static void select(QWidget *w, const char *option) { child<QRadioButton>(w, option)->setChecked(true); }
    static bool selected(QWidget *w, const char *option) { return child<QRadioButton>(w, option)->isChecked(); }
    static void fillSmtp(QWidget *w, int port, const QString &user, const QString &password)
    {
        select(w, "OtherOption");
        type(w, "ServerText", QStringLiteral("127.0.0.1"));
        type(w, "PortText", QString::number(port));
        type(w, "UserNameText", user);
        type(w, "PasswordText", password);
        type(w, "TestEmailText", QStringLiteral("owner@example.com"));
    }
};

TEST_F(PreferencesWindow, LoadAppliesTheRulesAndSaveWritesWhatIsShown)
{
    PreferenceValues stored;
    stored.myob = stored.xero = true;
    stored.emailHtml = true;
    stored.portal = false;
    stored.showCostOnPortal = true; // not read while the portal is off
    stored.taxRate = 15;
    stored.xeroTaxRateName = QStringLiteral("GST on Income");
    stored.emailProvider = QStringLiteral("Other");
    stored.smtpServer = QStringLiteral("mail.example.com");
    stored.smtpPort = QStringLiteral("587");
    stored.smtpSsl = true;
    stored.smtpUserName = QStringLiteral("me");
    stored.smtpPassword = QStringLiteral("pw");
    PreferenceSettings::save(stored);

    auto w = show<PreferencesForm>();
    EXPECT_FALSE(ticked(w.get(), "MYOBCheck"));
    EXPECT_TRUE(ticked(w.get(), "XeroCheck"));
    EXPECT_TRUE(selected(w.get(), "HTMLOption"));
    EXPECT_FALSE(ticked(w.get(), "PortalCostsCheck"));
    EXPECT_TRUE(enabled(w.get(), "ServerText"));

    type(w.get(), "TaxRateText", QString());
    click(w.get(), "OKButton");
    const auto v = PreferenceSettings::load();
    EXPECT_FALSE(v->myob);
    EXPECT_TRUE(v->xero);
    EXPECT_EQ(v->taxRate, 0);
    EXPECT_EQ(v->xeroTaxRateName, QStringLiteral("GST on Income"));
    EXPECT_TRUE(v->smtpSsl);
}

TEST_F(PreferencesWindow, SavingTurnsTheAccountsMenuOnOrOff)
{
    setAccess(2, 1, 1, 1, 1, 1, 5, 1, 0, 1);
    MainForm main;
    QAction *accounts = main.menuItem(QStringLiteral("Accounts"));
    ASSERT_NE(accounts, nullptr);
    accounts->setEnabled(false);
    {
        auto w = show<PreferencesForm>();
        tick(w.get(), "XeroCheck", true);
        click(w.get(), "OKButton");
    }
    EXPECT_TRUE(accounts->isEnabled());
    // A level without the Accounts right leaves the menu as it is...
    loginAs(QStringLiteral("ADM"), 2);
    accounts->setEnabled(false);
    {
        auto w = show<PreferencesForm>();
        click(w.get(), "OKButton");
    }
    EXPECT_FALSE(accounts->isEnabled());
    // ...and no package turns it off for anyone.
    loginAs(QStringLiteral("ADM"), 1);
    accounts->setEnabled(true);
    {
        auto w = show<PreferencesForm>();
        tick(w.get(), "XeroCheck", false);
        click(w.get(), "OKButton");
    }
    EXPECT_FALSE(accounts->isEnabled());
}

TEST_F(PreferencesWindow, TestEmailGoesThroughARealSmtpServerAndReportsItsFailures)
{
    wvs::test::SmtpSink sink;
    ASSERT_TRUE(sink.start({QStringLiteral("office"), QStringLiteral("s3cret")})) << sink.errors().toStdString();
    auto w = show<PreferencesForm>();

    // The address first, whatever the route.
    click(w.get(), "TestButton");
    EXPECT_EQ(msgs_->last(), QStringLiteral("Please enter an address to which the test email can be sent"));

    fillSmtp(w.get(), sink.port(), QStringLiteral("office"), QStringLiteral("wrong"));
    msgs_->clear();
    click(w.get(), "TestButton");
    ASSERT_EQ(msgs_->shown().size(), 1);
    EXPECT_TRUE(msgs_->last().startsWith(QStringLiteral("The following error has occurred: \r\n67 "))) << msgs_->last().toStdString();
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(sink.messages().isEmpty());

    // A user name that is no address: the sender is still an address.
    fillSmtp(w.get(), sink.port(), QStringLiteral("office"), QStringLiteral("s3cret"));
    select(w.get(), "HTMLOption"); // the test goes as plain text all the same
    msgs_->clear();
    click(w.get(), "TestButton");
    EXPECT_EQ(msgs_->texts(),
              QStringList{QStringLiteral("A test email has been sent - please check that it has been successfully received")});
    ASSERT_EQ(sink.messages().size(), 1);
    const QJsonObject m = sink.messages()[0];
    EXPECT_TRUE(m[QStringLiteral("from_address")].toString().contains(QLatin1Char('@')));
    EXPECT_EQ(m[QStringLiteral("from_name")].toString(), QStringLiteral("WVS Email Tester"));
    EXPECT_EQ(m[QStringLiteral("to")].toArray().first().toString(), QStringLiteral("owner@example.com"));
    EXPECT_TRUE(m[QStringLiteral("auth")].toBool());
    EXPECT_EQ(m[QStringLiteral("content_type")].toString(), QStringLiteral("text/plain"));
    EXPECT_EQ(m[QStringLiteral("parts")].toArray().first().toObject()[QStringLiteral("content")].toString().trimmed(),
              QStringLiteral("Congratulations! Your test email has been successfully sent from WVS."));
    // Nothing was saved by the test.
    EXPECT_EQ(PreferenceSettings::load()->smtpServer, QString());
}

TEST_F(PreferencesWindow, TestEmailThroughTheDesktopMailProgram)
{
    DesktopMailScript mail;
    mail.active = false;
    auto w = show<PreferencesForm>();
    type(w.get(), "TestEmailText", QStringLiteral("owner@example.com"));
    type(w.get(), "ServerText", QStringLiteral("filled but not used"));
    click(w.get(), "TestButton");
    EXPECT_EQ(msgs_->last(), QStringLiteral("MS Outlook is not active"));
    EXPECT_TRUE(mail.drafts.isEmpty());

    mail.active = true;
    click(w.get(), "TestButton");
    ASSERT_EQ(mail.drafts.size(), 1);
    EXPECT_EQ(mail.drafts[0].to, QStringList{QStringLiteral("owner@example.com")});
    EXPECT_EQ(mail.drafts[0].subject, QStringLiteral("Test email from WVS"));
    EXPECT_EQ(mail.drafts[0].body, QStringLiteral("Congratulations! Your email has been successfully sent from WVS."));
    // The mail program only opens the draft: nothing claims it was sent.
    EXPECT_TRUE(msgs_->last().startsWith(QStringLiteral("A test email has been created in your mail program")));
    EXPECT_FALSE(msgs_->last().contains(QStringLiteral("has been sent")));

    mail.openResult = false;
    click(w.get(), "TestButton");
    EXPECT_TRUE(msgs_->last().startsWith(QStringLiteral("The following error has occurred: \r\n")));
}

} // namespace
