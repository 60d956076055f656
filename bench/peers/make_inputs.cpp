// The inputs of bench/compare_peers.sh: a module with hundreds of icon groups and thousands of
// images, and a 1024 x 1024 picture with transparent parts. Every group holds the bitmap images
// of one of nsis-common's icons, except a 32 x 32 one at 32 bits, and five generated ones: 32, 48,
// 64 and 96 pixels at 32 bits and, last, a 256 x 256 PNG. So each group has exactly one 32 x 32
// image of 32 bits, the one a reference tool is asked for (icotool cannot step over a PNG image
// that comes before it).
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/pe_writer.h"

namespace ts = testing_support;

namespace {

// One image of an icon file: the first 12 bytes of its directory entry and its bytes.
struct IconImage {
  ts::Bytes head;
  ts::Bytes bytes;
};

std::vector<IconImage> ImagesOf(const ts::Bytes& ico) {
  std::vector<IconImage> images;
  uint16_t count = ts::GetU16(ico, 4);
  for (uint16_t i = 0; i < count; ++i) {
    size_t entry = 6 + 16 * size_t{i};
    uint32_t size = ts::GetU32(ico, entry + 8);
    uint32_t offset = ts::GetU32(ico, entry + 12);
    images.push_back({ts::Bytes(ico.begin() + entry, ico.begin() + entry + 12),
                      ts::Bytes(ico.begin() + offset, ico.begin() + offset + size)});
  }
  return images;
}

// A bitmap or PNG image with the directory fields that describe it.
IconImage Described(ts::Bytes bytes, int side) {
  uint8_t stored = static_cast<uint8_t>(side == 256 ? 0 : side);
  ts::Bytes head = {stored, stored, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0};
  ts::PutU32(head, 8, static_cast<uint32_t>(bytes.size()));
  return {std::move(head), std::move(bytes)};
}

ts::Bytes IcoFile(const std::vector<IconImage>& images) {
  ts::Bytes out = {0, 0, 1, 0, 0, 0};
  ts::PutU16(out, 4, static_cast<uint16_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (const IconImage& image : images) {
    out.insert(out.end(), image.head.begin(), image.head.end());
    ts::AppendU32(out, offset);
    offset += static_cast<uint32_t>(image.bytes.size());
  }
  for (const IconImage& image : images)
    out.insert(out.end(), image.bytes.begin(), image.bytes.end());
  return out;
}

ts::Bytes GeneratedDib(int size, int seed) {
  ts::DibRecipe spec;
  spec.width = spec.height = size;
  spec.bitCount = 32;
  spec.pixel = [seed, size](int x, int y) {
    uint32_t alpha = (x + y < size / 4) ? 0 : 0xFF;
    return alpha << 24 | static_cast<uint32_t>((x * 7 + seed) & 0xFF) << 16 |
           static_cast<uint32_t>((y * 5 + seed * 3) & 0xFF) << 8 | ((x ^ y) & 0xFF);
  };
  return ts::MakeIconDib(spec);
}

bool WriteModule(const std::filesystem::path& path, int groups) {
  std::vector<ts::Bytes> nsis;
  try {
    for (const auto& icon : ts::NsisIcons())
      nsis.push_back(ts::ReadBytes(icon));
  } catch (const std::runtime_error&) {
    return false;
  }
  ts::PeWriter writer;
  for (int g = 0; g < groups; ++g) {
    std::vector<IconImage> images;
    for (IconImage& image : ImagesOf(nsis[static_cast<size_t>(g) % nsis.size()]))
      if (!(image.head[0] == 32 && image.head[6] == 32) && image.bytes[1] != 'P')
        images.push_back(std::move(image));
    for (int size : {32, 48, 64, 96})
      images.push_back(Described(GeneratedDib(size, g), size));
    images.push_back(
        Described(ts::MakePng(256, 256, 0xFF000000u | static_cast<uint32_t>(g * 0x010203)), 256));
    writer.AddIconGroup(100 + g, IcoFile(images));
  }
  ts::WriteBytes(path, writer.Build());
  return true;
}

bool WritePicture(const std::filesystem::path& path) {
  QImage picture(1024, 1024, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient gradient(420, 380, 560);
  gradient.setColorAt(0, QColor(255, 220, 90));
  gradient.setColorAt(0.6, QColor(230, 80, 40));
  gradient.setColorAt(1, QColor(60, 20, 120));
  painter.setBrush(gradient);
  painter.setPen(QPen(QColor(30, 30, 30), 24));
  painter.drawEllipse(64, 64, 896, 896);
  painter.end();
  return picture.save(QString::fromStdString(path.string()), "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [GROUPS]\n", argv[0]);
    return 2;
  }
  std::filesystem::path folder = argv[1];
  int groups = argc > 2 ? std::atoi(argv[2]) : 184;
  std::filesystem::create_directories(folder);
  if (!WriteModule(folder / "many-groups.dll", groups)) {
    std::fprintf(stderr, "the icons of nsis-common are missing\n");
    return 1;
  }
  return WritePicture(folder / "picture-1024.png") ? 0 : 1;
}
