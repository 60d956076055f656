// PanelWidget: a painted background and border around a client widget.
#include <QPainter>

#include "frame/units/qt_unit.h"

namespace frame::units {

PanelWidget::PanelWidget(QWidget* parent) : QWidget(parent), client_(new QWidget(this)) {}

void PanelWidget::SetBorder(form::BorderStyle border) {
  border_ = border;
  client_->setGeometry(ClientRect());
  update();
}

void PanelWidget::SetBackground(form::Colour colour) {
  background_ = colour;
  update();
}

QRect PanelWidget::ClientRect() const {
  const int b = BorderWidth(border_);
  return rect().adjusted(b, b, -b, -b);
}

void PanelWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(background_, palette()));
  const QRect client = ClientRect();
  painter.save();
  painter.setClipRect(client);
  PaintContent(painter, client);
  painter.restore();
  DrawBorder(painter, rect(), border_, palette());
}

void PanelWidget::resizeEvent(QResizeEvent*) {
  client_->setGeometry(ClientRect());
}

}  // namespace frame::units
