// Windows and controls: opening, locks, visibility, mouse and keys, modal loops and timers.
#include "support/PictureTestSupport.h"
#include "support/TestEnvironment.h"

#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "platform/Timer.h"
#include "platform/Window.h"

#include <QWidget>

#include <string>
#include <vector>

namespace {
std::vector<std::string> journal;

class Probe : public Canvas {};

class ProbeWindow : public Window {
  public:
    ProbeWindow() {
        SetWidth(400);
        SetHeight(300);
        for (const char* name : {"first", "second"}) {
            auto& control = AddControl(std::make_unique<Probe>(), name);
            control.OnOpen = [this, name] {
                journal.push_back(std::string(name) + (IsRegistered() ? " registered" : ""));
            };
        }
    }
    void Event_Open() override { journal.push_back("window"); }
    void Event_Close() override { journal.push_back("close"); }
    bool Event_MouseWheel(int, int, int, int dy) override {
        journal.push_back("window wheel " + std::to_string(dy));
        return false;
    }
    bool IsRegistered() const {
        for (Window* window : OpenWindows())
            if (window == this) return true;
        return false;
    }
};

class WindowTest : public IsolatedTest {
  protected:
    WindowTest() { journal.clear(); }
    ~WindowTest() override {
        for (Window* window : OpenWindows())
            window->Close();
        DoEvents();
    }
    static ProbeWindow& Shown() {
        ProbeWindow& window = OpenWindow<ProbeWindow>();
        window.Show();
        return window;
    }
    Application application;
};
} // namespace

TEST_F(WindowTest, OpensRegisteredControlsFirstAndAccessorGivesTheOpenWindowOrAFreshOne) {
    ProbeWindow& window = OpenWindow<ProbeWindow>();
    EXPECT_EQ(journal,
              (std::vector<std::string>{"first registered", "second registered", "window"}));
    EXPECT_EQ(&OpenWindow<ProbeWindow>(), &window);
    EXPECT_EQ(journal.size(), 3u) << "no second Open";

    window.Close();
    EXPECT_TRUE(OpenWindow<ProbeWindow>().IsOpen());
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "window"), 2);
}

TEST_F(WindowTest, ControlsAreFoundByNameAndIndex) {
    Window window;
    for (int index : {1, 0})
        window.AddControl(std::make_unique<Canvas>(), "member", index);
    EXPECT_EQ(window.ControlNamed("member", 1)->Index(), 1);
    EXPECT_EQ(window.ControlNamed("member", 2), nullptr);
    EXPECT_EQ(window.ControlAs<Timer>("member", 0), nullptr);
}

TEST_F(WindowTest, LocksStretchAndMoveControlsWhenTheSizeChanges) {
    Window window;
    window.SetWidth(1024);
    window.SetHeight(740);
    const auto add = [&](const char* name, bool l, bool t, bool r, bool b) -> Canvas& {
        auto& control = window.AddControl(std::make_unique<Canvas>(), name);
        control.SetBounds(100, 50, 200, 40);
        control.LockLeft = l, control.LockTop = t, control.LockRight = r, control.LockBottom = b;
        return control;
    };
    Canvas& stretch = add("stretch", true, false, true, false);
    Canvas& right = add("right", false, true, true, false);
    Canvas& bottom = add("bottom", false, false, false, true);
    window.SetWidth(1440);
    window.SetHeight(840);
    EXPECT_EQ(std::vector<int>({stretch.Left(), stretch.Width(), stretch.Top()}),
              std::vector<int>({100, 616, 50}));
    EXPECT_EQ(std::vector<int>({right.Left(), right.Width()}), std::vector<int>({516, 200}));
    EXPECT_EQ(std::vector<int>({bottom.Top(), bottom.Height()}), std::vector<int>({150, 40}));
}

TEST_F(WindowTest, HiddenParentHidesChildAndHidingUnderThePointerExits) {
    ProbeWindow& window = Shown();
    auto& parent = *window.ControlAs<Canvas>("first");
    auto& child = *window.ControlAs<Canvas>("second");
    parent.SetBounds(0, 0, 200, 200);
    child.SetBounds(10, 10, 50, 50);
    child.SetParent(&parent);
    parent.SetVisible(false);
    EXPECT_TRUE(child.Visible());
    EXPECT_FALSE(child.Shown());
    child.SetParent(nullptr);
    EXPECT_TRUE(child.Shown());

    std::vector<std::string> events;
    child.OnMouseEnter = [&] { events.push_back("enter"); };
    child.OnMouseExit = [&] { events.push_back("exit"); };
    Simulate::MouseMove(window, 20, 20);
    child.SetVisible(false);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
}

