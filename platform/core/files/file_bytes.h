// A whole file read into memory. Only regular files are opened (a named pipe would block), and
// files above kMaxFileBytes are refused. Paths are GBK with "\" or "/".
//
// Every path by which the platform reads a file the user named (modules, icon files, pictures,
// the first bytes of a file whose icon is asked for) opens it with RegularFile: a named pipe, a
// device or a socket is refused without being opened for reading, so nothing the program is
// pointed at can block it.
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
//
// A module loaded as a data file pins its bytes: while it stays loaded, opening the same
// unchanged file gives them, however recently the file changed. On Windows a mapped module's
// file cannot change at all, so what is asked about it while it is loaded is answered from one
// read.
#pragma once

#include <sys/stat.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/core/result.h"

namespace platform::files {

enum class OpenError {
  Missing,         // nothing at the path (or a path that cannot name a file)
  NotRegularFile,  // a folder, a named pipe, a device or a socket
  Unreadable,      // a regular file that cannot be opened for reading
};

// A regular file open for reading, closed when the object goes. Opening never blocks: the path
// is opened without waiting for a writer and refused unless what was opened is a regular file.
class RegularFile {
 public:
  // `nativePath` is a path of the file system, not a program text.
  static Result<RegularFile, OpenError> Open(const std::string& nativePath);

  RegularFile(RegularFile&& other) noexcept;
  RegularFile& operator=(RegularFile&&) = delete;
  ~RegularFile();

  const struct stat& status() const { return status_; }
  int64_t size() const { return status_.st_size; }
  // Reads up to `out.size()` bytes from the current position; a file that shrank meanwhile gives
  // what is there. The bytes read, or none on a read error.
  std::optional<size_t> Read(std::span<uint8_t> out) const;

 private:
  RegularFile(int fd, const struct stat& status) : fd_(fd), status_(status) {}
  int fd_;
  struct stat status_;
};

constexpr int kSettleSeconds = 2;
constexpr int64_t kMaxFileBytes = int64_t{512} << 20;

// Whether a file with this status may be kept in memory at time `now`.
bool MayKeep(const struct stat& status, const timespec& now);

// What tells one version of a file's content from another: device, inode, size, modification
// and change times.
using FileIdentity = std::array<int64_t, 7>;

class FileBytes {
 public:
  // Null when the path names no readable regular file (or one too large to hold).
  static std::shared_ptr<const FileBytes> Open(std::string_view gbkPath);

  // The file's bytes are what Open gives for the unchanged file while the token lives.
  static std::shared_ptr<void> Pin(const std::shared_ptr<const FileBytes>& file);

  // Lets the most recently read file go (a batch frees one module's bytes before the next).
  static void ForgetRecent();

  std::span<const uint8_t> bytes() const { return {storage_.get(), size_}; }

 private:
  struct Free {
    void operator()(uint8_t* p) const;
  };
  // Not zero-filled first: the read fills it.
  bool Allocate(size_t size);

  std::unique_ptr<uint8_t[], Free> storage_;
  size_t size_ = 0;
  FileIdentity identity_{};
};

}  // namespace platform::files
