// The real program on a real X display, under the openbox and xfwm4 window managers, under none
// and in a Wayland session through its XWayland, seen through the X server: the tab stays above
// the calendar, About and Help stay in front of it, the event editor holds the input while it is
// open, minimising a window or Ctrl+W in an editor leaves the calendar on the screen, every
// window can be left with a user's keys, and under a German locale, on a wide and a 4:3 screen,
// today's date opens its week and the return arrow brings the year back.
#include "desktop/ProgramRun.h"
#include "desktop/XDesktop.h"

#include "support/TestEnvironment.h"

#include "customisation/CustomizationModule.h"
#include "platform/Application.h"
#include "platform/Date.h"
#include "platform/Screen.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace {
namespace fs = std::filesystem;

// The sample edition the program's folder names, on the displays' 1440 x 900 screen.
constexpr char kCalendar[] = "Ombrelline Studio Calendar";
constexpr char kTab[] = "Tab";
constexpr char kAbout[] = " Ombrelline Calendar";
constexpr char kHelp[] = "Calendar Help";
constexpr char kEventEditor[] = "Calendar Event";
constexpr char kCountdownEditor[] = "Calendar Countdown Event";
constexpr char kPageSetup[] = "Page Setup"; // the toolkit's print dialogs
constexpr char kPrint[] = "Print";
constexpr int kTitleBandX = 700, kTitleBandY = 20;      // no control there
constexpr int kJanuaryDayX = 265, kJanuaryDayY = 176;   // a day of January's third week
constexpr int kSlotX = 659, kSlotY = 207;               // Wednesday 10:00 in the week grid
constexpr int kReturnArrowX = 1430, kReturnArrowY = 80; // back to the year
constexpr int kBadgeX = 195, kBadgeY = 85;              // the countdown badge, once shown
constexpr int kTodoAddX = 1428, kTodoAddY = 274;        // the to-do list's "+", in the week face

// The displays of tools/desktop-display.sh, by their keys in its state file.
constexpr char kOpenbox[] = "managed";
constexpr char kXfwm4[] = "xfwm4";
constexpr char kBare[] = "bare";
constexpr char kSmall[] = "small";       // 1024 x 768, under openbox
constexpr char kXWayland[] = "xwayland"; // the X server of the Wayland session

class DesktopTest : public IsolatedTest {
  public:
    // The program's window of that title; the toolkit may give a window a new one.
    XDesktop::WindowId Window(const char* title) const { return desktop->Find(program, title); }
    bool Shows(const char* title) const { return desktop->Shows(program, title); }
    std::string Windows() const { return desktop->Describe(program); }
    // Shown where the calendar's windows rest: at the top of the screen.
    bool AtRest(const char* title) const {
        return Shows(title) && desktop->PlaceOf(Window(title)).top == 0;
    }
    bool Above(const char* upper, const char* lower) const {
        return desktop->StacksAbove(Window(upper), Window(lower));
    }
    bool Focused(const char* title) const {
        return desktop->Focus() != 0 && desktop->Focus() == Window(title);
    }

    // The calendar's right-click menu: the keys to a submenu, then the keys in it.
    void MenuCommand(const std::string& toSubmenu, const std::string& inSubmenu) const {
        desktop->Click(kTitleBandX, kTitleBandY, 3);
        ASSERT_TRUE(WaitFor([&] { return desktop->OpenMenus(program) == 1; })) << "no menu";
        desktop->Keys(toSubmenu);
        ASSERT_TRUE(WaitFor([&] { return desktop->OpenMenus(program) == 2; })) << "no submenu";
        desktop->Keys(inSubmenu);
        ASSERT_TRUE(WaitFor([&] { return desktop->OpenMenus(program) == 0; }));
    }

    // Opens a dialog the way a user does.
    void Open(const char* title) const {
        const std::string dialog = title;
        if (dialog == kAbout) {
            MenuCommand("Down Down Right", "Return");
        } else if (dialog == kHelp) {
            MenuCommand("Down Down Down Right", "Return");
        } else if (dialog == kEventEditor) {
            desktop->Click(kJanuaryDayX, kJanuaryDayY); // the week of that day
            desktop->Click(kSlotX, kSlotY);
        } else if (dialog == kCountdownEditor) {
            MenuCommand("Down Down Right", "Up Return"); // Show Countdown Event
            desktop->Click(kBadgeX, kBadgeY);
        } else if (dialog == kPageSetup) {
            desktop->Keys("ctrl+p");
        } else if (dialog == kPrint) {
            ASSERT_NO_FATAL_FAILURE(Open(kPageSetup));
            ASSERT_TRUE(WaitFor([&] { return Focused(kPageSetup); })) << Windows();
            desktop->Keys("Return");
        }
        ASSERT_TRUE(WaitFor([&] { return Shows(title); })) << "\"" << title << "\" did not open\n"
                                                           << Windows();
    }

