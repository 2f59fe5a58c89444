#include "AppTestSupport.h"

#include "platform/TestSeams.h"
#include "support/ReplacedFileChecks.h"

#include <fstream>
#include <iterator>

using PreferencesTest = AppTest;

TEST_F(PreferencesTest, AFirstRunCreatesTheFolderAndWritesTheDefaults) {
    std::filesystem::remove_all(environment.Config());
    application->GetPrefs();
    EXPECT_TRUE(application->firstRun);
    EXPECT_FALSE(std::filesystem::exists(PrefsFile())) << "the start writes them later";
    application->PutPrefs();
    EXPECT_EQ(TestEnvironment::ReadFile(PrefsFile()), "0;0;1;0;");

    // The next start reads the file it wrote: no longer a first run.
    app next;
    next.GetPrefs();
    EXPECT_FALSE(next.firstRun);
}

TEST_F(PreferencesTest, ShortGarbledOrHugeFieldsGiveZeroFalseOrTheNearestInt) {
    const struct {
        const char* line;
        bool countdown;
        int tabLeft;
        bool tray;
        bool desktop;
    } cases[] = {
        {"1", true, 0, false, false}, // every field overwrites its default
        {"yes;12.9;2;1.0;", false, 12, false, true},
        {"0;99999999999;1;0;", false, 2147483647, true, false},
        {"0;-1e300;1;0;", false, -2147483648, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TestEnvironment::WriteFile(PrefsFile(), c.line);
        application->GetPrefs();
        EXPECT_EQ(application->showCoundownCalendar, c.countdown);
        EXPECT_EQ(application->tabLeft, c.tabLeft);
        EXPECT_EQ(application->installSysTray, c.tray);
        EXPECT_EQ(application->displayCalendarOnDesktop, c.desktop);
    }
    EXPECT_TRUE(TestSeams::Dialogs().empty());
}

TEST_F(PreferencesTest, TheFileIsReplacedWholeUnderOneName) {
    TestEnvironment::WriteFile(PrefsFile(), "1;250;0;1;");
    application->GetPrefs();
    application->tabLeft = 7;
    // A reader that opened the old file keeps reading it whole, never a half-written one.
    std::ifstream reader(PrefsFile());
    application->PutPrefs();
    EXPECT_EQ(TestEnvironment::ReadFile(PrefsFile()), "1;7;0;1;");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "1;250;0;1;");
    // One file, no lower-case twin and no temporary left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(environment.Config()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(PreferencesTest, ASaveKeepsTheFilesPermissionsAndLinkAndLeavesAReadOnlyFile) {
    ExpectSavesRespectTheFile(PrefsFile(), [&] {
        testing::internal::CaptureStderr();
        application->PutPrefs();
        return testing::internal::GetCapturedStderr().empty();
    });
}
