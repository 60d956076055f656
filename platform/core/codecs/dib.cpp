#include "platform/core/codecs/dib.h"

#include <array>
#include <bit>

#include "platform/core/codecs/le_reader.h"

namespace platform::codecs {

std::string_view ToString(DibError error) {
  switch (error) {
    case DibError::Truncated:
      return "the bitmap data is cut short";
    case DibError::NotBitmapFile:
      return "not a bitmap file";
    case DibError::BadHeaderSize:
      return "unknown bitmap header size";
    case DibError::BadDimensions:
      return "bad bitmap width or height";
    case DibError::UnsupportedBitCount:
      return "unsupported number of bits per pixel";
    case DibError::UnsupportedCompression:
      return "unsupported bitmap compression";
    case DibError::BadColourTable:
      return "colour table of more than 256 entries";
    case DibError::BadBitMasks:
      return "bad colour bit masks";
    case DibError::TooLarge:
      return "bitmap too large";
  }
  return "unknown bitmap error";
}

namespace {

constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitFields = 3;
constexpr uint32_t kBiAlphaBitFields = 6;
constexpr int kMaxColourTable = 256;

bool KnownHeaderSize(uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
         size == 108 || size == 124;
}

// One colour component selected by a bit mask, scaled to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint64_t max = 0;

  static Channel FromMask(uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    c.shift = std::countr_zero(mask);
    c.max = mask >> c.shift;
    return c;
  }
  bool contiguous() const { return (max & (max + 1)) == 0; }
  uint32_t Extract(uint32_t pixel) const {
    if (max == 0) return 0;
    uint64_t v = (pixel & mask) >> shift;
    return static_cast<uint32_t>((v * 255 + max / 2) / max);
  }
};

struct Header {
  uint32_t size = 0;
  int64_t width = 0;
  int64_t height = 0;  // negative: top-down rows
  int bitCount = 0;
  uint32_t compression = kBiRgb;
  uint32_t coloursUsed = 0;
  std::array<uint32_t, 4> masks{};  // red, green, blue, alpha
  bool masksInHeader = false;
};

Result<Header, DibError> ReadHeader(const LeReader& dib) {
  Header h;
  auto size = dib.U32(0);
  if (!size) return Fail(DibError::Truncated);
  h.size = *size;
  if (!KnownHeaderSize(h.size)) return Fail(DibError::BadHeaderSize);
  auto head = dib.Sub(0, h.size);
  if (!head) return Fail(DibError::Truncated);
  if (h.size == kCoreHeaderSize) {
    h.width = *head->U16(4);
    h.height = *head->U16(6);
    h.bitCount = *head->U16(10);
    return h;
  }
  h.width = *head->I32(4);
  h.height = *head->I32(8);
  h.bitCount = *head->U16(14);
  h.compression = *head->U32(16);
  h.coloursUsed = *head->U32(32);
  if (h.size >= 52) {
    h.masksInHeader = true;
    for (int i = 0; i < 3; ++i)
      h.masks[i] = *head->U32(40 + 4 * i);
    if (h.size >= 56) h.masks[3] = *head->U32(52);
  }
  return h;
}

bool UsesBitFields(const Header& h) {
  return h.compression == kBiBitFields || h.compression == kBiAlphaBitFields;
}

// Where the parts of the DIB are and how its pixels are read.
struct Layout {
  int width = 0;
  int rows = 0;
  bool topDown = false;
  uint64_t stride = 0;
  uint64_t pixelOffset = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::array<Channel, 4> channels;
  bool hasAlphaChannel = false;
};

Result<Layout, DibError> PlanLayout(const LeReader& dib, Header& h, DibMode mode) {
  Layout l;
  if (h.width <= 0 || h.height == 0) return Fail(DibError::BadDimensions);
  int64_t rows = h.height < 0 ? -h.height : h.height;
  if (mode == DibMode::Icon) {
    if (h.height < 0 || rows < 2) return Fail(DibError::BadDimensions);
    rows /= 2;
  }
  if (h.width > kMaxDibDimension || rows > kMaxDibDimension) return Fail(DibError::TooLarge);
  if (static_cast<uint64_t>(h.width) * static_cast<uint64_t>(rows) > kMaxDibPixels)
    return Fail(DibError::TooLarge);
  l.width = static_cast<int>(h.width);
  l.rows = static_cast<int>(rows);
  l.topDown = h.height < 0;

  switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return Fail(DibError::UnsupportedBitCount);
  }
  bool fieldDepth = h.bitCount == 16 || h.bitCount == 32;
  if (h.compression != kBiRgb && !(UsesBitFields(h) && fieldDepth))
    return Fail(DibError::UnsupportedCompression);

