// The process, its modules and the thread's last error.
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/core/kernel32/internal.h"
#include "platform/core/modules.h"
#include "platform/core/paths.h"
#include "platform/text/gbk.h"
#include "platform/win32/kernel32.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

thread_local DWORD lastError = ERROR_SUCCESS;

using text::EqualsIgnoringAsciiCase;

// The executable's path as the program's text.
const std::string& ProgramPath() {
  static const std::string path = [] {
    std::string native(4096, '\0');
    ssize_t n = readlink("/proc/self/exe", native.data(), native.size());
    native.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return paths::FromNative(native);
  }();
  return path;
}

// The program's own module answers to its full path and to its file name, with or without ".exe".
bool NamesProgram(std::string_view name) {
  std::string native = paths::ToNative(name);
  const std::string& program = ProgramPath();
  if (native == paths::ToNative(program)) return true;
  std::string_view file = std::string_view(program).substr(paths::NameOffset(program));
  if (EqualsIgnoringAsciiCase(native, file)) return true;
  return native.size() > 4 && EqualsIgnoringAsciiCase(native.substr(native.size() - 4), ".exe") &&
         EqualsIgnoringAsciiCase(std::string_view(native).substr(0, native.size() - 4), file);
}

}  // namespace

DWORD GetLastError() {
  return lastError;
}
void SetLastError(DWORD error) {
  lastError = error;
}

void SetLastErrorFromErrno(int error) {
  switch (error) {
    case 0:
      SetLastError(ERROR_SUCCESS);
      break;
    case ENOENT:
      SetLastError(ERROR_FILE_NOT_FOUND);
      break;
    case ENOTDIR:
      SetLastError(ERROR_PATH_NOT_FOUND);
      break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      SetLastError(ERROR_ACCESS_DENIED);
      break;
    case EEXIST:
      SetLastError(ERROR_FILE_EXISTS);
      break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      SetLastError(ERROR_DISK_FULL);
      break;
    case ENAMETOOLONG:
      SetLastError(ERROR_FILENAME_EXCED_RANGE);
      break;
    case EXDEV:
      SetLastError(ERROR_NOT_SAME_DEVICE);
      break;
    case ENOMEM:
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      break;
    case EBADF:
      SetLastError(ERROR_INVALID_HANDLE);
      break;
    case EINVAL:
      SetLastError(ERROR_INVALID_PARAMETER);
      break;
    default:
      SetLastError(ERROR_GEN_FAILURE);
      break;
  }
}

HMODULE GetModuleHandleA(const char* name) {
  if (!name || !*name || NamesProgram(name)) return ProgramModule();
  HMODULE module = FindLoadedStandIn(name);
  if (!module) SetLastError(ERROR_MOD_NOT_FOUND);
  return module;
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  if (module != 0 && module != ProgramModule()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::string& path = ProgramPath();
  if (path.size() >= size) {
    // Truncated and still terminated, as current systems do.
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(path.size());
}

DWORD GetCurrentProcessId() {
  return static_cast<DWORD>(getpid());
}

DWORD GetCurrentThreadId() {
  return static_cast<DWORD>(syscall(SYS_gettid));
}

DWORD GetTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  uint64_t ms =
      static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1'000'000;
  return static_cast<DWORD>(ms);  // wraps after 49.7 days, as Windows' 32-bit count does
}

HMODULE LoadLibraryA(const char* name) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  HMODULE module = StandInLoader().Load(name);
  if (!module) SetLastError(ERROR_MOD_NOT_FOUND);
  return module;
}

}  // namespace platform::kernel32
