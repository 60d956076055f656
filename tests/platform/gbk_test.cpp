#include "platform/text/gbk.h"

#include <gtest/gtest.h>

#include "platform/paths.h"

namespace platform::text {
namespace {

TEST(GbkTest, ConvertsBothWaysAndReplacesWhatCannotBeHeld) {
  EXPECT_EQ(Utf8ToGbk("图标 ico"), "\xCD\xBC\xB1\xEA ico");
  EXPECT_EQ(GbkToUtf8("\xCD\xBC\xB1\xEA ico"), "图标 ico");
  bool lossy = false;
  EXPECT_EQ(Utf8ToGbk("a😀b", &lossy), "a?b");  // no GBK character for it
  EXPECT_TRUE(lossy);
  EXPECT_EQ(GbkToUtf16("\x81\x5C"), u"乗");  // the trail byte is "\"
  EXPECT_EQ(GbkToUtf8("\xFF"
                      "a"),
            "?a");                          // not a lead byte
  EXPECT_EQ(GbkToUtf8("\x81\x0A"), "?\n");  // a lead byte never swallows a newline
  EXPECT_EQ(GbkToUtf8("a\xB0"), "a?");      // a lead byte at the end
  EXPECT_EQ(Utf16ToGbk(u"x\U0001F600", &lossy, "#"), "x#");
  EXPECT_TRUE(lossy);
  EXPECT_EQ(Utf16ToGbk(u"中", &lossy), "\xD6\xD0");
  EXPECT_FALSE(lossy);
}

TEST(GbkTest, Utf8AndUtf16MeetWithoutLosingAnything) {
  const char* samples[] = {"", "ascii", "图标", "\U0001F600 and \u00e9", "\xEF\xBF\xBD"};
  for (const char* s : samples) {
    bool lossy = true;
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s, &lossy)), s);
    EXPECT_FALSE(lossy) << s;
  }
  EXPECT_EQ(Utf8ToUtf16("\U0001F600"), u"\U0001F600");
}

TEST(GbkTest, MalformedUtf8AndLoneSurrogatesBecomeReplacementCharacters) {
  struct Case {
    std::string_view utf8;
    std::u16string expected;
  } cases[] = {
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong "/"
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // an encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\xE4\xB8", u"\uFFFD"},                            // truncated
      {"a\x80"
       "b",
       u"a\uFFFDb"},
  };
  for (const Case& c : cases) {
    bool lossy = false;
    EXPECT_EQ(Utf8ToUtf16(c.utf8, &lossy), c.expected);
    EXPECT_TRUE(lossy);
  }
  bool lossy = false;
  EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t{0xD800}}, &lossy), "a\xEF\xBF\xBD");
  EXPECT_TRUE(lossy);
}

TEST(PathsTest, SeparatorsAreFoundBetweenCharactersOnly) {
  // 乗 is 81 5C: its second byte is "\" but no separator.
  const std::string name = Utf8ToGbk("乗");
  EXPECT_EQ(paths::ToNative("dir\\" + name + "\\f.ico"), "dir/乗/f.ico");
  EXPECT_EQ(paths::NameOffset("dir\\" + name), 4u);
  EXPECT_EQ(paths::NameOffset(name), 0u);
  EXPECT_EQ(paths::NameOffset("/a/b/"), 5u);
  EXPECT_EQ(paths::LastComponent("/a/b//"), "b");
  EXPECT_EQ(paths::LastComponent("/"), "/");
  EXPECT_EQ(paths::FromNative("/tmp/图标"), "/tmp/" + Utf8ToGbk("图标"));
}

}  // namespace
}  // namespace platform::text
