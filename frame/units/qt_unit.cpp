#include "frame/units/qt_unit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <map>

#include "platform/api.h"
#include "platform/qt_text.h"
#include "platform/user32/input.h"
#include "platform/user32/window_table.h"

namespace frame::units {
namespace {

using namespace win32;

std::map<HWND, QtUnit*>& UnitsByWindow() {
  static std::map<HWND, QtUnit*> units;
  return units;
}

// Every unit window's first procedure: the unit's own messages, then its class's.
LRESULT UnitProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = UnitsByWindow().find(window);
  LRESULT result = 0;
  if (it != UnitsByWindow().end() && it->second->Message(message, wParam, lParam, &result)) return result;
  return platform::user32::CallClassProc(window, message, wParam, lParam);
}

int32_t KeyState(Qt::KeyboardModifiers modifiers) {
  int32_t state = 0;
  if (modifiers & Qt::ControlModifier) state |= kKeyStateCtrl;
  if (modifiers & Qt::ShiftModifier) state |= kKeyStateShift;
  if (modifiers & Qt::AltModifier) state |= kKeyStateAlt;
  return state;
}

int32_t MouseEventIndex(const QMouseEvent& mouse) {
  const bool left = mouse.button() == Qt::LeftButton;
  const bool right = mouse.button() == Qt::RightButton;
  switch (mouse.type()) {
    case QEvent::MouseButtonPress: return left ? event::kLeftButtonDown : right ? event::kRightButtonDown : 0;
    case QEvent::MouseButtonRelease: return left ? event::kLeftButtonUp : right ? event::kRightButtonUp : 0;
    case QEvent::MouseButtonDblClick: return left ? event::kLeftDoubleClick : right ? event::kRightButtonDown : 0;
    case QEvent::MouseMove: return event::kMouseMove;
    default: return 0;
  }
}

// Coordinates of the position word: each taken as an unsigned 16-bit value.
int32_t Word(int value) { return static_cast<uint16_t>(value); }

bool Refused(const std::optional<int32_t>& result) { return result && *result == 0; }

}  // namespace

// Raises the common mouse, focus and keyboard events of one unit before its widgets see the
// input; a handler answering false keeps the input from the unit.
class CommonEventWatcher final : public QObject {
 public:
  explicit CommonEventWatcher(QtUnit& unit) : unit_(unit) {}

  void Watch(QWidget* root) {
    const HWND own = unit_.window();
    root->installEventFilter(this);
    root->setMouseTracking(true);
    for (QWidget* child : root->findChildren<QWidget*>()) {
      if (platform::user32::WindowContaining(child) != own || child->isWindow()) continue;
      child->installEventFilter(this);
      child->setMouseTracking(true);
    }
  }

  bool eventFilter(QObject* watched, QEvent* e) override {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    switch (e->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove: {
        const auto& mouse = static_cast<const QMouseEvent&>(*e);
        const int32_t index = MouseEventIndex(mouse);
        if (index == 0) return false;
        QPoint p = mouse.position().toPoint();
        if (widget == unit_.widget()) p -= unit_.ClientOrigin();
        return FireConsumes(index, {Word(p.x()), Word(p.y()), KeyState(mouse.modifiers())});
      }
      case QEvent::Wheel: {
        const auto& wheel = static_cast<const QWheelEvent&>(*e);
        return FireConsumes(event::kMouseWheel, {wheel.angleDelta().y() / 120, KeyState(wheel.modifiers())});
      }
      case QEvent::FocusIn:
      case QEvent::FocusOut:
        if (static_cast<const QFocusEvent&>(*e).reason() != Qt::PopupFocusReason)
          unit_.Fire(e->type() == QEvent::FocusIn ? event::kFocusGained : event::kFocusLost);
        return false;
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        return Key(widget, static_cast<QKeyEvent&>(*e));
      default:
        return false;
    }
  }

 private:
  bool FireConsumes(int32_t index, std::initializer_list<int32_t> arguments) {
    std::optional<int32_t> result;
    unit_.Fire(index, arguments, &result);
    return Refused(result);
  }

