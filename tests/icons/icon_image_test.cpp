#include "extract/icon_image.h"

#include <gtest/gtest.h>

#include "frame/external_functions.h"
#include "platform/picture/gdi/objects.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"

namespace extract {
namespace {

namespace ts = testing_support;
using frame::ByteSet;
using ts::Bytes;
using ts::GetU16;
using ts::GetU32;

constexpr uint32_t kInside = 0xFF2050A0;

// An icon of size x size: opaque colour inside, the 4 x 4 corners transparent.
win32::HICON CornerIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(kInside);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      image.setPixel(x, y, 0);
      image.setPixel(size - 1 - x, size - 1 - y, 0);
    }
  return platform::gdi::CreateIcon(image);
}

// Pixel (x, y) of a 32-bit bitmap file's bottom-up rows, y = 0 the top line.
uint32_t PixelAt(const ByteSet& bmp, int x, int y) {
  auto width = static_cast<int>(GetU32(bmp.bytes(), 18));
  auto height = static_cast<int>(GetU32(bmp.bytes(), 22));
  return GetU32(bmp.bytes(), 54 + 4 * (static_cast<size_t>(height - 1 - y) * width + x));
}

struct Counts {
  size_t bitmaps = platform::gdi::Bitmaps().size();
  size_t contexts = platform::gdi::DeviceContexts().size();
  size_t brushes = platform::gdi::Brushes().size();
  bool operator==(const Counts&) const = default;
};

// The platform's stock white brush, made with the first memory context, stays for good.
Counts AfterStockObjects() {
  ext::DeleteDC(ext::CreateCompatibleDC(0));
  return Counts();
}

class IconToBmpTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ext::DestroyIcon(icon_);
    EXPECT_TRUE(Counts() == before_) << "every context, bitmap and brush is released";
  }
  Counts before_ = AfterStockObjects();
  win32::HICON icon_ = CornerIcon(32);
};

TEST_F(IconToBmpTest, OnWhiteGivesA4150ByteBottomUp32BitBitmapFile) {
  IconToBmpOptions options;
  options.size = 32;
  options.background = 0xFFFFFF;
  ByteSet bmp = IconToBmp(icon_, options);
  ASSERT_EQ(bmp.size(), 4150u);
  EXPECT_EQ(GetU16(bmp.bytes(), 0), 0x4D42);
  EXPECT_EQ(GetU32(bmp.bytes(), 2), 4150u);
  EXPECT_EQ(GetU32(bmp.bytes(), 6), 0u);
  EXPECT_EQ(GetU32(bmp.bytes(), 10), 54u);
  EXPECT_EQ(GetU32(bmp.bytes(), 14), 40u);
  EXPECT_EQ(GetU32(bmp.bytes(), 18), 32u);
  EXPECT_EQ(GetU32(bmp.bytes(), 22), 32u);
  EXPECT_EQ(GetU16(bmp.bytes(), 26), 1);
  EXPECT_EQ(GetU16(bmp.bytes(), 28), 32);
  EXPECT_EQ(GetU32(bmp.bytes(), 30), 0u);
  EXPECT_EQ(GetU32(bmp.bytes(), 34), 4096u);
  EXPECT_EQ(PixelAt(bmp, 0, 0), 0xFFFFFFFFu) << "transparent corner on white";
  EXPECT_EQ(PixelAt(bmp, 31, 31), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(bmp, 16, 16), kInside);
  EXPECT_EQ(PixelAt(bmp, 31, 0), kInside) << "rows are bottom-up";
}

TEST_F(IconToBmpTest, WithoutBackgroundTheCornersKeepTheBitmapsInitialContent) {
  IconToBmpOptions options;
  options.size = 32;
  ByteSet bmp = IconToBmp(icon_, options);
  EXPECT_EQ(PixelAt(bmp, 0, 0), 0u);
  EXPECT_EQ(PixelAt(bmp, 16, 16), kInside);
}

