// LoadLibraryExA as a data file and the resource functions over it.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "frame/literal.h"
#include "platform/core/files/file_bytes.h"
#include "platform/win32/kernel32.h"
#include "tests/support/fixtures.h"
#include "tests/support/icon_images.h"
#include "tests/support/ne_writer.h"
#include "tests/support/pe_writer.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

namespace ts = testing_support;
using frame::literals::operator""_gbk;
using ts::Bytes;
using ts::PeWriter;

Bytes FromText(std::string_view s) {
  return Bytes(s.begin(), s.end());
}

struct Names {
  std::vector<std::string> seen;  // "#n" for a number, the GBK text for a string
  int stopAfter = -1;
};

BOOL CollectName(HMODULE, const char*, char* name, LONG_PTR param) {
  auto* names = reinterpret_cast<Names*>(param);
  if (IS_INTRESOURCE(name))
    names->seen.push_back("#" + std::to_string(reinterpret_cast<uintptr_t>(name)));
  else
    names->seen.push_back(name);
  return static_cast<int>(names->seen.size()) != names->stopAfter;
}

// The same resources in a PE32+ module and in an NE module (alignment 1, so nothing is padded).
template <class Writer>
Bytes SameResources(Writer w) {
  w.Add(14, 123, FromText("numbered"));
  w.Add(14, u"\u56FE\u6807", FromText("chinese"));  // 图标
  w.Add(14, u"APP", FromText("app"));
  w.Add(3, 1, FromText("image"));
  return w.Build();
}

