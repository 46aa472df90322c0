#include "JobsDbTest.h"
#include "common/CsvExport.h"
#include "jobs/CustomerJobExport.h"
#include "jobs/CustomerJobAddModifyForm.h"
#include "jobs/CustomerJobList.h"
#include "jobs/CustomerJobsManagementForm.h"
#include "jobs/JobTypesManagementForm.h"
#include "platform/FileDialog.h"
#include "platform/FlexGrid.h"
#include "portal/PortalCustomerJobSave.h"

#include <QCheckBox>

using namespace wvs;

namespace {

class JobTextsTest : public test::SmithJobsTest {
protected:
    void expectSelectionMessages(QWidget *list, std::initializer_list<std::pair<const char *, const char *>> messages)
    {
        for (const auto &[button, message] : messages) {
            msgs_->clear();
            click(list, button);
            EXPECT_EQ(msgs_->texts(), QStringList{message});
        }
    }
};

const QColor white(255, 255, 255), lightGrey(224, 224, 224), black(0, 0, 0), green(0, 192, 0);

} // namespace

// Each check's message and focus, from a valid entry with one fault; the portal's request check says the same.
TEST_F(JobTextsTest, JobChecksShowTheirMessagesAndFocus)
{
    using O = FrequencyOption;
    using E = CustomerJobEntry &;
    struct Case { std::function<void(E)> change; QString message, focus; bool portalToo = true; };
    auto freq = [](FrequencyEntry f) { return [f](E e) { e.frequency = f; }; };
    std::vector<Case> cases = {
        {[](E e) { e.customerNumber.reset(); }, "Please select a Customer", "CustomerNameCombo", false},
        {[](E e) { e.suburbChosen = false; }, "Please select the Service Suburb", "SuburbCombo", false},
        {[](E e) { e.sAddressSeqNo.reset(); }, "Please select the Service Address", "AddressCombo", false},
        {[](E e) { e.startDateText.clear(); }, "Please select a start date for the job", ""},
        {[](E e) { e.end = JobEnd::Unchosen; }, "Please select an End option", ""},
        // The window asks for the end option before the cost; a portal request after its choices.
        {[](E e) { e.end = JobEnd::Unchosen, e.costText.clear(); }, "Please select an End option", "", false},
        {[](E e) { e.end = JobEnd::OnDate; }, "Please select an end date for the job", ""},
        {[](E e) { e.end = JobEnd::After, e.occurrencesText.clear(); }, "Please enter the number of occurrences after which to end the job", "OccurrencesText"},
        {[](E e) { e.end = JobEnd::After, e.occurrencesText = "1.5"; }, "The number of occurrences after which to end the job must be numeric", "OccurrencesText"},
        {[](E e) { e.end = JobEnd::After, e.occurrencesText = "x"; }, "The number of occurrences after which to end the job must be numeric", "OccurrencesText"},
        {[](E e) { e.end = JobEnd::After, e.occurrencesText = "-2"; }, "The number of occurrences after which to end the job cannot be a negative value", "OccurrencesText"},
        {[](E e) { e.end = JobEnd::After, e.occurrencesText = "0"; }, "The number of occurrences must be at least 1", "OccurrencesText"},
        {[](E e) { e.costText.clear(); }, "Please enter the Cost", "CostText"},
        {[](E e) { e.costText = "abc"; }, "The Cost must be numeric", "CostText"},
        {[](E e) { e.costText = "-1"; }, "The Cost cannot be a negative value", "CostText"},
        {[](E e) { e.costText = "0"; }, "", ""}, // nothing is not negative
        {[](E e) { e.jobTypeCode.reset(); }, "Please select a Job Type", "JobTypeCombo"},
        {[](E e) { e.associateID.reset(); }, "Please assign the job to an Associate", "AssociateCombo"},
        {freq({.option = O::Daily}), "Please select the desired daily frequency", ""},
        {freq({.option = O::Weekly, .weeklyText1 = "2"}), "Please select a day of the week", ""},
        {freq({.option = O::Monthly}), "Please select the desired monthly frequency", ""},
        {freq({.option = O::Monthly, .subOption = 2}), "Please select the occurrence", "MonthlyCombo1"},
        {freq({.option = O::Monthly, .subOption = 2, .monthlyCombo1 = 0}), "Please select the occurrence", "MonthlyCombo2"},
        {freq({.option = O::Yearly, .subOption = 1}), "Please select a month", "YearlyCombo1"},
        {freq({.option = O::Yearly, .subOption = 1, .yearlyCombo1 = 1, .yearlyText1 = "29"}), "Invalid frequency date", "YearlyText1"},
        {freq({.option = O::Yearly, .subOption = 1, .yearlyCombo1 = 3, .yearlyText1 = "31"}), "Invalid frequency date", "YearlyText1"},
        {freq({.option = O::Yearly}), "Please select the occurrence", "YearlyCombo2"},
        {freq({.option = O::Yearly, .yearlyCombo2 = 0}), "Please select the day", "YearlyCombo3"},
        {freq({.option = O::Yearly, .yearlyCombo2 = 0, .yearlyCombo3 = 0}), "Please select the month", "YearlyCombo4"},
    };
    // Each number box in the order empty, not a number, below 0, 0, one above its limit; the limit itself passes.
    const QStringList months{"Please enter the frequency of months", "The frequency of months must be numeric",
                             "The frequency of months cannot be negative", "The frequency of months cannot be zero",
                             "The frequency of months cannot be greater than 12"};
    using F = FrequencyEntry &;
    const struct { const char *box; int limit; std::function<void(F, const QString &)> set; QStringList messages; } boxes[] = {
        {"DailyText1", 365, [](F f, auto &t) { f = {.option = O::Daily, .subOption = 1, .dailyText1 = t}; },
         {"Please enter the number of days", "The number of days must be numeric", "The number of days cannot be negative",
          "The number of days cannot be zero", "The number of days cannot be greater than 365"}},
        {"WeeklyText1", 52, [](F f, auto &t) { f = {.option = O::Weekly, .weeklyText1 = t, .weekdayMask = 9}; },
         {"Please enter the weekly frequency", "The weekly frequency must be numeric",
          "The weekly frequency cannot be negative", "The weekly frequency cannot be zero",
          "The weekly frequency cannot be greater than 52"}},
        {"MonthlyText1", 31, [](F f, auto &t) { f = {.option = O::Monthly, .subOption = 1, .monthlyText1 = t, .monthlyText2 = "1"}; },
         {"Please enter the day of the month", "The day of the month must be numeric",
          "The day of the month cannot be negative", "The day of the month cannot be zero",
          "The day of the month cannot be be greater than 31"}},
        {"MonthlyText2", 12, [](F f, auto &t) { f = {.option = O::Monthly, .subOption = 1, .monthlyText1 = "5", .monthlyText2 = t}; },
         months},
        {"MonthlyText3", 12, [](F f, auto &t) { f = {.option = O::Monthly, .subOption = 2, .monthlyText3 = t, .monthlyCombo1 = 0, .monthlyCombo2 = 0}; },
         {"The number of months must be numeric", "The number of months must be numeric",
          "The number of months cannot be negative", "The number of months cannot be zero",
          "The number of months cannot be be greater than 12"}},
        {"MonthlyText4", 12, [](F f, auto &t) { f = {.option = O::Monthly, .subOption = 3, .monthlyText4 = t}; }, months},
        {"YearlyText1", 31, [](F f, auto &t) { f = {.option = O::Yearly, .subOption = 1, .yearlyCombo1 = 0, .yearlyText1 = t}; },
         {"Please enter a date", "The day must be numeric", "The day cannot be negative", "The day cannot be zero",
          "Invalid frequency date"}},
    };
    for (const auto &b : boxes) {
        const QStringList values{"", "x", "-1", "0", QString::number(b.limit + 1), QString::number(b.limit)};
        for (int i = 0; i < 6; ++i)
            cases.push_back({[&b, v = values[i]](E e) { b.set(e.frequency, v); }, b.messages.value(i), i < 5 ? b.box : ""});
    }
    // Every month's last day passes and the day after it is refused, February ending on the 28th.
    const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 0; m < 12; ++m)
        for (const int day : {lengths[m], lengths[m] + 1})
            cases.push_back({freq({.option = O::Yearly, .subOption = 1, .yearlyCombo1 = m, .yearlyText1 = QString::number(day)}),
                             day > lengths[m] ? "Invalid frequency date" : "", day > lengths[m] ? "YearlyText1" : ""});
    // One weekday ticked alone is enough, whichever it is.
    for (const int day : {1, 2, 4, 8, 16, 32, 64})
        cases.push_back({freq({.option = O::Weekly, .weeklyText1 = "2", .weekdayMask = day}), "", ""});
    cases.push_back({[](E e) { e.commentOnSchedule = true, e.comment.clear(); },
                     "There is no Comment to include on the Schedule", "", false});

    const CustomerJobEntry valid = validEntry(customer_, address_);
    const auto yes = [](const QString &) { return true; };
    for (const Case &c : cases) {
        CustomerJobEntry e = valid;
        c.change(e);
        const auto out = CustomerJobSave::check(e, yes);
        EXPECT_EQ(out.message, c.message);
        EXPECT_EQ(out.focus, c.focus) << c.message.toStdString();
        if (c.portalToo) {
            const auto converted = PortalCustomerJobSave::checkJob({.job = e}, yes);
            EXPECT_EQ(converted.message, c.message) << "request conversion";
        }
    }
    // The checks run in the order of the table: with every later fault present as well, each shows its own message.
    CustomerJobEntry e = valid;
    for (auto c = cases.rbegin(); c != cases.rend(); ++c) {
        if (c->message.isEmpty())
            continue;
        c->change(e);
        EXPECT_EQ(CustomerJobSave::check(e, yes).message, c->message) << "with the later faults";
    }
}

