#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/text/gbk.h"
#include "platform/win32/shlwapi.h"
#include "tests/support/fixtures.h"

namespace platform::shlwapi {
namespace {

using namespace win32;

std::string Gbk(const char* utf8) {
  return text::Utf8ToGbk(utf8);
}

TEST(PathFindTest, PointsIntoTheGivenString) {
  struct Case {
    const char* utf8;
    const char* name;       // what PathFindFileNameA points at
    const char* extension;  // what PathFindExtensionA points at
  } cases[] = {
      {"/a/b.ico", "b.ico", ".ico"},
      {"a\\b.c\\d", "d", ""},
      {"x\\a.b.ico", "a.b.ico", ".ico"},
      {"/a/b/", "b/", ""},
      {"/", "/", ""},
      {"", "", ""},
      {"name", "name", ""},
      {".hidden", ".hidden", ".hidden"},
      {"/a/file.na me", "file.na me", ""},
      {"/图片/乗\\x.PNG", "x.PNG", ".PNG"},
      {"dir/乗", "乗", ""},
  };
  for (const Case& c : cases) {
    std::string path = Gbk(c.utf8);
    char* name = PathFindFileNameA(path.c_str());
    char* extension = PathFindExtensionA(path.c_str());
    ASSERT_GE(name, path.c_str());
    ASSERT_LE(extension, path.c_str() + path.size());
    EXPECT_EQ(name, Gbk(c.name)) << c.utf8;
    EXPECT_EQ(extension, Gbk(c.extension)) << c.utf8;
  }
  EXPECT_EQ(PathFindFileNameA(nullptr), nullptr);
  EXPECT_EQ(PathFindExtensionA(nullptr), nullptr);
}

TEST(PathRemoveFileSpecTest, CutsTheLastComponent) {
  struct Case {
    const char* utf8;
    const char* rest;
    BOOL removed;
  } cases[] = {
      {"/a/b", "/a", TRUE},      {"/a/b/", "/a/b", TRUE}, {"/a", "/", TRUE},
      {"/", "/", FALSE},         {"a", "", TRUE},         {"", "", FALSE},
      {"c\\d\\e", "c\\d", TRUE}, {"图\\乗", "图", TRUE},  {"乗", "", TRUE},
  };
  for (const Case& c : cases) {
    std::string path = Gbk(c.utf8);
    EXPECT_EQ(PathRemoveFileSpecA(path.data()), c.removed) << c.utf8;
    EXPECT_STREQ(path.c_str(), Gbk(c.rest).c_str()) << c.utf8;
  }
  EXPECT_FALSE(PathRemoveFileSpecA(nullptr));
}

TEST(PathIsDirectoryTest, TellsFoldersFromFiles) {
  testing_support::TempDir dir;
  testing_support::WriteBytes(dir / "file", {1});
  std::string folder = dir.path().string();
  EXPECT_TRUE(PathIsDirectoryA(folder.c_str()));
  EXPECT_TRUE(PathIsDirectoryA((folder + "\\").c_str()));
  EXPECT_FALSE(PathIsDirectoryA((folder + "/file").c_str()));
  EXPECT_FALSE(PathIsDirectoryA((folder + "/missing").c_str()));
  EXPECT_FALSE(PathIsDirectoryA(nullptr));
}

}  // namespace
}  // namespace platform::shlwapi
