#include "JobsDbTest.h"
#include "support/SortCheck.h"
#include "common/CalendarForm.h"
#include "jobs/CustomerJobList.h"
#include "jobs/CustomerJobsManagementForm.h"
#include "platform/FlexGrid.h"
#include "shell/ExitSystemModule.h"
#include "platform/ErrorHandlingModule.h"

using namespace wvs;

namespace {

class CustomerJobListTest : public test::SmithJobsTest {
protected:
    void SetUp() override
    {
        SmithJobsTest::SetUp();
        addAssociate("BOB", "Bob Builder", "pw", 1, true);
        addJobType("LAWN", "Lawn mowing");
        johnson_ = addCustomer("Johnson", "Bo", 1, "Devonport");
        johnsonHome_ = addAddress(johnson_, "5 Beach Road", "Takapuna");
    }
    void TearDown() override { list_.reset(), SmithJobsTest::TearDown(); }

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
        list_ = shown<CustomerJobsManagementForm>(tag);
        return list_.get();
    }
    QStringList listedKeys() { return test::column(list_->grid(), JobListColumn::Key); }

    qint64 johnson_ = 0, johnsonHome_ = 0;
    std::unique_ptr<CustomerJobsManagementForm> list_;
};

TEST_F(CustomerJobListTest, FiltersNarrowTheListing)
{
    const qint64 a = addJob(customer_, address_);
    const qint64 b = addJob(customer_, address_,
                            [](auto &j) { j.jobType = "LAWN", j.associate = "BOB", j.prospective = true; });
    const qint64 c = addJob(johnson_, johnsonHome_, [](auto &j) { j.suspended = j.asRequired = true; });

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
    // "Yes" in each of the three lists, "No" in the one not yet chosen alone.
    EXPECT_EQ(keys([](F f) { f.prospective = true; }), QStringList({key(b)}));
    EXPECT_EQ(keys([](F f) { f.suspended = false; }), ab);
    EXPECT_EQ(keys([](F f) { f.asRequired = true; }), QStringList({key(c)}));
}

