// The year grid: building its cell model with 100,000 events in the store, and one paint of the
// grid alone (its canvas, without the window's background) on a 2560 x 1440 screen.
#include "BenchMain.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"
#include "support/TestEnvironment.h"

#include <string>

namespace {
// Events every 15 minutes from 1 January 2009: nearly all of them fall in the grid's three
// years, so every one is marked. Every tenth is special.
void FillStore(Dictionary& store, int count) {
    Date start(2009, 1, 1, 8, 0, 0);
    for (int i = 0; i < count; ++i) {
        Date end = start;
        end.SetMinute(end.Minute() + 10);
        store.Value(start.SQLDateTime(), end.SQLDateTime() + "//Event " + std::to_string(i) +
                                             (i % 10 == 0 ? "//Special" : ""));
        start.SetMinute(start.Minute() + 15);
    }
}

struct Setup {
    explicit Setup(int width, int height, int events) {
        SetScreenForTesting(ScreenInfo{0, 0, width, height, 0, 0, width, height});
        Customization().calendarStartYear = 2009;
        Date::FixClock(Date(2010, 6, 15, 12, 0).TotalSeconds());
        application.currentDate = application.selectedDate = Date();
        FillStore(application.eventDict, events);
    }
    ~Setup() { SetScreenForTesting(std::nullopt); }
    TestEnvironment environment;
    app application;
};
} // namespace

static void BuildCellModel100k(benchmark::State& state) {
    Setup setup(2560, 1440, 100000);
    CalendarWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        window.Calendar->CellTag = TextGrid(82, 33);
        state.ResumeTiming();
        window.Calendar_Open();
    }
    benchmark::DoNotOptimize(window.Calendar->CellTag(24, 30));
}
BENCHMARK(BuildCellModel100k)->Unit(benchmark::kMillisecond);

// Argument: the number of events in the store.
static void PaintYearGridCanvasOn2560x1440Screen(benchmark::State& state) {
    Setup setup(2560, 1440, static_cast<int>(state.range(0)));
    CalendarWindow window;
    window.Calendar_Open();
    Picture picture(window.Calendar->Width(), window.Calendar->Height());
    for (auto _ : state)
        window.Calendar_Paint(picture.Graphics());
    benchmark::DoNotOptimize(picture.Pixel(0, 0));
}
BENCHMARK(PaintYearGridCanvasOn2560x1440Screen)->Arg(0)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
