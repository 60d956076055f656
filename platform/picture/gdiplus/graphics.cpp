// Graphics objects and brushes: drawing into an image, or into the bitmap selected in a device
// context (a context with no readable bitmap, such as the screen's, draws nowhere).
#include <cmath>
#include <memory>

#include "platform/picture/gdi/objects.h"
#include "platform/picture/gdiplus/drawing.h"
#include "platform/picture/gdiplus/objects.h"
#include "platform/win32/gdiplus.h"

namespace platform::gdiplus {
namespace {

using namespace win32;

// The pixels a graphics object draws into: Ok with a surface, Ok with null (draws nowhere), or
// InvalidParameter when its image or device context is gone.
GpStatus Surface(const Graphics& graphics, QImage*& surface) {
  surface = nullptr;
  if (graphics.image != 0) {
    Image* image = Images().Find(graphics.image);
    if (!image) return gdip::InvalidParameter;
    surface = &image->pixels;
    return gdip::Ok;
  }
  if (!gdi::DeviceContexts().Contains(graphics.dc)) return gdip::InvalidParameter;
  if (gdi::BitmapObject* bitmap = gdi::TargetBitmap(graphics.dc)) surface = &bitmap->image;
  return gdip::Ok;
}

bool Finite(std::initializer_list<REAL> values) {
  for (REAL v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

GpStatus NewGraphics(std::unique_ptr<Graphics> graphics, GpGraphics* handle) {
  *handle = GraphicsObjects().Insert(std::move(graphics));
  return *handle != 0 ? gdip::Ok : gdip::OutOfMemory;
}

GpStatus Draw(GpGraphics handle, GpImage imageHandle, const QRectF& dest) {
  Graphics* graphics;
  Image* image;
  if (GpStatus s = FindGraphics(handle, graphics); s != gdip::Ok) return s;
  if (GpStatus s = FindImage(imageHandle, image); s != gdip::Ok) return s;
  QImage* surface;
  if (GpStatus s = Surface(*graphics, surface); s != gdip::Ok) return s;
  if (!surface) return gdip::Ok;
  // Drawing an image onto itself reads a copy.
  QImage source = surface == &image->pixels ? image->pixels.copy() : image->pixels;
  DrawImageInto(*surface, source, dest, graphics->interpolation);
  return gdip::Ok;
}

}  // namespace

GpStatus GdipCreateFromHDC(HDC dc, GpGraphics* graphics) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  if (!graphics) return gdip::InvalidParameter;
  *graphics = 0;
  if (!gdi::DeviceContexts().Contains(dc)) return gdip::InvalidParameter;
  auto object = std::make_unique<Graphics>();
  object->dc = dc;
  return NewGraphics(std::move(object), graphics);
}

GpStatus GdipGetImageGraphicsContext(GpImage image, GpGraphics* graphics) {
  Image* target;
  if (GpStatus s = FindImage(image, target); s != gdip::Ok) return s;
  if (!graphics) return gdip::InvalidParameter;
  auto object = std::make_unique<Graphics>();
  object->image = image;
  return NewGraphics(std::move(object), graphics);
}

GpStatus GdipDeleteGraphics(GpGraphics graphics) {
  Graphics* object;
  if (GpStatus s = FindGraphics(graphics, object); s != gdip::Ok) return s;
  GraphicsObjects().Erase(graphics);
  return gdip::Ok;
}

GpStatus GdipSetInterpolationMode(GpGraphics graphics, InterpolationMode mode) {
  Graphics* object;
  if (GpStatus s = FindGraphics(graphics, object); s != gdip::Ok) return s;
  if (!IsValidInterpolation(mode)) return gdip::InvalidParameter;
  // The default and low-quality modes are bilinear, high quality is high-quality bicubic.
  if (mode == gdip::InterpolationModeDefault || mode == gdip::InterpolationModeLowQuality)
    mode = gdip::InterpolationModeBilinear;
  else if (mode == gdip::InterpolationModeHighQuality)
    mode = gdip::InterpolationModeHighQualityBicubic;
  object->interpolation = mode;
  return gdip::Ok;
}

GpStatus GdipCreateSolidFill(ARGB colour, GpSolidFill* brush) {
  if (!Started()) return gdip::GdiplusNotInitialized;
  if (!brush) return gdip::InvalidParameter;
  *brush = Brushes().Insert(std::make_unique<Brush>(Brush{colour}));
  return *brush != 0 ? gdip::Ok : gdip::OutOfMemory;
}

GpStatus GdipDeleteBrush(GpBrush brush) {
  Brush* object;
  if (GpStatus s = FindBrush(brush, object); s != gdip::Ok) return s;
  Brushes().Erase(brush);
  return gdip::Ok;
}

GpStatus GdipFillRectangle(GpGraphics graphics, GpBrush brush, REAL x, REAL y, REAL width,
                           REAL height) {
  Graphics* object;
  Brush* fill;
  if (GpStatus s = FindGraphics(graphics, object); s != gdip::Ok) return s;
  if (GpStatus s = FindBrush(brush, fill); s != gdip::Ok) return s;
  if (!Finite({x, y, width, height})) return gdip::InvalidParameter;
  QImage* surface;
  if (GpStatus s = Surface(*object, surface); s != gdip::Ok) return s;
  if (surface) FillRectangleInto(*surface, QRectF(x, y, width, height), fill->colour);
  return gdip::Ok;
}

GpStatus GdipDrawImageRect(GpGraphics graphics, GpImage image, REAL x, REAL y, REAL width,
                           REAL height) {
  if (!Finite({x, y, width, height}))
    return Started() ? gdip::InvalidParameter : gdip::GdiplusNotInitialized;
  return Draw(graphics, image, QRectF(x, y, width, height));
}

// The stand-in draws at the image's size in pixels, whatever its resolution.
GpStatus GdipDrawImage(GpGraphics graphics, GpImage image, REAL x, REAL y) {
  if (!Finite({x, y})) return Started() ? gdip::InvalidParameter : gdip::GdiplusNotInitialized;
  Image* source = Images().Find(image);
  QSizeF size = source ? QSizeF(source->pixels.size()) : QSizeF();
  return Draw(graphics, image, QRectF(QPointF(x, y), size));
}

GpStatus GdipCreateBitmapFromGraphics(INT width, INT height, GpGraphics graphics,
                                      GpBitmap* bitmap) {
  Graphics* object;
  if (GpStatus s = FindGraphics(graphics, object); s != gdip::Ok) return s;
  if (!bitmap) return gdip::InvalidParameter;
  *bitmap = 0;
  if (width <= 0 || height <= 0) return gdip::InvalidParameter;
  std::unique_ptr<Image> image = NewBitmap(width, height, gdip::PixelFormat32bppPARGB);
  if (!image) return gdip::OutOfMemory;
  return StoreImage(std::move(image), bitmap);
}

}  // namespace platform::gdiplus