    // The area as painted, once ten looks in a row find it unchanged (a busy machine may paint
    // it a while after the window is up); nullopt when it never settles.
    std::optional<std::vector<unsigned long>> Settled(XDesktop::Place area) const {
        std::vector<unsigned long> seen;
        int unchanged = 0;
        if (!WaitFor([&] {
                unchanged = std::exchange(seen, desktop->Pixels(area)) == seen ? unchanged + 1 : 0;
                return unchanged == 10;
            }))
            return std::nullopt;
        return seen;
    }

    void ClickTab() const {
        const XDesktop::Place place = desktop->PlaceOf(Window(kTab));
        desktop->Click(place.left + place.width / 2, place.top + place.height / 2);
    }

    std::unique_ptr<XDesktop> desktop;
    pid_t program = 0;

  protected:
    // The display the test runs on, one of kOpenbox, kXfwm4, kBare, kSmall and kXWayland.
    virtual const char* Desktop() const = 0;
    // "NAME=value" variables the program starts with in place of the session's or the test's.
    virtual std::vector<std::string> Environment() const { return {}; }
    // What the desktop's session tells its programs, from the displays' state; the toolkit's
    // platform is the program's to choose, as in a user's session. In the Wayland session, as
    // GNOME sets them.
    std::vector<std::string> SessionVariables(std::map<std::string, std::string> state) const {
        if (Desktop() != kXWayland)
            return {"DISPLAY=" + state[Desktop()], "DBUS_SESSION_BUS_ADDRESS=" + state["bus"]};
        return {"DISPLAY=" + state[Desktop()],         "DBUS_SESSION_BUS_ADDRESS=" + state["bus"],
                "WAYLAND_DISPLAY=" + state["wayland"], "XDG_RUNTIME_DIR=" + state["runtime"],
                "XAUTHORITY=" + state["xauthority"],   "XDG_SESSION_TYPE=wayland"};
    }

    void SetUp() override {
        auto state = DisplayState();
        if (state.empty()) GTEST_SKIP() << "no virtual displays: " << DESKTOP_DISPLAY_STATE;
        if (state.contains("skip")) GTEST_SKIP() << state["skip"];
        if (const auto skip = state.find(Desktop() + std::string("-skip")); skip != state.end())
            GTEST_SKIP() << skip->second;
        // The Wayland session's X server lets in only the clients that show its cookie.
        if (Desktop() == kXWayland) setenv("XAUTHORITY", state["xauthority"].c_str(), 1);
        desktop = std::make_unique<XDesktop>(state[Desktop()]);
        ASSERT_TRUE(desktop->Connected()) << "cannot reach " << desktop->Name();
        // Not a first run: no quick-start help over the calendar.
        TestEnvironment::WriteFile(environment.Config() / "QVCalendar.prefs", "0;0;1;0;");
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_TRUE(WaitFor([&] { return AtRest(kCalendar) && Shows(kTab); }))
            << "the calendar did not come up on " << desktop->Name() << "\n"
            << Windows();
    }

    void TearDown() override {
        if (program <= 0) return;
        kill(program, SIGTERM);
        int status = 0;
        if (!WaitFor([&] { return waitpid(program, &status, WNOHANG) == program; })) {
            ADD_FAILURE() << "the calendar did not end at SIGTERM";
            kill(program, SIGKILL);
            waitpid(program, &status, 0);
        } else {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << "the calendar ended with status " << status;
        }
        if (HasFailure())
            std::cerr << "The calendar's output:\n" << TestEnvironment::ReadFile(Log());
    }

    // What the program wrote to its standard output and error.
    fs::path Log() const { return environment.Home() / "calendar.log"; }

  private:
    void Start() {
        std::vector<std::string> session = SessionVariables(DisplayState());
        for (const std::string& own : Environment()) {
            const std::string name = own.substr(0, own.find('=') + 1);
            std::erase_if(session, [&](const std::string& set) { return set.starts_with(name); });
            session.push_back(own);
        }
        program = Spawn(session, Log());
        ASSERT_GT(program, 0) << "cannot start " << CALENDAR_PROGRAM;
    }
};

class UnderOpenbox : public DesktopTest {
  protected:
    const char* Desktop() const override { return kOpenbox; }
};

class WithoutWindowManager : public DesktopTest {
  protected:
    const char* Desktop() const override { return kBare; }
};

// A dialog of the calendar, by its title.
struct Dialog {
    const char* name;
    const char* title;
};

void PrintTo(const Dialog& dialog, std::ostream* out) {
    *out << dialog.name;
}

std::string DialogName(const testing::TestParamInfo<Dialog>& info) {
    return info.param.name;
}

