// The icon-file tools of the extraction page end to end: split, rebuild of one file and of a
// folder, with their dialogs, questions and shell requests, writing what pictolan-cli writes; and
// the folder the pages propose to write in.
#include <QTimer>

#include "frame/ui_commands.h"
#include "icofile/dialogs.h"
#include "platform/desktop/user32/window_table.h"
#include "tests/pages/pages_fixture.h"
#include "tests/support/icon_images.h"
#include "ui/program_folder.h"

namespace pages_test {
namespace {

namespace ts = testing_support;
using seams::DialogAnswer;
using seams::DialogKind;

ts::Bytes Dib(int size, int bitCount) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.bitCount = bitCount;
  recipe.pixel = [bitCount](int x, int y) {
    return bitCount <= 8 ? static_cast<uint32_t>((x + y) % 4)
                         : 0xFF204080u + static_cast<uint32_t>(x);
  };
  return ts::MakeIconDib(recipe);
}

// 16 x 16 at 8 bits, 32 x 32 at 32 bits and a 256 x 256 PNG image.
ts::Bytes MixedIcon() {
  return ts::MakeIcoFile({Dib(16, 8), Dib(32, 32), ts::MakePng(256, 256, 0xFF3366CC)});
}

void ExpectSameFiles(const fs::path& ours, const fs::path& cli) {
  ASSERT_EQ(Listing(ours), Listing(cli));
  for (const std::string& name : Listing(ours))
    EXPECT_EQ(ts::ReadBytes(ours / name), ts::ReadBytes(cli / name)) << name;
}

using IconToolsTest = PagesTest;

struct SplitRow {
  const char* name;    // the icon file's, in a folder of its own
  const char* folder;  // the split's folder in the chosen one
  ts::Bytes icon;
  const char* blocked;  // a folder made at this file's place beforehand: it cannot be written
  std::vector<std::string> files;
  const char* question;  // the status line says the same, without "是否查看？"
};

TEST_F(IconToolsTest, SplitWritesEveryImageAndSaysWhatItCouldNot) {
  const ts::Bytes junk(40, 0x5A);
  const SplitRow rows[] = {
      {"App.ico",
       "app",
       MixedIcon(),
       "",
       {"3.png", "Par1.ico", "Par2.ico", "new.ico"},
       "分割完毕！并重新创建了一个新的图标。是否查看？"},
      {"App.ico",
       "app",
       ts::MakeIcoFile({Dib(16, 8), Dib(32, 4)}),
       "",
       {"Par1.ico", "Par2.ico"},
       "分割完毕！是否查看？"},
      {"App.ico",
       "app",
       ts::MakeIcoFile({Dib(16, 8), junk}),
       "",
       {"Par1.ico"},
       "分割完毕！跳过了1个无法识别的图像。是否查看？"},
      {"App.ico",
       "app",
       MixedIcon(),
       "Par2.ico",
       {"3.png", "Par1.ico", "Par2.ico"},
       "分割完毕！1个文件未能写入。是否查看？"},
      // A name whose stem is ".." stays inside the chosen folder.
      {"...ico",
       "...ico",
       MixedIcon(),
       "",
       {"3.png", "Par1.ico", "Par2.ico", "new.ico"},
       "分割完毕！并重新创建了一个新的图标。是否查看？"},
      // Not an icon: no image to write, so no folder to look at, and none is left behind.
      {"App.ico",
       "app",
       ts::Bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'c', 'o', 'n'},
       "",
       {},
       "分割图标失败！图标中没有可分割的图像。"},
  };
  int n = 0;
  for (const SplitRow& row : rows) {
    SCOPED_TRACE(row.question);
    const std::string at = std::to_string(++n);
    const fs::path icon = Write("icons" + at + "/" + row.name, row.icon);
    const fs::path target = Path("parts" + at);
    const fs::path folder = target / row.folder;
    if (*row.blocked) fs::create_directories(folder / row.blocked);
    Answer()
        .Then(DialogAnswer::Choose(icon.string()))
        .Then(DialogAnswer::Choose(target.string()))
        .Then(DialogAnswer::Press(win32::IDYES));
    const size_t asked = Asked().size();
    Click(unit::分割图标按钮);
    ASSERT_EQ(Asked().size(), asked + 3);
    EXPECT_EQ(Asked()[asked].filter, "图标文件|*.ico");
    EXPECT_EQ(Asked()[asked + 1].caption, "选择保存图标的位置");
    EXPECT_EQ(Asked()[asked + 1].flags & 0x4010u, 0x4010u);  // edit box, files listed
    EXPECT_EQ(Asked()[asked + 2].text, row.question);
    EXPECT_EQ(Caption(unit::标签1) + (row.files.empty() ? "" : "是否查看？"), row.question);
    EXPECT_EQ(Listing(folder), row.files);
    EXPECT_EQ(Listing(target), row.files.empty() ? std::vector<std::string>{}
                                                 : std::vector<std::string>{row.folder});
    if (row.files.empty() || *row.blocked) continue;
    EXPECT_EQ(ShellRequests().back().file, folder.string() + "/");
    RunCli({"split", icon.string(), "--out", Path("cli" + at).string()});
    ExpectSameFiles(folder, Path("cli" + at) / row.folder);
  }
}

