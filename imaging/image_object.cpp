#include "imaging/image_object.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "frame/external_functions.h"
#include "frame/interface_calls.h"
#include "frame/owned.h"

namespace imaging {

using namespace win32;
namespace gdip = win32::gdip;

namespace {

// Bytes 1 to 15 of every encoder class id; byte 0 tells the formats apart.
constexpr uint8_t kEncoderIdTail[15] = {0xF4, 0x7C, 0x55, 0x04, 0x1A, 0xD3, 0x11, 0x9A,
                                        0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};

// A text in the ANSI code page, as the library needs paths: UTF-16, zero-terminated.
std::vector<WCHAR> ToWide(const frame::Text& text) {
  int length = ext::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::vector<WCHAR> wide(size_t(std::max(length, 1)), u'\0');
  if (length > 0) ext::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  return wide;
}

// A zero-terminated UTF-16 string that must lie within [begin, end), as a text.
frame::Text FromWide(const WCHAR* s, const uint8_t* begin, const uint8_t* end) {
  auto* at = reinterpret_cast<const uint8_t*>(s);
  if (!s || at < begin || at >= end) return frame::Text();
  size_t limit = size_t(end - at) / sizeof(WCHAR);
  size_t length = 0;
  while (length < limit && s[length] != 0)
    ++length;
  if (length == 0 || length == limit) return frame::Text();
  int size = ext::WideCharToMultiByte(CP_ACP, 0, s, int(length), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return frame::Text();
  std::string text(size_t(size), '\0');
  ext::WideCharToMultiByte(CP_ACP, 0, s, int(length), text.data(), size, nullptr, nullptr);
  return frame::Text(std::move(text));
}

// `count` bytes at p, which must lie within [begin, end).
frame::ByteSet BytesWithin(const uint8_t* p, size_t count, const uint8_t* begin,
                           const uint8_t* end) {
  if (!p || p < begin || p > end || count > size_t(end - p)) return frame::ByteSet();
  return frame::ByteSet(p, count);
}

// Bytes of one value of an encoder parameter's type (a range is one value of two numbers);
// 0 for an unknown type.
size_t ValueSize(uint32_t type) {
  switch (type) {
    case gdip::EncoderParameterValueTypeByte:
    case gdip::EncoderParameterValueTypeASCII:
    case gdip::EncoderParameterValueTypeUndefined:
      return 1;
    case gdip::EncoderParameterValueTypeShort:
      return 2;
    case gdip::EncoderParameterValueTypeLong:
      return 4;
    case gdip::EncoderParameterValueTypeRational:
    case gdip::EncoderParameterValueTypeLongRange:
      return 8;
    case gdip::EncoderParameterValueTypeRationalRange:
      return 16;
    case gdip::EncoderParameterValueTypePointer:
      return sizeof(void*);
    default:
      return 0;
  }
}

using OwnedDc78 = frame::Owned<HDC, ext::DeleteDC78>;
using OwnedGraphics = frame::Owned<GpGraphics, ext::GdipDeleteGraphics>;
using OwnedImage = frame::Owned<GpImage, ext::GdipDisposeImage>;
using OwnedBrush = frame::Owned<GpSolidFill, ext::GdipDeleteBrush>;

}  // namespace

bool StartImagingLibrary() {
  static const bool started = [] {
    static ULONG_PTR token = 0;
    GdiplusStartupInput input{1, nullptr, FALSE, FALSE};
    return ext::GdiplusStartup(&token, &input, nullptr) == gdip::Ok;
  }();
  return started;
}

ARGB ColorToArgb(COLORREF colour, std::optional<int32_t> alpha) {
  uint32_t red = colour & 0xFF, green = (colour >> 8) & 0xFF, blue = (colour >> 16) & 0xFF;
  return (uint32_t(alpha.value_or(255)) << 24) + (red << 16) + (green << 8) + blue;
}

CLSID EncoderClassId(int32_t format) {
  uint8_t bytes[16];
  switch (format) {
    case 1:
      bytes[0] = 0x01;
      break;  // JPEG
    case 2:
      bytes[0] = 0x02;
      break;  // GIF
    case 3:
      bytes[0] = 0x05;
      break;  // TIFF
    case 4:
      bytes[0] = 0x06;
      break;  // PNG
    default:
      bytes[0] = 0x00;
      break;  // BMP
  }
  std::memcpy(bytes + 1, kEncoderIdTail, sizeof kEncoderIdTail);
  CLSID id;
  std::memcpy(&id, bytes, sizeof id);
  return id;
}

// ---- StreamHolder ----

StreamHolder::~StreamHolder() {
  Release();
}

StreamHolder::StreamHolder(const StreamHolder& other) {
  if (other.memory_ != 0) Create(other.Contents());
}

StreamHolder& StreamHolder::operator=(const StreamHolder& other) {
  if (this != &other) {
    frame::ByteSet bytes = other.Contents();
    bool hadMemory = other.memory_ != 0;
    Release();
    if (hadMemory) Create(bytes);
  }
  return *this;
}

void StreamHolder::Release() {
  if (streamInterface_ != 0) {
    frame::ReleaseInterface(streamInterface_);
    streamInterface_ = 0;
  }
  // A stream made with delete-on-release has freed the block already.
  if (memory_ != 0 && !streamOwnsMemory_) ext::GlobalFree(memory_);
  memory_ = 0;
  streamOwnsMemory_ = false;
}

ISTREAM StreamHolder::Create(const std::optional<frame::ByteSet>& bytes) {
  Release();
  bool deleteOnRelease = !bytes;
  if (bytes) {
    memory_ = ext::GlobalAlloc(GMEM_FIXED, bytes->size());
    if (void* block = ext::GlobalLock(memory_)) {
      if (!bytes->empty()) std::memcpy(block, bytes->data(), bytes->size());
      ext::GlobalUnlock(memory_);
    }
  } else {
    memory_ = ext::GlobalAlloc(GMEM_MOVEABLE, 0);
  }
  if (memory_ != 0 &&
      ext::CreateStreamOnHGlobal(memory_, deleteOnRelease ? TRUE : FALSE, &streamInterface_) == 0)
    streamOwnsMemory_ = deleteOnRelease;
  else
    streamInterface_ = 0;
  return streamInterface_;
}

size_t StreamHolder::Size() const {
  return ext::GlobalSize(memory_);
}

frame::ByteSet StreamHolder::Contents() const {
  const void* block = ext::GlobalLock(memory_);
  if (!block) return frame::ByteSet();
  frame::ByteSet bytes(static_cast<const uint8_t*>(block), Size());
  ext::GlobalUnlock(memory_);
  return bytes;
}

// ---- ImageObject: lifetime and loading ----

ImageObject::~ImageObject() {
  DisposeImage();
}

ImageObject::ImageObject(const ImageObject& other)
    : stream_(other.stream_), status_(other.status_) {
  if (other.image_ != 0 && ext::GdipCloneImage(other.image_, &image_) != gdip::Ok) image_ = 0;
}

ImageObject& ImageObject::operator=(const ImageObject& other) {
  if (this != &other) {
    GpImage clone = 0;
    if (other.image_ != 0 && ext::GdipCloneImage(other.image_, &clone) != gdip::Ok) clone = 0;
    Attach(clone);
    stream_ = other.stream_;
    status_ = other.status_;
  }
  return *this;
}

void ImageObject::DisposeImage() {
  if (image_ != 0) ext::GdipDisposeImage(image_);
  image_ = 0;
}

void ImageObject::Dispose() {
  if (image_ != 0) status_ = ext::GdipDisposeImage(image_);
  image_ = 0;
}

void ImageObject::Attach(GpImage image) {
  DisposeImage();
  image_ = image;
}

bool ImageObject::AttachIfOk(GpStatus status, GpImage image) {
  status_ = status;
  if (status != gdip::Ok) return false;
  Attach(image);
  return true;
}

bool ImageObject::CreateFromGraphics(int32_t width, int32_t height, GpGraphics graphics) {
  GpBitmap bitmap = 0;
  GpStatus status = ext::GdipCreateBitmapFromGraphics(width, height, graphics, &bitmap);
  return AttachIfOk(status, bitmap);
}

bool ImageObject::LoadFromFile(const frame::Text& path) {
  std::vector<WCHAR> wide = ToWide(path);
  GpImage image = 0;
  GpStatus status = ext::GdipLoadImageFromFile(wide.data(), &image);
  return AttachIfOk(status, image);
}

// The bytes stay with the object's stream until the next load or the object's end.
bool ImageObject::LoadFromBytes(const frame::ByteSet& bytes) {
  ISTREAM stream = stream_.Create(bytes);
  GpImage image = 0;
  GpStatus status = ext::GdipLoadImageFromStream(stream, &image);
  return AttachIfOk(status, image);
}

bool ImageObject::LoadBitmapFromFile(const frame::Text& path) {
  std::vector<WCHAR> wide = ToWide(path);
  GpBitmap bitmap = 0;
  GpStatus status = ext::GdipCreateBitmapFromFile(wide.data(), &bitmap);
  return AttachIfOk(status, bitmap);
}

bool ImageObject::FromBitmapHandle(HBITMAP bitmap, HPALETTE palette) {
  GpBitmap image = 0;
  GpStatus status = ext::GdipCreateBitmapFromHBITMAP(bitmap, palette, &image);
  return AttachIfOk(status, image);
}

bool ImageObject::FromIconHandle(HICON icon) {
  GpBitmap image = 0;
  GpStatus status = ext::GdipCreateBitmapFromHICON(icon, &image);
  return AttachIfOk(status, image);
}

// ---- Saving ----

void ImageObject::Save(const SaveOptions& options, const Saver& save) {
  CLSID encoder = EncoderClassId(options.format);
  ULONG quality = 0;
  EncoderParameters qualityParameter{};
  const EncoderParameters* parameters = nullptr;
  if (options.format == 1 && options.quality) {
    quality = ULONG(*options.quality);
    qualityParameter.Count = 1;
    qualityParameter.Parameter[0] =
        EncoderParameter{gdip::EncoderQuality, 1, gdip::EncoderParameterValueTypeLong, &quality};
    parameters = &qualityParameter;
  }
  if (!options.background) {
    status_ = save(image_, &encoder, parameters);
    return;
  }
  // The picture is drawn over the background on a canvas, which is saved only when every step
  // worked: the status is the first failing call's, never a blank canvas saved as a success.
  OwnedDc78 dc(ext::CreateCompatibleDC70(0));
  OwnedGraphics screen;
  if ((status_ = ext::GdipCreateFromHDC(dc.get(), screen.out())) != gdip::Ok) return;
  int32_t width = Width();
  if (status_ != gdip::Ok) return;
  int32_t height = Height();
  if (status_ != gdip::Ok) return;
  OwnedImage canvas;
  if (options.keepPixelFormat) {
    win32::PixelFormat format = PixelFormat();
    if (status_ != gdip::Ok) return;
    status_ = ext::GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, canvas.out());
  } else {
    status_ = ext::GdipCreateBitmapFromGraphics(width, height, screen.get(), canvas.out());
  }
  if (status_ != gdip::Ok) return;
  OwnedGraphics painter;
  if ((status_ = ext::GdipGetImageGraphicsContext(canvas.get(), painter.out())) != gdip::Ok) return;
  OwnedBrush brush;
  if ((status_ = ext::GdipCreateSolidFill(ColorToArgb(*options.background, options.alpha),
                                          brush.out())) != gdip::Ok ||
      (status_ = ext::GdipFillRectangle(painter.get(), brush.get(), 0, 0, REAL(width),
                                        REAL(height))) != gdip::Ok ||
      (status_ = ext::GdipDrawImageRect(painter.get(), image_, 0, 0, REAL(width), REAL(height))) !=
          gdip::Ok)
    return;
  status_ = save(canvas.get(), &encoder, parameters);
}

frame::ByteSet ImageObject::SaveToBytes(int32_t format, std::optional<int32_t> quality,
                                        std::optional<COLORREF> background,
                                        std::optional<int32_t> alpha, bool keepPixelFormat) {
  StreamHolder local;
  ISTREAM stream = local.Create();
  Save({format, quality, background, alpha, keepPixelFormat},
       [stream](GpImage image, const CLSID* encoder, const EncoderParameters* parameters) {
         return parameters ? ext::GdipSaveImageToStream(image, stream, encoder, parameters)
                           : ext::GdipSaveImageToStream69(image, stream, encoder, nullptr);
       });
  return local.Contents();
}

bool ImageObject::SaveToFile(const frame::Text& path, int32_t format,
                             std::optional<int32_t> quality, std::optional<COLORREF> background,
                             std::optional<int32_t> alpha, bool keepPixelFormat) {
  std::vector<WCHAR> wide = ToWide(path);
  Save({format, quality, background, alpha, keepPixelFormat},
       [&wide](GpImage image, const CLSID* encoder, const EncoderParameters* parameters) {
         return parameters ? ext::GdipSaveImageToFile(image, wide.data(), encoder, parameters)
                           : ext::GdipSaveImageToFile94(image, wide.data(), encoder, nullptr);
       });
  return status_ == gdip::Ok;
}

// ---- What the image reports ----

int32_t ImageObject::ImageType() {
  win32::ImageType type = 0;
  status_ = ext::GdipGetImageType(image_, &type);
  return status_ == gdip::Ok ? type : -1;
}

int32_t ImageObject::Width() {
  UINT width = 0;
  status_ = ext::GdipGetImageWidth(image_, &width);
  return status_ == gdip::Ok ? int32_t(width) : -1;
}

int32_t ImageObject::Height() {
  UINT height = 0;
  status_ = ext::GdipGetImageHeight(image_, &height);
  return status_ == gdip::Ok ? int32_t(height) : -1;
}

bool ImageObject::GetDimension(int32_t& width, int32_t& height) {
  REAL w = 0, h = 0;
  status_ = ext::GdipGetImageDimension(image_, &w, &h);
  if (status_ != gdip::Ok) return false;
  width = int32_t(w);  // truncated toward zero
  height = int32_t(h);
  return true;
}

bool ImageObject::GetBounds(GpRectF& rectangle, GpUnit& unit) {
  status_ = ext::GdipGetImageBounds(image_, &rectangle, &unit);
  return status_ == gdip::Ok;
}

double ImageObject::HorizontalResolution() {
  REAL resolution = 0;
  status_ = ext::GdipGetImageHorizontalResolution(image_, &resolution);
  return resolution;
}

double ImageObject::VerticalResolution() {
  REAL resolution = 0;
  status_ = ext::GdipGetImageVerticalResolution(image_, &resolution);
  return resolution;
}

uint32_t ImageObject::Flags() {
  UINT flags = 0;
  status_ = ext::GdipGetImageFlags(image_, &flags);
  return flags;
}

win32::PixelFormat ImageObject::PixelFormat() {
  win32::PixelFormat format = 0;
  status_ = ext::GdipGetImagePixelFormat(image_, &format);
  return format;
}

frame::ByteSet ImageObject::RawFormat() {
  GUID format{};
  status_ = ext::GdipGetImageRawFormat(image_, &format);
  if (status_ != gdip::Ok) return frame::ByteSet();
  return frame::ByteSet(reinterpret_cast<const uint8_t*>(&format), sizeof format);
}

// ---- Handles and pixels ----

HBITMAP ImageObject::ToBitmapHandle(std::optional<COLORREF> background,
                                    std::optional<int32_t> alpha) {
  return ToBitmapHandleArgb(background ? ColorToArgb(*background, alpha) : 0);
}

HBITMAP ImageObject::ToBitmapHandleArgb(ARGB background) {
  HBITMAP bitmap = 0;
  status_ = ext::GdipCreateHBITMAPFromBitmap(image_, &bitmap, background);
  return status_ == gdip::Ok ? bitmap : 0;
}

HICON ImageObject::ToIconHandle() {
  HICON icon = 0;
  status_ = ext::GdipCreateHICONFromBitmap(image_, &icon);
  return status_ == gdip::Ok ? icon : 0;
}

bool ImageObject::SetPixel(int32_t x, int32_t y, COLORREF colour) {
  status_ = ext::GdipBitmapSetPixel(image_, x, y, ColorToArgb(colour, 255));
  return status_ == gdip::Ok;
}

int32_t ImageObject::GetPixel(int32_t x, int32_t y) {
  ARGB colour = 0;
  status_ = ext::GdipBitmapGetPixel(image_, x, y, &colour);
  return status_ == gdip::Ok ? int32_t(colour) : -1;
}

bool ImageObject::SetResolution(float x, float y) {
  status_ = ext::GdipBitmapSetResolution(image_, x, y);
  return status_ == gdip::Ok;
}

// ---- Encoders ----

bool ImageObject::GetEncoders(std::vector<EncoderRecord>& list) {
  list.clear();
  UINT count = 0, size = 0;
  status_ = ext::GdipGetImageEncodersSize(&count, &size);
  if (status_ != gdip::Ok) return false;
  if (size < uint64_t(count) * sizeof(ImageCodecInfo)) {
    status_ = gdip::GenericError;  // the library's sizes contradict each other
    return false;
  }
  frame::ByteSet buffer{std::vector<uint8_t>(size)};
  status_ =
      ext::GdipGetImageEncoders(count, size, reinterpret_cast<ImageCodecInfo*>(buffer.data()));
  if (status_ != gdip::Ok) return false;
  const uint8_t* begin = buffer.data();
  const uint8_t* end = begin + buffer.size();
  for (UINT i = 0; i < count; ++i) {
    ImageCodecInfo info;
    std::memcpy(&info, begin + size_t(i) * sizeof info, sizeof info);
    EncoderRecord record;
    record.classId = info.Clsid;
    record.formatId = info.FormatID;
    record.codecName = FromWide(info.CodecName, begin, end);
    record.libraryName = FromWide(info.DllName, begin, end);
    record.formatDescription = FromWide(info.FormatDescription, begin, end);
    record.extensions = FromWide(info.FilenameExtension, begin, end);
    record.mimeType = FromWide(info.MimeType, begin, end);
    record.flags = info.Flags;
    record.version = info.Version;
    record.signatureCount = info.SigCount;
    record.signatureSize = info.SigSize;
    uint64_t signatureBytes = uint64_t(info.SigCount) * info.SigSize;
    if (signatureBytes <= size) {
      record.signaturePattern = BytesWithin(info.SigPattern, size_t(signatureBytes), begin, end);
      record.signatureMask = BytesWithin(info.SigMask, size_t(signatureBytes), begin, end);
    }
    list.push_back(std::move(record));
  }
  return true;
}

bool ImageObject::GetEncoderParameters(int32_t format, std::vector<EncoderParameterRecord>& list) {
  list.clear();
  CLSID encoder = EncoderClassId(format);
  UINT size = 0;
  status_ = ext::GdipGetEncoderParameterListSize(image_, &encoder, &size);
  if (status_ != gdip::Ok) return false;
  if (size < sizeof(EncoderParameters)) {
    status_ = gdip::GenericError;  // too small for the list's own header
    return false;
  }
  frame::ByteSet buffer{std::vector<uint8_t>(size)};
  auto* parameters = reinterpret_cast<EncoderParameters*>(buffer.data());
  status_ = ext::GdipGetEncoderParameterList(image_, &encoder, size, parameters);
  if (status_ != gdip::Ok) return false;
  const uint8_t* begin = buffer.data();
  const uint8_t* end = begin + buffer.size();
  size_t head = offsetof(EncoderParameters, Parameter);
  if (parameters->Count > (size - head) / sizeof(EncoderParameter)) {
    status_ = gdip::GenericError;  // more parameters than the list's size holds
    return false;
  }
  for (UINT i = 0; i < parameters->Count; ++i) {
    EncoderParameter parameter;
    std::memcpy(&parameter, begin + head + size_t(i) * sizeof parameter, sizeof parameter);
    uint64_t valueBytes = uint64_t(parameter.NumberOfValues) * ValueSize(parameter.Type);
    EncoderParameterRecord record{parameter.Guid, parameter.Type, parameter.NumberOfValues, {}};
    if (valueBytes <= size)
      record.values =
          BytesWithin(static_cast<const uint8_t*>(parameter.Value), size_t(valueBytes), begin, end);
    list.push_back(std::move(record));
  }
  return true;
}

// ---- New images from this one ----

GpImage ImageObject::Clone() {
  GpImage clone = 0;
  return ext::GdipCloneImage(image_, &clone) == gdip::Ok ? clone : 0;
}

// The status tells the outcome: the first failing call, else the drawing's.
int32_t ImageObject::Scale(float width, float height, bool replace,
                           std::optional<InterpolationMode> interpolation) {
  OwnedDc78 dc(ext::CreateCompatibleDC70(0));
  OwnedGraphics screen;
  status_ = ext::GdipCreateFromHDC(dc.get(), screen.out());
  if (status_ != gdip::Ok) return -1;
  OwnedImage bitmap;
  status_ = ext::GdipCreateBitmapFromGraphics(int32_t(width), int32_t(height), screen.get(),
                                              bitmap.out());
  if (status_ != gdip::Ok) return -1;
  {
    OwnedGraphics painter;
    status_ = ext::GdipGetImageGraphicsContext(bitmap.get(), painter.out());
    if (status_ != gdip::Ok) return -1;
    if (interpolation) ext::GdipSetInterpolationMode(painter.get(), *interpolation);
    status_ = ext::GdipDrawImageRect(painter.get(), image_, 0, 0, width, height);
    if (status_ != gdip::Ok) return -1;
  }
  GpImage scaled = bitmap.release();
  if (replace) Attach(scaled);
  return int32_t(scaled);
}

int32_t ImageObject::Thumbnail(int32_t width, int32_t height, bool replace) {
  // The first thumbnail of the program's life is made twice, the first one thrown away.
  static bool primed = false;
  if (!primed) {
    primed = true;
    GpImage first = 0;
    if (ext::GdipGetImageThumbnail(image_, UINT(width), UINT(height), &first, nullptr, nullptr) ==
        gdip::Ok)
      ext::GdipDisposeImage(first);
  }
  GpImage thumbnail = 0;
  status_ =
      ext::GdipGetImageThumbnail(image_, UINT(width), UINT(height), &thumbnail, nullptr, nullptr);
  if (status_ != gdip::Ok) return -1;
  if (replace) Attach(thumbnail);
  return int32_t(thumbnail);
}

bool ImageObject::RotateFlip(RotateFlipType kind) {
  status_ = ext::GdipImageRotateFlip(image_, kind);
  return status_ == gdip::Ok;
}

bool ImageObject::ConvertPixelFormat(win32::PixelFormat format) {
  int32_t width = Width(), height = Height();
  OwnedImage bitmap;
  status_ = ext::GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, bitmap.out());
  if (status_ != gdip::Ok) return false;
  {
    OwnedGraphics painter;
    status_ = ext::GdipGetImageGraphicsContext(bitmap.get(), painter.out());
    if (status_ != gdip::Ok) return false;
    status_ = ext::GdipDrawImage(painter.get(), image_, 0, 0);
    if (status_ != gdip::Ok) return false;
  }
  Attach(bitmap.release());
  return true;
}

