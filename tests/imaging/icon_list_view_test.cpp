// The icon list view over the list-view stand-in: the message and record each operation sends,
// the control's answers and its state afterwards, the image lists, and the input a subclassed
// procedure sees.
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTreeView>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frame/external_functions.h"
#include "frame/literal.h"
#include "imaging/icon_list_view.h"
#include "platform/desktop/comctl32/image_lists.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/picture/gdi/icon_images.h"
#include "platform/picture/gdi/objects.h"
#include "platform/win32/comctl32.h"
#include "platform/win32/user32.h"

namespace {

using namespace win32;
using namespace frame::literals;
using frame::Text;
using imaging::IconListView;
namespace user32 = platform::user32;

// What a procedure in front of the control saw: the message, its parameters and, for messages
// with a row or column record, a copy of the record and of its text as sent.
struct Seen {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LVITEMA item{};
  LVCOLUMNA column{};
  std::string text;
};

std::vector<Seen>& Log() {
  static std::vector<Seen> log;
  return log;
}
WNDPROC& Previous() {
  static WNDPROC previous = nullptr;
  return previous;
}

LRESULT Recorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Seen seen;
  seen.message = message;
  seen.wParam = wParam;
  seen.lParam = lParam;
  if (message == LVM_INSERTITEMA || message == LVM_GETITEMA || message == LVM_SETITEMSTATE) {
    seen.item = *reinterpret_cast<const LVITEMA*>(lParam);
    if (message == LVM_INSERTITEMA) seen.text = seen.item.pszText;
  } else if (message == LVM_INSERTCOLUMNA) {
    seen.column = *reinterpret_cast<const LVCOLUMNA*>(lParam);
    seen.text = seen.column.pszText;
  }
  Log().push_back(seen);
  return ext::CallWindowProcA(Previous(), window, message, wParam, lParam);
}

// A picture for icons: the left half opaque, the right half half-transparent.
HICON HalfTransparentIcon(uint32_t opaque, uint32_t halfTransparent) {
  QImage image(16, 16, QImage::Format_ARGB32);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      image.setPixel(x, y, x < 8 ? opaque : halfTransparent);
  return platform::gdi::CreateIcon(image);
}

// The picture list as the picture browser sets it up, in a window of its own.
class IconListViewTest : public testing::Test {
 protected:
  void SetUp() override {
    parent_ = user32::CreateWindowExA(0, "PictolanWindow", "", 0, 0, 0, 300, 300, 0, 0, 0, nullptr);
    ASSERT_NE(list_.Create(parent_, 0, 0, 220, 200, 1), 0u);
    list_.SetFullRowSelect(true);
    list_.InsertColumn(std::nullopt, "图片文件"_gbk, 200);
  }
  void TearDown() override {
    list_.DestroySmallImageList();
    list_.DestroyStateImageList();
    delete user32::WidgetOf(parent_);
  }
  void Fill(int rows) {
    for (int row = 0; row < rows; ++row)
      list_.InsertItem(std::nullopt, Text("row" + std::to_string(row)), 0, 0, 0, row % 2);
  }
  void Record() {
    Previous() = reinterpret_cast<WNDPROC>(
        ext::SetWindowLongA(list_.Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Recorder)));
    Log().clear();
  }
  QTreeView* View() const { return static_cast<QTreeView*>(user32::WidgetOf(list_.Handle())); }

  HWND parent_ = 0;
  IconListView list_;
};

