// Device contexts, bitmaps and brushes over the shared graphics objects. A memory device context
// starts with a private 1 x 1 bitmap selected; compatible bitmaps have the screen's format (32
// bits per pixel). A bitmap deleted while selected goes when it is deselected, as the platform
// defers it, so deleting the bitmap before its context (as the program does) leaks nothing.
#include <algorithm>

#include "platform/picture/gdi/objects.h"
#include "platform/win32/gdi32.h"

namespace platform::gdi32 {
namespace {

using namespace win32;

using gdi::BitmapObject;
using gdi::DeviceContextObject;

constexpr int64_t kMaxBitmapPixels = int64_t{1} << 26;

// The brush a new device context has selected: white, and never deleted.
HBRUSH StockWhiteBrush() {
  static const HBRUSH brush =
      gdi::Brushes().Insert(std::make_unique<gdi::BrushObject>(gdi::BrushObject{0xFFFFFF}));
  return brush;
}

// Takes a bitmap out of its device context; a bitmap whose deletion waited for that goes now.
void Deselect(HBITMAP bitmap) {
  BitmapObject* b = gdi::Bitmaps().Find(bitmap);
  if (!b) return;
  b->selectedInto = 0;
  if (b->deletePending) gdi::Bitmaps().Erase(bitmap);
}

HGDIOBJ SelectBitmap(HDC dc, DeviceContextObject& context, HBITMAP bitmap) {
  BitmapObject* b = gdi::Bitmaps().Find(bitmap);
  if (!context.memory || !b || b->deletePending) return 0;
  if (b->selectedInto != 0 && b->selectedInto != dc) return 0;
  HBITMAP previous = context.bitmap;
  if (previous != bitmap) Deselect(previous);
  context.bitmap = bitmap;
  b->selectedInto = dc;
  return previous;
}

// One output row of GetDIBits: `width` pixels of the bitmap's row in the requested depth.
void WriteRow(const uint32_t* pixels, int width, int bitCount, uint8_t* out) {
  for (int x = 0; x < width; ++x) {
    uint32_t p = pixels[x];
    uint8_t b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF, a = p >> 24;
    switch (bitCount) {
      case 32:
        out[4 * x] = b, out[4 * x + 1] = g, out[4 * x + 2] = r, out[4 * x + 3] = a;
        break;
      case 24:
        out[3 * x] = b, out[3 * x + 1] = g, out[3 * x + 2] = r;
        break;
      case 16: {
        uint16_t v = static_cast<uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
        out[2 * x] = v & 0xFF, out[2 * x + 1] = v >> 8;
        break;
      }
    }
  }
}

uint32_t RowBytes(int64_t width, int bitCount) {
  return static_cast<uint32_t>((width * bitCount + 31) / 32 * 4);
}

}  // namespace

HDC CreateCompatibleDC(HDC dc) {
  if (dc != 0 && !gdi::DeviceContexts().Contains(dc)) return 0;
  HBITMAP own = gdi::CreateBitmap(1, 1);
  if (!own) return 0;
  auto context = std::make_unique<DeviceContextObject>();
  context->memory = true;
  context->bitmap = own;
  context->ownBitmap = own;
  context->brush = StockWhiteBrush();
  HDC handle = gdi::DeviceContexts().Insert(std::move(context));
  if (!handle) {
    gdi::Bitmaps().Erase(own);
    return 0;
  }
  gdi::Bitmaps().Find(own)->selectedInto = handle;
  return handle;
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (!gdi::DeviceContexts().Contains(dc) || width < 0 || height < 0) return 0;
  if (width == 0 || height == 0) width = height = 1;  // the platform gives a 1 x 1 bitmap
  if (int64_t{width} * height > kMaxBitmapPixels) return 0;
  return gdi::CreateScreenBitmap(width, height);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  DeviceContextObject* context = gdi::DeviceContexts().Find(dc);
  if (!context) return 0;
  switch (KindOfHandle(object)) {
    case HandleKind::Bitmap:
      return SelectBitmap(dc, *context, object);
    case HandleKind::Brush: {
      if (!gdi::Brushes().Contains(object)) return 0;
      HBRUSH previous = context->brush;
      context->brush = object;
      return previous;
    }
    default:
      return 0;
  }
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  return gdi::Brushes().Insert(
      std::make_unique<gdi::BrushObject>(gdi::BrushObject{colour & 0xFFFFFF}));
}

BOOL DeleteObject(HGDIOBJ object) {
  switch (KindOfHandle(object)) {
    case HandleKind::Bitmap: {
      BitmapObject* b = gdi::Bitmaps().Find(object);
      if (!b) return FALSE;
      if (gdi::DeviceContexts().Contains(b->selectedInto))
        b->deletePending = true;
      else
        gdi::Bitmaps().Erase(object);
      return TRUE;
    }
    case HandleKind::Brush:
      if (object == StockWhiteBrush()) return TRUE;
      return gdi::Brushes().Erase(object) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

BOOL DeleteDC(HDC dc) {
  DeviceContextObject* context = gdi::DeviceContexts().Find(dc);
  if (!context || !context->memory) return FALSE;
  HBITMAP selected = context->bitmap;
  HBITMAP own = context->ownBitmap;
  gdi::DeviceContexts().Erase(dc);
  Deselect(selected);
  if (BitmapObject* b = gdi::Bitmaps().Find(own); b && b->selectedInto == 0)
    gdi::Bitmaps().Erase(own);
  return TRUE;
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT startRow, UINT rows, void* bits, BITMAPINFO* info,
              UINT usage) {
  BitmapObject* b = gdi::Bitmaps().Find(bitmap);
  if (!gdi::DeviceContexts().Contains(dc) || !b || !info || usage != DIB_RGB_COLORS) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  const QImage& image = b->image;
  if (!bits) {
    if (h.biBitCount == 0) {  // the bitmap's own format
      h.biWidth = image.width();
      h.biHeight = image.height();
      h.biPlanes = 1;
      h.biBitCount = static_cast<WORD>(b->bitsPerPixel);
      h.biCompression = BI_RGB;
      h.biClrUsed = h.biClrImportant = 0;
      h.biXPelsPerMeter = h.biYPelsPerMeter = 0;
    }
    if (h.biBitCount != 16 && h.biBitCount != 24 && h.biBitCount != 32) return 0;
    int64_t height = h.biHeight < 0 ? -int64_t{h.biHeight} : h.biHeight;
    if (h.biWidth < 0) return 0;
    h.biSizeImage = static_cast<DWORD>(RowBytes(h.biWidth, h.biBitCount) * height);
    return std::max(1, image.height());
  }
  if (h.biBitCount != 16 && h.biBitCount != 24 && h.biBitCount != 32) return 0;
  if (h.biCompression != BI_RGB || h.biWidth < 0) return 0;
  // Rows are numbered from the bottom: row 0 of a bottom-up buffer is the image's last line.
  bool topDown = h.biHeight < 0;
  int64_t wanted = topDown ? -int64_t{h.biHeight} : h.biHeight;
  int64_t available = std::min<int64_t>(wanted, image.height());
  if (startRow >= available) return 0;
  int64_t count = std::min<int64_t>(rows, available - startRow);
  int width = static_cast<int>(std::min<int64_t>(h.biWidth, image.width()));
  uint32_t stride = RowBytes(h.biWidth, h.biBitCount);
  auto* out = static_cast<uint8_t*>(bits);
  for (int64_t i = 0; i < count; ++i) {
    int64_t fromBottom = startRow + i;
    int line = static_cast<int>(image.height() - 1 - fromBottom);
    int64_t bufferRow = topDown ? wanted - 1 - fromBottom : i;
    WriteRow(reinterpret_cast<const uint32_t*>(image.constScanLine(line)), width, h.biBitCount,
             out + bufferRow * stride);
  }
  // The whole picture read in its colours: a bitmap file made of it shows the device picture.
  if (startRow == 0 && count == image.height() && width == image.width() && h.biBitCount >= 24 &&
      b->DeviceCurrent())
    gdi::RememberDeviceRendering(image, b->device);
  return static_cast<int>(count);
}

int GetObjectA(HANDLE object, int size, void* buffer) {
  BitmapObject* b = gdi::Bitmaps().Find(object);
  if (!b) return 0;
  if (!buffer) return sizeof(BITMAP);
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP description{};
  description.bmWidth = b->image.width();
  description.bmHeight = b->image.height();
  description.bmWidthBytes = (b->image.width() * b->bitsPerPixel + 15) / 16 * 2;
  description.bmPlanes = 1;
  description.bmBitsPixel = static_cast<WORD>(b->bitsPerPixel);
  *static_cast<BITMAP*>(buffer) = description;
  return sizeof(BITMAP);
}

int SetStretchBltMode(HDC dc, int mode) {
  DeviceContextObject* context = gdi::DeviceContexts().Find(dc);
  if (!context || mode < 1 || mode > HALFTONE) return 0;
  int previous = context->stretchMode;
  context->stretchMode = mode;
  return previous;
}

}  // namespace platform::gdi32
