#include "jobs/CustomerJobEmailForm.h"
#include "jobs/CustomerJobsManagementForm.h"
#include "platform/FlexGrid.h"
#include "jobs/JobsDbTest.h"
#include "jobs/ServiceRequestEmail.h"
#include "platform/DesktopMailer.h"
#include "platform/SmtpMailer.h"
#include "support/LocalServers.h"

#include <QJsonArray>
#include <QPlainTextEdit>

using namespace wvs;
using wvs::test::SmtpSink;
using wvs::test::JobData;

TEST(DetermineFrequencyTest, WordsOfEveryKindAndNoneOutsideTheLists)
{
    const QList<QPair<qint64, QString>> examples = {
        {2, "Every 2 days"}, {399, "Every weekday"}, {19901, "The last day of every 1 month(s)"},
        {25101, "The last Monday of every 1 month(s)"}, {102017, "Every 2 week(s) on Monday, Friday"},
        {11503, "Day 15 of every 3 month(s)"}, {30315, "Every March 15"}, {41703, "The 1st Sunday of March"},
        // A weekday set above Sunday's bit names the days the schedules give it.
        {101200, "Every 1 week(s) on Monday, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday"},
    };
    for (const auto &[code, words] : examples)
        EXPECT_EQ(DetermineFrequency(code), words) << code;
    for (qint64 code : {0LL, 1000LL, 19000LL, 50000LL, 26101LL, 31315LL, 41713LL})
        EXPECT_EQ(DetermineFrequency(code), QString()) << code;

    // Every ordinal, weekday and month of the lists is named.
    const QStringList ordinals{"1st", "2nd", "3rd", "4th", "last"};
    const QStringList weekdays{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    const QStringList months{"January", "February", "March", "April", "May", "June", "July", "August", "September",
                             "October", "November", "December"};
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(DetermineFrequency(20000 + n * 1000 + 100 + 2), "The " + ordinals[n - 1] + " Monday of every 2 month(s)");
    for (int w = 1; w <= 7; ++w) {
        EXPECT_EQ(DetermineFrequency(41000 + w * 100 + 1), "The 1st " + weekdays[w - 1] + " of January");
        EXPECT_EQ(DetermineFrequency(101000 + (1 << (w - 1))), "Every 1 week(s) on " + weekdays[w - 1]);
    }
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(DetermineFrequency(30000 + m * 100 + 1), "Every " + months[m - 1] + " 1");
}

TEST(ServiceRequestBodyTest, LinesNameAndEndText)
{
    ServiceRequestJob j{.surname = "Smith", .forename = "Anna", .sAddress1 = "4 Bay Rd", .sAddress3 = "Rear",
                        .sSuburb = "Remuera", .jobTypeDescription = "Window cleaning", .frequency = 22203,
                        .occurrences = 4, .startDate = "2031-07-07", .endDate = "2032-01-01", .costCents = 123450};
    EXPECT_EQ(ServiceRequest::body(j, "Dear Anna", "New Zealand"),
              QString("Dear Anna\r\n\r\n"
                             "Service Details: Window cleaning\r\n"
                             "Start: Monday 07/07/2031\r\n"
                             "Frequency: The 2nd Tuesday of every 3 month(s)\r\n"
                             "End: After 4 occurrence(s)\r\n"
                             "Service Address: 4 Bay Rd, Rear, Remuera\r\n"
                             "Cost: $1,234.50"));

    // No message, no count: the end date; no frequency words but as required.
    j.occurrences = 0, j.frequency = 0, j.asRequired = true;
    // The lines of a body without a message, from the frequency line on.
    auto without = [](const QString &fromFrequency, const QString &address = "4 Bay Rd, Rear, Remuera") {
        return "Service Details: Window cleaning\r\nStart: Monday 07/07/2031\r\n" + fromFrequency + "\r\nService Address: "
               + address + QStringLiteral("\r\nCost: \u00a31,234.50");
    };
    QString body = ServiceRequest::body(j, {}, "UK");
    EXPECT_EQ(body, without("Frequency:  - as required\r\nEnd: 01/01/2032"));

    j.asRequired = false, j.endDate.clear();
    body = ServiceRequest::body(j, {}, "UK");
    EXPECT_FALSE(body.contains(QLatin1String("Frequency")));
    EXPECT_EQ(body, without("End: None"));

    // Words and as required together.
    j.frequency = 22203, j.asRequired = true;
    EXPECT_EQ(ServiceRequest::body(j, {}, "UK"), without("Frequency: The 2nd Tuesday of every 3 month(s) - as required\r\nEnd: None"));

    // Forename and surname: both, each alone, neither; the subject carries the name.
    for (const auto &[forename, surname, name] : {std::tuple{"Anna", "Smith", "Anna Smith"}, {"", "Smith", "Smith"},
                                                  {"Anna", "", "Anna"}, {"", "", ""}}) {
        j.forename = forename, j.surname = surname;
        EXPECT_EQ(ServiceRequest::customerName(j), name) << forename << "/" << surname;
        EXPECT_EQ(ServiceRequest::subject(j), QString("Service Requested - ") + name);
    }
    // The record's address: the first when there is one, else the second, else none.
    for (const auto &[email1, email2, to] : {std::tuple{"a@x.nz", "b@x.nz", "a@x.nz"}, {"a@x.nz", "", "a@x.nz"},
                                             {"", "b@x.nz", "b@x.nz"}, {"", "", ""}}) {
        j.email1 = email1, j.email2 = email2;
        EXPECT_EQ(ServiceRequest::recordAddress(j), to) << email1 << "/" << email2;
    }
    // Address lines 2 and 3 and the suburb each alone, all, or none after line 1.
    for (const auto &[line2, line3, suburb, shown] :
         {std::tuple{"Unit 2", "", "", "4 Bay Rd, Unit 2"}, {"", "Rear", "", "4 Bay Rd, Rear"},
          {"", "", "Remuera", "4 Bay Rd, Remuera"}, {"Unit 2", "Rear", "Remuera", "4 Bay Rd, Unit 2, Rear, Remuera"},
          {"", "", "", "4 Bay Rd"}}) {
        j.sAddress2 = line2, j.sAddress3 = line3, j.sSuburb = suburb;
        EXPECT_EQ(ServiceRequest::body(j, {}, "UK"),
                  without("Frequency: The 2nd Tuesday of every 3 month(s) - as required\r\nEnd: None", shown)) << shown;
    }
}

namespace {

class ServiceRequestEmailTest : public wvs::test::SmithJobsTest {
protected:
    void SetUp() override
    {
        SmithJobsTest::SetUp();
        writeSql("UPDATE Customers SET Email2 = 'anna@example.com'");
        job_ = addJob(customer_, address_, [](JobData &j) { j.frequency = 102017, j.occurrences = 4; });
    }

    void setProvider(const QString &provider, int port = 25, bool html = false)
    {
        writeSql(QStringLiteral("UPDATE Preferences SET EmailProvider = ?, EmailHTML = ?, SMTPServer = '127.0.0.1', "
                                "SMTPPort = ?, SMTPSSL = 0, SMTPUserName = 'office@sparkle.example', "
                                "SMTPPassword = 'pw'"),
                 {provider, html ? 1 : 0, QString::number(port)});
    }

    void open(const std::function<void(CustomerJobEmailForm *)> &drive, qint64 job = 0)
    {
        CustomerJobEmailForm form;
        form.Tag = QString::number(job ? job : job_);
        modal_->once("CustomerJobEmailForm", [&](QDialog *d) { drive(static_cast<CustomerJobEmailForm *>(d)); });
        showModal(&form);
    }

    static void type(CustomerJobEmailForm *f, const QString &text)
    {
        f->findChild<QPlainTextEdit *>(QStringLiteral("MessageText"))->setPlainText(text);
    }

    // The job's lines of the body, each line ended by lineEnd but the last.
    static QString jobLines(const QString &lineEnd)
    {
        return QStringList({"Service Details: Window cleaning", "Start: Monday 07/07/2031",
                            "Frequency: Every 2 week(s) on Monday, Friday", "End: After 4 occurrence(s)",
                            "Service Address: 1 Main Road, Albany", "Cost: $25.00"})
            .join(lineEnd);
    }

    qint64 job_ = 0;
};

} // namespace

TEST_F(ServiceRequestEmailTest, SmtpSendsEscapedHtmlFromWvsToTheRecordAddress)
{
    SmtpSink sink;
    ASSERT_TRUE(sink.start({"office@sparkle.example", "pw"})) << sink.errors().toStdString();
    setProvider("Other", sink.port(), true);
    open([&](CustomerJobEmailForm *f) {
        EXPECT_EQ(f->windowTitle(), "Send Email");
        type(f, "Hi <Anna> & \"family\"\nSee you soon");
        click(f, "OKButton");
    });
    EXPECT_EQ(msgs_->texts(), QStringList{"Email has been sent"});
    EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::None);
    ASSERT_EQ(sink.messages().size(), 1);
    const QJsonObject m = sink.messages()[0];
    EXPECT_EQ(m["subject"].toString(), "Service Requested - Ann Smith");
    EXPECT_EQ(m["to"].toArray().at(0).toString(), "anna@example.com");
    const QString html = m["parts"].toArray().at(0).toObject()["content"].toString();
    // A 7-bit body's last line is ended on its way through the server.
    EXPECT_EQ(html, "Hi &lt;Anna&gt; &amp; &quot;family&quot;<br>\r\nSee you soon<br>\r\n<br>\r\n" + jobLines("<br>\r\n") + "\r\n");
    EXPECT_EQ(ServiceRequest::storedMessage(), "Hi <Anna> & \"family\"\nSee you soon");
}

