// The extraction page through the window (offscreen, dialogs answered by the test seam):
// opening a module of 500 icon groups until its strip shows (target: under 300 ms), and every
// group of the 184-group module of bench/compare_peers.sh to .ico files, beside pictolan-cli
// doing the same as a process (target: the window at most 1.5 times the CLI's time).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/offscreen_application.h"
#include "bench/program_window.h"
#include "frame/properties.h"
#include "platform/desktop/test_seams.h"
#include "platform/win32/user32.h"
#include "tests/support/fixtures.h"
#include "ui/globals.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"

namespace {

namespace fs = std::filesystem;
namespace seams = platform::seams;
namespace unit = ui::unit;

// A private folder for the run, with the inputs of compare_peers.sh: a module of `groups` icon
// groups made from nsis-common's icons.
class Inputs {
 public:
  explicit Inputs(int groups) {
    std::string command = std::string(PICTOLAN_PEER_INPUTS_PATH) + " " + folder_.path().string() +
                          "/in " + std::to_string(groups) + " >/dev/null";
    ok_ = std::system(command.c_str()) == 0;
  }
  bool ok() const { return ok_; }
  fs::path module() const { return folder_ / "in" / "many-groups.dll"; }
  fs::path out() const { return folder_ / "out"; }

 private:
  testing_support::TempDir folder_;
  bool ok_ = false;
};

class Window : public bench::ProgramWindow {
 public:
  void Open(const fs::path& module) {
    dialogs.Then(seams::DialogAnswer::Choose(module.string()));
    Click(unit::提取图标按钮);
  }
};

void BM_OpenSourceOf500Icons(benchmark::State& state) {
  bench::EnsureApplication();
  Inputs inputs(500);
  if (!inputs.ok()) return state.SkipWithError("no inputs (nsis-common's icons missing?)");
  Window window;
  for (auto _ : state)
    window.Open(inputs.module());
  if (frame::ReadInt(ui::kMainWindowId, unit::图标画板, frame::prop::kWidth) != 500 * 32)
    state.SkipWithError("the strip is not 500 icons wide");
}
BENCHMARK(BM_OpenSourceOf500Icons)->Unit(benchmark::kMillisecond);

void BM_ExtractAll184GroupsThroughTheWindow(benchmark::State& state) {
  bench::EnsureApplication();
  Inputs inputs(184);
  if (!inputs.ok()) return state.SkipWithError("no inputs (nsis-common's icons missing?)");
  Window window;
  window.Open(inputs.module());
  frame::WriteText(ui::kMainWindowId, unit::保存路径编辑框, frame::prop::kEditContent,
                   frame::Text::FromUtf8(inputs.out().string()));
  for (auto _ : state) {
    window.dialogs.Then(seams::DialogAnswer::Press(win32::IDNO));  // the folder stays closed
    window.Click(unit::全部提取按钮);
    state.PauseTiming();
    fs::remove_all(inputs.out());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ExtractAll184GroupsThroughTheWindow)->Unit(benchmark::kMillisecond);

// Runs the program with its output thrown away, without a shell in between; true on exit 0.
bool Run(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  int status = -1;
  if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0)
    waitpid(child, &status, 0);
  posix_spawn_file_actions_destroy(&actions);
  return status == 0;
}

void BM_ExtractAll184GroupsWithTheCli(benchmark::State& state) {
  Inputs inputs(184);
  if (!inputs.ok()) return state.SkipWithError("no inputs (nsis-common's icons missing?)");
  const std::vector<std::string> command = {PICTOLAN_CLI_PATH, "extract", inputs.module().string(),
                                            "--all",           "--out",   inputs.out().string()};
  for (auto _ : state) {
    if (!Run(command)) return state.SkipWithError("pictolan-cli failed");
    state.PauseTiming();
    fs::remove_all(inputs.out());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ExtractAll184GroupsWithTheCli)->Unit(benchmark::kMillisecond);

}  // namespace
