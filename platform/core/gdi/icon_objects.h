// Icon handles. Loading icon files and the icons of modules reads bytes only, so icons hold
// plain pixels and live in the core; drawing them and scaling them is the picture part's.
//
// On a screen with more device pixels than the program's (a device pixel ratio above 1), an icon
// may also hold a detail image: the same icon drawn from the source's image nearest the device
// size. The program still sees and saves its icons at their own size; only what the screen shows
// is drawn from the detail.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "platform/core/codecs/dib.h"
#include "platform/core/codecs/ico_layout.h"
#include "platform/core/handles.h"
#include "platform/win32/types.h"

namespace platform::gdi {

struct IconObject {
  codecs::DibImage image;   // 32-bit, alpha from the image or from its AND mask
  codecs::DibImage detail;  // the icon at device resolution; empty when it would add nothing
  int hotX = 0;             // the centre for icons
  int hotY = 0;
  bool isIcon = true;  // false for a cursor
};

HandleTable<IconObject>& Icons();

// A new icon handle holding the image, hot spot at its centre; 0 for an empty image.
win32::HICON CreateIcon(codecs::DibImage image);

// The image at width x height: itself when it has that size, else scaled smoothly by the picture
// part (loaded on first use); empty when that part cannot be loaded.
codecs::DibImage ScaledImage(codecs::DibImage image, int width, int height);

// Device pixels per pixel of the program on the screen: 1 unless the desktop part, which knows
// the screens, set another (a 2x screen, or QT_SCALE_FACTOR). Values below 1 count as 1.
double DeviceRatio();
void SetDeviceRatio(double ratio);
// A length in the program's pixels as device pixels (rounded).
int DeviceLength(int length);

// The image of a group or icon file to draw an icon from at device resolution, when the icon was
// made from image `chosen` at `side` pixels: among the images larger than the chosen one, the
// smallest that reaches the device size (the deepest of that size), else the largest. None when
// the ratio is 1 or no image is larger than the chosen one (drawing it larger adds nothing).
std::optional<size_t> ChooseDetailImage(std::span<const codecs::IconImageInfo> images,
                                        size_t chosen, int side);
template <class Entry>
std::optional<size_t> ChooseDetailImage(const std::vector<Entry>& entries, size_t chosen,
                                        int side) {
  if (DeviceRatio() <= 1) return std::nullopt;
  std::vector<codecs::IconImageInfo> infos(entries.begin(), entries.end());
  return ChooseDetailImage(std::span<const codecs::IconImageInfo>(infos), chosen, side);
}

// Decodes the image bytes and keeps them, scaled to the icon's device size, as its detail.
// Nothing changes when the icon is not there or the bytes cannot be decoded.
void AttachDetail(win32::HICON icon, std::span<const uint8_t> imageBytes);
// The same for an image already decoded.
void AttachDetail(win32::HICON icon, codecs::DibImage image);

}  // namespace platform::gdi
