#include "CustomerTestData.h"
#include "customers/CustomerAddModifyForm.h"
#include "support/DbTest.h"

#include <QPushButton>

using namespace wvs;
using namespace wvs::test;

namespace {

// Two workstations on one database file: the other one keeps its write open
// for longer than this one waits.
class CustomerBusyDatabaseTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        AppDatabase::setBusyWait(300);
    }
    void TearDown() override
    {
        AppDatabase::setBusyWait(5000);
        DbTest::TearDown();
    }
};

TEST_F(CustomerBusyDatabaseTest, ASaveKeptWaitingIsToldToTryAgainAndKeepsWhatWasTyped)
{
    const qint64 n = addCustomer(QStringLiteral("Stored"), QStringLiteral("Sam"));
    writeSql(QStringLiteral("UPDATE Customers SET CPostCode = '1050' WHERE CustomerNumber = ?"), {n});
    addAddress(n, QStringLiteral("A St"));
    QSqlDatabase other = secondConnection();

    bool ran = false;
    modal_->once(QStringLiteral("CustomerAddModifyForm"), [&](QDialog *d) {
        ran = true;
        execSql(QStringLiteral("BEGIN IMMEDIATE"), {}, other);
        writeSql(QStringLiteral("UPDATE Customers SET Phone3 = '021 333' WHERE CustomerNumber = ?"), {n}, other);

        type(d, "SurnameText", QStringLiteral("Renamed"));
        type(d, "SPostCodeText", QStringLiteral("1023"));
        click(d, "OKButton"); // a fatal report would end the program here
        EXPECT_EQ(msgs_->texts(), QStringList{AppDatabase::busyMessage()});
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(text(d, "SurnameText"), "Renamed");
        EXPECT_EQ(text(d, "SPostCodeText"), "1023");
        // Nothing of the save reached the database, and this workstation can
        // still read.
        EXPECT_EQ(CustomerStore::load(n)->surname, "Stored");

        // Once the other workstation lets go, the same save goes through.
        execSql(QStringLiteral("COMMIT"), {}, other);
        msgs_->clear();
        click(d, "OKButton");
        EXPECT_TRUE(msgs_->texts().isEmpty()) << msgs_->texts().join(" / ").toStdString();
        EXPECT_FALSE(d->isVisible());
    });
    CustomerAddModifyForm dialog;
    dialog.Tag = QStringLiteral("Modify~") + QString::number(n);
    showModal(&dialog);
    EXPECT_TRUE(ran);
    EXPECT_EQ(desktop_->ended, -1);

    const auto c = CustomerStore::load(n);
    EXPECT_EQ(c->surname, "Renamed");
    EXPECT_EQ(c->phone3, "021 333");
    EXPECT_EQ(CustomerStore::loadAddresses(n)[0].sPostCode, "1023");
}

} // namespace
