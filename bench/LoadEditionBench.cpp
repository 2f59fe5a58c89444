// Loading the sample seasonal edition as a start pays for it: finding it, reading its calendar
// file, decoding and composing the season's background and the year digits, and fitting them
// to the screen. Large blocks are always fresh pages from the system, as in a new process: the
// allocator may not keep the previous iteration's freed pictures for reuse. The pictures are
// made on worker threads, so the CPU column counts every thread of the process.
#include "BenchMain.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"

#include "platform/FolderItem.h"
#include "platform/Picture.h"
#include "platform/Screen.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

// Argument: the screen's width; its height keeps the 16:10 shape.
static void LoadAndFitSeasonalEdition(benchmark::State& state) {
    mallopt(M_MMAP_THRESHOLD, 128 * 1024); // fixed: no growing threshold that keeps pictures
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
    const int width = static_cast<int>(state.range(0)), height = width * 10 / 16;
    SpecialFolder::SetApplicationFolder(CALENDAR_BIN_DIR);
    SetScreenForTesting(ScreenInfo{0, 0, width, height, 0, 0, width, height});
    Date::FixClock(Date(2026, 7, 20, 12).TotalSeconds()); // summer: a shorter picture on the base
    app application;
    for (auto _ : state) {
        Customization() = CustomizationModule{};
        CustomizationModule::CustomizeCalendar();
        CalendarWindow window;
        window.LoadBackgroundImage();
        benchmark::DoNotOptimize(window.backgroundImageScaled->Pixel(0, 0));
    }
    if (application.QuitRequested()) state.SkipWithError("the edition did not load");
    SetScreenForTesting(std::nullopt);
}
BENCHMARK(LoadAndFitSeasonalEdition)
    ->Arg(1440)
    ->Arg(1920)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