const Dialog kAboutWindow{"About", kAbout}, kHelpWindow{"Help", kHelp},
    kEventEditorWindow{"EventEditor", kEventEditor},
    kCountdownEditorWindow{"CountdownEditor", kCountdownEditor},
    kPageSetupDialog{"PageSetup", kPageSetup}, kPrintDialog{"Print", kPrint};

// ---- On every desktop ----

// Ways to slide the calendar away and to bring it back, on one of the displays.
struct Slide {
    const char* name;
    const char* desktop;
    std::function<void(DesktopTest&)> away, back;
};

void PrintTo(const Slide& slide, std::ostream* out) {
    *out << slide.name;
}

// The keys, once one of the calendar's windows has the keyboard: with the calendar gone, the tab.
void PressKeys(DesktopTest& test, const char* keys) {
    ASSERT_TRUE(WaitFor([&] {
        return test.Shows(kCalendar) ? test.Focused(kCalendar) || test.Focused(kTab)
                                     : test.Focused(kTab);
    })) << "nothing of the calendar has the keyboard for "
        << keys << "\n"
        << test.Windows();
    test.desktop->Keys(keys);
}

void PressSpace(DesktopTest& test) {
    PressKeys(test, "space");
}

void PressCtrlW(DesktopTest& test) {
    PressKeys(test, "ctrl+w");
}

// The desktop's close (Alt+F4, or a close button) asked for the calendar.
void CloseByTheDesktop(DesktopTest& test) {
    test.desktop->AskToClose(test.Window(kCalendar));
}

// Asks for a slide until the calendar has gone, or come. A key, click or close that comes while
// a slide still has steps to go is ignored, as a user's is, and a desktop may show the calendar at
// rest before the last step: the slide is asked for again while nothing has changed.
void SlideUntil(DesktopTest& test, const std::function<void(DesktopTest&)>& slide, bool shown) {
    for (int asked = 0; asked < 5 && !testing::Test::HasFatalFailure(); ++asked) {
        slide(test);
        if (WaitFor([&] { return test.Shows(kCalendar) == shown; }, std::chrono::seconds(4)))
            return;
    }
}

class TabAboveTheCalendar : public DesktopTest, public testing::WithParamInterface<Slide> {
  protected:
    const char* Desktop() const override { return GetParam().desktop; }
    // Without a window manager nothing stacks the windows.
    bool TabAbove() const { return Desktop() == kBare || Above(kTab, kCalendar); }
};

