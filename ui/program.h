// The program's start: its header for the frame (form description and handlers) and its start
// routine.
#pragma once

#include "frame/runtime/runtime_app.h"

namespace ui {

frame::ProgramHeader Program();

// Frame service 6, the program's set-up, its clean-up routine registered (service 3), the start
// window loaded, the files handed to it taken (ui/handed_files.h) and the message loop run.
void StartRoutine();

}  // namespace ui
