#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>

#include "platform/core/codecs/ico.h"
#include "tests/cli/cli_fixtures.h"
#include "tests/support/icoutils.h"
#include "tests/support/pe_writer.h"

namespace cli_test {
namespace {

namespace ts = testing_support;
namespace codecs = platform::codecs;

Bytes Slice(const Bytes& bytes, size_t at, size_t length) {
  return Bytes(bytes.begin() + static_cast<ptrdiff_t>(at),
               bytes.begin() + static_cast<ptrdiff_t>(at + length));
}

// The directory entry (16 bytes) and image of image i of an icon file.
Bytes EntryOf(const Bytes& ico, size_t i) {
  return Slice(ico, 6 + 16 * i, 16);
}
Bytes ImageOf(const Bytes& ico, size_t i) {
  return Slice(ico, ts::GetU32(ico, 6 + 16 * i + 12), ts::GetU32(ico, 6 + 16 * i + 8));
}

uint32_t BitmapBytes(int side) {
  int maskRow = (side + 31) / 32 * 4;
  return static_cast<uint32_t>(40 + side * side * 4 + side * maskRow);
}

// An icon as an earlier version of the conversion wrote its 256 x 256 PNG image: the PNG's
// height field cleared to 0.
Bytes WithClearedPngHeight(Bytes png) {
  png[22] = 0;
  return png;
}

// A PNG stream whose header says 30000 x 30000.
Bytes HugePng() {
  Bytes png = ts::MakePng(1, 1, 0xFF000000);
  const uint8_t side[] = {0, 0, 0x75, 0x30};  // big-endian, as PNG stores numbers
  for (size_t at : {16, 20})
    std::copy(std::begin(side), std::end(side), png.begin() + static_cast<ptrdiff_t>(at));
  uLong crc = crc32(0, png.data() + 12, 17);  // the header chunk's type and data
  for (int i = 0; i < 4; ++i)
    png[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  return png;
}

class ConvertCommandTest : public CliTest {};

// The count field holds all 16 bits: icoutils lists every image, before and after a rebuild.
TEST_F(ConvertCommandTest, ThreeHundredImagesStayThreeHundredThroughARebuild) {
  Write("logo.png", PicturePng(16, 16, 0xFF2050C0));
  std::string sizes = "logo.png:16";
  for (int i = 1; i < 300; ++i)
    sizes += ",16";
  ASSERT_EQ(Run({"convert", "-o", "big.ico", sizes}).exitCode, 0);
  CliRun rebuilt = Run({"rebuild", "big.ico", "-o", "classic.ico"});
  ASSERT_EQ(rebuilt.exitCode, 0) << rebuilt.err;
  for (const char* name : {"big.ico", "classic.ico"}) {
    Bytes ico = ts::ReadBytes(Path(name));
    EXPECT_EQ(ts::GetU16(ico, 4), 300) << name;
    if (!ts::HaveIcoutils()) continue;
    std::string listing;
    ts::RunCommand("icotool -l '" + Path(name).string() + "'", &listing);
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 300) << name;
  }
}

TEST_F(ConvertCommandTest, EveryPictureAtEverySizeInTheOrderGiven) {
  Write("logo.png", PicturePng(64, 64, 0xFF2050C0));
  Write("photo.png", PicturePng(100, 80, 0xFFC02020));
  CliRun run =
      Run({"convert", "-o", "out.ico", "logo.png", "photo.png:png,32", "--sizes", "16,64,128"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.lines(), std::vector<std::string>{Path("out.ico").string()});
  Bytes ico = ts::ReadBytes(Path("out.ico"));
  ASSERT_EQ(ts::GetU16(ico, 4), 5);
  const int sides[] = {16, 64, 128, 0, 32};
  for (size_t i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    Bytes entry = EntryOf(ico, i);
    uint8_t side = static_cast<uint8_t>(sides[i]);
    Bytes head = {side, side, 0, 0, 1, 0, 32, 0};
    EXPECT_EQ(Slice(entry, 0, 8), head);
    if (side != 0) {
      EXPECT_EQ(ts::GetU32(entry, 8), BitmapBytes(side));
    }
  }
  // The picture at its own size is stored unscaled, alpha and all.
  auto logo = codecs::DecodeIcoImage(ico, 1);
  ASSERT_TRUE(logo.ok());
  QImage picture = DecodedPicture(Path("logo.png"));
  for (int y = 0; y < 64; y += 7)
    for (int x = 0; x < 64; x += 7)
      ASSERT_EQ(logo->pixels[static_cast<size_t>(y) * 64 + x], picture.pixel(x, y))
          << x << "," << y;
  // The PNG image is a PNG every reader takes: nothing in it is changed after encoding.
  Bytes png = ImageOf(ico, 3);
  QImage decoded = QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG");
  EXPECT_EQ(decoded.size(), QSize(256, 256));
}

TEST_F(ConvertCommandTest, APngPictureOf256PixelsIsStoredByteForByte) {
  Bytes png = PicturePng(256, 256, 0xFF10A040);
  Write("big.png", png);
  ASSERT_EQ(Run({"convert", "-o", "big.ico", "big.png:png"}).exitCode, 0);
  Bytes ico = ts::ReadBytes(Path("big.ico"));
  EXPECT_EQ(ImageOf(ico, 0), png);
  EXPECT_EQ(ts::GetU32(EntryOf(ico, 0), 12), 22u);
}

TEST_F(ConvertCommandTest, IcoutilsDecodeTheIconToOurPixels) {
  if (!ts::HaveIcoutils()) GTEST_SKIP() << "icoutils missing";
  Write("photo.png", PicturePng(300, 200, 0xFF808020));
  ASSERT_EQ(Run({"convert", "-o", "out.ico", "photo.png"}).exitCode, 0);
  ts::ExpectSameIconPixels(Path("out.ico"), Path("out.ico"), Path("scratch"));
}

TEST_F(ConvertCommandTest, BadPicturesAndOutputsAreErrorsAndWriteNothing) {
  Write("logo.png", PicturePng(64, 64, 0xFF2050C0));
  Write("notes.png", Bytes(100, 'x'));
  Write("huge.png", HugePng());
  Write("blocker", Bytes{1});
  fs::create_directories(Path("taken.ico"));
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  };
  const Case cases[] = {
      {{"convert", "-o", "out.ico", "missing.png"}, "no such file"},
      {{"convert", "-o", "out.ico", "logo.png", "notes.png"}, "not a picture"},
      {{"convert", "-o", "blocker/out.ico", "logo.png"}, "is not a folder"},
      {{"convert", "-o", "taken.ico", "logo.png"}, "a folder has that name"},
      {{"convert", "-o", "nowhere/out.ico", "logo.png"}, "no such folder"},
      {{"convert", "-o", "out.ico", "huge.png"}, "too large: Pictolan loads pictures of at most"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.back() + " -> " + c.arguments[2]);
    CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(fs::exists(Path("out.ico")));
}

// A TIFF picture whose tags libtiff warns about (resolutions of an unknown type) still converts,
// and the warnings stay off the terminal.
TEST_F(ConvertCommandTest, WarningsOfTheDecodersStayOffTheTerminal) {
  QImage picture(16, 16, QImage::Format_ARGB32);
  picture.fill(0xFF336699);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(picture.save(&buffer, "TIFF"));
  Bytes tiff(data.begin(), data.end());
  ASSERT_EQ(tiff[0], 'I');
  uint32_t directory = ts::GetU32(tiff, 4);
  int damaged = 0;
  for (size_t entry = directory + 2; entry < directory + 2 + 12 * ts::GetU16(tiff, directory);
       entry += 12)
    if (uint16_t tag = ts::GetU16(tiff, entry); tag == 282 || tag == 283 || tag == 296) {
      ts::PutU16(tiff, entry + 2, 99);
      ++damaged;
    }
  ASSERT_GT(damaged, 0);
  Write("warns.tiff", tiff);
  CliRun run = Run({"convert", "-o", "out.ico", "warns.tiff:16"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST_F(ConvertCommandTest, SizesOutsideTheListAreUsageErrors) {
  Write("logo.png", PicturePng(64, 64, 0xFF2050C0));
  std::string half = "logo.png:16";  // twice 32,768 sizes: one image past the count's 16 bits
  for (int i = 1; i < 32768; ++i)
    half += ",16";
  const std::vector<std::vector<std::string>> cases = {
      {"convert", "-o", "out.ico", "logo.png", "--sizes", "20"},
      {"convert", "-o", "out.ico", "logo.png:16,,32"},
      {"convert", "-o", "out.ico", "logo.png", "--sizes", "png,256"},
      {"convert", "-o", "out.ico", "logo.png", "--sizes", "0"},
      {"convert", "-o", "out.ico", half, half},
      {"convert", "logo.png"},
      {"convert", "-o", "out.ico"},
  };
  for (const auto& arguments : cases) {
    CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments.back().substr(0, 20);
  }
  EXPECT_FALSE(fs::exists(Path("out.ico")));
}

class SplitCommandTest : public CliTest {
 protected:
  // 16 x 16 at 8 bits, 32 x 32 at 32 bits, and a 256 x 256 PNG image.
  Bytes MixedIcon(const Bytes& png) const {
    return ts::MakeIcoFile({GroupImage(1, 16, 8), GroupImage(1, 32, 32), png});
  }
};

TEST_F(SplitCommandTest, EachImageBecomesAFileAndThe32BitOnesANewIcon) {
  Bytes png = PicturePng(256, 256, 0xFF3366CC);
  Bytes source = MixedIcon(png);
  Write("My.Icon.ICO", source);
  CliRun run = Run({"split", "My.Icon.ICO", "--out", "parts"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  fs::path folder = dir_ / "parts" / "my.icon";
  EXPECT_EQ(run.lines(), (std::vector<std::string>{
                             (folder / "Par1.ico").string(), (folder / "Par2.ico").string(),
                             (folder / "3.png").string(), (folder / "new.ico").string()}));
  for (size_t i = 0; i < 2; ++i) {
    Bytes single = {0, 0, 1, 0, 1, 0};
    Bytes head = Slice(EntryOf(source, i), 0, 12);
    single.insert(single.end(), head.begin(), head.end());
    ts::AppendU32(single, 22);
    Bytes image = ImageOf(source, i);
    single.insert(single.end(), image.begin(), image.end());
    EXPECT_EQ(ts::ReadBytes(folder / ("Par" + std::to_string(i + 1) + ".ico")), single);
  }
  EXPECT_EQ(ts::ReadBytes(folder / "3.png"), png) << "a valid PNG is written as it is";
  Bytes newIcon = ts::ReadBytes(folder / "new.ico");
  ASSERT_EQ(newIcon.size(), 4286u) << "one 32 x 32 image drawn again at 32 bits";
  auto redrawn = codecs::DecodeIcoImage(newIcon, 0);
  ASSERT_TRUE(redrawn.ok());
  EXPECT_EQ(redrawn->pixels[16 * 32 + 16], GroupColour(1));
  EXPECT_EQ(redrawn->pixels[0] >> 24, 0u);
}

TEST_F(SplitCommandTest, APngHeightClearedByAnEarlierVersionIsRestored) {
  Bytes png = PicturePng(256, 256, 0xFF3366CC);
  Write("old.ico", MixedIcon(WithClearedPngHeight(png)));
  ASSERT_EQ(Run({"split", "old.ico"}).exitCode, 0);
  EXPECT_EQ(ts::ReadBytes(Path("old/3.png")), png);
}

TEST_F(SplitCommandTest, DamagedImagesAreSkippedAndASplitThatWritesNothingFails) {
  Bytes junk(200, 0x5A);
  Write("part.ico", ts::MakeIcoFile({GroupImage(1, 16, 8), junk}));
  CliRun part = Run({"split", "part.ico"});
  EXPECT_EQ(part.exitCode, 0) << part.err;
  EXPECT_EQ(part.lines(), std::vector<std::string>{Path("part/Par1.ico").string()});
  EXPECT_NE(part.err.find("skipped image 2 of"), std::string::npos) << part.err;

  Write("junk.ico", ts::MakeIcoFile({junk, junk}));
  CliRun none = Run({"split", "junk.ico"});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_NE(none.err.find("nothing written"), std::string::npos) << none.err;
  EXPECT_FALSE(fs::exists(Path("junk")));

  // Past the largest file the process may write every write fails: the system's reason is
  // given and no empty folder stays.
  Write("full.ico", ts::MakeIcoFile({GroupImage(1, 32, 32), GroupImage(1, 48, 32)}));
  CliRun full = Run({"split", "full.ico"}, {.fileSizeLimit = 4096});
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_NE(full.err.find("cannot write 2 of 2 files"), std::string::npos) << full.err;
  EXPECT_NE(full.err.find("Par1.ico': file too large"), std::string::npos) << full.err;
  EXPECT_FALSE(fs::exists(Path("full")));
}

TEST_F(SplitCommandTest, OnlyAnIconFileIsSplit) {
  Write("notes.ico", Bytes(64, 'x'));
  CliRun run = Run({"split", "notes.ico"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("not an icon file"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(Path("notes")));
}

class RebuildCommandTest : public CliTest {};

TEST_F(RebuildCommandTest, ThePngImagesAreDropped) {
  Bytes source = ts::MakeIcoFile(
      {GroupImage(2, 16, 8), ts::MakePng(256, 256, 0xFF000000), GroupImage(2, 32, 32)});
  Write("mixed.ico", source);
  CliRun run = Run({"rebuild", "mixed.ico", "-o", "classic.ico"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  Bytes rebuilt = ts::ReadBytes(Path("classic.ico"));
  ASSERT_EQ(ts::GetU16(rebuilt, 4), 2);
  uint32_t first = ts::GetU32(EntryOf(source, 0), 8);
  EXPECT_EQ(Slice(EntryOf(rebuilt, 0), 0, 12), Slice(EntryOf(source, 0), 0, 12));
  EXPECT_EQ(Slice(EntryOf(rebuilt, 1), 0, 12), Slice(EntryOf(source, 2), 0, 12));
  EXPECT_EQ(ts::GetU32(EntryOf(rebuilt, 0), 12), 38u);
  EXPECT_EQ(ts::GetU32(EntryOf(rebuilt, 1), 12), 38u + first);
  EXPECT_EQ(ImageOf(rebuilt, 1), ImageOf(source, 2));
}

TEST_F(RebuildCommandTest, AnIconOfPngImagesOnlyGivesNothingToWrite) {
  Write("png.ico", ts::MakeIcoFile({ts::MakePng(256, 256, 0xFF000000)}));
  CliRun run = Run({"rebuild", "png.ico", "-o", "classic.ico"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("nothing to write"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(Path("classic.ico")));
}

TEST_F(RebuildCommandTest, AFolderOfIconsIntoAnotherOrIntoItself) {
  Bytes mixed = ts::MakeIcoFile({GroupImage(3, 16, 8), ts::MakePng(256, 256, 0xFF000000)});
  Write("src/a.ico", mixed);
  Write("src/B.ICO", ts::MakeIcoFile({GroupImage(4, 32, 32)}));
  Write("src/png-only.ico", ts::MakeIcoFile({ts::MakePng(256, 256, 0xFF000000)}));
  Write("src/notes.txt", Bytes(10, 'x'));
  CliRun run = Run({"rebuild-dir", "src", "new/icons"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.lines(), (std::vector<std::string>{Path("new/icons/a.ico").string(),
                                                   Path("new/icons/B.ICO").string()}));
  EXPECT_NE(run.err.find("png-only.ico"), std::string::npos) << run.err;
  EXPECT_EQ(Listing("new/icons"), (std::vector<std::string>{"B.ICO", "a.ico"}));
  Bytes rebuilt = ts::ReadBytes(Path("new/icons/a.ico"));
  EXPECT_EQ(ts::GetU16(rebuilt, 4), 1);

  ASSERT_EQ(Run({"rebuild-dir", "src", "src"}).exitCode, 0);
  EXPECT_EQ(ts::ReadBytes(Path("src/a.ico")), rebuilt) << "replaced by its rebuilt form";

  CliRun notFolder = Run({"rebuild-dir", "src/notes.txt", "out"});
  EXPECT_EQ(notFolder.exitCode, 1);
  EXPECT_NE(notFolder.err.find("not a folder"), std::string::npos);
}

// Each failed write names its own cause, not a guess at a full disk.
TEST_F(RebuildCommandTest, AFailedWriteSaysWhatStoppedIt) {
  fs::permissions(dir_.path(), fs::perms::all);  // the unprivileged user reaches it
  // Two images: each probe file is half the size of the icon written.
  Write("app.ico", ts::MakeIcoFile({GroupImage(1, 16, 8), GroupImage(2, 16, 8)}));
  fs::permissions(Path("app.ico"), fs::perms::all);
  ASSERT_EQ(mkfifo(Path("pipe.ico").c_str(), 0666), 0);
  fs::create_directories(Path("shared"));  // everyone may add files, each removes only their own
  fs::permissions(Path("shared"), fs::perms::all | fs::perms::sticky_bit);
  Write("shared/theirs.ico", Bytes{1});
  fs::permissions(Path("shared/theirs.ico"), fs::perms::all);
  struct Case {
    std::string target;
    RunOptions options;
    std::string cause;
  };
  const Case cases[] = {
      {"pipe.ico", {}, "a named pipe has that name"},
      {"/dev/null", {}, "a device has that name"},
      {std::string(300, 'n') + ".ico", {}, "file name too long"},
      {"shared/theirs.ico", {.asUnprivilegedUser = true}, "operation not permitted"},
      {"big.ico", {.fileSizeLimit = 2000}, "file too large"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cause);
    CliRun run = Run({"rebuild", Path("app.ico").string(), "-o", c.target}, c.options);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("': " + c.cause + "\n"), std::string::npos) << run.err;
  }
  EXPECT_EQ(ts::ReadBytes(Path("shared/theirs.ico")), Bytes{1});
  EXPECT_EQ(Listing("shared"), std::vector<std::string>{"theirs.ico"}) << "no temporary file stays";
}

// A link to a file on another file system: the file it leads to is replaced, in its own folder.
TEST_F(RebuildCommandTest, AnOutputThroughALinkToAnotherFileSystemReplacesItsFile) {
  std::optional<ts::TempDir> shm;
  try {
    shm.emplace("/dev/shm");
  } catch (const std::runtime_error&) {
    GTEST_SKIP() << "no folder can be made in /dev/shm";
  }
  const fs::path& elsewhere = shm->path();
  struct stat here {
  }, there{};
  if (stat(dir_.path().c_str(), &here) != 0 || stat(elsewhere.c_str(), &there) != 0 ||
      here.st_dev == there.st_dev)
    GTEST_SKIP() << "/dev/shm is no second file system";
  Write("mixed.ico", ts::MakeIcoFile({GroupImage(2, 16, 8), ts::MakePng(256, 256, 0xFF000000)}));
  ts::WriteBytes(elsewhere / "old.ico", Bytes{1, 2, 3});
  fs::create_symlink(elsewhere / "old.ico", Path("link.ico"));
  CliRun run = Run({"rebuild", "mixed.ico", "-o", "link.ico"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(fs::is_symlink(Path("link.ico")));
  EXPECT_EQ(ts::GetU16(ts::ReadBytes(elsewhere / "old.ico"), 4), 1) << "one classic image";
  EXPECT_EQ(fs::directory_iterator(elsewhere)->path().filename(), "old.ico");
  EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere), fs::directory_iterator()), 1);
}

// 1,000 entries that all point at one 256 x 256 image: a 286 KB file that would make 270 MB.
TEST_F(RebuildCommandTest, AnImageListedOverAndOverIsRefused) {
  Write("repeated.ico", ts::RepeatedImageIcon(GroupImage(1, 256, 32), 1000));
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"rebuild", "repeated.ico", "-o", "out.ico"},
        std::vector<std::string>{"split", "repeated.ico"}}) {
    CliRun run = Run(arguments);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("its images add up to more than 256 MiB"), std::string::npos) << run.err;
  }
  EXPECT_EQ(Listing(""), std::vector<std::string>{"repeated.ico"});
}

class InfoCommandTest : public CliTest {};

// Every input of info's fuzzer (its seeds and whatever it ever crashed on) gets an answer.
TEST_F(InfoCommandTest, TheFuzzersInputsGetAnAnswer) {
  for (const fs::path& input : ts::DataFiles("crashers/cli_info")) {
    CliRun run = Run({"info", input.string(), "--json"});
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << input;
    EXPECT_EQ(run.err.find("Sanitizer"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("runtime error"), std::string::npos) << run.err;
  }
}

TEST_F(InfoCommandTest, DamagedFilesAreDescribedWithTheirProblem) {
  Write("many.ico", ts::RepeatedImageIcon(GroupImage(1, 16, 8), 65535));
  CliRun many = Run({"info", "many.ico"});
  EXPECT_EQ(many.exitCode, 0);
  EXPECT_NE(many.out.find("icon file, 0 images (the icon holds too many images)"),
            std::string::npos)
      << many.out << many.err;

  Bytes odd = GroupImage(1, 16, 8);
  ts::PutU16(odd, 12, 0xFFFF);      // planes
  ts::PutU16(odd, 14, 0xFFFF);      // bits per pixel
  ts::PutU32(odd, 4, 0x80000000u);  // width and height below zero as signed numbers
  ts::PutU32(odd, 8, 0xC4338C8Cu);
  Write("odd.ico", ts::MakeIcoFile({odd}));
  EXPECT_NE(Run({"info", "odd.ico"}).out.find("2147483648 x 1645856326, 4294836225 bits per pixel"),
            std::string::npos);

  ts::PeWriter writer;
  writer.Add(6, 1, Bytes(8, 0));  // a string table and no icons
  Write("none.dll", writer.Build());
  CliRun json = Run({"info", "none.dll", "--json"});
  EXPECT_EQ(json.exitCode, 0);
  EXPECT_NE(json.out.find(R"("icons": 0, "problem": ")"), std::string::npos) << json.out;
}

TEST_F(InfoCommandTest, AModuleItsGroupsAndTheirImages) {
  Write("four.dll", ModuleOf(4));
  CliRun text = Run({"info", "four.dll"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  std::vector<std::string> lines = text.lines();
  ASSERT_EQ(lines.size(), 1u + 4 * 4);
  EXPECT_EQ(lines[0], Path("four.dll").string() + ": PE32 module, 4 icons");
  EXPECT_EQ(lines[1], "icon 1 (group 1): 3 images");
  EXPECT_EQ(lines[2], "  16 x 16, 8 bits per pixel, bitmap, " +
                          std::to_string(GroupImage(1, 16, 8).size()) + " bytes");
  EXPECT_EQ(lines[4], "  48 x 48, 32 bits per pixel, bitmap, " +
                          std::to_string(GroupImage(1, 48, 32).size()) + " bytes");

  CliRun json = Run({"info", "four.dll", "--json"});
  ASSERT_EQ(json.exitCode, 0);
  EXPECT_NE(json.out.find(R"("kind": "module", "icons": 4, "groups": [{"index": 1, "id": 1, )"),
            std::string::npos)
      << json.out;
  EXPECT_NE(json.out.find(R"({"width": 32, "height": 32, "bitsPerPixel": 32, "format": "bitmap")"),
            std::string::npos);
}

TEST_F(InfoCommandTest, AnIconFileAndFilesThatAreNoIconSource) {
  Write("mixed.ico", ts::MakeIcoFile({GroupImage(1, 16, 8), PicturePng(256, 256, 0xFF000000)}));
  CliRun run = Run({"info", "mixed.ico", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find(R"("kind": "icon file", "icons": 1)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(R"({"width": 256, "height": 256, "bitsPerPixel": 32, "format": "png")"),
            std::string::npos);

  Write("notes.txt", Bytes(100, 'x'));
  CliRun text = Run({"info", "notes.txt"});
  EXPECT_EQ(text.exitCode, 1);
  EXPECT_NE(text.err.find("not an icon source"), std::string::npos);
  EXPECT_EQ(Run({"info"}).exitCode, 2);
}

TEST_F(CliTest, FolderIconIsA32By32IconFile) {
  fs::create_directories(Path("pictures"));
  CliRun run = Run({"folder-icon", "pictures", "-o", "folder.ico"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.lines(), std::vector<std::string>{Path("folder.ico").string()});
  Bytes ico = ts::ReadBytes(Path("folder.ico"));
  ASSERT_EQ(ico.size(), 4286u);
  auto image = codecs::DecodeIcoImage(ico, 0);
  ASSERT_TRUE(image.ok());
  bool drawn = false;
  for (uint32_t pixel : image->pixels)
    drawn = drawn || pixel >> 24 != 0;
  EXPECT_TRUE(drawn) << "the folder's icon shows";

  EXPECT_EQ(Run({"folder-icon", "missing", "-o", "x.ico"}).exitCode, 1);
  EXPECT_EQ(Run({"folder-icon", "pictures"}).exitCode, 2);
  EXPECT_FALSE(fs::exists(Path("x.ico")));
}

// An address space too small for a second copy of a 150 MiB image makes one allocation fail.
TEST_F(CliTest, AFailedAllocationIsOneLineAndStatus1) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizers reserve more address space than the limit leaves";
#endif
  constexpr uint32_t kFileSize = uint32_t{150} << 20;
  Bytes head = {0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 32, 0};
  ts::AppendU32(head, kFileSize - 22);
  ts::AppendU32(head, 22);
  Write("big.ico", head);
  fs::resize_file(Path("big.ico"), kFileSize);  // sparse: nothing is written to disk
  CliRun run =
      Run({"rebuild", "big.ico", "-o", "out.ico"}, {.addressSpaceLimit = size_t{300} << 20});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  EXPECT_NE(run.err.find("错误信息：分配 15728"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(" 字节内存失败!"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(Path("out.ico")));
}

TEST_F(CliTest, EveryCommandHasHelp) {
  for (const char* command :
       {"info", "extract", "convert", "split", "rebuild", "rebuild-dir", "folder-icon"}) {
    CliRun run = Run({command, "--help"});
    EXPECT_EQ(run.exitCode, 0) << command;
    EXPECT_EQ(run.out.rfind(std::string("Usage: pictolan-cli ") + command, 0), 0u) << run.out;
    EXPECT_EQ(Run({"help", command}).out, run.out);
  }
  CliRun overview = Run({"--help"});
  EXPECT_EQ(overview.exitCode, 0);
  EXPECT_NE(overview.out.find("pictolan-cli rebuild-dir SOURCE TARGET"), std::string::npos);
}

}  // namespace
}  // namespace cli_test

namespace cli_test {
namespace {

// A copy of pictolan-cli without its picture plugin beside it: what only reads and writes bytes
// still runs, and a command that needs pictures says what is missing.
TEST_F(CliTest, ByteOnlyCommandsRunWithoutThePicturePart) {
  fs::create_directories(Path("alone"));
  const fs::path alone = Path("alone") / "pictolan-cli";
  fs::copy_file(PICTOLAN_CLI_PATH, alone);
  Write("app.dll", ModuleOf(2));
  Write("classic.ico", ts::MakeIcoFile({GroupImage(1, 16, 8), GroupImage(1, 32, 8)}));
  Write("mixed.ico", ts::MakeIcoFile({GroupImage(2, 16, 8), ts::MakePng(256, 256, 0xFF00FF00)}));
  fs::create_directories(Path("icons"));
  fs::copy_file(Path("mixed.ico"), Path("icons") / "mixed.ico");
  const std::vector<std::vector<std::string>> byteOnly = {
      {"info", "app.dll"},
      {"extract", "app.dll", "--all", "--out", "groups"},
      {"extract", "app.dll", "--index", "2", "--format", "ico"},
      {"split", "classic.ico", "--out", "parts"},
      {"rebuild", "mixed.ico", "-o", "rebuilt.ico"},
      {"rebuild-dir", "icons", "rebuilt"},
  };
  for (const auto& arguments : byteOnly) {
    CliRun run = Run(arguments, {.executable = alone});
    EXPECT_EQ(run.exitCode, 0) << arguments[0] << ": " << run.err;
  }
  CliRun pictures =
      Run({"extract", "app.dll", "--index", "1", "--format", "png"}, {.executable = alone});
  EXPECT_EQ(pictures.exitCode, 1);
  EXPECT_NE(pictures.err.find("cannot load the part of Pictolan that handles pictures"),
            std::string::npos)
      << pictures.err;
}

}  // namespace
}  // namespace cli_test
