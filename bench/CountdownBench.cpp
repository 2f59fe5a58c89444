// The countdown badge: one picture drawn, with a two-line title, and with a 50 MB title (any
// large file without line breaks read as the event file).
#include "BenchMain.h"

#include "app/App.h"
#include "controls/cCanvas.h"
#include "customisation/BuiltInPictures.h"
#include "support/TestEnvironment.h"

#include <string>

namespace {
void DrawBadges(benchmark::State& state, const std::string& title) {
    TestEnvironment environment;
    app application;
    application.countdownDate = Date(2026, 12, 25);
    const std::string key = application.countdownDate.SQLDateTime();
    application.eventDict.Value(key, key + "//" + title + "//Countdown");
    cCanvas badge;
    badge.SetBounds(0, 0, 118, 130);
    countdown(); // the artwork is loaded once per run, not per badge
    for (auto _ : state)
        badge.updateCountdown();
    benchmark::DoNotOptimize(badge.cachedImage);
}

std::string HugeTitle() {
    std::string title;
    title.reserve((50u << 20) + 32);
    while (title.size() < (50u << 20))
        title += "Lorem ipsum dolor sit amet ";
    return title;
}
} // namespace

static void UpdateCountdown(benchmark::State& state) {
    DrawBadges(state, "Bob and Bob party");
}
BENCHMARK(UpdateCountdown)->Unit(benchmark::kMicrosecond);

static void UpdateCountdownOfAHugeTitle(benchmark::State& state) {
    DrawBadges(state, HugeTitle());
}
BENCHMARK(UpdateCountdownOfAHugeTitle)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
