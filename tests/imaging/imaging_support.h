// Helpers of the imaging tests: the library started once, pictures made by the tests, and
// images moved in and out of the stand-in.
#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

#include "platform/win32/gdiplus.h"

namespace imaging_test {

// Disposes of an image of the stand-in when the test leaves its scope.
struct Disposer {
  win32::GpImage image;
  ~Disposer() {
    if (image) platform::gdiplus::GdipDisposeImage(image);
  }
};

// A picture with distinct colours and, when asked, alpha running from 0 to 255.
QImage Pattern(int width, int height, bool withAlpha);

// A new bitmap of the stand-in holding the pixels (32bppARGB).
win32::GpImage BitmapFrom(const QImage& pixels);
// The pixels of an image of the stand-in, read pixel by pixel (ARGB32).
QImage PixelsOf(win32::GpImage image);

// Encodes through a stream; the status goes to *status when given.
std::vector<uint8_t> Encode(win32::GpImage image, const win32::CLSID& encoder,
                            const win32::EncoderParameters* parameters = nullptr,
                            win32::GpStatus* status = nullptr);
// Loads through a stream; 0 and the status on failure.
win32::GpImage Decode(const std::vector<uint8_t>& bytes, win32::GpStatus* status = nullptr);

// Qt's own reading of encoded bytes, as an independent reader.
QImage QtDecode(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> QtEncode(const QImage& image, const char* format, int quality = -1);

// The largest difference of any channel between two pictures of the same size (256 when the
// sizes differ); pixels with alpha 0 compare equal whatever their colour.
int MaxChannelDifference(const QImage& a, const QImage& b);
// The same for the colour channels only (alpha ignored, every pixel compared).
int MaxColourDifference(const QImage& a, const QImage& b);
// True when the alphas are equal and the colours as close as a round trip through premultiplied
// alpha keeps them (within 256 / alpha).
bool EqualUpToPremultiplying(const QImage& a, const QImage& b);

// A GIF written by the stand-in's encoder (Qt has no GIF writer).
std::vector<uint8_t> GifOf(const std::vector<QImage>& frames);

}  // namespace imaging_test
