#include "frame/values.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "frame/fatal.h"

#include "frame/literal.h"

namespace frame {
namespace {

using namespace literals;

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
  EXPECT_EXIT(a.Redim(-1), ::testing::ExitedWithCode(255), "错误代码：10\r\n");
  Array<Text> texts;
  EXPECT_EXIT(texts.Redim(INT64_MAX), ::testing::ExitedWithCode(255), "字节内存失败!");
  EXPECT_EXIT(texts.Redim(int64_t{1} << 40), ::testing::ExitedWithCode(255), "字节内存失败!");
}

TEST(FatalErrorTest, TheBoxTextCarriesCodeAndMessage) {
  EXPECT_EQ(FatalErrorText("数据或数组类型不匹配"_gbk, 5),
            "运行时出错!\r\n\r\n错误代码：5\r\n\r\n错误信息：数据或数组类型不匹配\r\n"_gbk);
  EXPECT_EQ(FatalErrorText(Text(), 0), "运行时出错!\r\n\r\n"_gbk);
  EXPECT_EQ(RuntimeErrorMessage(6), "调用DLL命令后发现堆栈错误"_gbk);
  EXPECT_EQ(RuntimeErrorMessage(0), Text());
  EXPECT_EQ(RuntimeErrorMessage(12), Text());
}

TEST(FatalErrorDeathTest, RunsTheShutdownOnceAndExitsWithMinusOne) {
  EXPECT_EXIT(
      {
        SetShutdownHook([](int code) {
          std::fprintf(stderr, "shutdown %d\n", code);
          RaiseRuntimeError(2);  // a second error during shutdown shows no second box
        });
        RaiseRuntimeError(5);
      },
      ::testing::ExitedWithCode(255),
      "\\[错误\\] 运行时出错!\r\n\r\n错误代码：5\r\n\r\n错误信息：数据或数组类型不匹配\r\n\n"
      "shutdown -1\n$");
  EXPECT_EXIT(AllocationFailed(123), ::testing::ExitedWithCode(255),
              "运行时出错!\r\n\r\n错误信息：分配 123 字节内存失败!\r\n");
}

TEST(NumericValueDeathTest, NonNumbersAreRuntimeError2) {
  EXPECT_EQ(NumericValue(int16_t{-2}), -2);
  EXPECT_EQ(NumericValue(uint8_t{200}), 200);
  EXPECT_EXIT(NumericValue(Text("1")), ::testing::ExitedWithCode(255), "未得到所需要的数值型数据");
}

}  // namespace
}  // namespace frame
