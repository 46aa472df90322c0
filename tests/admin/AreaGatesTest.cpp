#include "accounts/AccountsCustomerImportForm.h"
#include "admin/AccessRights.h"
#include "customers/CustomersManagementForm.h"
#include "customers/ServiceHistoryForm.h"
#include "jobs/CustomerJobsManagementForm.h"
#include "platform/FlexGrid.h"
#include "portal/PortalCustomerJobsManagementForm.h"
#include "scheduling/ScheduleForm.h"
#include "scheduling/ScheduleTestData.h"
#include "support/LocalServers.h"
#include "support/Pointer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <cctype>

using namespace wvs;
using wvs::test::pointAtRow;
using wvs::test::pressButton;

namespace {

// The commands of one area's windows that open another area's window or
// change its records, each at the other area's value that refuses it and at
// the one that lets it through, driven with the mouse as a user does.
class AreaGatesTest : public schedtest::ScheduleDbTest {
public:
    void SetUp() override
    {
        ScheduleDbTest::SetUp();
        customer_ = addCustomer();
        const qint64 address = addAddress(customer_);
        // A weekly Monday job on the open schedule's two weeks, at $45.00.
        job_ = addJob({.customer = customer_, .address = address, .start = "2025-03-03"});
        openSchedule_ = addSchedule("2025-03-03", "2025-03-16");
        // A job done before today on a closed schedule, with a note to act on.
        const qint64 done = addJob({.customer = customer_, .address = address, .start = "2025-04-07"});
        const qint64 closed = addSchedule("2025-04-07", "2025-04-13", "Closed");
        storeJob(closed, done, "2025-04-07", 0, "2025-04-07");
        addNote(closed, done, "2025-04-07", "2025-04-07 16:30:00", "Action", "Gate left open");
        // A request from the portal for a new customer.
        writeSql("INSERT INTO PortalCustomerJobs (UniqueId, UserID, FirstName, LastName, CAddress1, CSuburb, Phone1, "
                 "PreferredPhone, DateEntered, JobTypeCode, StartDate, EndDateOption, DWMYOption, WeeklyNoOfWeeks, "
                 "WeeklyMon, Cost, SAddress1, SSuburb) VALUES (7, 'web1', 'Ann', 'Lee', '1 Main St', 'Ponsonby', "
                 "'555 1234', 1, '2031-06-01', 'WIN', '2031-07-07', 0, 1, 1, 1, 2500, '1 Main St', 'Ponsonby')");
        ASSERT_TRUE(test::writeFileBytes(importFile(), "*ContactName,FirstName,LastName\r\nNEW01,Anna,New\r\n"));
    }

    QString importFile() const { return dir_->filePath("contacts.csv"); }

    // Every record a command here could change.
    static QString records()
    {
        QStringList all;
        for (const char *table : {"Customers", "CustomerServiceAddresses", "CustomerJobs", "ScheduleJobNotes",
                                  "PortalCustomerJobs"})
            all << rowsOf(QStringLiteral("SELECT * FROM %1").arg(QString::fromLatin1(table)));
        return all.join('#');
    }

    // The level holds these values and nothing else, and is the one logged on.
    void logOnWith(const RightsValues &v)
    {
        auto of = [&](RightsArea a) { return v.value(a); };
        setAccess(9, of(RightsArea::Customers), of(RightsArea::CustomerJobs), of(RightsArea::JobTypes),
                  of(RightsArea::Associates), of(RightsArea::Company), of(RightsArea::Preferences),
                  of(RightsArea::JobSchedules), of(RightsArea::Accounts), of(RightsArea::Security));
        loginAs("ADM", 9);
    }

    // The windows the commands are given in, opened as their openers open them.
    void inServiceHistory(bool doubleClick)
    {
        auto history = shown<ServiceHistoryForm>(QString::number(customer_));
        if (doubleClick)
            pointAtRow(history.get(), history->grid(), 1, true);
        else {
            pointAtRow(history.get(), history->grid(), 1);
            pressButton(history.get(), "NotesButton");
        }
    }
    void inScheduleWindow(const char *button, bool doubleClick = false)
    {
        auto schedule = shown<ScheduleForm>(QStringLiteral("Modify~%1").arg(openSchedule_));
        ASSERT_GE(schedule->grid()->rows(), 2);
        pointAtRow(schedule.get(), schedule->grid(), 1, doubleClick);
        if (!doubleClick)
            pressButton(schedule.get(), button);
        schedule->ExitButton_Click();
    }
    void inCustomerList(const char *button)
    {
        auto list = shown<CustomersManagementForm>();
        pressButton(list.get(), "GoButton");
        pointAtRow(list.get(), list->grid(), 1);
        pressButton(list.get(), button);
    }
    void inCustomerJobList(bool offeredWhenNoneFound)
    {
        auto list = shown<CustomerJobsManagementForm>();
        if (offeredWhenNoneFound) {
            type(list.get(), "SurnameText", "Nobody");
            pressButton(list.get(), "GoButton");
        } else
            pressButton(list.get(), "AddButton");
    }
    void inPortalRequestList()
    {
        auto list = shown<PortalCustomerJobsManagementForm>();
        pointAtRow(list.get(), child<FlexGrid>(list.get(), "JobsGrid"), 1);
        pressButton(list.get(), "ViewModifySaveButton");
    }
    void inCustomerImport()
    {
        auto import = shown<AccountsCustomerImportForm>("Xero");
        type(import.get(), "FileNameText", importFile());
        pressButton(import.get(), "OKButton");
    }

