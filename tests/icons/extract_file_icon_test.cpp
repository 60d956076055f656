#include "frame/extract_file_icon.h"

#include <QImage>

#include <gtest/gtest.h>

#include "platform/core/codecs/ico.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/icoutils.h"
#include "tests/support/ne_writer.h"
#include "tests/support/pe_writer.h"

namespace frame {
namespace {

namespace ts = testing_support;
using ts::Bytes;
using ts::GetU16;
using ts::GetU32;

Bytes Dib(int size, int bits, uint32_t clrUsed = 0) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.bitCount = bits;
  Bytes dib = ts::MakeIconDib(recipe);
  ts::PutU32(dib, 32, clrUsed);
  return dib;
}

class ExtractFileIconTest : public ::testing::Test {
 protected:
  Text Path(const std::string& name) const { return Text::FromUtf8((dir_ / name).string()); }
  Text Write(const std::string& name, const Bytes& bytes) const {
    ts::WriteBytes(dir_ / name, bytes);
    return Path(name);
  }
  Bytes Read(const std::string& name) const { return ts::ReadBytes(dir_ / name); }
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir_ / name); }

  // A module with three groups: 1 (16 x 16, 4 bits), 2 (32 x 32, 8 bits and 256 x 256 bitmap),
  // 3 (a PNG).
  Text ThreeGroups(const std::string& name) const {
    ts::PeWriter w;
    w.AddIconGroup(1, ts::MakeIcoFile({Dib(16, 4)}));
    w.AddIconGroup(2, ts::MakeIcoFile({Dib(32, 8), Dib(256, 32)}));
    w.AddIconGroup(3, ts::MakeIcoFile({ts::MakePng(48, 64, 0xFF0000FF)}));
    return Write(name, w.Build());
  }

  ts::TempDir dir_;
};

TEST_F(ExtractFileIconTest, WritesTheChosenGroupOfAModule) {
  Text module = ThreeGroups("three.dll");
  EXPECT_EQ(ExtractFileIcon(module, 0, Path("second.ico"), 2), 3);
  Bytes ico = Read("second.ico");
  Bytes small = Dib(32, 8), large = Dib(256, 32);
  ASSERT_EQ(ico.size(), 6 + 32 + small.size() + large.size());
  EXPECT_EQ(Bytes(ico.begin(), ico.begin() + 6), (Bytes{0, 0, 1, 0, 2, 0}));
  Bytes first = {32, 32, 0, 0, 1, 0, 8, 0, 0, 0, 0, 0, 38, 0, 0, 0};
  ts::PutU32(first, 8, static_cast<uint32_t>(small.size()));
  EXPECT_EQ(Bytes(ico.begin() + 6, ico.begin() + 22), first);
  EXPECT_EQ(ico[22], 0) << "width 256 is written as its low byte";
  EXPECT_EQ(ico[23], 0);
  EXPECT_EQ(GetU16(ico, 22 + 6), 32);
  EXPECT_EQ(GetU32(ico, 22 + 12), 38 + small.size());
  ts::PutU32(small, 20, 0);  // the image-size field is written as 0
  EXPECT_TRUE(std::equal(small.begin(), small.end(), ico.begin() + 38));

  EXPECT_EQ(ExtractFileIcon(module, 0, Path("fourth.ico"), 4), 0);
  EXPECT_FALSE(Exists("fourth.ico"));
  EXPECT_EQ(ExtractFileIcon(module, 0, Path("first.ico"), 0), 3) << "index 0 counts as 1";
  EXPECT_EQ(Read("first.ico")[6], 16);
}

