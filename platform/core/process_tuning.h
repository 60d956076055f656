// How the process uses memory: the huge-page size, and the tuning pictolan-cli asks for at start.
#pragma once

#include <cstddef>

namespace platform {

// A huge page on the machines the program runs on (x86-64, and arm64 with 4 KiB pages).
constexpr size_t kHugePageBytes = size_t{2} << 20;

// Advises the kernel to back the whole huge pages within [block, block + bytes) with huge pages
// (only advice: refused, the pages stay small).
void AdviseHugePages(void* block, size_t bytes);

// For a short-lived process that reads and writes a few large files (pictolan-cli): touching a
// fresh page of memory costs a page fault, which on some machines costs more than the work done
// with the page. So large blocks come from the heap, memory freed after one file is kept for the
// next instead of being handed back to the system, and the heap's first megabytes are asked for
// in huge pages (one fault per huge page). The window does not call it: it runs for long.
void TuneMemoryForShortRuns();

}  // namespace platform
