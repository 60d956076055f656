// The file work of the picture browser and the batch savers: scanning a folder of pictures
// with the frame's file search, and writing and reading icon-sized files.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "frame/commands.h"
#include "frame/services.h"
#include "tests/support/fixtures.h"

namespace {

namespace fs = std::filesystem;

// A private folder with `count` small files, removed when the benchmark ends.
class Folder {
 public:
  explicit Folder(int count) {
    for (int i = 0; i < count; ++i)
      frame::WriteFile(frame::Text((path_ / ("Picture " + std::to_string(i) + ".png")).string()),
                       frame::ByteSet::FromString("x"));
  }
  const fs::path& path() const { return path_.path(); }

 private:
  testing_support::TempDir path_;
};

void BM_ScanFolderOfPictures(benchmark::State& state) {
  Folder folder(static_cast<int>(state.range(0)));
  frame::Text pattern((folder.path() / "*.*").string());
  for (auto _ : state) {
    uint32_t search = 0;
    int found = 0;
    for (frame::Text name = frame::FindFileEntry(pattern, 0, true, search); !name.empty();
         name = frame::FindFileEntry(frame::Text(), 0, true, search))
      ++found;
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ScanFolderOfPictures)->Arg(100)->Arg(2000);

void BM_WriteFileOverAnExistingOne(benchmark::State& state) {
  Folder folder(0);
  frame::Text path((folder.path() / "icon.ico").string());
  frame::ByteSet bytes(std::vector<uint8_t>(static_cast<size_t>(state.range(0)), 7));
  for (auto _ : state)
    benchmark::DoNotOptimize(frame::WriteFile(path, bytes));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteFileOverAnExistingOne)->Arg(4286)->Arg(1 << 20);

void BM_ReadFile(benchmark::State& state) {
  Folder folder(0);
  frame::Text path((folder.path() / "icon.ico").string());
  frame::WriteFile(path,
                   frame::ByteSet(std::vector<uint8_t>(static_cast<size_t>(state.range(0)), 7)));
  for (auto _ : state)
    benchmark::DoNotOptimize(frame::ReadFile(path));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadFile)->Arg(4286)->Arg(1 << 20);

}  // namespace
