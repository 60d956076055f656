// The picture part's entry: its exports and the services the core asks of it (desktop.h). Linked
// into the window and the tests, and built as the plugin pictolan-cli loads on first use.
#include <array>

#include "platform/core/desktop.h"
#include "platform/picture/gdi/icon_images.h"
#include "platform/picture/gdi/objects.h"

namespace platform {
namespace {

codecs::DibImage Scale(const codecs::DibImage& image, int width, int height) {
  return gdi::FromQImage(gdi::Scaled(gdi::ImageView(image), width, height));
}

win32::HBITMAP CreateBitmap(const codecs::DibImage& image) {
  return gdi::CreateBitmap(gdi::ToQImage(image));
}

}  // namespace
}  // namespace platform

extern "C" const platform::PicturePart* PictolanPicturePart() {
  using namespace platform;
  static const std::array<StandInLibrary, 3> libraries = {{
      {"user32", User32DrawingExports()},
      {"gdi32", Gdi32Exports()},
      {"gdiplus", GdiplusExports()},
  }};
  static const PicturePart part{libraries, &Scale, &CreateBitmap};
  return &part;
}
