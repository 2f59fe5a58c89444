// What the user waits for on the week face with 100,000 entries in the store: opening a week
// (the small months and the week grid) and writing the event file on leaving it.
#include "BenchMain.h"

#include "app/App.h"
#include "app/Menu.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Screen.h"
#include "support/TestEnvironment.h"

namespace {
// A main window over a store of 100,000 half-hour events, some of them in the week shown.
struct WeekFace {
    WeekFace() {
        SetScreenForTesting(ScreenInfo{0, 0, 1440, 900, 0, 24, 1440, 876});
        Customization() = CustomizationModule{};
        Customization().calendarStartYear = 2025;
        application.SetMenuBar(&Menu::Instance());
        application.StartTime = 8;
        application.EndTime = 20;
        Date start(2020, 1, 1, 8, 0, 0);
        for (int i = 0; i < 100000; ++i) {
            Date end = start;
            end.SetMinute(end.Minute() + 60);
            application.eventDict.Value(start.SQLDateTime(),
                                        end.SQLDateTime() + "//Event number " + std::to_string(i));
            start.SetMinute(start.Minute() + 150);
        }
        application.selectedDate = Date(2026, 3, 4, 0, 0, 0);
        window = &CalendarWindow::Instance();
        for (int i = 0; i < 10; ++i) {
            window->TodoList->AddRow();
            window->TodoList->SetCell(i, 1, "A to-do item");
        }
    }
    ~WeekFace() {
        window->Close();
        SetScreenForTesting(std::nullopt);
    }
    TestEnvironment environment;
    app application;
    CalendarWindow* window = nullptr;
};
} // namespace

static void ReloadCalLists100k(benchmark::State& state) {
    WeekFace face;
    for (auto _ : state)
        face.window->ReloadCalLists();
}
BENCHMARK(ReloadCalLists100k)->Unit(benchmark::kMillisecond);

static void SaveEvents100k(benchmark::State& state) {
    WeekFace face;
    for (auto _ : state)
        face.window->SaveEvents();
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(SaveEvents100k)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
