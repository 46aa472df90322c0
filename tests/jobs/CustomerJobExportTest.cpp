#include "common/CsvExport.h"
#include "jobs/CustomerJobExport.h"
#include "jobs/CustomerJobExportForm.h"
#include "jobs/CustomerJobsManagementForm.h"
#include "jobs/JobsDbTest.h"
#include "platform/FileDialog.h"
#include "platform/FlexGrid.h"
#include "support/LocalServers.h"

using namespace wvs;
using wvs::test::StoredJob;

namespace {

class CustomerJobExportTest : public wvs::test::JobsDbTest {
protected:
    void SetUp() override
    {
        JobsDbTest::SetUp();
        addJobType(QStringLiteral("CLEAN"), QStringLiteral("Window \"Deluxe\" clean, inside"), QStringLiteral("JT-1"));
        customer_ = addCustomer(QStringLiteral("Müller"), QStringLiteral("Zoë"));
        writeSql(QStringLiteral("UPDATE Customers SET AccountsRef = 'C-9' WHERE CustomerNumber = ?"), {customer_});
        address_ = addAddress(customer_, QStringLiteral("4 Bay Rd"), QStringLiteral("Ōrākei"), QStringLiteral("Flat 2"));
    }

    qint64 job(int frequency, qint64 costCents, const QString &end = QString())
    {
        return addJob(customer_, address_,
                      [&](StoredJob &j) { j.frequency = frequency, j.costCents = costCents, j.end = end; });
    }

    void choose(const QStringList &fields)
    {
        QList<QPair<QString, int>> choice;
        for (const QString &f : CsvExport::fieldsOf(QStringLiteral("CustomerJobsExportFields")))
            choice.append({f, fields.contains(f) ? 1 : 0});
        CsvExport::saveChoice(QStringLiteral("CustomerJobsExportFields"), choice);
    }

    QList<QStringList> csv(const QString &path)
    {
        bool ok = false;
        const auto rows = wvs::test::pythonCsvRows(path, &ok);
        EXPECT_TRUE(ok);
        return rows;
    }

    qint64 customer_ = 0;
    qint64 address_ = 0;
};

} // namespace

TEST_F(CustomerJobExportTest, AllColumnsInTableOrderWithListFrequencyAndPlainCost)
{
    const qint64 a = job(102017, 4550, QStringLiteral("2032-01-31"));
    writeSql(QStringLiteral("UPDATE CustomerJobs SET CustomerJobComment = ?, LastServiceDate = '2031-06-30' "
                            "WHERE JobSeqNo = ?"),
             {QStringLiteral("Gate code \"1234\",\nring first"), a});
    choose(CsvExport::fieldsOf(QStringLiteral("CustomerJobsExportFields")));
    const QString path = dir_->filePath(QStringLiteral("jobs.csv"));
    ASSERT_TRUE(CustomerJobExport::writeFile(path, {{a, QStringLiteral("Weekly")}}));
    const auto rows = csv(path);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1], (QStringList{"Zoë", "Müller", "4 Bay Rd", "Flat 2", "", "Ōrākei", "Auckland", "",
                                    "Window \"Deluxe\" clean, inside", "2031-07-07", "Monday", "2032-01-31", "Weekly",
                                    "45.5", "2031-06-30", "Administrator", "Gate code \"1234\",\nring first", "C-9",
                                    "JT-1"}));
}

TEST_F(CustomerJobExportTest, ChosenColumnsKeepTableOrderAndJobsWithMissingRowsWriteNoLine)
{
    const qint64 once = job(30315, 12000);
    const qint64 noAssociate = job(2, 100);
    writeSql(QStringLiteral("UPDATE CustomerJobs SET AssociateID = 'XX' WHERE JobSeqNo = ?"), {noAssociate});
    const qint64 odd = job(0, -305);
    choose({QStringLiteral("Cost"), QStringLiteral("Surname"), QStringLiteral("Frequency")});
    const QString path = dir_->filePath(QStringLiteral("some.csv"));
    ASSERT_TRUE(CustomerJobExport::writeFile(
        path, {{odd, QStringLiteral("")}, {noAssociate, QStringLiteral("Daily")}, {999, QStringLiteral("Daily")},
               {once, QStringLiteral("Once")}}));
    EXPECT_EQ(csv(path), (QList<QStringList>{{"Customer Surname", "Frequency", "Cost"},
                                             {"Müller", "", "-3.05"},
                                             {"Müller", "Once", "120"}}));
}
