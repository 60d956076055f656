#include "frame/services.h"

#include <utility>

#include "platform/win32/kernel32.h"

namespace frame {
namespace {

namespace k32 = platform::kernel32;

constexpr uint32_t kSearchableAttributes = 0x37;

bool Accepts(uint32_t attributes, uint32_t accepted, bool allFiles) {
  if (allFiles) return (attributes & win32::FILE_ATTRIBUTE_DIRECTORY) == 0;
  if (accepted == 0) return attributes == 0;
  return (attributes & accepted) != 0;
}

CleanupRoutine& Cleanup() {
  static CleanupRoutine routine;
  return routine;
}

}  // namespace

Text FindFileEntry(const Text& pattern, int32_t attributeMask, bool allFiles, uint32_t& search) {
  uint32_t accepted = static_cast<uint32_t>(attributeMask) & kSearchableAttributes;
  win32::WIN32_FIND_DATAA entry{};
  bool found;
  if (!pattern.empty()) {
    CloseFileSearch(std::exchange(search, 0));
    search = k32::FindFirstFileA(pattern.c_str(), &entry);
    if (search == win32::INVALID_HANDLE_VALUE) search = 0;
    found = search != 0;
  } else {
    found = search != 0 && k32::FindNextFileA(search, &entry);
  }
  while (found && !Accepts(entry.dwFileAttributes, accepted, allFiles))
    found = k32::FindNextFileA(search, &entry);
  if (!found) {
    CloseFileSearch(std::exchange(search, 0));
    return Text();
  }
  return Text(entry.cFileName);
}

void CloseFileSearch(uint32_t search) {
  if (search != 0) k32::FindClose(search);
}

void RegisterCleanupRoutine(CleanupRoutine routine) {
  Cleanup() = std::move(routine);
}

void RunCleanupRoutine() {
  if (CleanupRoutine routine = std::exchange(Cleanup(), nullptr)) routine();
}

}  // namespace frame
