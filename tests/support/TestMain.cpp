// Runs the tests headless, with the toolkit created once for the whole program.
#include "platform/Toolkit.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    Toolkit toolkit;
    return RUN_ALL_TESTS();
}
