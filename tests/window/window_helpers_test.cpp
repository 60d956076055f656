// The own-window finder over the process's top-level windows, and the combo box wrapper: every
// message it sends, with what the control answers and holds afterwards.
#include <QComboBox>

#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frame/literal.h"
#include "imaging/combo_box_wrapper.h"
#include "imaging/own_window.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/user32.h"

namespace imaging {
namespace {

using frame::literals::operator""_gbk;
using namespace win32;

HWND CreateTopLevel(const char* className, const char* title, int width, HWND owner = 0) {
  return platform::user32::CreateWindowExA(0, className, title, 0, 10, 10, width, 100, owner, 0, 0,
                                           nullptr);
}

class OwnWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"IME", "MSCTFIME UI"})
      platform::user32::RegisterWindowClass(
          {name, nullptr, [](const platform::user32::CreateRequest&) { return new QWidget; }});
    ASSERT_EQ(FindOwnMainWindow(), 0u) << "a window of an earlier test is still there";
  }
};

TEST_F(OwnWindowTest, HelperClassesCountOnlyWhenWide) {
  const HWND owner = CreateTopLevel("PictolanWindow", "", 50);  // untitled and narrow: no match
  const struct {
    const char* className;
    const char* title;
    int width;
    bool owned;
    bool chosen;
  } rows[] = {
      {"IME", "", 100, false, false},
      {"IME", "", 300, false, true},
      {"IME", "输入法", 100, false, false},  // a helper's title does not count
      {"MSCTFIME UI", "", 201, false, true},
      {"PictolanWindow", "Pictolan", 50, false, true},
      {"PictolanWindow", "", 200, false, false},
      {"PictolanWindow", "", 201, false, true},
      {"PictolanWindow", "Pictolan", 523, true, false},  // owned: its parent is the owner
  };
  for (const auto& row : rows) {
    const std::string title = frame::Text::FromUtf8(row.title).bytes();
    const HWND window =
        CreateTopLevel(row.className, title.c_str(), row.width, row.owned ? owner : 0);
    ASSERT_NE(window, 0u) << row.className;
    EXPECT_EQ(FindOwnMainWindow(), row.chosen ? window : 0u)
        << row.className << " '" << row.title << "' " << row.width;
    platform::user32::DestroyWindow(window);
  }
  platform::user32::DestroyWindow(owner);
}

BOOL CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

TEST_F(OwnWindowTest, TheLastMatchOfTheEnumerationWinsAndOtherProcessesNever) {
  const HWND first = CreateTopLevel("PictolanWindow", "一", 300);
  const HWND second = CreateTopLevel("PictolanWindow", "二", 300);
  std::vector<HWND> order;
  platform::user32::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&order));
  std::erase_if(order, [&](HWND w) { return w != first && w != second; });
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(FindOwnMainWindow(), order.back());
  EXPECT_EQ(FindProcessWindow(platform::kernel32::GetCurrentProcessId() + 1), 0u);
  EXPECT_EQ(FindOwnMainWindow(), order.back()) << "each search starts afresh";
  platform::user32::DestroyWindow(first);
  platform::user32::DestroyWindow(second);
}

// Each message that reaches the combo box before the class's procedure answers it, as
// "message,wParam[,text]" in hexadecimal and UTF-8, messages separated by a space.
std::string sent;
WNDPROC comboProc = nullptr;

LRESULT RecordMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::ostringstream line;
  line << (sent.empty() ? "" : " ") << std::hex << message << ',' << std::dec
       << static_cast<intptr_t>(wParam);
  if (message == CB_ADDSTRING || message == CB_FINDSTRINGEXACT || message == CB_GETLBTEXT)
    line << ',' << frame::Text::FromCString(reinterpret_cast<const char*>(lParam)).ToUtf8();
  else if (message == CB_SETITEMDATA)
    line << ',' << lParam;
  sent += line.str();
  return platform::user32::CallWindowProcA(comboProc, window, message, wParam, lParam);
}

std::string ItemsOf(QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i)
    items << combo->itemText(i);
  return items.join('|').toStdString();
}

