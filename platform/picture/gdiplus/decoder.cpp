#include "platform/picture/gdiplus/decoder.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <cstring>
#include <span>

#include "platform/core/codecs/dib.h"
#include "platform/core/codecs/ico.h"
#include "platform/core/codecs/png.h"
#include "platform/picture/gdiplus/codec_messages.h"

namespace platform::gdiplus {
namespace {

using namespace win32;

enum class Format { Unknown, Bmp, Icon, Png, Jpeg, Gif, Tiff };

bool StartsWith(const QByteArray& bytes, std::initializer_list<uint8_t> head) {
  if (bytes.size() < qsizetype(head.size())) return false;
  return std::equal(head.begin(), head.end(), reinterpret_cast<const uint8_t*>(bytes.constData()));
}

Format Sniff(const QByteArray& bytes) {
  if (StartsWith(bytes, {'B', 'M'})) return Format::Bmp;
  if (StartsWith(bytes, {0, 0, 1, 0}) || StartsWith(bytes, {0, 0, 2, 0})) return Format::Icon;
  if (StartsWith(bytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return Format::Png;
  if (StartsWith(bytes, {0xFF, 0xD8, 0xFF})) return Format::Jpeg;
  if (StartsWith(bytes, {'G', 'I', 'F', '8', '7', 'a'}) ||
      StartsWith(bytes, {'G', 'I', 'F', '8', '9', 'a'}))
    return Format::Gif;
  if (StartsWith(bytes, {'I', 'I', 42, 0}) || StartsWith(bytes, {'M', 'M', 0, 42}))
    return Format::Tiff;
  return Format::Unknown;
}

std::span<const uint8_t> AsSpan(const QByteArray& bytes) {
  return {reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())};
}

constexpr UINT kDecodedFlags =
    gdip::ImageFlagsReadOnly | gdip::ImageFlagsHasRealPixelSize | gdip::ImageFlagsHasRealDPI;

float DpiFromPixelsPerMeter(int64_t perMeter) {
  return perMeter > 0 && perMeter < 1000000 ? float(double(perMeter) * 0.0254) : 96.0f;
}

// ---- BMP and icons through the DIB decoder ----

QImage ToQImage(const codecs::DibImage& dib) {
  QImage pixels(dib.width, dib.height, QImage::Format_ARGB32);
  if (pixels.isNull()) return pixels;
  for (int y = 0; y < dib.height; ++y)
    std::memcpy(pixels.scanLine(y), dib.pixels.data() + size_t(y) * size_t(dib.width),
                size_t(dib.width) * 4);
  return pixels;
}

PixelFormat BitmapPixelFormat(int bitCount, bool translucent) {
  switch (bitCount) {
    case 1:
      return gdip::PixelFormat1bppIndexed;
    case 4:
      return gdip::PixelFormat4bppIndexed;
    case 8:
      return gdip::PixelFormat8bppIndexed;
    case 16:
      return gdip::PixelFormat16bppRGB555;
    case 24:
      return gdip::PixelFormat24bppRGB;
    default:
      return translucent ? gdip::PixelFormat32bppARGB : gdip::PixelFormat32bppRGB;
  }
}

int32_t ReadLittleEndian32(const QByteArray& bytes, qsizetype offset) {
  if (bytes.size() < offset + 4) return 0;
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i)
    v = (v << 8) | uint8_t(bytes[offset + i]);
  return int32_t(v);
}

GpStatus DecodeWithQt(const QByteArray& bytes, Format format, std::unique_ptr<Image>& image);

GpStatus DecodeBmp(const QByteArray& bytes, std::unique_ptr<Image>& image) {
  auto dib = codecs::DecodeBmpFile(AsSpan(bytes));
  if (!dib) {
    // Compressed bitmaps (run-length, bit fields) the DIB decoder leaves to Qt's reader.
    if (dib.error() == codecs::DibError::UnsupportedCompression)
      return DecodeWithQt(bytes, Format::Bmp, image);
    return dib.error() == codecs::DibError::TooLarge ? gdip::OutOfMemory : gdip::GenericError;
  }
  if (!FitsLimits(dib->width, dib->height)) return gdip::OutOfMemory;
  bool translucent = std::any_of(dib->pixels.begin(), dib->pixels.end(),
                                 [](uint32_t p) { return (p >> 24) != 0xFF; });
  image = NewBitmap(ToQImage(*dib), BitmapPixelFormat(dib->bitCount, translucent));
  if (!image) return gdip::OutOfMemory;
  image->rawFormat = gdip::ImageFormatBMP;
  image->decodedFlags = kDecodedFlags | gdip::ImageFlagsColorSpaceRGB;
  image->dpiX = DpiFromPixelsPerMeter(ReadLittleEndian32(bytes, 38));
  image->dpiY = DpiFromPixelsPerMeter(ReadLittleEndian32(bytes, 42));
  return gdip::Ok;
}

// An icon file gives its largest image, at the deepest colour depth among those.
GpStatus DecodeIcon(const QByteArray& bytes, std::unique_ptr<Image>& image) {
  std::span<const uint8_t> file = AsSpan(bytes);
  auto directory = codecs::ReadIcoDirectory(file);
  if (!directory) return gdip::GenericError;
  constexpr int kLargestIcon = 256;
  size_t index = codecs::ChooseIconImage(directory->entries, kLargestIcon, kLargestIcon);
  auto icon = codecs::DecodeIcoImage(file, index);
  if (!icon)
    return icon.error() == codecs::IcoError::TooLarge ? gdip::OutOfMemory : gdip::GenericError;
  if (!FitsLimits(icon->width, icon->height)) return gdip::OutOfMemory;
  image = NewBitmap(ToQImage(*icon), gdip::PixelFormat32bppARGB);
  if (!image) return gdip::OutOfMemory;
  image->rawFormat = gdip::ImageFormatIcon;
  image->decodedFlags = kDecodedFlags | gdip::ImageFlagsColorSpaceRGB;
  return gdip::Ok;
}

// ---- PNG through the program's own decoder ----

// The pixel format Qt's reader reported for the same file, so that nothing changes for callers.
PixelFormat PngPixelFormat(const codecs::PngFacts& facts) {
  const bool wide = facts.bitDepth == 16;
  switch (facts.colourType) {
    case 0:
      if (facts.transparencyKey) return gdip::PixelFormat32bppARGB;
      return facts.bitDepth == 1 ? gdip::PixelFormat1bppIndexed : gdip::PixelFormat8bppIndexed;
    case 3:
      return facts.bitDepth == 1 ? gdip::PixelFormat1bppIndexed : gdip::PixelFormat8bppIndexed;
    case 2:
      if (facts.transparencyKey)
        return wide ? gdip::PixelFormat64bppARGB : gdip::PixelFormat32bppARGB;
      return wide ? gdip::PixelFormat48bppRGB : gdip::PixelFormat24bppRGB;
    default:
      return wide ? gdip::PixelFormat64bppARGB : gdip::PixelFormat32bppARGB;
  }
}

bool IsGrey(const codecs::PngFacts& facts, const QImage& pixels) {
  switch (facts.colourType) {
    case 0:
    case 4:
      return true;
    case 3:
      return facts.greyPalette;
    default:
      return pixels.allGray();
  }
}

// Decoded straight into the image's pixels.
GpStatus DecodePng(const QByteArray& bytes, std::unique_ptr<Image>& image) {
  int width = 0, height = 0;
  if (auto header = codecs::ReadPngFacts(AsSpan(bytes), &width, &height); !header)
    return header.error() == codecs::PngError::TooLarge ? gdip::OutOfMemory : gdip::GenericError;
  if (!FitsLimits(width, height)) return gdip::OutOfMemory;
  QImage pixels(width, height, QImage::Format_ARGB32);
  if (pixels.isNull()) return gdip::OutOfMemory;
  auto facts = codecs::DecodePng(
      AsSpan(bytes), {reinterpret_cast<uint32_t*>(pixels.bits()), size_t(width) * size_t(height)});
  if (!facts)
    return facts.error() == codecs::PngError::OutOfMemory ? gdip::OutOfMemory : gdip::GenericError;
  const bool grey = IsGrey(*facts, pixels);
  image = NewBitmap(std::move(pixels), PngPixelFormat(*facts));
  if (!image) return gdip::OutOfMemory;
  image->rawFormat = gdip::ImageFormatPNG;
  image->decodedFlags =
      kDecodedFlags | (grey ? gdip::ImageFlagsColorSpaceGRAY : gdip::ImageFlagsColorSpaceRGB);
  image->dpiX = DpiFromPixelsPerMeter(facts->pixelsPerMeterX);
  image->dpiY = DpiFromPixelsPerMeter(facts->pixelsPerMeterY);
  return gdip::Ok;
}

// ---- JPEG, GIF, TIFF through Qt ----

const char* QtFormatName(Format format) {
  switch (format) {
    case Format::Bmp:
      return "bmp";
    case Format::Png:
      return "png";
    case Format::Jpeg:
      return "jpeg";
    case Format::Gif:
      return "gif";
    case Format::Tiff:
      return "tiff";
    default:
      return "";
  }
}

GUID RawFormatOf(Format format) {
  switch (format) {
    case Format::Bmp:
      return gdip::ImageFormatBMP;
    case Format::Icon:
      return gdip::ImageFormatIcon;
    case Format::Png:
      return gdip::ImageFormatPNG;
    case Format::Jpeg:
      return gdip::ImageFormatJPEG;
    case Format::Gif:
      return gdip::ImageFormatGIF;
    case Format::Tiff:
      return gdip::ImageFormatTIFF;
    case Format::Unknown:
      break;
  }
  return gdip::ImageFormatMemoryBMP;
}

PixelFormat QtPixelFormat(Format format, QImage::Format decoded) {
  if (format == Format::Gif) return gdip::PixelFormat8bppIndexed;
  switch (decoded) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
      return gdip::PixelFormat1bppIndexed;
    case QImage::Format_Indexed8:
    case QImage::Format_Grayscale8:
    case QImage::Format_Grayscale16:
      return gdip::PixelFormat8bppIndexed;
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
      return gdip::PixelFormat64bppARGB;
    case QImage::Format_RGBX64:
      return gdip::PixelFormat48bppRGB;
    default:
      break;
  }
  return QImage::toPixelFormat(decoded).alphaUsage() == QPixelFormat::UsesAlpha
             ? gdip::PixelFormat32bppARGB
             : gdip::PixelFormat24bppRGB;
}

// Qt's readers refuse, by default, to allocate more than 128 MiB for one picture: a JPEG of
// 6,000 x 6,000 would be refused while a PNG of that size loads. Every picture within
// FitsLimits is allowed, at up to 8 bytes a pixel (16-bit channels); the limits themselves are
// checked on the size the reader reports before it reads.
void AllowPicturesWithinTheLimits() {
  static const bool allowed = [] {
    constexpr int64_t kBytesPerPixel = 8;
    QImageReader::setAllocationLimit(int(kMaxImagePixels * kBytesPerPixel >> 20));
    return true;
  }();
  (void)allowed;
}

GpStatus ReadQtFrame(const QByteArray& bytes, const char* qtFormat, UINT index, QImage& frame) {
  AllowPicturesWithinTheLimits();
  QuietCodecMessages quiet(qtFormat);
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, qtFormat);
  reader.setDecideFormatFromContent(false);
  reader.setAutoTransform(false);
  // GIF frames build on each other, so they are read in order; TIFF pages can be jumped to.
  if (index > 0 && !reader.jumpToImage(int(index))) {
    for (UINT i = 0; i < index; ++i)
      if (reader.read().isNull()) return gdip::GenericError;
  }
  QSize size = reader.size();
  if (size.isValid() && !FitsLimits(size.width(), size.height())) return gdip::OutOfMemory;
  frame = reader.read();
  if (frame.isNull()) return gdip::GenericError;
  if (!FitsLimits(frame.width(), frame.height())) return gdip::OutOfMemory;
  return gdip::Ok;
}

