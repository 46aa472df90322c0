#include "JobsDbTest.h"
#include "common/CalendarForm.h"
#include "common/Formats.h"
#include "jobs/CustomerJobAddModifyForm.h"
#include "jobs/CustomerJobList.h"
#include "jobs/CustomerJobsManagementForm.h"
#include "platform/FlexGrid.h"
#include "shell/ExitSystemModule.h"
#include "platform/FormRegistry.h"
#include "common/Money.h"
#include "core/Session.h"
#include "platform/ErrorHandlingModule.h"

#include <QToolButton>

using namespace wvs;

namespace {

class CustomerJobListTest : public test::JobsDbTest {
protected:
    void SetUp() override
    {
        JobsDbTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1, true);
        addJobType("CLEAN", "Window cleaning");
        addJobType("LAWN", "Lawn mowing");
        smith_ = addCustomer("Smith", "Ann", 1, "Albany");
        smithHome_ = addAddress(smith_, "1 Main Road", "Albany");
        johnson_ = addCustomer("Johnson", "Bo", 1, "Devonport");
        johnsonHome_ = addAddress(johnson_, "5 Beach Road", "Takapuna");
    }
    void TearDown() override
    {
        list_.reset();
        JobsDbTest::TearDown();
    }

    // The keys listed under the filters the change sets, in order.
    QStringList keys(const std::function<void(CustomerJobFilters &)> &change)
    {
        CustomerJobFilters f;
        change(f);
        QStringList out;
        for (const QStringList &row : CustomerJobList::rows(f, CustomerJobRecords::jobTypes()))
            out << row.value(JobListColumn::Key);
        out.sort();
        return out;
    }
    static QString key(qint64 k) { return QString::number(k); }

    CustomerJobsManagementForm *openList(const QString &tag = {})
    {
        list_ = std::make_unique<CustomerJobsManagementForm>();
        list_->Tag = tag;
        list_->show();
        settle();
        return list_.get();
    }
    QStringList listedKeys()
    {
        QStringList out;
        for (int r = 1; r < list_->grid()->rows(); ++r)
            out << list_->grid()->textMatrix(r, JobListColumn::Key);
        return out;
    }

    qint64 smith_ = 0, smithHome_ = 0, johnson_ = 0, johnsonHome_ = 0;
    std::unique_ptr<CustomerJobsManagementForm> list_;
};

TEST_F(CustomerJobListTest, FiltersNarrowTheListingAndACustomerLimitOverridesThem)
{
    const qint64 a = addJob(smith_, smithHome_);
    const qint64 b = addJob(smith_, smithHome_, [](auto &j) {
        j.jobType = "LAWN";
        j.associate = "BOB";
        j.prospective = true;
    });
    const qint64 c = addJob(johnson_, johnsonHome_, [](auto &j) {
        j.suspended = true;
        j.asRequired = true;
    });

    using F = CustomerJobFilters &;
    const auto ab = QStringList({key(a), key(b)}), ac = QStringList({key(a), key(c)});
    EXPECT_EQ(keys([](F) {}), QStringList({key(a), key(b), key(c)}));
    EXPECT_EQ(keys([](F f) { f.surname = "mit"; }), ab); // anywhere in the surname
    EXPECT_TRUE(keys([](F f) { f.surname = "%"; }).isEmpty()); // typed text matches literally
    EXPECT_TRUE(keys([](F f) { f.suburb = "Devonport"; }).isEmpty()); // a correspondence suburb only
    EXPECT_EQ(keys([](F f) { f.suburb = "Takapuna"; }), QStringList({key(c)}));
    EXPECT_EQ(keys([](F f) { f.jobTypeCode = "LAWN"; }), QStringList({key(b)}));
    EXPECT_EQ(keys([](F f) { f.associateID = "ADM"; }), ac);
    EXPECT_EQ(keys([](F f) { f.prospective = false; }), ac);
    EXPECT_EQ(keys([](F f) { f.prospective = false, f.suspended = true; }), QStringList({key(c)}));
    EXPECT_EQ(keys([](F f) { f.asRequired = false; }), ab);
    EXPECT_EQ(keys([&](F f) { f.surname = "zzz", f.jobTypeCode = "LAWN", f.customerNumber = johnson_; }),
              QStringList({key(c)}));
}