TEST_F(JobTextsTest, JobListCaptionHeadingsSelectionMessagesWordsAndColours)
{
    addAssociate("OLD", "Old Timer", "pw", 1, false);
    const QColor grey(128, 128, 128), red(255, 0, 0), magenta(255, 0, 255), blue(0, 0, 255), orange(255, 128, 0);
    // Status, associate, suspended, prospective, as required, occurrences, code, end: colour, bold, word.
    // The first colour rule that holds wins.
    const struct { int status; const char *associate; bool suspended, prospective, asRequired; int occurrences, code;
                   const char *end; QColor fore; bool bold; const char *word; } cases[] = {
        {2, "OLD", false, false, false, 1, 399, "", green, true, "Once"},
        {9, "OLD", false, false, false, 0, 3, "", grey, true, "Daily"},
        {9, "ADM", true, false, false, 0, 102009, "", red, true, "Weekly"},
        {1, "ADM", true, true, false, 0, 11501, "", magenta, true, "Monthly"},
        {1, "ADM", false, true, true, 0, 19902, "", blue, true, "Monthly"},
        {1, "ADM", false, false, true, 0, 25503, "", orange, true, "Monthly"},
        {1, "GONE", false, false, false, 0, 31225, "", grey, true, "Yearly"},
        {1, "ADM", false, false, false, 0, 45703, "", black, false, "Yearly"},
        {1, "ADM", false, false, false, 0, 3, "2031-07-07", black, false, "Once"},
        {1, "ADM", false, false, false, 0, 0, "", black, false, ""},
    };
    for (int i = 0; i < 10; ++i) {
        const auto &c = cases[i];
        const qint64 n = addCustomer(QStringLiteral("C%1").arg(i), "x", c.status);
        addJob(n, addAddress(n, "1 Rd", "Albany"), [&](test::JobData &j) {
            j.associate = c.associate, j.suspended = c.suspended, j.prospective = c.prospective,
            j.asRequired = c.asRequired, j.occurrences = c.occurrences, j.frequency = c.code, j.end = c.end;
        });
    }
    CustomerJobsManagementForm list;
    EXPECT_EQ(list.windowTitle(), "Customer Jobs Management");
    EXPECT_EQ(list.grid()->rowTexts(0).mid(1, 10), QStringList({"Asst", "Customer", "Service Address", "Service Location",
                                                                "Job Type", "Day", "Frequency", "Cost", "Start", "End"}));
    // The legend says what each colour means, in that colour.
    QMap<QString, QString> legend;
    for (QLabel *l : list.findChildren<QLabel *>())
        legend[l->text()] = l->palette().color(QPalette::WindowText).name();
    for (const auto &[text, colour] : {std::pair{"Customer is prospective", green}, {"Associate is inactive", grey},
                                       {"Customer is inactive", red}, {"Job is suspended", magenta},
                                       {"Job is prospective", blue}, {"Job is \"As Required\"", orange}})
        EXPECT_EQ(legend.value(text), colour.name()) << text;

    choose(&list, "SortCombo", "Customer");
    list.PopulateGrid();
    FlexGrid *g = list.grid();
    ASSERT_EQ(g->rows(), 11);
    for (int r = 1; r <= 10; ++r) {
        const auto &c = cases[r - 1];
        ASSERT_EQ(g->textMatrix(r, JobListColumn::Customer), QStringLiteral("C%1, x").arg(r - 1));
        EXPECT_EQ(g->textMatrix(r, JobListColumn::Frequency), c.word) << r;
        for (int col = 0; col < JobListColumn::Count; ++col) {
            EXPECT_EQ(g->cellBackColor(r, col), r % 2 ? white : lightGrey) << r << " " << col;
            EXPECT_EQ(g->cellForeColor(r, col), c.fore) << r << " " << col;
            EXPECT_EQ(g->cellBold(r, col), c.bold) << r << " " << col;
        }
    }
    // Where each class ends: one occurrence, or an end on the start, is "Once" and two, or another end, is not;
    // the ranges end where they end, and the single values between them have no word.
    EXPECT_EQ(CustomerJobList::classWord(1, "2031-07-07", "", 0), "Once");
    EXPECT_EQ(CustomerJobList::classWord(2, "2031-07-07", "", 399), "Daily");
    EXPECT_EQ(CustomerJobList::classWord(0, "2031-07-07", "2031-07-08", 399), "Daily");
    const std::pair<int, const char *> words[] = {
        {-1, ""}, {0, ""}, {1, "Daily"}, {999, "Daily"}, {1000, ""}, {10000, ""}, {10001, "Monthly"}, {18999, "Monthly"},
        {19000, ""}, {19001, "Monthly"}, {19999, "Monthly"}, {20000, ""}, {20001, "Monthly"}, {29999, "Monthly"},
        {30000, ""}, {30001, "Yearly"}, {39999, "Yearly"}, {40000, ""}, {40001, "Yearly"}, {49999, "Yearly"},
        {50000, ""}, {100000, ""}, {100001, "Weekly"}, {199999, "Weekly"}, {200000, ""}};
    for (const auto &[code, word] : words)
        EXPECT_EQ(CustomerJobList::classWord(0, "2031-07-07", "", code), word) << code;

    // The Customer column: surname and forename, whichever of the two there is, or nothing.
    for (const auto &[surname, forename, shown] : {std::tuple{"Ngata", "Rua", "Ngata, Rua"}, {"Ngata", "", "Ngata"},
                                                   {"", "Rua", "Rua"}, {"", "", ""}}) {
        const qint64 n = addCustomer(surname, forename);
        addJob(n, addAddress(n, "1 Rd", "Albany"));
        CustomerJobFilters f;
        f.customerNumber = n;
        const auto rows = CustomerJobList::rows(f, CustomerJobRecords::jobTypes());
        ASSERT_EQ(rows.size(), 1);
        EXPECT_EQ(rows[0].value(JobListColumn::Customer), shown) << surname << "/" << forename;
    }

    expectSelectionMessages(&list, {{"ModifyButton", "Please select the Job to be modified"},
                                    {"ViewButton", "Please select the Job to be viewed"},
                                    {"DeleteButton", "Please select the Job to be deleted"},
                                    {"EmailButton", "Please select the Job to be emailed"}});
}