TEST_F(ServiceRequestEmailTest, StopsFailuresAndADesktopMailProgramNotYetActiveAreReported)
{
    ServiceRequest::storeMessage("Earlier text");
    // No provider set up (the new database's preferences were never saved).
    open([&](CustomerJobEmailForm *f) {
        EXPECT_EQ(child<QPlainTextEdit>(f, "MessageText")->toPlainText(), "Earlier text");
        type(f, "New text");
        click(f, "OKButton");
        EXPECT_TRUE(f->isVisible());
    });
    EXPECT_EQ(msgs_->texts(), QStringList{"No email service provider has been set up. "
                                          "This needs to be done via Maintenanace....Preferences"});
    EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ServiceRequest::storedMessage(), "Earlier text");

    // A desktop mail program gets the plain draft only once it is set up.
    msgs_->clear();
    setProvider("Outlook", 25, true);
    DesktopMailScript mail;
    mail.active = false;
    open([&](CustomerJobEmailForm *f) {
        click(f, "SpecificOption");
        type(f, "Hello & welcome");
        click(f, "OKButton");
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(msgs_->texts(), QStringList{"MS Outlook is not active"});
        EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::Exclamation);
        // The mail program is set up meanwhile; OK again gives the same draft.
        mail.active = true;
        click(f, "OKButton");
    });
    ASSERT_EQ(mail.drafts.size(), 1);
    EXPECT_TRUE(mail.drafts[0].to.isEmpty());
    EXPECT_EQ(mail.drafts[0].body, "Hello & welcome\r\n\r\n" + jobLines("\r\n"));

    // Sent by SMTP without an address: a warning, then the failure.
    msgs_->clear();
    writeSql("UPDATE Customers SET Email2 = ''");
    setProvider("Other", wvs::test::unusedPort());
    open([&](CustomerJobEmailForm *f) { click(f, "OKButton"); });
    ASSERT_EQ(msgs_->texts().size(), 2);
    EXPECT_EQ(msgs_->texts()[0], "No email address is held for the customer.\r\nThis will need to be entered manually on the email");
    // With no address the message has no recipient and is never handed to the server.
    EXPECT_EQ(msgs_->texts()[1], "Email was not sent - error " + QString::number(SmtpMailer::NoRecipient)
                                     + " At least one recipient is required, but none were found");
    EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::None);
    EXPECT_EQ(msgs_->shown()[1].icon, MsgIcon::Exclamation);

    // A job whose job type went meanwhile is reported and sends nothing.
    msgs_->clear();
    setProvider("Outlook");
    writeSql("DELETE FROM JobTypes");
    open([&](CustomerJobEmailForm *f) { click(f, "OKButton"); });
    EXPECT_EQ(msgs_->texts(), QStringList{"Cannot find Customer Job - this is a database error!"});
    EXPECT_EQ(msgs_->shown()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(mail.drafts.size(), 1);
}

// Over SMTP the window opens with the job's key alone.
TEST_F(ServiceRequestEmailTest, TheListsEmailButtonNeedsAMailProgramOnlyForDrafts)
{
    CustomerJobsManagementForm list;
    list.show();
    click(&list, "GoButton");
    list.grid()->selectRow(1);
    DesktopMailScript mail;
    mail.active = false;
    setProvider("Outlook");
    msgs_->clear();
    click(&list, "EmailButton");
    EXPECT_EQ(msgs_->texts(), QStringList{"MS Outlook is not active - emails cannot be created"});
    EXPECT_TRUE(modal_->opened().isEmpty());

    setProvider("Other");
    click(&list, "EmailButton");
    ASSERT_EQ(modal_->openedNames(), QStringList{"CustomerJobEmailForm"});
    EXPECT_EQ(modal_->opened()[0].tag, QString::number(job_));
}
