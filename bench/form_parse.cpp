// Parsing the program's form description, which start-up does once before the window loads.
#include <benchmark/benchmark.h>

#include "frame/form/form.h"
#include "frame/form/type_data.h"
#include "ui/main_window_form.h"

namespace {

void BM_ParseMainWindowForm(benchmark::State& state) {
  for (auto _ : state) {
    auto table = frame::form::Parse(ui::MainWindowForm());
    benchmark::DoNotOptimize(table);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * ui::MainWindowForm().size()));
}
BENCHMARK(BM_ParseMainWindowForm);

void BM_ReadEveryUnitsTypeData(benchmark::State& state) {
  auto table = frame::form::Parse(ui::MainWindowForm());
  if (!table.ok()) {
    state.SkipWithError("the form does not parse");
    return;
  }
  for (auto _ : state)
    for (const auto& entry : table->windows[0].record.table) {
      auto data = frame::form::ReadTypeData(std::get<frame::form::UnitRecord>(entry));
      benchmark::DoNotOptimize(data);
    }
}
BENCHMARK(BM_ReadEveryUnitsTypeData);

}  // namespace
