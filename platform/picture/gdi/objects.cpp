#include "platform/picture/gdi/objects.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>

#include "platform/picture/gdi/icon_images.h"

namespace platform::gdi {
namespace {

constexpr int64_t kMaxDevicePixels = int64_t{1} << 26;  // as for any bitmap

}  // namespace

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

win32::HBITMAP CreateScreenBitmap(int width, int height) {
  const win32::HBITMAP handle = CreateBitmap(width, height);
  BitmapObject* bitmap = Bitmaps().Find(handle);
  if (!bitmap || DeviceRatio() <= 1) return handle;
  const QSize side(DeviceLength(width), DeviceLength(height));
  if (int64_t{side.width()} * side.height() > kMaxDevicePixels) return handle;
  bitmap->device = QImage(side, QImage::Format_ARGB32);
  if (bitmap->device.isNull()) return handle;
  bitmap->device.fill(0);
  bitmap->device.setDevicePixelRatio(DeviceRatio());
  bitmap->deviceKey = bitmap->image.cacheKey();
  return handle;
}

int64_t DeviceCoordinate(int64_t value) {
  return std::llround(static_cast<double>(value) * DeviceRatio());
}

namespace {

struct Rendering {
  QImage image;
  QImage device;
};

// A handful: the strip and the preview of the extraction page, with room for what a handler
// draws in between; bounded in bytes too, since a strip can be some 16 MiB at ratio 2.
constexpr size_t kRememberedRenderings = 8;
constexpr int64_t kRememberedBytes = int64_t{96} << 20;

std::deque<Rendering>& Renderings() {
  static std::deque<Rendering> renderings;
  return renderings;
}

bool SameColours(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return false;
  for (int y = 0; y < a.height(); ++y) {
    auto* rowA = reinterpret_cast<const uint32_t*>(a.constScanLine(y));
    auto* rowB = reinterpret_cast<const uint32_t*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x)
      if ((rowA[x] ^ rowB[x]) & 0x00FFFFFF) return false;
  }
  return true;
}

}  // namespace

void RememberDeviceRendering(const QImage& image, const QImage& device) {
  std::deque<Rendering>& renderings = Renderings();
  std::erase_if(renderings,
                [&](const Rendering& r) { return r.image.cacheKey() == image.cacheKey(); });
  renderings.push_front({image, device});
  int64_t bytes = 0;
  size_t kept = 0;
  while (kept < renderings.size() && kept < kRememberedRenderings) {
    bytes += renderings[kept].image.sizeInBytes() + renderings[kept].device.sizeInBytes();
    if (kept > 0 && bytes > kRememberedBytes) break;
    ++kept;
  }
  renderings.resize(kept);
}

QImage DeviceRendering(const QImage& shown) {
  const QImage argb =
      shown.format() == QImage::Format_ARGB32 || shown.format() == QImage::Format_RGB32
          ? shown
          : shown.convertToFormat(QImage::Format_ARGB32);
  for (const Rendering& r : Renderings())
    if (SameColours(r.image, argb)) return r.device;
  return QImage();
}

BitmapObject* TargetBitmap(win32::HDC dc) {
  DeviceContextObject* context = DeviceContexts().Find(dc);
  if (!context || !context->memory) return nullptr;
  return Bitmaps().Find(context->bitmap);
}

}  // namespace platform::gdi
