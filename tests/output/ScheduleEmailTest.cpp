#include "output/EmailDelivery.h"
#include "output/ScheduleEmail.h"
#include "output/ScheduleEmailForm.h"
#include "platform/DesktopMailer.h"
#include "platform/WvsError.h"
#include "scheduling/ScheduleForm.h"
#include "scheduling/ScheduleTestData.h"
#include "support/LocalServers.h"
#include "support/SlowLookup.h"

#include <QGroupBox>
#include <QJsonArray>
#include <QPlainTextEdit>
#include <QRegularExpression>

using namespace wvs;
using namespace wvs::schedtest;
using wvs::test::SmtpSink;

namespace {

// Five associates' jobs: ADM and BOB with addresses, CAT without, DAN's refused by the server, EVE after him.
class ScheduleEmailTest : public ScheduleDbTest {
protected:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        writeSql("UPDATE Associates SET AssociateName = 'Ann Admin', AssociateEmail = 'ann@example.com' "
                 "WHERE AssociateID = 'ADM'");
        for (const auto &[id, name, mail] : {std::tuple{"BOB", "Bob Builder", "bob@example.com"},
                                             std::tuple{"CAT", "Cat Carter", ""},
                                             std::tuple{"DAN", "Dan Dray", "dan@"},
                                             std::tuple{"EVE", "Éve\r\nBcc: evil@x.example", "eve@example.com"}}) {
            addAssociate(id, name, "pw", 1);
            writeSql("UPDATE Associates SET AssociateEmail = ? WHERE AssociateID = ?", {mail, id});
        }
        schedule_ = addSchedule("2025-03-03", "2025-03-16", "Closed");

        const qint64 smith = addCustomer({.preferredPhone = 2, .comment = "Gate <code> & 12",
                                          .commentOnSchedule = true});
        const qint64 jobA = addJob({.customer = smith, .address = addAddress(smith, "1 Main Road", "Ponsonby", "Flat 2"),
                                    .associate = "ADM", .comment = "Bring ladder", .commentOnSchedule = true});
        const qint64 cher = addCustomer({.surname = "", .forename = "Cher"});
        const qint64 jobB = addJob({.customer = cher, .associate = "BOB", .costCents = 12345,
                                    .comment = "Back door", .commentOnSchedule = true});
        // The portal cleared this occurrence's associate: it is the job's own associate's.
        const qint64 jobF = addJob({.associate = "BOB"});
        storeJob(schedule_, jobA, "2025-03-03", 0, "", "ADM");
        storeJob(schedule_, jobB, "2025-03-10", 5, "", "BOB");
        storeJob(schedule_, jobF, "2025-03-03", 4, "", "");
        storeJob(schedule_, jobB, "2025-03-03", 6, "", "BOB");
        for (const char *who : {"CAT", "DAN", "EVE"})
            storeJob(schedule_, addJob({.associate = who}), "2025-03-04", 7, "", who);
    }

    void setProvider(const QString &provider, const QString &port = "25", bool html = false)
    {
        writeSql("UPDATE Preferences SET EmailProvider = ?, EmailHTML = ?, SMTPServer = '127.0.0.1', SMTPPort = ?, "
                 "SMTPSSL = 0, SMTPUserName = 'office@sparkle.example', SMTPPassword = 'pw', "
                 "ShowPhoneOnSchedEmail = 1, ShowCostOnSchedEmail = 1",
                 {provider, html ? 1 : 0, port});
    }

    static QString bodyOf(const QJsonObject &m)
    {
        return m["parts"].toArray().at(0).toObject()["content"].toString();
    }

    qint64 schedule_ = 0;
};

} // namespace

