// The program's start: what the start routine calls (frame service 6, loading the start window,
// the message loop) and the process's run from start routine to exit code.
#pragma once

#include <cstdint>

#include "frame/runtime/runtime_app.h"

namespace frame {

// Frame service 6: initialises the frame (the first thing the start routine does).
void Initialise();
// Loads the start window as a window without owner; a failure is the fatal error
// "载入启动窗口失败".
void LoadStartWindow(int32_t windowId);
// Runs the message loop until the last window is gone; returns at once when none is loaded.
void Run();

using StartRoutine = void (*)();

// The process from the program's start routine to its end: makes the runtime, runs the start
// routine, then shutdown with exit code 0 (the exit hook). Returns the process exit code: the code
// the quit message carried. A fatal error ends the process on the way with -1.
int RunProgram(const ProgramHeader& header, StartRoutine start);

}  // namespace frame
