// Failed allocations end through the frame's fatal path. The replaced operator new below behaves
// as the standard one (new handler, else std::bad_alloc) and only notes the size it was asked
// for, so the handler the frame installs can name it. Sanitizer builds keep their own operator
// new, which reports a failed allocation itself.
#include <atomic>
#include <cstdlib>
#include <new>

#include "frame/fatal.h"

#if defined(__SANITIZE_ADDRESS__)
#define PICTOLAN_OWN_OPERATOR_NEW 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PICTOLAN_OWN_OPERATOR_NEW 0
#endif
#endif
#ifndef PICTOLAN_OWN_OPERATOR_NEW
#define PICTOLAN_OWN_OPERATOR_NEW 1
#endif

namespace {

thread_local size_t failedRequest = 0;

template <class Allocate>
void* AllocateOrHandle(size_t size, Allocate allocate) {
  if (size == 0) size = 1;
  while (true) {
    if (void* block = allocate(size)) return block;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    failedRequest = size;
    handler();
  }
}

// The fatal path needs memory too: when it runs out as well, the process ends at once.
void EndAfterFailedAllocation() {
  static std::atomic<bool> failing{false};
  if (failing.exchange(true)) frame::EndProcess(-1);
  frame::AllocationFailed(failedRequest);
}

}  // namespace

#if PICTOLAN_OWN_OPERATOR_NEW
void* operator new(size_t size) {
  return AllocateOrHandle(size, [](size_t n) { return std::malloc(n); });
}

void* operator new(size_t size, std::align_val_t alignment) {
  auto align = static_cast<size_t>(alignment);
  return AllocateOrHandle(size, [align](size_t n) {
    return n > SIZE_MAX - align ? nullptr
                                : std::aligned_alloc(align, (n + align - 1) / align * align);
  });
}
#endif

namespace frame {

std::new_handler RouteAllocationFailures() {
  return std::set_new_handler(&EndAfterFailedAllocation);
}

}  // namespace frame
