#pragma once
// The year grid's window with the helpers of a print: the armed print step run as the timer
// would, and which controls show.
#include "mainwindow/YearGridFixture.h"

#include "platform/Application.h"
#include "platform/Timer.h"
#include "windows/TabWindow.h"

#include <string>
#include <vector>

class PrintingTest : public YearGridTest {
  protected:
    // Runs the armed print step as the timer would, through the framework's door.
    static void FirePrintTimer(CalendarWindow& window) {
        ASSERT_EQ(window.PrintTimer->Mode(), Timer::ModeSingle) << "a print was armed";
        window.PrintTimer->SetMode(Timer::ModeOff);
        Application::Dispatch([&] { window.PrintTimer_Action(); });
    }
    // The shown controls by name and index, and "tab" for the tab window.
    static std::vector<std::string> Shown(const CalendarWindow& window) {
        std::vector<std::string> shown;
        for (int i = 0; i < window.ControlCount(); ++i) {
            const auto* control = dynamic_cast<const RectControl*>(window.ControlAt(i));
            if (control && control->Visible())
                shown.push_back(control->Name() + std::to_string(control->Index()));
        }
        if (TabWindow::Instance().Visible()) shown.push_back("tab");
        return shown;
    }
};
