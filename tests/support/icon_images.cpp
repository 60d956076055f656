#include "tests/support/icon_images.h"

#include <QBuffer>
#include <QImage>

namespace testing_support {

void PutU16(Bytes& b, size_t at, uint16_t v) {
  b[at] = v & 0xFF;
  b[at + 1] = v >> 8;
}
void PutU32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = (v >> (8 * i)) & 0xFF;
}
void AppendU16(Bytes& b, uint16_t v) {
  b.resize(b.size() + 2);
  PutU16(b, b.size() - 2, v);
}
void AppendU32(Bytes& b, uint32_t v) {
  b.resize(b.size() + 4);
  PutU32(b, b.size() - 4, v);
}
uint16_t GetU16(const Bytes& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
uint32_t GetU32(const Bytes& b, size_t at) {
  return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
         uint32_t{b[at + 3]} << 24;
}

namespace {

size_t Stride(int width, int bits) {
  return (static_cast<size_t>(width) * bits + 31) / 32 * 4;
}

void AppendInfoHeader(Bytes& out, int width, int height, int bitCount, size_t imageSize) {
  AppendU32(out, 40);
  AppendU32(out, static_cast<uint32_t>(width));
  AppendU32(out, static_cast<uint32_t>(height));
  AppendU16(out, 1);
  AppendU16(out, static_cast<uint16_t>(bitCount));
  AppendU32(out, 0);
  AppendU32(out, static_cast<uint32_t>(imageSize));
  for (int i = 0; i < 4; ++i)
    AppendU32(out, 0);
}

void AppendPalette(Bytes& out, const DibRecipe& recipe) {
  if (recipe.bitCount > 8) return;
  std::vector<uint32_t> palette = recipe.palette;
  if (palette.empty()) {
    int n = 1 << recipe.bitCount;
    for (int i = 0; i < n; ++i) {
      uint32_t g = static_cast<uint32_t>(i * 255 / (n - 1));
      palette.push_back(g << 16 | g << 8 | g);
    }
  }
  for (uint32_t c : palette)
    AppendU32(out, c & 0xFFFFFF);
}

void AppendColourRows(Bytes& out, const DibRecipe& recipe) {
  size_t stride = Stride(recipe.width, recipe.bitCount);
  for (int y = recipe.height - 1; y >= 0; --y) {
    Bytes row(stride, 0);
    for (int x = 0; x < recipe.width; ++x) {
      uint32_t v = recipe.pixel(x, y);
      switch (recipe.bitCount) {
        case 1:
        case 4:
        case 8: {
          int perByte = 8 / recipe.bitCount;
          int shift = 8 - recipe.bitCount * (x % perByte + 1);
          row[x / perByte] |= static_cast<uint8_t>(v << shift);
          break;
        }
        case 16:
          PutU16(row, 2 * x, static_cast<uint16_t>(v));
          break;
        case 24:
          row[3 * x] = v & 0xFF;
          row[3 * x + 1] = (v >> 8) & 0xFF;
          row[3 * x + 2] = (v >> 16) & 0xFF;
          break;
        case 32:
          PutU32(row, 4 * x, v);
          break;
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

void AppendMaskRows(Bytes& out, const DibRecipe& recipe) {
  size_t stride = Stride(recipe.width, 1);
  for (int y = recipe.height - 1; y >= 0; --y) {
    Bytes row(stride, 0);
    for (int x = 0; x < recipe.width; ++x)
      if (recipe.masked && recipe.masked(x, y)) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
}

}  // namespace

Bytes MakeIconDib(const DibRecipe& recipe) {
  Bytes out;
  AppendInfoHeader(out, recipe.width, 2 * recipe.height, recipe.bitCount,
                   Stride(recipe.width, recipe.bitCount) * recipe.height);
  AppendPalette(out, recipe);
  AppendColourRows(out, recipe);
  if (recipe.withMask) AppendMaskRows(out, recipe);
  return out;
}

Bytes MakeBmpFile(const DibRecipe& recipe) {
  Bytes dib;
  AppendInfoHeader(dib, recipe.width, recipe.height, recipe.bitCount,
                   Stride(recipe.width, recipe.bitCount) * recipe.height);
  AppendPalette(dib, recipe);
  size_t pixelOffset = 14 + dib.size();
  AppendColourRows(dib, recipe);
  Bytes out = {'B', 'M'};
  AppendU32(out, static_cast<uint32_t>(14 + dib.size()));
  AppendU32(out, 0);
  AppendU32(out, static_cast<uint32_t>(pixelOffset));
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

Bytes MakePng(int width, int height, uint32_t argb) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(argb);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(data.begin(), data.end());
}

Bytes MakeIcoFile(const std::vector<Bytes>& images) {
  Bytes out;
  AppendU16(out, 0);
  AppendU16(out, 1);
  AppendU16(out, static_cast<uint16_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (const Bytes& image : images) {
    bool png = image.size() >= 4 && image[1] == 'P' && image[2] == 'N' && image[3] == 'G';
    uint32_t width = png ? 0 : GetU32(image, 4);
    uint32_t height = png ? 0 : GetU32(image, 8) / 2;
    uint16_t bits = png ? 32 : GetU16(image, 14);
    out.push_back(static_cast<uint8_t>(width));
    out.push_back(static_cast<uint8_t>(height));
    out.push_back(bits < 8 ? static_cast<uint8_t>(1u << bits) : 0);
    out.push_back(0);
    AppendU16(out, 1);
    AppendU16(out, bits);
    AppendU32(out, static_cast<uint32_t>(image.size()));
    AppendU32(out, offset);
    offset += static_cast<uint32_t>(image.size());
  }
  for (const Bytes& image : images)
    out.insert(out.end(), image.begin(), image.end());
  return out;
}

Bytes ReverseImageStorage(const Bytes& icoFile) {
  size_t count = GetU16(icoFile, 4);
  size_t data = 6 + 16 * count;
  Bytes out(icoFile.begin(), icoFile.begin() + static_cast<ptrdiff_t>(data));
  for (size_t i = count; i-- > 0;) {
    size_t entry = 6 + 16 * i;
    uint32_t size = GetU32(icoFile, entry + 8), offset = GetU32(icoFile, entry + 12);
    PutU32(out, entry + 12, static_cast<uint32_t>(out.size()));
    out.insert(out.end(), icoFile.begin() + offset, icoFile.begin() + offset + size);
  }
  return out;
}

Bytes RepeatedImageIcon(const Bytes& image, size_t count) {
  Bytes single = MakeIcoFile({image});
  Bytes entry(single.begin() + 6, single.begin() + 22);
  PutU32(entry, 12, static_cast<uint32_t>(6 + 16 * count));
  Bytes out(single.begin(), single.begin() + 6);
  PutU16(out, 4, static_cast<uint16_t>(count));
  for (size_t i = 0; i < count; ++i)
    out.insert(out.end(), entry.begin(), entry.end());
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

Bytes RepeatedImageGroup(const Bytes& image, uint16_t id, size_t count) {
  Bytes single = MakeIcoFile({image});
  Bytes out(single.begin(), single.begin() + 6);
  PutU16(out, 4, static_cast<uint16_t>(count));
  for (size_t i = 0; i < count; ++i) {
    out.insert(out.end(), single.begin() + 6, single.begin() + 18);
    AppendU16(out, id);
  }
  return out;
}

}  // namespace testing_support
