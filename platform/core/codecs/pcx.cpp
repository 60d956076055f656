#include "platform/core/codecs/pcx.h"

#include <array>
#include <vector>

#include "platform/core/codecs/le_reader.h"

namespace platform::codecs {
namespace {

constexpr uint64_t kHeaderSize = 128;
constexpr uint64_t kPaletteSize = 768;
constexpr uint8_t kPaletteMarker = 0x0C;

uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return 0xFF000000u | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

struct Header {
  uint8_t bitsPerPixel;
  uint8_t planes;
  uint16_t bytesPerLine;
  int width;
  int height;
};

Result<Header, PcxError> ReadHeader(const LeReader& reader) {
  if (!reader.Contains(0, kHeaderSize)) return Fail(PcxError::Truncated);
  if (!LooksLikePcx(reader.bytes())) return Fail(PcxError::NotPcxFile);
  const int xMin = *reader.U16(4), yMin = *reader.U16(6), xMax = *reader.U16(8),
            yMax = *reader.U16(10);
  if (xMax < xMin || yMax < yMin) return Fail(PcxError::BadDimensions);
  Header header{*reader.U8(3), *reader.U8(65), *reader.U16(66), xMax - xMin + 1, yMax - yMin + 1};
  if (header.width > kMaxPcxDimension || header.height > kMaxPcxDimension)
    return Fail(PcxError::TooLarge);
  if (static_cast<uint64_t>(header.width) * header.height > kMaxPcxPixels)
    return Fail(PcxError::TooLarge);
  const bool eightBit =
      header.bitsPerPixel == 8 && (header.planes == 1 || header.planes == 3 || header.planes == 4);
  const bool oneBit = header.bitsPerPixel == 1 && (header.planes == 1 || header.planes == 4);
  if (!eightBit && !oneBit) return Fail(PcxError::UnsupportedFormat);
  const uint64_t neededBytes = (static_cast<uint64_t>(header.width) * header.bitsPerPixel + 7) / 8;
  if (header.bytesPerLine < neededBytes) return Fail(PcxError::BadDimensions);
  return header;
}

// Run-length decoding of every plane of every row into one buffer.
Result<std::vector<uint8_t>, PcxError> Unpack(const LeReader& reader, const Header& header) {
  const uint64_t total =
      uint64_t{header.bytesPerLine} * header.planes * static_cast<uint64_t>(header.height);
  if (total > 4 * kMaxPcxPixels) return Fail(PcxError::TooLarge);
  // Each two-byte run yields at most 63 bytes: a file too short for the image fails before any
  // allocation.
  const uint64_t encoded = reader.size() - kHeaderSize;
  if (total > encoded / 2 * 63 + encoded % 2) return Fail(PcxError::Truncated);
  std::vector<uint8_t> out(static_cast<size_t>(total));
  size_t filled = 0;
  const std::span<const uint8_t> data = reader.bytes();
  size_t pos = kHeaderSize;
  while (filled < out.size()) {
    if (pos >= data.size()) return Fail(PcxError::Truncated);
    uint8_t byte = data[pos++];
    size_t count = 1;
    if ((byte & 0xC0) == 0xC0) {
      count = byte & 0x3F;
      if (pos >= data.size()) return Fail(PcxError::Truncated);
      byte = data[pos++];
    }
    count = std::min(count, out.size() - filled);
    std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(filled), count, byte);
    filled += count;
  }
  return out;
}

std::array<uint32_t, 256> Palette256(const LeReader& reader) {
  std::array<uint32_t, 256> palette;
  const uint64_t size = reader.size();
  const bool present = size >= kHeaderSize + kPaletteSize + 1 &&
                       *reader.U8(size - kPaletteSize - 1) == kPaletteMarker;
  for (int i = 0; i < 256; ++i) {
    const uint64_t at = size - kPaletteSize + static_cast<uint64_t>(i) * 3;
    palette[i] =
        present ? Rgb(*reader.U8(at), *reader.U8(at + 1), *reader.U8(at + 2))
                : Rgb(static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i));
  }
  return palette;
}

std::array<uint32_t, 16> Palette16(const LeReader& reader) {
  std::array<uint32_t, 16> palette;
  for (int i = 0; i < 16; ++i) {
    const uint64_t at = 16 + static_cast<uint64_t>(i) * 3;
    palette[i] = Rgb(*reader.U8(at), *reader.U8(at + 1), *reader.U8(at + 2));
  }
  return palette;
}

}  // namespace

std::string_view ToString(PcxError error) {
  switch (error) {
    case PcxError::Truncated:
      return "the file ends inside the image";
    case PcxError::NotPcxFile:
      return "not a PCX file of a supported version and encoding";
    case PcxError::BadDimensions:
      return "bad dimensions or line length";
    case PcxError::UnsupportedFormat:
      return "unsupported bit depth or plane count";
    case PcxError::TooLarge:
      return "image too large";
  }
  return "unknown error";
}

bool LooksLikePcx(std::span<const uint8_t> file) {
  if (file.size() < 4 || file[0] != 0x0A) return false;
  if (file[1] == 3 && file[2] == 1 && file[3] == 1) return true;
  return file[1] <= 5 && file[2] == 1 && file[3] == 8;
}

Result<DibImage, PcxError> DecodePcx(std::span<const uint8_t> file) {
  const LeReader reader(file);
  const Header h = TRY(ReadHeader(reader));
  const std::vector<uint8_t> packed = TRY(Unpack(reader, h));

  DibImage image;
  image.width = h.width;
  image.height = h.height;
  image.bitCount = h.bitsPerPixel * h.planes;
  image.pixels.resize(static_cast<size_t>(h.width) * h.height);
  const size_t rowBytes = size_t{h.bytesPerLine} * h.planes;
  const std::array<uint32_t, 256> palette256 =
      h.bitsPerPixel == 8 && h.planes == 1 ? Palette256(reader) : std::array<uint32_t, 256>{};
  const std::array<uint32_t, 16> palette16 = Palette16(reader);
  for (int y = 0; y < h.height; ++y) {
    const uint8_t* row = packed.data() + static_cast<size_t>(y) * rowBytes;
    uint32_t* out = image.pixels.data() + static_cast<size_t>(y) * h.width;
    for (int x = 0; x < h.width; ++x) {
      if (h.bitsPerPixel == 8 && h.planes == 1) {
        out[x] = palette256[row[x]];
      } else if (h.bitsPerPixel == 8) {
        out[x] = Rgb(row[x], row[h.bytesPerLine + x], row[2 * size_t{h.bytesPerLine} + x]);
      } else {
        int index = 0;
        for (int plane = 0; plane < h.planes; ++plane) {
          const uint8_t bits = row[size_t{h.bytesPerLine} * plane + static_cast<size_t>(x / 8)];
          index |= ((bits >> (7 - x % 8)) & 1) << plane;
        }
        out[x] = h.planes == 1 ? (index ? Rgb(255, 255, 255) : Rgb(0, 0, 0)) : palette16[index];
      }
    }
  }
  return image;
}

}  // namespace platform::codecs
