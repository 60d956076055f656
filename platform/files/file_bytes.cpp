#include "platform/files/file_bytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <tuple>

#include "platform/paths.h"

namespace platform::files {
namespace {

// What identifies one version of a file's content.
auto Identity(const struct stat& s) {
  return std::make_tuple(s.st_dev, s.st_ino, s.st_size, s.st_mtim.tv_sec, s.st_mtim.tv_nsec,
                         s.st_ctim.tv_sec, s.st_ctim.tv_nsec);
}
using FileIdentity = decltype(Identity(std::declval<struct stat>()));

struct Kept {
  std::shared_ptr<const FileBytes> file;
  FileIdentity identity;
};

Kept& RecentFile() {
  static Kept kept;
  return kept;
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Reads up to size bytes; a file that shrank meanwhile gives what is there.
bool ReadAll(int fd, std::vector<uint8_t>& out, size_t size) {
  out.resize(size);
  size_t done = 0;
  while (done < size) {
    ssize_t n = read(fd, out.data() + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  out.resize(done);
  return true;
}

}  // namespace

bool MayKeep(const struct stat& status, const timespec& now) {
  return status.st_ctim.tv_sec + kSettleSeconds < now.tv_sec;
}

std::shared_ptr<const FileBytes> FileBytes::Open(std::string_view gbkPath) {
  std::string path = paths::ToNative(gbkPath);
  struct stat status {};
  // A named pipe would block the opening, so only what is a regular file now is opened.
  if (path.empty() || stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
  Descriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0 || fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      status.st_size > kMaxFileBytes)
    return nullptr;
  Kept& recent = RecentFile();
  if (recent.file && recent.identity == Identity(status)) return recent.file;

  auto file = std::make_shared<FileBytes>();
  if (!ReadAll(fd.get(), file->bytes_, static_cast<size_t>(status.st_size))) return nullptr;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  if (MayKeep(status, now) && file->bytes_.size() == static_cast<size_t>(status.st_size))
    recent = Kept{file, Identity(status)};
  return file;
}

}  // namespace platform::files