TEST_F(CustomerJobListTest, RowCellsCarryTheShownAndHiddenValues)
{
    addJob(smith_, smithHome_, [](auto &j) {
        j.jobType = "GONE"; // a code missing from the job type list
        j.associate = "NOBODY"; // an associate without a row counts as inactive
        j.end = "2031-12-31";
        j.frequency = 102009;
    });
    const QStringList r = CustomerJobList::rows({}, CustomerJobRecords::jobTypes()).value(0);
    ASSERT_EQ(r.size(), JobListColumn::Count);
    EXPECT_EQ(r[JobListColumn::JobType], "");
    EXPECT_EQ(r[JobListColumn::Frequency], "Weekly");
    EXPECT_EQ(r[JobListColumn::End], "31 Dec 2031");
    EXPECT_EQ(r[JobListColumn::StartSerial], QString::number(Formats::dateSerial(QDate(2031, 7, 7))));
    EXPECT_EQ(r[JobListColumn::AssociateActive], "False");
}

TEST_F(CustomerJobListTest, ActiveDateTestKeepsJobsUnderWayOnTheDate)
{
    const QDate at(2031, 7, 10);
    auto active = [&](int status, bool suspended, const char *start, const char *end, int code, const char *last) {
        return CustomerJobList::activeAt(at, status, suspended, start, end, code, last);
    };
    EXPECT_TRUE(active(1, false, "2031-07-01", "", 399, ""));
    EXPECT_TRUE(active(2, false, "2031-07-01", "", 152127, ""));
    EXPECT_TRUE(active(1, false, "1990-01-01", "", 1, ""));
    EXPECT_FALSE(active(1, true, "2031-07-01", "", 399, ""));
    EXPECT_FALSE(active(9, false, "2031-07-01", "", 399, ""));
    EXPECT_FALSE(active(1, false, "2031-07-01", "", 0, ""));
    // A job that ended before the date is no longer under way; one ending on it is.
    EXPECT_FALSE(active(1, false, "2031-07-01", "2031-07-09", 399, ""));
    EXPECT_TRUE(active(1, false, "2031-07-01", "2031-07-10", 399, ""));
    // Starting on or after the date: only when serviced ahead of the start, by the date.
    EXPECT_FALSE(active(1, false, "2031-07-10", "", 399, ""));
    EXPECT_TRUE(active(1, false, "2031-07-12", "", 399, "2031-07-09"));
    EXPECT_FALSE(active(1, false, "2031-07-12", "", 399, "2031-07-11"));
    EXPECT_FALSE(active(1, false, "2031-07-12", "", 399, "2031-07-12"));
}

TEST_F(CustomerJobListTest, OpenedForOneCustomerItListsItsJobsAtOnceUntilCleared)
{
    const qint64 a = addJob(smith_, smithHome_);
    const qint64 c = addJob(johnson_, johnsonHome_);
    EXPECT_TRUE(FormRegistry::contains("CustomerJobsManagementForm"));
    openList(QStringLiteral("CustomersManagement~%1").arg(johnson_));
    EXPECT_EQ(child<QLineEdit>(list_.get(), "SurnameText")->text(), "Johnson");
    EXPECT_EQ(listedKeys(), QStringList({key(c)}));
    EXPECT_EQ(list_->grid()->selectedRow(), 0);

    // Other filters do not widen or narrow the customer's list.
    child<QLineEdit>(list_.get(), "SurnameText")->setText("Smith");
    EXPECT_EQ(list_->grid()->rows(), 1); // a changed filter empties the list
    click(list_.get(), "GoButton");
    EXPECT_EQ(listedKeys(), QStringList({key(c)}));

    click(list_.get(), "ClearButton");
    EXPECT_EQ(list_->customerNumberFilter(), 0);
    EXPECT_EQ(child<QLineEdit>(list_.get(), "SurnameText")->text(), "");
    click(list_.get(), "GoButton");
    QStringList all = listedKeys();
    all.sort();
    EXPECT_EQ(all, QStringList({key(a), key(c)}));

    // Opened from the menu the list starts empty.
    openList();
    EXPECT_EQ(list_->grid()->rows(), 1);
    EXPECT_TRUE(msgs_->texts().isEmpty());
}

TEST_F(CustomerJobListTest, TypedFilterTextWithoutAChosenItemIsIgnored)
{
    addJob(smith_, smithHome_);
    addJob(johnson_, johnsonHome_, [](auto &j) { j.jobType = "LAWN"; });
    openList();
    for (const char *name : {"JobTypeCombo", "AssociateCombo", "SuburbCombo", "ProspectiveCombo"})
        child<QComboBox>(list_.get(), name)->setEditText("Lawn mow");
    click(list_.get(), "GoButton");
    EXPECT_EQ(listedKeys().size(), 2);

    QComboBox *types = child<QComboBox>(list_.get(), "JobTypeCombo");
    types->setCurrentIndex(types->findText("Lawn mowing"));
    click(list_.get(), "GoButton");
    EXPECT_EQ(listedKeys().size(), 1);
}

