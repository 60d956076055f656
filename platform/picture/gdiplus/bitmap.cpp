// Creating, copying and changing bitmaps: from pixels, bitmap and icon handles; to bitmap and
// icon handles; single pixels, resolution, thumbnails, rotation.
#include <QPainter>
#include <QTransform>

#include <cmath>
#include <cstring>

#include "platform/picture/gdi/icon_images.h"
#include "platform/picture/gdi/objects.h"
#include "platform/picture/gdiplus/drawing.h"
#include "platform/picture/gdiplus/objects.h"
#include "platform/win32/gdiplus.h"

namespace platform::gdiplus {
namespace {

using namespace win32;

constexpr UINT kDefaultThumbnailSide = 120;

// Qt's layout of a pixel format whose pixels can be copied from the caller's memory.
std::optional<QImage::Format> CopyableFormat(PixelFormat format) {
  switch (format) {
    case gdip::PixelFormat32bppARGB:
      return QImage::Format_ARGB32;
    case gdip::PixelFormat32bppPARGB:
      return QImage::Format_ARGB32_Premultiplied;
    case gdip::PixelFormat32bppRGB:
      return QImage::Format_RGB32;
    case gdip::PixelFormat24bppRGB:
      return QImage::Format_BGR888;
    case gdip::PixelFormat16bppRGB565:
      return QImage::Format_RGB16;
    case gdip::PixelFormat16bppRGB555:
      return QImage::Format_RGB555;
    default:
      return std::nullopt;
  }
}

// Copies the caller's rows (scan0 is the top row; a negative stride walks up in memory).
QImage CopyRows(const BYTE* scan0, int width, int height, int stride, QImage::Format format) {
  QImage pixels(width, height, format);
  if (pixels.isNull()) return pixels;
  size_t rowBytes = size_t(width) * size_t(pixels.depth() / 8);
  for (int y = 0; y < height; ++y)
    std::memcpy(pixels.scanLine(y), scan0 + ptrdiff_t(y) * stride, rowBytes);
  return pixels;
}

PixelFormat BitmapHandleFormat(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
      return gdip::PixelFormat1bppIndexed;
    case 4:
      return gdip::PixelFormat4bppIndexed;
    case 8:
      return gdip::PixelFormat8bppIndexed;
    case 16:
      return gdip::PixelFormat16bppRGB565;
    case 24:
      return gdip::PixelFormat24bppRGB;
    default:
      return gdip::PixelFormat32bppRGB;
  }
}

bool InBounds(const Image& image, INT x, INT y) {
  return x >= 0 && y >= 0 && x < image.pixels.width() && y < image.pixels.height();
}

}  // namespace

GpStatus GdipDisposeImage(GpImage image) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  Images().Erase(image);
  return gdip::Ok;
}

GpStatus GdipCloneImage(GpImage image, GpImage* clone) {
  Image* source;
  if (GpStatus s = FindImage(image, source); s != gdip::Ok) return s;
  if (!clone) return gdip::InvalidParameter;
  auto copy = std::make_unique<Image>(*source);
  copy->pixels = source->pixels.copy();
  copy->multiFrameSave.reset();
  if (copy->pixels.isNull()) return gdip::OutOfMemory;
  return StoreImage(std::move(copy), clone);
}

// The bitmap copies the caller's pixels (Windows keeps using the caller's memory), so the caller
// may free them at once.
GpStatus GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format,
                                   BYTE* scan0, GpBitmap* bitmap) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  if (!bitmap) return gdip::InvalidParameter;
  *bitmap = 0;
  if (width <= 0 || height <= 0 || !IsKnownPixelFormat(format)) return gdip::InvalidParameter;
  if (!FitsLimits(width, height)) return gdip::OutOfMemory;
  std::unique_ptr<Image> image;
  if (!scan0) {
    image = NewBitmap(width, height, format);
  } else {
    std::optional<QImage::Format> layout = CopyableFormat(format);
    if (!layout) return gdip::NotImplemented;
    int64_t rowBytes = int64_t(width) * ((format >> 8) & 0xFF) / 8;
    if (stride % 4 != 0 || std::abs(int64_t(stride)) < rowBytes) return gdip::InvalidParameter;
    image = NewBitmap(CopyRows(scan0, width, height, stride, *layout), format);
  }
  if (!image) return gdip::OutOfMemory;
  return StoreImage(std::move(image), bitmap);
}

// As on Windows, the bitmap's fourth bytes are not taken as alpha: it is opaque.
GpStatus GdipCreateBitmapFromHBITMAP(HBITMAP bitmap, HPALETTE, GpBitmap* result) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  if (!result) return gdip::InvalidParameter;
  *result = 0;
  const gdi::BitmapObject* source = gdi::Bitmaps().Find(bitmap);
  if (!source) return gdip::InvalidParameter;
  std::unique_ptr<Image> image = NewBitmap(source->image.convertToFormat(QImage::Format_RGB32),
                                           BitmapHandleFormat(source->bitsPerPixel));
  if (!image) return gdip::OutOfMemory;
  return StoreImage(std::move(image), result);
}

