// Decoding and encoding through the imaging library stand-in: round trips per format, the
// layout of our BMP, real and generated files of every format, and hostile input.
#include <gtest/gtest.h>

#include <QImage>

#include <cstring>
#include <string>

#include "platform/core/codecs/dib.h"
#include "platform/win32/gdiplus.h"
#include "tests/imaging/imaging_support.h"
#include "tests/support/fixtures.h"

namespace {

using namespace win32;
using namespace imaging_test;
namespace gp = platform::gdiplus;

// Qt's reader takes the alpha of a 32-bit BMP as padding, and its TIFF reader goes through
// premultiplied alpha: what each reader is expected to give back.
enum class Fidelity { Exact, ColoursOnly, UpToPremultiplying };

struct LosslessCase {
  const char* name;
  CLSID encoder;
  GUID rawFormat;
  Fidelity ours;
  Fidelity qt;
};

bool Matches(const QImage& decoded, const QImage& original, Fidelity fidelity) {
  switch (fidelity) {
    case Fidelity::Exact:
      return MaxChannelDifference(decoded, original) == 0;
    case Fidelity::ColoursOnly:
      return MaxColourDifference(decoded, original) == 0;
    case Fidelity::UpToPremultiplying:
      return EqualUpToPremultiplying(decoded, original);
  }
  return false;
}

class LosslessRoundTrip : public ::testing::TestWithParam<LosslessCase> {};

TEST_P(LosslessRoundTrip, DecodesWhatItEncodedPixelForPixel) {
  const LosslessCase& c = GetParam();
  QImage original = Pattern(37, 23, /*withAlpha=*/true);
  Disposer source{BitmapFrom(original)};
  GpStatus status = -1;
  std::vector<uint8_t> bytes = Encode(source.image, c.encoder, nullptr, &status);
  ASSERT_EQ(status, gdip::Ok);
  Disposer decoded{Decode(bytes, &status)};
  ASSERT_EQ(status, gdip::Ok);
  EXPECT_TRUE(Matches(PixelsOf(decoded.image), original, c.ours));
  GUID raw{};
  gp::GdipGetImageRawFormat(decoded.image, &raw);
  EXPECT_TRUE(raw == c.rawFormat);
  // Qt's reader, independent of our encoder, sees the same pixels.
  EXPECT_TRUE(Matches(QtDecode(bytes), original, c.qt));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LosslessRoundTrip,
    ::testing::Values(LosslessCase{"bmp", gdip::EncoderClsidBMP, gdip::ImageFormatBMP,
                                   Fidelity::Exact, Fidelity::ColoursOnly},
                      LosslessCase{"png", gdip::EncoderClsidPNG, gdip::ImageFormatPNG,
                                   Fidelity::Exact, Fidelity::Exact},
                      LosslessCase{"tiff", gdip::EncoderClsidTIFF, gdip::ImageFormatTIFF,
                                   Fidelity::UpToPremultiplying, Fidelity::UpToPremultiplying}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BmpEncoder, WritesA54ByteHeaderAndBottomUp32BitRowsWithAlpha) {
  QImage original(3, 2, QImage::Format_ARGB32);
  original.setPixel(0, 0, 0x80102030);  // top-left, half transparent
  original.fill(0xFF000000);
  original.setPixel(0, 0, 0x80102030);
  original.setPixel(2, 1, 0xFFAABBCC);  // bottom-right
  Disposer source{BitmapFrom(original)};
  std::vector<uint8_t> bmp = Encode(source.image, gdip::EncoderClsidBMP);
  ASSERT_EQ(bmp.size(), 54u + 3 * 2 * 4);
  auto u32 = [&](size_t at) {
    uint32_t v;
    std::memcpy(&v, bmp.data() + at, 4);
    return v;
  };
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(u32(2), bmp.size());
  EXPECT_EQ(u32(10), 54u);         // pixels right after the headers
  EXPECT_EQ(u32(14), 40u);         // BITMAPINFOHEADER, no colour masks
  EXPECT_EQ(int32_t(u32(22)), 2);  // positive height: bottom-up
  EXPECT_EQ(bmp[28], 32);          // bit count
  EXPECT_EQ(u32(30), 0u);          // BI_RGB
  EXPECT_EQ(u32(34), 24u);         // image size
  // First stored row is the bottom one: its last pixel is 0xFFAABBCC as B, G, R, A.
  EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54 + 8, bmp.begin() + 54 + 12),
            (std::vector<uint8_t>{0xCC, 0xBB, 0xAA, 0xFF}));
  // The top-left pixel is the first of the second stored row, alpha kept.
  EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54 + 12, bmp.begin() + 54 + 16),
            (std::vector<uint8_t>{0x30, 0x20, 0x10, 0x80}));
}

