#include "CustomerTestData.h"
#include "common/Formats.h"
#include "customers/CustomerRecord.h"
#include "customers/CustomerValidation.h"
#include "support/DbTest.h"
#include "platform/WvsError.h"

#include <QDate>

using namespace wvs;
using namespace wvs::test;

namespace {

class CustomerStoreTest : public DbTest {
protected:
    int count(const QString &sql, const QVariantList &p = {}) { return scalarSql(sql, p).toInt(); }
};

} // namespace

TEST_F(CustomerStoreTest, AddStoresTheCustomerAndHisAddressesUnderTheInsertedKey)
{
    CustomerRecord c = validCustomer();
    c.surname = QStringLiteral("O'Brien \"Junior\"; DROP TABLE Customers");
    c.title = QStringLiteral("Mrs");
    c.customerStatus = CustomerStatus::Prospective;
    c.commentOnSchedule = true;
    c.customerComment = QStringLiteral("Gate code 1234\nDog");
    ServiceAddress noCity = newAddress(QStringLiteral("1 Shore Rd"));
    ServiceAddress withCity = newAddress(QStringLiteral("2 Hill Rd"));
    withCity.sCity = QStringLiteral("Hamilton");
    const qint64 n = CustomerStore::save(CustomerMode::Add, c, {noCity, newAddress(QString()), withCity});

    auto loaded = CustomerStore::load(n);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->surname, c.surname);
    EXPECT_TRUE(CustomerStore::similarCustomerExists(c));
    EXPECT_EQ(loaded->title, "Mrs");
    EXPECT_EQ(loaded->cCity, "Auckland");
    EXPECT_EQ(loaded->email2, "");
    EXPECT_EQ(loaded->customerStatus, 2);
    EXPECT_TRUE(loaded->commentOnSchedule);
    EXPECT_EQ(loaded->customerComment, "Gate code 1234\nDog");
    EXPECT_EQ(loaded->dateEntered, Formats::toStoredDate(QDate::currentDate()));

    const auto addresses = CustomerStore::loadAddresses(n);
    ASSERT_EQ(addresses.size(), 2);
    EXPECT_EQ(addresses[0].sAddress1, "1 Shore Rd");
    EXPECT_EQ(addresses[0].sCity, "Auckland");
    EXPECT_EQ(addresses[1].sCity, "Hamilton");
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CustomerServiceAddresses WHERE CustomerNumber <> ?"), {n}), 0);
}

TEST_F(CustomerStoreTest, NewNumberIsTheInsertedKeyEvenWhenAHigherOneAppears)
{
    // Another customer is added at the same moment with a higher number (played
    // by a trigger): the new addresses still go to our customer.
    addCustomer(QStringLiteral("First"));
    writeSql(QStringLiteral("CREATE TEMP TRIGGER OtherWorkstation AFTER INSERT ON Customers WHEN NEW.Surname = 'Smith' "
                            "BEGIN INSERT INTO Customers (CustomerNumber, Surname) VALUES (NEW.CustomerNumber + 100, 'Other'); END"));

    const qint64 n = CustomerStore::save(CustomerMode::Add, validCustomer(), {newAddress(QStringLiteral("1 A St"))});
    EXPECT_EQ(CustomerStore::load(n)->surname, "Smith");
    EXPECT_EQ(CustomerStore::loadAddresses(n).size(), 1);
    EXPECT_TRUE(CustomerStore::loadAddresses(n + 100).isEmpty());
}

TEST_F(CustomerStoreTest, ModifyKeepsUpdatesAddsAndRemovesAddresses)
{
    const qint64 n = addCustomer(QStringLiteral("Brown"));
    writeSql(QStringLiteral("UPDATE Customers SET PreferredPhone = 3, DateEntered = '2020-01-01' WHERE CustomerNumber = ?"), {n});
    const qint64 keep = addAddress(n, QStringLiteral("Keep St"));
    const qint64 change = addAddress(n, QStringLiteral("Change St"));
    const qint64 remove = addAddress(n, QStringLiteral("Remove St"));

    auto c = *CustomerStore::load(n);
    auto list = CustomerStore::loadAddresses(n);
    ASSERT_EQ(list.size(), 3);
    c.surname = QStringLiteral("Browne");
    c.cCity.clear();
    c.preferredPhone = 0; // no option chosen: the stored choice stays
    list[1].sAddress1 = QStringLiteral("Changed St");
    list[1].sCity.clear();
    list[2].sAddress1.clear();
    list.append(newAddress(QStringLiteral("Added St")));
    CustomerStore::save(CustomerMode::Modify, c, list);

    auto after = *CustomerStore::load(n);
    EXPECT_EQ(after.surname, "Browne");
    EXPECT_EQ(after.cCity, "Auckland");
    EXPECT_EQ(after.preferredPhone, 3);
    EXPECT_EQ(after.dateEntered, "2020-01-01");

    const auto stored = CustomerStore::loadAddresses(n);
    ASSERT_EQ(stored.size(), 3);
    EXPECT_EQ(stored[0].seqNo, keep);
    EXPECT_EQ(stored[0].sAddress1, "Keep St");
    EXPECT_EQ(stored[1].seqNo, change);
    EXPECT_EQ(stored[1].sAddress1, "Changed St");
    EXPECT_EQ(stored[1].sCity, "Auckland");
    EXPECT_EQ(stored[2].sAddress1, "Added St");
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM CustomerServiceAddresses WHERE SAddressSeqNo = ?"), {remove}), 0);
}

TEST_F(CustomerStoreTest, AnAddressStillUsedByAJobIsNotRemovedAndNothingIsKept)
{
    const qint64 n = addCustomer(QStringLiteral("Green"));
    addAddress(n, QStringLiteral("One St"));
    const qint64 a2 = addAddress(n, QStringLiteral("Two St"));
    auto c = *CustomerStore::load(n);
    auto list = CustomerStore::loadAddresses(n);
    list[1].sAddress1.clear();
    c.surname = QStringLiteral("Changed");
    EXPECT_TRUE(CustomerValidation::validate(CustomerMode::Modify, c, list).ok);
    // The job arrives after the entry was checked: the save refuses too.
    addJob(n, a2);
    const QString refusal =
        "Address Two St cannot be removed from the service addresses as a Customer Job exists for that address";
    try {
        CustomerStore::save(CustomerMode::Modify, c, list);
        FAIL() << "the removal was not refused";
    } catch (const WvsError &e) {
        EXPECT_EQ(e.number(), ErrorNumber::Recoverable);
        EXPECT_EQ(e.description(), refusal);
    }
    EXPECT_EQ(CustomerStore::load(n)->surname, "Green");
    EXPECT_EQ(CustomerStore::loadAddresses(n).size(), 2);
    // Checked again, the entry is refused with the same words.
    EXPECT_FALSE(CustomerValidation::validate(CustomerMode::Modify, c, list).ok);
    EXPECT_EQ(msgs_->last(), refusal);
}
