// Counts heap allocations by standing in for the C library's malloc family in this executable:
// every call is counted and handed on to glibc's own allocator, so memory behaves exactly as
// usual. Shared libraries (libstdc++'s operator new, Allegro, zlib) resolve malloc to these too.

#include "AllocCount.h"

#include <atomic>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<std::size_t> allocations{0};

} // namespace

extern "C" {

void* malloc(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, size);
}

void free(void* block) {
    __libc_free(block);
}

} // extern "C"

std::size_t heapAllocations() {
    return allocations.load(std::memory_order_relaxed);
}
