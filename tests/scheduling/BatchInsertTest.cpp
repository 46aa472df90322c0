#include "data/AppDatabase.h"
#include "platform/WvsError.h"
#include "scheduling/BatchInsert.h"
#include "support/DbTest.h"

#include <gtest/gtest.h>

using namespace wvs;

namespace {

class BatchInsertTest : public test::DbTest {};

} // namespace

TEST_F(BatchInsertTest, RowsKeepTheirValuesAndAFailureIsThrown)
{
    execSql(QStringLiteral("CREATE TEMP TABLE Sample (K INTEGER PRIMARY KEY, T TEXT NOT NULL, N INTEGER, "
                           "R REAL, B BLOB)"));
    Transaction t;
    {
        BatchInsert rows(AppDatabase::db(), QStringLiteral("temp.Sample"), QStringLiteral("K, T, N, R, B"), 5);
        rows.add({1, QString(), QVariant(), 2.5, QByteArray("\0x", 2)});
        rows.add({qint64(1) << 40, QStringLiteral("Zoë ~ \"quoted\"\r\n"), true, 0.0, QByteArray()});
        EXPECT_THROW(rows.add({1, QStringLiteral("again"), 0, 0.0, QByteArray()}), WvsError);
        EXPECT_THROW(rows.add({2, QStringLiteral("short")}), WvsError);
        rows.add({qint64(1) << 41, QStringLiteral("after a failure"), 7, 1.0, QByteArray()});
    }
    t.commit();
    QSqlQuery q = execSql(QStringLiteral("SELECT K, T, N IS NULL, N, R, hex(B) FROM temp.Sample ORDER BY K"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toLongLong(), 1);
    EXPECT_EQ(q.value(1).toString(), "");   // a null text is stored blank
    EXPECT_TRUE(q.value(2).toBool());
    EXPECT_DOUBLE_EQ(q.value(4).toDouble(), 2.5);
    EXPECT_EQ(q.value(5).toString(), "0078");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toLongLong(), qint64(1) << 40);
    EXPECT_EQ(q.value(1).toString(), QStringLiteral("Zoë ~ \"quoted\"\r\n"));
    EXPECT_EQ(q.value(3).toInt(), 1);
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(1).toString(), "after a failure");
    EXPECT_FALSE(q.next());
}
