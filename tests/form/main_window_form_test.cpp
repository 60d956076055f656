// The main window's form as the program carries it, against the window's design: every entry's
// id, name, type, geometry, parent and page, state, event bindings and own settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "frame/form/type_data.h"
#include "frame/form/unit_types.h"
#include "frame/literal.h"
#include "tests/form/form_bytes.h"
#include "tools/formgen/form_writer.h"
#include "ui/event_map.h"
#include "ui/handlers.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"

namespace frame::form {
namespace {

using namespace literals;

using form_test::MainForm;
using form_test::MainWindow;
using ui::Handler;
using T = UnitType;

constexpr int32_t V = kFlagVisible, D = kFlagDisabled, S = kFlagTabStop;
constexpr int32_t kTab = 0x16011052, kStrip = 0x1601D97E;

struct Expected {
  int32_t id;
  int32_t constant;  // the unit's id in ui/main_window_units.h
  const char* name;
  UnitType type;
  int32_t left, top, width, height;
  int32_t parent;  // 0: the window
  int page;        // 1-based page of the parent; 0 on the window
  int32_t flags;
  std::vector<EventBinding> events;
  std::optional<UnitTypeData> data;  // nullopt: no type data of its own
};

EventBinding On(int32_t event, Handler handler) {
  return {event, static_cast<int32_t>(handler)};
}

ButtonData Button(const Text& caption) {
  ButtonData d;
  d.caption = caption;
  return d;
}

LabelData Label(const Text& caption, BorderStyle border = BorderStyle::None,
                Colour background = kButtonFace) {
  LabelData d;
  d.caption = caption;
  d.border = border;
  d.background = background;
  return d;
}

LabelData Framed(const Text& caption) {
  return Label(caption, BorderStyle::Thin);
}

DrawPanelData Panel(BorderStyle border, Colour background) {
  DrawPanelData d;
  d.border = border;
  d.background = background;
  return d;
}

ComboBoxData DropDownList(std::vector<Text> items, std::vector<int32_t> values, int32_t current) {
  ComboBoxData d;
  d.style = ComboStyle::DropDownList;
  d.extraItemHeight = 1;
  d.background = kWhite;
  d.items = std::move(items);
  d.itemValues = std::move(values);
  d.currentIndex = current;
  return d;
}

std::vector<Expected> ExpectedEntries() {
  WindowData window;
  window.title = "Pictolan"_gbk;
  TabData tab;
  tab.background = 0xECECEC;
  tab.pages = {"图标转换"_gbk, "提取图标"_gbk};
  EditBoxData one;
  one.content = "1"_gbk;
  CheckBoxData check;
  check.caption = "转换后打开目录"_gbk;
  PicBoxData picture;
  picture.background = kWhite;
  CommonDlgData dialog;
  dialog.kind = DialogKind::Save;
  const std::vector<EventBinding> none;

  namespace u = ui::unit;
  // One unit per entry, laid out as the window is read.
  // clang-format off
  return {
      {0x06010000, u::kWindowEntry, "", T::Window, 50, 50, 523, 412, 0, 0, V,
       {On(0, Handler::InitPictureBrowser)}, window},
      {0x160283F2, u::按钮5, "按钮5", T::Button, 120, 352, 288, 24, 0, 0, V | S,
       {On(0, Handler::OpenMakerWebPage)}, Button("访问 Pictolan 主页"_gbk)},
      {0x16012411, u::标签1, "标签1", T::Label, 24, 336, 632, 16, 0, 0, V,
       {On(0, Handler::LabelFeedback)},
       Label("本软件可以将PNG图片转成ICO格式 也可以将软件EXE图表完整提取出来生成任何图片格式！"_gbk)},
      {0x16011052, u::选择夹1, "选择夹1", T::Tab, 0, 0, 704, 328, 0, 0, V, none, tab},
      // Page 1.
      {0x16025792, u::标签4, "标签4", T::Label, 376, 256, 136, 64, kTab, 1, V, none,
       Label("建议使用与图标尺寸相同的PNG图片转换。\r\n图标中的PNG图片只能在Vista系统中浏览（Win7也不能浏览）。"_gbk)},
      {0x16025790, u::按钮4, "按钮4", T::Button, 208, 24, 20, 20, kTab, 1, V | S,
       {On(0, Handler::ChoosePictureFolder)}, Button(".."_gbk)},
      {0x1601F4A5, u::按钮3, "按钮3", T::Button, 448, 187, 64, 24, kTab, 1, V | S,
       {On(0, Handler::ShowLastIcon)}, Button("查看"_gbk)},
      {0x1601F4A4, u::选择框1, "选择框1", T::CheckBox, 378, 224, 104, 16, kTab, 1, V | S, none,
       check},
      {0x1601F49F, u::按钮1, "按钮1", T::Button, 4, 24, 20, 20, kTab, 1, V | S,
       {On(0, Handler::GoUpFolder)}, Button("←"_gbk)},
      {0x1601ED5D, u::组合框2, "组合框2", T::ComboBox, 24, 24, 184, 20, kTab, 1, V | S,
       {On(0, Handler::ScanPictureFolder)}, std::nullopt},
      {0x1601E168, u::画板3, "画板3", T::DrawPanel, 232, 25, 128, 128, kTab, 1, V, none,
       Panel(BorderStyle::Sunken, kButtonFace)},
      {0x16012423, u::转换按钮, "转换按钮", T::Button, 377, 187, 64, 24, kTab, 1, V | S,
       {On(0, Handler::ConvertToIcon)}, Button("转换"_gbk)},
      {0x16012422, u::删除按钮, "删除按钮", T::Button, 372, 40, 45, 20, kTab, 1, V | S,
       {On(0, Handler::RemoveConversionImage)}, Button("《删除"_gbk)},
      {0x16012421, u::列表框1, "列表框1", T::ListBox, 430, 24, 80, 128, kTab, 1, V | S,
       {On(0, Handler::PreviewConversionImage)}, std::nullopt},
      {0x16012420, u::画板1, "画板1", T::DrawPanel, 232, 182, 128, 128, kTab, 1, V, none,
       Panel(BorderStyle::Sunken, 0xECECEC)},
      {0x1601241D, u::添加按钮, "添加按钮", T::Button, 372, 62, 45, 20, kTab, 1, V | S,
       {On(0, Handler::AddConversionImage)}, Button("添加》"_gbk)},
      {0x1601241A, u::组合框1, "组合框1", T::ComboBox, 363, 88, 65, 20, kTab, 1, V | S, none,
       DropDownList({"128*128"_gbk, "96*96"_gbk, "64*64"_gbk, "48*48"_gbk, "32*32"_gbk,
                     "24*24"_gbk, "16*16"_gbk, "PNG"_gbk},
                    {128, 96, 64, 48, 32, 24, 16, 0}, 4)},
      {0x16011F8F, u::外形框1, "外形框1", T::ShapeBox, 4, 48, 225, 272, kTab, 1, V, none,
       ShapeBoxData{}},
      // Page 2.
      {0x1602578D, u::打开按钮2, "打开按钮2", T::Button, 464, 144, 40, 24, kTab, 2, V | S,
       {On(0, Handler::OpenOutputFolder)}, Button("打开"_gbk)},
      {0x1602578C, u::浏览按钮1, "浏览按钮1", T::Button, 424, 144, 40, 24, kTab, 2, V | S,
       {On(0, Handler::ChooseOutputFolder)}, Button("浏览"_gbk)},
      {0x1602578B, u::标签3, "标签3", T::Label, 37, 144, 56, 20, kTab, 2, V, none,
       Framed("保存路径"_gbk)},
      {0x1602578A, u::保存路径编辑框, "保存路径编辑框", T::EditBox, 99, 144, 328, 20, kTab, 2,
       V | S, none, std::nullopt},
      {0x1601D9D8, u::标签9, "标签9", T::Label, 272, 239, 240, 33, kTab, 2, V, none,
       Framed("分割图标:将图标分割成单图标,如图标中有32位真彩图标将创建一个新的32位真彩图标."_gbk)},
      {0x1601D9D7, u::标签2, "标签2", T::Label, 272, 280, 240, 32, kTab, 2, V, none,
       Framed("重建图标:针对PNG图标,删除图标中的PNG文件,使编辑软件能进行编辑."_gbk)},
      {0x1601D9CC, u::按钮2, "按钮2", T::Button, 416, 288, 80, 32, kTab, 2, S,
       {{0, kNoHandler}}, std::nullopt},
      {0x1601D980, u::图片框1, "图片框1", T::PicBox, 221, 258, 36, 36, kTab, 2, V, none, picture},
      {0x1601D97F, u::图标画板, "图标画板", T::DrawPanel, 0, 5, 19, 36, kStrip, 1, V,
       {On(-1, Handler::SelectIconInStrip)}, Panel(BorderStyle::None, kWhite)},
      {0x1601D97E, u::画板2, "画板2", T::DrawPanel, 4, 88, 480, 45, kTab, 2, V, none,
       Panel(BorderStyle::Sunken, kWhite)},
      {0x1601BD02, u::提取图标按钮1, "提取图标按钮1", T::Button, 415, 32, 100, 24, kTab, 2,
       V | S, {On(0, Handler::RebuildIconFolder)}, Button("批量重建"_gbk)},
      {0x1601BC3E, u::调节器2, "调节器2", T::Spin, 486, 88, 30, 45, kTab, 2, V,
       {On(0, Handler::ScrollIconStrip)}, SpinData{}},
      {0x16012B38, u::提取图标按钮2, "提取图标按钮2", T::Button, 311, 32, 100, 24, kTab, 2,
       V | S, {On(0, Handler::RebuildIcon)}, Button("重建图标"_gbk)},
      {0x16012A36, u::分割图标按钮, "分割图标按钮", T::Button, 208, 32, 100, 24, kTab, 2, V | S,
       {On(0, Handler::SplitIcon)}, Button("分割图标"_gbk)},
      {0x160129AF, u::格式组合框1, "格式组合框1", T::ComboBox, 8, 320, 100, 20, kTab, 2, S, none,
       DropDownList({"位图（BMP）|*.bmp"_gbk, "JPG图像|*.jpg"_gbk, "GIF图像|*.gif"_gbk,
                     "TIFF图像|*.tiff"_gbk, "PNG图像|*.png"_gbk, "图标（ICO）|*.ico"_gbk,
                     "位图（BMP）|*.bmp"_gbk},
                    {0, 0, 0, 0, 0, 0, 0}, 5)},
      {0x160129AD, u::通用对话框3, "通用对话框3", T::CommonDlg, 224, 168, 26, 26, kTab, 2, 0,
       none, dialog},
      {0x160124D5, u::标签8, "标签8", T::Label, 272, 176, 240, 56, kTab, 2, V, none,
       Framed("如果文件中存在图标资源程序则自动创建一个文件夹,全部提取判断是否有相同文件夹,单个提取不进行判断.如果提取失败将从图标句柄中创建一个单图标."_gbk)},
      {0x160124CE, u::标签7, "标签7", T::Label, 37, 183, 56, 20, kTab, 2, V, none,
       Framed("保存格式"_gbk)},
      {0x160124CC, u::格式组合框, "格式组合框", T::ComboBox, 99, 184, 100, 20, kTab, 2, V | S,
       none,
       DropDownList({"位图(BMP)"_gbk, "JPG图像"_gbk, "GIF图像"_gbk, "TIFF图像"_gbk, "PNG图像"_gbk,
                     "图标(ICO)"_gbk, "位图(透明)"_gbk},
                    {0, 0, 0, 0, 0, 0, 0}, 5)},
      {0x16012495, u::调节器1, "调节器1", T::Spin, 196, 263, 20, 24, kTab, 2, V,
       {On(0, Handler::StepIconNumber)}, std::nullopt},
      {0x1601247C, u::编辑框2, "编辑框2", T::EditBox, 137, 265, 60, 20, kTab, 2, V | S,
       {On(0, Handler::PreviewIconByNumber)}, one},
      {0x1601247B, u::标签6, "标签6", T::Label, 99, 265, 32, 20, kTab, 2, V, none,
       Framed("序号:"_gbk)},
      {0x1601247A, u::标签5, "标签5", T::Label, 99, 219, 55, 20, kTab, 2, V, none,
       Framed("文件前缀"_gbk)},
      {0x16012479, u::文件前缀编辑框, "文件前缀编辑框", T::EditBox, 161, 220, 95, 20, kTab, 2,
       V | S, none, std::nullopt},
      {0x16012476, u::提示标签, "提示标签", T::Label, 4, 67, 480, 20, kTab, 2, V, none,
       Label(Text(), BorderStyle::Thin, kWhite)},
      {0x16012470, u::提取按钮, "提取按钮", T::Button, 13, 260, 80, 24, kTab, 2, V | D | S,
       {On(0, Handler::ExtractSelectedIcon)}, Button("提取"_gbk)},
      {0x1601246F, u::全部提取按钮, "全部提取按钮", T::Button, 13, 220, 80, 24, kTab, 2,
       V | D | S, {On(0, Handler::ExtractAllIcons)}, Button("全部提取"_gbk)},
      {0x16012466, u::取文件夹图标按钮, "取文件夹图标按钮", T::Button, 105, 32, 100, 24, kTab, 2,
       V | S, {On(0, Handler::ExtractFolderIcon)}, Button("提取文件夹图标"_gbk)},
      {0x16012463, u::提取图标按钮, "提取图标按钮", T::Button, 2, 32, 100, 24, kTab, 2, V | S,
       {On(0, Handler::OpenIconSource)}, Button("提取文件图标"_gbk)},
  };
  // clang-format on
}

TEST(MainWindowFormTest, HoldsOneWindowWithItsOwnEntryAndEveryUnit) {
  ASSERT_EQ(MainForm().windows.size(), 1u);
  const WindowEntry& entry = MainForm().windows[0];
  EXPECT_EQ(entry.id, 0x52010001);
  EXPECT_EQ(entry.record.firstValue, 0x0148FFC0);
  EXPECT_EQ(entry.record.secondValue, 0x19010003);
  EXPECT_TRUE(entry.record.firstText.empty());
  EXPECT_TRUE(entry.record.secondText.empty());

  std::vector<Expected> expected = ExpectedEntries();
  ASSERT_EQ(expected.size(), 47u);
  ASSERT_EQ(entry.record.table.size(), 47u);
  EXPECT_EQ(EntryId(entry.record.table[0]), 0x06010000);
  std::set<int32_t> tableIds, expectedIds;
  for (const TableEntry& e : entry.record.table)
    tableIds.insert(EntryId(e));
  for (const Expected& e : expected)
    expectedIds.insert(e.id);
  EXPECT_EQ(tableIds, expectedIds);
}

TEST(MainWindowFormTest, UnitsFollowTheOwnEntryInDescendingSerialOrder) {
  const auto& table = MainWindow().table;
  for (size_t i = 2; i < table.size(); ++i)
    EXPECT_GT(UnitIdSerial(EntryId(table[i - 1])), UnitIdSerial(EntryId(table[i]))) << i;
}

TEST(MainWindowFormTest, EveryEntryIsAsDesigned) {
  for (const Expected& e : ExpectedEntries()) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(e.constant, e.id);
    const UnitRecord* u = FindUnitRecord(MainWindow(), e.id);
    ASSERT_NE(u, nullptr);
    EXPECT_TRUE(IsValidUnitId(u->id));
    EXPECT_EQ(u->name, Text::FromUtf8(e.name));
    EXPECT_EQ(u->typeId, static_cast<int32_t>(e.type));
    EXPECT_EQ(std::vector<int32_t>({u->left, u->top, u->width, u->height}),
              std::vector<int32_t>({e.left, e.top, e.width, e.height}));
    EXPECT_EQ(u->parentId, e.parent);
    EXPECT_EQ(u->flags, e.flags);
    EXPECT_EQ(u->events, e.events);
    EXPECT_TRUE(u->remark.empty());
    EXPECT_TRUE(u->tag.empty());
    EXPECT_EQ(u->cursorData, ByteSet(std::vector<uint8_t>(4, 0)));
    EXPECT_EQ(u->objectSlot, 0u);
    EXPECT_EQ(u->cursorSlot, 0u);
  }
}

TEST(MainWindowFormTest, PageMembershipFollowsTheContainersChildLists) {
  std::map<int32_t, std::pair<int32_t, int>> listed;  // child -> (container, page)
  for (const TableEntry& entry : MainWindow().table) {
    const auto& container = std::get<UnitRecord>(entry);
    auto pages = ChildPages(container);
    for (size_t page = 0; page < pages.size(); ++page)
      for (int32_t child : pages[page])
        EXPECT_TRUE(listed.emplace(child, std::pair(container.id, int(page) + 1)).second)
            << std::hex << child << " listed twice";
  }
  for (const Expected& e : ExpectedEntries()) {
    SCOPED_TRACE(e.name);
    if (e.parent == 0) {
      EXPECT_FALSE(listed.count(e.id));
    } else {
      EXPECT_EQ(listed[e.id], std::pair(e.parent, e.page));
    }
  }
  // Both pages of the tab control end with their separator.
  const UnitRecord* tab = FindUnitRecord(MainWindow(), kTab);
  ASSERT_NE(tab, nullptr);
  EXPECT_EQ(std::count(tab->children.begin(), tab->children.end(), 0), 2);
  EXPECT_EQ(tab->children.back(), 0);
}

TEST(MainWindowFormTest, EveryUnitsOwnSettingsReadAtItsTypesNewestVersion) {
  for (const Expected& e : ExpectedEntries()) {
    SCOPED_TRACE(e.name);
    const UnitRecord* u = FindUnitRecord(MainWindow(), e.id);
    ASSERT_NE(u, nullptr);
    size_t layoutSize = 1;
    auto data = ReadTypeData(u->typeId, u->typeData.span(), u->typeDataOffset, &layoutSize);
    ASSERT_TRUE(data.ok()) << ToString(data.error());
    EXPECT_EQ(layoutSize, u->typeData.size());  // the layout ends where the record ends
    if (!e.data) {
      EXPECT_TRUE(u->typeData.empty());
      continue;
    }
    ASSERT_GE(u->typeData.size(), 4u);
    EXPECT_EQ(form_test::Bytes().I32(FindUnitType(u->typeId)->highestVersion).b,
              std::vector<uint8_t>(u->typeData.data(), u->typeData.data() + 4));
    EXPECT_TRUE(*data == *e.data);
  }
}

TEST(MainWindowFormTest, EmptySettingsGiveTheTypesDefaults) {
  auto combo = ReadTypeData(*FindUnitRecord(MainWindow(), ui::unit::组合框2));
  ASSERT_TRUE(combo.ok());
  EXPECT_TRUE(std::get<ComboBoxData>(*combo).items.empty());
  EXPECT_EQ(std::get<ComboBoxData>(*combo).currentIndex, -1);
  auto list = ReadTypeData(*FindUnitRecord(MainWindow(), ui::unit::列表框1));
  ASSERT_TRUE(list.ok());
  EXPECT_TRUE(std::get<ListBoxData>(*list).items.empty());
  auto button = ReadTypeData(*FindUnitRecord(MainWindow(), ui::unit::按钮2));
  ASSERT_TRUE(button.ok());
  EXPECT_TRUE(std::get<ButtonData>(*button).caption.empty());
  auto edit = ReadTypeData(*FindUnitRecord(MainWindow(), ui::unit::保存路径编辑框));
  ASSERT_TRUE(edit.ok());
  EXPECT_TRUE(std::get<EditBoxData>(*edit).content.empty());
}

TEST(MainWindowFormTest, EveryBoundHandlerIsOneOfTheProgramsAndEachRunsForOneEvent) {
  std::set<int32_t> bound;
  for (const TableEntry& entry : MainWindow().table)
    for (const EventBinding& e : std::get<UnitRecord>(entry).events) {
      if (e.handler == kNoHandler) continue;
      EXPECT_GE(e.handler, 0);
      EXPECT_LT(e.handler, ui::kHandlerCount);
      EXPECT_TRUE(bound.insert(e.handler).second) << "handler " << e.handler << " bound twice";
    }
  EXPECT_EQ(bound.size(), static_cast<size_t>(ui::kHandlerCount));
  // A number without a function would silently do nothing when its event fires.
  ASSERT_EQ(ui::ProgramHandlers().size(), static_cast<size_t>(ui::kHandlerCount));
  for (int32_t handler : bound)
    EXPECT_NE(ui::ProgramHandlers()[handler], nullptr) << handler;
}

// The program carries what the form source says now: editing the source and building again
// regenerates the blob.
TEST(MainWindowFormTest, TheCarriedFormIsGeneratedFromTheCurrentSource) {
  std::ifstream in(PICTOLAN_SOURCE_DIR "/ui/main_window.form", std::ios::binary);
  ASSERT_TRUE(in);
  std::string source(std::istreambuf_iterator<char>(in), {});
  auto generated = formgen::GenerateForm(source);
  ASSERT_TRUE(generated.ok()) << formgen::ToString(generated.error());
  auto carried = ui::MainWindowForm();
  EXPECT_EQ(*generated, std::vector<uint8_t>(carried.begin(), carried.end()));
}

}  // namespace
}  // namespace frame::form
