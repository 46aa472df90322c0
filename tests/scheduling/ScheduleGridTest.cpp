#include "platform/FlexGrid.h"
#include "scheduling/ScheduleGrid.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace wvs;
using namespace wvs::ScheduleGrid;

namespace {

QList<StagedJob> rows(int n)
{
    QList<StagedJob> out;
    for (int i = 0; i < n; ++i)
        out.append({.recordNumber = i + 1, .associate = "ADM", .serviceDate = QDate(2025, 3, 3).addDays(i % 20),
                    .customer = "Smith, Anna", .address = "1 Main Road~7", .jobType = "Window cleaning",
                    .cost = Money::fromCents(4500), .jobSeqNo = 100 + i});
    return out;
}

class ScheduleGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(1100, 400);
        create(&grid);
    }
    FlexGrid grid;
};

} // namespace

TEST_F(ScheduleGridTest, RowsAreAsTallAsTheirLongestTextAndShowTheirKeys)
{
    QList<StagedJob> r = rows(3);
    r[1].comments = QStringLiteral("Line one\r\nLine two\r\nLine three");
    r[2].address = QStringLiteral("12 High Street\r\nUnit 4~31");
    r[2].done = 0;
    fill(&grid, r, {0, 1, 2}, false, QStringLiteral("UK"));
    // Three lines, two lines, one line.
    EXPECT_GT(grid.rowHeightTwips(2), grid.rowHeightTwips(3));
    EXPECT_GT(grid.rowHeightTwips(3), grid.rowHeightTwips(1));
    EXPECT_EQ(grid.textMatrix(2, ColComments), "Line one\nLine two\nLine three");
    EXPECT_EQ(grid.textMatrix(3, ColAddress), "12 High Street\nUnit 4");
    EXPECT_EQ(grid.textMatrix(3, ColAddressKey), "31");
    EXPECT_EQ(grid.textMatrix(3, ColCost), QString::fromUtf8("£45.00"));
    // Open schedule: "-" for not done, the tick for an occurrence done before it was re-opened.
    EXPECT_EQ(grid.textMatrix(1, ColDone), "-");
    EXPECT_EQ(grid.textMatrix(3, ColDone), "");
    EXPECT_EQ(grid.cellPictureKey(3, ColDone), checkKey());

    // Stored schedule: a box in every row and a done flag of 0 or 1.
    fill(&grid, r, {0, 1, 2}, true, QStringLiteral("UK"));
    EXPECT_EQ(grid.cellPictureKey(1, ColDone), noCheckKey());
    EXPECT_EQ(grid.textMatrix(1, ColDoneFlag), "0");
    EXPECT_EQ(grid.cellPictureKey(3, ColDone), checkKey());
}

TEST_F(ScheduleGridTest, LargeFillsShowEachRowsOwnJobDateAndHeight)
{
    // Enough rows for the work to be shared out; job 107's comment grows
    // part-way, so its later rows need new cells and taller rows.
    QList<StagedJob> r = rows(3000);
    for (int i = 0; i < r.size(); ++i) {
        r[i].jobSeqNo = 100 + i % 40;
        r[i].customer = QStringLiteral("Customer %1").arg(i % 40);
        if (i % 40 == 7 && i > 2000)
            r[i].comments = QStringLiteral("One\r\nTwo\r\nThree");
    }
    QList<int> order(r.size());
    for (int i = 0; i < r.size(); ++i)
        order[i] = r.size() - 1 - i;
    fill(&grid, r, order, false, QStringLiteral("UK"));
    ASSERT_EQ(grid.rows(), 3001);
    const int plain = grid.rowHeightTwips(1 + order.indexOf(0));
    for (int shown = 1; shown <= 3000; ++shown) {
        const StagedJob &j = r.at(order.at(shown - 1));
        ASSERT_EQ(grid.textMatrix(shown, ColCustomer), j.customer) << shown;
        ASSERT_EQ(grid.textMatrix(shown, ColRecordNumber), QString::number(j.recordNumber)) << shown;
        ASSERT_EQ(grid.textMatrix(shown, ColServiceDate), j.serviceDate.toString(Qt::ISODate)) << shown;
        ASSERT_EQ(grid.textMatrix(shown, ColComments).isEmpty(), j.comments.isEmpty()) << shown;
        ASSERT_EQ(grid.rowHeightTwips(shown) > plain, !j.comments.isEmpty()) << shown;
    }
}