  bool Key(QWidget* widget, QKeyEvent& key) {
    if (replaying_) return false;
    const bool down = key.type() == QEvent::KeyPress;
    const int32_t code = static_cast<int32_t>(platform::user32::VirtualKeyOf(key.key()));
    if (code != 0 && FireConsumes(down ? event::kKeyDown : event::kKeyUp, {code, KeyState(key.modifiers())}))
      return true;
    const UINT character = platform::user32::CharacterOf(key);
    if (!down || character == 0) return false;
    std::optional<int32_t> result;
    unit_.Fire(event::kCharacter, {static_cast<int32_t>(character)}, &result);
    if (!result || static_cast<UINT>(*result) == character) return false;
    if (*result == 0) return true;
    // The handler typed another character: the widget gets that one instead.
    const uint32_t replaced = static_cast<uint32_t>(*result);
    std::string gbk;
    if (replaced > 0xFF) gbk.push_back(static_cast<char>(replaced >> 8));
    gbk.push_back(static_cast<char>(replaced & 0xFF));
    QKeyEvent substitute(QEvent::KeyPress, 0, key.modifiers(), platform::FromGbk(gbk));
    replaying_ = true;
    QApplication::sendEvent(widget, &substitute);
    replaying_ = false;
    return true;
  }

  QtUnit& unit_;
  bool replaying_ = false;
};

QString ToQString(const Text& text) { return platform::FromGbk(text.view()); }

Text FromQString(const QString& text) { return Text(platform::ToGbk(text)); }

QColor ToQColor(form::Colour colour, const QPalette& palette) {
  if (colour == form::kButtonFace) return palette.color(QPalette::Button);
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QFont WindowFont() {
  static const QFont font = [] {
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(12);
    return f;
  }();
  return font;
}

int BorderWidth(form::BorderStyle border) {
  switch (border) {
    case form::BorderStyle::Sunken: return 2;
    case form::BorderStyle::ModalFrame: return 3;
    case form::BorderStyle::Static:
    case form::BorderStyle::Thin: return 1;
    case form::BorderStyle::SunkenModalFrame: return 5;
    default: return 0;
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

void DrawBorder(QPainter& painter, const QRect& outer, form::BorderStyle border, const QPalette& palette) {
  const QRect r = outer.adjusted(0, 0, -1, -1);
  switch (border) {
    case form::BorderStyle::Sunken: Sunken(painter, r); break;
    case form::BorderStyle::ModalFrame: Raised(painter, r, palette.color(QPalette::Button)); break;
    case form::BorderStyle::Static: Ring(painter, r, kShadow, kHighlight); break;
    case form::BorderStyle::SunkenModalFrame:
      Raised(painter, r, palette.color(QPalette::Button));
      Sunken(painter, r.adjusted(3, 3, -3, -3));
      break;
    case form::BorderStyle::Thin: Ring(painter, r, kFrame, kFrame); break;
    default: break;
  }
}

// ---- QtUnit ----

QtUnit::QtUnit(const CreateParams& params) : Unit(params) {}

QtUnit::~QtUnit() {
  UnitsByWindow().erase(window());
  watcher_.reset();
  delete widget_.data();
}

bool QtUnit::Attach(QWidget* widget, const CreateParams& params, QWidget* client, DWORD classStyle,
                    DWORD exStyle) {
  widget_ = widget;
  const form::UnitRecord& record = *params.record;
  const bool topLevel = type() == form::UnitType::Window;
  const HWND window = platform::user32::AttachWindow(
      widget, {ClassNameOf(type()), params.style | classStyle, exStyle, params.controlId,
               topLevel ? params.parent : HWND{0}, &UnitProc, client});
  if (window == 0) return false;
  set_window(window);
  UnitsByWindow()[window] = this;
  widget->hide();  // the loader shows what it decided to show
  platform::user32::MoveWindow(window, record.left, record.top, record.width, record.height, FALSE);
  widget->setEnabled(!(params.style & WS_DISABLED));
  if (!(params.style & WS_TABSTOP)) widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(widget->focusPolicy() & ~Qt::TabFocus));
  return true;
}

bool QtUnit::Message(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

void QtUnit::LoadComplete() {
  if (!widget_) return;
  watcher_ = std::make_unique<CommonEventWatcher>(*this);
  watcher_->Watch(widget_);
}

bool QtUnit::Fire(int32_t eventIndex, std::initializer_list<int32_t> arguments,
                  std::optional<int32_t>* result) {
  if (result) result->reset();
  if (!platform::user32::IsWindow(window())) return false;  // destroyed: its widget is going
  EventRecord record(windowId(), id(), eventIndex, arguments);
  const bool dispatched = FireEvent(record);
  if (result) *result = record.hasResult ? std::optional<int32_t>(record.result) : std::nullopt;
  return dispatched;
}

// ---- PanelWidget ----

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

void PanelWidget::resizeEvent(QResizeEvent*) { client_->setGeometry(ClientRect()); }

}  // namespace frame::units
