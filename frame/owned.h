// Scoped owners of the device contexts, graphics objects, brushes and bitmaps the program makes:
// each releases its object once, whichever way the function that made it returns. Owners are
// released in the reverse order of their declaration, so a context declared before the bitmap it
// holds outlives it.
#pragma once

#include <utility>

#include "frame/external_functions.h"

namespace frame {

// Release is the external function (or a function over one) that gives the object back; a null
// handle is never released.
template <class Handle, auto Release>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() {
    if (handle_ != 0) Release(handle_);
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle get() const { return handle_; }
  Handle* out() { return &handle_; }
  // Hands the object over: it is no longer released here.
  Handle release() { return std::exchange(handle_, Handle{}); }

 private:
  Handle handle_{};
};

// The screen's device context (GetDC of no window) is given back, not deleted.
inline void ReleaseScreenDc(win32::HDC dc) {
  ext::ReleaseDC(0, dc);
}
using ScreenDc = Owned<win32::HDC, ReleaseScreenDc>;
using OwnedDc = Owned<win32::HDC, ext::DeleteDC>;
// A bitmap, brush or other object of the graphics device interface.
using OwnedGdiObject = Owned<win32::HGDIOBJ, ext::DeleteObject>;

}  // namespace frame
