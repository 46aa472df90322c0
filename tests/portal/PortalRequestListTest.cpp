#include "PortalTestData.h"
#include "portal/PortalRequestRecords.h"

using namespace wvs;
using namespace wvs::test;

namespace {

namespace C = PortalRequestColumn;

class PortalRequestListTest : public PortalRequestDbTest {
protected:
    void sortBy(QWidget *w, const QString &column, const QString &order = "Ascending")
    {
        choose(w, "SortCombo", column);
        choose(w, "SortOrderCombo", order);
        click(w, "SortButton");
    }
};

} // namespace

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
    EXPECT_EQ(column(list.get(), C::Key).first(), "2");
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

TEST_F(PortalRequestImportTest, AnImportedRequestIsListedAndSavedAsCustomerAddressAndJob)
{
    auto list = openList();
    msgs_->clear();
    portal_.handOut("GetCustomerJobs.php", portaltest::requestLine(601) + "\r\n");
    click(list.get(), "ImportButton");
    ASSERT_EQ(grid(list.get())->rows(), 2);
    EXPECT_EQ(grid(list.get())->rowTexts(1).mid(C::User, 9),
              QStringList({"web9", "Jones, Mary", "3 High St", "Herne Bay", "Lawn mowing", "Monday", "Weekly", "$45.50",
                           "07 Jul 2031"}));

    click(list.get(), "ViewModifySaveButton");
    EXPECT_EQ(msgs_->last(), "Please select the Customer Job to be viewed/modified/saved");
    modal_->once("PortalCustomerJobAddForm", [&](QDialog *d) {
        child<QComboBox>(d, "AssociateCombo")->setCurrentIndex(0);
        click(d, "OKButton");
    });
    grid(list.get())->selectRow(1);
    click(list.get(), "ViewModifySaveButton");
    EXPECT_EQ(msgs_->last(), "Customer Job saved");
    EXPECT_EQ(grid(list.get())->rows(), 1);
    EXPECT_EQ(count("PortalCustomerJobs"), 0);
    EXPECT_EQ(count("CustomerJobs"), 1);
}

TEST_F(PortalRequestImportTest, AFailedRunLeavesTheListAsItWas)
{
    addRequest(1);
    auto list = openList();
    // Stored behind the list's back: a refill would show it.
    addRequest(2);
    portal_.handOut("GetCustomerJobs.php", portaltest::requestLine(602) + "\r\n");
    portal_.reply("DeleteCustomerJobsData.php", "Locked");
    click(list.get(), "ImportButton");
    EXPECT_EQ(msgs_->last(), "Customer Jobs data deletion failed - Locked\r\n"
                             "The Customer Jobs have been received and will be cleared from the portal at the next import");
    EXPECT_EQ(column(list.get(), C::Key), QStringList({"1"}));
    EXPECT_EQ(count("PortalCustomerJobs"), 3);

    // A run that succeeds with nothing new leaves it too.
    portal_.reply("DeleteCustomerJobsData.php", "SUCCESS");
    portal_.handOut("GetCustomerJobs.php", "");
    click(list.get(), "ImportButton");
    EXPECT_EQ(msgs_->texts().mid(msgs_->texts().size() - 2),
              (QStringList{"No new Customer Jobs found", "Process completed successfully"}));
    EXPECT_EQ(column(list.get(), C::Key), QStringList({"1"}));

    // Without a company ID, or any company details, the portal is not asked at all.
    const int calls = portal_.calls().size(), opened = modal_->opened().size();
    writeSql("UPDATE Company SET ID = ''");
    click(list.get(), "ImportButton");
    EXPECT_EQ(msgs_->last(), "The ID has not been set for the Company. This is required to access the portal");
    writeSql("DELETE FROM Company");
    click(list.get(), "ImportButton");
    EXPECT_EQ(msgs_->last(), "The Company details have not yet been entered. These are required to access the portal");
    EXPECT_EQ(portal_.calls().size(), calls);
    EXPECT_EQ(modal_->opened().size(), opened);
}
