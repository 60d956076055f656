#include "platform/core/codecs/png.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace platform::codecs {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint32_t kMaxChunkLength = 0x7FFFFFFF;
constexpr size_t kIhdrLength = 13;
constexpr int kCompressionLevel = 6;
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
constexpr bool kCheckCrc = false;  // the fuzzer cannot forge checksums: it gets past them
#else
constexpr bool kCheckCrc = true;
#endif

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t v) {
  out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

bool IsType(const uint8_t* type, const char (&name)[5]) {
  return std::memcmp(type, name, 4) == 0;
}

bool IsLetter(uint8_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};
struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

int Channels(uint8_t colourType) {
  return PngChannels(colourType);
}

bool ValidDepth(uint8_t colourType, uint8_t depth) {
  switch (colourType) {
    case 0:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
      return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
      return depth == 8 || depth == 16;
    default:
      return false;
  }
}

struct Header {
  uint32_t width = 0;
  uint32_t height = 0;
  uint8_t depth = 0;
  uint8_t colourType = 0;
  bool interlaced = false;

  int channels() const { return Channels(colourType); }
  uint64_t RowBytes(uint64_t pixels) const { return (pixels * channels() * depth + 7) / 8; }
  // Bytes between one pixel and the one before it, as the filters count them.
  size_t FilterStep() const { return std::max<size_t>(1, size_t(channels()) * depth / 8); }
};

Result<Header, PngError> ParseHeader(std::span<const uint8_t> data) {
  if (data.size() != kIhdrLength) return Fail(PngError::BadHeader);
  Header h;
  h.width = BigEndian32(data.data());
  h.height = BigEndian32(data.data() + 4);
  h.depth = data[8];
  h.colourType = data[9];
  if (h.width == 0 || h.height == 0 || h.width > kMaxChunkLength || h.height > kMaxChunkLength ||
      !ValidDepth(h.colourType, h.depth))
    return Fail(PngError::BadHeader);
  if (data[10] != 0 || data[11] != 0 || data[12] > 1) return Fail(PngError::UnsupportedMethod);
  h.interlaced = data[12] == 1;
  if (h.width > kMaxPngDimension || h.height > kMaxPngDimension ||
      uint64_t{h.width} * h.height > kMaxPngPixels)
    return Fail(PngError::TooLarge);
  return h;
}

// The seven passes of Adam7, or the one pass of a plain image.
struct Pass {
  uint32_t x0, y0, dx, dy;
};
constexpr Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
constexpr Pass kWhole[1] = {{0, 0, 1, 1}};

std::span<const Pass> PassesOf(const Header& h) {
  return h.interlaced ? std::span<const Pass>(kAdam7) : std::span<const Pass>(kWhole);
}

uint32_t PassSize(uint32_t size, uint32_t start, uint32_t step) {
  return size > start ? (size - start + step - 1) / step : 0;
}

// Everything the chunks before the pixel data say.
struct Chunks {
  Header header;
  PngFacts facts;
  std::array<uint32_t, 256> palette{};  // ARGB; indices past the palette stay opaque black
  int paletteSize = 0;
  std::optional<std::array<uint16_t, 3>> key;  // the grey or RGB sample of a transparent pixel
  std::vector<uint8_t> joinedData;             // IDAT chunks joined, when there are several
  std::span<const uint8_t> data;
};

void ReadPalette(std::span<const uint8_t> data, Chunks& c) {
  c.paletteSize = int(data.size() / 3);
  bool grey = true;
  for (int i = 0; i < c.paletteSize; ++i) {
    uint8_t r = data[3 * i], g = data[3 * i + 1], b = data[3 * i + 2];
    c.palette[i] = 0xFF000000u | uint32_t{r} << 16 | uint32_t{g} << 8 | b;
    grey = grey && r == g && g == b;
  }
  c.facts.greyPalette = grey;
}

void ReadTransparency(std::span<const uint8_t> data, Chunks& c) {
  switch (c.header.colourType) {
    case 3: {
      size_t n = std::min<size_t>(data.size(), size_t(c.paletteSize));
      for (size_t i = 0; i < n; ++i)
        c.palette[i] = (c.palette[i] & 0xFFFFFF) | uint32_t{data[i]} << 24;
      c.facts.transparencyKey = n > 0;
      break;
    }
    case 0:
      if (data.size() < 2) return;
      c.key = std::array<uint16_t, 3>{uint16_t(data[0] << 8 | data[1]), 0, 0};
      c.facts.transparencyKey = true;
      break;
    case 2:
      if (data.size() < 6) return;
      c.key = std::array<uint16_t, 3>{uint16_t(data[0] << 8 | data[1]),
                                      uint16_t(data[2] << 8 | data[3]),
                                      uint16_t(data[4] << 8 | data[5])};
      c.facts.transparencyKey = true;
      break;
    default:
      break;  // grey + alpha and RGBA carry their own alpha
  }
}

// Walks the chunks up to the end of the pixel data. What follows it (IEND, text) is not needed,
// so a file cut after its pixel data still decodes.
Result<Chunks, PngError> ReadChunks(std::span<const uint8_t> png, bool headerOnly) {
  if (!IsPngSignature(png)) return Fail(PngError::NotPng);
  Chunks c;
  c.palette.fill(0xFF000000u);
  std::vector<std::span<const uint8_t>> pieces;
  bool headerSeen = false;
  size_t at = sizeof kSignature;
  while (true) {
    if (png.size() - at < 12) {
      if (!pieces.empty()) break;
      return Fail(PngError::Truncated);
    }
    const uint32_t length = BigEndian32(png.data() + at);
    const uint8_t* type = png.data() + at + 4;
    if (length > kMaxChunkLength) return Fail(PngError::BadChunk);
    if (length > png.size() - at - 12) {
      if (!pieces.empty()) break;
      return Fail(PngError::Truncated);
    }
    if (!std::all_of(type, type + 4, IsLetter)) return Fail(PngError::BadChunk);
    const std::span<const uint8_t> data = png.subspan(at + 8, length);
    const bool idat = IsType(type, "IDAT");
    if (!pieces.empty() && !idat) break;  // the pixel data ended
    const bool critical = type[0] >= 'A' && type[0] <= 'Z';
    const bool used = critical || IsType(type, "tRNS") || IsType(type, "pHYs");
    if (kCheckCrc && used &&
        libdeflate_crc32(0, type, length + 4) != BigEndian32(data.data() + length))
      return Fail(PngError::BadChunk);
    at += size_t{length} + 12;

    if (!headerSeen) {
      if (!IsType(type, "IHDR")) return Fail(PngError::BadChunk);
      c.header = TRY(ParseHeader(data));
      c.facts.colourType = c.header.colourType;
      c.facts.bitDepth = c.header.depth;
      headerSeen = true;
      if (headerOnly) return c;
    } else if (IsType(type, "PLTE")) {
      if (c.paletteSize > 0 || length == 0 || length % 3 != 0 || length > 768)
        return Fail(PngError::BadPalette);
      ReadPalette(data, c);
    } else if (IsType(type, "tRNS")) {
      ReadTransparency(data, c);
    } else if (IsType(type, "pHYs")) {
      if (length == 9 && data[8] == 1) {
        c.facts.pixelsPerMeterX = BigEndian32(data.data());
        c.facts.pixelsPerMeterY = BigEndian32(data.data() + 4);
      }
    } else if (idat) {
      if (c.header.colourType == 3 && c.paletteSize == 0) return Fail(PngError::BadPalette);
      pieces.push_back(data);
    } else if (IsType(type, "IEND")) {
      return Fail(PngError::Truncated);  // no pixel data
    } else if (critical) {
      return Fail(PngError::BadChunk);  // a second header, or a critical chunk PNG lacks
    }
  }
  if (pieces.size() == 1) {
    c.data = pieces[0];
  } else {
    size_t total = 0;
    for (auto piece : pieces)
      total += piece.size();  // at most the file's size
    c.joinedData.reserve(total);
    for (auto piece : pieces)
      c.joinedData.insert(c.joinedData.end(), piece.begin(), piece.end());
    c.data = c.joinedData;
  }
  return c;
}

// Written without branches, so that the compiler can select with conditional moves.
uint8_t Paeth(uint8_t a, uint8_t b, uint8_t c) {
  const int pa = std::abs(int(b) - c), pb = std::abs(int(a) - c), pc = std::abs(int(a) + b - 2 * c);
  const int ab = pb < pa ? b : a;
  const int ac = pc < std::min(pa, pb) ? c : ab;
  return uint8_t(ac);
}

// Undoes the row's filter in place; `prior` is the unfiltered row above (zeros for the first).
// Four bytes added bytewise without carries between them.
uint32_t AddBytes(uint32_t a, uint32_t b) {
  return ((a & 0x7F7F7F7Fu) + (b & 0x7F7F7F7Fu)) ^ ((a ^ b) & 0x80808080u);
}

// The row and the row above never overlap, which lets the compiler add many bytes at once.
bool Unfilter(uint8_t filter, uint8_t* __restrict row, const uint8_t* __restrict prior,
              size_t length, size_t step) {
  switch (filter) {
    case 0:
      return true;
    case 1:
      if (step == 4) {  // a pixel of four bytes at a time
        uint32_t left = 0;
        for (size_t i = 0; i + 4 <= length; i += 4) {
          uint32_t here;
          std::memcpy(&here, row + i, 4);
          left = AddBytes(here, left);
          std::memcpy(row + i, &left, 4);
        }
        return true;
      }
      for (size_t i = step; i < length; ++i)
        row[i] = uint8_t(row[i] + row[i - step]);
      return true;
    case 2:
      for (size_t i = 0; i < length; ++i)
        row[i] = uint8_t(row[i] + prior[i]);
      return true;
    case 3:
      for (size_t i = 0; i < step && i < length; ++i)
        row[i] = uint8_t(row[i] + prior[i] / 2);
      for (size_t i = step; i < length; ++i)
        row[i] = uint8_t(row[i] + (unsigned(row[i - step]) + prior[i]) / 2);
      return true;
    case 4:
      for (size_t i = 0; i < step && i < length; ++i)
        row[i] = uint8_t(row[i] + prior[i]);
      for (size_t i = step; i < length; ++i)
        row[i] = uint8_t(row[i] + Paeth(row[i - step], prior[i], prior[i - step]));
      return true;
    default:
      return false;
  }
}

// 16-bit to 8-bit, rounded to nearest.
uint8_t Narrow(unsigned v) {
  return uint8_t((v + 128 - ((v + 128) >> 8)) >> 8);
}

uint32_t Argb(unsigned a, unsigned r, unsigned g, unsigned b) {
  return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

template <class PixelAt>
void Store(uint32_t count, uint32_t* out, uint32_t step, PixelAt pixelAt) {
  for (uint32_t x = 0; x < count; ++x)
    out[x * step] = pixelAt(x);
}

// One unfiltered row to pixels at out[0], out[step], ...
void ConvertRow(const Chunks& c, const uint8_t* row, uint32_t count, uint32_t* out, uint32_t step) {
  const Header& h = c.header;
  const bool keyed = c.key.has_value();
  const std::array<uint16_t, 3> key = c.key.value_or(std::array<uint16_t, 3>{});
  auto sample16 = [row](size_t i) { return unsigned(row[2 * i] << 8 | row[2 * i + 1]); };
  auto grey = [keyed, &key](unsigned v, unsigned level) {
    return Argb(keyed && key[0] == v ? 0 : 255, level, level, level);
  };
  auto rgb = [keyed, &key](unsigned r, unsigned g, unsigned b) {
    return keyed && key[0] == r && key[1] == g && key[2] == b;
  };
  if (h.depth < 8) {
    const unsigned depth = h.depth, mask = (1u << depth) - 1, scale = 255 / mask;
    auto sample = [row, depth, mask](uint32_t x) {
      const size_t bit = size_t(x) * depth;
      return (row[bit / 8] >> (8 - depth - bit % 8)) & mask;
    };
    if (h.colourType == 3)
      Store(count, out, step, [&](uint32_t x) { return c.palette[sample(x)]; });
    else
      Store(count, out, step, [&](uint32_t x) { return grey(sample(x), sample(x) * scale); });
    return;
  }
  const bool wide = h.depth == 16;
  switch (h.colourType) {
    case 0:
      if (wide)
        Store(count, out, step, [&](uint32_t x) { return grey(sample16(x), Narrow(sample16(x))); });
      else
        Store(count, out, step, [&](uint32_t x) { return grey(row[x], row[x]); });
      break;
    case 2:
      if (wide) {
        Store(count, out, step, [&](uint32_t x) {
          unsigned r = sample16(3 * x), g = sample16(3 * x + 1), b = sample16(3 * x + 2);
          return Argb(rgb(r, g, b) ? 0 : 255, Narrow(r), Narrow(g), Narrow(b));
        });
      } else {
        Store(count, out, step, [&](uint32_t x) {
          const uint8_t* p = row + 3 * x;
          return Argb(rgb(p[0], p[1], p[2]) ? 0 : 255, p[0], p[1], p[2]);
        });
      }
      break;
    case 3:
      Store(count, out, step, [&](uint32_t x) { return c.palette[row[x]]; });
      break;
    case 4:
      if (wide)
        Store(count, out, step, [&](uint32_t x) {
          const unsigned level = Narrow(sample16(2 * x));
          return Argb(Narrow(sample16(2 * x + 1)), level, level, level);
        });
      else
        Store(count, out, step,
              [&](uint32_t x) { return Argb(row[2 * x + 1], row[2 * x], row[2 * x], row[2 * x]); });
      break;
    default:  // 6
      if (wide)
        Store(count, out, step, [&](uint32_t x) {
          return Argb(Narrow(sample16(4 * x + 3)), Narrow(sample16(4 * x)),
                      Narrow(sample16(4 * x + 1)), Narrow(sample16(4 * x + 2)));
        });
      else
        Store(count, out, step, [&](uint32_t x) {
          const uint8_t* p = row + 4 * x;
          return Argb(p[3], p[0], p[1], p[2]);
        });
      break;
  }
}

}  // namespace

std::string_view ToString(PngError error) {
  switch (error) {
    case PngError::NotPng:
      return "not a PNG picture";
    case PngError::Truncated:
      return "the picture is cut short";
    case PngError::BadChunk:
      return "a damaged chunk";
    case PngError::BadHeader:
      return "an impossible header";
    case PngError::BadPalette:
      return "a missing or damaged palette";
    case PngError::TooLarge:
      return "the picture is too large";
    case PngError::BadImageData:
      return "damaged pixel data";
    case PngError::UnsupportedMethod:
      return "an unknown compression, filter or interlace method";
    case PngError::OutOfMemory:
      return "out of memory";
  }
  return "unknown error";
}

bool IsPngSignature(std::span<const uint8_t> bytes) {
  return bytes.size() >= sizeof kSignature &&
         std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin());
}