TEST_F(ScheduleEmailTest, SmtpSendsEachAssociateHisJobsAndReportsEachOnItsOwn)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start({"office@sparkle.example", "pw"})) << sink.errors().toStdString();
    // A port stored as "587.0" is read as the number it is.
    setProvider("Other", QString::number(sink.port()) + ".0");
    DesktopMailScript mail;
    mail.active = false; // SMTP needs no mail program

    auto form = shown<ScheduleForm>(QStringLiteral("View~%1").arg(schedule_));
    msgs_->clear();
    modal_->once("ScheduleEmailForm", [&](QDialog *d) {
        EXPECT_FALSE(child<QGroupBox>(d, "AddressFrame")->isEnabled());
        child<QPlainTextEdit>(d, "MessageText")->setPlainText("Hello team");
        click(d, "OKButton");
        EXPECT_FALSE(d->isVisible());
    });
    form->EmailButton_Click();
    QStringList said = msgs_->texts();
    ASSERT_EQ(said.size(), 5) << said.join('|').toStdString();
    EXPECT_EQ(said[3], "Email was not sent to dan@ - error 55 RCPT failed: 553");
    said.removeAt(3);
    EXPECT_EQ(said, QStringList({"Email sent to ann@example.com", "Email sent to bob@example.com",
                                 "No email address is held for Cat Carter.", "Email sent to eve@example.com"}));
    EXPECT_EQ(ScheduleEmail::storedMessage(), "Hello team");

    const auto sent = sink.messages();
    ASSERT_EQ(sent.size(), 3);
    const QJsonObject bob = sent[1];
    // The schedule's dates read as its printout writes them ("Monday 03/03/2025").
    EXPECT_EQ(bob["subject"].toString(), "Job Schedule From 03/03/2025 To 16/03/2025 - Bob Builder");
    EXPECT_EQ(bob["from_name"].toString(), "Admin");
    EXPECT_EQ(bob["to"].toArray().at(0).toString(), "bob@example.com");
    auto entry = [](const char *date, const char *customer, const char *cost, const char *comments) {
        return QStringLiteral("Date: Monday %1/03/2025\r\nCustomer: %2\r\nAddress: 1 Main Road, Ponsonby\r\nPhone: 09 111 1111\r\n"
                              "Job: Window cleaning\r\nCost: $%3\r\nComments: %4\r\n").arg(date, customer, cost, comments) +
               QString(66, '-') + "\r\n";
    };
    EXPECT_EQ(bodyOf(bob), "Hello team\r\n\r\n" + entry("03", "Smith, Anna", "45.00", "") +
                               entry("03", "Cher", "123.45", "Back door") + entry("10", "Cher", "123.45", "Back door"))
        << bodyOf(bob).toStdString();
    // A typed name can neither start a header nor add a recipient; it is encoded.
    EXPECT_EQ(sent[2]["subject"].toString(), "Job Schedule From 03/03/2025 To 16/03/2025 - Éve Bcc: evil@x.example");
    EXPECT_FALSE(sent[2]["subject"].toString().contains('\n'));
    EXPECT_EQ(sent[2]["rcpt_tos"].toArray().size(), 1);
    EXPECT_FALSE(sent[2]["headers"].toObject().contains("Bcc"));
    // Phone 1 whatever the preferred phone; both comments on their own lines.
    EXPECT_TRUE(bodyOf(sent[0]).contains("Address: 1 Main Road, Flat 2, Ponsonby\r\nPhone: 09 111 1111\r\n"));
    EXPECT_TRUE(bodyOf(sent[0]).contains("Comments: Gate <code> & 12\r\nBring ladder\r\n"));

    // An HTML body escapes the text and keeps its line breaks; no phone or cost lines.
    setProvider("Other", QString::number(sink.port()), true);
    writeSql("UPDATE Preferences SET ShowPhoneOnSchedEmail = 0, ShowCostOnSchedEmail = 0");
    EXPECT_TRUE(ScheduleEmail::run(schedule_, "adm", "Hi <all>\nsoon", true));
    ASSERT_EQ(sink.messages().size(), 4);
    const QJsonObject html = sink.messages()[3];
    EXPECT_EQ(html["content_type"].toString(), "text/html");
    EXPECT_TRUE(bodyOf(html).startsWith("Hi &lt;all&gt;<br>\r\nsoon<br>\r\n<br>\r\nDate: Monday 03/03/2025<br>"))
        << bodyOf(html).toStdString();
    EXPECT_FALSE(bodyOf(html).contains("Phone:") || bodyOf(html).contains("Cost:"));

    // Only "Outlook" exactly takes the mail program's way; any other provider takes the server's, whose
    // settings are read only for "Other": without them the send fails and says so.
    setProvider("outlook", QString::number(sink.port()));
    msgs_->clear();
    EXPECT_TRUE(ScheduleEmail::run(schedule_, "BOB", "Hi", true));
    ASSERT_EQ(msgs_->texts().size(), 1);
    EXPECT_EQ(msgs_->texts().first(), "Email was not sent to bob@example.com - error 9002 No SMTP server has been given");
    EXPECT_EQ(sink.messages().size(), 4);

    // The customer, address and comments lines from whichever of their parts are filled.
    auto lineOf = [](const ScheduleEmailJob &j, const char *label) {
        const QStringList lines = ScheduleEmail::jobBlock(j, false, false, "NZ").split("\r\n");
        for (const QString &l : lines)
            if (l.startsWith(QLatin1String(label)))
                return l;
        return QString();
    };
    const struct { const char *surname, *forename, *line; } names[] = {
        {"Brown", "Ann", "Customer: Brown, Ann"}, {"Brown", "", "Customer: Brown"}, {"", "Ann", "Customer: Ann"},
        {"", "", "Customer: "}};
    for (const auto &n : names)
        EXPECT_EQ(lineOf({.surname = n.surname, .forename = n.forename}, "Customer: "), n.line) << n.line;
    const struct { const char *line2, *line3, *suburb, *line; } addresses[] = {
        {"", "", "", "Address: 1 Main Road"}, {"Flat 2", "", "", "Address: 1 Main Road, Flat 2"},
        {"", "Block C", "", "Address: 1 Main Road, Block C"}, {"", "", "Ponsonby", "Address: 1 Main Road, Ponsonby"},
        {"Flat 2", "Block C", "Ponsonby", "Address: 1 Main Road, Flat 2, Block C, Ponsonby"}};
    for (const auto &a : addresses)
        EXPECT_EQ(lineOf({.sAddress1 = "1 Main Road", .sAddress2 = a.line2, .sAddress3 = a.line3, .sSuburb = a.suburb},
                         "Address: "), a.line) << a.line;
    const struct { bool customerOn, jobOn; const char *customer, *line; } comments[] = {
        {true, true, "Dog", "Comments: Dog\r\nGate"}, {true, false, "Dog", "Comments: Dog"},
        {false, true, "Dog", "Comments: Gate"}, {true, true, "", "Comments: Gate"}, {false, false, "Dog", "Comments: "}};
    for (const auto &c : comments) {
        const QString block = ScheduleEmail::jobBlock({.customerComment = c.customer, .customerCommentOnSchedule = c.customerOn,
                                                       .jobComment = "Gate", .jobCommentOnSchedule = c.jobOn},
                                                      false, false, "NZ");
        EXPECT_TRUE(block.contains("\r\n" + QString::fromLatin1(c.line) + "\r\n" + QString(66, '-')))
            << c.line << "\n" << block.toStdString();
    }
}

