#include "CustomerTestData.h"
#include "customers/CustomerAddModifyForm.h"
#include "customers/CustomersManagementForm.h"
#include "platform/FlexGrid.h"
#include "platform/FormRegistry.h"
#include "core/Session.h"
#include "support/DbTest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace wvs;
using namespace wvs::test;

namespace {

class CustomersManagementFormTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        loginAs(QStringLiteral("ADM"), 1);
    }

    std::unique_ptr<CustomersManagementForm> openList()
    {
        auto form = std::make_unique<CustomersManagementForm>();
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        return form;
    }
    template <class T = QPushButton>
    T *child(QWidget *w, const char *name)
    {
        T *c = w->findChild<T *>(QString::fromLatin1(name));
        EXPECT_TRUE(c) << name;
        return c;
    }
    void press(QWidget *w, const char *name) { child(w, name)->click(); }
    QStringList column(FlexGrid *g, int col)
    {
        QStringList out;
        for (int r = 1; r < g->rows(); ++r)
            out << g->textMatrix(r, col);
        return out;
    }
};

} // namespace

TEST_F(CustomersManagementFormTest, OpensEmptyAndListsOnGoOrEnter)
{
    addCustomer(QStringLiteral("Brown"), QStringLiteral("Bo"), 1, QStringLiteral(""), QStringLiteral("Epsom"));
    addCustomer(QStringLiteral("adams"), QStringLiteral("Al"), 2, QStringLiteral(""), QStringLiteral("Albany"));
    addCustomer(QStringLiteral("Clark"), QStringLiteral("Cy"), 9, QStringLiteral(""), QStringLiteral("Epsom"));
    auto form = openList();
    FlexGrid *grid = form->grid();
    EXPECT_EQ(grid->rows(), 1);
    auto *suburbs = child<QComboBox>(form.get(), "SuburbCombo");
    EXPECT_EQ(suburbs->count(), 2);
    EXPECT_EQ(suburbs->currentText(), "");

    // Enter in a filter box runs Go; the list is sorted on Last Name, case aside.
    QTest::keyClick(child<QLineEdit>(form.get(), "SurnameText"), Qt::Key_Return);
    EXPECT_EQ(column(grid, 1), (QStringList{"adams", "Brown", "Clark"}));
    EXPECT_EQ(grid->selectedRow(), 0);
    EXPECT_EQ(grid->cellForeColor(1, 1), QColor(0, 192, 0));
    EXPECT_EQ(grid->cellForeColor(3, 1), QColor(255, 0, 0));
    EXPECT_EQ(grid->cellBackColor(2, 3), QColor(224, 224, 224));

    // Any change of a filter empties the list until Go.
    child<QLineEdit>(form.get(), "CompanyText")->setText(QStringLiteral("x"));
    EXPECT_EQ(grid->rows(), 1);
    child<QLineEdit>(form.get(), "CompanyText")->clear();
    press(form.get(), "GoButton");
    EXPECT_EQ(grid->rows(), 4);
    suburbs->setCurrentIndex(suburbs->findText(QStringLiteral("Epsom")));
    EXPECT_EQ(grid->rows(), 1);
    press(form.get(), "GoButton");
    EXPECT_EQ(column(grid, 1), (QStringList{"Brown", "Clark"}));

    // A suburb typed that is no item sets no condition.
    suburbs->setEditText(QStringLiteral("Eps"));
    press(form.get(), "GoButton");
    EXPECT_EQ(grid->rows(), 4);

    // Sort on First Name descending.
    child<QComboBox>(form.get(), "SortCombo")->setCurrentIndex(1);
    child<QComboBox>(form.get(), "SortOrderCombo")->setCurrentIndex(1);
    grid->selectRow(2);
    press(form.get(), "SortButton");
    EXPECT_EQ(column(grid, 2), (QStringList{"Cy", "Bo", "Al"}));
    EXPECT_EQ(grid->selectedRow(), 0);

    // Nothing found: the message, and only the headings.
    child<QLineEdit>(form.get(), "SurnameText")->setText(QStringLiteral("zzz"));
    press(form.get(), "GoButton");
    EXPECT_EQ(msgs_->last(), "No records found");
    EXPECT_EQ(grid->rows(), 1);

    press(form.get(), "ClearButton");
    EXPECT_EQ(child<QLineEdit>(form.get(), "SurnameText")->text(), "");
}

