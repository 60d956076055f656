// Icon handles from files: LoadImageA for icon files, ExtractIconA for modules and icon files,
// ExtractAssociatedIconA for any existing path.
#include <gtest/gtest.h>

#include <optional>

#include "platform/picture/gdi/icon_images.h"
#include "platform/picture/gdi/objects.h"
#include "platform/win32/gdi32.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/shell32.h"
#include "platform/win32/user32.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/ne_writer.h"
#include "tests/support/pe_writer.h"

namespace platform {
namespace {

namespace ts = testing_support;
using namespace win32;
using ts::Bytes;

// A square icon image of one opaque colour (0xRRGGBB).
Bytes Solid(int size, int bitCount, uint32_t rgb) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.bitCount = bitCount;
  if (bitCount <= 8) {
    recipe.palette.assign(size_t{1} << bitCount, 0);
    recipe.palette[1] = rgb;
    recipe.pixel = [](int, int) { return 1u; };
  } else {
    recipe.pixel = [rgb](int, int) { return 0xFF000000u | rgb; };
  }
  return ts::MakeIconDib(recipe);
}

std::optional<QImage> ImageOf(HICON icon) {
  const gdi::IconObject* object = gdi::Icons().Find(icon);
  if (!object) return std::nullopt;
  return gdi::ToQImage(object->image);
}

class IconFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const Bytes& bytes) {
    std::string path = (dir_ / name).string();
    ts::WriteBytes(path, bytes);
    return path;
  }
  HANDLE Load(const std::string& path, int size = 0, UINT type = IMAGE_ICON,
              UINT flags = LR_LOADFROMFILE) {
    return user32::LoadImageA(0, path.c_str(), type, size, size, flags);
  }
  ts::TempDir dir_;
};

TEST_F(IconFileTest, LoadImageTakesBitmapImagesAtTheirOwnOrTheAskedSize) {
  std::string multi = Write(
      "multi.ico",
      ts::MakeIcoFile({Solid(16, 4, 0xFF0000), Solid(32, 8, 0x00FF00), Solid(48, 32, 0x0000FF)}));
  struct Row {
    int asked;
    UINT flags;
    int size;
    QRgb colour;
  };
  const Row rows[] = {
      {0, LR_LOADFROMFILE, 32, 0xFF00FF00},  // the standard size, own size
      {16, LR_LOADFROMFILE, 16, 0xFFFF0000},
      {48, LR_LOADFROMFILE, 48, 0xFF0000FF},
      {64, LR_LOADFROMFILE, 64, 0xFF0000FF},  // the largest, scaled up
      {0, LR_LOADFROMFILE | LR_DEFAULTSIZE, 32, 0xFF00FF00},
  };
  for (const Row& row : rows) {
    HICON icon = Load(multi, row.asked, IMAGE_ICON, row.flags);
    ASSERT_NE(icon, 0u) << row.asked;
    EXPECT_EQ(ImageOf(icon)->width(), row.size) << row.asked;
    EXPECT_EQ(ImageOf(icon)->pixel(row.size / 2, row.size / 2), row.colour) << row.asked;
    user32::DestroyIcon(icon);
  }
}

TEST_F(IconFileTest, LoadImageRefusesPngImagesAndAnythingUndecodable) {
  Bytes png = ts::MakePng(256, 256, 0xFF112233);
  Bytes clearedHeight = png;  // as the PNG-to-icon conversion stores it
  clearedHeight[22] = 0;
  Bytes truncated = Solid(32, 32, 0x123456);
  truncated.resize(100);
  const std::pair<const char*, Bytes> refused[] = {
      {"png.ico", ts::MakeIcoFile({png})},
      {"cleared.ico", ts::MakeIcoFile({clearedHeight})},
      {"truncated.ico", ts::MakeIcoFile({truncated})},
      {"text.ico", Bytes{'h', 'e', 'l', 'l', 'o'}},
      {"empty.ico", {}},
  };
  for (const auto& [name, bytes] : refused)
    EXPECT_EQ(Load(Write(name, bytes)), 0u) << name;
  EXPECT_EQ(Load((dir_ / "missing.ico").string()), 0u);
  EXPECT_EQ(Load(dir_.path().string()), 0u);
  EXPECT_EQ(Load(Write("ok.ico", ts::MakeIcoFile({Solid(16, 8, 1)})), 0, IMAGE_ICON, 0), 0u)
      << "only loading from a file is supported";
  EXPECT_EQ(user32::LoadImageA(0, nullptr, IMAGE_ICON, 0, 0, LR_LOADFROMFILE), 0u);
}

