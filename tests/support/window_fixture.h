// The program's window with its real handlers, offscreen: every dialog and message box is
// answered from a script and every shell request recorded (platform/desktop/test_seams.h), and the
// program's globals are set up anew for each window and cleaned up after it.
#pragma once

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frame/runtime/runtime_app.h"
#include "platform/desktop/test_seams.h"

namespace testing_support {

class ProgramWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;     // the seams; no window yet
  void TearDown() override;  // the window, the program's globals, then the seams

  // Loads the main window as the program's start does.
  void LoadWindow();

  static QWidget* Widget(int32_t unit);
  static std::string Caption(int32_t unit);  // UTF-8
  void SelectPage(int page);                 // 0-based, as a click on its tab
  void Click(int32_t unit);                  // a button's click; a disabled button takes none
  // The texts of the message boxes asked so far.
  std::vector<std::string> Messages() const;

  std::unique_ptr<frame::RuntimeApp> app_;
  std::unique_ptr<platform::seams::ScriptedDialogs> dialogs_;
  std::unique_ptr<platform::seams::ShellRecorder> shell_;
};

}  // namespace testing_support
