#include "CustomerTestData.h"
#include "customers/CustomerAddModifyForm.h"
#include "support/DbTest.h"
#include "support/Keys.h"
#include "support/Pointer.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QUrlQuery>
#include <functional>

using namespace wvs;
using namespace wvs::test;

namespace {

class CustomerAddModifyFormTest : public DbTest {
protected:
    // Opens the dialog as the list does and lets the driver use it.
    void run(const QString &tag, const std::function<void(CustomerAddModifyForm *)> &driver)
    {
        bool ran = false;
        modal_->once("CustomerAddModifyForm", [&](QDialog *d) { ran = true, driver(static_cast<CustomerAddModifyForm *>(d)); });
        CustomerAddModifyForm dialog;
        dialog.Tag = tag;
        showModal(&dialog);
        EXPECT_TRUE(ran);
    }

    qint64 storedCustomer()
    {
        const qint64 n = addCustomer("Stored", "Sam", 2);
        writeSql("UPDATE Customers SET Title = 'Dr', PreferredPhone = 0, CustomerComment = 'Dog', CommentOnSchedule = 1, "
                 "CPostCode = '1050' WHERE CustomerNumber = ?", {n});
        return n;
    }

    static void retype(QWidget *d, const char *box, const QString &text) { test::retypeKeys(child<QWidget>(d, box), text); }
    // A click on the tick box's or option's mark.
    static void clickMark(QWidget *d, const char *name)
    {
        QWidget *mark = child<QWidget>(d, name);
        test::pointAndClick(d, mark, QPoint(6, mark->height() / 2));
    }
    static QStringList columnsOf(const QString &table)
    {
        QStringList out;
        for (QSqlQuery q = execSql(QStringLiteral("PRAGMA table_info(%1)").arg(table)); q.next();)
            out << q.value(1).toString();
        return out;
    }
};

} // namespace