TEST(BmpEncoder, EveryBitmapIs32BitAndTheDibDecoderReadsItBack) {
  // A 24-bit JPEG, an 8-bit GIF and a 1-bit PNG all come out as 32-bit bitmaps.
  QImage picture = Pattern(10, 7, false);
  const std::pair<const char*, std::vector<uint8_t>> inputs[] = {
      {"jpeg", QtEncode(picture, "jpeg")},
      {"gif", GifOf({picture})},
      {"png", QtEncode(picture.convertToFormat(QImage::Format_Mono), "png")}};
  for (const auto& [format, bytes] : inputs) {
    SCOPED_TRACE(format);
    Disposer decoded{Decode(bytes)};
    ASSERT_NE(decoded.image, 0u);
    std::vector<uint8_t> bmp = Encode(decoded.image, gdip::EncoderClsidBMP);
    ASSERT_EQ(bmp.size(), 54u + 10 * 7 * 4);
    EXPECT_EQ(bmp[28], 32);
    auto dib = platform::codecs::DecodeBmpFile(bmp);
    ASSERT_TRUE(dib.ok());
    EXPECT_EQ(dib->bitCount, 32);
    QImage pixels = PixelsOf(decoded.image);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 10; ++x)
        EXPECT_EQ(dib->pixels[y * 10 + x], pixels.pixel(x, y));
  }
}

TEST(JpegEncoder, QualityIsHonouredAndPixelsStayClose) {
  QImage photo(96, 96, QImage::Format_ARGB32);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x)
      photo.setPixel(x, y, qRgb(x * 2, y * 2, (x + y) % 256));
  Disposer source{BitmapFrom(photo)};
  auto withQuality = [&](ULONG quality) {
    EncoderParameters p{1,
                        {{gdip::EncoderQuality, 1, gdip::EncoderParameterValueTypeLong, &quality}}};
    GpStatus status = -1;
    std::vector<uint8_t> bytes = Encode(source.image, gdip::EncoderClsidJPEG, &p, &status);
    EXPECT_EQ(status, gdip::Ok);
    return bytes;
  };
  std::vector<uint8_t> low = withQuality(10), high = withQuality(95);
  EXPECT_LT(low.size(), high.size());
  Disposer decoded{Decode(high)};
  EXPECT_LE(MaxChannelDifference(PixelsOf(decoded.image), photo), 12);

  ULONG tooHigh = 101;
  EncoderParameters bad{1,
                        {{gdip::EncoderQuality, 1, gdip::EncoderParameterValueTypeLong, &tooHigh}}};
  GpStatus status = gdip::Ok;
  Encode(source.image, gdip::EncoderClsidJPEG, &bad, &status);
  EXPECT_EQ(status, gdip::InvalidParameter);
}

TEST(GifEncoder, KeepsFullyTransparentPixelsAndExactColours) {
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(0);
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x)
      icon.setPixel(x, y, (x + y) % 2 ? 0xFFFF0000 : 0xFF0000FF);
  Disposer source{BitmapFrom(icon)};
  std::vector<uint8_t> gif = Encode(source.image, gdip::EncoderClsidGIF);
  ASSERT_FALSE(gif.empty());
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
  EXPECT_EQ(MaxChannelDifference(QtDecode(gif), icon), 0);
  Disposer decoded{Decode(gif)};
  EXPECT_EQ(MaxChannelDifference(PixelsOf(decoded.image), icon), 0);
  PixelFormat format = 0;
  gp::GdipGetImagePixelFormat(decoded.image, &format);
  EXPECT_EQ(format, gdip::PixelFormat8bppIndexed);
}

TEST(GifEncoder, APictureWithManyColoursIsReducedToAPalette) {
  QImage photo = Pattern(64, 64, false);
  Disposer source{BitmapFrom(photo)};
  GpStatus status = -1;
  std::vector<uint8_t> gif = Encode(source.image, gdip::EncoderClsidGIF, nullptr, &status);
  ASSERT_EQ(status, gdip::Ok);
  QImage back = QtDecode(gif);
  ASSERT_EQ(back.size(), photo.size());
  EXPECT_LE(MaxChannelDifference(back, photo), 64);
}

// An icon of many colours laid on white: the white stays exactly white (the quantizer alone,
// at 5 bits a channel, gives (248, 248, 248)), and the other colours stay close.
TEST(GifEncoder, TheBackgroundOfAPictureOfManyColoursStaysExact) {
  QImage onWhite(96, 96, QImage::Format_ARGB32);
  onWhite.fill(0xFFFFFFFF);
  const QImage photo = Pattern(64, 64, false);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      onWhite.setPixel(16 + x, 16 + y, photo.pixel(x, y));
  Disposer source{BitmapFrom(onWhite)};
  QImage back = QtDecode(Encode(source.image, gdip::EncoderClsidGIF));
  ASSERT_EQ(back.size(), onWhite.size());
  for (QPoint corner : {QPoint(0, 0), QPoint(95, 95), QPoint(8, 50), QPoint(90, 3)})
    EXPECT_EQ(back.pixel(corner), 0xFFFFFFFFu) << corner.x() << "," << corner.y();
  EXPECT_LE(MaxChannelDifference(back, onWhite), 64);
}

