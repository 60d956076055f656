#include "icofile/conversion.h"

#include <gtest/gtest.h>

#include <libdeflate.h>

#include <QBuffer>
#include <QImage>

#include "frame/icon_format.h"
#include "frame/literal.h"
#include "imaging/image_object.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"

namespace icofile {
namespace {

namespace ts = testing_support;
using frame::literals::operator""_gbk;
using ts::Bytes;

Bytes Encoded(const QImage& image, const char* format) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return Bytes(data.begin(), data.end());
}

QImage Filled(int width, int height, uint32_t argb) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(argb);
  return image;
}

class ConversionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(imaging::StartImagingLibrary()); }
  frame::Text Write(const std::string& name, const Bytes& bytes) const {
    ts::WriteBytes(dir_ / name, bytes);
    return frame::Text::FromUtf8((dir_ / name).string());
  }
  ts::TempDir dir_;
};

TEST_F(ConversionTest, ABitmapSizeIsA32BitBmpWithItsMaskCounted) {
  frame::Text picture = Write("p.png", Encoded(Filled(48, 48, 0x80FF0000), "PNG"));
  const uint8_t sizes[] = {48, 16};
  auto list = PrepareConversionImages(picture, sizes);
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 2u);
  const IconBuildEntry& same = (*list)[0];
  EXPECT_EQ(same.size, 48);
  EXPECT_EQ(same.bitCount, 32);
  EXPECT_EQ(same.image.size(), 54u + 48 * 48 * 4) << "not scaled, 32 bits";
  EXPECT_EQ(same.bytesInResource, same.image.size() - 14 + 384);
  EXPECT_EQ(same.source, picture);
  EXPECT_EQ((*list)[1].image.size(), 54u + 16 * 16 * 4);
  EXPECT_EQ(ConversionListText(SizeItemText(48), same), "48*48(32)"_gbk);
}

TEST_F(ConversionTest, ThePngSizeStoresAPngWithoutChangingIt) {
  Bytes png = Encoded(Filled(256, 256, 0xFF00FF00), "PNG");
  const uint8_t pngSize[] = {0};
  auto own = PrepareConversionImages(Write("own.png", png), pngSize);
  ASSERT_TRUE(own);
  EXPECT_EQ((*own)[0].image.bytes(), png) << "a 256 x 256 .png is taken as it is";
  EXPECT_EQ((*own)[0].bytesInResource, png.size());
  EXPECT_EQ(ConversionListText(SizeItemText(0), (*own)[0]), "PNG"_gbk);

  // A PNG only a lenient reader takes: a pHYs chunk of 8 bytes after the header.
  Bytes loose(png.begin(), png.begin() + 33), phys = {'p', 'H', 'Y', 's', 0, 0, 0, 1, 0, 0, 0, 1};
  const uint32_t crc = libdeflate_crc32(0, phys.data(), phys.size());
  loose.insert(loose.end(), {0, 0, 0, 8});
  loose.insert(loose.end(), phys.begin(), phys.end());
  loose.insert(loose.end(),
               {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)});
  loose.insert(loose.end(), png.begin() + 33, png.end());
  for (auto [name, picture] : {std::pair{"small.png", Encoded(Filled(100, 80, 0xFF0000FF), "PNG")},
                               std::pair{"same.jpg", Encoded(Filled(256, 256, 0xFF0000FF), "JPG")},
                               std::pair{"jpeg.png", Encoded(Filled(256, 256, 0xFF0000FF), "JPG")},
                               std::pair{"loose.png", loose}}) {
    auto list = PrepareConversionImages(Write(name, picture), pngSize);
    ASSERT_TRUE(list) << name;
    const frame::ByteSet& stored = (*list)[0].image;
    EXPECT_TRUE(frame::IsStrictPngImage(stored)) << name << " is encoded anew as a valid PNG";
    EXPECT_EQ(frame::PngImageWidth(stored), 256u) << name;
    EXPECT_EQ(frame::PngImageHeight(stored), 256u) << name;
  }
}

TEST_F(ConversionTest, APictureThatCannotBeLoadedAddsNothing) {
  const uint8_t sizes[] = {32};
  EXPECT_FALSE(PrepareConversionImages(Write("notes.png", Bytes(50, 'x')), sizes));
  EXPECT_FALSE(
      PrepareConversionImages(frame::Text::FromUtf8((dir_ / "missing.png").string()), sizes));
}

TEST_F(ConversionTest, SizeTextsAreThoseOfTheSizeList) {
  std::vector<frame::Text> texts;
  for (uint8_t size : kConversionSizes)
    texts.push_back(SizeItemText(size));
  EXPECT_EQ(texts, (std::vector<frame::Text>{"128*128"_gbk, "96*96"_gbk, "64*64"_gbk, "48*48"_gbk,
                                             "32*32"_gbk, "24*24"_gbk, "16*16"_gbk, "PNG"_gbk}));
}

}  // namespace
}  // namespace icofile
