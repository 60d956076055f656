// The desktop part's entry: its exports and the services the core asks of it (desktop.h). Linked
// into the window and the tests, and built as the plugin pictolan-cli loads on first use.
#include <array>

#include "platform/application.h"
#include "platform/desktop.h"
#include "platform/gdi/icon_images.h"
#include "platform/gdi/objects.h"

namespace platform {
namespace {

codecs::DibImage Scale(const codecs::DibImage& image, int width, int height) {
  return gdi::FromQImage(gdi::Scaled(gdi::ImageView(image), width, height));
}

win32::HBITMAP CreateBitmap(const codecs::DibImage& image) {
  return gdi::CreateBitmap(gdi::ToQImage(image));
}

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
  static const std::array<StandInLibrary, 6> libraries = {{
      {"user32", User32Exports()},
      {"gdi32", Gdi32Exports()},
      {"shell32", Shell32Exports()},
      {"comdlg32", Comdlg32Exports()},
      {"comctl32", Comctl32Exports()},
      {"gdiplus", GdiplusExports()},
  }};
  static const DesktopPart part{libraries, &Scale, &CreateBitmap, &StartApplication,
                                &EndApplication};
  return &part;
}