TEST(TiffEncoder, KeepsAlpha) {
  QImage original = Pattern(20, 9, true);
  Disposer source{BitmapFrom(original)};
  std::vector<uint8_t> tiff = Encode(source.image, gdip::EncoderClsidTIFF);
  Disposer decoded{Decode(tiff)};
  QImage back = PixelsOf(decoded.image);
  EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(back.pixel(19, 0)), 255);
  EXPECT_TRUE(EqualUpToPremultiplying(back, original));
}

TEST(Decoding, EveryNsisIconLoadsWithItsLargestImage) {
  auto icons = testing_support::NsisIcons();
  ASSERT_FALSE(icons.empty());
  for (const auto& path : icons) {
    SCOPED_TRACE(path.string());
    GpStatus status = -1;
    Disposer image{Decode(testing_support::ReadBytes(path), &status)};
    ASSERT_EQ(status, gdip::Ok);
    UINT width = 0;
    gp::GdipGetImageWidth(image.image, &width);
    EXPECT_GE(width, 16u);
    GUID raw{};
    gp::GdipGetImageRawFormat(image.image, &raw);
    EXPECT_TRUE(raw == gdip::ImageFormatIcon);
  }
}

TEST(Decoding, IconMasksAndAlphaAreKept) {
  // Qt's reader of the same file as reference for the colours; our reader applies the mask, so
  // transparent pixels agree and opaque ones keep their colour.
  auto icons = testing_support::NsisIcons();
  ASSERT_FALSE(icons.empty());
  int checked = 0;
  for (const auto& path : icons) {
    std::vector<uint8_t> bytes = testing_support::ReadBytes(path);
    Disposer image{Decode(bytes)};
    QImage ours = PixelsOf(image.image);
    bool anyTransparent = false;
    for (int y = 0; y < ours.height(); ++y)
      for (int x = 0; x < ours.width(); ++x)
        anyTransparent |= qAlpha(ours.pixel(x, y)) == 0;
    checked += anyTransparent;
  }
  EXPECT_GT(checked, 0);
}

struct GeneratedCase {
  const char* qtFormat;
  GUID rawFormat;
  PixelFormat pixelFormat;
  int tolerance;
};

class GeneratedPictures : public ::testing::TestWithParam<GeneratedCase> {};

TEST_P(GeneratedPictures, LoadWithTheirFormatAndPixels) {
  const GeneratedCase& c = GetParam();
  QImage picture = Pattern(33, 17, false).convertToFormat(QImage::Format_RGB32);
  std::vector<uint8_t> bytes =
      std::string(c.qtFormat) == "gif" ? GifOf({picture}) : QtEncode(picture, c.qtFormat, 100);
  GpStatus status = -1;
  Disposer image{Decode(bytes, &status)};
  ASSERT_EQ(status, gdip::Ok);
  GUID raw{};
  gp::GdipGetImageRawFormat(image.image, &raw);
  EXPECT_TRUE(raw == c.rawFormat);
  PixelFormat format = 0;
  gp::GdipGetImagePixelFormat(image.image, &format);
  EXPECT_EQ(format, c.pixelFormat);
  EXPECT_LE(MaxChannelDifference(PixelsOf(image.image), QtDecode(bytes)), c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, GeneratedPictures,
    ::testing::Values(GeneratedCase{"bmp", gdip::ImageFormatBMP, gdip::PixelFormat24bppRGB, 0},
                      GeneratedCase{"png", gdip::ImageFormatPNG, gdip::PixelFormat24bppRGB, 0},
                      GeneratedCase{"jpeg", gdip::ImageFormatJPEG, gdip::PixelFormat24bppRGB, 0},
                      GeneratedCase{"gif", gdip::ImageFormatGIF, gdip::PixelFormat8bppIndexed, 0},
                      GeneratedCase{"tiff", gdip::ImageFormatTIFF, gdip::PixelFormat24bppRGB, 0}),
    [](const auto& info) { return std::string(info.param.qtFormat); });

// Every truncation and a few corruptions of a valid file of each format fail cleanly.
TEST(Decoding, TruncatedAndCorruptFilesFailWithAStatus) {
  QImage picture = Pattern(24, 24, true);
  Disposer source{BitmapFrom(picture)};
  const std::pair<const char*, CLSID> formats[] = {{"bmp", gdip::EncoderClsidBMP},
                                                   {"png", gdip::EncoderClsidPNG},
                                                   {"jpeg", gdip::EncoderClsidJPEG},
                                                   {"gif", gdip::EncoderClsidGIF},
                                                   {"tiff", gdip::EncoderClsidTIFF}};
  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  for (const auto& [name, encoder] : formats)
    files.emplace_back(name, Encode(source.image, encoder));
  files.emplace_back("ico", testing_support::ReadBytes(testing_support::NsisIcons().front()));

  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    ASSERT_FALSE(bytes.empty());
    size_t step = std::max<size_t>(1, bytes.size() / 97);
    for (size_t length = 0; length < bytes.size(); length += step) {
      std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + length);
      GpStatus status = gdip::Ok;
      GpImage image = Decode(cut, &status);
      // Some truncations still decode (trailing bytes a decoder does not need); none crashes.
      if (status == gdip::Ok)
        gp::GdipDisposeImage(image);
      else
        EXPECT_EQ(image, 0u) << length;
    }
    for (size_t at : {size_t(6), size_t(10), size_t(18), size_t(22), bytes.size() / 2}) {
      std::vector<uint8_t> corrupt = bytes;
      for (size_t i = at; i < std::min(corrupt.size(), at + 4); ++i)
        corrupt[i] = 0xFF;
      GpStatus status = gdip::Ok;
      GpImage image = Decode(corrupt, &status);
      if (status == gdip::Ok) gp::GdipDisposeImage(image);
    }
  }
}

