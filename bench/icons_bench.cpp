// Extracting every icon group of a large module, against the cost of reading each group's bytes
// twice; the same for an icon library in the 16-bit NE format against an equivalent PE module;
// and rebuilding an icon without its PNG image.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "frame/commands.h"
#include "frame/extract_file_icon.h"
#include "icofile/rebuild.h"
#include "platform/core/files/file_bytes.h"
#include "platform/win32/shell32.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/ne_writer.h"
#include "tests/support/pe_writer.h"

namespace {

namespace ts = testing_support;
namespace fs = std::filesystem;

constexpr int kGroups = 400;

ts::Bytes Image(int size, int bits, int seed) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.bitCount = bits;
  recipe.pixel = [=](int x, int y) {
    return bits <= 8 ? static_cast<uint32_t>(x + y + seed) % (1u << bits)
                     : 0xFF000000u | static_cast<uint32_t>(x * 977 + y * 131 + seed);
  };
  return ts::MakeIconDib(recipe);
}

ts::Bytes GroupIcon(int seed) {
  return ts::MakeIcoFile({Image(16, 4, seed), Image(16, 8, seed), Image(24, 8, seed),
                          Image(32, 4, seed), Image(32, 8, seed), Image(32, 32, seed),
                          Image(48, 8, seed), Image(48, 32, seed)});
}

// A module of kGroups groups of the eight images of GroupIcon, and each group as an icon file.
class Fixture {
 public:
  Fixture() {
    ts::PeWriter writer;
    for (int g = 0; g < kGroups; ++g) {
      ts::Bytes icon = GroupIcon(g);
      writer.AddIconGroup(g + 1, icon);
      groupFiles_.push_back(Path("group" + std::to_string(g) + ".ico"));
      Write(groupFiles_.back(), icon);
    }
    module_ = Path("module.dll");
    Write(module_, writer.Build());
    ts::Bytes png = ts::MakePng(256, 256, 0xFF336699);
    png[22] = 0;
    rebuildSource_ = frame::ByteSet(ts::MakeIcoFile(
        {Image(16, 8, 1), Image(32, 8, 2), Image(32, 32, 3), Image(48, 32, 4), png}));
    // A module the user picks was written long before; one written just now is read afresh on
    // every call (see platform/core/files/file_bytes.h), so let it settle first.
    std::this_thread::sleep_for(std::chrono::seconds(platform::files::kSettleSeconds + 1));
  }
  const frame::Text& module() const { return module_; }
  const std::vector<frame::Text>& groupFiles() const { return groupFiles_; }
  frame::Text Path(const std::string& name) const {
    return frame::Text::FromUtf8((folder_ / name).string());
  }
  const frame::ByteSet& rebuildSource() const { return rebuildSource_; }

 private:
  static void Write(const frame::Text& path, const ts::Bytes& bytes) {
    if (!frame::WriteFile(path, frame::ByteSet(bytes))) std::abort();
  }
  ts::TempDir folder_;
  frame::Text module_;
  std::vector<frame::Text> groupFiles_;
  frame::ByteSet rebuildSource_;
};

