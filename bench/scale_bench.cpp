// Icon sources at scale, and crafted ones.
//
// Listing: 65,535 icon groups, numbered or named in a PE module and numbered in an NE library,
// each group found by its name and its directory read, as `pictolan-cli info` and the extraction
// walk them (target: under 0.5 s each). Extract-all as PNG of 65,535 groups against 184 groups
// of the same kind (target: the same cost per group). Crafted modules: 1,000 names sharing one
// group whose image is a 4096 x 4096 PNG, extracted as PNG and opened in the window (its strip
// draws 1,000 icons), and 64 names sharing one group that lists one image 65,535 times, which
// extract-all refuses before writing (it would write 3.2 GB).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "bench/program_window.h"
#include "extract/extract_all.h"
#include "frame/commands.h"
#include "imaging/image_object.h"
#include "platform/core/codecs/ico.h"
#include "platform/core/files/file_bytes.h"
#include "platform/core/pe/module_resources.h"
#include "platform/win32/shell32.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/ne_writer.h"
#include "tests/support/pe_writer.h"
#include "ui/main_window_units.h"

namespace {

namespace ts = testing_support;
namespace fs = std::filesystem;
namespace pe = platform::pe;

constexpr int kMostGroups = 65535;

class Folder {
 public:
  frame::Text Text(const std::string& name) const {
    return frame::Text::FromUtf8((path_ / name).string());
  }
  fs::path operator/(const std::string& name) const { return path_ / name; }
  // Written and settled: a module the user picks was written long before, and one written just
  // now is read afresh by every call (see platform/core/files/file_bytes.h).
  frame::Text Write(const std::string& name, const ts::Bytes& bytes) const {
    if (!frame::WriteFile(Text(name), frame::ByteSet(bytes))) std::abort();
    std::this_thread::sleep_for(std::chrono::seconds(platform::files::kSettleSeconds + 1));
    return Text(name);
  }

 private:
  ts::TempDir path_;
};

const Folder& TheFolder() {
  static const Folder folder;
  return folder;
}

ts::Bytes Image(int size, int seed) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.pixel = [=](int x, int y) {
    return 0xFF000000u | static_cast<uint32_t>(x * 977 + y * 131 + seed * 7919);
  };
  return ts::MakeIconDib(recipe);
}

std::u16string GroupName(int g) {
  std::string name = "ICON_" + std::to_string(g);
  return std::u16string(name.begin(), name.end());
}

// `groups` groups of one 32 x 32 image each, distinct; named or numbered.
ts::Bytes PeModule(int groups, bool named) {
  ts::PeWriter writer;
  for (int g = 1; g <= groups; ++g) {
    ts::Bytes icon = ts::MakeIcoFile({Image(32, g)});
    if (named)
      writer.AddIconGroup(GroupName(g), icon);
    else
      writer.AddIconGroup(g, icon);
  }
  return writer.Build();
}

// An NE library's offsets reach 65,535 alignment units, so its 65,535 groups share one group
// resource, which lists one image.
ts::Bytes NeLibrary(int groups) {
  ts::NeWriter writer(4, true);
  const ts::Bytes image = Image(32, 1);
  writer.Add(ts::kRtIcon, 1, image);
  const ts::Bytes group = ts::RepeatedImageGroup(image, 1, 1);
  for (int g = 1; g <= groups; ++g)
    writer.Add(ts::kRtGroupIcon, g, group);
  return writer.Build();
}

enum Kind { kPeNumbered, kPeNamed, kNeNumbered };

const frame::Text& LargeSource(Kind kind) {
  static const frame::Text sources[] = {
      TheFolder().Write("numbered.dll", PeModule(kMostGroups, false)),
      TheFolder().Write("named.dll", PeModule(kMostGroups, true)),
      TheFolder().Write("numbered.icl", NeLibrary(kMostGroups)),
  };
  return sources[kind];
}

