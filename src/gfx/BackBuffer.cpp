#include "gfx/BackBuffer.h"

#include "app/Numbers.h"
#include "app/Random.h"

#include <allegro.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// A shake wider than any screen already pushes the picture out of sight; capping it there keeps
// the conversion of the offset to int defined for any amount a caller asks for.
constexpr double kMaxShake = 1 << 16;

int greyOf(int r, int g, int b) {
    return static_cast<int>(0.30 * r + 0.59 * g + 0.11 * b);
}

#ifdef __SSE2__
// greyOf for four 32-bit pixels at once, in integers. The exact weighted sum is s / 100 with
// s = 30 r + 59 g + 11 b. Unless s is a multiple of 100 that value lies at least 0.01 from a
// whole number, far beyond the rounding error of greyOf's doubles, so both truncate to s / 100.
// On a nonzero multiple of 100 the doubles may come out just below the whole number ((0, 23, 13)
// gives 14, not 15): the pixels with such colours, about one in a hundred, are left for greyOf
// itself, and the returned mask (one bit per byte) says which.
class FourPixelGrey {
  public:
    FourPixelGrey(int rShift, int gShift, int bShift) {
        short weights[4] = {0, 0, 0, 0};
        weights[rShift / 8] = 30;
        weights[gShift / 8] = 59;
        weights[bShift / 8] = 11;
        // Two pixels' bytes, widened to 16 bits, line up with the weights twice over.
        channelWeights = _mm_set_epi16(weights[3], weights[2], weights[1], weights[0], weights[3],
                                       weights[2], weights[1], weights[0]);
        rCount = _mm_cvtsi32_si128(rShift);
        gCount = _mm_cvtsi32_si128(gShift);
        bCount = _mm_cvtsi32_si128(bShift);
    }

    int convert(uint32_t* pixels) const {
        const __m128i zero = _mm_setzero_si128();
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
        // Per pixel two partial sums of weighted channels, then their sum: s in 32-bit lanes.
        const __m128i low = _mm_madd_epi16(_mm_unpacklo_epi8(c, zero), channelWeights);
        const __m128i high = _mm_madd_epi16(_mm_unpackhi_epi8(c, zero), channelWeights);
        const __m128i s = _mm_madd_epi16(_mm_packs_epi32(low, high), _mm_set1_epi16(1));
        // s / 100 as (s * 41944) >> 22, true for every s up to 25500; s < 2^15 leaves the upper
        // 16 bits of each lane zero, so 16-bit multiplies give the 32-bit lanes' results.
        const __m128i q = _mm_srli_epi16(_mm_mulhi_epu16(s, _mm_set1_epi32(41944)), 6);
        const __m128i whole = _mm_cmpeq_epi32(_mm_mullo_epi16(q, _mm_set1_epi32(100)), s);
        const __m128i doubtful = _mm_andnot_si128(_mm_cmpeq_epi32(s, zero), whole);
        const __m128i grey =
            _mm_or_si128(_mm_or_si128(_mm_sll_epi32(q, rCount), _mm_sll_epi32(q, gCount)),
                         _mm_sll_epi32(q, bCount));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), grey);
        return _mm_movemask_epi8(doubtful);
    }

  private:
    __m128i channelWeights;
    __m128i rCount;
    __m128i gCount;
    __m128i bCount;
};
#endif

} // namespace

BackBuffer::BackBuffer(int width, int height) : bitmap(create_bitmap(width, height)) {}

// The offset of this frame's picture on a target width pixels wide. rand is drawn only while
// shaking, so a still screen leaves the random sequence alone. The strengths asked for are the
// 640-pixel window's; a window of another size shakes in proportion, by the same share of it.
void BackBuffer::rollShake(int width, int& dx, int& dy) const {
    dx = 0;
    dy = 0;
    double amount = shake ? shake() * (width / 640.0) : 0.0;
    if (amount > 0.0) {
        if (amount > kMaxShake)
            amount = kMaxShake;
        double angle = 2.0 * randomFraction() * kPi;
        dx = static_cast<int>(amount * std::cos(angle));
        dy = static_cast<int>(amount * std::sin(angle));
    }
}

BackBuffer::~BackBuffer() {
    if (bitmap)
        destroy_bitmap(bitmap);
}

// The window is always a whole number of times the buffer's size, which the scaler draws in a
// fraction of stretch_blit's time; stretch_blit stays for any other size.
void BackBuffer::stretchWithShake(BITMAP* target, int width, int height) {
    if (!bitmap || !target || width <= 0 || height <= 0)
        return;
    int dx, dy;
    rollShake(width, dx, dy);
    const int factor = width / bitmap->w;
    if (width == factor * bitmap->w && height == factor * bitmap->h &&
        scaler.draw(bitmap, target, dx, dy, factor))
        return;
    stretch_blit(bitmap, target, 0, 0, bitmap->w, bitmap->h, dx, dy, width, height);
}

