#include "data/AppDatabase.h"
#include "platform/ErrorHandlingModule.h"
#include "support/DbTest.h"

using namespace wvs;

namespace {

class AppDatabaseTest : public test::DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        writeSql("CREATE TABLE T (K INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT NOT NULL DEFAULT '' COLLATE NOCASE)");
    }
    void TearDown() override
    {
        AppDatabase::setBusyWait(5000);
        DbTest::TearDown();
    }
};

TEST_F(AppDatabaseTest, TransactionRollsBackUnlessCommittedAndOthersSeeOnlyWhatIsCommitted)
{
    EXPECT_TRUE(trapError([] {
        Transaction t;
        writeSql("INSERT INTO T (Name) VALUES (?)", {"kept?"});
        throw WvsError(1, "failed half way");
    }));
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T").toInt(), 0);

    QSqlDatabase other = secondConnection();
    Transaction t;
    writeSql("INSERT INTO T (Name) VALUES ('pending')");
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T", {}, other).toInt(), 0);
    t.commit();
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T", {}, other).toInt(), 1);
    EXPECT_EQ(lastInsertId(), 1); // the undone insert took no key
}

TEST_F(AppDatabaseTest, BoundValuesAreNeverSqlAndNullTextIsBlank)
{
    const QString nasty = "x'); DROP TABLE T; --\"";
    writeSql("INSERT INTO T (Name) VALUES (?)", {nasty});
    writeSql("INSERT INTO T (Name) VALUES (?)", {QString()});
    EXPECT_EQ(scalarSql("SELECT Name FROM T WHERE K = 1").toString(), nasty);
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T WHERE Name = ''").toInt(), 1);
}

TEST_F(AppDatabaseTest, AnotherWorkstationsLongWriteIsReportedAsBusyAndRolledBack)
{
    AppDatabase::setBusyWait(200);
    QSqlDatabase other = secondConnection();
    auto number = [](auto &&body) -> long {
        const auto e = trapError(body);
        EXPECT_TRUE(!e || e->number != ErrorNumber::DatabaseBusy || e->description == AppDatabase::busyMessage());
        return e ? e->number : 0;
    };

    // The other workstation is writing: this one cannot begin.
    execSql("BEGIN IMMEDIATE", {}, other);
    EXPECT_EQ(number([] { Transaction t; }), ErrorNumber::DatabaseBusy);
    execSql("ROLLBACK", {}, other);

    // The other workstation is still reading when this one commits: the commit gives up, all is undone.
    writeSql("INSERT INTO T (Name) VALUES ('read')");
    {
        QSqlQuery reading = execSql("SELECT Name FROM T", {}, other);
        ASSERT_TRUE(reading.next());
        EXPECT_EQ(number([] {
                      Transaction t;
                      writeSql("INSERT INTO T (Name) VALUES ('not kept')");
                      t.commit();
                  }),
                  ErrorNumber::DatabaseBusy);
    }
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T", {}, other).toInt(), 1);

    // Any other failure keeps its own number (and the fatal report).
    EXPECT_EQ(number([] { writeSql("INSERT INTO NoSuchTable VALUES (1)"); }), ErrorNumber::Database);
    // The connection is free for the next transaction.
    Transaction t;
    writeSql("INSERT INTO T (Name) VALUES ('kept')");
    t.commit();
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T").toInt(), 2);
}

} // namespace
