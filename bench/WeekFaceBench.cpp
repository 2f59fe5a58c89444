// What the user waits for on the week face with 100,000 entries in the store: opening a week
// (the small months and the week grid), a click on a day until its week is painted; and
// writing the event file after a change, with 100,000 and 1,000,000 entries: the whole write,
// and what of it holds up the window.
#include "BenchMain.h"

#include "app/App.h"
#include "app/Menu.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/yearview/YearGrid.h"
#include "platform/Application.h"
#include "platform/Screen.h"
#include "platform/Text.h"
#include "support/TestEnvironment.h"

#include <chrono>
#include <string>

namespace {
// A main window over a store of half-hour events, some of them in the week shown.
struct WeekFace {
    explicit WeekFace(int count = 100000) {
        SetScreenForTesting(ScreenInfo{0, 0, 1440, 900, 0, 24, 1440, 876});
        Customization() = CustomizationModule{};
        Customization().calendarStartYear = 2025;
        application.SetMenuBar(&Menu::Instance());
        application.StartTime = 8;
        application.EndTime = 20;
        Date start(2020, 1, 1, 8, 0, 0);
        for (int i = 0; i < count; ++i) {
            Date end = start;
            end.SetMinute(end.Minute() + 60);
            application.eventDict.Value(start.SQLDateTime(),
                                        end.SQLDateTime() + "//Event number " + std::to_string(i));
            start.SetMinute(start.Minute() + 150);
        }
        // A fixed today: the figures do not change with the date the benchmark runs on.
        Date::FixClock(Date(2026, 3, 3, 12, 0, 0).TotalSeconds());
        application.currentDate = Date();
        application.selectedDate = Date(2026, 3, 4, 0, 0, 0);
        window = &CalendarWindow::Instance();
        for (int i = 0; i < 10; ++i) {
            window->TodoList->AddRow();
            window->TodoList->SetCell(i, 1, "A to-do item");
        }
    }
    ~WeekFace() {
        window->Close();
        Date::FixClock(std::nullopt);
        SetScreenForTesting(std::nullopt);
    }
    // Renames one event, as Save in the event editor does, so that there is something to write.
    void Change(int round) {
        Dictionary& store = application.eventDict;
        const std::string key(store.Key(store.Count() / 2));
        const std::string value(store.Value(key));
        store.Value(key, value.substr(0, value.find("//")) + "//Renamed " + std::to_string(round));
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

// A click on a day of the shown year until the toolkit has painted what it changed, from the
// year face painted.
static void ClickToWeekPainted100k(benchmark::State& state) {
    WeekFace face;
    DoEvents();
    CalendarWindow& window = *face.window;
    const std::string cell = window.CalDateCell(Date(2026, 3, 4, 0, 0, 0));
    const calCanvas& grid = *window.Calendar;
    const int row = static_cast<int>(Val(NthField(cell, ",", 1))) - YearGrid::ShownYearOffset();
    const int column = static_cast<int>(Val(NthField(cell, ",", 2)));
    const int x = static_cast<int>(grid.LeftMarginWidth + column * grid.ColumnsWidth + 3);
    const int y = static_cast<int>(grid.MarginHeight + row * grid.DefaultRowHeight - 3);
    for (auto _ : state) {
        state.PauseTiming();
        window.GlanceOff();
        DoEvents();
        state.ResumeTiming();
        window.Calendar_MouseDown(x, y);
        DoEvents();
    }
    if (!window.GlanceList->Visible()) state.SkipWithError("the click did not open the week");
}
// The first click of the program, when nothing of the week face has been drawn yet: the first
// benchmark here that paints.
BENCHMARK(ClickToWeekPainted100k)
    ->Name("FirstClickToWeekPainted100k")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ClickToWeekPainted100k)->Unit(benchmark::kMillisecond);

// The whole write after a change, waited for, as at a quit: making the text, writing, flushing.
static void SaveEvents(benchmark::State& state) {
    WeekFace face(static_cast<int>(state.range(0)));
    int round = 0;
    for (auto _ : state) {
        face.Change(++round);
        face.window->SaveEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SaveEvents)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// What holds up the window around a write beside the event loop, by hand-timed rounds (the
// writes themselves are waited for outside the timing): after a change, the copies the write
// starts from; during a write, a second change, for which the store copies its entries once.
static void WindowBlocked(benchmark::State& state, bool changeDuringTheWrite) {
    WeekFace face(static_cast<int>(state.range(0)));
    int round = 0;
    for (auto _ : state) {
        face.Change(++round);
        if (changeDuringTheWrite) face.window->StartSavingEvents();
        const auto start = std::chrono::steady_clock::now();
        if (changeDuringTheWrite)
            face.Change(++round);
        else
            face.window->StartSavingEvents();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        while (face.window->SavingEvents())
            face.window->FinishWrite();
    }
}
// Manual times are short beside the writes waited for: a fixed number of rounds.
static void WriteRounds(benchmark::internal::Benchmark* rounds) {
    rounds->Arg(100000)->Arg(1000000)->Iterations(20)->UseManualTime()->Unit(
        benchmark::kMillisecond);
}
BENCHMARK_CAPTURE(WindowBlocked, SaveAfterAChange, false)->Apply(WriteRounds);
BENCHMARK_CAPTURE(WindowBlocked, ChangeDuringAWrite, true)->Apply(WriteRounds);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
