#include "platform/files/whole_file.h"

#include <string>

#include "platform/api.h"
#include "platform/files/file_handle.h"
#include "platform/paths.h"

namespace platform::files {
namespace {

using win32::HANDLE;

// Writes every non-empty part; false as soon as one is not written whole.
bool WriteParts(HANDLE file, std::span<const std::span<const uint8_t>> parts) {
  for (std::span<const uint8_t> part : parts) {
    if (part.empty()) continue;
    win32::DWORD written = 0;
    if (part.size() > UINT32_MAX ||
        !kernel32::WriteFile(file, part.data(), static_cast<win32::DWORD>(part.size()), &written,
                             nullptr) ||
        written != part.size())
      return false;
  }
  return true;
}

// A new, hidden file next to the target, which the finished content is moved from.
FileHandle CreateSiblingTemporary(std::string_view path, std::string* temporary) {
  static unsigned counter = 0;
  std::string folder(path.substr(0, paths::NameOffset(path)));
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temporary = folder + ".pictolan-" + std::to_string(kernel32::GetCurrentProcessId()) + "-" +
                 std::to_string(++counter) + ".tmp";
    FileHandle file(kernel32::CreateFileA(temporary->c_str(), win32::GENERIC_WRITE, 0, nullptr,
                                          win32::CREATE_NEW, win32::FILE_ATTRIBUTE_NORMAL, 0));
    if (file.valid() || kernel32::GetLastError() != win32::ERROR_FILE_EXISTS) return file;
  }
  return FileHandle(win32::INVALID_HANDLE_VALUE);
}

}  // namespace

bool WriteWholeFile(const char* gbkPath, std::span<const std::span<const uint8_t>> parts) {
  if (!gbkPath || !*gbkPath) return false;
  win32::DWORD attributes = kernel32::GetFileAttributesA(gbkPath);
  bool exists = attributes != win32::INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (win32::FILE_ATTRIBUTE_DIRECTORY | win32::FILE_ATTRIBUTE_READONLY)))
    return false;

  std::string temporary;
  FileHandle file = CreateSiblingTemporary(gbkPath, &temporary);
  if (!file.valid()) return false;
  bool written = WriteParts(file.get(), parts);
  written = file.Release() && written;
  bool moved =
      written &&
      (exists
           ? kernel32::ReplaceFileA(gbkPath, temporary.c_str(), nullptr, 0, nullptr, nullptr)
           : kernel32::MoveFileExA(temporary.c_str(), gbkPath, win32::MOVEFILE_REPLACE_EXISTING));
  if (!moved) kernel32::DeleteFileA(temporary.c_str());
  return moved;
}

}  // namespace platform::files
