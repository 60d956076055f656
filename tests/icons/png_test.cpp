#include "platform/core/codecs/png.h"

#include <libdeflate.h>

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "tests/support/fixtures.h"

namespace platform::codecs {
namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& out, uint32_t v) {
  out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

void Chunk(Bytes& png, const char* type, const Bytes& data) {
  Put32(png, uint32_t(data.size()));
  size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  Put32(png, libdeflate_crc32(0, png.data() + start, data.size() + 4));
}

// A PNG written sample by sample, each row with the next of the five filters in turn, so that a
// decoder meets every filter, every depth and, when asked, the seven passes of interlacing.
struct RawPng {
  int width = 5, height = 4, depth = 8, colourType = 6;
  bool interlaced = false;
  int firstFilter = 0;  // 5 and up: a filter PNG does not define
  Bytes palette, transparency;
  std::function<unsigned(int x, int y, int channel)> sample;

  Bytes Write() const {
    const int channels = colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
    const int bpp = std::max(1, channels * depth / 8);
    Bytes raw;
    const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                              {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    int filter = firstFilter;
    for (int p = 0; p < (interlaced ? 7 : 1); ++p) {
      const int x0 = interlaced ? passes[p][0] : 0, y0 = interlaced ? passes[p][1] : 0;
      const int dx = interlaced ? passes[p][2] : 1, dy = interlaced ? passes[p][3] : 1;
      const int w = width > x0 ? (width - x0 + dx - 1) / dx : 0;
      if (w == 0) continue;
      Bytes prior;
      for (int y = y0; y < height; y += dy) {
        Bytes row((size_t(w) * channels * depth + 7) / 8, 0);
        for (int i = 0; i < w; ++i)
          for (int c = 0; c < channels; ++c) {
            unsigned v = sample(x0 + i * dx, y, c);
            size_t n = size_t(i) * channels + c;
            if (depth == 16) {
              row[2 * n] = uint8_t(v >> 8), row[2 * n + 1] = uint8_t(v);
            } else if (depth == 8) {
              row[n] = uint8_t(v);
            } else {
              row[n * depth / 8] |= uint8_t(v << (8 - depth - n * depth % 8));
            }
          }
        if (prior.empty()) prior.assign(row.size(), 0);
        raw.push_back(uint8_t(filter));
        for (size_t j = 0; j < row.size(); ++j) {
          int a = j >= size_t(bpp) ? row[j - bpp] : 0, b = prior[j];
          int c = j >= size_t(bpp) ? prior[j - bpp] : 0, pa = std::abs(b - c), pb = std::abs(a - c),
              pc = std::abs(a + b - 2 * c);
          int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
          int predicted[5] = {0, a, b, (a + b) / 2, paeth};
          raw.push_back(uint8_t(row[j] - (filter < 5 ? predicted[filter] : 0)));
        }
        prior = row;
        filter = (filter + 1) % 5;  // an undefined first filter is not repeated
      }
    }
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, header;
    Put32(header, uint32_t(width));
    Put32(header, uint32_t(height));
    header.insert(header.end(), {uint8_t(depth), uint8_t(colourType), 0, 0, uint8_t(interlaced)});
    Chunk(png, "IHDR", header);
    if (!palette.empty()) Chunk(png, "PLTE", palette);
    if (!transparency.empty()) Chunk(png, "tRNS", transparency);
    libdeflate_compressor* deflater = libdeflate_alloc_compressor(6);
    Bytes data(libdeflate_zlib_compress_bound(deflater, raw.size()));
    data.resize(
        libdeflate_zlib_compress(deflater, raw.data(), raw.size(), data.data(), data.size()));
    libdeflate_free_compressor(deflater);
    // Split in two chunks, as encoders that stream do.
    Chunk(png, "IDAT", Bytes(data.begin(), data.begin() + long(data.size() / 2)));
    Chunk(png, "IDAT", Bytes(data.begin() + long(data.size() / 2), data.end()));
    Chunk(png, "IEND", {});
    return png;
  }
};

// The differences to Qt's reading of the same file: empty when every pixel matches within
// `tolerance` per channel.
std::string DifferenceToQt(const Bytes& png, int tolerance = 0) {
  QImage expected = QImage::fromData(png.data(), int(png.size()), "PNG");
  auto decoded = DecodePng(png);
  if (expected.isNull()) return decoded ? "Qt refuses it, we do not" : "";
  if (!decoded) return "refused: " + std::string(ToString(decoded.error()));
  expected = expected.convertToFormat(QImage::Format_ARGB32);
  const DibImage& image = decoded->image;
  if (image.width != expected.width() || image.height != expected.height()) return "size";
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      uint32_t ours = image.pixels[size_t(y) * image.width + x], theirs = expected.pixel(x, y);
      // A transparent pixel's colour is nobody's business.
      if ((ours >> 24) == 0 && (theirs >> 24) == 0) continue;
      for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int((ours >> shift) & 0xFF) - int((theirs >> shift) & 0xFF)) > tolerance)
          return "pixel " + std::to_string(x) + "," + std::to_string(y);
    }
  return "";
}

