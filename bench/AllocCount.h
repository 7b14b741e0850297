#pragma once

#include <cstddef>

// Every heap block taken through malloc, calloc or realloc (operator new, Allegro's bitmaps and
// zlib's buffers all come through them) since the benchmark started.
std::size_t heapAllocations();