TEST_F(IconToolsTest, RebuildWritesTheClassicImagesOfOneFile) {
  const fs::path icon = Write("mixed.ico", MixedIcon());
  const fs::path rebuilt = Path("out/classic.ico");
  fs::create_directories(Path("out"));
  Answer()
      .Then(DialogAnswer::Choose(icon.string()))
      .Then(DialogAnswer::Choose(rebuilt.string()))
      .Then(DialogAnswer::Press(win32::IDYES));
  Click(unit::提取图标按钮2);
  ASSERT_EQ(Asked().size(), 3u);
  EXPECT_EQ(Asked()[1].kind, DialogKind::Save);
  EXPECT_EQ(Asked()[1].filter, "图标文件|*.ico");
  EXPECT_EQ(Asked()[2].text, "重新创建图标完毕。是否查看？");
  ASSERT_EQ(ShellRequests().size(), 1u);
  EXPECT_EQ(ShellRequests()[0].file, Path("out").string());
  RunCli({"rebuild", icon.string(), "-o", Path("cli.ico").string()});
  EXPECT_EQ(ts::ReadBytes(rebuilt), ts::ReadBytes(Path("cli.ico")));
  EXPECT_EQ(ts::GetU16(ts::ReadBytes(rebuilt), 4), 2);

  // Nothing classic to keep: nothing is written and nothing asked.
  const fs::path png = Write("png.ico", ts::MakeIcoFile({ts::MakePng(256, 256, 0xFF00FF00)}));
  Answer()
      .Then(DialogAnswer::Choose(png.string()))
      .Then(DialogAnswer::Choose(Path("none.ico").string()));
  Click(unit::提取图标按钮2);
  EXPECT_EQ(Asked().size(), 5u);
  EXPECT_FALSE(fs::exists(Path("none.ico")));
  EXPECT_EQ(Caption(unit::标签1), "图标中没有可保留的图像，未写入文件。");

  // A rebuilt icon that cannot be written is not reported as done.
  Write("file", {1});
  Answer()
      .Then(DialogAnswer::Choose(icon.string()))
      .Then(DialogAnswer::Choose(Path("file/x.ico").string()));
  Click(unit::提取图标按钮2);
  EXPECT_EQ(Messages().back(), "重新创建图标失败！");
}