    // What the opened window does when the command reaches it: the user's part in it.
    void actInOpenedWindows()
    {
        modal_->on("ScheduleNotesForm", [this](QDialog *notes) {
            if (act_ == Act::TickActionTaken)
                pressButton(notes, "ActionCheck");
            else if (act_ == Act::Comment)
                pressButton(notes, "CommentButton");
        });
        modal_->on("CommentForm", [](QDialog *comment) {
            child<QPlainTextEdit>(comment, "CommentText")->setPlainText("Shut it");
            pressButton(comment, "OKButton");
        });
        modal_->on("CustomerJobAddModifyForm", [this](QDialog *job) {
            customersOffered_ = child<QComboBox>(job, "CustomerNameCombo")->count();
            if (job->windowTitle() != QLatin1String("Modify Customer Job"))
                return;
            type(job, "CostText", QString::number(50 + ++saves_));
            pressButton(job, "OKButton");
        });
        modal_->on("PortalCustomerJobAddForm", [](QDialog *request) {
            child<QComboBox>(request, "AssociateCombo")->setCurrentIndex(0);
            pressButton(request, "OKButton");
        });
    }

    // The commands of the rights table, as the user gives them; way 1 is the double click.
    void jobNotes(int way) { inServiceHistory(way == 1); }
    void actionTaken(int)
    {
        act_ = Act::TickActionTaken;
        inServiceHistory(false);
    }
    void comment(int)
    {
        act_ = Act::Comment;
        inServiceHistory(false);
    }
    void scheduleView(int) { inScheduleWindow("ViewButton"); }
    void scheduleModify(int way) { inScheduleWindow("ModifyButton", way == 1); }
    void scheduleAdd(int) { inScheduleWindow("AddButton"); }
    void scheduleDelete(int) { inScheduleWindow("DeleteButton"); }
    void customerJobs(int) { inCustomerList("JobsButton"); }
    void customerDelete(int) { inCustomerList("DeleteButton"); }
    void jobListAdd(int way) { inCustomerJobList(way == 1); }
    void requestSave(int) { inPortalRequestList(); }
    void customerImport(int) { inCustomerImport(); }

