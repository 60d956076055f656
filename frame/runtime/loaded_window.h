// A window of the form while it is loaded: its units (made by the unit modules), their pages,
// z-order, cursors and visibility. The loader's steps that make and arrange the objects live
// here; RuntimeApp::LoadWindow runs them with events suspended and fires the first events.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "frame/form/form.h"
#include "frame/units/unit.h"
#include "platform/win32/types.h"

namespace frame {

class RuntimeApp;

class LoadedWindow final : public units::UnitHost {
 public:
  // Makes the window and its units (the window first, then the units from the last table entry
  // to entry 1), wires parents and pages, stacks the units, makes their cursors, tells them that
  // loading is complete and shows what is visible. Null when a unit cannot be made.
  static std::unique_ptr<LoadedWindow> Create(RuntimeApp& app, form::WindowEntry& entry,
                                              win32::HWND owner);
  ~LoadedWindow() override;

  // UnitHost
  int32_t windowId() const override { return entry_.id; }
  void PageChanged(int32_t containerId) override;
  void WindowDestroying() override;

  win32::HWND window() const { return windowUnit_->window(); }
  units::Unit& windowUnit() { return *windowUnit_; }
  form::WindowEntry& entry() { return entry_; }
  // The live unit for a unit id (0 or the window's own entry id: the window), or null.
  units::Unit* FindUnit(int32_t unitId);
  // Whether the platform window still exists.
  bool alive() const { return alive_; }

  // Tells every unit, from the last to the first, that the window has been shown.
  void NotifyShown();
  // Shows or hides a unit as its visible flag says, unless it sits on a page that is not shown.
  void ApplyVisibility(int32_t unitId);
  // Puts the unit right after the nearest earlier unit of the table with the same parent.
  void SettlePosition(int32_t unitId);
  // Replaces the unit's cursor by one made from its record's cursor data.
  void RemakeCursor(int32_t unitId);

 private:
  LoadedWindow(RuntimeApp& app, form::WindowEntry& entry) : app_(app), entry_(entry) {}
  bool CreateObjects(win32::HWND owner);
  void WireParents();
  void StackUnits();
  void DestroyCursors();
  form::UnitRecord& RecordOf(int32_t unitId);
  bool OnHiddenPage(int32_t unitId);

  RuntimeApp& app_;
  form::WindowEntry& entry_;
  std::unique_ptr<units::Unit> windowUnit_;
  std::vector<std::unique_ptr<units::Unit>> units_;  // creation order
  std::map<int32_t, units::Unit*> byId_;
  struct PagePlace {
    int32_t container;
    int page;
  };
  std::map<int32_t, PagePlace> pageOf_;
  std::map<int32_t, bool> decidedVisible_;
  std::map<int32_t, win32::HCURSOR> cursors_;
  bool alive_ = true;
};

}  // namespace frame
