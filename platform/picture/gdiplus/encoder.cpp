#include "platform/picture/gdiplus/encoder.h"

#include <QBuffer>
#include <QImageWriter>

#include <cmath>
#include <vector>

#include "platform/core/codecs/bmp_encoder.h"
#include "platform/core/codecs/png.h"
#include "platform/picture/codecs/gif_encoder.h"

namespace platform::gdiplus {
namespace {

using namespace win32;

// More parameters than any encoder has: the list is malformed.
constexpr UINT kMaxEncoderParameters = 64;

int PixelsPerMeter(float dpi) {
  return int(std::lround(double(dpi) / 0.0254));
}

std::span<const uint32_t> Argb(const QImage& pixels) {
  return {reinterpret_cast<const uint32_t*>(pixels.constBits()),
          size_t(pixels.width()) * size_t(pixels.height())};
}

bool IsOpaque(const QImage& pixels) {
  for (uint32_t p : Argb(pixels))
    if ((p >> 24) != 0xFF) return false;
  return true;
}

GpStatus EncodeBmp(const QImage& pixels, float dpiX, float dpiY, QByteArray& out) {
  auto file = codecs::EncodeBmp32(pixels.width(), pixels.height(), Argb(pixels),
                                  PixelsPerMeter(dpiX), PixelsPerMeter(dpiY));
  if (!file) return gdip::OutOfMemory;
  out = QByteArray(reinterpret_cast<const char*>(file->data()), qsizetype(file->size()));
  return gdip::Ok;
}

// Opaque pictures are written without an alpha channel.
GpStatus EncodePng(const QImage& pixels, float dpiX, float dpiY, QByteArray& out) {
  auto file = codecs::EncodePng(pixels.width(), pixels.height(), Argb(pixels), IsOpaque(pixels),
                                PixelsPerMeter(dpiX), PixelsPerMeter(dpiY));
  if (!file) return gdip::OutOfMemory;
  out = QByteArray(reinterpret_cast<const char*>(file->data()), qsizetype(file->size()));
  return gdip::Ok;
}

GpStatus EncodeGif(std::span<const QImage> frames, QByteArray& out) {
  std::vector<codecs::GifFrame> gifFrames;
  for (const QImage& frame : frames)
    gifFrames.push_back(codecs::GifFrame{frame.width(), frame.height(), Argb(frame), 0});
  auto file = codecs::EncodeGif(gifFrames);
  if (!file)
    return file.error() == codecs::GifError::OutOfMemory ? gdip::OutOfMemory : gdip::GenericError;
  out = QByteArray(reinterpret_cast<const char*>(file->data()), qsizetype(file->size()));
  return gdip::Ok;
}

GpStatus EncodeWithQt(EncoderKind kind, QImage pixels, float dpiX, float dpiY,
                      const EncoderSettings& settings, QByteArray& out) {
  // Opaque pictures (and every JPEG) are written without an alpha channel.
  if (kind == EncoderKind::Jpeg || IsOpaque(pixels))
    pixels = pixels.convertToFormat(QImage::Format_RGB32);
  pixels.setDotsPerMeterX(PixelsPerMeter(dpiX));
  pixels.setDotsPerMeterY(PixelsPerMeter(dpiY));
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  const char* format = kind == EncoderKind::Jpeg ? "jpeg" : "tiff";
  QImageWriter writer(&buffer, format);
  if (kind == EncoderKind::Jpeg && settings.quality) writer.setQuality(*settings.quality);
  if (kind == EncoderKind::Tiff) writer.setCompression(1);  // LZW, as the platform's default
  return writer.write(pixels) ? gdip::Ok : gdip::Win32Error;
}

}  // namespace

std::optional<EncoderKind> EncoderOf(const CLSID& encoder) {
  if (encoder == gdip::EncoderClsidBMP) return EncoderKind::Bmp;
  if (encoder == gdip::EncoderClsidJPEG) return EncoderKind::Jpeg;
  if (encoder == gdip::EncoderClsidGIF) return EncoderKind::Gif;
  if (encoder == gdip::EncoderClsidTIFF) return EncoderKind::Tiff;
  if (encoder == gdip::EncoderClsidPNG) return EncoderKind::Png;
  return std::nullopt;
}

GpStatus ReadEncoderParameters(const EncoderParameters* parameters, EncoderSettings& settings) {
  if (!parameters) return gdip::Ok;
  if (parameters->Count > kMaxEncoderParameters) return gdip::InvalidParameter;
  const EncoderParameter* list = &parameters->Parameter[0];  // Count entries follow
  for (UINT i = 0; i < parameters->Count; ++i) {
    const EncoderParameter& p = list[i];
    bool quality = p.Guid == gdip::EncoderQuality;
    if (!quality && !(p.Guid == gdip::EncoderSaveFlag)) continue;
    if (p.Type != gdip::EncoderParameterValueTypeLong || p.NumberOfValues < 1 || !p.Value)
      return gdip::InvalidParameter;
    ULONG value = *static_cast<const ULONG*>(p.Value);
    if (quality) {
      if (value > 100) return gdip::InvalidParameter;
      settings.quality = int(value);
    } else {
      settings.saveFlag = value;
    }
  }
  return gdip::Ok;
}

GpStatus Encode(EncoderKind kind, std::span<const QImage> frames, float dpiX, float dpiY,
                const EncoderSettings& settings, QByteArray& out) {
  if (frames.empty()) return gdip::InvalidParameter;
  if (kind == EncoderKind::Gif) return EncodeGif(frames, out);
  if (frames.size() > 1) return gdip::NotImplemented;  // Qt writes one TIFF page per file
  if (kind == EncoderKind::Bmp) return EncodeBmp(frames[0], dpiX, dpiY, out);
  if (kind == EncoderKind::Png) return EncodePng(frames[0], dpiX, dpiY, out);
  return EncodeWithQt(kind, frames[0], dpiX, dpiY, settings, out);
}

}  // namespace platform::gdiplus
