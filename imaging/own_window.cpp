#include "imaging/own_window.h"

#include <array>
#include <string>

#include "frame/commands.h"
#include "frame/external_functions.h"

namespace imaging {
namespace {

constexpr int kClassNameBuffer = 255;
constexpr int kTitleBuffer = 255;
constexpr double kMinimumWidth = 200;

constexpr std::array<std::string_view, 5> kHelperClasses = {
    "afx:10000000:0:10003:1900015:0", "ime", "msctfime ui", "tooltips_class32", "systemtray_main"};

// The search's result; it lives only while a search runs.
win32::HWND foundWindow = 0;

bool IsHelperClass(const frame::Text& lowered) {
  for (std::string_view name : kHelperClasses)
    if (lowered.view() == name) return true;
  return false;
}

bool HasTitle(win32::HWND window) {
  std::string title(kTitleBuffer, '\0');
  ext::GetWindowTextA(window, title.data(), kTitleBuffer - 1);
  return title[0] != '\0';
}

bool IsWide(win32::HWND window) {
  win32::RECT rect{};
  ext::GetWindowRect(window, &rect);
  return static_cast<double>(rect.right) - rect.left - kMinimumWidth > 0.0000001;
}

// Visits every top-level window (it always answers "go on"), so a later match replaces an
// earlier one.
win32::BOOL TestWindow(win32::HWND window, win32::LPARAM processId) {
  if (window == 0) return win32::FALSE;
  if (ext::GetParent(window) != 0) return win32::TRUE;
  win32::DWORD owner = 0;
  ext::GetWindowThreadProcessId(window, &owner);
  if (owner != static_cast<win32::DWORD>(processId)) return win32::TRUE;
  std::string className(kClassNameBuffer, '\0');
  ext::GetClassNameA(window, className.data(), kClassNameBuffer);
  const frame::Text lowered = frame::ToLower(frame::Text::FromCString(className.c_str()));
  const bool match = (!IsHelperClass(lowered) && HasTitle(window)) || IsWide(window);
  if (match) foundWindow = window;
  return win32::TRUE;
}

}  // namespace

win32::HWND FindOwnMainWindow() {
  return FindProcessWindow(ext::GetCurrentProcessId());
}

win32::HWND FindProcessWindow(uint32_t processId) {
  ext::EnumWindows(&TestWindow, static_cast<win32::LPARAM>(processId));
  const win32::HWND found = foundWindow;
  foundWindow = 0;
  return found;
}

}  // namespace imaging