GpStatus GdipCreateBitmapFromHICON(HICON icon, GpBitmap* bitmap) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  if (!bitmap) return gdip::InvalidParameter;
  *bitmap = 0;
  const gdi::IconObject* source = gdi::Icons().Find(icon);
  if (!source) return gdip::InvalidParameter;
  std::unique_ptr<Image> image =
      NewBitmap(gdi::ToQImage(source->image), gdip::PixelFormat32bppARGB);
  if (!image) return gdip::OutOfMemory;
  return StoreImage(std::move(image), bitmap);
}

// The picture composited over the background colour, as a 32-bit bitmap.
GpStatus GdipCreateHBITMAPFromBitmap(GpBitmap bitmap, HBITMAP* result, ARGB background) {
  Image* image;
  if (GpStatus s = FindImage(bitmap, image); s != gdip::Ok) return s;
  if (!result) return gdip::InvalidParameter;
  QImage canvas(image->pixels.size(), QImage::Format_ARGB32);
  if (canvas.isNull()) return gdip::OutOfMemory;
  canvas.fill(background);
  {
    QPainter painter(&canvas);
    painter.drawImage(0, 0, image->pixels);
  }
  *result = gdi::CreateBitmap(canvas);
  return *result != 0 ? gdip::Ok : gdip::OutOfMemory;
}

GpStatus GdipCreateHICONFromBitmap(GpBitmap bitmap, HICON* result) {
  Image* image;
  if (GpStatus s = FindImage(bitmap, image); s != gdip::Ok) return s;
  if (!result) return gdip::InvalidParameter;
  *result = gdi::CreateIcon(image->pixels);
  return *result != 0 ? gdip::Ok : gdip::OutOfMemory;
}

GpStatus GdipBitmapSetPixel(GpBitmap bitmap, INT x, INT y, ARGB colour) {
  Image* image;
  if (GpStatus s = FindImage(bitmap, image); s != gdip::Ok) return s;
  if (!InBounds(*image, x, y)) return gdip::InvalidParameter;
  bool keepsAlpha =
      HasAlphaBit(image->pixelFormat) || (image->pixelFormat & gdip::PixelFormatIndexed) != 0;
  image->pixels.setPixel(x, y, keepsAlpha ? colour : colour | 0xFF000000u);
  return gdip::Ok;
}

GpStatus GdipBitmapGetPixel(GpBitmap bitmap, INT x, INT y, ARGB* colour) {
  Image* image;
  if (GpStatus s = FindImage(bitmap, image); s != gdip::Ok) return s;
  if (!colour || !InBounds(*image, x, y)) return gdip::InvalidParameter;
  *colour = image->pixels.pixel(x, y);
  return gdip::Ok;
}

GpStatus GdipBitmapSetResolution(GpBitmap bitmap, REAL xdpi, REAL ydpi) {
  Image* image;
  if (GpStatus s = FindImage(bitmap, image); s != gdip::Ok) return s;
  if (!(xdpi > 0) || !(ydpi > 0) || !std::isfinite(xdpi) || !std::isfinite(ydpi))
    return gdip::InvalidParameter;
  image->dpiX = xdpi;
  image->dpiY = ydpi;
  return gdip::Ok;
}

// The callback is never called: the stand-in makes thumbnails at once.
GpStatus GdipGetImageThumbnail(GpImage image, UINT width, UINT height, GpImage* thumbnail,
                               GetThumbnailImageAbort, void*) {
  Image* source;
  if (GpStatus s = FindImage(image, source); s != gdip::Ok) return s;
  if (!thumbnail) return gdip::InvalidParameter;
  *thumbnail = 0;
  if (width == 0) width = kDefaultThumbnailSide;
  if (height == 0) height = kDefaultThumbnailSide;
  if (width > UINT(kMaxImageSide) || height > UINT(kMaxImageSide)) return gdip::OutOfMemory;
  std::unique_ptr<Image> small = NewBitmap(int(width), int(height), gdip::PixelFormat32bppPARGB);
  if (!small) return gdip::OutOfMemory;
  DrawImageInto(small->pixels, source->pixels, QRectF(0, 0, width, height),
                gdip::InterpolationModeHighQualityBicubic);
  return StoreImage(std::move(small), thumbnail);
}

GpStatus GdipImageRotateFlip(GpImage image, RotateFlipType kind) {
  Image* object;
  if (GpStatus s = FindImage(image, object); s != gdip::Ok) return s;
  if (kind < gdip::RotateNoneFlipNone || kind > gdip::Rotate270FlipX) return gdip::InvalidParameter;
  int quarterTurns = kind % 4;
  bool flipX = kind >= gdip::RotateNoneFlipX;
  QImage turned = object->pixels;
  if (quarterTurns != 0) turned = turned.transformed(QTransform().rotate(90.0 * quarterTurns));
  if (flipX) turned = turned.mirrored(true, false);
  turned = turned.convertToFormat(QImage::Format_ARGB32);
  if (turned.isNull()) return gdip::OutOfMemory;
  object->pixels = std::move(turned);
  if (quarterTurns % 2 == 1) std::swap(object->dpiX, object->dpiY);
  return gdip::Ok;
}

}  // namespace platform::gdiplus