// The IHDR chunk follows the signature: length, "IHDR", then its fields.
constexpr size_t kIhdrWidthAt = 16;
constexpr size_t kIhdrHeightAt = 20;
constexpr size_t kIhdrBitDepthAt = 24;
constexpr size_t kIhdrColourTypeAt = 25;

PngHeaderFields PeekPngHeader(std::span<const uint8_t> png) {
  std::array<uint8_t, kIhdrColourTypeAt + 1> head{};
  std::copy_n(png.begin(), std::min(png.size(), head.size()), head.begin());
  PngHeaderFields fields;
  fields.width = BigEndian32(head.data() + kIhdrWidthAt);
  fields.height = BigEndian32(head.data() + kIhdrHeightAt);
  fields.bitDepth = head[kIhdrBitDepthAt];
  fields.colourType = head[kIhdrColourTypeAt];
  fields.complete = png.size() >= head.size();
  return fields;
}

bool SetPngHeaderHeight(std::span<uint8_t> png, uint32_t height) {
  if (png.size() < kIhdrHeightAt + 4) return false;
  for (size_t i = 0; i < 4; ++i)
    png[kIhdrHeightAt + i] = static_cast<uint8_t>(height >> (24 - 8 * i));
  return true;
}

int PngChannels(uint8_t colourType) {
  switch (colourType) {
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 1;
  }
}

