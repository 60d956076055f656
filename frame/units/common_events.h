// The watcher that raises a unit's common mouse, focus and keyboard events (QtUnit owns one).
#pragma once

#include <QKeyEvent>
#include <QObject>
#include <QWidget>

#include <cstdint>
#include <initializer_list>

namespace frame::units {

class QtUnit;

// Raises the common mouse, focus and keyboard events of one unit before its widgets see the
// input; a handler answering false keeps the input from the unit.
class CommonEventWatcher final : public QObject {
 public:
  explicit CommonEventWatcher(QtUnit& unit) : unit_(unit) {}

  void Watch(QWidget* root);
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  bool FireConsumes(int32_t index, std::initializer_list<int32_t> arguments);
  bool Key(QWidget* widget, QKeyEvent& key);

  QtUnit& unit_;
  bool replaying_ = false;
};

}  // namespace frame::units
