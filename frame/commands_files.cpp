// Library commands: whole files. Every file goes through the kernel32 stand-in, so paths are
// handled one way (GBK, "\" or "/"). Failures are results, never errors.
#include <cstdint>
#include <span>
#include <vector>

#include "frame/commands.h"
#include "frame/fatal.h"
#include "platform/core/files/file_handle.h"
#include "platform/core/files/whole_file.h"
#include "platform/core/paths.h"
#include "platform/win32/kernel32.h"

namespace frame {
namespace k32 = platform::kernel32;
using platform::files::FileHandle;

ByteSet ReadFile(const Text& path) {
  FileHandle file(k32::CreateFileA(path.c_str(), win32::GENERIC_READ, win32::FILE_SHARE_READ,
                                   nullptr, win32::OPEN_EXISTING, win32::FILE_ATTRIBUTE_NORMAL, 0));
  if (!file.valid()) return ByteSet();
  win32::DWORD high = 0;
  win32::DWORD size = k32::GetFileSize(file.get(), &high);
  // A file beyond what the frame can hold reads like one that cannot be opened.
  if (size == win32::INVALID_FILE_SIZE || high != 0 || size == 0 || size > kLargestBlock)
    return ByteSet();
  std::vector<uint8_t> bytes(size);
  win32::DWORD read = 0;
  k32::ReadFile(file.get(), bytes.data(), size, &read, nullptr);
  bytes.resize(read);
  return ByteSet(std::move(bytes));
}

// The content goes to a new file that replaces the target only once it is complete, so a write
// that fails part-way (a full disk) leaves the old file as it was.
bool WriteFileParts(const Text& path, std::initializer_list<const ByteSet*> parts) {
  std::vector<std::span<const uint8_t>> spans;
  for (const ByteSet* part : parts)
    if (part) spans.push_back(part->span());
  return platform::files::WriteWholeFile(path.c_str(), spans);
}

bool DeleteFile(const Text& path) {
  return k32::DeleteFileA(path.c_str()) != 0;
}

bool FileExists(const Text& path) {
  win32::WIN32_FIND_DATAA data;
  win32::HANDLE search = k32::FindFirstFileA(path.c_str(), &data);
  if (search == win32::INVALID_HANDLE_VALUE) return false;
  k32::FindClose(search);
  return true;
}

int32_t GetFileAttributes(const Text& path) {
  win32::DWORD attributes = k32::GetFileAttributesA(path.c_str());
  if (attributes == win32::INVALID_FILE_ATTRIBUTES) return -1;
  return static_cast<int32_t>(attributes & 0x37);
}

}  // namespace frame
