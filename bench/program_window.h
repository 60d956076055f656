// The program's main window with its own handlers, for the benchmarks that drive a page:
// offscreen, its globals set up as the start routine does, its dialogs answered and its shell
// requests recorded by the test seams.
#pragma once

#include <cstdint>

#include "bench/offscreen_application.h"
#include "frame/runtime/runtime_app.h"
#include "platform/desktop/test_seams.h"
#include "ui/globals.h"
#include "ui/main_window_form.h"
#include "ui/program.h"

namespace bench {

class ProgramWindow {
 public:
  ProgramWindow() : app_(ui::Program()) {
    EnsureApplication();
    app_.Initialise();
    ui::SetUpGlobals();
    app_.LoadStartWindow(ui::kMainWindowId);
  }
  ~ProgramWindow() { ui::CleanUpGlobals(); }
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;

  void Click(int32_t button) {
    frame::EventRecord click(ui::kMainWindowId, button, 0);
    frame::FireEvent(click);
  }

  platform::seams::ScriptedDialogs dialogs;
  platform::seams::ShellRecorder shell;

 private:
  frame::RuntimeApp app_;
};

}  // namespace bench
