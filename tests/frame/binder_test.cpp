#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "frame/external.h"
#include "frame/external_functions.h"
#include "frame/external_list.h"
#include "frame/literal.h"

namespace frame {
namespace {

using platform::AnyFunction;
using win32::HMODULE;

void FunctionA() {}
void FunctionB() {}

// A module system of named libraries that logs every load and unload; with `echo` the log also
// goes to stderr, so a death test sees what happened before the fatal error.
class FakeLoader final : public platform::ModuleLoader {
 public:
  void Add(const std::string& library, std::map<std::string, AnyFunction> exports,
           std::map<uint16_t, AnyFunction> ordinals = {}) {
    libraries_.push_back({library, std::move(exports), std::move(ordinals), 0});
  }

  HMODULE Load(std::string_view name) override {
    Record("load " + std::string(name));
    for (size_t i = 0; i < libraries_.size(); ++i)
      if (libraries_[i].name == name) {
        ++libraries_[i].loads;
        return static_cast<HMODULE>(i + 1);
      }
    return 0;
  }
  AnyFunction Find(HMODULE module, std::string_view name) override {
    auto& exports = libraries_.at(module - 1).exports;
    auto it = exports.find(std::string(name));
    return it == exports.end() ? nullptr : it->second;
  }
  AnyFunction FindOrdinal(HMODULE module, uint16_t ordinal) override {
    askedOrdinals.push_back(ordinal);
    auto& ordinals = libraries_.at(module - 1).ordinals;
    auto it = ordinals.find(ordinal);
    return it == ordinals.end() ? nullptr : it->second;
  }
  void Unload(HMODULE module) override {
    Record("unload " + libraries_.at(module - 1).name);
    --libraries_.at(module - 1).loads;
  }

  int Loads(const std::string& library) const {
    for (const auto& l : libraries_)
      if (l.name == library) return l.loads;
    return 0;
  }
  HMODULE Handle(const std::string& library) const {
    for (size_t i = 0; i < libraries_.size(); ++i)
      if (libraries_[i].name == library) return static_cast<HMODULE>(i + 1);
    return 0;
  }

  std::vector<std::string> log;
  std::vector<uint16_t> askedOrdinals;
  bool echo = false;

