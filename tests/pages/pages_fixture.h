// The program's window with its real handlers, offscreen, for end-to-end tests of the pages:
// the user's actions reach the units as Qt input, every dialog and message box is answered from
// a script and every shell request is recorded (platform/desktop/test_seams.h). Each test gets a
// fresh window, the program's globals set up anew, and a private folder.
#pragma once

#include <QImage>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frame/runtime/runtime_app.h"
#include "platform/desktop/test_seams.h"
#include "tests/support/fixtures.h"
#include "tests/support/window_fixture.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"

namespace pages_test {

namespace fs = std::filesystem;
namespace seams = platform::seams;
namespace unit = ui::unit;
using ui::kMainWindowId;

class PagesTest : public testing_support::ProgramWindowTest {
 protected:
  void SetUp() override;  // the window, on the extraction page

  // The user's actions.
  void PressSpin(int32_t unit, bool up);
  void PressAt(int32_t unit, int x, int y);  // the left mouse button, in the unit's coordinates
  void SetContent(int32_t unit, const std::string& text);  // an edit box's text, as typed
  void ChooseItem(int32_t combo, int index);

  // What the window shows (texts in UTF-8).
  std::string Content(int32_t unit) const;
  bool Disabled(int32_t unit) const;
  int Property(int32_t unit, int index) const;
  QImage Picture(int32_t unit, int index) const;  // a picture property, decoded

  // The dialogs asked so far.
  const std::vector<seams::DialogRequest>& Asked() const { return dialogs_->requests(); }
  seams::ScriptedDialogs& Answer() { return *dialogs_; }
  const std::vector<seams::ShellRequest>& ShellRequests() const { return shell_->requests(); }

  fs::path Path(const std::string& name) const { return dir_ / name; }
  fs::path Write(const std::string& name, const std::vector<uint8_t>& bytes) const;

  testing_support::TempDir dir_;
};

// Runs pictolan-cli with the arguments (each quoted) and expects it to succeed.
void RunCli(const std::vector<std::string>& arguments);

// The names of a folder's entries, sorted; none for a missing folder.
std::vector<std::string> Listing(const fs::path& folder);

}  // namespace pages_test
