#include "frame/runtime/runtime_app.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "frame/external.h"
#include "frame/fatal.h"
#include "frame/literal.h"
#include "frame/properties.h"
#include "frame/runtime/loaded_window.h"
#include "frame/services.h"
#include "frame/translated.h"
#include "frame/units/unit.h"
#include "platform/core/paths.h"
#include "platform/desktop/user32/message_loop.h"
#include "platform/win32/kernel32.h"
#include "platform/win32/user32.h"

namespace frame {
namespace {

using namespace literals;

using namespace win32;
namespace user32 = platform::user32;
namespace kernel32 = platform::kernel32;

constexpr UINT kExitRequest = 0x83E7;  // to the message window: end with the code in wParam
constexpr int32_t kWindowCreated = 0;
constexpr int32_t kWindowMoved = 3;
constexpr int32_t kWindowResized = 4;
constexpr int32_t kWindowIdle = 7;
constexpr int32_t kMaxDimension = 32627;

RuntimeApp*& CurrentApp() {
  static RuntimeApp* current = nullptr;
  return current;
}

WNDPROC& MessageWindowClassProc() {
  static WNDPROC proc = nullptr;
  return proc;
}

LRESULT MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kExitRequest) EndProcess(static_cast<int>(wParam));
  return user32::CallWindowProcA(MessageWindowClassProc(), window, message, wParam, lParam);
}

int32_t Clamp(int32_t value, int32_t low, int32_t high) {
  return std::clamp(value, low, high);
}

int32_t IntOf(const Value& value) {
  return *units::ToKind(value, units::Kind::Integer).get<int32_t>();
}
bool BoolOf(const Value& value) {
  return *units::ToKind(value, units::Kind::Bool).get<bool>();
}

void SetFlag(int32_t& flags, int32_t flag, bool on) {
  flags = on ? (flags | flag) : (flags & ~flag);
}

