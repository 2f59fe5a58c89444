// Runs the tests headless, with the toolkit created once for the whole program.
#include "platform/Toolkit.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("CALENDAR_SOURCE_DIR", CALENDAR_SOURCE_DIR, 0);
    setenv("CALENDAR_BIN_DIR", CALENDAR_BIN_DIR, 0);
    ::testing::InitGoogleTest(&argc, argv);
    Toolkit toolkit;
    Toolkit::WaitForFontSetUp(); // the tests change the environment it reads
    return RUN_ALL_TESTS();
}
