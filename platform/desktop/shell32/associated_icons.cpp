// The icon the desktop associates with a file or folder: the file's own first icon when it has
// one, else the desktop's icon for its type (Qt's file icon provider and icon theme).
#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QStyle>

#include <sys/stat.h>

#include <optional>
#include <string>

#include "platform/core/files/file_bytes.h"
#include "platform/core/paths.h"
#include "platform/picture/gdi/icon_images.h"
#include "platform/picture/gdi/objects.h"
#include "platform/win32/shell32.h"

namespace platform::shell32 {
namespace {

using namespace win32;

constexpr int kIconSize = 32;

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

// The desktop's icon of a type, and on a screen of more device pixels the same at device size.
struct TypeIcon {
  QImage image;
  QImage detail;
};

TypeIcon AssociatedImage(const QFileInfo& info, bool folder) {
  QIcon icon;
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
    icon = QFileIconProvider().icon(info);
    if (icon.isNull())
      icon = QApplication::style()->standardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
  }
  QImage image = icon.pixmap(QSize(kIconSize, kIconSize), 1.0).toImage();
  if (image.isNull()) return {DrawnIcon(folder), QImage()};
  TypeIcon type{gdi::Scaled(image, kIconSize, kIconSize), QImage()};
  if (const int side = gdi::DeviceLength(kIconSize); side > kIconSize)
    type.detail = gdi::Scaled(
        icon.pixmap(QSize(kIconSize, kIconSize), gdi::DeviceRatio()).toImage(), side, side);
  return type;
}

// Only modules ("MZ") and icon files (0, 1 or 2, 0) can hold icons of their own: other files
// are not read beyond their first bytes, and what is not a regular file is not read at all. The
// native path is used as it is, since a name that is not UTF-8 has no QString.
bool MayHoldIcons(const std::string& nativePath) {
  auto file = files::RegularFile::Open(nativePath);
  uint8_t start[4] = {};
  std::optional<size_t> read = file ? file->Read(start) : std::nullopt;
  if (!read || *read < 2) return false;
  if (start[0] == 'M' && start[1] == 'Z') return true;
  return start[0] == 0 && start[1] == 0 && (start[2] == 1 || start[2] == 2) && start[3] == 0;
}

// The desktop's icon of a type is looked up once: a folder of thousands of pictures asks for
// the same few icons thousands of times, and each look-up goes through the MIME database and
// the icon theme. Folders share one icon, the root its own, files one per extension.
const TypeIcon& TypeImage(const QFileInfo& info, bool folder) {
  static QHash<QString, TypeIcon> images;
  const QString key = folder ? (info.isRoot() ? QStringLiteral("/") : QStringLiteral("dir"))
                             : QStringLiteral("file.") + info.suffix().toLower();
  auto found = images.constFind(key);
  if (found == images.constEnd()) found = images.insert(key, AssociatedImage(info, folder));
  return *found;
}

}  // namespace

// A named pipe, a device or a socket is no file the program can take an icon from: 0, as for
// a path where nothing is.
HICON ExtractAssociatedIconA(HINSTANCE instance, char* path, WORD* index) {
  if (!path) return 0;
  const std::string native = paths::ToNative(path);
  struct stat status {};
  if (stat(native.c_str(), &status) != 0 || !(S_ISREG(status.st_mode) || S_ISDIR(status.st_mode)))
    return 0;
  const bool folder = S_ISDIR(status.st_mode);
  WORD wanted = index ? *index : 0;
  if (S_ISREG(status.st_mode) && MayHoldIcons(native) &&
      ExtractIconA(instance, path, 0xFFFFFFFF) > wanted)
    if (HICON own = ExtractIconA(instance, path, wanted)) return own;
  const TypeIcon& type = TypeImage(QFileInfo(QString::fromStdString(native)), folder);
  HICON icon = gdi::CreateIcon(type.image);
  if (!type.detail.isNull()) gdi::AttachDetail(icon, gdi::FromQImage(type.detail));
  return icon;
}

}  // namespace platform::shell32
