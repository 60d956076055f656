// A folder listed in the picture list as the picture browser lists it.
#include <QImage>
#include <QWidget>

#include <optional>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/offscreen_application.h"
#include "frame/literal.h"
#include "imaging/icon_list_view.h"
#include "platform/desktop/user32/window_table.h"
#include "platform/picture/gdi/objects.h"
#include "platform/win32/user32.h"

namespace {

using namespace frame::literals;

// N entries: redraw off, a new 24-bit image list, every row with its own icon, then drawn once.
void BM_ListFolder(benchmark::State& state) {
  bench::EnsureApplication();
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
