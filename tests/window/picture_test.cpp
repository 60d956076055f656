// Picture values: the format named by the first bytes, and what each format shows.
#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include "frame/units/picture.h"
#include "tests/support/fixtures.h"

namespace frame::units {
namespace {

std::vector<uint8_t> Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format));
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// A 1 x 1 GIF whose one colour is red.
const std::vector<uint8_t> kGif = {'G', 'I', 'F', '8', '9', 'a', 1, 0,    1,    0, 0x80, 0,
                                   0,   255, 0,   0,   0,   0,   0, 0x2C, 0,    0, 0,    0,
                                   1,   0,   1,   0,   0,   2,   2, 0x44, 0x01, 0, 0x3B};

TEST(PictureTest, TheFirstBytesNameTheFormat) {
  const struct {
    std::vector<uint8_t> head;
    PictureFormat format;
  } rows[] = {
      {{'B', 'M', 0, 0, 0, 0}, PictureFormat::Bitmap},
      {{0xFF, 0xD8, 0xFF, 0xE0, 0, 0}, PictureFormat::Jpeg},
      {{0, 0, 1, 0, 1, 0}, PictureFormat::Icon},
      {{0, 0, 1, 0, 0, 0}, PictureFormat::None},  // an icon directory without images
      {{0, 0, 2, 0, 3, 0}, PictureFormat::Cursor},
      {{'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::Gif},
      {{'G', 'I', 'F', '8', '8', 'a'}, PictureFormat::None},
      {{0x0A, 5, 1, 8, 0, 0}, PictureFormat::Pcx},
      {{0x0A, 3, 1, 1, 0, 0}, PictureFormat::Pcx},
      {{0x89, 'P', 'N', 'G', 0x0D, 0x0A}, PictureFormat::None},
      {{'B', 'M', 0, 0, 0}, PictureFormat::None},  // shorter than 6 bytes
      {{}, PictureFormat::None},
  };
  for (const auto& row : rows)
    EXPECT_EQ(RecognisePicture(row.head), row.format) << testing::PrintToString(row.head);
}

TEST(PictureTest, EachFormatDecodes) {
  QImage blue(3, 2, QImage::Format_RGB32);
  blue.fill(QColor(0, 0, 255));
  const QImage bmp = DecodePicture(Encoded(blue, "BMP"));
  ASSERT_EQ(bmp.size(), QSize(3, 2));
  EXPECT_EQ(bmp.pixelColor(2, 1), QColor(0, 0, 255));
  const QImage jpeg = DecodePicture(Encoded(blue, "JPEG"));
  EXPECT_EQ(jpeg.size(), QSize(3, 2));
  const QImage gif = DecodePicture(kGif);
  ASSERT_EQ(gif.size(), QSize(1, 1));
  EXPECT_EQ(gif.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_TRUE(DecodePicture(Encoded(blue, "PNG")).isNull());
}

TEST(PictureTest, IconsShowTheirImageNearest32Pixels) {
  for (const auto& path : testing_support::NsisIcons()) {
    const QImage icon = DecodePicture(testing_support::ReadBytes(path));
    ASSERT_FALSE(icon.isNull()) << path;
    EXPECT_LE(icon.width(), 48) << path;
    // The same file read as a cursor keeps its pixels.
    std::vector<uint8_t> cursor = testing_support::ReadBytes(path);
    cursor[2] = 2;
    EXPECT_EQ(DecodePicture(cursor).size(), icon.size()) << path;
  }
}

TEST(PictureTest, BrokenPicturesShowNothing) {
  std::vector<uint8_t> bmp = {'B', 'M', 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_TRUE(DecodePicture(bmp).isNull());
  std::vector<uint8_t> icon = {0, 0, 1, 0, 0xFF, 0xFF, 16, 16};
  EXPECT_TRUE(DecodePicture(icon).isNull());
  std::vector<uint8_t> gif(kGif.begin(), kGif.begin() + 12);
  EXPECT_TRUE(DecodePicture(gif).isNull());
}

}  // namespace
}  // namespace frame::units
