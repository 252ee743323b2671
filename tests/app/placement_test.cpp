#include "app/placement.h"

#include <gtest/gtest.h>

TEST(CentredOrigin, CentresTheOuterWindowOnCommonScreens)
{
    struct Case {
        int screenWidth, screenHeight, left, top;
    };
    const Case cases[] = {
        {1920, 1080, 740, 378}, {1024, 768, 292, 222},
        {800, 600, 180, 138},   {1366, 768, 463, 222},  // odd remainder: truncated
        {400, 300, -19, -12},  // smaller than the window: truncated toward zero
    };
    for (const Case& c : cases) {
        const POINT at = CentredOrigin(c.screenWidth, c.screenHeight, 439, 324);
        EXPECT_EQ(c.left, at.x) << c.screenWidth << "x" << c.screenHeight;
        EXPECT_EQ(c.top, at.y) << c.screenWidth << "x" << c.screenHeight;
    }
}
