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
