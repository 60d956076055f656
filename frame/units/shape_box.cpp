// The shape box (type "外形框"): a rectangle outline; units (and windows the program creates) can
// sit inside it.
#include <QPainter>

#include "frame/units/factories.h"
#include "frame/units/qt_unit.h"

namespace frame::units {
namespace {

class Shape final : public PanelWidget {
 public:
  using PanelWidget::PanelWidget;

 protected:
  void PaintContent(QPainter& painter, const QRect& client) override {
    painter.setPen(QColor(0, 0, 0));
    painter.drawRect(client.adjusted(0, 0, -1, -1));
  }
};

class ShapeBoxUnit final : public QtUnit {
 public:
  explicit ShapeBoxUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    auto* shape = new Shape(ParentWidget(params));
    if (!Attach(shape, params, shape->client())) return false;
    return true;
  }
};

}  // namespace

std::unique_ptr<Unit> CreateShapeBox(const CreateParams& params) {
  return MakeUnit<ShapeBoxUnit>(params);
}

}  // namespace frame::units