TEST_F(CustomerJobListTest, AFillEndedByAnErrorOffersNothingMore)
{
    openList();
    writeSql("ALTER TABLE CustomerServiceAddresses RENAME TO Elsewhere");
    // The reporter returns here instead of ending the program, so anything the
    // list did after the error would show.
    setShutdownHandler([] {});
    struct Restore {
        ~Restore() { setShutdownHandler(&ExitSystem); }
    } restore;
    click(list_.get(), "GoButton");
    ASSERT_EQ(msgs_->texts().size(), 1);
    EXPECT_TRUE(msgs_->texts().first().endsWith("WVS will now shut down"));
    EXPECT_TRUE(modal_->openedNames().isEmpty());
}

TEST_F(CustomerJobListTest, EmptyResultOffersToAddAJobAndAFilterOfAnyLengthIsTaken)
{
    addJob(smith_, smithHome_, [](auto &j) { j.suspended = true, j.costCents = 9999999900; });
    openList();
    msgs_->answer(MsgAnswer::No);
    // Far beyond what the database takes as a LIKE pattern.
    type(list_.get(), "SurnameText", QString(25000, QChar(0x00E9)));
    click(list_.get(), "GoButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"No records found - do you wish to add a Customer Job now?"}));
    EXPECT_EQ(desktop_->ended, -1);
    EXPECT_FALSE(modal_->openedNames().contains("CustomerJobAddModifyForm"));

    // The cost column shows the largest cost the job dialog takes, bold as coloured rows are.
    type(list_.get(), "SurnameText", QString());
    click(list_.get(), "GoButton");
    const QString largest = list_->grid()->textMatrix(1, JobListColumn::Cost);
    EXPECT_EQ(largest, Money::fromCents(9999999900).display(session().installationCountry));
    const double scale = session().resizeFactor > 0 ? session().resizeFactor : 1.0;
    EXPECT_GE(list_->grid()->colWidthTwips(JobListColumn::Cost) + 1,
              int(list_->grid()->textWidthTwips(largest, true) * scale));

    // Every row refused by the active date asks too; Yes opens the dialog.
    modal_->once("CalendarForm", [](QDialog *d) { static_cast<CalendarForm *>(d)->pickDate(QDate(2031, 8, 1)); });
    click(list_.get(), "ActiveDateImage");
    EXPECT_EQ(child<QLabel>(list_.get(), "ActiveDateLabel")->text(), "01 Aug 2031");
    msgs_->clear();
    click(list_.get(), "GoButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"No records found - do you wish to add a Customer Job now?"}));
    ASSERT_EQ(modal_->opened().size(), 2);
    EXPECT_EQ(modal_->opened().last().name, "CustomerJobAddModifyForm");
    EXPECT_EQ(modal_->opened().last().tag, "Add~0~");
}

TEST_F(CustomerJobListTest, AddFromTheListRefreshesItAndRowButtonsOpenTheSelectedJob)
{
    addJob(smith_, smithHome_);
    openList(QStringLiteral("CustomersManagement~%1").arg(smith_));
    ASSERT_EQ(listedKeys().size(), 1);
    modal_->once("CustomerJobAddModifyForm", [&](QDialog *d) {
        choose(d, "JobTypeCombo", "Lawn mowing");
        choose(d, "AssociateCombo", "Administrator");
        type(d, "CostText", "10");
        child<QLabel>(d, "StartDateLabel")->setText("14 Jul 2031");
        click(d, "DailyOption2");
        click(d, "OKButton");
    });
    click(list_.get(), "AddButton");
    EXPECT_EQ(modal_->opened().last().tag, QStringLiteral("Add~%1~").arg(smith_));
    EXPECT_TRUE(list_->JobAdded) << msgs_->texts().join("|").toStdString();
    EXPECT_EQ(listedKeys().size(), 2);

    // A double-click modifies.
    list_->grid()->selectRow(1);
    const QString k = list_->grid()->textMatrix(1, JobListColumn::Key);
    click(list_.get(), "ViewButton");
    EXPECT_EQ(modal_->opened().last().tag, QStringLiteral("View~%1~%2").arg(k).arg(smithHome_));
    emit list_->grid()->rowDoubleClicked(1, 2);
    EXPECT_EQ(modal_->opened().last().tag, QStringLiteral("Modify~%1~%2").arg(k).arg(smithHome_));
}

TEST_F(CustomerJobListTest, DeleteIsRefusedWhileAScheduleHoldsTheJob)
{
    const qint64 held = addJob(smith_, smithHome_);
    const qint64 free = addJob(johnson_, johnsonHome_);
    addScheduleJob(addSchedule("2031-07-01", "2031-07-31", "Open"), held, "2031-07-07");
    openList();
    click(list_.get(), "GoButton");
    auto rowOf = [&](qint64 k) { return listedKeys().indexOf(key(k)) + 1; };

    list_->grid()->selectRow(rowOf(held));
    click(list_.get(), "DeleteButton");
    EXPECT_EQ(msgs_->last(), "This Customer Job appears on one or more Schedules and therefore cannot be deleted");
    list_->grid()->selectRow(rowOf(free));
    msgs_->answer(MsgAnswer::No);
    click(list_.get(), "DeleteButton");
    EXPECT_EQ(count("CustomerJobs"), 2);
    list_->grid()->selectRow(rowOf(free));
    msgs_->clear();
    click(list_.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Are you sure you wish to PERMANENTLY delete the selected Customer Job?",
                                           "Customer Job deleted"}));
    EXPECT_EQ(listedKeys(), QStringList({key(held)}));
}

