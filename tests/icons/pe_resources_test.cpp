#include "platform/core/pe/resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/pe_writer.h"

namespace platform::pe {
namespace {

namespace ts = testing_support;
using ts::Bytes;
using ts::GetU16;
using ts::GetU32;
using ts::PeWriter;
using ts::PutU16;
using ts::PutU32;

std::string Text(std::span<const uint8_t> bytes) {
  return std::string(bytes.begin(), bytes.end());
}
Bytes FromText(std::string_view s) {
  return Bytes(s.begin(), s.end());
}

class PeResourcesTest : public ::testing::TestWithParam<PeWriter::Format> {};

TEST_P(PeResourcesTest, NamesComeInDirectoryOrderAndFindGivesTheBytes) {
  PeWriter w(GetParam());
  w.Add(14, 300, FromText("three hundred"));
  w.Add(14, u"ZETA", FromText("zeta"));
  w.Add(14, 7, FromText("seven"));
  w.Add(14, u"ALPHA", FromText("alpha"));
  w.Add(3, 1, FromText("image"));
  w.Add(14, 7, FromText("seven in German"), 1031);
  Bytes file = w.Build();

  auto dir = ResourceDirectory::Open(file);
  ASSERT_TRUE(dir.ok()) << ToString(dir.error());
  auto names = dir->Names(ResourceId::Number(14));
  ASSERT_TRUE(names.ok());
  std::vector<ResourceId> expected = {ResourceId::String(u"ALPHA"), ResourceId::String(u"ZETA"),
                                      ResourceId::Number(7), ResourceId::Number(300)};
  EXPECT_EQ(*names, expected);

  EXPECT_EQ(Text(*dir->Find(ResourceId::Number(14), ResourceId::Number(300))), "three hundred");
  EXPECT_EQ(Text(*dir->Find(ResourceId::Number(14), ResourceId::String(u"zeta"))), "zeta");
  EXPECT_EQ(Text(*dir->Find(ResourceId::Number(14), ResourceId::Number(7))), "seven");
  EXPECT_EQ(dir->Find(ResourceId::Number(14), ResourceId::Number(8)).error(), PeError::NotFound);
  EXPECT_EQ(dir->Find(ResourceId::Number(5), ResourceId::Number(7)).error(), PeError::NotFound);
  EXPECT_TRUE(dir->Names(ResourceId::Number(5))->empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, PeResourcesTest,
                         ::testing::Values(PeWriter::Format::Pe32, PeWriter::Format::Pe32Plus),
                         [](const auto& info) {
                           return info.param == PeWriter::Format::Pe32 ? "Pe32" : "Pe32Plus";
                         });

TEST(PeResourcesTest, IdsStoredOutOfOrderAreStillFound) {
  PeWriter w;
  w.Add(14, 1, FromText("one"));
  w.Add(14, 2, FromText("two"));
  Bytes file = w.Build();
  // Swap the two name entries of the group-icon type directory.
  uint32_t entries = w.layout().firstSubdirectory + 16;
  std::swap_ranges(file.begin() + entries, file.begin() + entries + 8, file.begin() + entries + 8);
  auto dir = *ResourceDirectory::Open(file);
  EXPECT_EQ(Text(*dir.Find(ResourceId::Number(14), ResourceId::Number(1))), "one");
  EXPECT_EQ(Text(*dir.Find(ResourceId::Number(14), ResourceId::Number(2))), "two");
}

// A large directory is searched through an index: names without regard to case, ids in
// whatever order they are stored, the first stored of equal ones, as a walk finds them.
TEST(PeResourcesTest, LargeDirectoriesFindByNameAndIdInAnyOrder) {
  PeWriter w;
  for (int i = 0; i < 40; ++i) {
    w.Add(14, 100 + i, FromText("id" + std::to_string(i)));
    std::string name = "Group" + std::to_string(i);
    w.Add(14, std::u16string(name.begin(), name.end()), FromText("name" + std::to_string(i)));
  }
  Bytes file = w.Build();
  const uint32_t entries = w.layout().firstSubdirectory + 16;
  auto entry = [&](int i) { return file.begin() + entries + 8 * i; };
  std::vector<ResourceId> names = *ResourceDirectory::Open(file)->Names(ResourceId::Number(14));
  std::reverse(entry(40), entry(80));  // 8-byte entries reversed byte by byte: undone below
  for (int i = 40; i < 80; ++i)
    std::reverse(entry(i), entry(i) + 8);          // ids stored from 139 down to 100
  std::copy(entry(1), entry(1) + 4, entry(0));     // named entries 0 and 1 share a name
  std::copy(entry(54), entry(54) + 4, entry(59));  // 125 twice, 120 not at all
  auto dir = *ResourceDirectory::Open(file);
  auto find = [&](const ResourceId& name) {
    auto found = dir.Find(ResourceId::Number(14), name);
    return found ? Text(*found) : "error: " + std::string(ToString(found.error()));
  };
  auto lower = [](ResourceId name) {
    for (char16_t& c : name.string)
      c = static_cast<char16_t>(std::tolower(c));
    return name;
  };
  auto dataOf = [](const ResourceId& name) {  // "Group17" holds "name17"
    return "name" + std::string(name.string.begin() + 5, name.string.end());
  };
  for (int i = 2; i < 40; ++i)
    EXPECT_EQ(find(lower(names[i])), dataOf(names[i]));
  EXPECT_EQ(find(lower(names[1])), dataOf(names[0])) << "the first stored of the two";
  EXPECT_EQ(find(names[0]), "error: no such resource");
  EXPECT_EQ(find(ResourceId::Number(125)), "id25");
  EXPECT_EQ(find(ResourceId::Number(120)), "error: no such resource");
  for (int id : {100, 107, 139})
    EXPECT_EQ(find(ResourceId::Number(id)), "id" + std::to_string(id - 100));
  EXPECT_EQ(find(ResourceId::Number(99)), "error: no such resource");
}

TEST(PeResourcesTest, LanguagePreferenceIsChineseThenNeutralThenUsEnglishThenTheFirst) {
  struct Row {
    std::vector<uint16_t> stored;
    uint16_t expected;
  };
  const Row rows[] = {
      {{0x0409, 0x0804}, 0x0804}, {{0x0000, 0x0409, 0x0804}, 0x0804},
      {{0x0409, 0x0000}, 0x0000}, {{0x0407, 0x0409, 0x0C04}, 0x0409},
      {{0x0407, 0x040C}, 0x0407}, {{0x0004, 0x0404}, 0x0004},
  };
  for (const Row& row : rows) {
    PeWriter w;
    for (uint16_t language : row.stored)
      w.Add(14, 1, FromText(std::to_string(language)), language);
    Bytes file = w.Build();
    auto found = ResourceDirectory::Open(file)->Find(ResourceId::Number(14), ResourceId::Number(1));
    ASSERT_TRUE(found.ok());
    EXPECT_EQ(Text(*found), std::to_string(row.expected)) << "first stored " << row.stored[0];
  }
}

TEST(PeResourcesTest, WriterOutputReadsTheSameInTheReferenceTool) {
  if (ts::RunCommand("command -v wrestool >/dev/null") != 0) GTEST_SKIP() << "icoutils missing";
  PeWriter w(PeWriter::Format::Pe32Plus);
  for (uint16_t i = 1; i <= 5; ++i)
    w.Add(14, i, FromText("group"));
  w.Add(14, u"NAMED", FromText("group"));
  ts::TempDir dir;
  ts::WriteBytes(dir / "m.dll", w.Build());
  std::string listing;
  ASSERT_EQ(ts::RunCommand("wrestool -l -t14 '" + (dir / "m.dll").string() + "'", &listing), 0);
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 6) << listing;
  EXPECT_NE(listing.find("--name='NAMED'"), std::string::npos) << listing;
}

// A module with one group (type 14, id 1) of two images (type 3, ids 1 and 2).
struct Module {
  Bytes file;
  PeWriter::Layout layout;
};
Module SmallModule() {
  ts::DibRecipe recipe;
  recipe.bitCount = 4;
  PeWriter w;
  w.AddIconGroup(1, ts::MakeIcoFile({ts::MakeIconDib(recipe), ts::MakeIconDib(recipe)}));
  Bytes file = w.Build();
  return {file, w.layout()};
}

// Offsets inside the small module, read from its own directory.
uint32_t Root(const Module& m) {
  return m.layout.resourceSection;
}
uint32_t TypeEntry(const Module& m, int i) {
  return Root(m) + 16 + 8 * i;
}  // 0: icons, 1: groups
uint32_t Target(const Module& m, uint32_t entry) {
  return Root(m) + (GetU32(m.file, entry + 4) & 0x7FFFFFFF);
}
uint32_t GroupNameEntry(const Module& m) {
  return Target(m, TypeEntry(m, 1)) + 16;
}
uint32_t GroupDataEntry(const Module& m) {
  return Target(m, Target(m, GroupNameEntry(m)) + 16);
}

struct HostileCase {
  const char* name;
  std::function<void(Module&)> damage;
  PeError expected;  // from opening, or else from finding the group
};

class PeHostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(PeHostileTest, FailsWithItsReason) {
  Module m = SmallModule();
  GetParam().damage(m);
  auto dir = ResourceDirectory::Open(m.file);
  PeError error;
  if (!dir) {
    error = dir.error();
  } else {
    auto group = dir->Find(ResourceId::Number(14), ResourceId::Number(1));
    ASSERT_FALSE(group.ok());
    error = group.error();
    (void)dir->Names(ResourceId::Number(14));  // must not crash either
    (void)dir->Names(ResourceId::Number(3));
  }
  EXPECT_EQ(error, GetParam().expected) << ToString(error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PeHostileTest,
    ::testing::Values(
        HostileCase{"Empty", [](Module& m) { m.file.clear(); }, PeError::Truncated},
        HostileCase{"NoDosSignature", [](Module& m) { m.file[0] = 'X'; }, PeError::NotPe},
        HostileCase{"PeOffsetPastEnd", [](Module& m) { PutU32(m.file, 0x3C, 0xFFFFFFF0); },
                    PeError::Truncated},
        HostileCase{"NoPeSignature", [](Module& m) { m.file[m.layout.peHeader] = 'X'; },
                    PeError::NotPe},
        HostileCase{"UnknownOptionalHeader",
                    [](Module& m) { PutU16(m.file, m.layout.optionalHeader, 0x999); },
                    PeError::BadHeader},
        HostileCase{"OptionalHeaderPastEnd",
                    [](Module& m) { PutU16(m.file, m.layout.peHeader + 20, 0xFFFF); },
                    PeError::Truncated},
        HostileCase{"SectionCount65535",
                    [](Module& m) { PutU16(m.file, m.layout.peHeader + 6, 0xFFFF); },
                    PeError::BadHeader},
        HostileCase{"SectionTableCut", [](Module& m) { m.file.resize(m.layout.sectionTable + 20); },
                    PeError::Truncated},
        HostileCase{"TwoDataDirectories",
                    [](Module& m) { PutU32(m.file, m.layout.optionalHeader + 92, 2); },
                    PeError::NoResources},
        HostileCase{"ResourceRvaZero",
                    [](Module& m) { PutU32(m.file, m.layout.optionalHeader + 112, 0); },
                    PeError::NoResources},
        HostileCase{"ResourceRvaOutsideSections",
                    [](Module& m) { PutU32(m.file, m.layout.optionalHeader + 112, 0x900000); },
                    PeError::BadRva},
        HostileCase{"SectionDataPastEnd",
                    [](Module& m) { PutU32(m.file, m.layout.sectionTable + 20, 0x7FFFFF00); },
                    PeError::BadRva},
        HostileCase{"RootCount65535", [](Module& m) { PutU16(m.file, Root(m) + 14, 0xFFFF); },
                    PeError::BadDirectory},
        HostileCase{"TypeDirectoryPastEnd",
                    [](Module& m) { PutU32(m.file, TypeEntry(m, 1) + 4, 0xFFFFFFF0); },
                    PeError::BadDirectory},
        HostileCase{"TypeEntryIsData",
                    [](Module& m) {
                      PutU32(m.file, TypeEntry(m, 1) + 4,
                             GetU32(m.file, TypeEntry(m, 1) + 4) & 0x7FFFFFFF);
                    },
                    PeError::BadDirectory},
        HostileCase{"LanguageLevelLoopsToRoot",
                    [](Module& m) { PutU32(m.file, GroupNameEntry(m) + 4, 0x80000000); },
                    PeError::BadDirectory},
        HostileCase{"LanguageLevelLoopsToItself",
                    [](Module& m) {
                      uint32_t names = Target(m, TypeEntry(m, 1));
                      PutU32(m.file, GroupNameEntry(m) + 4, 0x80000000 | (names - Root(m)));
                    },
                    PeError::BadDirectory},
        HostileCase{"DataEntryPastEnd",
                    [](Module& m) {
                      uint32_t language = Target(m, GroupNameEntry(m)) + 16;
                      PutU32(m.file, language + 4, 0x7FFFFFF0);
                    },
                    PeError::BadDirectory},
        HostileCase{"DataRvaPastSection",
                    [](Module& m) { PutU32(m.file, GroupDataEntry(m), 0x00FF0000); },
                    PeError::BadRva},
        HostileCase{"DataSizeHuge",
                    [](Module& m) { PutU32(m.file, GroupDataEntry(m) + 4, 0xFFFFFFFF); },
                    PeError::BadRva}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PeHostileTest, BadStringNamesAreRefused) {
  PeWriter w;
  w.Add(14, u"GROUP", FromText("g"));
  Bytes file = w.Build();
  uint32_t entry = w.layout().firstSubdirectory + 16;
  Bytes pastEnd = file;
  PutU32(pastEnd, entry, 0x80000000 | 0x7FFFFFF0);
  auto dir = *ResourceDirectory::Open(pastEnd);
  EXPECT_EQ(dir.Names(ResourceId::Number(14)).error(), PeError::BadDirectory);
  EXPECT_EQ(dir.Find(ResourceId::Number(14), ResourceId::String(u"GROUP")).error(),
            PeError::BadDirectory);

  Bytes longName = file;
  uint32_t string = w.layout().resourceSection + (GetU32(file, entry) & 0x7FFFFFFF);
  PutU16(longName, string, 0xFFFF);
  dir = *ResourceDirectory::Open(longName);
  EXPECT_EQ(dir.Names(ResourceId::Number(14)).error(), PeError::BadDirectory);
}

TEST(PeHostileTest, ZeroSizedResourceIsEmpty) {
  PeWriter w;
  w.Add(14, 1, {});
  Bytes file = w.Build();
  auto found = ResourceDirectory::Open(file)->Find(ResourceId::Number(14), ResourceId::Number(1));
  ASSERT_TRUE(found.ok());
  EXPECT_TRUE(found->empty());
}

TEST(PeHostileTest, EveryPrefixOfAModuleFailsCleanly) {
  Module m = SmallModule();
  for (size_t n = 0; n < m.file.size(); n += 7) {
    auto dir = ResourceDirectory::Open(std::span(m.file.data(), n));
    if (!dir) continue;
    (void)dir->Names(ResourceId::Number(14));
    (void)dir->Find(ResourceId::Number(14), ResourceId::Number(1));
    (void)dir->Find(ResourceId::Number(3), ResourceId::Number(2));
  }
  EXPECT_TRUE(ResourceDirectory::Open(m.file).ok());
}

}  // namespace
}  // namespace platform::pe