// Seconds per group, shown in microseconds.
benchmark::Counter PerGroup(const benchmark::State& state, int groups = kGroups) {
  return benchmark::Counter(static_cast<double>(state.iterations()) * groups,
                            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

const Fixture& TheFixture() {
  static const Fixture fixture;
  return fixture;
}

// The extraction page's "extract all": one call per group, each loading the module afresh.
void BM_ExtractEveryGroup(benchmark::State& state) {
  const Fixture& f = TheFixture();
  frame::Text out = f.Path("out.ico");
  for (auto _ : state)
    for (int g = 1; g <= kGroups; ++g)
      if (frame::ExtractFileIcon(f.module(), 0, out, g) != kGroups) state.SkipWithError("count");
  state.counters["per_group"] = PerGroup(state);
}
BENCHMARK(BM_ExtractEveryGroup)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without writing the files: a save path that does not end in "ico" still has each
// group read, but nothing written.
void BM_ExtractEveryGroupWithoutWriting(benchmark::State& state) {
  const Fixture& f = TheFixture();
  frame::Text out = f.Path("out.none");
  for (auto _ : state)
    for (int g = 1; g <= kGroups; ++g)
      if (frame::ExtractFileIcon(f.module(), 0, out, g) != kGroups) state.SkipWithError("count");
  state.counters["per_group"] = PerGroup(state);
}
BENCHMARK(BM_ExtractEveryGroupWithoutWriting)->Unit(benchmark::kMillisecond)->UseRealTime();

// The yardstick: each group's bytes, as an icon file, read twice.
void BM_ReadEveryGroupTwice(benchmark::State& state) {
  const Fixture& f = TheFixture();
  for (auto _ : state)
    for (const frame::Text& file : f.groupFiles())
      for (int twice = 0; twice < 2; ++twice)
        benchmark::DoNotOptimize(frame::ReadFile(file));
  state.counters["per_group"] = PerGroup(state);
}
BENCHMARK(BM_ReadEveryGroupTwice)->Unit(benchmark::kMillisecond)->UseRealTime();

// What writing the icon files costs by itself: each group's bytes written as a new file.
void BM_WriteEveryGroup(benchmark::State& state) {
  const Fixture& f = TheFixture();
  std::vector<frame::ByteSet> groups;
  for (const frame::Text& file : f.groupFiles())
    groups.push_back(frame::ReadFile(file));
  frame::Text out = f.Path("written.ico");
  for (auto _ : state)
    for (const frame::ByteSet& group : groups)
      frame::WriteFile(out, group);
  state.counters["per_group"] = PerGroup(state);
}
BENCHMARK(BM_WriteEveryGroup)->Unit(benchmark::kMillisecond)->UseRealTime();

// Counting the groups, as opening a source does before anything else.
void BM_CountGroups(benchmark::State& state) {
  const Fixture& f = TheFixture();
  for (auto _ : state)
    benchmark::DoNotOptimize(platform::shell32::ExtractIconA(0, f.module().c_str(), 0xFFFFFFFF));
}
BENCHMARK(BM_CountGroups)->Unit(benchmark::kMicrosecond)->UseRealTime();

// An icon library of kLibraryGroups groups as a 16-bit NE module (.icl, aligned to 512 bytes)
// and the same groups as a PE module.
constexpr int kLibraryGroups = 300;

class LibraryFixture {
 public:
  LibraryFixture() {
    ts::NeWriter ne(9);
    ts::PeWriter pe;
    for (int g = 0; g < kLibraryGroups; ++g) {
      ts::Bytes icon = GroupIcon(g);
      ne.AddIconGroup(g + 1, icon);
      pe.AddIconGroup(g + 1, icon);
    }
    const Fixture& f = TheFixture();  // its folder, and its wait for the files to settle
    library_ = f.Path("library.icl");
    module_ = f.Path("library.dll");
    if (!frame::WriteFile(library_, frame::ByteSet(ne.Build())) ||
        !frame::WriteFile(module_, frame::ByteSet(pe.Build())))
      std::abort();
    std::this_thread::sleep_for(std::chrono::seconds(platform::files::kSettleSeconds + 1));
  }
  const frame::Text& Source(bool ne) const { return ne ? library_ : module_; }

 private:
  frame::Text library_, module_;
};

// The extraction page's "extract all" over the library: argument 1 the NE module, 0 the PE one.
void BM_ExtractEveryGroupOfLibrary(benchmark::State& state) {
  static const LibraryFixture library;
  const frame::Text& source = library.Source(state.range(0) == 1);
  frame::Text out = TheFixture().Path("library-out.ico");
  for (auto _ : state)
    for (int g = 1; g <= kLibraryGroups; ++g)
      if (frame::ExtractFileIcon(source, 0, out, g) != kLibraryGroups) state.SkipWithError("count");
  state.counters["per_group"] = PerGroup(state, kLibraryGroups);
}
BENCHMARK(BM_ExtractEveryGroupOfLibrary)
    ->ArgName("ne")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_RebuildIcon(benchmark::State& state) {
  const Fixture& f = TheFixture();
  for (auto _ : state)
    benchmark::DoNotOptimize(icofile::RebuildIconBytes(f.rebuildSource()));
}
BENCHMARK(BM_RebuildIcon)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A 1 MiB icon file whose 65,535 entries all point at one 64 x 64 image, and a module whose group
// lists that image 65,535 times: copied naively, each would make a 1.1 GB icon file. The
// extraction and the rebuild refuse them before copying anything; peak_rss_MiB is the process's
// peak memory (run this benchmark alone to see its own).
void BM_RefuseRepeatedEntries(benchmark::State& state) {
  constexpr size_t kEntries = 65535;
  const ts::TempDir folder;
  const ts::Bytes image = Image(64, 32, 7);
  const ts::Bytes iconBytes = ts::RepeatedImageIcon(image, kEntries);
  ts::PeWriter writer;
  writer.Add(ts::kRtIcon, 1, image);
  writer.Add(ts::kRtGroupIcon, 1, ts::RepeatedImageGroup(image, 1, kEntries));
  auto path = [&folder](const char* name) {
    return frame::Text::FromUtf8((folder / name).string());
  };
  const frame::Text icon = path("repeated.ico"), module = path("repeated.dll"),
                    out = path("out.ico");
  frame::WriteFile(icon, frame::ByteSet(iconBytes));
  frame::WriteFile(module, frame::ByteSet(writer.Build()));
  const frame::ByteSet source(iconBytes);
  for (auto _ : state) {
    if (frame::ExtractFileIcon(icon, 0, out, 1) != 0 ||
        frame::ExtractFileIcon(module, 0, out, 1) != 0)
      state.SkipWithError("not refused");
    if (icofile::RebuildIconBytes(source)) state.SkipWithError("rebuilt");
  }
  if (fs::exists(folder / "out.ico")) state.SkipWithError("written");
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024;
  state.counters["icon_file_MiB"] = static_cast<double>(iconBytes.size()) / (1 << 20);
}
BENCHMARK(BM_RefuseRepeatedEntries)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
