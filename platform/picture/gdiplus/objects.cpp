#include "platform/picture/gdiplus/objects.h"

#include "platform/win32/gdiplus.h"

namespace platform::gdiplus {
namespace {

using namespace win32;

int startCount = 0;

bool AnyTranslucentPixel(const QImage& pixels) {
  for (int y = 0; y < pixels.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    for (int x = 0; x < pixels.width(); ++x)
      if (qAlpha(row[x]) != 255) return true;
  }
  return false;
}

}  // namespace

HandleTable<Image>& Images() {
  static HandleTable<Image> table(HandleKind::GpImage);
  return table;
}

HandleTable<Graphics>& GraphicsObjects() {
  static HandleTable<Graphics> table(HandleKind::GpGraphics);
  return table;
}

HandleTable<Brush>& Brushes() {
  static HandleTable<Brush> table(HandleKind::GpBrush);
  return table;
}

bool Started() {
  return startCount > 0;
}

GpStatus FindImage(GpImage handle, Image*& image) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  image = Images().Find(handle);
  return image ? gdip::Ok : gdip::InvalidParameter;
}

GpStatus FindGraphics(GpGraphics handle, Graphics*& graphics) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  graphics = GraphicsObjects().Find(handle);
  return graphics ? gdip::Ok : gdip::InvalidParameter;
}

GpStatus FindBrush(GpBrush handle, Brush*& brush) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  brush = Brushes().Find(handle);
  return brush ? gdip::Ok : gdip::InvalidParameter;
}

bool HasAlphaBit(PixelFormat format) {
  return (format & (gdip::PixelFormatAlpha | gdip::PixelFormatPAlpha)) != 0;
}

bool IsKnownPixelFormat(PixelFormat format) {
  switch (format) {
    case gdip::PixelFormat1bppIndexed:
    case gdip::PixelFormat4bppIndexed:
    case gdip::PixelFormat8bppIndexed:
    case gdip::PixelFormat16bppGrayScale:
    case gdip::PixelFormat16bppRGB555:
    case gdip::PixelFormat16bppRGB565:
    case gdip::PixelFormat16bppARGB1555:
    case gdip::PixelFormat24bppRGB:
    case gdip::PixelFormat32bppRGB:
    case gdip::PixelFormat32bppARGB:
    case gdip::PixelFormat32bppPARGB:
    case gdip::PixelFormat48bppRGB:
    case gdip::PixelFormat64bppARGB:
    case gdip::PixelFormat64bppPARGB:
      return true;
    default:
      return false;
  }
}

bool FitsLimits(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         int64_t{width} * height <= kMaxImagePixels;
}

std::unique_ptr<Image> NewBitmap(int width, int height, PixelFormat format) {
  if (!FitsLimits(width, height)) return nullptr;
  QImage pixels(width, height, QImage::Format_ARGB32);
  if (pixels.isNull()) return nullptr;
  pixels.fill(HasAlphaBit(format) ? 0u : 0xFF000000u);
  auto image = std::make_unique<Image>();
  image->pixels = std::move(pixels);
  image->pixelFormat = format;
  return image;
}

std::unique_ptr<Image> NewBitmap(const QImage& pixels, PixelFormat format) {
  if (!FitsLimits(pixels.width(), pixels.height())) return nullptr;
  auto image = std::make_unique<Image>();
  image->pixels = pixels.convertToFormat(QImage::Format_ARGB32);
  if (image->pixels.isNull()) return nullptr;
  image->pixelFormat = format;
  return image;
}

GpStatus StoreImage(std::unique_ptr<Image> image, GpImage* handle) {
  *handle = Images().Insert(std::move(image));
  return *handle != 0 ? gdip::Ok : gdip::OutOfMemory;
}

UINT ImageFlags(const Image& image) {
  UINT flags = image.decodedFlags;
  if (HasAlphaBit(image.pixelFormat) ||
      ((image.pixelFormat & gdip::PixelFormatIndexed) && AnyTranslucentPixel(image.pixels)))
    flags |= gdip::ImageFlagsHasAlpha;
  return flags;
}

// The stand-in runs no background thread, so the notification hooks of output are never needed.
GpStatus GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, void*) {
  if (!token || !input) return gdip::InvalidParameter;
  if (input->GdiplusVersion < 1 || input->GdiplusVersion > 3)
    return gdip::UnsupportedGdiplusVersion;
  ++startCount;
  *token = static_cast<ULONG_PTR>(startCount);
  return gdip::Ok;
}

}  // namespace platform::gdiplus
