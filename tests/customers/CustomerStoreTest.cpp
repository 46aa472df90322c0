#include "CustomerTestData.h"
#include "customers/CustomerRecord.h"
#include "customers/CustomerNoteStore.h"
#include "customers/CustomerRemoval.h"
#include "customers/CustomerValidation.h"
#include "support/DbTest.h"
#include "platform/WvsError.h"

#include <QDate>
#include <QDateTime>
#include <functional>

using namespace wvs;
using namespace wvs::test;

using CustomerStoreTest = DbTest;

using CustomerRemovalTest = DbTest;

TEST_F(CustomerStoreTest, AddStoresTheCustomerAndHisAddressesUnderTheInsertedKey)
{
    // Another customer is added at the same moment with a higher number (played by a trigger): the new
    // addresses still go to our customer.
    addCustomer(QStringLiteral("First"));
    writeSql("CREATE TEMP TRIGGER OtherWorkstation AFTER INSERT ON Customers WHEN NEW.Surname <> 'Other' "
             "BEGIN INSERT INTO Customers (CustomerNumber, Surname) VALUES (NEW.CustomerNumber + 100, 'Other'); END");
    CustomerRecord c = validCustomer();
    c.surname = QStringLiteral("O'Brien \"Junior\"; DROP TABLE Customers");
    c.title = QStringLiteral("Mrs");
    c.customerStatus = CustomerStatus::Prospective;
    c.commentOnSchedule = true;
    c.customerComment = QStringLiteral("Gate code 1234\nDog");
    const ServiceAddress withCity{.sAddress1 = "2 Hill Rd", .sSuburb = "Ponsonby", .sCity = "Hamilton"};
    // New addresses with other fields but no first line filled pass the checks and are not stored.
    const ServiceAddress noFirstLine{.sAddress2 = "Rear", .sAddress3 = "Lot 2", .sSuburb = "Epsom", .sCity = "Napier",
                                     .sPostCode = "1023"};
    const QVector<ServiceAddress> list{newAddress("1 Shore Rd"), noFirstLine, {.sAddress2 = "Shed"}, withCity};
    EXPECT_TRUE(CustomerValidation::validate(CustomerMode::Add, c, list).ok) << msgs_->texts().join(" | ").toStdString();
    const qint64 n = CustomerStore::save(CustomerMode::Add, c, list);

    EXPECT_EQ(rowsOf("SELECT Surname, Title, CCity, Email2, CustomerStatus, CommentOnSchedule, CustomerComment, "
                     "DateEntered FROM Customers WHERE CustomerNumber = ?", {n}),
              QString("%1|Mrs|Auckland||2|1|Gate code 1234\nDog|%2").arg(c.surname, QDate::currentDate().toString("yyyy-MM-dd")));
    // No address goes to another customer.
    EXPECT_EQ(rowsOf("SELECT CustomerNumber = ?, SAddress1, SCity FROM CustomerServiceAddresses ORDER BY SAddressSeqNo", {n}),
              "1|1 Shore Rd|Auckland;1|2 Hill Rd|Hamilton");
}

TEST_F(CustomerStoreTest, ModifyKeepsUpdatesAddsAndRemovesAddressesButNotOneAJobStillUses)
{
    const qint64 n = addCustomer(QStringLiteral("Brown"));
    writeSql(QStringLiteral("UPDATE Customers SET PreferredPhone = 3, DateEntered = '2020-01-01' WHERE CustomerNumber = ?"), {n});
    const qint64 keep = addAddress(n, QStringLiteral("Keep St")), change = addAddress(n, QStringLiteral("Change St"));
    const qint64 removed = addAddress(n, QStringLiteral("Remove St"));

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
    EXPECT_TRUE(CustomerValidation::validate(CustomerMode::Modify, c, list).ok);

    // A job arrives for the emptied address after the entry was checked: the save refuses and keeps nothing.
    const qint64 job = addJob(n, removed);
    const QString refusal =
        "Address Remove St cannot be removed from the service addresses as a Customer Job exists for that address";
    try {
        CustomerStore::save(CustomerMode::Modify, c, list);
        FAIL() << "the removal was not refused";
    } catch (const WvsError &e) {
        EXPECT_EQ(e.number(), ErrorNumber::Recoverable);
        EXPECT_EQ(e.description(), refusal);
    }
    EXPECT_EQ(CustomerStore::load(n)->surname, "Brown");
    EXPECT_EQ(CustomerStore::loadAddresses(n).size(), 3);
    // Checked again, the entry is refused with the same words.
    EXPECT_FALSE(CustomerValidation::validate(CustomerMode::Modify, c, list).ok);
    EXPECT_EQ(msgs_->last(), refusal);

    writeSql("DELETE FROM CustomerJobs WHERE JobSeqNo = ?", {job});
    CustomerStore::save(CustomerMode::Modify, c, list);
    EXPECT_EQ(rowsOf("SELECT Surname, CCity, PreferredPhone, DateEntered FROM Customers"), "Browne|Auckland|3|2020-01-01");
    // The kept and changed addresses keep their keys; the emptied one is gone.
    EXPECT_EQ(rowsOf("SELECT SAddressSeqNo IN (?, ?), SAddress1, SCity FROM CustomerServiceAddresses ORDER BY SAddressSeqNo",
                     {keep, change}),
              "1|Keep St|Auckland;1|Changed St|Auckland;0|Added St|Auckland");
}

