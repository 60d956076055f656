#include "icofile/split.h"

#include <gtest/gtest.h>

#include "frame/literal.h"
#include "imaging/image_object.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"

namespace icofile {
namespace {

namespace ts = testing_support;
using frame::literals::operator""_gbk;
using ts::Bytes;

Bytes Dib(int size, int bits) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.bitCount = bits;
  return ts::MakeIconDib(recipe);
}

class SplitTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(imaging::StartImagingLibrary()); }
  frame::Text Path(const std::string& name) const {
    return frame::Text::FromUtf8((dir_ / name).string());
  }
  ts::TempDir dir_;
};

TEST_F(SplitTest, TheFolderIsTheIconsLoweredNameWithoutItsLastExtension) {
  EXPECT_EQ(SplitFolder("/out"_gbk, "/icons/A.b.ICO"_gbk), "/out/a.b/"_gbk);
  EXPECT_EQ(SplitFolder("/out/"_gbk, "App.ico"_gbk), "/out/app/"_gbk);
  // 乗 ends in the byte "\\": it is a name, not a separator.
  EXPECT_EQ(SplitFolder("/out/乗"_gbk, "App.ico"_gbk), "/out/乗/app/"_gbk);
  EXPECT_EQ(SplitFolder("/out\\"_gbk, "App.ico"_gbk), "/out\\app/"_gbk);
  // A name whose stem would be the folder itself or its parent keeps its extension.
  EXPECT_EQ(SplitFolder("/out"_gbk, "/icons/...ICO"_gbk), "/out/...ico/"_gbk);
  EXPECT_EQ(SplitFolder("/out"_gbk, "/icons/..ico"_gbk), "/out/..ico/"_gbk);
  EXPECT_EQ(SplitFolder("/out"_gbk, "/icons/.ico"_gbk), "/out/.ico/"_gbk);
}

TEST_F(SplitTest, OnlyPngDataBecomesAPngFileAndTheRestIsSkipped) {
  Bytes png = ts::MakePng(64, 32, 0xFF102030);  // a valid PNG, height 32
  Bytes junk(40, 0x5A);
  Bytes icon = ts::MakeIcoFile({Dib(16, 4), png, junk});
  ts::WriteBytes(dir_ / "m.ico", icon);
  SplitOutcome outcome = SplitIconFile(Path("m.ico"), Path("out"));
  EXPECT_TRUE(outcome.failed.empty());
  EXPECT_EQ(outcome.written,
            (std::vector<frame::Text>{Path("out/m/Par1.ico"), Path("out/m/2.png")}));
  EXPECT_EQ(ts::ReadBytes(dir_ / "out/m/2.png"), png) << "its height is its own";
  EXPECT_EQ(outcome.skipped, std::vector<size_t>{3});
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out/m/3.png"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out/m/Par3.ico"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out/m/new.ico")) << "no 32-bit image";
}

TEST_F(SplitTest, ImagesStoredInAnotherOrderAreAllSplit) {
  std::vector<Bytes> images = {Dib(16, 4), Dib(32, 32), Dib(48, 32)};
  ts::WriteBytes(dir_ / "r.ico", ts::ReverseImageStorage(ts::MakeIcoFile(images)));
  SplitOutcome outcome = SplitIconFile(Path("r.ico"), Path("out"));
  EXPECT_EQ(outcome.written.size(), 4u);
  for (size_t i = 0; i < images.size(); ++i)
    EXPECT_EQ(ts::ReadBytes(dir_ / ("out/r/Par" + std::to_string(i + 1) + ".ico")),
              ts::MakeIcoFile({images[i]}));
  EXPECT_EQ(ts::GetU16(ts::ReadBytes(dir_ / "out/r/new.ico"), 4), 2u);
}

TEST_F(SplitTest, AnImageListedOverAndOverIsRefusedBeforeAnythingIsMade) {
  ts::WriteBytes(dir_ / "x.ico", ts::RepeatedImageIcon(Dib(48, 32), 65535));
  SplitOutcome outcome = SplitIconFile(Path("x.ico"), Path("out"));
  EXPECT_TRUE(outcome.tooLarge);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out"));
}

TEST_F(SplitTest, ImagesTheDirectoryListsBeyondTheFileGiveNoFiles) {
  Bytes icon = ts::MakeIcoFile({Dib(16, 4)});
  ts::PutU16(icon, 4, 3000);  // a damaged count
  ts::WriteBytes(dir_ / "m.ico", icon);
  SplitOutcome outcome = SplitIconFile(Path("m.ico"), Path("out"));
  EXPECT_EQ(outcome.written, std::vector<frame::Text>{Path("out/m/Par1.ico")});
  EXPECT_EQ(outcome.skipped.size(), 2999u);
}

TEST_F(SplitTest, FilesThatCannotBeWrittenMakeItIncomplete) {
  ts::WriteBytes(dir_ / "m.ico", ts::MakeIcoFile({Dib(16, 4), Dib(32, 32)}));
  ts::WriteBytes(dir_ / "file", {1});
  SplitOutcome outcome = SplitIconFile(Path("m.ico"), Path("file"));
  EXPECT_EQ(outcome.failed.size(), 2u);
  EXPECT_TRUE(outcome.written.empty());
}

}  // namespace
}  // namespace icofile
