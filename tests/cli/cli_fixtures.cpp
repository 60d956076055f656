#include "tests/cli/cli_fixtures.h"

#include <QBuffer>

#include <algorithm>

#include "tests/support/pe_writer.h"

namespace cli_test {

namespace ts = testing_support;

uint32_t GroupColour(int group) {
  return 0xFF000000u | static_cast<uint32_t>((group * 37) & 0xFF) << 16 |
         static_cast<uint32_t>((200 - group * 11) & 0xFF) << 8 |
         static_cast<uint32_t>((group * 73 + 40) & 0xFF);
}

Bytes GroupImage(int group, int size, int bitCount) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.bitCount = bitCount;
  uint32_t colour = GroupColour(group);
  if (bitCount <= 8) {
    recipe.palette = {0x000000, colour & 0xFFFFFF};
    recipe.palette.resize(size_t{1} << bitCount, 0x808080);
    recipe.pixel = [](int x, int y) { return (x + y) % 3 == 0 ? 0u : 1u; };
  } else {
    recipe.pixel = [colour](int x, int y) { return x < 4 && y < 4 ? 0u : colour; };
  }
  return ts::MakeIconDib(recipe);
}

std::vector<Bytes> GroupImages(int group) {
  return {GroupImage(group, 16, 8), GroupImage(group, 32, 32), GroupImage(group, 48, 32)};
}

Bytes ModuleOf(int groups) {
  ts::PeWriter writer;
  for (int g = 1; g <= groups; ++g)
    writer.AddIconGroup(g, ts::MakeIcoFile(GroupImages(g)));
  return writer.Build();
}

Bytes PicturePng(int width, int height, uint32_t argb) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(argb);
  for (int y = 0; y < height / 2; ++y)
    for (int x = 0; x < width / 2; ++x)
      image.setPixel(x, y, 0);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(data.begin(), data.end());
}

QImage DecodedPicture(const fs::path& path) {
  return QImage(QString::fromStdString(path.string())).convertToFormat(QImage::Format_ARGB32);
}

fs::path CliTest::Write(const std::string& name, const Bytes& bytes) const {
  fs::path path = dir_ / name;
  fs::create_directories(path.parent_path());
  ts::WriteBytes(path, bytes);
  return path;
}

std::vector<std::string> CliTest::Listing(const std::string& folder) const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(dir_ / folder, error))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace cli_test