TEST_F(CustomerRemovalTest, DeleteChecksScheduledJobsAgainAndThenRemovesNothing)
{
    const qint64 c = addCustomer(QStringLiteral("Busy"));
    const qint64 job = addJob(c, addAddress(c, QStringLiteral("1 St")));
    EXPECT_EQ(CustomerRemoval::scheduledJobCount(c), 0);
    // Another workstation closes a schedule holding the job after the count.
    storeJob(1, job, QStringLiteral("2030-05-01"), 0, {}, {});
    EXPECT_EQ(CustomerRemoval::deletePermanently(c), CustomerRemoval::DeleteResult::Scheduled);
    EXPECT_EQ(rowsOf("SELECT (SELECT COUNT(*) FROM Customers WHERE CustomerNumber = ?), (SELECT COUNT(*) FROM "
                     "CustomerJobs WHERE CustomerNumber = ?), (SELECT COUNT(*) FROM CustomerServiceAddresses WHERE "
                     "CustomerNumber = ?)", {c, c, c}), "1|1|1");
}

// Another workstation removes a row between the window's opening (or the question) and the save: the save or
// delete writes nothing and says which row is gone.
TEST_F(CustomerStoreTest, ASaveAfterAnotherWorkstationRemovedWhatItNamesWritesNothingAndSaysWhichRowIsGone)
{
    writeSql(QStringLiteral("UPDATE Preferences SET MYOB = 1"));
    const qint64 other = addCustomer(QStringLiteral("Other"));
    const QString customerGone = "The Customer no longer exists - it may have been changed or deleted by another user";
    const QString addressGone =
        "The Service Address no longer exists - it may have been changed or deleted by another user";
    struct Opened {
        qint64 n;
        QVector<ServiceAddress> shownList;
        CustomerRecord shown;
        CustomerRecord c;
        QVector<ServiceAddress> list;
    };
    const struct {
        const char *save;
        const char *atB; // ? is the customer, ?2 his second address, ?3 the other customer
        std::function<void(Opened &)> run;
        QString message;
    } rows[] = {
        {"Modify: a changed address", "DELETE FROM CustomerServiceAddresses WHERE SAddressSeqNo = ?2",
         [](Opened &o) {
             o.list[1].sAddress1 = QStringLiteral("Changed St");
             CustomerStore::save(CustomerMode::Modify, o.c, o.list, &o.shown, &o.shownList);
         },
         addressGone},
        {"Modify: the name, the address left as shown", "DELETE FROM CustomerServiceAddresses WHERE SAddressSeqNo = ?2",
         [](Opened &o) {
             o.c.surname = QStringLiteral("Browne");
             CustomerStore::save(CustomerMode::Modify, o.c, o.list, &o.shown, &o.shownList);
         },
         addressGone},
        {"Modify: the accounts reference", "UPDATE Customers SET AccountsRef = 'R7' WHERE CustomerNumber = ?3",
         [](Opened &o) {
             o.c.accountsRef = QStringLiteral("R7");
             CustomerStore::save(CustomerMode::Modify, o.c, o.list, &o.shown, &o.shownList);
         },
         "Accounts Reference R7 has been already assigned to another Customer"},
        {"Add: the accounts reference", "UPDATE Customers SET AccountsRef = 'R8' WHERE CustomerNumber = ?3",
         [](Opened &) {
             CustomerRecord c = validCustomer();
             c.accountsRef = QStringLiteral("R8");
             CustomerStore::save(CustomerMode::Add, c, {newAddress(QStringLiteral("1 Shore Rd"))});
         },
         "Accounts Reference R8 has been already assigned to another Customer"},
        {"Make inactive, after the question", "DELETE FROM Customers WHERE CustomerNumber = ?",
         [](Opened &o) { CustomerRemoval::makeInactive(o.n); }, customerGone},
        {"Delete, after the question", "DELETE FROM Customers WHERE CustomerNumber = ?",
         [](Opened &o) { CustomerRemoval::deletePermanently(o.n); }, customerGone},
        {"A note", "DELETE FROM Customers WHERE CustomerNumber = ?",
         [](Opened &o) {
             CustomerNoteStore::add(o.n, {QDateTime::currentDateTime(), QStringLiteral("Rang"), QStringLiteral("Admin")});
         },
         customerGone},
    };
    const auto tables = [] {
        QStringList rows;
        for (const char *t : {"Customers", "CustomerServiceAddresses", "CustomerNotes", "CustomerJobs"})
            rows << rowsOf(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(QLatin1String(t)));
        return rows;
    };
    QSqlDatabase b = secondConnection();
    for (const auto &row : rows) {
        SCOPED_TRACE(row.save);
        Opened o;
        o.n = addCustomer(QStringLiteral("Brown"));
        addAddress(o.n, QStringLiteral("Keep St"));
        const qint64 second = addAddress(o.n, QStringLiteral("Second St"));
        o.shown = o.c = *CustomerStore::load(o.n);
        o.shownList = o.list = CustomerStore::loadAddresses(o.n);
        QString atB = QString::fromLatin1(row.atB);
        atB.replace(QStringLiteral("?2"), QString::number(second))
            .replace(QStringLiteral("?3"), QString::number(other))
            .replace(QStringLiteral("?"), QString::number(o.n));
        writeSql(atB, {}, b);
        const QStringList before = tables();
        QString message;
        try {
            row.run(o);
        } catch (const WvsError &e) {
            EXPECT_EQ(e.number(), ErrorNumber::Recoverable);
            message = e.description();
        }
        EXPECT_EQ(message, row.message);
        EXPECT_EQ(tables(), before);
        writeSql(QStringLiteral("UPDATE Customers SET AccountsRef = ''"));
    }
}