TEST_F(JobTextsTest, JobListIsColouredOnlyBelowFiveThousandGridRows)
{
    const qint64 prospect = addCustomer("Prospect", "P", 2);
    addJob(prospect, addAddress(prospect, "2 Rd", "Albany"), [](test::JobData &j) { j.associate = "A"; });
    writeSql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4997) "
             "INSERT INTO CustomerJobs (CustomerNumber, SAddressSeqNo, JobTypeCode, AssociateID, StartDate, StartDay, "
             "Frequency) SELECT ?, ?, 'CLEAN', 'ADM', '2031-07-07', 'Monday', 399 FROM n",
             {customer_, address_});
    CustomerJobsManagementForm list;
    for (const auto &[rows, coloured] : {std::pair{4999, true}, {5000, false}}) {
        if (!coloured)
            addJob(customer_, address_);
        list.PopulateGrid();
        ASSERT_EQ(list.grid()->rows(), rows);
        EXPECT_EQ(list.grid()->cellForeColor(1, 1) == green, coloured) << rows;
        EXPECT_EQ(list.grid()->cellBackColor(2, 1) == lightGrey, coloured) << rows;
    }
}

TEST_F(JobTextsTest, JobExportHeadsTheNineteenColumnsInOrderAndWritesWhatIsStored)
{
    // Quotes, commas, a line break and accents are read back whole by another program.
    writeSql("UPDATE JobTypes SET JobTypeDescription = ?, AccountsRef = 'JT-1'", {"Window \"Deluxe\" clean, inside"});
    writeSql("UPDATE Customers SET Surname = ?, Forename = ?, AccountsRef = 'C-9'", {"Müller", "Zoë"});
    writeSql("UPDATE CustomerServiceAddresses SET SAddress2 = 'Flat 2', SSuburb = ?", {"Ōrākei"});
    addJob(customer_, address_, [](test::JobData &j) {
        j.frequency = 102017, j.costCents = 4550, j.end = "2032-01-31", j.lastService = "2031-06-30";
    });
    writeSql("UPDATE CustomerJobs SET CustomerJobComment = ?", {"Gate code \"1234\",\nring first"});
    // The export window's boxes, in the file's column order.
    const std::initializer_list<test::Shown> columns = {
        {"ForenameCheck", "Customer Forename"}, {"SurnameCheck", "Customer Surname"}, {"Address1Check", "Service Address Line 1"},
        {"Address2Check", "Service Address Line 2"}, {"Address3Check", "Service Address Line 3"},
        {"SuburbCheck", "Service Location"}, {"CityCheck", "Service City"}, {"PostCodeCheck", "Service Post Code"},
        {"JobTypeCheck", "Job Description"}, {"StartDateCheck", "Start Date"}, {"StartDayCheck", "Start Day"},
        {"EndDateCheck", "End Date"}, {"FrequencyCheck", "Frequency"}, {"CostCheck", "Cost"},
        {"LastServiceCheck", "Last Service Date"}, {"AssociateCheck", "Associate Name"}, {"CommentCheck", "Job Comments"},
        {"AccountsCustomerCheck", "Accounts Reference - Customer"}, {"AccountsJobCheck", "Accounts Reference - Job"}};
    QStringList captions;
    for (const auto &c : columns)
        captions << c.text;

    CustomerJobsManagementForm list;
    list.PopulateGrid();
    FileDialogScript dialogs;
    const QString path = dir_->filePath(QStringLiteral("jobs.csv"));
    dialogs.answer(path);
    modal_->once("CustomerJobExportForm", [&](QDialog *d) {
        test::expectShown(d, columns);
        click(d, "SelectAllButton");
        click(d, "OKButton");
    });
    msgs_->answer(MsgAnswer::No);
    click(&list, "ExportButton");
    // The list's Frequency word, not the stored code; the cost as a plain number; the dates in the short form.
    EXPECT_EQ(csv(path), (QList<QStringList>{captions, {"Zoë", "Müller", "1 Main Road", "Flat 2", "", "Ōrākei", "Auckland", "",
                                                        "Window \"Deluxe\" clean, inside", "07/07/2031", "Monday", "31/01/2032",
                                                        "Weekly", "45.5", "30/06/2031", "Administrator",
                                                        "Gate code \"1234\",\nring first", "C-9", "JT-1"}}));

    // One column ticked alone is a file of that column; nothing ticked, like Exit, asks for no file.
    dialogs.answer(path);
    modal_->once("CustomerJobExportForm", [&](QDialog *d) {
        click(d, "UnselectAllButton");
        tick(d, "AccountsJobCheck", true);
        click(d, "OKButton");
    });
    msgs_->answer(MsgAnswer::No);
    click(&list, "ExportButton");
    EXPECT_EQ(csv(path), (QList<QStringList>{{"Accounts Reference - Job"}, {"JT-1"}}));
    const qsizetype asked = dialogs.asked().size();
    msgs_->clear();
    modal_->once("CustomerJobExportForm", [&](QDialog *d) {
        click(d, "UnselectAllButton");
        click(d, "OKButton");
    });
    click(&list, "ExportButton");
    modal_->once("CustomerJobExportForm", [&](QDialog *d) {
        click(d, "SelectAllButton");
        click(d, "ExitButton");
    });
    click(&list, "ExportButton");
    EXPECT_EQ(dialogs.asked().size(), asked);
    EXPECT_TRUE(msgs_->texts().isEmpty());
    for (const auto &[field, value] : CsvExport::readChoice("CustomerJobsExportFields"))
        EXPECT_EQ(value, 0) << field.toStdString();
}

