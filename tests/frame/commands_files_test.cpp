#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "frame/commands.h"
#include "frame/literal.h"
#include "tests/support/fixtures.h"

namespace frame {
namespace {

using namespace literals;

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

Text PathText(const fs::path& path) {
  return Text::FromUtf8(path.string());
}

std::vector<uint8_t> Bytes(std::string_view s) {
  return {s.begin(), s.end()};
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// Lets writes beyond `bytes` fail with "file too large" while it lives, like a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

 private:
  rlimit saved_{};
};

TEST(ReadFileTest, ReadsWholeFilesAndGivesEmptyForTheRest) {
  TempDir dir;
  WriteBytes(dir / "图标 1.ico", Bytes("icon bytes"));
  WriteBytes(dir / "empty", {});
  fs::create_directory(dir / "folder");
  EXPECT_EQ(ReadFile(PathText(dir / "图标 1.ico")), ByteSet::FromString("icon bytes"));
  // Either separator works.
  EXPECT_EQ(ReadFile(PathText(dir.path()) + "\\图标 1.ico"_gbk), ByteSet::FromString("icon bytes"));
  EXPECT_EQ(ReadFile(PathText(dir / "missing")), ByteSet());
  EXPECT_EQ(ReadFile(PathText(dir / "empty")), ByteSet());
  EXPECT_EQ(ReadFile(PathText(dir / "folder")), ByteSet());
  EXPECT_EQ(ReadFile(Text()), ByteSet());
}

TEST(ReadFileTest, ANamedPipeNeverBlocks) {
  TempDir dir;
  ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(ReadFile(PathText(dir / "pipe")), ByteSet());
}

TEST(ReadFileDeathTest, AnUnreadableFileGivesTheEmptyByteSet) {
  TempDir dir;
  fs::permissions(dir.path(), fs::perms::all);
  WriteBytes(dir / "secret", Bytes("x"));
  WriteBytes(dir / "open", Bytes("x"));
  fs::permissions(dir / "secret", fs::perms::none);
  fs::permissions(dir / "open", fs::perms::all);
  Text secret = PathText(dir / "secret"), open = PathText(dir / "open");
  EXPECT_EXIT(
      {
        testing_support::DropPrivileges();
        std::_Exit(ReadFile(secret).empty() && !ReadFile(open).empty() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(WriteFileTest, WritesNonEmptyPartsInOrder) {
  TempDir dir;
  Text path = PathText(dir / "输出.ico");
  EXPECT_TRUE(WriteFile(path, ByteSet::FromString("ab"), ByteSet(), ByteSet::FromString("cd")));
  EXPECT_EQ(ReadBytes(dir / "输出.ico"), Bytes("abcd"));
  EXPECT_TRUE(WriteFile(path, ByteSet::FromString("x")));  // truncates
  EXPECT_EQ(ReadBytes(dir / "输出.ico"), Bytes("x"));
  EXPECT_TRUE(WriteFile(PathText(dir / "empty"), ByteSet()));
  EXPECT_TRUE(fs::exists(dir / "empty"));
  EXPECT_EQ(fs::file_size(dir / "empty"), 0u);
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"empty", "输出.ico"}));  // no leftovers
}

TEST(WriteFileTest, RefusesWhatCannotBeWritten) {
  TempDir dir;
  fs::create_directory(dir / "folder");
  WriteBytes(dir / "locked", Bytes("old"));
  fs::permissions(dir / "locked", fs::perms::owner_read);
  EXPECT_FALSE(WriteFile(Text(), ByteSet::FromString("x")));
  EXPECT_FALSE(WriteFile(PathText(dir / "no/such/folder/f"), ByteSet::FromString("x")));
  EXPECT_FALSE(WriteFile(PathText(dir / "folder"), ByteSet::FromString("x")));
  EXPECT_TRUE(fs::is_directory(dir / "folder"));
  // Read-only holds for every user, root included, as the attribute does.
  EXPECT_FALSE(WriteFile(PathText(dir / "locked"), ByteSet::FromString("new")));
  EXPECT_EQ(ReadBytes(dir / "locked"), Bytes("old"));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"folder", "locked"}));
}

