// The conversion page through the window (offscreen): listing a folder of 10,000 entries
// (9,000 pictures of the six extensions, 500 sub-folders, 500 other files) in the picture list,
// each row with the desktop's icon for its type, the window pumping its messages between entries
// (target: under 1 s).
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/offscreen_application.h"
#include "bench/program_window.h"
#include "frame/properties.h"
#include "platform/desktop/test_seams.h"
#include "tests/support/fixtures.h"
#include "ui/globals.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"

namespace {

namespace fs = std::filesystem;
namespace unit = ui::unit;

constexpr int kPictures = 9000;
constexpr int kFolders = 500;
constexpr int kOthers = 500;

class PictureFolder {
 public:
  PictureFolder() {
    const char* extensions[] = {".png", ".JPG", ".jpeg", ".bmp", ".gif", ".tiff"};
    for (int i = 0; i < kPictures; ++i)
      std::ofstream(folder_ / ("picture" + std::to_string(i) + extensions[i % 6])) << "x";
    for (int i = 0; i < kFolders; ++i)
      fs::create_directory(folder_ / ("folder" + std::to_string(i)));
    for (int i = 0; i < kOthers; ++i)
      std::ofstream(folder_ / ("notes" + std::to_string(i) + ".txt")) << "x";
  }
  const fs::path& path() const { return folder_.path(); }

 private:
  testing_support::TempDir folder_;
};

class Window : public bench::ProgramWindow {
 public:
  // The folder typed into the folder box, and its event.
  void Scan(const fs::path& folder) {
    frame::WriteText(ui::kMainWindowId, unit::组合框2, frame::prop::kComboContent,
                     frame::Text::FromUtf8(folder.string()));
    frame::EventRecord chosen(ui::kMainWindowId, unit::组合框2, 0);
    frame::FireEvent(chosen);
  }
};

void BM_ScanFolderOf10000Entries(benchmark::State& state) {
  bench::EnsureApplication();
  PictureFolder folder;
  Window window;
  for (auto _ : state)
    window.Scan(folder.path());
  if (ui::ProgramGlobals().pictureList->ItemCount() != kPictures + kFolders)
    state.SkipWithError("the list does not show every picture and folder");
}
BENCHMARK(BM_ScanFolderOf10000Entries)->Unit(benchmark::kMillisecond);

}  // namespace
