// Inside the unit modules: the base every unit type builds on (its widget in the window table, its
// window procedure, its events, the common mouse, focus and keyboard events) and the helpers the
// types share (texts, colours, the window's font, borders, painted panels).
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "frame/events.h"
#include "frame/form/type_data.h"
#include "frame/units/unit.h"
#include "platform/desktop/user32/window_table.h"

namespace frame::units {

QString ToQString(const Text& text);
Text FromQString(const QString& text);
// A text list value (the items of a list, combo box or tab): each item's text and a zero byte.
// TextList joins `count` items, textAt giving the i-th; TextListItems splits a value, a last item
// without its zero byte included.
ByteSet TextList(int count, const std::function<QString(int)>& textAt);
std::vector<Text> TextListItems(const ByteSet& list);
// 0x00BBGGRR, or the palette's button face for form::kButtonFace.
QColor ToQColor(form::Colour colour, const QPalette& palette);
// The font every unit of a window uses: a CJK-capable sans of 12 pixels.
QFont WindowFont();

// Frame widths of the border styles, and their drawing.
int BorderWidth(form::BorderStyle border);
void DrawBorder(QPainter& painter, const QRect& outer, form::BorderStyle border,
                const QPalette& palette);

class CommonEventWatcher;

class QtUnit : public Unit {
 public:
  ~QtUnit() override;
  QWidget* widget() const { return widget_; }

  // Messages to the unit's window before its class's default processing; true when handled.
  virtual bool Message(win32::UINT message, win32::WPARAM wParam, win32::LPARAM lParam,
                       win32::LRESULT* result);
  // Where the unit's client area starts inside its widget (mouse coordinates are client ones).
  virtual QPoint ClientOrigin() const { return {}; }

  void LoadComplete() override;

  // Raises one of the unit's events; false when it reached no handler. result receives the
  // handler's value when it returned one.
  bool Fire(int32_t eventIndex, std::initializer_list<int32_t> arguments = {},
            std::optional<int32_t>* result = nullptr);

 protected:
  explicit QtUnit(const CreateParams& params);
  // Takes the new widget and registers it in the window table under the type's class name,
  // positions it from the record and applies the loader's style bits; when that fails the widget
  // is deleted at once. client: the widget that holds child windows.
  bool Attach(QWidget* widget, const CreateParams& params, QWidget* client = nullptr,
              win32::DWORD classStyle = 0, win32::DWORD exStyle = 0);

 private:
  QPointer<QWidget> widget_;
  std::unique_ptr<CommonEventWatcher> watcher_;
};

// Makes a unit of type U whose Create(params) builds its widget; null when that fails.
template <class U>
std::unique_ptr<Unit> MakeUnit(const CreateParams& params) {
  auto unit = std::make_unique<U>(params);
  if (!unit->Create(params)) return nullptr;
  return unit;
}

// The widget that will hold a new unit of the given parent window.
inline QWidget* ParentWidget(const CreateParams& params) {
  return platform::user32::ClientOf(params.parent);
}

// A unit widget painted by the frame: background colour, border and content, with a client
// widget inside the border that holds child windows.
class PanelWidget : public QWidget {
 public:
  explicit PanelWidget(QWidget* parent);
  void SetBorder(form::BorderStyle border);
  void SetBackground(form::Colour colour);
  form::BorderStyle border() const { return border_; }
  form::Colour background() const { return background_; }
  QWidget* client() const { return client_; }
  QRect ClientRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // Paints the content inside the border, over the background.
  virtual void PaintContent(QPainter& painter, const QRect& client) { (void)painter, (void)client; }

 private:
  form::BorderStyle border_ = form::BorderStyle::None;
  form::Colour background_ = form::kButtonFace;
  QWidget* client_;
};

}  // namespace frame::units
