#include "platform/Numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

// Numbers from an edition's files may be anything; none may reach an int conversion unbounded.
TEST(NumbersTest, FileNumbersBecomeSoundIntsAndShares) {
    const double nan = std::nan("");
    EXPECT_EQ(ClampToInt(nan, 5, 10), 5);
    EXPECT_EQ(ClampToInt(1e300), INT_MAX);
    EXPECT_EQ(ClampToInt(-1e300, 0, 10), 0);
    EXPECT_EQ(ClampToInt(-2.9), -2);
    EXPECT_EQ(ClampToShare(nan), 0.0);
    EXPECT_EQ(ClampToShare(1.5), 1.0);
    EXPECT_EQ(ClampToShare(-0.5), 0.0);
}
