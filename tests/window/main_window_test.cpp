// The main window loaded from the program's real form: what shows at start and on each page, the
// initial states, control ids, classes and geometry, and the frame's properties by index.
#include <QComboBox>
#include <QLineEdit>

#include "frame/literal.h"
#include "frame/properties.h"
#include "frame/ui_commands.h"
#include "platform/win32/user32.h"
#include "tests/window/window_fixture.h"

namespace window_test {
namespace {

using namespace frame::literals;
namespace user32 = platform::user32;
namespace prop = frame::prop;

bool Visible(win32::HWND window) {
  return user32::IsWindowVisible(window) != 0;
}

using MainWindowLayoutTest = MainWindowTest;

TEST_F(MainWindowLayoutTest, OnlyPageOneAndWindowLevelUnitsShowAtStart) {
  EXPECT_TRUE(Visible(WindowOf(0)));
  for (int32_t id : WindowLevelUnits())
    EXPECT_TRUE(Visible(WindowOf(id))) << std::hex << id;
  for (int32_t id : PageOneUnits())
    EXPECT_TRUE(Visible(WindowOf(id))) << std::hex << id;
  for (int32_t id : PageTwoUnits())
    EXPECT_FALSE(Visible(WindowOf(id))) << std::hex << id;
  // A live unit reads as visible only when it shows.
  EXPECT_FALSE(frame::ReadBool(kMainWindowId, unit::提取按钮, prop::kVisible));
}

TEST_F(MainWindowLayoutTest, PageTwoShowsItsUnitsExceptTheHiddenOnes) {
  SelectPage(1);
  const std::vector<int32_t> stayHidden = {unit::按钮2, unit::格式组合框1, unit::通用对话框3};
  for (int32_t id : PageTwoUnits()) {
    const bool hidden = std::find(stayHidden.begin(), stayHidden.end(), id) != stayHidden.end();
    EXPECT_EQ(Visible(WindowOf(id)), !hidden) << std::hex << id;
  }
  for (int32_t id : PageOneUnits())
    EXPECT_FALSE(Visible(WindowOf(id))) << std::hex << id;
  for (int32_t id : WindowLevelUnits())
    EXPECT_TRUE(Visible(WindowOf(id))) << std::hex << id;

  SelectPage(0);
  for (int32_t id : PageOneUnits())
    EXPECT_TRUE(Visible(WindowOf(id))) << std::hex << id;
  for (int32_t id : PageTwoUnits())
    EXPECT_FALSE(Visible(WindowOf(id))) << std::hex << id;
}

TEST_F(MainWindowLayoutTest, InitialStatesOfTheUnits) {
  EXPECT_TRUE(frame::ReadBool(kMainWindowId, unit::提取按钮, prop::kDisabled));
  EXPECT_TRUE(frame::ReadBool(kMainWindowId, unit::全部提取按钮, prop::kDisabled));
  EXPECT_FALSE(frame::ReadBool(kMainWindowId, unit::提取图标按钮, prop::kDisabled));
  EXPECT_FALSE(user32::IsWindowEnabled(WindowOf(unit::提取按钮)));

  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::组合框1, prop::kComboContent), "32*32"_gbk);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, unit::组合框1, prop::kComboCurrentIndex), 4);
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::格式组合框, prop::kComboContent), "图标(ICO)"_gbk);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, unit::格式组合框1, prop::kComboCurrentIndex), 5);
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::编辑框2, prop::kEditContent), "1"_gbk);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, unit::列表框1, prop::kListCurrentIndex), -1);
  EXPECT_FALSE(frame::ReadBool(kMainWindowId, unit::选择框1, prop::kCheckBoxChecked));
  EXPECT_EQ(frame::ReadInt(kMainWindowId, unit::图片框1, prop::kPicBoxBackground), 0xFFFFFF);

  const frame::UnitRef sizes{kMainWindowId, unit::组合框1, 0x1000E};
  const int32_t values[] = {128, 96, 64, 48, 32, 24, 16, 0};
  ASSERT_EQ(frame::ComboItemCount(sizes), 8);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(frame::ComboItemData(sizes, i), values[i]) << i;
  EXPECT_EQ(frame::ComboItemText(sizes, 7), "PNG"_gbk);
  EXPECT_EQ(frame::ComboItemText({kMainWindowId, unit::格式组合框1, 0x1000E}, 0),
            "位图（BMP）|*.bmp"_gbk);
  // Drop-down lists: the user can only pick an item.
  EXPECT_FALSE(static_cast<QComboBox*>(WidgetOf(unit::组合框1))->isEditable());
  EXPECT_TRUE(static_cast<QComboBox*>(WidgetOf(unit::组合框2))->isEditable());
}