TEST_P(TabAboveTheCalendar, AtStartAndAfterEachSlideBack) {
    const Slide& slide = GetParam();
    EXPECT_TRUE(WaitFor([&] { return TabAbove(); })) << "at start\n" << Windows();
    // The keyboard's way back has failed on the second turn or the fourth.
    for (int turn = 1; turn <= 5; ++turn) {
        ASSERT_NO_FATAL_FAILURE(SlideUntil(*this, slide.away, false));
        ASSERT_TRUE(WaitFor([&] { return !Shows(kCalendar) && Shows(kTab); }))
            << "the calendar did not slide away (" << turn << ")\n"
            << Windows();
        // At rest once it has come down: a desktop may map it at rest a moment before the slide.
        desktop->WatchMoves();
        ASSERT_NO_FATAL_FAILURE(SlideUntil(*this, slide.back, true));
        const auto cameBack = [&] {
            return desktop->CameDownToTop(Window(kCalendar)) && AtRest(kCalendar);
        };
        ASSERT_TRUE(WaitFor(cameBack)) << "the calendar did not come back (" << turn << ")\n"
                                       << Windows();
        EXPECT_TRUE(WaitFor([&] { return TabAbove(); }))
            << "the calendar covers the tab (" << turn << ")\n"
            << Windows();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Desktop, TabAboveTheCalendar,
    testing::Values(
        Slide{"Openbox_TabClick", kOpenbox, &DesktopTest::ClickTab, &DesktopTest::ClickTab},
        Slide{"Openbox_Space", kOpenbox, PressSpace, PressSpace},
        Slide{"Openbox_DesktopClose", kOpenbox, CloseByTheDesktop, &DesktopTest::ClickTab},
        Slide{"Openbox_DesktopCloseThenSpace", kOpenbox, CloseByTheDesktop, PressSpace},
        Slide{"Openbox_CtrlWThenSpace", kOpenbox, PressCtrlW, PressSpace},
        Slide{"Xfwm4_Space", kXfwm4, PressSpace, PressSpace},
        Slide{"Xfwm4_TabClickThenSpace", kXfwm4, &DesktopTest::ClickTab, PressSpace},
        Slide{"Xfwm4_CtrlWThenSpace", kXfwm4, PressCtrlW, PressSpace},
        Slide{"Xfwm4_DesktopCloseThenSpace", kXfwm4, CloseByTheDesktop, PressSpace},
        Slide{"Bare_TabClickThenSpace", kBare, &DesktopTest::ClickTab, PressSpace},
        Slide{"Bare_CtrlWThenSpace", kBare, PressCtrlW, PressSpace}),
    [](const testing::TestParamInfo<Slide>& info) { return info.param.name; });

// ---- Under openbox ----

class FloatingInFront : public UnderOpenbox, public testing::WithParamInterface<Dialog> {};

TEST_P(FloatingInFront, StaysAboveTheCalendarWhenTheCalendarIsClicked) {
    const char* dialog = GetParam().title;
    ASSERT_NO_FATAL_FAILURE(Open(dialog));
    desktop->Click(kTitleBandX, kTitleBandY + 30);
    ASSERT_TRUE(WaitFor([&] { return Focused(kCalendar); })) << Windows();
    EXPECT_TRUE(WaitFor([&] { return Above(dialog, kCalendar); })) << Windows();
    EXPECT_TRUE(WaitFor([&] { return Above(kTab, kCalendar); })) << Windows();
}

INSTANTIATE_TEST_SUITE_P(Desktop, FloatingInFront, testing::Values(kAboutWindow, kHelpWindow),
                         DialogName);

TEST_F(UnderOpenbox, TheWeekCannotBeLeftWhileTheEventEditorIsOpen) {
    ASSERT_NO_FATAL_FAILURE(Open(kEventEditor));
    desktop->Click(kReturnArrowX, kReturnArrowY);
    desktop->AskToClose(Window(kEventEditor));
    ASSERT_TRUE(WaitFor([&] { return !Shows(kEventEditor); })) << Windows();
    // Still the week: its slot opens the editor again.
    desktop->Click(kSlotX, kSlotY);
    EXPECT_TRUE(WaitFor([&] { return Shows(kEventEditor); }))
        << "the click behind the editor left the week\n"
        << Windows();
}

class Minimised : public UnderOpenbox, public testing::WithParamInterface<Dialog> {};

TEST_P(Minimised, TheCalendarAndTheTabStay) {
    const char* dialog = GetParam().title;
    ASSERT_NO_FATAL_FAILURE(Open(dialog));
    const XDesktop::WindowId window = Window(dialog);
    desktop->WatchUnmapping(window);
    desktop->Minimise(window);
    ASSERT_TRUE(WaitFor([&] { return desktop->WasUnmapped(window); })) << Windows();
    // A modal window holds the calendar's input: it comes back rather than hide.
    const bool modal = dialog != std::string(kAbout) && dialog != std::string(kHelp);
    if (modal) {
        EXPECT_TRUE(WaitFor([&] { return Shows(dialog) && Focused(dialog); })) << Windows();
    }
    // The tab stays, unless a print has put it away until the print dialogs are done.
    const bool printing = dialog == std::string(kPageSetup) || dialog == std::string(kPrint);
    EXPECT_TRUE(WaitFor([&] { return AtRest(kCalendar) && (printing || Shows(kTab)); }))
        << Windows();
    if (printing) {
        desktop->Keys("Escape");
        EXPECT_TRUE(WaitFor([&] { return !Shows(dialog) && Shows(kTab); })) << Windows();
    }
}

INSTANTIATE_TEST_SUITE_P(Desktop, Minimised,
                         testing::Values(kAboutWindow, kHelpWindow, kEventEditorWindow,
                                         kCountdownEditorWindow, kPageSetupDialog, kPrintDialog),
                         DialogName);

class CtrlWInAnEditor : public UnderOpenbox, public testing::WithParamInterface<Dialog> {};

TEST_P(CtrlWInAnEditor, LeavesTheCalendarInPlace) {
    const char* dialog = GetParam().title;
    ASSERT_NO_FATAL_FAILURE(Open(dialog));
    desktop->Keys("ctrl+w");
    // The close comes through the window manager, after the keys.
    desktop->AskToClose(Window(dialog));
    ASSERT_TRUE(WaitFor([&] { return !Shows(dialog); })) << Windows();
    EXPECT_TRUE(AtRest(kCalendar)) << Windows();
}

INSTANTIATE_TEST_SUITE_P(Desktop, CtrlWInAnEditor,
                         testing::Values(kEventEditorWindow, kCountdownEditorWindow), DialogName);

// ---- Without a window manager: nothing draws a close box or gives the keyboard back ----

class EscapeWithoutWindowManager : public WithoutWindowManager,
                                   public testing::WithParamInterface<Dialog> {};

TEST_P(EscapeWithoutWindowManager, ClosesTheDialog) {
    const char* dialog = GetParam().title;
    ASSERT_NO_FATAL_FAILURE(Open(dialog));
    ASSERT_TRUE(WaitFor([&] { return Focused(dialog); })) << Windows();
    desktop->Keys("Escape");
    EXPECT_TRUE(WaitFor([&] { return !Shows(dialog); })) << Windows();
}

INSTANTIATE_TEST_SUITE_P(Desktop, EscapeWithoutWindowManager,
                         testing::Values(kEventEditorWindow, kCountdownEditorWindow, kAboutWindow,
                                         kHelpWindow),
                         DialogName);

TEST_F(WithoutWindowManager, SpaceBringsTheCalendarBack) {
    ASSERT_NO_FATAL_FAILURE(PressSpace(*this));
    ASSERT_TRUE(WaitFor([&] { return !Shows(kCalendar); })) << Windows();
    ASSERT_NO_FATAL_FAILURE(PressSpace(*this));
    EXPECT_TRUE(WaitFor([&] { return AtRest(kCalendar); })) << Windows();
}

// A quit the moment a slide has begun, either way, by the quit's key or by a logout's SIGTERM:
// the program ends as at any quit, its events and preferences written.
struct QuitWhileSliding {
    const char* name;
    bool back, bySignal;
};

void PrintTo(const QuitWhileSliding& quit, std::ostream* out) {
    *out << quit.name;
}

class QuitMidSlide : public WithoutWindowManager,
                     public testing::WithParamInterface<QuitWhileSliding> {};

TEST_P(QuitMidSlide, EndsAsAnyQuit) {
    const QuitWhileSliding& quit = GetParam();
    const fs::path preferences = environment.Config() / "QVCalendar.prefs";
    fs::remove(preferences);
    if (quit.back) {
        ASSERT_NO_FATAL_FAILURE(PressSpace(*this));
        ASSERT_TRUE(WaitFor([&] { return !Shows(kCalendar); })) << Windows();
    }
    ASSERT_NO_FATAL_FAILURE(PressSpace(*this));
    if (quit.bySignal)
        kill(program, SIGTERM);
    else
        desktop->Keys("ctrl+q");
    const int status = EndOf(program, 5);
    ASSERT_NE(status, -1) << "the calendar did not end";
    program = 0;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "ended with status " << status;
    EXPECT_TRUE(fs::exists(environment.Documents() / "Calendar.tpc"));
    EXPECT_TRUE(fs::exists(preferences));
}

INSTANTIATE_TEST_SUITE_P(Desktop, QuitMidSlide,
                         testing::Values(QuitWhileSliding{"KeyAway", false, false},
                                         QuitWhileSliding{"KeyBack", true, false},
                                         QuitWhileSliding{"SignalAway", false, true},
                                         QuitWhileSliding{"SignalBack", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Under a locale that writes numbers with a decimal comma ----

// Where the sample edition puts the year grid, today's date in it and the week face's parts on a
// screen of that size, as the program computes them.
struct Layout {
    XDesktop::Place calendarArea;
    int todayX = 0, todayY = 0; // in the year grid
    int slotX = 0, slotY = 0;   // today's first hour in the week grid
    int returnX = 0, returnY = 0;

    // app: the test's application folder.
    Layout(const fs::path& app, int width, int height) {
        const char* edition = "Four Seasons";
        fs::create_directory_symlink(fs::path(CALENDAR_BIN_DIR) / edition, app / edition);
        TestEnvironment::WriteFile(app / "caldef.dat", edition);
        SetScreenForTesting(ScreenInfo{0, 0, width, height, 0, 0, width, height});
        Application quitsOnAFailedLoad;
        CustomizationModule::CustomizeCalendar();
        const CustomizationModule m = Customization();
        SetScreenForTesting(std::nullopt);
        Customization() = CustomizationModule{};

        const int top = static_cast<int>(height * m.TitleAreaHeightPercent);
        const int gridHeight = static_cast<int>(height * m.CalendarAreaHeightPercent);
        calendarArea = {0, top, width, gridHeight};
        const double left = width * m.leftMargin_pct, right = width * m.rightMargin_Pct;
        const int margin = static_cast<int>(gridHeight * m.topMargin_pct);
        const int columnWidth = static_cast<int>((width - left - right) / 30);
        const int rowHeight = static_cast<int>((gridHeight - margin) / 27.0);
        // Four months a row of blocks, each 9 rows by 8 columns; weeks from the block's row 3.
        const Date today;
        Date first = today;
        first.SetDay(1);
        const int row = (today.Month() - 1) / 4 * 9 + today.WeekOfYear() - first.WeekOfYear() + 3;
        const int column = (today.Month() - 1) % 4 * 8 + today.DayOfWeek();
        todayX = static_cast<int>(left + (column + 0.5) * columnWidth);
        todayY = static_cast<int>(top + margin + (row - 0.5) * rowHeight);
        // The week header (60 high) with the return arrow at its right end, the week grid below
        // it: a time column 60 wide and seven days beside the 168 wide small months.
        const double dayWidth = (width - 60 - 168) / 7.0;
        slotX = static_cast<int>(60 + (today.DayOfWeek() - 0.5) * dayWidth);
        slotY = static_cast<int>(height * m.TitleAreaHeightPercent + 60) + 8;
        returnX = width - 10;
        returnY = top + 9;
    }
};

// The share of the pixels that differ between two looks at one area.
double Changed(const std::vector<unsigned long>& before, const std::vector<unsigned long>& after) {
    if (before.size() != after.size() || before.empty()) return 1;
    size_t changed = 0;
    for (size_t i = 0; i < before.size(); ++i)
        changed += before[i] != after[i];
    return static_cast<double>(changed) / static_cast<double>(before.size());
}

struct GermanScreen {
    const char* name;
    const char* desktop;
    int width, height;
};

void PrintTo(const GermanScreen& screen, std::ostream* out) {
    *out << screen.name;
}

class UnderGermanLocale : public DesktopTest, public testing::WithParamInterface<GermanScreen> {
  protected:
    const char* Desktop() const override { return GetParam().desktop; }
    std::vector<std::string> Environment() const override {
        return {"LANG=de_DE.UTF-8", "LC_ALL=", "LC_NUMERIC=", "LANGUAGE=",
                std::string("LOCPATH=") + CALENDAR_LOCALE_DIR};
    }
    void SetUp() override {
        const fs::path locale = fs::path(CALENDAR_LOCALE_DIR) / "de_DE.UTF-8";
        if (!fs::exists(locale / "LC_CTYPE"))
            GTEST_SKIP() << "de_DE.UTF-8 was not built: "
                         << TestEnvironment::ReadFile(locale.string() + ".missing");
        DesktopTest::SetUp();
    }
};

TEST_P(UnderGermanLocale, TodaysDateOpensItsWeekAndTheReturnArrowBringsTheYearBack) {
    const GermanScreen& screen = GetParam();
    const Layout layout(environment.AppFolder(), screen.width, screen.height);
    const auto look = [&] { return desktop->Pixels(layout.calendarArea); };
    // The year as painted, the pointer on the title band.
    desktop->MoveTo(screen.width / 2, kTitleBandY);
    const auto settled = Settled(layout.calendarArea);
    ASSERT_TRUE(settled);
    const std::vector<unsigned long> year = *settled;

    desktop->Click(layout.todayX, layout.todayY);
    ASSERT_TRUE(WaitFor([&] { return Changed(year, look()) > 0.3; }))
        << "no week opened at today's date (" << layout.todayX << ", " << layout.todayY << ")";
    desktop->Click(layout.slotX, layout.slotY);
    ASSERT_TRUE(WaitFor([&] { return Shows(kEventEditor); })) << Windows();
    desktop->Keys("W e e k Return");
    const std::string today = Date().SQLDate();
    const fs::path events = environment.Documents() / "Calendar.tpc";
    EXPECT_TRUE(WaitFor([&] {
        const std::string text = TestEnvironment::ReadFile(events);
        return text.find("\n" + today + " ") != std::string::npos &&
               text.find("//Week\n") != std::string::npos;
    })) << "the week's slot is not today's:\n"
        << TestEnvironment::ReadFile(events);

    desktop->Click(layout.returnX, layout.returnY);
    desktop->MoveTo(screen.width / 2, kTitleBandY);
    // The year again, today's date marked with its event.
    EXPECT_TRUE(WaitFor([&] { return Changed(year, look()) < 0.02; }))
        << "the return arrow did not bring the year back: " << Changed(year, look());
}

INSTANTIATE_TEST_SUITE_P(Desktop, UnderGermanLocale,
                         testing::Values(GermanScreen{"Wide", kOpenbox, 1440, 900},
                                         GermanScreen{"FourToThree", kSmall, 1024, 768}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- A year paged behind the week ----

// What comes between opening a week and a click in its grid: a page of the year behind it.
struct PageBehindTheWeek {
    const char* name;
    std::function<void(DesktopTest&)> page;
};

void PrintTo(const PageBehindTheWeek& page, std::ostream* out) {
    *out << page.name;
}

class YearPagedBehindTheWeek : public UnderOpenbox,
                               public testing::WithParamInterface<PageBehindTheWeek> {};

// The slot clicked is the event's date, and back on the year face the year is the one paged to.
TEST_P(YearPagedBehindTheWeek, LeavesTheClickedDayAndTheYearFaceShowsThePagedYear) {
    const XDesktop::Place yearArea{0, 71, 1440, 560};
    desktop->MoveTo(kTitleBandX, kTitleBandY);
    const auto thisYear = Settled(yearArea);
    ASSERT_TRUE(thisYear);
    ASSERT_NO_FATAL_FAILURE(PressKeys(*this, "Next"));
    ASSERT_TRUE(WaitFor([&] { return desktop->Pixels(yearArea) != *thisYear; }));
    const auto nextYear = Settled(yearArea);
    ASSERT_TRUE(nextYear);
    desktop->Keys("Prior");
    ASSERT_TRUE(WaitFor([&] { return desktop->Pixels(yearArea) == *thisYear; }));

    desktop->Click(kJanuaryDayX, kJanuaryDayY);
    ASSERT_TRUE(WaitFor([&] { return Changed(*thisYear, desktop->Pixels(yearArea)) > 0.3; }));
    ASSERT_NO_FATAL_FAILURE(GetParam().page(*this));
    // A click that comes while a slide back still has steps to go is ignored: it is given again.
    for (int clicks = 0; clicks < 5 && !Shows(kEventEditor); ++clicks) {
        desktop->Click(kSlotX, kSlotY);
        WaitFor([&] { return Shows(kEventEditor); }, std::chrono::seconds(4));
    }
    ASSERT_TRUE(Shows(kEventEditor)) << Windows();
    desktop->Keys("W e e k Return");
    // The Wednesday of January's third week, this year.
    Date wednesday(Date().Year(), 1, 1);
    wednesday.SetDay(wednesday.Day() - wednesday.DayOfWeek() + 18);
    const std::string line =
        "\n" + wednesday.SQLDate() + " 10:00:00|" + wednesday.SQLDate() + " 10:30:00//Week\n";
    const fs::path events = environment.Documents() / "Calendar.tpc";
    EXPECT_TRUE(WaitFor([&] {
        return TestEnvironment::ReadFile(events).find(line) != std::string::npos;
    })) << "not on "
        << wednesday.SQLDate() << ":\n"
        << TestEnvironment::ReadFile(events);

    desktop->Click(kReturnArrowX, kReturnArrowY);
    desktop->MoveTo(kTitleBandX, kTitleBandY);
    EXPECT_TRUE(WaitFor([&] { return desktop->Pixels(yearArea) == *nextYear; }))
        << "the year face does not show the next year: "
        << Changed(*nextYear, desktop->Pixels(yearArea));
}

INSTANTIATE_TEST_SUITE_P(
    Desktop, YearPagedBehindTheWeek,
    testing::Values(PageBehindTheWeek{"WheelOverTheBottomBand",
                                      [](DesktopTest& test) { test.desktop->Click(700, 820, 5); }},
                    PageBehindTheWeek{"PageDownAfterAClickOnTheHeader",
                                      [](DesktopTest& test) {
                                          test.desktop->Click(300, 80); // a day's label
                                          PressKeys(test, "Next");
                                      }},
                    PageBehindTheWeek{"PageDownWhileSlidAway",
                                      [](DesktopTest& test) {
                                          SlideUntil(test, PressSpace, false);
                                          PressKeys(test, "Next");
                                          // The slot is clicked where the calendar comes to
                                          // rest, not on its way down.
                                          test.desktop->WatchMoves();
                                          SlideUntil(test, PressSpace, true);
                                          ASSERT_TRUE(WaitFor([&] {
                                              return test.desktop->CameDownToTop(
                                                         test.Window(kCalendar)) &&
                                                     test.AtRest(kCalendar);
                                          })) << test.Windows();
                                      }}),
    [](const testing::TestParamInfo<PageBehindTheWeek>& info) { return info.param.name; });

// A logout whose SIGKILL comes a second after its SIGTERM, while another program appends to the
// event file every 50 ms (a sync client): the to-do item confirmed, whose write was put off as
// that file did not settle, is in the file or in a rescue file, and the preferences are written.
TEST_F(WithoutWindowManager, ALogoutsKillASecondAfterItsTermKeepsTheItem) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    struct Appender {
        std::atomic<bool> stop = false;
        std::thread thread;
        ~Appender() {
            stop = true;
            thread.join();
        }
    } appender;
    appender.thread = std::thread([&] {
        for (int line = 0; !appender.stop; ++line) {
            std::ofstream(file, std::ios::app)
                << "2030-06-01 12:00:00|2030-06-01 12:30:00//Appended " << line << "\n";
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    desktop->Click(kJanuaryDayX, kJanuaryDayY); // the week face, with its to-do list
    desktop->Click(kTodoAddX, kTodoAddY);
    desktop->Keys("W a t e r Return");
    ASSERT_TRUE(WaitFor([&] {
        return TestEnvironment::ReadFile(Log()).find("another program was still writing it") !=
               std::string::npos;
    })) << "the write after the item was not put off";
    const fs::path preferences = environment.Config() / "QVCalendar.prefs";
    fs::remove(preferences);
    kill(program, SIGTERM);
    int status = 0;
    if (!WaitFor([&] { return waitpid(program, &status, WNOHANG) == program; },
                 std::chrono::seconds(1))) {
        kill(program, SIGKILL);
        waitpid(program, &status, 0);
    }
    program = 0;
    const auto holdsTheItem = [](const fs::path& path) {
        return ("\n" + TestEnvironment::ReadFile(path)).find("\n0\tWater\n") != std::string::npos;
    };
    std::vector<fs::path> kept{file};
    for (const fs::path& folder : {environment.Config(), environment.Documents()})
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path().filename().string().starts_with("Calendar rescued "))
                kept.push_back(entry.path());
    EXPECT_TRUE(std::ranges::any_of(kept, holdsTheItem))
        << "ended with status " << status << "; the item is in none of " << kept.size() << " files";
    EXPECT_TRUE(fs::exists(preferences)) << "the preferences are written before the wait";
}

// Ctrl+Q while a message is up (it came as the item was confirmed: another program had replaced
// the event file) is kept from the menus by the message; the quit goes on once it is answered.
TEST_F(WithoutWindowManager, CtrlQWhileAMessageShowsQuitsOnceItIsAnswered) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    TestEnvironment::WriteFile(environment.Documents() / "theirs.tmp", "0\tTheirs\nEvents Data:\n");
    fs::rename(environment.Documents() / "theirs.tmp", file);
    desktop->Click(kJanuaryDayX, kJanuaryDayY); // the week face, with its to-do list
    desktop->Click(kTodoAddX, kTodoAddY);
    desktop->Keys("W a t e r Return");
    ASSERT_TRUE(WaitFor([&] { return desktop->Shows(program, " "); })) << Windows();
    desktop->Keys("ctrl+q");
    desktop->Keys("Return");
    const int status = EndOf(program, 10);
    ASSERT_NE(status, -1) << "the calendar did not end once the message was answered";
    program = 0;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "ended with status " << status;
    EXPECT_NE(("\n" + TestEnvironment::ReadFile(file)).find("\n0\tWater\n"), std::string::npos);
}

// ---- In a Wayland session, as GNOME runs one ----

class InAWaylandSession : public DesktopTest {
  protected:
    const char* Desktop() const override { return kXWayland; }
};

// Seen through XWayland, the windows are X windows: a Wayland client's would not be there. With
// every core busy, Mutter may map the calendar where its slide ends rather than where it begins,
// so only where the slides end is checked.
TEST_F(InAWaylandSession, TheCalendarCoversTheScreenAndTheTabSlidesItAwayAndBack) {
    const XDesktop::Place place = desktop->PlaceOf(Window(kCalendar));
    EXPECT_EQ(std::to_string(place.left) + "," + std::to_string(place.top) + " " +
                  std::to_string(place.width) + "x" + std::to_string(place.height),
              "0,0 " + DisplayState()["size"])
        << Windows();
    // Away by the tab and back by it, then away by Ctrl+W and back by the space bar.
    const auto away = [&] { return !Shows(kCalendar) && AtRest(kTab); };
    const auto back = [&] { return AtRest(kCalendar) && Above(kTab, kCalendar); };
    ASSERT_NO_FATAL_FAILURE(SlideUntil(*this, &DesktopTest::ClickTab, false));
    ASSERT_TRUE(WaitFor(away)) << Windows();
    ASSERT_NO_FATAL_FAILURE(SlideUntil(*this, &DesktopTest::ClickTab, true));
    ASSERT_TRUE(WaitFor(back)) << Windows();
    ASSERT_NO_FATAL_FAILURE(SlideUntil(*this, PressCtrlW, false));
    ASSERT_TRUE(WaitFor(away)) << Windows();
    ASSERT_NO_FATAL_FAILURE(SlideUntil(*this, PressSpace, true));
    EXPECT_TRUE(WaitFor(back)) << Windows();
}

TEST(WaylandSessionWithoutX, TheCalendarSaysItNeedsX11AndEnds) {
    const TestEnvironment environment;
    const fs::path log = environment.Home() / "calendar.log";
    const pid_t program =
        Spawn({"DISPLAY=", "WAYLAND_DISPLAY=wayland-0", "XDG_SESSION_TYPE=wayland"}, log);
    ASSERT_GT(program, 0);
    int status = 0;
    ASSERT_TRUE(WaitFor([&] { return waitpid(program, &status, WNOHANG) == program; }))
        << "the calendar did not end";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == EXIT_FAILURE)
        << "ended with status " << status;
    EXPECT_NE(TestEnvironment::ReadFile(log).find("needs X11 or XWayland"), std::string::npos)
        << TestEnvironment::ReadFile(log);
}

} // namespace
