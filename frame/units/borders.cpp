// The classic borders of the units the frame paints (labels, panels).
#include <QPainter>

#include "frame/units/qt_unit.h"

namespace frame::units {

int BorderWidth(form::BorderStyle border) {
  switch (border) {
    case form::BorderStyle::Sunken:
      return 2;
    case form::BorderStyle::ModalFrame:
      return 3;
    case form::BorderStyle::Static:
    case form::BorderStyle::Thin:
      return 1;
    case form::BorderStyle::SunkenModalFrame:
      return 5;
    default:
      return 0;
  }
}

namespace {

// The classic 3-D colours.
const QColor kHighlight(255, 255, 255);
const QColor kLight(227, 227, 227);
const QColor kShadow(160, 160, 160);
const QColor kDarkShadow(105, 105, 105);
const QColor kFrame(100, 100, 100);

// One ring of a border: top and left in one colour, bottom and right in another.
void Ring(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  painter.setPen(topLeft);
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());
}

void Sunken(QPainter& painter, const QRect& r) {
  Ring(painter, r, kShadow, kHighlight);
  Ring(painter, r.adjusted(1, 1, -1, -1), kDarkShadow, kLight);
}

void Raised(QPainter& painter, const QRect& r, const QColor& face) {
  Ring(painter, r, kLight, kDarkShadow);
  Ring(painter, r.adjusted(1, 1, -1, -1), kHighlight, kShadow);
  Ring(painter, r.adjusted(2, 2, -2, -2), face, face);
}

}  // namespace

void DrawBorder(QPainter& painter, const QRect& outer, form::BorderStyle border,
                const QPalette& palette) {
  const QRect r = outer.adjusted(0, 0, -1, -1);
  switch (border) {
    case form::BorderStyle::Sunken:
      Sunken(painter, r);
      break;
    case form::BorderStyle::ModalFrame:
      Raised(painter, r, palette.color(QPalette::Button));
      break;
    case form::BorderStyle::Static:
      Ring(painter, r, kShadow, kHighlight);
      break;
    case form::BorderStyle::SunkenModalFrame:
      Raised(painter, r, palette.color(QPalette::Button));
      Sunken(painter, r.adjusted(3, 3, -3, -3));
      break;
    case form::BorderStyle::Thin:
      Ring(painter, r, kFrame, kFrame);
      break;
    default:
      break;
  }
}

}  // namespace frame::units