TEST_F(MainWindowLayoutTest, ControlIdsFollowCreationOrderFromTheLastEntry) {
  // The table lists units by descending serial number and the loader makes them from the last
  // entry up, so the lowest serial number gets 100 and every next one 10 more.
  std::vector<int32_t> units = WindowLevelUnits();
  units.insert(units.end(), PageOneUnits().begin(), PageOneUnits().end());
  units.insert(units.end(), PageTwoUnits().begin(), PageTwoUnits().end());
  units.push_back(unit::图标画板);  // on 画板2, not on a page
  ASSERT_EQ(units.size(), 46u);
  std::sort(units.begin(), units.end(),
            [](int32_t a, int32_t b) { return (a & 0xFFFFFF) < (b & 0xFFFFFF); });
  for (size_t i = 0; i < units.size(); ++i)
    EXPECT_EQ(user32::GetWindowLongA(WindowOf(units[i]), win32::GWL_ID),
              static_cast<int>(100 + 10 * i))
        << std::hex << units[i];
}

TEST_F(MainWindowLayoutTest, UnitsRegisterWithTheirClassNames) {
  const struct {
    int32_t unit;
    const char* className;
  } rows[] = {
      {0, "PictolanWindow"},
      {unit::按钮5, "Button"},
      {unit::选择框1, "Button"},
      {unit::编辑框2, "Edit"},
      {unit::组合框1, "ComboBox"},
      {unit::列表框1, "ListBox"},
      {unit::标签1, "Static"},
      {unit::画板2, "Static"},
      {unit::图片框1, "Static"},
      {unit::选择夹1, "SysTabControl32"},
      {unit::调节器1, "msctls_updown32"},
  };
  for (const auto& row : rows) {
    char name[64] = {};
    EXPECT_GT(user32::GetClassNameA(WindowOf(row.unit), name, sizeof name), 0);
    EXPECT_STREQ(name, row.className) << std::hex << row.unit;
  }
}

TEST_F(MainWindowLayoutTest, GeometryIsTheFormsOwn) {
  win32::RECT outer{}, client{};
  ASSERT_TRUE(user32::GetWindowRect(WindowOf(0), &outer));
  ASSERT_TRUE(user32::GetClientRect(WindowOf(0), &client));
  EXPECT_EQ(outer.right - outer.left, 523);
  EXPECT_EQ(outer.bottom - outer.top, 412);
  EXPECT_EQ(client.right, 515);
  EXPECT_EQ(client.bottom, 378);
  EXPECT_EQ(user32::GetParent(WindowOf(unit::图标画板)), WindowOf(unit::画板2));
  EXPECT_EQ(user32::GetParent(WindowOf(unit::提取按钮)), WindowOf(unit::选择夹1));
  EXPECT_EQ(user32::GetParent(WindowOf(unit::按钮5)), WindowOf(0));

  const struct {
    int32_t unit;
    int32_t left, top, width, height;
  } rows[] = {
      {0, 50, 50, 523, 412},
      {unit::按钮5, 120, 352, 288, 24},
      {unit::选择夹1, 0, 0, 704, 328},
      {unit::提取按钮, 13, 260, 80, 24},
      {unit::图标画板, 0, 5, 19, 36},  // in 画板2's client area, inside its border
      {unit::组合框1, 363, 88, 65, 20},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(frame::ReadInt(kMainWindowId, row.unit, prop::kLeft), row.left)
        << std::hex << row.unit;
    EXPECT_EQ(frame::ReadInt(kMainWindowId, row.unit, prop::kTop), row.top) << std::hex << row.unit;
    EXPECT_EQ(frame::ReadInt(kMainWindowId, row.unit, prop::kWidth), row.width)
        << std::hex << row.unit;
    EXPECT_EQ(frame::ReadInt(kMainWindowId, row.unit, prop::kHeight), row.height)
        << std::hex << row.unit;
  }
}

