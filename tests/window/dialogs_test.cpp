// The dialogs and shell operations as the pages call them, answered by the dialog script and
// watched by the shell recorder: what each dialog is asked, and what each answer gives back.
#include "icofile/dialogs.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "frame/commands.h"
#include "frame/literal.h"
#include "platform/desktop/test_seams.h"
#include "platform/win32/comdlg32.h"
#include "platform/win32/shell32.h"
#include "platform/win32/user32.h"
#include "tests/support/fixtures.h"

namespace icofile {
namespace {

namespace fs = std::filesystem;
namespace ts = testing_support;
using frame::literals::operator""_gbk;
using platform::seams::DialogAnswer;
using platform::seams::DialogKind;

class DialogsTest : public testing::Test {
 protected:
  // The program's own window: titled, so the dialogs take it as their owner.
  void SetUp() override {
    owner_ = platform::user32::CreateWindowExA(0, "PictolanWindow", "Pictolan", 0, 0, 0, 523, 412,
                                               0, 0, 0, nullptr);
    ASSERT_NE(owner_, 0u);
  }
  void TearDown() override { platform::user32::DestroyWindow(owner_); }

  frame::Text Path(const std::string& name) const {
    return frame::Text::FromUtf8((dir_ / name).string());
  }
  std::string Native(const std::string& name) const { return (dir_ / name).string(); }

  win32::HWND owner_ = 0;
  ts::TempDir dir_;
  platform::seams::ScriptedDialogs dialogs_;
};

TEST_F(DialogsTest, OpenGivesOnlyAnExistingFile) {
  ts::WriteBytes(dir_ / "a.exe", {1});
  dialogs_.Then(DialogAnswer::Choose(Native("a.exe")))
      .Then(DialogAnswer::Choose(Native("typed.exe")))
      .Then(DialogAnswer::Cancel())
      .Then(DialogAnswer::Choose(Native("typed.exe")));
  FileDialogRequest request;
  request.filter = "全部文件|*.*|执行文件(exe)|*.exe"_gbk;
  EXPECT_EQ(AskOpenFile(request), Path("a.exe"));
  EXPECT_EQ(AskOpenFile(request), frame::Text()) << "a typed name of a missing file";
  EXPECT_EQ(AskOpenFile(request), frame::Text()) << "cancelled";
  EXPECT_EQ(AskOpenFile(request, false), Path("typed.exe"));

  ASSERT_EQ(dialogs_.requests().size(), 4u);
  const auto& asked = dialogs_.requests()[0];
  EXPECT_EQ(asked.kind, DialogKind::Open);
  EXPECT_EQ(asked.filter, "全部文件|*.*|执行文件(exe)|*.exe");
  EXPECT_EQ(asked.defaultExtension, "*.*");  // the first pattern
  EXPECT_EQ(asked.flags, win32::OFN_EXPLORER);
  EXPECT_EQ(asked.filterIndex, 0);
  EXPECT_EQ(asked.owner, owner_);
  EXPECT_EQ(asked.caption, "");
  EXPECT_EQ(asked.text, "");
}

TEST_F(DialogsTest, SaveAsksBeforeOverwritingAndNoGivesEmpty) {
  ts::WriteBytes(dir_ / "My.ICO", {1});
  dialogs_.Then(DialogAnswer::Choose(Native("My.ICO")))
      .Then(DialogAnswer::Press(win32::IDNO))
      .Then(DialogAnswer::Choose(Native("My.ICO")))
      .Then(DialogAnswer::Press(win32::IDYES))
      .Then(DialogAnswer::Choose(Native("new")))
      .Then(DialogAnswer::Choose(Native("My.ICO")));
  FileDialogRequest request;
  request.title = "保存图标"_gbk;
  request.filter = "图标亅文件|*.ico"_gbk;  // the second byte of 亅 is that of "|"
  request.initialFolder = frame::Text::FromUtf8(dir_.path().string());
  request.initialName = "图标1"_gbk;
  EXPECT_EQ(AskSaveFile(request), frame::Text());
  EXPECT_EQ(AskSaveFile(request), Path("My.ICO"));
  EXPECT_EQ(AskSaveFile(request), Path("new.ico")) << "a new file: no question";
  EXPECT_EQ(AskSaveFile(request, win32::OFN_EXPLORER, false), Path("My.ICO"));

  const auto& asked = dialogs_.requests();
  ASSERT_EQ(asked.size(), 6u);
  EXPECT_EQ(asked[0].kind, DialogKind::Save);
  EXPECT_EQ(asked[0].caption, "保存图标");
  EXPECT_EQ(asked[0].filter, "图标亅文件|*.ico");
  EXPECT_EQ(asked[0].defaultExtension, "*.ico");
  EXPECT_EQ(asked[0].folder, dir_.path().string());
  EXPECT_EQ(asked[0].text, "图标1");
  EXPECT_EQ(asked[0].flags, win32::OFN_EXPLORER);
  for (size_t i : {1, 3}) {
    EXPECT_EQ(asked[i].kind, DialogKind::Message);
    EXPECT_EQ(asked[i].text, "my.ico已经存在，是否覆盖？");
    EXPECT_EQ(asked[i].caption, "信息：");
    EXPECT_EQ(asked[i].flags, 68u);
    EXPECT_EQ(asked[i].owner, owner_);
  }
  EXPECT_EQ(asked[4].kind, DialogKind::Save);
}

TEST_F(DialogsTest, FolderBrowserSelectsTheInitialFolderAndGivesADisplayNameOnlyWhenAsked) {
  dialogs_.Then(DialogAnswer::Choose(Native("图片")))
      .Then(DialogAnswer::Choose("计算机"))  // a virtual folder: no path
      .Then(DialogAnswer::Choose("计算机"))
      .Then(DialogAnswer::Cancel());
  FolderBrowseRequest request;
  request.owner = owner_;
  request.title = "请选择图片目录"_gbk;
  request.initialFolder = frame::Text::FromUtf8(dir_.path().string());
  request.editBox = true;
  EXPECT_EQ(BrowseForFolder(request), Path("图片"));
  EXPECT_EQ(BrowseForFolder(request), frame::Text());
  request.displayNameWhenNoPath = true;
  request.newDialogStyle = request.includeFiles = true;
  EXPECT_EQ(BrowseForFolder(request), "计算机"_gbk);
  EXPECT_EQ(BrowseForFolder(request), frame::Text());

  const auto& asked = dialogs_.requests();
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0].kind, DialogKind::Folder);
  EXPECT_EQ(asked[0].caption, "请选择图片目录");
  EXPECT_EQ(asked[0].folder, dir_.path().string()) << "the initial folder is selected";
  EXPECT_EQ(asked[0].flags, win32::BIF_EDITBOX);
  EXPECT_EQ(asked[0].owner, owner_);
  EXPECT_EQ(asked[2].flags,
            win32::BIF_EDITBOX | win32::BIF_NEWDIALOGSTYLE | win32::BIF_BROWSEINCLUDEFILES);
}

