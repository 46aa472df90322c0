#include "AdminWindowTest.h"
#include "admin/PreferenceSettings.h"
#include "admin/PreferencesForm.h"
#include "output/EmailDelivery.h"
#include "platform/DesktopMailer.h"
#include "shell/MainForm.h"
#include "platform/WvsError.h"
#include "support/LocalServers.h"
#include "support/Pointer.h"

#include <QAction>
#include <QJsonArray>
#include <QRadioButton>
#include <QSet>

using namespace wvs;
using Field = PreferenceSettings::Field;

namespace {

class Preferences : public wvs::test::AdminWindowTest {
protected:
    static void select(QWidget *w, const char *option) { child<QRadioButton>(w, option)->setChecked(true); }
    static void saveWith(const std::function<void(QWidget *)> &edit)
    {
        auto w = shown<PreferencesForm>();
        edit(w.get());
        click(w.get(), "OKButton");
    }
};

TEST_F(Preferences, TaxRateChecksAndSmtpChecksOnlyForOther)
{
    const QString numeric = "The sales tax rate must be numeric";
    // answer: to the question of a missing rate
    const struct { bool inclusive; const char *rate; bool answer, asked; Field field; QString message; } cases[] = {
        {true, "0", true, true, Field::None, ""},          // Yes keeps the rate 0
        {true, "0.0", false, true, Field::TaxRate, ""},    // No sends the user back
        {true, "", true, true, Field::TaxRate, numeric},   // Yes still finds it not numeric
        {true, "-3", true, false, Field::TaxRate, "The sales tax rate cannot be negative"},
        {true, "12.5", true, false, Field::None, ""}, {false, "", true, false, Field::None, ""},
        {false, "-3", true, false, Field::None, ""}, {false, "abc", true, false, Field::TaxRate, numeric},
    };
    const QStringList question{"Customer Jobs are inclusive of sales tax but no tax rate has been entered - is this correct?"};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.rate) + (c.inclusive ? " inclusive" : ""));
        QStringList asked;
        const auto r = PreferenceSettings::check({.gstInclusive = c.inclusive}, c.rate,
                                                 [&](const QString &q) { return asked << q, c.answer; });
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(asked, c.asked ? question : QStringList());
    }

    // The SMTP boxes are checked for Other only; with the next box's fault too, the first speaks.
    const struct { std::function<void(PreferenceValues &)> edit; Field field; QString message; } smtpCases[] = {
        {[](auto &v) { v.smtpServer.clear(); v.smtpPort.clear(); }, Field::Server,
         "Please enter the name of the Email Service Provider's Server"},
        {[](auto &v) { v.smtpPort.clear(); }, Field::Port, "Please enter the Email Service Provider Port"},
        {[](auto &v) { v.smtpPort = "25a"; }, Field::Port, "The Email Service Provider Port must be numeric"},
        {[](auto &v) { v.smtpPort = "-25"; }, Field::Port, "The Email Service Provider Port be negative"},
        {[](auto &v) { v.smtpUserName.clear(); }, Field::UserName, "Please enter the User Name for the Email Service Provider"},
        {[](auto &v) { v.smtpPort.clear(); v.smtpUserName.clear(); }, Field::Port, "Please enter the Email Service Provider Port"},
        {[](auto &v) { v.smtpPort = "25a"; v.smtpUserName.clear(); }, Field::Port, "The Email Service Provider Port must be numeric"},
        {[](auto &v) { v.smtpPort = "-25"; v.smtpUserName.clear(); }, Field::Port, "The Email Service Provider Port be negative"},
        {[](auto &v) { v.smtpUserName.clear(); v.smtpPassword.clear(); }, Field::UserName, "Please enter the User Name for the Email Service Provider"},
        {[](auto &v) { v.smtpPassword.clear(); }, Field::Password, "Please enter the Password for the Email Service Provider"},
        {[](auto &v) { v.smtpPort = "587.5"; }, Field::None, ""}, {[](auto &v) { v.smtpPort = "0"; }, Field::None, ""},
    };
    const PreferenceSettings::Ask yes = [](const QString &) { return true; };
    for (const auto &c : smtpCases) {
        SCOPED_TRACE(c.message.toStdString());
        PreferenceValues v{.emailProvider = "Other", .smtpServer = "mail.example.com", .smtpPort = "587",
                           .smtpUserName = "office@example.com", .smtpPassword = "pw"};
        c.edit(v);
        const auto r = PreferenceSettings::check(v, QString(), yes);
        EXPECT_EQ(r.field, c.field);
        EXPECT_EQ(r.message, c.message);
        // The tax rate comes first.
        EXPECT_EQ(PreferenceSettings::check(v, "abc", yes).message, numeric);
        // With Outlook the same boxes are saved as they stand.
        v.emailProvider = "Outlook";
        EXPECT_TRUE(PreferenceSettings::check(v, QString(), yes).ok());
    }
}

