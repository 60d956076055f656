// A kernel32 file handle closed when it goes.
#pragma once

#include <utility>

#include "platform/win32/kernel32.h"

namespace platform::files {

class FileHandle {
 public:
  explicit FileHandle(win32::HANDLE handle) : handle_(handle) {}
  FileHandle(FileHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, win32::INVALID_HANDLE_VALUE)) {}
  FileHandle& operator=(FileHandle&&) = delete;
  ~FileHandle() { Release(); }
  bool valid() const { return handle_ != win32::INVALID_HANDLE_VALUE; }
  win32::HANDLE get() const { return handle_; }
  // Closes the file; the close's own result (a late write error shows here).
  bool Release() {
    return valid() && kernel32::CloseHandle(std::exchange(handle_, win32::INVALID_HANDLE_VALUE));
  }

 private:
  win32::HANDLE handle_;
};

}  // namespace platform::files