Result<PngFacts, PngError> ReadPngFacts(std::span<const uint8_t> png, int* width, int* height) {
  const Chunks chunks = TRY(ReadChunks(png, true));
  if (width) *width = int(chunks.header.width);
  if (height) *height = int(chunks.header.height);
  return chunks.facts;
}

Result<PngFacts, PngError> DecodePng(std::span<const uint8_t> png, std::span<uint32_t> pixels) {
  const Chunks c = TRY(ReadChunks(png, false));
  const Header& h = c.header;
  if (pixels.size() != size_t(h.width) * h.height) return Fail(PngError::BadHeader);

  // The exact size the pixel data must inflate to: each pass's rows, each with its filter byte.
  uint64_t expected = 0;
  for (const Pass& p : PassesOf(h)) {
    uint32_t w = PassSize(h.width, p.x0, p.dx), rows = PassSize(h.height, p.y0, p.dy);
    if (w > 0 && rows > 0) expected += uint64_t{rows} * (1 + h.RowBytes(w));
  }
  // One byte more tells too much data from just enough. Left uninitialised: it is all written.
  const size_t capacity = size_t(expected) + 1;
  std::unique_ptr<uint8_t[]> raw(new (std::nothrow) uint8_t[capacity]);
  std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> inflater(
      libdeflate_alloc_decompressor());
  if (!raw || !inflater) return Fail(PngError::OutOfMemory);
  size_t inflated = 0;
  libdeflate_result result = libdeflate_zlib_decompress(
      inflater.get(), c.data.data(), c.data.size(), raw.get(), capacity, &inflated);
  if (result != LIBDEFLATE_SUCCESS || inflated != expected) return Fail(PngError::BadImageData);

  const size_t step = h.FilterStep();
  std::vector<uint8_t> zeros;
  uint8_t* at = raw.get();
  for (const Pass& p : PassesOf(h)) {
    uint32_t w = PassSize(h.width, p.x0, p.dx), rows = PassSize(h.height, p.y0, p.dy);
    if (w == 0 || rows == 0) continue;
    const size_t length = size_t(h.RowBytes(w));
    zeros.assign(length, 0);
    const uint8_t* prior = zeros.data();
    for (uint32_t y = 0; y < rows; ++y) {
      uint8_t* row = at + 1;
      if (!Unfilter(at[0], row, prior, length, step)) return Fail(PngError::BadImageData);
      uint32_t* first = pixels.data() + (size_t(p.y0) + size_t(y) * p.dy) * h.width + p.x0;
      ConvertRow(c, row, w, first, p.dx);
      prior = row;
      at += length + 1;
    }
  }
  return c.facts;
}