TEST(Decoding, UnknownBytesAndHugeDeclaredSizesAreRefused) {
  GpStatus status = gdip::Ok;
  EXPECT_EQ(Decode({'h', 'e', 'l', 'l', 'o'}, &status), 0u);
  EXPECT_EQ(status, gdip::UnknownImageFormat);
  EXPECT_EQ(Decode({}, &status), 0u);
  EXPECT_EQ(status, gdip::UnknownImageFormat);

  // A bitmap header that declares 30000 x 30000 pixels is refused before anything is allocated.
  Disposer source{BitmapFrom(Pattern(2, 2, false))};
  std::vector<uint8_t> bmp = Encode(source.image, gdip::EncoderClsidBMP);
  uint32_t huge = 30000;
  std::memcpy(bmp.data() + 18, &huge, 4);
  std::memcpy(bmp.data() + 22, &huge, 4);
  EXPECT_EQ(Decode(bmp, &status), 0u);
  EXPECT_NE(status, gdip::Ok);

  std::vector<uint8_t> png = QtEncode(Pattern(2, 2, false), "png");
  const uint8_t big[] = {0x00, 0x01, 0x00, 0x00};  // 65536 in the IHDR width and height
  std::memcpy(png.data() + 16, big, 4);
  std::memcpy(png.data() + 20, big, 4);
  EXPECT_EQ(Decode(png, &status), 0u);
  EXPECT_NE(status, gdip::Ok);
}

// One limit on pixels for every format: a JPEG of 5,800 x 5,800 (past the 128 MiB Qt's readers
// allow by default, as GIF and TIFF pictures of that size are) loads like a PNG of that size;
// beyond the limit the size a header declares is refused before reading.
TEST(Decoding, PicturesThroughQtLoadUpToThePixelLimit) {
  QImage large(5800, 5800, QImage::Format_RGB32);
  large.fill(0xFF336699);
  std::vector<uint8_t> jpeg = QtEncode(large, "jpeg", 50);
  GpStatus status = -1;
  {
    Disposer decoded{Decode(jpeg, &status)};
    EXPECT_EQ(status, gdip::Ok);
    UINT width = 0;
    gp::GdipGetImageWidth(decoded.image, &width);
    EXPECT_EQ(width, 5800u);
  }
  for (size_t at = 2; at + 9 < jpeg.size(); ++at)
    if (jpeg[at] == 0xFF && jpeg[at + 1] == 0xC0) {  // the frame header: height, width
      jpeg[at + 5] = jpeg[at + 7] = 0x23, jpeg[at + 6] = jpeg[at + 8] = 0x28;  // 9000
      break;
    }
  EXPECT_EQ(Decode(jpeg, &status), 0u);
  EXPECT_EQ(status, gdip::OutOfMemory);
}

TEST(Decoding, CrashInputsOfTheFuzzerFailCleanly) {
  for (const auto& path : testing_support::DataFiles("crashers/image_load")) {
    SCOPED_TRACE(path.string());
    GpStatus status = gdip::Ok;
    GpImage image = Decode(testing_support::ReadBytes(path), &status);
    if (status == gdip::Ok) gp::GdipDisposeImage(image);
  }
}

}  // namespace
