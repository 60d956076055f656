// The input box: a one-line question over QInputDialog, or answered by the tests' responder.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/types.h"

namespace platform::user32 {

enum class InputMode { Text = 1, Password = 2, Integer = 3, Decimal = 4 };

// Texts are GBK. The typed text, or none when the user cancelled.
std::optional<std::string> AskForText(win32::HWND owner, const std::string& caption,
                                      const std::string& prompt, const std::string& initial,
                                      InputMode mode);

}  // namespace platform::user32
