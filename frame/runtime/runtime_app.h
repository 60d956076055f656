// RuntimeApp: the frame's one application object. It holds the parsed form description (the
// window table), the loaded windows, the event-suspension count and the state that decides when
// the program stops, and runs start-up, the message loop with its idle phase, and shutdown.
//
// The program's code reaches it through the frame's entry points (frame/properties.h,
// frame/events.h, frame/ui_commands.h, frame/program.h); tests make their own instance.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "frame/events.h"
#include "frame/fatal.h"
#include "frame/form/form.h"
#include "frame/values.h"
#include "platform/win32/types.h"

namespace frame::units {
class Unit;
}

namespace frame {

class LoadedWindow;

// What the build places in the program for the frame: its form description and its handlers.
struct ProgramHeader {
  std::span<const uint8_t> form;
  HandlerTable handlers;
};

// An idle-time routine registered for a window.
using IdleRoutine = void (*)(void* argument);

class RuntimeApp {
 public:
  explicit RuntimeApp(ProgramHeader header);
  ~RuntimeApp();
  RuntimeApp(const RuntimeApp&) = delete;
  RuntimeApp& operator=(const RuntimeApp&) = delete;

  // The instance the entry points use (the most recently made one that still lives).
  static RuntimeApp* Current();

  // Frame service 6: program folder made current, message window, binder folder, form parsed.
  void Initialise();
  // Loads a window of the form; false when it is missing or cannot be made.
  bool LoadWindow(int32_t windowId, win32::HWND owner = 0, bool modal = false);
  // Loads the program's start window; a failure is the fatal error "载入启动窗口失败".
  void LoadStartWindow(int32_t windowId);
  // Runs the message loop while a window is loaded; returns at once when none is.
  void Run();
  // Dispatches every waiting message; returns when none waits or a quit message is next.
  void DoEvents();
  // Runs shutdown (once) with the code; the process exit code after a normal end.
  void Shutdown(int exitCode);

  void AddIdleRoutine(win32::HWND window, IdleRoutine routine, void* argument);

  // The frame's halves of the property and event entry points.
  Value ReadProperty(int32_t windowId, int32_t unitId, int index);
  void WriteProperty(int32_t windowId, int32_t unitId, int index, const Value& value);
  bool FireEvent(EventRecord& event);
  // The live unit (unit id 0: the window); a missing one is the fatal error
  // "指定窗口或窗口组件不存在或尚未载入".
  units::Unit& UnitObject(int32_t windowId, int32_t unitId);

  int eventSuspendCount() const { return eventSuspendCount_; }
  void SuspendEvents() { ++eventSuspendCount_; }
  void ResumeEvents() { --eventSuspendCount_; }
  // The unit whose event is being handled (window id 0 when none).
  int32_t currentEventWindowId() const { return currentEventWindowId_; }
  int32_t currentEventUnitId() const { return currentEventUnitId_; }
  // The code the last quit message carried (0 when the last window closed).
  int quitCode() const { return quitCode_; }
  bool shutdownBegun() const { return shutdownBegun_; }
  const Text& programFolder() const { return programFolder_; }
  const Text& programFileName() const { return programFileName_; }
  form::WindowTable& windowTable() { return windowTable_; }
  LoadedWindow* Loaded(int32_t windowId) const;

  // Called by a loaded window at the final stage of its destruction.
  void WindowGone(LoadedWindow& window);

 private:
  void MessageLoop(std::optional<int32_t> modalWindowId);
  bool Pump(bool wait, bool& idle, int& idleCount);
  void RunIdleRoutines();
  bool IdleStep(int count);
  bool AnyWindowLoaded() const;
  void CollectDestroyedWindows();
  form::WindowEntry& WindowFor(int32_t windowId, const Text& missingMessage);

  ProgramHeader header_;
  form::WindowTable windowTable_;
  std::map<int32_t, std::unique_ptr<LoadedWindow>> loaded_;
  std::vector<std::unique_ptr<LoadedWindow>> destroyed_;  // deleted once no handler runs
  Text programFolder_, programFileName_;
  win32::HWND messageWindow_ = 0;
  uint32_t uiThreadId_ = 0;
  int eventSuspendCount_ = 0;
  int dispatchDepth_ = 0;
  int32_t currentEventWindowId_ = 0, currentEventUnitId_ = 0;
  struct IdleEntry {
    win32::HWND window;
    IdleRoutine routine;
    void* argument;
  };
  std::vector<IdleEntry> idleRoutines_;
  uint32_t idleStartTick_ = 0;
  std::vector<int32_t> idleDeclined_;
  bool loopStarted_ = false;
  bool shutdownBegun_ = false;
  bool initialised_ = false;
  FatalReporter outerReporter_;
  std::new_handler outerNewHandler_ = nullptr;
  int quitCode_ = 0;
  RuntimeApp* previous_;
};

}  // namespace frame
