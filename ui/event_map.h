// The program's handlers by the numbers the form's event bindings hold (ui/handlers.h), and the
// small handlers that belong to no feature: the link button and the status line.
#pragma once

#include <optional>

#include "frame/events.h"

namespace ui {

// Handler number -> function, for the frame's event dispatch.
frame::HandlerTable ProgramHandlers();

// 按钮5 clicked: opens the maker's web page.
std::optional<int32_t> OpenMakerWebPage(const frame::EventRecord& event);
// 标签1, message 0x8075: nothing; it returns no value, so the message answers 0.
std::optional<int32_t> LabelFeedback(const frame::EventRecord& event);

}  // namespace ui
