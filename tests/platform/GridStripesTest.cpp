#include "platform/FlexGrid.h"

#include <gtest/gtest.h>

using namespace wvs;

// The lists' rows are striped white and light grey, starting white at the
// first data row; the headings are bold.
TEST(GridStripes, WhiteThenLightGreyUnderBoldHeadings)
{
    FlexGrid g;
    g.setCols(2);
    g.setHeadings({"Name", "Town"});
    g.setData({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
    g.stripe();
    for (int row = 1; row <= 4; ++row)
        for (int col = 0; col < 2; ++col)
            EXPECT_EQ(g.cellBackColor(row, col).rgb() & 0xFFFFFF, row % 2 ? 0xFFFFFFu : 0xE0E0E0u) << row;
    EXPECT_TRUE(g.cellBold(0, 0));
    EXPECT_TRUE(g.cellBold(0, 1));
    EXPECT_FALSE(g.cellBold(1, 0));
}
