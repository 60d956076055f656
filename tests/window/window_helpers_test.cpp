// The own-window finder over the process's top-level windows, and the combo box wrapper: every
// message it sends, with what the control answers and holds afterwards.
#include <QComboBox>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frame/literal.h"
#include "imaging/combo_box_wrapper.h"
#include "imaging/own_window.h"
#include "platform/api.h"
#include "platform/user32/window_table.h"

namespace imaging {
namespace {

using frame::operator""_gbk;
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

// Records each message that reaches the combo box before the class's procedure answers it.
struct SentMessage {
  UINT message;
  intptr_t wParam;
  std::string text;  // the text sent, or the buffer handed over

  bool operator==(const SentMessage&) const = default;
};
std::vector<SentMessage> sent;
WNDPROC comboProc = nullptr;

LRESULT RecordMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::string text;
  if (message == CB_ADDSTRING || message == CB_FINDSTRINGEXACT || message == CB_GETLBTEXT)
    text = reinterpret_cast<const char*>(lParam);
  else if (message == CB_SETITEMDATA)
    text = std::to_string(lParam);
  sent.push_back({message, static_cast<intptr_t>(wParam), text});
  return platform::user32::CallWindowProcA(comboProc, window, message, wParam, lParam);
}

std::vector<std::string> ItemsOf(QComboBox* combo) {
  std::vector<std::string> items;
  for (int i = 0; i < combo->count(); ++i)
    items.push_back(combo->itemText(i).toStdString());
  return items;
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
  const std::string desktop = "桌面"_gbk.bytes();
  const struct {
    const char* what;
    std::function<int32_t()> call;
    std::vector<SentMessage> messages;
    int32_t result;
    std::vector<std::string> items;
    int current;
  } rows[] = {
      {"find in an empty box",
       [&] { return wrapper.FindStringExact("a"_gbk); },
       {{CB_FINDSTRINGEXACT, 0, "a"}},
       -1,
       {},
       -1},
      {"add",
       [&] { return wrapper.AddString("桌面"_gbk); },
       {{CB_ADDSTRING, 0, desktop}},
       0,
       {"桌面"},
       -1},
      {"add",
       [&] { return wrapper.AddString("Pictures"_gbk); },
       {{CB_ADDSTRING, 0, "Pictures"}},
       1,
       {"桌面", "Pictures"},
       -1},
      {"add at",
       [&] { return wrapper.AddStringAt(0, "docs"_gbk); },
       {{CB_ADDSTRING, 0, "docs"}},
       2,
       {"桌面", "Pictures", "docs"},
       -1},
      {"count",
       [&] { return wrapper.GetCount(); },
       {{CB_GETCOUNT, 0, ""}},
       3,
       {"桌面", "Pictures", "docs"},
       -1},
      {"item 0 found after the rest",
       [&] { return wrapper.FindStringExact("桌面"_gbk); },
       {{CB_FINDSTRINGEXACT, 0, desktop}},
       0,
       {"桌面", "Pictures", "docs"},
       -1},
      {"case ignored",
       [&] { return wrapper.FindStringExact("PICTURES"_gbk); },
       {{CB_FINDSTRINGEXACT, 0, "PICTURES"}},
       1,
       {"桌面", "Pictures", "docs"},
       -1},
      {"whole text only",
       [&] { return wrapper.FindStringExact("Pict"_gbk); },
       {{CB_FINDSTRINGEXACT, 0, "Pict"}},
       -1,
       {"桌面", "Pictures", "docs"},
       -1},
      {"select",
       [&] { return wrapper.SetCurSel(2); },
       {{CB_SETCURSEL, 2, ""}},
       2,
       {"桌面", "Pictures", "docs"},
       2},
      {"selection",
       [&] { return wrapper.GetCurSel(); },
       {{CB_GETCURSEL, 0, ""}},
       2,
       {"桌面", "Pictures", "docs"},
       2},
      {"select outside",
       [&] { return wrapper.SetCurSel(7); },
       {{CB_SETCURSEL, 7, ""}},
       -1,
       {"桌面", "Pictures", "docs"},
       -1},
      {"set data",
       [&] { return wrapper.SetItemData(1, -5); },
       {{CB_SETITEMDATA, 1, "-5"}},
       1,
       {"桌面", "Pictures", "docs"},
       -1},
      {"data",
       [&] { return wrapper.GetItemData(1); },
       {{CB_GETITEMDATA, 1, ""}},
       -5,
       {"桌面", "Pictures", "docs"},
       -1},
      {"data outside",
       [&] { return wrapper.GetItemData(3); },
       {{CB_GETITEMDATA, 3, ""}},
       -1,
       {"桌面", "Pictures", "docs"},
       -1},
      {"text",
       [&] { return wrapper.GetItemText(0) == "桌面"_gbk; },
       {{CB_GETLBTEXTLEN, 0, ""}, {CB_GETLBTEXT, 0, "     "}},
       1,
       {"桌面", "Pictures", "docs"},
       -1},
      {"text outside",
       [&] { return wrapper.GetItemText(-1).empty(); },
       {{CB_GETLBTEXTLEN, -1, ""}},
       1,
       {"桌面", "Pictures", "docs"},
       -1},
      {"delete",
       [&] { return wrapper.DeleteString(0); },
       {{CB_DELETESTRING, 0, ""}},
       2,
       {"Pictures", "docs"},
       -1},
      {"delete outside",
       [&] { return wrapper.DeleteString(2); },
       {{CB_DELETESTRING, 2, ""}},
       -1,
       {"Pictures", "docs"},
       -1},
      {"drop down",
       [&] {
         wrapper.ShowDropDown();
         return 0;
       },
       {{CB_SHOWDROPDOWN, 1, ""}},
       0,
       {"Pictures", "docs"},
       -1},
      {"reset",
       [&] {
         wrapper.ResetContent();
         return 0;
       },
       {{CB_RESETCONTENT, 0, ""}},
       0,
       {},
       -1},
  };
  for (const auto& row : rows) {
    sent.clear();
    EXPECT_EQ(row.call(), row.result) << row.what;
    EXPECT_EQ(sent, row.messages) << row.what;
    EXPECT_EQ(ItemsOf(combo), row.items) << row.what;
    EXPECT_EQ(combo->currentIndex(), row.current) << row.what;
  }
  combo->hidePopup();
  const ComboBoxWrapper copy = wrapper;
  EXPECT_EQ(copy.window(), window);
  platform::user32::DestroyWindow(parent);
}

}  // namespace
}  // namespace imaging