UINT QtFrameCount(const QByteArray& bytes, const char* qtFormat) {
  QuietCodecMessages quiet(qtFormat);
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, qtFormat);
  reader.setDecideFormatFromContent(false);
  return UINT(std::clamp(reader.imageCount(), 1, int(kMaxFrames)));
}

GpStatus DecodeWithQt(const QByteArray& bytes, Format format, std::unique_ptr<Image>& image) {
  const char* qtFormat = QtFormatName(format);
  QImage frame;
  if (GpStatus status = ReadQtFrame(bytes, qtFormat, 0, frame); status != gdip::Ok) return status;
  image = NewBitmap(frame, QtPixelFormat(format, frame.format()));
  if (!image) return gdip::OutOfMemory;
  image->rawFormat = RawFormatOf(format);
  bool grey = frame.isGrayscale() && format != Format::Gif;
  image->decodedFlags =
      kDecodedFlags | (grey ? gdip::ImageFlagsColorSpaceGRAY : gdip::ImageFlagsColorSpaceRGB);
  image->dpiX = DpiFromPixelsPerMeter(frame.dotsPerMeterX());
  image->dpiY = DpiFromPixelsPerMeter(frame.dotsPerMeterY());
  if (format == Format::Gif || format == Format::Tiff) {
    image->frameDimension =
        format == Format::Gif ? gdip::FrameDimensionTime : gdip::FrameDimensionPage;
    image->frameCount = QtFrameCount(bytes, qtFormat);
    if (image->frameCount > 1)
      image->frames = std::make_shared<const EncodedFrames>(EncodedFrames{bytes, qtFormat});
  }
  return gdip::Ok;
}

}  // namespace