// The command reports the group count whether or not it wrote the file; its callers that must
// know ask the group source, which reads the module once for any number of saves.
TEST_F(ExtractFileIconTest, TheGroupSourceTellsWhetherTheFileWasWritten) {
  Text module = ThreeGroups("three.dll");
  IconGroupSource groups(module);
  EXPECT_EQ(groups.count(), 3);
  IconGroupSaved saved = groups.Save(Path("a.ico"), 2);
  EXPECT_EQ(saved.count, 3);
  EXPECT_TRUE(saved.written);
  ASSERT_EQ(ExtractFileIcon(module, 0, Path("b.ico"), 2), 3);
  EXPECT_EQ(Read("a.ico"), Read("b.ico"));

  Write("file", {1});
  saved = groups.Save(Path("file/c.ico"), 1);
  EXPECT_EQ(saved.count, 3);
  EXPECT_FALSE(saved.written);
  EXPECT_EQ(ExtractFileIcon(module, 0, Path("file/c.ico"), 1), 3);
  EXPECT_FALSE(groups.Save(Path("d.png"), 1).written) << "counted, not an icon path";
  EXPECT_EQ(groups.Save(Path("e.ico"), 4).count, 0);
  EXPECT_EQ(IconGroupSource(Path("missing.dll")).count(), 0);
}

// A 1 MiB icon or group that lists one image 65,535 times would make a file of gigabytes.
TEST_F(ExtractFileIconTest, GroupsPastTheLargestIconFileAreRefusedAndEmptyOnesNotWritten) {
  Bytes image = Dib(48, 32);
  Text icon = Write("repeated.ico", ts::RepeatedImageIcon(image, 65535));
  ts::PeWriter w;
  w.Add(ts::kRtIcon, 1, image);
  w.Add(ts::kRtGroupIcon, 1, ts::RepeatedImageGroup(image, 1, 65535));
  w.Add(ts::kRtGroupIcon, 2, ts::RepeatedImageGroup(image, 1, 0));
  w.Add(ts::kRtGroupIcon, 3, ts::RepeatedImageGroup(image, 1, 300));
  Text module = Write("repeated.dll", w.Build());
  EXPECT_EQ(ExtractFileIcon(icon, 0, Path("a.ico"), 1), 0);
  EXPECT_EQ(ExtractFileIcon(module, 0, Path("b.ico"), 1), 0);
  EXPECT_FALSE(Exists("a.ico") || Exists("b.ico"));

  IconGroupSaved empty = IconGroupSource(module).Save(Path("c.ico"), 2);
  EXPECT_EQ(empty.count, 3) << "counted, but a group without images is no icon";
  EXPECT_FALSE(empty.written || Exists("c.ico"));
  EXPECT_EQ(ExtractFileIcon(module, 0, Path("d.ico"), 3), 3);
  EXPECT_EQ(GetU16(Read("d.ico"), 4), 300) << "the full count";
}

TEST_F(ExtractFileIconTest, ColourCountComesFromTheImageHeader) {
  ts::PeWriter w;
  w.AddIconGroup(1, ts::MakeIcoFile({Dib(16, 1), Dib(16, 4, 5), Dib(16, 8)}));
  Text module = Write("depths.exe", w.Build());
  ASSERT_EQ(ExtractFileIcon(module, 0, Path("out.ico"), 1), 1);
  Bytes ico = Read("out.ico");
  EXPECT_EQ(ico[6 + 2], 2);
  EXPECT_EQ(ico[22 + 2], 16) << "2^(planes x bits), whatever the colours-used field says";
  EXPECT_EQ(ico[38 + 2], 0);
}

TEST_F(ExtractFileIconTest, PngImagesGetTheirSizeFromTheirHeaderAndStayUnchanged) {
  Text module = ThreeGroups("three.icl");
  ASSERT_EQ(ExtractFileIcon(module, 0, Path("png.ico"), 3), 3);
  Bytes ico = Read("png.ico");
  Bytes png = ts::MakePng(48, 64, 0xFF0000FF);
  Bytes entry = {48, 64, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 22, 0, 0, 0};
  ts::PutU32(entry, 8, static_cast<uint32_t>(png.size()));
  EXPECT_EQ(Bytes(ico.begin() + 6, ico.begin() + 22), entry);
  EXPECT_EQ(Bytes(ico.begin() + 22, ico.end()), png);
}

