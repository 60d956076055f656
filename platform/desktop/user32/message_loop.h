// The message pump under the frame's message loop, over Qt's event dispatcher. Qt delivers the
// events; this layer reports whether any were waiting, whether one of them should start a new
// idle phase (input and window activity, as Windows' idle rule counts them), and
// carries the quit message with its exit code.
#pragma once

namespace platform::user32 {

struct PumpResult {
  bool processed = false;    // at least one message was dispatched
  bool idleTrigger = false;  // one of them was user input or window activity
};

// Dispatches the messages that are waiting; with wait, first blocks until one arrives (or a quit
// message is posted). Objects whose deletion was deferred are deleted afterwards.
PumpResult PumpMessages(bool wait);

// The quit message: posted by PostQuitMessage, taken once by the loop that ends on it.
bool QuitMessagePending();
// Takes the pending quit message; false when there is none.
bool TakeQuitMessage(int* exitCode);

}  // namespace platform::user32