// ---- Property items ----

bool ImageObject::GetPropertySize(uint32_t& totalSize, uint32_t& count) {
  UINT total = 0, items = 0;
  status_ = ext::GdipGetPropertySize(image_, &total, &items);
  if (status_ != gdip::Ok) return false;
  totalSize = total;
  count = items;
  return true;
}

bool ImageObject::GetPropertyIds(std::vector<PROPID>& list) {
  list.clear();
  uint32_t total = 0, count = 0;
  if (!GetPropertySize(total, count)) return false;
  std::vector<PROPID> ids(count);
  status_ = ext::GdipGetPropertyIdList(image_, count, ids.data());
  if (status_ != gdip::Ok) return false;
  list = std::move(ids);
  return true;
}

frame::ByteSet ImageObject::GetPropertyItem(PROPID id) {
  UINT size = 0;
  status_ = ext::GdipGetPropertyItemSize(image_, id, &size);
  if (status_ != gdip::Ok || size < sizeof(win32::PropertyItem)) return frame::ByteSet();
  frame::ByteSet item{std::vector<uint8_t>(size)};
  status_ = ext::GdipGetPropertyItem(image_, id, size,
                                     reinterpret_cast<win32::PropertyItem*>(item.data()));
  return status_ == gdip::Ok ? item : frame::ByteSet();
}

