// A file the desktop handed to the program (named on its command line, dropped on its window)
// stands for the user's choice in the next open dialog: the dialog gives it without showing
// itself, so the handler that asked goes on as if the user had chosen it.
#pragma once

#include <optional>
#include <string>

namespace platform::comdlg32 {

// The path (the program's text) the next open dialog gives; nullopt: dialogs are the user's.
void SetHandedChoice(std::optional<std::string> path);
// Whether a handed path still waits for a dialog.
bool HandedChoicePending();

}  // namespace platform::comdlg32
