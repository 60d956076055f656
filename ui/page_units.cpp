#include "ui/page_units.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/properties.h"
#include "ui/main_window_form.h"

namespace ui {

frame::UnitRef UnitOfMainWindow(int32_t unit, frame::form::UnitType type) {
  return {kMainWindowId, unit, static_cast<int32_t>(type)};
}

win32::HWND MainWindowHandle() {
  return frame::GetUnitHandle(UnitOfMainWindow(0, frame::form::UnitType::Window));
}

frame::Text EditContent(int32_t unit) {
  return frame::ReadText(kMainWindowId, unit, frame::prop::kEditContent);
}

void SetEditContent(int32_t unit, const frame::Text& content) {
  frame::WriteText(kMainWindowId, unit, frame::prop::kEditContent, content);
}

frame::Text Caption(int32_t unit) {
  return frame::ReadText(kMainWindowId, unit, frame::prop::kLabelCaption);
}

void SetCaption(int32_t unit, const frame::Text& caption) {
  frame::WriteText(kMainWindowId, unit, frame::prop::kLabelCaption, caption);
}

bool IsDisabled(int32_t unit) {
  return frame::ReadBool(kMainWindowId, unit, frame::prop::kDisabled);
}

void SetDisabled(int32_t unit, bool disabled) {
  frame::WriteBool(kMainWindowId, unit, frame::prop::kDisabled, disabled);
}

int32_t WholeNumberIn(const frame::Text& text) {
  double number = std::trunc(frame::ToNumber(text));
  if (std::isnan(number)) return 0;
  constexpr double kLowest = std::numeric_limits<int32_t>::min();
  constexpr double kHighest = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(number, kLowest, kHighest));
}

UnitsDisabled::UnitsDisabled(std::span<const int32_t> units) : window_(MainWindowHandle()) {
  for (int32_t unit : units) {
    held_.push_back({unit, IsDisabled(unit)});
    SetDisabled(unit, true);
  }
}

UnitsDisabled::~UnitsDisabled() {
  if (!WindowStillOpen(window_)) return;
  for (const Held& held : held_)
    SetDisabled(held.unit, held.wasDisabled);
}

bool WindowStillOpen(win32::HWND window) {
  return window && ext::IsWindow(window);
}

}  // namespace ui
