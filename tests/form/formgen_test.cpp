// The form generator: what it writes for a form source, and how it refuses a wrong one.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "frame/form/form.h"
#include "frame/form/type_data.h"
#include "frame/literal.h"
#include "tests/form/form_bytes.h"
#include "tests/support/fixtures.h"
#include "tools/formgen/form_writer.h"
#include "ui/handlers.h"

namespace formgen {
namespace {

using namespace frame::form;
using frame::Text;
using frame::literals::operator""_gbk;

constexpr int32_t kUnit = 0x16000010;

std::string WithWindow(const std::string& units) {
  return "window 0x52010001\n"
         "entry 0x06010000 window\n"
         "  at 0 0\n"
         "  size 10 10\n"
         "  state visible\n" +
         units;
}

std::string Unit(const std::string& type, const std::string& settings, int32_t id = kUnit,
                 const std::string& name = "u") {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(id));
  return std::string("unit ") + hex + " " + name + " " + type +
         "\n  at 1 2\n  size 3 4\n  state visible\n" + settings;
}

WindowTable Generate(const std::string& source) {
  auto bytes = GenerateForm(source);
  EXPECT_TRUE(bytes.ok()) << (bytes.ok() ? "" : ToString(bytes.error()));
  if (!bytes.ok()) return {};
  auto parsed = Parse(*bytes);
  EXPECT_TRUE(parsed.ok()) << (parsed.ok() ? "" : ToString(parsed.error()));
  return parsed.ok() ? std::move(parsed).value() : WindowTable{};
}

// The settings a single unit of the type reads back.
UnitTypeData SettingsOf(const std::string& type, const std::string& settings) {
  WindowTable table = Generate(WithWindow(Unit(type, settings)));
  if (table.windows.empty()) return {};
  const UnitRecord* u = FindUnitRecord(table.windows[0].record, kUnit);
  EXPECT_NE(u, nullptr);
  size_t layoutSize = 0;
  auto data = ReadTypeData(u->typeId, u->typeData.span(), 0, &layoutSize);
  EXPECT_TRUE(data.ok()) << (data.ok() ? "" : ToString(data.error()));
  EXPECT_EQ(layoutSize, u->typeData.size());
  return data.ok() ? *data : UnitTypeData{};
}

std::string ReadMainSource() {
  std::ifstream in(PICTOLAN_SOURCE_DIR "/ui/main_window.form", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(FormGeneratorTest, ChangingACaptionChangesTheForm) {
  std::string source = ReadMainSource();
  auto before = GenerateForm(source);
  ASSERT_TRUE(before.ok());
  size_t at = source.find("caption \"查看\"");
  ASSERT_NE(at, std::string::npos);
  source.replace(at, std::string("caption \"查看\"").size(), "caption \"预览图标\"");
  auto after = GenerateForm(source);
  ASSERT_TRUE(after.ok());
  EXPECT_NE(*before, *after);
  auto parsed = Parse(*after);
  ASSERT_TRUE(parsed.ok());
  auto data = ReadTypeData(*FindUnitRecord(parsed->windows[0].record, 0x1601F4A5));
  ASSERT_TRUE(data.ok());
  EXPECT_EQ(std::get<ButtonData>(*data).caption, "预览图标"_gbk);
}

TEST(FormGeneratorTest, OrdersUnitsBySerialAndListsChildrenPageByPage) {
  std::string source = WithWindow(Unit("Tab", "page \"a\"\npage \"b\"\n", 0x16000001, "tab") +
                                  Unit("Button", "in tab page 2\n", 0x16000003, "b3") +
                                  Unit("Button", "in tab page 1\n", 0x16000002, "b2") +
                                  Unit("Button", "in tab page 2\n", 0x16000004, "b4") +
                                  Unit("DrawPanel", "in tab\n", 0x16000005, "panel") +
                                  Unit("DrawPanel", "in panel\n", 0x16000006, "inner"));
  WindowTable table = Generate(source);
  ASSERT_EQ(table.windows.size(), 1u);
  const WindowRecord& w = table.windows[0].record;
  std::vector<int32_t> ids;
  for (const TableEntry& e : w.table)
    ids.push_back(EntryId(e));
  EXPECT_EQ(ids, std::vector<int32_t>({0x06010000, 0x16000006, 0x16000005, 0x16000004, 0x16000003,
                                       0x16000002, 0x16000001}));
  EXPECT_EQ(FindUnitRecord(w, 0x16000001)->children,
            std::vector<int32_t>({0x16000005, 0x16000002, 0, 0x16000004, 0x16000003, 0}));
  EXPECT_EQ(FindUnitRecord(w, 0x16000005)->children, std::vector<int32_t>({0x16000006, 0}));
  EXPECT_EQ(FindUnitRecord(w, 0x16000006)->parentId, 0x16000005);
  EXPECT_EQ(FindUnitRecord(w, 0x16000002)->parentId, 0x16000001);
  EXPECT_TRUE(FindUnitRecord(w, 0x16000002)->children.empty());
}

TEST(FormGeneratorTest, WritesCommonFieldsAsGiven) {
  const std::string source =
      "window 0x52010002\n"
      "  values 7 -8\n"
      "  texts \"x\" \"中\"\n"
      "entry 0x06010000 window\n"
      "  at 0 0\n"
      "  size 10 10\n"
      "  state visible\n"
      "unit 0x16000010 u Button\n"
      "  at 1 2\n"
      "  size 3 4\n"
      "  state hidden disabled\n"
      "  tag \"t\\\"q\"   # a comment\n"
      "  remark \"r\"\n"
      "  cursor 3\n"
      "  on 0 SplitIcon\n"
      "  on -1 none\n"
      "  data empty\n";
  WindowTable table = Generate(source);
  ASSERT_EQ(table.windows.size(), 1u);
  EXPECT_EQ(table.windows[0].id, 0x52010002);
  const WindowRecord& w = table.windows[0].record;
  EXPECT_EQ(w.firstValue, 7);
  EXPECT_EQ(w.secondValue, -8);
  EXPECT_EQ(w.firstText, Text("x"));
  EXPECT_EQ(w.secondText, "中"_gbk);
  const UnitRecord* u = FindUnitRecord(w, kUnit);
  ASSERT_NE(u, nullptr);
  EXPECT_EQ(std::vector<int32_t>({u->left, u->top, u->width, u->height}),
            std::vector<int32_t>({1, 2, 3, 4}));
  EXPECT_EQ(u->flags, kFlagDisabled);
  EXPECT_EQ(u->tag, Text("t\"q"));
  EXPECT_EQ(u->remark, Text("r"));
  EXPECT_EQ(u->cursorData, frame::ByteSet(form_test::Bytes().I32(3).b));
  EXPECT_EQ(u->events, std::vector<EventBinding>(
                           {{0, static_cast<int32_t>(ui::Handler::SplitIcon)}, {-1, kNoHandler}}));
  EXPECT_TRUE(u->typeData.empty());
}

// Each settable field reaches the reader's field of the same name: catches a layout that puts
// the generator's and the reader's fields in different orders.
TEST(FormGeneratorTest, EverySettingReachesItsField) {
  WindowData window;
  window.background = 0x010203;
  window.title = "标题"_gbk;
  ButtonData button;
  button.kind = ButtonKind::DefaultPush;
  button.horizontal = HorizontalAlignment::Right;
  button.vertical = VerticalAlignment::Bottom;
  button.caption = "c"_gbk;
  LabelData label;
  label.border = BorderStyle::Static;
  label.textColour = 0x111111;
  label.background = 0x222222;
  label.caption = "l\r\n2"_gbk;
  EditBoxData edit;
  edit.content = "e"_gbk;
  CheckBoxData check;
  check.caption = "k"_gbk;
  ComboBoxData combo;
  combo.style = ComboStyle::Simple;
  combo.maxLength = 9;
  combo.sorted = true;
  combo.extraItemHeight = 2;
  combo.textColour = 0x333333;
  combo.background = kButtonFace;
  combo.currentIndex = 1;
  combo.content = "x"_gbk;
  combo.items = {"a"_gbk, "b"_gbk, "c"_gbk};
  combo.itemValues = {0, -5, 0};
  ListBoxData list;
  list.items = {"p"_gbk, "q"_gbk};
  list.itemValues = {4, 0};
  TabData tab;
  tab.background = 0x444444;
  tab.pages = {"一"_gbk, "二"_gbk, "三"_gbk};
  PicBoxData pic;
  pic.border = BorderStyle::SunkenModalFrame;
  pic.background = 0x555555;
  DrawPanelData panel;
  panel.border = BorderStyle::ModalFrame;
  panel.background = 0x666666;
  CommonDlgData dialog;
  dialog.kind = DialogKind::Save;
  dialog.filterIndex = 2;
  dialog.createPrompt = true;
  dialog.title = "t"_gbk;
  dialog.fileName = "f"_gbk;
  dialog.filter = "图标|*.ico"_gbk;
  dialog.initialFolder = "/d"_gbk;
  dialog.defaultExtension = "*.ico"_gbk;

  struct Case {
    const char* type;
    std::string settings;
    UnitTypeData expected;
  };
  const Case cases[] = {
      {"Button", "kind default\nalign right\nvalign bottom\ncaption \"c\"\n", button},
      {"Label", "border static\ntext-colour 0x111111\nbackground 0x222222\ncaption \"l\\r\\n2\"\n",
       label},
      {"EditBox", "content \"e\"\n", edit},
      {"CheckBox", "caption \"k\"\n", check},
      {"ComboBox",
       "style simple\nmax-length 9\nsorted yes\nitem-height 2\ntext-colour 0x333333\n"
       "background buttonface\ncurrent 1\ncontent \"x\"\nitem \"a\"\nitem \"b\" -5\nitem \"c\"\n",
       combo},
      {"ListBox", "item \"p\" 4\nitem \"q\"\n", list},
      {"Tab", "background 0x444444\npage \"一\"\npage \"二\"\npage \"三\"\n", tab},
      {"PicBox", "border sunken-modal-frame\nbackground 0x555555\n", pic},
      {"DrawPanel", "border modal-frame\nbackground 0x666666\n", panel},
      {"CommonDlg",
       "dialog save\nfilter-index 2\ncreate-prompt yes\ntitle \"t\"\nfile-name \"f\"\n"
       "filter \"图标|*.ico\"\nfolder \"/d\"\ndefault-extension \"*.ico\"\n",
       dialog},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(SettingsOf(c.type, c.settings) == c.expected) << c.type;

  WindowTable table = Generate(
      "window 1\nentry 0x06010000 window\n at 0 0\n size 1 1\n state visible\n"
      " background 0x010203\n title \"标题\"\n");
  ASSERT_EQ(table.windows.size(), 1u);
  auto data = ReadTypeData(*FindUnitRecord(table.windows[0].record, 0));
  ASSERT_TRUE(data.ok());
  EXPECT_TRUE(*data == UnitTypeData(window));
}

// A unit that gives no settings stores its type's full layout with the same defaults that the
// frame gives a unit with empty type data.
TEST(FormGeneratorTest, UnsetSettingsAreTheFramesDefaults) {
  for (const UnitTypeInfo& info : kUnitTypes) {
    if (info.type == UnitType::Window) continue;
    SCOPED_TRACE(info.name);
    auto defaults = ReadTypeData(static_cast<int32_t>(info.type), {});
    ASSERT_TRUE(defaults.ok());
    EXPECT_TRUE(SettingsOf(std::string(info.name), "") == *defaults);
  }
  auto windowDefaults = ReadTypeData(static_cast<int32_t>(UnitType::Window), {});
  WindowTable table =
      Generate("window 1\nentry 0x06010000 window\n at 0 0\n size 1 1\n state visible\n");
  ASSERT_EQ(table.windows.size(), 1u);
  EXPECT_TRUE(*ReadTypeData(*FindUnitRecord(table.windows[0].record, 0)) == *windowDefaults);
}

// The drop-down lists' type data byte for byte, as the form's layout for version 3 lays it out.
TEST(FormGeneratorTest, WritesAComboBoxInTheStoredLayout) {
  WindowTable table = Generate(WithWindow(Unit(
      "ComboBox", "style dropdownlist\nitem-height 1\nitem \"a\" 7\nitem \"b\"\ncurrent 1\n")));
  ASSERT_EQ(table.windows.size(), 1u);
  form_test::Bytes expected;
  expected.I32(3);                                    // version
  expected.I32s({2, 0, 0, 0, 0, 1, 0, 0xFFFFFF, 1});  // style .. current index
  expected.Counted("");                               // font
  expected.Counted(form_test::Bytes().I32(7).b);      // values up to the last valued item
  expected.Counted("");                               // content
  expected.U16(2).Counted("a").Counted("b");          // items
  expected.Counted("").Counted("").I32(0);            // version 2 and 3 additions
  EXPECT_EQ(FindUnitRecord(table.windows[0].record, kUnit)->typeData, frame::ByteSet(expected.b));
}

TEST(FormGeneratorTest, LongItemListsUseTheEscapedCount) {
  std::string items;
  for (int i = 0; i < 0x10000; ++i)
    items += "item \"\"\n";
  auto data = SettingsOf("ListBox", items);
  EXPECT_EQ(std::get<ListBoxData>(data).items.size(), 0x10000u);
}

TEST(FormGeneratorTest, RefusesWrongSourcesNamingTheLine) {
  struct Case {
    std::string source;
    int line;
    const char* message;
  };
  const std::string window = WithWindow("");  // five lines
  const Case cases[] = {
      {"", 0, "no window"},
      {"unit 0x16000001 a Button\n", 1, "before the first window"},
      {"window 0x52010001\nentry 0x06010000 window\n at 0 0\n size 1 1\n", 2, "no 'state'"},
      {"window 0x52010001\nunit 0x16000001 a Button\n at 0 0\n size 1 1\n state visible\n", 1,
       "no 'entry'"},
      {window + Unit("Button", "on 0 NoSuchHandler\n"), 10, "unknown handler"},
      {window + Unit("Button", "on 0 SplitIcon\non 0 GoUpFolder\n"), 11, "bound twice"},
      {window + Unit("Gadget", ""), 6, "unknown unit type"},
      {window + Unit("window", ""), 6, "cannot have the type window"},
      {window + Unit("Button", "", 0x06000001), 6, "not a unit id"},
      {window + Unit("Button", "", 0x16000000), 6, "not a unit id"},
      {window + Unit("Button", "", 0x15000001), 6, "bits 24-27"},
      {window + Unit("Button", "") + Unit("Label", "", kUnit, "v"), 10, "id used twice"},
      {window + Unit("Button", "") + Unit("Label", "", kUnit + 1), 10, "name used twice"},
      {window + Unit("Button", "in nobody\n"), 10, "no unit named"},
      {window + Unit("Button", "in u\n"), 10, "inside itself"},
      // Reported at the first unit of the loop in table order.
      {window + Unit("DrawPanel", "in v\n") + Unit("DrawPanel", "in u\n", kUnit + 1, "v"), 15,
       "inside itself"},
      {window + Unit("Button", "in u page 0\n"), 10, "numbered from 1"},
      {window + Unit("Button", "caption \"x\"\ncaption \"y\"\n"), 11, "given twice"},
      {window + Unit("Button", "colour 5\n"), 10, "not a setting of Button"},
      {window + Unit("Button", "align middle\n"), 10, "or one of left centre right"},
      {window + Unit("Button", "caption x\n"), 10, "one quoted text"},
      {window + Unit("Button", "caption \"😀\"\n"), 10, "code page 936"},
      {window + Unit("Button", "caption \"open\n"), 10, "closing quote"},
      {window + Unit("Button", "caption \"\\q\"\n"), 10, "unknown escape"},
      {window + Unit("Button", "data empty\ncaption \"x\"\n"), 11, "'data empty'"},
      {window + Unit("ComboBox", "item \"a\"\ncurrent 1\n"), 11, "does not exist"},
      {window + Unit("ComboBox", "item \"a\" x\n"), 10, "not a number"},
      {window + Unit("Button", "state visible hidden\n"), 10, "given twice"},
      {"window 0x52010001\nentry 0x06010000 window\n at 0 0\n size 1 1\n state hidden visible\n", 5,
       "either visible or hidden"},
      {window + Unit("Button", "at 1\n"), 10, "given twice"},
      {"window 0x52010001\nentry 0x06010000 window\n at 0 x\n", 3, "not a number"},
      {"window 0x52010001\nentry 0x06010000 window\nentry 0x06010000 window\n", 2, "no 'at'"},
      {"window 0x52010001\n values 1\n", 2, "expected 'values FIRST SECOND'"},
  };
  for (const Case& c : cases) {
    auto result = GenerateForm(c.source);
    ASSERT_FALSE(result.ok()) << c.message;
    EXPECT_EQ(result.error().line, c.line) << c.message << ": " << result.error().message;
    EXPECT_NE(result.error().message.find(c.message), std::string::npos)
        << c.message << ": " << result.error().message;
  }
}

// The tool as the build runs it: a wrong source names file and line and leaves the last good
// output in place.
TEST(FormGeneratorTest, TheToolReplacesItsOutputOnlyWhenTheSourceIsGood) {
  testing_support::TempDir dir;
  const auto source = dir / "w.form", output = dir / "w.cpp";
  testing_support::WriteBytes(output, {'o', 'l', 'd'});
  const std::string bad = WithWindow(Unit("Button", "on 0 Nothing\n"));
  testing_support::WriteBytes(source, std::vector<uint8_t>(bad.begin(), bad.end()));
  const std::string command =
      std::string(PICTOLAN_FORMGEN_PATH) + " " + source.string() + " " + output.string();
  std::string messages;
  EXPECT_EQ(testing_support::RunCommand(command + " 2>&1", &messages), 1);
  EXPECT_NE(messages.find("w.form:10: error: unknown handler 'Nothing'"), std::string::npos)
      << messages;
  EXPECT_EQ(testing_support::ReadBytes(output), std::vector<uint8_t>({'o', 'l', 'd'}));

  const std::string good = WithWindow(Unit("Button", "caption \"c\"\n"));
  testing_support::WriteBytes(source, std::vector<uint8_t>(good.begin(), good.end()));
  EXPECT_EQ(testing_support::RunCommand(command), 0);
  auto cpp = testing_support::ReadBytes(output);
  EXPECT_NE(std::string(cpp.begin(), cpp.end()).find("MainWindowForm()"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "w.cpp.tmp"));
}

TEST(FormGeneratorTest, NumbersAreDecimalOrHexadecimalWithin32Bits) {
  struct Case {
    const char* word;
    std::optional<int32_t> value;
  };
  const Case cases[] = {
      {"0", 0},
      {"-1", -1},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"0xFF000000", static_cast<int32_t>(0xFF000000)},
      {"0x7fffffff", INT32_MAX},
      {"2147483648", std::nullopt},  // decimal numbers are signed
      {"0x100000000", std::nullopt},
      {"-2147483649", std::nullopt},
      {"12a", std::nullopt},
      {"0x", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"+1", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseNumber(c.word), c.value) << c.word;
}

}  // namespace
}  // namespace formgen
