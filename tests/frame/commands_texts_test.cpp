#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "frame/commands.h"
#include "frame/literal.h"

namespace frame {
namespace {

using namespace literals;

std::vector<std::string> Pieces(const Array<Text>& a) {
  std::vector<std::string> out;
  for (const Text& t : a)
    out.push_back(t.bytes());
  return out;
}

std::vector<std::string> Pieces(const Array<ByteSet>& a) {
  std::vector<std::string> out;
  for (const ByteSet& b : a)
    out.emplace_back(b.bytes().begin(), b.bytes().end());
  return out;
}

TEST(TextSliceTest, ClampsByteCounts) {
  const Text name("abc.png");
  struct Case {
    int32_t n;
    const char* left;
    const char* right;
  } cases[] = {
      {4, "abc.", ".png"}, {10, "abc.png", "abc.png"},      {0, "", ""},
      {-3, "", ""},        {INT_MAX, "abc.png", "abc.png"}, {INT_MIN, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextLeft(name, c.n), Text(c.left)) << c.n;
    EXPECT_EQ(TextRight(name, c.n), Text(c.right)) << c.n;
  }
  EXPECT_EQ(TextLength("图标.ico"_gbk), 8);  // bytes, not characters
  EXPECT_EQ(TextLeft(Text(), 5), Text());
}

TEST(SpaceTextTest, BuildsSpacesOrNothing) {
  EXPECT_EQ(SpaceText(3), Text("   "));
  EXPECT_EQ(SpaceText(0), Text());
  EXPECT_EQ(SpaceText(INT_MIN), Text());
}

TEST(SpaceTextDeathTest, AHugeLengthIsAnAllocationFailureNotACrash) {
  EXPECT_EXIT(SpaceText(INT_MAX), ::testing::ExitedWithCode(255), "分配 2147483648 字节内存失败!");
}

TEST(ToLowerTest, LowersAsciiLettersOnly) {
  // "癆" is B0 41: its trail byte is "A" and must stay as it is.
  const Text mixed = "ABC癆Z.ICO乗"_gbk;
  EXPECT_EQ(ToLower(mixed), "abc癆z.ico乗"_gbk);
  EXPECT_EQ(ToLower(Text("\xB0")), Text("\xB0"));  // a lone lead byte at the end
  EXPECT_EQ(ToLower(Text()), Text());
}

TEST(SplitTextTest, KeepsEmptyPiecesButNoEmptyTail) {
  struct Case {
    const char* utf8;
    std::vector<std::string> expected;
  } cases[] = {
      {"a,,b", {"a", "", "b"}}, {"a,b,", {"a", "b"}},
      {",a", {"", "a"}},        {",", {""}},
      {"abc", {"abc"}},         {"", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Pieces(SplitText(Text::FromUtf8(c.utf8))), c.expected) << c.utf8;
}

TEST(SplitTextTest, DelimitersMaximaAndDoubleByteCharacters) {
  EXPECT_EQ(Pieces(SplitText(Text("PNG|*.png"), Text("|"))),
            (std::vector<std::string>{"PNG", "*.png"}));
  EXPECT_EQ(Pieces(SplitText(Text("a::b::c"), Text("::"))),
            (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Pieces(SplitText(Text("a,b,c"), Text(""))), (std::vector<std::string>{"a,b,c"}));
  EXPECT_EQ(Pieces(SplitText(Text("a,b,c"), std::nullopt, 2)),
            (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Pieces(SplitText(Text("a,b,c"), std::nullopt, 0)), (std::vector<std::string>{}));
  EXPECT_EQ(Pieces(SplitText(Text("a,b,c"), std::nullopt, -4)), (std::vector<std::string>{}));
  // The trail bytes of 癆 (B0 41) and 乗 (81 5C) are never taken for delimiters.
  EXPECT_EQ(Pieces(SplitText("癆AxA"_gbk, Text("A"))),
            (std::vector<std::string>{"癆"_gbk.bytes(), "x"}));
  EXPECT_EQ(Pieces(SplitText("乗\\乗"_gbk, Text("\\"))),
            (std::vector<std::string>{"乗"_gbk.bytes(), "乗"_gbk.bytes()}));
  EXPECT_EQ(Pieces(SplitText("图，标"_gbk, "，"_gbk)),
            (std::vector<std::string>{"图"_gbk.bytes(), "标"_gbk.bytes()}));
}

TEST(ByteSetSliceTest, ClampsStartsAndCounts) {
  const ByteSet b = ByteSet::FromString("012345");
  struct Case {
    int32_t start, n;
    const char* expected;
  } cases[] = {
      {1, 2, "01"}, {0, 2, "01"},         {-100, 3, "012"},       {6, 5, "5"},       {7, 1, ""},
      {3, -1, ""},  {3, INT_MAX, "2345"}, {INT_MAX, INT_MAX, ""}, {INT_MIN, 1, "0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ByteSetMid(b, c.start, c.n), ByteSet::FromString(c.expected))
        << c.start << "," << c.n;
  EXPECT_EQ(ByteSetLeft(b, 2), ByteSet::FromString("01"));
  EXPECT_EQ(ByteSetLeft(b, 99), b);
  EXPECT_EQ(ByteSetLeft(b, -1), ByteSet());
  EXPECT_EQ(ByteSetRight(b, 2), ByteSet::FromString("45"));
  EXPECT_EQ(ByteSetRight(b, INT_MAX), b);
  EXPECT_EQ(ByteSetRight(ByteSet(), 3), ByteSet());
  EXPECT_EQ(ByteSetLength(ByteSet()), 0);
  EXPECT_EQ(ZeroByteSet(3), ByteSet(std::vector<uint8_t>(3, 0)));
  EXPECT_EQ(ZeroByteSet(-1), ByteSet());
}

TEST(GetByteSetDataTest, ReadsEachTypeAndPadsWithZeros) {
  const ByteSet b(std::vector<uint8_t>{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08});
  EXPECT_EQ(*GetByteSetData(b, 1).get<uint8_t>(), 0x01);
  EXPECT_EQ(*GetByteSetData(b, 2).get<int16_t>(), 0x0201);
  EXPECT_EQ(*GetByteSetData(b, 3).get<int32_t>(), 0x04030201);
  EXPECT_EQ(*GetByteSetData(b, 4).get<int64_t>(), 0x0807060504030201);
  EXPECT_EQ(*GetByteSetData(b, 7).get<bool>(), true);
  EXPECT_EQ(GetByteSetData(b, 9).get<Subroutine>()->address, 0x04030201u);
  EXPECT_EQ(GetByteSetData(ToByteSet(2.5), 6), Value(2.5));
  EXPECT_EQ(GetByteSetData(ToByteSet(2.5f), 5), Value(2.5f));
  EXPECT_EQ(GetByteSetData(ToByteSet(DateTime{3.0}), 8), Value(DateTime{3.0}));

  int32_t position = 7;  // two bytes remain: the int reads 07 08 00 00
  EXPECT_EQ(*GetByteSetData(b, 3, &position).get<int32_t>(), 0x0807);
  EXPECT_EQ(position, -1);
}

TEST(GetByteSetDataTest, AdvancesThePositionAndMarksTheEnd) {
  const ByteSet b = ByteSet::FromString(std::string_view("ab\0cd", 5));
  int32_t position = 1;
  EXPECT_EQ(*GetByteSetData(b, 10, &position).get<Text>(), Text("ab"));
  EXPECT_EQ(position, 4);  // past the terminator
  EXPECT_EQ(*GetByteSetData(b, 10, &position).get<Text>(), Text("cd"));
  EXPECT_EQ(position, -1);  // the text ran to the end
  EXPECT_EQ(*GetByteSetData(b, 10, &position).get<Text>(), Text());
  EXPECT_EQ(position, -1);

  position = 3;
  EXPECT_EQ(*GetByteSetData(b, 3, &position).get<int32_t>(), 0x00646300);
  EXPECT_EQ(position, -1);
  position = 2;
  EXPECT_EQ(*GetByteSetData(b, 3, &position).get<int32_t>(), 0x64630062);
  EXPECT_EQ(position, -1);  // the value ended on the last byte: nothing is left
  for (int32_t outside : {0, -1, 6, INT_MAX, INT_MIN}) {
    position = outside;
    EXPECT_EQ(*GetByteSetData(b, 4, &position).get<int64_t>(), 0) << outside;
    EXPECT_EQ(position, -1);
  }
  EXPECT_EQ(*GetByteSetData(ByteSet(), 3).get<int32_t>(), 0);
}

TEST(GetByteSetDataDeathTest, AnUnknownTypeIsARuntimeError) {
  for (int32_t type : {0, 11, -1})
    EXPECT_EXIT(GetByteSetData(ByteSet::FromString("x"), type), ::testing::ExitedWithCode(255),
                "运行时出错!.*错误信息：“欲取出数据的类型”参数值无效");
}

TEST(ByteSetReplaceAllTest, ReplacesLeftToRightWithoutOverlaps) {
  auto replace = [](const char* in, const char* search, const char* with, int32_t start = 1,
                    std::optional<int32_t> max = std::nullopt) {
    ByteSet out = ByteSetReplaceAll(ByteSet::FromString(in), ByteSet::FromString(search),
                                    ByteSet::FromString(with), start, max);
    return std::string(out.bytes().begin(), out.bytes().end());
  };
  EXPECT_EQ(replace("aaaa", "aa", "b"), "bb");
  EXPECT_EQ(replace("aaa", "aa", "b"), "ba");
  EXPECT_EQ(replace("abcabc", "bc", ""), "aa");
  EXPECT_EQ(replace("abcabc", "bc", "XYZ", 3), "abcaXYZ");  // before the start stays
  EXPECT_EQ(replace("abcabc", "b", "-", 0, 1), "a-cabc");
  EXPECT_EQ(replace("abcabc", "b", "-", 1, 0), "abcabc");
  EXPECT_EQ(replace("abc", "", "x"), "abc");
  EXPECT_EQ(replace("abc", "c", "x", 99), "abc");
  EXPECT_EQ(replace("ab", "abc", "x"), "ab");
  EXPECT_EQ(replace("", "a", "x"), "");
}

TEST(ByteSetReplaceAllDeathTest, AnExplodingResultIsAnAllocationFailure) {
  ByteSet many(std::vector<uint8_t>(4096, 'a'));
  ByteSet large(std::vector<uint8_t>(1 << 20, 'b'));
  EXPECT_EXIT(ByteSetReplaceAll(many, ByteSet::FromString("a"), large),
              ::testing::ExitedWithCode(255), "字节内存失败!");
}

TEST(SplitByteSetTest, SplitsAtZeroBytesByDefault) {
  const ByteSet b = ByteSet::FromString(std::string_view("a\0\0b\0", 5));
  EXPECT_EQ(Pieces(SplitByteSet(b)), (std::vector<std::string>{"a", "", "b"}));
  // Byte sets split anywhere: a top-bit byte is no character lead here.
  EXPECT_EQ(Pieces(SplitByteSet(ByteSet::FromString("\xB0"
                                                    "A"
                                                    "x"),
                                ByteSet::FromString("A"))),
            (std::vector<std::string>{"\xB0", "x"}));
  EXPECT_EQ(Pieces(SplitByteSet(b, std::nullopt, 1)), (std::vector<std::string>{"a"}));
  EXPECT_TRUE(SplitByteSet(ByteSet()).empty());
}

TEST(MemoryCommandsTest, CopyBoundedBlocks) {
  const uint8_t source[] = {9, 8, 7};
  EXPECT_EQ(PointerToByteSet(source, 2), ByteSet(source, 2));
  EXPECT_EQ(PointerToByteSet(nullptr, 5), ByteSet());
  EXPECT_EQ(PointerToByteSet(source, -1), ByteSet());

  uint8_t target[6] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
  WriteToMemory(int32_t{0x04030201}, target, 3);
  EXPECT_EQ(std::vector<uint8_t>(target, target + 6),
            (std::vector<uint8_t>{1, 2, 3, 0xEE, 0xEE, 0xEE}));
  WriteToMemory(Text("xy"), target);
  EXPECT_EQ(target[0], 'x');
  EXPECT_EQ(target[2], 3);  // no terminator written
  WriteToMemory(int32_t{5}, target, -1);
  EXPECT_EQ(target[0], 'x');
  WriteToMemory(int32_t{5}, nullptr);  // nowhere to write: nothing happens
}

}  // namespace
}  // namespace frame
