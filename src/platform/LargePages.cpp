#include "platform/LargePages.h"

#include <cstdint>
#include <sys/mman.h>

void AdviseLargePages(void* data, std::size_t bytes) {
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    const auto from = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (from + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = (from + bytes) & ~(kLargePage - 1);
    if (last <= first) return;
    // Only advice: where large pages cannot be had the block works as before.
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}
