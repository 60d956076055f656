#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/kernel32/internal.h"
#include "platform/text/gbk.h"
#include "platform/win32/kernel32.h"
#include "tests/support/fixtures.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteBytes;

std::vector<std::string> Search(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA(pattern.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return names;
  do
    names.push_back(text::GbkToUtf8(data.cFileName));
  while (FindNextFileA(h, &data));
  EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
  EXPECT_TRUE(FindClose(h));
  return names;
}

TEST(FilePatternTest, MatchesLikeWindows) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.*", "noextension", true},
      {"*.*", ".", true},
      {"*", "a.b.c", true},
      {"*.png", "A.PNG", true},
      {"*.png", "a.png.txt", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"a?c", "a图c", true},
      {"???", "图标", false},
      {"??", "图标", true},
      {"file.*", "file", true},
      {"file.*", "FILE.txt", true},
      {"*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
      {"", "x", false},
      {"**", "", true},
      {"x*", "", false},
      {"图*", "图标.ico", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MatchesFilePattern(text::Utf8ToGbk(c.pattern), text::Utf8ToGbk(c.name)), c.matches)
        << c.pattern << " " << c.name;
}

TEST(FindFileTest, ListsDotsFirstThenNamesWithoutRegardToCase) {
  TempDir dir;
  for (const char* name : {"b.png", "A.png", "c.PNG", "图标.png", "a.txt", "_x.png"})
    WriteBytes(dir / name, {1});
  fs::create_directory(dir / "Sub");
  std::string folder = dir.path().string();
  EXPECT_EQ(Search(folder + "/*"), (std::vector<std::string>{".", "..", "_x.png", "A.png", "a.txt",
                                                             "b.png", "c.PNG", "Sub", "图标.png"}));
  EXPECT_EQ(Search(folder + "\\*.png"),
            (std::vector<std::string>{"_x.png", "A.png", "b.png", "c.PNG", "图标.png"}));
  EXPECT_EQ(Search(folder + "/sub"), (std::vector<std::string>{"Sub"}));
  EXPECT_TRUE(Search(folder + "/").empty());
  EXPECT_TRUE(Search(folder + "/missing/*").empty());
}

TEST(FindFileTest, ReportsAttributesAndSizes) {
  TempDir dir;
  WriteBytes(dir / "data.bin", std::vector<uint8_t>(1234, 7));
  WriteBytes(dir / ".secret", {1});
  fs::create_directory(dir / "folder");
  fs::create_symlink("nowhere", dir / "dangling");
  struct Case {
    const char* name;
    DWORD attributes;
    DWORD size;
  } cases[] = {
      {"data.bin", 0x20, 1234}, {".secret", 0x22, 1}, {"folder", 0x10, 0}, {"dangling", 0x04, 0}};
  for (const Case& c : cases) {
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((dir / c.name).c_str(), &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << c.name;
    EXPECT_STREQ(data.cFileName, c.name);
    EXPECT_EQ(data.dwFileAttributes, c.attributes) << c.name;
    EXPECT_EQ(data.nFileSizeLow, c.size) << c.name;
    EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
    FindClose(h);
  }
}

TEST(FindFileTest, BadArgumentsAndHandlesAreRefused) {
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA(nullptr, &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFileA("/*", nullptr), INVALID_HANDLE_VALUE);
  HANDLE h = FindFirstFileA("/*", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FindNextFileA(h, nullptr));
  EXPECT_TRUE(FindClose(h));
  for (HANDLE bad : {HANDLE{0}, INVALID_HANDLE_VALUE, h, HANDLE{0x12345}}) {
    EXPECT_FALSE(FindNextFileA(bad, &data)) << bad;
    EXPECT_FALSE(FindClose(bad)) << bad;
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  }
}

}  // namespace
}  // namespace platform::kernel32
