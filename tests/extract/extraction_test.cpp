#include <gtest/gtest.h>

#include <filesystem>

#include "extract/extract_all.h"
#include "extract/single_extraction.h"
#include "frame/literal.h"
#include "imaging/image_object.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/pe_writer.h"

namespace extract {
namespace {

namespace ts = testing_support;
namespace fs = std::filesystem;
using frame::literals::operator""_gbk;
using ts::Bytes;

Bytes Dib(int size, uint32_t colour) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.pixel = [colour](int, int) { return colour; };
  return ts::MakeIconDib(recipe);
}

class ExtractionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(imaging::StartImagingLibrary()); }
  frame::Text Path(const std::string& name) const {
    return frame::Text::FromUtf8((dir_ / name).string());
  }
  // Groups 1 and 2, one colour each; group 3 names an icon resource that is not there. With
  // `partial`, group 4 lists group 1's image and a missing one: it can be drawn, not copied.
  frame::Text Module(const std::string& name, bool partial = false) const {
    ts::PeWriter w;
    w.AddIconGroup(1, ts::MakeIcoFile({Dib(32, 0xFF0000FF)}));
    w.AddIconGroup(2, ts::MakeIcoFile({Dib(32, 0xFF00FF00)}));
    w.Add(ts::kRtGroupIcon, 3, {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 99, 0});
    if (partial) {
      Bytes group = {0, 0, 1, 0,  2,  0, 32, 32, 0, 0,  1, 0, 32, 0, 0, 0,  0,
                     0, 1, 0, 16, 16, 0, 0,  1,  0, 32, 0, 0, 0,  0, 0, 98, 0};
      ts::PutU32(group, 14, static_cast<uint32_t>(Dib(32, 0).size()));
      w.Add(ts::kRtGroupIcon, 4, group);
    }
    ts::WriteBytes(dir_ / name, w.Build());
    return Path(name);
  }
  ts::TempDir dir_;
};

// Whatever the module's name: a control panel module, a program saved without an extension.
TEST_F(ExtractionTest, TheIconFormatCopiesTheGroupAndSaysSo) {
  for (const char* name : {"m.dll", "m.cpl", "m"}) {
    SavedIcon saved = ExtractSelectedIcon(Module(name), 3, 2, SaveFormat::Ico,
                                          Path(std::string("out-") + name), "p"_gbk);
    EXPECT_TRUE(saved.written) << name;
    EXPECT_FALSE(saved.fromHandle) << name;
    EXPECT_EQ(saved.path, Path(std::string("out-") + name + "/p2.ico"));
    EXPECT_EQ(saved.status, "提取图标成功！序号：2"_gbk);
  }
}

// Group 4 cannot be copied: the icon is built from the handle. Group 3 cannot be written and
// no handle comes back for it either: nothing is written.
TEST_F(ExtractionTest, AGroupNotCopiedFallsBackToTheHandleWhenThereIsOne) {
  SavedIcon saved =
      ExtractSelectedIcon(Module("m.dll", true), 4, 4, SaveFormat::Ico, Path("out"), frame::Text());
  EXPECT_TRUE(saved.written);
  EXPECT_TRUE(saved.fromHandle);
  EXPECT_EQ(saved.status, "提取图标失败！序号：4  根据句柄创建."_gbk);
  EXPECT_EQ(fs::file_size(saved.path.ToUtf8()), 4286u);
  SavedIcon none =
      ExtractSelectedIcon(Module("m.dll"), 3, 3, SaveFormat::Ico, Path("out"), frame::Text());
  EXPECT_FALSE(none.written);
  EXPECT_TRUE(none.noIcon);
  EXPECT_EQ(none.status, "提取图标失败！序号：3"_gbk);
  EXPECT_FALSE(fs::exists(none.path.ToUtf8()));
}

TEST_F(ExtractionTest, AFailedWriteIsNeverReportedAsSuccessOrAsAnIconBuilt) {
  frame::Text module = Module("m.dll");
  ts::WriteBytes(dir_ / "file", {1});
  SavedIcon group =
      ExtractSelectedIcon(module, 3, 1, SaveFormat::Ico, Path("file/sub"), frame::Text());
  EXPECT_FALSE(group.written);
  EXPECT_FALSE(group.fromHandle);
  EXPECT_EQ(group.status, "提取图标失败！序号：1"_gbk);
  SavedIcon png =
      ExtractSelectedIcon(module, 3, 1, SaveFormat::Png, Path("file/sub"), frame::Text());
  EXPECT_FALSE(png.written);
  EXPECT_EQ(png.status, "保存PNG图片失败！序号：1"_gbk);
}

TEST_F(ExtractionTest, TheBatchSavesNothingForAnIconThatIsNotThere) {
  // Counted 4 while the module has 3 groups: icon 4 has no handle, and the image object still
  // holds icon 3's picture, which must not be saved under icon 4's name.
  ExtractedIcons batch =
      ExtractAllIcons(Module("m.dll"), 4, SaveFormat::Png, Path("all"), frame::Text());
  ASSERT_EQ(batch.icons.size(), 4u);
  EXPECT_TRUE(batch.icons[0].written);
  EXPECT_TRUE(batch.icons[1].written);
  EXPECT_FALSE(batch.icons[3].written);
  EXPECT_FALSE(fs::exists(dir_ / "all" / "4.png"));
  EXPECT_TRUE(batch.status.empty());
}

TEST_F(ExtractionTest, TheBatchReportsOnlyIconsNotCopiedAsGroups) {
  ExtractedIcons batch =
      ExtractAllIcons(Module("m.dll", true), 4, SaveFormat::Ico, Path("all"), frame::Text());
  ASSERT_EQ(batch.icons.size(), 4u);
  EXPECT_FALSE(batch.icons[1].fromHandle);
  EXPECT_TRUE(batch.icons[2].noIcon);
  EXPECT_TRUE(batch.icons[3].fromHandle);
  EXPECT_EQ(batch.status, "提取图标失败！序号：4  根据句柄创建."_gbk);
  EXPECT_EQ(batch.folder, Path("all"));
  batch = ExtractAllIcons(Module("m.dll"), 2, SaveFormat::Ico, Path("all"), frame::Text());
  EXPECT_TRUE(batch.icons[0].status.empty());
  EXPECT_FALSE(batch.icons[1].fromHandle);
  EXPECT_TRUE(batch.status.empty());
  EXPECT_EQ(batch.folder, Path("all(1)"));
}

TEST_F(ExtractionTest, TheFolderIconIsASingle32By32Icon) {
  fs::create_directories(dir_ / "folder");
  EXPECT_TRUE(SaveFolderIcon(Path("folder"), Path("folder.ico")));
  EXPECT_EQ(fs::file_size(dir_ / "folder.ico"), 4286u);
  EXPECT_FALSE(SaveFolderIcon(Path("missing"), Path("missing.ico")));
  EXPECT_FALSE(fs::exists(dir_ / "missing.ico"));
}

}  // namespace
}  // namespace extract
