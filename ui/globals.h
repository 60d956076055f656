// The program's global state: made by the program's set-up before the start window loads, freed
// by its clean-up routine when the program ends.
#pragma once

#include <cstdint>
#include <memory>

#include "frame/values.h"
#include "icofile/icon_container.h"
#include "imaging/icon_list_view.h"
#include "platform/win32/user32.h"

namespace ui {

struct Globals {
  // The picture list of the conversion page: an empty object from set-up on; its control is made
  // when the window is created (the picture browser's set-up). Freeing it leaves the control,
  // which goes with the window.
  std::unique_ptr<imaging::IconListView> pictureList;
  icofile::IconBuildList conversionList;  // the images collected for the next icon file
  frame::Text folderDialogStart;          // where the folder dialog of the picture browser opens
  frame::Text lastIconPath;               // the icon file the conversion wrote last ("查看")
  // The list view's own procedure, which the picture list's procedure passes messages on to.
  win32::WNDPROC pictureListProcedure = nullptr;
  int32_t lastPreviewed = 0;  // the picture list's row previewed last
  frame::Text sourcePath;     // the extraction page's source, as the dialog gave it
  int32_t iconCount = 0;      // how many icons the platform reports for it
};

Globals& ProgramGlobals();

// The program's set-up (before the start window loads) and its clean-up routine (registered
// with the frame, which runs it once at shutdown).
void SetUpGlobals();
void CleanUpGlobals();

}  // namespace ui