  uint64_t offset = h.size;
  if (UsesBitFields(h) && !h.masksInHeader) {
    int count = h.compression == kBiAlphaBitFields ? 4 : 3;
    for (int i = 0; i < count; ++i) {
      auto m = dib.U32(offset);
      if (!m) return Fail(DibError::Truncated);
      h.masks[i] = *m;
      offset += 4;
    }
  }
  if (UsesBitFields(h)) {
    for (int i = 0; i < 4; ++i)
      l.channels[i] = Channel::FromMask(h.masks[i]);
    for (int i = 0; i < 3; ++i)
      if (l.channels[i].mask == 0 || !l.channels[i].contiguous())
        return Fail(DibError::BadBitMasks);
    if (l.channels[3].mask != 0 && !l.channels[3].contiguous()) return Fail(DibError::BadBitMasks);
    l.hasAlphaChannel = l.channels[3].mask != 0;
  } else if (h.bitCount == 16) {
    l.channels = {Channel::FromMask(0x7C00), Channel::FromMask(0x03E0), Channel::FromMask(0x001F),
                  Channel{}};
  }
  if (h.bitCount == 32 && h.compression == kBiRgb) l.hasAlphaChannel = true;

  if (h.coloursUsed > kMaxColourTable) return Fail(DibError::BadColourTable);
  uint32_t entries = h.coloursUsed;
  if (entries == 0 && h.bitCount <= 8) entries = 1u << h.bitCount;
  uint32_t entrySize = h.size == kCoreHeaderSize ? 3 : 4;
  auto table = dib.Sub(offset, uint64_t{entries} * entrySize);
  if (!table) return Fail(DibError::Truncated);
  if (h.bitCount <= 8) {
    l.palette.resize(entries);
    for (uint32_t i = 0; i < entries; ++i) {
      const uint8_t* e = table->bytes().data() + i * entrySize;
      l.palette[i] = uint32_t{e[2]} << 16 | uint32_t{e[1]} << 8 | e[0];
    }
  }
  l.pixelOffset = offset + uint64_t{entries} * entrySize;
  l.stride = (static_cast<uint64_t>(l.width) * static_cast<uint64_t>(h.bitCount) + 31) / 32 * 4;
  return l;
}

uint32_t PaletteColour(const Layout& l, uint32_t index) {
  return index < l.palette.size() ? l.palette[index] : 0;
}

// One stored row into 0xAARRGGBB pixels; the alpha byte is the image's own (0 without one).
void DecodeRow(const uint8_t* row, int bitCount, const Layout& l, uint32_t* out) {
  switch (bitCount) {
    case 1:
    case 4:
    case 8: {
      int perByte = 8 / bitCount;
      uint32_t valueMask = (1u << bitCount) - 1;
      for (int x = 0; x < l.width; ++x) {
        int shift = 8 - bitCount * (x % perByte + 1);
        out[x] = PaletteColour(l, (row[x / perByte] >> shift) & valueMask);
      }
      break;
    }
    case 16:
      for (int x = 0; x < l.width; ++x) {
        uint32_t p = row[2 * x] | row[2 * x + 1] << 8;
        out[x] = l.channels[3].Extract(p) << 24 | l.channels[0].Extract(p) << 16 |
                 l.channels[1].Extract(p) << 8 | l.channels[2].Extract(p);
      }
      break;
    case 24:
      for (int x = 0; x < l.width; ++x) {
        const uint8_t* p = row + 3 * x;
        out[x] = uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
      }
      break;
    case 32:
      for (int x = 0; x < l.width; ++x) {
        const uint8_t* b = row + 4 * x;
        uint32_t p =
            uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 | uint32_t{b[3]} << 24;
        if (l.channels[0].mask == 0) {
          out[x] = p;  // BGRA in memory is 0xAARRGGBB
        } else {
          out[x] = l.channels[3].Extract(p) << 24 | l.channels[0].Extract(p) << 16 |
                   l.channels[1].Extract(p) << 8 | l.channels[2].Extract(p);
        }
      }
      break;
  }
}

