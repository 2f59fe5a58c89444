// The space bar slides the calendar off the top of the screen and back.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Simulate.h"
#include "windows/TabWindow.h"

#include <functional>

namespace {
// The main window, noting every top it is moved to.
class RecordingWindow : public CalendarWindow {
  public:
    void Event_Moved() override {
        tops.push_back(Top());
        if (tops.size() == 3 && midSlide) midSlide();
        CalendarWindow::Event_Moved();
    }
    std::vector<int> tops;
    std::function<void()> midSlide;
};

// Tops from first while they stay at or above last, in steps.
std::vector<int> Steps(int first, int last, int step) {
    std::vector<int> tops;
    for (int top = first; step < 0 ? top >= last : top <= last; top += step)
        tops.push_back(top);
    return tops;
}

class SlidingTest : public CalendarWindowTest {
  protected:
    RecordingWindow& window = OpenWindow<RecordingWindow>();
    // Available top 24, height 876: parked at 24 - 876 - 10.
    static constexpr int kParked = -862;
};
} // namespace

TEST_F(SlidingTest, SpaceSlidesUpInStepsOfTwentyAndDownInStepsOfSixteen) {
    TabWindow& tab = TabWindow::Instance();
    tab.SetLeft(-50);
    window.tops.clear();
    Simulate::Key(window, "Space");
    std::vector<int> up = Steps(4, 24 - 876, -20);
    up.push_back(kParked);
    EXPECT_EQ(window.tops, up);
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(tab.Left(), 0) << "the tab is put back on the screen";

    window.tops.clear();
    tab.SetLeft(1430);
    tab.Hide();
    application.Deactivated = true;
    Simulate::Key(tab, "Space");
    std::vector<int> down = Steps(kParked + 16, 24, 16);
    down.push_back(24);
    EXPECT_EQ(window.tops, down);
    EXPECT_TRUE(window.Visible());
    EXPECT_FALSE(application.Deactivated);
    EXPECT_TRUE(tab.Visible());
    EXPECT_EQ(tab.Left(), 1440 - 36);
    EXPECT_EQ(window.Left(), 0);
}

TEST_F(SlidingTest, InTheBackgroundSpaceOnlyBringsTheCalendarForward) {
    application.Deactivated = true;
    window.tops.clear();
    Simulate::Key(window, "Space");
    EXPECT_TRUE(window.tops.empty());
    EXPECT_TRUE(window.Visible());
    EXPECT_FALSE(application.Deactivated);
}

TEST_F(SlidingTest, APressOrAClickDuringASlideIsIgnored) {
    TabWindow& tab = TabWindow::Instance();
    window.midSlide = [&] { Simulate::Key(window, "Space"); };
    window.tops.clear();
    window.ScrollUp();
    std::vector<int> up = Steps(4, 24 - 876, -20);
    up.push_back(kParked);
    EXPECT_EQ(window.tops, up);
    EXPECT_FALSE(window.Visible());

    window.midSlide = [&] { Simulate::Click(tab, 5, 4); };
    window.tops.clear();
    window.ScrollDown();
    std::vector<int> down = Steps(kParked + 16, 24, 16);
    down.push_back(24);
    EXPECT_EQ(window.tops, down);
    EXPECT_TRUE(window.Visible());
}
