// Drawing into the pixels of an image or a bitmap, over QPainter. Every mode except nearest
// neighbour shrinks a picture by area averaging first, so a large picture drawn small does not
// alias; enlarging is bilinear (the bicubic modes too) or nearest neighbour.
#pragma once

#include <QImage>
#include <QRectF>

#include "platform/win32/gdiplus.h"

namespace platform::gdiplus {

bool IsValidInterpolation(win32::InterpolationMode mode);

// Draws source scaled into dest (source-over); a negative width or height mirrors the picture.
void DrawImageInto(QImage& target, const QImage& source, const QRectF& dest,
                   win32::InterpolationMode mode);

// Fills the rectangle with the colour (source-over).
void FillRectangleInto(QImage& target, const QRectF& rect, win32::ARGB colour);

}  // namespace platform::gdiplus