TEST(ComboBoxWrapperTest, EveryMessageWithItsAnswerAndTheStateAfter) {
  const HWND parent = CreateTopLevel("PictolanWindow", "", 300);
  const HWND window = platform::user32::CreateWindowExA(0, "ComboBox", "", WS_CHILD, 0, 0, 200, 24,
                                                        parent, 1, 0, nullptr);
  ASSERT_NE(window, 0u);
  comboProc = reinterpret_cast<WNDPROC>(platform::user32::SetWindowLongA(
      window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordMessage)));
  auto* combo = qobject_cast<QComboBox*>(platform::user32::WidgetOf(window));
  ASSERT_NE(combo, nullptr);

  ComboBoxWrapper wrapper;
  wrapper.SetWindow(window);
  ComboBoxWrapper& w = wrapper;
  const struct {
    std::function<int32_t()> call;
    const char* messages;
    int32_t result;
    const char* items;  // afterwards
    int current;        // afterwards
  } rows[] = {
      // clang-format off
      {[&] { return w.FindStringExact("a"_gbk); }, "158,0,a", -1, "", -1},
      {[&] { return w.AddString("桌面"_gbk); }, "143,0,桌面", 0, "桌面", -1},
      {[&] { return w.AddString("Pictures"_gbk); }, "143,0,Pictures", 1, "桌面|Pictures", -1},
      {[&] { return w.AddStringAt(0, "docs"_gbk); }, "143,0,docs", 2, "桌面|Pictures|docs", -1},
      {[&] { return w.GetCount(); }, "146,0", 3, "桌面|Pictures|docs", -1},
      // The search starts after item 0 and goes round to it; case ignored, whole text only.
      {[&] { return w.FindStringExact("桌面"_gbk); }, "158,0,桌面", 0, "桌面|Pictures|docs", -1},
      {[&] { return w.FindStringExact("PICTURES"_gbk); }, "158,0,PICTURES", 1, "桌面|Pictures|docs", -1},
      {[&] { return w.FindStringExact("Pict"_gbk); }, "158,0,Pict", -1, "桌面|Pictures|docs", -1},
      {[&] { return w.SetCurSel(2); }, "14e,2", 2, "桌面|Pictures|docs", 2},
      {[&] { return w.GetCurSel(); }, "147,0", 2, "桌面|Pictures|docs", 2},
      {[&] { return w.SetCurSel(7); }, "14e,7", -1, "桌面|Pictures|docs", -1},
      {[&] { return w.SetItemData(1, -5); }, "151,1,-5", 1, "桌面|Pictures|docs", -1},
      {[&] { return w.GetItemData(1); }, "150,1", -5, "桌面|Pictures|docs", -1},
      {[&] { return w.GetItemData(3); }, "150,3", -1, "桌面|Pictures|docs", -1},
      // The text's buffer is its length + 1 spaces.
      {[&] { return w.GetItemText(0) == "桌面"_gbk; }, "149,0 148,0,     ", 1, "桌面|Pictures|docs", -1},
      {[&] { return w.GetItemText(-1).empty(); }, "149,-1", 1, "桌面|Pictures|docs", -1},
      {[&] { return w.DeleteString(0); }, "144,0", 2, "Pictures|docs", -1},
      {[&] { return w.DeleteString(2); }, "144,2", -1, "Pictures|docs", -1},
      {[&] { w.ShowDropDown(); return 0; }, "14f,1", 0, "Pictures|docs", -1},
      {[&] { w.ResetContent(); return 0; }, "14b,0", 0, "", -1},
      // clang-format on
  };
  for (size_t i = 0; i < std::size(rows); ++i) {
    sent.clear();
    EXPECT_EQ(rows[i].call(), rows[i].result) << "row " << i;
    EXPECT_EQ(sent, rows[i].messages) << "row " << i;
    EXPECT_EQ(ItemsOf(combo), rows[i].items) << "row " << i;
    EXPECT_EQ(combo->currentIndex(), rows[i].current) << "row " << i;
  }
  combo->hidePopup();
  const ComboBoxWrapper copy = wrapper;
  EXPECT_EQ(copy.window(), window);
  platform::user32::DestroyWindow(parent);
}

}  // namespace
}  // namespace imaging