TEST_F(CustomerJobListTest, WithoutFullRightsNeitherButtonsNorADoubleClickChangeAJob)
{
    setAccess(5, 7, 5, 7, 1, 1, 1, 1, 0, 0);
    loginAs("ADM", 5);
    addJob(smith_, smithHome_);
    openList();
    EXPECT_FALSE(enabled(list_.get(), "ModifyButton"));
    click(list_.get(), "GoButton");
    list_->grid()->selectRow(1);
    emit list_->grid()->rowDoubleClicked(1, 2);
    EXPECT_TRUE(modal_->opened().isEmpty());
}

TEST_F(CustomerJobListTest, SortUsesValuesForCostAndDates)
{
    auto jobOf = [&](qint64 cents, const char *start, const char *end) {
        return key(addJob(smith_, smithHome_, [&](test::StoredJob &j) {
            j.costCents = cents, j.start = start, j.end = end;
        }));
    };
    const QString ten = jobOf(1000, "2031-10-01", ""), nine = jobOf(950, "2031-09-15", "2031-12-01"),
                  hundred = jobOf(10000, "2031-01-20", "2031-11-01");
    openList();
    choose(list_.get(), "SortCombo", "Cost");
    click(list_.get(), "GoButton");
    EXPECT_EQ(listedKeys(), QStringList({nine, ten, hundred}));
    choose(list_.get(), "SortCombo", "Start Date");
    click(list_.get(), "SortButton");
    EXPECT_EQ(listedKeys(), QStringList({hundred, nine, ten}));
    choose(list_.get(), "SortCombo", "End Date");
    choose(list_.get(), "SortOrderCombo", "Descending");
    click(list_.get(), "SortButton");
    EXPECT_EQ(listedKeys(), QStringList({nine, hundred, ten}));
}

TEST_F(CustomerJobListTest, RowsAreColouredBelowFiveThousandGridRowsOnly)
{
    auto fill = [&](int jobs) {
        writeSql("DELETE FROM CustomerJobs");
        Transaction t;
        for (int i = 0; i < jobs; ++i)
            addJob(smith_, smithHome_, [](auto &j) { j.asRequired = true; });
        t.commit();
        click(list_.get(), "GoButton");
        return list_->grid();
    };
    openList();
    FlexGrid *grid = fill(4998);
    ASSERT_EQ(grid->rows(), 4999);
    EXPECT_EQ(grid->cellForeColor(1, 2), QColor(255, 128, 0));
    EXPECT_TRUE(grid->cellBold(4998, 5));
    EXPECT_EQ(grid->cellBackColor(2, 1), FlexGrid::stripeColor(2));
    grid = fill(4999);
    ASSERT_EQ(grid->rows(), 5000);
    EXPECT_EQ(grid->cellForeColor(1, 2), QColor(0, 0, 0));
    EXPECT_FALSE(grid->cellBold(1, 2));
}

} // namespace
