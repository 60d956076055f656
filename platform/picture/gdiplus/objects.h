// The objects of the imaging library stand-in: images, graphics objects and brushes, each in its
// own handle table, so a null, stale or wrong-kind handle is refused with InvalidParameter.
//
// An image keeps the pixels of its active frame as QImage::Format_ARGB32 (straight alpha)
// whatever pixel format it reports: every image can be drawn on and encoded alike. The reported
// format labels the picture (what it was decoded from or created as); a bitmap created in a
// format without alpha starts opaque.
#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/handles.h"
#include "platform/picture/gdiplus/limits.h"
#include "platform/win32/gdiplus.h"

namespace platform::gdiplus {

// The most frames of a GIF or TIFF picture (the other limits are in limits.h).
constexpr win32::UINT kMaxFrames = 4096;

// The encoded picture a multi-frame image selects its frames from.
struct EncodedFrames {
  QByteArray bytes;
  QByteArray qtFormat;  // "gif" or "tiff"
};

struct PropertyValue {
  win32::PROPID id = 0;
  win32::WORD type = 0;
  std::vector<uint8_t> value;
};

// Where a multi-frame save goes, and the frames written so far.
struct MultiFrameSave {
  win32::CLSID encoder{};
  std::u16string path;        // a file, or
  win32::ISTREAM stream = 0;  // a stream, written from startPosition
  uint64_t startPosition = 0;
  std::vector<QImage> frames;
};

struct Image {
  QImage pixels;  // ARGB32, the active frame
  win32::PixelFormat pixelFormat = win32::gdip::PixelFormat32bppARGB;
  win32::GUID rawFormat = win32::gdip::ImageFormatMemoryBMP;
  win32::UINT decodedFlags =
      0;  // flags of a decoded picture (ReadOnly, real size and dpi, colour space)
  float dpiX = 96;
  float dpiY = 96;
  win32::GUID frameDimension = win32::gdip::FrameDimensionPage;
  win32::UINT frameCount = 1;
  win32::UINT activeFrame = 0;
  std::shared_ptr<const EncodedFrames> frames;  // set when frameCount > 1
  std::vector<PropertyValue> properties;
  std::optional<MultiFrameSave> multiFrameSave;
};

struct Graphics {
  win32::GpImage image = 0;  // draws into an image, or
  win32::HDC dc = 0;         // into the bitmap selected in a device context
  win32::InterpolationMode interpolation = win32::gdip::InterpolationModeBilinear;
};

struct Brush {
  win32::ARGB colour = 0;
};

HandleTable<Image>& Images();
HandleTable<Graphics>& GraphicsObjects();
HandleTable<Brush>& Brushes();

bool Started();

// Ok with the object, or the status to return (GdiplusNotInitialized, InvalidParameter).
win32::GpStatus FindImage(win32::GpImage handle, Image*& image);
win32::GpStatus FindGraphics(win32::GpGraphics handle, Graphics*& graphics);
win32::GpStatus FindBrush(win32::GpBrush handle, Brush*& brush);

bool HasAlphaBit(win32::PixelFormat format);
bool IsKnownPixelFormat(win32::PixelFormat format);
bool FitsLimits(int width, int height);

// A new bitmap of the given size: transparent, or opaque black for a format without alpha.
// Null when the size is outside the limits or memory runs out.
std::unique_ptr<Image> NewBitmap(int width, int height, win32::PixelFormat format);
// A new bitmap holding the pixels (converted to ARGB32).
std::unique_ptr<Image> NewBitmap(const QImage& pixels, win32::PixelFormat format);

// Stores the image and writes its handle; OutOfMemory when the table is full.
win32::GpStatus StoreImage(std::unique_ptr<Image> image, win32::GpImage* handle);

// The flags GdipGetImageFlags reports.
win32::UINT ImageFlags(const Image& image);

}  // namespace platform::gdiplus
