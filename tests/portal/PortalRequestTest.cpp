#include "PortalTestData.h"
#include "portal/PortalCustomerJobSave.h"
#include "portal/PortalRequestRecords.h"
#include "platform/MultiLineText.h"
#include "scheduling/ScheduleGeneration.h"
#include "support/Keys.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

using namespace wvs;
using namespace wvs::test;

namespace {

namespace C = PortalRequestColumn;

using PortalRequestConversionTest = PortalRequestDbTest;

using PortalRequestDialogTest = PortalRequestDbTest;

using PortalRequestListTest = PortalRequestDbTest;

} // namespace

TEST_F(PortalRequestConversionTest, EveryFrequencyKindBecomesItsCode)
{
    const std::pair<QVariantMap, int> cases[] = {
        {{{"DWMYOption", 0}, {"DailyOption", 1}}, 399},
        {{{"DWMYOption", 0}, {"DailyOption", 0}, {"DailyNoOfDays", 3}}, 3},
        {{{"WeeklyNoOfWeeks", 2}, {"WeeklyFri", 1}}, 102017},
        {{{"DWMYOption", 2}, {"MonthlyOption", 0}, {"MonthlyDay", 15}, {"MonthlyMonth1", 3}}, 11503},
        {{{"DWMYOption", 2}, {"MonthlyOption", 2}, {"MonthlyList1Index", 1}, {"MonthlyList2Index", 1},
          {"MonthlyMonth3", 1}}, 22201},
        {{{"DWMYOption", 2}, {"MonthlyOption", 1}, {"MonthlyMonth2", 2}}, 19902},
        {{{"DWMYOption", 3}, {"YearlyOption", 0}, {"YearlyList1Index", 2}, {"YearlyDay", 31}}, 30331},
        {{{"DWMYOption", 3}, {"YearlyOption", 1}, {"YearlyList2Index", 4}, {"YearlyList3Index", 6},
          {"YearlyList4Index", 11}}, 45712},
        // Each day of the week alone, with its own bit.
        {{{"WeeklyMon", 1}}, 101001}, {{{"WeeklyMon", 0}, {"WeeklyTue", 1}}, 101002},
        {{{"WeeklyMon", 0}, {"WeeklyWed", 1}}, 101004}, {{{"WeeklyMon", 0}, {"WeeklyThu", 1}}, 101008},
        {{{"WeeklyMon", 0}, {"WeeklyFri", 1}}, 101016}, {{{"WeeklyMon", 0}, {"WeeklySat", 1}}, 101032},
        {{{"WeeklyMon", 0}, {"WeeklySun", 1}}, 101064},
        // A choice the request names by a value other than those of the first options takes the last one.
        {{{"DWMYOption", 0}, {"DailyOption", 2}}, 399},
        {{{"DWMYOption", 2}, {"MonthlyOption", 5}, {"MonthlyList1Index", 4}, {"MonthlyList2Index", 6},
          {"MonthlyMonth3", 2}}, 25702},
        {{{"DWMYOption", 3}, {"YearlyOption", 2}, {"YearlyList2Index", 0}, {"YearlyList3Index", 0},
          {"YearlyList4Index", 0}}, 41101},
    };
    qint64 id = 100;
    for (auto [request, code] : cases) {
        request["StartDate"] = QDate(2031, 7, 7).addDays(id).toString(Qt::ISODate);   // no two alike
        save(addRequest(++id, request));
        EXPECT_EQ(lastJob("Frequency").toInt(), code) << code;
    }
}

