// Units over Qt widgets: each unit window's procedure, attaching a unit's widget, firing its
// events, and the conversions between the frame's values and Qt's.
#include "frame/units/qt_unit.h"

#include <QFontDatabase>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>

#include "frame/units/common_events.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/picture/qt_text.h"
#include "platform/win32/user32.h"

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
  if (it != UnitsByWindow().end() && it->second->Message(message, wParam, lParam, &result))
    return result;
  return platform::user32::CallClassProc(window, message, wParam, lParam);
}

}  // namespace

QString ToQString(const Text& text) {
  return platform::FromGbk(text.view());
}

Text FromQString(const QString& text) {
  return Text(platform::ToGbk(text));
}

ByteSet TextList(int count, const std::function<QString(int)>& textAt) {
  std::string bytes;
  for (int i = 0; i < count; ++i)
    bytes += FromQString(textAt(i)).bytes() + '\0';
  return ByteSet::FromString(bytes);
}

std::vector<Text> TextListItems(const ByteSet& list) {
  std::vector<Text> items;
  std::string_view rest(reinterpret_cast<const char*>(list.data()), list.size());
  while (!rest.empty()) {
    const size_t end = std::min(rest.find('\0'), rest.size());
    items.emplace_back(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return items;
}

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
  if (window == 0) {
    delete widget;
    return false;
  }
  set_window(window);
  UnitsByWindow()[window] = this;
  widget->hide();  // the loader shows what it decided to show
  platform::user32::MoveWindow(window, record.left, record.top, record.width, record.height, FALSE);
  widget->setEnabled(!(params.style & WS_DISABLED));
  if (!(params.style & WS_TABSTOP))
    widget->setFocusPolicy(static_cast<Qt::FocusPolicy>(widget->focusPolicy() & ~Qt::TabFocus));
  return true;
}

bool QtUnit::Message(UINT, WPARAM, LPARAM, LRESULT*) {
  return false;
}

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

}  // namespace frame::units
