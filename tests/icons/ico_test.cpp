#include "platform/core/codecs/ico.h"

#include <QImage>

#include <gtest/gtest.h>

#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/icoutils.h"

namespace platform::codecs {
namespace {

using testing_support::Bytes;
using testing_support::DibRecipe;
using testing_support::MakeIcoFile;
using testing_support::MakeIconDib;
using testing_support::MakePng;
using testing_support::PutU16;
using testing_support::PutU32;

Bytes SmallDib(int size, int bits) {
  DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.bitCount = bits;
  return MakeIconDib(recipe);
}

TEST(IcoDirectoryTest, ReadsEntriesAndImages) {
  Bytes file = MakeIcoFile({SmallDib(16, 8), MakePng(20, 20, 0xFF00FF00)});
  auto dir = ReadIcoDirectory(file);
  ASSERT_TRUE(dir.ok());
  ASSERT_EQ(dir->entries.size(), 2u);
  EXPECT_EQ(dir->entries[0].width, 16);
  EXPECT_EQ(dir->entries[0].bitCount, 8);
  EXPECT_EQ(dir->entries[0].offset, 38u);
  EXPECT_EQ(dir->entries[1].pixelWidth(), 256);

  auto dib = DecodeIcoImage(file, 0);
  ASSERT_TRUE(dib.ok());
  EXPECT_EQ(dib->width, 16);
  auto png = DecodeIcoImage(file, 1);
  ASSERT_TRUE(png.ok());
  EXPECT_EQ(png->width, 20);
  EXPECT_EQ(png->pixels[0], 0xFF00FF00u);
  EXPECT_EQ(DecodeIcoImage(file, 2).error(), IcoError::ImageOutOfRange);
}

struct DirectoryCase {
  const char* name;
  std::function<void(Bytes&)> damage;  // applied to a valid two-image icon file
  IcoError expected;
};

class IcoDirectoryHostileTest : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(IcoDirectoryHostileTest, IsRefusedWithItsReason) {
  Bytes file = MakeIcoFile({SmallDib(16, 4), SmallDib(32, 4)});
  GetParam().damage(file);
  auto dir = ReadIcoDirectory(file);
  ASSERT_FALSE(dir.ok());
  EXPECT_EQ(dir.error(), GetParam().expected) << ToString(dir.error());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IcoDirectoryHostileTest,
    ::testing::Values(
        DirectoryCase{"Empty", [](Bytes& f) { f.clear(); }, IcoError::Truncated},
        DirectoryCase{"FiveBytes", [](Bytes& f) { f.resize(5); }, IcoError::Truncated},
        DirectoryCase{"ReservedSet", [](Bytes& f) { PutU16(f, 0, 1); }, IcoError::NotIconFile},
        DirectoryCase{"TypeThree", [](Bytes& f) { PutU16(f, 2, 3); }, IcoError::NotIconFile},
        DirectoryCase{"CountZero", [](Bytes& f) { PutU16(f, 4, 0); }, IcoError::NoImages},
        DirectoryCase{"Count65535", [](Bytes& f) { PutU16(f, 4, 65535); }, IcoError::TooManyImages},
        DirectoryCase{"DirectoryCut", [](Bytes& f) { f.resize(6 + 16 + 8); }, IcoError::Truncated},
        DirectoryCase{"CountBeyondEntries", [](Bytes& f) { PutU16(f, 4, 300), f.resize(600); },
                      IcoError::Truncated}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IcoImageTest, OffsetsAndSizesAreCheckedAgainstTheFile) {
  Bytes file = MakeIcoFile({SmallDib(16, 4)});
  auto dir = *ReadIcoDirectory(file);
  IcoEntry e = dir.entries[0];
  EXPECT_TRUE(IcoImageBytes(file, e).ok());
  e.offset = static_cast<uint32_t>(file.size());
  EXPECT_EQ(IcoImageBytes(file, e).error(), IcoError::ImageOutOfRange);
  e.offset = 0xFFFFFFF0;  // offset + size wraps around in 32 bits
  e.bytesInResource = 0x20;
  EXPECT_EQ(IcoImageBytes(file, e).error(), IcoError::ImageOutOfRange);
  e = dir.entries[0];
  e.bytesInResource = 0;
  EXPECT_EQ(IcoImageBytes(file, e).error(), IcoError::BadImage);
}

TEST(IcoImageTest, BrokenAndOversizedPngStreamsAreRefused) {
  Bytes png = MakePng(8, 8, 0xFF0000FF);
  ASSERT_TRUE(DecodeIconImage(png).ok());
  Bytes huge = png;
  huge[17] = 0x10;  // IHDR width, big-endian: 0x00100000
  EXPECT_EQ(DecodeIconImage(huge).error(), IcoError::TooLarge);
  Bytes cut(png.begin(), png.begin() + 30);
  EXPECT_EQ(DecodeIconImage(cut).error(), IcoError::BadImage);
  Bytes signatureOnly(png.begin(), png.begin() + 8);
  EXPECT_EQ(DecodeIconImage(signatureOnly).error(), IcoError::BadImage);
}

TEST(GroupIconDirectoryTest, ReadsIdsAndRefusesShortEntries) {
  Bytes group = {0, 0, 1, 0, 2, 0};
  for (uint16_t id : {7, 300}) {
    Bytes e = {32, 32, 0, 0, 1, 0, 32, 0, 0x10, 0x00, 0, 0, 0, 0};
    PutU16(e, 12, id);
    group.insert(group.end(), e.begin(), e.end());
  }
  auto entries = ReadGroupIconDirectory(group);
  ASSERT_TRUE(entries.ok());
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[1].id, 300);
  EXPECT_EQ((*entries)[1].bytesInResource, 16u);
  group.pop_back();
  EXPECT_EQ(ReadGroupIconDirectory(group).error(), IcoError::Truncated);
}

IconImageInfo Info(int size, int bits) {
  IconImageInfo i;
  i.width = i.height = static_cast<uint8_t>(size);  // 256 becomes 0
  i.bitCount = static_cast<uint16_t>(bits);
  return i;
}

struct ChoiceCase {
  std::vector<IconImageInfo> images;
  int wanted;
  size_t expected;
};

class ChooseIconImageTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseIconImageTest, PicksLikeThePlatformLookup) {
  const ChoiceCase& c = GetParam();
  EXPECT_EQ(ChooseIconImage(std::span<const IconImageInfo>(c.images), c.wanted, c.wanted),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseIconImageTest,
    ::testing::Values(
        ChoiceCase{{Info(16, 8), Info(32, 4), Info(32, 8), Info(48, 32)}, 32, 2},
        ChoiceCase{{Info(16, 32), Info(24, 8), Info(48, 32)}, 32, 1},  // largest not above
        ChoiceCase{{Info(64, 8), Info(48, 4), Info(256, 32)}, 32, 1},  // all above: smallest
        ChoiceCase{{Info(32, 8), Info(32, 64)}, 32, 0},                // depth above 32 ignored
        ChoiceCase{{Info(32, 32), Info(32, 32)}, 32, 0},               // first among equals
        ChoiceCase{{Info(16, 4), Info(256, 32)}, 256, 1}, ChoiceCase{{Info(16, 4)}, 16, 0}));

// Differential test against icoutils: every image of every real icon file decodes to the
// pixels that icotool extracts. Transparent pixels compare by alpha alone.
TEST(IcoReferenceTest, RealIconsDecodeLikeIcotool) {
  namespace ts = testing_support;
  if (!ts::HaveIcoutils()) GTEST_SKIP() << "icoutils missing";
  auto icons = ts::NsisIcons();
  ASSERT_FALSE(icons.empty());
  ts::TempDir out;
  int compared = 0;
  for (const auto& path : icons) {
    Bytes file = ts::ReadBytes(path);
    auto dir = ReadIcoDirectory(file);
    ASSERT_TRUE(dir.ok()) << path;
    auto extracted = ts::IcotoolImages(path, out / path.stem().string());
    ASSERT_EQ(extracted.size(), dir->entries.size()) << path;
    for (size_t i = 0; i < dir->entries.size(); ++i) {
      auto ours = DecodeIcoImage(file, i);
      ASSERT_TRUE(ours.ok()) << path << " image " << i;
      const QImage& ref = extracted[static_cast<int>(i)];
      ASSERT_EQ(ref.width(), ours->width) << path << " image " << i;
      ASSERT_EQ(ref.height(), ours->height) << path << " image " << i;
      for (int y = 0; y < ref.height(); ++y)
        for (int x = 0; x < ref.width(); ++x) {
          uint32_t theirs = ref.pixel(x, y);
          uint32_t mine = ours->pixels[static_cast<size_t>(y) * ours->width + x];
          if ((theirs >> 24) == 0) {
            ASSERT_EQ(mine >> 24, 0u) << path << " image " << i << " at " << x << "," << y;
          } else {
            ASSERT_EQ(mine, theirs) << path << " image " << i << " at " << x << "," << y;
          }
        }
      ++compared;
    }
  }
  EXPECT_GT(compared, 100);
}

}  // namespace
}  // namespace platform::codecs
