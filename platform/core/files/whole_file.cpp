#include "platform/core/files/whole_file.h"

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/core/files/file_handle.h"
#include "platform/core/paths.h"
#include "platform/win32/kernel32.h"

namespace platform::files {
namespace {

using win32::HANDLE;

struct WriteFailure {
  std::string nativePath;
  int error = 0;
};

// The first failure since the last ForgetWriteFailures (a batch names its first failed file)
// and the latest one (a single write asks right after failing).
struct WriteFailures {
  WriteFailure first;
  WriteFailure latest;
  bool any = false;
};

WriteFailures& Failures() {
  thread_local WriteFailures failures;
  return failures;
}

bool Failed(std::string_view gbkPath, int error) {
  WriteFailures& failures = Failures();
  failures.latest = {paths::ToNative(gbkPath), error};
  if (!failures.any) failures.first = failures.latest;
  failures.any = true;
  return false;
}

// The C library's error behind the stand-in call that just failed. The calls are made with errno
// cleared, so a number left there comes from the system call that failed; a refusal of the
// stand-in's own has only its last-error code.
int ErrorOfFailedCall() {
  if (errno != 0) return errno;
  switch (kernel32::GetLastError()) {
    case win32::ERROR_DISK_FULL:
      return ENOSPC;
    case win32::ERROR_ACCESS_DENIED:
      return EACCES;
    case win32::ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case win32::ERROR_FILE_NOT_FOUND:
      return ENOENT;
    case win32::ERROR_PATH_NOT_FOUND:
      return ENOTDIR;
    case win32::ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case win32::ERROR_NOT_ENOUGH_MEMORY:
      return ENOMEM;
    default:
      return 0;
  }
}

// Writes every non-empty part; false as soon as one is not written whole.
bool WriteParts(HANDLE file, std::span<const std::span<const uint8_t>> parts) {
  for (std::span<const uint8_t> part : parts) {
    if (part.empty()) continue;
    win32::DWORD written = 0;
    errno = 0;
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
    errno = 0;
    FileHandle file(kernel32::CreateFileA(temporary->c_str(), win32::GENERIC_WRITE, 0, nullptr,
                                          win32::CREATE_NEW, win32::FILE_ATTRIBUTE_NORMAL, 0));
    if (file.valid() || kernel32::GetLastError() != win32::ERROR_FILE_EXISTS) return file;
  }
  return FileHandle(win32::INVALID_HANDLE_VALUE);
}

// The file an existing path leads to, through every symbolic link, as a program path; the path
// itself when that file's path has no program text (the replacement then renames through the
// link, which works while the link and its file share a file system).
std::string LinkedFile(const char* gbkPath) {
  std::string native = paths::ToNative(gbkPath);
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath(native.c_str(), nullptr),
                                                       &std::free);
  if (!resolved || native == resolved.get()) return gbkPath;
  std::string program = paths::FromNative(resolved.get());
  return paths::ToNative(program) == resolved.get() ? program : std::string(gbkPath);
}

}  // namespace

bool WriteWholeFile(const char* gbkPath, std::span<const std::span<const uint8_t>> parts) {
  if (!gbkPath || !*gbkPath) return false;
  win32::DWORD attributes = kernel32::GetFileAttributesA(gbkPath);
  bool exists = attributes != win32::INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (win32::FILE_ATTRIBUTE_DIRECTORY | win32::FILE_ATTRIBUTE_READONLY |
                               win32::FILE_ATTRIBUTE_SYSTEM)))
    return Failed(gbkPath, 0);
  const std::string target = exists ? LinkedFile(gbkPath) : std::string(gbkPath);

  std::string temporary;
  FileHandle file = CreateSiblingTemporary(target, &temporary);
  if (!file.valid()) return Failed(gbkPath, ErrorOfFailedCall());
  bool written = WriteParts(file.get(), parts);
  int error = written ? 0 : ErrorOfFailedCall();
  errno = 0;
  if (!file.Release() && written) {
    written = false;
    error = ErrorOfFailedCall();
  }
  bool moved = false;
  if (written) {
    errno = 0;
    moved = exists ? kernel32::ReplaceFileA(target.c_str(), temporary.c_str(), nullptr, 0, nullptr,
                                            nullptr)
                   : kernel32::MoveFileExA(temporary.c_str(), target.c_str(),
                                           win32::MOVEFILE_REPLACE_EXISTING);
    if (!moved) error = ErrorOfFailedCall();
  }
  if (moved) return true;
  kernel32::DeleteFileA(temporary.c_str());
  return Failed(gbkPath, error);
}

int WriteErrorOf(std::string_view gbkPath) {
  const WriteFailures& failures = Failures();
  if (!failures.any) return 0;
  std::string native = paths::ToNative(gbkPath);
  if (failures.latest.nativePath == native) return failures.latest.error;
  if (failures.first.nativePath == native) return failures.first.error;
  return 0;
}

void ForgetWriteFailures() {
  Failures() = WriteFailures();
}

}  // namespace platform::files
