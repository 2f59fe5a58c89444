#include "AppTestSupport.h"

#include "platform/TestSeams.h"

using PreferencesTest = AppTest;

TEST_F(PreferencesTest, AFirstRunCreatesTheFolderAndWritesTheDefaults) {
    std::filesystem::remove_all(environment.Config());
    application->GetPrefs();
    EXPECT_TRUE(application->firstRun);
    EXPECT_EQ(TestEnvironment::ReadFile(PrefsFile()), "0;0;1;0;");
    EXPECT_EQ(application->StartTime, 8);
    EXPECT_EQ(application->EndTime, 20);
    EXPECT_TRUE(application->installSysTray);

    // The next start reads the file it wrote: no longer a first run.
    app next;
    next.GetPrefs();
    EXPECT_FALSE(next.firstRun);
}

TEST_F(PreferencesTest, FieldsReadByPositionAndWrittenBackUnchanged) {
    TestEnvironment::WriteFile(PrefsFile(), "1;-42;0;1;"); // the tab may stand left of the screen
    application->GetPrefs();
    EXPECT_FALSE(application->firstRun);
    EXPECT_TRUE(application->showCoundownCalendar);
    EXPECT_EQ(application->tabLeft, -42);
    EXPECT_FALSE(application->installSysTray);
    EXPECT_TRUE(application->displayCalendarOnDesktop);
    application->PutPrefs();
    EXPECT_EQ(TestEnvironment::ReadFile(PrefsFile()), "1;-42;0;1;");
}

TEST_F(PreferencesTest, ShortOrGarbledFilesGiveZeroAndFalse) {
    TestEnvironment::WriteFile(PrefsFile(), "1");
    application->GetPrefs();
    EXPECT_TRUE(application->showCoundownCalendar);
    EXPECT_EQ(application->tabLeft, 0);
    EXPECT_FALSE(application->installSysTray) << "every field overwrites its default";
    EXPECT_FALSE(application->displayCalendarOnDesktop);

    TestEnvironment::WriteFile(PrefsFile(), "yes;12.9;2;1.0;");
    application->GetPrefs();
    EXPECT_FALSE(application->showCoundownCalendar);
    EXPECT_EQ(application->tabLeft, 12);
    EXPECT_FALSE(application->installSysTray);
    EXPECT_TRUE(application->displayCalendarOnDesktop);
    EXPECT_TRUE(TestSeams::Dialogs().empty());
}

TEST_F(PreferencesTest, TheFileIsReplacedWholeUnderOneName) {
    TestEnvironment::WriteFile(PrefsFile(), "1;250;0;1;");
    application->GetPrefs();
    application->tabLeft = 7;
    application->PutPrefs();
    EXPECT_EQ(TestEnvironment::ReadFile(PrefsFile()), "1;7;0;1;");
    // One file, no lower-case twin and no temporary left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(environment.Config()),
                            std::filesystem::directory_iterator()),
              1);
}
