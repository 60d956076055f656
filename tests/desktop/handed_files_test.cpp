// Files handed to the window: named on the command line (each kind of argument opens what it
// should, through the pages' own handlers) and dropped on a page (a real drop event: what is
// taken, what is refused), and the command line itself.
#include "frame/properties.h"
#include "tests/desktop/desktop_fixture.h"
#include "ui/command_line.h"
#include "ui/globals.h"

namespace desktop_test {
namespace {

namespace ts = testing_support;
namespace prop = frame::prop;

std::string SelectedRow() {
  imaging::IconListView& list = *ui::ProgramGlobals().pictureList;
  const int32_t row = list.SelectedIndex();
  return row < 0 ? std::string() : list.GetItemText(row, 0).ToUtf8();
}

using HandedFilesTest = DesktopTest;

TEST_F(HandedFilesTest, AModuleOrIconFileOpensOnTheExtractionPageAsItsButtonWould) {
  const struct {
    fs::path file;
    std::string label;
    int strip;
  } rows[] = {
      {Module(), "‘tools.dll’有2个图标。", 64},
      {IconFile(), "‘modern-install.ico’有1个图标。", 32},
      // Any other file is what the button's dialog takes too: no icons, its associated one.
      {TextFile(), "‘notes.txt’中没有图标！可提取其关联文件图标。", 32},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    Start(row.file);
    EXPECT_EQ(Page(), kExtractionPage);
    EXPECT_EQ(Caption(unit::提示标签), row.label);
    EXPECT_EQ(StripWidth(), row.strip);
    EXPECT_TRUE(HasPicture(unit::图片框1, prop::kPicBoxPicture));
    EXPECT_EQ(ui::ProgramGlobals().sourcePath.ToUtf8(), row.file.string());
    EXPECT_TRUE(dialogs_->requests().empty());  // no dialog was shown for it
    app_.reset();
    ui::CleanUpGlobals();
  }
}

TEST_F(HandedFilesTest, APictureOrFolderOpensOnTheConversionPage) {
  const fs::path folder = PictureFolder();
  Start(folder / "b.png");
  EXPECT_EQ(Page(), kConversionPage);
  EXPECT_EQ(Folder(), folder.string());
  EXPECT_EQ(SelectedRow(), "b.png");
  EXPECT_TRUE(HasPicture(unit::画板3, prop::kDrawPanelPicture));  // previewed
  EXPECT_EQ(Caption(unit::标签1), "就绪");
  app_.reset();
  ui::CleanUpGlobals();

  Start(folder / "holiday");
  EXPECT_EQ(Page(), kConversionPage);
  EXPECT_EQ(Folder(), (folder / "holiday").string());
}

TEST_F(HandedFilesTest, WhatCannotBeOpenedIsSaidAndTheWindowStaysUsable) {
  Start(Path("missing.dll"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "“" + Path("missing.dll").string() + "”不存在！");
  EXPECT_EQ(Page(), kConversionPage);
  EXPECT_TRUE(Drag(unit::画板3, {PictureFolder()}, true));  // still taking what comes
  EXPECT_EQ(Folder(), PictureFolder().string());
}

TEST_F(HandedFilesTest, DropsOnEachPageTakeWhatThatPageOpens) {
  Start();
  const fs::path folder = PictureFolder();
  const struct {
    int page;
    int32_t unit;  // where the files are dropped
    std::vector<fs::path> files;
    bool taken;
  } rows[] = {
      {kExtractionPage, unit::画板2, {Module()}, true},
      {kExtractionPage, unit::保存路径编辑框, {IconFile()}, true},  // an edit box too
      {kExtractionPage, unit::画板2, {TextFile()}, false},
      {kExtractionPage, unit::画板2, {folder / "a.png"}, false},
      {kExtractionPage, unit::画板2, {folder}, false},
      {kConversionPage, unit::组合框2, {folder / "holiday"}, true},
      {kConversionPage, unit::外形框1, {TextFile()}, false},
      {kConversionPage, unit::外形框1, {Module()}, false},
      // The first that fits decides: the folder of b.png listed, b.png selected.
      {kConversionPage, unit::外形框1, {TextFile(), folder / "b.png", folder / "a.png"}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.files.front());
    ShowPage(row.page);
    EXPECT_EQ(Drag(row.unit, row.files, false), row.taken);
    EXPECT_EQ(Drag(row.unit, row.files, true), row.taken);
    EXPECT_EQ(Page(), row.page);
  }
  // What the last taken drop of each page opened.
  EXPECT_EQ(Caption(unit::提示标签), "‘modern-install.ico’有1个图标。");
  EXPECT_EQ(Folder(), folder.string());
  EXPECT_EQ(SelectedRow(), "b.png");
  EXPECT_TRUE(HasPicture(unit::画板3, prop::kDrawPanelPicture));
  EXPECT_TRUE(Messages().empty());
}

TEST(CommandLineTest, OptionsAndPaths) {
  using Action = ui::CommandLine::Action;
  const struct {
    std::vector<std::string> arguments;
    Action action;
    std::vector<std::string> paths;
  } rows[] = {
      {{}, Action::Run, {}},
      {{"a.dll", "b.ico"}, Action::Run, {"a.dll", "b.ico"}},
      {{"--help", "a.dll"}, Action::Help, {}},
      {{"-h"}, Action::Help, {}},
      {{"--version"}, Action::Version, {}},
      {{"--verbose"}, Action::Refuse, {}},
      {{"a.dll", "-x"}, Action::Refuse, {}},
      {{"--", "--help", "-"}, Action::Run, {"--help", "-"}},
  };
  for (const auto& row : rows) {
    const ui::CommandLine line = ui::ParseCommandLine(row.arguments);
    EXPECT_EQ(line.action, row.action) << testing::PrintToString(row.arguments);
    EXPECT_EQ(line.paths, row.paths) << testing::PrintToString(row.arguments);
  }
}

// The program itself: --help and a refused option end before any window.
TEST(CommandLineTest, HelpAndUnknownOptionsExitCodes) {
  const std::string program = std::string(PICTOLAN_BINARY_DIR) + "/pictolan";
  std::string output;
  EXPECT_EQ(ts::RunCommand(program + " --help", &output), 0);
  EXPECT_NE(output.find("Usage: pictolan [FILE|FOLDER]..."), std::string::npos) << output;
  EXPECT_EQ(ts::RunCommand(program + " --frobnicate 2>&1", &output), 2);
  EXPECT_NE(output.find("unknown option '--frobnicate'"), std::string::npos) << output;
}

}  // namespace
}  // namespace desktop_test
