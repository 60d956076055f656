// Loading the main window from the form (every unit made, arranged and shown, offscreen) and
// property round trips through the frame.
#include <benchmark/benchmark.h>

#include "bench/offscreen_application.h"

#include "frame/literal.h"
#include "frame/properties.h"
#include "frame/runtime/runtime_app.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"
#include "ui/program.h"

namespace {

using namespace frame::literals;

using bench::EnsureApplication;

void BM_LoadMainWindow(benchmark::State& state) {
  EnsureApplication();
  for (auto _ : state) {
    frame::RuntimeApp app(ui::Program());
    app.Initialise();
    app.LoadStartWindow(ui::kMainWindowId);
    benchmark::DoNotOptimize(app.Loaded(ui::kMainWindowId));
  }
}
BENCHMARK(BM_LoadMainWindow)->Unit(benchmark::kMillisecond);

void BM_WriteAndReadACaption(benchmark::State& state) {
  EnsureApplication();
  frame::RuntimeApp app(ui::Program());
  app.Initialise();
  app.LoadStartWindow(ui::kMainWindowId);
  for (auto _ : state) {
    frame::WriteText(ui::kMainWindowId, ui::unit::提示标签, frame::prop::kLabelCaption,
                     "‘shell32.dll’有3个图标。"_gbk);
    benchmark::DoNotOptimize(
        frame::ReadText(ui::kMainWindowId, ui::unit::提示标签, frame::prop::kLabelCaption));
  }
}
BENCHMARK(BM_WriteAndReadACaption)->Unit(benchmark::kMicrosecond);

}  // namespace