TEST_F(PortalRequestConversionTest, CustomerAndAddressAreFoundOrAddedWithTheirOwnKeys)
{
    // A namesake at another correspondence address is a different customer.
    const qint64 namesake = addCustomer("Lee", "Ann", 1, "Ponsonby");
    writeSql("UPDATE Customers SET CAddress1 = '9 Other Rd' WHERE CustomerNumber = ?", {namesake});
    addAddress(namesake, "1 Main St", "Ponsonby");

    // Comments keep their no-break spaces through an edit in the window.
    const QString nbsp(QChar(0x00A0));
    save(addRequest(1, {{"DateEntered", "2031-06-02"}, {"Title", "Ms"}, {"CustomerComments", "Price 10" + nbsp + "000 NZD"},
                        {"JobDetailsComments", "Gate" + nbsp + "code\n4711"}}),
         [](QDialog *d) {
             for (const char *box : {"CustomerCommentText", "JobCommentText"}) {
                 auto *comment = child<QPlainTextEdit>(d, box);
                 comment->moveCursor(QTextCursor::End);
                 test::typeKeys(comment, "!");
             }
         });
    const qint64 added = lastJob("CustomerNumber").toLongLong();
    EXPECT_EQ(scalarSql("SELECT CustomerComment FROM Customers WHERE CustomerNumber = ?", {added}).toString(),
              "Price 10" + nbsp + "000 NZD!");
    EXPECT_EQ(lastJob("CustomerJobComment").toString(), "Gate" + nbsp + "code\n4711!");
    const qint64 address = lastJob("SAddressSeqNo").toLongLong();
    EXPECT_NE(added, namesake);
    EXPECT_EQ(scalarSql("SELECT CustomerNumber FROM CustomerServiceAddresses WHERE SAddressSeqNo = ?", {address}).toLongLong(),
              added);
    EXPECT_EQ(scalarSql("SELECT DateEntered || Title FROM Customers WHERE CustomerNumber = ?", {added}).toString(),
              "2031-06-02Ms");

    // The same customer again: found as it is, its data left alone, even without a phone.
    writeSql("UPDATE Customers SET Phone1 = 'kept' WHERE CustomerNumber = ?", {added});
    save(addRequest(2, {{"StartDate", "2031-07-14"}, {"Phone1", ""}}));
    EXPECT_EQ(lastJob("CustomerNumber").toLongLong(), added);
    EXPECT_EQ(lastJob("SAddressSeqNo").toLongLong(), address);
    save(addRequest(3, {{"StartDate", "2031-07-21"}, {"SSuburb", "Herne Bay"}}));
    EXPECT_NE(lastJob("SAddressSeqNo").toLongLong(), address);
    EXPECT_EQ(count("Customers"), 2);
    EXPECT_EQ(count("CustomerServiceAddresses"), 3);
    EXPECT_EQ(scalarSql("SELECT Phone1 FROM Customers WHERE CustomerNumber = ?", {added}).toString(), "kept");

    // A customer who differs from the one found in one key alone is another customer.
    qint64 id = 10;
    for (const auto &[key, value] : {std::pair{"FirstName", "Anne"}, {"LastName", "Leigh"}, {"CSuburb", "Remuera"}}) {
        const int before = count("Customers");
        save(addRequest(++id, {{key, value}}));
        EXPECT_NE(lastJob("CustomerNumber").toLongLong(), added) << key;
        EXPECT_EQ(count("Customers"), before + 1) << key;
    }
    // An address that differs in its first line alone is another address of the same customer.
    save(addRequest(++id, {{"StartDate", "2031-07-28"}, {"SAddress1", "2 Main St"}}));
    EXPECT_EQ(lastJob("CustomerNumber").toLongLong(), added);
    EXPECT_NE(lastJob("SAddressSeqNo").toLongLong(), address);
    EXPECT_EQ(count("CustomerServiceAddresses"), 3 + 3 + 1);
}

TEST_F(PortalRequestConversionTest, RefusalsLeaveEverythingAsItWas)
{
    save(addRequest(1));
    const struct {
        QVariantMap request;
        const char *message;
    } cases[] = {
        // Same customer, job type, first address line and start date.
        {{{"SSuburb", "Elsewhere"}}, "This Customer Job already exists!"},
        {{{"StartDate", "2031-08-05"}},
         "The Start Date falls within the date range of a closed Job Schedule and the Customer Job cannot be added. "
         "Please select another date"},
        {{{"StartDate", "2031-08-01"}},
         "The Start Date falls within the date range of a closed Job Schedule and the Customer Job cannot be added. "
         "Please select another date"},
        {{{"StartDate", "2031-09-01"}, {"FirstName", "New"}, {"Phone1", ""}}, "Please enter at least 1 phone number"},
        // A request's end option is checked after its job type and associate,
        // where the customer-job window checks it straight after the start.
        {{{"StartDate", "2031-09-02"}, {"EndDateOption", -1}, {"JobTypeCode", "GONE"}}, "Please select a Job Type"},
        {{{"StartDate", "2031-09-03"}, {"EndDateOption", -1}}, "Please select an End option"},
    };
    addSchedule("2031-08-01", "2031-08-05", "Closed");
    addSchedule("2031-08-10", "2031-08-20", "Open");
    qint64 id = 10;
    for (const auto &c : cases) {
        msgs_->clear();
        save(addRequest(++id, c.request));
        EXPECT_EQ(msgs_->texts(), QStringList({c.message}));
    }
    EXPECT_EQ(count("CustomerJobs"), 1);
    EXPECT_EQ(count("Customers"), 1);
    EXPECT_EQ(count("PortalCustomerJobs"), int(std::size(cases)));

    // A start inside an open schedule is fine.
    msgs_->clear();
    save(addRequest(50, {{"StartDate", "2031-08-12"}}));
    EXPECT_EQ(msgs_->texts(), QStringList({"Customer Job saved"}));

    // A job that differs from the first in its job type, its start date or its service address's first
    // line alone is no duplicate.
    id = 50;
    for (const auto &[key, value] : {std::pair{"JobTypeCode", "MOW"}, {"StartDate", "2031-07-08"}, {"SAddress1", "2 Main St"}}) {
        msgs_->clear();
        save(addRequest(++id, {{key, value}}));
        EXPECT_EQ(msgs_->texts(), QStringList({"Customer Job saved"})) << key;
    }
    EXPECT_EQ(count("CustomerJobs"), 5);
}

