#include "platform/ProcessMemory.h"

#include <cstdlib>  // defines __GLIBC__ on glibc systems

#if defined(__GLIBC__) && defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14; older kernels refuse it
#endif

namespace {
constexpr size_t kMiB = size_t{1} << 20;
constexpr size_t kHugePage = 2 * kMiB;
// Below this, blocks come from the heap rather than from a mapping of their own (glibc's ceiling).
constexpr int kHeapBlockLimit = 32 << 20;
// How far the heap grows at once; only what is touched takes memory.
constexpr int kHeapGrowth = 192 << 20;
}  // namespace

// The first frames touch a few hundred megabytes of fresh memory page by page: the multisampled
// back buffer, decoded pictures, the graphics driver's own buffers. Under virtualisation a 4 KiB
// page fault can cost over 10 us, and faults were a third of start-up. So large blocks come from
// the heap, which grows in big steps that the kernel may back with 2 MiB pages, and freed blocks
// are reused there instead of being unmapped and faulted in again.
void PrepareLargeBufferMemory() {
    if (mallopt(M_MMAP_THRESHOLD, kHeapBlockLimit) != 1) return;
    mallopt(M_TRIM_THRESHOLD, 2 * kHeapGrowth);
    mallopt(M_TOP_PAD, kHeapGrowth);
    char* const before = static_cast<char*>(sbrk(0));
    // Makes the heap grow by the pad now, so the advice below covers the region to come.
    void* volatile probe = std::malloc(kMiB);
    std::free(probe);
    char* const after = static_cast<char*>(sbrk(0));
    const uintptr_t start = (reinterpret_cast<uintptr_t>(before) + kHugePage - 1) & ~uintptr_t{kHugePage - 1};
    const uintptr_t end = reinterpret_cast<uintptr_t>(after) & ~uintptr_t{kHugePage - 1};
    // Advice only: without transparent huge pages the kernel ignores it.
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

void AdviseLargeBlock(const void* data, size_t bytes) {
    if (!data || bytes < 2 * kHugePage) return;
    const auto first = reinterpret_cast<uintptr_t>(data);
    const uintptr_t start = (first + kHugePage - 1) & ~uintptr_t{kHugePage - 1};
    const uintptr_t end = (first + bytes) & ~uintptr_t{kHugePage - 1};
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

FreshPagesAhead::FreshPagesAhead(std::initializer_list<FreshBlock> list) {
    constexpr size_t kStep = kHugePage;
    struct Range {
        uintptr_t start, end;  // whole steps inside the block
        bool fromTheEnd;
    };
    std::vector<Range> ranges;
    for (const FreshBlock& block : list) {
        if (!block.data || block.bytes < 4 * kStep) continue;
        const auto first = reinterpret_cast<uintptr_t>(block.data);
        const uintptr_t start = (first + kStep - 1) & ~uintptr_t{kStep - 1};
        const uintptr_t end = (first + block.bytes) & ~uintptr_t{kStep - 1};
        if (end > start) ranges.push_back(Range{start, end, block.writing == FreshBlock::Writing::kInOneSweep});
    }
    if (ranges.empty()) return;
    thread_ = std::thread([this, ranges = std::move(ranges)] {
        for (const Range& range : ranges) {
            const size_t steps = (range.end - range.start) / kStep;
            for (size_t k = 0; k < steps; ++k) {
                if (stop_.load(std::memory_order_relaxed)) return;
                const uintptr_t at = range.fromTheEnd ? range.end - (k + 1) * kStep : range.start + k * kStep;
                // Pages the caller reached first are left as they are; a refusal (an older
                // kernel) ends the work, which was only ever a help.
                if (madvise(reinterpret_cast<void*>(at), kStep, MADV_POPULATE_WRITE) != 0) return;
            }
        }
    });
}

FreshPagesAhead::~FreshPagesAhead() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}
#else
void PrepareLargeBufferMemory() {}
void AdviseLargeBlock(const void*, size_t) {}
FreshPagesAhead::FreshPagesAhead(std::initializer_list<FreshBlock>) {}
FreshPagesAhead::~FreshPagesAhead() = default;
#endif
