// The inputs of bench/compare_peers.sh and bench/batch_tree.sh.
//
// make_inputs FOLDER [GROUPS]: a module with hundreds of icon groups and thousands of images, and
// a 1024 x 1024 picture with transparent parts. Every group holds the bitmap images of one of
// nsis-common's icons, except a 32 x 32 one at 32 bits, and five generated ones: 32, 48, 64 and
// 96 pixels at 32 bits and, last, a 256 x 256 PNG. So each group has exactly one 32 x 32 image
// of 32 bits, the one a reference tool is asked for (icotool cannot step over a PNG image that
// comes before it).
//
// make_inputs --tree FOLDER [MODULES]: a software tree as a mirror or an archive holds one, of at
// least MODULES modules (default 640) in program folders: per program a PE32 program with one to
// three icon groups (nsis-common's icons), libraries (PE32 and PE32+, one in eight with an icon
// group), now and then a 16-bit NE library and in one program of four an NE icon library (.icl)
// of four groups, a plugins folder, and a text and a data file. Modules hold a data resource of
// 8 KiB to 1 MiB (programs 64 KiB to 2 MiB), log-uniformly, standing for the code that makes up
// most of a real module. The same arguments give the same bytes.
//
// make_inputs --links FOLDER COUNT TREE: COUNT hard links in FOLDER to TREE's modules in turn.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/ne_writer.h"
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
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.bitCount = 32;
  recipe.pixel = [seed, size](int x, int y) {
    uint32_t alpha = (x + y < size / 4) ? 0 : 0xFF;
    return alpha << 24 | static_cast<uint32_t>((x * 7 + seed) & 0xFF) << 16 |
           static_cast<uint32_t>((y * 5 + seed * 3) & 0xFF) << 8 | ((x ^ y) & 0xFF);
  };
  return ts::MakeIconDib(recipe);
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

// ---- The software tree

class TreeMaker {
 public:
  explicit TreeMaker(std::vector<ts::Bytes> icons) : icons_(std::move(icons)) {}

  // Writes the programs until `modules` modules are written; the number written.
  int Write(const std::filesystem::path& root, int modules) {
    int written = 0;
    for (int program = 0; written < modules; ++program) {
      std::filesystem::path folder =
          root / ("Vendor" + std::to_string(program % 7)) / ("Program" + std::to_string(program));
      std::filesystem::create_directories(folder / "plugins");
      ts::PeWriter exe;
      for (int g = 0, groups = 1 + program % 3; g < groups; ++g)
        exe.AddIconGroup(100 + g, NextIcon());
      exe.Add(10, 1, Filler(64 << 10, 2 << 20));
      ts::WriteBytes(folder / ("Program" + std::to_string(program) + ".exe"), exe.Build());
      ++written;
      for (int library = 0; library < 14 && written < modules; ++library, ++written) {
        std::string name = "lib" + std::to_string(library) + ".dll";
        std::filesystem::path at = library % 5 == 4 ? folder / "plugins" / name : folder / name;
        if (library == 9 && program % 2 == 0) {
          ts::NeWriter ne(9);
          ne.Add(10, 1, Filler(8 << 10, 256 << 10));
          ts::WriteBytes(at.replace_filename("old" + std::to_string(library) + ".dll"), ne.Build());
          continue;
        }
        ts::PeWriter dll(library % 2 ? ts::PeWriter::Format::Pe32Plus : ts::PeWriter::Format::Pe32);
        if ((program * 14 + library) % 8 == 3) dll.AddIconGroup(1, NextIcon());
        dll.Add(6, 1, ts::Bytes(64, 0));  // a string table
        dll.Add(10, 1, Filler(8 << 10, 1 << 20));
        ts::WriteBytes(at, dll.Build());
      }
      if (program % 4 == 1 && written < modules) {
        ts::NeWriter icl(4);
        for (int g = 0; g < 4; ++g)
          icl.AddIconGroup(g + 1, NextIcon());
        ts::WriteBytes(folder / "icons.icl", icl.Build());
        ++written;
      }
      std::string readme = "Program " + std::to_string(program) + "\n";
      while (readme.size() < 2048)
        readme += "Read this before running the program.\n";
      ts::WriteBytes(folder / "readme.txt", ts::Bytes(readme.begin(), readme.end()));
      ts::WriteBytes(folder / "data.dat", Filler(16 << 10, 16 << 10));
    }
    return written;
  }

 private:
  const ts::Bytes& NextIcon() { return icons_[next_++ % icons_.size()]; }

  // Bytes of a size between the bounds, log-uniformly, that no compression would shrink much.
  ts::Bytes Filler(size_t least, size_t most) {
    std::uniform_real_distribution<double> exponent(std::log2(static_cast<double>(least)),
                                                    std::log2(static_cast<double>(most)));
    ts::Bytes bytes(static_cast<size_t>(std::exp2(exponent(random_))));
    for (uint8_t& byte : bytes)
      byte = static_cast<uint8_t>(random_() >> 24);
    return bytes;
  }

  std::vector<ts::Bytes> icons_;
  size_t next_ = 0;
  std::mt19937 random_{20240623};
};

int WriteTree(const std::filesystem::path& root, int modules) {
  std::vector<ts::Bytes> icons;
  try {
    for (const auto& icon : ts::NsisIcons())
      icons.push_back(ts::ReadBytes(icon));
  } catch (const std::runtime_error&) {
  }
  if (icons.empty()) {
    std::fprintf(stderr, "the icons of nsis-common are missing\n");
    return 1;
  }
  int written = TreeMaker(std::move(icons)).Write(root, modules);
  std::printf("%d\n", written);
  return 0;
}

// COUNT hard links m0.dll, m1.dll, ... in FOLDER to the modules under TREE in turn (many inputs
// at the cost of one tree).
int WriteLinks(const std::filesystem::path& folder, int count, const std::filesystem::path& tree) {
  std::vector<std::filesystem::path> modules;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(tree)) {
    std::string extension = entry.path().extension().string();
    if (entry.is_regular_file() &&
        (extension == ".exe" || extension == ".dll" || extension == ".icl"))
      modules.push_back(entry.path());
  }
  if (modules.empty()) return 1;
  std::sort(modules.begin(), modules.end());
  std::filesystem::create_directories(folder);
  for (int i = 0; i < count; ++i)
    std::filesystem::create_hard_link(modules[static_cast<size_t>(i) % modules.size()],
                                      folder / ("m" + std::to_string(i) + ".dll"));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::string(argv[1]) == "--tree")
    return WriteTree(argv[2], argc > 3 ? std::atoi(argv[3]) : 640);
  if (argc >= 5 && std::string(argv[1]) == "--links")
    return WriteLinks(argv[2], std::atoi(argv[3]), argv[4]);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER [GROUPS] | --tree FOLDER [MODULES]\n", argv[0]);
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
