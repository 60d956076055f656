#include "platform/core/process_tuning.h"

#include <malloc.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace platform {

void AdviseHugePages(void* block, size_t bytes) {
  auto start =
      (reinterpret_cast<uintptr_t>(block) + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
  auto end = (reinterpret_cast<uintptr_t>(block) + bytes) / kHugePageBytes * kHugePageBytes;
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

void TuneMemoryForShortRuns() {
  constexpr size_t kHugeHeap = size_t{48} << 20;
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  // Allocating extends the heap without touching it; freed, the block stays the heap's top.
  void* block = std::malloc(kHugeHeap);
  if (!block) return;
  AdviseHugePages(block, kHugeHeap);
  std::free(block);
}

}  // namespace platform
