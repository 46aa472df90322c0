#include "CustomerTestData.h"
#include "customers/CustomerListQuery.h"
#include "customers/CustomersManagementForm.h"
#include "platform/FlexGrid.h"
#include "support/DbTest.h"
#include "support/ShownTexts.h"
#include "support/SortCheck.h"
#include "support/Keys.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace wvs;
using namespace wvs::test;

namespace {

class CustomersManagementFormTest : public AdminDbTest {
protected:
    static std::unique_ptr<CustomersManagementForm> openList() { return shown<CustomersManagementForm>(); }
    // The surnames the list query gives under the filter, sorted.
    static QStringList surnames(const CustomerFilter &f)
    {
        QStringList out;
        for (const QStringList &r : CustomerListQuery::rows(f))
            out << r[CustomerListQuery::ColSurname];
        out.sort();
        return out;
    }
};

} // namespace

TEST_F(CustomersManagementFormTest, OpensEmptyAndListsOnGoOrEnter)
{
    addCustomer("Brown", "Bo", 1, "", "Epsom");
    addCustomer("adams", "Al", 2, "", "Albany");
    addCustomer("Clark", "Cy", 9, "", "Epsom");
    // The Phone column shows the phone PreferredPhone names, none outside 1 to 3.
    writeSql("UPDATE Customers SET Phone3 = '09 333', PreferredPhone = CASE Surname WHEN 'adams' THEN 0 "
             "WHEN 'Brown' THEN 3 ELSE 4 END");
    auto form = openList();
    FlexGrid *grid = form->grid();
    EXPECT_EQ(grid->rows(), 1);

    EXPECT_EQ(form->windowTitle(), "Customers Management");
    EXPECT_EQ(grid->rowTexts(0).mid(1, 6), QStringList({"Last Name", "First Name", "Company Name",
                                                        "Correspondence Address", "Suburb", "Phone"}));
    EXPECT_EQ(child<QLabel>(form.get(), "ProspectiveLabel")->text(), "Customer is prospective");
    EXPECT_EQ(child<QLabel>(form.get(), "InactiveLabel")->text(), "Customer is inactive");

    // Enter in a filter box runs Go; the list is sorted on Last Name, case aside.
    test::press(child<QLineEdit>(form.get(), "SurnameText"), Qt::Key_Return);
    EXPECT_EQ(column(grid, 1), (QStringList{"adams", "Brown", "Clark"}));
    EXPECT_EQ(column(grid, 6), (QStringList{"", "09 333", ""}));
    // Bands of white and light grey from the first row; every cell of a prospective
    // customer's row green and bold, of an inactive one's red and bold.
    const struct { QColor back, fore; bool bold; } rows[] = {{{255, 255, 255}, {0, 192, 0}, true}, {{224, 224, 224}, {0, 0, 0}, false}, {{255, 255, 255}, {255, 0, 0}, true}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 0; c < 10; ++c) {
            EXPECT_EQ(grid->cellBackColor(r, c), rows[r - 1].back) << r << " " << c;
            EXPECT_EQ(grid->cellForeColor(r, c), rows[r - 1].fore) << r << " " << c;
            EXPECT_EQ(grid->cellBold(r, c), rows[r - 1].bold) << r << " " << c;
        }

    // Any change of a filter empties the list until Go.
    type(form.get(), "CompanyText", QStringLiteral("x"));
    EXPECT_EQ(grid->rows(), 1);
    // A suburb typed that is no item sets no condition.
    type(form.get(), "CompanyText", QString());
    child<QComboBox>(form.get(), "SuburbCombo")->setEditText(QStringLiteral("Eps"));
    click(form.get(), "GoButton");
    EXPECT_EQ(grid->rows(), 4);

    // Phone 1 and Phone 2 named as preferred show theirs. The three address lines are joined by
    // blanks, an empty line still leaving its blank: line 1 alone, lines 1 and 3, all three.
    writeSql("UPDATE Customers SET Phone1 = '09 111', Phone2 = '09 222', PreferredPhone = CASE Surname "
             "WHEN 'adams' THEN 1 WHEN 'Brown' THEN 2 ELSE 3 END, CAddress1 = '1 Main Rd', CAddress2 = CASE Surname "
             "WHEN 'Brown' THEN 'Unit 2' ELSE '' END, CAddress3 = CASE Surname WHEN 'adams' THEN '' ELSE 'Lot 3' END");
    click(form.get(), "GoButton");
    EXPECT_EQ(column(grid, 6), (QStringList{"09 111", "09 222", "09 333"}));
    EXPECT_EQ(column(grid, 4), (QStringList{"1 Main Rd  ", "1 Main Rd Unit 2 Lot 3", "1 Main Rd  Lot 3"}));
}

