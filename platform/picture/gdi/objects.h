// The graphics objects shared by the stand-in libraries: icons (icon_objects.h), bitmaps, device
// contexts and brushes. user32, gdi32, shell32, comctl32 and the imaging library all address them
// by handle.
//
// Pixels are QImage::Format_ARGB32 (straight alpha, bytes B, G, R, A in memory). A new bitmap is
// all zero, so undrawn pixels have alpha 0. The screen's format is 32 bits per pixel.
#pragma once

#include <QImage>

#include "platform/core/gdi/icon_objects.h"
#include "platform/core/handles.h"
#include "platform/win32/types.h"

namespace platform::gdi {

struct BitmapObject {
  QImage image;           // ARGB32
  int bitsPerPixel = 32;  // the format GetDIBits reports when asked for the bitmap's own format
  win32::HDC selectedInto = 0;
  bool deletePending = false;  // DeleteObject while selected: deleted when deselected
  // A bitmap compatible with a screen of more device pixels than the program's also holds its
  // picture at device resolution: FillRect and DrawIconEx draw there too (icons from their
  // detail). It shows what `image` holds while image.cacheKey() is deviceKey; any other writer
  // of `image` changes the key, and the device picture no longer counts.
  QImage device;
  qint64 deviceKey = 0;

  bool DeviceCurrent() const { return !device.isNull() && image.cacheKey() == deviceKey; }
};

struct DeviceContextObject {
  win32::HWND window = 0;        // for GetDC; 0 for the screen or a memory context
  bool memory = false;           // CreateCompatibleDC
  win32::HBITMAP bitmap = 0;     // the selected bitmap (a memory context starts with a 1 x 1 one)
  win32::HBITMAP ownBitmap = 0;  // the memory context's initial 1 x 1 bitmap, deleted with it
  win32::HBRUSH brush = 0;       // the selected brush
  int stretchMode = 1;           // BLACKONWHITE
};

struct BrushObject {
  win32::COLORREF colour = 0;  // 0x00BBGGRR
};

HandleTable<BitmapObject>& Bitmaps();
HandleTable<DeviceContextObject>& DeviceContexts();
HandleTable<BrushObject>& Brushes();

// A new icon handle holding a copy of the image (converted to ARGB32), hot spot at its centre.
win32::HICON CreateIcon(const QImage& image);

// A new bitmap handle of the given size, all zero (or holding a copy of image).
win32::HBITMAP CreateBitmap(int width, int height);
win32::HBITMAP CreateBitmap(const QImage& image);
// A bitmap compatible with the screen: all zero, with a device picture when the screen's device
// pixel ratio is above 1 (and the device picture stays within the bounds of a bitmap).
win32::HBITMAP CreateScreenBitmap(int width, int height);

// A coordinate in a bitmap's pixels as device pixels of its device picture (rounded).
int64_t DeviceCoordinate(int64_t value);

// What the screen showed of bitmaps at device resolution. A bitmap whose pixels the program read
// whole (GetDIBits) is remembered with its device picture, so that a bitmap file the program made
// of those pixels, given to a picture property, shows the device picture. The last few are kept.
void RememberDeviceRendering(const QImage& image, const QImage& device);
// The device picture of a remembered bitmap whose colours equal those of `shown` (alpha is not
// compared: bitmaps show without it), with its device pixel ratio set; null when there is none.
QImage DeviceRendering(const QImage& shown);

// The bitmap a device context draws into: its selected bitmap, or nullptr (for the screen and
// window contexts, which draw nowhere the program can read).
BitmapObject* TargetBitmap(win32::HDC dc);

// 0x00BBGGRR to an opaque QColor-compatible ARGB value.
inline uint32_t ColourRefToArgb(win32::COLORREF c, uint8_t alpha = 255) {
  return (uint32_t(alpha) << 24) | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

}  // namespace platform::gdi