unsigned Pattern(int x, int y, int c, int depth) {
  const unsigned top = (1u << depth) - 1;
  return (unsigned(x * 37 + y * 101 + c * 59) * 2654435761u >> 7) % (top + 1);
}

TEST(PngDecoder, ReadsEveryColourTypeDepthFilterAndInterlaceLikeQt) {
  struct Row {
    int colourType, depth;
    bool trns;
  };
  const Row rows[] = {{0, 1, false}, {0, 2, false},  {0, 4, true},  {0, 8, true},
                      {0, 16, true}, {2, 8, false},  {2, 8, true},  {2, 16, false},
                      {3, 1, false}, {3, 2, true},   {3, 4, false}, {3, 8, true},
                      {4, 8, false}, {4, 16, false}, {6, 8, false}, {6, 16, false}};
  for (const Row& row : rows)
    for (bool interlaced : {false, true})
      for (int size : {1, 3, 13}) {
        RawPng png;
        png.width = size;
        png.height = size + 2;
        png.colourType = row.colourType;
        png.depth = row.depth;
        png.interlaced = interlaced;
        png.sample = [&](int x, int y, int c) { return Pattern(x, y, c, row.depth); };
        if (row.colourType == 3) {
          for (int i = 0; i < (1 << row.depth); ++i)
            png.palette.insert(png.palette.end(),
                               {uint8_t(i * 7), uint8_t(i * 3), uint8_t(255 - i)});
          if (row.trns) png.transparency = {0, 128, 255};
        } else if (row.trns) {  // the colour of the first pixel is transparent
          for (int c = 0; c < (row.colourType == 2 ? 3 : 1); ++c) {
            const unsigned v = Pattern(0, 0, c, row.depth);
            png.transparency.insert(png.transparency.end(), {uint8_t(v >> 8), uint8_t(v)});
          }
        }
        EXPECT_EQ(DifferenceToQt(png.Write()), "")
            << "colour type " << row.colourType << ", depth " << row.depth
            << (interlaced ? ", interlaced" : "") << ", size " << size;
      }
}

// Qt reads a 16-bit RGB picture with a transparent colour wrongly, so these are checked alone.
TEST(PngDecoder, ReadsTransparentColoursOf16BitsAndIndicesPastThePalette) {
  RawPng rgb;
  rgb.width = 3, rgb.height = 1, rgb.colourType = 2, rgb.depth = 16;
  rgb.transparency = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
  const unsigned samples[3][3] = {
      {0x1234, 0x5678, 0x9ABC}, {0x1234, 0x5678, 0x9ABD}, {0xFFFF, 0, 0x8000}};
  rgb.sample = [&](int x, int, int c) { return samples[x][c]; };
  auto wide = DecodePng(rgb.Write());
  ASSERT_TRUE(wide.ok());
  EXPECT_EQ(wide->image.pixels, (std::vector<uint32_t>{0x0012569A, 0xFF12569A, 0xFFFF0080}));

  RawPng png;
  png.colourType = 3;
  png.palette = {255, 255, 255, 10, 20, 30};
  png.transparency = {0};
  png.sample = [](int x, int, int) { return unsigned(x % 3); };
  auto decoded = DecodePng(png.Write());
  ASSERT_TRUE(decoded.ok());
  EXPECT_EQ(decoded->image.pixels[0], 0x00FFFFFFu);
  EXPECT_EQ(decoded->image.pixels[1], 0xFF0A141Eu);
  EXPECT_EQ(decoded->image.pixels[2], 0xFF000000u);
}

