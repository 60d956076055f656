// Drawing icons, and the device contexts of the screen and of windows. An icon handle holds its
// decoded ARGB32 image (loaded in icon_files.cpp); drawing composites it, scaled with good
// quality, over the bitmap selected into a memory device context. Screen and window contexts
// draw nowhere the program can read.
#include "platform/core/desktop.h"
#include "platform/picture/gdi/icon_images.h"
#include "platform/picture/gdi/objects.h"
#include "platform/win32/user32.h"

namespace platform::user32 {
namespace {

using namespace win32;

constexpr int kStandardIconSize = 32;
constexpr UINT kDiDefaultSize = 0x0008;
constexpr int64_t kMaxDrawPixels = int64_t{1} << 26;

// The AND mask as a bitmap: white where the icon is transparent, black where it shows.
QImage MaskOf(const QImage& image) {
  QImage mask(image.size(), QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* in = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    auto* out = reinterpret_cast<uint32_t*>(mask.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      out[x] = (in[x] >> 24) ? 0xFF000000 : 0xFFFFFFFF;
  }
  return mask;
}

// Bounds in pixels, right and bottom outside, as wide as any RECT or icon position allows.
struct Bounds {
  int64_t left, top, right, bottom;
};

Bounds DeviceBounds(const Bounds& b) {
  return {gdi::DeviceCoordinate(b.left), gdi::DeviceCoordinate(b.top),
          gdi::DeviceCoordinate(b.right), gdi::DeviceCoordinate(b.bottom)};
}

void Fill(QImage& target, const Bounds& b, COLORREF colour) {
  const int64_t left = std::max<int64_t>(b.left, 0), top = std::max<int64_t>(b.top, 0);
  const int64_t right = std::min<int64_t>(b.right, target.width());
  const int64_t bottom = std::min<int64_t>(b.bottom, target.height());
  if (left >= right) return;
  uint32_t argb = gdi::ColourRefToArgb(colour);
  for (int64_t y = top; y < bottom; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(target.scanLine(static_cast<int>(y)));
    std::fill(row + left, row + right, argb);
  }
}

// The icon's pixels at the bounds' size, combined into the target at their place; nothing when
// they lie wholly outside it.
void Combine(QImage& target, const QImage& icon, const Bounds& b, gdi::PixelOp op) {
  if (b.right <= 0 || b.bottom <= 0 || b.left >= target.width() || b.top >= target.height() ||
      b.right <= b.left || b.bottom <= b.top)
    return;
  const QImage scaled =
      gdi::Scaled(icon, static_cast<int>(b.right - b.left), static_cast<int>(b.bottom - b.top));
  gdi::Blit(target, scaled, static_cast<int>(b.left), static_cast<int>(b.top), op);
}

// DI_MASK alone: the mask ANDed onto the target (black where the icon shows).
uint32_t MaskOp(uint32_t icon, uint32_t target) {
  return (icon >> 24) ? 0xFF000000 : target;
}
// DI_IMAGE alone: the image copied without regard to its transparency.
uint32_t ImageOp(uint32_t icon, uint32_t) {
  return icon | 0xFF000000;
}

}  // namespace

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
  gdi::IconObject* object = gdi::Icons().Find(icon);
  if (!object || !info) return FALSE;
  info->fIcon = object->isIcon ? TRUE : FALSE;
  info->xHotspot = static_cast<DWORD>(object->hotX);
  info->yHotspot = static_cast<DWORD>(object->hotY);
  const QImage image = gdi::ImageView(object->image);
  info->hbmColor = gdi::CreateBitmap(image);
  info->hbmMask = gdi::CreateBitmap(MaskOf(image));
  if (gdi::BitmapObject* mask = gdi::Bitmaps().Find(info->hbmMask)) mask->bitsPerPixel = 1;
  return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH background,
                UINT flags) {
  gdi::IconObject* object = gdi::Icons().Find(icon);
  if (!gdi::DeviceContexts().Contains(dc) || !object || width < 0 || height < 0) return FALSE;
  if ((flags & DI_NORMAL) == 0) return FALSE;
  int defaultSize = (flags & kDiDefaultSize) ? kStandardIconSize : 0;
  if (width == 0) width = defaultSize ? defaultSize : object->image.width;
  if (height == 0) height = defaultSize ? defaultSize : object->image.height;
  if (int64_t{width} * height > kMaxDrawPixels) return FALSE;
  gdi::BitmapObject* target = gdi::TargetBitmap(dc);
  if (!target) return TRUE;
  const bool device = target->DeviceCurrent();
  const gdi::BrushObject* brush = gdi::Brushes().Find(background);
  const Bounds area{x, y, int64_t{x} + width, int64_t{y} + height};
  const gdi::PixelOp op = (flags & DI_NORMAL) == DI_NORMAL ? gdi::Over
                          : (flags & DI_MASK)              ? MaskOp
                                                           : ImageOp;
  if (brush) Fill(target->image, area, brush->colour);
  Combine(target->image, gdi::ImageView(object->image), area, op);
  if (!device) return TRUE;
  // The same at device resolution, from the icon's detail where it has one.
  const Bounds deviceArea = DeviceBounds(area);
  if ((deviceArea.right - deviceArea.left) * (deviceArea.bottom - deviceArea.top) >
      kMaxDrawPixels) {
    target->device = QImage();  // too large to draw again: the screen shows the bitmap scaled
    return TRUE;
  }
  if (brush) Fill(target->device, deviceArea, brush->colour);
  Combine(target->device,
          gdi::ImageView(object->detail.pixels.empty() ? object->image : object->detail),
          deviceArea, op);
  target->deviceKey = target->image.cacheKey();
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  return DrawIconEx(dc, x, y, icon, kStandardIconSize, kStandardIconSize, 0, 0, DI_NORMAL);
}

HDC GetDC(HWND window) {
  // Windows are the desktop part's: a window handle means that part is there.
  using IsWindowFunction = decltype(&IsWindow);
  if (window != 0) {
    auto isWindow = DesktopFunction<IsWindowFunction>("user32", "IsWindow");
    if (!isWindow || !isWindow(window)) return 0;
  }
  auto context = std::make_unique<gdi::DeviceContextObject>();
  context->window = window;
  return gdi::DeviceContexts().Insert(std::move(context));
}

int ReleaseDC(HWND window, HDC dc) {
  gdi::DeviceContextObject* context = gdi::DeviceContexts().Find(dc);
  if (!context || context->memory || context->window != window) return 0;
  gdi::DeviceContexts().Erase(dc);
  return 1;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  const gdi::BrushObject* b = gdi::Brushes().Find(brush);
  if (!gdi::DeviceContexts().Contains(dc) || !rect || !b) return 0;
  gdi::BitmapObject* target = gdi::TargetBitmap(dc);
  if (!target) return 1;
  const bool device = target->DeviceCurrent();
  const Bounds bounds{rect->left, rect->top, rect->right, rect->bottom};
  Fill(target->image, bounds, b->colour);
  if (device) {
    Fill(target->device, DeviceBounds(bounds), b->colour);
    target->deviceKey = target->image.cacheKey();
  }
  return 1;
}

}  // namespace platform::user32
