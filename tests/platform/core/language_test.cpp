#include "platform/core/i18n/language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/core/i18n/catalog.h"
#include "platform/core/i18n/translation.h"
#include "tests/support/fixtures.h"

namespace platform::i18n {
namespace {

struct Row {
  std::map<std::string, std::string> environment;
  const char* chosen;
};

// The standard variables as gettext reads them; "en" has a catalog, "fr" none.
TEST(LanguageTest, TheEnvironmentChoosesAmongTheCatalogs) {
  const Row rows[] = {
      {{}, "zh"},
      {{{"LANG", "C.UTF-8"}}, "zh"},
      {{{"LANG", "en_US.UTF-8"}}, "en"},
      {{{"LANG", "zh_CN.UTF-8"}}, "zh"},
      {{{"LANG", "de_DE.UTF-8"}}, "zh"},  // no catalog: the program's own texts
      {{{"LC_MESSAGES", "en_GB"}, {"LANG", "zh_CN"}}, "en"},
      {{{"LC_ALL", "zh_CN"}, {"LC_MESSAGES", "en_GB"}}, "zh"},
      {{{"LC_ALL", "POSIX"}, {"LANG", "en_US"}}, "zh"},
      {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "fr:en"}}, "en"},
      {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "zh_CN:en"}}, "zh"},
      {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "fr"}}, "zh"},
      {{{"LANG", "C"}, {"LANGUAGE", "en"}}, "zh"},  // gettext ignores LANGUAGE in the C locale
      {{{"LANGUAGE", "en"}}, "zh"},
      {{{"PICTOLAN_LANGUAGE", "en"}, {"LANG", "C"}}, "en"},
      {{{"PICTOLAN_LANGUAGE", "zh"}, {"LANG", "en_US.UTF-8"}}, "zh"},
      {{{"PICTOLAN_LANGUAGE", "fr"}, {"LANG", "en_US.UTF-8"}}, "zh"},
  };
  for (const Row& row : rows) {
    std::string shown;
    for (const auto& [name, value] : row.environment)
      shown += name + "=" + value + " ";
    auto variable = [&](const char* name) -> const char* {
      auto found = row.environment.find(name);
      return found == row.environment.end() ? nullptr : found->second.c_str();
    };
    EXPECT_EQ(ChooseLanguage(variable, [](std::string_view l) { return l == "en"; }), row.chosen)
        << shown;
  }
}

TEST(LanguageTest, PlaceholdersTakeTheirArgumentsInAnyOrder) {
  EXPECT_EQ(Substitute("%2 of %1 icons, 100%%", {"12", "3"}), "3 of 12 icons, 100%");
  EXPECT_EQ(Substitute("‘%1’有%2个图标。", {"a%1.dll", "3"}), "‘a%1.dll’有3个图标。");
  EXPECT_EQ(Substitute("%3 %", {"x"}), "%3 %");  // nothing to put there
}

// A catalog as lrelease writes it: magic, then the messages block of one record.
std::vector<uint8_t> CatalogBytes(std::vector<uint8_t> record) {
  std::vector<uint8_t> bytes = {0x3C, 0xB8, 0x64, 0x18, 0xCA, 0xEF, 0x9C, 0x95, 0xCD,
                                0x21, 0x1C, 0xBF, 0x60, 0xA1, 0xBD, 0xDD, 0x69};
  const uint32_t size = static_cast<uint32_t>(record.size());
  for (int shift : {24, 16, 8, 0})
    bytes.push_back(static_cast<uint8_t>(size >> shift));
  bytes.insert(bytes.end(), record.begin(), record.end());
  return bytes;
}

TEST(CatalogTest, ReadsWhatLreleaseWritesAndNothingOfADamagedFile) {
  // Translation "Hi" (UTF-16 big-endian), source "好", context "c", end.
  const std::vector<uint8_t> record = {3, 0, 0,    0,    4,    0, 'H', 0, 'i', 6, 0,   0,
                                       0, 3, 0xE5, 0xA5, 0xBD, 7, 0,   0, 0,   1, 'c', 1};
  EXPECT_EQ(Catalog::Parse(CatalogBytes(record)).Find("c", "好"), "Hi");
  EXPECT_FALSE(Catalog::Parse(CatalogBytes(record)).Find("other", "好"));
  std::vector<uint8_t> odd = record;
  odd[4] = 3;  // a translation of an odd length is no UTF-16
  EXPECT_EQ(Catalog::Parse(CatalogBytes(odd)).size(), 0u);
  std::vector<uint8_t> past = record;
  past[13] = 200;  // a source longer than the block
  EXPECT_EQ(Catalog::Parse(CatalogBytes(past)).size(), 0u);
  std::vector<uint8_t> magic = CatalogBytes(record);
  magic[0] ^= 1;
  EXPECT_EQ(Catalog::Parse(magic).size(), 0u);

  // The English catalog of the build, whole and cut anywhere: never more than whole.
  const std::vector<uint8_t> english = testing_support::ReadBytes(CatalogPath("en"));
  const size_t whole = Catalog::Parse(english).size();
  EXPECT_GT(whole, 100u);
  for (size_t cut = 0; cut < english.size(); cut += 97)
    EXPECT_LE(Catalog::Parse(std::span(english).first(cut)).size(), whole);
}

}  // namespace
}  // namespace platform::i18n
