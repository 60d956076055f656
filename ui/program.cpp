#include "ui/program.h"

#include "frame/program.h"
#include "frame/services.h"
#include "imaging/image_object.h"
#include "ui/event_map.h"
#include "ui/globals.h"
#include "ui/handed_files.h"
#include "ui/main_window_form.h"

namespace ui {

frame::ProgramHeader Program() {
  return {MainWindowForm(), ProgramHandlers()};
}

void StartRoutine() {
  frame::Initialise();
  SetUpGlobals();
  imaging::StartImagingLibrary();
  frame::RegisterCleanupRoutine(&CleanUpGlobals);
  frame::LoadStartWindow(kMainWindowId);
  TakeHandedFiles();
  frame::Run();
}

}  // namespace ui
