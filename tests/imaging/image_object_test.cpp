// The image object and its stream holder, through the table of external functions.
#include <gtest/gtest.h>

#include <QImage>

#include <cstring>
#include <string>

#include "frame/literal.h"
#include "imaging/image_object.h"
#include "platform/core/kernel32/global_memory.h"
#include "platform/core/ole32/stream.h"
#include "platform/picture/gdi/objects.h"
#include "platform/win32/gdiplus.h"
#include "tests/imaging/imaging_support.h"
#include "tests/support/fixtures.h"

namespace {

using namespace win32;
using namespace imaging_test;
using frame::ByteSet;
using frame::Text;
using imaging::ImageObject;
using imaging::StreamHolder;
using namespace frame::literals;

ByteSet Bytes(const std::vector<uint8_t>& v) {
  return ByteSet(v);
}
std::vector<uint8_t> Vector(const ByteSet& b) {
  return b.bytes();
}

// A 4 x 2 picture: left half transparent, right half opaque red and green.
QImage HalfTransparent() {
  QImage picture(4, 2, QImage::Format_ARGB32);
  picture.fill(0x00000000);
  for (int y = 0; y < 2; ++y) {
    picture.setPixel(2, y, 0xFFFF0000);
    picture.setPixel(3, y, 0xFF00FF00);
  }
  return picture;
}

ImageObject Loaded(const QImage& picture) {
  ImageObject image;
  EXPECT_TRUE(image.LoadFromBytes(Bytes(QtEncode(picture, "png"))));
  return image;
}

TEST(ColorToArgb, MovesRedToTheThirdByteAndAddsAlpha) {
  const struct {
    COLORREF colour;
    std::optional<int32_t> alpha;
    ARGB expected;
  } rows[] = {{0x00ECECEC, 255, 0xFFECECEC},  {0x00ECECEC, std::nullopt, 0xFFECECEC},
              {0x00FF0000, 255, 0xFF0000FF},  {0x000000FF, 0, 0x00FF0000},
              {0x00123456, 0x80, 0x80563412}, {0xFF000000, 255, 0xFF000000}};
  for (const auto& row : rows)
    EXPECT_EQ(imaging::ColorToArgb(row.colour, row.alpha), row.expected);
}

TEST(EncoderClassId, FormatNumbersChooseTheEncoders) {
  const std::pair<int32_t, CLSID> rows[] = {
      {1, gdip::EncoderClsidJPEG}, {2, gdip::EncoderClsidGIF}, {3, gdip::EncoderClsidTIFF},
      {4, gdip::EncoderClsidPNG},  {0, gdip::EncoderClsidBMP}, {5, gdip::EncoderClsidBMP},
      {6, gdip::EncoderClsidBMP},  {-1, gdip::EncoderClsidBMP}};
  for (const auto& [format, clsid] : rows)
    EXPECT_TRUE(imaging::EncoderClassId(format) == clsid) << format;
}

TEST(ImageObject, AnEmptyObjectReportsMinusOneAndKeepsTheStatus) {
  ImageObject image;
  EXPECT_FALSE(image.IsLoaded());
  EXPECT_EQ(image.LastStatus(), gdip::Ok);
  EXPECT_EQ(image.Width(), -1);
  EXPECT_EQ(image.LastStatus(), gdip::InvalidParameter);
  EXPECT_EQ(image.Height(), -1);
  EXPECT_EQ(image.LastStatus(), gdip::InvalidParameter);
  EXPECT_EQ(image.Scale(16, 16, true), -1);
  EXPECT_TRUE(image.SaveToBytes(4).empty());
  EXPECT_NE(image.LastStatus(), gdip::Ok);
  // Over a background: the first failing call's status (no size to draw at), nothing saved.
  EXPECT_TRUE(image.SaveToBytes(0, std::nullopt, 0xECECEC, 255).empty());
  EXPECT_EQ(image.LastStatus(), gdip::InvalidParameter);
  EXPECT_EQ(image.GetPixel(0, 0), -1);
  EXPECT_TRUE(image.RawFormat().empty());
  EXPECT_EQ(image.FrameCount(), -1);
}

TEST(ImageObject, AFailedLoadKeepsThePreviousImage) {
  ImageObject image = Loaded(Pattern(7, 5, false));
  GpImage before = image.Handle();
  EXPECT_FALSE(image.LoadFromBytes(ByteSet::FromString("not a picture")));
  EXPECT_EQ(image.LastStatus(), gdip::UnknownImageFormat);
  EXPECT_FALSE(image.LoadFromFile("/no/such/图片.png"_gbk));
  EXPECT_EQ(image.LastStatus(), gdip::FileNotFound);
  EXPECT_FALSE(image.FromIconHandle(0));
  EXPECT_EQ(image.LastStatus(), gdip::InvalidParameter);
  EXPECT_EQ(image.Handle(), before);
  EXPECT_EQ(image.Width(), 7);
}

TEST(ImageObject, SaveToBytesChoosesTheEncoderByFormatNumber) {
  ImageObject image = Loaded(Pattern(6, 3, true));
  const struct {
    int32_t format;
    std::string head;
  } rows[] = {{0, "BM"},           {5, "BM"},     {6, "BM"},  {-7, "BM"},
              {1, "\xFF\xD8\xFF"}, {2, "GIF89a"}, {3, "II*"}, {4, "\x89PNG"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.format);
    ByteSet bytes = image.SaveToBytes(row.format);
    EXPECT_EQ(image.LastStatus(), gdip::Ok);
    ASSERT_GE(bytes.size(), row.head.size());
    EXPECT_EQ(std::string(bytes.data(), bytes.data() + row.head.size()), row.head);
    if (row.head == "BM") {
      EXPECT_EQ(bytes.size(), 54u + 6 * 3 * 4);  // always 32 bits per pixel
      EXPECT_EQ(bytes[28], 32);
    }
  }
}

TEST(ImageObject, QualityIsIgnoredForFormatsOtherThanJpeg) {
  ImageObject image = Loaded(Pattern(40, 40, false));
  for (int32_t format : {0, 2, 3, 4}) {
    SCOPED_TRACE(format);
    EXPECT_EQ(image.SaveToBytes(format, 10), image.SaveToBytes(format));
    EXPECT_EQ(image.SaveToBytes(format, 1000), image.SaveToBytes(format));  // not even checked
    EXPECT_EQ(image.LastStatus(), gdip::Ok);
  }
  EXPECT_LT(image.SaveToBytes(1, 10).size(), image.SaveToBytes(1, 95).size());
}

TEST(ImageObject, ABackgroundFillsUnderTransparentPixels) {
  for (bool keepPixelFormat : {false, true}) {
    SCOPED_TRACE(keepPixelFormat);
    ImageObject image = Loaded(HalfTransparent());
    ByteSet bmp = image.SaveToBytes(0, std::nullopt, 0xECECEC, 255, keepPixelFormat);
    ASSERT_EQ(image.LastStatus(), gdip::Ok);
    ASSERT_EQ(bmp.size(), 54u + 4 * 2 * 4);
    QImage result = QtDecode(Vector(bmp));
    EXPECT_EQ(result.pixel(0, 0), 0xFFECECECu);
    EXPECT_EQ(result.pixel(1, 1), 0xFFECECECu);
    EXPECT_EQ(result.pixel(2, 0), 0xFFFF0000u);
    EXPECT_EQ(result.pixel(3, 1), 0xFF00FF00u);
    // The object keeps its own picture.
    EXPECT_EQ(image.GetPixel(0, 0), 0);
  }
}

TEST(ImageObject, ABackgroundWithoutAlphaIsOpaqueAndAlphaZeroLeavesItTransparent) {
  ImageObject image = Loaded(HalfTransparent());
  QImage opaque = QtDecode(Vector(image.SaveToBytes(4, std::nullopt, 0xFFFFFF)));
  EXPECT_EQ(opaque.pixel(0, 0), 0xFFFFFFFFu);
  QImage clear = QtDecode(Vector(image.SaveToBytes(4, std::nullopt, 0xFFFFFF, 0)));
  EXPECT_EQ(qAlpha(clear.pixel(0, 0)), 0);
}

TEST(ImageObject, ScaleWithReplaceLeavesTheObjectHoldingTheScaledPicture) {
  ImageObject image = Loaded(Pattern(300, 200, false));
  GpImage original = image.Handle();
  int32_t scaled = image.Scale(128, 128, true);
  ASSERT_NE(scaled, -1);
  EXPECT_EQ(GpImage(scaled), image.Handle());
  EXPECT_NE(image.Handle(), original);
  int32_t width = 0, height = 0;
  ASSERT_TRUE(image.GetDimension(width, height));
  EXPECT_EQ(width, 128);
  EXPECT_EQ(height, 128);
  EXPECT_EQ(image.LastStatus(), gdip::Ok);
  EXPECT_EQ(image.SaveToBytes(0).size(), 54u + 128 * 128 * 4);
}

TEST(ImageObject, ScaleWithoutReplaceHandsBackANewBitmap) {
  ImageObject image = Loaded(Pattern(30, 20, false));
  int32_t scaled = image.Scale(10.9f, 5.2f, false, gdip::InterpolationModeNearestNeighbor);
  ASSERT_NE(scaled, -1);
  EXPECT_EQ(image.Width(), 30);
  ImageObject other;
  other.Attach(GpImage(scaled));
  EXPECT_EQ(other.Width(), 10);  // truncated toward zero
  EXPECT_EQ(other.Height(), 5);
}

TEST(ImageObject, ScaleToNothingFailsAndKeepsThePicture) {
  ImageObject image = Loaded(Pattern(8, 8, false));
  EXPECT_EQ(image.Scale(0, 0, true), -1);
  EXPECT_EQ(image.LastStatus(), gdip::InvalidParameter);
  EXPECT_EQ(image.Width(), 8);
}

TEST(ImageObject, FilesWithChinesePathsLoadAndSave) {
  testing_support::TempDir dir;
  std::string folder = dir.path().string();
  Text path = Text::FromUtf8(folder + "/图标 一.png");
  ImageObject image = Loaded(Pattern(9, 4, true));
  ASSERT_TRUE(image.SaveToFile(path, 4));
  ImageObject again;
  ASSERT_TRUE(again.LoadFromFile(path));
  EXPECT_EQ(again.Width(), 9);
  ImageObject bitmap;
  ASSERT_TRUE(bitmap.LoadBitmapFromFile(Text::FromUtf8(folder + "\\图标 一.png")));
  EXPECT_EQ(bitmap.Height(), 4);
  EXPECT_FALSE(image.SaveToFile(Text::FromUtf8(folder + "/missing/x.png"), 4));
  EXPECT_EQ(image.LastStatus(), gdip::Win32Error);
}

TEST(ImageObject, IconHandlesKeepTheirAlphaInPngAndTiff) {
  HICON icon = platform::gdi::CreateIcon(HalfTransparent());
  ImageObject image;
  ASSERT_TRUE(image.FromIconHandle(icon));
  for (int32_t format : {3, 4}) {
    QImage saved = QtDecode(Vector(image.SaveToBytes(format)));
    EXPECT_EQ(qAlpha(saved.pixel(0, 0)), 0) << format;
    EXPECT_EQ(saved.pixel(2, 0), 0xFFFF0000u) << format;
  }
  HICON back = image.ToIconHandle();
  ASSERT_NE(back, 0u);
  EXPECT_EQ(platform::gdi::Icons().Find(back)->image.pixels[1 * 4 + 3], 0xFF00FF00u);
  HBITMAP flat = image.ToBitmapHandle(0xFFFFFF);
  ASSERT_NE(flat, 0u);
  EXPECT_EQ(platform::gdi::Bitmaps().Find(flat)->image.pixel(0, 0), 0xFFFFFFFFu);
  platform::gdi::Icons().Erase(icon);
  platform::gdi::Icons().Erase(back);
  platform::gdi::Bitmaps().Erase(flat);
}

TEST(ImageObject, ACopyOwnsAnImageOfItsOwn) {
  auto original = std::make_unique<ImageObject>(Loaded(Pattern(5, 5, false)));
  ImageObject copy(*original);
  EXPECT_NE(copy.Handle(), original->Handle());
  original.reset();
  EXPECT_EQ(copy.Width(), 5);
  ImageObject assigned;
  assigned = copy;
  EXPECT_EQ(assigned.Height(), 5);
  EXPECT_NE(assigned.Handle(), copy.Handle());
}

TEST(ImageObject, ReportsWhatTheLibrarySays) {
  ImageObject image = Loaded(Pattern(3, 2, true));
  ByteSet raw = image.RawFormat();
  ASSERT_EQ(raw.size(), 16u);
  EXPECT_EQ(std::memcmp(raw.data(), &gdip::ImageFormatPNG, 16), 0);
  EXPECT_EQ(image.ImageType(), gdip::ImageTypeBitmap);
  EXPECT_EQ(image.PixelFormat(), gdip::PixelFormat32bppARGB);
  EXPECT_TRUE(image.Flags() & gdip::ImageFlagsHasAlpha);
  GpRectF bounds{};
  GpUnit unit = -1;
  ASSERT_TRUE(image.GetBounds(bounds, unit));
  EXPECT_EQ(bounds.Width, 3);
  EXPECT_EQ(unit, gdip::UnitPixel);
  EXPECT_TRUE(image.SetResolution(300, 150));
  EXPECT_DOUBLE_EQ(image.HorizontalResolution(), 300);
  EXPECT_DOUBLE_EQ(image.VerticalResolution(), 150);
  EXPECT_TRUE(image.SetPixel(0, 0, 0x0000FF));
  EXPECT_EQ(image.GetPixel(0, 0), int32_t(0xFFFF0000));
  EXPECT_TRUE(image.RotateFlip(gdip::Rotate90FlipNone));
  EXPECT_EQ(image.Width(), 2);
  EXPECT_TRUE(image.ConvertPixelFormat(gdip::PixelFormat24bppRGB));
  EXPECT_EQ(image.PixelFormat(), gdip::PixelFormat24bppRGB);
  EXPECT_EQ(image.Width(), 2);
}

TEST(ImageObject, CloneAndSaveAddLeaveTheStatusAlone) {
  ImageObject image;
  image.Width();  // InvalidParameter
  ASSERT_EQ(image.LastStatus(), gdip::InvalidParameter);
  EXPECT_EQ(image.Clone(), 0u);
  EXPECT_EQ(image.SaveAdd(), gdip::InvalidParameter);
  image = Loaded(Pattern(2, 2, false));
  image.Width();
  GpImage clone = image.Clone();
  ASSERT_NE(clone, 0u);
  EXPECT_EQ(image.SaveAddImage(clone), gdip::WrongState);  // no multi-frame save started
  EXPECT_EQ(image.LastStatus(), gdip::Ok);
  platform::gdiplus::GdipDisposeImage(clone);
}

TEST(ImageObject, FramesOfAnAnimatedGif) {
  QImage red(4, 4, QImage::Format_ARGB32), blue(4, 4, QImage::Format_ARGB32);
  red.fill(0xFFFF0000);
  blue.fill(0xFF0000FF);
  ImageObject image;
  ASSERT_TRUE(image.LoadFromBytes(Bytes(GifOf({red, blue}))));
  std::vector<GUID> dimensions;
  ASSERT_TRUE(image.FrameDimensions(dimensions));
  ASSERT_EQ(dimensions.size(), 1u);
  EXPECT_TRUE(dimensions[0] == gdip::FrameDimensionTime);
  EXPECT_EQ(image.FrameCount(), 2);
  ASSERT_TRUE(image.SelectFrame(1, 0));
  EXPECT_EQ(image.GetPixel(1, 1), int32_t(0xFF0000FF));
  EXPECT_FALSE(image.SelectFrame(2, 0));
}

// A TIFF of two 2 x 2 grey pages, the first black, the second white (Qt writes one page only).
std::vector<uint8_t> TwoPageTiff() {
  std::vector<uint8_t> file = {'I', 'I', 42, 0, 8, 0, 0, 0};
  auto put16 = [&](uint16_t v) {
    file.push_back(uint8_t(v));
    file.push_back(uint8_t(v >> 8));
  };
  auto put32 = [&](uint32_t v) {
    put16(uint16_t(v));
    put16(uint16_t(v >> 16));
  };
  const uint32_t kEntries = 9, kIfdSize = 2 + kEntries * 12 + 4;
  for (uint32_t page = 0; page < 2; ++page) {
    uint32_t ifd = 8 + page * (kIfdSize + 4);
    uint32_t pixels = ifd + kIfdSize;
    put16(kEntries);
    auto entry = [&](uint16_t tag, uint16_t type, uint32_t value) {
      put16(tag);
      put16(type);
      put32(1);
      put32(value);
    };
    entry(256, 4, 2);       // width
    entry(257, 4, 2);       // height
    entry(258, 3, 8);       // bits per sample
    entry(259, 3, 1);       // no compression
    entry(262, 3, 1);       // black is zero
    entry(273, 4, pixels);  // strip offset
    entry(277, 3, 1);       // samples per pixel
    entry(278, 4, 2);       // rows per strip
    entry(279, 4, 4);       // strip bytes
    put32(page == 0 ? ifd + kIfdSize + 4 : 0);
    for (int i = 0; i < 4; ++i)
      file.push_back(page == 0 ? 0x00 : 0xFF);
  }
  return file;
}

TEST(ImageObject, PagesOfATiff) {
  ImageObject image;
  ASSERT_TRUE(image.LoadFromBytes(Bytes(TwoPageTiff())));
  EXPECT_EQ(image.FrameCount(), 2);
  EXPECT_EQ(image.GetPixel(0, 0), int32_t(0xFF000000));
  ASSERT_TRUE(image.SelectFrame(1, 1));
  EXPECT_EQ(image.GetPixel(1, 1), int32_t(0xFFFFFFFF));
  EXPECT_TRUE(image.SelectFrame(0, 1));
  EXPECT_EQ(image.GetPixel(1, 1), int32_t(0xFF000000));
}

TEST(ImageObject, EncodersListHasTextsForEveryEncoder) {
  ImageObject image;
  std::vector<imaging::EncoderRecord> encoders;
  ASSERT_TRUE(image.GetEncoders(encoders));
  ASSERT_EQ(encoders.size(), 5u);
  EXPECT_TRUE(encoders[4].classId == gdip::EncoderClsidPNG);
  EXPECT_EQ(encoders[4].mimeType, Text("image/png"));
  EXPECT_EQ(encoders[1].extensions, Text("*.JPG;*.JPEG;*.JPE;*.JFIF"));
  EXPECT_TRUE(encoders[0].libraryName.empty());
  EXPECT_EQ(encoders[2].signatureCount, 2u);
  EXPECT_EQ(encoders[2].signaturePattern, ByteSet::FromString("GIF89aGIF87a"));
  EXPECT_EQ(encoders[2].signatureMask.size(), 12u);
  ASSERT_TRUE(image.GetEncoders(encoders));
  EXPECT_EQ(encoders.size(), 5u);  // the previous list replaced, not extended

  ImageObject picture = Loaded(Pattern(2, 2, false));
  std::vector<imaging::EncoderParameterRecord> parameters;
  ASSERT_TRUE(picture.GetEncoderParameters(1, parameters));
  ASSERT_EQ(parameters.size(), 1u);
  EXPECT_TRUE(parameters[0].id == gdip::EncoderQuality);
  EXPECT_EQ(parameters[0].values.size(), 8u);
}

TEST(ImageObject, PropertyItemsAreSplitIntoValuesSafely) {
  ImageObject image = Loaded(Pattern(2, 2, false));
  uint32_t total = 1, count = 1;
  ASSERT_TRUE(image.GetPropertySize(total, count));
  EXPECT_EQ(count, 0u);
  std::vector<PROPID> ids{1};
  ASSERT_TRUE(image.GetPropertyIds(ids));
  EXPECT_TRUE(ids.empty());
  EXPECT_TRUE(image.GetPropertyItem(gdip::PropertyTagFrameDelay).empty());
  EXPECT_EQ(image.LastStatus(), gdip::PropertyNotFound);

  PropertyItem header{gdip::PropertyTagFrameDelay, 12, gdip::PropertyTagTypeLong, nullptr};
  ByteSet item(reinterpret_cast<const uint8_t*>(&header), sizeof header);
  for (int32_t v : {10, -20, 30})
    item += ByteSet(reinterpret_cast<const uint8_t*>(&v), 4);
  std::vector<int32_t> values;
  EXPECT_EQ(ImageObject::PropertyValues(item, values), 3);
  EXPECT_EQ(values, (std::vector<int32_t>{10, -20, 30}));
  // A length that claims more than the bytes hold reads only what is there.
  header.length = 4000;
  std::memcpy(item.data(), &header, sizeof header);
  EXPECT_EQ(ImageObject::PropertyValues(item, values), 3);
  EXPECT_EQ(ImageObject::PropertyValues(ByteSet::FromString("short"), values), 0);
}

TEST(ImageObject, ThumbnailsAreAttachedWhenAsked) {
  ImageObject image = Loaded(Pattern(64, 32, false));
  int32_t first = image.Thumbnail(16, 8, false);
  ASSERT_NE(first, -1);
  platform::gdiplus::GdipDisposeImage(GpImage(first));
  int32_t second = image.Thumbnail(0, 0, true);
  ASSERT_NE(second, -1);
  EXPECT_EQ(image.Handle(), GpImage(second));
  EXPECT_EQ(image.Width(), 120);
}

TEST(StreamHolder, HoldsBytesOrAGrowingStreamAndFreesEverything) {
  size_t blocks = platform::kernel32::LiveGlobalBlocks();
  size_t streams = platform::ole32::LiveStreams();
  {
    StreamHolder holder;
    EXPECT_EQ(holder.Interface(), 0u);
    ISTREAM stream = holder.Create(ByteSet::FromString("abc"));
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(holder.Size(), 3u);
    EXPECT_EQ(holder.Contents(), ByteSet::FromString("abc"));
    StreamHolder copy(holder);
    EXPECT_NE(copy.Interface(), holder.Interface());
    EXPECT_EQ(copy.Contents(), ByteSet::FromString("abc"));

    stream = holder.Create();
    EXPECT_TRUE(holder.Contents().empty());
    const uint8_t data[] = {1, 2, 3, 4};
    platform::ole32::StreamWrite(stream, data);
    EXPECT_EQ(holder.Contents(), ByteSet(data, 4));
    holder.Release();
    EXPECT_EQ(holder.Size(), 0u);
    holder.Release();

    ImageObject image;
    image.LoadFromBytes(Bytes(QtEncode(Pattern(3, 3, false), "png")));
    image.SaveToBytes(4);
    image.SaveToBytes(0, std::nullopt, 0xFFFFFF);
    image.Scale(2, 2, true);
  }
  EXPECT_EQ(platform::kernel32::LiveGlobalBlocks(), blocks);
  EXPECT_EQ(platform::ole32::LiveStreams(), streams);
}

}  // namespace
