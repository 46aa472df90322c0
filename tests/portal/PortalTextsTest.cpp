#include "PortalTestData.h"
#include "portal/PortalCustomerJobSave.h"
#include "portal/PortalRequestRecords.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

using namespace wvs;
using namespace wvs::portaltest;
using namespace wvs::test;

namespace {

class PortalRunTexts : public PortalDbTest {
protected:
    qint64 scheduleWithAJob()
    {
        const qint64 s = addSchedule("2012-03-05", "2012-03-18", "Closed");
        storeJob(s, addJob({.associate = "ADM"}), "2012-03-05", 1);
        return s;
    }
};

} // namespace

// The portal window's caption for each run, the steps each run names while it works, and what a run says that misses a record.
TEST_F(PortalRunTexts, CaptionsStepsAndMissingRecords)
{
    for (const auto &[tag, caption] : {std::pair{"PublishSchedule~1", "Publishing Schedule on Portal"},
                                       {"RetrieveSchedule~1", "Retrieving Schedule from Portal"},
                                       {"Users~", "Updating Users on Portal"},
                                       {"CompanyID~ABCD~WXYZ~Smith", "Updating Company on Portal"},
                                       {"CompanyName~ABCD~Smith", "Updating Company on Portal"},
                                       {"ImportCustomerJobs~", "Importing Customer Jobs from Portal"}})
        EXPECT_EQ(PortalSync::parseMode(tag).caption, caption) << tag;
    // Each mode name in another letter case is no mode: nothing runs and the last outcome stands.
    for (const char *tag : {"publishschedule~1", "RETRIEVESCHEDULE~1", "users~", "Jobtypes~", "companyid~ABCD~WXYZ~Smith",
                            "companyName~ABCD~Smith", "importCustomerJobs~"}) {
        EXPECT_FALSE(PortalSync::parseMode(tag).known) << tag;
        session().portalUpdateSucceeded = true;
        EXPECT_TRUE(FormRegistry::open(QStringLiteral("PortalForm"), tag));
        EXPECT_TRUE(session().portalUpdateSucceeded) << tag;
    }
    EXPECT_TRUE(portal_->calls().isEmpty());
    EXPECT_TRUE(msgs_->texts().isEmpty());

    const qint64 s = scheduleWithAJob();
    const QString publish = QString("PublishSchedule~%1").arg(s);
    portal_->handOut("GetSchedule.php", "");
    const std::pair<QString, QStringList> runs[] = {
        {publish,
         {"Logging on to ftp...", "Creating Company file...", "Updating company data....", "Company updated successfully",
          "Creating Schedule file...", "Updating Schedule data....", "Schedule loaded successfully",
          "Creating Users file...", "Updating users data....", "Users updated successfully", "Creating Job Types file...",
          "Updating job types data....", "Job Types updated successfully", "Logging off ftp..."}},
        {"CompanyName~ABCD~Smith & Sons",
         {"Logging on to ftp...", "Updating company data....", "Company modified successfully", "Logging off ftp..."}},
        {QString("RetrieveSchedule~%1").arg(s), {"Logging on to ftp...", "Retrieving Schedule data...."}},
    };
    for (const auto &[tag, steps] : runs) {
        PortalSync sync(PortalSync::parseMode(tag));
        QStringList shown;
        sync.onInfo = [&](const QString &text) { shown << text; };
        sync.run();
        EXPECT_EQ(shown, steps) << tag.toStdString();
    }
    EXPECT_EQ(msgs_->last(), "The schedule data local file is empty");

    for (const auto &[sql, tag, message] : {std::tuple{"DELETE FROM JobTypes", QString("JobTypes~"), "Cannot find JobTypes records"},
                                            {"DELETE FROM Preferences", publish, "Cannot find Preferences record"},
                                            {"DELETE FROM Company", QString("Users~"), "Cannot find Company record"}}) {
        writeSql(sql);
        EXPECT_FALSE(run(tag));
        ASSERT_EQ(msgs_->last(), message);
        EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);
    }
}