class DataModuleTest : public ::testing::TestWithParam<bool> {
 protected:
  bool ne() const { return GetParam(); }
  void SetUp() override {
    path_ = (dir_ / "module.dll").string();
    ts::WriteBytes(path_, ne() ? SameResources(ts::NeWriter(0))
                               : SameResources(PeWriter(PeWriter::Format::Pe32Plus)));
    module_ = LoadLibraryExA(path_.c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, 0u);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  std::string Bytes(HRSRC r) {
    HRSRCDATA data = LoadResource(module_, r);
    auto* p = static_cast<const char*>(LockResource(data));
    return p ? std::string(p, SizeofResource(module_, r)) : std::string();
  }

  ts::TempDir dir_;
  std::string path_;
  HMODULE module_ = 0;
};

TEST_P(DataModuleTest, EnumeratesNamesInDirectoryOrderAsAnsiTexts) {
  Names names;
  EXPECT_TRUE(EnumResourceNamesA(module_, MAKEINTRESOURCEA(14), CollectName,
                                 reinterpret_cast<LONG_PTR>(&names)));
  // A PE directory keeps names first, then ids ascending; an NE table keeps the stored order.
  std::vector<std::string> expected = {"APP", "图标"_gbk.bytes(), "#123"};
  if (ne()) expected = {"#123", "图标"_gbk.bytes(), "APP"};
  EXPECT_EQ(names.seen, expected);

  Names stopped{{}, 1};
  EXPECT_FALSE(EnumResourceNamesA(module_, MAKEINTRESOURCEA(14), CollectName,
                                  reinterpret_cast<LONG_PTR>(&stopped)));
  EXPECT_EQ(stopped.seen.size(), 1u);

  Names none;
  EXPECT_FALSE(EnumResourceNamesA(module_, MAKEINTRESOURCEA(5), CollectName,
                                  reinterpret_cast<LONG_PTR>(&none)));
  EXPECT_TRUE(none.seen.empty());
}

TEST_P(DataModuleTest, FindsByNumberHashNumberAndNameWithoutCase) {
  struct Row {
    const char* name;
    const char* type;
    std::string expected;
  };
  const Row rows[] = {
      {MAKEINTRESOURCEA(123), MAKEINTRESOURCEA(14), "numbered"},
      {"#123", MAKEINTRESOURCEA(14), "numbered"},
      {"#123", "#14", "numbered"},
      {"app", MAKEINTRESOURCEA(14), "app"},
      {"图标"_gbk.c_str(), MAKEINTRESOURCEA(14), "chinese"},
      {MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(3), "image"},
      {"#124", MAKEINTRESOURCEA(14), ""},
      {"#99999", MAKEINTRESOURCEA(14), ""},
      {"#12x", MAKEINTRESOURCEA(14), ""},
      {"APPS", MAKEINTRESOURCEA(14), ""},
  };
  for (const Row& row : rows) {
    HRSRC r = FindResourceA(module_, row.name, row.type);
    if (row.expected.empty()) {
      EXPECT_EQ(r, 0u) << row.expected;
    } else {
      ASSERT_NE(r, 0u) << row.expected;
      EXPECT_EQ(Bytes(r), row.expected);
      EXPECT_EQ(FindResourceA(module_, row.name, row.type), r) << "one handle per resource";
    }
  }
}

TEST_P(DataModuleTest, HandlesAreCheckedAndGoWithTheirModule) {
  HRSRC r = FindResourceA(module_, "#123", MAKEINTRESOURCEA(14));
  HRSRCDATA data = LoadResource(module_, r);
  ASSERT_NE(LockResource(data), nullptr);

  HMODULE other = LoadLibraryExA(path_.c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(other, 0u);
  EXPECT_NE(other, module_);
  EXPECT_EQ(SizeofResource(other, r), 0u) << "a resource of another module";
  EXPECT_EQ(LoadResource(other, r), 0u);
  EXPECT_TRUE(FreeLibrary(other));

  EXPECT_EQ(LoadResource(module_, data), 0u) << "a data handle is not a resource handle";
  EXPECT_EQ(LockResource(r), nullptr);
  EXPECT_EQ(FindResourceA(0, "#123", MAKEINTRESOURCEA(14)), 0u);
  EXPECT_EQ(FindResourceA(module_, nullptr, MAKEINTRESOURCEA(14)), 0u);

  EXPECT_TRUE(FreeLibrary(module_));
  EXPECT_EQ(LockResource(data), nullptr);
  EXPECT_EQ(SizeofResource(module_, r), 0u);
  EXPECT_FALSE(FreeLibrary(module_));
  module_ = 0;
}

INSTANTIATE_TEST_SUITE_P(Formats, DataModuleTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Ne" : "Pe32Plus"; });

// Two resources that start at one place with different lengths (a crafted table may say so)
// each keep their own size.
TEST(LoadLibraryExTest, ResourcesSharingTheirStartKeepTheirOwnSizes) {
  ts::NeWriter w(0);
  w.Add(14, 123, FromText("numbered"));
  w.Add(3, 1, FromText("image"));
  Bytes file = w.Build();
  ts::TempDir dir;
  const uint32_t table = w.layout().resourceTable;
  const uint32_t numbered = table + 2 + 8, image = numbered + 12 + 8;  // name entries
  ts::PutU16(file, image, ts::GetU16(file, numbered));  // the image starts where "numbered" does
  ts::PutU16(file, image + 2, 3);
  ts::WriteBytes(dir / "shared.dll", file);
  HMODULE module =
      LoadLibraryExA((dir / "shared.dll").string().c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, 0u);
  for (auto [name, type, size] : {std::tuple{123, 14, 8u}, std::tuple{1, 3, 3u}}) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(name), MAKEINTRESOURCEA(type));
    EXPECT_EQ(SizeofResource(module, found), size) << name;
  }
  FreeLibrary(module);
}

TEST(LoadLibraryExTest, OnlyModulesLoadAsDataFiles) {
  ts::TempDir dir;
  ts::WriteBytes(dir / "text.txt", FromText("hello, this is not a module"));
  ts::WriteBytes(dir / "empty.dll", {});
  PeWriter w;
  Bytes noResources = w.Build();
  ts::WriteBytes(dir / "bare.dll", noResources);
  auto load = [&](const std::string& name) {
    return LoadLibraryExA((dir / name).string().c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
  };
  EXPECT_EQ(load("text.txt"), 0u);
  EXPECT_EQ(load("empty.dll"), 0u);
  EXPECT_EQ(load("missing.dll"), 0u);
  EXPECT_EQ(LoadLibraryExA(dir.path().string().c_str(), 0, LOAD_LIBRARY_AS_DATAFILE), 0u);
  EXPECT_EQ(LoadLibraryExA(nullptr, 0, LOAD_LIBRARY_AS_DATAFILE), 0u);

  ts::WriteBytes(dir / "bare16.icl", ts::NeWriter().Build());
  for (const char* name : {"bare.dll", "bare16.icl"}) {
    HMODULE bare = load(name);
    ASSERT_NE(bare, 0u) << name;
    Names names;
    EXPECT_FALSE(EnumResourceNamesA(bare, MAKEINTRESOURCEA(14), CollectName,
                                    reinterpret_cast<LONG_PTR>(&names)));
    EXPECT_TRUE(FreeLibrary(bare));
  }

  std::string backslashed = (dir / "bare.dll").string();
  std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
  HMODULE viaBackslashes = LoadLibraryExA(backslashed.c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
  EXPECT_NE(viaBackslashes, 0u);
  FreeLibrary(viaBackslashes);

  HMODULE standIn = LoadLibraryExA("KERNEL32.dll", 0, 0);
  EXPECT_NE(standIn, 0u);
  EXPECT_TRUE(FreeLibrary(standIn));
  EXPECT_EQ(LoadLibraryExA((dir / "bare.dll").string().c_str(), 0, 0), 0u)
      << "without the flag only stand-in libraries load";
}

}  // namespace
}  // namespace platform::kernel32

namespace platform::files {
namespace {

TEST(FileBytesTest, OnlySettledFilesAreKeptBetweenCalls) {
  struct stat status {};
  status.st_ctim.tv_sec = 1000;
  EXPECT_FALSE(MayKeep(status, timespec{1000, 0}));
  EXPECT_FALSE(MayKeep(status, timespec{1000 + kSettleSeconds, 999999999}));
  EXPECT_TRUE(MayKeep(status, timespec{1001 + kSettleSeconds, 0}));
}

// A module loaded as a data file is a snapshot of its file: while it stays loaded, every read of
// the unchanged file is answered from it, even for a file written a moment ago.
TEST(FileBytesTest, ALoadedModulePinsTheBytesOfItsUnchangedFile) {
  namespace ts = testing_support;
  ts::TempDir dir;
  std::string path = (dir / "fresh.dll").string();
  ts::PeWriter writer;
  writer.AddIconGroup(1, ts::MakeIcoFile({ts::MakePng(16, 16, 0xFF000000)}));
  ts::WriteBytes(path, writer.Build());
  EXPECT_NE(FileBytes::Open(path), FileBytes::Open(path)) << "a fresh file is read each time";

  win32::HMODULE module =
      kernel32::LoadLibraryExA(path.c_str(), 0, win32::LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, 0u);
  auto pinned = FileBytes::Open(path);
  EXPECT_EQ(FileBytes::Open(path), pinned);
  ts::WriteBytes(path, ts::Bytes(100, 'x'));
  auto changed = FileBytes::Open(path);
  ASSERT_TRUE(changed);
  EXPECT_EQ(changed->bytes().size(), 100u) << "a changed file is read anew";
  EXPECT_TRUE(kernel32::FreeLibrary(module));
  EXPECT_NE(FileBytes::Open(path), FileBytes::Open(path)) << "the pin goes with the module";
}

TEST(FileBytesTest, AFileRewrittenAtOnceIsReadAfresh) {
  namespace ts = testing_support;
  ts::TempDir dir;
  std::string path = (dir / "module.dll").string();
  for (char version : {'a', 'b', 'c'}) {
    ts::WriteBytes(path, ts::Bytes(64, static_cast<uint8_t>(version)));
    auto file = FileBytes::Open(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes()[10], version);
  }
}

}  // namespace
}  // namespace platform::files
