#include "CustomerTestData.h"
#include "customers/CustomerAddModifyForm.h"
#include "support/DbTest.h"
#include "support/Keys.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
};

} // namespace

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
