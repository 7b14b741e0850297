#include "gfx/PixelScaler.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

void store64(uint32_t* at, uint64_t pair) {
    std::memcpy(at, &pair, sizeof pair);
}

// Writes each of count pixels factor times over. The pixel twice in one 64-bit word is two
// target pixels per store.
void widen(const uint32_t* from, int count, int factor, uint32_t* to) {
    switch (factor) {
    case 1:
        std::memcpy(to, from, count * sizeof(uint32_t));
        break;
    case 2: {
        int i = 0;
#ifdef __SSE2__
        // Four pixels in, eight out: each 32-bit lane paired with itself.
        for (; i + 4 <= count; i += 4, to += 8) {
            const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi32(four, four));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4), _mm_unpackhi_epi32(four, four));
        }
#endif
        for (; i < count; ++i, to += 2)
            store64(to, from[i] * 0x100000001ull);
        break;
    }
    case 3:
        for (int i = 0; i < count; ++i, to += 3) {
            store64(to, from[i] * 0x100000001ull);
            to[2] = from[i];
        }
        break;
    default:
        for (int i = 0; i < count; ++i, to += 4) {
#ifdef __SSE2__
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to),
                             _mm_set1_epi32(static_cast<int>(from[i])));
#else
            const uint64_t pair = from[i] * 0x100000001ull;
            store64(to, pair);
            store64(to + 2, pair);
#endif
        }
        break;
    }
}

} // namespace

bool PixelScaler::draw(BITMAP* source, BITMAP* target, int x, int y, int factor,
                       const std::vector<char>* rows) {
    if (!source || !target || factor < 1 || factor > kLargestFactor ||
        (rows && rows->size() != static_cast<std::size_t>(source->h)) ||
        bitmap_color_depth(source) != 32 || bitmap_color_depth(target) != 32 ||
        !is_memory_bitmap(source) || !is_linear_bitmap(target))
        return false;
    // The visible part of the enlarged picture, in target pixels; clipping bounds exclude
    // their right and bottom ends, as Allegro's do. Positions are worked out in 64 bits: a
    // shake may put the picture far off the target.
    const long long width = static_cast<long long>(source->w) * factor;
    const long long height = static_cast<long long>(source->h) * factor;
    const long long left = std::max<long long>(x, target->clip ? target->cl : 0);
    const long long top = std::max<long long>(y, target->clip ? target->ct : 0);
    const long long right = std::min<long long>(x + width, target->clip ? target->cr : target->w);
    const long long bottom = std::min<long long>(y + height, target->clip ? target->cb : target->h);
    if (left >= right || top >= bottom)
        return true;

    // The source columns that show, widened into row; the visible span starts skip pixels in.
    const int firstColumn = static_cast<int>((left - x) / factor);
    const int lastColumn = static_cast<int>((right - 1 - x) / factor);
    const int columns = lastColumn - firstColumn + 1;
    const int skip = static_cast<int>(left - x) - firstColumn * factor;
    const std::size_t bytes = static_cast<std::size_t>(right - left) * sizeof(uint32_t);
    row.resize(static_cast<std::size_t>(columns) * factor);

    // Through Allegro's line access, not line[] alone: a window's screen learns which rows
    // changed from it.
    acquire_bitmap(target);
    int widenedRow = -1;
    for (long long ty = top; ty < bottom; ++ty) {
        const int sourceRow = static_cast<int>((ty - y) / factor);
        if (rows && !(*rows)[sourceRow])
            continue;
        if (sourceRow != widenedRow) {
            const uint32_t* from = reinterpret_cast<const uint32_t*>(source->line[sourceRow]);
            widen(from + firstColumn, columns, factor, row.data());
            widenedRow = sourceRow;
        }
        uint32_t* to = reinterpret_cast<uint32_t*>(bmp_write_line(target, static_cast<int>(ty)));
        std::memcpy(to + left, row.data() + skip, bytes);
    }
    bmp_unwrite_line(target);
    release_bitmap(target);
    return true;
}
