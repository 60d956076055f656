// Decoding pictures held in memory. BMP files and icon files go through the program's DIB
// decoder and icon reader, so 32-bit alpha and icon masks are kept, PNG through its own decoder
// (codecs/png.h); JPEG, GIF and TIFF go through Qt's image I/O. The format is recognised from the
// first bytes only; anything else is UnknownImageFormat. A GIF or TIFF with several frames keeps
// its encoded bytes, and a frame is decoded when it is selected.
#pragma once

#include <QByteArray>

#include <memory>

#include "platform/picture/gdiplus/objects.h"

namespace platform::gdiplus {

win32::GpStatus DecodePicture(const QByteArray& bytes, std::unique_ptr<Image>& image);

// Replaces the pixels of the image by those of frame `index` (of a multi-frame image).
win32::GpStatus DecodeFrame(Image& image, win32::UINT index);

}  // namespace platform::gdiplus
