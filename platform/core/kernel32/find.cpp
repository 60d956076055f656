// File search of the kernel32 stand-in. A search lists its folder once, when it starts: "." and
// ".." first, then the matching entries sorted by name without regard to case, so the program
// sees the same order on every file system.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/handles.h"
#include "platform/core/kernel32/internal.h"
#include "platform/core/paths.h"
#include "platform/text/gbk.h"
#include "platform/win32/kernel32.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

struct SearchObject {
  std::vector<WIN32_FIND_DATAA> entries;
  size_t next = 0;
};

HandleTable<SearchObject>& Searches() {
  static HandleTable<SearchObject> table(HandleKind::FindFile);
  return table;
}

// A GBK text as characters (one or two bytes each), letters lowered.
std::vector<uint16_t> Characters(std::string_view gbk) {
  std::vector<uint16_t> out;
  for (size_t i = 0; i < gbk.size();) {
    size_t n = text::GbkCharLength(gbk, i);
    uint8_t first = static_cast<uint8_t>(text::AsciiLower(gbk[i]));
    out.push_back(n == 2 ? static_cast<uint16_t>(first << 8 | static_cast<uint8_t>(gbk[i + 1]))
                         : first);
    i += n;
  }
  return out;
}

// "*" and "?" matching with one backtrack point: linear in practice, never exponential.
bool Glob(const std::vector<uint16_t>& pattern, const std::vector<uint16_t>& name) {
  size_t p = 0, n = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

FILETIME ToFileTime(const timespec& t) {
  // 100-nanosecond intervals since 1601-01-01.
  constexpr int64_t kEpochDifference = 11644473600LL;
  int64_t ticks = (static_cast<int64_t>(t.tv_sec) + kEpochDifference) * 10000000 + t.tv_nsec / 100;
  if (ticks < 0) ticks = 0;
  return FILETIME{static_cast<DWORD>(ticks),
                  static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32)};
}

WIN32_FIND_DATAA FindData(const struct stat& info, const std::string& gbkName) {
  WIN32_FIND_DATAA data{};
  data.dwFileAttributes = FileAttributes(info, gbkName);
  data.ftCreationTime = ToFileTime(info.st_mtim);
  data.ftLastAccessTime = ToFileTime(info.st_atim);
  data.ftLastWriteTime = ToFileTime(info.st_mtim);
  uint64_t size = S_ISREG(info.st_mode) ? static_cast<uint64_t>(info.st_size) : 0;
  data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(size);
  std::memcpy(data.cFileName, gbkName.c_str(), gbkName.size() + 1);
  return data;
}

// "." and ".." first, then names without regard to case (ties by bytes, so the order is total).
bool ListedBefore(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
  auto rank = [](const char* name) {
    return std::strcmp(name, ".") == 0 ? 0 : std::strcmp(name, "..") == 0 ? 1 : 2;
  };
  int ra = rank(a.cFileName), rb = rank(b.cFileName);
  if (ra != rb) return ra < rb;
  std::string_view na = a.cFileName, nb = b.cFileName;
  auto lowerLess = [](char x, char y) {
    return static_cast<uint8_t>(text::AsciiLower(x)) < static_cast<uint8_t>(text::AsciiLower(y));
  };
  if (std::lexicographical_compare(na.begin(), na.end(), nb.begin(), nb.end(), lowerLess))
    return true;
  if (std::lexicographical_compare(nb.begin(), nb.end(), na.begin(), na.end(), lowerLess))
    return false;
  return na < nb;
}

// The entries of a folder (native path) whose names match the pattern, in listing order.
std::vector<WIN32_FIND_DATAA> ListFolder(const std::string& folder, std::string_view pattern) {
  std::vector<WIN32_FIND_DATAA> entries;
  struct CloseDir {
    void operator()(DIR* dir) const { closedir(dir); }
  };
  std::unique_ptr<DIR, CloseDir> dir(opendir(folder.c_str()));
  if (!dir) return entries;
  while (dirent* entry = readdir(dir.get())) {
    // A name the program cannot hold whole (too long, or more foreign characters than it can
    // name) could not be opened through it: it is not listed.
    bool lossy = false;
    std::string name = paths::FromNative(entry->d_name, &lossy);
    if (lossy || name.size() >= MAX_PATH || !MatchesFilePattern(pattern, name)) continue;
    struct stat info {};
    // A dangling link is still listed, as the link itself.
    if (fstatat(dirfd(dir.get()), entry->d_name, &info, 0) != 0 &&
        fstatat(dirfd(dir.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
      continue;
    entries.push_back(FindData(info, name));
  }
  std::sort(entries.begin(), entries.end(), ListedBefore);
  return entries;
}

}  // namespace

bool MatchesFilePattern(std::string_view pattern, std::string_view name) {
  std::vector<uint16_t> nameChars = Characters(name);
  if (Glob(Characters(pattern), nameChars)) return true;
  return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
         name.find('.') == std::string_view::npos &&
         Glob(Characters(pattern.substr(0, pattern.size() - 2)), nameChars);
}

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
  if (!pattern || !data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string_view full = pattern;
  size_t nameAt = paths::NameOffset(full);
  std::string_view namePattern = full.substr(nameAt);
  std::string folder = nameAt == 0 ? std::string(".") : paths::ToNative(full.substr(0, nameAt));
  auto search = std::make_unique<SearchObject>();
  if (!namePattern.empty()) search->entries = ListFolder(folder, namePattern);
  if (search->entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  *data = search->entries[0];
  search->next = 1;
  HANDLE handle = Searches().Insert(std::move(search));
  if (!handle) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return INVALID_HANDLE_VALUE;
  }
  SetLastError(ERROR_SUCCESS);
  return handle;
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* data) {
  SearchObject* search = Searches().Find(handle);
  if (!search || !data) {
    SetLastError(search ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (search->next >= search->entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  *data = search->entries[search->next++];
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL FindClose(HANDLE handle) {
  if (!Searches().Erase(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

}  // namespace platform::kernel32
