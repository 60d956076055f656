// Library commands: whole files. Every file goes through the kernel32 stand-in, so paths are
// handled one way (GBK, "\" or "/"). Failures are results, never errors.
#include <cstdint>
#include <string>
#include <utility>

#include "frame/commands.h"
#include "frame/fatal.h"
#include "platform/api.h"
#include "platform/paths.h"

namespace frame {
namespace {

namespace k32 = platform::kernel32;
using win32::HANDLE;

// Closes a kernel32 file handle when it goes; Release() reports the close's own result.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(FileHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, win32::INVALID_HANDLE_VALUE)) {}
  FileHandle& operator=(FileHandle&&) = delete;
  ~FileHandle() { Release(); }
  bool valid() const { return handle_ != win32::INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool Release() {
    return valid() && k32::CloseHandle(std::exchange(handle_, win32::INVALID_HANDLE_VALUE));
  }

 private:
  HANDLE handle_;
};

// Writes every non-empty part; false as soon as one is not written whole.
bool WriteParts(HANDLE file, std::initializer_list<const ByteSet*> parts) {
  for (const ByteSet* part : parts) {
    if (!part || part->empty()) continue;
    win32::DWORD written = 0;
    if (part->size() > UINT32_MAX ||
        !k32::WriteFile(file, part->data(), static_cast<win32::DWORD>(part->size()), &written,
                        nullptr) ||
        written != part->size())
      return false;
  }
  return true;
}

// A new, hidden file next to the target, which the finished content is moved from.
FileHandle CreateSiblingTemporary(const Text& path, Text* temporary) {
  static unsigned counter = 0;
  Text folder(path.view().substr(0, platform::paths::NameOffset(path.view())));
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temporary = folder + Text(".pictolan-" + std::to_string(k32::GetCurrentProcessId()) + "-" +
                               std::to_string(++counter) + ".tmp");
    FileHandle file(k32::CreateFileA(temporary->c_str(), win32::GENERIC_WRITE, 0, nullptr,
                                     win32::CREATE_NEW, win32::FILE_ATTRIBUTE_NORMAL, 0));
    if (file.valid() || k32::GetLastError() != win32::ERROR_FILE_EXISTS) return file;
  }
  return FileHandle(win32::INVALID_HANDLE_VALUE);
}

}  // namespace

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
// that fails part-way (a full disk) leaves the old file as it was. As when opening it for
// writing, a folder or a read-only file at the path is never replaced.
bool WriteFileParts(const Text& path, std::initializer_list<const ByteSet*> parts) {
  if (path.empty()) return false;
  win32::DWORD attributes = k32::GetFileAttributesA(path.c_str());
  bool exists = attributes != win32::INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (win32::FILE_ATTRIBUTE_DIRECTORY | win32::FILE_ATTRIBUTE_READONLY)))
    return false;

  Text temporary;
  FileHandle file = CreateSiblingTemporary(path, &temporary);
  if (!file.valid()) return false;
  bool written = WriteParts(file.get(), parts);
  written = file.Release() && written;
  bool moved =
      written &&
      (exists
           ? k32::ReplaceFileA(path.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr)
           : k32::MoveFileExA(temporary.c_str(), path.c_str(), win32::MOVEFILE_REPLACE_EXISTING));
  if (!moved) k32::DeleteFileA(temporary.c_str());
  return moved;
}

bool DeleteFile(const Text& path) {
  return k32::DeleteFileA(path.c_str()) != 0;
}

bool FileExists(const Text& path) {
  win32::WIN32_FIND_DATAA data;
  HANDLE search = k32::FindFirstFileA(path.c_str(), &data);
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
