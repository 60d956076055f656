// A whole file held in memory for reading: mapped when the system can map it, read otherwise.
// Only regular files are opened (a named pipe would block). Paths are GBK with "\" or "/".
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include <QByteArray>
#include <QFile>

namespace platform::files {

class MappedFile {
 public:
  // Null when the path names no readable regular file.
  static std::unique_ptr<MappedFile> Open(std::string_view gbkPath);
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