TEST_F(JobTextsTest, ChosenExportColumnsKeepTableOrderAndJobsWithMissingRowsWriteNoLine)
{
    auto job = [&](int frequency, qint64 cents, const char *associate) {
        return addJob(customer_, address_, [&](test::JobData &j) { j.frequency = frequency, j.costCents = cents, j.associate = associate; });
    };
    const qint64 once = job(30315, 12000, "ADM"), noAssociate = job(2, 100, "XX"), odd = job(0, -305, "ADM"),
                 notDates = job(2, 700, "ADM");
    // A stored text that is no date is written as it stands, whatever its length.
    writeSql("UPDATE CustomerJobs SET EndDate = ?, LastServiceDate = ? WHERE JobSeqNo = ?",
             {"about Easter 2032, by phone", "2031-02-30", notDates});
    QList<QPair<QString, int>> choice;
    for (const QString &f : CsvExport::fieldsOf("CustomerJobsExportFields"))
        choice.append({f, QStringList({"LastServiceDate", "Cost", "Surname", "Frequency", "EndDate"}).contains(f) ? 1 : 0});
    CsvExport::saveChoice("CustomerJobsExportFields", choice);
    const QString path = dir_->filePath(QStringLiteral("some.csv"));
    ASSERT_TRUE(CustomerJobExport::writeFile(
        path, {{odd, ""}, {noAssociate, "Daily"}, {999, "Daily"}, {once, "Once"}, {notDates, "Daily"}}));
    // A job with no end date and never serviced has both dates blank.
    EXPECT_EQ(csv(path), (QList<QStringList>{{"Customer Surname", "End Date", "Frequency", "Cost", "Last Service Date"},
                                             {"Smith", "", "", "-3.05", ""},
                                             {"Smith", "", "Once", "120", ""},
                                             {"Smith", "about Easter 2032, by phone", "Daily", "7", "2031-02-30"}}));
}

