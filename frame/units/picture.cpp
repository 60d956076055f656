#include "frame/units/picture.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>

#include "platform/core/codecs/dib.h"
#include "platform/core/codecs/ico.h"
#include "platform/core/codecs/pcx.h"
#include "platform/core/gdi/icon_objects.h"
#include "platform/picture/gdi/icon_images.h"
#include "platform/picture/gdi/objects.h"

namespace frame::units {
namespace {

namespace codecs = platform::codecs;

QImage FromDib(const codecs::DibImage& image) {
  QImage out(image.width, image.height, QImage::Format_ARGB32);
  if (out.isNull()) return out;
  for (int y = 0; y < image.height; ++y)
    std::copy_n(image.pixels.data() + static_cast<size_t>(y) * image.width, image.width,
                reinterpret_cast<uint32_t*>(out.scanLine(y)));
  return out;
}

QImage DecodeWithQt(std::span<const uint8_t> bytes, const char* format) {
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size()));
  return QImage::fromData(data, format);
}

constexpr int kIconSide = 32;

// The image closest to 32 x 32; with `sharp`, drawn from the image nearest the device size.
QImage DecodeIcon(std::span<const uint8_t> bytes, bool sharp) {
  auto directory = codecs::ReadIcoDirectory(bytes);
  if (!directory || directory->entries.empty()) return {};
  const size_t chosen = codecs::ChooseIconImage(directory->entries, kIconSide, kIconSide);
  auto image = codecs::DecodeIcoImage(bytes, chosen);
  if (!image) return QImage();
  if (sharp)
    if (auto detail = platform::gdi::ChooseDetailImage(directory->entries, chosen, kIconSide))
      if (auto larger = codecs::DecodeIcoImage(bytes, *detail)) {
        QImage shown =
            platform::gdi::Scaled(FromDib(*larger), platform::gdi::DeviceLength(image->width),
                                  platform::gdi::DeviceLength(image->height));
        shown.setDevicePixelRatio(platform::gdi::DeviceRatio());
        return shown;
      }
  return FromDib(*image);
}

uint16_t Word(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

}  // namespace

PictureFormat RecognisePicture(std::span<const uint8_t> b) {
  if (b.size() < 6) return PictureFormat::None;
  if (b[0] == 'B' && b[1] == 'M') return PictureFormat::Bitmap;
  if (b[0] == 0xFF && b[1] == 0xD8) return PictureFormat::Jpeg;
  if (Word(b, 0) == 0 && Word(b, 2) == 1 && Word(b, 4) != 0) return PictureFormat::Icon;
  if (Word(b, 0) == 0 && Word(b, 2) == 2 && Word(b, 4) != 0) return PictureFormat::Cursor;
  if (std::memcmp(b.data(), "GIF87a", 6) == 0 || std::memcmp(b.data(), "GIF89a", 6) == 0)
    return PictureFormat::Gif;
  if (codecs::LooksLikePcx(b)) return PictureFormat::Pcx;
  return PictureFormat::None;
}

QImage DecodePicture(std::span<const uint8_t> bytes) {
  switch (RecognisePicture(bytes)) {
    case PictureFormat::Bitmap: {
      // Shown as the classic picture loader shows bitmaps: without their alpha.
      auto image = codecs::DecodeBmpFile(bytes);
      return image ? FromDib(*image).convertToFormat(QImage::Format_RGB32) : QImage();
    }
    case PictureFormat::Jpeg:
      return DecodeWithQt(bytes, "JPEG");
    case PictureFormat::Gif:
      return DecodeWithQt(bytes, "GIF");
    case PictureFormat::Icon:
    case PictureFormat::Cursor:
      return DecodeIcon(bytes, false);
    case PictureFormat::Pcx: {
      auto image = codecs::DecodePcx(bytes);
      return image ? FromDib(*image) : QImage();
    }
    case PictureFormat::None:
      break;
  }
  return {};
}

QImage DisplayPicture(std::span<const uint8_t> bytes) {
  switch (RecognisePicture(bytes)) {
    case PictureFormat::Bitmap: {
      QImage image = DecodePicture(bytes);
      if (platform::gdi::DeviceRatio() <= 1 || image.isNull()) return image;
      const QImage device = platform::gdi::DeviceRendering(image);
      return device.isNull() ? image : device.convertToFormat(QImage::Format_RGB32);
    }
    case PictureFormat::Icon:
    case PictureFormat::Cursor:
      return DecodeIcon(bytes, true);
    default:
      return DecodePicture(bytes);
  }
}

}  // namespace frame::units