TEST_F(ExtractFileIconTest, IconFilesCountAsOneGroup) {
  Bytes source = ts::MakeIcoFile({Dib(16, 4), Dib(48, 32)});
  Text ico = Write("source.ICO", source);
  EXPECT_EQ(ExtractFileIcon(ico, 0, Path("copy.ico"), 1), 1);
  Bytes copy = Read("copy.ico");
  ASSERT_EQ(copy.size(), source.size());
  EXPECT_EQ(GetU32(copy, 38 + 20), 0u) << "the first image's image-size field";
  EXPECT_EQ(ExtractFileIcon(ico, 0, Path("second.ico"), 2), 0);
  EXPECT_FALSE(Exists("second.ico"));

  Text broken = Write("broken.ico", {'n', 'o', 'p', 'e'});
  EXPECT_EQ(ExtractFileIcon(broken, 0, Path("broken-copy.ico"), 1), 1);
  EXPECT_FALSE(Exists("broken-copy.ico"));

  Bytes pastEnd = source;
  ts::PutU32(pastEnd, 6 + 16 + 12, 0xFFFFFFF0);  // the second image's offset
  EXPECT_EQ(ExtractFileIcon(Write("past.ico", pastEnd), 0, Path("past-copy.ico"), 1), 1);
  EXPECT_FALSE(Exists("past-copy.ico"));
}

// What the file holds decides its kind, whatever its name; only a file named "...ico" that is
// neither a module nor an icon file counts as one icon (with nothing written).
TEST_F(ExtractFileIconTest, SourcesByWhatTheyHoldSavePathsByTheirLastThreeLetters) {
  Bytes module = ts::ReadBytes(ts::fs::path(ThreeGroups("m.dll").ToUtf8()));
  ASSERT_EQ(ExtractFileIcon(Path("m.dll"), 0, Path("reference.ico"), 1), 3);
  for (const char* name : {"m.cpl", "m.scr", "m.ocx", "m", "M.EXE", "m.ico"}) {
    EXPECT_EQ(ExtractFileIcon(Write(name, module), 0, Path("x.ico"), 1), 3) << name;
    EXPECT_EQ(Read("x.ico"), Read("reference.ico")) << name;
  }
  Bytes icon = ts::MakeIcoFile({Dib(16, 4)});
  EXPECT_EQ(ExtractFileIcon(Write("icon.bin", icon), 0, Path("upper.ICO"), 1), 1);
  EXPECT_EQ(Read("upper.ICO").size(), icon.size());
  EXPECT_EQ(ExtractFileIcon(Write("text.exe", {'h', 'i'}), 0, Path("y.ico"), 1), 0);
  EXPECT_EQ(ExtractFileIcon(Write("text.ico", {'h', 'i'}), 0, Path("y.ico"), 1), 1);
  EXPECT_FALSE(Exists("y.ico"));
  EXPECT_EQ(ExtractFileIcon(Path("m.dll"), 0, Path("picture.png"), 1), 3) << "counted, not written";
  EXPECT_FALSE(Exists("picture.png"));
  EXPECT_EQ(ExtractFileIcon(Path("m.dll"), 0, Text(), 1), 0) << "an empty save path";
  EXPECT_EQ(ExtractFileIcon(Path("missing.dll"), 0, Path("z.ico"), 1), 0);
}

