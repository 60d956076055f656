// Encoding images: JPEG (quality honoured) and TIFF through Qt's image I/O, GIF through giflib,
// PNG and BMP through our own writers (BMP always 32 bits per pixel). The encoder is chosen by its
// class id.
#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>
#include <span>

#include "platform/picture/gdiplus/objects.h"

namespace platform::gdiplus {

enum class EncoderKind { Bmp, Jpeg, Gif, Tiff, Png };
std::optional<EncoderKind> EncoderOf(const win32::CLSID& encoder);

// What the encoder parameters ask for.
struct EncoderSettings {
  std::optional<int> quality;            // EncoderQuality, 0 to 100 (JPEG)
  std::optional<win32::ULONG> saveFlag;  // EncoderSaveFlag (multi-frame saves)
};
// InvalidParameter for a malformed parameter; parameters no encoder honours are ignored.
win32::GpStatus ReadEncoderParameters(const win32::EncoderParameters* parameters,
                                      EncoderSettings& settings);

// Encodes the frames (ARGB32); only GIF takes more than one. dpi: of the first frame.
win32::GpStatus Encode(EncoderKind kind, std::span<const QImage> frames, float dpiX, float dpiY,
                       const EncoderSettings& settings, QByteArray& out);

}  // namespace platform::gdiplus