// The value is read from the bytes after the item, not through its pointer, which pointed into
// the library's copy.
int32_t ImageObject::PropertyValues(const frame::ByteSet& item, std::vector<int32_t>& values) {
  values.clear();
  if (item.size() < sizeof(win32::PropertyItem)) return 0;
  win32::PropertyItem header;
  std::memcpy(&header, item.data(), sizeof header);
  size_t available = item.size() - sizeof header;
  size_t count = std::min<size_t>(header.length, available) / 4;
  values.resize(count);
  if (count != 0) std::memcpy(values.data(), item.data() + sizeof header, count * 4);
  return int32_t(count);
}

// ---- Frames ----

int32_t ImageObject::FrameCount() {
  std::vector<GUID> dimensions;
  if (!FrameDimensions(dimensions)) return -1;
  UINT count = 0;
  status_ = ext::GdipImageGetFrameCount(image_, &dimensions[0], &count);
  return status_ == gdip::Ok ? int32_t(count) : -1;
}

bool ImageObject::FrameDimensions(std::vector<GUID>& list) {
  list.clear();
  UINT count = 0;
  status_ = ext::GdipImageGetFrameDimensionsCount(image_, &count);
  if (status_ != gdip::Ok || count == 0) return false;
  std::vector<GUID> dimensions(count);
  status_ = ext::GdipImageGetFrameDimensionsList(image_, dimensions.data(), count);
  if (status_ != gdip::Ok) return false;
  list = std::move(dimensions);
  return true;
}

bool ImageObject::SelectFrame(uint32_t index, int32_t dimension) {
  GUID id = dimension == 1 ? gdip::FrameDimensionPage : gdip::FrameDimensionTime;
  status_ = ext::GdipImageSelectActiveFrame(image_, &id, index);
  return status_ == gdip::Ok;
}

GpStatus ImageObject::SaveAdd(const EncoderParameters* parameters) {
  return ext::GdipSaveAdd(image_, parameters);
}

// Without parameters the image is added as a new page.
GpStatus ImageObject::SaveAddImage(GpImage other, const EncoderParameters* parameters) {
  ULONG page = gdip::EncoderValueFrameDimensionPage;
  EncoderParameters newPage{
      1, {{gdip::EncoderSaveFlag, 1, gdip::EncoderParameterValueTypeLong, &page}}};
  return ext::GdipSaveAddImage(image_, other, parameters ? parameters : &newPage);
}

}  // namespace imaging