TEST_F(IconListViewTest, CreatesTheControlAsTheProgramAsks) {
  const HWND list = list_.Handle();
  char className[32] = {};
  user32::GetClassNameA(list, className, sizeof className);
  EXPECT_STREQ(className, "SysListView32");
  EXPECT_EQ(user32::GetParent(list), parent_);
  EXPECT_EQ(static_cast<DWORD>(user32::GetWindowLongA(list, GWL_STYLE)), 0x5001000Du);
  EXPECT_EQ(static_cast<DWORD>(user32::GetWindowLongA(list, GWL_EXSTYLE)), WS_EX_CLIENTEDGE);
  EXPECT_EQ(user32::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0),
            LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(user32::WidgetOf(list)->geometry(), QRect(0, 0, 220, 200));
  const HWND header = static_cast<HWND>(user32::SendMessageA(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(user32::GetParent(header), list);
  EXPECT_EQ(list_.ColumnCount(), 1);
  // A copy has the same fields; the object owns nothing, so a copy going away leaves the control.
  {
    IconListView copy = list_;
    EXPECT_EQ(copy.Handle(), list);
  }
  EXPECT_TRUE(user32::IsWindow(list));
}

// Messages whose last parameter is a record's address or a new handle, checked elsewhere.
bool CarriesRecord(UINT message) {
  switch (message) {
    case LVM_INSERTCOLUMNA:
    case LVM_INSERTITEMA:
    case LVM_GETITEMA:
    case LVM_SETITEMSTATE:
    case LVM_SETIMAGELIST:
      return true;
    default:
      return false;
  }
}

TEST_F(IconListViewTest, EachOperationSendsItsMessages) {
  Fill(3);
  list_.SelectedIndex(1);
  Record();
  constexpr LPARAM kRecord = -77;
  const struct {
    const char* operation;
    std::function<void()> run;
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> sent;
  } rows[] = {
      {"SetFullRowSelect(1)",
       [&] { list_.SetFullRowSelect(true); },
       {{LVM_SETEXTENDEDLISTVIEWSTYLE, 0x20, 0x20}}},
      {"SetFullRowSelect(0)",
       [&] { list_.SetFullRowSelect(false); },
       {{LVM_SETEXTENDEDLISTVIEWSTYLE, 0x20, 0}}},
      {"InsertColumn",
       [&] { list_.InsertColumn(std::nullopt, "x"_gbk); },
       {{LVM_GETHEADER, 0, 0}, {LVM_INSERTCOLUMNA, 1, kRecord}}},
      {"InsertItem",
       [&] { list_.InsertItem(std::nullopt, "x"_gbk); },
       {{LVM_GETITEMCOUNT, 0, 0}, {LVM_INSERTITEMA, 0, kRecord}}},
      {"GetItemText", [&] { list_.GetItemText(1, 0); }, {{LVM_GETITEMA, 0, kRecord}}},
      {"GetItemParam", [&] { list_.GetItemParam(1); }, {{LVM_GETITEMA, 0, kRecord}}},
      {"SelectedIndex()",
       [&] { list_.SelectedIndex(); },
       {{LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED}}},
      {"SelectedIndex(2)",
       [&] { list_.SelectedIndex(2); },
       {{LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED},
        {LVM_SETITEMSTATE, 1, kRecord},
        {LVM_SETITEMSTATE, 2, kRecord}}},
      {"GetBkColor", [&] { list_.GetBkColor(); }, {{LVM_GETBKCOLOR, 0, 0}}},
      {"DisableRedraw", [&] { list_.DisableRedraw(); }, {{WM_SETREDRAW, 0, 0}}},
      {"EnableRedraw", [&] { list_.EnableRedraw(); }, {{WM_SETREDRAW, 1, 0}}},
      {"CreateSmallImageList",
       [&] { list_.CreateSmallImageList(24, 24, 24, 0); },
       {{LVM_SETIMAGELIST, 1, kRecord}}},
      {"CreateStateImageList",
       [&] { list_.CreateStateImageList(16, 16, 24, 0); },
       {{LVM_SETIMAGELIST, 2, kRecord}}},
      {"DeleteAllItems", [&] { list_.DeleteAllItems(); }, {{LVM_DELETEALLITEMS, 0, 0}}},
      {"ItemCount", [&] { list_.ItemCount(); }, {{LVM_GETITEMCOUNT, 0, 0}}},
      {"ColumnCount",
       [&] { list_.ColumnCount(); },
       {{LVM_GETHEADER, 0, 0}}},  // then the header's count
  };
  for (const auto& row : rows) {
    Log().clear();
    row.run();
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> sent;
    for (const Seen& seen : Log())
      sent.emplace_back(seen.message, seen.wParam,
                        CarriesRecord(seen.message) ? kRecord : seen.lParam);
    EXPECT_EQ(sent, row.sent) << row.operation;
  }
}

TEST_F(IconListViewTest, RecordsAreLaidOutAsTheControlReadsThem) {
  Fill(2);
  list_.SelectedIndex(0);
  Record();
  list_.InsertColumn(std::nullopt, "名称"_gbk, std::nullopt, 1);
  list_.InsertColumn(0, "大小"_gbk, 50, 2, 3, 1);
  list_.InsertItem(std::nullopt, "a.png"_gbk, 4, 0, 2, 1);
  list_.InsertItem(1, "b"_gbk, 0, 2, 0, -1);
  list_.GetItemText(1, 2);
  list_.GetItemParam(1);
  list_.SelectedIndex(1);

  std::vector<Seen> records;
  for (const Seen& seen : Log())
    if (seen.message != LVM_GETHEADER && seen.message != LVM_GETITEMCOUNT &&
        seen.message != LVM_GETNEXTITEM)
      records.push_back(seen);
  ASSERT_EQ(records.size(), 8u);
  const struct {
    UINT mask;
    int format, width, image;
    WPARAM index;
    const char* text;
  } columns[] = {{0x7, LVCFMT_CENTER, 80, -1, 1, "名称"},
                 {0x17, LVCFMT_RIGHT | 0x1000, 50, 3, 0, "大小"}};
  for (int i = 0; i < 2; ++i) {
    const LVCOLUMNA& c = records[i].column;
    EXPECT_EQ(records[i].wParam, columns[i].index) << i;
    EXPECT_EQ(c.mask, columns[i].mask) << i;
    EXPECT_EQ(c.fmt, columns[i].format) << i;
    EXPECT_EQ(c.cx, columns[i].width) << i;
    EXPECT_EQ(c.iImage, columns[i].image) << i;
    EXPECT_EQ(c.cchTextMax, 260) << i;
    EXPECT_EQ(Text(records[i].text), Text::FromUtf8(columns[i].text)) << i;
  }
  const struct {
    int row;
    UINT state;
    int image, indent;
    LPARAM param;
    const char* text;
  } items[] = {{2, 0x1000, 4, 2, 1, "a.png"}, {1, 0x3000, 0, 0, -1, "b"}};
  for (int i = 0; i < 2; ++i) {
    const LVITEMA& item = records[2 + i].item;
    EXPECT_EQ(item.mask, 0x100Fu) << i;
    EXPECT_EQ(item.iItem, items[i].row) << i;
    EXPECT_EQ(item.iSubItem, 0) << i;
    EXPECT_EQ(item.state, items[i].state) << i;
    EXPECT_EQ(item.stateMask, 0xFFFFF000u) << i;
    EXPECT_EQ(item.cchTextMax, 260) << i;
    EXPECT_EQ(item.iImage, items[i].image) << i;
    EXPECT_EQ(item.lParam, items[i].param) << i;
    EXPECT_EQ(item.iIndent, items[i].indent) << i;
    EXPECT_EQ(records[2 + i].text, items[i].text) << i;
  }
  EXPECT_EQ(records[4].item.mask, LVIF_TEXT);
  EXPECT_EQ(records[4].item.iItem, 1);
  EXPECT_EQ(records[4].item.iSubItem, 2);
  EXPECT_EQ(records[4].item.cchTextMax, 260);
  EXPECT_EQ(records[5].item.mask, LVIF_PARAM);
  EXPECT_EQ(records[5].item.iItem, 1);
  EXPECT_EQ(records[6].wParam, 0u);  // the row that was selected loses it
  EXPECT_EQ(records[6].item.state, ~LVIS_SELECTED);
  EXPECT_EQ(records[6].item.stateMask, LVIS_SELECTED);
  EXPECT_EQ(records[7].wParam, 1u);
  EXPECT_EQ(records[7].item.state, LVIS_SELECTED);
  EXPECT_EQ(records[7].item.stateMask, LVIS_SELECTED);
}

TEST_F(IconListViewTest, ColumnsAnswerTheirIndexWidthTextAndCount) {
  const struct {
    std::optional<int32_t> index, width, alignment;
    int32_t inserted, expectedWidth, expectedAlignment;
  } rows[] = {
      {std::nullopt, std::nullopt, std::nullopt, 1, 80, 0},  // appended, 80 wide
      {-1, 50, 2, 2, 50, 2},                                 // -1 appends; 2 is right
      {0, 30, 1, 0, 30, 1},                                  // 1 is centre
      {9, 10, 0, 4, 10, 0},                                  // past the end: appended
      {-3, 10, 0, -1, 0, 0},                                 // refused
  };
  for (const auto& row : rows) {
    EXPECT_EQ(list_.InsertColumn(row.index, "c"_gbk, row.width, row.alignment), row.inserted);
    if (row.inserted < 0) continue;
    EXPECT_EQ(list_.ColumnWidth(row.inserted), row.expectedWidth);
    EXPECT_EQ(list_.ColumnAlignment(row.inserted), row.expectedAlignment);
  }
  EXPECT_EQ(list_.ColumnCount(), 5);
  EXPECT_EQ(list_.ColumnText(1), "图片文件"_gbk);
  EXPECT_EQ(list_.ColumnText(7), Text());
  EXPECT_TRUE(list_.SetColumnWidth(1, 120));
  EXPECT_EQ(list_.ColumnWidth(1), 120);
  EXPECT_TRUE(list_.DeleteColumn(4));
  EXPECT_FALSE(list_.DeleteColumn(4));
  EXPECT_EQ(list_.ColumnCount(), 4);
  EXPECT_FALSE(View()->header()->isHidden());
  list_.SetNoColumnHeader(true);
  EXPECT_TRUE(View()->header()->isHidden());
}

TEST_F(IconListViewTest, RowsAnswerTheirIndexTextAndParameter) {
  const struct {
    std::optional<int32_t> index;
    const char* text;
    int32_t parameter, inserted;
  } rows[] = {
      {std::nullopt, "b.png", 0, 0},
      {std::nullopt, "文件夹", 1, 1},
      {0, "a", 0, 0},
      {99, "z", 0, 3},  // past the end: appended
      {-5, "refused", 0, -1},
  };
  for (const auto& row : rows)
    EXPECT_EQ(list_.InsertItem(row.index, Text::FromUtf8(row.text), 0, 0, 0, row.parameter),
              row.inserted)
        << row.text;
  EXPECT_EQ(list_.ItemCount(), 4);
  const char* order[] = {"a", "b.png", "文件夹", "z"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(list_.GetItemText(i, 0), Text::FromUtf8(order[i])) << i;
  EXPECT_EQ(list_.GetItemParam(2), 1);
  EXPECT_EQ(list_.GetItemParam(1), 0);
  EXPECT_EQ(list_.GetItemText(4, 0), Text());  // no such row
  EXPECT_EQ(list_.GetItemText(0, 3), Text());  // no such column
  EXPECT_EQ(list_.GetItemParam(9), 0);

  // A text longer than the buffer comes back cut to 259 bytes, never inside a character.
  const Text long300(std::string(300, 'x'));
  list_.InsertItem(std::nullopt, long300);
  EXPECT_EQ(list_.GetItemText(4, 0), Text(std::string(259, 'x')));
  list_.InsertItem(std::nullopt, Text(std::string(258, 'x')) + "图"_gbk);
  EXPECT_EQ(list_.GetItemText(5, 0), Text(std::string(258, 'x')));

  list_.InsertColumn(std::nullopt, "大小"_gbk);
  EXPECT_TRUE(list_.SetItemText(1, 1, "12 KB"_gbk));
  EXPECT_EQ(list_.GetItemText(1, 1), "12 KB"_gbk);
  EXPECT_FALSE(list_.SetItemText(1, 2, "x"_gbk));
  EXPECT_TRUE(list_.SetItemParam(1, -7));
  EXPECT_EQ(list_.GetItemParam(1), -7);
  EXPECT_TRUE(list_.DeleteItem(0));
  EXPECT_EQ(list_.GetItemText(0, 0), "b.png"_gbk);

  list_.DeleteAllItems();
  EXPECT_EQ(list_.ItemCount(), 0);
  EXPECT_EQ(list_.SelectedIndex(), -1);
}

TEST_F(IconListViewTest, SelectedIndexMovesTheOneSelection) {
  Fill(5);
  EXPECT_EQ(list_.SelectedIndex(), -1);
  EXPECT_EQ(list_.SelectedIndex(1), 1);
  EXPECT_EQ(list_.SelectedIndex(), 1);
  EXPECT_EQ(list_.SelectedIndex(3), 3);
  for (int row = 0; row < 5; ++row)
    EXPECT_EQ(list_.IsSelected(row), row == 3) << row;
  list_.DeselectRow(3);
  EXPECT_EQ(list_.SelectedIndex(), -1);
  list_.SelectRow(2);
  EXPECT_EQ(list_.SelectedIndex(), 2);

  // Several rows may be selected once the style bit is off: then there is no one selected row.
  EXPECT_TRUE(ext::GetWindowLongA(list_.Handle(), GWL_STYLE) & LVS_SINGLESEL);
  list_.SetSingleSelection(false);
  EXPECT_FALSE(ext::GetWindowLongA(list_.Handle(), GWL_STYLE) & LVS_SINGLESEL);
  list_.SelectRow(4);
  EXPECT_TRUE(list_.IsSelected(2));
  EXPECT_TRUE(list_.IsSelected(4));
  EXPECT_EQ(list_.SelectedIndex(), -1);
}

TEST_F(IconListViewTest, RedrawAndColours) {
  QWidget* view = user32::WidgetOf(list_.Handle());
  const QColor base = view->palette().color(QPalette::Base);
  EXPECT_EQ(list_.GetBkColor(),
            static_cast<COLORREF>(base.red() | base.green() << 8 | base.blue() << 16));
  list_.SetBkColor(0x00336699);
  EXPECT_EQ(list_.GetBkColor(), 0x00336699u);
  EXPECT_EQ(view->palette().color(QPalette::Base), QColor(0x99, 0x66, 0x33));
  list_.SetTextColor(0x000000FF);
  list_.SetTextBkColor(0x0000FF00);
  EXPECT_EQ(list_.TextColor(), 0x000000FFu);
  EXPECT_EQ(list_.TextBkColor(), 0x0000FF00u);
  list_.DisableRedraw();
  EXPECT_FALSE(view->updatesEnabled());
  list_.EnableRedraw();
  EXPECT_TRUE(view->updatesEnabled());
}

TEST_F(IconListViewTest, ImageListsDrawIconsAndAreReplaced) {
  using platform::comctl32::ImageListImage;
  const HICON icon = HalfTransparentIcon(0xFF0000FF, 0x80FF0000);
  const HIMAGELIST first = list_.CreateSmallImageList(24, 24, 24, 0x00FFFFFF);
  ASSERT_NE(first, 0u);
  EXPECT_EQ(list_.SmallImageList(), first);
  EXPECT_EQ(list_.AddSmallIcon(icon), 0);
  EXPECT_EQ(list_.AddSmallIcon(icon), 1);
  EXPECT_EQ(list_.InsertItem(std::nullopt, "a.png"_gbk, 1), 0);
  EXPECT_EQ(list_.ItemImage(0), 1);
  // 24-bit colour without a mask: opaque, each icon drawn over the background colour.
  const QImage* drawn = ImageListImage(first, 0);
  ASSERT_NE(drawn, nullptr);
  EXPECT_EQ(drawn->size(), QSize(24, 24));
  EXPECT_EQ(drawn->pixel(2, 12), 0xFF0000FFu);
  EXPECT_EQ(drawn->pixel(21, 12), platform::gdi::Over(0x80FF0000, 0xFFFFFFFF));
  // 32 bits keep the icon's alpha.
  const HIMAGELIST state = list_.CreateStateImageList(16, 16, ILC_COLOR32, CLR_NONE);
  EXPECT_EQ(list_.AddStateIcon(icon), 0);
  EXPECT_EQ(ImageListImage(state, 0)->pixel(12, 4), 0x80FF0000u);
  EXPECT_EQ(list_.StateImageList(), state);

  // Listing the next folder replaces the list: the old one is destroyed first.
  const HIMAGELIST second = list_.CreateSmallImageList(24, 24, 24, 0x00000000);
  EXPECT_NE(second, first);
  EXPECT_FALSE(platform::comctl32::ImageLists().Contains(first));
  EXPECT_EQ(ext::ImageList_AddIcon(first, icon), -1);
  EXPECT_EQ(list_.SmallImageList(), second);
  EXPECT_EQ(list_.AddSmallIcon(icon), 0);
  EXPECT_EQ(ImageListImage(second, 0)->pixel(21, 12), platform::gdi::Over(0x80FF0000, 0xFF000000));

  const struct {
    int width, height;
    HIMAGELIST made;
  } sizes[] = {{0, 24, 0}, {24, -1, 0}, {5000, 24, 0}};
  for (const auto& row : sizes)
    EXPECT_EQ(ext::ImageList_Create(row.width, row.height, 24, 0, 0), row.made);
  EXPECT_EQ(ext::ImageList_SetBkColor(second, 0x00FF00), 0x00000000u);  // the previous colour
  EXPECT_EQ(ext::ImageList_SetBkColor(first, 0x00FF00), CLR_NONE);
  EXPECT_FALSE(ext::ImageList_Destroy(first));
  EXPECT_EQ(ext::ImageList_AddIcon(second, 0), -1);
  platform::gdi::Icons().Erase(icon);
}

TEST_F(IconListViewTest, TheRestOfTheSurfaceAnswersAsTheControlDoes) {
  Fill(4);
  list_.SetItemText(0, 0, "Beta"_gbk);
  list_.SetItemText(1, 0, "alpha"_gbk);
  list_.SetItemText(2, 0, "10"_gbk);
  list_.SetItemText(3, 0, "9"_gbk);
  const struct {
    const char* operation;
    std::function<int32_t()> run;
    int32_t expected;
  } rows[] = {
      {"FindText whole, case ignored", [&] { return list_.FindText("ALPHA"_gbk); }, 1},
      {"FindText partial", [&] { return list_.FindText("be"_gbk, std::nullopt, true); }, 0},
      {"FindText after the match", [&] { return list_.FindText("beta"_gbk, 0); }, -1},
      {"FindText wrapping", [&] { return list_.FindText("beta"_gbk, 0, false, true); }, 0},
      {"FindParam", [&] { return list_.FindParam(1, 1); }, 3},
      {"EnsureVisible", [&] { return int32_t{list_.EnsureVisible(3)}; }, 1},
      {"EnsureVisible no row", [&] { return int32_t{list_.EnsureVisible(4)}; }, 0},
      {"Arrange in a report", [&] { return int32_t{list_.Arrange()}; }, 0},
      {"TopIndex", [&] { return list_.TopIndex(); }, 0},
      {"HotItem without tracking", [&] { return list_.HotItem(); }, -1},
      {"SetItemIndent",
       [&] { return int32_t{list_.SetItemIndent(2, 3)} * 10 + list_.ItemIndent(2); }, 13},
      {"SetItemImage", [&] { return int32_t{list_.SetItemImage(2, 5)} * 10 + list_.ItemImage(2); },
       15},
      {"SetColumnImage",
       [&] { return int32_t{list_.SetColumnImage(0, 2)} * 10 + list_.ColumnImage(0); }, 12},
      {"EditLabel without editable labels", [&] { return int32_t(list_.EditLabel(1)); }, 0},
      {"Exists", [&] { return int32_t{list_.Exists()}; }, 1},
      {"Width", [&] { return list_.Width(); }, 220},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.run(), row.expected) << row.operation;

  list_.SetChecked(2, true);
  EXPECT_TRUE(list_.IsChecked(2));
  list_.SetChecked(2, false);
  EXPECT_FALSE(list_.IsChecked(2));

  // Sorting by texts or numbers keeps each row's parameter with it.
  list_.SortByColumn(0);
  const char* byText[] = {"10", "9", "alpha", "Beta"};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(list_.GetItemText(i, 0), Text(byText[i])) << i;
  EXPECT_EQ(list_.GetItemParam(1), 1);  // "9" was row 3
  list_.SortByColumnNumber(0, true);
  EXPECT_EQ(list_.GetItemText(0, 0), Text("10"));
  EXPECT_EQ(list_.GetItemText(1, 0), Text("9"));

  // Switching hover selection off clears that style alone.
  list_.SetOneClickActivate(true);
  list_.SetHoverSelect(true);
  list_.SetHoverSelect(false);
  EXPECT_EQ(user32::SendMessageA(list_.Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) &
                (LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE),
            LVS_EX_ONECLICKACTIVATE);

  list_.SetEditableLabels(true);
  const HWND editor = list_.EditLabel(1);
  ASSERT_NE(editor, 0u);
  char className[16] = {};
  user32::GetClassNameA(editor, className, sizeof className);
  EXPECT_STREQ(className, "Edit");
  EXPECT_EQ(list_.EditControl(), editor);

  QTemporaryDir folder;
  const QString picture = folder.filePath("back.png");
  QImage back(8, 8, QImage::Format_ARGB32);
  back.fill(0xFF808080);
  back.save(picture);
  EXPECT_TRUE(list_.SetBackgroundImage(Text::FromUtf8(picture.toStdString()), true));
  EXPECT_EQ(list_.BackgroundImage(), Text::FromUtf8(picture.toStdString()));
  EXPECT_FALSE(
      list_.SetBackgroundImage(Text::FromUtf8(folder.filePath("missing.png").toStdString())));

  list_.MoveAndSize(10, std::nullopt, 100);
  EXPECT_EQ(list_.Left(), 10);
  EXPECT_EQ(list_.Top(), 0);
  EXPECT_EQ(list_.Right(), 110);
  EXPECT_EQ(list_.Bottom(), 200);
  list_.SetView(0);
  EXPECT_TRUE(list_.Arrange());
  list_.SetView(7);  // ignored
  EXPECT_EQ(ext::GetWindowLongA(list_.Handle(), GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
}

// ---- The subclassed procedure ----

struct Observation {
  UINT message;
  int32_t selected;
  WPARAM wParam;
  bool operator==(const Observation&) const = default;
};

std::vector<Observation>& Observed() {
  static std::vector<Observation> observed;
  return observed;
}
IconListView*& Watched() {
  static IconListView* watched = nullptr;
  return watched;
}

// What a procedure that previews on clicks, arrow keys and capture loss reads, then passes on.
LRESULT PreviewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
      Observed().push_back({message, Watched()->SelectedIndex(), message == WM_KEYUP ? wParam : 0});
      break;
    default:
      break;
  }
  return ext::CallWindowProcA(Previous(), window, message, wParam, lParam);
}

TEST_F(IconListViewTest, ASubclassedProcedureSeesInputBeforeAndTheCaptureLossAfterTheSelection) {
  Fill(6);
  user32::ShowWindow(parent_, SW_SHOW);
  list_.SelectedIndex(1);
  Watched() = &list_;
  Previous() = reinterpret_cast<WNDPROC>(
      ext::SetWindowLongA(list_.Handle(), GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&PreviewProc)));
  QTreeView* view = View();
  auto onRow = [&](int row) { return view->visualRect(view->model()->index(row, 0)).center(); };
  auto mouse = [&](QEvent::Type type, int row, Qt::MouseButton button) {
    const QPoint at = onRow(row);
    QMouseEvent event(type, at, view->viewport()->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &event);
  };
  auto key = [&](QEvent::Type type, Qt::Key which) {
    QKeyEvent event(type, which, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
  };
  auto observe = [&](const std::function<void()>& input) {
    Observed().clear();
    input();
    return Observed();
  };
  using V = std::vector<Observation>;

  EXPECT_EQ(observe([&] {
              mouse(QEvent::MouseButtonPress, 3, Qt::LeftButton);
              mouse(QEvent::MouseButtonRelease, 3, Qt::LeftButton);
            }),
            (V{{WM_LBUTTONDOWN, 1, 0}, {WM_CAPTURECHANGED, 3, 0}}));
  EXPECT_EQ(observe([&] {
              key(QEvent::KeyPress, Qt::Key_Down);
              key(QEvent::KeyRelease, Qt::Key_Down);
              key(QEvent::KeyPress, Qt::Key_Up);
              key(QEvent::KeyRelease, Qt::Key_Up);
              key(QEvent::KeyPress, Qt::Key_Up);
              key(QEvent::KeyRelease, Qt::Key_Up);
            }),
            (V{{WM_KEYUP, 4, 0x28}, {WM_KEYUP, 3, 0x26}, {WM_KEYUP, 2, 0x26}}));
  EXPECT_EQ(observe([&] {
              mouse(QEvent::MouseButtonPress, 5, Qt::LeftButton);
              mouse(QEvent::MouseButtonRelease, 5, Qt::LeftButton);
              mouse(QEvent::MouseButtonDblClick, 5, Qt::LeftButton);
              mouse(QEvent::MouseButtonRelease, 5, Qt::LeftButton);
            }),
            (V{{WM_LBUTTONDOWN, 2, 0}, {WM_CAPTURECHANGED, 5, 0}, {WM_LBUTTONDBLCLK, 5, 0}}));
  EXPECT_EQ(observe([&] { mouse(QEvent::MouseButtonPress, 0, Qt::RightButton); }),
            (V{{WM_RBUTTONDOWN, 5, 0}, {WM_CAPTURECHANGED, 0, 0}}));
  // A press a program sends selects the row under its point the same way.
  const QPoint onTwo = view->viewport()->mapTo(view, onRow(2));
  EXPECT_EQ(observe([&] {
              ext::SendMessageA(list_.Handle(), WM_LBUTTONDOWN, 1, (onTwo.y() << 16) | onTwo.x());
            }),
            (V{{WM_LBUTTONDOWN, 0, 0}, {WM_CAPTURECHANGED, 2, 0}}));
  Watched() = nullptr;
}

}  // namespace
