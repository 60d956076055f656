// The main window's units as the page handlers use them: each unit is named by its unit id in
// the main window (ui/main_window_units.h).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "frame/form/unit_types.h"
#include "frame/ui_commands.h"
#include "frame/values.h"
#include "platform/win32/types.h"

namespace ui {

frame::UnitRef UnitOfMainWindow(int32_t unit, frame::form::UnitType type);
win32::HWND MainWindowHandle();

// An edit box's content.
frame::Text EditContent(int32_t unit);
void SetEditContent(int32_t unit, const frame::Text& content);
frame::Text Caption(int32_t unit);
void SetCaption(int32_t unit, const frame::Text& caption);
bool IsDisabled(int32_t unit);
void SetDisabled(int32_t unit, bool disabled);

// A number the user typed as the program takes it: the text's leading number (ToNumber),
// truncated toward zero and held within the 32-bit range; a text that is no number gives 0.
int32_t WholeNumberIn(const frame::Text& text);

// Disables the units for as long as the object lives (a batch that lets the window run between
// its steps), then gives each back the state it had; nothing is given back once the window is
// gone.
class UnitsDisabled {
 public:
  explicit UnitsDisabled(std::span<const int32_t> units);
  UnitsDisabled(std::initializer_list<int32_t> units)
      : UnitsDisabled(std::span<const int32_t>(units.begin(), units.size())) {}
  ~UnitsDisabled();
  UnitsDisabled(const UnitsDisabled&) = delete;
  UnitsDisabled& operator=(const UnitsDisabled&) = delete;

 private:
  struct Held {
    int32_t unit;
    bool wasDisabled;
  };
  win32::HWND window_;
  std::vector<Held> held_;
};

// True while the main window whose handle was taken still exists: the user may close it while a
// batch lets the window run, and its units must not be touched after that.
bool WindowStillOpen(win32::HWND window);

}  // namespace ui
