#include "frame/private_folder.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/core/paths.h"
#include "platform/win32/kernel32.h"

namespace frame {

PrivateFolder::PrivateFolder() {
  char temp[win32::MAX_PATH + 1] = {};
  win32::DWORD n = platform::kernel32::GetTempPathA(sizeof temp, temp);
  if (n == 0 || n >= sizeof temp) return;
  std::string pattern = platform::paths::ToNative(temp) + "/pictolan-XXXXXX";
  if (!mkdtemp(pattern.data())) return;  // mkdtemp makes it 0700
  path_ = Text(platform::paths::FromNative(pattern + "/"));
}

PrivateFolder::~PrivateFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(platform::paths::ToNative(path_.view()), ignored);
}

}  // namespace frame
