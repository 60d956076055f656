#include "platform/text/gbk.h"

#include <gtest/gtest.h>

#include "platform/core/paths.h"

namespace platform::text {
namespace {

TEST(GbkTest, ConvertsBothWaysAndReplacesWhatCannotBeHeld) {
  EXPECT_EQ(Utf8ToGbk("图标 ico"), "\xCD\xBC\xB1\xEA ico");
  EXPECT_EQ(GbkToUtf8("\xCD\xBC\xB1\xEA ico"), "图标 ico");
  bool lossy = true;
  EXPECT_EQ(Utf8ToPlainGbk("a😀b", &lossy), "a?b");  // no GBK character for it
  EXPECT_TRUE(lossy);
  EXPECT_EQ(GbkToUtf16("\x81\x5C"), u"乗");  // the trail byte is "\"
  EXPECT_EQ(GbkToUtf8("\xFF"
                      "a"),
            "?a");                          // not a lead byte
  EXPECT_EQ(GbkToUtf8("\x81\x0A"), "?\n");  // a lead byte never swallows a newline
  EXPECT_EQ(GbkToUtf8("a\xB0"), "a?");      // a lead byte at the end
  EXPECT_EQ(Utf16ToGbkReplacing(u"x\U00010348", "#", &lossy), "x#");  // never seen before
  EXPECT_TRUE(lossy);
  EXPECT_EQ(Utf16ToGbk(u"中", &lossy), "\xD6\xD0");
  EXPECT_FALSE(lossy);
}

// Names of the file system round-trip through the program's GBK, whatever they hold, and the way
// back shows what they stand for.
TEST(GbkTest, ForeignCharactersAndBytesRoundTripThroughPrivateForms) {
  const std::string names[] = {
      "Grüße 😀",  "café ñ.png", "한국어.jpg", "\xEE\x80\x80 private use",    "\xFF\xFE.bin",
      "\xC3 cut", "图标.ico",   "€ and ß",    std::string("nul\0inside", 11)};
  for (const std::string& name : names) {
    bool lossy = true;
    const std::string gbk = Utf8ToGbk(name, &lossy);
    EXPECT_FALSE(lossy) << name;
    EXPECT_EQ(GbkToUtf8(gbk), name);
    EXPECT_EQ(paths::ToNative(paths::FromNative(name)), name);
    EXPECT_EQ(Utf16ToGbk(GbkToUtf16(gbk)), gbk) << name;  // through the wide functions too
    for (size_t i = 0; i < gbk.size(); i += GbkCharLength(gbk, i))  // whole characters only
      EXPECT_NE(gbk[i], '?') << name;
  }
  // The same character always gets the same form; GBK's own characters never get one.
  EXPECT_EQ(Utf8ToGbk("ü"), Utf8ToGbk("ü"));
  EXPECT_NE(Utf8ToGbk("ü"), Utf8ToGbk("ö"));
  EXPECT_EQ(Utf8ToGbk("é").size(), 2u);
  EXPECT_EQ(GbkToUtf16(Utf8ToGbk("\xFF")), u"\xDCFF");  // a byte is its lone surrogate
  // A user-defined code that stands for nothing is no character.
  EXPECT_EQ(GbkToUtf8("\xFE\xFE"), "?");
  EXPECT_FALSE(ShowsInexactly(Utf8ToGbk("Grüße")));
  EXPECT_TRUE(ShowsInexactly(Utf8ToGbk("a\xFF")));
}

// The forms are few and last as long as the process, so the test uses them up in a child.
TEST(GbkDeathTest, UsedUpFormsAreRefusedNotGuessed) {
  EXPECT_EXIT(
      {
        std::string first;
        for (char32_t c = 0xAC00; c < 0xAC00 + kPrivateFormCount; ++c) {  // Hangul syllables
          const std::string gbk = Utf16ToGbk(std::u16string(1, char16_t(c)));
          if (first.empty()) first = gbk;
        }
        bool lossy = false;
        const bool refused = Utf8ToGbk("ö", &lossy) == "?" && lossy;
        paths::FromNative("/a\\b", &lossy);
        const bool pathRefused = lossy;
        const bool oldKept = Utf16ToGbk(u"\uAC00") == first && GbkToUtf8(first) == "가";
        std::exit(refused && pathRefused && oldKept ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST(PathsTest, ABackslashInsideANameIsNoSeparator) {
  const std::string program = paths::FromNative("/tmp/back\\slash/x.gif");
  EXPECT_EQ(program.find('\\'), std::string::npos);
  EXPECT_EQ(paths::NameOffset(program), program.size() - 5);
  EXPECT_EQ(paths::ToNative(program), "/tmp/back\\slash/x.gif");
  EXPECT_EQ(GbkToUtf8(program), "/tmp/back\\slash/x.gif");  // shown as it is
  EXPECT_EQ(paths::ToNative("a\\b"), "a/b");                // the program's own separator
  EXPECT_TRUE(ShowsInexactly(program));
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
