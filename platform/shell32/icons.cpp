// Icons extracted from files: the icon groups of PE32, PE32+ and NE modules (whatever the file's
// extension) or the one icon of an icon file, made into 32 x 32 icon handles; and the icon the
// desktop associates with a file or folder.
#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QPainter>
#include <QStyle>

#include <optional>

#include "platform/api.h"
#include "platform/codecs/ico.h"
#include "platform/files/file_bytes.h"
#include "platform/gdi/icon_images.h"
#include "platform/gdi/objects.h"
#include "platform/paths.h"
#include "platform/pe/module_resources.h"

namespace platform::shell32 {
namespace {

constexpr int kIconSize = 32;

HICON IconFromImage(std::span<const uint8_t> bytes) {
  auto decoded = codecs::DecodeIconImage(bytes);
  if (!decoded) return 0;
  return gdi::CreateIcon(gdi::Scaled(gdi::ToQImage(*decoded), kIconSize, kIconSize));
}

// The icon groups of a module, or the one icon of an icon file.
class IconSource {
 public:
  explicit IconSource(std::span<const uint8_t> file) : file_(file) {
    auto module = pe::ModuleResources::Open(file);
    if (module) {
      module_ = std::move(module).value();
      auto names = module_->Names(pe::ResourceId::Number(pe::kGroupIconType));
      if (names) groups_ = std::move(names).value();
    } else if (module.error() != pe::PeError::NotPe && module.error() != pe::PeError::Truncated) {
      isModule_ = true;  // a module whose resources cannot be read holds no icons
    }
  }

  UINT Count() const {
    if (module_ || isModule_) return static_cast<UINT>(groups_.size());
    return codecs::ReadIcoDirectory(file_).ok() ? 1 : 0;
  }

  // Group `index` in directory order; an index below -1 names the group whose id is -index.
  HICON Extract(int64_t index) const {
    if (!module_) return index == 0 ? FromIconFile() : 0;
    if (index >= 0) {
      if (index >= static_cast<int64_t>(groups_.size())) return 0;
      return FromGroup(groups_[static_cast<size_t>(index)]);
    }
    if (-index > 0xFFFF) return 0;
    return FromGroup(pe::ResourceId::Number(static_cast<uint16_t>(-index)));
  }

 private:
  HICON FromIconFile() const {
    auto dir = codecs::ReadIcoDirectory(file_);
    if (!dir) return 0;
    auto chosen = dir->entries[codecs::ChooseIconImage(dir->entries, kIconSize, kIconSize)];
    auto bytes = codecs::IcoImageBytes(file_, chosen);
    return bytes ? IconFromImage(*bytes) : 0;
  }

  HICON FromGroup(const pe::ResourceId& group) const {
    auto directory = module_->Find(pe::ResourceId::Number(pe::kGroupIconType), group);
    if (!directory) return 0;
    auto entries = codecs::ReadGroupIconDirectory(*directory);
    if (!entries) return 0;
    const auto& chosen = (*entries)[codecs::ChooseIconImage(*entries, kIconSize, kIconSize)];
    auto image =
        module_->Find(pe::ResourceId::Number(pe::kIconType), pe::ResourceId::Number(chosen.id));
    return image ? IconFromImage(*image) : 0;
  }

  std::span<const uint8_t> file_;
  std::optional<pe::ModuleResources> module_;
  bool isModule_ = false;
  std::vector<pe::ResourceId> groups_;
};

// A plain page or folder, for when neither the desktop nor the widget style has an icon.
QImage DrawnIcon(bool folder) {
  QImage image(kIconSize, kIconSize, QImage::Format_ARGB32);
  image.fill(0);
  QPainter p(&image);
  p.setPen(QColor(90, 90, 90));
  if (folder) {
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(2, 8, 27, 20);
    p.drawRect(2, 5, 11, 3);
  } else {
    p.setBrush(Qt::white);
    p.drawRect(6, 2, 19, 27);
  }
  return image;
}

QImage AssociatedImage(const QFileInfo& info) {
  QIcon icon;
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
    icon = QFileIconProvider().icon(info);
    if (icon.isNull())
      icon = QApplication::style()->standardIcon(info.isDir() ? QStyle::SP_DirIcon
                                                              : QStyle::SP_FileIcon);
  }
  QImage image = icon.pixmap(kIconSize, kIconSize).toImage();
  if (image.isNull()) return DrawnIcon(info.isDir());
  return gdi::Scaled(image, kIconSize, kIconSize);
}

}  // namespace

HICON ExtractIconA(HINSTANCE, const char* path, UINT index) {
  if (!path) return 0;
  auto file = files::FileBytes::Open(path);
  if (!file) return 0;
  IconSource source(file->bytes());
  int32_t signedIndex = static_cast<int32_t>(index);
  if (signedIndex == -1) return source.Count();
  return source.Extract(signedIndex);
}

HICON ExtractAssociatedIconA(HINSTANCE instance, char* path, WORD* index) {
  if (!path) return 0;
  QFileInfo info(QString::fromStdString(paths::ToNative(path)));
  if (!info.exists()) return 0;
  WORD wanted = index ? *index : 0;
  if (info.isFile() && ExtractIconA(instance, path, 0xFFFFFFFF) > wanted)
    if (HICON own = ExtractIconA(instance, path, wanted)) return own;
  return gdi::CreateIcon(AssociatedImage(info));
}

}  // namespace platform::shell32
