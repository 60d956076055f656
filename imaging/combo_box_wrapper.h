// A combo box reached by its window handle: each operation sends the standard combo-box message
// and gives back the control's answer as it is (-1, CB_ERR, when nothing is found or selected).
// The object does not own the window.
#pragma once

#include <cstdint>

#include "frame/values.h"
#include "platform/win32/types.h"

namespace imaging {

class ComboBoxWrapper {
 public:
  ComboBoxWrapper() = default;
  explicit ComboBoxWrapper(win32::HWND window) : window_(window) {}

  void SetWindow(win32::HWND window) { window_ = window; }
  win32::HWND window() const { return window_; }

  // The new item's index.
  int32_t AddString(const frame::Text& text);
  // CB_ADDSTRING with the index as wParam; the control places the item as CB_ADDSTRING does.
  int32_t AddStringAt(int32_t index, const frame::Text& text);
  // The item's text; the empty text for an index outside the list.
  frame::Text GetItemText(int32_t index);
  int32_t SetCurSel(int32_t index);
  int32_t GetCount();
  int32_t GetCurSel();
  int32_t GetItemData(int32_t index);
  int32_t SetItemData(int32_t index, int32_t data);
  // The number of items left.
  int32_t DeleteString(int32_t index);
  void ResetContent();
  void ShowDropDown();
  // The whole text, letter case ignored. The control starts after item 0 and goes round to it,
  // so item 0 is found as well.
  int32_t FindStringExact(const frame::Text& text);

 private:
  int32_t Send(win32::UINT message, win32::WPARAM wParam = 0, win32::LPARAM lParam = 0);

  win32::HWND window_ = 0;
};

}  // namespace imaging
