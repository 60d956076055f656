// The shell's path helpers. Each walks the GBK path character by character, so a trail byte 0x5C
// is never taken for "\", and each answers with a pointer into the string it was given.
#include <cstring>
#include <string_view>

#include "platform/core/paths.h"
#include "platform/text/gbk.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/shlwapi.h"

namespace platform::shlwapi {
namespace {

using namespace win32;

using paths::IsSeparator;

// Calls visit(offset) for each character of a zero-terminated GBK text.
template <class Visit>
void ForEachCharacter(std::string_view path, Visit visit) {
  for (size_t i = 0; i < path.size(); i += text::GbkCharLength(path, i))
    visit(i);
}

}  // namespace

BOOL PathRemoveFileSpecA(char* path) {
  if (!path) return FALSE;
  std::string_view view = path;
  size_t cut = 0;
  bool hasSeparator = false;
  ForEachCharacter(view, [&](size_t i) {
    if (IsSeparator(view[i])) {
      cut = i;
      hasSeparator = true;
    }
  });
  // The root keeps its separator: "/a" becomes "/", and "/" stays as it is.
  if (hasSeparator && cut == 0) cut = 1;
  if (cut >= view.size()) return FALSE;
  path[cut] = '\0';
  return TRUE;
}

BOOL PathIsDirectoryA(const char* path) {
  if (!path) return FALSE;
  DWORD attributes = kernel32::GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return FALSE;
  return static_cast<BOOL>(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

char* PathFindExtensionA(const char* path) {
  if (!path) return nullptr;
  std::string_view view = path;
  const char* dot = nullptr;
  // The last "." of the last component; a space or separator after it means there is none.
  ForEachCharacter(view, [&](size_t i) {
    if (view[i] == '.')
      dot = path + i;
    else if (IsSeparator(view[i]) || view[i] == ' ')
      dot = nullptr;
  });
  return const_cast<char*>(dot ? dot : path + view.size());
}

char* PathFindFileNameA(const char* path) {
  if (!path) return nullptr;
  std::string_view view = path;
  const char* name = path;
  // A trailing separator belongs to the last name ("a/b/" gives "b/").
  ForEachCharacter(view, [&](size_t i) {
    if (IsSeparator(view[i]) && i + 1 < view.size() && !IsSeparator(view[i + 1]))
      name = path + i + 1;
  });
  return const_cast<char*>(name);
}

}  // namespace platform::shlwapi
