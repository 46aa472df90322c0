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
    QStringList stored;
    QSqlQuery q = execSql(QStringLiteral("SELECT K || '|' || quote(T) || '|' || quote(N) || '|' || R || '|' || hex(B) "
                                         "FROM temp.Sample ORDER BY K"));
    while (q.next())
        stored << q.value(0).toString();
    // A null text is stored blank, a null number as NULL.
    EXPECT_EQ(stored, QStringList({"1|''|NULL|2.5|0078", QStringLiteral("1099511627776|'Zoë ~ \"quoted\"\r\n'|1|0.0|"),
                                   "2199023255552|'after a failure'|7|1.0|"}));
}
