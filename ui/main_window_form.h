// The program's form description, generated at build time from ui/main_window.form by the form
// generator (tools/formgen) and carried in the program's read-only data.
#pragma once

#include <cstdint>
#include <span>

namespace ui {

// The window id of the main window in the form.
inline constexpr int32_t kMainWindowId = 0x52010001;

std::span<const uint8_t> MainWindowForm();

}  // namespace ui