Result<PngImage, PngError> DecodePng(std::span<const uint8_t> png) {
  int width = 0, height = 0;
  TRY(ReadPngFacts(png, &width, &height));
  PngImage out;
  out.image.width = width;
  out.image.height = height;
  out.image.bitCount = 32;
  out.image.pixels.resize(size_t(width) * size_t(height));
  out.facts = TRY(DecodePng(png, out.image.pixels));
  return out;
}

namespace {

// The length PNG gives an ancillary chunk, where it fixes one; 0 where it does not, or where it
// depends on the colour type or the palette (checked by the caller).
uint32_t FixedChunkLength(const uint8_t* type) {
  struct Fixed {
    char name[5];
    uint32_t length;
  };
  static constexpr Fixed kFixed[] = {{"gAMA", 4}, {"cHRM", 32}, {"sRGB", 1},
                                     {"pHYs", 9}, {"tIME", 7},  {"oFFs", 9}};
  for (const Fixed& fixed : kFixed)
    if (std::memcmp(type, fixed.name, 4) == 0) return fixed.length;
  return 0;
}

// tRNS, sBIT, bKGD and hIST, whose lengths follow from the colour type and the palette.
bool DependentLengthFits(const uint8_t* type, uint32_t length, uint8_t colourType,
                         uint32_t paletteEntries) {
  if (IsType(type, "tRNS")) {
    if (colourType == 0) return length == 2;
    if (colourType == 2) return length == 6;
    if (colourType == 3) return length >= 1 && length <= paletteEntries;
    return false;  // grey + alpha and RGBA carry their own alpha
  }
  if (IsType(type, "sBIT")) {
    constexpr uint32_t kSignificantBits[7] = {1, 0, 3, 3, 2, 0, 4};
    return colourType < 7 && length == kSignificantBits[colourType];
  }
  if (IsType(type, "bKGD"))
    return length == (colourType == 3 ? 1u : (colourType & 2) != 0 ? 6u : 2u);
  if (IsType(type, "hIST")) return colourType == 3 && length == 2 * paletteEntries;
  return true;
}

}  // namespace

