// Icons loaded from icon files, and their end: the user32 functions of the core, which read bytes
// only. The classic loader takes bitmap images only; split and rebuild rely on PNG being refused.
#include "platform/core/codecs/ico.h"
#include "platform/core/desktop.h"
#include "platform/core/files/file_bytes.h"
#include "platform/core/gdi/icon_objects.h"
#include "platform/win32/user32.h"

namespace platform::user32 {
namespace {

using namespace win32;

constexpr int kStandardIconSize = 32;

HANDLE LoadIconFile(const char* path, UINT type, int width, int height, UINT flags) {
  auto file = files::FileBytes::Open(path);
  if (!file) return 0;
  auto dir = codecs::ReadIcoDirectory(file->bytes());
  if (!dir) return 0;
  if (flags & LR_DEFAULTSIZE) {
    if (width == 0) width = kStandardIconSize;
    if (height == 0) height = kStandardIconSize;
  }
  size_t chosen = codecs::ChooseIconImage(dir->entries, width ? width : kStandardIconSize,
                                          height ? height : kStandardIconSize);
  const codecs::IcoEntry& entry = dir->entries[chosen];
  auto bytes = codecs::IcoImageBytes(file->bytes(), entry);
  if (!bytes || codecs::IsPng(*bytes)) return 0;
  auto decoded = codecs::DecodeDib(*bytes, codecs::DibMode::Icon);
  if (!decoded) return 0;
  codecs::DibImage image = std::move(decoded).value();
  if (width || height)
    image = gdi::ScaledImage(std::move(image), width ? width : image.width,
                             height ? height : image.height);
  HICON icon = gdi::CreateIcon(std::move(image));
  gdi::IconObject* object = gdi::Icons().Find(icon);
  if (object && type == IMAGE_CURSOR) {
    object->isIcon = false;
    if (dir->type == 2) object->hotX = entry.planes, object->hotY = entry.bitCount;
  }
  return icon;
}

HANDLE LoadBitmapFile(const char* path) {
  auto file = files::FileBytes::Open(path);
  if (!file) return 0;
  auto decoded = codecs::DecodeBmpFile(file->bytes());
  if (!decoded) return 0;
  const PicturePart* pictures = Pictures();
  return pictures ? pictures->createBitmap(*decoded) : 0;
}

}  // namespace

BOOL DestroyIcon(HICON icon) {
  return gdi::Icons().Erase(icon) ? TRUE : FALSE;
}

HANDLE LoadImageA(HINSTANCE, const char* name, UINT type, int width, int height, UINT flags) {
  if (!name || IS_INTRESOURCE(name) || !(flags & LR_LOADFROMFILE) || width < 0 || height < 0)
    return 0;
  switch (type) {
    case IMAGE_ICON:
    case IMAGE_CURSOR:
      return LoadIconFile(name, type, width, height, flags);
    case IMAGE_BITMAP:
      return LoadBitmapFile(name);
    default:
      return 0;
  }
}

}  // namespace platform::user32