TEST_F(IconToBmpTest, SizesAndPixelsOnly) {
  win32::HICON small = CornerIcon(16), large = CornerIcon(48);
  IconToBmpOptions stretched;
  stretched.size = 32;
  ByteSet fromSmall = IconToBmp(small, stretched);
  ASSERT_EQ(fromSmall.size(), 4150u);
  EXPECT_EQ(PixelAt(fromSmall, 16, 16), kInside);
  EXPECT_EQ(PixelAt(fromSmall, 2, 2) >> 24, 0u) << "the 4 x 4 corner became 8 x 8";

  ByteSet ownSize = IconToBmp(large);
  EXPECT_EQ(ownSize.size(), 54u + 48 * 48 * 4) << "size omitted: the hot spots add up to 48";
  EXPECT_EQ(GetU32(ownSize.bytes(), 18), 48u);

  IconToBmpOptions pixels;
  pixels.size = 32;
  pixels.pixelsOnly = true;
  ByteSet rows = IconToBmp(icon_, pixels);
  ByteSet whole = IconToBmp(icon_, stretched);
  EXPECT_EQ(rows.size(), 4096u);
  EXPECT_EQ(rows.bytes(), Bytes(whole.bytes().begin() + 54, whole.bytes().end()));

  IconToBmpOptions empty;
  empty.size = 0;
  EXPECT_EQ(IconToBmp(icon_, empty).size(), 54u) << "a zero size: the head alone";
  ext::DestroyIcon(small);
  ext::DestroyIcon(large);
}

TEST_F(IconToBmpTest, ANullIconGivesTheBackgroundAlone) {
  IconToBmpOptions options;
  options.size = 32;
  options.background = 0x0000FF;
  ByteSet bmp = IconToBmp(0, options);
  ASSERT_EQ(bmp.size(), 4150u);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(PixelAt(bmp, x, y), 0xFFFF0000u);
}

TEST_F(IconToBmpTest, SingleIconIsA4286ByteFileOfTheBitmapsRowsAndAZeroMask) {
  ByteSet ico = IconToSingleIco(icon_);
  ASSERT_EQ(ico.size(), 4286u);
  Bytes head(ico.bytes().begin(), ico.bytes().begin() + 22);
  EXPECT_EQ(head,
            (Bytes{0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0, 0xA8, 0x10, 0, 0, 22, 0, 0, 0}));
  EXPECT_EQ(GetU32(ico.bytes(), 22 + 8), 64u);
  EXPECT_EQ(GetU32(ico.bytes(), 22 + 20), 4136u);
  IconToBmpOptions options;
  options.size = 32;
  ByteSet bmp = IconToBmp(icon_, options);
  EXPECT_TRUE(std::equal(bmp.bytes().begin() + 54, bmp.bytes().end(), ico.bytes().begin() + 62));
  EXPECT_EQ(Bytes(ico.bytes().end() - 128, ico.bytes().end()), Bytes(128, 0));
}

TEST_F(IconToBmpTest, BitmapToBmpKeepsTheBitmapsFormatAndRows) {
  win32::HBITMAP strip = platform::gdi::CreateBitmap(96, 32);
  platform::gdi::Bitmaps().Find(strip)->image.setPixel(95, 0, 0xFF00FF00);
  ByteSet bmp = BitmapToBmp(strip);
  ASSERT_EQ(bmp.size(), 54u + 96 * 32 * 4);
  EXPECT_EQ(GetU32(bmp.bytes(), 2), bmp.size());
  EXPECT_EQ(GetU32(bmp.bytes(), 18), 96u);
  EXPECT_EQ(GetU16(bmp.bytes(), 28), 32) << "the screen's format";
  EXPECT_EQ(GetU32(bmp.bytes(), 30), 0u);
  EXPECT_EQ(PixelAt(bmp, 95, 0), 0xFF00FF00u);
  ByteSet asked = BitmapToBmp(strip, 24);
  EXPECT_EQ(asked.size(), 54u + 288 * 32);
  ext::DeleteObject(strip);
}

}  // namespace
}  // namespace extract