bool IsStrictPng(std::span<const uint8_t> png) {
  if (!IsPngSignature(png)) return false;
  enum class Stage { Header, BeforeData, Data, AfterData };
  Stage stage = Stage::Header;
  uint8_t colourType = 0;
  uint32_t paletteEntries = 0;
  size_t at = sizeof kSignature;
  while (true) {
    if (png.size() - at < 12) return false;  // no IEND
    const uint32_t length = BigEndian32(png.data() + at);
    const uint8_t* type = png.data() + at + 4;
    if (length > kMaxChunkLength || length > png.size() - at - 12) return false;
    if (!std::all_of(type, type + 4, IsLetter)) return false;
    const uint8_t* data = type + 4;
    if (kCheckCrc && libdeflate_crc32(0, type, length + 4) != BigEndian32(data + length))
      return false;
    at += size_t{length} + 12;
    const bool critical = type[0] >= 'A' && type[0] <= 'Z';
    if (stage == Stage::Header) {
      if (!IsType(type, "IHDR") || length != kIhdrLength) return false;
      colourType = data[9];
      stage = Stage::BeforeData;
    } else if (IsType(type, "IDAT")) {
      if (stage == Stage::AfterData) return false;  // the pixel data in two runs
      if (colourType == 3 && paletteEntries == 0) return false;
      stage = Stage::Data;
    } else if (IsType(type, "IEND")) {
      // The end of the file, and of the pixel data, which must have come.
      if (length != 0 || stage == Stage::BeforeData || at != png.size()) return false;
      break;
    } else {
      if (stage == Stage::Data) stage = Stage::AfterData;
      if (IsType(type, "PLTE")) {
        if (stage != Stage::BeforeData || paletteEntries != 0 || colourType == 0 ||
            colourType == 4 || length == 0 || length % 3 != 0 || length > 768)
          return false;
        paletteEntries = length / 3;
      } else if (critical) {
        return false;  // a second header, or a critical chunk PNG does not define
      } else if (IsType(type, "tRNS") || IsType(type, "hIST") || IsType(type, "bKGD")) {
        if (stage != Stage::BeforeData ||
            !DependentLengthFits(type, length, colourType, paletteEntries))
          return false;
      } else if (IsType(type, "sBIT")) {
        if (!DependentLengthFits(type, length, colourType, paletteEntries)) return false;
      } else if (const uint32_t fixed = FixedChunkLength(type); fixed != 0 && length != fixed) {
        return false;
      }
    }
  }
  return DecodePng(png).ok();
}