TEST_F(WindowTest, MouseDownDecidesWhetherDragAndReleaseFollow) {
    ProbeWindow& window = Shown();
    auto& canvas = *window.ControlAs<Canvas>("first");
    canvas.SetBounds(100, 100, 50, 50);
    std::vector<std::string> events;
    bool take = false;
    canvas.OnMouseDown = [&](int x, int y) {
        events.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        return take;
    };
    canvas.OnMouseDrag = [&](int x, int) { events.push_back("drag " + std::to_string(x)); };
    canvas.OnMouseUp = [&](int, int) { events.push_back("up"); };
    Simulate::MouseDown(window, 110, 120);
    Simulate::MouseMove(window, 130, 120);
    Simulate::MouseUp(window, 130, 120);
    EXPECT_EQ(events, (std::vector<std::string>{"down 10,20"}));

    events.clear();
    take = true;
    Simulate::MouseDown(window, 110, 120);
    Simulate::MouseMove(window, 300, 120);
    Simulate::MouseUp(window, 300, 120);
    EXPECT_EQ(events, (std::vector<std::string>{"down 10,20", "drag 200", "up"}));
}

TEST_F(WindowTest, WheelGoesOnceToTheTopmostControlWithAHandlerElseToTheWindow) {
    ProbeWindow& window = Shown();
    auto& below = *window.ControlAs<Canvas>("first");
    auto& above = *window.ControlAs<Canvas>("second"); // made later, so on top
    below.SetBounds(0, 0, 50, 50);
    above.SetBounds(20, 20, 100, 100);
    below.OnMouseWheel = [](int x, int y, int, int dy) {
        journal.push_back("below " + std::to_string(x) + "," + std::to_string(y) + " " +
                          std::to_string(dy));
        return false;
    };
    journal.clear();
    Simulate::Wheel(window, 10, 10, 0, -1);
    // The upper canvas has no wheel handler: the wheel goes through it.
    Simulate::Wheel(window, 30, 30, 0, 1);
    Simulate::Wheel(window, 100, 100, 0, 2);
    above.OnMouseWheel = [](int, int, int, int) {
        journal.push_back("above");
        return false;
    };
    Simulate::Wheel(window, 30, 30, 0, 1);
    Simulate::Wheel(window, 200, 200, 0, 3);
    EXPECT_EQ(journal, (std::vector<std::string>{"below 10,10 -1", "below 30,30 1",
                                                 "window wheel 2", "above", "window wheel 3"}));
}

TEST_F(WindowTest, ShowModalKeepsTimersRunningAndASingleShotTurnsItselfOff) {
    Window window;
    Timer once, rearm;
    once.SetPeriod(5);
    int fired = 0;
    once.OnAction = [&] {
        EXPECT_EQ(once.Mode(), Timer::ModeOff);
        if (++fired == 2) window.Close();
    };
    once.SetMode(Timer::ModeSingle);
    rearm.SetPeriod(40);
    rearm.OnAction = [&] { once.SetMode(Timer::ModeSingle); };
    window.ShowModal();
    EXPECT_EQ(fired, 2);
    EXPECT_FALSE(window.IsOpen());
}

TEST_F(WindowTest, DrawIntoShowsTheBackgroundAndOnlyVisibleControls) {
    ProbeWindow& window = OpenWindow<ProbeWindow>();
    window.HasBackColor = true;
    window.BackColor = RGB(0, 0, 255);
    for (const char* name : {"first", "second"}) {
        auto& canvas = *window.ControlAs<Canvas>(name);
        canvas.SetBounds(name[0] == 'f' ? 10 : 50, 10, 20, 20);
        canvas.OnPaint = [](Graphics& g) { g.FillRect(0, 0, g.Width(), g.Height()); };
    }
    window.ControlAs<Canvas>("second")->SetVisible(false);
    window.Show();
    Picture picture(window.Width(), window.Height());
    window.DrawInto(picture.Graphics(), 0, 0);
    EXPECT_EQ(picture.Pixel(15, 15), RGB(0, 0, 0));
    EXPECT_EQ(picture.Pixel(55, 15), RGB(0, 0, 255));
}