// Every send over SMTP gives the server 30 seconds to take the connection, and limits the whole send to a time that
// leaves the connection its 30 seconds (the tests' own servers answer at once, so nothing else holds these figures):
// the runs of the SMTP provider and of any other name, and the preferences' test e-mail.
TEST_F(ScheduleEmailTest, TheServerHas30SecondsToTakeTheConnection)
{
    QList<SmtpSettings> sends;
    for (const char *provider : {"Other", "outlook"}) {
        setProvider(provider);
        const std::optional<EmailSettings> run = EmailDelivery::ReadEmailSettings();
        ASSERT_TRUE(run && !run->desktop()) << provider;
        sends << run->smtp;
    }
    sends << EmailDelivery::smtpSettings("mail.example.com", "25", false, "office@example.com", "pw");
    for (int i = 0; const SmtpSettings &s : sends) {
        EXPECT_EQ(s.connectTimeoutSecs, 30) << i;
        EXPECT_GT(s.transferTimeoutSecs, 30) << i++;
    }
}

TEST_F(ScheduleEmailTest, MailProgramGetsDraftsAndNeverHearsTheyWereSent)
{
    setProvider("Outlook", "25", true);
    DesktopMailScript mail;
    mail.active = false;
    auto form = shown<ScheduleForm>(QStringLiteral("View~%1").arg(schedule_));
    msgs_->clear();
    form->EmailButton_Click();
    EXPECT_EQ(msgs_->texts(), QStringList{"MS Outlook is not active - emails cannot be created"});
    EXPECT_FALSE(modal_->openedNames().contains("ScheduleEmailForm"));

    // Runs with fresh drafts and messages.
    auto run = [&](const QString &who, const QString &text, bool fromRecords) {
        mail.drafts.clear();
        msgs_->clear();
        return ScheduleEmail::run(schedule_, who, text, fromRecords);
    };
    // One associate, addressed from his record; plain text whatever the HTML choice.
    mail.active = true;
    ASSERT_TRUE(run("BOB", QString(), true));
    ASSERT_EQ(mail.drafts.size(), 1);
    EXPECT_EQ(mail.drafts[0].to, QStringList{"bob@example.com"});
    EXPECT_TRUE(mail.drafts[0].body.startsWith("Date: Monday 03/03/2025\r\nCustomer: Smith, Anna\r\n"));
    EXPECT_FALSE(mail.drafts[0].html);

    // Addresses from the records: the associate without one is told about.
    ASSERT_TRUE(run(QString(), "Hi", true));
    ASSERT_EQ(mail.drafts.size(), 5);
    EXPECT_TRUE(mail.drafts[2].to.isEmpty());
    EXPECT_EQ(msgs_->texts(), (QStringList{"No email address is held for Cat Carter.\r\n"
                                           "This will need to be entered manually on the email",
                                           "Email(s) created and saved"}));

    // Addresses to be entered: none set and nothing said about them.
    ASSERT_TRUE(run(QString(), "Hi", false));
    ASSERT_EQ(mail.drafts.size(), 5);
    EXPECT_TRUE(std::all_of(mail.drafts.begin(), mail.drafts.end(), [](const MailMessage &m) { return m.to.isEmpty(); }));
    EXPECT_EQ(msgs_->texts(), QStringList{"Email(s) created and saved"});

    // Drafts the mail program does not take are named, and the end says so.
    mail.openResult = false;
    ASSERT_TRUE(run("ADM", "Hi", false));
    ASSERT_EQ(msgs_->texts().size(), 2);
    EXPECT_EQ(msgs_->texts()[0], "The email for Ann Admin was not created - error 9011 The mail program could not be started");
    EXPECT_EQ(msgs_->texts()[1], "0 of 1 emails created and saved");

    // The mail program closed since: the window is to stay open.
    mail.active = false;
    EXPECT_FALSE(run(QString(), "Later", true));
    EXPECT_EQ(msgs_->texts(), QStringList{"MS Outlook is not active"});
    EXPECT_EQ(ScheduleEmail::storedMessage(), "Later");
}

