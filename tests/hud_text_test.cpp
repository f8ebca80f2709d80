#include <gtest/gtest.h>

#include "graphics/HeadUpDisplay.h"

// (The score, the frame rate and a plain click vector are checked in a whole frame by
// scene_rendering_test.cpp.)
TEST(HudText, ClickVectorPrintsTwoSignificantDigits) {
    EXPECT_EQ(VectorText("Click Vector", Vec3(0.25f, -3.14159f, 9.96f)), "Click Vector: \n0.25 -3.1 10\n");
    // Two digits cannot hold 100 or 99.5: general notation switches to exponent form.
    EXPECT_EQ(VectorText("Click Vector", Vec3(100.0f, 99.5f, 0.001f)), "Click Vector: \n1e+02 1e+02 0.001\n");
    EXPECT_EQ(VectorText("Click Vector", Vec3(0.00001f, 12345.0f, -0.5f)), "Click Vector: \n1e-05 1.2e+04 -0.5\n");
}