TEST(PngDecoder, ReadsTheSystemsOwnPicturesLikeQt) {
  namespace fs = std::filesystem;
  int checked = 0;
  std::error_code error;
  for (const char* root : {"/usr/share/icons", "/usr/share/pixmaps", "/usr/share/doc"}) {
    for (fs::recursive_directory_iterator it(root, error), end; it != end && checked < 400;
         it.increment(error)) {
      if (error) break;
      if (!it->is_regular_file(error) || it->path().extension() != ".png") continue;
      Bytes png = testing_support::ReadBytes(it->path());
      auto facts = ReadPngFacts(png, nullptr, nullptr);
      EXPECT_EQ(DifferenceToQt(png, facts && facts->bitDepth == 16 ? 1 : 0), "") << it->path();
      EXPECT_TRUE(IsStrictPng(png)) << it->path();  // what a real tool writes is well-formed
      ++checked;
    }
  }
  EXPECT_GT(checked, 20) << "too few PNG files on this system to compare";
}

TEST(PngDecoder, RefusesDamagedFilesWithTheirReason) {
  RawPng base;
  base.sample = [](int x, int y, int c) { return Pattern(x, y, c, 8); };
  const Bytes good = base.Write();
  ASSERT_TRUE(DecodePng(good).ok());
  constexpr size_t kIhdrData = 16, kFirstIdat = 33;
  auto changed = [&](std::function<void(Bytes&)> change) {
    Bytes b = good;
    change(b);
    return b;
  };
  auto withHeader = [&](uint32_t width, uint32_t height, int depth, int colourType) {
    Bytes png(good.begin(), good.begin() + 8), header;
    Put32(header, width);
    Put32(header, height);
    header.insert(header.end(), {uint8_t(depth), uint8_t(colourType), 0, 0, 0});
    Chunk(png, "IHDR", header);
    return png;
  };
  struct Row {
    const char* what;
    Bytes bytes;
    PngError error;
  };
  const Row rows[] = {
      {"empty", {}, PngError::NotPng},
      {"a BMP", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}, PngError::NotPng},
      {"cut in the header", Bytes(good.begin(), good.begin() + 20), PngError::Truncated},
      {"header CRC", changed([](Bytes& b) { b[kIhdrData] ^= 1; }), PngError::BadChunk},
      {"huge chunk length", changed([](Bytes& b) { b[kFirstIdat] = 0x7F; }), PngError::Truncated},
      {"depth 3", withHeader(4, 4, 3, 0), PngError::BadHeader},
      {"RGB of depth 4", withHeader(4, 4, 4, 2), PngError::BadHeader},
      {"zero width", withHeader(0, 4, 8, 6), PngError::BadHeader},
      {"too wide", withHeader(40000, 1, 8, 6), PngError::TooLarge},
      {"too many pixels", withHeader(20000, 20000, 8, 6), PngError::TooLarge},
      {"cut in the pixel data", Bytes(good.begin(), good.end() - 30), PngError::BadImageData},
  };
  for (const Row& row : rows) {
    auto decoded = DecodePng(row.bytes);
    ASSERT_FALSE(decoded.ok()) << row.what;
    EXPECT_EQ(decoded.error(), row.error) << row.what;
  }
  RawPng palette = base;
  palette.colourType = 3;
  EXPECT_EQ(DecodePng(palette.Write()).error(), PngError::BadPalette);
  RawPng badFilter = base;
  badFilter.firstFilter = 5;
  EXPECT_EQ(DecodePng(badFilter.Write()).error(), PngError::BadImageData);
  RawPng taller = base;
  taller.height = 5;  // the rows of a taller picture: more data than the header's size
  Bytes tooMuch = taller.Write();
  std::copy(good.begin() + 8, good.begin() + 33, tooMuch.begin() + 8);
  EXPECT_EQ(DecodePng(tooMuch).error(), PngError::BadImageData);
}

