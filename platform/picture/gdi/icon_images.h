// Icon images between the codecs and the graphics objects: decoded images as QImage, scaling
// with good quality, and icon handles made from icon files and module resources.
#pragma once

#include <QImage>

#include "platform/core/codecs/dib.h"

namespace platform::gdi {

// A decoded image as an ARGB32 QImage (straight alpha).
QImage ToQImage(const codecs::DibImage& image);
// The same without a copy: valid while `image` is neither changed nor destroyed.
QImage ImageView(const codecs::DibImage& image);
// An image of any format as 32-bit straight-alpha pixels; empty for a null image.
codecs::DibImage FromQImage(const QImage& image);

// The image scaled to width x height with smooth filtering over premultiplied pixels, so that
// transparent pixels do not bleed their colour into the edges; unchanged when already that size.
QImage Scaled(const QImage& image, int width, int height);

// Combines `source` into `target` at (x, y), pixel by pixel: target = op(source, target). Both
// are ARGB32 with straight alpha; the parts outside the target are clipped.
using PixelOp = uint32_t (*)(uint32_t source, uint32_t target);
void Blit(QImage& target, const QImage& source, int x, int y, PixelOp op);

// Source-over compositing of one straight-alpha pixel onto another, rounded to nearest.
uint32_t Over(uint32_t source, uint32_t target);

}  // namespace platform::gdi
