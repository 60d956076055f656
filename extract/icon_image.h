// Icon and bitmap handles turned into files: everything the program shows or saves from an icon
// handle passes through here.
#pragma once

#include <cstdint>
#include <optional>

#include "frame/values.h"
#include "platform/win32/types.h"

namespace extract {

struct IconToBmpOptions {
  std::optional<int32_t> size;  // default: the sum of the hot-spot coordinates (the icon's width)
  int32_t bitCount = 32;
  bool pixelsOnly = false;                    // the pixel rows alone, without the 54-byte head
  std::optional<win32::COLORREF> background;  // default: the square is not filled first
};

// The icon drawn into a size x size square, as a bitmap file (bottom-up rows, no colour table)
// or its pixel rows alone. The caller keeps the icon handle.
frame::ByteSet IconToBmp(win32::HICON icon, const IconToBmpOptions& options = {});

// A bitmap as a bitmap file; without a bit count in the bitmap's own format. The caller keeps
// the bitmap handle.
frame::ByteSet BitmapToBmp(win32::HBITMAP bitmap, std::optional<int32_t> bitCount = std::nullopt);

// A one-image icon file of the icon at 32 x 32 and 32 bits per pixel, with an all-zero mask.
frame::ByteSet IconToSingleIco(win32::HICON icon);

}  // namespace extract
