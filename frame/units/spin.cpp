// The spin control (type "调节器"): an up-down pair of arrow buttons drawn by the frame (Qt's spin
// boxes carry an edit field). Pressing an arrow raises event 0 with 1 for the upper arrow and -1
// for the lower one, repeatedly while the button is held.
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QTimer>

#include "frame/units/factories.h"
#include "frame/units/qt_unit.h"

namespace frame::units {
namespace {

using namespace win32;

constexpr int32_t kArrowPressed = 0;
constexpr int kFirstRepeatMs = 400;
constexpr int kRepeatMs = 80;

class SpinUnit;

class UpDown final : public QWidget {
 public:
  UpDown(SpinUnit& unit, QWidget* parent) : QWidget(parent), unit_(unit) {
    repeat_.setSingleShot(false);
    QObject::connect(&repeat_, &QTimer::timeout, this, [this] {
      repeat_.setInterval(kRepeatMs);
      Step();
    });
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = event->position().y() < height() / 2.0 ? Arrow::Up : Arrow::Down;
    update();
    repeat_.start(kFirstRepeatMs);
    Step();
  }

  void mouseReleaseEvent(QMouseEvent*) override { Release(); }
  void hideEvent(QHideEvent*) override { Release(); }

  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const int half = height() / 2;
    PaintButton(painter, QRect(0, 0, width(), half), Arrow::Up);
    PaintButton(painter, QRect(0, half, width(), height() - half), Arrow::Down);
  }

 private:
  enum class Arrow { None, Up, Down };

  void Step();

  void Release() {
    repeat_.stop();
    pressed_ = Arrow::None;
    update();
  }

  void PaintButton(QPainter& painter, const QRect& r, Arrow arrow) {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = r;
    button.state |= pressed_ == arrow ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawControl(QStyle::CE_PushButtonBevel, &button, &painter, this);
    QStyleOption indicator;
    indicator.initFrom(this);
    const int side = std::max(5, std::min(r.width(), r.height()) - 6);
    indicator.rect = QRect(0, 0, side, side);
    indicator.rect.moveCenter(r.center() + (pressed_ == arrow ? QPoint(1, 1) : QPoint()));
    style()->drawPrimitive(
        arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
        &indicator, &painter, this);
  }

  SpinUnit& unit_;
  Arrow pressed_ = Arrow::None;
  QTimer repeat_;
};

class SpinUnit final : public QtUnit {
 public:
  explicit SpinUnit(const CreateParams& params) : QtUnit(params) {}

  bool Create(const CreateParams& params) {
    auto* upDown = new UpDown(*this, ParentWidget(params));
    if (!Attach(upDown, params)) return false;
    return true;
  }

  void Pressed(bool up) { Fire(kArrowPressed, {up ? 1 : -1}); }
};

void UpDown::Step() {
  if (pressed_ != Arrow::None) unit_.Pressed(pressed_ == Arrow::Up);
}

}  // namespace

std::unique_ptr<Unit> CreateSpin(const CreateParams& params) {
  return MakeUnit<SpinUnit>(params);
}

}  // namespace frame::units