TEST_F(IconFileTest, LoadImageReadsBitmapFilesAsBitmaps) {
  ts::DibRecipe recipe;
  recipe.width = 3;
  recipe.height = 2;
  recipe.bitCount = 24;
  recipe.pixel = [](int, int) { return 0x00ABCDEFu; };
  HBITMAP bitmap = Load(Write("p.bmp", ts::MakeBmpFile(recipe)), 0, IMAGE_BITMAP);
  ASSERT_NE(bitmap, 0u);
  EXPECT_EQ(gdi::Bitmaps().Find(bitmap)->image.pixel(2, 1), 0xFFABCDEFu);
  gdi32::DeleteObject(bitmap);
}

TEST_F(IconFileTest, ExtractIconCountsAndPicksFromGroups) {
  ts::PeWriter w(ts::PeWriter::Format::Pe32Plus);
  w.AddIconGroup(u"MAIN", ts::MakeIcoFile({Solid(16, 8, 0xFF0000), Solid(32, 4, 0x00FF00),
                                           Solid(32, 8, 0x0000FF), Solid(48, 32, 0xFFFFFF)}));
  w.AddIconGroup(200, ts::MakeIcoFile({Solid(64, 32, 0x808080), Solid(48, 32, 0x404040)}));
  w.AddIconGroup(7, ts::MakeIcoFile({ts::MakePng(256, 256, 0xFF102030)}));
  std::string module = Write("module.cpl", w.Build());  // the extension does not matter
  auto extract = [&](int index) {
    return shell32::ExtractIconA(0, module.c_str(), static_cast<UINT>(index));
  };
  EXPECT_EQ(extract(-1), 3u);
  struct Row {
    int index;
    QRgb colour;  // 0: no icon
  };
  // Directory order: the named group first, then ids ascending (7 before 200).
  const Row checks[] = {
      {0, 0xFF0000FF},  // "MAIN": 32 x 32 at the deepest depth
      {1, 0xFF102030},  // group 7: its only image is a PNG, scaled down
      {2, 0xFF404040},  // group 200: all above 32, so the smallest
      {3, 0},
      {-7, 0xFF102030},  // by id
      {-200, 0xFF404040},
      {-8, 0},
      {-70000, 0},
  };
  for (const Row& row : checks) {
    HICON icon = extract(row.index);
    if (row.colour == 0) {
      EXPECT_EQ(icon, 0u) << row.index;
      continue;
    }
    ASSERT_NE(icon, 0u) << row.index;
    EXPECT_EQ(ImageOf(icon)->size(), QSize(32, 32)) << row.index;
    EXPECT_EQ(ImageOf(icon)->pixel(16, 16), row.colour) << row.index;
    user32::DestroyIcon(icon);
  }
}

TEST_F(IconFileTest, ExtractIconReadsNeModulesInTableOrder) {
  ts::NeWriter w(9);
  w.AddIconGroup(200, ts::MakeIcoFile({Solid(48, 32, 0x404040), Solid(32, 8, 0x0000FF)}));
  w.AddIconGroup(u"MAIN", ts::MakeIcoFile({Solid(16, 1, 0xFF0000), Solid(32, 4, 0x00FF00)}));
  std::string module = Write("library.icl", w.Build());
  EXPECT_EQ(shell32::ExtractIconA(0, module.c_str(), 0xFFFFFFFF), 2u);
  const std::pair<int, QRgb> rows[] = {
      {0, 0xFF0000FF}, {1, 0xFF00FF00}, {2, 0}, {-200, 0xFF0000FF}, {-2, 0},
  };
  for (const auto& [index, colour] : rows) {
    HICON icon = shell32::ExtractIconA(0, module.c_str(), static_cast<UINT>(index));
    EXPECT_EQ(icon ? ImageOf(icon)->pixel(16, 16) : 0u, colour) << index;
    user32::DestroyIcon(icon);
  }
  WORD first = 0;
  HICON own = shell32::ExtractAssociatedIconA(0, module.data(), &first);
  ASSERT_NE(own, 0u);
  EXPECT_EQ(ImageOf(own)->pixel(16, 16), 0xFF0000FFu);
  user32::DestroyIcon(own);
}

