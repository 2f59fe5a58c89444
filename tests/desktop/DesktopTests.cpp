// The real program on a real X display, under the openbox and xfwm4 window managers and under
// none, seen through the X server: the tab stays above the calendar, About and Help stay in front
// of it, the event editor holds the input while it is open, minimising a window or Ctrl+W in an
// editor leaves the calendar on the screen, and every window can be left with a user's keys.
#include "desktop/ProgramRun.h"
#include "desktop/XDesktop.h"

#include "support/TestEnvironment.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>

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

// The displays of tools/desktop-display.sh, by their keys in its state file.
constexpr char kOpenbox[] = "managed";
constexpr char kXfwm4[] = "xfwm4";
constexpr char kBare[] = "bare";

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

    void ClickTab() const {
        const XDesktop::Place place = desktop->PlaceOf(Window(kTab));
        desktop->Click(place.left + place.width / 2, place.top + place.height / 2);
    }

    std::unique_ptr<XDesktop> desktop;
    pid_t program = 0;

  protected:
    // The display the test runs on, one of kOpenbox, kXfwm4 and kBare.
    virtual const char* Desktop() const = 0;

    void SetUp() override {
        auto state = DisplayState();
        if (state.empty()) GTEST_SKIP() << "no virtual displays: " << DESKTOP_DISPLAY_STATE;
        if (state.contains("skip")) GTEST_SKIP() << state["skip"];
        desktop = std::make_unique<XDesktop>(state[Desktop()]);
        bus_ = state["bus"];
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

  private:
    fs::path Log() const { return environment.Home() / "calendar.log"; }

    // The session bus the displays' desktop provides.
    std::string bus_;

    void Start() {
        program = StartCalendar(desktop->Name(), bus_, Log());
        ASSERT_NE(program, 0);
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
        ASSERT_NO_FATAL_FAILURE(slide.away(*this));
        ASSERT_TRUE(WaitFor([&] { return !Shows(kCalendar) && Shows(kTab); }))
            << "the calendar did not slide away (" << turn << ")\n"
            << Windows();
        // At rest once it has come down: a desktop may map it at rest a moment before the slide.
        desktop->WatchMoves();
        ASSERT_NO_FATAL_FAILURE(slide.back(*this));
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
    int status = 0;
    ASSERT_TRUE(WaitFor([&] { return waitpid(program, &status, WNOHANG) == program; },
                        std::chrono::seconds(5)))
        << "the calendar did not end";
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

} // namespace
