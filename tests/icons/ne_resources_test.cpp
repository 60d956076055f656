#include "platform/core/ne/resources.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/core/pe/module_resources.h"
#include "tests/support/icon_images.h"
#include "tests/support/ne_writer.h"
#include "tests/support/pe_writer.h"

namespace platform::ne {
namespace {

namespace ts = testing_support;
using pe::ModuleFormat;
using pe::ModuleResources;
using ts::Bytes;
using ts::NeWriter;
using ts::PutU16;

std::string Text(std::span<const uint8_t> bytes) {
  return std::string(bytes.begin(), bytes.end());
}
Bytes FromText(std::string_view s) {
  return Bytes(s.begin(), s.end());
}
// A resource's stored bytes: its data padded with zeros to whole units.
std::string Padded(std::string_view s, uint16_t shift) {
  size_t unit = size_t{1} << shift;
  return std::string(s) + std::string((unit - s.size() % unit) % unit, '\0');
}

TEST(NeResourcesTest, NamesInTableOrderAndFindGivesTheStoredUnits) {
  for (uint16_t shift : {4, 9}) {
    SCOPED_TRACE(shift);
    NeWriter w(shift);
    w.Add(14, 300, FromText("three hundred"));
    w.Add(14, u"Zeta", FromText("zeta"));
    w.Add(3, 1, FromText("image"));
    w.Add(14, 7, FromText("seven"));
    w.Add(u"CUSTOM", 1, FromText("custom"));
    w.Add(14, u"图标", FromText("chinese"));
    Bytes file = w.Build();

    auto module = ModuleResources::Open(file);
    ASSERT_TRUE(module.ok()) << pe::ToString(module.error());
    EXPECT_EQ(module->format(), ModuleFormat::Ne);
    auto names = module->Names(ResourceId::Number(14));
    ASSERT_TRUE(names.ok());
    std::vector<ResourceId> expected = {ResourceId::Number(300), ResourceId::String(u"Zeta"),
                                        ResourceId::Number(7), ResourceId::String(u"图标")};
    EXPECT_EQ(*names, expected);

    auto find = [&](const ResourceId& type, const ResourceId& name) {
      auto found = module->Find(type, name);
      return found ? Text(*found) : "error: " + std::string(pe::ToString(found.error()));
    };
    const ResourceId group = ResourceId::Number(14);
    EXPECT_EQ(find(group, ResourceId::Number(300)), Padded("three hundred", shift));
    EXPECT_EQ(find(group, ResourceId::String(u"ZETA")), Padded("zeta", shift));
    EXPECT_EQ(find(group, ResourceId::String(u"图标")), Padded("chinese", shift));
    EXPECT_EQ(find(ResourceId::String(u"custom"), ResourceId::Number(1)), Padded("custom", shift));
    EXPECT_EQ(find(group, ResourceId::Number(8)), "error: no such resource");
    EXPECT_EQ(find(group, ResourceId::Number(0x8000 | 7)), "error: no such resource");
    EXPECT_EQ(find(ResourceId::Number(5), ResourceId::Number(7)), "error: no such resource");
    EXPECT_TRUE(module->Names(ResourceId::Number(5))->empty());
  }
}

// A type of many entries is searched through an index: names without regard to case, ids in
// any order, the first in the table of equal ones, as a walk through the table finds them.
TEST(NeResourcesTest, ATypeOfManyEntriesFindsEachByNameAndIdInTableOrder) {
  NeWriter w(0);
  for (int i = 0; i < 40; ++i) {
    const int n = (i * 17) % 40;  // ids and names out of order
    w.Add(14, 500 - n, FromText("id" + std::to_string(n)));
    std::string name = "Group" + std::to_string(n);
    w.Add(14, std::u16string(name.begin(), name.end()), FromText("name" + std::to_string(n)));
  }
  w.Add(14, 500, FromText("second id0"));
  w.Add(14, u"GROUP0", FromText("second name0"));
  Bytes file = w.Build();
  auto table = *ModuleResources::Open(file);
  for (int n = 0; n < 40; ++n) {
    std::string name = "gROUP" + std::to_string(n);
    EXPECT_EQ(Text(*table.Find(ResourceId::Number(14), ResourceId::Number(500 - n))),
              "id" + std::to_string(n));
    EXPECT_EQ(Text(*table.Find(ResourceId::Number(14),
                               ResourceId::String(std::u16string(name.begin(), name.end())))),
              "name" + std::to_string(n));
  }
  EXPECT_EQ(table.Find(ResourceId::Number(14), ResourceId::Number(400)).error(), PeError::NotFound);
  EXPECT_EQ(table.Find(ResourceId::Number(14), ResourceId::String(u"Group40")).error(),
            PeError::NotFound);
}

TEST(NeResourcesTest, TheFormatComesFromTheNewHeadersSignature) {
  ts::PeWriter pe32, pe32Plus(ts::PeWriter::Format::Pe32Plus);
  pe32.Add(14, 1, FromText("g"));
  pe32Plus.Add(14, 1, FromText("g"));
  NeWriter ne;
  ne.Add(14, 1, FromText("g"));
  Bytes dos = ne.Build();
  dos[0x40] = 'L';  // "LE": no format read here
  const std::pair<Bytes, std::optional<ModuleFormat>> rows[] = {
      {pe32.Build(), ModuleFormat::Pe32}, {pe32Plus.Build(), ModuleFormat::Pe32Plus},
      {ne.Build(), ModuleFormat::Ne},     {dos, std::nullopt},
      {Bytes{'M', 'Z'}, std::nullopt},    {FromText("NE and more text"), std::nullopt},
  };
  for (const auto& [file, format] : rows) {
    EXPECT_EQ(pe::SniffModuleFormat(file), format) << file.size();
    auto module = ModuleResources::Open(file);
    EXPECT_EQ(module.ok(), format.has_value()) << file.size();
    if (!module) continue;
    EXPECT_EQ(module->format(), *format);
    EXPECT_EQ(Text(*module->Find(ResourceId::Number(14), ResourceId::Number(1))).substr(0, 1), "g");
  }
}

// A module of one named group of two images and one numbered group, with an alignment of 16.
struct Module {
  Bytes file;
  NeWriter::Layout layout;
};
Module SmallModule() {
  ts::DibRecipe recipe;
  recipe.bitCount = 4;
  NeWriter w;
  w.AddIconGroup(u"MAIN", ts::MakeIcoFile({ts::MakeIconDib(recipe), ts::MakeIconDib(recipe)}));
  w.AddIconGroup(9, ts::MakeIcoFile({ts::MakeIconDib(recipe)}));
  Bytes file = w.Build();
  return {file, w.layout()};
}
// The types are icons (3 entries) first, then groups (2 entries).
uint32_t IconType(const Module& m) {
  return m.layout.resourceTable + 2;
}
uint32_t GroupType(const Module& m) {
  return IconType(m) + 8 + 3 * 12;
}
uint32_t GroupEntry(const Module& m, int i) {
  return GroupType(m) + 8 + 12 * i;
}

struct HostileCase {
  const char* name;
  std::function<void(Module&)> damage;
  PeError expected;  // from opening, else from listing the groups, else from finding "MAIN"
};

class NeHostileTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(NeHostileTest, FailsWithItsReason) {
  Module m = SmallModule();
  GetParam().damage(m);
  auto module = ResourceTable::Open(m.file, m.layout.neHeader);
  PeError error = PeError::NotFound;
  if (!module) {
    error = module.error();
  } else if (auto names = module->Names(ResourceId::Number(14)); !names) {
    error = names.error();
  } else {
    auto group = module->Find(ResourceId::Number(14), ResourceId::String(u"main"));
    ASSERT_FALSE(group.ok());
    error = group.error();
    (void)module->Find(ResourceId::Number(3), ResourceId::Number(2));  // must not crash either
    (void)module->Names(ResourceId::String(u"TYPE"));
  }
  EXPECT_EQ(error, GetParam().expected) << pe::ToString(error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NeHostileTest,
    ::testing::Values(
        HostileCase{"Empty", [](Module& m) { m.file.clear(); }, PeError::Truncated},
        HostileCase{"HeaderCut", [](Module& m) { m.file.resize(m.layout.neHeader + 0x30); },
                    PeError::Truncated},
        HostileCase{"NoResourceTable",
                    [](Module& m) {
                      PutU16(m.file, m.layout.neHeader + 0x24,
                             ts::GetU16(m.file, m.layout.neHeader + 0x26));
                    },
                    PeError::NoResources},
        HostileCase{"ResourceTablePastEnd",
                    [](Module& m) { PutU16(m.file, m.layout.neHeader + 0x24, 0xFFF0); },
                    PeError::BadDirectory},
        HostileCase{"Shift31", [](Module& m) { PutU16(m.file, m.layout.resourceTable, 31); },
                    PeError::BadDirectory},
        HostileCase{"Count65535", [](Module& m) { PutU16(m.file, GroupType(m) + 2, 0xFFFF); },
                    PeError::BadDirectory},
        HostileCase{"TypesNeverEnd",
                    [](Module& m) {
                      // Type entries without names up to the end of the file, no terminator.
                      m.file.resize(IconType(m));
                      for (int i = 0; i < 4096; ++i)
                        ts::AppendU32(m.file, 0x8001), ts::AppendU32(m.file, 0);
                    },
                    PeError::BadDirectory},
        HostileCase{"TooManyTypes",
                    [](Module& m) {
                      m.file.resize(IconType(m));
                      for (size_t i = 0; i <= kMaxTypes; ++i)
                        ts::AppendU32(m.file, 0x8001), ts::AppendU32(m.file, 0);
                      ts::AppendU16(m.file, 0);
                    },
                    PeError::BadDirectory},
        HostileCase{"NamePastEnd", [](Module& m) { PutU16(m.file, GroupEntry(m, 0) + 6, 0x7FF0); },
                    PeError::BadDirectory},
        HostileCase{"NameLengthPastEnd",
                    [](Module& m) {
                      m.file.resize(m.layout.nameStrings + 3);
                      m.file.back() = 0xFF;
                      m.file[m.layout.nameStrings] = 0xFF;
                    },
                    PeError::BadDirectory},
        HostileCase{"DataPastEnd", [](Module& m) { PutU16(m.file, GroupEntry(m, 0), 0xFFFF); },
                    PeError::BadRva},
        HostileCase{"LengthPastEnd",
                    [](Module& m) { PutU16(m.file, GroupEntry(m, 0) + 2, 0xFFFF); },
                    PeError::BadRva},
        HostileCase{"ShiftReachesPastEnd",
                    [](Module& m) { PutU16(m.file, m.layout.resourceTable, kMaxAlignShift); },
                    PeError::BadRva}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NeHostileTest, EveryPrefixOfAModuleFailsCleanly) {
  Module m = SmallModule();
  for (size_t n = 0; n < m.file.size(); ++n) {
    auto module = ModuleResources::Open(std::span(m.file.data(), n));
    if (!module) continue;
    (void)module->Names(ResourceId::Number(14));
    (void)module->Find(ResourceId::Number(14), ResourceId::String(u"MAIN"));
    (void)module->Find(ResourceId::Number(3), ResourceId::Number(3));
  }
  EXPECT_TRUE(ModuleResources::Open(m.file).ok());
}

}  // namespace
}  // namespace platform::ne
