// Printing: the window's picture at 2560 x 1440 made into the page picture of an A4 page at
// 300 dots per inch, scaled across a landscape page, and scaled and turned on an upright one.
#include "BenchMain.h"

#include "app/PagePicture.h"
#include "platform/Graphics.h"

namespace {
// A picture with some detail, so the scaling has something to filter.
PicturePtr WindowPicture() {
    auto picture = std::make_shared<Picture>(2560, 1440);
    Graphics& g = picture->Graphics();
    for (int x = 0; x < 2560; x += 16) {
        g.ForeColor = RGB(x % 256, (x / 8) % 256, 200);
        g.FillRect(x, 0, 8, 1440);
    }
    return picture;
}

// A4 without margins at 300 dots per inch, as the printer set-up reports it.
constexpr int kPageLong = 3508, kPageShort = 2479;

void PrintPage(benchmark::State& state, bool landscape) {
    const PicturePtr window = WindowPicture();
    for (auto _ : state) {
        const PicturePtr page = landscape ? PagePicture(window, kPageLong, kPageShort)
                                          : PagePicture(window, kPageShort, kPageLong);
        benchmark::DoNotOptimize(page->Width());
    }
}
} // namespace

static void PrintPageA4Landscape(benchmark::State& state) {
    PrintPage(state, true);
}
static void PrintPageA4Portrait(benchmark::State& state) {
    PrintPage(state, false);
}
BENCHMARK(PrintPageA4Landscape)->Unit(benchmark::kMillisecond);
BENCHMARK(PrintPageA4Portrait)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
