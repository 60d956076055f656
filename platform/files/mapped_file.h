// A whole file held in memory for reading: mapped when the system can map it, read otherwise.
// Only regular files are opened (a named pipe would block). Paths are GBK with "\" or "/".
//
// The most recently opened file stays mapped while it is unchanged, so the many calls that read
// one module in turn (extracting every icon group, drawing every icon of the strip) map it once.
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

#include <QByteArray>
#include <QFile>

namespace platform::files {

constexpr int kSettleSeconds = 2;

// Whether a file with this status may be kept mapped at time `now`.
bool MayKeep(const struct stat& status, const timespec& now);

class MappedFile {
 public:
  // Null when the path names no readable regular file.
  static std::shared_ptr<const MappedFile> Open(std::string_view gbkPath);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::span<const uint8_t> bytes() const { return bytes_; }

 private:
  MappedFile() = default;
  QFile file_;
  QByteArray contents_;  // when the file could not be mapped
  std::span<const uint8_t> bytes_;
};

}  // namespace platform::files