GpStatus DecodePicture(const QByteArray& bytes, std::unique_ptr<Image>& image) {
  if (bytes.size() > kMaxEncodedSize) return gdip::OutOfMemory;
  switch (Format format = Sniff(bytes)) {
    case Format::Bmp:
      return DecodeBmp(bytes, image);
    case Format::Icon:
      return DecodeIcon(bytes, image);
    case Format::Png:
      return DecodePng(bytes, image);
    case Format::Jpeg:
    case Format::Gif:
    case Format::Tiff:
      return DecodeWithQt(bytes, format, image);
    case Format::Unknown:
      break;
  }
  return gdip::UnknownImageFormat;
}

GpStatus DecodeFrame(Image& image, UINT index) {
  if (index >= image.frameCount) return gdip::InvalidParameter;
  if (index == image.activeFrame) return gdip::Ok;
  if (!image.frames) return gdip::InvalidParameter;
  QImage frame;
  GpStatus status =
      ReadQtFrame(image.frames->bytes, image.frames->qtFormat.constData(), index, frame);
  if (status != gdip::Ok) return status;
  QImage pixels = frame.convertToFormat(QImage::Format_ARGB32);
  if (pixels.isNull()) return gdip::OutOfMemory;
  image.pixels = std::move(pixels);
  image.activeFrame = index;
  return gdip::Ok;
}

}  // namespace platform::gdiplus
