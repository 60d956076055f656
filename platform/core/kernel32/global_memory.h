// Global memory blocks behind HGLOBAL handles, as the ole32 stream sees them.
//
// A fixed block never moves or changes size, so the pointer GlobalLock hands out stays valid
// until GlobalFree. A movable block counts its locks and can change size only while no lock is
// outstanding, so a pointer handed to the program is never invalidated under it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/win32/types.h"

namespace platform::kernel32 {

// Largest block GlobalAlloc hands out or a stream grows to.
constexpr size_t kGlobalBlockLimit = size_t{1} << 30;

bool IsGlobalBlock(win32::HGLOBAL memory);

// The bytes of a block without locking it; empty for an invalid handle or a zero-size block.
std::span<uint8_t> GlobalBlockBytes(win32::HGLOBAL memory);

// Changes the size of a movable, unlocked block (new bytes are zero). False for a fixed or
// locked block, an invalid handle or a size above the limit.
bool ResizeGlobalBlock(win32::HGLOBAL memory, size_t size);

// Number of live blocks (tests check that nothing leaks).
size_t LiveGlobalBlocks();

}  // namespace platform::kernel32
