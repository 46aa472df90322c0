#include "PortalRequestTestData.h"
#include "core/Session.h"
#include "platform/FlexGrid.h"
#include "portal/PortalCustomerJobsManagementForm.h"
#include "portal/PortalRequestRecords.h"
#include "shell/FormRegistry.h"

#include <QLabel>
#include <QRadioButton>

using namespace wvs;
using namespace wvs::test;

namespace {

namespace C = PortalRequestColumn;

// Stands in for the portal window: stores what a test queues as fetched
// requests and reports the outcome as the import does.
struct PortalDouble {
    static inline std::function<void()> fetch;
    static inline bool succeeds = true;
};

class PortalDoubleForm : public Form {
public:
    explicit PortalDoubleForm(QWidget *parent) : Form(parent) { setObjectName("PortalForm"); }

protected:
    void firstActivate() override
    {
        if (PortalDouble::fetch) {
            PortalDouble::fetch();
            parentWidget()->setProperty("CustomerJobsImported", true);
        }
        session().portalUpdateSucceeded = PortalDouble::succeeds;
        accept();
    }
};

class PortalRequestListTest : public PortalRequestDbTest {
protected:
    void SetUp() override
    {
        PortalRequestDbTest::SetUp();
        modal_->on("PortalForm", [](QDialog *) { QApplication::processEvents(); });
        PortalDouble::fetch = nullptr;
        PortalDouble::succeeds = true;
    }

    std::unique_ptr<PortalCustomerJobsManagementForm> open()
    {
        auto list = std::make_unique<PortalCustomerJobsManagementForm>();
        list->show();
        settle();
        return list;
    }
    static FlexGrid *grid(QWidget *w) { return child<FlexGrid>(w, "JobsGrid"); }
    static QStringList column(QWidget *w, int col)
    {
        QStringList out;
        for (int r = 1; r < grid(w)->rows(); ++r)
            out << grid(w)->textMatrix(r, col);
        return out;
    }
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
    auto list = open();
    EXPECT_EQ(column(list.get(), C::Customer), QStringList({"Lee", "Ng, Bo", "Lee, Ann"}));
    EXPECT_EQ(column(list.get(), C::Frequency), QStringList({"Once", "Once", ""}));
    EXPECT_EQ(column(list.get(), C::JobType), QStringList({"Window cleaning", "", "Lawn mowing"}));
    EXPECT_EQ(column(list.get(), C::Day), QStringList({"Monday", "Tuesday", "Monday"}));
    EXPECT_EQ(column(list.get(), C::Cost), QStringList({"$25.00", "$25.00", "$9.50"}));
    // Prospective wins over as required; the rows are shaded from white.
    EXPECT_EQ(grid(list.get())->cellForeColor(1, 3), QColor(0, 0, 255));
    EXPECT_EQ(grid(list.get())->cellForeColor(2, 3), QColor(255, 128, 0));
    EXPECT_EQ(grid(list.get())->cellForeColor(3, 3), QColor(Qt::black));
    EXPECT_EQ(grid(list.get())->cellBackColor(2, 1), QColor(224, 224, 224));
    EXPECT_TRUE(msgs_->texts().isEmpty());

    sortBy(list.get(), "Cost");
    EXPECT_EQ(column(list.get(), C::Key), QStringList({"3", "1", "2"}));
    sortBy(list.get(), "Start Date", "Descending");
    EXPECT_EQ(column(list.get(), C::Key).first(), "2");
    EXPECT_EQ(grid(list.get())->cellBackColor(1, 1), QColor(Qt::white));
}

TEST_F(PortalRequestListTest, AnEmptyListSaysSoOnceAndItsCommandsDoNothing)
{
    auto list = open();
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
    auto list = open();
    ASSERT_EQ(grid(list.get())->rows(), 3);
    sortBy(list.get(), "Start Date");
    EXPECT_EQ(grid(list.get())->rowTexts(1).mid(C::Day, 1), QStringList({""}));
    EXPECT_EQ(grid(list.get())->textMatrix(1, C::Start), "31/02/2031");
    EXPECT_EQ(grid(list.get())->textMatrix(1, C::Entered), "junk");
    EXPECT_EQ(grid(list.get())->textMatrix(1, C::StartKey), "");

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

TEST_F(PortalRequestListTest, ImportRefillsOnlyAfterASuccessfulRunThatStoredRequests)
{
    // With the portal window of the program in place, its own tests drive the import.
    static bool doubled = false;
    if (FormRegistry::contains("PortalForm") && !doubled)
        GTEST_SKIP() << "the portal window is present";
    FormRegistry::add("PortalForm", [](QWidget *p) -> QDialog * { return new PortalDoubleForm(p); });
    doubled = true;
    auto list = open();
    msgs_->clear();
    PortalDouble::fetch = [this] { addRequest(7); };
    PortalDouble::succeeds = false;
    click(list.get(), "ImportButton");
    EXPECT_EQ(grid(list.get())->rows(), 1);   // stored, but the run failed afterwards

    PortalDouble::fetch = [this] { addRequest(8); };
    PortalDouble::succeeds = true;
    click(list.get(), "ImportButton");
    EXPECT_EQ(column(list.get(), C::Key), QStringList({"7", "8"}));
    EXPECT_EQ(modal_->opened().last().tag, "ImportCustomerJobs~");
    EXPECT_TRUE(msgs_->texts().isEmpty());
}

TEST_F(PortalRequestListTest, ASavedRequestLeavesTheList)
{
    addRequest(1);
    addRequest(2, {{"StartDate", "2031-07-14"}});
    auto list = open();
    click(list.get(), "ViewModifySaveButton");
    EXPECT_EQ(msgs_->last(), "Please select the Customer Job to be viewed/modified/saved");
    modal_->once("PortalCustomerJobAddForm", [&](QDialog *d) {
        EXPECT_EQ(child<QLineEdit>(d, "FirstNameText")->text(), "Ann");
        child<QComboBox>(d, "AssociateCombo")->setCurrentIndex(0);
        click(d, "OKButton");
    });
    grid(list.get())->selectRow(2);
    click(list.get(), "ViewModifySaveButton");
    EXPECT_EQ(modal_->opened().last().tag, "2");
    EXPECT_EQ(column(list.get(), C::Key), QStringList({"1"}));
    EXPECT_EQ(msgs_->last(), "Customer Job saved");
}
