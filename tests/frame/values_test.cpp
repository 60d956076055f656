#include "frame/values.h"

#include <gtest/gtest.h>

#include "frame/literal.h"

namespace frame {
namespace {

TEST(TextTest, LiteralsAreGbkAtRunTime) {
  const Text& t = "图标"_gbk;
  EXPECT_EQ(t.bytes(), "\xCD\xBC\xB1\xEA");
  EXPECT_EQ(t.ToUtf8(), "图标");
  EXPECT_EQ(Text::FromCString(nullptr), Text());
  EXPECT_STREQ(Text().c_str(), "");
}

TEST(ArrayTest, SubscriptsAreOneBased) {
  Array<int32_t> a({10, 20, 30});
  EXPECT_EQ(a(1), 10);
  EXPECT_EQ(a(3), 30);
}

TEST(ArrayDeathTest, BadSubscriptsAreRuntimeErrors) {
  Array<int32_t> a({10});
  EXPECT_EXIT(a(0), ::testing::ExitedWithCode(255), "数组成员引用下标必须大于等于1");
  EXPECT_EXIT(a(2), ::testing::ExitedWithCode(255), "数组成员引用下标超出定义范围");
}

}  // namespace
}  // namespace frame
