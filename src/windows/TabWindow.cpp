#include "windows/TabWindow.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Keyboard.h"
#include "platform/Screen.h"

#include <algorithm>

namespace {
constexpr int kWidth = 36;

// 0 means never placed. The default stands half a tab right of the middle. A stored place from a
// wider screen, or dragged half off it, is brought wholly onto this one.
int StartingLeft(int width) {
    const int available = Screen(0).AvailableWidth;
    const int stored = App().tabLeft;
    if (stored != 0 && stored < available)
        return std::clamp(stored, 0, std::max(0, available - width));
    return static_cast<int>(available - (available / 2.0 - width / 2.0));
}
} // namespace

TabWindow::TabWindow() {
    Layout();
}

void TabWindow::Layout() {
    SetWidth(kWidth);
    SetHeight(7);
    SetFrame(GlobalFloating);
    SetDesktopFrame(false);
    // No close of the desktop's (Alt+F4 while the tab has the keyboard) takes it away: it is the
    // only way back to a calendar slid off the screen.
    SetCloseButton(false);
    HasBackColor = true;
    BackColor = RGB(0x33, 0x33, 0x33);
    SetTitle("Tab");
}

TabWindow& TabWindow::Instance() {
    return OpenVisibleWindow<TabWindow>();
}

void TabWindow::Event_Open() {
    SetHeight(Height() + 2);
    BackColor = Customization().tabColor;
    SetTop(Screen(0).AvailableTop);
    SetLeft(StartingLeft(Width()));
}

double TabWindow::Middle() {
    if (const TabWindow* tab = FindOpenWindow<TabWindow>()) return tab->Left() + tab->Width() / 2.0;
    return StartingLeft(kWidth) + kWidth / 2.0;
}

void TabWindow::Event_Moved() {
    iMoved = true;
    // Pinned to the top edge, whatever moved it.
    const int availableTop = Screen(0).AvailableTop;
    if (Top() != availableTop) SetTop(availableTop);
}

bool TabWindow::Event_MouseDown(int x, int) {
    InX = x;
    iMoved = false;
    app& application = App();
    deactivatedAtPress_ = application.Deactivated;
    CustomizationModule& module = Customization();
    if (Keyboard::AsyncControlKey() && application.CalendarWindowOpen && module.cycleImages) {
        // The next season's or month's picture, without sliding or moving anything.
        module.PreEmptiveCycling = true;
        CustomizationModule::CycleImage();
        CalendarWindow& calendar = CalendarWindow::Instance();
        calendar.LoadBackgroundImage();
        calendar.Refresh(true);
        return false;
    }
    // Clicked while the program was in the background: it comes to the front.
    if (application.Deactivated) Show();
    return true;
}

void TabWindow::Event_MouseDrag(int x, int) {
    SetLeft(Left() + (x - InX));
}

void TabWindow::Event_MouseUp(int, int) {
    CalendarWindow& calendar = CalendarWindow::Instance();
    if (iMoved) {
        calendar.Show();
        App().tabLeft = Left();
    } else {
        calendar.SlideAwayOrBack(deactivatedAtPress_);
    }
}

// The program is in front again, though the calendar may not be: the next Space slides it.
void TabWindow::Event_Activate() {
    App().Deactivated = false;
}

bool TabWindow::Event_KeyDown(const std::string& key) {
    // A key reaches the program only while it is in front, whatever its last word on that.
    App().Deactivated = false;
    if (App().CalendarWindowOpen) CalendarWindow::Instance().KeyBoardControl(key);
    return false;
}
