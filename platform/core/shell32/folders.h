// Shell error codes of file-system failures, shared by folder creation (core) and the file
// operations (desktop part).
#pragma once

#include <system_error>

namespace platform::shell32 {

// ERROR_ACCESS_DENIED, ERROR_PATH_NOT_FOUND or ERROR_INVALID_PARAMETER.
int FileSystemError(const std::error_code& error);

}  // namespace platform::shell32
