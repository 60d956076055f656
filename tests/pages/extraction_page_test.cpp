// The extraction page end to end: opening a source (label, strip, preview, proposed folder,
// buttons), choosing the icon, single and batch extraction in every format with their names,
// texts and bytes (the same bytes pictolan-cli writes), the source without icons, the folder
// icon and the output folder.
#include <QTimer>

#include <climits>
#include <map>
#include <set>

#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "icofile/dialogs.h"
#include "platform/desktop/user32/window_table.h"
#include "tests/pages/pages_fixture.h"
#include "tests/support/icon_images.h"
#include "tests/support/icoutils.h"
#include "tests/support/pe_writer.h"
#include "ui/program_folder.h"

namespace pages_test {
namespace {

namespace ts = testing_support;
namespace prop = frame::prop;
using seams::DialogAnswer;
using seams::DialogKind;

// The opaque colour of icon g; the top-left 4 x 4 corner of every icon is transparent.
QRgb IconColour(int g) {
  return qRgb((g * 37) & 0xFF, (200 - g * 11) & 0xFF, (g * 73 + 40) & 0xFF);
}

// Groups listed in `damaged` hold an image cut short after its header: no icon can be read.
ts::Bytes ModuleOf(int icons, std::set<int> damaged = {}) {
  ts::PeWriter writer;
  for (int g = 1; g <= icons; ++g) {
    ts::DibRecipe recipe;
    recipe.width = recipe.height = 32;
    const uint32_t colour = 0xFF000000u | IconColour(g);
    recipe.pixel = [colour](int x, int y) { return x < 4 && y < 4 ? 0u : colour; };
    ts::Bytes image = ts::MakeIconDib(recipe);
    if (damaged.count(g)) image.resize(48);
    writer.AddIconGroup(g, ts::MakeIcoFile({image}));
  }
  return writer.Build();
}

// The format list's positions and pictolan-cli's names for them.
constexpr const char* kCliFormat[] = {"bmp", "jpg", "gif", "tiff", "png", "ico", "bmp-transparent"};
enum Format { kBmp, kJpg, kGif, kTiff, kPng, kIco, kTransparentBmp };

class ExtractionPageTest : public PagesTest {
 protected:
  void Open(const fs::path& source) {
    Answer().Then(DialogAnswer::Choose(source.string()));
    Click(unit::提取图标按钮);
  }
  // Opens the source, then sets the output folder, the prefix, the number and the format.
  void Choose(const std::string& folder, const std::string& prefix, int index, int format) {
    SetContent(unit::保存路径编辑框, folder);
    SetContent(unit::文件前缀编辑框, prefix);
    SetContent(unit::编辑框2, std::to_string(index));
    ChooseItem(unit::格式组合框, format);
  }
  QRgb StripPixel(int x, int y) const {
    return Picture(unit::图标画板, prop::kDrawPanelPicture).pixel(x, y) & 0xFFFFFF;
  }
  QRgb PreviewPixel(int x, int y) const {
    return Picture(unit::图片框1, prop::kPicBoxPicture).pixel(x, y) & 0xFFFFFF;
  }
  static void ExpectSameFiles(const fs::path& ours, const fs::path& cli) {
    ASSERT_EQ(Listing(ours), Listing(cli));
    for (const std::string& name : Listing(ours))
      EXPECT_EQ(ts::ReadBytes(ours / name), ts::ReadBytes(cli / name)) << name;
  }
};

TEST_F(ExtractionPageTest, OpeningAModuleShowsItsIconsAndProposesAFolder) {
  fs::path module = Write("Three.DLL", ModuleOf(3));
  SetContent(unit::编辑框2, "7");
  ChooseItem(unit::格式组合框, kPng);
  frame::WriteText(kMainWindowId, unit::标签1, prop::kLabelCaption,
                   frame::Text::FromUtf8("保存PNG图片成功！序号：3"));
  Open(module);
  EXPECT_EQ(Caption(unit::标签1), "就绪");  // the last outcome was about another file

  ASSERT_EQ(Asked().size(), 1u);
  EXPECT_EQ(Asked()[0].kind, DialogKind::Open);
  EXPECT_EQ(Asked()[0].filter, "全部文件|*.*|执行文件(exe)|*.exe|DLL文件|*.dll|CPL文件|*.cpl");
  EXPECT_EQ(Caption(unit::提示标签), "‘three.dll’有3个图标。");
  EXPECT_EQ(Content(unit::保存路径编辑框), ui::OutputBaseFolder().ToUtf8() + "/PNG图像/three");
  EXPECT_EQ(Content(unit::编辑框2), "7");
  EXPECT_FALSE(Disabled(unit::提取按钮));
  EXPECT_FALSE(Disabled(unit::全部提取按钮));
  EXPECT_EQ(Property(unit::图标画板, prop::kWidth), 96);
  EXPECT_EQ(Picture(unit::图标画板, prop::kDrawPanelPicture).size(), QSize(96, 32));
  for (int i = 1; i <= 3; ++i) {
    const int x = 32 * (i - 1);
    EXPECT_EQ(StripPixel(x + 16, 16), IconColour(i) & 0xFFFFFF) << i;
    EXPECT_EQ(StripPixel(x + 1, 1), 0xFFFFFFu) << i;  // the transparent corner, on white
  }
  EXPECT_EQ(PreviewPixel(16, 16), IconColour(1) & 0xFFFFFF);  // icon 1 whatever the number
  EXPECT_EQ(PreviewPixel(1, 1), 0xFFFFFFu);

  Answer().Then(DialogAnswer::Cancel());  // a cancelled open changes nothing
  Click(unit::提取图标按钮);
  EXPECT_EQ(Caption(unit::提示标签), "‘three.dll’有3个图标。");
}

TEST_F(ExtractionPageTest, TheNumberFollowsTypingTheSpinAndTheStripWhichScrolls) {
  Open(Write("twenty.dll", ModuleOf(20)));
  SetContent(unit::编辑框2, "5");
  EXPECT_EQ(PreviewPixel(16, 16), IconColour(5) & 0xFFFFFF);
  SetContent(unit::编辑框2, "20");
  PressSpin(unit::调节器1, true);
  EXPECT_EQ(Content(unit::编辑框2), "1");
  PressSpin(unit::调节器1, false);
  EXPECT_EQ(Content(unit::编辑框2), "20");
  PressAt(unit::图标画板, 33, 5);
  EXPECT_EQ(Content(unit::编辑框2), "2");
  EXPECT_EQ(PreviewPixel(16, 16), IconColour(2) & 0xFFFFFF);
  PressAt(unit::图标画板, 31, 5);
  EXPECT_EQ(Content(unit::编辑框2), "1");
  SetContent(unit::编辑框2, "no number");  // index 0: no icon, the background alone
  EXPECT_EQ(PreviewPixel(16, 16), 0xFFFFFFu);

  // 640 pixels of strip in a 480-pixel frame: one step shows the end, never beyond it.
  PressSpin(unit::调节器2, false);
  EXPECT_EQ(Property(unit::图标画板, prop::kLeft), 480 - 640);
  PressSpin(unit::调节器2, false);
  EXPECT_EQ(Property(unit::图标画板, prop::kLeft), 480 - 640);
  PressSpin(unit::调节器2, true);
  EXPECT_EQ(Property(unit::图标画板, prop::kLeft), 0);
}

struct SingleRow {
  const char* module;  // m<count>.dll, or a .cpl
  int count, index, format;
  const char* prefix;
  const char* file;    // empty: nothing may be written
  const char* status;  // the status line afterwards
  uintmax_t size;      // 0: any
};

TEST_F(ExtractionPageTest, SingleExtractionNamesReportsAndWritesWhatTheCliWrites) {
  const SingleRow rows[] = {
      {"m3.dll", 3, 3, kBmp, "", "3.bmp", "保存BMP图片成功！序号：3", 4150},
      {"m12.dll", 12, 3, kPng, "", "03.png", "保存PNG图片成功！序号：03", 0},
      {"m120.dll", 120, 7, kPng, "ico_", "ico_007.png", "保存PNG图片成功！序号：007", 0},
      {"m1500.dll", 1500, 42, kIco, "", "0042.ico", "提取图标成功！序号：0042", 0},
      {"m12.dll", 12, 12, kJpg, "p", "p12.jpg", "保存JPG图片成功！序号：12", 0},
      {"m12.dll", 12, 1, kGif, "", "01.gif", "保存GIF图片成功！序号：01", 0},
      {"m12.dll", 12, 2, kTiff, "", "02.tiff", "保存TIFF图片成功！序号：02", 0},
      {"m12.dll", 12, 4, kTransparentBmp, "", "04.bmp", "保存BMP图片成功！序号：04", 4150},
      // A module whatever its name: a control panel's group is copied as any other.
      {"panel.cpl", 3, 2, kIco, "", "2.ico", "提取图标成功！序号：2", 0},
      // No icon comes back: nothing is written and the format's failure is said.
      {"m12.dll", 12, 0, kPng, "", "", "保存PNG图片失败！序号：00", 0},
      {"m12.dll", 12, 13, kIco, "", "", "提取图标失败！序号：13", 0},
      {"m12.dll", 12, -50, kBmp, "", "", "保存BMP图片失败！序号：0-50", 0},
      {"m12.dll", 12, -1, kIco, "", "", "提取图标失败！序号：0-1", 0},
      {"m12.dll", 12, -1, kPng, "", "", "保存PNG图片失败！序号：0-1", 0},
      {"m12.dll", 12, INT_MIN, kBmp, "", "", "保存BMP图片失败！序号：0-2147483648", 0},
  };
  std::map<std::string, fs::path> modules;
  int n = 0;
  for (const SingleRow& row : rows) {
    SCOPED_TRACE(row.status);
    fs::path& module = modules[row.module];
    if (module.empty()) module = Write(row.module, ModuleOf(row.count));
    Open(module);
    const fs::path out = Path("out" + std::to_string(++n));
    Choose(out.string(), row.prefix, row.index, row.format);
    Click(unit::提取按钮);
    EXPECT_EQ(Caption(unit::标签1), row.status);
    if (!*row.file) {
      EXPECT_TRUE(!fs::exists(out) || Listing(out).empty());
      continue;
    }
    ASSERT_EQ(Listing(out), std::vector<std::string>{row.file});
    if (row.size) {
      EXPECT_EQ(fs::file_size(out / row.file), row.size);
    }
    if (row.index < 1) continue;  // pictolan-cli takes no such index
    const fs::path cli = Path("cli" + std::to_string(n));
    RunCli({"extract", module.string(), "--index", std::to_string(row.index), "--format",
            kCliFormat[row.format], "--prefix", row.prefix, "--out", cli.string()});
    ExpectSameFiles(out, cli);
  }
  EXPECT_TRUE(Messages().empty());  // a source with icons reports on the status line only
}

TEST_F(ExtractionPageTest, ExtractAllFillsAFreshFolderEachTimeAndOffersToOpenIt) {
  fs::path module = Write("twelve.dll", ModuleOf(12));
  Open(module);
  SetContent(unit::文件前缀编辑框, "p");
  ChooseItem(unit::格式组合框, kPng);
  const fs::path out = Path("out");
  SetContent(unit::保存路径编辑框, out.string());
  // What the window shows while the batch runs, seen from its first pass through the loop.
  // What the window shows while the batch runs, seen from its first pass through the loop: the
  // buttons, and the format, prefix and folder the batch read once, are disabled.
  std::string progress;
  bool unitsDisabled = false;
  QTimer::singleShot(0, [&] {
    progress = Caption(unit::标签1);
    unitsDisabled = Disabled(unit::全部提取按钮) && Disabled(unit::提取图标按钮) &&
                    Disabled(unit::提取图标按钮1) && Disabled(unit::打开按钮2) &&
                    Disabled(unit::格式组合框) && Disabled(unit::文件前缀编辑框) &&
                    Disabled(unit::保存路径编辑框);
  });
  Answer()
      .Then(DialogAnswer::Press(win32::IDYES))
      .Then(DialogAnswer::Press(win32::IDNO))
      .Then(DialogAnswer::Press(win32::IDNO));
  for (int run = 0; run < 3; ++run)
    Click(unit::全部提取按钮);

  EXPECT_EQ(progress, "1/12");
  EXPECT_TRUE(unitsDisabled);
  for (int32_t enabled : {unit::全部提取按钮, unit::提取图标按钮, unit::格式组合框,
                          unit::文件前缀编辑框, unit::保存路径编辑框})
    EXPECT_FALSE(Disabled(enabled)) << enabled;
  EXPECT_EQ(Caption(unit::标签1), "提取完毕！共保存12个文件。");
  std::vector<std::string> expected;
  for (int i = 1; i <= 12; ++i)
    expected.push_back((i < 10 ? "p0" : "p") + std::to_string(i) + ".png");
  EXPECT_EQ(Listing(out), expected);
  EXPECT_EQ(Listing(Path("out(1)")), expected);
  EXPECT_EQ(Listing(Path("out(2)")), expected);
  EXPECT_EQ(Content(unit::保存路径编辑框), out.string());
  ASSERT_EQ(Messages().size(), 3u);
  EXPECT_EQ(Messages()[0], "提取完毕！是否打开文件夹查看文件？");
  EXPECT_EQ(Asked()[1].flags & 0xFFu, 36u);
  ASSERT_EQ(ShellRequests().size(), 1u);
  EXPECT_EQ(ShellRequests()[0].file, out.string());

  RunCli({"extract", module.string(), "--all", "--format", "png", "--prefix", "p", "--out",
          Path("cli").string()});
  ExpectSameFiles(out, Path("cli"));
}

// Icons whose picture cannot be saved are counted; a batch that saved none asks nothing and
// leaves no folder behind.
TEST_F(ExtractionPageTest, ExtractAllSaysHowManyIconsWereNotSaved) {
  struct Row {
    std::set<int> damaged;
    std::vector<std::string> files;
    const char* status;
    const char* message;
  };
  const Row rows[] = {
      {{2},
       {"1.png", "3.png"},
       "提取完毕！3个图标中有1个未能保存。",
       "提取完毕！3个图标中有1个未能保存。是否打开文件夹查看文件？"},
      {{1, 2, 3},
       {},
       "保存PNG图片失败！3个图标都未能保存。",
       "保存PNG图片失败！3个图标都未能保存。"},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.status);
    Open(Write("damaged" + std::to_string(++n) + ".dll", ModuleOf(3, row.damaged)));
    const fs::path out = Path("out" + std::to_string(n)) / "made";
    Choose(out.string(), "", 1, kPng);
    Answer().Then(DialogAnswer::Press(win32::IDNO));
    Click(unit::全部提取按钮);
    EXPECT_EQ(Caption(unit::标签1), row.status);
    EXPECT_EQ(Messages().back(), row.message);
    EXPECT_EQ(Listing(out), row.files);
    EXPECT_EQ(fs::exists(out.parent_path()), !row.files.empty()) << "made for the batch";
  }
  EXPECT_EQ(Asked().back().flags & 0xFFu, 0u);  // nothing to look at: a plain message
}

// The user may close the window while the batch lets it run: the batch stops after the icon it
// is saving, touches no unit that is gone, and asks nothing.
TEST_F(ExtractionPageTest, ClosingTheWindowDuringABatchStopsIt) {
  Open(Write("five.dll", ModuleOf(5)));
  SetContent(unit::保存路径编辑框, Path("out").string());
  QWidget* window = platform::user32::WidgetOf(frame::GetUnitHandle({kMainWindowId, 0, 0}));
  QTimer::singleShot(0, [window] { window->close(); });
  const size_t asked = Asked().size();
  Click(unit::全部提取按钮);
  EXPECT_EQ(Asked().size(), asked);
  EXPECT_EQ(Listing(Path("out")), std::vector<std::string>{"1.ico"});
}

// Real modules and icon files nobody here wrote: every icon of each, as the CLI writes them.
TEST_F(ExtractionPageTest, ExtractAllOfRealFilesWritesWhatTheCliWrites) {
  // A PE32 and a PE32+ stub, the uninstaller stub (an icon file), a stub without extension (a
  // module by its content all the same) and three icon files.
  std::vector<fs::path> sources;
  for (const char* stub : {"zlib-x86-ansi", "lzma-amd64-unicode", "uninst"})
    sources.push_back(
        Write(std::string(stub) + ".exe", ts::ReadBytes(ts::NsisRoot() / "Stubs" / stub)));
  sources.push_back(ts::NsisRoot() / "Stubs" / "bzip2-x86-unicode");
  const std::vector<fs::path> icons = ts::NsisIcons();
  ASSERT_GE(icons.size(), 3u);
  sources.insert(sources.end(), icons.begin(), icons.begin() + 3);
  int n = 0;
  for (const fs::path& source : sources) {
    SCOPED_TRACE(source.string());
    Open(source);
    ++n;
    const ts::Bytes head = ts::ReadBytes(source);
    if (ts::HaveIcoutils() && head.at(0) == 'M' && head.at(1) == 'Z') {
      EXPECT_EQ(Caption(unit::提示标签), "‘" + source.filename().string() + "’有" +
                                             std::to_string(ts::WrestoolGroupNames(source).size()) +
                                             "个图标。");
    }
    const fs::path out = Path("out" + std::to_string(n));
    Choose(out.string(), "", 1, kIco);
    Answer().Then(DialogAnswer::Press(win32::IDNO));
    Click(unit::全部提取按钮);
    EXPECT_EQ(Caption(unit::标签1).find("根据句柄创建"), std::string::npos) << "every group copied";
    const fs::path cli = Path("cli" + std::to_string(n));
    RunCli({"extract", source.string(), "--all", "--out", cli.string()});
    ExpectSameFiles(out, cli);
  }
}

TEST_F(ExtractionPageTest, ASourceWithoutIconsOffersItsAssociatedIcon) {
  fs::path text = Write("Notes.TXT", {'h', 'i', '\n'});
  Open(text);
  EXPECT_EQ(Caption(unit::提示标签), "‘notes.txt’中没有图标！可提取其关联文件图标。");
  EXPECT_TRUE(Disabled(unit::全部提取按钮));
  EXPECT_FALSE(Disabled(unit::提取按钮));
  EXPECT_EQ(Property(unit::图标画板, prop::kWidth), 32);
  EXPECT_FALSE(Picture(unit::图片框1, prop::kPicBoxPicture).isNull());
  PressSpin(unit::调节器1, true);
  EXPECT_EQ(Content(unit::编辑框2), "1");

  ChooseItem(unit::格式组合框, kJpg);
  Answer().Then(DialogAnswer::Choose(Path("assoc").string()));
  Click(unit::提取按钮);
  const seams::DialogRequest& save =
      Asked().back().kind == DialogKind::Message ? Asked()[Asked().size() - 2] : Asked().back();
  EXPECT_EQ(save.kind, DialogKind::Save);
  EXPECT_EQ(save.filter, "JPG图像|*.jpg");
  EXPECT_EQ(save.defaultExtension, "*.jpg");
  EXPECT_EQ(Messages().back(), "保存JPG图片成功！");
  EXPECT_EQ(ts::ReadBytes(Path("assoc.jpg")).at(0), 0xFF);

  ChooseItem(unit::格式组合框, kIco);
  Answer().Then(DialogAnswer::Choose(Path("assoc.ico").string()));
  Click(unit::提取按钮);
  EXPECT_EQ(Messages().back(), "提取图标成功！");
  EXPECT_EQ(fs::file_size(Path("assoc.ico")), 4286u);

  const size_t asked = Asked().size();
  Answer().Then(DialogAnswer::Cancel());
  Click(unit::提取按钮);
  EXPECT_EQ(Asked().size(), asked + 1);  // the dialog, and no message after it
}

TEST_F(ExtractionPageTest, TheFolderIconIsSavedWhereTheUserSays) {
  fs::create_directories(Path("folder"));
  const fs::path saved = Path("folder.ico");
  Answer()
      .Then(DialogAnswer::Choose(Path("folder").string()))
      .Then(DialogAnswer::Choose(saved.string()))
      .Then(DialogAnswer::Press(win32::IDYES));
  Click(unit::取文件夹图标按钮);
  ASSERT_EQ(Asked().size(), 3u);
  EXPECT_EQ(Asked()[0].kind, DialogKind::Folder);
  EXPECT_EQ(Asked()[1].filter, "图标文件|*.ico");
  EXPECT_EQ(Asked()[1].folder, ui::OutputBaseFolder().ToUtf8());
  EXPECT_EQ(Asked()[2].text, "提取图标成功！是否打开文件所在目录?");
  EXPECT_EQ(Asked()[2].flags & 0xFFu, 68u);
  EXPECT_EQ(fs::file_size(saved), 4286u);
  ASSERT_EQ(ShellRequests().size(), 1u);
  EXPECT_EQ(ShellRequests()[0].file, "explorer.exe");
  EXPECT_EQ(ShellRequests()[0].parameters, "/select," + saved.string());

  Answer().Then(DialogAnswer::Cancel());  // no folder: nothing more is asked
  Click(unit::取文件夹图标按钮);
  EXPECT_EQ(Asked().size(), 4u);
}

TEST_F(ExtractionPageTest, TheOutputFolderIsChosenOpenedAndNeverTheRoot) {
  fs::create_directories(Path("chosen"));
  Answer().Then(DialogAnswer::Choose(Path("chosen").string()));
  Click(unit::浏览按钮1);
  EXPECT_EQ(Content(unit::保存路径编辑框), Path("chosen").string());
  EXPECT_EQ(Asked().back().flags & 0x4040u, 0x4040u);  // new style, files listed
  Click(unit::打开按钮2);
  ASSERT_EQ(ShellRequests().size(), 1u);
  EXPECT_EQ(ShellRequests()[0].file, Path("chosen").string());
  // A cancel keeps the folder; so does a folder whose path is too long for the platform.
  Answer().Then(DialogAnswer::Cancel());
  Click(unit::浏览按钮1);
  EXPECT_EQ(Content(unit::保存路径编辑框), Path("chosen").string());
  const fs::path deep = Path(std::string(120, 'a')) / std::string(120, 'b') / std::string(30, 'c');
  fs::create_directories(deep);
  ASSERT_GE(deep.string().size(), 260u);
  Answer().Then(DialogAnswer::Choose(deep.string()));
  Click(unit::浏览按钮1);
  EXPECT_EQ(Messages().back().rfind("路径太长（最多 259 字节），无法使用：", 0), 0u);
  EXPECT_EQ(Content(unit::保存路径编辑框), Path("chosen").string());

  // An empty folder becomes the proposed one, in the program's writable folder.
  fs::path module = Write("pages-empty-folder-case.dll", ModuleOf(2));
  Open(module);
  Choose("", "", 2, kPng);
  Click(unit::提取按钮);
  const fs::path proposed =
      fs::path(ui::OutputBaseFolder().ToUtf8()) / "PNG图像" / "pages-empty-folder-case";
  EXPECT_EQ(Content(unit::保存路径编辑框), proposed.string());
  EXPECT_EQ(Caption(unit::标签1), "保存PNG图片成功！序号：2");
  EXPECT_TRUE(fs::exists(proposed / "2.png"));
  fs::remove_all(proposed);

  // A folder that cannot be made is a failure, and nothing is offered to open.
  Write("file", {1});
  Choose(Path("file/sub").string(), "", 1, kPng);
  Click(unit::提取按钮);
  EXPECT_EQ(Caption(unit::标签1), "保存PNG图片失败！序号：1");
  const size_t asked = Asked().size();
  Click(unit::全部提取按钮);
  EXPECT_EQ(Caption(unit::标签1), "保存PNG图片失败！");
  EXPECT_EQ(Asked().size(), asked);
}

// Names outside GBK (characters it lacks, a byte that is not UTF-8) through every operation of
// the page: what is written has the names the user chose and the bytes pictolan-cli writes.
TEST_F(ExtractionPageTest, NamesOutsideGbkAreReadAndWrittenAsTheyAre) {
  const std::string folder = "Grüße 😀/";
  const fs::path module = Write(folder + "ßhell.dll", ModuleOf(3));
  Open(module);
  EXPECT_EQ(Caption(unit::提示标签), "‘ßhell.dll’有3个图标。");
  SetContent(unit::保存路径编辑框, Path(folder + "ßhell").string());
  ChooseItem(unit::格式组合框, kPng);
  Answer().Then(DialogAnswer::Press(win32::IDNO)).Then(DialogAnswer::Press(win32::IDNO));
  Click(unit::全部提取按钮);
  Click(unit::全部提取按钮);
  RunCli({"extract", module.string(), "--all", "--format", "png", "--out", Path("cli").string()});
  ExpectSameFiles(Path(folder + "ßhell"), Path("cli"));
  ExpectSameFiles(Path(folder + "ßhell(1)"), Path("cli"));

  // A folder chosen in the browser, shown in the output box and read back from it: a "\\" in
  // its name stays a character, a path too long for the program is refused with a message.
  fs::create_directories(Path(folder + "back\\slash"));
  Answer().Then(DialogAnswer::Choose(Path(folder + "back\\slash").string()));
  Click(unit::浏览按钮1);
  EXPECT_EQ(Content(unit::保存路径编辑框), Path(folder + "back\\slash").string());
  Choose(Content(unit::保存路径编辑框), "", 2, kPng);
  Click(unit::提取按钮);
  EXPECT_EQ(Listing(Path(folder + "back\\slash")), std::vector<std::string>{"2.png"});
  fs::create_directories(Path(std::string(250, 'x')));
  Answer().Then(DialogAnswer::Choose(Path(std::string(250, 'x')).string()));
  Click(unit::浏览按钮1);
  EXPECT_EQ(Messages().back().rfind("路径太长", 0), 0u) << Messages().back();

  // Split, rebuild of a file and of a folder, the folder icon.
  ts::DibRecipe small;
  small.width = small.height = 16;
  small.pixel = [](int x, int) { return 0xFF000000u + static_cast<uint32_t>(x) * 0x0F0F0F; };
  const ts::Bytes iconBytes =
      ts::MakeIcoFile({ts::MakePng(256, 256, 0xFF3366CC), ts::MakeIconDib(small)});
  const fs::path icon = Write(folder + "ñ\\x\xFF.ico", iconBytes);
  Answer()
      .Then(DialogAnswer::Choose(icon.string()))
      .Then(DialogAnswer::Choose(Path(folder).string()))
      .Then(DialogAnswer::Press(win32::IDNO));
  Click(unit::分割图标按钮);
  RunCli({"split", icon.string(), "--out", Path("cli-split").string()});
  const std::string parts = icon.stem().string();  // lower case already
  ExpectSameFiles(Path(folder + parts), Path("cli-split") / parts);
  EXPECT_FALSE(Listing(Path(folder + parts)).empty());

  Answer()
      .Then(DialogAnswer::Choose(icon.string()))
      .Then(DialogAnswer::Choose(Path(folder + "classic ß.ico").string()))
      .Then(DialogAnswer::Press(win32::IDNO));
  Click(unit::提取图标按钮2);
  RunCli({"rebuild", icon.string(), "-o", Path("cli.ico").string()});
  EXPECT_EQ(ts::ReadBytes(Path(folder + "classic ß.ico")), ts::ReadBytes(Path("cli.ico")));

  fs::create_directories(Path(folder + "classic é"));
  Write(folder + "icons é/" + icon.filename().string(), iconBytes);
  Answer()
      .Then(DialogAnswer::Choose(Path(folder + "icons é").string()))
      .Then(DialogAnswer::Choose(Path(folder + "classic é").string()))
      .Then(DialogAnswer::Press(win32::IDNO));
  Click(unit::提取图标按钮1);
  RunCli({"rebuild-dir", Path(folder + "icons é").string(), Path("cli-dir").string()});
  ExpectSameFiles(Path(folder + "classic é"), Path("cli-dir"));
  EXPECT_EQ(Listing(Path("cli-dir")), std::vector<std::string>{icon.filename().string()});

  Answer()
      .Then(DialogAnswer::Choose(Path(folder).string()))
      .Then(DialogAnswer::Choose(Path(folder + "folder ü.ico").string()))
      .Then(DialogAnswer::Press(win32::IDNO));
  Click(unit::取文件夹图标按钮);
  EXPECT_EQ(fs::file_size(Path(folder + "folder ü.ico")), 4286u);

  for (const auto& entry : fs::recursive_directory_iterator(dir_.path()))
    EXPECT_EQ(entry.path().filename().string().find('?'), std::string::npos) << entry.path();
}

}  // namespace
}  // namespace pages_test
