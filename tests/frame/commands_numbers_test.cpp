#include <cmath>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include "frame/commands.h"
#include "frame/literal.h"

namespace frame {
namespace {

using namespace literals;

TEST(BitCommandsTest, FoldAllArgumentsAndMaskTheShiftCount) {
  EXPECT_EQ(BitAnd({0x0F0F, 0x00FF, 0x0F00 | 0x000F}), 0x000F);
  EXPECT_EQ(BitAnd({-7}), -7);  // a single argument comes back unchanged
  EXPECT_EQ(BitOr({1, 2, 4, static_cast<int32_t>(0x80000000)}), static_cast<int32_t>(0x80000007));
  EXPECT_EQ(BitNot(0), -1);
  EXPECT_EQ(ShiftLeft(1, 31), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ShiftLeft(1, 32), 1);   // the count is taken AND 31
  EXPECT_EQ(ShiftLeft(3, -31), 6);  // -31 AND 31 = 1
}

TEST(FloorTest, SnapsNearlyWholeValuesAwayFromZero) {
  struct Case {
    double value;
    int64_t expected;
  } cases[] = {
      {2.9999999999999, 3},
      {2.5, 2},
      {-0.5, -1},
      {-2.9999999999999, -3},
      {-2.0000000001, -3},
      {0.0, 0},
      {7.0, 7},
      {1e15 + 0.5, 1000000000000000},
      {-1e-300, -1},
      {2.999999999998, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Floor(c.value), c.expected) << c.value;
}

TEST(FloorTest, ValuesWithoutAnIntegerNeverInvokeUndefinedConversions) {
  constexpr int64_t kIndefinite = std::numeric_limits<int64_t>::min();
  EXPECT_EQ(Floor(std::nan("")), kIndefinite);
  EXPECT_EQ(Floor(INFINITY), kIndefinite);
  EXPECT_EQ(Floor(-INFINITY), kIndefinite);
  EXPECT_EQ(Floor(1e300), kIndefinite);
}

TEST(RoundTest, RoundsHalfUpOnTheMagnitude) {
  struct Case {
    double value;
    int32_t places;
    double expected;
  } cases[] = {
      {2.5, 0, 3},        {-2.5, 0, -3},      {2.4999, 0, 2},      {1.005, 2, 1.01},
      {-1.005, 2, -1.01}, {1234.5, -2, 1200}, {1250, -2, 1300},    {-1250, -2, -1300},
      {0.125, 2, 0.13},   {49, -2, 0},        {1e300, 400, 1e300}, {123.0, -400, 0},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(Round(c.value, c.places), c.expected) << c.value << " " << c.places;
  EXPECT_TRUE(std::signbit(Round(-0.0)));  // zero comes back unchanged
  EXPECT_TRUE(std::isnan(Round(std::nan(""), 2)));
}

TEST(ToTextTest, FormatsEveryValueType) {
  EXPECT_EQ(ToText(uint8_t{200}), Text("200"));
  EXPECT_EQ(ToText(int16_t{-5}), Text("-5"));
  EXPECT_EQ(ToText(int32_t{-2147483647 - 1}), Text("-2147483648"));
  EXPECT_EQ(ToText(int64_t{1} << 40), Text("1099511627776"));
  EXPECT_EQ(ToText(1.5), Text("1.5"));
  EXPECT_EQ(ToText(3.0), Text("3"));
  EXPECT_EQ(ToText(-0.0), Text("0"));
  EXPECT_EQ(ToText(0.1f), Text("0.1"));
  EXPECT_EQ(ToText(true), "真"_gbk);
  EXPECT_EQ(ToText(false), "假"_gbk);
  EXPECT_EQ(ToText(DateTime{45293.5}), "2024年1月2日12时0分0秒"_gbk);
  EXPECT_EQ(ToText(DateTime{0}), "1899年12月30日"_gbk);
  EXPECT_EQ(ToText(DateTime{1e300}), Text());
  EXPECT_EQ(ToText("图标"_gbk), "图标"_gbk);
  EXPECT_EQ(ToText(ByteSet::FromString(std::string_view("ab\0cd", 5))), Text("ab"));
  EXPECT_EQ(ToText(ByteSet::FromString("abc")), Text("abc"));
  EXPECT_EQ(ToText(ByteSet()), Text());
}

TEST(ToNumberTest, ReadsTextsAfterFullWidthToHalfWidth) {
  struct Case {
    const char* utf8;
    double expected;
  } cases[] = {
      {"42", 42},
      {"１２３", 123},
      {"－１２．５", -12.5},
      {"　 7", 7},
      {"3.5e2x", 350},
      {"1e", 1},
      {"1e+", 1},
      {"-.5", -0.5},
      {"abc", 0},
      {"", 0},
      {"0x1A", 0},
      {"inf", 0},
      {"nan", 0},
      {"+8", 8},
      {"1e400", INFINITY},
      {"-1e400", -INFINITY},
      {"1e-400", 0},
      {"12图标", 12},
      {".", 0},
      {"- 5", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ToNumber(Text::FromUtf8(c.utf8)), c.expected) << c.utf8;
}

TEST(ToNumberTest, WidensNumbersAndBooleans) {
  EXPECT_EQ(ToNumber(uint8_t{255}), 255);
  EXPECT_EQ(ToNumber(int16_t{-3}), -3);
  EXPECT_EQ(ToNumber(int64_t{1} << 53), 9007199254740992.0);
  EXPECT_EQ(ToNumber(2.25f), 2.25);
  EXPECT_EQ(ToNumber(true), 1);
  EXPECT_EQ(ToNumber(false), 0);
  EXPECT_EQ(ToNumber(ByteSet::FromString("12")), 0);
}

TEST(ToByteTest, TakesTheLowByte) {
  EXPECT_EQ(ToByte(int32_t{0x1234}), 0x34);
  EXPECT_EQ(ToByte(int32_t{-1}), 0xFF);
  EXPECT_EQ(ToByte("300"_gbk), 300 & 0xFF);
  EXPECT_EQ(ToByte(Text::FromUtf8("２５５")), 255);
  EXPECT_EQ(ToByte(Text::FromUtf8("-1")), 0xFF);
  EXPECT_EQ(ToByte(Text("x")), 0);
  EXPECT_EQ(ToByte(300.9), 300 & 0xFF);
  EXPECT_EQ(ToByte(std::nan("")), 0);
  EXPECT_EQ(ToByte(1e30), 0);
}

TEST(ToByteSetTest, LaysValuesOutInMemoryOrder) {
  auto bytes = [](const Value& v) { return ToByteSet(v).bytes(); };
  using B = std::vector<uint8_t>;
  EXPECT_EQ(bytes(uint8_t{7}), (B{7}));
  EXPECT_EQ(bytes(int16_t{0x0102}), (B{2, 1}));
  EXPECT_EQ(bytes(int32_t{0x01020304}), (B{4, 3, 2, 1}));
  EXPECT_EQ(bytes(true), (B{1, 0, 0, 0}));
  EXPECT_EQ(bytes(int64_t{1}).size(), 8u);
  EXPECT_EQ(bytes(1.0), (B{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
  EXPECT_EQ(bytes(DateTime{1.0}), bytes(1.0));
  EXPECT_EQ(bytes(1.0f), (B{0, 0, 0x80, 0x3F}));
  EXPECT_EQ(bytes(Subroutine{0x11223344}), (B{0x44, 0x33, 0x22, 0x11}));
  EXPECT_EQ(bytes("ab"_gbk), (B{'a', 'b'}));  // no terminator
  EXPECT_EQ(bytes(Text()), B{});
  EXPECT_EQ(bytes(Array<int32_t>({1, 2})), (B{1, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(bytes(Array<ByteSet>({ByteSet::FromString("x"), ByteSet::FromString("yz")})),
            (B{'x', 'y', 'z'}));
}

}  // namespace
}  // namespace frame
