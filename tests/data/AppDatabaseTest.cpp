#include "data/AppDatabase.h"
#include "data/SchemaRegistry.h"
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
};

TEST_F(AppDatabaseTest, TransactionRollsBackUnlessCommitted)
{
    try {
        Transaction t;
        writeSql("INSERT INTO T (Name) VALUES (?)", {QStringLiteral("kept?")});
        throw WvsError(1, "failed half way");
    } catch (const WvsError &) {
    }
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T").toInt(), 0);
    {
        Transaction t;
        writeSql("INSERT INTO T (Name) VALUES (?)", {QStringLiteral("kept")});
        t.commit();
    }
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T").toInt(), 1);
}

TEST_F(AppDatabaseTest, BoundValuesAreNeverSqlAndNullTextIsBlank)
{
    const QString nasty = QStringLiteral("x'); DROP TABLE T; --\"");
    writeSql("INSERT INTO T (Name) VALUES (?)", {nasty});
    writeSql("INSERT INTO T (Name) VALUES (?)", {QString()});
    EXPECT_EQ(scalarSql("SELECT Name FROM T WHERE K = 1").toString(), nasty);
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T WHERE Name = ''").toInt(), 1);
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T WHERE Name = ?", {QStringLiteral("X'); drop TABLE t; --\"")}).toInt(), 1);
}

TEST_F(AppDatabaseTest, LikeLiteralMatchesWildcardsLiterally)
{
    for (const char *n : {"100% Clean", "1000 Clean", "A_B", "AxB", "back\\slash"})
        writeSql("INSERT INTO T (Name) VALUES (?)", {QString::fromLatin1(n)});
    auto count = [](const QString &typed) {
        return scalarSql("SELECT COUNT(*) FROM T WHERE Name LIKE ? ESCAPE '\\'",
                         {likeLiteral(typed) + QStringLiteral("%")})
            .toInt();
    };
    EXPECT_EQ(count("100%"), 1);
    EXPECT_EQ(count("a_"), 1);
    EXPECT_EQ(count("back\\"), 1);
    EXPECT_EQ(count("10"), 2);
}

TEST_F(AppDatabaseTest, FailuresAreThrownAndSchemaIsRepeatable)
{
    EXPECT_THROW(execSql("SELECT * FROM NoSuchTable"), WvsError);
    SchemaRegistry::ensure(AppDatabase::db());
    EXPECT_TRUE(SchemaRegistry::tableNames().contains("Associates"));
}

TEST_F(AppDatabaseTest, SecondWorkstationSeesCommittedRowsOnly)
{
    QSqlDatabase other = secondConnection();
    Transaction t;
    writeSql("INSERT INTO T (Name) VALUES ('pending')");
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T", {}, other).toInt(), 0);
    t.commit();
    EXPECT_EQ(scalarSql("SELECT COUNT(*) FROM T", {}, other).toInt(), 1);
    EXPECT_EQ(lastInsertId(), 1);
}

} // namespace