TEST_F(MainWindowLayoutTest, TextsAreTheFormsInChinese) {
  char text[256] = {};
  user32::GetWindowTextA(WindowOf(unit::全部提取按钮), text, sizeof text);
  EXPECT_EQ(frame::Text(text), "全部提取"_gbk);
  user32::GetWindowTextA(WindowOf(0), text, sizeof text);
  EXPECT_STREQ(text, "Pictolan");
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::标签3, prop::kLabelCaption), "保存路径"_gbk);
}

// ---- Properties by index ----

using PropertyTest = MainWindowTest;

TEST_F(PropertyTest, PositionAndSizeAreClampedStoredAndApplied) {
  const struct {
    int index;
    int32_t written, stored;
  } rows[] = {
      {prop::kWidth, 40000, 32627}, {prop::kWidth, -5, 0},         {prop::kHeight, 32628, 32627},
      {prop::kHeight, 30, 30},      {prop::kLeft, -40000, -32627}, {prop::kTop, 40000, 32627},
      {prop::kLeft, 17, 17},
  };
  for (const auto& row : rows) {
    frame::WriteInt(kMainWindowId, unit::按钮5, row.index, row.written);
    EXPECT_EQ(frame::ReadInt(kMainWindowId, unit::按钮5, row.index), row.stored)
        << "index " << row.index << " written " << row.written;
  }
  // Each write kept the other dimension and the position.
  const QRect geometry = WidgetOf(unit::按钮5)->geometry();
  EXPECT_EQ(geometry.x(), 17);
  EXPECT_EQ(geometry.y(), 32627);
  EXPECT_EQ(geometry.width(), 0);
  EXPECT_EQ(geometry.height(), 30);
}

TEST_F(PropertyTest, VisibilityOnAHiddenPageWaitsForItsPage) {
  frame::WriteBool(kMainWindowId, unit::提取按钮, prop::kVisible, false);
  frame::WriteBool(kMainWindowId, unit::提取按钮, prop::kVisible, true);
  EXPECT_FALSE(Visible(WindowOf(unit::提取按钮)));
  SelectPage(1);
  EXPECT_TRUE(Visible(WindowOf(unit::提取按钮)));

  // Hidden on the current page, it stays hidden when its page comes back.
  frame::WriteBool(kMainWindowId, unit::打开按钮2, prop::kVisible, false);
  EXPECT_FALSE(Visible(WindowOf(unit::打开按钮2)));
  SelectPage(0);
  SelectPage(1);
  EXPECT_FALSE(Visible(WindowOf(unit::打开按钮2)));
}

TEST_F(PropertyTest, DisabledTagAndCursorRoundTrip) {
  frame::WriteBool(kMainWindowId, unit::提取按钮, prop::kDisabled, false);
  EXPECT_TRUE(user32::IsWindowEnabled(WindowOf(unit::提取按钮)));
  frame::WriteText(kMainWindowId, unit::提取按钮, prop::kTag, "标记"_gbk);
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::提取按钮, prop::kTag), "标记"_gbk);
  const frame::ByteSet hourglass({11, 0, 0, 0});
  frame::WriteBytes(kMainWindowId, unit::提取按钮, prop::kCursor, hourglass);
  EXPECT_EQ(frame::ReadBytes(kMainWindowId, unit::提取按钮, prop::kCursor), hourglass);
  EXPECT_EQ(WidgetOf(unit::提取按钮)->cursor().shape(), Qt::WaitCursor);
}