TEST_F(ScheduleEmailTest, StopsKeepTheWindowOpenAndTheStoredTextAsItWas)
{
    ScheduleEmail::storeMessage("Earlier text");
    const qint64 empty = addSchedule("2025-04-01", "2025-04-30", "Closed");
    ScheduleEmailForm form;
    form.Tag = QString::number(schedule_) + "~";
    modal_->once("ScheduleEmailForm", [&](QDialog *d) {
        EXPECT_EQ(child<QPlainTextEdit>(d, "MessageText")->toPlainText(), "Earlier text");
        EXPECT_TRUE(child<QGroupBox>(d, "AddressFrame")->isEnabled());
        click(d, "OKButton");
        EXPECT_TRUE(d->isVisible());
    });
    showModal(&form);
    EXPECT_EQ(msgs_->texts(), QStringList{"No email service provider has been set up. "
                                          "This needs to be done via Maintenanace....Preferences"});
    EXPECT_EQ(ScheduleEmail::storedMessage(), "Earlier text");

    msgs_->clear();
    setProvider("Other");
    EXPECT_FALSE(ScheduleEmail::run(empty, QString(), "New", true));
    EXPECT_EQ(msgs_->texts(), QStringList{"Cannot find Schedule Jobs - this is a database error!"});
    EXPECT_EQ(ScheduleEmail::storedMessage(), "Earlier text");

    writeSql("UPDATE Preferences SET SMTPPort = 'abc'");
    EXPECT_THROW(ScheduleEmail::run(schedule_, QString(), "New", true), WvsError);
    EXPECT_EQ(ScheduleEmail::storedMessage(), "Earlier text");

    // An associate's name holding markup is shown as typed.
    const QString name = QStringLiteral("Cat <b>Nomail</b> <font color=red>RED</font>");
    writeSql("UPDATE Associates SET AssociateName = ? WHERE AssociateID = 'CAT'", {name});
    setProvider("Other");
    msgs_->clear();
    ASSERT_TRUE(ScheduleEmail::run(schedule_, "CAT", "Hello", true));
    ASSERT_EQ(msgs_->shown().size(), 1);
    EXPECT_EQ(msgs_->shown()[0].text, "No email address is held for " + name + ".");
    EXPECT_EQ(msgs_->shown()[0].format, Qt::PlainText);
}


