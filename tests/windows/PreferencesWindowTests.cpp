// The preferences window: the calendars it offers, caldef.dat written at the pick (whole, or
// not at all with a message), and OK reopening the main window in the picked calendar.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/PreferencesWindow.h"
#include "windows/TabWindow.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {
class PreferencesWindowTest : public CalendarWindowTest {
  protected:
    // Calendars A and B, a folder C without a calendar file and a file D; A is in use.
    PreferencesWindowTest() {
        environment.InstallEdition("B", "tabColor=22,84,104\n");
        environment.InstallEdition("A", "tabColor=236,128,44\n");
        fs::create_directories(App() / "C");
        TestEnvironment::WriteFile(App() / "D", "not a calendar");
        TestEnvironment::WriteFile(Prefs(), "0;0;1;0;");
        CustomizationModule::CustomizeCalendar();
        application.eventDict.Value("2026-03-10 09:00:00", "2026-03-10 10:00:00//Dentist");
        main = &CalendarWindow::Instance();
    }
    fs::path App() const { return environment.AppFolder(); }
    fs::path Prefs() const { return environment.Config() / AppText::kPrefsFileName; }
    std::string Caldef() const { return TestEnvironment::ReadFile(App() / "caldef.dat"); }
    static std::vector<std::string> Rows(const PreferencesWindow& preferences) {
        std::vector<std::string> rows;
        for (int row = 0; row < preferences.DefaultCalendarPopup->ListCount(); ++row)
            rows.push_back(preferences.DefaultCalendarPopup->List(row));
        return rows;
    }
    CalendarWindow* main = nullptr;
};
} // namespace

