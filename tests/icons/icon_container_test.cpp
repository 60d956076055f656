#include "icofile/icon_container.h"

#include <gtest/gtest.h>

#include "frame/commands.h"
#include "frame/external_functions.h"
#include "platform/core/codecs/ico.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"

namespace icofile {
namespace {

namespace ts = testing_support;
using frame::ByteSet;
using ts::Bytes;

Bytes Head(const ByteSet& b, size_t from, size_t n) {
  return Bytes(b.bytes().begin() + from, b.bytes().begin() + from + n);
}

// A 32-bit BMP file of size x size, as the image object encodes one: 54-byte head, bottom-up
// rows with alpha.
ByteSet Bmp32(int size, uint32_t argb) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.pixel = [argb](int, int) { return argb; };
  return ByteSet(ts::MakeBmpFile(recipe));
}

IconBuildEntry BitmapEntry(int size, uint32_t argb) {
  ByteSet bmp = Bmp32(size, argb);
  return IconBuildEntry{static_cast<uint8_t>(size),
                        32,
                        static_cast<uint32_t>(bmp.size() - 14 + AndMaskSize(size)),
                        bmp,
                        {}};
}

IconBuildEntry PngEntry(const Bytes& png) {
  return IconBuildEntry{0, 32, static_cast<uint32_t>(png.size()), ByteSet(png), {}};
}

TEST(AndMaskSizeTest, RowsArePaddedToWords) {
  const std::pair<int, int> rows[] = {{8, 32},   {16, 64},  {24, 96},   {32, 128},   {40, 320},
                                      {48, 384}, {64, 512}, {96, 1152}, {128, 2048}, {0, 0}};
  for (auto [width, bytes] : rows)
    EXPECT_EQ(AndMaskSize(width), bytes) << width;
}

TEST(BuildIconFileTest, OneThirtyTwoBitBitmapGivesA4286ByteFileWithAZeroMask) {
  IconBuildEntry entry = BitmapEntry(32, 0x80112233);
  ASSERT_EQ(entry.image.size(), 4150u);
  ASSERT_EQ(entry.bytesInResource, 4264u);
  ByteSet file = BuildIconFile({entry});
  ASSERT_EQ(file.size(), 4286u);
  EXPECT_EQ(Head(file, 0, 6), (Bytes{0, 0, 1, 0, 1, 0}));
  EXPECT_EQ(Head(file, 6, 16),
            (Bytes{0x20, 0x20, 0, 0, 1, 0, 0x20, 0, 0xA8, 0x10, 0, 0, 0x16, 0, 0, 0}));
  Bytes header = {40, 0, 0,  0, 32, 0, 0, 0, 64,   0,    0, 0,
                  1,  0, 32, 0, 0,  0, 0, 0, 0x28, 0x10, 0, 0};  // image size 4136
  header.resize(40, 0);
  EXPECT_EQ(Head(file, 22, 40), header);
  EXPECT_EQ(Head(file, 62, 4096), Head(entry.image, 54, 4096)) << "pixel rows unchanged";
  EXPECT_EQ(Head(file, 4158, 128), Bytes(128, 0)) << "the mask is all zero";
}

TEST(BuildIconFileTest, PngEntriesGetAValidDirectoryEntryAndStayWhole) {
  Bytes png = ts::MakePng(256, 256, 0xFF336699);
  png[22] = 0;  // as the conversion stores 256 x 256 images
  ByteSet file = BuildIconFile({PngEntry(png)});
  Bytes entry = {0, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 22, 0, 0, 0};
  ts::PutU32(entry, 8, static_cast<uint32_t>(png.size()));
  EXPECT_EQ(Head(file, 6, 16), entry);
  EXPECT_EQ(Head(file, 22, png.size()), png);
  EXPECT_EQ(file.size(), 22 + png.size());
}

TEST(BuildIconFileTest, ImagesFollowTheDirectoryBackToBack) {
  IconBuildList list = {BitmapEntry(16, 0xFF000000), PngEntry(ts::MakePng(256, 256, 0xFF0000FF)),
                        BitmapEntry(48, 0xFFFFFFFF)};
  ByteSet file = BuildIconFile(list);
  uint32_t b1 = list[0].bytesInResource, b2 = list[1].bytesInResource;
  EXPECT_EQ(ts::GetU32(file.bytes(), 6 + 12), 54u);
  EXPECT_EQ(ts::GetU32(file.bytes(), 22 + 12), 54u + b1);
  EXPECT_EQ(ts::GetU32(file.bytes(), 38 + 12), 54u + b1 + b2);
  EXPECT_EQ(file.size(), 54u + b1 + b2 + list[2].bytesInResource);
}

TEST(BuildIconFileTest, CountHoldsEveryEntryUpToItsSixteenBits) {
  IconBuildList list(300, BitmapEntry(8, 0xFF00FF00));
  ByteSet file = BuildIconFile(list);
  EXPECT_EQ(Head(file, 4, 2), (Bytes{0x2C, 1}));
  EXPECT_EQ(ts::GetU32(file.bytes(), 6 + 12), 6u + 16 * 300);
  EXPECT_EQ(WalkIconImages(file).size(), 300u);
  EXPECT_EQ(BuildIconFile({}), ByteSet(Bytes{0, 0, 1, 0, 0, 0}));

  list.resize(kMaxIconEntries + 1, list.front());
  EXPECT_FALSE(IconFileFits(list));
  EXPECT_TRUE(BuildIconFile(list).empty()) << "refused, not written with a wrapped count";
  IconBuildEntry huge = BitmapEntry(8, 0);
  huge.bytesInResource = 0xFFFFFF00;  // an offset after it would wrap
  EXPECT_TRUE(BuildIconFile({huge, huge}).empty());
}

TEST(BuildIconFileTest, ShortBitmapsArePaddedWithZeros) {
  IconBuildEntry entry{16, 32, 40 + 1024 + 64, ByteSet(Bytes{'B', 'M', 1, 2}), {}};
  ByteSet file = BuildIconFile({entry});
  EXPECT_EQ(file.size(), 22u + entry.bytesInResource);
  EXPECT_EQ(Head(file, 62, 1024 + 64), Bytes(1024 + 64, 0));
}

TEST(BuildIconFileTest, RoundTripsThroughTheIconReader) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = 24;
  recipe.pixel = [](int x, int y) { return static_cast<uint32_t>((x * 10) << 24 | y * 1000 | x); };
  ByteSet bmp(ts::MakeBmpFile(recipe));
  IconBuildEntry entry{24, 32, static_cast<uint32_t>(bmp.size() - 14 + AndMaskSize(24)), bmp, {}};
  ByteSet file = BuildIconFile({entry, PngEntry(ts::MakePng(256, 256, 0x80FF0000))});
  auto image = platform::codecs::DecodeIcoImage(file.span(), 0);
  ASSERT_TRUE(image.ok());
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x)
      ASSERT_EQ(image->pixels[y * 24 + x], recipe.pixel(x, y)) << x << "," << y;
  auto png = platform::codecs::DecodeIcoImage(file.span(), 1);
  ASSERT_TRUE(png.ok());
  EXPECT_EQ(png->pixels[0], 0x80FF0000u);
}