TEST(WriteFileTest, AWriteFailingPartWayKeepsTheOldFile) {
  TempDir dir;
  WriteBytes(dir / "icon.ico", Bytes("the old icon"));
  ByteSet half(std::vector<uint8_t>(600, 'x'));
  {
    FileSizeLimit limit(1000);
    EXPECT_FALSE(WriteFile(PathText(dir / "icon.ico"), half, half));
  }
  EXPECT_EQ(ReadBytes(dir / "icon.ico"), Bytes("the old icon"));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"icon.ico"}));
}

TEST(WriteFileTest, ReplacingKeepsPermissionsAndLinks) {
  TempDir dir;
  WriteBytes(dir / "target", Bytes("old"));
  fs::permissions(dir / "target",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("target", dir / "link");
  EXPECT_TRUE(WriteFile(PathText(dir / "link"), ByteSet::FromString("new")));
  EXPECT_TRUE(fs::is_symlink(dir / "link"));
  EXPECT_EQ(ReadBytes(dir / "target"), Bytes("new"));
  EXPECT_EQ(fs::status(dir / "target").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(WriteFileDeathTest, AFolderWithoutWritePermissionLeavesTheOldFile) {
  TempDir dir;
  fs::permissions(dir.path(), fs::perms::all);
  fs::create_directory(dir / "shut");
  WriteBytes(dir / "shut/file", Bytes("old"));
  fs::permissions(dir / "shut/file", fs::perms::all);
  fs::permissions(dir / "shut", fs::perms::owner_read | fs::perms::owner_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
  Text path = PathText(dir / "shut/file"), elsewhere = PathText(dir / "other");
  // The file itself is writable, but no new file can be made beside it.
  EXPECT_EXIT(
      {
        testing_support::DropPrivileges();
        bool refused = !WriteFile(path, ByteSet::FromString("new"));
        std::_Exit(refused && WriteFile(elsewhere, ByteSet::FromString("new")) ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadBytes(dir / "shut/file"), Bytes("old"));
}

TEST(DeleteFileTest, DeletesFilesOnly) {
  TempDir dir;
  WriteBytes(dir / "a", Bytes("1"));
  WriteBytes(dir / "ro", Bytes("1"));
  fs::permissions(dir / "ro", fs::perms::owner_read);
  fs::create_directory(dir / "folder");
  EXPECT_TRUE(DeleteFile(PathText(dir / "a")));
  EXPECT_FALSE(fs::exists(dir / "a"));
  EXPECT_FALSE(DeleteFile(PathText(dir / "a")));
  EXPECT_FALSE(DeleteFile(PathText(dir / "ro")));
  EXPECT_FALSE(DeleteFile(PathText(dir / "folder")));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"folder", "ro"}));
}

TEST(FileExistsTest, SearchesWithWildcardsWithoutRegardToCase) {
  TempDir dir;
  WriteBytes(dir / "Picture.PNG", Bytes("1"));
  fs::create_directory(dir / "sub");
  Text folder = PathText(dir.path());
  struct Case {
    const char* name;
    bool exists;
  } cases[] = {
      {"/Picture.PNG", true}, {"/picture.png", true}, {"\\*.png", true}, {"/P?cture.*", true},
      {"/*.jpg", false},      {"/sub", true},         {"/", false},      {"\\", false},
      {"/missing", false},    {"/sub/", false},       {"/x/*", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FileExists(folder + Text(c.name)), c.exists) << c.name;
}

TEST(GetFileAttributesTest, GivesWindowsStyleBits) {
  TempDir dir;
  WriteBytes(dir / "plain", Bytes("1"));
  WriteBytes(dir / ".hidden", Bytes("1"));
  WriteBytes(dir / "ro", Bytes("1"));
  fs::permissions(dir / "ro", fs::perms::owner_read);
  fs::create_directory(dir / "folder");
  EXPECT_EQ(GetFileAttributes(PathText(dir / "plain")), 0x20);
  EXPECT_EQ(GetFileAttributes(PathText(dir / ".hidden")), 0x22);
  EXPECT_EQ(GetFileAttributes(PathText(dir / "ro")), 0x21);
  EXPECT_EQ(GetFileAttributes(PathText(dir / "folder")), 0x10);
  EXPECT_EQ(GetFileAttributes(PathText(dir / "folder") + Text("\\")), 0x10);
  EXPECT_EQ(GetFileAttributes(PathText(dir / "missing")), -1);
  EXPECT_EQ(GetFileAttributes(Text()), -1);
}

}  // namespace
}  // namespace frame