// Every way a send can fail is reported whole: "Email was not sent to " & address & " - error " & number & " " &
// description, with the exclamation icon and no title. A "{n}" in an expected text stands for a number that differs
// from run to run (a port, the milliseconds a connection took).
TEST_F(ScheduleEmailTest, EachFailedSendIsReportedWithItsAddressNumberAndDescription)
{
    SmtpSink plain, tlsFirst;
    ASSERT_TRUE(plain.start({"office@sparkle.example", "pw"})) << plain.errors().toStdString();
    ASSERT_TRUE(tlsFirst.start({.user = "office@sparkle.example", .password = "pw", .requireTls = true}))
        << tlsFirst.errors().toStdString();
    test::PythonServer closing;
    ASSERT_TRUE(closing.start("closing_server.py", {"--greeting", "220 mail.example ESMTP"}));
    const int nowhere = test::unusedPort();

    // The connect limit covers the greeting and the log-on too: room for a busy machine.
    auto server = [](int port) {
        EmailSettings s{.provider = "Other"};
        s.smtp = {.server = "127.0.0.1", .port = port, .userName = "office@sparkle.example", .password = "pw",
                  .connectTimeoutSecs = 5, .transferTimeoutSecs = 10, .verifyPeer = false};
        return s;
    };
    struct Case {
        const char *why;
        EmailSettings settings;
        QString address;
        QString said;
        int lookupMs = 0;   // the server's name takes this long to look up, and is then not found
    };
    EmailSettings noServer = server(plain.port());
    noServer.smtp.server.clear();
    EmailSettings wrongPassword = server(plain.port());
    wrongPassword.smtp.password = "not it";
    EmailSettings tlsAsked = server(plain.port());
    tlsAsked.smtp.ssl = true;
    EmailSettings unknownName = server(plain.port());
    unknownName.smtp.server = "gone.lookup.test";
    EmailSettings hungName = server(plain.port());
    hungName.smtp.server = "hung.lookup.test";
    hungName.smtp.connectTimeoutSecs = 1;   // the lookup hangs for 8 s
    const QString refused = "Failed to connect to 127.0.0.1 port {n} after {n} ms: Couldn't connect to server";
    const Case cases[] = {
        {"no server given", noServer, "bob@example.com",
         "Email was not sent to bob@example.com - error 9002 No SMTP server has been given"},
        {"an address that is no mailbox", server(plain.port()), "<>",
         "Email was not sent to <> - error 9001 At least one recipient is required, but none were found"},
        {"nothing listening", server(nowhere), "bob@example.com", "Email was not sent to bob@example.com - error 7 " + refused},
        {"the name unknown", unknownName, "bob@example.com",
         "Email was not sent to bob@example.com - error 6 Could not resolve host: gone.lookup.test", 10},
        {"the name's lookup hangs", hungName, "bob@example.com",
         "Email was not sent to bob@example.com - error 28 Resolving timed out after {n} milliseconds", 8000},
        {"the connection closed", server(closing.port()), "bob@example.com",
         "Email was not sent to bob@example.com - error 56 response reading failed (the server closed the connection)"},
        {"the log-on refused", wrongPassword, "bob@example.com",
         "Email was not sent to bob@example.com - error 67 Login denied (server reply 535)"},
        {"TLS asked of a server without it", tlsAsked, "bob@example.com",
         "Email was not sent to bob@example.com - error 64 STARTTLS not supported. (server reply 250)"},
        {"TLS required and not asked", server(tlsFirst.port()), "bob@example.com",
         "Email was not sent to bob@example.com - error 67 Login denied (server reply 530)"},
        {"the recipient refused", server(plain.port()), "dan@", "Email was not sent to dan@ - error 55 RCPT failed: 553"},
        {"an address holding what reads as places for values", server(nowhere), "a%1b%2@example.com",
         "Email was not sent to a%1b%2@example.com - error 7 " + refused},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        test::setSlowLookup(c.lookupMs ? c.settings.smtp.server.toUtf8() : QByteArray(), c.lookupMs);
        const EmailDelivery delivery(c.settings);
        MailMessage m = delivery.newMessage("Admin", c.address, "Job Schedule");
        delivery.setBody(m, "Date: Monday");
        msgs_->clear();
        const SendResult r = delivery.SendSmtpMessage(m, c.address);
        EXPECT_FALSE(r.ok);
        ASSERT_EQ(msgs_->shown().size(), 1);
        QString pattern = QRegularExpression::escape(c.said);
        pattern.replace(QStringLiteral("\\{n\\}"), QStringLiteral("\\d+"));
        EXPECT_TRUE(QRegularExpression("^" + pattern + "$").match(msgs_->last()).hasMatch())
            << msgs_->last().toStdString() << "\nexpected: " << c.said.toStdString();
        EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(msgs_->shown()[0].buttons, MsgButtons::Ok);
        EXPECT_TRUE(msgs_->shown()[0].title.isEmpty());
    }
    test::setSlowLookup(QByteArray(), 0);
    EXPECT_TRUE(plain.messages().isEmpty() && tlsFirst.messages().isEmpty());
}

