// Files the desktop hands to the program's window: named on the command line, or dropped on the
// window. Their paths are the program's texts (paths::FromNative of the file system's names).
// They reach the program's handlers the way the user's own choice does: a handed file answers
// the open dialog a handler asks, and the handler does the rest.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "frame/values.h"

namespace frame {

// While it lives, the next open-file dialog gives `path` as the user's choice without showing
// itself (a test's dialog responder is not asked either). Once answered, or when this goes,
// dialogs are the user's again.
class HandedFileChoice {
 public:
  explicit HandedFileChoice(const Text& path);
  ~HandedFileChoice();
  HandedFileChoice(const HandedFileChoice&) = delete;
  HandedFileChoice& operator=(const HandedFileChoice&) = delete;
  // Whether a dialog took the path.
  bool taken() const;
};

// Asked while files are dragged over the window (drop false: whether it would take them; the
// answer decides what the pointer shows) and when they are dropped (drop true), after the drop
// has ended, so the handler may take its time and ask the user things.
using FileDropHandler = std::function<bool(const std::vector<Text>& paths, bool drop)>;
// Lets files be dropped anywhere on a loaded window; false when the window is not loaded.
bool AcceptFileDrops(int32_t windowId, FileDropHandler handler);

// Whether the path names a regular file whose first bytes start a module ("MZ") or an icon file:
// a file the icon extraction reads icons from. Only regular files are read.
bool StartsAsIconSource(const Text& path);
enum class PathKind { Missing, Folder, File, Other };  // Other: a FIFO, a device, a socket
PathKind KindOfPath(const Text& path);

}  // namespace frame
