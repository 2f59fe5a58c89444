// Loading the sample seasonal edition on a wide screen: finding it, reading its calendar file,
// decoding the pictures it draws and composing the season's background and the year digits.
#include "BenchMain.h"

#include "customisation/CustomizationModule.h"

#include "platform/Application.h"
#include "platform/FolderItem.h"
#include "platform/Screen.h"

#include <benchmark/benchmark.h>

static void LoadWideSeasonalEdition(benchmark::State& state) {
    SpecialFolder::SetApplicationFolder(CALENDAR_BIN_DIR);
    SetScreenForTesting(ScreenInfo{0, 0, 1920, 1200, 0, 0, 1920, 1170});
    Date::FixClock(Date(2026, 7, 20, 12).TotalSeconds()); // summer: a shorter picture on the base
    Application application;
    for (auto _ : state) {
        Customization() = CustomizationModule{};
        CustomizationModule::CustomizeCalendar();
        benchmark::DoNotOptimize(Customization().backgroundImage->Pixel(0, 0));
    }
    if (application.QuitRequested()) state.SkipWithError("the edition did not load");
}
BENCHMARK(LoadWideSeasonalEdition)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
