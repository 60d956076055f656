// The form parser on damaged and hand-made blocks: every failure is an error value with its
// reason and offset, never a read past the end.
#include <gtest/gtest.h>

#include "frame/form/form.h"
#include "frame/form/type_data.h"
#include "frame/form/unit_types.h"
#include "tests/form/form_bytes.h"
#include "tests/support/fixtures.h"
#include "ui/main_window_form.h"

namespace frame::form {
namespace {

using form_test::Bytes;
using form_test::OneWindowForm;
using form_test::UnitRecordBytes;

constexpr int32_t kOwnEntry = 0x06010000;
constexpr int32_t kButton = 0x16000001;
constexpr int32_t kButtonType = static_cast<int32_t>(UnitType::Button);
constexpr int32_t kWindowType = static_cast<int32_t>(UnitType::Window);

std::vector<uint8_t> MainFormBytes() {
  auto form = ui::MainWindowForm();
  return {form.begin(), form.end()};
}

// The main form's layout up to its unit table: the window index (4 + 8 bytes), two values, two
// empty texts, the unit count and the table's length.
constexpr size_t kTableStart = 12 + 8 + 8 + 4 + 4;
constexpr size_t kEntries = 47;
constexpr size_t kOffsetsStart = kTableStart + 4 * kEntries;

void PutInt32(std::vector<uint8_t>& bytes, size_t at, int64_t value) {
  auto b = Bytes().I32(value).b;
  std::copy(b.begin(), b.end(), bytes.begin() + static_cast<ptrdiff_t>(at));
}

FormError ParseError(const std::vector<uint8_t>& bytes) {
  auto parsed = Parse(bytes);
  EXPECT_FALSE(parsed.ok());
  return parsed.ok() ? FormError{} : parsed.error();
}

TEST(FormParserTest, EveryTruncatedPrefixOfTheMainFormIsAnErrorWithinThePrefix) {
  std::vector<uint8_t> form = MainFormBytes();
  for (size_t length = 0; length < form.size(); ++length) {
    // A copy of exactly `length` bytes, so the sanitizers see any read past it.
    std::vector<uint8_t> prefix(form.begin(), form.begin() + static_cast<ptrdiff_t>(length));
    auto parsed = Parse(prefix);
    ASSERT_FALSE(parsed.ok()) << length;
    EXPECT_LE(parsed.error().offset, length) << length;
    EXPECT_TRUE(parsed.error().reason == FormErrorReason::EndOfData ||
                parsed.error().reason == FormErrorReason::CountTooLarge)
        << length << ": " << ToString(parsed.error());
  }
}

TEST(FormParserTest, TheMainFormParsesToItsExactEnd) {
  std::vector<uint8_t> form = MainFormBytes();
  ASSERT_TRUE(Parse(form).ok());
  form.push_back(0);
  EXPECT_EQ(ParseError(form), (FormError{FormErrorReason::TrailingData, form.size() - 1}));
}

TEST(FormParserTest, RecordOffsetsOutsideTheTableAreRefused) {
  const std::vector<uint8_t> form = MainFormBytes();
  const size_t tableEnd = form.size();  // the only window's table ends the block
  const size_t recordsStart = kOffsetsStart + 4 * kEntries;
  struct Case {
    int64_t offset;
    FormErrorReason reason;
  };
  const Case cases[] = {
      {static_cast<int64_t>(tableEnd - recordsStart) + 1, FormErrorReason::RecordOutsideTable},
      {0x7FFFFFFF, FormErrorReason::RecordOutsideTable},
      {-4, FormErrorReason::RecordOutsideTable},
      // At the very end: no room for the record's length.
      {static_cast<int64_t>(tableEnd - recordsStart), FormErrorReason::EndOfData},
  };
  for (const Case& c : cases) {
    for (size_t entry : {size_t{0}, kEntries - 1}) {
      std::vector<uint8_t> damaged = form;
      PutInt32(damaged, kOffsetsStart + 4 * entry, c.offset);
      FormError error = ParseError(damaged);
      EXPECT_EQ(error.reason, c.reason) << c.offset << " " << ToString(error);
      if (c.reason == FormErrorReason::RecordOutsideTable && c.offset < 0) {
        EXPECT_EQ(error.offset, kOffsetsStart + 4 * entry);
      }
    }
  }
}

// Offsets that make records share bytes would let a small block expand into many copies.
TEST(FormParserTest, OverlappingRecordsAreRefused) {
  auto big = UnitRecordBytes(kWindowType, "", {}, std::vector<uint8_t>(1000, 1));
  auto small = UnitRecordBytes(kButtonType, "b", {}, {});
  std::vector<uint8_t> form = OneWindowForm({kOwnEntry, kButton}, {big, small});
  ASSERT_TRUE(Parse(form).ok());
  const size_t secondOffset = kTableStart + 8 + 4;
  PutInt32(form, secondOffset, 0);  // the button's record offset now names the window's record
  EXPECT_EQ(ParseError(form), (FormError{FormErrorReason::RecordsOverlap, kTableStart + 16}));
}

TEST(FormParserTest, DamagedCountsAndLengthsNameTheirReasonAndOffset) {
  const std::vector<uint8_t> form = MainFormBytes();
  struct Case {
    const char* what;
    size_t at;
    int64_t value;
    FormError expected;
  };
  const Case cases[] = {
      {"index length not 8 per window", 0, 7, {FormErrorReason::BadWindowIndex, 0}},
      {"negative index length", 0, -8, {FormErrorReason::NegativeLength, 0}},
      {"index longer than the block", 0, 0x7FFFFFF8, {FormErrorReason::EndOfData, 0}},
      {"negative first text", 20, -1, {FormErrorReason::NegativeLength, 20}},
      {"no own entry", 28, 0, {FormErrorReason::EmptyUnitTable, 28}},
      {"negative unit count", 28, -1, {FormErrorReason::NegativeLength, 28}},
      {"unit count beyond the table", 28, 0x10000000, {FormErrorReason::CountTooLarge, 28}},
      {"table longer than the block", 32, 0x7FFFFFFF, {FormErrorReason::EndOfData, 32}},
      {"unknown kind of entry",
       kTableStart,
       0x36000001,
       {FormErrorReason::UnknownEntryKind, kTableStart}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> damaged = form;
    PutInt32(damaged, c.at, c.value);
    EXPECT_EQ(ParseError(damaged), c.expected) << c.what << ": " << ToString(ParseError(damaged));
  }
}

TEST(FormParserTest, DamagedRecordsAreRefused) {
  auto good = UnitRecordBytes(kButtonType, "b", {}, {});
  ASSERT_TRUE(Parse(OneWindowForm({kOwnEntry, kButton}, {good, good})).ok());

  std::vector<uint8_t> noZero = Bytes().I32(kButtonType).Zeros(5).Raw("name").b;
  FormError error = ParseError(OneWindowForm({kOwnEntry}, {noZero}));
  EXPECT_EQ(error.reason, FormErrorReason::UnterminatedText);

  std::vector<uint8_t> manyEvents = good;
  // The event count sits 4 + 20 + 2 + 1 + 4 + 16 + 4 + 4 + 4 + 8 + 1 + 12 bytes into the record.
  PutInt32(manyEvents, 80, 0x40000000);
  error = ParseError(OneWindowForm({kOwnEntry}, {manyEvents}));
  EXPECT_EQ(error.reason, FormErrorReason::CountTooLarge);

  std::vector<uint8_t> manyChildren = good;
  PutInt32(manyChildren, 55, 0x40000000);
  error = ParseError(OneWindowForm({kOwnEntry}, {manyChildren}));
  EXPECT_EQ(error.reason, FormErrorReason::CountTooLarge);
}

TEST(FormParserTest, ReadsEveryFieldOfAUnitRecord) {
  Bytes record;
  record.I32(kButtonType).Zeros(5).Zero("按钮").Zero("a remark");
  record.I32(0).I32s({-5, 6, 70, 80}).I32(0).I32(0x16000009);
  record.I32s({3, 0x16000002, 0, 0x16000003});
  record.Counted(Bytes().I32(2).b).Zero("tag").I32(0).I32(kFlagVisible | kFlagTabStop).I32(0);
  record.I32(2).I32s({0, 7, -1, kNoHandler}).Zeros(5).Raw("typedata");
  auto parsed = Parse(
      OneWindowForm({kOwnEntry, kButton}, {UnitRecordBytes(kWindowType, "", {}, {}), record.b}));
  ASSERT_TRUE(parsed.ok()) << ToString(parsed.error());
  const UnitRecord* u = FindUnitRecord(parsed->windows[0].record, kButton);
  ASSERT_NE(u, nullptr);
  EXPECT_EQ(u->typeId, kButtonType);
  EXPECT_EQ(u->name.bytes(), "按钮");
  EXPECT_EQ(u->remark.bytes(), "a remark");
  EXPECT_EQ(std::vector<int32_t>({u->left, u->top, u->width, u->height}),
            std::vector<int32_t>({-5, 6, 70, 80}));
  EXPECT_EQ(u->parentId, 0x16000009);
  EXPECT_EQ(u->children, std::vector<int32_t>({0x16000002, 0, 0x16000003}));
  EXPECT_EQ(ChildPages(*u), (std::vector<std::vector<int32_t>>{{0x16000002}, {0x16000003}}));
  EXPECT_EQ(u->cursorData, ByteSet(Bytes().I32(2).b));
  EXPECT_EQ(u->tag.bytes(), "tag");
  EXPECT_TRUE(u->visible());
  EXPECT_FALSE(u->disabled());
  EXPECT_TRUE(u->tabStop());
  EXPECT_EQ(u->events, std::vector<EventBinding>({{0, 7}, {-1, kNoHandler}}));
  EXPECT_EQ(u->HandlerFor(0), 7);
  EXPECT_EQ(u->HandlerFor(-1), kNoHandler);
  EXPECT_EQ(u->HandlerFor(3), kNoHandler);
  EXPECT_EQ(u->typeData, ByteSet::FromString("typedata"));
  const auto& bytes =
      OneWindowForm({kOwnEntry, kButton}, {UnitRecordBytes(kWindowType, "", {}, {}), record.b});
  EXPECT_EQ(std::string(bytes.begin() + static_cast<ptrdiff_t>(u->typeDataOffset), bytes.end()),
            "typedata");
}

TEST(FormParserTest, ReadsMenuItemsAndFindsEntries) {
  constexpr int32_t kMenuItem = 0x26000005;
  Bytes menu;
  menu.I32(0).Zeros(5).Zero("menu").Zero("").I32s({11, 12}).I32(kMenuChecked).I32(13);
  menu.Zero("&File").I32(3);
  auto parsed = Parse(OneWindowForm({kOwnEntry, kMenuItem, kButton},
                                    {UnitRecordBytes(kWindowType, "", {}, {}), menu.b,
                                     UnitRecordBytes(kButtonType, "b", {}, {})}));
  ASSERT_TRUE(parsed.ok()) << ToString(parsed.error());
  const WindowRecord& window = parsed->windows[0].record;
  ASSERT_NE(FindEntry(window, kMenuItem), nullptr);
  const auto& item = std::get<MenuItemRecord>(*FindEntry(window, kMenuItem));
  EXPECT_EQ(item.name.bytes(), "menu");
  EXPECT_EQ(item.firstValue, 11);
  EXPECT_EQ(item.secondValue, 12);
  EXPECT_EQ(item.flags, kMenuChecked);
  EXPECT_EQ(item.thirdValue, 13);
  EXPECT_EQ(item.caption.bytes(), "&File");
  EXPECT_EQ(item.handler, 3);

  EXPECT_EQ(FindUnitRecord(window, kMenuItem), nullptr);  // not a unit
  EXPECT_EQ(FindUnitRecord(window, 0), FindUnitRecord(window, kOwnEntry));
  ASSERT_NE(FindUnitRecord(window, kButton), nullptr);
  EXPECT_EQ(FindUnitRecord(window, kButton)->name.bytes(), "b");
  EXPECT_EQ(FindEntry(window, 0x16000099), nullptr);
  EXPECT_EQ(parsed->Find(0x52010001), &parsed->windows[0]);
  EXPECT_EQ(parsed->Find(0x52010002), nullptr);
}

TEST(FormParserTest, UnitIdValidityAndKind) {
  struct Case {
    int32_t id;
    bool valid;
    int kind;
  };
  const Case cases[] = {
      {0x06010000, true, 0},  {0x160283F2, true, 1},
      {0x26000001, true, 2},  {0x16000000, false, 1},  // serial 0
      {0x10000001, false, 1},                          // bits 24-27 clear
      {0, false, 0},          {static_cast<int32_t>(0xF6FFFFFF), true, 15},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsValidUnitId(c.id), c.valid) << std::hex << c.id;
    EXPECT_EQ(UnitIdKind(c.id), c.kind) << std::hex << c.id;
  }
}

TEST(FormParserTest, ChildPagesKeepAnUnterminatedLastPage) {
  UnitRecord u;
  u.children = {1, 2, 0, 0, 3};
  EXPECT_EQ(ChildPages(u), (std::vector<std::vector<int32_t>>{{1, 2}, {}, {3}}));
  u.children = {};
  EXPECT_TRUE(ChildPages(u).empty());
}

TEST(FormParserTest, EmptyFormHasNoWindows) {
  auto parsed = Parse(Bytes().I32(0).b);
  ASSERT_TRUE(parsed.ok());
  EXPECT_TRUE(parsed->windows.empty());
  EXPECT_EQ(ParseError({}), (FormError{FormErrorReason::EndOfData, 0}));
}

// Inputs the fuzzer once found harmful; each must be refused or read cleanly.
TEST(FormParserTest, KnownCrashInputsFailCleanly) {
  for (const auto& path : testing_support::DataFiles("crashers/form_parser")) {
    auto bytes = testing_support::ReadBytes(path);
    auto parsed = Parse(bytes);
    if (!parsed.ok()) continue;
    for (const WindowEntry& w : parsed->windows)
      for (const TableEntry& e : w.record.table)
        if (auto* u = std::get_if<UnitRecord>(&e)) (void)ReadTypeData(*u);
  }
}

}  // namespace
}  // namespace frame::form