TEST_F(CustomerJobListTest, ActiveDateTestKeepsJobsUnderWayOnTheDate)
{
    // On 10 July 2031 a job ending that day is under way; one starting on or after it only when serviced early.
    const struct { int status; bool suspended; const char *start, *end; int code; const char *last; bool active; } cases[] = {
        {2, false, "2031-07-01", "", 152127, "", true},  {1, false, "1990-01-01", "", 1, "", true},
        {1, true, "2031-07-01", "", 399, "", false},     {9, false, "2031-07-01", "", 399, "", false},
        {1, false, "2031-07-01", "", 0, "", false},      {1, false, "2031-07-01", "2031-07-09", 399, "", false},
        {1, false, "2031-07-01", "2031-07-10", 399, "", true}, {1, false, "2031-07-10", "", 399, "", false},
        {1, false, "2031-07-12", "", 399, "2031-07-09", true}, {1, false, "2031-07-12", "", 399, "2031-07-11", false},
        {1, false, "2031-07-12", "", 399, "2031-07-12", false},
        // Ties: starting on the date after a service the day before; serviced on the date before a later start;
        // start, last service and chosen date on one day.
        {1, false, "2031-07-10", "", 399, "2031-07-09", true},  {1, false, "2031-07-12", "", 399, "2031-07-10", true},
        {1, false, "2031-07-10", "", 399, "2031-07-10", false},
        // Started before: any positive code of every kind.
        {1, false, "2031-07-01", "", 101001, "", true}, {1, false, "2031-07-01", "", 11501, "", true},
        {1, false, "2031-07-01", "", 19902, "", true},  {1, false, "2031-07-01", "", 22201, "", true},
        {1, false, "2031-07-01", "", 31225, "", true},  {1, false, "2031-07-01", "", 41109, "", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CustomerJobList::activeAt(QDate(2031, 7, 10), c.status, c.suspended, c.start, c.end, c.code, c.last),
                  c.active) << c.start << " " << c.end << " " << c.last;
}

TEST_F(CustomerJobListTest, OpenedForOneCustomerItListsItsJobsAtOnceUntilClearedAndNeedsFullRightsToChangeOne)
{
    addJob(customer_, address_);
    const qint64 c = addJob(johnson_, johnsonHome_);
    openList(QStringLiteral("CustomersManagement~%1").arg(johnson_));
    EXPECT_EQ(child<QLineEdit>(list_.get(), "SurnameText")->text(), "Johnson");
    EXPECT_EQ(listedKeys(), QStringList({key(c)}));

    // Other filters do not widen or narrow the customer's list; Clear ends it.
    child<QLineEdit>(list_.get(), "SurnameText")->setText("Smith");
    click(list_.get(), "GoButton");
    EXPECT_EQ(listedKeys(), QStringList({key(c)}));
    click(list_.get(), "ClearButton");
    click(list_.get(), "GoButton");
    EXPECT_EQ(listedKeys().size(), 2);

    // From the menu the list starts empty; without full rights no button or double-click changes a job.
    // 6, just below full rights, changes nothing either.
    setAccess(6, 7, 6, 7, 1, 1, 1, 1, 0, 0);
    loginAs("ADM", 6);
    openList();
    for (const char *b : {"AddButton", "ModifyButton", "DeleteButton"})
        EXPECT_FALSE(enabled(list_.get(), b)) << b;
    setAccess(5, 7, 5, 7, 1, 1, 1, 1, 0, 0);
    loginAs("ADM", 5);
    openList();
    EXPECT_EQ(list_->grid()->rows(), 1);
    EXPECT_FALSE(enabled(list_.get(), "ModifyButton"));
    click(list_.get(), "GoButton");
    list_->grid()->selectRow(1);
    emit list_->grid()->rowDoubleClicked(1, 2);
    EXPECT_TRUE(modal_->opened().isEmpty());
}

TEST_F(CustomerJobListTest, EmptyResultOffersToAddAJobAFilterOfAnyLengthIsTakenAndAFillEndedByAnErrorOffersNothing)
{
    addJob(customer_, address_, [](auto &j) { j.suspended = true; });
    openList();
    msgs_->answer(MsgAnswer::No);
    // Far beyond what the database takes as a LIKE pattern.
    type(list_.get(), "SurnameText", QString(25000, QChar(0x00E9)));
    click(list_.get(), "GoButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"No records found - do you wish to add a Customer Job now?"}));
    EXPECT_FALSE(modal_->openedNames().contains("CustomerJobAddModifyForm"));

    // Every row refused by the active date asks too; Yes opens the dialog.
    modal_->once("CalendarForm", [](QDialog *d) { static_cast<CalendarForm *>(d)->pickDate(QDate(2031, 8, 1)); });
    type(list_.get(), "SurnameText", QString());
    click(list_.get(), "ActiveDateImage");
    click(list_.get(), "GoButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"No records found - do you wish to add a Customer Job now?",
                                           "No records found - do you wish to add a Customer Job now?"}));
    EXPECT_EQ(modal_->openedNames().last(), "CustomerJobAddModifyForm");

    // A user who may only look at jobs is told that nothing was found, and no more.
    setAccess(5, 7, 1, 7, 1, 1, 1, 1, 0, 0);
    loginAs("ADM", 5);
    openList();
    msgs_->clear();
    const int shown = modal_->opened().size();
    type(list_.get(), "SurnameText", "Nobody");
    click(list_.get(), "GoButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"No records found"}));
    EXPECT_EQ(modal_->opened().size(), shown);

    // A fill ended by an error offers nothing more. The reporter returns here instead of ending the program,
    // so anything the list did after the error would show.
    writeSql("ALTER TABLE CustomerServiceAddresses RENAME TO Elsewhere");
    // The database's words for a statement that names the table gone.
    const std::optional<CaughtError> failed = trapError([] { execSql("SELECT 1 FROM CustomerServiceAddresses"); });
    ASSERT_TRUE(failed);
    setShutdownHandler([] {});
    struct Restore { ~Restore() { setShutdownHandler(&ExitSystem); } } restore;
    msgs_->clear();
    const int opened = modal_->opened().size();
    click(list_.get(), "GoButton");
    ASSERT_EQ(msgs_->texts().size(), 1);
    EXPECT_EQ(msgs_->texts().first(), "The following fatal error has been encountered:\r\nModule: CustomerJobsManagementForm\r\n"
                                      "Sub: PopulateGrid\r\nError Code: " + QString::number(failed->number)
                                          + "\r\nError description: " + failed->description + "\r\n\r\nWVS will now shut down");
    EXPECT_EQ(modal_->opened().size(), opened);
}

TEST_F(CustomerJobListTest, AddFromTheListRefreshesItRowButtonsOpenTheSelectedJobAndDeleteSparesScheduledOnes)
{
    const qint64 held = addJob(customer_, address_);
    storeJob(addSchedule("2031-07-01", "2031-07-31", "Open"), held, "2031-07-07", 0, {}, {});
    openList(QStringLiteral("CustomersManagement~%1").arg(customer_));
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
    EXPECT_EQ(listedKeys().size(), 2) << msgs_->texts().join("|").toStdString();

    // A double-click modifies.
    list_->grid()->selectRow(1);
    const QString k = list_->grid()->textMatrix(1, JobListColumn::Key);
    click(list_.get(), "ViewButton");
    EXPECT_EQ(modal_->opened().last().tag, QStringLiteral("View~%1~%2").arg(k).arg(address_));
    emit list_->grid()->rowDoubleClicked(1, 2);
    EXPECT_EQ(modal_->opened().last().tag, QStringLiteral("Modify~%1~%2").arg(k).arg(address_));

    // A job on a schedule is not deleted; another is, after the question.
    const int heldRow = listedKeys().indexOf(key(held)) + 1;
    list_->grid()->selectRow(heldRow);
    click(list_.get(), "DeleteButton");
    EXPECT_EQ(msgs_->last(), "This Customer Job appears on one or more Schedules and therefore cannot be deleted");
    list_->grid()->selectRow(3 - heldRow);
    msgs_->clear();
    click(list_.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts(), QStringList({"Are you sure you wish to PERMANENTLY delete the selected Customer Job?",
                                           "Customer Job deleted"}));
    EXPECT_EQ(listedKeys(), QStringList({key(held)}));
}

TEST_F(CustomerJobListTest, SortUsesValuesForCostAndDates)
{
    auto jobOf = [&](qint64 cents, const char *start, const char *end) {
        return key(addJob(customer_, address_,
                          [&](test::JobData &j) { j.costCents = cents, j.start = start, j.end = end; }));
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

// Each of the other sort choices sorts on its own column, in either order.
TEST_F(CustomerJobListTest, EachSortChoiceSortsOnItsColumn)
{
    addAssociate("CAT", "Cat Smith", "pw", 1, true);
    addJobType("HEDGE", "Hedges");
    auto jobOf = [&](const char *associate, const char *surname, const char *line1, const char *suburb,
                     const char *type, const char *day, int code) {
        const qint64 c = addCustomer(surname, "x");
        return key(addJob(c, addAddress(c, line1, suburb), [&](test::JobData &j) {
            j.associate = associate, j.jobType = type, j.startDay = day, j.frequency = code;
        }));
    };
    const QString x = jobOf("ADM", "Cole", "2 Rd", "Avon", "CLEAN", "Monday", 31225),
                  y = jobOf("BOB", "Ash", "3 Rd", "Clyde", "HEDGE", "Wednesday", 3),
                  z = jobOf("CAT", "Bell", "1 Rd", "Bays", "LAWN", "Tuesday", 11501);
    openList();
    click(list_.get(), "GoButton");
    test::expectEachSortChoice(list_.get(),
                               {{"Associate", {x, y, z}}, {"Customer", {y, z, x}}, {"Service Address", {z, x, y}},
                                {"Suburb", {x, z, y}}, {"Job Type", {y, z, x}}, {"Service Day", {x, z, y}},
                                {"Frequency", {y, z, x}}},
                               [&] { return listedKeys(); });
}

} // namespace
