// The image object: one picture held by the imaging library, with load, scale and save
// operations, and its stream holder (a global memory block with a stream on top of it, so that
// pictures load from and save to byte sets). Everything goes through the table of external
// functions. No operation raises an error: failures show as false, -1, a 0 handle or an empty
// byte set, with the library's status kept in LastStatus. A failed load keeps the previous image.
//
// The library must have been started (GdiplusStartup) before an image object is used.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "frame/values.h"
#include "platform/win32/gdiplus.h"

namespace imaging {

// Starts the imaging library for the rest of the process (GdiplusStartup, version 1), once
// however often it is called; the library is never shut down.
bool StartImagingLibrary();

// A 0x00BBGGRR colour and an alpha (255 when not supplied) as the library's 0xAARRGGBB.
win32::ARGB ColorToArgb(win32::COLORREF colour, std::optional<int32_t> alpha = std::nullopt);

// The encoder class id of a format number: 1 JPEG, 2 GIF, 3 TIFF, 4 PNG, any other BMP.
win32::CLSID EncoderClassId(int32_t format);

// One entry of the library's encoder list.
struct EncoderRecord {
  win32::CLSID classId{};
  win32::GUID formatId{};
  frame::Text codecName;
  frame::Text libraryName;
  frame::Text formatDescription;
  frame::Text extensions;
  frame::Text mimeType;
  uint32_t flags = 0;
  uint32_t version = 0;
  uint32_t signatureCount = 0;
  uint32_t signatureSize = 0;
  frame::ByteSet signaturePattern;
  frame::ByteSet signatureMask;
};

// One parameter an encoder describes: id, value type, number of values and their bytes.
struct EncoderParameterRecord {
  win32::GUID id{};
  uint32_t type = 0;
  uint32_t valueCount = 0;
  frame::ByteSet values;
};

class StreamHolder {
 public:
  StreamHolder() = default;
  ~StreamHolder();
  // A copy holds a block of its own with the same bytes.
  StreamHolder(const StreamHolder& other);
  StreamHolder& operator=(const StreamHolder& other);

  // Releases the stream and frees the memory block.
  void Release();
  // A new stream: over a fixed block holding the bytes, or (no bytes) over an empty movable
  // block that grows as the stream is written and goes with the stream.
  win32::ISTREAM Create(const std::optional<frame::ByteSet>& bytes = std::nullopt);
  win32::ISTREAM Interface() const { return streamInterface_; }
  size_t Size() const;
  // The block's bytes; empty when it cannot be locked (an empty movable block).
  frame::ByteSet Contents() const;

 private:
  win32::HGLOBAL memory_ = 0;
  win32::ISTREAM streamInterface_ = 0;
  bool streamOwnsMemory_ = false;  // created with delete-on-release
};

class ImageObject {
 public:
  ImageObject() = default;
  ~ImageObject();
  // A copy holds a clone of the image (never the same handle, which both would dispose).
  ImageObject(const ImageObject& other);
  ImageObject& operator=(const ImageObject& other);

  void Dispose();
  bool IsLoaded() const { return image_ != 0; }
  win32::GpStatus LastStatus() const { return status_; }
  win32::GpImage Handle() const { return image_; }
  // Takes ownership of the image (the previous one is disposed).
  void Attach(win32::GpImage image);

  bool CreateFromGraphics(int32_t width, int32_t height, win32::GpGraphics graphics);
  bool LoadFromFile(const frame::Text& path);
  bool LoadFromBytes(const frame::ByteSet& bytes);
  bool LoadBitmapFromFile(const frame::Text& path);
  bool FromBitmapHandle(win32::HBITMAP bitmap, win32::HPALETTE palette = 0);
  bool FromIconHandle(win32::HICON icon);

