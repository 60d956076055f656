// The window table and user32's window functions: handles checked on every call, creation,
// parents, texts, geometry with the classic frame, enumeration, subclassing and input.
#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>

#include <unistd.h>

#include <vector>

#include <gtest/gtest.h>

#include "frame/literal.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/picture/gdi/objects.h"
#include "platform/win32/user32.h"

namespace platform::user32 {
namespace {

using namespace win32;

using namespace frame::literals;

// A top-level window, destroyed (and deleted) with the test.
class Window {
 public:
  Window(const char* className, const char* title, DWORD style, HWND parent = 0, int x = 0,
         int y = 0, int width = 100, int height = 50, int id = 0)
      : handle_(CreateWindowExA(0, className, title, style, x, y, width, height, parent,
                                static_cast<HMENU>(id), 0, nullptr)) {}
  ~Window() {
    if (QWidget* widget = WidgetOf(handle_)) delete widget;
  }
  HWND operator*() const { return handle_; }

 private:
  HWND handle_;
};

TEST(WindowHandleTest, NullStaleAndForeignHandlesGetTheFailureValues) {
  HWND stale;
  {
    Window window("Static", "", 0);
    stale = *window;
  }
  const HWND foreign = gdi::CreateBitmap(1, 1);
  for (HWND h : {HWND{0}, stale, foreign, HWND{0x7FFFFFFF}}) {
    SCOPED_TRACE(h);
    char text[8] = "x";
    RECT rect{};
    WINDOWPLACEMENT placement{};
    POINT point{1, 2};
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_FALSE(IsWindowEnabled(h));
    EXPECT_EQ(GetParent(h), 0u);
    EXPECT_EQ(GetClassNameA(h, text, sizeof text), 0);
    EXPECT_EQ(GetWindowTextA(h, text, sizeof text), 0);
    EXPECT_FALSE(GetWindowRect(h, &rect));
    EXPECT_FALSE(GetClientRect(h, &rect));
    EXPECT_FALSE(GetWindowPlacement(h, &placement));
    EXPECT_FALSE(SetWindowPos(h, 0, 1, 1, 1, 1, 0));
    EXPECT_FALSE(ShowWindow(h, SW_SHOW));
    EXPECT_FALSE(EnableWindow(h, TRUE));
    EXPECT_EQ(SetFocus(h), 0u);
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE), 0);
    EXPECT_EQ(SetWindowLongA(h, GWL_USERDATA, 5), 0);
    EXPECT_EQ(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(GetWindowThreadProcessId(h, nullptr), 0u);
    EXPECT_EQ(SetParent(h, 0), 0u);
    EXPECT_EQ(MapWindowPoints(h, 0, &point, 1), 0);
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_EQ(CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 1, 1, h, 0, 0, nullptr), 0u);
  }
  gdi::Bitmaps().Erase(foreign);
}

TEST(WindowCreationTest, ClassesChildrenTextsAndIds) {
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, 0, 0, 0, nullptr), 0u);
  EXPECT_EQ(CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 1, 1, 0, 0, 0, nullptr), 0u);

  Window top("PictolanWindow", "主窗口"_gbk.c_str(), 0, 0, 50, 60, 523, 412);
  const HWND child =
      CreateWindowExA(WS_EX_CLIENTEDGE, "button", "确定"_gbk.c_str(), WS_CHILD | WS_VISIBLE, 10, 20,
                      80, 24, *top, static_cast<HMENU>(140), 0, nullptr);
  ASSERT_NE(child, 0u);
  EXPECT_EQ(GetParent(child), *top);
  EXPECT_EQ(GetParent(*top), 0u);
  EXPECT_EQ(GetWindowLongA(child, GWL_ID), 140);
  EXPECT_EQ(GetWindowLongA(child, GWL_EXSTYLE), WS_EX_CLIENTEDGE);

  char name[32];
  EXPECT_EQ(GetClassNameA(child, name, sizeof name), 6);
  EXPECT_STREQ(name, "Button");  // the class's own spelling
  EXPECT_EQ(GetClassNameA(child, name, 4), 3);
  EXPECT_STREQ(name, "But");

  char text[32];
  EXPECT_EQ(GetWindowTextA(*top, text, sizeof text), 6);
  EXPECT_EQ(frame::Text(text), "主窗口"_gbk);
  EXPECT_EQ(GetWindowTextA(*top, text, 4), 2);  // a double-byte character is never cut in half
  EXPECT_EQ(frame::Text(text), "主"_gbk);
  EXPECT_TRUE(SetWindowTextA(child, "取消"_gbk.c_str()));
  EXPECT_EQ(GetWindowTextA(child, text, sizeof text), 4);
  EXPECT_EQ(SendMessageA(child, WM_GETTEXTLENGTH, 0, 0), 4);

  DWORD process = 0;
  EXPECT_NE(GetWindowThreadProcessId(child, &process), 0u);
  EXPECT_EQ(process, static_cast<DWORD>(getpid()));
}