// What may be stored in an icon unchanged: only what every conforming reader takes, where the
// decoder is lenient (a short pHYs, bytes after IEND, no IEND at all).
TEST(PngStrictness, TakesWellFormedStreamsOnly) {
  RawPng base;
  base.sample = [](int x, int y, int c) { return Pattern(x, y, c, 8); };
  const Bytes good = base.Write();
  constexpr size_t kAfterHeader = 33;
  const size_t end = good.size() - 12;  // where IEND starts
  // The pixel data is split in two IDAT chunks, the first of half its length.
  const size_t kSecondIdat = kAfterHeader + 12 + (good.size() - kAfterHeader - 36) / 2;
  auto with = [&](size_t at, const char* type, const Bytes& data) {
    Bytes chunk;
    Chunk(chunk, type, data);
    Bytes png = good;
    png.insert(png.begin() + long(at), chunk.begin(), chunk.end());
    return png;
  };
  RawPng palette = base;
  palette.colourType = 3;
  palette.palette = Bytes(3 * 256, 0x40);
  palette.transparency = {0, 0x80};
  palette.sample = [](int x, int y, int) { return unsigned(x + y); };
  Bytes badCrc = with(end, "tEXt", {'a', 0, 'b'});
  badCrc[end + 10] ^= 1;
  Bytes trailing = good;
  trailing.push_back(0);
  Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0};
  RawPng badFilter = base;
  badFilter.firstFilter = 5;
  struct Row {
    const char* what;
    Bytes bytes;
    bool strict;
  };
  const Row rows[] = {
      {"as written", good, true},
      {"a palette with transparency", palette.Write(), true},
      {"text after the data", with(end, "tEXt", {'a', 0, 'b'}), true},
      {"pHYs of 9 bytes", with(kAfterHeader, "pHYs", {0, 0, 0, 1, 0, 0, 0, 1, 0}), true},
      {"pHYs of 8 bytes", with(kAfterHeader, "pHYs", Bytes(8, 0)), false},
      {"tRNS in RGBA", with(kAfterHeader, "tRNS", Bytes(6, 0)), false},
      {"an unknown critical chunk", with(kAfterHeader, "ABCD", {}), false},
      {"a chunk between IDATs", with(kSecondIdat, "tEXt", {'a', 0}), false},
      {"a damaged CRC of a chunk nobody reads", badCrc, false},
      {"bytes after IEND", trailing, false},
      {"no IEND", Bytes(good.begin(), good.begin() + long(end)), false},
      {"pixel data that does not decode", badFilter.Write(), false},
      {"a JPEG", jpeg, false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(IsStrictPng(row.bytes), row.strict) << row.what;
}

TEST(PngEncoder, WritesWhatQtReadsBackExactly) {
  for (bool opaque : {false, true}) {
    const int width = 37, height = 19;
    std::vector<uint32_t> pixels(size_t(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = (opaque ? 0xFF000000u : uint32_t(i * 13 % 256) << 24 | 0x01000000u) |
                  (uint32_t(i * 2654435761u) & 0xFFFFFF);
    auto encoded = EncodePng(width, height, pixels, opaque, 3780, 7560);
    ASSERT_TRUE(encoded.ok());
    const Bytes& png = *encoded;
    EXPECT_EQ(png[25], opaque ? 2 : 6) << "colour type";
    QImage read = QImage::fromData(png.data(), int(png.size()), "PNG");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.dotsPerMeterX(), 3780);
    EXPECT_EQ(read.dotsPerMeterY(), 7560);
    read = read.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        ASSERT_EQ(read.pixel(x, y), pixels[size_t(y) * width + x]) << x << "," << y;
    auto ours = DecodePng(png);
    ASSERT_TRUE(ours.ok());
    EXPECT_EQ(ours->image.pixels, pixels);
  }
  EXPECT_FALSE(EncodePng(0, 4, {}).ok());
}

}  // namespace
}  // namespace platform::codecs
