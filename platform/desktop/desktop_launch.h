// Handing a file, folder or web address to the application the desktop chose for its type
// (GIO: the freedesktop.org associations of mimeapps.list and the installed desktop entries).
// Unlike starting xdg-open, this knows whether anything took it.
#pragma once

#include <string>

namespace platform::desktop {

// A local path (the file system's bytes) as a file:// address.
std::string FileAddress(const std::string& nativePath);
// Starts the desktop's default application for the address (file:// or a web address). False,
// with the desktop's reason in `reason`, when none could be started.
bool LaunchDefaultApplication(const std::string& address, std::string* reason = nullptr);

}  // namespace platform::desktop