// One occurrence, no kind chosen: stored so that it falls on its start date.
TEST_F(PortalRequestConversionTest, AOneOffLandsOnItsStartDate)
{
    save(addRequest(3, {{"StartDate", "2031-07-09"}, {"EndDateOption", 2}, {"EndOccurrences", 1}, {"DWMYOption", -1}}));
    EXPECT_EQ(lastJob("Frequency").toInt(), 1);

    const ScheduleHeader july{addSchedule("2031-07-01", "2031-07-31", "Open"), QDate(2031, 7, 1), QDate(2031, 7, 31),
                              "Open"};
    const PopulateResult r = ScheduleGeneration::populate(july, "ADM", QString());
    ASSERT_EQ(r.jobs.size(), 1);
    EXPECT_EQ(r.jobs[0].serviceDate, QDate(2031, 7, 9));

    // An end date on the start date is a one-off too; an end a day later, or two occurrences, recur and
    // need a frequency.
    const struct { QVariantMap request; const char *message; } ends[] = {
        {{{"StartDate", "2031-08-11"}, {"EndDateOption", 1}, {"EndDate", "2031-08-11"}, {"DWMYOption", -1}}, "Customer Job saved"},
        {{{"StartDate", "2031-08-12"}, {"EndDateOption", 1}, {"EndDate", "2031-08-13"}, {"DWMYOption", -1}},
         "Please select a Frequency option"},
        {{{"StartDate", "2031-08-14"}, {"EndDateOption", 2}, {"EndOccurrences", 2}, {"DWMYOption", -1}},
         "Please select a Frequency option"},
    };
    qint64 id = 10;
    for (const auto &e : ends) {
        msgs_->clear();
        save(addRequest(++id, e.request));
        EXPECT_EQ(msgs_->texts(), QStringList({e.message})) << id;
    }
}

TEST_F(PortalRequestConversionTest, AFailingCustomerCheckStopsTheSave)
{
    // A fault the error reporter only shows (the program goes on) is no pass.
    const PortalJobEntry e{
        .uniqueId = addRequest(1),
        .customer = {.forename = "Ann", .surname = "Lee", .companyName = "Lee Ltd", .phone1 = "555"}};
    const PortalJobSaveOutcome out = PortalCustomerJobSave::save(e, [](const QString &) -> bool {
        throw WvsError(ErrorNumber::Recoverable, "The Preferences could not be read");
    });
    EXPECT_FALSE(out.saved);
    EXPECT_EQ(msgs_->texts(), QStringList({"The Preferences could not be read"}));
    EXPECT_EQ(count("Customers"), 0);
    EXPECT_EQ(count("PortalCustomerJobs"), 1);
}

TEST_F(PortalRequestConversionTest, ARequestRemovedMeanwhileIsNotSavedTwice)
{
    // Another workstation saves the request while the dialog shows it.
    save(addRequest(1), [](QDialog *) { writeSql("DELETE FROM PortalCustomerJobs"); });
    EXPECT_EQ(msgs_->texts(),
              QStringList({"The Customer Job request no longer exists - it may have been saved or deleted by another user"}));
    EXPECT_EQ(count("Customers") + count("CustomerJobs") + count("CustomerServiceAddresses"), 0);
}