TEST_F(JobTextsTest, JobDialogListsAndEntryLimits)
{
    CustomerJobAddModifyForm d;
    EXPECT_EQ(test::entries(&d, "MonthlyCombo1"), QStringList({"1st", "2nd", "3rd", "4th", "Last"}));
    EXPECT_EQ(test::entries(&d, "MonthlyCombo2"),
              QStringList({"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"}));
    EXPECT_EQ(test::entries(&d, "YearlyCombo1"), QStringList({"January", "February", "March", "April", "May", "June", "July",
                                                      "August", "September", "October", "November", "December"}));
    expectLimit(&d, "CostText", 8);
    for (const char *box : {"OccurrencesText", "DailyText1", "WeeklyText1", "MonthlyText1", "MonthlyText2",
                            "MonthlyText3", "MonthlyText4", "YearlyText1"})
        expectLimit(&d, box, 3);
}

TEST_F(JobTextsTest, JobTypeWindowsCaptionsHeadingsMessagesAndLimits)
{
    addJobType("LAWN", "Lawn mowing");
    JobTypesManagementForm list;
    EXPECT_EQ(list.windowTitle(), "Job Types");
    EXPECT_EQ(list.grid()->rowTexts(0).mid(1, 3), QStringList({"Code", "Description", "Accounts Ref"}));
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(list.grid()->cellBackColor(1, c).name() + list.grid()->cellBackColor(2, c).name(), "#ffffff#e0e0e0");
    expectSelectionMessages(&list, {{"ModifyButton", "Please select the Job Type to be modified"},
                                    {"DeleteButton", "Please select the Job Type to be deleted"}});

    writeSql("UPDATE Preferences SET MYOB = 1");
    QStringList captions;
    modal_->on("JobTypeAddModifyForm", [&](QDialog *d) {
        captions << d->windowTitle();
        if (captions.size() > 1)
            return;
        for (const auto &[box, limit] : {std::pair{"CodeText", 20}, {"DescriptionText", 30}, {"AccountsText", 30}}) {
            expectLimit(d, box, limit);
            child<QLineEdit>(d, box)->clear();
        }
        msgs_->clear();
        click(d, "OKButton");
        type(d, "CodeText", "HEDGE");
        type(d, "DescriptionText", "Hedges");
        msgs_->answer(MsgAnswer::Yes);
        msgs_->answer(MsgAnswer::No);
        click(d, "OKButton");
        EXPECT_EQ(msgs_->texts(),
                  QStringList({"Please enter a Code",
                               "No Account Reference has been entered - this will prevent customer jobs for this Job "
                               "Type from being exported to your chosen accounts package. The Reference can, however, "
                               "be entered later at any time. Do you wish to continue?",
                               "Job Type added. Do you wish to add another?"}));
    });
    click(&list, "AddButton");
    list.grid()->selectRow(1);
    click(&list, "ModifyButton");
    EXPECT_EQ(captions, QStringList({"Add Job Type", "Job Type Modify"}));

    // Delete asks first and takes the row out of the list.
    for (int r = 1; r < list.grid()->rows(); ++r)
        if (list.grid()->textMatrix(r, 1) == "LAWN")
            list.grid()->selectRow(r);
    msgs_->clear();
    click(&list, "DeleteButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Are you sure you want to PERMANENTLY delete Job Type Lawn mowing?", "Job Type deleted"}));
    EXPECT_EQ(list.grid()->rows(), 3);
}
