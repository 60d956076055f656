// The ways the extraction page saves an icon through the image object: a bitmap drawn on white
// then saved as JPG or GIF, and the icon handle saved with or without a white background.
#include <gtest/gtest.h>

#include <QImage>

#include "extract/icon_image.h"
#include "imaging/image_object.h"
#include "platform/picture/gdi/objects.h"
#include "platform/win32/gdiplus.h"
#include "tests/imaging/imaging_support.h"

namespace {

using namespace imaging_test;
using imaging::ImageObject;

// A 32 x 32 icon: a blue square with transparent corners (a 4-pixel border).
class TransparentCornersIcon : public ::testing::Test {
 protected:
  void SetUp() override {
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(0);
    for (int y = 4; y < 28; ++y)
      for (int x = 4; x < 28; ++x)
        picture.setPixel(x, y, 0xFF0000FF);
    icon_ = platform::gdi::CreateIcon(picture);
  }
  void TearDown() override { platform::gdi::Icons().Erase(icon_); }

  static QImage Decoded(const frame::ByteSet& bytes) { return QtDecode(bytes.bytes()); }

  win32::HICON icon_ = 0;
};

TEST_F(TransparentCornersIcon, BitmapOnWhiteSavedAsGifOrJpegHasWhiteCorners) {
  frame::ByteSet bmp = extract::IconToBmp(icon_, {32, 32, false, 0xFFFFFF});
  ImageObject image;
  ASSERT_TRUE(image.LoadFromBytes(bmp));
  QImage gif = Decoded(image.SaveToBytes(2));
  EXPECT_EQ(gif.pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(gif.pixel(16, 16), 0xFF0000FFu);
  QImage jpeg = Decoded(image.SaveToBytes(1));
  EXPECT_GE(qRed(jpeg.pixel(0, 0)), 245);
  EXPECT_GE(qBlue(jpeg.pixel(16, 16)), 230);
}

TEST_F(TransparentCornersIcon, HandleSavedWithABackgroundIsFlattenedAndWithoutKeepsTransparency) {
  ImageObject image;
  ASSERT_TRUE(image.FromIconHandle(icon_));
  for (int32_t format : {0, 2}) {
    QImage flat = Decoded(image.SaveToBytes(format, std::nullopt, 0xFFFFFF, 255));
    EXPECT_EQ(flat.pixel(0, 0), 0xFFFFFFFFu) << format;
  }
  // Read back by the stand-in itself: Qt's reader takes a 32-bit BMP's alpha as padding.
  for (int32_t format : {3, 4, 6}) {
    win32::GpImage decoded = Decode(image.SaveToBytes(format).bytes());
    QImage kept = PixelsOf(decoded);
    platform::gdiplus::GdipDisposeImage(decoded);
    EXPECT_EQ(qAlpha(kept.pixel(0, 0)), 0) << format;
    EXPECT_EQ(kept.pixel(16, 16), 0xFF0000FFu) << format;
  }
}

}  // namespace
