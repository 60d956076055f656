// The stand-ins that need Qt (windows, dialogs, drawing, the imaging library, the desktop's
// icons) form the desktop part of the platform. The rest, the core, only reads and writes bytes,
// so a process that never draws or shows anything (most of pictolan-cli's commands) starts
// without Qt: the desktop part is linked into the window and the tests, and pictolan-cli loads
// it as a plugin when a command first needs it.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/codecs/dib.h"
#include "platform/modules.h"
#include "platform/win32.h"

namespace platform {

struct DesktopPart {
  // Each stand-in library's exports that need Qt; the core's own come first (modules.cpp).
  std::span<const StandInLibrary> libraries;
  // Smooth scaling over premultiplied pixels (icons of another size than asked for).
  codecs::DibImage (*scale)(const codecs::DibImage& image, int width, int height);
  // A bitmap handle holding a copy of the pixels; 0 when out of memory.
  win32::HBITMAP (*createBitmap)(const codecs::DibImage& image);
  // The Qt application object of a process that shows no window (platform/application.h).
  void* (*startApplication)(const char* programPath);
  void (*endApplication)(void* application);
};

// The linked desktop part, or the plugin loaded on first use; null when the plugin cannot be
// loaded, with the reason in DesktopError().
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

// A library's exports in the desktop part, loading it if needed; empty when there are none.
std::span<const Export> DesktopExports(std::string_view library);

// A function of the desktop part, as type F; null when there is none.
template <class F>
F DesktopFunction(std::string_view library, std::string_view name) {
  for (const Export& e : DesktopExports(library))
    if (e.name == name) return reinterpret_cast<F>(e.function);
  return nullptr;
}

}  // namespace platform

// Defined by the desktop part (platform/desktop_part.cpp); looked up in the plugin otherwise.
extern "C" const platform::DesktopPart* PictolanDesktopPart();