TEST_F(PortalRequestDialogTest, OpensWithTheRequestInBoxesOfTheirLengthsAndLeavesItOnExit)
{
    addRequest(1, {{"PreferredPhone", 7}, {"DWMYOption", -1}, {"EndDateOption", 1}, {"EndDate", "2031-12-24"},
                   {"Cost", 0}, {"JobTypeCode", "NONE"}});
    openRequest(1, [&](QDialog *d) {
        for (const char *option : {"Phone1Option", "EndDateOption"})
            EXPECT_TRUE(child<QRadioButton>(d, option)->isChecked()) << option;
        EXPECT_EQ(child<QLabel>(d, "StartDateLabel")->text(), "07 Jul 2031");
        EXPECT_EQ(child<QLabel>(d, "EndDateLabel")->text(), "24 Dec 2031");
        EXPECT_EQ(child<QComboBox>(d, "JobTypeCombo")->currentIndex(), -1);
        for (const char *f : {"DailyFrame", "WeeklyFrame", "MonthlyFrame", "YearlyFrame"})
            EXPECT_FALSE(child<QFrame>(d, f)->isVisible()) << f;
        // Leaving an emptied cost box leaves the currency form of 0.
        QLineEdit *cost = child<QLineEdit>(d, "CostText");
        d->activateWindow();
        cost->setFocus();
        cost->clear();
        child<QLineEdit>(d, "TitleText")->setFocus();
        settle();
        EXPECT_EQ(cost->text(), "$0.00");
        // A map the desktop cannot show is reported, as in the job dialog.
        desktop_->openResult = false;
        click(d, "MapImage");
        EXPECT_EQ(d->windowTitle(), "Portal Customer Job Add");
        const std::pair<const char *, int> limits[] = {
            {"TitleText", 20},     {"FirstNameText", 50}, {"LastNameText", 50},   {"CompanyText", 100},
            {"ContactText", 100},  {"AccountsRefText", 30}, {"CAddress1Text", 100}, {"CSuburbText", 50},
            {"CCityText", 50},     {"CPostCodeText", 20}, {"Phone1Text", 30},     {"Email1Text", 100},
            {"SAddress1Text", 100}, {"SSuburbText", 50},  {"SCityText", 50},      {"SPostCodeText", 20},
            {"CostText", 8},       {"OccurrencesText", 3}, {"DailyText1", 3},     {"WeeklyText1", 3},
            {"MonthlyText1", 3},   {"YearlyText1", 3},
        };
        for (const auto &[box, limit] : limits)
            EXPECT_EQ(typingLimit(d, box), limit) << box;
        click(d, "ExitButton");
    });
    EXPECT_TRUE(modal_->openedNames().filter("CalendarForm").isEmpty());   // filling "On" asks for no date
    EXPECT_EQ(count("PortalCustomerJobs"), 1);
    ASSERT_EQ(desktop_->opened.size(), 1);
    EXPECT_EQ(msgs_->texts(), QStringList{linkFailureText(desktop_->opened[0], LinkKind::WebPage)});

    // Each preferred phone selects its own option.
    for (const int preferred : {1, 2, 3}) {
        addRequest(10 + preferred, {{"PreferredPhone", preferred}});
        openRequest(10 + preferred, [&](QDialog *d) {
            for (int n = 1; n <= 3; ++n)
                EXPECT_EQ(child<QRadioButton>(d, QString("Phone%1Option").arg(n).toLatin1().constData())->isChecked(),
                          n == preferred)
                    << preferred << " " << n;
        });
    }

    openRequest(99, [](QDialog *) {});
    ASSERT_FALSE(msgs_->shown().isEmpty());
    EXPECT_EQ(msgs_->shown().last().text, "Unable to find the PortalCustomerJob record. This is a database error!\r\n"
                                          "Make a note of this message and report to Support");
    EXPECT_EQ(msgs_->shown().last().icon, MsgIcon::Critical);
}