TEST_F(Preferences, LoadAppliesTheRulesSaveWritesWhatIsShownAndATaxRateReopensAsStored)
{
    // Both packages (only Xero is kept), and a portal cost shown without the portal.
    PreferenceSettings::save({.myob = true, .xero = true, .emailHtml = true, .showCostOnPortal = true, .taxRate = 15,
                              .xeroTaxRateName = "GST on Income", .emailProvider = "Other",
                              .smtpServer = "mail.example.com", .smtpPort = "587", .smtpSsl = true,
                              .smtpUserName = "me", .smtpPassword = "pw"});
    saveWith([](QWidget *w) {
        EXPECT_FALSE(ticked(w, "MYOBCheck"));
        EXPECT_TRUE(ticked(w, "XeroCheck"));
        EXPECT_TRUE(child<QRadioButton>(w, "HTMLOption")->isChecked());
        EXPECT_FALSE(ticked(w, "PortalCostsCheck"));
        EXPECT_TRUE(enabled(w, "ServerText"));
        type(w, "TaxRateText", "");
    });
    const auto v = PreferenceSettings::load();
    EXPECT_FALSE(v->myob);
    EXPECT_TRUE(v->xero);
    EXPECT_EQ(v->taxRate, 0);
    EXPECT_EQ(v->xeroTaxRateName, "GST on Income");
    EXPECT_TRUE(v->smtpSsl);

    // A save that fails keeps the row before it.
    execSql("CREATE TEMP TRIGGER FailPrefs BEFORE INSERT ON Preferences BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    EXPECT_THROW(PreferenceSettings::save({.myob = true}), WvsError);
    EXPECT_TRUE(PreferenceSettings::load().value_or(PreferenceValues{}).xero);
    execSql("DROP TRIGGER FailPrefs");

    // A stored rate, however small or large, reopens as digits its check takes, and two saves keep it.
    const struct { double rate; const char *shown; } cases[] = {
        {0.00001, "0.00001"}, {123456789.25, "123456789.25"}, {12.5, "12.5"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shown);
        PreferenceSettings::save({.gstInclusive = true, .taxRate = c.rate});
        msgs_->clear();
        for (int save = 0; save < 2; ++save)
            saveWith([&](QWidget *w) { EXPECT_EQ(text(w, "TaxRateText"), c.shown); });
        EXPECT_EQ(msgs_->texts(), QStringList({"Preferences saved", "Preferences saved"}));
        EXPECT_EQ(PreferenceSettings::load()->taxRate, c.rate);
    }

    // Each box alone is stored in its own field (in the row's order: MYOB, Xero, GSTInclusive, EmailHTML,
    // ShowCostOnSchedPrint, ShowCostOnSchedEmail, Portal, ShowCostOnPortal, ShowPhoneOnSchedEmail,
    // ShowPhoneOnPortal) and reopens ticked.
    const struct { QStringList boxes; const char *stored; } boxes[] = {
        {{"MYOBCheck"}, "1000000000"}, {{"XeroCheck"}, "0100000000"}, {{"GSTInclusiveCheck"}, "0010000000"},
        {{"HTMLOption"}, "0001000000"}, {{"SchedulePrintCostsCheck"}, "0000100000"},
        {{"ScheduleEmailCostsCheck"}, "0000010000"}, {{"SchedulePortalCheck"}, "0000001000"},
        {{"SchedulePortalCheck", "PortalCostsCheck"}, "0000001100"}, {{"ScheduleEmailPhoneCheck"}, "0000000010"},
        {{"SchedulePortalCheck", "PortalPhoneCheck"}, "0000001001"},
    };
    for (const auto &b : boxes) {
        SCOPED_TRACE(b.boxes.join('+').toStdString());
        PreferenceSettings::save({});
        saveWith([&](QWidget *w) {
            type(w, "TaxRateText", "15");
            for (const QString &box : b.boxes)
                box.endsWith("Option") ? select(w, box.toLatin1().constData()) : tick(w, box.toLatin1().constData(), true);
        });
        EXPECT_EQ(scalarSql("SELECT MYOB || Xero || GSTInclusive || EmailHTML || ShowCostOnSchedPrint || "
                            "ShowCostOnSchedEmail || Portal || ShowCostOnPortal || ShowPhoneOnSchedEmail || "
                            "ShowPhoneOnPortal FROM Preferences").toString(),
                  b.stored);
        auto reopened = shown<PreferencesForm>();
        for (const QString &box : b.boxes)
            EXPECT_TRUE(box.endsWith("Option") ? child<QRadioButton>(reopened.get(), box.toLatin1().constData())->isChecked()
                                               : ticked(reopened.get(), box.toLatin1().constData()))
                << box.toStdString();
    }
}


TEST_F(Preferences, SavingTurnsTheAccountsMenuOnOrOff)
{
    setAccess(2, 1, 1, 1, 1, 1, 5, 1, 0, 1);
    MainForm main;
    QAction *accounts = main.menuItem("Accounts");
    ASSERT_NE(accounts, nullptr);
    accounts->setEnabled(false);
    saveWith([](QWidget *w) { tick(w, "XeroCheck", true); });
    EXPECT_TRUE(accounts->isEnabled());
    // A level without the Accounts right leaves the menu as it is...
    loginAs("ADM", 2);
    accounts->setEnabled(false);
    saveWith([](QWidget *) {});
    EXPECT_FALSE(accounts->isEnabled());
    // ...and no package turns it off for anyone.
    loginAs("ADM", 1);
    accounts->setEnabled(true);
    saveWith([](QWidget *w) { tick(w, "XeroCheck", false); });
    EXPECT_FALSE(accounts->isEnabled());
}

// The test e-mail needs an address; it goes as a mail-program draft or over SMTP, whose boxes are checked in turn.
TEST_F(Preferences, TestEmailThroughTheMailProgramOrARealSmtpServer)
{
    DesktopMailScript mail;
    mail.active = false;
    wvs::test::SmtpSink sink;
    ASSERT_TRUE(sink.start({"office", "s3cret"})) << sink.errors().toStdString();
    auto w = shown<PreferencesForm>();
    click(w.get(), "TestButton");
    EXPECT_EQ(msgs_->last(), "Please enter an address to which the test email can be sent");
    type(w.get(), "TestEmailText", "owner@example.com");
    click(w.get(), "TestButton");
    EXPECT_EQ(msgs_->last(), "MS Outlook is not active");
    EXPECT_TRUE(mail.drafts.isEmpty());
    mail.active = true;
    click(w.get(), "TestButton");
    ASSERT_EQ(mail.drafts.size(), 1);
    EXPECT_EQ(mail.drafts[0].to, QStringList{"owner@example.com"});
    EXPECT_EQ(mail.drafts[0].subject, "Test email from WVS");
    EXPECT_EQ(mail.drafts[0].body, "Congratulations! Your email has been successfully sent from WVS.");
    // The mail program only opens the draft: nothing claims it was sent.
    EXPECT_TRUE(msgs_->last().startsWith("A test email has been created in your mail program"));
    mail.openResult = false;
    click(w.get(), "TestButton");
    EXPECT_EQ(msgs_->last(), "The following error has occurred: \r\n" + QString::number(EmailDelivery::DraftFailed)
                                 + " The mail program could not be started");

    select(w.get(), "OtherOption");
    const struct { const char *box; QString typed, message; } steps[] = {
        {"ServerText", "", "Please enter the Server name"}, {"ServerText", "127.0.0.1", "Please enter the Port number"},
        {"PortText", "25a", "The Port must be numeric"}, {"PortText", QString::number(sink.port()), "Please enter the User Name"},
        {"UserNameText", "office", "Please enter the Password"},
    };
    for (const auto &step : steps) {
        type(w.get(), step.box, step.typed);
        msgs_->clear();
        click(w.get(), "TestButton");
        EXPECT_EQ(msgs_->texts(), QStringList{step.message});
    }
    type(w.get(), "PasswordText", "wrong");
    click(w.get(), "TestButton");
    // The server's refusal in the mail library's words, as the same send meets it.
    EmailSettings refusedSettings;
    refusedSettings.provider = "Other";
    refusedSettings.smtp = EmailDelivery::smtpSettings("127.0.0.1", QString::number(sink.port()),
                                                       child<QCheckBox>(w.get(), "SSLCheck")->isChecked(), "office", "wrong");
    const EmailDelivery refusing(refusedSettings);
    MailMessage again = refusing.newMessage("WVS Email Tester", "owner@example.com", "Test email from WVS");
    refusing.setBody(again, "Congratulations! Your test email has been successfully sent from WVS.");
    const SendResult refused = refusing.SendSmtpMessage(again, "owner@example.com", false);
    EXPECT_EQ(refused.error, 67);
    EXPECT_FALSE(refused.description.isEmpty());
    EXPECT_EQ(msgs_->last(), "The following error has occurred: \r\n" + QString::number(refused.error) + " " + refused.description);

    // A user name that is no address: the sender is still an address.
    type(w.get(), "PasswordText", "s3cret");
    select(w.get(), "HTMLOption"); // the test goes as plain text all the same
    click(w.get(), "TestButton");
    EXPECT_EQ(msgs_->last(), "A test email has been sent - please check that it has been successfully received");
    ASSERT_EQ(sink.messages().size(), 1);
    const auto sent = sink.messages()[0];
    EXPECT_EQ(sent["from_name"].toString(), "WVS Email Tester");
    EXPECT_EQ(sent["subject"].toString(), "Test email from WVS");
    EXPECT_EQ(sent["parts"].toArray()[0].toObject()["content"].toString().trimmed(),
              "Congratulations! Your test email has been successfully sent from WVS.");
    EXPECT_TRUE(sent["from_address"].toString().contains('@'));
    EXPECT_EQ(sent["content_type"].toString(), "text/plain");
    EXPECT_EQ(PreferenceSettings::load()->smtpServer, ""); // the test saved nothing
}

// Every box of the e-mail service and the tax rate is saved to its own
// column, by a first save and by a second that changes every one; the SSL
// tick reaches its own column and no other. (Each Yes/No box alone: above.)
TEST_F(Preferences, EveryBoxIsSavedToItsOwnColumnAndEverySaveChangesIt)
{
    // entered: typed; "ticked" or "" for the tick box; the option selected
    // for the provider (last, since Outlook disables the SMTP boxes).
    const SavedControl boxes[] = {
        {"TaxRateText", "12.75", "12.75", "7.5", "7.5", "TaxRate"},
        {"ServerText", "smtp.first.example", "smtp.first.example", "smtp.second.example", "smtp.second.example", "SMTPServer"},
        {"PortText", "2525", "2525", "465", "465", "SMTPPort"},
        {"SSLCheck", "ticked", "1", "", "0", "SMTPSSL"},
        {"UserNameText", "first.user", "first.user", "second.user", "second.user", "SMTPUserName"},
        {"PasswordText", "first-pw", "first-pw", "second-pw", "second-pw", "SMTPPassword"},
        {"TestEmailText", "first@test.example", "first@test.example", "second@test.example", "second@test.example",
         "SMTPTestEmail"},
        {"OtherOption", "OtherOption", "Other", "OutlookOption", "Outlook", "EmailProvider"},
    };
    expectDistinct(boxes);

    for (const bool first : {true, false}) {
        SCOPED_TRACE(first ? "first save" : "second save");
        auto w = shown<PreferencesForm>();
        test::press(child<QWidget>(w.get(), "OtherOption"), Qt::Key_Space); // the SMTP boxes take typing
        for (const auto &b : boxes) {
            const QString entered = first ? b.first : b.second;
            QWidget *c = child<QWidget>(w.get(), b.control);
            if (qobject_cast<QCheckBox *>(c)) {
                if (ticked(w.get(), b.control) != (entered == "ticked"))
                    test::press(c, Qt::Key_Space);
            } else if (qobject_cast<QRadioButton *>(c)) {
                test::press(child<QWidget>(w.get(), entered.toLatin1().constData()), Qt::Key_Space);
            } else {
                retypeBox(w.get(), b.control, entered);
            }
        }
        msgs_->clear();
        test::pressButton(w.get(), "OKButton");
        EXPECT_EQ(msgs_->texts(), QStringList{"Preferences saved"});
        EXPECT_FALSE(w->isVisible());
        for (const auto &b : boxes)
            EXPECT_EQ(storedIn("Preferences", b.column), QString(first ? b.firstStored : b.secondStored)) << b.control;
        // The row's other columns, none of them set here.
        EXPECT_EQ(storedIn("Preferences", "MYOB, Xero, GSTInclusive, EmailHTML, ShowCostOnSchedPrint, "
                                          "ShowCostOnSchedEmail, Portal, ShowCostOnPortal, ShowPhoneOnSchedEmail, "
                                          "ShowPhoneOnPortal, XeroTaxRateName"),
                  "0|0|0|0|0|0|0|0|0|0|");
    }
}

} // namespace
