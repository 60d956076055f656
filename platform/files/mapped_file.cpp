#include "platform/files/mapped_file.h"

#include <QFileInfo>

#include "platform/paths.h"

namespace platform::files {

std::unique_ptr<MappedFile> MappedFile::Open(std::string_view gbkPath) {
  QString path = QString::fromStdString(paths::ToNative(gbkPath));
  if (path.isEmpty() || !QFileInfo(path).isFile()) return nullptr;
  std::unique_ptr<MappedFile> mapped(new MappedFile);
  mapped->file_.setFileName(path);
  if (!mapped->file_.open(QIODevice::ReadOnly)) return nullptr;
  qint64 size = mapped->file_.size();
  if (size <= 0) return mapped;
  if (uchar* data = mapped->file_.map(0, size)) {
    mapped->bytes_ = std::span<const uint8_t>(data, static_cast<size_t>(size));
    return mapped;
  }
  mapped->contents_ = mapped->file_.readAll();
  mapped->bytes_ = std::span<const uint8_t>(
      reinterpret_cast<const uint8_t*>(mapped->contents_.constData()),
      static_cast<size_t>(mapped->contents_.size()));
  return mapped;
}

MappedFile::~MappedFile() {
  if (!bytes_.empty() && contents_.isEmpty())
    file_.unmap(const_cast<uchar*>(bytes_.data()));
}

}  // namespace platform::files