// Each box shows its own field of the request and Save stores each box in its
// own column. Every field holds a value no other field holds, so a box filled
// from a neighbour's field (the service city from the correspondence city, say)
// shows, and so does a column saved from a neighbour's box.
TEST_F(PortalRequestDialogTest, EachBoxShowsItsOwnFieldAndSaveStoresEachBoxInItsOwnColumn)
{
    const QDate start = QDate::currentDate().addDays(60);
    const QDate end = start.addDays(100);
    const QVariantMap request = {
        {"Title", "Dr"}, {"FirstName", "Fern"}, {"LastName", "Gale"}, {"CompanyName", "Gale Holdings"},
        {"CAddress1", "1 Post Road"}, {"CAddress2", "Post Unit 2"}, {"CAddress3", "Post Block 3"},
        {"CSuburb", "Post Suburb"}, {"CCity", "Post City"}, {"CPostCode", "1001"},
        {"Phone1", "555 0001"}, {"Phone2", "555 0002"}, {"Phone3", "555 0003"}, {"PreferredPhone", 3},
        {"Email1", "first@example.com"}, {"Email2", "second@example.com"}, {"CustomerComments", "Customer comment"},
        {"SAddress1", "9 Site Lane"}, {"SAddress2", "Site Unit 8"}, {"SAddress3", "Site Block 7"},
        {"SSuburb", "Site Suburb"}, {"SCity", "Site City"}, {"SPostCode", "9009"},
        {"JobTypeCode", "MOW"}, {"Cost", 4550}, {"JobDetailsComments", "Job comment"},
        {"DateEntered", QDate::currentDate().addDays(-3).toString(Qt::ISODate)},
        {"StartDate", start.toString(Qt::ISODate)}, {"EndDateOption", 1}, {"EndDate", end.toString(Qt::ISODate)},
        {"EndOccurrences", 18}, {"AsRequired", 1}, {"Prospective", 0},
        {"DWMYOption", 1}, {"DailyNoOfDays", 11}, {"WeeklyNoOfWeeks", 12}, {"WeeklyMon", 0}, {"WeeklyTue", 1},
        {"WeeklySat", 1}, {"MonthlyDay", 13}, {"MonthlyMonth1", 14}, {"MonthlyMonth2", 15}, {"MonthlyMonth3", 16},
        {"YearlyDay", 17}, {"MonthlyList1Index", 3}, {"MonthlyList2Index", 5}, {"YearlyList1Index", 10},
        {"YearlyList2Index", 1}, {"YearlyList3Index", 2}, {"YearlyList4Index", 8}};
    auto requestWith = [&](const QVariantMap &changes) {
        QVariantMap r = request;
        for (auto it = changes.begin(); it != changes.end(); ++it)
            r[it.key()] = it.value();
        return r;
    };
    auto shown = [](QDialog *d, const char *name) {
        if (auto *combo = qobject_cast<QComboBox *>(child<QWidget>(d, name)))
            return combo->currentText();
        return text(d, name);
    };

    const std::pair<const char *, const char *> boxes[] = {
        {"TitleText", "Title"},         {"FirstNameText", "FirstName"}, {"LastNameText", "LastName"},
        {"CompanyText", "CompanyName"}, {"CAddress1Text", "CAddress1"}, {"CAddress2Text", "CAddress2"},
        {"CAddress3Text", "CAddress3"}, {"CSuburbText", "CSuburb"},     {"CCityText", "CCity"},
        {"CPostCodeText", "CPostCode"}, {"Phone1Text", "Phone1"},       {"Phone2Text", "Phone2"},
        {"Phone3Text", "Phone3"},       {"Email1Text", "Email1"},       {"Email2Text", "Email2"},
        {"SAddress1Text", "SAddress1"}, {"SAddress2Text", "SAddress2"}, {"SAddress3Text", "SAddress3"},
        {"SSuburbText", "SSuburb"},     {"SCityText", "SCity"},         {"SPostCodeText", "SPostCode"}};
    const std::pair<const char *, const char *> comments[] = {{"CustomerCommentText", "CustomerComments"},
                                                              {"JobCommentText", "JobDetailsComments"}};
    addRequest(1, request);
    openRequest(1, [&](QDialog *d) {
        for (const auto &[box, field] : boxes)
            EXPECT_EQ(text(d, box), request.value(field).toString()) << box;
        for (const auto &[box, field] : comments)
            EXPECT_EQ(child<MultiLineText>(d, box)->text(), request.value(field).toString()) << box;
        for (const char *box : {"ContactText", "AccountsRefText", "OccurrencesText"})
            EXPECT_EQ(text(d, box), "") << box;
        for (const char *option : {"Phone1Option", "Phone2Option", "Phone3Option"})
            EXPECT_EQ(child<QRadioButton>(d, option)->isChecked(), option == std::string("Phone3Option")) << option;
        EXPECT_EQ(shown(d, "JobTypeCombo"), "Lawn mowing");
        EXPECT_EQ(child<QComboBox>(d, "AssociateCombo")->currentIndex(), -1);
        EXPECT_EQ(text(d, "CostText"), "$45.50");
        EXPECT_EQ(child<QLabel>(d, "StartDateLabel")->text(), start.toString("dd MMM yyyy"));
        EXPECT_EQ(child<QLabel>(d, "StartDayLabel")->text(), "(" + start.toString("dddd") + ")");
        EXPECT_TRUE(child<QRadioButton>(d, "EndDateOption")->isChecked());
        EXPECT_EQ(child<QLabel>(d, "EndDateLabel")->text(), end.toString("dd MMM yyyy"));
        EXPECT_TRUE(ticked(d, "AsRequiredCheck"));
        EXPECT_FALSE(ticked(d, "ProspectiveCheck"));
        EXPECT_FALSE(ticked(d, "CustomerCommentCheck") || ticked(d, "JobCommentCheck"));
        EXPECT_EQ(text(d, "WeeklyText1"), "12");
        const char *days[] = {"MondayCheck", "TuesdayCheck", "WednesdayCheck", "ThursdayCheck", "FridayCheck",
                              "SaturdayCheck", "SundayCheck"};
        for (const char *day : days)
            EXPECT_EQ(ticked(d, day), day == std::string("TuesdayCheck") || day == std::string("SaturdayCheck")) << day;
    });

    // Each other end and frequency shows its own fields in its boxes and lists.
    const struct {
        QVariantMap choice;
        std::vector<std::pair<const char *, QString>> shown;
    } choices[] = {
        {{{"EndDateOption", 2}}, {{"OccurrencesText", "18"}}},
        {{{"DWMYOption", 0}, {"DailyOption", 0}}, {{"DailyText1", "11"}}},
        {{{"DWMYOption", 2}, {"MonthlyOption", 0}}, {{"MonthlyText1", "13"}, {"MonthlyText2", "14"}}},
        {{{"DWMYOption", 2}, {"MonthlyOption", 1}}, {{"MonthlyText4", "15"}}},
        {{{"DWMYOption", 2}, {"MonthlyOption", 2}},
         {{"MonthlyCombo1", "4th"}, {"MonthlyCombo2", "Saturday"}, {"MonthlyText3", "16"}}},
        {{{"DWMYOption", 3}, {"YearlyOption", 0}}, {{"YearlyCombo1", "November"}, {"YearlyText1", "17"}}},
        {{{"DWMYOption", 3}, {"YearlyOption", 1}},
         {{"YearlyCombo2", "2nd"}, {"YearlyCombo3", "Wednesday"}, {"YearlyCombo4", "September"}}},
    };
    qint64 id = 10;
    for (const auto &c : choices) {
        openRequest(addRequest(++id, requestWith(c.choice)), [&](QDialog *d) {
            for (const auto &[box, value] : c.shown)
                EXPECT_EQ(shown(d, box), value) << box;
        });
    }

    // Saved as shown, with what was typed into the boxes no field fills.
    save(1, [](QDialog *d) {
        child<QLineEdit>(d, "ContactText")->setText("Contact Person");
        child<QLineEdit>(d, "AccountsRefText")->setText("REF77");
    });
    ASSERT_EQ(msgs_->texts(), QStringList({"Customer Job saved"}));
    const std::pair<const char *, QVariant> customer[] = {
        {"Title", request["Title"]},         {"Forename", request["FirstName"]},   {"Surname", request["LastName"]},
        {"CompanyName", request["CompanyName"]}, {"ContactName", "Contact Person"}, {"AccountsRef", "REF77"},
        {"Phone1", request["Phone1"]},       {"Phone2", request["Phone2"]},         {"Phone3", request["Phone3"]},
        {"PreferredPhone", 3},               {"Email1", request["Email1"]},         {"Email2", request["Email2"]},
        {"CAddress1", request["CAddress1"]}, {"CAddress2", request["CAddress2"]},   {"CAddress3", request["CAddress3"]},
        {"CSuburb", request["CSuburb"]},     {"CCity", request["CCity"]},           {"CPostCode", request["CPostCode"]},
        {"CustomerComment", request["CustomerComments"]}, {"CommentOnSchedule", 0},
        {"DateEntered", request["DateEntered"]}};
    for (const auto &[column, value] : customer)
        EXPECT_EQ(scalarSql(QStringLiteral("SELECT %1 FROM Customers").arg(column)).toString(), value.toString()) << column;
    const char *address[] = {"SAddress1", "SAddress2", "SAddress3", "SSuburb", "SCity", "SPostCode"};
    for (const char *column : address)
        EXPECT_EQ(scalarSql(QStringLiteral("SELECT %1 FROM CustomerServiceAddresses").arg(column)).toString(),
                  request.value(column).toString())
            << column;
    EXPECT_EQ(count("Customers"), 1);
    EXPECT_EQ(count("CustomerServiceAddresses"), 1);
}

