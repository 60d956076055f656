// The unit types' own settings: layouts byte for byte, versions, defaults, and the checks that
// keep a damaged block from being trusted.
#include <gtest/gtest.h>

#include "frame/form/type_data.h"
#include "frame/form/unit_types.h"
#include "frame/literal.h"
#include "tests/form/form_bytes.h"

namespace frame::form {
namespace {

using form_test::Bytes;

int32_t Id(UnitType type) {
  return static_cast<int32_t>(type);
}

// The default settings of each type, as the frame reads empty type data.
UnitTypeData DefaultsOf(UnitType type) {
  auto data = ReadTypeData(Id(type), {});
  EXPECT_TRUE(data.ok());
  return data.ok() ? *data : UnitTypeData{};
}

TEST(TypeDataTest, VersionsAboveTheHighestAndShortBlocksAreRefusedForEveryType) {
  for (const UnitTypeInfo& info : kUnitTypes) {
    SCOPED_TRACE(info.name);
    auto newer = Bytes().I32(info.highestVersion + 1).Zeros(64).b;
    auto data = ReadTypeData(Id(info.type), newer, 100);
    ASSERT_FALSE(data.ok());
    EXPECT_EQ(data.error(), (FormError{FormErrorReason::VersionTooHigh, 100}));

    auto versionOnly = Bytes().I32(info.highestVersion).b;
    data = ReadTypeData(Id(info.type), versionOnly, 100);
    ASSERT_FALSE(data.ok());
    EXPECT_EQ(data.error(), (FormError{FormErrorReason::EndOfData, 104}));

    size_t layoutSize = 1;
    data = ReadTypeData(Id(info.type), {}, 0, &layoutSize);
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(layoutSize, 0u);
  }
  auto unknown = ReadTypeData(0x10002, Bytes().I32(1).b, 7);
  ASSERT_FALSE(unknown.ok());
  EXPECT_EQ(unknown.error(), (FormError{FormErrorReason::UnknownUnitType, 7}));
}

TEST(TypeDataTest, EmptyTypeDataGivesTheDefaults) {
  ComboBoxData combo = std::get<ComboBoxData>(DefaultsOf(UnitType::ComboBox));
  EXPECT_TRUE(combo.items.empty());
  EXPECT_EQ(combo.currentIndex, -1);
  EXPECT_EQ(combo.style, ComboStyle::DropDown);
  EXPECT_TRUE(std::get<ListBoxData>(DefaultsOf(UnitType::ListBox)).items.empty());
  EXPECT_TRUE(std::get<ButtonData>(DefaultsOf(UnitType::Button)).caption.empty());
  EXPECT_EQ(std::get<ButtonData>(DefaultsOf(UnitType::Button)).horizontal,
            HorizontalAlignment::Centre);
  EXPECT_TRUE(std::get<EditBoxData>(DefaultsOf(UnitType::EditBox)).content.empty());
  EXPECT_EQ(std::get<WindowData>(DefaultsOf(UnitType::Window)).background, kButtonFace);
  EXPECT_EQ(std::get<LabelData>(DefaultsOf(UnitType::Label)).textColour, kBlack);
}

// A drop-down list laid out field by field as the form stores it at version 3.
Bytes ComboBoxBytes(int32_t current, const std::vector<uint8_t>& values) {
  Bytes b;
  b.I32(3);
  b.I32s({2, 40, 0, 0, 1, 3, 0x0000FF, 0x00FFEE, current});  // style .. current index
  b.Counted("");                                             // font
  b.Counted(values);
  b.Counted("text");
  b.U16(3).Counted("a").Counted("bb").Counted("");
  b.Counted("x").Counted("y").I32(9);
  return b;
}

TEST(TypeDataTest, ReadsAComboBoxFieldByField) {
  auto bytes = ComboBoxBytes(1, Bytes().I32s({10, 20}).b).b;
  size_t layoutSize = 0;
  auto data = ReadTypeData(Id(UnitType::ComboBox), bytes, 0, &layoutSize);
  ASSERT_TRUE(data.ok()) << ToString(data.error());
  EXPECT_EQ(layoutSize, bytes.size());
  const auto& d = std::get<ComboBoxData>(*data);
  EXPECT_EQ(d.style, ComboStyle::DropDownList);
  EXPECT_EQ(d.maxLength, 40);
  EXPECT_TRUE(d.sorted);
  EXPECT_EQ(d.extraItemHeight, 3);
  EXPECT_EQ(d.textColour, 0x0000FFu);
  EXPECT_EQ(d.background, 0x00FFEEu);
  EXPECT_EQ(d.currentIndex, 1);
  EXPECT_TRUE(d.font.empty());
  EXPECT_EQ(d.content.bytes(), "text");
  EXPECT_EQ(d.items, std::vector<Text>({Text("a"), Text("bb"), Text()}));
  EXPECT_EQ(d.itemValues, std::vector<int32_t>({10, 20, 0}));  // the third item has none stored
}

TEST(TypeDataTest, ComboBoxCurrentIndexIsClampedToTheItems) {
  struct Case {
    int32_t stored;
    int32_t read;
  };
  for (Case c : {Case{-1, -1}, Case{-7, -1}, Case{2, 2}, Case{3, 2}, Case{INT32_MAX, 2},
                 Case{INT32_MIN, -1}}) {
    auto data = ReadTypeData(Id(UnitType::ComboBox), ComboBoxBytes(c.stored, {}).b);
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(std::get<ComboBoxData>(*data).currentIndex, c.read) << c.stored;
  }
}

TEST(TypeDataTest, ItemValuesBeyondTheItemsAreDroppedAndBrokenValueBlocksRefused) {
  auto data =
      ReadTypeData(Id(UnitType::ComboBox), ComboBoxBytes(0, Bytes().I32s({1, 2, 3, 4, 5}).b).b);
  ASSERT_TRUE(data.ok());
  EXPECT_EQ(std::get<ComboBoxData>(*data).itemValues, std::vector<int32_t>({1, 2, 3}));

  auto broken = ReadTypeData(Id(UnitType::ComboBox), ComboBoxBytes(0, {1, 2, 3}).b, 1000);
  ASSERT_FALSE(broken.ok());
  // version, 9 settings and the empty font come before the value block.
  EXPECT_EQ(broken.error(), (FormError{FormErrorReason::BadItemValues, 1000 + 4 + 36 + 4}));
}

// A list box whose item list uses the escape: 0xFFFF, then the count as 32 bits.
TEST(TypeDataTest, TextListsReadTheEscapedCountLikeAnyOther) {
  Bytes b;
  b.I32(1).Zeros(8).Counted("").Counted(Bytes().I32(5).b);
  b.U16(0xFFFF).I32(2).Counted("one").Counted("two");
  size_t layoutSize = 0;
  auto data = ReadTypeData(Id(UnitType::ListBox), b.b, 0, &layoutSize);
  ASSERT_TRUE(data.ok()) << ToString(data.error());
  EXPECT_EQ(layoutSize, b.b.size());
  const auto& d = std::get<ListBoxData>(*data);
  EXPECT_EQ(d.items, std::vector<Text>({Text("one"), Text("two")}));
  EXPECT_EQ(d.itemValues, std::vector<int32_t>({5, 0}));
}

TEST(TypeDataTest, HugeTextListCountsAreRefusedBeforeAnythingIsAllocated) {
  struct Case {
    const char* what;
    Bytes count;
    FormErrorReason reason;
  };
  Case cases[] = {
      {"escaped 32-bit count", Bytes().U16(0xFFFF).I32(0xFFFFFFFF), FormErrorReason::CountTooLarge},
      {"16-bit count", Bytes().U16(0xFFFE), FormErrorReason::CountTooLarge},
      // Small enough to pass the first check; the second text then runs out of data.
      {"count above the texts", Bytes().U16(0xFFFF).I32(2), FormErrorReason::EndOfData},
  };
  for (Case& c : cases) {
    Bytes b;
    b.I32(1).Zeros(8).Counted("").Counted("").Raw(c.count.b).Counted("only one");
    auto data = ReadTypeData(Id(UnitType::ListBox), b.b, 0);
    ASSERT_FALSE(data.ok()) << c.what;
    EXPECT_EQ(data.error().reason, c.reason) << c.what;
  }
}

TEST(TypeDataTest, LayoutsDependOnTheVersion) {
  // A tab control before version 3 has no background colour; a label of version 1 no two texts.
  Bytes tab2;
  tab2.I32(2).I32s({1, 2, 3, 4}).Counted("").U16(1).Counted("page");
  size_t layoutSize = 0;
  auto tab = ReadTypeData(Id(UnitType::Tab), tab2.b, 0, &layoutSize);
  ASSERT_TRUE(tab.ok()) << ToString(tab.error());
  EXPECT_EQ(layoutSize, tab2.b.size());
  EXPECT_EQ(std::get<TabData>(*tab).background, kButtonFace);
  EXPECT_EQ(std::get<TabData>(*tab).pages, std::vector<Text>({Text("page")}));

  Bytes label1;
  label1.I32(1).I32s({0, 0, 5, 0, 0, 0, 0x112233, 0x445566}).Zeros(8);
  label1.Counted("").Counted("").Counted("caption");
  auto label = ReadTypeData(Id(UnitType::Label), label1.b, 0, &layoutSize);
  ASSERT_TRUE(label.ok()) << ToString(label.error());
  EXPECT_EQ(layoutSize, label1.b.size());
  const auto& l = std::get<LabelData>(*label);
  EXPECT_EQ(l.border, BorderStyle::Thin);
  EXPECT_EQ(l.textColour, 0x112233u);
  EXPECT_EQ(l.background, 0x445566u);
  EXPECT_EQ(l.caption.bytes(), "caption");

  // A window of version 1 has none of the settings later versions added.
  Bytes window1;
  window1.I32(1).I32s({0, 0, 0x00ABCDEF}).Zeros(10).Counted("").Counted("").Counted("");
  window1.Counted("title").Counted("");
  auto window = ReadTypeData(Id(UnitType::Window), window1.b, 0, &layoutSize);
  ASSERT_TRUE(window.ok()) << ToString(window.error());
  EXPECT_EQ(layoutSize, window1.b.size());
  EXPECT_EQ(std::get<WindowData>(*window).background, 0x00ABCDEFu);
  EXPECT_EQ(std::get<WindowData>(*window).title.bytes(), "title");
}

TEST(TypeDataTest, NegativeAndOverlongLengthsInsideTypeDataAreRefused) {
  auto negative = Bytes().I32(1).I32s({0, 1, 1}).Counted("").Counted("").I32(-1).b;
  auto data = ReadTypeData(Id(UnitType::Button), negative, 0);
  ASSERT_FALSE(data.ok());
  EXPECT_EQ(data.error(), (FormError{FormErrorReason::NegativeLength, 24}));

  auto overlong = Bytes().I32(1).I32s({0, 1, 1}).Counted("").Counted("").I32(100).Raw("abc").b;
  data = ReadTypeData(Id(UnitType::Button), overlong, 0);
  ASSERT_FALSE(data.ok());
  EXPECT_EQ(data.error(), (FormError{FormErrorReason::EndOfData, 24}));
}

}  // namespace
}  // namespace frame::form