TEST_F(ExtractFileIconTest, BrokenModulesWriteNothing) {
  ts::PeWriter noGroups;
  noGroups.Add(3, 1, Dib(16, 4));
  EXPECT_EQ(ExtractFileIcon(Write("bare.dll", noGroups.Build()), 0, Path("a.ico"), 1), 0);

  ts::PeWriter missingImage;  // the group names icon 9, which is not there
  Bytes group = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 4, 0, 0, 0, 0, 0, 9, 0};
  missingImage.Add(14, 1, group);
  EXPECT_EQ(ExtractFileIcon(Write("missing.dll", missingImage.Build()), 0, Path("b.ico"), 1), 1);
  EXPECT_FALSE(Exists("b.ico"));

  ts::PeWriter overlong;  // the group claims more entries than it holds
  overlong.Add(3, 1, Dib(16, 4));
  Bytes claims = group;
  claims[4] = 200;
  claims[18] = 1;
  overlong.Add(14, 1, claims);
  EXPECT_EQ(ExtractFileIcon(Write("overlong.dll", overlong.Build()), 0, Path("c.ico"), 1), 1);
  EXPECT_FALSE(Exists("c.ico"));

  Bytes truncated = ts::ReadBytes(ts::fs::path(ThreeGroups("whole.dll").ToUtf8()));
  truncated.resize(truncated.size() / 2);
  int32_t halfCount = ExtractFileIcon(Write("half.dll", truncated), 0, Path("d.ico"), 1);
  EXPECT_TRUE(halfCount == 0 || halfCount == 3) << halfCount;
  Write("text.exe", {'M', 'Z', 0, 0});
  EXPECT_EQ(ExtractFileIcon(Path("text.exe"), 0, Path("e.ico"), 1), 0);
}

class ExtractFileIconReferenceTest : public ExtractFileIconTest {
 protected:
  void SetUp() override {
    if (!ts::HaveIcoutils()) GTEST_SKIP() << "icoutils missing";
  }
  // Extracts every group with ExtractFileIcon and with wrestool and compares their pixels.
  void CompareEveryGroup(const ts::fs::path& module, int expectedGroups) {
    std::vector<std::string> names = ts::WrestoolGroupNames(module);
    ASSERT_EQ(static_cast<int>(names.size()), expectedGroups) << module;
    auto theirs = ts::WrestoolGroupImages(module, dir_ / (module.filename().string() + "-ref"));
    Text source = Text::FromUtf8(module.string());
    for (size_t i = 0; i < names.size(); ++i) {
      ts::fs::path ours = dir_ / (module.filename().string() + "-" + std::to_string(i) + ".ico");
      ASSERT_EQ(
          ExtractFileIcon(source, 0, Text::FromUtf8(ours.string()), static_cast<int32_t>(i + 1)),
          expectedGroups);
      ASSERT_TRUE(theirs.contains(names[i])) << module << " " << names[i];
      ts::ExpectSameIconPixels(ours, theirs[names[i]]);
    }
  }
};

TEST_F(ExtractFileIconReferenceTest, RealStubsGiveTheImagesIcoutilsExtracts) {
  int stubs = 0;
  for (const auto& stub : ts::NsisStubs()) {
    Bytes bytes = ts::ReadBytes(stub);
    if (bytes.size() < 2 || bytes[0] != 'M' || bytes[1] != 'Z') continue;
    ts::fs::path copy = dir_ / (stub.filename().string() + ".exe");  // the kind is the extension
    ts::WriteBytes(copy, bytes);
    CompareEveryGroup(copy, static_cast<int>(ts::WrestoolGroupNames(stub).size()));
    ++stubs;
  }
  EXPECT_GE(stubs, 18);
}

TEST_F(ExtractFileIconReferenceTest, AModuleOfEveryRealIconGivesTheImagesIcoutilsExtracts) {
  ts::PeWriter w(ts::PeWriter::Format::Pe32Plus);
  auto icons = ts::NsisIcons();
  for (size_t i = 0; i < icons.size(); ++i)
    w.AddIconGroup(static_cast<int>(100 + i), ts::ReadBytes(icons[i]));
  ts::fs::path module = dir_ / "all.dll";
  ts::WriteBytes(module, w.Build());
  CompareEveryGroup(module, static_cast<int>(icons.size()));
}

