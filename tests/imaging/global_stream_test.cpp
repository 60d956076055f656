// Global memory blocks and the streams over them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/core/kernel32/global_memory.h"
#include "platform/core/ole32/stream.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/ole32.h"

namespace {

using namespace win32;
namespace k32 = platform::kernel32;
namespace ole = platform::ole32;

std::vector<uint8_t> ReadAll(ISTREAM stream) {
  uint64_t size = 0;
  ole::StreamSize(stream, &size);
  std::vector<uint8_t> bytes(size);
  ole::StreamSeek(stream, 0, ole::SeekOrigin::Set);
  size_t read = 0;
  ole::StreamRead(stream, bytes, &read);
  bytes.resize(read);
  return bytes;
}

TEST(GlobalMemory, FixedBlockKeepsItsPointerAndIsNotCounted) {
  HGLOBAL block = k32::GlobalAlloc(GMEM_FIXED, 16);
  ASSERT_NE(block, 0u);
  EXPECT_EQ(k32::GlobalSize(block), 16u);
  auto* first = static_cast<uint8_t*>(k32::GlobalLock(block));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(std::vector<uint8_t>(first, first + 16), std::vector<uint8_t>(16, 0));
  EXPECT_EQ(k32::GlobalLock(block), first);
  EXPECT_EQ(k32::GlobalUnlock(block), TRUE);
  EXPECT_FALSE(k32::ResizeGlobalBlock(block, 32));
  EXPECT_EQ(k32::GlobalFree(block), 0u);
}

TEST(GlobalMemory, MovableBlockCountsLocksAndGrowsOnlyWhenUnlocked) {
  HGLOBAL block = k32::GlobalAlloc(GMEM_MOVEABLE, 4);
  ASSERT_NE(block, 0u);
  EXPECT_EQ(k32::GlobalUnlock(block), FALSE);  // not locked
  ASSERT_NE(k32::GlobalLock(block), nullptr);
  ASSERT_NE(k32::GlobalLock(block), nullptr);
  EXPECT_FALSE(k32::ResizeGlobalBlock(block, 8));
  EXPECT_EQ(k32::GlobalUnlock(block), TRUE);   // still locked once
  EXPECT_EQ(k32::GlobalUnlock(block), FALSE);  // now unlocked
  EXPECT_TRUE(k32::ResizeGlobalBlock(block, 8));
  EXPECT_EQ(k32::GlobalSize(block), 8u);
  k32::GlobalFree(block);
}

TEST(GlobalMemory, EmptyMovableBlockCannotBeLockedButAnEmptyFixedOneCan) {
  HGLOBAL movable = k32::GlobalAlloc(GMEM_MOVEABLE, 0);
  HGLOBAL fixed = k32::GlobalAlloc(GMEM_FIXED, 0);
  EXPECT_EQ(k32::GlobalLock(movable), nullptr);
  EXPECT_NE(k32::GlobalLock(fixed), nullptr);
  k32::GlobalFree(movable);
  k32::GlobalFree(fixed);
}

TEST(GlobalMemory, InvalidHandlesGiveNullOrZeroAndFreeGivesThemBack) {
  HGLOBAL block = k32::GlobalAlloc(GMEM_MOVEABLE, 4);
  ASSERT_EQ(k32::GlobalFree(block), 0u);
  for (HGLOBAL bad : {HGLOBAL{0}, block, HGLOBAL{0x7FFFFFFF}}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(k32::GlobalFree(bad), bad);
    EXPECT_EQ(k32::GlobalLock(bad), nullptr);
    EXPECT_EQ(k32::GlobalUnlock(bad), FALSE);
    EXPECT_EQ(k32::GlobalSize(bad), 0u);
  }
  EXPECT_EQ(k32::GlobalAlloc(GMEM_MOVEABLE, k32::kGlobalBlockLimit + 1), 0u);
}

TEST(Stream, WritesGrowAMovableBlockAndReadsStopAtTheEnd) {
  ISTREAM stream = 0;
  ASSERT_EQ(ole::CreateStreamOnHGlobal(0, TRUE, &stream), ole::S_OK);
  const uint8_t hello[] = {'h', 'e', 'l', 'l', 'o'};
  ASSERT_EQ(ole::StreamWrite(stream, hello), ole::S_OK);
  // Past the end: the gap becomes zeros.
  ASSERT_EQ(ole::StreamSeek(stream, 2, ole::SeekOrigin::End), ole::S_OK);
  ASSERT_EQ(ole::StreamWrite(stream, hello), ole::S_OK);
  std::vector<uint8_t> expected = {'h', 'e', 'l', 'l', 'o', 0, 0, 'h', 'e', 'l', 'l', 'o'};
  EXPECT_EQ(ReadAll(stream), expected);
  EXPECT_EQ(k32::GlobalSize(ole::StreamMemory(stream)), expected.size());

  uint8_t buffer[8];
  size_t read = 99;
  ole::StreamSeek(stream, -3, ole::SeekOrigin::End);
  EXPECT_EQ(ole::StreamRead(stream, buffer, &read), ole::S_FALSE);
  EXPECT_EQ(read, 3u);
  EXPECT_EQ(ole::StreamRead(stream, buffer, &read), ole::S_FALSE);
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(ole::StreamSeek(stream, -1, ole::SeekOrigin::Set), ole::STG_E_INVALIDFUNCTION);
  EXPECT_EQ(ole::StreamRelease(stream), 0u);
}

TEST(Stream, AFixedBlockIsReadButNeverGrown) {
  HGLOBAL block = k32::GlobalAlloc(GMEM_FIXED, 3);
  std::memcpy(k32::GlobalLock(block), "abc", 3);
  ISTREAM stream = 0;
  ASSERT_EQ(ole::CreateStreamOnHGlobal(block, FALSE, &stream), ole::S_OK);
  EXPECT_EQ(ReadAll(stream), (std::vector<uint8_t>{'a', 'b', 'c'}));
  const uint8_t more[] = {'d'};
  EXPECT_EQ(ole::StreamWrite(stream, more), ole::STG_E_MEDIUMFULL);
  ole::StreamRelease(stream);
  EXPECT_EQ(k32::GlobalSize(block), 3u);  // not deleted on release
  EXPECT_EQ(k32::GlobalFree(block), 0u);
}

TEST(Stream, GrowingWaitsUntilTheProgramUnlocksTheBlock) {
  HGLOBAL block = k32::GlobalAlloc(GMEM_MOVEABLE, 1);
  ISTREAM stream = 0;
  ASSERT_EQ(ole::CreateStreamOnHGlobal(block, FALSE, &stream), ole::S_OK);
  void* held = k32::GlobalLock(block);
  const uint8_t two[] = {1, 2};
  EXPECT_EQ(ole::StreamWrite(stream, two), ole::STG_E_MEDIUMFULL);
  EXPECT_EQ(k32::GlobalLock(block), held);  // the program's pointer stayed valid
  k32::GlobalUnlock(block);
  k32::GlobalUnlock(block);
  EXPECT_EQ(ole::StreamWrite(stream, two), ole::S_OK);
  ole::StreamRelease(stream);
  k32::GlobalFree(block);
}

TEST(Stream, DeleteOnReleaseFreesTheBlockWithTheLastReference) {
  size_t blocks = k32::LiveGlobalBlocks();
  size_t streams = ole::LiveStreams();
  HGLOBAL block = k32::GlobalAlloc(GMEM_MOVEABLE, 0);
  ISTREAM stream = 0;
  ASSERT_EQ(ole::CreateStreamOnHGlobal(block, TRUE, &stream), ole::S_OK);
  EXPECT_EQ(ole::StreamAddRef(stream), 2u);
  EXPECT_EQ(platform::ole32::IStream_Release(stream), 1u);
  EXPECT_EQ(k32::GlobalSize(block), 0u);
  EXPECT_NE(ole::StreamMemory(stream), 0u);
  EXPECT_EQ(platform::ole32::IStream_Release(stream), 0u);
  EXPECT_EQ(k32::GlobalFree(block), block);  // already freed
  EXPECT_EQ(k32::LiveGlobalBlocks(), blocks);
  EXPECT_EQ(ole::LiveStreams(), streams);
}

TEST(Stream, InvalidArgumentsAndStaleStreamsFail) {
  ISTREAM stream = 0;
  EXPECT_EQ(ole::CreateStreamOnHGlobal(0, TRUE, nullptr), ole::E_INVALIDARG);
  EXPECT_EQ(ole::CreateStreamOnHGlobal(0x12345, TRUE, &stream), ole::E_INVALIDARG);
  EXPECT_EQ(stream, 0u);
  ASSERT_EQ(ole::CreateStreamOnHGlobal(0, TRUE, &stream), ole::S_OK);
  ole::StreamRelease(stream);
  uint8_t buffer[4];
  uint64_t size = 0;
  EXPECT_EQ(ole::StreamRead(stream, buffer, nullptr), ole::STG_E_INVALIDHANDLE);
  EXPECT_EQ(ole::StreamWrite(stream, buffer), ole::STG_E_INVALIDHANDLE);
  EXPECT_EQ(ole::StreamSeek(stream, 0, ole::SeekOrigin::Set), ole::STG_E_INVALIDHANDLE);
  EXPECT_EQ(ole::StreamSize(stream, &size), ole::STG_E_INVALIDHANDLE);
  EXPECT_EQ(ole::StreamRelease(stream), 0u);
}

TEST(Stream, AWriteBeyondTheSizeLimitFailsWithoutAllocating) {
  ISTREAM stream = 0;
  ASSERT_EQ(ole::CreateStreamOnHGlobal(0, TRUE, &stream), ole::S_OK);
  ASSERT_EQ(ole::StreamSeek(stream, int64_t(k32::kGlobalBlockLimit), ole::SeekOrigin::Set),
            ole::S_OK);
  const uint8_t one[] = {1};
  EXPECT_EQ(ole::StreamWrite(stream, one), ole::STG_E_MEDIUMFULL);
  EXPECT_EQ(ole::StreamSeek(stream, 1, ole::SeekOrigin::Current), ole::STG_E_INVALIDFUNCTION);
  ole::StreamRelease(stream);
}

}  // namespace
