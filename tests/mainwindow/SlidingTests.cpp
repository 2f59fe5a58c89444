// The space bar slides the calendar off the top of the screen and back.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/TabWindow.h"

#include <functional>

namespace {
// The main window, noting every top it is moved to.
class RecordingWindow : public CalendarWindow {
  public:
    // What the window had done when it was deleted.
    struct End {
        bool deleted = false, midSlide = false;
        std::size_t moves = 0;
    };
    ~RecordingWindow() override {
        if (end) *end = {true, Sliding(), tops.size()};
    }
    void Event_Moved() override {
        tops.push_back(Top());
        if (tops.size() == 3 && midSlide) midSlide();
        CalendarWindow::Event_Moved();
    }
    std::vector<int> tops;
    std::function<void()> midSlide;
    End* end = nullptr;
};

// Available top 24, height 876: the slide up passes 4, -16, ... -836 and parks at
// 24 - 876 - 10; the slide down passes -846, -830, ... 18 and ends at 24.
std::vector<int> Slide(int first, int last, int step, int end) {
    std::vector<int> tops;
    for (int top = first; step < 0 ? top >= last : top <= last; top += step)
        tops.push_back(top);
    tops.push_back(end);
    return tops;
}
const std::vector<int> kUp = Slide(4, 24 - 876, -20, -862);
const std::vector<int> kDown = Slide(-862 + 16, 24, 16, 24);

class SlidingTest : public CalendarWindowTest {
  protected:
    RecordingWindow& window = OpenWindow<RecordingWindow>();
};
} // namespace

TEST_F(SlidingTest, SpaceSlidesUpInStepsOfTwentyAndDownInStepsOfSixteen) {
    TabWindow& tab = TabWindow::Instance();
    tab.SetLeft(-50);
    window.tops.clear();
    Simulate::Key(window, "Space");
    EXPECT_EQ(window.tops, kUp);
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(tab.Left(), 0) << "the tab is put back on the screen";

    window.tops.clear();
    tab.SetLeft(1430);
    tab.Hide();
    application.Deactivated = true;
    Simulate::Key(tab, "Space");
    EXPECT_EQ(window.tops, kDown);
    EXPECT_TRUE(window.Visible());
    EXPECT_FALSE(application.Deactivated);
    EXPECT_TRUE(tab.Visible());
    EXPECT_EQ(tab.Left(), 1440 - 36);
    EXPECT_EQ(window.Left(), 0);
    // A busy desktop confirms the steps after the last: its word on a step passed moves nothing.
    Simulate::DesktopPlaces(window, 0, kDown.front());
    EXPECT_EQ(window.Top(), 24);
}

// However the calendar slides away, the tab takes the keyboard, so that Space brings it back
// also where no desktop hands the keyboard on.
TEST_F(SlidingTest, SlidAwayTheTabHasTheKeyboardAndSpaceBringsTheCalendarBack) {
    ASSERT_TRUE(KeyboardAfterTheFirstFrame(window));
    TabWindow& tab = TabWindow::Instance();
    const struct {
        const char* how;
        std::function<void()> slide;
    } ways[] = {
        {"Space", [&] { Simulate::Key(window, "Space"); }},
        {"Close", [&] { Simulate::Key(window, "Ctrl+W"); }},
        {"the desktop's close", [&] { Simulate::DesktopClose(window); }},
        {"a click on the tab", [&] { Simulate::Click(tab, 5, 4); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        ASSERT_TRUE(EventsUntil([&] { return TestSeams::HasKeyboard(window); }));
        application.Deactivated = false;
        way.slide();
        EXPECT_FALSE(window.Visible());
        EXPECT_TRUE(EventsUntil([&] { return TestSeams::HasKeyboard(tab); }));
        Simulate::Key(tab, "Space");
        EXPECT_TRUE(window.Visible());
        EXPECT_EQ(window.Top(), 24);
    }
}

TEST_F(SlidingTest, InTheBackgroundSpaceOnlyBringsTheCalendarForward) {
    application.Deactivated = true;
    window.tops.clear();
    Simulate::Key(window, "Space");
    EXPECT_TRUE(window.tops.empty());
    EXPECT_TRUE(window.Visible());
    EXPECT_FALSE(application.Deactivated);
    // A key the tab gets says the program is in front, whatever its note said: it slides.
    application.Deactivated = true;
    Simulate::Key(TabWindow::Instance(), "Space");
    EXPECT_EQ(window.tops, kUp);
}

TEST_F(SlidingTest, APressOrAClickDuringASlideIsIgnored) {
    TabWindow& tab = TabWindow::Instance();
    window.midSlide = [&] { Simulate::Key(window, "Space"); };
    window.tops.clear();
    window.ScrollUp();
    EXPECT_EQ(window.tops, kUp);
    EXPECT_FALSE(window.Visible());

    window.midSlide = [&] { Simulate::Click(tab, 5, 4); };
    window.tops.clear();
    window.ScrollDown();
    EXPECT_EQ(window.tops, kDown);
    EXPECT_TRUE(window.Visible());
}

// A quit (Ctrl+Q, or a logout's SIGTERM) may come between two steps of a slide, either way: the
// slide stops there, and the closed window lives until the slide has returned.
class QuitDuringASlide : public SlidingTest, public testing::WithParamInterface<bool> {};

TEST_P(QuitDuringASlide, StopsItAndTheWindowOutlivesIt) {
    const bool away = GetParam();
    RecordingWindow::End end;
    window.end = &end;
    TabWindow& tab = TabWindow::Instance();
    if (!away) window.ScrollUp();
    window.tops.clear();
    window.midSlide = [&] { application.Quit(0); };
    Simulate::Key(away ? static_cast<Window&>(window) : tab, "Space");
    ASSERT_TRUE(EventsUntil([&] { return end.deleted; })) << "never deleted";
    EXPECT_FALSE(end.midSlide) << "deleted while its slide ran";
    EXPECT_EQ(end.moves, 3U) << "the slide went on after the quit";
    EXPECT_EQ(application.ExitCode(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sliding, QuitDuringASlide, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Away" : "Back"; });