TEST(WalkIconImagesTest, WalksEntriesInDirectoryOrder) {
  IconBuildList list = {BitmapEntry(16, 0xFF000000), PngEntry(ts::MakePng(64, 64, 0xFF0000FF))};
  ByteSet file = BuildIconFile(list);
  auto images = WalkIconImages(file);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].entryHead.bytes(), Head(file, 6, 12));
  EXPECT_EQ(images[0].width, 16);
  EXPECT_EQ(images[0].bitCount, 32);
  EXPECT_EQ(images[0].bytesInResource, list[0].bytesInResource);
  EXPECT_EQ(images[0].image.bytes(), Head(file, 38, list[0].bytesInResource));
  EXPECT_EQ(images[1].width, 0);
  EXPECT_EQ(images[1].image, list[1].image);
}

TEST(WalkIconImagesTest, TakesEachImageAtItsOwnOffset) {
  // Three 10-byte images whose directory lists them as 3, 1, 2 in the file.
  Bytes file = {0, 0, 1, 0, 3, 0};
  const uint32_t offsets[] = {74, 54, 64};
  for (uint32_t offset : offsets) {
    Bytes e = {8, 8, 0, 0, 1, 0, 32, 0, 10, 0, 0, 0, 0, 0, 0, 0};
    ts::PutU32(e, 12, offset);
    file.insert(file.end(), e.begin(), e.end());
  }
  for (uint8_t image = 1; image <= 3; ++image)
    file.insert(file.end(), 10, image);
  auto images = WalkIconImages(ByteSet(file));
  ASSERT_EQ(images.size(), 3u);
  for (size_t i = 0; i < 3; ++i)
    EXPECT_EQ(images[i].image.bytes(), Bytes(10, static_cast<uint8_t>((i + 2) % 3 + 1))) << i;
}

