#include "platform/files/mapped_file.h"

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
  std::shared_ptr<const MappedFile> file;
  FileIdentity identity;
};

Kept& RecentFile() {
  static Kept kept;
  return kept;
}

}  // namespace

bool MayKeep(const struct stat& status, const timespec& now) {
  return status.st_ctim.tv_sec + kSettleSeconds < now.tv_sec;
}

std::shared_ptr<const MappedFile> MappedFile::Open(std::string_view gbkPath) {
  std::string path = paths::ToNative(gbkPath);
  struct stat status {};
  // A named pipe would block the opening, so only what is a regular file now is opened.
  if (path.empty() || stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return nullptr;
  std::shared_ptr<MappedFile> mapped(new MappedFile);
  mapped->file_.setFileName(QString::fromStdString(path));
  if (!mapped->file_.open(QIODevice::ReadOnly) || fstat(mapped->file_.handle(), &status) != 0 ||
      !S_ISREG(status.st_mode))
    return nullptr;
  Kept& recent = RecentFile();
  if (recent.file && recent.identity == Identity(status)) return recent.file;

  qint64 size = status.st_size;
  if (size > 0) {
    if (uchar* data = mapped->file_.map(0, size)) {
      mapped->bytes_ = std::span<const uint8_t>(data, static_cast<size_t>(size));
    } else {
      mapped->contents_ = mapped->file_.readAll();
      mapped->bytes_ =
          std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(mapped->contents_.constData()),
                                   static_cast<size_t>(mapped->contents_.size()));
    }
  }
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  if (MayKeep(status, now)) recent = Kept{mapped, Identity(status)};
  return mapped;
}

MappedFile::~MappedFile() {
  if (!bytes_.empty() && contents_.isEmpty()) file_.unmap(const_cast<uchar*>(bytes_.data()));
}

}  // namespace platform::files
