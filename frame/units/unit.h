// Units: the live objects behind a loaded window's unit records. Each unit type has a module in
// this folder that makes its Qt widget, registers it in the platform's window table (so the frame
// reaches it through its window handle like any other window), keeps its own properties and
// raises its own events. The frame's runtime sees units only through this interface.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string_view>

#include "frame/form/form.h"
#include "frame/form/type_data.h"
#include "frame/form/unit_types.h"
#include "frame/handed_files.h"
#include "frame/values.h"
#include "platform/win32/types.h"

namespace frame::units {

// The value kinds of properties.
enum class Kind : int32_t {
  Integer = 1001,
  Int64 = 1002,
  Bool = 1003,
  Int64Pair = 1004,
  Text = 1005,
  Selection = 1006,
  Picture = 1009,
  Cursor = 1011,
  Font = 1013,
  TextColour = 1014,
  Colour = 1015,
  BackColour = 1017,
  TextList = 1024,
};

// The empty value of a kind, and a value converted to a kind: int32_t for integers, selections
// and colours, int64_t, bool, Text, or ByteSet for pictures, cursors, fonts and text lists.
Value EmptyValue(Kind kind);
Value ToKind(const Value& value, Kind kind);

// What a unit needs of the loaded window it belongs to.
class UnitHost {
 public:
  virtual ~UnitHost() = default;
  virtual int32_t windowId() const = 0;
  // The user chose another page of a container: show that page's units, hide the others'.
  virtual void PageChanged(int32_t containerId) = 0;
  // The window's platform window is going away (its final stage follows).
  virtual void WindowDestroying() = 0;
};

struct CreateParams {
  UnitHost* host = nullptr;
  const form::UnitRecord* record = nullptr;
  const form::UnitTypeData* data = nullptr;
  win32::DWORD style = 0;  // WS_CHILD, WS_VISIBLE, WS_DISABLED, WS_TABSTOP as the loader decided
  win32::HWND parent = 0;  // units: the window; the window: its owner or 0
  int controlId = 0;
};

class Unit {
 public:
  virtual ~Unit() = default;
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  win32::HWND window() const { return window_; }
  int32_t id() const { return id_; }
  form::UnitType type() const { return type_; }

  // Own properties by own index (property index - 8), as values of their kinds. Properties a
  // type does not act on keep what was written.
  virtual Value GetOwn(int own) const;
  virtual bool SetOwn(int own, const Value& value);
  Kind OwnKind(int own) const;

  // Loading is complete: the unit finishes its set-up (its children exist now).
  virtual void LoadComplete() {}
  // The window has been shown.
  virtual void WindowShown() {}
  // False for units that are never shown at run time (the common dialog).
  virtual bool ShownAtRunTime() const { return true; }
  // A container's current page (0-based); 0 for other units.
  virtual int CurrentPage() const { return 0; }
  // Files dropped anywhere on the window go to the handler; false for units that take no drops
  // (all but the window).
  virtual bool TakeFileDrops(FileDropHandler handler) {
    (void)handler;
    return false;
  }

 protected:
  Unit(const CreateParams& params);
  void set_window(win32::HWND window) { window_ = window; }
  UnitHost& host() const { return *host_; }
  int32_t windowId() const { return host_->windowId(); }

 private:
  UnitHost* host_;
  int32_t id_;
  form::UnitType type_;
  win32::HWND window_ = 0;
  std::map<int, Value> stored_;
};

// Sets up the application for units (the widget style) once, before the first window.
void PrepareApplication();
// The unit type's window class name ("Button", "PictolanWindow", ...).
std::string_view ClassNameOf(form::UnitType type);
// Whether the type is never shown at run time.
bool InvisibleAtRunTime(form::UnitType type);
// Makes a unit of the record's type; null when its widget or window cannot be made.
std::unique_ptr<Unit> CreateUnit(const CreateParams& params);

}  // namespace frame::units
