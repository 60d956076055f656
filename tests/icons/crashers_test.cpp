// Every fuzzer's seeds and every input it ever crashed on stay in tests/data/crashers/<fuzzer>/
// and must be handled cleanly; a missing or empty folder fails.
#include <gtest/gtest.h>

#include "fuzz/targets.h"
#include "tests/support/fixtures.h"

namespace {

namespace ts = testing_support;

void ReplayCrashers(const std::string& fuzzer, void (*target)(std::span<const uint8_t>)) {
  for (const auto& path : ts::DataFiles("crashers/" + fuzzer)) {
    SCOPED_TRACE(path.string());
    std::vector<uint8_t> bytes = ts::ReadBytes(path);
    target(bytes);
  }
}

TEST(CrashersTest, DibInputsFailCleanly) {
  ReplayCrashers("dib", fuzz::Dib);
}
TEST(CrashersTest, IconFileInputsFailCleanly) {
  ReplayCrashers("ico_walk", fuzz::IcoWalk);
}
TEST(CrashersTest, ModuleInputsFailCleanly) {
  ReplayCrashers("pe_resources", fuzz::PeResources);
}
TEST(CrashersTest, NeModuleInputsFailCleanly) {
  ReplayCrashers("ne_resources", fuzz::NeResources);
}
TEST(CrashersTest, PngInputsFailCleanly) {
  ReplayCrashers("png", fuzz::Png);
}
TEST(CrashersTest, CatalogInputsFailCleanly) {
  ReplayCrashers("catalog", fuzz::Catalog);
}
TEST(CrashersTest, ExtractedGroupsAreWholeIconFiles) {
  ReplayCrashers("extract_group", fuzz::ExtractGroup);
}

}  // namespace