TEST_F(CustomersManagementFormTest, AccessGateFollowsTheCustomersRight)
{
    addCustomer(QStringLiteral("Brown"));
    for (int v : {0, 1, 3, 5, 7}) {
        setAccess(4, v, 7, 7, 7, 7, 7, 7, 7, 7);
        loginAs(QStringLiteral("ADM"), 4);
        auto form = openList();
        for (const char *b : {"AddButton", "ModifyButton", "DeleteButton", "JobsButton"})
            EXPECT_EQ(child(form.get(), b)->isEnabled(), v == 7) << b << v;
        EXPECT_EQ(child(form.get(), "NotesButton")->isEnabled(), v >= 3) << v;
        for (const char *b : {"ViewButton", "HistoryButton", "ExportButton", "SortButton", "GoButton", "ClearButton", "ExitButton"})
            EXPECT_TRUE(child(form.get(), b)->isEnabled()) << b << v;

        if (v == 5) {
            // A double click does nothing without the right to modify.
            press(form.get(), "GoButton");
            form->grid()->selectRow(1);
            emit form->grid()->rowDoubleClicked(1, 1);
            EXPECT_TRUE(modal_->opened().isEmpty());
        }
    }
    // A level without a stored row has no rights.
    loginAs(QStringLiteral("ADM"), 99);
    auto form = openList();
    EXPECT_FALSE(child(form.get(), "AddButton")->isEnabled());
    EXPECT_FALSE(child(form.get(), "NotesButton")->isEnabled());
}

TEST_F(CustomersManagementFormTest, DeleteOrMakeInactive)
{
    const qint64 plain = addCustomer(QStringLiteral("Plain"));
    const qint64 busy = addCustomer(QStringLiteral("Busy"));
    addAddress(plain, QStringLiteral("1 St"));
    scheduleJob(addJob(busy, addAddress(busy, QStringLiteral("2 St"))), QStringLiteral("2024-03-05"));
    auto form = openList();
    FlexGrid *grid = form->grid();
    press(form.get(), "GoButton");
    ASSERT_EQ(column(grid, 1), (QStringList{"Busy", "Plain"}));
    const auto status = [](qint64 n) {
        return scalarSql(QStringLiteral("SELECT CustomerStatus FROM Customers WHERE CustomerNumber = ?"), {n});
    };

    // A scheduled customer is offered inactivation; No changes nothing.
    grid->selectRow(1);
    msgs_->clear();
    msgs_->answer(MsgAnswer::No);
    press(form.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts(), QStringList{"Customer Busy has had jobs scheduled therefore he/she cannot be deleted but "
                                          "his/her status will be set to Inactive instead. Do you wish to continue?"});
    EXPECT_EQ(status(busy).toInt(), 1);

    msgs_->clear();
    press(form.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts().last(), "Customer set to Inactive");
    EXPECT_EQ(status(busy).toInt(), 9);
    EXPECT_EQ(grid->rows(), 3);
    EXPECT_EQ(grid->cellForeColor(1, 1), QColor(255, 0, 0));
    EXPECT_TRUE(grid->cellBold(1, 1));
    EXPECT_EQ(grid->selectedRow(), 0);

    // An unscheduled one is deleted after the question.
    grid->selectRow(2);
    msgs_->clear();
    msgs_->answer(MsgAnswer::No);
    press(form.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts(), QStringList{"Are you sure you wish to PERMANENTLY delete Customer Plain and any Customer Job records?"});
    EXPECT_TRUE(status(plain).isValid());
    msgs_->clear();
    press(form.get(), "DeleteButton");
    EXPECT_EQ(msgs_->texts().last(), "Customer deleted");
    EXPECT_FALSE(status(plain).isValid());
    EXPECT_EQ(column(grid, 1), QStringList{"Busy"});
}

