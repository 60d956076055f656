// The program's window with its real handlers, offscreen, for what the desktop hands it (files
// on the command line, drops) and the keys that move around it. Dialogs and message boxes are
// answered from a script and shell requests recorded (platform/desktop/test_seams.h).
#pragma once

#include <QWidget>

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

namespace desktop_test {

namespace fs = std::filesystem;
namespace seams = platform::seams;
namespace unit = ui::unit;
using ui::kMainWindowId;

inline constexpr int kConversionPage = 0;
inline constexpr int kExtractionPage = 1;

class DesktopTest : public testing_support::ProgramWindowTest {
 protected:
  void TearDown() override;

  // The window loaded as the start routine loads it, then the files handed to it taken; `start`
  // is the file named on the command line (empty: none).
  void Start(const fs::path& start = {});

  int Page() const;
  void ShowPage(int page);
  std::string Folder() const;  // the picture browser's folder box
  int StripWidth() const;
  bool HasPicture(int32_t unit, int index) const;

  // Drags the files over the unit's widget, and drops them with `drop`; whether the window took
  // them. A drop is acted on after it ends, as the messages it lets through are handled.
  bool Drag(int32_t unit, const std::vector<fs::path>& files, bool drop);

  // Files to hand over: a module of two icon groups, an icon file (nsis-common's), a folder with
  // a sub-folder and two pictures, a text file.
  fs::path Module();
  fs::path IconFile();
  fs::path PictureFolder();
  fs::path TextFile();

  fs::path Path(const std::string& name) const { return dir_ / name; }

  testing_support::TempDir dir_;
};

}  // namespace desktop_test
