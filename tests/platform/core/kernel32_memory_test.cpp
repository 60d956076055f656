#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/win32/kernel32.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

TEST(VirtualMemoryTest, CommittedBlocksAreUsableUntilReleased) {
  auto* block = static_cast<uint8_t*>(VirtualAlloc(nullptr, 54, MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block[53], 0);  // fresh pages are zero
  std::memset(block, 0xAB, 54);
  EXPECT_FALSE(VirtualFree(block + 1, 0, MEM_RELEASE));  // only the base releases
  EXPECT_FALSE(VirtualFree(block, 54, MEM_RELEASE));     // with size 0
  EXPECT_TRUE(VirtualFree(block, 0, MEM_RELEASE));
  EXPECT_FALSE(VirtualFree(block, 0, MEM_RELEASE));  // already gone
}

TEST(VirtualMemoryTest, ReservedPagesAreCommittedOnRequest) {
  auto* base = static_cast<uint8_t*>(VirtualAlloc(nullptr, 3 * 4096, MEM_RESERVE, PAGE_READWRITE));
  ASSERT_NE(base, nullptr);
  auto* page =
      static_cast<uint8_t*>(VirtualAlloc(base + 4096 + 10, 20, MEM_COMMIT, PAGE_READWRITE));
  EXPECT_EQ(page, base + 4096);
  page[100] = 1;
  EXPECT_EQ(VirtualAlloc(base + 2 * 4096, 2 * 4096, MEM_COMMIT, PAGE_READWRITE), nullptr);
  EXPECT_TRUE(VirtualFree(base, 4096, MEM_DECOMMIT));
  EXPECT_TRUE(VirtualFree(base, 0, MEM_RELEASE));
}

TEST(VirtualMemoryTest, WildRequestsFailCleanly) {
  EXPECT_EQ(VirtualAlloc(nullptr, 0, MEM_COMMIT, PAGE_READWRITE), nullptr);
  EXPECT_EQ(VirtualAlloc(nullptr, SIZE_T{1} << 40, MEM_COMMIT, PAGE_READWRITE), nullptr);
  EXPECT_EQ(VirtualAlloc(nullptr, 64, MEM_COMMIT, 0x40 /* execute-read-write */), nullptr);
  EXPECT_EQ(VirtualAlloc(nullptr, 64, 0, PAGE_READWRITE), nullptr);
  int local = 0;
  EXPECT_EQ(VirtualAlloc(&local, 4, MEM_COMMIT, PAGE_READWRITE), nullptr);
  EXPECT_FALSE(VirtualFree(&local, 0, MEM_RELEASE));
  EXPECT_FALSE(VirtualFree(nullptr, 0, MEM_RELEASE));
  EXPECT_FALSE(VirtualFree(&local, 0, 0x1234));
}

TEST(CopyTest, MoveMemoryHandlesOverlapsAndNulls) {
  char text[] = "abcdef";
  RtlMoveMemory(text + 1, text, 4);
  EXPECT_STREQ(text, "aabcdf");
  RtlMoveMemory(nullptr, text, 4);
  RtlMoveMemory(text, nullptr, 4);
  RtlMoveMemory(text, "zz", 0);
  EXPECT_STREQ(text, "aabcdf");
}

TEST(CopyTest, LstrcpynCopiesAtMostOneLessThanTheCount) {
  char buffer[8];
  struct Case {
    int count;
    const char* expected;
  } cases[] = {{8, "abcdefg"}, {4, "abc"}, {1, ""}};
  for (const Case& c : cases) {
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(lstrcpyn(buffer, "abcdefghij", c.count), buffer);
    EXPECT_STREQ(buffer, c.expected);
  }
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(lstrcpyn(buffer, "abc", 0), buffer);  // nothing written, not even the terminator
  EXPECT_EQ(lstrcpyn(buffer, "abc", -5), buffer);
  EXPECT_EQ(buffer[0], 'x');
  EXPECT_EQ(lstrcpyn(nullptr, "abc", 4), nullptr);
  EXPECT_EQ(lstrcpyn(buffer, nullptr, 4), nullptr);
}

}  // namespace
}  // namespace platform::kernel32
