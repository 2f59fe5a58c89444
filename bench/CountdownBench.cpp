// The countdown badge: one picture drawn, with a two-line title.
#include "BenchMain.h"

#include "app/App.h"
#include "controls/cCanvas.h"
#include "customisation/BuiltInPictures.h"
#include "support/TestEnvironment.h"

static void UpdateCountdown(benchmark::State& state) {
    TestEnvironment environment;
    app application;
    application.countdownDate = Date(2026, 12, 25);
    const std::string key = application.countdownDate.SQLDateTime();
    application.eventDict.Value(key, key + "//Bob and Bob party//Countdown");
    cCanvas badge;
    badge.SetBounds(0, 0, 118, 130);
    countdown(); // the artwork is loaded once per run, not per badge
    for (auto _ : state)
        badge.updateCountdown();
    benchmark::DoNotOptimize(badge.cachedImage);
}
BENCHMARK(UpdateCountdown)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