// A value longer than its box types is shown whole: a count so that the save
// refuses it rather than taking a cut-down number, an amount or a name so
// that it is saved as it came.
TEST_F(PortalRequestDialogTest, ValuesLongerThanTheirBoxesAreShownWhole)
{
    addRequest(1, {{"DWMYOption", 1}, {"WeeklyNoOfWeeks", 1000}, {"EndDateOption", 2}, {"EndOccurrences", 12345}});
    openRequest(1, [&](QDialog *d) {
        EXPECT_EQ(text(d, "WeeklyText1"), "1000");
        EXPECT_EQ(text(d, "OccurrencesText"), "12345");
    });

    const QString surname = QString(49, 'L') + "😀";
    save(addRequest(2, {{"Cost", 123456}, {"LastName", surname}}));
    EXPECT_EQ(lastJob("Cost").toLongLong(), 123456);
    EXPECT_EQ(scalarSql("SELECT Surname FROM Customers").toString(), surname);
}

TEST_F(PortalRequestListTest, RowsShowTheRequestsAsTheyCame)
{
    addRequest(1, {{"FirstName", ""}, {"EndOccurrences", 1}, {"DWMYOption", 3}, {"Prospective", 1}, {"AsRequired", 1}});
    addRequest(2, {{"LastName", "Ng"}, {"FirstName", "Bo"}, {"StartDate", "2031-07-08"}, {"EndDate", "2031-07-08"},
                   {"JobTypeCode", "clean"}, {"AsRequired", 1}});
    addRequest(3, {{"DWMYOption", 4}, {"JobTypeCode", "MOW"}, {"Cost", 950}});
    auto list = openList();
    EXPECT_EQ(column(list.get(), C::Customer), QStringList({"Lee", "Ng, Bo", "Lee, Ann"}));
    EXPECT_EQ(column(list.get(), C::Frequency), QStringList({"Once", "Once", ""}));
    EXPECT_EQ(column(list.get(), C::JobType), QStringList({"Window cleaning", "", "Lawn mowing"}));
    EXPECT_EQ(column(list.get(), C::Cost), QStringList({"$25.00", "$25.00", "$9.50"}));
    EXPECT_TRUE(msgs_->texts().isEmpty());

    sortBy(list.get(), "Cost");
    EXPECT_EQ(column(list.get(), C::Key), QStringList({"3", "1", "2"}));
    sortBy(list.get(), "Start Date", "Descending");
    EXPECT_EQ(column(list.get(), C::Key).value(0), "2");

    // A first name alone, or no name at all.
    addRequest(4, {{"LastName", ""}, {"SSuburb", "Avondale"}, {"DateEntered", "2031-06-10"}});
    addRequest(5, {{"LastName", ""}, {"FirstName", ""}, {"SSuburb", "Remuera"}, {"DateEntered", "2031-05-20"}});
    list = openList();
    EXPECT_EQ(column(list.get(), C::Customer), QStringList({"Lee", "Ng, Bo", "Lee, Ann", "Ann", ""}));
    // By suburb; by the day of entry, not by its shown text ("01 Jun", "10 Jun", "20 May").
    sortBy(list.get(), "Suburb");
    EXPECT_EQ(column(list.get(), C::Key).value(0), "4");
    EXPECT_EQ(column(list.get(), C::Key).value(4), "5");
    sortBy(list.get(), "Date Entered");
    EXPECT_EQ(column(list.get(), C::Key).value(0), "5");
    EXPECT_EQ(column(list.get(), C::Key).value(4), "4");
    // By the day's name: Friday, Monday, Saturday, whatever the dates.
    writeSql("UPDATE PortalCustomerJobs SET StartDate = CASE UniqueId WHEN 1 THEN '2031-07-11' WHEN 2 THEN '2031-07-07' "
             "ELSE '2031-07-12' END");
    list = openList();
    sortBy(list.get(), "Service Day");
    EXPECT_EQ(column(list.get(), C::Day), QStringList({"Friday", "Monday", "Saturday", "Saturday", "Saturday"}));
    EXPECT_EQ(column(list.get(), C::Key).mid(0, 2), QStringList({"1", "2"}));
}

