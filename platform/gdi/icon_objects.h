// Icon handles. Loading icon files and the icons of modules reads bytes only, so icons hold
// plain pixels and live in the core; drawing them and scaling them is the picture part's.
#pragma once

#include "platform/codecs/dib.h"
#include "platform/handles.h"
#include "platform/win32.h"

namespace platform::gdi {

struct IconObject {
  codecs::DibImage image;  // 32-bit, alpha from the image or from its AND mask
  int hotX = 0;            // the centre for icons
  int hotY = 0;
  bool isIcon = true;  // false for a cursor
};

HandleTable<IconObject>& Icons();

// A new icon handle holding the image, hot spot at its centre; 0 for an empty image.
win32::HICON CreateIcon(codecs::DibImage image);

// The image at width x height: itself when it has that size, else scaled smoothly by the picture
// part (loaded on first use); empty when that part cannot be loaded.
codecs::DibImage ScaledImage(codecs::DibImage image, int width, int height);

}  // namespace platform::gdi
