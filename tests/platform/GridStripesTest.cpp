#include "platform/FlexGrid.h"

#include <gtest/gtest.h>

using namespace wvs;

// The lists' rows are striped from the first data row.
TEST(GridStripes, WhiteThenLightGreyUnderBoldHeadings)
{
    FlexGrid g;
    g.setCols(2);
    g.setHeadings({"Name", "Town"});
    g.setData({{"a", "1"}, {"b", "2"}, {"c", "3"}});
    g.stripe();
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(g.cellBackColor(row, 1).rgb() & 0xFFFFFF, row % 2 ? 0xFFFFFFu : 0xE0E0E0u) << row;
    EXPECT_TRUE(g.cellBold(0, 0) && g.cellBold(0, 1) && !g.cellBold(1, 0));
}
