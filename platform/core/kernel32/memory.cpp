// Page memory (VirtualAlloc / VirtualFree) and the two copy helpers.
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <mutex>

#include "platform/win32/kernel32.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

// A reservation may not exceed what a 32-bit program could hold, so a wild size fails cleanly.
constexpr SIZE_T kLargestReservation = SIZE_T{1} << 31;

struct Regions {
  std::mutex mutex;
  std::map<uintptr_t, SIZE_T> sizes;  // base -> size in bytes, a whole number of pages
};

Regions& AllRegions() {
  static Regions regions;
  return regions;
}

SIZE_T PageSize() {
  static const SIZE_T size = static_cast<SIZE_T>(sysconf(_SC_PAGESIZE));
  return size;
}

// The protection for a page-protection value; -1 for one this stand-in does not grant
// (executable pages are never handed out).
int Protection(DWORD protect) {
  switch (protect) {
    case PAGE_NOACCESS:
      return PROT_NONE;
    case PAGE_READONLY:
      return PROT_READ;
    case PAGE_READWRITE:
      return PROT_READ | PROT_WRITE;
    default:
      return -1;
  }
}

// The region holding [address, address + size), as base and size; {0, 0} when there is none.
std::pair<uintptr_t, SIZE_T> RegionOf(const Regions& regions, uintptr_t address, SIZE_T size) {
  auto it = regions.sizes.upper_bound(address);
  if (it == regions.sizes.begin()) return {0, 0};
  --it;
  uintptr_t offset = address - it->first;
  if (offset >= it->second || size > it->second - offset) return {0, 0};
  return *it;
}

void* Reserve(SIZE_T size, DWORD type, int protection) {
  SIZE_T page = PageSize();
  SIZE_T rounded = (size + page - 1) / page * page;
  void* base = mmap(nullptr, rounded, (type & MEM_COMMIT) ? protection : PROT_NONE,
                    MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (base == MAP_FAILED) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Regions& regions = AllRegions();
  std::lock_guard lock(regions.mutex);
  regions.sizes[reinterpret_cast<uintptr_t>(base)] = rounded;
  return base;
}

// Commits pages inside a reservation; returns the first committed page.
void* Commit(uintptr_t address, SIZE_T size, int protection) {
  Regions& regions = AllRegions();
  std::lock_guard lock(regions.mutex);
  if (RegionOf(regions, address, size).second == 0) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return nullptr;
  }
  SIZE_T page = PageSize();
  uintptr_t first = address / page * page;
  uintptr_t end = (address + size + page - 1) / page * page;
  if (mprotect(reinterpret_cast<void*>(first), end - first, protection) != 0) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return nullptr;
  }
  return reinterpret_cast<void*>(first);
}

}  // namespace

void* VirtualAlloc(void* address, SIZE_T size, DWORD type, DWORD protect) {
  int protection = Protection(protect);
  if (size == 0 || size > kLargestReservation || protection < 0 ||
      !(type & (MEM_COMMIT | MEM_RESERVE))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!address) return Reserve(size, type, protection);
  if (!(type & MEM_COMMIT) || (type & MEM_RESERVE)) {
    // Reserving at a chosen address is not offered: the address space is this process's own.
    SetLastError(ERROR_INVALID_ADDRESS);
    return nullptr;
  }
  return Commit(reinterpret_cast<uintptr_t>(address), size, protection);
}

BOOL VirtualFree(void* address, SIZE_T size, DWORD type) {
  Regions& regions = AllRegions();
  std::lock_guard lock(regions.mutex);
  uintptr_t at = reinterpret_cast<uintptr_t>(address);
  if (type == MEM_RELEASE) {
    auto it = regions.sizes.find(at);
    if (size != 0 || it == regions.sizes.end()) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    munmap(address, it->second);
    regions.sizes.erase(it);
    return TRUE;
  }
  if (type == MEM_DECOMMIT) {
    auto [base, regionSize] = RegionOf(regions, at, size);
    if (regionSize == 0) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    // Size 0 from the base decommits the whole region.
    SIZE_T page = PageSize();
    uintptr_t first = at / page * page;
    uintptr_t end = size == 0 ? base + regionSize : (at + size + page - 1) / page * page;
    madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
    mprotect(reinterpret_cast<void*>(first), end - first, PROT_NONE);
    return TRUE;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

void RtlMoveMemory(void* destination, const void* source, SIZE_T length) {
  // A null block with a length is a caller's slip; copying nothing beats crashing.
  if (length == 0 || !destination || !source) return;
  std::memmove(destination, source, length);
}

char* lstrcpyn(char* destination, const char* source, int maxLength) {
  if (!destination || !source) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (maxLength <= 0) return destination;
  int i = 0;
  for (; i < maxLength - 1 && source[i] != '\0'; ++i)
    destination[i] = source[i];
  destination[i] = '\0';
  return destination;
}

}  // namespace platform::kernel32
