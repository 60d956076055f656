#include "tests/imaging/imaging_support.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/core/ole32/stream.h"
#include "platform/picture/codecs/gif_encoder.h"
#include "platform/win32/gdiplus.h"
#include "platform/win32/ole32.h"

namespace imaging_test {

using namespace win32;
namespace gp = platform::gdiplus;

namespace {

// The program starts the library once and never shuts it down; the tests do the same.
class LibraryEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ULONG_PTR token = 0;
    GdiplusStartupInput input{1, nullptr, FALSE, FALSE};
    ASSERT_EQ(gp::GdiplusStartup(&token, &input, nullptr), gdip::Ok);
  }
};
[[maybe_unused]] auto* const environment =
    ::testing::AddGlobalTestEnvironment(new LibraryEnvironment);

}  // namespace

QImage Pattern(int width, int height, bool withAlpha) {
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      int alpha = withAlpha ? (x * 255) / std::max(1, width - 1) : 255;
      image.setPixel(x, y, qRgba((x * 37 + y * 11) & 0xFF, (y * 53) & 0xFF, (x * y) & 0xFF, alpha));
    }
  return image;
}

GpImage BitmapFrom(const QImage& pixels) {
  QImage argb = pixels.convertToFormat(QImage::Format_ARGB32);
  GpBitmap bitmap = 0;
  EXPECT_EQ(gp::GdipCreateBitmapFromScan0(argb.width(), argb.height(), int(argb.bytesPerLine()),
                                          gdip::PixelFormat32bppARGB, argb.bits(), &bitmap),
            gdip::Ok);
  return bitmap;
}

QImage PixelsOf(GpImage image) {
  UINT width = 0, height = 0;
  if (gp::GdipGetImageWidth(image, &width) != gdip::Ok ||
      gp::GdipGetImageHeight(image, &height) != gdip::Ok)
    return QImage();
  QImage pixels(int(width), int(height), QImage::Format_ARGB32);
  for (int y = 0; y < int(height); ++y)
    for (int x = 0; x < int(width); ++x) {
      ARGB colour = 0;
      gp::GdipBitmapGetPixel(image, x, y, &colour);
      pixels.setPixel(x, y, colour);
    }
  return pixels;
}

std::vector<uint8_t> Encode(GpImage image, const CLSID& encoder,
                            const EncoderParameters* parameters, GpStatus* status) {
  ISTREAM stream = 0;
  platform::ole32::CreateStreamOnHGlobal(0, TRUE, &stream);
  GpStatus result = gp::GdipSaveImageToStream(image, stream, &encoder, parameters);
  if (status) *status = result;
  uint64_t size = 0;
  platform::ole32::StreamSize(stream, &size);
  std::vector<uint8_t> bytes(size);
  platform::ole32::StreamSeek(stream, 0, platform::ole32::SeekOrigin::Set);
  platform::ole32::StreamRead(stream, bytes, nullptr);
  platform::ole32::StreamRelease(stream);
  return bytes;
}

GpImage Decode(const std::vector<uint8_t>& bytes, GpStatus* status) {
  ISTREAM stream = 0;
  platform::ole32::CreateStreamOnHGlobal(0, TRUE, &stream);
  platform::ole32::StreamWrite(stream, bytes);
  platform::ole32::StreamSeek(stream, 0, platform::ole32::SeekOrigin::Set);
  GpImage image = 0;
  GpStatus result = gp::GdipLoadImageFromStream(stream, &image);
  if (status) *status = result;
  platform::ole32::StreamRelease(stream);
  return image;
}

QImage QtDecode(const std::vector<uint8_t>& bytes) {
  QImage image;
  image.loadFromData(bytes.data(), int(bytes.size()));
  return image.convertToFormat(QImage::Format_ARGB32);
}

std::vector<uint8_t> QtEncode(const QImage& image, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setQuality(quality);
  EXPECT_TRUE(writer.write(image)) << format;
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

int MaxChannelDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 256;
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (qAlpha(p) == 0 && qAlpha(q) == 0) continue;
      worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                        std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
    }
  return worst;
}

int MaxColourDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 256;
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                        std::abs(qBlue(p) - qBlue(q))});
    }
  return worst;
}

bool EqualUpToPremultiplying(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      int alpha = qAlpha(p);
      if (alpha != qAlpha(q)) return false;
      if (alpha == 0) continue;
      int allowed = 256 / alpha;
      if (std::abs(qRed(p) - qRed(q)) > allowed || std::abs(qGreen(p) - qGreen(q)) > allowed ||
          std::abs(qBlue(p) - qBlue(q)) > allowed)
        return false;
    }
  return true;
}

std::vector<uint8_t> GifOf(const std::vector<QImage>& frames) {
  std::vector<QImage> argb;
  std::vector<platform::codecs::GifFrame> gifFrames;
  for (const QImage& frame : frames)
    argb.push_back(frame.convertToFormat(QImage::Format_ARGB32));
  for (const QImage& frame : argb)
    gifFrames.push_back({frame.width(),
                         frame.height(),
                         {reinterpret_cast<const uint32_t*>(frame.constBits()),
                          size_t(frame.width()) * size_t(frame.height())},
                         10});
  auto gif = platform::codecs::EncodeGif(gifFrames);
  EXPECT_TRUE(gif.ok());
  return gif.ok() ? *gif : std::vector<uint8_t>();
}

}  // namespace imaging_test
