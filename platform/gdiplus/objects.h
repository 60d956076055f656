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

#include "platform/gdiplus/limits.h"
#include "platform/handles.h"
#include "platform/win32.h"

namespace platform::gdiplus {

using namespace win32;

// The most frames of a GIF or TIFF picture (the other limits are in limits.h).
constexpr UINT kMaxFrames = 4096;

// The encoded picture a multi-frame image selects its frames from.
struct EncodedFrames {
  QByteArray bytes;
  QByteArray qtFormat;  // "gif" or "tiff"
};

struct PropertyValue {
  PROPID id = 0;
  WORD type = 0;
  std::vector<uint8_t> value;
};

// Where a multi-frame save goes, and the frames written so far.
struct MultiFrameSave {
  CLSID encoder{};
  std::u16string path;  // a file, or
  ISTREAM stream = 0;   // a stream, written from startPosition
  uint64_t startPosition = 0;
  std::vector<QImage> frames;
};

struct Image {
  QImage pixels;  // ARGB32, the active frame
  PixelFormat pixelFormat = gdip::PixelFormat32bppARGB;
  GUID rawFormat = gdip::ImageFormatMemoryBMP;
  UINT decodedFlags = 0;  // flags of a decoded picture (ReadOnly, real size and dpi, colour space)
  float dpiX = 96;
  float dpiY = 96;
  GUID frameDimension = gdip::FrameDimensionPage;
  UINT frameCount = 1;
  UINT activeFrame = 0;
  std::shared_ptr<const EncodedFrames> frames;  // set when frameCount > 1
  std::vector<PropertyValue> properties;
  std::optional<MultiFrameSave> multiFrameSave;
};

struct Graphics {
  GpImage image = 0;  // draws into an image, or
  HDC dc = 0;         // into the bitmap selected in a device context
  InterpolationMode interpolation = gdip::InterpolationModeBilinear;
};

struct Brush {
  ARGB colour = 0;
};

HandleTable<Image>& Images();
HandleTable<Graphics>& GraphicsObjects();
HandleTable<Brush>& Brushes();

bool Started();

// Ok with the object, or the status to return (GdiplusNotInitialized, InvalidParameter).
GpStatus FindImage(GpImage handle, Image*& image);
GpStatus FindGraphics(GpGraphics handle, Graphics*& graphics);
GpStatus FindBrush(GpBrush handle, Brush*& brush);

bool HasAlphaBit(PixelFormat format);
bool IsKnownPixelFormat(PixelFormat format);
bool FitsLimits(int width, int height);

// A new bitmap of the given size: transparent, or opaque black for a format without alpha.
// Null when the size is outside the limits or memory runs out.
std::unique_ptr<Image> NewBitmap(int width, int height, PixelFormat format);
// A new bitmap holding the pixels (converted to ARGB32).
std::unique_ptr<Image> NewBitmap(const QImage& pixels, PixelFormat format);

// Stores the image and writes its handle; OutOfMemory when the table is full.
GpStatus StoreImage(std::unique_ptr<Image> image, GpImage* handle);

// The flags GdipGetImageFlags reports.
UINT ImageFlags(const Image& image);

}  // namespace platform::gdiplus