// Every group listed: the count, then each group found by its name and its directory read.
void BM_ListGroups(benchmark::State& state) {
  const frame::Text& source = LargeSource(static_cast<Kind>(state.range(0)));
  auto file = platform::files::FileBytes::Open(source.view());
  if (!file) return state.SkipWithError("no module");
  for (auto _ : state) {
    if (platform::shell32::ExtractIconA(0, source.c_str(), 0xFFFFFFFF) != kMostGroups)
      return state.SkipWithError("count");
    auto module = pe::ModuleResources::Open(file->bytes());
    const pe::ResourceId groupType = pe::ResourceId::Number(pe::kGroupIconType);
    auto names = module->Names(groupType);
    for (const pe::ResourceId& name : *names) {
      auto directory = module->Find(groupType, name);
      if (!directory || !platform::codecs::ReadGroupIconDirectory(*directory))
        return state.SkipWithError("group");
    }
  }
}
BENCHMARK(BM_ListGroups)
    ->ArgName("kind")  // 0 PE numbered, 1 PE named, 2 NE numbered
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Extract-all as PNG: argument 1 for 65,535 numbered groups, 0 for 184 groups of the same kind.
void BM_ExtractAllAsPng(benchmark::State& state) {
  bench::EnsureApplication();
  imaging::StartImagingLibrary();
  const bool large = state.range(0) == 1;
  static const frame::Text small = TheFolder().Write("small.dll", PeModule(184, false));
  const frame::Text& source = large ? LargeSource(kPeNumbered) : small;
  const int groups = large ? kMostGroups : 184;
  const frame::Text out = TheFolder().Text("png");
  for (auto _ : state) {
    extract::ExtractedIcons result =
        extract::ExtractAllIcons(source, groups, extract::SaveFormat::Png, out, frame::Text());
    if (result.icons.size() != static_cast<size_t>(groups) || !result.icons.back().written)
      return state.SkipWithError("not written");
    state.PauseTiming();
    fs::remove_all(TheFolder() / "png");
    state.ResumeTiming();
  }
  state.counters["per_group"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * groups,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ExtractAllAsPng)
    ->ArgName("groups_65535")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 1,000 names of one group whose one image is a 4,096 x 4,096 PNG of zeros (a small file).
const frame::Text& SharedHugeImage() {
  static const frame::Text source = [] {
    ts::PeWriter writer(ts::PeWriter::Format::Pe32, true);  // the names share one group
    const ts::Bytes png = ts::MakePng(4096, 4096, 0);
    writer.Add(ts::kRtIcon, 1, png);
    ts::Bytes group = ts::RepeatedImageGroup(png, 1, 1);
    for (int g = 1; g <= 1000; ++g)
      writer.Add(ts::kRtGroupIcon, GroupName(g), group);
    return TheFolder().Write("shared.dll", writer.Build());
  }();
  return source;
}

void BM_ExtractAllOfNamesSharingAHugeImage(benchmark::State& state) {
  bench::EnsureApplication();
  imaging::StartImagingLibrary();
  const frame::Text out = TheFolder().Text("shared");
  for (auto _ : state) {
    extract::ExtractedIcons result =
        extract::ExtractAllIcons(SharedHugeImage(), 1000, extract::SaveFormat::Png, out, {});
    if (result.icons.size() != 1000 || !result.icons.back().written)
      return state.SkipWithError("not written");
    state.PauseTiming();
    fs::remove_all(TheFolder() / "shared");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ExtractAllOfNamesSharingAHugeImage)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The window opens the same module: its strip draws 1,000 icons.
void BM_OpenNamesSharingAHugeImageInTheWindow(benchmark::State& state) {
  bench::ProgramWindow window;
  const fs::path source = SharedHugeImage().ToUtf8();
  for (auto _ : state) {
    window.dialogs.Then(platform::seams::DialogAnswer::Choose(source.string()));
    window.Click(ui::unit::提取图标按钮);
  }
}
BENCHMARK(BM_OpenNamesSharingAHugeImageInTheWindow)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 64 names of one group listing one 744-byte image 65,535 times: 3.2 GB of icon files, refused.
void BM_ExtractAllRefusesGigabytes(benchmark::State& state) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = 8;
  recipe.bitCount = 4;
  ts::Bytes image = ts::MakeIconDib(recipe);
  image.resize(744, 0);
  ts::PeWriter writer(ts::PeWriter::Format::Pe32, true);  // the names share one group
  writer.Add(ts::kRtIcon, 1, image);
  const ts::Bytes group = ts::RepeatedImageGroup(image, 1, kMostGroups);
  for (int g = 1; g <= 64; ++g)
    writer.Add(ts::kRtGroupIcon, GroupName(g), group);
  static const frame::Text source = TheFolder().Write("gigabytes.dll", writer.Build());
  const frame::Text out = TheFolder().Text("refused");
  for (auto _ : state) {
    extract::ExtractedIcons result =
        extract::ExtractAllIcons(source, 64, extract::SaveFormat::Ico, out, {});
    if (result.refusedBytes == 0) return state.SkipWithError("not refused");
    state.counters["refused_MiB"] = static_cast<double>(result.refusedBytes >> 20);
  }
}
BENCHMARK(BM_ExtractAllRefusesGigabytes)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