    enum class Act { None, TickActionTaken, Comment };
    Act act_ = Act::None;
    int saves_ = 0;
    int customersOffered_ = 0;
    qint64 customer_ = 0, job_ = 0, openSchedule_ = 0;
};

// One row of the rights table: the command, the values its own window asks
// for, and the other area's value it needs on top.
struct GateRow {
    const char *command;
    RightsValues own;
    RightsArea other;
    QList<int> refused;   // values of the other area that must change nothing
    int needed;
    const char *opens;    // the window it opens once allowed (nullptr: none of its own)
    bool writes;          // whether it changes records once allowed
    void (AreaGatesTest::*give)(int way);
    int ways = 1;         // 2: the button and a double click on the row
};

void PrintTo(const GateRow &r, std::ostream *os) { *os << r.command; }

class AreaGates : public AreaGatesTest, public ::testing::WithParamInterface<GateRow> {};

using A = RightsArea;

const GateRow kRows[] = {
    {"service history: Job Notes", {{A::Customers, 1}}, A::JobSchedules, {0}, 1, "ScheduleNotesForm", false,
     &AreaGatesTest::jobNotes, 2},
    {"schedule notes: Action taken", {{A::Customers, 1}}, A::JobSchedules, {1, 2}, 3, nullptr, true,
     &AreaGatesTest::actionTaken},
    {"schedule notes: Add Comment", {{A::Customers, 1}}, A::JobSchedules, {1, 2}, 3, "CommentForm", true,
     &AreaGatesTest::comment},
    {"schedule: View", {{A::JobSchedules, 7}}, A::CustomerJobs, {0}, 1, "CustomerJobAddModifyForm", false,
     &AreaGatesTest::scheduleView},
    {"schedule: Modify", {{A::JobSchedules, 7}}, A::CustomerJobs, {0, 5, 6}, 7, "CustomerJobAddModifyForm", true,
     &AreaGatesTest::scheduleModify, 2},
    {"schedule: Add", {{A::JobSchedules, 7}, {A::Customers, 1}}, A::CustomerJobs, {0, 5, 6}, 7,
     "CustomerJobAddModifyForm", false, &AreaGatesTest::scheduleAdd},
    {"schedule: Add, the customer pick", {{A::JobSchedules, 7}, {A::CustomerJobs, 7}}, A::Customers, {0}, 1,
     "CustomerJobAddModifyForm", false, &AreaGatesTest::scheduleAdd},
    {"schedule: Delete", {{A::JobSchedules, 7}}, A::CustomerJobs, {0, 5, 6}, 7, nullptr, true,
     &AreaGatesTest::scheduleDelete},
    {"customer list: Jobs", {{A::Customers, 7}}, A::CustomerJobs, {0}, 1, "CustomerJobsManagementForm", false,
     &AreaGatesTest::customerJobs},
    {"customer list: Delete", {{A::Customers, 7}}, A::CustomerJobs, {0, 5, 6}, 7, nullptr, true,
     &AreaGatesTest::customerDelete},
    {"customer-job list: Add, the customer pick", {{A::CustomerJobs, 7}}, A::Customers, {0}, 1,
     "CustomerJobAddModifyForm", false, &AreaGatesTest::jobListAdd, 2},
    {"portal request: Save, the customer", {{A::CustomerJobs, 7}}, A::Customers, {0, 5, 6}, 7, nullptr, true,
     &AreaGatesTest::requestSave},
    {"portal request: Save, the job", {{A::Customers, 7}}, A::CustomerJobs, {1, 5, 6}, 7, nullptr, true,
     &AreaGatesTest::requestSave},
    {"accounts: Import Customer Data", {{A::Accounts, 5}}, A::Customers, {0, 5, 6}, 7, nullptr, true,
     &AreaGatesTest::customerImport},
};

TEST_P(AreaGates, RefusedBelowTheOtherAreasValueAndGivenAtIt)
{
    const GateRow &row = GetParam();
    actInOpenedWindows();
    QList<int> values = row.refused;
    values << row.needed;
    for (const int value : values) {
        RightsValues v = row.own;
        v.insert(row.other, value);
        logOnWith(v);
        const bool allowed = value >= row.needed;
        for (int way = 0; way < row.ways; ++way) {
            const QString before = records();
            const qsizetype shown = modal_->opened().size();
            customersOffered_ = 0;
            (this->*row.give)(way);
            QStringList opened;
            for (qsizetype i = shown; i < modal_->opened().size(); ++i)
                opened << modal_->opened().at(i).name;
            const QString how = QStringLiteral("%1 at %2, way %3").arg(QString::fromLatin1(row.command)).arg(value).arg(way);
            if (row.opens)
                EXPECT_EQ(opened.contains(QString::fromLatin1(row.opens)), allowed) << how.toStdString() << opened.join(',').toStdString();
            EXPECT_EQ(records() != before, allowed && row.writes) << how.toStdString() << msgs_->texts().join('|').toStdString();
            if (allowed && row.opens && QLatin1String(row.opens) == QLatin1String("CustomerJobAddModifyForm"))
                EXPECT_GT(customersOffered_, 0) << how.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommandIntoAnotherArea, AreaGates, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<GateRow> &info) {
                             std::string name;
                             for (const char *c = info.param.command; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c)))
                                     name += *c;
                                 else if (!name.empty() && name.back() != '_')
                                     name += '_';
                             return name;
                         });

// The two ways round the areas' own windows as they were walked: a customers-only
// level reading and ticking the schedules' notes, and a schedules-only level
// changing and deleting customer jobs from the schedule window.
TEST_F(AreaGatesTest, AViewOnlyLevelNeitherOpensNorChangesAnotherAreasRecords)
{
    actInOpenedWindows();
    const QString before = records();
    logOnWith({{A::Customers, 1}});
    inServiceHistory(false);
    inServiceHistory(true);
    EXPECT_TRUE(modal_->opened().isEmpty());
    EXPECT_TRUE(msgs_->texts().isEmpty());

    logOnWith({{A::Customers, 1}, {A::JobSchedules, 1}});
    act_ = Act::TickActionTaken;
    inServiceHistory(false);
    act_ = Act::Comment;
    inServiceHistory(false);
    EXPECT_EQ(modal_->openedNames(), QStringList({"ScheduleNotesForm", "ScheduleNotesForm"}));

    logOnWith({{A::JobSchedules, 7}});
    for (const char *b : {"ViewButton", "ModifyButton", "AddButton", "DeleteButton"})
        inScheduleWindow(b);
    inScheduleWindow("ModifyButton", true);
    EXPECT_EQ(modal_->opened().size(), 2);
    EXPECT_EQ(records(), before);

    // With both rights the schedule window changes a job as before.
    logOnWith({{A::JobSchedules, 7}, {A::CustomerJobs, 7}});
    inScheduleWindow("ModifyButton");
    EXPECT_EQ(scalarSql("SELECT Cost FROM CustomerJobs WHERE JobSeqNo = ?", {job_}).toInt(), 5100);
    EXPECT_EQ(msgs_->last(), "Customer Job saved");
}

} // namespace
