#include "frame/services.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/win32/kernel32.h"
#include "tests/support/fixtures.h"

namespace frame {
namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::WriteBytes;

// A folder like a picture folder: files, a read-only file, hidden entries, sub-folders.
class FileSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"a.PNG", "b.txt", ".hidden.png", "ro.bmp"})
      WriteBytes(dir_ / file, {1});
    fs::permissions(dir_ / "ro.bmp", fs::perms::owner_read);
    for (const char* folder : {"x", "Old.pics", ".cfg"})
      fs::create_directory(dir_ / folder);
  }

  Text Pattern() const { return Text::FromUtf8((dir_.path() / "*.*").string()); }

  // Names from a search started with one rule and continued with another, as the program does.
  std::vector<std::string> Collect(int32_t startMask, bool startAll, int32_t nextMask,
                                   bool nextAll) {
    std::vector<std::string> names;
    uint32_t search = 0;
    for (Text name = FindFileEntry(Pattern(), startMask, startAll, search); !name.empty();
         name = FindFileEntry(Text(), nextMask, nextAll, search))
      names.push_back(name.bytes());
    EXPECT_EQ(search, 0u);  // the search closed itself at the end
    return names;
  }

  TempDir dir_;
};

TEST_F(FileSearchTest, AttributeMasksPickEntries) {
  using Names = std::vector<std::string>;
  // The folder pass: started with folder-or-archive, continued with folders only.
  EXPECT_EQ(Collect(0x30, false, 0x10, false), (Names{".", "..", ".cfg", "Old.pics", "x"}));
  // The picture pass: started with read-only, hidden, system or archive (the hidden folder
  // qualifies), continued with any entry that is not a folder.
  EXPECT_EQ(Collect(0x27, false, 0, true),
            (Names{".cfg", ".hidden.png", "a.PNG", "b.txt", "ro.bmp"}));
  EXPECT_EQ(Collect(0x01, false, 0x01, false), (Names{"ro.bmp"}));
  EXPECT_EQ(Collect(0x02, false, 0x02, false), (Names{".cfg", ".hidden.png"}));
  // Bits outside 0x37 are dropped; no entry here is without attributes.
  EXPECT_EQ(Collect(0x80, false, 0x80, false), Names{});
  EXPECT_EQ(Collect(0, true, 0, true), (Names{".hidden.png", "a.PNG", "b.txt", "ro.bmp"}));
}

TEST_F(FileSearchTest, ANewPatternClosesTheHeldSearch) {
  uint32_t search = 0;
  EXPECT_EQ(FindFileEntry(Pattern(), 0x10, false, search), Text("."));
  uint32_t first = search;
  EXPECT_EQ(FindFileEntry(Pattern(), 0x10, false, search), Text("."));
  EXPECT_NE(search, first);
  win32::WIN32_FIND_DATAA data;
  EXPECT_FALSE(platform::kernel32::FindNextFileA(first, &data));  // closed, and refused

  // A start that fails leaves no search, and the old one is closed too.
  uint32_t second = search;
  EXPECT_EQ(FindFileEntry(Text::FromUtf8((dir_ / "missing/*").string()), 0x10, false, search),
            Text());
  EXPECT_EQ(search, 0u);
  EXPECT_FALSE(platform::kernel32::FindNextFileA(second, &data));
}

TEST(FileSearchWithoutSearchTest, ContinuingNothingGivesTheEmptyText) {
  uint32_t search = 0;
  EXPECT_EQ(FindFileEntry(Text(), 0x30, false, search), Text());
  EXPECT_EQ(search, 0u);
  search = 0x12345;  // a stale or forged handle is refused, never used
  EXPECT_EQ(FindFileEntry(Text(), 0x30, false, search), Text());
  EXPECT_EQ(search, 0u);
  CloseFileSearch(0);
  CloseFileSearch(0x7FFFFFFF);
}

TEST(CleanupRoutineTest, RunsOnceEvenWhenCalledAgainFromInside) {
  int runs = 0;
  RegisterCleanupRoutine([&] { ++runs; });
  RegisterCleanupRoutine([&] {
    runs += 10;
    RunCleanupRoutine();  // a fatal error during clean-up reaches the shutdown again
  });
  RunCleanupRoutine();
  RunCleanupRoutine();
  EXPECT_EQ(runs, 10);  // the later registration replaced the first
}

}  // namespace
}  // namespace frame
