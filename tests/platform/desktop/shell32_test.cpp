// The shell stand-in: what ShellExecuteA would open (recorded, never launched), the folder
// browser answered by the dialog responder, folder creation, file operations, special folders.
#include <QDir>

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "frame/literal.h"
#include "platform/desktop/test_seams.h"
#include "platform/win32/shell32.h"
#include "platform/win32/user32.h"
#include "tests/support/fixtures.h"

namespace platform::shell32 {
namespace {

using namespace win32;

using namespace frame::literals;
using seams::DialogAnswer;
using seams::ShellRequest;
using testing_support::TempDir;
namespace fs = std::filesystem;

std::string Gbk(const fs::path& path) {
  return frame::Text::FromUtf8(path.string()).bytes();
}

TEST(ShellExecuteTest, DecidesWhatToOpenAndRecordsIt) {
  TempDir dir;
  const fs::path file = dir / "图标.ico";
  testing_support::WriteBytes(file, {0});
  seams::ShellRecorder shell;
  const struct {
    std::string file, parameters;
    ShellRequest::Action action;
    std::string target;
  } rows[] = {
      {"https://pictolan.org/", "", ShellRequest::Action::Open, "https://pictolan.org/"},
      {"www.example.org", "", ShellRequest::Action::Open, "http://www.example.org"},
      {Gbk(file), "", ShellRequest::Action::Open, file.string()},
      {Gbk(dir.path()), "", ShellRequest::Action::Open, dir.path().string()},
      {"explorer.exe", "/select," + Gbk(file), ShellRequest::Action::ShowSelected, file.string()},
      {"C:\\Windows\\Explorer.EXE", Gbk(dir.path()), ShellRequest::Action::Open,
       dir.path().string()},
  };
  for (const auto& row : rows) {
    EXPECT_GT(
        ShellExecuteA(0, nullptr, row.file.c_str(), row.parameters.c_str(), nullptr, SW_SHOWNORMAL),
        32u)
        << row.file;
    ASSERT_FALSE(shell.requests().empty());
    EXPECT_EQ(shell.requests().back().action, row.action) << row.file;
    EXPECT_EQ(shell.requests().back().target, row.target) << row.file;
  }
  const size_t recorded = shell.requests().size();
  seams::ScriptedDialogs dialogs;
  EXPECT_EQ(ShellExecuteA(0, "open", Gbk(dir / "missing.ico").c_str(), nullptr, nullptr, 1), 2u);
  EXPECT_EQ(ShellExecuteA(0, "open", Gbk(dir / "no/such/a.ico").c_str(), nullptr, nullptr, 1), 3u);
  EXPECT_EQ(ShellExecuteA(0, "print", Gbk(file).c_str(), nullptr, nullptr, 1), 31u);
  EXPECT_EQ(ShellExecuteA(0, nullptr, "", nullptr, nullptr, 1), 2u);
  EXPECT_EQ(shell.requests().size(), recorded);  // failures launch nothing
  // A path that is not there is said, once each; a request the shell does not know is not.
  ASSERT_EQ(dialogs.requests().size(), 2u);
  EXPECT_EQ(dialogs.requests()[0].text, "“" + (dir / "missing.ico").string() + "”不存在！");
  EXPECT_EQ(dialogs.requests()[1].text, "“" + (dir / "no/such/a.ico").string() + "”不存在！");
}

TEST(ShellExecuteTest, RelativeNamesResolveAgainstTheFolderGiven) {
  TempDir dir;
  testing_support::WriteBytes(dir / "a.png", {0});
  seams::ShellRecorder shell;
  EXPECT_GT(ShellExecuteA(0, nullptr, "a.png", nullptr, Gbk(dir.path()).c_str(), 1), 32u);
  EXPECT_EQ(shell.requests().back().target, (dir / "a.png").string());
}

int SelectInitialFolder(HWND window, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) user32::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

TEST(FolderBrowserTest, TheCallbackSelectsTheInitialFolderAndTheAnswerBecomesAFolderId) {
  TempDir dir;
  const std::string start = Gbk(dir.path());
  seams::ScriptedDialogs dialogs;
  dialogs.Then(DialogAnswer::Choose((dir / "图片").string())).Then(DialogAnswer::Cancel());
  char display[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.pszDisplayName = display;
  info.lpszTitle = "选择文件夹"_gbk.c_str();
  info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_BROWSEINCLUDEFILES;
  info.lpfn = &SelectInitialFolder;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  const PIDLIST folder = SHBrowseForFolderA(&info);
  ASSERT_NE(folder, 0u);
  char path[MAX_PATH] = {};
  ASSERT_TRUE(SHGetPathFromIDListA(folder, path));
  EXPECT_EQ(frame::Text(path), frame::Text::FromUtf8((dir / "图片").string()));
  EXPECT_EQ(frame::Text(display), "图片"_gbk);
  ASSERT_EQ(dialogs.requests().size(), 1u);
  EXPECT_EQ(dialogs.requests()[0].kind, seams::DialogKind::Folder);
  EXPECT_EQ(dialogs.requests()[0].caption, "选择文件夹");
  EXPECT_EQ(dialogs.requests()[0].folder, dir.path().string());
  EXPECT_EQ(dialogs.requests()[0].flags, BIF_NEWDIALOGSTYLE | BIF_BROWSEINCLUDEFILES);

  EXPECT_EQ(SHBrowseForFolderA(&info), 0u);  // cancelled
  EXPECT_FALSE(SHGetPathFromIDListA(0, path));
  EXPECT_STREQ(path, "");
  EXPECT_EQ(SHBrowseForFolderA(nullptr), 0u);
}

TEST(CreateDirectoryTest, MakesEveryMissingLevel) {
  TempDir dir;
  const fs::path deep = dir / "一" / "二" / "三";
  EXPECT_EQ(SHCreateDirectoryExA(0, Gbk(deep).c_str(), nullptr), 0);
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_EQ(SHCreateDirectoryExA(0, Gbk(deep).c_str(), nullptr), 183);  // already there
  testing_support::WriteBytes(dir / "file", {1});
  EXPECT_EQ(SHCreateDirectoryExA(0, Gbk(dir / "file").c_str(), nullptr), 80);
  EXPECT_NE(SHCreateDirectoryExA(0, Gbk(dir / "file" / "sub").c_str(), nullptr), 0);
  EXPECT_EQ(SHCreateDirectoryExA(0, "relative/path", nullptr), 161);
  EXPECT_EQ(SHCreateDirectoryExA(0, "", nullptr), 161);
  EXPECT_EQ(SHCreateDirectoryExA(0, nullptr, nullptr), 161);
  // Backslashes separate as well.
  EXPECT_EQ(SHCreateDirectoryExA(0, (Gbk(dir.path()) + "\\x\\y").c_str(), nullptr), 0);
  EXPECT_TRUE(fs::is_directory(dir / "x" / "y"));
}

TEST(FileOperationTest, CopiesMovesAndDeletes) {
  TempDir dir;
  testing_support::WriteBytes(dir / "a.ico", {1, 2});
  fs::create_directory(dir / "out");
  const std::string from = Gbk(dir / "a.ico") + '\0';
  const std::string to = Gbk(dir / "out") + '\0';
  SHFILEOPSTRUCTA copy{0, FO_COPY, from.c_str(), to.c_str(), 0, FALSE, nullptr, nullptr};
  EXPECT_EQ(SHFileOperationA(&copy), 0);
  EXPECT_EQ(testing_support::ReadBytes(dir / "out" / "a.ico"), (std::vector<uint8_t>{1, 2}));
  const std::string renamed = Gbk(dir / "b.ico") + '\0';
  SHFILEOPSTRUCTA rename{0, FO_RENAME, from.c_str(), renamed.c_str(), 0, FALSE, nullptr, nullptr};
  EXPECT_EQ(SHFileOperationA(&rename), 0);
  EXPECT_TRUE(fs::exists(dir / "b.ico"));
  SHFILEOPSTRUCTA remove{0, FO_DELETE, renamed.c_str(), nullptr, 0, FALSE, nullptr, nullptr};
  EXPECT_EQ(SHFileOperationA(&remove), 0);
  EXPECT_FALSE(fs::exists(dir / "b.ico"));
  EXPECT_EQ(SHFileOperationA(&remove), 2);
  EXPECT_NE(SHFileOperationA(nullptr), 0);
}

TEST(SpecialFolderTest, KnownFoldersComeFromTheDesktopsUserFolders) {
  char path[MAX_PATH] = "x";
  EXPECT_TRUE(SHGetSpecialFolderPathA(0, path, 0x28, FALSE));  // the home folder
  EXPECT_EQ(std::string(path), frame::Text::FromUtf8(QDir::homePath().toStdString()).bytes());
  EXPECT_FALSE(SHGetSpecialFolderPathA(0, path, 0x7F, FALSE));
  EXPECT_STREQ(path, "");
  EXPECT_FALSE(SHGetSpecialFolderPathA(0, nullptr, 5, FALSE));
}

// A bare system lacks the desktop's user folders: they are then the home folder.
TEST(SpecialFolderTest, AMissingUserFolderIsTheHomeFolderUntilItExists) {
  TempDir home;
  const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string savedConfigText = savedConfig ? savedConfig : "";
  setenv("HOME", home.path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);  // no user-dirs.dirs there
  char path[MAX_PATH] = {};
  for (int folder : {CSIDL_DESKTOPDIRECTORY, CSIDL_MYPICTURES, CSIDL_PERSONAL}) {
    EXPECT_TRUE(SHGetSpecialFolderPathA(0, path, folder, FALSE)) << folder;
    EXPECT_EQ(std::string(path), Gbk(home.path())) << folder;
  }
  fs::create_directory(home / "Pictures");
  EXPECT_TRUE(SHGetSpecialFolderPathA(0, path, CSIDL_MYPICTURES, FALSE));
  EXPECT_EQ(std::string(path), Gbk(home / "Pictures"));
  EXPECT_TRUE(SHGetSpecialFolderPathA(0, path, CSIDL_PERSONAL, TRUE));  // asked to create it
  EXPECT_EQ(std::string(path), Gbk(home / "Documents"));
  EXPECT_TRUE(fs::is_directory(home / "Documents"));
  setenv("HOME", savedHome.c_str(), 1);
  if (savedConfig)
    setenv("XDG_CONFIG_HOME", savedConfigText.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace platform::shell32