// The file read last stays parsed with the icons made of its images: groups that share an image
// give the same icon, and a file that changed gives its new icons, never the kept ones.
TEST_F(IconFileTest, ExtractIconGivesWhatTheFileHoldsNow) {
  auto moduleOf = [](uint32_t rgb) {
    ts::PeWriter w;
    const Bytes image = Solid(32, 32, rgb);
    w.Add(ts::kRtIcon, 1, image);
    for (int g = 1; g <= 20; ++g)
      w.Add(ts::kRtGroupIcon, g, ts::RepeatedImageGroup(image, 1, 1));
    return w.Build();
  };
  const std::string a = Write("a.dll", moduleOf(0xFF0000)), b = Write("b.dll", moduleOf(0x00FF00));
  auto colour = [](const std::string& path, int index) {
    HICON icon = shell32::ExtractIconA(0, path.c_str(), static_cast<UINT>(index));
    QRgb pixel = icon ? ImageOf(icon)->pixel(16, 16) : 0;
    user32::DestroyIcon(icon);
    return pixel;
  };
  for (int g = 0; g < 20; ++g)
    EXPECT_EQ(colour(a, g), 0xFFFF0000u) << g;
  EXPECT_EQ(colour(b, 3), 0xFF00FF00u);
  EXPECT_EQ(colour(a, 5), 0xFFFF0000u);
  Write("a.dll", moduleOf(0x0000FF));  // the same layout, another colour
  EXPECT_EQ(colour(a, 5), 0xFF0000FFu);
  HMODULE loaded = kernel32::LoadLibraryExA(a.c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
  EXPECT_EQ(colour(a, 6), 0xFF0000FFu);
  kernel32::FreeLibrary(loaded);
}

TEST_F(IconFileTest, ExtractIconTakesTheOneIconOfAnIconFile) {
  std::string ico =
      Write("a.ico", ts::MakeIcoFile({Solid(16, 4, 0xFF0000), Solid(48, 32, 0x00FF00)}));
  EXPECT_EQ(shell32::ExtractIconA(0, ico.c_str(), 0xFFFFFFFF), 1u);
  HICON icon = shell32::ExtractIconA(0, ico.c_str(), 0);
  ASSERT_NE(icon, 0u);
  EXPECT_EQ(ImageOf(icon)->size(), QSize(32, 32)) << "16 x 16 scaled up";
  EXPECT_EQ(ImageOf(icon)->pixel(8, 8), 0xFFFF0000u);
  user32::DestroyIcon(icon);
  EXPECT_EQ(shell32::ExtractIconA(0, ico.c_str(), 1), 0u);

  const std::pair<const char*, Bytes> none[] = {
      {"text.txt", Bytes{'t', 'e', 'x', 't'}},
      {"bare.dll", ts::PeWriter().Build()},
      {"empty.exe", {}},
  };
  for (const auto& [name, bytes] : none) {
    std::string path = Write(name, bytes);
    EXPECT_EQ(shell32::ExtractIconA(0, path.c_str(), 0xFFFFFFFF), 0u) << name;
    EXPECT_EQ(shell32::ExtractIconA(0, path.c_str(), 0), 0u) << name;
  }
  EXPECT_EQ(shell32::ExtractIconA(0, (dir_ / "missing.exe").string().c_str(), 0xFFFFFFFF), 0u);
}

TEST_F(IconFileTest, ExtractIconCountsTheGroupsOfRealStubs) {
  if (ts::RunCommand("command -v wrestool >/dev/null") != 0) GTEST_SKIP() << "icoutils missing";
  for (const auto& stub : ts::NsisStubs()) {
    std::string listing;
    ts::RunCommand("wrestool -l -t14 '" + stub.string() + "' 2>/dev/null", &listing);
    UINT expected = static_cast<UINT>(std::count(listing.begin(), listing.end(), '\n'));
    if (stub.filename() == "uninst") expected = 1;  // an icon file, not a module
    EXPECT_EQ(shell32::ExtractIconA(0, stub.string().c_str(), 0xFFFFFFFF), expected) << stub;
    HICON icon = shell32::ExtractIconA(0, stub.string().c_str(), 0);
    EXPECT_NE(icon, 0u) << stub;
    user32::DestroyIcon(icon);
  }
}

TEST_F(IconFileTest, AssociatedIconIsTheFilesOwnOrTheDesktops) {
  std::string ico = Write("own.ico", ts::MakeIcoFile({Solid(32, 8, 0x00FF00)}));
  std::string text = Write("notes.txt", Bytes{'n', 'o', 't', 'e'});
  std::string folder = (dir_ / "folder").string();
  std::filesystem::create_directory(folder);
  WORD index = 0;
  HICON own = shell32::ExtractAssociatedIconA(0, ico.data(), &index);
  ASSERT_NE(own, 0u);
  EXPECT_EQ(ImageOf(own)->pixel(16, 16), 0xFF00FF00u);
  for (std::string* path : {&text, &folder}) {
    HICON icon = shell32::ExtractAssociatedIconA(0, path->data(), &index);
    ASSERT_NE(icon, 0u) << *path;
    EXPECT_EQ(ImageOf(icon)->size(), QSize(32, 32));
    user32::DestroyIcon(icon);
  }
  std::string missing = (dir_ / "missing.txt").string();
  EXPECT_EQ(shell32::ExtractAssociatedIconA(0, missing.data(), &index), 0u);
  EXPECT_EQ(index, 0);
  user32::DestroyIcon(own);
}

}  // namespace
}  // namespace platform