TEST_F(IconToolsTest, RebuildOfAFolderShowsProgressAndAsksAtTheEnd) {
  Write("icons/a.ico", MixedIcon());
  Write("icons/b.ico", ts::MakeIcoFile({Dib(32, 32), ts::MakePng(256, 256, 0xFF00FF00)}));
  Write("icons/png-only.ico", ts::MakeIcoFile({ts::MakePng(256, 256, 0xFF00FF00)}));
  Write("icons/notes.txt", {'x'});
  fs::create_directories(Path("classic"));
  std::string progress;
  bool buttonsDisabled = false;
  QTimer::singleShot(0, [&] {
    progress = Caption(unit::标签1);
    buttonsDisabled = Disabled(unit::提取图标按钮1) && Disabled(unit::分割图标按钮);
  });
  Answer()
      .Then(DialogAnswer::Choose(Path("icons").string()))
      .Then(DialogAnswer::Choose(Path("classic").string()))
      .Then(DialogAnswer::Press(win32::IDYES));
  Click(unit::提取图标按钮1);
  ASSERT_EQ(Asked().size(), 3u);
  EXPECT_EQ(Asked()[0].caption, "选择保存有图标的文件夹");
  EXPECT_EQ(Asked()[1].caption, "选择保存新图标的文件夹");
  EXPECT_EQ(Asked()[1].flags & 0x40u, 0x40u);  // the new style, with its new-folder button
  EXPECT_EQ(Asked()[2].text, "重新创建图标完毕。是否查看？");
  EXPECT_EQ(progress, "1/3");
  EXPECT_TRUE(buttonsDisabled);
  EXPECT_FALSE(Disabled(unit::提取图标按钮1));
  EXPECT_EQ(Caption(unit::标签1), "重新创建图标完毕。共写入2个图标。");
  EXPECT_EQ(Listing(Path("classic")), (std::vector<std::string>{"a.ico", "b.ico"}));
  ASSERT_EQ(ShellRequests().size(), 1u);
  RunCli({"rebuild-dir", Path("icons").string(), Path("cli").string()});
  ExpectSameFiles(Path("classic"), Path("cli"));
}

// Icons that could not be written are counted (folders stand at their places in the target).
TEST_F(IconToolsTest, RebuildOfAFolderSaysHowManyIconsFailed) {
  Write("icons/a.ico", MixedIcon());
  Write("icons/b.ico", ts::MakeIcoFile({Dib(32, 32)}));
  Write("icons/png-only.ico", ts::MakeIcoFile({ts::MakePng(256, 256, 0xFF00FF00)}));
  struct Row {
    std::vector<std::string> blocked;
    const char* message;
  };
  const Row rows[] = {
      {{"b.ico"}, "重新创建图标完毕，但3个图标中有1个未能写入。是否查看？"},
      {{"a.ico", "b.ico"}, "重新创建图标失败！3个图标中有2个未能写入。"},
  };
  int n = 0;
  for (const Row& row : rows) {
    const fs::path target = Path("target" + std::to_string(++n));
    for (const std::string& name : row.blocked)
      fs::create_directories(target / name);
    Answer()
        .Then(DialogAnswer::Choose(Path("icons").string()))
        .Then(DialogAnswer::Choose(target.string()))
        .Then(DialogAnswer::Press(win32::IDNO));
    Click(unit::提取图标按钮1);
    EXPECT_EQ(Messages().back(), row.message);
  }
  EXPECT_EQ(Asked().back().flags & 0xFFu, 0u);  // nothing written: nothing to look at
  EXPECT_EQ(Caption(unit::标签1), rows[1].message);
}

TEST_F(IconToolsTest, ClosingTheWindowDuringARebuildOfAFolderStopsIt) {
  for (const char* name : {"a.ico", "b.ico", "c.ico"})
    Write(std::string("icons/") + name, MixedIcon());
  fs::create_directories(Path("classic"));
  QWidget* window = platform::user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, 0, 0}));
  QTimer::singleShot(0, [window] { window->close(); });
  Answer()
      .Then(DialogAnswer::Choose(Path("icons").string()))
      .Then(DialogAnswer::Choose(Path("classic").string()));
  Click(unit::提取图标按钮1);
  EXPECT_EQ(Asked().size(), 2u);
  EXPECT_EQ(Listing(Path("classic")), std::vector<std::string>{"a.ico"});
}

TEST(ProgramFolderTest, TheProgramFolderServesOnlyWhereTheUserMayWrite) {
  ts::TempDir dir;
  const frame::Text folder = frame::Text::FromUtf8(dir.path().string());
  EXPECT_EQ(ui::WritableFolderOr(folder), folder);
  EXPECT_TRUE(fs::is_empty(dir.path()));  // the probe is gone
  ts::WriteBytes(dir / "file", {1});
  const frame::Text elsewhere =
      ui::WritableFolderOr(frame::Text::FromUtf8((dir / "file").string()));
  EXPECT_FALSE(elsewhere.empty());
  EXPECT_TRUE(elsewhere == icofile::SpecialFolder(39) || elsewhere == icofile::SpecialFolder(40));
}

}  // namespace
}  // namespace pages_test
