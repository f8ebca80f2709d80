#include <gtest/gtest.h>

#include "math/MathFunctions.h"

TEST(Math, IdentityAndLayout) {
    Matrix4 m;
    Identity(&m);
    EXPECT_EQ(m(3, 3), 1.0f);
    EXPECT_EQ(m(3, 0), 0.0f);
    m(1, 2) = 7.0f;
    EXPECT_EQ(m.m[6], 7.0f);
}
