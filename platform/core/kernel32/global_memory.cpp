#include "platform/core/kernel32/global_memory.h"

#include <memory>
#include <new>
#include <vector>

#include "platform/core/handles.h"
#include "platform/win32/kernel32.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

struct GlobalBlock {
  std::vector<uint8_t> bytes;
  bool movable = false;
  unsigned lockCount = 0;  // movable blocks only: a fixed block never moves, so it counts none
};

HandleTable<GlobalBlock>& Blocks() {
  static HandleTable<GlobalBlock> table(HandleKind::Global);
  return table;
}

// Allocation failures are results, never exceptions.
bool SetSize(GlobalBlock& block, size_t size) {
  if (size > kGlobalBlockLimit) return false;
  try {
    block.bytes.resize(size);
    // A fixed block of size 0 still hands out a pointer of its own.
    if (!block.movable) block.bytes.reserve(1);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  auto block = std::make_unique<GlobalBlock>();
  block->movable = (flags & GMEM_MOVEABLE) != 0;
  // Blocks always start zeroed, GMEM_ZEROINIT or not: no stale bytes ever reach the program.
  if (!SetSize(*block, bytes)) return 0;
  return Blocks().Insert(std::move(block));
}

HGLOBAL GlobalFree(HGLOBAL memory) {
  return Blocks().Erase(memory) ? 0 : memory;
}

void* GlobalLock(HGLOBAL memory) {
  GlobalBlock* block = Blocks().Find(memory);
  if (!block) return nullptr;
  if (!block->movable) return block->bytes.data();
  // A movable block of size 0 is discarded: there is nothing to lock.
  if (block->bytes.empty()) return nullptr;
  ++block->lockCount;
  return block->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL memory) {
  GlobalBlock* block = Blocks().Find(memory);
  if (!block) return FALSE;
  if (!block->movable) return TRUE;
  if (block->lockCount == 0) return FALSE;
  --block->lockCount;
  return block->lockCount != 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL memory) {
  GlobalBlock* block = Blocks().Find(memory);
  return block ? block->bytes.size() : 0;
}

bool IsGlobalBlock(HGLOBAL memory) {
  return Blocks().Contains(memory);
}

std::span<uint8_t> GlobalBlockBytes(HGLOBAL memory) {
  GlobalBlock* block = Blocks().Find(memory);
  if (!block) return {};
  return block->bytes;
}

bool ResizeGlobalBlock(HGLOBAL memory, size_t size) {
  GlobalBlock* block = Blocks().Find(memory);
  if (!block || !block->movable || block->lockCount != 0) return false;
  return SetSize(*block, size);
}

size_t LiveGlobalBlocks() {
  return Blocks().size();
}

}  // namespace platform::kernel32