// Each page's refusal (its text, then the reply) and its time-out, with their icons.
TEST_F(PortalRunTexts, RefusalsAndTimeOutsOfEveryPage)
{
    const qint64 s = scheduleWithAJob();
    const QString publish = QString("PublishSchedule~%1").arg(s), retrieve = QString("RetrieveSchedule~%1").arg(s);
    // Run, page, refusal text with the reply "No", its icon, time-out text.
    const std::tuple<QString, const char *, const char *, MsgIcon, const char *> pages[] = {
        {"CompanyID~ABCD~WXYZ~Smith", "LoadCompany.php", "Company update failed - No", MsgIcon::None,
         "Company file load timed out - please try again"},
        {"CompanyName~ABCD~Smith", "ModifyCompany.php", "Company modify failed - No", MsgIcon::Exclamation,
         "Company modify timed out - please try again"},
        {publish, "LoadSchedule.php", "Schedule load failed - No", MsgIcon::Exclamation,
         "Schedule load timed out - please try again"},
        {"Users~", "LoadUsers.php", "Users update failed - No", MsgIcon::Exclamation,
         "Users file load timed out - please try again"},
        {"JobTypes~", "LoadJobTypes.php", "Job Types update failed - No", MsgIcon::Exclamation,
         "Job Types file load timed out - please try again"},
        {retrieve, "GetSchedule.php", "Retrieving Schedule data failed - No", MsgIcon::Exclamation,
         "Retrieving Schedule data timed out - please try again"},
    };
    for (const auto &[tag, page, refusal, icon, timeout] : pages) {
        portal_->reply(page, "No");
        EXPECT_FALSE(run(tag));
        ASSERT_EQ(msgs_->last(), refusal);
        EXPECT_EQ(msgs_->shown().last().icon, icon);
        EXPECT_EQ(portal_->pages().last(), page);   // nothing after a refused page runs
        // The page waits 2.2 s, each FTP step as long (room under load); the page answers after 4 s.
        portal_->reply(page, "SUCCESS");
        portal_->delay(page, 4);
        PortalSync::options() = {200, 10};
        EXPECT_FALSE(run(tag));
        ASSERT_EQ(msgs_->last(), timeout);
        EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Exclamation);
        PortalSync::options() = {20, 250};
        portal_->delay(page, 0);
        // The page given up on still answers: its call must not land in the next case.
        EXPECT_TRUE(portal_->waitForCalls());
    }
}

// A page that answers a long error page gives a message that fits on the screen: the failure text, the reply's
// first lines, then "…"; a reply of one line, however wide, is shown whole.
TEST_F(PortalRunTexts, ALongReplyIsCutToFitTheScreenAndAShortOneIsShownWhole)
{
    QStringList page{"<html>"};
    for (int i = 1; i < 299; ++i)
        page << QString("<p>Line %1 of the server's error page: the request could not be handled.</p>").arg(i);
    page << "</html>";
    // The box as the program shows it: plain text, the exclamation icon, OK.
    auto sizeOf = [](const QString &text) {
        QMessageBox box;
        box.setTextFormat(Qt::PlainText);
        box.setText(text);
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        box.show();
        QApplication::processEvents();
        return box.frameGeometry().size();
    };
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    auto fits = [&](const QString &text) {
        const QSize box = sizeOf(text);
        return box.width() <= screen.width() && box.height() <= screen.height();
    };
    for (const QString &separator : {"\r\n", "\n"}) {
        portal_->reply("LoadJobTypes.php", page.join(separator));
        EXPECT_FALSE(run("JobTypes~"));
        const QString shown = msgs_->last();
        // Twenty lines would pass 1,000 characters: the reply is cut at the 1,000th (no blank there).
        EXPECT_EQ(shown, "Job Types update failed - " + page.join(separator).left(1000) + QChar(0x2026));
        EXPECT_TRUE(fits(shown));
        EXPECT_FALSE(fits("Job Types update failed - " + page.join(separator)));   // as it came
    }
    // One line of 1,000 characters.
    const QString wide = QString("denied ").repeated(142) + "denied";
    portal_->reply("LoadJobTypes.php", wide);
    EXPECT_FALSE(run("JobTypes~"));
    EXPECT_EQ(msgs_->last(), "Job Types update failed - " + wide);
    EXPECT_TRUE(fits(msgs_->last()));
    const QString line = "Access denied for company ABCD <script>alert(1)</script>";
    portal_->reply("LoadJobTypes.php", line);
    EXPECT_FALSE(run("JobTypes~"));
    EXPECT_EQ(msgs_->last(), "Job Types update failed - " + line);
}

