// The stand-ins that need Qt form two parts of the platform beside its core, which only reads and
// writes bytes. The picture part (Qt Gui) draws: gdi32, the imaging library, icon drawing. The
// desktop part (Qt Widgets, D-Bus) shows things: windows, dialogs, the shell, the desktop's icons;
// it needs the picture part. So a process that never draws or shows anything (most of
// pictolan-cli's commands) starts without Qt, and one that only converts pictures without Qt's
// widgets. Both parts are linked into the window and the tests; pictolan-cli loads each as a
// plugin when a command first needs it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/core/codecs/dib.h"
#include "platform/core/modules.h"
#include "platform/win32/types.h"

namespace platform {

struct PicturePart {
  // Each stand-in library's exports in this part; the core's own come first (modules.cpp).
  std::span<const StandInLibrary> libraries;
  // Smooth scaling over premultiplied pixels (icons of another size than asked for).
  codecs::DibImage (*scale)(const codecs::DibImage& image, int width, int height);
  // A bitmap handle holding a copy of the pixels; 0 when out of memory.
  win32::HBITMAP (*createBitmap)(const codecs::DibImage& image);
};

struct DesktopPart {
  std::span<const StandInLibrary> libraries;
  // The Qt application object of a process that shows no window (platform/desktop/application.h).
  void* (*startApplication)(const char* programPath);
  void (*endApplication)(void* application);
};

// The linked part, or its plugin loaded on first use; null when the plugin cannot be loaded,
// with the reason in DesktopError().
const PicturePart* Pictures();
const DesktopPart* Desktop();
const std::string& DesktopError();

// The desktop part's Qt application object for as long as this lives, for a process that shows no
// window but needs the desktop's icons; nothing when the part cannot be loaded.
class DesktopApplication {
 public:
  explicit DesktopApplication(const char* programPath);
  ~DesktopApplication();
  DesktopApplication(const DesktopApplication&) = delete;
  DesktopApplication& operator=(const DesktopApplication&) = delete;

 private:
  void* application_ = nullptr;
};

// A library's exports in the picture part and in the desktop part, each part loaded when first
// asked; empty when there are none (or the part cannot be loaded).
std::span<const Export> PictureExports(std::string_view library);
std::span<const Export> DesktopOnlyExports(std::string_view library);

// The first of a library's exports that matches, in the picture part, else in the desktop part
// (which is loaded only then); null when there is none.
template <class Matches>
AnyFunction FindDesktopExport(std::string_view library, Matches matches) {
  for (const Export& e : PictureExports(library))
    if (matches(e)) return e.function;
  for (const Export& e : DesktopOnlyExports(library))
    if (matches(e)) return e.function;
  return nullptr;
}

// A function of the picture or desktop part, as type F; null when there is none.
template <class F>
F DesktopFunction(std::string_view library, std::string_view name) {
  return reinterpret_cast<F>(
      FindDesktopExport(library, [name](const Export& e) { return e.name == name; }));
}

}  // namespace platform

// Defined by each part (platform/picture/picture_part.cpp, platform/desktop/desktop_part.cpp);
// looked up in its plugin otherwise.
extern "C" const platform::PicturePart* PictolanPicturePart();
extern "C" const platform::DesktopPart* PictolanDesktopPart();
