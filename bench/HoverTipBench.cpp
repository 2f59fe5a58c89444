// The hover tip over a day that holds 10,000 events: building and showing the tip of one day and
// then of another, each time the pointer moves onto it.
#include "BenchMain.h"
#include "YearGridSetup.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Screen.h"
#include "platform/Text.h"
#include "support/TestEnvironment.h"

#include <string>
#include <utility>

namespace {
constexpr int kEventsPerDay = 10000;

// Events a few seconds apart from 8:00 on the day, titled after the day and their number.
void FillDay(Dictionary& store, const Date& day) {
    Date start(day.Year(), day.Month(), day.Day(), 8);
    for (int i = 0; i < kEventsPerDay; ++i) {
        start.SetSecond(start.Second() + 2);
        store.Value(start.SQLDateTime(),
                    start.SQLDateTime() + "//" + day.ShortDate() + " event " + std::to_string(i));
    }
}

struct Setup : YearGridSetup {
    Setup() {
        FillDay(application.eventDict, Date(2010, 6, 9));
        FillDay(application.eventDict, Date(2010, 6, 10));
    }
};
} // namespace

// Each iteration moves the pointer onto the other day, so the tip is built anew every time.
static void HoverOverADayOf10000Events(benchmark::State& state) {
    Setup setup;
    CalendarWindow window;
    window.Calendar_Open();
    const std::pair<int, int> days[] = {PointOf(window, Date(2010, 6, 9)),
                                        PointOf(window, Date(2010, 6, 10))};
    int next = 0;
    for (auto _ : state) {
        window.Calendar_MouseMove(days[next].first, days[next].second);
        next = 1 - next;
    }
    benchmark::DoNotOptimize(window.tipCanvas->currentText.size());
}
BENCHMARK(HoverOverADayOf10000Events)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
