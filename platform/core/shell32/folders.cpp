// Folder creation with every missing level: the one shell function of the core.
#include "platform/core/shell32/folders.h"

#include <filesystem>

#include "platform/core/paths.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/shell32.h"

namespace platform::shell32 {
namespace {

using namespace win32;

namespace fs = std::filesystem;

constexpr int ERROR_SUCCESS = 0;
constexpr int ERROR_PATH_NOT_FOUND = 3;
constexpr int ERROR_ACCESS_DENIED = 5;
constexpr int ERROR_INVALID_PARAMETER = 87;
constexpr int ERROR_FILE_EXISTS = 80;
constexpr int ERROR_BAD_PATHNAME = 161;
constexpr int ERROR_ALREADY_EXISTS = 183;

}  // namespace

int FileSystemError(const std::error_code& error) {
  if (error == std::errc::permission_denied || error == std::errc::read_only_file_system)
    return ERROR_ACCESS_DENIED;
  if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
    return ERROR_PATH_NOT_FOUND;
  return ERROR_INVALID_PARAMETER;
}

int SHCreateDirectoryExA(HWND, const char* path, const SECURITY_ATTRIBUTES*) {
  if (!path || !*path) return ERROR_BAD_PATHNAME;
  const fs::path folder(paths::ToNative(path));
  if (!folder.is_absolute()) return ERROR_BAD_PATHNAME;
  std::error_code error;
  const fs::file_status status = fs::status(folder, error);
  if (fs::is_directory(status)) return ERROR_ALREADY_EXISTS;
  if (fs::exists(status)) return ERROR_FILE_EXISTS;
  fs::create_directories(folder, error);
  return error ? FileSystemError(error) : ERROR_SUCCESS;
}

}  // namespace platform::shell32