namespace {

namespace C = PortalRequestColumn;

using PortalRequestTexts = wvs::test::PortalRequestDbTest;

} // namespace

TEST_F(PortalRequestTexts, RequestListTextsAndColours)
{
    addRequest(1, {{"Prospective", 1}, {"DWMYOption", 0}});
    addRequest(2, {{"AsRequired", 1}, {"DWMYOption", 1}});
    addRequest(3, {{"Prospective", 1}, {"AsRequired", 1}, {"DWMYOption", 2}});
    addRequest(4, {{"DWMYOption", 3}});
    auto list = openList();
    EXPECT_EQ(captions(list.get()), QStringList({"Customer Jobs Added On Portal", "S&ort", "&Import From Portal",
                                                 "&View/Modify/Save", "&Delete", "&Exit"}));
    EXPECT_EQ(entries(list.get(), "SortCombo"),
              QStringList({"User Id", "Customer", "Service Address", "Suburb", "Job Type", "Service Day", "Frequency",
                           "Cost", "Start Date", "Date Entered"}));
    EXPECT_EQ(entries(list.get(), "SortOrderCombo"), QStringList({"Ascending", "Descending"}));
    EXPECT_EQ(headings(grid(list.get())).mid(0, 12),
              QStringList({"", "User", "Customer", "Service Address", "Service Location", "Job Type", "Day",
                           "Frequency", "Cost", "Start", "Entered", ""}));
    const QColor paleBlue(231, 239, 255);
    for (const auto &[legend, text, colour] : {std::tuple{"JobProspectiveLabel", "Job is prospective", QColor(0, 0, 255)},
                                               {"JobAsRequiredLabel", "Job is \"As Required\"", QColor(255, 128, 0)}}) {
        EXPECT_EQ(child<QLabel>(list.get(), legend)->text(), text);
        EXPECT_EQ(child<QLabel>(list.get(), legend)->palette().color(QPalette::WindowText), colour) << legend;
        EXPECT_EQ(child<QLabel>(list.get(), legend)->palette().color(QPalette::Window), paleBlue) << legend;
    }

    // Each row by its request: the frequency word, the text colour and weight.
    const std::tuple<const char *, QColor, bool> rows[] = {{"Daily", QColor(0, 0, 255), true},
                                                         {"Weekly", QColor(255, 128, 0), true},
                                                         {"Monthly", QColor(0, 0, 255), true},
                                                         {"Yearly", QColor(0, 0, 0), false}};
    FlexGrid *g = grid(list.get());
    ASSERT_EQ(g->rows(), 5);
    for (int r = 1; r < g->rows(); ++r) {
        const auto &[frequency, colour, bold] = rows[g->textMatrix(r, C::Key).toInt() - 1];
        EXPECT_EQ(g->textMatrix(r, C::Frequency), frequency);
        for (int c = 0; c < g->cols(); ++c) {
            EXPECT_EQ(g->cellBackColor(r, c), r % 2 ? QColor(255, 255, 255) : QColor(224, 224, 224)) << r << "," << c;
            EXPECT_EQ(g->cellForeColor(r, c), colour) << r << "," << c;
            EXPECT_EQ(g->cellBold(r, c), bold) << r << "," << c;
        }
    }
}

