// 16-bit NE modules (icon libraries) as sources of the command line.
#include <gtest/gtest.h>

#include "tests/cli/cli_fixtures.h"
#include "tests/support/ne_writer.h"

namespace cli_test {
namespace {

namespace ts = testing_support;

constexpr uint16_t kShift = 4;

// Group g's images as stored in the library: padded to whole units of 16 bytes.
std::vector<Bytes> StoredImages(int group) {
  std::vector<Bytes> images = GroupImages(group);
  for (Bytes& image : images)
    image.resize((image.size() + 15) / 16 * 16, 0);
  return images;
}

class NeSourceTest : public CliTest {
 protected:
  void SetUp() override {
    ts::NeWriter writer(kShift);
    for (int g = 1; g <= 3; ++g)
      writer.AddIconGroup(g == 2 ? ResourceName(u"SECOND") : ResourceName(g * 10),
                          ts::MakeIcoFile(GroupImages(g)));
    Write("Old.ICL", writer.Build());
  }
  using ResourceName = ts::ResourceName;
};

TEST_F(NeSourceTest, InfoNamesTheFormatAndListsTheGroupsInTableOrder) {
  CliRun text = Run({"info", "Old.ICL"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  std::vector<std::string> lines = text.lines();
  ASSERT_EQ(lines.size(), 1u + 3 * 4);
  EXPECT_EQ(lines[0], Path("Old.ICL").string() + ": NE module, 3 icons");
  EXPECT_EQ(lines[1], "icon 1 (group 10): 3 images");
  EXPECT_EQ(lines[5], "icon 2 (group \"SECOND\"): 3 images");
  EXPECT_EQ(lines[2], "  16 x 16, 8 bits per pixel, bitmap, " +
                          std::to_string(StoredImages(1)[0].size()) + " bytes");

  CliRun json = Run({"info", "Old.ICL", "--json"});
  ASSERT_EQ(json.exitCode, 0);
  EXPECT_NE(json.out.find(R"("format": "NE", "kind": "module", "icons": 3)"), std::string::npos)
      << json.out;
}

// Each image at its own size, without the library's padding.
TEST_F(NeSourceTest, ExtractCopiesWholeGroups) {
  CliRun run = Run({"extract", "Old.ICL", "--all"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ASSERT_EQ(run.lines().size(), 3u);
  for (int g = 1; g <= 3; ++g) {
    std::vector<Bytes> images = GroupImages(g);
    for (Bytes& image : images)
      ts::PutU32(image, 20, 0);
    EXPECT_EQ(ts::ReadBytes(run.lines()[g - 1]), ts::MakeIcoFile(images)) << "group " << g;
  }
  EXPECT_TRUE(run.err.empty()) << run.err;
}

}  // namespace
}  // namespace cli_test
