// Unit events: the record a unit builds when something happens to it, and the program's handlers
// that the form's event bindings name by number.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>

namespace frame {

// Common events of every unit type (negative event indices).
namespace event {
inline constexpr int32_t kLeftButtonDown = -1;
inline constexpr int32_t kLeftButtonUp = -2;
inline constexpr int32_t kLeftDoubleClick = -3;
inline constexpr int32_t kRightButtonDown = -4;
inline constexpr int32_t kRightButtonUp = -5;
inline constexpr int32_t kMouseMove = -6;
inline constexpr int32_t kFocusGained = -7;
inline constexpr int32_t kFocusLost = -8;
inline constexpr int32_t kKeyDown = -9;
inline constexpr int32_t kKeyUp = -10;
inline constexpr int32_t kCharacter = -11;
inline constexpr int32_t kMouseWheel = -12;
}  // namespace event

// Key state of the common mouse and key events.
inline constexpr int32_t kKeyStateCtrl = 1;
inline constexpr int32_t kKeyStateShift = 2;
inline constexpr int32_t kKeyStateAlt = 4;

struct EventRecord {
  int32_t windowId = 0;
  int32_t unitId = 0;      // the window's own entry id for the window's own events
  int32_t eventIndex = 0;  // >= 0 the type's own event, < 0 a common event
  int32_t argumentCount = 0;
  std::array<int32_t, 5> arguments{};
  bool hasResult = false;  // set when the handler returned a value
  int32_t result = 0;

  EventRecord() = default;
  EventRecord(int32_t window, int32_t unit, int32_t index,
              std::initializer_list<int32_t> args = {});
};

// A handler of the program: gets the event record, may return a value.
using EventHandler = std::optional<int32_t> (*)(const EventRecord& event);

// The program's handlers by handler number (the numbers the form's bindings hold).
using HandlerTable = std::span<const EventHandler>;

// Runs the handler bound to the event, synchronously. False when events are suspended or no
// handler is bound; a missing window or unit, or a unit type that raises no events, is a fatal
// error of the frame.
bool FireEvent(EventRecord& event);

}  // namespace frame