TEST_F(CustomersManagementFormTest, DeleteOrMakeInactive)
{
    const qint64 plain = addCustomer(QStringLiteral("Plain")), busy = addCustomer(QStringLiteral("Busy"));
    addJob(plain, addAddress(plain, QStringLiteral("1 St")));   // a job never scheduled
    storeJob(1, addJob(busy, addAddress(busy, QStringLiteral("2 St"))), QStringLiteral("2024-03-05"), 0, {}, {});
    auto form = openList();
    FlexGrid *grid = form->grid();
    click(form.get(), "GoButton");
    ASSERT_EQ(column(grid, 1), (QStringList{"Busy", "Plain"}));

    // A scheduled customer is offered inactivation; No changes nothing.
    grid->selectRow(1);
    msgs_->answer(MsgAnswer::No);
    click(form.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts(), QStringList{"Customer Busy has had jobs scheduled therefore he/she cannot be deleted but "
                                          "his/her status will be set to Inactive instead. Do you wish to continue?"});
    click(form.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts().last(), "Customer set to Inactive");
    EXPECT_EQ(rowsOf("SELECT CustomerStatus FROM Customers WHERE CustomerNumber = ?", {busy}), "9");

    // An unscheduled one is deleted after the question.
    grid->selectRow(2);
    msgs_->clear();
    click(form.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts(), (QStringList{"Are you sure you wish to PERMANENTLY delete Customer Plain and any "
                                           "Customer Job records?",
                                           "Customer deleted"}));
    EXPECT_EQ(column(grid, 1), QStringList{"Busy"});
    EXPECT_EQ(rowsOf("SELECT (SELECT COUNT(*) FROM Customers WHERE CustomerNumber = ?), "
                     "(SELECT COUNT(*) FROM CustomerJobs WHERE CustomerNumber = ?)", {plain, plain}), "0|0");
}

TEST_F(CustomersManagementFormTest, OtherWindowsOpenWithTheirModeStringsAndTheCustomersRightGatesTheButtons)
{
    const qint64 n = addCustomer(QStringLiteral("Brown"));
    const qint64 job = addJob(n, addAddress(n, QStringLiteral("1 St")));
    auto form = openList();
    click(form.get(), "GoButton");
    for (const auto &[b, message] : {std::pair{"ModifyButton", "Please select the Customer to be modified"},
                                     {"ViewButton", "Please select the Customer to be viewed"},
                                     {"DeleteButton", "Please select the Customer to be deleted"},
                                     {"JobsButton", "Please select the Customer first"},
                                     {"NotesButton", "Please select the Customer first"},
                                     {"HistoryButton", "Please select the Customer first"}}) {
        msgs_->clear();
        click(form.get(), b);
        EXPECT_EQ(msgs_->texts(), QStringList{message});
    }

    // Only an occurrence planned before today is history.
    for (int day : {0, 3})
        storeJob(1, job, QDate::currentDate().addDays(day).toString("yyyy-MM-dd"), 0, {}, {});
    form->grid()->selectRow(1);
    msgs_->clear();
    for (const char *b : {"JobsButton", "NotesButton", "HistoryButton"})
        click(form.get(), b);
    EXPECT_EQ(msgs_->texts(), QStringList{"The selected Customer has had no jobs scheduled before today"});
    storeJob(1, job, QStringLiteral("2024-03-05"), 0, {}, {});
    click(form.get(), "HistoryButton");

    QStringList opened;
    for (const auto &o : modal_->opened())
        opened << o.name + " " + o.tag;
    const QString k = QString::number(n);
    EXPECT_EQ(opened, QStringList({"CustomerJobsManagementForm CustomersManagement~" + k, "NotesForm Customer~" + k,
                                   "ServiceHistoryForm " + k}));

    // Below 7 customers cannot be changed: only View is offered, Notes from 3, and a double click does nothing.
    // 2 and 6 are the values a row can hold just below each threshold, though the rights window never stores them.
    const struct { int customers; bool notes; } rights[] = {{0, false}, {1, false}, {2, false}, {3, true}, {5, true}, {6, true}};
    for (const auto &r : rights) {
        setAccess(4, r.customers, 7, 7, 7, 7, 7, 7, 7, 7);
        loginAs(QStringLiteral("ADM"), 4);
        form = openList();
        for (const char *b : {"AddButton", "ModifyButton", "DeleteButton", "JobsButton"})
            EXPECT_FALSE(enabled(form.get(), b)) << b << r.customers;
        EXPECT_EQ(enabled(form.get(), "NotesButton"), r.notes) << r.customers;
        EXPECT_TRUE(enabled(form.get(), "ViewButton")) << r.customers;
    }
    click(form.get(), "GoButton");
    form->grid()->selectRow(1);
    emit form->grid()->rowDoubleClicked(1, 1);
    EXPECT_EQ(modal_->opened().size(), 3);
    // Jobs opens the customer-job list, so it also needs the right that makes that list's menu item available.
    for (const int jobs : {0, 1}) {
        setAccess(4, 7, jobs, 7, 7, 7, 7, 7, 7, 7);
        loginAs(QStringLiteral("ADM"), 4);
        form = openList();
        EXPECT_EQ(enabled(form.get(), "JobsButton"), jobs > 0) << jobs;
        EXPECT_TRUE(enabled(form.get(), "ModifyButton")) << jobs;
    }
    // A level without a stored row has no rights.
    loginAs(QStringLiteral("ADM"), 99);
    form = openList();
    EXPECT_FALSE(enabled(form.get(), "NotesButton"));
}

