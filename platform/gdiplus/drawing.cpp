#include "platform/gdiplus/drawing.h"

#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace platform::gdiplus {
namespace {

// The size the source takes on the target along one axis, never more than it has.
int ShrunkSide(double side, int sourceSide) {
  double length = std::fabs(side);
  if (length >= sourceSide) return sourceSide;
  return std::max(1, int(std::lround(length)));
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
  QImage drawn = width == source.width() && height == source.height()
                     ? source
                     : source.scaled(width, height, Qt::IgnoreAspectRatio,
                                     smooth ? Qt::SmoothTransformation : Qt::FastTransformation);
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
