// The desktop part's entry: its exports and the Qt application object (desktop.h). Linked into the
// window and the tests, and built as the plugin pictolan-cli loads on first use.
#include <array>

#include "platform/core/desktop.h"
#include "platform/desktop/application.h"

namespace platform {
namespace {

void* StartApplication(const char* programPath) {
  return new HeadlessApplication(programPath);
}

void EndApplication(void* application) {
  delete static_cast<HeadlessApplication*>(application);
}

}  // namespace
}  // namespace platform

extern "C" const platform::DesktopPart* PictolanDesktopPart() {
  using namespace platform;
  static const std::array<StandInLibrary, 4> libraries = {{
      {"user32", User32Exports()},
      {"shell32", Shell32Exports()},
      {"comdlg32", Comdlg32Exports()},
      {"comctl32", Comctl32Exports()},
  }};
  static const DesktopPart part{libraries, &StartApplication, &EndApplication};
  return &part;
}
