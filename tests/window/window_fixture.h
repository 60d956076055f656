// A runtime with the program's real form and a handler table that records every call, for the
// window tests. Each test gets a fresh runtime with the main window loaded.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "frame/events.h"
#include "frame/runtime/runtime_app.h"
#include "ui/handlers.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"

namespace window_test {

using ui::kMainWindowId;
namespace unit = ui::unit;

struct HandlerCall {
  ui::Handler handler;
  frame::EventRecord event;
};

// The calls the recording handlers received, and what they answer (nothing by default).
std::vector<HandlerCall>& Calls();
std::function<std::optional<int32_t>(const HandlerCall&)>& Respond();
// The calls of one handler.
std::vector<frame::EventRecord> CallsOf(ui::Handler handler);

// Every handler number bound to a recording handler.
frame::HandlerTable RecordingHandlers();

// The units of the window itself and of the tab control's two pages, as the window lays them out.
const std::vector<int32_t>& WindowLevelUnits();
const std::vector<int32_t>& PageOneUnits();
const std::vector<int32_t>& PageTwoUnits();

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  frame::RuntimeApp& app() { return *app_; }
  win32::HWND WindowOf(int32_t unitId);
  QWidget* WidgetOf(int32_t unitId);
  // Chooses a page of 选择夹1 (0-based) as a click on its tab does.
  void SelectPage(int page);

  std::unique_ptr<frame::RuntimeApp> app_;
};

}  // namespace window_test