// Below 5000 grid rows (the heading row counted) the rows are coloured; from
// 5000 on they are not.
TEST_F(PortalRequestTexts, NoColoursFromFiveThousandRows)
{
    for (const auto &[requests, coloured] : {std::pair{4998, true}, {4999, false}}) {
        writeSql("DELETE FROM PortalCustomerJobs");
        writeSql(QString("WITH RECURSIVE k(n) AS (SELECT 1 UNION ALL SELECT n + 1 "
                         "FROM k WHERE n < %1) INSERT INTO PortalCustomerJobs (UniqueId, StartDate, DateEntered, "
                         "Prospective) SELECT n, '2031-07-07', '2031-06-01', 1 FROM k").arg(requests));
        auto list = openList();
        FlexGrid *g = grid(list.get());
        ASSERT_EQ(g->rows(), requests + 1);
        EXPECT_EQ(g->cellForeColor(1, C::User) == QColor(0, 0, 255), coloured) << requests;
        EXPECT_EQ(g->cellBackColor(2, C::User) == QColor(224, 224, 224), coloured) << requests;
    }
}

// What the save says, check by check, for a request that becomes a new customer.
TEST_F(PortalRequestTexts, ConversionChecksInOrder)
{
    writeSql("UPDATE Preferences SET MYOB = 1");
    writeSql("INSERT INTO Customers (Surname, AccountsRef) VALUES ('Taken', 'TAKEN')");
    auto valid = [] {
        PortalJobEntry e;
        e.customer = {.forename = "Ann", .surname = "Lee", .phone1 = "555", .cAddress1 = "1 Main St",
                      .cSuburb = "Ponsonby", .cPostCode = "1011", .accountsRef = "LEE01"};
        e.address = {.sAddress1 = "1 Main St", .sSuburb = "Ponsonby"};
        e.job = {.startDateText = "07 Jul 2031", .end = JobEnd::NoEnd, .costText = "25", .jobTypeCode = "CLEAN",
                 .associateID = "ADM", .frequency = {.option = FrequencyOption::Weekly, .weeklyText1 = "1", .weekdayMask = 1}};
        return e;
    };
    using E = PortalJobEntry &;
    // Each check alone, and most with the next check's fault too: the first speaks.
    const std::pair<std::function<void(E)>, QString> cases[] = {
        // The customer's checks; a question answered No is marked "?".
        {[](E e) { e.customer.forename.clear(); }, "Please enter the Customer's First Name"},
        {[](E e) { e.customer.forename.clear(); e.customer.surname.clear(); }, "Please enter the Customer's First Name"},
        {[](E e) { e.customer.surname.clear(); }, "Please enter the Customer's Last Name"},
        {[](E e) { e.customer.surname.clear(); e.customer.phone1.clear(); }, "Please enter the Customer's Last Name"},
        {[](E e) { e.customer.phone1.clear(); }, "Please enter at least 1 phone number"},
        {[](E e) { e.customer.preferredPhone = 2; },
         "You have indicated Phone 2 as the preferred contact but have not entered a phone number"},
        {[](E e) { e.customer.phone1.clear(); e.customer.phone2 = "777"; },
         "You have indicated Phone 1 as the preferred contact but have not entered a phone number"},
        {[](E e) { e.customer.preferredPhone = 3; },
         "You have indicated Phone 3 as the preferred contact but have not entered a phone number"},
        // The third phone alone, and preferred, is phone enough.
        {[](E e) { e.customer.phone1.clear(); e.customer.phone3 = "777"; e.customer.preferredPhone = 3; e.customer.cAddress1.clear(); },
         "Please enter the 1st line of the Customer's correspondence address"},
        {[](E e) { e.customer.companyName = "Lee Ltd"; }, "?No Contact Name has been entered for the Company. Is this correct?"},
        {[](E e) { e.customer.companyName = "Lee Ltd"; e.customer.accountsRef.clear(); }, "?No Contact Name has been entered for the Company. Is this correct?"},
        {[](E e) { e.customer.accountsRef.clear(); },
         "?No Accounts Reference has been entered. This will prevent any of this Customer's data being shared with "
         "your chosen accounts package. Is this correct?"},
        {[](E e) { e.customer.accountsRef.clear(); e.customer.cAddress1.clear(); },
         "?No Accounts Reference has been entered. This will prevent any of this Customer's data being shared with "
         "your chosen accounts package. Is this correct?"},
        {[](E e) { e.customer.accountsRef = "TAKEN"; }, "Accounts Reference TAKEN has been already assigned to another Customer"},
        {[](E e) { e.customer.accountsRef = "TAKEN"; e.customer.cAddress1.clear(); }, "Accounts Reference TAKEN has been already assigned to another Customer"},
        {[](E e) { e.customer.cAddress1.clear(); }, "Please enter the 1st line of the Customer's correspondence address"},
        {[](E e) { e.customer.cAddress1.clear(); e.customer.cSuburb.clear(); }, "Please enter the 1st line of the Customer's correspondence address"},
        {[](E e) { e.customer.cSuburb.clear(); }, "Please enter the Customer's correspondence suburb"},
        {[](E e) { e.customer.cSuburb.clear(); e.customer.cPostCode.clear(); }, "Please enter the Customer's correspondence suburb"},
        {[](E e) { e.customer.cPostCode.clear(); },
         "?No Zip/Post Code has been entered for the correspondence address. Is this correct?"},
        {[](E e) { e.customer.cPostCode.clear(); e.address.sAddress1.clear(); },
         "?No Zip/Post Code has been entered for the correspondence address. Is this correct?"},
        {[](E e) { e.address.sAddress1.clear(); }, "Please enter a Service Address"},
        {[](E e) { e.address.sAddress1.clear(); e.address.sSuburb.clear(); }, "Please enter a Service Address"},
        {[](E e) { e.address.sSuburb.clear(); }, "Please enter a Suburb for the Service Address"},
        {[](E e) { e.address.sSuburb.clear(); e.job.frequency = {}; }, "Please enter a Suburb for the Service Address"},
        // The job's checks no other test makes (the job text tests check those of its dates).
        {[](E e) { e.job.frequency = {}; }, "Please select a Frequency option"},
        {[](E e) { e.job.frequency = {}; e.customer.commentOnSchedule = true; }, "Please select a Frequency option"},
        {[](E e) { e.customer.commentOnSchedule = true; }, "There is no Customer Comment to include on the Schedule"},
        {[](E e) { e.customer.commentOnSchedule = true; e.job.commentOnSchedule = true; }, "There is no Customer Comment to include on the Schedule"},
        {[](E e) { e.job.commentOnSchedule = true; }, "There is no Job Comment to include on the Schedule"},
    };
    for (const auto &[edit, expected] : cases) {
        PortalJobEntry e = valid();
        e.uniqueId = addRequest(scalarSql("SELECT COUNT(*) FROM PortalCustomerJobs").toInt() + 1);
        edit(e);
        QString asked;
        const auto out = PortalCustomerJobSave::save(e, [&](const QString &q) { return asked = "?" + q, false; });
        EXPECT_FALSE(out.saved);
        EXPECT_EQ(asked.isEmpty() ? out.message : asked, expected);
    }
    EXPECT_EQ(count("CustomerJobs"), 0);

    // Either package asks for an accounts reference; with neither none is asked for.
    for (const auto &[myob, xero, asks] : {std::tuple{0, 1, true}, {0, 0, false}}) {
        writeSql("UPDATE Preferences SET MYOB = ?, Xero = ?", {myob, xero});
        PortalJobEntry e = valid();
        e.uniqueId = addRequest(scalarSql("SELECT COUNT(*) FROM PortalCustomerJobs").toInt() + 1);
        e.customer.accountsRef.clear();
        e.customer.cAddress1.clear();
        QStringList asked;
        const auto out = PortalCustomerJobSave::save(e, [&](const QString &q) { return asked << q, true; });
        EXPECT_EQ(out.message, "Please enter the 1st line of the Customer's correspondence address");
        EXPECT_EQ(asked.size(), asks ? 1 : 0) << xero;
    }
}
