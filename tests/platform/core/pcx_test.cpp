// The PCX decoder: the layouts picture values use, run-length runs across rows, and hostile input.
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/codecs/pcx.h"
#include "tests/support/fixtures.h"

namespace platform::codecs {
namespace {

struct PcxFile {
  std::vector<uint8_t> bytes = std::vector<uint8_t>(128, 0);

  PcxFile(int width, int height, uint8_t bitsPerPixel, uint8_t planes, uint16_t bytesPerLine,
          uint8_t version = 5) {
    bytes[0] = 0x0A;
    bytes[1] = version;
    bytes[2] = 1;
    bytes[3] = bitsPerPixel;
    Word(8, static_cast<uint16_t>(width - 1));
    Word(10, static_cast<uint16_t>(height - 1));
    bytes[65] = planes;
    Word(66, bytesPerLine);
  }
  void Word(size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
  }
  PcxFile& Raw(std::initializer_list<uint8_t> data) {
    bytes.insert(bytes.end(), data);
    return *this;
  }
  PcxFile& Run(uint8_t count, uint8_t value) {
    return Raw({static_cast<uint8_t>(0xC0 | count), value});
  }
  PcxFile& Palette(std::initializer_list<uint8_t> rgb) {
    bytes.push_back(0x0C);
    std::vector<uint8_t> palette(768, 0);
    std::copy(rgb.begin(), rgb.end(), palette.begin());
    bytes.insert(bytes.end(), palette.begin(), palette.end());
    return *this;
  }
};

TEST(PcxTest, EightBitsWithThePaletteAtTheEnd) {
  // 3 x 2, rows padded to 4 bytes; one run covers the end of row 0 and the start of row 1.
  PcxFile pcx(3, 2, 8, 1, 4);
  pcx.Raw({1, 2}).Run(3, 0).Raw({2, 1, 0}).Palette({0, 0, 0, 255, 0, 0, 0, 0, 255});
  auto image = DecodePcx(pcx.bytes);
  ASSERT_TRUE(image) << ToString(image.error());
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0xFFFF0000, 0xFF0000FF, 0xFF000000, 0xFF000000,
                                                  0xFF0000FF, 0xFFFF0000}));
}

TEST(PcxTest, EightBitsWithoutAPaletteAreGrey) {
  PcxFile pcx(2, 1, 8, 1, 2);
  pcx.Raw({0x40, 0x80});
  auto image = DecodePcx(pcx.bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0xFF404040, 0xFF808080}));
}

TEST(PcxTest, ThreePlanesAreRedGreenAndBlue) {
  PcxFile pcx(2, 1, 8, 3, 2);
  pcx.Raw({10, 20, 30, 40}).Run(2, 50);
  auto image = DecodePcx(pcx.bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->bitCount, 24);
  EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0xFF0A1E32, 0xFF142832}));
}

TEST(PcxTest, OneBitImagesInOneOrFourPlanes) {
  PcxFile mono(10, 1, 1, 1, 2, 3);
  mono.Raw({0xA0, 0x40});
  auto image = DecodePcx(mono.bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels[0], 0xFFFFFFFF);
  EXPECT_EQ(image->pixels[1], 0xFF000000);
  EXPECT_EQ(image->pixels[2], 0xFFFFFFFF);
  EXPECT_EQ(image->pixels[9], 0xFFFFFFFF);

  PcxFile ega(1, 1, 1, 4, 1, 3);
  ega.bytes[16 + 5 * 3] = 0x11;  // palette entry 5: 11 22 33
  ega.bytes[16 + 5 * 3 + 1] = 0x22;
  ega.bytes[16 + 5 * 3 + 2] = 0x33;
  ega.Raw({0x80, 0x00, 0x80, 0x00});  // planes 0 and 2 set: index 5
  image = DecodePcx(ega.bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixels[0], 0xFF112233u);
}

TEST(PcxTest, HostileHeadersAndDataFailCleanly) {
  const auto failure = [](const std::vector<uint8_t>& bytes) {
    auto image = DecodePcx(bytes);
    return image ? std::optional<PcxError>() : std::optional<PcxError>(image.error());
  };
  PcxFile ok(2, 2, 8, 1, 2);
  ok.Run(4, 7);
  ASSERT_FALSE(failure(ok.bytes));

  for (size_t cut = 0; cut < ok.bytes.size(); ++cut)
    EXPECT_TRUE(
        failure(std::vector<uint8_t>(ok.bytes.begin(), ok.bytes.begin() + static_cast<long>(cut))))
        << cut;

  PcxFile reversed = ok;
  reversed.Word(4, 5);  // xMin beyond xMax
  EXPECT_EQ(failure(reversed.bytes), PcxError::BadDimensions);
  PcxFile shortLines(100, 1, 8, 1, 10);
  EXPECT_EQ(failure(shortLines.Run(63, 0).bytes), PcxError::BadDimensions);
  PcxFile huge(16384, 16384, 8, 1, 16384);
  EXPECT_EQ(failure(huge.Run(63, 0).bytes), PcxError::TooLarge);
  PcxFile wide(20000, 1, 8, 1, 20000);
  EXPECT_EQ(failure(wide.bytes), PcxError::TooLarge);
  PcxFile manyBytes(4000, 4000, 8, 1, 4000);  // 16 MB from a file of a few bytes
  EXPECT_EQ(failure(manyBytes.Run(63, 0).bytes), PcxError::Truncated);
  PcxFile twoBits(2, 2, 2, 1, 2);
  EXPECT_EQ(failure(twoBits.bytes), PcxError::NotPcxFile);
  PcxFile fivePlanes(2, 2, 8, 5, 2);
  EXPECT_EQ(failure(fivePlanes.Run(20, 0).bytes), PcxError::UnsupportedFormat);
}

TEST(PcxTest, RecognisesTheHeadersThePictureLoaderAccepts) {
  const struct {
    std::vector<uint8_t> head;
    bool pcx;
  } rows[] = {
      {{0x0A, 5, 1, 8}, true},  {{0x0A, 0, 1, 8}, true},  {{0x0A, 3, 1, 1}, true},
      {{0x0A, 6, 1, 8}, false}, {{0x0A, 5, 0, 8}, false}, {{0x0A, 5, 1, 1}, false},
      {{0x0B, 5, 1, 8}, false}, {{0x0A, 5, 1}, false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(LooksLikePcx(row.head), row.pcx) << testing::PrintToString(row.head);
}

// The fuzzer's seeds and every input it crashed on: decoded whole or refused.
TEST(PcxTest, KnownCrashInputsAreHandledCleanly) {
  for (const auto& file : testing_support::DataFiles("crashers/pcx")) {
    auto image = DecodePcx(testing_support::ReadBytes(file));
    if (image) {
      EXPECT_EQ(image->pixels.size(), static_cast<size_t>(image->width) * image->height) << file;
    }
  }
}

}  // namespace
}  // namespace platform::codecs
