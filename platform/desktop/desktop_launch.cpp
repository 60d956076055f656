// Kept apart from Qt's headers: GLib's use the word "signals", which Qt defines as a keyword.
#include "platform/desktop/desktop_launch.h"

#include <gio/gio.h>

namespace platform::desktop {

std::string FileAddress(const std::string& nativePath) {
  gchar* address = g_filename_to_uri(nativePath.c_str(), nullptr, nullptr);
  if (!address) return {};
  std::string result(address);
  g_free(address);
  return result;
}

Result<void, std::string> LaunchDefaultApplication(const std::string& address) {
  GError* error = nullptr;
  if (g_app_info_launch_default_for_uri(address.c_str(), nullptr, &error)) return {};
  std::string reason = error && error->message ? error->message : "";
  g_clear_error(&error);
  return Fail(std::move(reason));
}

}  // namespace platform::desktop