// Left, top, width and height of a live unit: a child in its parent's client area, a window on
// the screen (outer rectangle).
RECT PlacedRect(HWND window) {
  RECT rect{};
  user32::GetWindowRect(window, &rect);
  if (HWND parent = user32::GetParent(window);
      parent && (user32::GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
    user32::MapWindowPoints(0, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

Value ReadMenuItem(const form::MenuItemRecord& item, int index) {
  switch (index) {
    case prop::kMenuCaption:
      return Value(item.caption);
    case prop::kMenuChecked:
      return Value((item.flags & form::kMenuChecked) != 0);
    case prop::kMenuDisabled:
      return Value((item.flags & form::kMenuDisabled) != 0);
    case prop::kMenuVisible:
      return Value((item.flags & form::kMenuHidden) == 0);
    default:
      return Value(int32_t{0});
  }
}

void WriteMenuItem(form::MenuItemRecord& item, int index, const Value& value) {
  switch (index) {
    case prop::kMenuCaption:
      item.caption = *units::ToKind(value, units::Kind::Text).get<Text>();
      break;
    case prop::kMenuChecked:
      SetFlag(item.flags, form::kMenuChecked, BoolOf(value));
      break;
    case prop::kMenuDisabled:
      SetFlag(item.flags, form::kMenuDisabled, BoolOf(value));
      break;
    case prop::kMenuVisible:
      SetFlag(item.flags, form::kMenuHidden, !BoolOf(value));
      break;
    default:
      break;
  }
}

}  // namespace

RuntimeApp::RuntimeApp(ProgramHeader header) : header_(header), previous_(CurrentApp()) {
  CurrentApp() = this;
  user32::TakeQuitMessage(nullptr);  // a new application starts with no quit message
}

RuntimeApp::~RuntimeApp() {
  if (initialised_) {
    SetShutdownHook(nullptr);
    SetFatalReporter(std::move(outerReporter_));
    std::set_new_handler(outerNewHandler_);
  }
  ++eventSuspendCount_;
  std::vector<std::unique_ptr<LoadedWindow>> windows;
  for (auto& [id, window] : loaded_)
    windows.push_back(std::move(window));
  loaded_.clear();
  windows.clear();
  destroyed_.clear();
  if (messageWindow_) user32::DestroyWindow(messageWindow_);
  CurrentApp() = previous_;
}

RuntimeApp* RuntimeApp::Current() {
  return CurrentApp();
}

void RuntimeApp::Initialise() {
  if (initialised_) return;
  initialised_ = true;
  char path[MAX_PATH + 1] = {};
  kernel32::GetModuleFileNameA(0, path, MAX_PATH);
  const std::string_view full(path);
  const size_t name = platform::paths::NameOffset(full);
  programFolder_ = Text(full.substr(0, name == 0 ? 0 : name - 1));
  programFileName_ = Text(full.substr(name));
  kernel32::SetCurrentDirectoryA(
      programFolder_.c_str());  // an empty folder fails; start-up goes on

  messageWindow_ = user32::CreateWindowExA(WS_EX_TOOLWINDOW, "PictolanMessageWindow", "", 0, 0, 0,
                                           0, 0, 0, 0, 0, nullptr);
  MessageWindowClassProc() = reinterpret_cast<WNDPROC>(user32::SetWindowLongA(
      messageWindow_, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageWindowProc)));
  uiThreadId_ = kernel32::GetCurrentThreadId();
  Binder().SetProgramFolder(programFolder_);
  units::PrepareApplication();

  SetShutdownHook([this](int code) { Shutdown(code); });
  outerNewHandler_ = RouteAllocationFailures();
  // No handler runs while the fatal error's box is up.
  outerReporter_ = SetFatalReporter(nullptr);
  SetFatalReporter([this](const Text& text, const Text& caption) {
    ++eventSuspendCount_;
    if (outerReporter_) outerReporter_(text, caption);
  });

  if (!header_.form.empty()) {
    auto table = form::Parse(header_.form);
    if (!table)
      FatalError(Format(TR("errors", "窗口数据无效：%1"), Text(form::ToString(table.error()))));
    windowTable_ = std::move(*table);
  }
}

LoadedWindow* RuntimeApp::Loaded(int32_t windowId) const {
  auto it = loaded_.find(windowId);
  return it == loaded_.end() ? nullptr : it->second.get();
}

bool RuntimeApp::AnyWindowLoaded() const {
  return std::any_of(loaded_.begin(), loaded_.end(),
                     [](const auto& w) { return w.second->alive(); });
}

bool RuntimeApp::LoadWindow(int32_t windowId, HWND owner, bool modal) {
  form::WindowEntry* entry = windowTable_.Find(windowId);
  if (!entry) return false;
  if (LoadedWindow* loaded = Loaded(windowId); loaded && loaded->alive()) {
    WINDOWPLACEMENT placement{};
    user32::GetWindowPlacement(loaded->window(), &placement);
    if (placement.showCmd == 2 /* minimised */)
      user32::ShowWindow(loaded->window(), 9 /* restore */);
    else
      user32::SetWindowPos(loaded->window(), 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return true;
  }
  if (modal) owner = 0;
  if (owner && !user32::IsWindow(owner)) return false;

  SuspendEvents();
  std::unique_ptr<LoadedWindow> created = LoadedWindow::Create(*this, *entry, owner);
  ResumeEvents();
  if (!created) return false;
  LoadedWindow& window = *created;
  loaded_[windowId] = std::move(created);

  const int32_t ownId = window.windowUnit().id();
  for (int32_t index : {kWindowCreated, kWindowMoved, kWindowResized}) {
    if (!window.alive()) return true;
    EventRecord event(windowId, ownId, index);
    FireEvent(event);
  }
  if (!window.alive()) return true;
  const form::UnitRecord* own = form::FindUnitRecord(entry->record, 0);
  if (own && own->visible()) user32::ShowWindow(window.window(), SW_SHOWNORMAL);
  window.NotifyShown();
  if (modal) {
    std::vector<HWND> disabled;
    for (auto& [id, other] : loaded_)
      if (other.get() != &window && other->alive() && user32::IsWindowEnabled(other->window())) {
        user32::EnableWindow(other->window(), FALSE);
        disabled.push_back(other->window());
      }
    MessageLoop(windowId);
    for (HWND each : disabled)
      user32::EnableWindow(each, TRUE);
  }
  return true;
}

void RuntimeApp::LoadStartWindow(int32_t windowId) {
  if (!LoadWindow(windowId)) FatalError(TR("errors", "载入启动窗口失败"));
}

void RuntimeApp::Run() {
  loopStarted_ = true;
  if (!AnyWindowLoaded()) return;
  MessageLoop(std::nullopt);
}

// Runs until the quit message or, for a modal window, until that window is gone. A modal loop
// leaves the quit message for the loop outside it.
void RuntimeApp::MessageLoop(std::optional<int32_t> modalWindowId) {
  const auto ended = [&] {
    if (user32::QuitMessagePending()) return true;
    if (!modalWindowId) return false;
    LoadedWindow* modal = Loaded(*modalWindowId);
    return !modal || !modal->alive();
  };
  bool idle = true;
  int idleCount = 0;
  while (!ended()) {
    bool waiting = false;
    while (idle && !waiting && !ended()) {
      RunIdleRoutines();
      idle = IdleStep(idleCount++);
      waiting = Pump(false, idle, idleCount);
    }
    if (!waiting && !ended()) Pump(true, idle, idleCount);
  }
  if (!modalWindowId) user32::TakeQuitMessage(&quitCode_);
}

bool RuntimeApp::Pump(bool wait, bool& idle, int& idleCount) {
  const user32::PumpResult result = user32::PumpMessages(wait);
  if (result.idleTrigger) {
    idle = true;
    idleCount = 0;
  }
  CollectDestroyedWindows();
  return result.processed;
}

void RuntimeApp::DoEvents() {
  while (!user32::QuitMessagePending() && user32::PumpMessages(false).processed) {
  }
}

void RuntimeApp::AddIdleRoutine(HWND window, IdleRoutine routine, void* argument) {
  idleRoutines_.push_back({window, routine, argument});
}

void RuntimeApp::RunIdleRoutines() {
  for (size_t i = idleRoutines_.size(); i-- > 0;) {
    if (i >= idleRoutines_.size()) continue;  // a routine removed others
    if (!user32::IsWindow(idleRoutines_[i].window)) {
      idleRoutines_.erase(idleRoutines_.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    const IdleEntry entry = idleRoutines_[i];
    entry.routine(entry.argument);
  }
}

// Steps 0 and 1 are the framework's own idle work; from step 2 on each loaded window gets its idle
// event until its handler stops asking for more.
bool RuntimeApp::IdleStep(int count) {
  if (count == 0) {
    idleStartTick_ = kernel32::GetTickCount();
    idleDeclined_.clear();
  }
  if (count <= 1) return true;
  bool more = false;
  std::vector<std::pair<int32_t, int32_t>> windows;
  for (auto& [id, window] : loaded_)
    if (window->alive() &&
        std::find(idleDeclined_.begin(), idleDeclined_.end(), id) == idleDeclined_.end())
      windows.emplace_back(id, window->windowUnit().id());
  for (auto [id, ownId] : windows) {
    EventRecord event(id, ownId, kWindowIdle,
                      {static_cast<int32_t>(kernel32::GetTickCount() - idleStartTick_)});
    if (FireEvent(event) && event.hasResult && event.result != 0)
      more = true;
    else
      idleDeclined_.push_back(id);
  }
  return more;
}

void RuntimeApp::WindowGone(LoadedWindow& window) {
  auto it = loaded_.find(window.windowId());
  if (it == loaded_.end() || it->second.get() != &window) return;
  destroyed_.push_back(std::move(it->second));
  loaded_.erase(it);
  if (!AnyWindowLoaded() && loopStarted_) user32::PostQuitMessage(0);
}

void RuntimeApp::CollectDestroyedWindows() {
  if (dispatchDepth_ == 0) destroyed_.clear();
}

void RuntimeApp::Shutdown(int exitCode) {
  ++eventSuspendCount_;
  if (uiThreadId_ && kernel32::GetCurrentThreadId() != uiThreadId_) {
    // The windows belong to the user-interface thread; from any other, the process ends here.
    if (!shutdownBegun_) std::_Exit(exitCode);
    return;
  }
  if (shutdownBegun_) return;
  shutdownBegun_ = true;
  idleRoutines_.clear();
  std::vector<HWND> windows;
  for (auto& [id, window] : loaded_)
    if (window->alive()) windows.push_back(window->window());
  for (HWND window : windows)
    user32::DestroyWindow(window);
  RunCleanupRoutine();
  Binder().ReleaseAll();
  if (messageWindow_) user32::DestroyWindow(std::exchange(messageWindow_, 0));
  CollectDestroyedWindows();
}

// ---- Properties ----

form::WindowEntry& RuntimeApp::WindowFor(int32_t windowId, const Text& missingMessage) {
  form::WindowEntry* entry = windowTable_.Find(windowId);
  if (!entry) FatalError(missingMessage);
  return *entry;
}

units::Unit& RuntimeApp::UnitObject(int32_t windowId, int32_t unitId) {
  LoadedWindow* window = Loaded(windowId);
  units::Unit* unit = window && window->alive() ? window->FindUnit(unitId) : nullptr;
  if (!unit) RaiseRuntimeError(TR("errors", "指定窗口或窗口组件不存在或尚未载入"));
  return *unit;
}

Value RuntimeApp::ReadProperty(int32_t windowId, int32_t unitId, int index) {
  form::WindowEntry& entry = WindowFor(windowId, TR("errors", "未载入欲访问窗口组件所在的窗口"));
  form::TableEntry* found = form::FindEntry(entry.record, unitId);
  if (!found) RaiseRuntimeError(TR("errors", "指定窗口或窗口组件不存在或尚未载入"));
  if (auto* item = std::get_if<form::MenuItemRecord>(found)) return ReadMenuItem(*item, index);
  form::UnitRecord& record = std::get<form::UnitRecord>(*found);

  LoadedWindow* window = Loaded(windowId);
  units::Unit* unit = window && window->alive() ? window->FindUnit(unitId) : nullptr;
  const HWND live = unit ? unit->window() : 0;
  switch (index) {
    case prop::kLeft:
    case prop::kTop:
    case prop::kWidth:
    case prop::kHeight: {
      if (!live) {
        return Value(index == prop::kLeft    ? record.left
                     : index == prop::kTop   ? record.top
                     : index == prop::kWidth ? record.width
                                             : record.height);
      }
      const RECT r = PlacedRect(live);
      return Value(index == prop::kLeft    ? r.left
                   : index == prop::kTop   ? r.top
                   : index == prop::kWidth ? r.right - r.left
                                           : r.bottom - r.top);
    }
    case prop::kTag:
      return Value(record.tag);
    case prop::kVisible:
      return Value(live ? user32::IsWindowVisible(live) != 0 : record.visible());
    case prop::kDisabled:
      return Value(live ? !user32::IsWindowEnabled(live) : record.disabled());
    case prop::kCursor:
      return Value(record.cursorData);
    default:
      break;
  }
  if (!unit) RaiseRuntimeError(TR("errors", "指定窗口尚未载入"));
  const form::UnitTypeInfo* type = form::FindUnitType(record.typeId);
  const int own = prop::OwnIndex(index);
  if (index < 0 || !type || own >= type->ownPropertyCount) return Value(int32_t{0});
  return units::ToKind(unit->GetOwn(own), unit->OwnKind(own));
}

void RuntimeApp::WriteProperty(int32_t windowId, int32_t unitId, int index, const Value& value) {
  form::WindowEntry& entry = WindowFor(windowId, TR("errors", "未载入欲访问窗口组件所在的窗口"));
  form::TableEntry* found = form::FindEntry(entry.record, unitId);
  if (!found) RaiseRuntimeError(TR("errors", "指定窗口或窗口组件不存在或尚未载入"));
  if (auto* item = std::get_if<form::MenuItemRecord>(found))
    return WriteMenuItem(*item, index, value);
  form::UnitRecord& record = std::get<form::UnitRecord>(*found);

  LoadedWindow* window = Loaded(windowId);
  if (window && !window->alive()) window = nullptr;
  units::Unit* unit = window ? window->FindUnit(unitId) : nullptr;
  const HWND live = unit ? unit->window() : 0;
  constexpr UINT kQuiet = SWP_NOZORDER | SWP_NOACTIVATE;
  switch (index) {
    case prop::kLeft:
    case prop::kTop: {
      const int32_t position = Clamp(IntOf(value), -kMaxDimension, kMaxDimension);
      (index == prop::kLeft ? record.left : record.top) = position;
      if (live) {
        const RECT r = PlacedRect(live);
        user32::SetWindowPos(live, 0, index == prop::kLeft ? position : r.left,
                             index == prop::kTop ? position : r.top, 0, 0, kQuiet | SWP_NOSIZE);
      }
      return;
    }
    case prop::kWidth:
    case prop::kHeight: {
      const int32_t size = Clamp(IntOf(value), 0, kMaxDimension);
      (index == prop::kWidth ? record.width : record.height) = size;
      if (live) {
        const RECT r = PlacedRect(live);
        user32::SetWindowPos(live, 0, 0, 0, index == prop::kWidth ? size : r.right - r.left,
                             index == prop::kHeight ? size : r.bottom - r.top, kQuiet | SWP_NOMOVE);
      }
      return;
    }
    case prop::kTag:
      record.tag = *units::ToKind(value, units::Kind::Text).get<Text>();
      return;
    case prop::kVisible:
      SetFlag(record.flags, form::kFlagVisible, BoolOf(value));
      if (live && unit == &window->windowUnit())
        user32::ShowWindow(live, record.visible() ? SW_SHOW : SW_HIDE);
      else if (live)
        window->ApplyVisibility(unit->id());
      return;
    case prop::kDisabled:
      SetFlag(record.flags, form::kFlagDisabled, BoolOf(value));
      if (live) user32::EnableWindow(live, record.disabled() ? FALSE : TRUE);
      return;
    case prop::kCursor:
      record.cursorData = *units::ToKind(value, units::Kind::Cursor).get<ByteSet>();
      if (live) window->RemakeCursor(unit->id());
      return;
    default:
      break;
  }
  if (!unit) RaiseRuntimeError(TR("errors", "指定窗口尚未载入"));
  const form::UnitTypeInfo* type = form::FindUnitType(record.typeId);
  const int own = prop::OwnIndex(index);
  if (index < 0 || !type || own >= type->ownPropertyCount) return;
  const units::Kind kind = unit->OwnKind(own);
  if (unit->SetOwn(own, units::ToKind(value, kind)) && window->alive()) {
    SuspendEvents();
    window->SettlePosition(unit->id());
    ResumeEvents();
  }
}

// ---- Events ----

bool RuntimeApp::FireEvent(EventRecord& event) {
  if (eventSuspendCount_ >= 1) return false;
  form::WindowEntry* entry = windowTable_.Find(event.windowId);
  if (!entry) FatalError(TR("errors", "未找到引发事件的窗口"));
  const bool ownEntry =
      event.unitId == 0 ||
      (!entry->record.table.empty() && form::EntryId(entry->record.table[0]) == event.unitId);
  form::TableEntry* found = form::FindEntry(entry->record, ownEntry ? 0 : event.unitId);
  if (!found) FatalError(TR("errors", "未找到引发事件的窗口组件"));

  int32_t handlerNumber = form::kNoHandler;
  if (auto* item = std::get_if<form::MenuItemRecord>(found)) {
    handlerNumber = item->handler;
  } else {
    const form::UnitRecord& record = std::get<form::UnitRecord>(*found);
    if (!form::FindUnitType(record.typeId)) FatalError(TR("errors", "引发事件的窗口组件无效"));
    handlerNumber = record.HandlerFor(event.eventIndex);
  }
  // Numbers outside the program's table never become calls.
  if (handlerNumber < 0 || static_cast<size_t>(handlerNumber) >= header_.handlers.size())
    return false;
  EventHandler handler = header_.handlers[static_cast<size_t>(handlerNumber)];
  if (!handler) return false;

  const int32_t outerWindow = std::exchange(currentEventWindowId_, event.windowId);
  const int32_t outerUnit = std::exchange(currentEventUnitId_, event.unitId);
  ++dispatchDepth_;
  const std::optional<int32_t> result = handler(event);
  --dispatchDepth_;
  currentEventWindowId_ = outerWindow;
  currentEventUnitId_ = outerUnit;
  if (result) {
    event.hasResult = true;
    event.result = *result;
  }
  return true;
}

}  // namespace frame