TEST(WalkIconImagesTest, ImagesListedOverAndOverAreRefusedPastTheLargestIconFile) {
  ByteSet icon(ts::RepeatedImageIcon(Bytes(8192, 7), 65535));
  EXPECT_TRUE(IconImagesTooLarge(icon));
  EXPECT_TRUE(WalkIconImages(icon).empty());
  ByteSet fewer(ts::RepeatedImageIcon(Bytes(8192, 7), 1000));
  EXPECT_FALSE(IconImagesTooLarge(fewer));
  EXPECT_EQ(WalkIconImages(fewer).size(), 1000u);
}

TEST(WalkIconImagesTest, MalformedFilesAreWalkedAsFarAsTheyGo) {
  ByteSet file = BuildIconFile({BitmapEntry(16, 0xFF000000), BitmapEntry(16, 0xFFFFFFFF)});
  auto images = WalkIconImages(frame::ByteSetLeft(file, 38 + 100));
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].image.size(), 100u) << "cut short at the end";
  EXPECT_TRUE(images[1].image.empty());

  images = WalkIconImages(frame::ByteSetLeft(file, 26));  // the second entry's first 4 bytes
  ASSERT_EQ(images.size(), 2u);
  Bytes partial = Head(file, 22, 4);
  partial.resize(12, 0);
  EXPECT_EQ(images[1].entryHead.bytes(), partial) << "what lies past the end reads as zero";
  EXPECT_EQ(images[1].bytesInResource, 0u);

  ByteSet unsignedCount = file;
  unsignedCount[5] = 0x80;  // count 32770, not -32766
  EXPECT_EQ(WalkIconImages(unsignedCount).size(), 32770u);
  EXPECT_TRUE(WalkIconImages(ByteSet()).empty());
  EXPECT_TRUE(WalkIconImages(ByteSet(Bytes{0, 0, 1, 0, 0, 0})).empty());

  ByteSet huge = file;
  ts::PutU32(huge.bytes(), 6 + 8, 0xFFFFFFF0);  // bytes in resource of the first image
  images = WalkIconImages(huge);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].image.size(), file.size() - 38);
  EXPECT_EQ(images[1].image.bytes(), Head(file, 38 + 1128, 1128)) << "at its own offset";

  ByteSet many(Bytes{0, 0, 1, 0, 0xFF, 0x7F});  // 32767 entries, none present
  EXPECT_EQ(WalkIconImages(many).size(), 32767u);
}

TEST(MakeSingleImageIconTest, WrapsOneImage) {
  Bytes head = {48, 48, 0, 0, 1, 0, 32, 0, 3, 0, 0, 0};
  ByteSet icon = MakeSingleImageIcon(ByteSet(head), ByteSet(Bytes{7, 8, 9}));
  Bytes expected = {0, 0, 1, 0, 1, 0};
  expected.insert(expected.end(), head.begin(), head.end());
  expected.insert(expected.end(), {0x16, 0, 0, 0, 7, 8, 9});
  EXPECT_EQ(icon.bytes(), expected);
}

TEST(ProbeIconLoadTest, BitmapImagesLoadAndPngImagesDoNot) {
  ts::TempDir dir;
  frame::Text bitmap = frame::Text::FromUtf8((dir / "bitmap.ico").string());
  frame::Text png = frame::Text::FromUtf8((dir / "png.ico").string());
  ASSERT_TRUE(frame::WriteFile(bitmap, BuildIconFile({BitmapEntry(32, 0xFF808080)})));
  ASSERT_TRUE(frame::WriteFile(png, BuildIconFile({PngEntry(ts::MakePng(256, 256, 0xFF000000))})));
  win32::HICON icon = ProbeIconLoad(bitmap);
  EXPECT_NE(icon, 0u);
  EXPECT_TRUE(ext::DestroyIcon(icon));
  EXPECT_EQ(ProbeIconLoad(png), 0u);
  EXPECT_EQ(ProbeIconLoad(frame::Text::FromUtf8((dir / "missing.ico").string())), 0u);
}

}  // namespace
}  // namespace icofile