// Every box and choice of the dialog is saved to its own column: a customer added with every box filled, then
// modified with every box typed over and every choice changed, then given his correspondence address as his
// service address.
TEST_F(CustomerAddModifyFormTest, EveryBoxAndChoiceIsSavedToItsOwnColumnWhenAddedAndWhenModified)
{
    const char *const customers = "Customers", *const addresses = "CustomerServiceAddresses";
    const struct { const char *box, *added, *changed, *table, *column; } boxes[] = {
        {"TitleText", "Dr", "Prof", customers, "Title"},
        {"ForenameText", "Mary", "Maria", customers, "Forename"},
        {"SurnameText", "Smith", "Smythe", customers, "Surname"},
        {"CAddress1Text", "12 Queen St", "14 King St", customers, "CAddress1"},
        {"CAddress2Text", "Level 3", "Level 5", customers, "CAddress2"},
        {"CAddress3Text", "Suite 4", "Suite 6", customers, "CAddress3"},
        {"CSuburbText", "Ponsonby", "Parnell", customers, "CSuburb"},
        {"CCityText", "Hamilton", "Napier", customers, "CCity"},
        {"CPostCodeText", "1011", "1052", customers, "CPostCode"},
        {"Phone1Text", "09 111 0001", "09 111 0011", customers, "Phone1"},
        {"Phone2Text", "09 222 0002", "09 222 0022", customers, "Phone2"},
        {"Phone3Text", "021 333 0003", "021 333 0033", customers, "Phone3"},
        {"Email1Text", "mary@home.example", "maria@home.example", customers, "Email1"},
        {"Email2Text", "mary@work.example", "maria@work.example", customers, "Email2"},
        {"CompanyText", "Smith Holdings", "Smythe Limited", customers, "CompanyName"},
        {"ContactText", "John Smith", "Joan Smythe", customers, "ContactName"},
        {"AccountsRefText", "SMI001", "SMY002", customers, "AccountsRef"},
        {"CommentText", "Gate code 1234\nDog", "Side gate\nCat", customers, "CustomerComment"},
        {"SAddress1Text", "2 Hill Rd", "4 Hill Rd", addresses, "SAddress1"},
        {"SAddress2Text", "Rear unit", "Front unit", addresses, "SAddress2"},
        {"SAddress3Text", "Lot 9", "Lot 7", addresses, "SAddress3"},
        {"SSuburbText", "Epsom", "Onehunga", addresses, "SSuburb"},
        {"SCityText", "Tauranga", "Rotorua", addresses, "SCity"},
        {"SPostCodeText", "3110", "3010", addresses, "SPostCode"},
    };
    // The control clicked when adding, and when modifying what was added. Over the two saves each tick box
    // holds values of its own (prospective: ticked, then not; inactive: the reverse; the comment's: ticked
    // both times, being taken off the stored customer before the Modify), so one saved to another's column
    // shows.
    const struct { const char *added, *changed, *column; int addedValue, changedValue; } choices[] = {
        {"Phone3Option", "Phone2Option", "PreferredPhone", 3, 2},
        {"ProspectiveCheck", "InactiveCheck", "CustomerStatus", 2, 9},
        {"CommentCheck", "CommentCheck", "CommentOnSchedule", 1, 1},
    };
    // A box or choice saved to another's column shows, and no column is left out.
    QSet<QString> added, changed;
    QStringList customerColumns{"CustomerNumber", "DateEntered"}, addressColumns{"SAddressSeqNo", "CustomerNumber"};
    for (const auto &b : boxes) {
        added << b.added, changed << b.changed;
        (b.table == customers ? customerColumns : addressColumns) << b.column;
    }
    for (const auto &c : choices)
        customerColumns << c.column;
    ASSERT_EQ(added.size() + changed.size(), 2 * int(std::size(boxes)));
    customerColumns.sort(), addressColumns.sort();
    QStringList tableColumns = columnsOf(customers), tableAddressColumns = columnsOf(addresses);
    tableColumns.sort(), tableAddressColumns.sort();
    EXPECT_EQ(customerColumns, tableColumns);
    EXPECT_EQ(addressColumns, tableAddressColumns);

    qint64 n = 0;
    for (const bool adding : {true, false}) {
        SCOPED_TRACE(adding ? "added" : "modified");
        msgs_->clear();
        msgs_->answer(MsgAnswer::No); // no other customer to add
        run(adding ? QStringLiteral("Add") : QStringLiteral("Modify~") + QString::number(n), [&](CustomerAddModifyForm *d) {
            for (const auto &b : boxes)
                retype(d, b.box, adding ? b.added : b.changed);
            for (const auto &c : choices)
                clickMark(d, adding ? c.added : c.changed);
            test::pressButton(d, "OKButton");
            EXPECT_FALSE(d->isVisible());
        });
        EXPECT_EQ(msgs_->texts(), adding ? QStringList{"Customer saved. Do you wish to add another?"} : QStringList{});
        n = scalarSql("SELECT MAX(CustomerNumber) FROM Customers").toLongLong();
        ASSERT_EQ(rowsOf("SELECT COUNT(*), (SELECT COUNT(*) FROM CustomerServiceAddresses WHERE CustomerNumber = ?) "
                         "FROM Customers", {n}), "1|1");
        for (const auto &b : boxes)
            EXPECT_EQ(rowsOf(QStringLiteral("SELECT %1 FROM %2 WHERE CustomerNumber = ?").arg(b.column, b.table), {n}),
                      QString(adding ? b.added : b.changed)) << b.box;
        for (const auto &c : choices)
            EXPECT_EQ(rowsOf(QStringLiteral("SELECT %1 FROM Customers").arg(c.column)),
                      QString::number(adding ? c.addedValue : c.changedValue)) << c.column;
        EXPECT_EQ(rowsOf("SELECT DateEntered FROM Customers"), QDate::currentDate().toString("yyyy-MM-dd"));
        writeSql("UPDATE Customers SET CommentOnSchedule = 0");
    }

    // "Same as Correspondence Address" fills each service box from its own correspondence box.
    run(QStringLiteral("Modify~") + QString::number(n), [&](CustomerAddModifyForm *d) {
        clickMark(d, "CAddressCheck");
        test::pressButton(d, "OKButton");
    });
    EXPECT_EQ(rowsOf("SELECT SAddress1, SAddress2, SAddress3, SSuburb, SCity, SPostCode FROM CustomerServiceAddresses"),
              "14 King St|Level 5|Suite 6|Parnell|Napier|1052");
}