TEST_F(PreferencesWindowTest, OffersTheCalendarsBesideTheProgramWithTheOneInUseChosen) {
    fs::create_directories(App() / "Line\nBreak");
    TestEnvironment::WriteFile(App() / "Line\nBreak" / "calspc.dat", "vendorName=X\n");
    PreferencesWindow& preferences = PreferencesWindow::Instance();
    EXPECT_EQ(Rows(preferences), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(preferences.DefaultCalendarPopup->Text(), "A");
    EXPECT_FALSE(preferences.InstallSysTrayCB->Visible() || preferences.WallpaperButton->Visible());
    // Centred on the whole screen, not on the part the panel leaves.
    EXPECT_EQ((std::pair{preferences.Left(), preferences.Top()}),
              (std::pair{(1440 - preferences.Width()) / 2, (900 - preferences.Height()) / 2}));
    Simulate::Key(preferences, "Esc");
    EXPECT_TRUE(preferences.IsOpen()) << "OK is the way out";
    const TestSeams::DesktopRequest asked = TestSeams::AskedOfDesktop(preferences);
    EXPECT_TRUE(asked.titleBar) << "its title shows and it can be moved";
    EXPECT_FALSE(asked.closeButton || asked.userResizable);
    // A close button that a desktop draws anyway acts as OK.
    preferences.ShowCountdownCB->SetValue(!preferences.ShowCountdownCB->Value());
    Simulate::DesktopClose(preferences);
    EXPECT_FALSE(preferences.IsOpen());
    EXPECT_NE(TestEnvironment::ReadFile(Prefs()), "0;0;1;0;") << "stored as OK stores";

    // The calendar in use has gone: nothing to choose from.
    fs::remove_all(App() / "A");
    EXPECT_TRUE(Rows(PreferencesWindow::Instance()).empty());
}

TEST_F(PreferencesWindowTest, OkShowsThePickedCalendarInANewMainWindowAndKeepsTheEvents) {
    const int tabLeft = TabWindow::Instance().Left();
    bool ran = false;
    TestSeams::WhenModal([&](Window& shown) {
        ran = true;
        auto& preferences = dynamic_cast<PreferencesWindow&>(shown);
        Simulate::Choose(*preferences.DefaultCalendarPopup, 1);
        EXPECT_EQ(Caldef(), "B\n") << "written at the pick";
        EXPECT_EQ(TestSeams::AskedOfDesktop(shown).inFrontOf, main);
        preferences.OKButton->Push();
    });
    application.DoMenuCommand("ApplePreferences");
    ASSERT_TRUE(ran);

    EXPECT_FALSE(main->IsOpen());
    CalendarWindow* reopened = FindOpenWindow<CalendarWindow>();
    ASSERT_TRUE(reopened && reopened->Visible());
    EXPECT_EQ(Customization().vendorName, "Studio B");
    EXPECT_EQ(TabWindow::Instance().BackColor, RGB(22, 84, 104));
    EXPECT_EQ(TabWindow::Instance().Left(), tabLeft);
    EXPECT_EQ(TestSeams::AskedOfDesktop(TabWindow::Instance()).inFrontOf, reopened);
    const std::string events =
        TestEnvironment::ReadFile(environment.Documents() / AppText::kEventFileName);
    EXPECT_NE(events.find("2026-03-10 09:00:00|2026-03-10 10:00:00//Dentist"), std::string::npos);
    EXPECT_EQ(TestEnvironment::ReadFile(Prefs()), "0;0;1;0;") << "no box changed";

    // The old window goes once the events have run; the new one stays.
    DoEvents();
    EXPECT_EQ(FindOpenWindow<CalendarWindow>(), reopened);
    EXPECT_EQ(OpenWindows().size(), 2u) << "the main window and the tab";
}

TEST_F(PreferencesWindowTest, APickThatCannotBeWrittenChangesNothing) {
    for (const bool folderInTheWay : {true, false}) {
        // Each case starts from both calendars and a writable caldef.dat.
        fs::remove_all(App() / "caldef.dat");
        environment.InstallEdition("B", "tabColor=22,84,104\n");
        TestEnvironment::WriteFile(App() / "caldef.dat", "A\n");
        PreferencesWindow& preferences = PreferencesWindow::Instance();
        if (folderInTheWay) {
            fs::remove(App() / "caldef.dat");
            fs::create_directories(App() / "caldef.dat");
        } else {
            fs::remove(App() / "B" / "calspc.dat");
        }
        Simulate::Choose(*preferences.DefaultCalendarPopup, 1);
        ASSERT_EQ(TestSeams::Dialogs().size(), 1u) << folderInTheWay;
        EXPECT_EQ(TestSeams::Dialogs().back().message,
                  folderInTheWay ? PreferencesText::kCannotWrite : PreferencesText::kCalendarGone);
        EXPECT_EQ(preferences.DefaultCalendarPopup->Text(), "A");
        EXPECT_FALSE(preferences.defaultCalendarChanged);
        EXPECT_EQ(Customization().DefaultCalendarFolder.Name(), "A");
        if (!folderInTheWay) {
            EXPECT_EQ(Caldef(), "A\n");
        }
        preferences.OKButton->Push();
        EXPECT_TRUE(main->IsOpen()) << folderInTheWay << ": the main window is left alone";
        TestSeams::Enable();
    }
}

TEST_F(PreferencesWindowTest, TheCountdownBoxIsStoredWithoutReopeningAPickTakenBackStillReopens) {
    const bool badge = main->CountdownCanvas->Visible();
    PreferencesWindow& preferences = PreferencesWindow::Instance();
    preferences.ShowCountdownCB->SetValue(true);
    preferences.OKButton->Push();
    EXPECT_TRUE(application.showCoundownCalendar);
    EXPECT_EQ(TestEnvironment::ReadFile(Prefs()).substr(0, 2), "1;");
    EXPECT_TRUE(main->IsOpen());
    EXPECT_EQ(main->CountdownCanvas->Visible(), badge) << "seen at the next opening";

    PreferencesWindow& untouched = PreferencesWindow::Instance();
    EXPECT_TRUE(untouched.ShowCountdownCB->Value()) << "the box starts from the preference";
    untouched.OKButton->Push();
    EXPECT_TRUE(application.showCoundownCalendar);
    EXPECT_EQ(TestEnvironment::ReadFile(Prefs()).substr(0, 2), "1;");

    PreferencesWindow& again = PreferencesWindow::Instance();
    again.ShowCountdownCB->SetValue(false);
    Simulate::Choose(*again.DefaultCalendarPopup, 1);
    Simulate::Choose(*again.DefaultCalendarPopup, 0);
    EXPECT_EQ(Caldef(), "A\n");
    again.OKButton->Push();
    EXPECT_FALSE(main->IsOpen());
    EXPECT_TRUE(FindOpenWindow<CalendarWindow>());
    EXPECT_EQ(Customization().vendorName, "Studio A");
    EXPECT_FALSE(application.showCoundownCalendar);
    EXPECT_EQ(TestEnvironment::ReadFile(Prefs()).substr(0, 2), "0;");
}

TEST_F(PreferencesWindowTest, ACalendarThatCannotBeLoadedEndsTheProgram) {
    PreferencesWindow& preferences = PreferencesWindow::Instance();
    Simulate::Choose(*preferences.DefaultCalendarPopup, 1);
    fs::remove(App() / "A" / "calspc.dat");
    fs::remove(App() / "B" / "calspc.dat");
    preferences.OKButton->Push();
    EXPECT_TRUE(application.QuitRequested());
    EXPECT_FALSE(TestSeams::Dialogs().empty());
    EXPECT_FALSE(FindOpenWindow<CalendarWindow>());
}