TEST_F(DialogsTest, ShellShowsAFileSelectedWithItsPathUnquoted) {
  fs::create_directories(dir_ / "a b");
  ts::WriteBytes(dir_ / "a b" / "c d.ico", {1});
  platform::seams::ShellRecorder shell;
  EXPECT_TRUE(ShellOpen("explorer.exe"_gbk, "/select,"_gbk + Path("a b/c d.ico")));
  EXPECT_TRUE(ShellOpen(Path("a b")));
  EXPECT_FALSE(ShellOpen(Path("missing")));

  ASSERT_EQ(shell.requests().size(), 2u);
  const auto& shown = shell.requests()[0];
  EXPECT_EQ(shown.verb, "");
  EXPECT_EQ(shown.file, "explorer.exe");
  EXPECT_EQ(shown.parameters, "/select," + Native("a b/c d.ico"));
  EXPECT_EQ(shown.show, 1);
  EXPECT_EQ(shown.action, platform::seams::ShellRequest::Action::ShowSelected);
  EXPECT_EQ(shown.target, Native("a b/c d.ico"));
  EXPECT_EQ(shell.requests()[1].action, platform::seams::ShellRequest::Action::Open);
  EXPECT_EQ(shell.requests()[1].target, Native("a b"));
}

TEST_F(DialogsTest, FileSearchMasksAndTheTemporaryFolder) {
  fs::create_directory(dir_ / "sub");
  ts::WriteBytes(dir_ / "b.png", {1});
  const frame::Text pattern = Path("*.*");
  uint32_t search = 0;
  // Started with folder-or-archive, continued with folders only.
  EXPECT_EQ(FindFile(pattern, 0x30, search), "."_gbk);
  EXPECT_EQ(FindFile({}, 0x10, search), ".."_gbk);
  EXPECT_EQ(FindFile({}, 0x10, search), "sub"_gbk);
  EXPECT_EQ(FindFile({}, 0x10, search), frame::Text());
  EXPECT_EQ(search, 0u);
  EXPECT_EQ(FindFile(pattern, std::nullopt, search), "b.png"_gbk);  // no mask: files only
  EXPECT_EQ(FindFile({}, std::nullopt, search), frame::Text());

  EXPECT_EQ(SpecialFolder(1), TempFolder());
  EXPECT_EQ(frame::TextRight(TempFolder(), 1), "/"_gbk);
  EXPECT_EQ(SpecialFolder(0x7F), frame::Text());
}

}  // namespace
}  // namespace icofile
