// A whole file read into memory. Only regular files are opened (a named pipe would block), and
// files above kMaxFileBytes are refused. Paths are GBK with "\" or "/".
//
// The file is read, not mapped: a mapping faults (SIGBUS) when another process truncates the
// file while it is being read, and a module being written by another program is an ordinary
// thing for a user to open.
//
// The most recently read file stays in memory while it is unchanged, so the many calls that read
// one module in turn (extracting every icon group, drawing every icon of the strip) read it once.
// A file is only kept when its status last changed more than kSettleSeconds before: any later
// change to it moves its change time past the kept one, so a kept file that is used again is
// always the same file. Files just written (the rebuild's probe files) are read afresh.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <ctime>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace platform::files {

constexpr int kSettleSeconds = 2;
constexpr int64_t kMaxFileBytes = int64_t{512} << 20;

// Whether a file with this status may be kept in memory at time `now`.
bool MayKeep(const struct stat& status, const timespec& now);

class FileBytes {
 public:
  // Null when the path names no readable regular file (or one too large to hold).
  static std::shared_ptr<const FileBytes> Open(std::string_view gbkPath);

  std::span<const uint8_t> bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace platform::files
