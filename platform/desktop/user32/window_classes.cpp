// The window classes CreateWindowExA knows: the standard controls and the stand-ins' own classes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <map>
#include <string>

#include "platform/desktop/comctl32/list_view.h"
#include "platform/desktop/user32/window_table.h"

namespace platform::user32 {

using namespace win32;

LRESULT ComboBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

template <class W>
std::function<QWidget*(const CreateRequest&)> Make() {
  return [](const CreateRequest& r) -> QWidget* { return new W(r.parent); };
}

std::map<std::string, WindowClass>& Classes() {
  static std::map<std::string, WindowClass> classes = [] {
    std::map<std::string, WindowClass> standard;
    auto add = [&](WindowClass c) { standard[Lower(c.name)] = std::move(c); };
    add({"PictolanWindow", nullptr, Make<QWidget>()});
    add({"Button", nullptr, Make<QPushButton>()});
    add({"Edit", nullptr, Make<QLineEdit>()});
    add({"ComboBox", &ComboBoxProc, Make<QComboBox>()});
    add({"ListBox", &ListBoxProc, Make<QListWidget>()});
    add({"Static", nullptr, Make<QLabel>()});
    add({"SysTabControl32", nullptr, nullptr});
    add({"msctls_updown32", nullptr, nullptr});
    add(comctl32::ListViewClass());
    add(comctl32::HeaderClass());
    add({"#32770", nullptr, Make<QWidget>()});  // dialogs
    add({"PictolanMessageWindow", nullptr, Make<QWidget>()});
    return standard;
  }();
  return classes;
}

}  // namespace

void RegisterWindowClass(WindowClass windowClass) {
  Classes()[Lower(windowClass.name)] = std::move(windowClass);
}

const WindowClass* FindWindowClass(std::string_view name) {
  auto it = Classes().find(Lower(name));
  return it == Classes().end() ? nullptr : &it->second;
}

}  // namespace platform::user32