TEST_F(CustomerAddModifyFormTest, AddSavesSeveralAddressesAndStartsAnother)
{
    run(QStringLiteral("Add"), [&](CustomerAddModifyForm *d) {
        fillValidEntry(d);
        // The copy overwrites all six service fields, with the empty ones too.
        for (const char *box : {"SAddress2Text", "SAddress3Text", "SCityText"})
            type(d, box, QStringLiteral("typed before"));
        click(d, "CAddressCheck");
        QStringList service;
        for (const char *box : {"SAddress1Text", "SAddress2Text", "SAddress3Text", "SSuburbText", "SCityText", "SPostCodeText"})
            service << text(d, box);
        EXPECT_EQ(service, QStringList({"12 Queen St", "", "", "Ponsonby", "", "1011"}));
        click(d, "NextAddressButton");
        // The blank new address is not a copy: the tick is cleared, and
        // paging back does not copy over the stored first address.
        EXPECT_FALSE(ticked(d, "CAddressCheck"));
        type(d, "CAddress1Text", QStringLiteral("12 Queen Street"));
        click(d, "PreviousAddressButton");
        EXPECT_EQ(text(d, "SAddress1Text"), "12 Queen St");
        EXPECT_FALSE(ticked(d, "CAddressCheck"));
        type(d, "CAddress1Text", QStringLiteral("12 Queen St"));
        click(d, "NextAddressButton");
        type(d, "SAddress1Text", QStringLiteral("2 Hill Rd"));
        type(d, "SSuburbText", QStringLiteral("Epsom"));
        click(d, "Phone3Option");
        type(d, "Phone3Text", QStringLiteral("021 3"));

        // Save while the second address is shown; then start another customer.
        msgs_->clear();
        msgs_->answer(MsgAnswer::Yes);
        click(d, "OKButton");
        EXPECT_EQ(msgs_->texts(), QStringList{"Customer saved. Do you wish to add another?"});
        EXPECT_EQ(text(d, "SurnameText"), "");
    });
    EXPECT_EQ(rowsOf("SELECT Surname, PreferredPhone, CCity FROM Customers"), "Smith|3|Auckland");
    EXPECT_EQ(rowsOf("SELECT SAddress1, SCity FROM CustomerServiceAddresses ORDER BY SAddressSeqNo"),
              "12 Queen St|Auckland;2 Hill Rd|Auckland");
}