namespace {

// Appends one chunk: its length, type, data and the CRC of type and data.
void PutChunk(std::vector<uint8_t>& png, const char (&type)[5], std::span<const uint8_t> data) {
  PutBigEndian32(png, uint32_t(data.size()));
  const size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  PutBigEndian32(png, libdeflate_crc32(0, png.data() + start, data.size() + 4));
}

// IHDR: 8-bit RGB or RGBA, not interlaced.
void PutHeader(std::vector<uint8_t>& png, int width, int height, bool opaque) {
  std::vector<uint8_t> header;
  PutBigEndian32(header, uint32_t(width));
  PutBigEndian32(header, uint32_t(height));
  header.insert(header.end(), {8, uint8_t(opaque ? 2 : 6), 0, 0, 0});
  PutChunk(png, "IHDR", header);
}

// pHYs in pixels per metre.
void PutDensity(std::vector<uint8_t>& png, int pixelsPerMeterX, int pixelsPerMeterY) {
  std::vector<uint8_t> density;
  PutBigEndian32(density, uint32_t(pixelsPerMeterX));
  PutBigEndian32(density, uint32_t(pixelsPerMeterY));
  density.push_back(1);  // the metre
  PutChunk(png, "pHYs", density);
}

// IDAT: the filtered rows deflated as one zlib stream, in one chunk.
Result<void, PngWriteError> PutImageData(std::vector<uint8_t>& png,
                                         std::span<const uint8_t> filtered) {
  std::unique_ptr<libdeflate_compressor, CompressorDeleter> deflater(
      libdeflate_alloc_compressor(kCompressionLevel));
  if (!deflater) return Fail(PngWriteError::OutOfMemory);
  std::vector<uint8_t> compressed(libdeflate_zlib_compress_bound(deflater.get(), filtered.size()));
  const size_t size = libdeflate_zlib_compress(deflater.get(), filtered.data(), filtered.size(),
                                               compressed.data(), compressed.size());
  if (size == 0) return Fail(PngWriteError::DeflateFailed);
  PutChunk(png, "IDAT", std::span<const uint8_t>(compressed.data(), size));
  return {};
}

void PutEnd(std::vector<uint8_t>& png) {
  PutChunk(png, "IEND", {});
}

// Writes `now` filtered into out[0] (the filter) and out[1..length]: the filter whose bytes, read
// as signed, sum to the least, the usual guess at what compresses best. Both rows are preceded by
// one pixel of zeros, what the filters take for the bytes before a row; `trial` holds `length`.
void FilterRow(const uint8_t* now, const uint8_t* up, size_t length, size_t channels,
               uint8_t* trial, uint8_t* out) {
  uint64_t best = UINT64_MAX;
  for (uint8_t filter = 0; filter <= 4; ++filter) {
    switch (filter) {
      case 0:
        for (size_t i = 0; i < length; ++i)
          trial[i] = now[i];
        break;
      case 1:
        for (size_t i = 0; i < length; ++i)
          trial[i] = uint8_t(now[i] - now[i - channels]);
        break;
      case 2:
        for (size_t i = 0; i < length; ++i)
          trial[i] = uint8_t(now[i] - up[i]);
        break;
      case 3:
        for (size_t i = 0; i < length; ++i)
          trial[i] = uint8_t(now[i] - (unsigned(now[i - channels]) + up[i]) / 2);
        break;
      default:
        for (size_t i = 0; i < length; ++i)
          trial[i] = uint8_t(now[i] - Paeth(now[i - channels], up[i], up[i - channels]));
        break;
    }
    uint64_t cost = 0;
    for (size_t i = 0; i < length; ++i)
      cost += unsigned(std::abs(int(int8_t(trial[i]))));
    if (cost < best) {
      best = cost;
      out[0] = filter;
      std::copy(trial, trial + length, out + 1);
    }
  }
}

// The rows as the pixel data holds them before deflating: each its filter byte, then the row
// filtered.
std::vector<uint8_t> FilterRows(int width, int height, std::span<const uint32_t> argb,
                                bool opaque) {
  const size_t channels = opaque ? 3 : 4;
  const size_t length = size_t(width) * channels;
  std::vector<uint8_t> filtered((length + 1) * size_t(height));
  std::vector<uint8_t> current(channels + length, 0), prior(channels + length, 0), trial(length);
  for (int y = 0; y < height; ++y) {
    const uint32_t* pixels = argb.data() + size_t(y) * width;
    for (int x = 0; x < width; ++x) {
      uint8_t* p = current.data() + channels + size_t(x) * channels;
      p[0] = uint8_t(pixels[x] >> 16), p[1] = uint8_t(pixels[x] >> 8), p[2] = uint8_t(pixels[x]);
      if (!opaque) p[3] = uint8_t(pixels[x] >> 24);
    }
    FilterRow(current.data() + channels, prior.data() + channels, length, channels, trial.data(),
              filtered.data() + size_t(y) * (length + 1));
    std::swap(current, prior);
  }
  return filtered;
}

}  // namespace