// Each display option of the schedule e-mail switches its own part and no other: the phone and cost lines
// (preferences), the customer's and the job's comments (their records' "on schedule" ticks) and the HTML body
// (preferences). Turned on alone, only its own part shows; with every other one on, all but its own part shows.
TEST_F(ScheduleEmailTest, EachDisplayOptionSwitchesItsOwnPartOfTheMessageAndNoOther)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start({"office@sparkle.example", "pw"})) << sink.errors().toStdString();
    setProvider("Other", QString::number(sink.port()));
    const qint64 schedule = addSchedule("2025-04-07", "2025-04-13", "Closed");
    const qint64 customer = addCustomer({.surname = "Brown", .forename = "Ann", .phone1 = "P-one", .phone2 = "P-two",
                                         .comment = "Dog in yard"});
    const qint64 job = addJob({.customer = customer, .address = addAddress(customer, "Line-one", "Suburb-L"),
                               .associate = "ADM", .costCents = 6789, .comment = "Side gate"});
    storeJob(schedule, job, "2025-04-07", 1, "", "ADM");

    const char *const options[] = {"phone", "cost", "customer comment", "job comment", "HTML"};
    for (const char *option : options) {
        for (const bool alone : {true, false}) {
            SCOPED_TRACE(std::string(option) + (alone ? " alone" : " off"));
            auto on = [&](const char *o) { return (QString(o) == option) == alone; };
            writeSql("UPDATE Preferences SET ShowPhoneOnSchedEmail = ?, ShowCostOnSchedEmail = ?, EmailHTML = ?",
                     {int(on("phone")), int(on("cost")), int(on("HTML"))});
            writeSql("UPDATE Customers SET CommentOnSchedule = ? WHERE CustomerNumber = ?",
                     {int(on("customer comment")), customer});
            writeSql("UPDATE CustomerJobs SET CommentOnSchedule = ? WHERE JobSeqNo = ?", {int(on("job comment")), job});
            QString comments = on("customer comment") ? "Dog in yard" : "";
            if (on("job comment"))
                comments += (comments.isEmpty() ? "" : "\r\n") + QString("Side gate");
            const QString expected = "Date: Monday 07/04/2025\r\nCustomer: Brown, Ann\r\nAddress: Line-one, Suburb-L\r\n" +
                                     QString(on("phone") ? "Phone: P-one\r\n" : "") + "Job: Window cleaning\r\n" +
                                     QString(on("cost") ? "Cost: $67.89\r\n" : "") + "Comments: " + comments + "\r\n" +
                                     QString(66, '-') + "\r\n";

            const qsizetype before = sink.messages().size();
            ASSERT_TRUE(ScheduleEmail::run(schedule, "ADM", QString(), true));
            ASSERT_EQ(sink.messages().size(), before + 1);
            const QJsonObject sent = sink.messages().last();
            EXPECT_EQ(sent["content_type"].toString(), on("HTML") ? "text/html" : "text/plain");
            EXPECT_EQ(bodyOf(sent), on("HTML") ? QString(expected).replace("\r\n", "<br>\r\n") : expected);
        }
    }
}
