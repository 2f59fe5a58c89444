#pragma once
// A running application with its menus, on a screen of a known size, for the main window.
#include "support/TestEnvironment.h"
#include "support/Waiting.h"

#include "app/App.h"
#include "app/Menu.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Screen.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "platform/Window.h"
#include "windows/TabWindow.h"

#include <chrono>

class CalendarWindowTest : public IsolatedTest {
  protected:
    CalendarWindowTest() {
        UseScreen(1440, 900, 24);
        Customization() = CustomizationModule{};
        application.SetMenuBar(&Menu::Instance());
        ApplicationAddMenuHandlers();
    }
    ~CalendarWindowTest() override {
        for (Window* window : OpenWindows())
            window->Close();
        DoEvents();
        SetScreenForTesting(std::nullopt);
    }
    // Turns the event loop until the work after the main window's first frame has run, which
    // shows the tab, and then gives the window the keyboard.
    static bool KeyboardAfterTheFirstFrame(Window& window) {
        const bool tabShown = EventsUntil([] {
            const TabWindow* tab = FindOpenWindow<TabWindow>();
            return tab && tab->Visible();
        });
        Simulate::Activate(window);
        return tabShown && EventsUntil([&] { return TestSeams::HasKeyboard(window); });
    }
    // Waits for the event file's writes under way, and those that their ends start; writes
    // that still go on after the deadline of every wait (a fault) fail the test.
    static void FinishSaving(CalendarWindow& window) {
        const auto end = std::chrono::steady_clock::now() + kWaitDeadline;
        while (window.SavingEvents()) {
            if (std::chrono::steady_clock::now() > end) {
                ADD_FAILURE() << "the event file was still being written";
                return;
            }
            window.FinishWrite();
        }
    }
    // A screen whose top panel takes the first rows.
    static void UseScreen(int width, int height, int panel) {
        SetScreenForTesting(ScreenInfo{0, 0, width, height, 0, panel, width, height - panel});
    }
    app application;
};
