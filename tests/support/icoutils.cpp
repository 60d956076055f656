#include "tests/support/icoutils.h"

#include <gtest/gtest.h>

#include "platform/core/codecs/ico.h"
#include "tests/support/fixtures.h"

namespace testing_support {

namespace {
std::string Quoted(const std::string& s) {
  return "'" + s + "'";
}
}  // namespace

bool HaveIcoutils() {
  return RunCommand("command -v wrestool >/dev/null && command -v icotool >/dev/null") == 0;
}

namespace {

// icotool names image i (1-based) of NAME.ico NAME_i_WxHxD.png; the images of a folder of PNG
// files by NAME, then by 0-based index.
std::map<std::string, std::map<int, QImage>> ImagesByIconName(const fs::path& folder) {
  std::map<std::string, std::map<int, QImage>> images;
  for (const auto& e : fs::directory_iterator(folder)) {
    std::string name = e.path().stem().string();
    size_t last = name.rfind('_');
    size_t before =
        last == std::string::npos || last == 0 ? std::string::npos : name.rfind('_', last - 1);
    if (e.path().extension() != ".png" || before == std::string::npos) continue;
    int index = std::stoi(name.substr(before + 1, last - before - 1)) - 1;
    images[name.substr(0, before)][index] =
        QImage(QString::fromStdString(e.path().string())).convertToFormat(QImage::Format_ARGB32);
  }
  return images;
}

}  // namespace

std::map<int, QImage> IcotoolImages(const fs::path& ico, const fs::path& folder) {
  fs::create_directories(folder);
  RunCommand("icotool -x -o " + Quoted(folder.string()) + " " + Quoted(ico.string()) +
             " 2>/dev/null");
  std::map<int, QImage> images;
  for (auto& [name, byIndex] : ImagesByIconName(folder))
    images.merge(byIndex);
  return images;
}

std::map<std::string, std::map<int, QImage>> WrestoolGroupImages(const fs::path& module,
                                                                 const fs::path& folder) {
  fs::path icons = folder / "icons", pngs = folder / "png";
  fs::create_directories(icons);
  fs::create_directories(pngs);
  RunCommand("wrestool -x -t14 -o " + Quoted(icons.string()) + " " + Quoted(module.string()) +
             " && icotool -x -o " + Quoted(pngs.string()) + " " + Quoted(icons.string()) +
             "/*.ico 2>/dev/null");
  // wrestool names each group MODULE_14_NAME.ico.
  const std::string prefix = module.filename().string() + "_14_";
  std::map<std::string, std::map<int, QImage>> groups;
  for (auto& [name, images] : ImagesByIconName(pngs))
    if (name.starts_with(prefix)) groups[name.substr(prefix.size())] = std::move(images);
  return groups;
}

std::vector<std::string> WrestoolGroupNames(const fs::path& module) {
  std::string listing;
  RunCommand("wrestool -l -t14 " + Quoted(module.string()) + " 2>/dev/null", &listing);
  std::vector<std::string> names;
  const std::string key = "--name=";
  for (size_t at = listing.find(key); at != std::string::npos; at = listing.find(key, at + 1)) {
    size_t start = at + key.size();
    if (listing[start] == '\'') ++start;
    size_t end = listing.find_first_of("' ", start);
    names.push_back(listing.substr(start, end - start));
  }
  return names;
}

void ExpectSameIconPixels(const fs::path& ours, const fs::path& reference,
                          const fs::path& scratch) {
  ExpectSameIconPixels(ours, IcotoolImages(reference, scratch));
}

void ExpectSameIconPixels(const fs::path& ours, const std::map<int, QImage>& theirs) {
  std::vector<uint8_t> bytes = ReadBytes(ours);
  auto dir = platform::codecs::ReadIcoDirectory(bytes);
  ASSERT_TRUE(dir.ok()) << ours;
  ASSERT_EQ(theirs.size(), dir->entries.size()) << ours;
  for (size_t i = 0; i < dir->entries.size(); ++i) {
    auto image = platform::codecs::DecodeIcoImage(bytes, i);
    ASSERT_TRUE(image.ok()) << ours << " image " << i;
    const QImage& ref = theirs.at(static_cast<int>(i));
    ASSERT_EQ(QSize(image->width, image->height), ref.size()) << ours << " image " << i;
    for (int y = 0; y < ref.height(); ++y)
      for (int x = 0; x < ref.width(); ++x) {
        uint32_t mine = image->pixels[static_cast<size_t>(y) * image->width + x];
        uint32_t expected = ref.pixel(x, y);
        if (expected >> 24 == 0)
          ASSERT_EQ(mine >> 24, 0u) << ours << " image " << i << " at " << x << "," << y;
        else
          ASSERT_EQ(mine, expected) << ours << " image " << i << " at " << x << "," << y;
      }
  }
}

namespace {

constexpr const char* kPython = "/usr/bin/python3";

// Each image's size and a digest of its RGBA pixels, with the colour of transparent pixels
// cleared (decoders differ there and nobody sees it).
constexpr const char* kPillowScript = R"(
import hashlib, sys
from PIL import IcoImagePlugin
with open(sys.argv[1], "rb") as f:
    ico = IcoImagePlugin.IcoFile(f)
    for i in range(len(ico.entry)):
        im = ico.frame(i).convert("RGBA")
        px = bytes(b for p in im.getdata() for b in (p if p[3] else (0, 0, 0, 0)))
        print(im.size[0], "x", im.size[1], hashlib.sha1(px).hexdigest())
)";

}  // namespace

bool HavePillow() {
  return RunCommand(std::string(kPython) + " -c 'import PIL' 2>/dev/null") == 0;
}

std::vector<std::string> PillowImages(const fs::path& ico) {
  std::string output;
  RunCommand(
      std::string(kPython) + " -c " + Quoted(kPillowScript) + " " + Quoted(ico.string()) + " 2>&1",
      &output);
  std::vector<std::string> lines;
  for (size_t at = 0, end; at < output.size(); at = end + 1) {
    end = output.find('\n', at);
    if (end == std::string::npos) end = output.size();
    lines.push_back(output.substr(at, end - at));
  }
  return lines;
}

void WrestoolExtractGroup(const fs::path& module, const std::string& name, const fs::path& ico) {
  RunCommand("wrestool -x -t14 --name=" + Quoted(name) + " -o " + Quoted(ico.string()) + " " +
             Quoted(module.string()));
}

}  // namespace testing_support