TEST_F(CustomersManagementFormTest, OtherWindowsOpenWithTheirModeStrings)
{
    const QList<QPair<const char *, QString>> windows{{"JobsButton", "CustomerJobsManagementForm"},
                                                      {"NotesButton", "NotesForm"},
                                                      {"HistoryButton", "ServiceHistoryForm"},
                                                      {"ExportButton", "CustomerExportForm"}};
    // Plain stand-ins for windows not yet in the program.
    for (const auto &w : windows)
        if (!FormRegistry::contains(w.second))
            FormRegistry::add(w.second, [name = w.second](QWidget *parent) -> QDialog * {
                auto *d = new QDialog(parent);
                d->setObjectName(name);
                return d;
            });

    const qint64 n = addCustomer(QStringLiteral("Brown"));
    const qint64 job = addJob(n, addAddress(n, QStringLiteral("1 St")));
    auto form = openList();
    press(form.get(), "GoButton");
    for (const char *b : {"JobsButton", "NotesButton", "HistoryButton"})
        press(form.get(), b);
    EXPECT_EQ(msgs_->texts(), QStringList(3, "Please select the Customer first"));

    form->grid()->selectRow(1);
    msgs_->clear();
    press(form.get(), "JobsButton");
    press(form.get(), "NotesButton");
    press(form.get(), "HistoryButton");
    EXPECT_EQ(msgs_->texts(), QStringList{"The selected Customer has had no jobs scheduled before today"});
    scheduleJob(job, QStringLiteral("2024-03-05"));
    press(form.get(), "HistoryButton");
    form->FieldCount = 5;
    press(form.get(), "ExportButton");
    EXPECT_EQ(form->FieldCount, 0);

    ASSERT_EQ(modal_->opened().size(), 4);
    EXPECT_EQ(modal_->opened()[0].name, "CustomerJobsManagementForm");
    EXPECT_EQ(modal_->opened()[0].tag, "CustomersManagement~" + QString::number(n));
    EXPECT_EQ(modal_->opened()[1].name, "NotesForm");
    EXPECT_EQ(modal_->opened()[1].tag, "Customer~" + QString::number(n));
    EXPECT_EQ(modal_->opened()[2].name, "ServiceHistoryForm");
    EXPECT_EQ(modal_->opened()[2].tag, QString::number(n));
    EXPECT_EQ(modal_->opened()[3].name, "CustomerExportForm");
    EXPECT_EQ(form->listedCustomerNumbers(), QList<qint64>{n});
}

TEST_F(CustomersManagementFormTest, ASavedCustomerRefreshesTheList)
{
    addCustomer(QStringLiteral("Brown"));
    auto form = openList();
    modal_->on("CustomerAddModifyForm", [this](QDialog *d) {
        child<QLineEdit>(d, "ForenameText")->setText(QStringLiteral("Zed"));
        child<QLineEdit>(d, "SurnameText")->setText(QStringLiteral("Young"));
        child<QLineEdit>(d, "Phone1Text")->setText(QStringLiteral("1"));
        child<QLineEdit>(d, "CAddress1Text")->setText(QStringLiteral("9 Road"));
        child<QLineEdit>(d, "CSuburbText")->setText(QStringLiteral("Epsom"));
        child<QLineEdit>(d, "CPostCodeText")->setText(QStringLiteral("1023"));
        child<QLineEdit>(d, "SAddress1Text")->setText(QStringLiteral("9 Road"));
        child<QLineEdit>(d, "SSuburbText")->setText(QStringLiteral("Epsom"));
        msgs_->answer(MsgAnswer::No);
        child(d, "OKButton")->click();
        EXPECT_FALSE(d->isVisible());
    });
    press(form.get(), "AddButton");
    EXPECT_EQ(msgs_->texts(), QStringList{"Customer saved. Do you wish to add another?"});
    EXPECT_EQ(column(form->grid(), 1), (QStringList{"Brown", "Young"}));
}

TEST_F(CustomersManagementFormTest, AFilterTooLongForAnyNameFindsNothingAndTheProgramGoesOn)
{
    addCustomer(QStringLiteral("Brown"));
    auto form = openList();
    // Far beyond what the database accepts as a LIKE pattern.
    child<QLineEdit>(form.get(), "SurnameText")->setText(QString(25000, QLatin1Char('%')));
    child<QLineEdit>(form.get(), "CompanyText")->setText(QString(25000, QChar(0x00E9)));
    press(form.get(), "GoButton");
    EXPECT_EQ(msgs_->texts(), QStringList{QStringLiteral("No records found")});
    EXPECT_EQ(desktop_->ended, -1);

    // Typing stops at what the customer's fields hold.
    auto *surname = child<QLineEdit>(form.get(), "SurnameText");
    surname->clear();
    surname->setFocus();
    QTest::keyClicks(surname, QString(60, QLatin1Char('x')));
    EXPECT_EQ(surname->text().size(), 50);
}
