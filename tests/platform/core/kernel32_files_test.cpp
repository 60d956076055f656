#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/core/handles.h"
#include "platform/win32/kernel32.h"
#include "tests/support/fixtures.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

std::vector<uint8_t> Bytes(std::string_view s) {
  return {s.begin(), s.end()};
}

HANDLE Open(const fs::path& path, DWORD access, DWORD disposition) {
  return CreateFileA(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, 0);
}

TEST(CreateFileTest, DispositionsCreateOpenAndTruncate) {
  TempDir dir;
  const fs::path file = dir / "f";
  EXPECT_EQ(Open(file, GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

  HANDLE h = Open(file, GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(h, "hello", 5, &written, nullptr));
  EXPECT_EQ(written, 5u);
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(Open(file, GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);

  h = Open(file, GENERIC_READ, OPEN_ALWAYS);
  DWORD high = 7;
  EXPECT_EQ(GetFileSize(h, &high), 5u);
  EXPECT_EQ(high, 0u);
  char buffer[16] = {};
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &read, nullptr));  // a short read is no error
  EXPECT_EQ(std::string(buffer, read), "hello");
  EXPECT_FALSE(WriteFile(h, "x", 1, &written, nullptr));  // opened for reading only
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(CloseHandle(h));

  CloseHandle(Open(file, GENERIC_WRITE, TRUNCATE_EXISTING));
  EXPECT_EQ(fs::file_size(file), 0u);
  EXPECT_EQ(Open(file, GENERIC_READ, 99), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CreateFileTest, ReadOnlyFilesAndFoldersRefuseWriting) {
  TempDir dir;
  WriteBytes(dir / "ro", Bytes("keep"));
  fs::permissions(dir / "ro", fs::perms::owner_read);
  fs::create_directory(dir / "folder");
  for (DWORD disposition : {CREATE_ALWAYS, TRUNCATE_EXISTING, OPEN_EXISTING}) {
    EXPECT_EQ(Open(dir / "ro", GENERIC_WRITE, disposition), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  }
  EXPECT_EQ(ReadBytes(dir / "ro"), Bytes("keep"));
  HANDLE h = Open(dir / "ro", GENERIC_READ, OPEN_EXISTING);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_EQ(Open(dir / "folder", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFileA(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0),
            INVALID_HANDLE_VALUE);
}

TEST(FileHandleTest, NullStaleAndForeignHandlesAreRefused) {
  TempDir dir;
  WriteBytes(dir / "f", Bytes("x"));
  HANDLE stale = Open(dir / "f", GENERIC_READ, OPEN_EXISTING);
  ASSERT_TRUE(CloseHandle(stale));
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((dir / "*").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  char buffer[4];
  DWORD count = 9;
  for (HANDLE bad : {HANDLE{0}, INVALID_HANDLE_VALUE, stale, search}) {
    EXPECT_FALSE(ReadFile(bad, buffer, sizeof buffer, &count, nullptr)) << bad;
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(WriteFile(bad, buffer, sizeof buffer, &count, nullptr)) << bad;
    EXPECT_EQ(GetFileSize(bad, nullptr), INVALID_FILE_SIZE) << bad;
    EXPECT_FALSE(CloseHandle(bad)) << bad;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  }
  EXPECT_TRUE(FindClose(search));
}

TEST(MoveFileTest, ReplacesOnlyWhenAsked) {
  TempDir dir;
  WriteBytes(dir / "a", Bytes("A"));
  WriteBytes(dir / "b", Bytes("B"));
  EXPECT_FALSE(MoveFileExA((dir / "a").c_str(), (dir / "b").c_str(), 0));
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(MoveFileExA((dir / "a").c_str(), (dir / "b").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(ReadBytes(dir / "b"), Bytes("A"));
  EXPECT_FALSE(fs::exists(dir / "a"));
  EXPECT_TRUE(MoveFileExA((dir / "b").c_str(), (dir.path().string() + "\\c").c_str(), 0));
  EXPECT_EQ(ReadBytes(dir / "c"), Bytes("A"));

  WriteBytes(dir / "ro", Bytes("R"));
  fs::permissions(dir / "ro", fs::perms::owner_read);
  EXPECT_FALSE(MoveFileExA((dir / "c").c_str(), (dir / "ro").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(MoveFileExA((dir / "missing").c_str(), (dir / "d").c_str(), 0));
  EXPECT_FALSE(MoveFileExA(nullptr, (dir / "d").c_str(), 0));
}

TEST(ReplaceFileTest, TheReplacementTakesTheReplacedFilesPermissions) {
  TempDir dir;
  WriteBytes(dir / "old", Bytes("old"));
  fs::permissions(dir / "old",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  WriteBytes(dir / "new", Bytes("new"));
  EXPECT_FALSE(
      ReplaceFileA((dir / "old").c_str(), (dir / "new").c_str(), "backup", 0, nullptr, nullptr));
  EXPECT_TRUE(
      ReplaceFileA((dir / "old").c_str(), (dir / "new").c_str(), nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(ReadBytes(dir / "old"), Bytes("new"));
  EXPECT_EQ(fs::status(dir / "old").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  EXPECT_FALSE(fs::exists(dir / "new"));
  EXPECT_FALSE(
      ReplaceFileA((dir / "missing").c_str(), (dir / "old").c_str(), nullptr, 0, nullptr, nullptr));
}

TEST(FolderTest, TemporaryCurrentAndDriveRoots) {
  char buffer[MAX_PATH];
  const char* saved = getenv("TMPDIR");
  std::string savedValue = saved ? saved : "";
  setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(GetTempPathA(sizeof buffer, buffer), 9u);
  EXPECT_STREQ(buffer, "/var/tmp/");
  EXPECT_EQ(GetTempPathA(4, buffer), 10u);  // too small: the size it needs
  unsetenv("TMPDIR");
  GetTempPathA(sizeof buffer, buffer);
  EXPECT_STREQ(buffer, "/tmp/");
  if (saved) setenv("TMPDIR", savedValue.c_str(), 1);

  char drives[104];
  EXPECT_EQ(GetLogicalDriveStringsA(sizeof drives, drives), 2u);
  EXPECT_EQ(std::string(drives, 3), std::string("/\0\0", 3));
  EXPECT_EQ(GetLogicalDriveStringsA(2, drives), 3u);
  EXPECT_EQ(GetDriveTypeA("/"), DRIVE_FIXED);
  EXPECT_EQ(GetDriveTypeA("\\"), DRIVE_FIXED);
  EXPECT_EQ(GetDriveTypeA("C:\\"), DRIVE_NO_ROOT_DIR);
  EXPECT_EQ(GetDriveTypeA("/home/"), DRIVE_NO_ROOT_DIR);

  TempDir dir;
  char before[4096];
  ASSERT_GT(GetCurrentDirectoryA(sizeof before, before), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
  char now[4096];
  DWORD length = GetCurrentDirectoryA(sizeof now, now);
  EXPECT_EQ(std::string(now, length), fs::canonical(dir.path()).string());
  EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), length + 1);
  EXPECT_TRUE(SetCurrentDirectoryA(before));
  EXPECT_FALSE(SetCurrentDirectoryA((dir / "missing").c_str()));
}

}  // namespace
}  // namespace platform::kernel32