// Text in a control away from the window's corner: its underline lies under it, where it lies
// when the same text is drawn into a picture.
TEST_F(WindowTest, AControlsUnderlinedTextIsUnderlinedInPlace) {
    const auto write = [](Graphics& g) {
        g.TextFont = "Arial";
        g.TextSize = 16;
        g.ForeColor = RGB(0, 0, 0);
        g.Underline = true;
        g.DrawString("14", 10, 20);
    };
    ProbeWindow& window = OpenWindow<ProbeWindow>();
    window.HasBackColor = true;
    window.BackColor = RGB(255, 255, 255);
    auto& canvas = *window.ControlAs<Canvas>("first");
    canvas.SetBounds(100, 60, 60, 40);
    canvas.OnPaint = write;
    window.ControlAs<Canvas>("second")->SetVisible(false);
    window.Show();
    Picture shot(window.Width(), window.Height()), alone(60, 40);
    window.DrawInto(shot.Graphics(), 0, 0);
    write(alone.Graphics());
    const PixelBounds expected = InkBounds(alone);
    EXPECT_EQ(InkBounds(shot), (PixelBounds{expected.left + 100, expected.top + 60,
                                            expected.right + 100, expected.bottom + 60}));
}

// A window's look does not depend on the focus: moving it between windows repaints neither.
TEST_F(WindowTest, ActivatingAWindowRepaintsNothing) {
    int paints = 0;
    ProbeWindow& window = OpenWindow<ProbeWindow>();
    Canvas& canvas = *window.ControlAs<Canvas>("first");
    canvas.SetBounds(10, 10, 50, 50);
    canvas.OnPaint = [&](Graphics&) { ++paints; };
    Window other;
    other.SetWidth(100);
    other.SetHeight(100);
    window.Show();
    other.Show();
    for (int i = 0; i < 5; ++i)
        DoEvents();
    const int settled = paints;
    for (Window* active : {static_cast<Window*>(&window), &other, static_cast<Window*>(&window)})
        Simulate::Activate(*active);
    for (int i = 0; i < 5; ++i)
        DoEvents();
    EXPECT_GT(settled, 0);
    EXPECT_EQ(paints, settled);
}

// A hidden control can be painted unseen ahead of being shown, and stays hidden; a large one is
// painted a band at a time (of 400 pixels, 655 rows make a megabyte), each part once.
TEST_F(WindowTest, AHiddenControlPaintsUnseenAndStaysHidden) {
    ProbeWindow& window = Shown();
    int hiddenPaints = 0;
    Canvas& hidden = *window.ControlAs<Canvas>("second");
    hidden.SetVisible(false);
    hidden.OnPaint = [&](Graphics&) { ++hiddenPaints; };
    for (const auto& [height, paints] : {std::pair{50, 1}, std::pair{2000, 4}}) {
        hiddenPaints = 0;
        hidden.SetBounds(10, 10, height == 50 ? 50 : 400, height);
        for (int i = 0; i < 5; ++i)
            DoEvents();
        EXPECT_EQ(hiddenPaints, 0);
        hidden.PaintUnseen();
        EXPECT_EQ(hiddenPaints, paints) << height;
        EXPECT_FALSE(hidden.Visible());
    }
}

// The start-up benchmark ends the program from this hook, so it must wait for the first
// frame of the first window and then run only once.
TEST_F(WindowTest, FirstPaintHookRunsOnceAfterTheFirstWindowHasPainted) {
    int runs = 0;
    TestSeams::WhenFirstPainted([&] { ++runs; });
    ProbeWindow& window = OpenWindow<ProbeWindow>();
    DoEvents();
    EXPECT_EQ(runs, 0) << "nothing has been painted yet";
    window.Show();
    for (int round = 0; round < 50 && runs == 0; ++round)
        DoEvents();
    EXPECT_EQ(runs, 1);
    window.Refresh();
    DoEvents();
    EXPECT_EQ(runs, 1);
}

// Every window has a fixed size and a title bar on the desktop; only a window with a close box
// gets a close button, and only it closes at the desktop's request or by Escape, which works
// also where no desktop draws title bars.
// A busy desktop confirms a slide's moves well after the last of them, passing over some. A
// place the program never asked for is the desktop's own or the user's, and so is any after it.
TEST_F(WindowTest, TheDesktopsLateWordOnTheProgramsMovesMovesNothing) {
    ProbeWindow& window = Shown();
    for (int top = 0; top > -600; top -= 2) // a slide on a tall screen
        window.SetTop(top);
    window.SetTop(10);
    for (const auto& [reported, kept] : {std::pair{-4, 10}, {-300, 10}, {15, 15}, {-400, -400}}) {
        Simulate::DesktopPlaces(window, 0, reported);
        EXPECT_EQ(window.Top(), kept) << reported;
    }
}

