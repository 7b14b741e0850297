// What cutting a font costs: the shipped main font, and square pictures that are no font sheet at
// all (the kind a wrong Font* key or a damaged file hands the game), up to the largest side the
// image loader accepts. Run headless: build/bench/font_cut_bench.

#include "gfx/BitmapFont.h"
#include "gfx/MzImage.h"

#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace {

enum Pattern { kStripes, kCheckerboard, kNoSeparator };

// Whether pixel (x, y) of a side x side picture has the separator colour.
bool isSeparator(Pattern pattern, int side, int x, int y) {
    switch (pattern) {
    case kStripes:
        // Separator columns every other pixel, no separator row, and a right edge that ends
        // every row of cells one pixel down: a row of tall cells for each line of the picture.
        if (x < side - 3)
            return x % 2 == 0;
        return x == side - 1 || (x + y) % 2 == 0;
    case kCheckerboard:
        // Separator lines at the top and left, then single-pixel cells everywhere.
        return x == 0 || y == 0 || (x + y) % 2 == 1;
    case kNoSeparator:
        return x == 0 && y == 0;
    }
    return false;
}

BITMAP* picture(Pattern pattern, int side) {
    BITMAP* bmp = create_bitmap(side, side);
    const int separator = makecol(255, 255, 255);
    const int ink = makecol(20, 30, 40);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            putpixel(bmp, x, y, isSeparator(pattern, side, x, y) ? separator : ink);
    return bmp;
}

// The font owns the picture it cuts, so every iteration cuts a fresh copy made off the clock.
// The copy can cost more than a cheap cut, so the pictures run a fixed number of iterations.
void cutCopies(benchmark::State& state, BITMAP* original) {
    for (auto _ : state) {
        state.PauseTiming();
        BITMAP* copy = create_bitmap(original->w, original->h);
        blit(original, copy, 0, 0, 0, 0, original->w, original->h);
        state.ResumeTiming();
        auto font = std::make_unique<BitmapFont>(copy);
        benchmark::DoNotOptimize(font->glyph(32));
        state.PauseTiming();
        font.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * original->w * original->h);
}

void BM_CutPicture(benchmark::State& state, Pattern pattern) {
    BITMAP* original = picture(pattern, static_cast<int>(state.range(0)));
    cutCopies(state, original);
    destroy_bitmap(original);
}
BENCHMARK_CAPTURE(BM_CutPicture, Stripes, kStripes)
    ->RangeMultiplier(2)
    ->Range(512, 4096)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CutPicture, Checkerboard, kCheckerboard)
    ->RangeMultiplier(2)
    ->Range(512, 4096)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CutPicture, NoSeparator, kNoSeparator)
    ->RangeMultiplier(2)
    ->Range(512, 4096)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_CutShippedFont(benchmark::State& state) {
    BITMAP* original = load_bitmap("data/font_main.mz", nullptr);
    if (!original) {
        state.SkipWithError("data/font_main.mz is missing");
        return;
    }
    cutCopies(state, original);
    destroy_bitmap(original);
}
BENCHMARK(BM_CutShippedFont)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (chdir(GROUNDLINE_SOURCE_DIR) != 0)
        return 1;
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    registerMzLoader();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
