// Sliding the calendar off the top of the screen and back. The event loop turns at every step,
// so a space press or a tab click can arrive in the middle of a slide; it is ignored. A quit can
// arrive too: the slide stops where it is once its window has closed.
#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "platform/Application.h"
#include "platform/Screen.h"
#include "windows/TabWindow.h"

#include <chrono>

namespace {
// Marks a slide as running for as long as it lives.
class SlideInProgress {
  public:
    explicit SlideInProgress(bool& flag) : flag_(flag) { flag_ = true; }
    ~SlideInProgress() { flag_ = false; }
    SlideInProgress(const SlideInProgress&) = delete;
    SlideInProgress& operator=(const SlideInProgress&) = delete;

  private:
    bool& flag_;
};

// How long the desktop may take to give the tab the keyboard; the calendar waits parked off
// the screen, so a busy machine's desktop may be given long.
constexpr std::chrono::seconds kDesktopAnswer{2};

int AvailableTop() {
    return Screen(0).AvailableTop;
}
} // namespace

void CalendarWindow::ScrollUp() {
    if (sliding_) return;
    const SlideInProgress slide(sliding_);
    // Only moved: showing it again would take the keyboard back from the tab.
    for (int y = AvailableTop(); y >= AvailableTop() - Height(); y -= 20) {
        SetTop(y);
        DoEvents();
        if (!IsOpen()) return;
    }
    // Parked with its bottom edge 10 pixels above the screen's usable area.
    SetTop(AvailableTop() - Height() - 10);
    // The tab takes the keyboard, so that Space brings the calendar back; before the calendar
    // hides, as a desktop may hand the keys of a window that goes to a window of its own. A
    // desktop too busy to answer in time is asked again once the calendar has gone.
    const TabWindow* tab = FindOpenWindow<TabWindow>();
    const bool tabShown = tab && tab->Visible();
    if (tabShown && !GiveTheTabTheKeyboard(*tab)) return;
    SetVisible(false);
    if (tabShown && !tab->HasKeyboard()) GiveTheTabTheKeyboard(*tab);
}

bool CalendarWindow::GiveTheTabTheKeyboard(const TabWindow& tab) {
    tab.TakeKeyboard();
    const auto deadline = std::chrono::steady_clock::now() + kDesktopAnswer;
    while (!tab.HasKeyboard() && std::chrono::steady_clock::now() < deadline) {
        DoEvents();
        if (!IsOpen()) return false;
    }
    return true;
}

void CalendarWindow::ScrollDown() {
    if (sliding_) return;
    const SlideInProgress slide(sliding_);
    const int height = Height();
    SetVisible(true);
    for (int y = AvailableTop() - height - 10; y <= AvailableTop(); y += 16) {
        SetTop(y);
        Show();
        DoEvents();
        if (!IsOpen()) return;
    }
    SetTop(AvailableTop());
    Show();
}

void CalendarWindow::SlideAwayOrBack(bool deactivated) {
    app& application = App();
    if (Top() < 0) {
        ScrollDown();
        application.Deactivated = false;
    } else if (deactivated) {
        Show();
        application.Deactivated = false;
    } else {
        ScrollUp();
    }
}