void BackBuffer::present() {
    // Without a screen (a headless run) the offset is still rolled, so the random sequence does
    // not depend on whether anybody watches: a play-through recorded in the window replays
    // headless without drifting.
    still = false;
    if (!screen) {
        skipFrame();
        return;
    }
    // Allegro's window keeps its own copy of the screen and repaints itself from it when
    // uncovered; coming back to the front repaints everything all the same.
    if (repaintWanted && repaintWanted())
        repaintAll();
    presentChanges(view ? view : screen);
}

void BackBuffer::presentChanges(BITMAP* target) {
    if (!bitmap || !target || target->w <= 0 || target->h <= 0)
        return;
    int dx, dy;
    rollShake(target->w, dx, dy);
    const int factor = target->w / bitmap->w;
    if (target->w == factor * bitmap->w && target->h == factor * bitmap->h &&
        bitmap_color_depth(bitmap) == 32 && is_memory_bitmap(bitmap)) {
        still = !takeChangedRows(target, dx, dy, factor);
        if (still)
            return;
        if (scaler.draw(bitmap, target, dx, dy, factor, &changedRows))
            return;
    }
    shownValid = false;
    stretch_blit(bitmap, target, 0, 0, bitmap->w, bitmap->h, dx, dy, target->w, target->h);
}

bool BackBuffer::takeChangedRows(const BITMAP* target, int x, int y, int factor) {
    const std::size_t width = static_cast<std::size_t>(bitmap->w);
    const bool same = shownValid && target == shownTarget && target->w == shownTargetW &&
                      target->h == shownTargetH && x == shownX && y == shownY &&
                      factor == shownFactor;
    shown.resize(width * bitmap->h);
    changedRows.resize(bitmap->h);
    bool any = false;
    for (int row = 0; row < bitmap->h; ++row) {
        const void* now = bitmap->line[row];
        uint32_t* before = shown.data() + row * width;
        const bool changed = !same || std::memcmp(now, before, width * sizeof(uint32_t)) != 0;
        if (changed)
            std::memcpy(before, now, width * sizeof(uint32_t));
        changedRows[row] = changed;
        any = any || changed;
    }
    shownValid = true;
    shownTarget = target;
    shownTargetW = target->w;
    shownTargetH = target->h;
    shownX = x;
    shownY = y;
    shownFactor = factor;
    return any;
}

// Only the shake's random number matters to a frame nobody sees (rollShake at 640 pixels draws
// one exactly when the shake is on); its sine and cosine are left out.
void BackBuffer::skipFrame() {
    if (shake && shake() > 0.0)
        randomFraction();
}

void BackBuffer::presentTo(BITMAP* target) {
    if (!target)
        return;
    stretchWithShake(target, target->w, target->h);
}

void makeGreyscale(BITMAP* bitmap) {
    if (!bitmap)
        return;
    const int depth = bitmap_color_depth(bitmap);
    // The game-over screen greys the whole back buffer every frame. Walking the rows of a 32-bit
    // memory bitmap directly, with the channel shifts held in registers, gives the same pixels
    // several times faster than a getpixel/putpixel pass, and four pixels at a time in integers
    // faster again.
    if (depth == 32 && is_memory_bitmap(bitmap)) {
        const int rShift = _rgb_r_shift_32;
        const int gShift = _rgb_g_shift_32;
        const int bShift = _rgb_b_shift_32;
        // makecol32(grey, grey, grey) is grey times this, as the channels never overlap.
        const uint32_t greyUnit = (1u << rShift) | (1u << gShift) | (1u << bShift);
        auto greyPixel = [&](uint32_t c) {
            int grey = greyOf((c >> rShift) & 0xFF, (c >> gShift) & 0xFF, (c >> bShift) & 0xFF);
            return static_cast<uint32_t>(grey) * greyUnit;
        };
        const int width = bitmap->w;
#ifdef __SSE2__
        const FourPixelGrey four(rShift, gShift, bShift);
        // Black is never doubtful, so (0, 0) is a true starting pair.
        uint32_t lastDoubtful = 0;
        uint32_t lastDoubtfulGrey = 0;
#endif
        for (int y = 0; y < bitmap->h; ++y) {
            uint32_t* row = reinterpret_cast<uint32_t*>(bitmap->line[y]);
            int x = 0;
#ifdef __SSE2__
            for (; x + 4 <= width; x += 4) {
                uint32_t original[4];
                std::memcpy(original, row + x, sizeof original);
                const int doubtful = four.convert(row + x);
                if (doubtful == 0)
                    continue;
                for (int k = 0; k < 4; ++k) {
                    if (!(doubtful & (1 << (4 * k))))
                        continue;
                    // Such colours come in runs (white clouds, greys), so the last one is kept.
                    if (original[k] != lastDoubtful) {
                        lastDoubtful = original[k];
                        lastDoubtfulGrey = greyPixel(original[k]);
                    }
                    row[x + k] = lastDoubtfulGrey;
                }
            }
#endif
            for (; x < width; ++x)
                row[x] = greyPixel(row[x]);
        }
        return;
    }
    for (int y = 0; y < bitmap->h; ++y) {
        for (int x = 0; x < bitmap->w; ++x) {
            int c = getpixel(bitmap, x, y);
            int grey = greyOf(getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c));
            putpixel(bitmap, x, y, makecol_depth(depth, grey, grey, grey));
        }
    }
}