bool AnyAlpha(const std::vector<uint32_t>& pixels) {
  for (uint32_t p : pixels)
    if (p >> 24) return true;
  return false;
}

// The AND mask: a set bit makes its pixel transparent. Rows are bottom-up like the colour rows.
void ApplyMask(const LeReader& mask, const Layout& l, bool alphaFromImage, DibImage& image) {
  uint64_t stride = (static_cast<uint64_t>(l.width) + 31) / 32 * 4;
  for (int y = 0; y < l.rows; ++y) {
    const uint8_t* row = mask.bytes().data() + static_cast<uint64_t>(l.rows - 1 - y) * stride;
    uint32_t* out = image.pixels.data() + static_cast<size_t>(y) * l.width;
    for (int x = 0; x < l.width; ++x) {
      bool transparent = (row[x / 8] >> (7 - x % 8)) & 1;
      if (transparent)
        out[x] &= 0x00FFFFFF;
      else if (!alphaFromImage)
        out[x] |= 0xFF000000;
    }
  }
}

Result<DibImage, DibError> Decode(const LeReader& dib, DibMode mode,
                                  std::optional<uint64_t> pixelOffset) {
  Header header = TRY(ReadHeader(dib));
  const Layout l = TRY(PlanLayout(dib, header, mode));
  uint64_t start = pixelOffset.value_or(l.pixelOffset);
  auto colour = dib.Sub(start, l.stride * static_cast<uint64_t>(l.rows));
  if (!colour) return Fail(DibError::Truncated);

  DibImage image;
  image.width = l.width;
  image.height = l.rows;
  image.bitCount = header.bitCount;
  image.pixels.resize(static_cast<size_t>(l.width) * l.rows);
  for (int y = 0; y < l.rows; ++y) {
    int stored = l.topDown ? y : l.rows - 1 - y;
    DecodeRow(colour->bytes().data() + static_cast<uint64_t>(stored) * l.stride, image.bitCount, l,
              image.pixels.data() + static_cast<size_t>(y) * l.width);
  }

  bool alphaFromImage = l.hasAlphaChannel && AnyAlpha(image.pixels);
  std::optional<LeReader> mask;
  if (mode == DibMode::Icon) {
    uint64_t maskStride = (static_cast<uint64_t>(l.width) + 31) / 32 * 4;
    mask = dib.Sub(start + colour->size(), maskStride * static_cast<uint64_t>(l.rows));
  }
  if (mask) {
    ApplyMask(*mask, l, alphaFromImage, image);
  } else if (!alphaFromImage) {
    for (uint32_t& p : image.pixels)
      p |= 0xFF000000;
  }
  return image;
}

}  // namespace

Result<DibImage, DibError> DecodeDib(std::span<const uint8_t> dib, DibMode mode) {
  return Decode(LeReader(dib), mode, std::nullopt);
}

Result<DibImage, DibError> DecodeBmpFile(std::span<const uint8_t> file) {
  constexpr uint64_t kFileHeaderSize = 14;
  LeReader reader(file);
  auto signature = reader.U16(0);
  auto offBits = reader.U32(10);
  if (!signature || !offBits) return Fail(DibError::Truncated);
  if (*signature != 0x4D42) return Fail(DibError::NotBitmapFile);
  LeReader dib = reader.From(kFileHeaderSize);
  std::optional<uint64_t> pixelOffset;
  auto headerSize = dib.U32(0);
  if (headerSize && *offBits >= kFileHeaderSize + *headerSize && *offBits < file.size())
    pixelOffset = *offBits - kFileHeaderSize;
  return Decode(dib, DibMode::Bitmap, pixelOffset);
}

}  // namespace platform::codecs