TEST_F(PropertyTest, OwnPropertiesOfTheProgramsUnits) {
  frame::WriteText(kMainWindowId, unit::标签1, prop::kLabelCaption, "完成"_gbk);
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::标签1, prop::kLabelCaption), "完成"_gbk);

  frame::WriteInt(kMainWindowId, unit::格式组合框, prop::kComboCurrentIndex, 4);
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::格式组合框, prop::kComboContent), "PNG图像"_gbk);
  frame::WriteInt(kMainWindowId, unit::格式组合框, prop::kComboCurrentIndex, 99);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, unit::格式组合框, prop::kComboCurrentIndex), -1);
  frame::WriteText(kMainWindowId, unit::组合框2, prop::kComboContent, "/tmp/图片"_gbk);
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::组合框2, prop::kComboContent), "/tmp/图片"_gbk);

  frame::WriteText(kMainWindowId, unit::通用对话框3, prop::kDialogFilter, "PNG图像|*.png"_gbk);
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::通用对话框3, prop::kDialogFilter),
            "PNG图像|*.png||"_gbk);
  frame::WriteText(kMainWindowId, unit::通用对话框3, prop::kDialogFilter, "a|*.a||"_gbk);
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::通用对话框3, prop::kDialogFilter), "a|*.a||"_gbk);

  frame::WriteInt(kMainWindowId, unit::图标画板, prop::kLeft, -64);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, unit::图标画板, prop::kLeft), -64);
  EXPECT_EQ(frame::ReadInt(kMainWindowId, unit::外形框1, prop::kWidth), 225);
}

TEST_F(PropertyTest, EditContentWriteRaisesItsEventExactlyOnce) {
  Calls().clear();
  frame::WriteText(kMainWindowId, unit::编辑框2, prop::kEditContent, "7"_gbk);
  EXPECT_EQ(CallsOf(ui::Handler::PreviewIconByNumber).size(), 1u);
  frame::WriteText(kMainWindowId, unit::编辑框2, prop::kEditContent, "7"_gbk);  // unchanged text
  EXPECT_EQ(CallsOf(ui::Handler::PreviewIconByNumber).size(), 2u);
  // A change the user makes is reported as it happens.
  static_cast<QLineEdit*>(WidgetOf(unit::编辑框2))->insert("3");
  EXPECT_EQ(CallsOf(ui::Handler::PreviewIconByNumber).size(), 3u);
  EXPECT_EQ(frame::ReadText(kMainWindowId, unit::编辑框2, prop::kEditContent), "73"_gbk);
}

TEST_F(PropertyTest, PicturesShowWhatTheirFirstBytesName) {
  // A 2 x 1 24-bit bitmap: red, green.
  const frame::ByteSet bmp({'B', 'M', 62, 0, 0, 0, 0, 0, 0,   0, 54,  0, 0,  0, 40, 0,
                            0,   0,   2,  0, 0, 0, 1, 0, 0,   0, 1,   0, 24, 0, 0,  0,
                            0,   0,   8,  0, 0, 0, 0, 0, 0,   0, 0,   0, 0,  0, 0,  0,
                            0,   0,   0,  0, 0, 0, 0, 0, 255, 0, 255, 0, 0,  0});
  frame::WriteBytes(kMainWindowId, unit::图标画板, prop::kDrawPanelPicture, bmp);
  SelectPage(1);
  QImage shot = WidgetOf(unit::图标画板)->grab().toImage();
  EXPECT_EQ(shot.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(shot.pixelColor(1, 0), QColor(0, 255, 0));
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 255, 255));  // the panel's background

  frame::WriteBytes(kMainWindowId, unit::图片框1, prop::kPicBoxPicture, bmp);
  EXPECT_EQ(frame::ReadBytes(kMainWindowId, unit::图片框1, prop::kPicBoxPicture), bmp);
  // PNG is no picture: the box shows its background only.
  const frame::ByteSet png({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0});
  frame::WriteBytes(kMainWindowId, unit::图标画板, prop::kDrawPanelPicture, png);
  shot = WidgetOf(unit::图标画板)->grab().toImage();
  EXPECT_EQ(shot.pixelColor(0, 0), QColor(255, 255, 255));
}

}  // namespace
}  // namespace window_test
