#include "tests/support/icoutils.h"

#include <gtest/gtest.h>

#include "platform/codecs/ico.h"
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

std::map<int, QImage> IcotoolImages(const fs::path& ico, const fs::path& folder) {
  fs::create_directories(folder);
  RunCommand("icotool -x -o " + Quoted(folder.string()) + " " + Quoted(ico.string()) +
             " 2>/dev/null");
  // icotool names image i (1-based) NAME_i_WxHxD.png.
  std::map<int, QImage> images;
  for (const auto& e : fs::directory_iterator(folder)) {
    std::string name = e.path().stem().string();
    size_t last = name.rfind('_');
    size_t before = last == std::string::npos ? last : name.rfind('_', last - 1);
    if (e.path().extension() != ".png" || before == std::string::npos) continue;
    int index = std::stoi(name.substr(before + 1, last - before - 1)) - 1;
    images[index] =
        QImage(QString::fromStdString(e.path().string())).convertToFormat(QImage::Format_ARGB32);
  }
  return images;
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
  std::vector<uint8_t> bytes = ReadBytes(ours);
  auto dir = platform::codecs::ReadIcoDirectory(bytes);
  ASSERT_TRUE(dir.ok()) << ours;
  auto theirs = IcotoolImages(reference, scratch);
  ASSERT_EQ(theirs.size(), dir->entries.size()) << reference;
  for (size_t i = 0; i < dir->entries.size(); ++i) {
    auto image = platform::codecs::DecodeIcoImage(bytes, i);
    ASSERT_TRUE(image.ok()) << ours << " image " << i;
    const QImage& ref = theirs[static_cast<int>(i)];
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

void WrestoolExtractGroup(const fs::path& module, const std::string& name, const fs::path& ico) {
  RunCommand("wrestool -x -t14 --name=" + Quoted(name) + " -o " + Quoted(ico.string()) + " " +
             Quoted(module.string()));
}

}  // namespace testing_support
