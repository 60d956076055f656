#include "platform/files/file_bytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <list>
#include <string>

#include "platform/paths.h"
#include "platform/process_tuning.h"

namespace platform::files {
namespace {

FileIdentity IdentityOf(const struct stat& s) {
  return {static_cast<int64_t>(s.st_dev),
          static_cast<int64_t>(s.st_ino),
          s.st_size,
          s.st_mtim.tv_sec,
          s.st_mtim.tv_nsec,
          s.st_ctim.tv_sec,
          s.st_ctim.tv_nsec};
}

std::shared_ptr<const FileBytes>& RecentFile() {
  static std::shared_ptr<const FileBytes> kept;
  return kept;
}

// Never destroyed: modules still loaded when the process ends release their pins after every
// static object has gone.
std::list<std::shared_ptr<const FileBytes>>& PinnedFiles() {
  static auto* pinned = new std::list<std::shared_ptr<const FileBytes>>;
  return *pinned;
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

// Reads up to size bytes; a file that shrank meanwhile gives what is there. Sets `done`.
bool ReadAll(int fd, uint8_t* out, size_t size, size_t& done) {
  done = 0;
  while (done < size) {
    ssize_t n = read(fd, out + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
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
  FileIdentity identity = IdentityOf(status);
  std::shared_ptr<const FileBytes>& recent = RecentFile();
  if (recent && recent->identity_ == identity) return recent;
  for (const std::shared_ptr<const FileBytes>& pinned : PinnedFiles())
    if (pinned->identity_ == identity) return pinned;

  auto file = std::make_shared<FileBytes>();
  file->identity_ = identity;
  size_t size = static_cast<size_t>(status.st_size);
  if (!file->Allocate(size) || !ReadAll(fd.get(), file->storage_.get(), size, file->size_))
    return nullptr;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  if (MayKeep(status, now) && file->size_ == size) recent = file;
  return file;
}

std::shared_ptr<void> FileBytes::Pin(const std::shared_ptr<const FileBytes>& file) {
  auto& pinned = PinnedFiles();
  auto at = pinned.insert(pinned.end(), file);
  return std::shared_ptr<void>(nullptr, [at](void*) { PinnedFiles().erase(at); });
}

void FileBytes::ForgetRecent() {
  RecentFile().reset();
}

void FileBytes::Free::operator()(uint8_t* p) const {
  std::free(p);
}

// Large files are read into memory asked for in huge pages: each 4 KiB page first touched
// otherwise costs a page fault, which dominates reading a module of many megabytes.
bool FileBytes::Allocate(size_t size) {
  if (size < kHugePageBytes) {
    storage_.reset(static_cast<uint8_t*>(std::malloc(size > 0 ? size : 1)));
    return storage_ != nullptr;
  }
  size_t capacity = (size + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
  storage_.reset(static_cast<uint8_t*>(std::aligned_alloc(kHugePageBytes, capacity)));
  if (!storage_) return false;
  AdviseHugePages(storage_.get(), capacity);
  return true;
}

}  // namespace platform::files