// An image whose pixels, and in 32-bit images alpha, differ from place to place and from seed to
// seed; masked wherever a 32-bit image is transparent.
Bytes Varied(int size, int bits, int seed) {
  ts::DibRecipe recipe;
  recipe.width = recipe.height = size;
  recipe.bitCount = bits;
  auto alpha = [=](int x, int y) { return static_cast<uint32_t>(x * 16 + y + seed) & 0xFF; };
  recipe.pixel = [=](int x, int y) {
    uint32_t v = static_cast<uint32_t>(x * 7 + y * 3 + seed);
    return bits <= 8 ? v % (1u << bits) : alpha(x, y) << 24 | (v * 2654435761u & 0xFFFFFF);
  };
  recipe.masked = [=](int x, int y) {
    return bits == 32 ? alpha(x, y) == 0 : (x + y + seed) % 5 == 0;
  };
  return ts::MakeIconDib(recipe);
}

TEST_F(ExtractFileIconReferenceTest, IconLibrariesGiveTheImagesIcoutilsExtracts) {
  struct Library {
    int groups;
    uint16_t shift;
  };
  for (Library library : {Library{1, 9}, Library{12, 4}, Library{300, 9}}) {
    SCOPED_TRACE(library.groups);
    ts::NeWriter w(library.shift);
    for (int g = 0; g < library.groups; ++g) {
      Bytes icon = ts::MakeIcoFile({Varied(16, 1, g), Varied(16, 4, g), Varied(32, 8, g),
                                    Varied(32, 32, g), Varied(48, 32, g)});
      std::string name = "G" + std::to_string(g);
      if (g % 3 == 1)
        w.AddIconGroup(std::u16string(name.begin(), name.end()), icon);
      else
        w.AddIconGroup(g + 1, icon);
    }
    ts::fs::path module = dir_ / ("library" + std::to_string(library.groups) + ".icl");
    ts::WriteBytes(module, w.Build());
    CompareEveryGroup(module, library.groups);
  }
}

// Pillow, with which many tools decode icons, places each image's mask from the end of the bytes
// its directory entry gives: a library stores its images padded to whole alignment units, and
// they must come out at their own size, as wrestool gives them, or the mask is read from the
// padding.
TEST_F(ExtractFileIconReferenceTest, IconLibraryImagesDecodeInPillowAsWrestoolsDo) {
  if (!ts::HavePillow()) GTEST_SKIP() << "python3-pil missing";
  for (uint16_t shift : {4, 9}) {
    SCOPED_TRACE(shift);
    ts::NeWriter w(shift);
    for (int g = 1; g <= 3; ++g)
      w.AddIconGroup(g, ts::MakeIcoFile({Varied(16, 1, g), Varied(16, 4, g), Varied(32, 8, g),
                                         Varied(48, 32, g)}));
    const std::string name = "shift" + std::to_string(shift);
    Text library = Write(name + ".icl", w.Build());
    for (int g = 1; g <= 3; ++g) {
      const std::string group = name + "-" + std::to_string(g);
      ASSERT_EQ(ExtractFileIcon(library, 0, Path(group + ".ico"), g), 3);
      ts::WrestoolExtractGroup(dir_ / (name + ".icl"), std::to_string(g),
                               dir_ / (group + "-ref.ico"));
      std::vector<std::string> ours = ts::PillowImages(dir_ / (group + ".ico"));
      EXPECT_EQ(ours.size(), 4u) << ours.front();
      EXPECT_EQ(ours, ts::PillowImages(dir_ / (group + "-ref.ico"))) << group;
    }
  }
}

TEST_F(ExtractFileIconReferenceTest, RealIconFilesAreRewrittenWithTheSamePixels) {
  for (const auto& icon : ts::NsisIcons()) {
    ts::fs::path ours = dir_ / icon.filename();
    ASSERT_EQ(ExtractFileIcon(Text::FromUtf8(icon.string()), 0, Text::FromUtf8(ours.string()), 1),
              1);
    ts::ExpectSameIconPixels(ours, icon, dir_ / icon.stem());
  }
}

}  // namespace
}  // namespace frame
