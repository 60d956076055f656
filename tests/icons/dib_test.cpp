#include "platform/core/codecs/dib.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/icon_images.h"

namespace platform::codecs {
namespace {

using testing_support::Bytes;
using testing_support::DibRecipe;
using testing_support::MakeBmpFile;
using testing_support::MakeIconDib;
using testing_support::PutU16;
using testing_support::PutU32;

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

uint32_t At(const DibImage& image, int x, int y) {
  return image.pixels[static_cast<size_t>(y) * image.width + x];
}

// Pixel (x, y) shows colour (x + y) % 3 of red, green, blue; the diagonal is masked out.
struct DepthCase {
  int bitCount;
  std::vector<uint32_t> stored;  // the stored value of red, green, blue
  std::vector<uint32_t> palette;
};

class IconModeDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(IconModeDepthTest, DecodesColoursAndMask) {
  const DepthCase& c = GetParam();
  DibRecipe recipe;
  recipe.width = 33;  // crosses a 32-bit word in every row, the mask included
  recipe.height = 5;
  recipe.bitCount = c.bitCount;
  recipe.palette = c.palette;
  int colours = c.bitCount == 1 ? 2 : 3;
  recipe.pixel = [&](int x, int y) { return c.stored[(x + y) % colours]; };
  recipe.masked = [](int x, int y) { return x == y; };
  auto image = DecodeDib(MakeIconDib(recipe), DibMode::Icon);
  ASSERT_TRUE(image.ok()) << ToString(image.error());
  EXPECT_EQ(image->width, 33);
  EXPECT_EQ(image->height, 5);
  EXPECT_EQ(image->bitCount, c.bitCount);
  const uint32_t expected[] = {kRed, kGreen, kBlue};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 33; ++x) {
      uint32_t alpha = x == y ? 0 : 0xFF000000;
      ASSERT_EQ(At(*image, x, y), alpha | expected[(x + y) % colours]) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Depths, IconModeDepthTest,
    ::
        testing::Values(DepthCase{1, {0, 1}, {kRed, kGreen}},
                        DepthCase{4,
                                  {3, 7, 15},
                                  std::vector<uint32_t>{0, 0, 0, kRed, 0, 0, 0, kGreen, 0, 0, 0, 0,
                                                        0, 0, 0, kBlue}},
                        DepthCase{
                            8,
                            {200, 1, 255},
                            [] {
                              std::vector<uint32_t> p(256, 0);
                              p[200] = kRed, p[1] = kGreen, p[255] = kBlue;
                              return p;
                            }()},
                        DepthCase{16, {0x7C00, 0x03E0, 0x001F}, {}},
                        DepthCase{24, {kRed, kGreen, kBlue}, {}},
                        DepthCase{32, {kRed, kGreen, kBlue}, {}}),
    [](const auto& info) { return std::to_string(info.param.bitCount) + "bits"; });

TEST(DibIconModeTest, ThirtyTwoBitAlphaIsKeptAndTheMaskStillHides) {
  DibRecipe recipe;
  recipe.width = recipe.height = 4;
  recipe.pixel = [](int x, int) { return x == 0 ? 0x00123456u : 0x80ABCDEFu; };
  recipe.masked = [](int x, int y) { return x == 3 && y == 3; };
  auto image = DecodeDib(MakeIconDib(recipe), DibMode::Icon);
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(At(*image, 0, 0), 0x00123456u);  // alpha 0 in the image stays 0
  EXPECT_EQ(At(*image, 1, 2), 0x80ABCDEFu);
  EXPECT_EQ(At(*image, 3, 3), 0x00ABCDEFu);
}

TEST(DibIconModeTest, MissingMaskIsToleratedAndLeavesTheImageOpaque) {
  DibRecipe recipe;
  recipe.width = recipe.height = 8;
  recipe.bitCount = 8;
  recipe.pixel = [](int x, int) { return static_cast<uint32_t>(x); };
  recipe.withMask = false;
  auto image = DecodeDib(MakeIconDib(recipe), DibMode::Icon);
  ASSERT_TRUE(image.ok());
  for (uint32_t p : image->pixels)
    EXPECT_EQ(p >> 24, 0xFFu);
}

TEST(DibIconModeTest, UsedColoursShortenTheColourTable) {
  DibRecipe recipe;
  recipe.width = recipe.height = 2;
  recipe.bitCount = 8;
  recipe.palette = {kRed, kBlue};
  recipe.pixel = [](int x, int) { return x == 0 ? 1u : 7u; };  // 7 lies outside the table: black
  Bytes dib = MakeIconDib(recipe);
  PutU32(dib, 32, 2);
  auto image = DecodeDib(dib, DibMode::Icon);
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(At(*image, 0, 0), 0xFF000000 | kBlue);
  EXPECT_EQ(At(*image, 1, 0), 0xFF000000u);
}

TEST(DibBitmapModeTest, RowsAreBottomUpUnlessTheHeightIsNegative) {
  DibRecipe recipe;
  recipe.width = 2;
  recipe.height = 3;
  recipe.bitCount = 24;
  recipe.pixel = [](int, int y) { return y == 0 ? kRed : kBlue; };
  Bytes file = MakeBmpFile(recipe);
  auto bottomUp = DecodeBmpFile(file);
  ASSERT_TRUE(bottomUp.ok());
  EXPECT_EQ(At(*bottomUp, 1, 0), 0xFF000000 | kRed);
  EXPECT_EQ(At(*bottomUp, 1, 2), 0xFF000000 | kBlue);

  PutU32(file, 14 + 8, static_cast<uint32_t>(-3));
  auto topDown = DecodeBmpFile(file);
  ASSERT_TRUE(topDown.ok());
  EXPECT_EQ(At(*topDown, 1, 0), 0xFF000000 | kBlue);
  EXPECT_EQ(At(*topDown, 1, 2), 0xFF000000 | kRed);
}

TEST(DibBitmapModeTest, ThirtyTwoBitsWithoutAlphaAreOpaqueAndWithAlphaKeepIt) {
  DibRecipe recipe;
  recipe.width = recipe.height = 2;
  recipe.pixel = [](int, int) { return 0x00102030u; };
  auto opaque = DecodeBmpFile(MakeBmpFile(recipe));
  ASSERT_TRUE(opaque.ok());
  EXPECT_EQ(At(*opaque, 0, 0), 0xFF102030u);

  recipe.pixel = [](int x, int) { return x == 0 ? 0x00102030u : 0x7F102030u; };
  auto alpha = DecodeBmpFile(MakeBmpFile(recipe));
  ASSERT_TRUE(alpha.ok());
  EXPECT_EQ(At(*alpha, 0, 0), 0x00102030u);
  EXPECT_EQ(At(*alpha, 1, 0), 0x7F102030u);
}

TEST(DibBitmapModeTest, PixelOffsetOfTheFileHeaderIsHonoured) {
  DibRecipe recipe;
  recipe.width = recipe.height = 1;
  recipe.bitCount = 24;
  recipe.pixel = [](int, int) { return kGreen; };
  Bytes file = MakeBmpFile(recipe);
  file.insert(file.begin() + 54, {0xAA, 0xBB, 0xCC, 0xDD});  // a gap before the pixels
  PutU32(file, 10, 58);
  auto image = DecodeBmpFile(file);
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(At(*image, 0, 0), 0xFF000000 | kGreen);
}

// A 40-byte header with BI_BITFIELDS followed by the three masks.
Bytes BitFieldsBmp(uint16_t bitCount, uint32_t r, uint32_t g, uint32_t b, uint32_t pixel) {
  DibRecipe recipe;
  recipe.width = recipe.height = 1;
  recipe.bitCount = bitCount;
  recipe.pixel = [=](int, int) { return pixel; };
  Bytes file = MakeBmpFile(recipe);
  PutU32(file, 14 + 16, 3);
  Bytes masks(12);
  PutU32(masks, 0, r);
  PutU32(masks, 4, g);
  PutU32(masks, 8, b);
  file.insert(file.begin() + 54, masks.begin(), masks.end());
  PutU32(file, 10, 66);
  return file;
}

TEST(DibBitmapModeTest, BitFieldsSelectTheComponents) {
  auto rgb565 = DecodeBmpFile(BitFieldsBmp(16, 0xF800, 0x07E0, 0x001F, 0xF81F));
  ASSERT_TRUE(rgb565.ok());
  EXPECT_EQ(At(*rgb565, 0, 0), 0xFFFF00FFu);
  auto bgr = DecodeBmpFile(BitFieldsBmp(32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0x00332211));
  ASSERT_TRUE(bgr.ok());
  EXPECT_EQ(At(*bgr, 0, 0), 0xFF112233u);
}

struct HostileCase {
  const char* name;
  std::function<void(Bytes&)> damage;  // applied to a valid 8 x 8, 8-bit icon DIB
  DibMode mode;
  DibError expected;
};

class DibHostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(DibHostileTest, IsRefusedWithItsReason) {
  DibRecipe recipe;
  recipe.width = recipe.height = 8;
  recipe.bitCount = 8;
  Bytes dib = MakeIconDib(recipe);
  GetParam().damage(dib);
  auto image = DecodeDib(dib, GetParam().mode);
  ASSERT_FALSE(image.ok());
  EXPECT_EQ(image.error(), GetParam().expected) << ToString(image.error());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DibHostileTest,
    ::testing::Values(
        HostileCase{"Empty", [](Bytes& d) { d.clear(); }, DibMode::Icon, DibError::Truncated},
        HostileCase{"HeaderCut", [](Bytes& d) { d.resize(30); }, DibMode::Icon,
                    DibError::Truncated},
        HostileCase{"PaletteCut", [](Bytes& d) { d.resize(40 + 1000); }, DibMode::Icon,
                    DibError::Truncated},
        HostileCase{"ColourRowsCut", [](Bytes& d) { d.resize(40 + 1024 + 63); }, DibMode::Icon,
                    DibError::Truncated},
        HostileCase{"HeaderSize20", [](Bytes& d) { PutU32(d, 0, 20); }, DibMode::Icon,
                    DibError::BadHeaderSize},
        HostileCase{"HeaderSizeHuge", [](Bytes& d) { PutU32(d, 0, 0xFFFFFFFF); }, DibMode::Icon,
                    DibError::BadHeaderSize},
        HostileCase{"ZeroWidth", [](Bytes& d) { PutU32(d, 4, 0); }, DibMode::Icon,
                    DibError::BadDimensions},
        HostileCase{"NegativeWidth", [](Bytes& d) { PutU32(d, 4, 0xFFFFFFF8); }, DibMode::Icon,
                    DibError::BadDimensions},
        HostileCase{"ZeroHeight", [](Bytes& d) { PutU32(d, 8, 0); }, DibMode::Bitmap,
                    DibError::BadDimensions},
        HostileCase{"IconHeightOne", [](Bytes& d) { PutU32(d, 8, 1); }, DibMode::Icon,
                    DibError::BadDimensions},
        HostileCase{"IconTopDown", [](Bytes& d) { PutU32(d, 8, static_cast<uint32_t>(-16)); },
                    DibMode::Icon, DibError::BadDimensions},
        HostileCase{"MostNegativeHeight", [](Bytes& d) { PutU32(d, 8, 0x80000000); },
                    DibMode::Bitmap, DibError::TooLarge},
        HostileCase{"WideBeyondLimit", [](Bytes& d) { PutU32(d, 4, 40000); }, DibMode::Icon,
                    DibError::TooLarge},
        HostileCase{"TooManyPixels", [](Bytes& d) { PutU32(d, 4, 30000), PutU32(d, 8, 60000); },
                    DibMode::Icon, DibError::TooLarge},
        HostileCase{"TwoBitsPerPixel", [](Bytes& d) { PutU16(d, 14, 2); }, DibMode::Icon,
                    DibError::UnsupportedBitCount},
        HostileCase{"ZeroBitsPerPixel", [](Bytes& d) { PutU16(d, 14, 0); }, DibMode::Icon,
                    DibError::UnsupportedBitCount},
        HostileCase{"RunLength", [](Bytes& d) { PutU32(d, 16, 1); }, DibMode::Bitmap,
                    DibError::UnsupportedCompression},
        HostileCase{"BitFieldsOnEightBits", [](Bytes& d) { PutU32(d, 16, 3); }, DibMode::Icon,
                    DibError::UnsupportedCompression},
        HostileCase{"ColourTableOf257", [](Bytes& d) { PutU32(d, 32, 257); }, DibMode::Icon,
                    DibError::BadColourTable},
        HostileCase{"ZeroBitMask",
                    [](Bytes& d) { PutU16(d, 14, 32), PutU32(d, 16, 3), PutU32(d, 40, 0); },
                    DibMode::Icon, DibError::BadBitMasks},
        HostileCase{"SplitBitMask",
                    [](Bytes& d) {
                      PutU16(d, 14, 32), PutU32(d, 16, 3), PutU32(d, 40, 0x0F0F);
                      PutU32(d, 44, 0xFF0000), PutU32(d, 48, 0xFF000000);
                    },
                    DibMode::Icon, DibError::BadBitMasks}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DibHostileTest, EveryPrefixFailsCleanlyOrDecodesWithoutTheMask) {
  DibRecipe recipe;
  recipe.width = 13;
  recipe.height = 7;
  recipe.bitCount = 4;
  recipe.pixel = [](int x, int y) { return static_cast<uint32_t>(x * y) % 16; };
  recipe.masked = [](int x, int) { return x % 2 == 0; };
  Bytes dib = MakeIconDib(recipe);
  size_t colourEnd = 40 + 64 + 8 * 7;
  for (size_t n = 0; n < dib.size(); ++n) {
    auto image = DecodeDib(std::span(dib.data(), n), DibMode::Icon);
    if (n < colourEnd) {
      ASSERT_FALSE(image.ok()) << n;
      EXPECT_EQ(image.error(), DibError::Truncated) << n;
    } else {
      ASSERT_TRUE(image.ok()) << n;
      EXPECT_EQ(image->pixels[0] >> 24, 0xFFu) << n;  // without a whole mask nothing is hidden
    }
  }
}

TEST(DibHostileTest, BitmapFilesNeedTheirSignature) {
  DibRecipe recipe;
  Bytes file = MakeBmpFile(recipe);
  file[0] = 'X';
  EXPECT_EQ(DecodeBmpFile(file).error(), DibError::NotBitmapFile);
  EXPECT_EQ(DecodeBmpFile(std::span(file.data(), 5)).error(), DibError::Truncated);
}

}  // namespace
}  // namespace platform::codecs