  // format: 1 JPEG, 2 GIF, 3 TIFF, 4 PNG, any other BMP. quality applies to JPEG only. With a
  // background the picture is drawn over that colour (alpha: 255 when not supplied) first, on a
  // canvas of the image's own pixel format when keepPixelFormat is set.
  frame::ByteSet SaveToBytes(int32_t format = 0, std::optional<int32_t> quality = std::nullopt,
                             std::optional<win32::COLORREF> background = std::nullopt,
                             std::optional<int32_t> alpha = std::nullopt,
                             bool keepPixelFormat = false);
  bool SaveToFile(const frame::Text& path, int32_t format = 0,
                  std::optional<int32_t> quality = std::nullopt,
                  std::optional<win32::COLORREF> background = std::nullopt,
                  std::optional<int32_t> alpha = std::nullopt, bool keepPixelFormat = false);

  int32_t ImageType();  // -1 on failure
  int32_t Width();      // -1 on failure
  int32_t Height();     // -1 on failure
  bool GetDimension(int32_t& width, int32_t& height);
  bool GetBounds(win32::GpRectF& rectangle, win32::GpUnit& unit);
  double HorizontalResolution();
  double VerticalResolution();
  uint32_t Flags();
  win32::PixelFormat PixelFormat();
  // The 16 bytes of the raw format id; empty on failure.
  frame::ByteSet RawFormat();

  win32::HBITMAP ToBitmapHandle(std::optional<win32::COLORREF> background = std::nullopt,
                                std::optional<int32_t> alpha = std::nullopt);
  win32::HBITMAP ToBitmapHandleArgb(win32::ARGB background);
  win32::HICON ToIconHandle();

  bool SetPixel(int32_t x, int32_t y, win32::COLORREF colour);
  int32_t GetPixel(int32_t x, int32_t y);  // the ARGB value, or -1
  bool SetResolution(float x, float y);

  bool GetEncoders(std::vector<EncoderRecord>& list);
  bool GetEncoderParameters(int32_t format, std::vector<EncoderParameterRecord>& list);

  // A clone of the image, not attached (0 on failure); the status is left as it was.
  win32::GpImage Clone();
  // The picture drawn at width x height into a new bitmap, attached when replace is set;
  // its handle, or -1.
  int32_t Scale(float width, float height, bool replace = false,
                std::optional<win32::InterpolationMode> interpolation = std::nullopt);
  int32_t Thumbnail(int32_t width, int32_t height, bool replace = false);
  bool RotateFlip(win32::RotateFlipType kind);
  bool ConvertPixelFormat(win32::PixelFormat format);

  bool GetPropertySize(uint32_t& totalSize, uint32_t& count);
  bool GetPropertyIds(std::vector<win32::PROPID>& list);
  // The property item as the library writes it: the item, then its value.
  frame::ByteSet GetPropertyItem(win32::PROPID id);
  // A property item's value as 32-bit values (value length / 4); returns their count.
  static int32_t PropertyValues(const frame::ByteSet& item, std::vector<int32_t>& values);

  int32_t FrameCount();  // along the first frame dimension; -1 on failure
  bool FrameDimensions(std::vector<win32::GUID>& list);
  // dimension 1: pages; any other value: time.
  bool SelectFrame(uint32_t index, int32_t dimension);
  // Multi-frame saves; both return the library's status and leave LastStatus as it was.
  win32::GpStatus SaveAdd(const win32::EncoderParameters* parameters = nullptr);
  win32::GpStatus SaveAddImage(win32::GpImage other,
                               const win32::EncoderParameters* parameters = nullptr);

 private:
  using Saver = std::function<win32::GpStatus(win32::GpImage, const win32::CLSID*,
                                              const win32::EncoderParameters*)>;
  struct SaveOptions {
    int32_t format;
    std::optional<int32_t> quality;
    std::optional<win32::COLORREF> background;
    std::optional<int32_t> alpha;
    bool keepPixelFormat;
  };
  void Save(const SaveOptions& options, const Saver& save);
  // Records the status; attaches the new image when it is Ok.
  bool AttachIfOk(win32::GpStatus status, win32::GpImage image);
  void DisposeImage();

  StreamHolder stream_;
  win32::GpImage image_ = 0;
  win32::GpStatus status_ = 0;
};

}  // namespace imaging