TEST_F(CustomerAddModifyFormTest, EnterInABoxAndRefusedEntriesKeepTheDialogOpenAndWriteNothing)
{
    addCustomer("Smith", "Mary");
    writeSql("UPDATE Customers SET CAddress1 = '12 Queen St'");
    run("Add", [&](CustomerAddModifyForm *d) {
        // Enter in a box neither saves nor checks.
        fillValidEntry(d);
        test::press(child<QLineEdit>(d, "CPostCodeText"), Qt::Key_Enter, Qt::KeypadModifier);
        test::press(child<QLineEdit>(d, "SurnameText"), Qt::Key_Return);
        settle();
        EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join(" | ").toStdString();
        EXPECT_TRUE(d->isVisible());
        for (QPushButton *b : d->findChildren<QPushButton *>())
            EXPECT_FALSE(b->isDefault()) << b->objectName().toStdString();

        type(d, "SurnameText", QString());
        click(d, "OKButton");
        EXPECT_EQ(d->focusWidget(), child<QLineEdit>(d, "SurnameText"));
        // A probable duplicate is asked about; No writes nothing.
        type(d, "SurnameText", "Smith");
        type(d, "SAddress1Text", "1 Shore Rd");
        type(d, "SSuburbText", "Devonport");
        msgs_->clear();
        msgs_->answer(MsgAnswer::No);
        click(d, "OKButton");
        EXPECT_EQ(msgs_->texts(), QStringList{"A Customer with the same forename, surname and address already exists. "
                                              "Do you still want to create a new Customer with these details?"});
        EXPECT_TRUE(d->isVisible());
    });
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM Customers").toInt(), 1);

    // The same forename, surname and first address line but for one of the three is no duplicate.
    EXPECT_TRUE(CustomerStore::similarCustomerExists(validCustomer()));
    for (const auto &change : std::initializer_list<std::function<void(CustomerRecord &)>>{
             [](CustomerRecord &c) { c.forename = "Maria"; }, [](CustomerRecord &c) { c.surname = "Smyth"; },
             [](CustomerRecord &c) { c.cAddress1 = "14 Queen St"; }}) {
        CustomerRecord c = validCustomer();
        change(c);
        EXPECT_FALSE(CustomerStore::similarCustomerExists(c)) << (c.forename + " " + c.surname + " " + c.cAddress1).toStdString();
    }
}

TEST_F(CustomerAddModifyFormTest, MapSearchOpensTheShownAddressAndACustomerDeletedElsewhereOnlyGetsAMessage)
{
    const qint64 n = storedCustomer();
    addAddress(n, QStringLiteral("A St"));
    run("Modify~" + QString::number(n), [&](CustomerAddModifyForm *d) {
        auto *map = child<QLabel>(d, "MapImage");
        type(d, "SAddress1Text", QStringLiteral("5 Smith & Sons Rd #2"));
        type(d, "SSuburbText", QStringLiteral("Onehunga"));
        type(d, "SPostCodeText", QStringLiteral("1061+"));
        QTest::mouseClick(map, Qt::LeftButton);
        ASSERT_EQ(desktop_->opened.size(), 1);
        EXPECT_EQ(QUrlQuery(desktop_->opened[0]).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded),
                  "5 Smith & Sons Rd #2, Onehunga, Auckland, 1061+");
        // The address is sent percent-encoded, so "+" is not read as a blank.
        EXPECT_TRUE(desktop_->opened[0].toEncoded().contains("1061%2B"));
        // Without a browser the user is told, with the address to open by hand.
        desktop_->openResult = false;
        QTest::mouseClick(map, Qt::LeftButton);
        EXPECT_TRUE(msgs_->last().contains("no web browser"));
        EXPECT_TRUE(msgs_->last().endsWith(desktop_->opened.last().toString(QUrl::FullyEncoded)));

        click(d, "ProspectiveCheck");
        writeSql(QStringLiteral("DELETE FROM Customers WHERE CustomerNumber = ?"), {n});
        msgs_->clear();
        click(d, "OKButton"); // would throw ProcessEnded if the program ended
        EXPECT_EQ(msgs_->texts(), QStringList{"This Customer has been deleted by another user. The changes cannot be saved"});
        EXPECT_TRUE(d->isVisible());
    });
    EXPECT_EQ(desktop_->ended, -1);
    EXPECT_EQ(CustomerStore::loadAddresses(n).size(), 1);
}

