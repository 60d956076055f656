#include <string>

#include <gtest/gtest.h>

#include "platform/win32/kernel32.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

const char kGbk[] = "\xCD\xBC\xB1\xEA.ico";  // 图标.ico

TEST(MultiByteToWideCharTest, QueriesSizesAndCountsTheTerminatorForMinusOne) {
  for (UINT codePage : {CP_ACP, CP_GBK}) {
    EXPECT_EQ(MultiByteToWideChar(codePage, 0, kGbk, -1, nullptr, 0), 7);  // 6 + terminator
    EXPECT_EQ(MultiByteToWideChar(codePage, 0, kGbk, 4, nullptr, 0), 2);
    WCHAR wide[8];
    ASSERT_EQ(MultiByteToWideChar(codePage, 0, kGbk, -1, wide, 8), 7);
    EXPECT_EQ(std::u16string(wide), u"图标.ico");
    EXPECT_EQ(MultiByteToWideChar(codePage, 0, kGbk, -1, wide, 6), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  }
  WCHAR wide[8];
  ASSERT_EQ(MultiByteToWideChar(CP_UTF8, 0, "图标", -1, wide, 8), 3);
  EXPECT_EQ(std::u16string(wide), u"图标");
}

TEST(MultiByteToWideCharTest, RefusesBadArguments) {
  WCHAR wide[4];
  struct Case {
    UINT codePage;
    const char* text;
    int length;
    WCHAR* out;
    int capacity;
  } cases[] = {
      {CP_GBK, nullptr, -1, wide, 4}, {CP_GBK, "a", 0, wide, 4},  {CP_GBK, "a", -2, wide, 4},
      {CP_GBK, "a", 1, nullptr, 4},   {CP_GBK, "a", 1, wide, -1}, {1252, "a", 1, wide, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MultiByteToWideChar(c.codePage, 0, c.text, c.length, c.out, c.capacity), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xFF", 2, wide, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\xFF", 2, wide, 4), 2);
  EXPECT_EQ(wide[1], 0xFFFD);
}

TEST(WideCharToMultiByteTest, ConvertsToGbkAndUtf8) {
  char out[16];
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, u"图标.ico", -1, out, sizeof out, nullptr, nullptr), 9);
  EXPECT_STREQ(out, kGbk);
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, u"图标", 2, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(WideCharToMultiByte(CP_GBK, 0, u"图标", 2, out, 3, nullptr, nullptr), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"图", -1, out, sizeof out, nullptr, nullptr), 4);
  EXPECT_STREQ(out, "图");
}

TEST(WideCharToMultiByteTest, ReplacesWhatGbkCannotHold) {
  char out[16] = {};
  BOOL usedDefault = FALSE;
  // A character no file name of this process held: the ANSI functions' default character.
  ASSERT_EQ(WideCharToMultiByte(CP_GBK, 0, u"a\U00010348b", 4, out, sizeof out, "*", &usedDefault),
            3);
  EXPECT_EQ(std::string(out, 3), "a*b");
  EXPECT_TRUE(usedDefault);
  ASSERT_EQ(WideCharToMultiByte(CP_GBK, 0, u"ab", 2, out, sizeof out, nullptr, &usedDefault), 2);
  EXPECT_FALSE(usedDefault);
  // UTF-8 takes neither a default character nor its flag.
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, out, sizeof out, "*", nullptr), 0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, out, sizeof out, nullptr, &usedDefault), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace platform::kernel32