 private:
  struct Library {
    std::string name;
    std::map<std::string, AnyFunction> exports;
    std::map<uint16_t, AnyFunction> ordinals;
    int loads;
  };
  void Record(std::string entry) {
    if (echo) std::fprintf(stderr, "%s\n", entry.c_str());
    log.push_back(std::move(entry));
  }
  std::vector<Library> libraries_;
};

AnyFunction A() {
  return platform::ToAnyFunction(&FunctionA);
}
AnyFunction B() {
  return platform::ToAnyFunction(&FunctionB);
}

using Log = std::vector<std::string>;

TEST(BinderTest, TriesTheDefaultLibrariesInOrderAndUnloadsTheOnesWithoutTheFunction) {
  FakeLoader loader;
  for (const char* name : {"Kernel32.dll", "Gdi32.dll", "User32.dll", "Advapi32.dll"})
    loader.Add(name, {{"Other", B()}});
  loader.Add("Shell32.dll", {{"OnlyInShell", A()}});  // "Mpr.dll" does not load at all
  const ExternalFunction table[] = {{"", "OnlyInShell"}};
  ExternalBinder binder(loader, table);

  EXPECT_EQ(binder.Bind(0), A());
  EXPECT_EQ(loader.log,
            (Log{"load Kernel32.dll", "unload Kernel32.dll", "load Gdi32.dll", "unload Gdi32.dll",
                 "load User32.dll", "unload User32.dll", "load Advapi32.dll", "unload Advapi32.dll",
                 "load Mpr.dll", "load Shell32.dll"}));
  EXPECT_EQ(binder.ModuleOf(0), loader.Handle("Shell32.dll"));
  EXPECT_EQ(loader.Loads("Kernel32.dll"), 0);
  EXPECT_EQ(loader.Loads("Shell32.dll"), 1);
}

TEST(BinderTest, CachesEachIndexOnItsOwnAndReleasesOncePerIndex) {
  FakeLoader loader;
  loader.Add("Kernel32.dll", {{"RtlMoveMemory", A()}});
  const ExternalFunction table[] = {{"", "RtlMoveMemory"}, {"", "RtlMoveMemory"}};
  {
    ExternalBinder binder(loader, table);
    EXPECT_EQ(binder.Bind(0), A());
    EXPECT_FALSE(binder.IsBound(1));
    EXPECT_EQ(binder.Bind(0), A());  // cached: no second load
    EXPECT_EQ(loader.Loads("Kernel32.dll"), 1);
    EXPECT_EQ(binder.Bind(1), A());
    EXPECT_EQ(loader.Loads("Kernel32.dll"), 2);
    binder.ReleaseAll();
    EXPECT_EQ(loader.Loads("Kernel32.dll"), 0);
    EXPECT_FALSE(binder.IsBound(0));
  }
  EXPECT_EQ(loader.Loads("Kernel32.dll"), 0);  // the destructor released nothing twice
}

TEST(BinderTest, OrdinalsAreDecimalNumbersMaskedTo16Bits) {
  FakeLoader loader;
  loader.Add("lib.dll", {{"#1", B()}}, {{1, A()}, {12, A()}, {0xFFFF, A()}});
  const ExternalFunction table[] = {
      {"lib.dll", "#65537"}, {"lib.dll", "#12abc"}, {"lib.dll", "#4294967295"}};
  ExternalBinder binder(loader, table);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(binder.Bind(i), A()) << i;
  EXPECT_EQ(loader.askedOrdinals, (std::vector<uint16_t>{1, 12, 0xFFFF}));
}

TEST(BinderTest, NamedLibrariesComeFromTheFoldersThenByName) {
  FakeLoader loader;
  loader.Add("lib.dll", {{"F", A()}});
  loader.Add("C:\\x\\lib.dll", {{"F", B()}});
  const ExternalFunction table[] = {{"lib.dll", "F"}, {"C:\\x\\lib.dll", "F"}};
  ExternalBinder binder(loader, table);
  binder.SetProgramFolder(Text("/opt/pictolan"));
  binder.SetLibraryFolders(Text("/first/"), Text("/second/"));

  EXPECT_EQ(binder.Bind(0), A());
  EXPECT_EQ(loader.log, (Log{"load /first/lib.dll", "load /opt/pictolan/lib.dll",
                             "load /second/lib.dll", "load lib.dll"}));
  loader.log.clear();
  EXPECT_EQ(binder.Bind(1), B());  // a drive name: that path only
  EXPECT_EQ(loader.log, (Log{"load C:\\x\\lib.dll"}));
}

TEST(BinderTest, UnsetFoldersAreSkipped) {
  FakeLoader loader;
  loader.Add("lib.dll", {{"F", A()}});
  const ExternalFunction table[] = {{"lib.dll", "F"}};
  ExternalBinder binder(loader, table);
  binder.SetProgramFolder(Text("/opt/pictolan"));
  binder.Bind(0);
  EXPECT_EQ(loader.log, (Log{"load /opt/pictolan/lib.dll", "load lib.dll"}));
}

TEST(BinderDeathTest, AFunctionThatCannotBeBoundEndsTheProgram) {
  FakeLoader loader;
  loader.Add("lib.dll", {{"F", A()}});
  loader.Add("Kernel32.dll", {});
  loader.echo = true;
  const ExternalFunction table[] = {{"lib.dll", "Missing"}, {"", "Nowhere"}, {"none.dll", "F"}};
  ExternalBinder binder(loader, table);
  // The library that was loaded for nothing is unloaded before the message.
  EXPECT_EXIT(binder.Bind(0), ::testing::ExitedWithCode(255),
              "unload lib.dll.*\\[错误\\] 运行时出错!\r\n\r\n"
              "错误信息：无法找到指定DLL库文件“lib.dll”中的输出命令“Missing”\r\n");
  EXPECT_EXIT(binder.Bind(1), ::testing::ExitedWithCode(255),
              "错误信息：无法找到指定DLL库文件中的输出命令“Nowhere”");
  EXPECT_EXIT(binder.Bind(2), ::testing::ExitedWithCode(255),
              "错误信息：无法找到指定DLL库文件“none.dll”中的输出命令“F”");
}

TEST(ExternalTableTest, HoldsTheDeclaredEntries) {
  const auto& table = ExternalFunctionTable();
  ASSERT_EQ(table.size(), 145u);
  struct Entry {
    int index;
    std::string_view library, function;
  } spots[] = {
      {0, "shlwapi.dll", "PathRemoveFileSpecA"},
      {4, "", "GetModuleHandleA"},
      {8, "user32", "SendMessageA"},
      {23, "Gdi32", "CreateCompatibleDC"},
      {54, "Shell32.dll", "SHFileOperationA"},
      {59, "GdiPlus.dll", "GdiplusStartup"},
      {103, "", "WideCharToMultiByte"},
      {125, "Ole32.dll", "CreateStreamOnHGlobal"},
      {136, "kernel32.dll", "lstrcpyn"},
      {144, "", "ShowWindow"},
  };
  for (const Entry& e : spots) {
    EXPECT_EQ(table[e.index].library, e.library) << e.index;
    EXPECT_EQ(table[e.index].function, e.function) << e.index;
  }
  for (int i : {33, 34, 37, 38, 50, 51, 67, 106, 116})
    EXPECT_EQ(table[i].function, "RtlMoveMemory");
  for (int i : {130, 131, 135, 136})
    EXPECT_EQ(table[i].function, "lstrcpyn");
}

TEST(ExternalTableDeathTest, EveryEntryBindsToAStandInAndIsReleasedOnce) {
  EXPECT_EXIT(
      {
        ExternalBinder binder(platform::StandInLoader());
        for (int i = 0; i < kExternalFunctionCount; ++i)
          binder.Bind(i);
        int kernel32Indices = 0;
        for (int i = 0; i < kExternalFunctionCount; ++i)
          kernel32Indices += binder.ModuleOf(i) == platform::FindLoadedStandIn("kernel32");
        bool counted = platform::StandInLoadCount("kernel32") == kernel32Indices;
        binder.ReleaseAll();
        bool released = platform::StandInLoadCount("kernel32") == 0 &&
                        platform::StandInLoadCount("gdiplus") == 0;
        std::_Exit(counted && released ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// The rows whose index binds another function than the one whose declaration types the wrapper.
int RowsBindingAnotherFunction(ExternalBinder& binder) {
  int mismatched = 0;
#define PICTOLAN_CHECK_ROW(index, library, stand_in, function, wrapper)               \
  if (binder.Bind(index) != platform::ToAnyFunction(&platform::stand_in::function)) { \
    std::fprintf(stderr, "row %d (%s) binds another function\n", index, #wrapper);    \
    ++mismatched;                                                                     \
  }
  PICTOLAN_EXTERNAL_FUNCTIONS(PICTOLAN_CHECK_ROW)
#undef PICTOLAN_CHECK_ROW
  return mismatched;
}

// Each row binds the very stand-in function whose declaration types its wrapper, so no wrapper
// calls what it bound as something else.
TEST(ExternalTableDeathTest, EveryRowBindsTheFunctionItsWrapperIsTypedAs) {
  EXPECT_EXIT(
      {
        ExternalBinder binder(platform::StandInLoader());
        int mismatched = RowsBindingAnotherFunction(binder);
        binder.ReleaseAll();
        std::_Exit(mismatched == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// One harmless call of each shape of signature, through the wrappers and the process's binder:
// no arguments, texts in and out, handles, records, four and seven arguments, memory, a status
// of the imaging library, and a function the table declares at several indices.
TEST(ExternalWrappersTest, OneCallOfEachSignatureShapeReachesItsStandIn) {
  EXPECT_EQ(ext::GetCurrentProcessId(), platform::kernel32::GetCurrentProcessId());
  EXPECT_TRUE(ext::PathIsDirectoryA("/"));
  char path[] = "folder/icon.ico";
  EXPECT_STREQ(ext::PathFindExtensionA(path), ".ico");
  EXPECT_STREQ(ext::PathFindFileNameA(path), "icon.ico");
  EXPECT_FALSE(ext::DestroyIcon(0));
  EXPECT_FALSE(ext::IsWindow(0));
  win32::RECT rect{};
  EXPECT_FALSE(ext::GetWindowRect(0, &rect));
  EXPECT_EQ(ext::SendMessageA(0, 0, 0, 0), 0);
  EXPECT_FALSE(ext::SetWindowPos(0, 0, 1, 2, 3, 4, 0));
  char copy[8] = {};
  EXPECT_EQ(ext::lstrcpyn(copy, "abcdef", 4), copy);
  EXPECT_STREQ(copy, "abc");
  char moved[4] = {};
  ext::RtlMoveMemory(moved, "xyz", 3);
  ext::RtlMoveMemory34(moved, "q", 1);
  EXPECT_STREQ(moved, "qyz");
  EXPECT_NE(ext::GdipDisposeImage(0), win32::gdip::Ok);
}

}  // namespace
}  // namespace frame
