#include "imaging/combo_box_wrapper.h"

#include <string>

#include "frame/external_functions.h"

namespace imaging {
namespace {

win32::LPARAM TextArgument(const frame::Text& text) {
  return reinterpret_cast<win32::LPARAM>(text.c_str());
}

}  // namespace

int32_t ComboBoxWrapper::Send(win32::UINT message, win32::WPARAM wParam, win32::LPARAM lParam) {
  return static_cast<int32_t>(ext::SendMessageA(window_, message, wParam, lParam));
}

int32_t ComboBoxWrapper::AddString(const frame::Text& text) {
  return Send(win32::CB_ADDSTRING, 0, TextArgument(text));
}

int32_t ComboBoxWrapper::AddStringAt(int32_t index, const frame::Text& text) {
  return Send(win32::CB_ADDSTRING, static_cast<win32::WPARAM>(index), TextArgument(text));
}

frame::Text ComboBoxWrapper::GetItemText(int32_t index) {
  const int32_t length = Send(win32::CB_GETLBTEXTLEN, static_cast<win32::WPARAM>(index));
  if (length < 0) return {};
  std::string buffer(static_cast<size_t>(length) + 1, ' ');
  Send(win32::CB_GETLBTEXT, static_cast<win32::WPARAM>(index),
       reinterpret_cast<win32::LPARAM>(buffer.data()));
  return frame::Text::FromCString(buffer.c_str());
}

int32_t ComboBoxWrapper::SetCurSel(int32_t index) {
  return Send(win32::CB_SETCURSEL, static_cast<win32::WPARAM>(index));
}

int32_t ComboBoxWrapper::GetCount() {
  return Send(win32::CB_GETCOUNT);
}

int32_t ComboBoxWrapper::GetCurSel() {
  return Send(win32::CB_GETCURSEL);
}

int32_t ComboBoxWrapper::GetItemData(int32_t index) {
  return Send(win32::CB_GETITEMDATA, static_cast<win32::WPARAM>(index));
}

int32_t ComboBoxWrapper::SetItemData(int32_t index, int32_t data) {
  return Send(win32::CB_SETITEMDATA, static_cast<win32::WPARAM>(index), data);
}

int32_t ComboBoxWrapper::DeleteString(int32_t index) {
  return Send(win32::CB_DELETESTRING, static_cast<win32::WPARAM>(index));
}

void ComboBoxWrapper::ResetContent() {
  Send(win32::CB_RESETCONTENT);
}

void ComboBoxWrapper::ShowDropDown() {
  Send(win32::CB_SHOWDROPDOWN, 1);
}

int32_t ComboBoxWrapper::FindStringExact(const frame::Text& text) {
  return Send(win32::CB_FINDSTRINGEXACT, 0, TextArgument(text));
}

}  // namespace imaging
