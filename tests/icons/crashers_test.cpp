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

// A harness (fuzz/targets.h) and the folder of its inputs.
struct Harness {
  const char* fuzzer;
  void (*target)(std::span<const uint8_t>);
};

class CrashersTest : public ::testing::TestWithParam<Harness> {};

// The extract_group harness also checks that what the extraction writes is a whole icon file.
TEST_P(CrashersTest, InputsFailCleanly) {
  ReplayCrashers(GetParam().fuzzer, GetParam().target);
}

constexpr Harness kHarnesses[] = {
    {"dib", fuzz::Dib},
    {"ico_walk", fuzz::IcoWalk},
    {"pe_resources", fuzz::PeResources},
    {"ne_resources", fuzz::NeResources},
    {"png", fuzz::Png},
    {"catalog", fuzz::Catalog},
    {"extract_group", fuzz::ExtractGroup},
};

INSTANTIATE_TEST_SUITE_P(Harnesses, CrashersTest, ::testing::ValuesIn(kHarnesses),
                         [](const ::testing::TestParamInfo<Harness>& info) {
                           return std::string(info.param.fuzzer);
                         });

}  // namespace
