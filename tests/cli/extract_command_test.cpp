#include <gtest/gtest.h>

#include "extract/extract_all.h"
#include "extract/single_extraction.h"
#include "frame/values.h"
#include "imaging/image_object.h"
#include "tests/cli/cli_fixtures.h"
#include "tests/support/icoutils.h"
#include "tests/support/pe_writer.h"

namespace cli_test {
namespace {

namespace ts = testing_support;

// The icon file of group g as the group copy writes it: the images as stored, each with its
// image-size field cleared.
Bytes CopiedGroup(int group) {
  std::vector<Bytes> images = GroupImages(group);
  for (Bytes& image : images)
    ts::PutU32(image, 20, 0);
  return ts::MakeIcoFile(images);
}

class ExtractCommandTest : public CliTest {
 protected:
  void SetUp() override { module_ = Write("Twelve.DLL", ModuleOf(12)); }
  fs::path module_;
};

TEST_F(ExtractCommandTest, EveryGroupAsAWholeIconFileNamedByItsPaddedIndex) {
  CliRun run = Run({"extract", "Twelve.DLL", "--all", "--prefix", "g_"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<std::string> lines = run.lines();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], (dir_ / "twelve" / "g_01.ico").string());
  EXPECT_EQ(lines[11], (dir_ / "twelve" / "g_12.ico").string());
  for (int g = 1; g <= 12; ++g)
    EXPECT_EQ(ts::ReadBytes(lines[g - 1]), CopiedGroup(g)) << "group " << g;
  EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST_F(ExtractCommandTest, ASecondBatchGoesToTheNextFreeNumberedFolder) {
  fs::create_directories(Path("out(1)"));
  ASSERT_EQ(Run({"extract", "Twelve.DLL", "--all", "--out", "out"}).exitCode, 0);
  CliRun second = Run({"extract", "Twelve.DLL", "--all", "--out", "out"});
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(second.lines().front(), (dir_ / "out(2)" / "01.ico").string());
  EXPECT_EQ(Listing("out").size(), 12u);
  EXPECT_TRUE(Listing("out(1)").empty());
  EXPECT_EQ(Listing("out(2)").size(), 12u);
}

TEST_F(ExtractCommandTest, OneIconInEachPictureFormat) {
  struct Case {
    const char* format;
    const char* file;
    bool overWhite;
    bool exactColour;  // JPEG is lossy
  };
  const Case cases[] = {
      {"png", "03.png", false, true},
      {"bmp", "03.bmp", true, true},
      {"bmp-transparent", "03.bmp", false, true},
      {"tiff", "03.tiff", false, true},
      {"gif", "03.gif", true, true},
      {"jpg", "03.jpg", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    fs::path folder = dir_ / c.format;
    CliRun run = Run(
        {"extract", "Twelve.DLL", "--index", "3", "--format", c.format, "--out", folder.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(run.lines(), std::vector<std::string>{(folder / c.file).string()});
    QImage image = DecodedPicture(folder / c.file);
    ASSERT_EQ(image.size(), QSize(32, 32));
    QRgb centre = image.pixel(16, 16), corner = image.pixel(0, 0);
    if (c.exactColour) {
      EXPECT_EQ(centre, GroupColour(3));
    } else {
      EXPECT_NEAR(qRed(centre), qRed(GroupColour(3)), 12);
      EXPECT_NEAR(qBlue(centre), qBlue(GroupColour(3)), 12);
    }
    if (c.overWhite) {
      EXPECT_EQ(corner | 0x0F0F0F, 0xFFFFFFFFu) << std::hex << corner;
    } else if (std::string(c.format) !=
               "bmp-transparent") {  // readers take a BMP's alpha as opaque
      EXPECT_EQ(qAlpha(corner), 0);
    }
  }
  // Bitmaps: the 54-byte head and 32 rows of 128 bytes, bottom row first; the transparent one's
  // corner keeps the bitmap's first content.
  for (const char* format : {"bmp", "bmp-transparent"}) {
    Bytes bmp = ts::ReadBytes(dir_ / format / "03.bmp");
    ASSERT_EQ(bmp.size(), 4150u) << format;
    EXPECT_EQ(ts::GetU32(bmp, 10), 54u);
    EXPECT_EQ(ts::GetU16(bmp, 28), 32);
    uint32_t topLeft = ts::GetU32(bmp, 54 + 31 * 128);
    EXPECT_EQ(topLeft, std::string(format) == "bmp" ? 0xFFFFFFFFu : 0u) << format;
  }
}

// The window's handlers call the same operations; the tool must not write anything else.
TEST_F(ExtractCommandTest, WritesWhatTheOperationsOfTheWindowWrite) {
  ASSERT_TRUE(imaging::StartImagingLibrary());
  frame::Text source = frame::Text::FromUtf8(module_.string());
  for (auto [name, format] :
       {std::pair{"png", extract::SaveFormat::Png}, std::pair{"bmp", extract::SaveFormat::Bmp},
        std::pair{"jpg", extract::SaveFormat::Jpg}}) {
    SCOPED_TRACE(name);
    ASSERT_EQ(
        Run({"extract", "Twelve.DLL", "--index", "7", "--format", name, "--out", "cli"}).exitCode,
        0);
    extract::SavedIcon saved = extract::ExtractSelectedIcon(
        source, 12, 7, format, frame::Text::FromUtf8(Path("window").string()), frame::Text());
    ASSERT_TRUE(saved.written);
    EXPECT_EQ(ts::ReadBytes(saved.path.ToUtf8()),
              ts::ReadBytes(Path("cli") / (std::string("07.") + name)));
  }
  ASSERT_EQ(Run({"extract", "Twelve.DLL", "--all", "--format", "gif", "--out", "all"}).exitCode, 0);
  extract::ExtractedIcons batch =
      extract::ExtractAllIcons(source, 12, extract::SaveFormat::Gif,
                               frame::Text::FromUtf8(Path("batch").string()), frame::Text());
  ASSERT_EQ(batch.icons.size(), 12u);
  for (const extract::SavedIcon& icon : batch.icons)
    EXPECT_EQ(ts::ReadBytes(icon.path.ToUtf8()),
              ts::ReadBytes(Path("all") / fs::path(icon.path.ToUtf8()).filename()));
}

TEST_F(ExtractCommandTest, ASourceWhoseGroupsCannotBeCopiedGetsIconsBuiltFromTheHandle) {
  // Each group also lists an image that is not there: it cannot be copied, but drawn.
  ts::PeWriter writer;
  uint16_t id = 1;
  for (int g = 1; g <= 12; ++g) {
    ts::IconGroupResources group = ts::SplitIconFile(ts::MakeIcoFile(GroupImages(g)), id);
    for (const Bytes& image : group.images)
      writer.Add(ts::kRtIcon, id++, image);
    Bytes missing(group.group.begin() + 6, group.group.begin() + 20);
    ts::PutU16(missing, 12, 999);
    group.group.insert(group.group.end(), missing.begin(), missing.end());
    ts::PutU16(group.group, 4, static_cast<uint16_t>(ts::GetU16(group.group, 4) + 1));
    writer.Add(ts::kRtGroupIcon, g, group.group);
  }
  Write("panel.cpl", writer.Build());
  CliRun run = Run({"extract", "panel.cpl", "--all"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ASSERT_EQ(run.lines().size(), 12u);
  for (const std::string& line : run.lines())
    EXPECT_EQ(fs::file_size(line), 4286u) << line;
  EXPECT_NE(run.err.find("12 of 12"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("提取图标失败！序号：12  根据句柄创建."), std::string::npos) << run.err;
  // The program's texts in the user's language; the CLI's own are English either way.
  CliRun english =
      Run({"extract", "panel.cpl", "--all"}, {.environment = {"PICTOLAN_LANGUAGE=en"}});
  EXPECT_NE(english.err.find("Extracting the icon failed! Number: 12  Made from the icon handle."),
            std::string::npos)
      << english.err;
}

TEST_F(ExtractCommandTest, AnyFileNameIsTakenAndNamedAsGiven) {
  CliRun run = Run({"extract", "Twelve.DLL", "--index", "1", "--out", "图标", "--prefix", "图"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.lines(), std::vector<std::string>{(dir_ / "图标" / "图01.ico").string()});
  EXPECT_TRUE(fs::exists(dir_ / "图标" / "图01.ico"));

  // Outside GBK, and bytes that are not UTF-8: the same names come out.
  for (std::string folder : {"Grüße 😀", "back\\slash", "bytes-\xFF\xFE"}) {
    CliRun outside = Run({"extract", "Twelve.DLL", "--index", "1", "--out", folder});
    ASSERT_EQ(outside.exitCode, 0) << outside.err;
    EXPECT_EQ(outside.lines(), std::vector<std::string>{(dir_ / folder / "01.ico").string()});
    EXPECT_TRUE(fs::exists(dir_ / folder / "01.ico"));
  }
}

TEST_F(ExtractCommandTest, BadInputIsAnErrorThatSaysWhatAndWhy) {
  Write("notes.txt", Bytes(300, 'x'));
  Bytes module = ts::ReadBytes(module_);
  Write("cut.dll", Bytes(module.begin(), module.begin() + 200));
  Write("blocker", Bytes{1});
  ts::PeWriter damaged;
  damaged.AddIconGroup(1, ts::MakeIcoFile({Bytes(200, 0x5A)}));  // an image nothing decodes
  damaged.Add(ts::kRtGroupIcon, 2, ts::RepeatedImageGroup(Bytes(200, 0x5A), 1, 0));
  Write("damaged.dll", damaged.Build());
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  };
  const Case cases[] = {
      {{"extract", "missing.dll", "--all"}, "cannot read"},
      {{"extract", "notes.txt", "--all"}, "neither a module"},
      {{"extract", "cut.dll", "--all"}, "damaged module"},
      {{"extract", "Twelve.DLL", "--index", "0"}, "no such icon: index 0"},
      {{"extract", "Twelve.DLL", "--index", "13"}, "no such icon: index 13"},
      {{"extract", "Twelve.DLL", "--index", "-2"}, "no such icon: index -2"},
      {{"extract", "Twelve.DLL", "--all", "--out", "blocker/icons"}, "is not a folder"},
      {{"extract", "damaged.dll", "--index", "1", "--format", "png"}, "no icon can be read"},
      {{"extract", "damaged.dll", "--all", "--format", "gif"}, "2 of 2 files, the first"},
      {{"extract", "damaged.dll", "--index", "2"}, "no icon can be read for it"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments[1] + " " + c.arguments.back());
    CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(Listing(""), (std::vector<std::string>{"Twelve.DLL", "blocker", "cut.dll",
                                                   "damaged.dll", "notes.txt"}))
      << "no folder is left behind";
}

TEST_F(ExtractCommandTest, AFolderItMayNotWriteInLeavesNothingBehind) {
  fs::permissions(dir_.path(), fs::perms::all);  // the user the tool runs as reaches it
  fs::permissions(module_, fs::perms::owner_all | fs::perms::others_read | fs::perms::group_read);
  fs::create_directories(Path("locked"));
  fs::permissions(Path("locked"), fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
  CliRun run = Run({"extract", module_.string(), "--index", "1", "--out", "locked/icons"},
                   {.asUnprivilegedUser = true});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("permission denied"), std::string::npos) << run.err;
  EXPECT_TRUE(Listing("locked").empty());
}

TEST_F(ExtractCommandTest, MistakesInTheCommandLineAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"extrakt", "Twelve.DLL"},
      {"extract", "Twelve.DLL"},
      {"extract", "Twelve.DLL", "--all", "--index", "2"},
      {"extract", "Twelve.DLL", "--index", "two"},
      {"extract", "Twelve.DLL", "--index"},
      {"extract", "Twelve.DLL", "--all", "--format", "svg"},
      {"extract", "Twelve.DLL", "--all", "--prefix", "a/b"},
      {"extract", "Twelve.DLL", "--all", "--colour"},
      {"extract", "Twelve.DLL", "--all", "--jobs", "0"},
  };
  for (const auto& arguments : cases) {
    SCOPED_TRACE(arguments.empty() ? "(nothing)" : arguments.back());
    CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_FALSE(run.err.empty());
  }
  EXPECT_EQ(Listing(""), std::vector<std::string>{"Twelve.DLL"});
}

class ExtractReferenceTest : public CliTest {
 protected:
  void SetUp() override {
    if (!ts::HaveIcoutils()) GTEST_SKIP() << "icoutils missing";
  }
};

TEST_F(ExtractReferenceTest, RealStubsGiveTheImagesOfIcoutils) {
  int stubs = 0;
  for (const fs::path& stub : ts::NsisStubs()) {
    Bytes bytes = ts::ReadBytes(stub);
    if (bytes.size() < 2 || bytes[0] != 'M' || bytes[1] != 'Z') continue;
    std::string name = stub.filename().string();
    fs::path module = Write(name + ".exe", bytes);
    CliRun run = Run({"extract", module.string(), "--all", "--out", name});
    ASSERT_EQ(run.exitCode, 0) << name << ": " << run.err;
    std::vector<std::string> groups = ts::WrestoolGroupNames(module);
    ASSERT_EQ(run.lines().size(), groups.size()) << name;
    for (size_t i = 0; i < groups.size(); ++i) {
      fs::path reference = Path(name + "-" + std::to_string(i) + ".ico");
      ts::WrestoolExtractGroup(module, groups[i], reference);
      ts::ExpectSameIconPixels(run.lines()[i], reference, Path(name + "-scratch"));
    }
    ++stubs;
  }
  EXPECT_GE(stubs, 18);
}

}  // namespace
}  // namespace cli_test
