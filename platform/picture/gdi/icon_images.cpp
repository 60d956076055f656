#include "platform/picture/gdi/icon_images.h"

#include <algorithm>

namespace platform::gdi {

QImage ToQImage(const codecs::DibImage& image) {
  QImage out(image.width, image.height, QImage::Format_ARGB32);
  if (out.isNull()) return out;
  for (int y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(out.scanLine(y));
    auto first = image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width;
    std::copy(first, first + image.width, row);
  }
  return out;
}

QImage ImageView(const codecs::DibImage& image) {
  if (image.pixels.empty()) return QImage();
  return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                image.width * 4, QImage::Format_ARGB32);
}

codecs::DibImage FromQImage(const QImage& image) {
  codecs::DibImage out;
  if (image.isNull()) return out;
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  out.width = argb.width();
  out.height = argb.height();
  out.bitCount = 32;
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  for (int y = 0; y < out.height; ++y) {
    auto* row = reinterpret_cast<const uint32_t*>(argb.constScanLine(y));
    std::copy(row, row + out.width, out.pixels.begin() + static_cast<ptrdiff_t>(y) * out.width);
  }
  return out;
}

QImage Scaled(const QImage& image, int width, int height) {
  if (image.width() == width && image.height() == height)
    return image.convertToFormat(QImage::Format_ARGB32);
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
      .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32);
}

// With the weights scaled
// by 255: alpha = sa + da (255 - sa) / 255, colour = (sc sa + dc da (255 - sa) / 255) / alpha.
uint32_t Over(uint32_t src, uint32_t dst) {
  uint32_t sa = src >> 24;
  if (sa == 255) return src;
  if (sa == 0) return dst;
  uint32_t da = dst >> 24;
  uint32_t dstWeight = da * (255 - sa);
  uint32_t total = sa * 255 + dstWeight;
  uint32_t result = (total + 127) / 255 << 24;
  for (int shift = 0; shift <= 16; shift += 8) {
    uint32_t sc = (src >> shift) & 0xFF, dc = (dst >> shift) & 0xFF;
    result |= (sc * sa * 255 + dc * dstWeight + total / 2) / total << shift;
  }
  return result;
}

void Blit(QImage& target, const QImage& source, int x, int y, PixelOp op) {
  int left = std::max(0, x), top = std::max(0, y);
  int right = std::min(target.width(), x + source.width());
  int bottom = std::min(target.height(), y + source.height());
  for (int ty = top; ty < bottom; ++ty) {
    auto* dst = reinterpret_cast<uint32_t*>(target.scanLine(ty));
    auto* src = reinterpret_cast<const uint32_t*>(source.constScanLine(ty - y));
    for (int tx = left; tx < right; ++tx)
      dst[tx] = op(src[tx - x], dst[tx]);
  }
}

}  // namespace platform::gdi
