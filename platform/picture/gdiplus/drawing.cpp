#include "platform/picture/gdiplus/drawing.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace platform::gdiplus {
namespace {

using namespace win32;

// The size the source takes on the target along one axis, never more than it has.
int ShrunkSide(double side, int sourceSide) {
  double length = std::fabs(side);
  if (length >= sourceSide) return sourceSide;
  return std::max(1, int(std::lround(length)));
}

// Qt scales smoothly in premultiplied alpha and converts a straight-alpha picture first, then
// back. One picture drawn at several sizes (the sizes of one icon) is converted once: the copy
// is kept under the picture's cache key, which changes whenever its pixels do. The result is
// the one scaling the picture itself gives.
QImage SmoothlyScaled(const QImage& source, int width, int height) {
  if (source.format() != QImage::Format_ARGB32)
    return source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  static qint64 key = 0;
  static QImage premultiplied;
  if (premultiplied.isNull() || key != source.cacheKey()) {
    premultiplied = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    key = source.cacheKey();
  }
  return premultiplied.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

bool IsValidInterpolation(win32::InterpolationMode mode) {
  return mode >= win32::gdip::InterpolationModeDefault &&
         mode <= win32::gdip::InterpolationModeHighQualityBicubic;
}

void DrawImageInto(QImage& target, const QImage& source, const QRectF& dest,
                   win32::InterpolationMode mode) {
  if (source.isNull() || dest.width() == 0 || dest.height() == 0) return;
  bool smooth = mode != win32::gdip::InterpolationModeNearestNeighbor;
  int width = ShrunkSide(dest.width(), source.width());
  int height = ShrunkSide(dest.height(), source.height());
  // Qt's smooth scaling averages every source pixel that a target pixel covers.
  QImage drawn = source;
  if (width != source.width() || height != source.height())
    drawn = smooth ? SmoothlyScaled(source, width, height)
                   : source.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  QPainter painter(&target);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
  QTransform transform;
  transform.translate(dest.x(), dest.y());
  transform.scale(dest.width() / drawn.width(), dest.height() / drawn.height());
  painter.setTransform(transform);
  painter.drawImage(QPointF(0, 0), drawn);
}

void FillRectangleInto(QImage& target, const QRectF& rect, win32::ARGB colour) {
  QPainter painter(&target);
  painter.fillRect(rect.normalized(), QColor::fromRgba(colour));
}

}  // namespace platform::gdiplus
