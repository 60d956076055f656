// The combo box and list box classes' messages, as the program and the frame send them.
#include <QWidget>

#include <string>

#include <gtest/gtest.h>

#include "frame/literal.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/win32/user32.h"

namespace platform::user32 {
namespace {

using namespace win32;

using namespace frame::literals;

class ControlTest : public testing::Test {
 protected:
  HWND Make(const char* className, DWORD style = 0) {
    const HWND control =
        CreateWindowExA(0, className, "", WS_CHILD | style, 0, 0, 100, 20, *parent_, 0, 0, nullptr);
    EXPECT_NE(control, 0u);
    return control;
  }
  static LRESULT Add(HWND control, UINT message, const frame::Text& text) {
    return SendMessageA(control, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  struct Parent {
    HWND handle = CreateWindowExA(0, "PictolanWindow", "", 0, 0, 0, 200, 200, 0, 0, 0, nullptr);
    ~Parent() { delete WidgetOf(handle); }
    HWND operator*() const { return handle; }
  } parent_;
};

TEST_F(ControlTest, ComboItemsTextsAndData) {
  const HWND combo = Make("ComboBox");
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(Add(combo, CB_ADDSTRING, "图片"_gbk), 0);
  EXPECT_EQ(Add(combo, CB_ADDSTRING, "Beta"_gbk), 1);
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 0, 0), 4);
  std::string text(5, ' ');
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text.data())), 4);
  EXPECT_EQ(frame::Text(text.c_str()), "图片"_gbk);
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXTLEN, 2, 0), CB_ERR);
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(text.data())),
            CB_ERR);

  EXPECT_EQ(SendMessageA(combo, CB_SETITEMDATA, 1, -7), TRUE);
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 1, 0), -7);
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 0, 0), 0);
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 9, 0), CB_ERR);

  EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 5, 0), CB_ERR);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);

  EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 0, 0), 1);
  EXPECT_EQ(SendMessageA(combo, CB_DELETESTRING, 3, 0), CB_ERR);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(ControlTest, ComboFindExactSearchesRoundFromTheItemAfterTheStart) {
  const HWND combo = Make("ComboBox");
  EXPECT_EQ(Add(combo, CB_FINDSTRINGEXACT, "x"_gbk), CB_ERR);  // empty box
  for (const char* folder : {"/home/Pics", "/tmp", "/home/pics/old"})
    Add(combo, CB_ADDSTRING, frame::Text(folder));
  const struct {
    WPARAM start;
    const char* text;
    LRESULT found;
  } rows[] = {
      {static_cast<WPARAM>(-1), "/HOME/PICS", 0},  // whole text, letter case ignored
      {0, "/home/pics", 0},  // found as item 0 though the search starts after it
      {1, "/tmp", 1},
      {2, "/tmp", 1},
      {0, "/home", CB_ERR},  // a prefix is no match
  };
  for (const auto& row : rows)
    EXPECT_EQ(
        SendMessageA(combo, CB_FINDSTRINGEXACT, row.start, reinterpret_cast<LPARAM>(row.text)),
        row.found)
        << row.start << " " << row.text;
}

TEST_F(ControlTest, SortedCombosInsertInOrder) {
  const HWND combo = Make("ComboBox", CBS_SORT);
  EXPECT_EQ(Add(combo, CB_ADDSTRING, frame::Text("b")), 0);
  EXPECT_EQ(Add(combo, CB_ADDSTRING, frame::Text("A")), 0);
  EXPECT_EQ(Add(combo, CB_ADDSTRING, frame::Text("c")), 2);
}

TEST_F(ControlTest, ListItemsSelectionAndData) {
  const HWND list = Make("ListBox");
  EXPECT_EQ(Add(list, LB_ADDSTRING, "16*16"_gbk), 0);
  EXPECT_EQ(Add(list, LB_ADDSTRING, "32*32"_gbk), 1);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), -1);
  EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, 0, 16), TRUE);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 16);
  EXPECT_EQ(Add(list, LB_FINDSTRINGEXACT, "32*32"_gbk), 1);
  std::string text(8, ' ');
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text.data())), 5);
  // Deleting the selected item leaves no selection.
  EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 1, 0), 1);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), -1);
  EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 1, 0), -1);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
}

}  // namespace
}  // namespace platform::user32
