// Handing a file, folder or web address to the application the desktop chose for its type
// (GIO: the freedesktop.org associations of mimeapps.list and the installed desktop entries).
// Unlike starting xdg-open, this knows whether anything took it.
#pragma once

#include <string>

#include "platform/core/result.h"

namespace platform::desktop {

// A local path (the file system's bytes) as a file:// address.
std::string FileAddress(const std::string& nativePath);
// Starts the desktop's default application for the address (file:// or a web address); the
// desktop's reason when none could be started.
Result<void, std::string> LaunchDefaultApplication(const std::string& address);

}  // namespace platform::desktop