std::string_view ToString(PngWriteError error) {
  switch (error) {
    case PngWriteError::BadImage:
      return "impossible dimensions, or fewer pixels than they need";
    case PngWriteError::TooLarge:
      return "the picture is too large";
    case PngWriteError::OutOfMemory:
      return "out of memory";
    case PngWriteError::DeflateFailed:
      return "the pixel data did not compress";
  }
  return "unknown error";
}

Result<std::vector<uint8_t>, PngWriteError> EncodePng(int width, int height,
                                                      std::span<const uint32_t> argb, bool opaque,
                                                      int pixelsPerMeterX, int pixelsPerMeterY) {
  if (width <= 0 || height <= 0) return Fail(PngWriteError::BadImage);
  if (uint64_t(width) * uint64_t(height) > kMaxPngPixels) return Fail(PngWriteError::TooLarge);
  if (argb.size() < size_t(width) * size_t(height)) return Fail(PngWriteError::BadImage);
  const std::vector<uint8_t> filtered = FilterRows(width, height, argb, opaque);
  std::vector<uint8_t> png(std::begin(kSignature), std::end(kSignature));
  PutHeader(png, width, height, opaque);
  if (pixelsPerMeterX > 0 && pixelsPerMeterY > 0) PutDensity(png, pixelsPerMeterX, pixelsPerMeterY);
  TRY(PutImageData(png, filtered));
  PutEnd(png);
  return png;
}

}  // namespace platform::codecs
