#include "common/ResizeControlsModule.h"

#include <gtest/gtest.h>

using namespace wvs;

TEST(ResizeControls, FactorsCountHalfTheExcessOverTheDesignScreen)
{
    // Smaller screens shrink in full; half an odd excess rounds to even (1027 becomes 1025).
    const struct { int w, h; float x, y; } cases[] = {
        {1024, 768, 1.0f, 1.0f}, {1280, 1024, 1.125f, 896.0f / 768.0f}, {800, 600, 0.78125f, 0.78125f},
        {1025, 768, 1025.0f / 1024.0f, 1.0f}, {1027, 768, 1025.0f / 1024.0f, 1.0f}};
    for (const auto &c : cases) {
        const ResizeFactors f = resizeFactorsFor(c.w, c.h);
        EXPECT_FLOAT_EQ(f.horizontal, c.x) << c.w;
        EXPECT_FLOAT_EQ(f.vertical, c.y) << c.h;
    }
    // A control parked off-screen by a tab page stays parked; one just left of the edge scales.
    EXPECT_DOUBLE_EQ(scaleCoordinate(-74000, 1.125), -73875);
    EXPECT_DOUBLE_EQ(scaleCoordinate(-500, 1.125), -562.5);
}