TEST_F(CustomersManagementFormTest, ASavedCustomerRefreshesTheListAndAFilterTooLongForAnyNameFindsNothing)
{
    addCustomer(QStringLiteral("Brown"));
    auto form = openList();
    modal_->on("CustomerAddModifyForm", [this](QDialog *d) {
        fillValidEntry(d);
        type(d, "SAddress1Text", QStringLiteral("9 Road"));
        type(d, "SSuburbText", QStringLiteral("Epsom"));
        msgs_->answer(MsgAnswer::No);
        click(d, "OKButton");
    });
    click(form.get(), "AddButton");
    EXPECT_EQ(column(form->grid(), 1), (QStringList{"Brown", "Smith"}));

    // Far beyond what the database accepts as a LIKE pattern; the program goes on.
    msgs_->clear();
    type(form.get(), "SurnameText", QString(25000, QLatin1Char('%')));
    type(form.get(), "CompanyText", QString(25000, QChar(0x00E9)));
    click(form.get(), "GoButton");
    EXPECT_EQ(msgs_->texts(), QStringList{QStringLiteral("No records found")});
    EXPECT_EQ(form->grid()->rows(), 1);
    EXPECT_EQ(desktop_->ended, -1);
}

TEST_F(CustomersManagementFormTest, FiltersMatchTypedTextLiterallyAnywhereInTheFieldCombineAndStatusNeedsAnExactWord)
{
    const char *names[] = {"Mason & Sons", "Johnson Ltd", "100% Clean", "100 Clean", "Big_Co", "BigXCo",
                           "O'Neil \"Best\" *Co?", "back\\slash"};
    for (int i = 0; i < 8; ++i)
        addCustomer(QString(QChar('A' + i)), "x", 1, names[i]);

    for (const auto &[typed, found] : {std::pair{"SON", QStringList{"A", "B"}}, {"100%", {"C"}}, {"g_C", {"E"}},
                                       {"O'Neil \"Best\" *Co?", {"G"}}, {"k\\s", {"H"}}})
        EXPECT_EQ(surnames({.company = typed}), found) << typed;

    // Filters combine, and the status needs an exact word.
    addCustomer("Smith", "a", 1, "Acme", "Mt Eden");
    addCustomer("Smithers", "b", 2, "Acme", "Eden Terrace");
    addCustomer("Jones", "c", 9, "Acme", "Eden Terrace");

    EXPECT_EQ(surnames({.surname = "smith"}), (QStringList{"Smith", "Smithers"}));
    // A chosen suburb also lists every suburb whose name contains it.
    CustomerFilter f{.suburb = "Eden"};
    EXPECT_EQ(surnames(f).size(), 3);
    f.status = QStringLiteral("Inactive");
    EXPECT_EQ(surnames(f), QStringList{"Jones"});
    f.status = QStringLiteral("Prospective");
    f.surname = QStringLiteral("Smith");
    EXPECT_EQ(surnames(f), QStringList{"Smithers"});
    f.status = QStringLiteral("Active");
    EXPECT_EQ(surnames(f), QStringList{"Smith"});
    f.status = QStringLiteral("prospective");
    EXPECT_EQ(surnames(f), (QStringList{"Smith", "Smithers"}));

    EXPECT_EQ(CustomerListQuery::suburbs(), (QStringList{"Eden Terrace", "Mt Eden", "Remuera"}));
}

// Each sort choice sorts on its own column, in either order.
TEST_F(CustomersManagementFormTest, EachSortChoiceSortsOnItsColumn)
{
    const struct { const char *surname, *forename, *company, *address, *suburb; } customers[] = {
        {"Ash", "Cy", "Beta", "1 Rd", "Clyde"}, {"Bell", "Al", "Gamma", "3 Rd", "Bays"}, {"Cole", "Bo", "Alpha", "2 Rd", "Avon"}};
    for (const auto &c : customers)
        writeSql("INSERT INTO Customers (Surname, Forename, CompanyName, CAddress1, CSuburb, CustomerStatus) "
                 "VALUES (?, ?, ?, ?, ?, 1)", {c.surname, c.forename, c.company, c.address, c.suburb});
    auto form = openList();
    click(form.get(), "GoButton");
    expectEachSortChoice(form.get(),
                         {{"Last Name", {"Ash", "Bell", "Cole"}}, {"First Name", {"Bell", "Cole", "Ash"}},
                          {"Company Name", {"Cole", "Ash", "Bell"}}, {"Address", {"Ash", "Cole", "Bell"}},
                          {"Suburb", {"Cole", "Bell", "Ash"}}},
                         [&] { return column(form->grid(), 1); });
}