TEST(WindowGeometryTest, TopLevelRectanglesIncludeTheClassicFrame) {
  Window top("PictolanWindow", "", 0, 0, 50, 60, 523, 412);
  RECT rect{};
  ASSERT_TRUE(GetWindowRect(*top, &rect));
  EXPECT_EQ(rect.left, 50);
  EXPECT_EQ(rect.top, 60);
  EXPECT_EQ(rect.right, 573);
  EXPECT_EQ(rect.bottom, 472);
  ASSERT_TRUE(GetClientRect(*top, &rect));
  EXPECT_EQ(rect.right, 515);
  EXPECT_EQ(rect.bottom, 378);

  const HWND child =
      CreateWindowExA(0, "Static", "", WS_CHILD, 10, 20, 30, 40, *top, 0, 0, nullptr);
  ASSERT_TRUE(GetWindowRect(child, &rect));
  POINT corner{rect.left, rect.top};
  MapWindowPoints(0, *top, &corner, 1);
  EXPECT_EQ(corner.x, 10);
  EXPECT_EQ(corner.y, 20);
  EXPECT_EQ(rect.right - rect.left, 30);

  ASSERT_TRUE(SetWindowPos(child, 0, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
  WINDOWPLACEMENT placement{};
  ASSERT_TRUE(GetWindowPlacement(child, &placement));
  EXPECT_EQ(placement.rcNormalPosition.left, 5);
  EXPECT_EQ(placement.rcNormalPosition.top, 6);
  EXPECT_EQ(placement.rcNormalPosition.right, 35);
  EXPECT_EQ(placement.rcNormalPosition.bottom, 46);
  ASSERT_TRUE(MoveWindow(*top, 0, 0, 200, 100, TRUE));
  ASSERT_TRUE(GetClientRect(*top, &rect));
  EXPECT_EQ(rect.right, 192);
  EXPECT_EQ(rect.bottom, 66);
}

TEST(WindowStateTest, VisibilityEnablingAndStyleBits) {
  Window top("PictolanWindow", "", 0);
  const HWND child =
      CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, *top, 0, 0, nullptr);
  EXPECT_FALSE(IsWindowVisible(child));  // its parent is not shown
  EXPECT_FALSE(ShowWindow(*top, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_TRUE(ShowWindow(child, SW_HIDE));
  EXPECT_FALSE(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(EnableWindow(child, FALSE));
  EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_DISABLED);
  EXPECT_TRUE(EnableWindow(child, TRUE));  // it was disabled
  SetWindowLongA(child, GWL_STYLE, static_cast<LONG_PTR>(WS_CHILD | WS_VISIBLE));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_EQ(SendMessageA(child, WM_SETREDRAW, FALSE, 0), 0);
  EXPECT_FALSE(WidgetOf(child)->updatesEnabled());
  SendMessageA(child, WM_SETREDRAW, TRUE, 0);
  EXPECT_TRUE(WidgetOf(child)->updatesEnabled());
}

BOOL Collect(HWND window, LPARAM param) {
  auto* seen = reinterpret_cast<std::vector<HWND>*>(param);
  seen->push_back(window);
  return seen->size() < 100 ? TRUE : FALSE;
}

TEST(EnumWindowsTest, VisitsTopLevelWindowsNewestFirst) {
  Window first("Static", "", 0);
  Window second("Static", "", 0);
  const HWND child = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 1, 1, *first, 0, 0, nullptr);
  std::vector<HWND> seen;
  EXPECT_TRUE(EnumWindows(&Collect, reinterpret_cast<LPARAM>(&seen)));
  const auto at = [&](HWND h) { return std::find(seen.begin(), seen.end(), h) - seen.begin(); };
  EXPECT_LT(at(*second), at(*first));
  EXPECT_EQ(at(child), static_cast<long>(seen.size()));
  EXPECT_FALSE(EnumWindows([](HWND, LPARAM) { return FALSE; }, 0));
  EXPECT_FALSE(EnumWindows(nullptr, 0));
}

std::vector<UINT>& Seen() {
  static std::vector<UINT> seen;
  return seen;
}
WNDPROC& Previous() {
  static WNDPROC previous = nullptr;
  return previous;
}
bool& PassOn() {
  static bool passOn = true;
  return passOn;
}

LRESULT Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Seen().push_back(message);
  if (message == WM_LBUTTONDOWN && !PassOn()) return 0;
  if (message == WM_USER) return 77;
  return CallWindowProcA(Previous(), window, message, wParam, lParam);
}

TEST(SubclassTest, TheNewProcedureSeesMessagesAndInputFirst) {
  Window top("PictolanWindow", "", 0, 0, 0, 0, 200, 200);
  const HWND list =
      CreateWindowExA(0, "ListBox", "", WS_CHILD | WS_VISIBLE, 0, 0, 150, 150, *top, 0, 0, nullptr);
  SendMessageA(list, 0x0180 /* LB_ADDSTRING */, 0, reinterpret_cast<LPARAM>("a"));
  SendMessageA(list, 0x0180, 0, reinterpret_cast<LPARAM>("b"));
  ShowWindow(*top, SW_SHOW);

  Previous() = reinterpret_cast<WNDPROC>(
      SetWindowLongA(list, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass)));
  ASSERT_NE(Previous(), nullptr);
  EXPECT_EQ(GetWindowLongA(list, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&Subclass));
  EXPECT_EQ(SetWindowLongA(list, GWL_WNDPROC, 0), 0);  // a window always keeps a procedure
  Seen().clear();
  EXPECT_EQ(SendMessageA(list, WM_USER, 0, 0), 77);
  EXPECT_EQ(SendMessageA(list, 0x018B /* LB_GETCOUNT */, 0, 0), 2);  // passed on to the class

  auto* widget = static_cast<QListWidget*>(WidgetOf(list));
  const QPoint onSecond = widget->visualItemRect(widget->item(1)).center();
  auto click = [&] {
    QMouseEvent press(QEvent::MouseButtonPress, onSecond, widget->viewport()->mapToGlobal(onSecond),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget->viewport(), &press);
  };
  PassOn() = false;
  click();
  EXPECT_NE(std::find(Seen().begin(), Seen().end(), WM_LBUTTONDOWN), Seen().end());
  EXPECT_EQ(widget->currentRow(), -1);  // the procedure kept the press from the list
  PassOn() = true;
  click();
  EXPECT_EQ(widget->currentRow(), 1);
}

LRESULT CountDestroys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) Seen().push_back(static_cast<UINT>(window));
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(DestroyWindowTest, ChildrenGoWithTheirParentParentFirst) {
  const HWND top = CreateWindowExA(0, "PictolanWindow", "", 0, 0, 0, 50, 50, 0, 0, 0, nullptr);
  const HWND child = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 5, 5, top, 0, 0, nullptr);
  SetWindowLongA(top, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&CountDestroys));
  SetWindowLongA(child, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&CountDestroys));
  Seen().clear();
  EXPECT_TRUE(DestroyWindow(top));
  EXPECT_EQ(Seen(), (std::vector<UINT>{top, child}));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace platform::user32
