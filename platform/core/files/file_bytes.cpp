#include "platform/core/files/file_bytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <list>
#include <string>
#include <utility>

#include "platform/core/paths.h"
#include "platform/core/process_tuning.h"

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

}  // namespace

Result<RegularFile, OpenError> RegularFile::Open(const std::string& nativePath) {
  struct stat status {};
  // What is not a regular file now is not opened at all: opening a named pipe waits for a
  // writer, and opening a device may act on it.
  if (nativePath.empty() || nativePath.find('\0') != std::string::npos ||
      stat(nativePath.c_str(), &status) != 0)
    return Fail(OpenError::Missing);
  if (!S_ISREG(status.st_mode)) return Fail(OpenError::NotRegularFile);
  // Something else may take the path's place between the two calls: the opening does not wait,
  // and what it opened is checked again.
  int fd = open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return Fail(errno == ENOENT ? OpenError::Missing : OpenError::Unreadable);
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    return Fail(OpenError::NotRegularFile);
  }
  return RegularFile(fd, status);
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), status_(other.status_) {}

RegularFile::~RegularFile() {
  if (fd_ >= 0) close(fd_);
}

std::optional<size_t> RegularFile::Read(std::span<uint8_t> out) const {
  size_t done = 0;
  while (done < out.size()) {
    ssize_t n = read(fd_, out.data() + done, out.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

bool MayKeep(const struct stat& status, const timespec& now) {
  return status.st_ctim.tv_sec + kSettleSeconds < now.tv_sec;
}

std::shared_ptr<const FileBytes> FileBytes::Open(std::string_view gbkPath) {
  auto opened = RegularFile::Open(paths::ToNative(gbkPath));
  if (!opened || opened->size() > kMaxFileBytes) return nullptr;
  const RegularFile& fd = *opened;
  FileIdentity identity = IdentityOf(fd.status());
  std::shared_ptr<const FileBytes>& recent = RecentFile();
  if (recent && recent->identity_ == identity) return recent;
  for (const std::shared_ptr<const FileBytes>& pinned : PinnedFiles())
    if (pinned->identity_ == identity) return pinned;

  auto file = std::make_shared<FileBytes>();
  file->identity_ = identity;
  size_t size = static_cast<size_t>(fd.size());
  if (!file->Allocate(size)) return nullptr;
  std::optional<size_t> read = fd.Read({file->storage_.get(), size});
  if (!read) return nullptr;
  file->size_ = *read;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  if (MayKeep(fd.status(), now) && file->size_ == size) recent = file;
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
