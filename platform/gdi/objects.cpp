#include "platform/gdi/objects.h"

#include "platform/gdi/icon_images.h"

#include <memory>

namespace platform::gdi {

HandleTable<BitmapObject>& Bitmaps() {
  static HandleTable<BitmapObject> table(HandleKind::Bitmap);
  return table;
}

HandleTable<DeviceContextObject>& DeviceContexts() {
  static HandleTable<DeviceContextObject> table(HandleKind::DeviceContext);
  return table;
}

HandleTable<BrushObject>& Brushes() {
  static HandleTable<BrushObject> table(HandleKind::Brush);
  return table;
}

win32::HICON CreateIcon(const QImage& image) {
  return CreateIcon(FromQImage(image));
}

win32::HBITMAP CreateBitmap(int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  auto bitmap = std::make_unique<BitmapObject>();
  bitmap->image = QImage(width, height, QImage::Format_ARGB32);
  if (bitmap->image.isNull()) return 0;
  bitmap->image.fill(0);
  return Bitmaps().Insert(std::move(bitmap));
}

win32::HBITMAP CreateBitmap(const QImage& image) {
  if (image.isNull()) return 0;
  auto bitmap = std::make_unique<BitmapObject>();
  bitmap->image = image.convertToFormat(QImage::Format_ARGB32);
  return Bitmaps().Insert(std::move(bitmap));
}

BitmapObject* TargetBitmap(win32::HDC dc) {
  DeviceContextObject* context = DeviceContexts().Find(dc);
  if (!context || !context->memory) return nullptr;
  return Bitmaps().Find(context->bitmap);
}

}  // namespace platform::gdi