TEST_F(PortalRequestListTest, AnEmptyListSaysSoOnceAndItsCommandsDoNothing)
{
    auto list = openList();
    EXPECT_EQ(msgs_->texts(), QStringList({"No records found"}));
    for (const char *b : {"SortButton", "ViewModifySaveButton", "DeleteButton"})
        click(list.get(), b);
    EXPECT_EQ(msgs_->texts().size(), 1);
    EXPECT_TRUE(modal_->opened().isEmpty());
}

TEST_F(PortalRequestListTest, ARequestWhoseDatesDoNotReadIsListedAndCanBeDeleted)
{
    addRequest(1, {{"StartDate", "31/02/2031"}, {"DateEntered", "junk"}});
    addRequest(2);
    auto list = openList();
    ASSERT_EQ(grid(list.get())->rows(), 3);
    sortBy(list.get(), "Start Date");
    EXPECT_EQ(grid(list.get())->rowTexts(1).mid(C::Day, 5), QStringList({"", "Weekly", "$25.00", "31/02/2031", "junk"}));

    click(list.get(), "DeleteButton");
    EXPECT_EQ(msgs_->last(), "Please select the Customer Job to be deleted");
    msgs_->answer(MsgAnswer::No);
    grid(list.get())->selectRow(1);
    click(list.get(), "DeleteButton");
    EXPECT_EQ(grid(list.get())->rows(), 3);
    grid(list.get())->selectRow(1);
    click(list.get(), "DeleteButton");
    EXPECT_EQ(msgs_->last(), "Are you sure you wish to delete the selected Customer Job?");
    EXPECT_EQ(column(list.get(), C::Key), QStringList({"2"}));
    EXPECT_EQ(scalarSql("SELECT UniqueId FROM PortalCustomerJobs").toInt(), 2);
}

