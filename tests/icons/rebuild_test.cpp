#include "icofile/rebuild.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include "frame/private_folder.h"
#include "icofile/icon_container.h"
#include "platform/core/paths.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"

namespace icofile {
namespace {

namespace ts = testing_support;
using frame::ByteSet;
using ts::Bytes;

// Points the temporary folder at a private test folder for one test.
class ScopedTempFolder {
 public:
  ScopedTempFolder() {
    const char* old = std::getenv("TMPDIR");
    if (old) old_ = old;
    setenv("TMPDIR", dir_.path().c_str(), 1);
  }
  ~ScopedTempFolder() {
    if (old_.empty())
      unsetenv("TMPDIR");
    else
      setenv("TMPDIR", old_.c_str(), 1);
  }
  bool Empty() const { return std::filesystem::is_empty(dir_.path()); }

 private:
  ts::TempDir dir_;
  std::string old_;
};

Bytes Dib(int size, int bits) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.bitCount = bits;
  return ts::MakeIconDib(recipe);
}

TEST(RebuildIconBytesTest, KeepsTheBitmapImagesAndDropsThePngOnes) {
  ScopedTempFolder temp;
  Bytes png = ts::MakePng(256, 256, 0xFF445566);
  png[22] = 0;
  Bytes source = ts::MakeIcoFile({Dib(16, 8), Dib(32, 32), png});
  ByteSet rebuilt = RebuildIconBytes(ByteSet(source)).value();
  Bytes image1 = Dib(16, 8), image2 = Dib(32, 32);
  uint32_t b1 = static_cast<uint32_t>(image1.size());
  ASSERT_EQ(rebuilt.size(), 38 + image1.size() + image2.size());
  EXPECT_EQ(Bytes(rebuilt.bytes().begin(), rebuilt.bytes().begin() + 6), (Bytes{0, 0, 1, 0, 2, 0}));
  for (int i = 0; i < 2; ++i)
    EXPECT_TRUE(std::equal(source.begin() + 6 + 16 * i, source.begin() + 18 + 16 * i,
                           rebuilt.bytes().begin() + 6 + 16 * i))
        << "entry head " << i << " is copied";
  EXPECT_EQ(ts::GetU32(rebuilt.bytes(), 18), 38u);
  EXPECT_EQ(ts::GetU32(rebuilt.bytes(), 34), 38u + b1);
  EXPECT_TRUE(std::equal(image2.begin(), image2.end(), rebuilt.bytes().begin() + 38 + b1));
  EXPECT_TRUE(temp.Empty()) << "no probe file or folder is left behind";
}

TEST(RebuildIconBytesTest, NothingLoadableGivesTheEmptyHeader) {
  ScopedTempFolder temp;
  const Bytes empty = {0, 0, 1, 0, 0, 0};
  EXPECT_EQ(
      RebuildIconBytes(ByteSet(ts::MakeIcoFile({ts::MakePng(256, 256, 0xFF000000)})))->bytes(),
      empty);
  EXPECT_EQ(RebuildIconBytes(ByteSet(Bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'c', 'o', 'n'}))
                ->bytes(),
            empty);
  EXPECT_EQ(RebuildIconBytes(ByteSet())->bytes(), empty);
  EXPECT_TRUE(temp.Empty());
}

TEST(RebuildIconBytesTest, RealIconsKeepEveryBitmapImage) {
  for (const auto& path : ts::NsisIcons()) {
    Bytes source = ts::ReadBytes(path);
    ByteSet rebuilt = RebuildIconBytes(ByteSet(source)).value();
    size_t pngs = 0, count = ts::GetU16(source, 4);
    for (size_t i = 0; i < count; ++i) {
      uint32_t offset = ts::GetU32(source, 6 + 16 * i + 12);
      pngs += source[offset + 1] == 'P' && source[offset + 2] == 'N';
    }
    EXPECT_EQ(rebuilt[4], count - pngs) << path;
  }
}

TEST(RebuildIconBytesTest, ImagesStoredInAnotherOrderAreAllKept) {
  ScopedTempFolder temp;
  std::vector<Bytes> images = {Dib(16, 4), Dib(24, 8), Dib(32, 32), Dib(48, 32)};
  ByteSet rebuilt =
      RebuildIconBytes(ByteSet(ts::ReverseImageStorage(ts::MakeIcoFile(images)))).value();
  EXPECT_EQ(rebuilt.bytes(), ts::MakeIcoFile(images)) << "every image, back to back";
}

TEST(RebuildIconFileTest, FailuresThatWriteNothingSayWhy) {
  ts::TempDir dir;
  auto path = [&dir](const char* name) { return frame::Text::FromUtf8((dir / name).string()); };
  ts::WriteBytes(dir / "repeated.ico", ts::RepeatedImageIcon(Dib(48, 32), 65535));
  ts::WriteBytes(dir / "fine.ico", ts::MakeIcoFile({Dib(16, 4)}));
  EXPECT_EQ(RebuildIconFile(path("repeated.ico"), path("a.ico")), Rebuilt::TooLarge);
  {
    ScopedTempFolder temp;
    setenv("TMPDIR", (dir / "missing").c_str(), 1);
    EXPECT_EQ(RebuildIconFile(path("fine.ico"), path("b.ico")), Rebuilt::NoScratch);
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "a.ico"));
  EXPECT_FALSE(std::filesystem::exists(dir / "b.ico"));
}

TEST(PrivateFolderTest, IsPrivateUniqueAndGoesAway) {
  ScopedTempFolder temp;
  std::string first, second;
  {
    frame::PrivateFolder a, b;
    ASSERT_FALSE(a.path().empty());
    first = platform::paths::ToNative(a.path().view());
    second = platform::paths::ToNative(b.path().view());
    EXPECT_NE(first, second);
    EXPECT_EQ(first.back(), '/');
    struct stat info {};
    ASSERT_EQ(stat(first.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ts::WriteBytes(first + "left-over.ico", {1, 2, 3});
  }
  EXPECT_FALSE(std::filesystem::exists(first));
  EXPECT_FALSE(std::filesystem::exists(second));
  EXPECT_TRUE(temp.Empty());
}

}  // namespace
}  // namespace icofile
