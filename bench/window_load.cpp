// Loading the main window from the form (every unit made, arranged and shown, offscreen),
// property round trips through the frame, and a folder listed in the picture list.
#include <QApplication>
#include <QImage>
#include <QWidget>

#include <string>

#include <benchmark/benchmark.h>

#include "frame/literal.h"
#include "frame/properties.h"
#include "frame/runtime/runtime_app.h"
#include "imaging/icon_list_view.h"
#include "platform/api.h"
#include "platform/gdi/objects.h"
#include "platform/user32/window_table.h"
#include "ui/main_window_form.h"
#include "ui/main_window_units.h"
#include "ui/program.h"

namespace {

using namespace frame::literals;

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "pictolan_bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication application(argc, argv);
}

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
    frame::WriteText(ui::kMainWindowId, ui::unit::提示标签, frame::prop::kLabelCaption, "‘shell32.dll’有3个图标。"_gbk);
    benchmark::DoNotOptimize(frame::ReadText(ui::kMainWindowId, ui::unit::提示标签, frame::prop::kLabelCaption));
  }
}
BENCHMARK(BM_WriteAndReadACaption)->Unit(benchmark::kMicrosecond);

// A folder of N entries listed as the picture browser lists it (redraw off, a new 24-bit image
// list, every row with its own icon), then drawn once.
void BM_ListFolder(benchmark::State& state) {
  EnsureApplication();
  const auto rows = static_cast<int>(state.range(0));
  const win32::HWND parent = platform::user32::CreateWindowExA(0, "PictolanWindow", "", 0, 0, 0,
                                                               240, 320, 0, 0, 0, nullptr);
  imaging::IconListView list;
  list.Create(parent, 0, 0, 240, 320, 1);
  list.SetFullRowSelect(true);
  list.InsertColumn(std::nullopt, "图片文件"_gbk, 200);
  QImage picture(32, 32, QImage::Format_ARGB32);
  picture.fill(0x803080C0);
  const win32::HICON icon = platform::gdi::CreateIcon(picture);
  QWidget* window = platform::user32::WidgetOf(parent);
  for (auto _ : state) {
    list.DisableRedraw();
    list.CreateSmallImageList(24, 24, 24, list.GetBkColor());
    list.DeleteAllItems();
    for (int row = 0; row < rows; ++row)
      list.InsertItem(std::nullopt, frame::Text("picture" + std::to_string(row) + ".png"),
                      list.AddSmallIcon(icon));
    list.EnableRedraw();
    benchmark::DoNotOptimize(window->grab());
  }
  list.DestroySmallImageList();
  platform::gdi::Icons().Erase(icon);
  delete window;
}
BENCHMARK(BM_ListFolder)->Arg(100)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