TEST_F(CustomerAddModifyFormTest, ModifyKeepsAnotherWorkstationsChangesAndValuesLongerThanTheBoxes)
{
    const qint64 n = storedCustomer();
    const QString longTitle = QStringLiteral("The Right Honourable Sir"); // longer than the box takes
    writeSql(QStringLiteral("UPDATE Customers SET Title = ? WHERE CustomerNumber = ?"), {longTitle, n});
    const qint64 first = addAddress(n, QStringLiteral("A St")), second = addAddress(n, QStringLiteral("B St"));
    writeSql("UPDATE CustomerServiceAddresses SET SCity = 'Hamilton' WHERE SAddressSeqNo = ?", {first});
    QSqlDatabase other = secondConnection();
    run("Modify~" + QString::number(n), [&](CustomerAddModifyForm *d) {
        EXPECT_EQ(text(d, "TitleText"), longTitle);
        // Workstation B saves a new third phone and moves the second address.
        writeSql(QStringLiteral("UPDATE Customers SET Phone3 = '021 333' WHERE CustomerNumber = ?"), {n}, other);
        writeSql(QStringLiteral("UPDATE CustomerServiceAddresses SET SSuburb = 'Onehunga' WHERE SAddressSeqNo = ?"),
                 {second}, other);
        // Workstation A changes both addresses, paging between them, and other fields.
        click(d, "NextAddressButton");
        type(d, "SPostCodeText", QStringLiteral("2000"));
        click(d, "PreviousAddressButton");
        type(d, "Email2Text", QStringLiteral("sam@work.example"));
        click(d, "InactiveCheck");
        type(d, "SPostCodeText", QStringLiteral("1023"));
        type(d, "SCityText", QString());
        // Paging back from an address whose first line was emptied drops that change only.
        click(d, "NextAddressButton");
        type(d, "SAddress1Text", QString());
        click(d, "PreviousAddressButton");
        click(d, "OKButton");
    });
    // The preferred phone, shown as Phone 1 but not chosen by the user, stays unset.
    EXPECT_EQ(rowsOf("SELECT Email2, CustomerStatus, Phone3, Title, PreferredPhone FROM Customers"),
              "sam@work.example|9|021 333|" + longTitle + "|0");
    EXPECT_EQ(rowsOf("SELECT SAddressSeqNo, SPostCode, SCity, SSuburb FROM CustomerServiceAddresses ORDER BY SAddressSeqNo"),
              QString("%1|1023|Auckland|Epsom;%2|2000|Auckland|Onehunga").arg(first).arg(second));
}

// Two workstations on one database file: the other one keeps its write open for longer than this one waits.
TEST_F(CustomerAddModifyFormTest, ASaveKeptWaitingIsToldToTryAgainAndKeepsWhatWasTyped)
{
    AppDatabase::setBusyWait(300);
    struct Restore { ~Restore() { AppDatabase::setBusyWait(5000); } } restore;
    const qint64 n = storedCustomer();
    addAddress(n, QStringLiteral("A St"));
    QSqlDatabase other = secondConnection();
    run(QStringLiteral("Modify~") + QString::number(n), [&](CustomerAddModifyForm *d) {
        execSql(QStringLiteral("BEGIN IMMEDIATE"), {}, other);
        writeSql(QStringLiteral("UPDATE Customers SET Phone3 = '021 333' WHERE CustomerNumber = ?"), {n}, other);

        type(d, "SurnameText", QStringLiteral("Renamed"));
        type(d, "SPostCodeText", QStringLiteral("1023"));
        click(d, "OKButton"); // a fatal report would end the program here
        EXPECT_EQ(msgs_->texts(), QStringList{"The data is in use at another workstation. Please try again"});
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(text(d, "SurnameText"), "Renamed");
        EXPECT_EQ(text(d, "SPostCodeText"), "1023");
        // Nothing of the save reached the database, and this workstation can still read.
        EXPECT_EQ(CustomerStore::load(n)->surname, "Stored");

        // Once the other workstation lets go, the same save goes through.
        execSql(QStringLiteral("COMMIT"), {}, other);
        msgs_->clear();
        click(d, "OKButton");
        EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join(" / ").toStdString();
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(desktop_->ended, -1);

    EXPECT_EQ(rowsOf("SELECT Surname, Phone3 FROM Customers"), "Renamed|021 333");
    EXPECT_EQ(rowsOf("SELECT SPostCode FROM CustomerServiceAddresses"), "1023");
}