// The list with the portal switched on and the portal's double on 127.0.0.1.
class PortalRequestImportTest : public PortalRequestListTest {
protected:
    void SetUp() override
    {
        PortalRequestListTest::SetUp();
        portaltest::usePortal(dir_->path(), *modal_);
        ASSERT_TRUE(portal_.start());
    }
    void TearDown() override
    {
        portaltest::leavePortal();
        PortalRequestListTest::TearDown();
    }
    PortalDouble portal_;
};

// The request's names come in the portal's Windows-1252 code page and find
// the customer stored under them.
TEST_F(PortalRequestImportTest, AnImportedRequestIsListedAndSavedAsCustomerAddressAndJob)
{
    const qint64 tom = addCustomer("O’Brien", "Tomás", 1, "Herne Bay");
    writeSql("UPDATE Customers SET CAddress1 = '3 High St'");
    auto list = openList();
    msgs_->clear();
    portal_.handOut("GetCustomerJobs.php",
                    portaltest::requestLine(601).replace("|Mary|Jones|", "|Tom\xE1s|O\x92" "Brien|") + "\r\n");
    click(list.get(), "ImportButton");
    ASSERT_EQ(grid(list.get())->rows(), 2);
    EXPECT_EQ(grid(list.get())->rowTexts(1).mid(C::User, 9),
              QStringList({"web9", "O’Brien, Tomás", "3 High St", "Herne Bay", "Lawn mowing", "Monday", "Weekly",
                           "$45.50", "07 Jul 2031"}));

    click(list.get(), "ViewModifySaveButton");
    EXPECT_EQ(msgs_->last(), "Please select the Customer Job to be viewed/modified/saved");
    modal_->once("PortalCustomerJobAddForm", portaltest::savingRequest());
    grid(list.get())->selectRow(1);
    click(list.get(), "ViewModifySaveButton");
    EXPECT_EQ(msgs_->last(), "Customer Job saved");
    EXPECT_EQ(grid(list.get())->rows(), 1);
    EXPECT_EQ(count("PortalCustomerJobs"), 0);
    EXPECT_EQ(count("CustomerJobs"), 1);
    EXPECT_EQ(lastJob("CustomerNumber").toLongLong(), tom);
}

// Requests stored are listed at once, even when the portal then refuses or
// misses letting them go; a run that stores nothing leaves the list as it was.
TEST_F(PortalRequestImportTest, StoredRequestsAreListedAtOnceWhateverTheDeleteAnswers)
{
    addRequest(1);
    auto list = openList();
    // Stored behind the list's back: only a refill shows it.
    addRequest(2);
    const struct { const char *reply; double delay; QString message; } cases[] = {
        {"Locked", 0, "Customer Jobs data deletion failed - Locked" + portaltest::kKept},
        {"SUCCESS", 4, "Customer Jobs data deletion timed out - please try again" + portaltest::kKept},
    };
    int request = 602;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.reply);
        portal_.handOut("GetCustomerJobs.php", portaltest::requestLine(request++) + "\r\n");
        portal_.reply("DeleteCustomerJobsData.php", c.reply);
        portal_.delay("DeleteCustomerJobsData.php", c.delay);
        // A wait of two seconds for the late delete, long enough for the steps before it on a busy machine.
        PortalSync::options() = c.delay > 0 ? PortalSync::Options{100, 20} : PortalSync::Options{20, 250};
        click(list.get(), "ImportButton");
        EXPECT_EQ(msgs_->last(), c.message);
        EXPECT_EQ(grid(list.get())->rows() - 1, count("PortalCustomerJobs"));
        // A delete given up on still answers, and removes the request file:
        // it must be over before the next run's file is made ready.
        EXPECT_TRUE(portal_.waitForCalls());
    }
    EXPECT_EQ(count("PortalCustomerJobs"), 4);

    // A run that succeeds with nothing new leaves the list as it was.
    addRequest(3);
    PortalSync::options() = {20, 250};
    portal_.delay("DeleteCustomerJobsData.php", 0);
    portal_.reply("DeleteCustomerJobsData.php", "SUCCESS");
    portal_.handOut("GetCustomerJobs.php", "");
    click(list.get(), "ImportButton");
    EXPECT_EQ(msgs_->last(), "Process completed successfully");
    EXPECT_EQ(grid(list.get())->rows() - 1, 4);

    // Without a company ID the portal is not asked at all.
    const int calls = portal_.calls().size(), opened = modal_->opened().size();
    writeSql("UPDATE Company SET ID = ''");
    click(list.get(), "ImportButton");
    EXPECT_EQ(msgs_->last(), "The ID has not been set for the Company. This is required to access the portal");
    EXPECT_EQ(portal_.calls().size(), calls);
    EXPECT_EQ(modal_->opened().size(), opened);
}