TEST_F(WindowTest, OnlyAWindowWithACloseBoxClosesAtTheDesktopsRequestOrByEscape) {
    ProbeWindow& window = Shown();
    window.SetWidth(500);
    TestSeams::DesktopRequest asked = TestSeams::AskedOfDesktop(window);
    EXPECT_TRUE(asked.titleBar && asked.closeButton);
    EXPECT_FALSE(asked.userResizable);
    EXPECT_EQ(window.Widget()->width(), 500) << "the program still sizes it";

    window.SetCloseButton(false);
    asked = TestSeams::AskedOfDesktop(window);
    EXPECT_TRUE(asked.titleBar) << "the title shows and the window can be moved";
    EXPECT_FALSE(asked.closeButton || asked.userResizable);
    Simulate::DesktopClose(window);
    Simulate::Key(window, "Esc");
    EXPECT_TRUE(window.IsOpen());
    window.SetDesktopFrame(false); // drawn by the program alone, like the tab
    Simulate::Key(window, "Esc");
    EXPECT_TRUE(window.IsOpen());
    window.SetDesktopFrame(true);
    window.SetCloseButton(true);
    Simulate::Key(window, "Esc");
    EXPECT_FALSE(window.IsOpen());
    ProbeWindow& again = Shown();
    Simulate::DesktopClose(again);
    EXPECT_FALSE(again.IsOpen());
}

// A floating window stands in front of the document window shown last, and comes back in front
// of it whenever that is shown; a window shown modally stands in front of them all, with the
// keyboard, also where no desktop keeps the order. One the user may minimise is not linked to
// the document window, which some desktops would minimise with it; Show brings it back.
TEST_F(WindowTest, FloatingWindowsStandInFrontOfTheDocumentWindowAndAModalInFrontOfAll) {
    ProbeWindow& ground = Shown();
    Window floating, above;
    floating.SetFrame(Window::Floating);
    above.SetFrame(Window::GlobalFloating);
    floating.Show();
    above.Show();
    ground.Show();
    EXPECT_EQ(TestSeams::AskedOfDesktop(floating).inFrontOf, nullptr);
    EXPECT_EQ(TestSeams::AskedOfDesktop(above).inFrontOf, &ground);
    EXPECT_TRUE(TestSeams::AskedOfDesktop(floating).minimiseButton);
    EXPECT_FALSE(TestSeams::AskedOfDesktop(above).minimiseButton);
    EXPECT_EQ(TestSeams::FrontOrder(), (std::vector<const Window*>{&ground, &floating, &above}));
    Simulate::Minimise(floating);
    floating.Show();
    EXPECT_FALSE(TestSeams::Minimised(floating));
    EXPECT_EQ(TestSeams::FrontOrder().back(), &floating);

    Window modal; // a document window, shown modally
    bool ran = false;
    TestSeams::WhenModal([&](Window& shown) {
        ran = true;
        DoEvents();
        EXPECT_EQ(TestSeams::FrontOrder().back(), &shown);
        EXPECT_EQ(TestSeams::AskedOfDesktop(shown).inFrontOf, &ground);
        EXPECT_TRUE(TestSeams::HasKeyboard(shown));
        EXPECT_FALSE(TestSeams::AskedOfDesktop(shown).minimiseButton);
    });
    modal.ShowModal();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(EventsUntil([&] { return TestSeams::HasKeyboard(floating); }))
        << "the keyboard goes back to the window below";
}

// A message raised while a window opens stands over that window: it waits until the window is
// on the screen, whether the window is shown by its Show or shows itself as it opens; a window
// closed as it opens still tells it.
TEST_F(WindowTest, AMessageOfTheOpeningWaitsUntilTheWindowIsShown) {
    class Telling : public Window {
      public:
        bool showItself = false;
        bool closeItself = false;
        void Event_Open() override {
            MsgBox("something to tell");
            if (showItself) Show();
            if (closeItself) Close();
        }
    };
    for (const auto& [showItself, closeItself] :
         {std::pair{false, false}, std::pair{true, false}, std::pair{false, true}}) {
        Telling window;
        window.showItself = showItself;
        window.closeItself = closeItself;
        std::vector<bool> shownAtTheMessage;
        TestSeams::AnswerDialogs([&](const TestSeams::DialogRecord&) {
            shownAtTheMessage.push_back(window.Visible());
            return 0;
        });
        window.Show();
        EXPECT_EQ(shownAtTheMessage, std::vector<bool>{!closeItself})
            << "shows itself " << showItself << ", closes itself " << closeItself;
        window.Close();
    }
}
