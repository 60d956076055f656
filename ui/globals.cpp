#include "ui/globals.h"

namespace ui {

Globals& ProgramGlobals() {
  static Globals globals;
  return globals;
}

void SetUpGlobals() {
  Globals& globals = ProgramGlobals();
  globals.pictureList = std::make_unique<imaging::IconListView>();
  globals.conversionList.clear();
  globals.pictureListProcedure = nullptr;
  globals.lastPreviewed = 0;
}

void CleanUpGlobals() {
  Globals& globals = ProgramGlobals();
  globals.pictureList.reset();
  globals.folderDialogStart = frame::Text();
  globals.conversionList.clear();
  globals.lastIconPath = frame::Text();
  globals.pictureListProcedure = nullptr;
  globals.lastPreviewed = 0;
  globals.sourcePath = frame::Text();
  globals.iconCount = 0;
}

}  // namespace ui
