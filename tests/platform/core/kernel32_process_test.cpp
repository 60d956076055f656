#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/core/modules.h"
#include "platform/win32/kernel32.h"

namespace platform::kernel32 {
namespace {

using namespace win32;

namespace fs = std::filesystem;

TEST(ModuleHandleTest, TheProgramAnswersToNothingAndToItsOwnName) {
  HMODULE program = ProgramModule();
  ASSERT_NE(program, 0u);
  std::string exe = fs::read_symlink("/proc/self/exe").string();
  std::string file = fs::path(exe).filename().string();
  for (const std::string& name : {std::string(), exe, file, file + ".EXE"})
    EXPECT_EQ(GetModuleHandleA(name.c_str()), program) << name;
  EXPECT_EQ(GetModuleHandleA(nullptr), program);
  EXPECT_EQ(GetModuleHandleA("nosuch.dll"), 0u);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
}

TEST(ModuleHandleTest, LoadedLibrariesAreFoundWithoutAnotherLoad) {
  HMODULE loaded = LoadLibraryA("SHLWAPI.DLL");
  ASSERT_NE(loaded, 0u);
  int loads = StandInLoadCount("shlwapi");
  EXPECT_EQ(GetModuleHandleA("shlwapi"), loaded);
  EXPECT_EQ(StandInLoadCount("shlwapi"), loads);
  EXPECT_TRUE(ReleaseModule(loaded));
  EXPECT_EQ(LoadLibraryA("C:\\Windows\\kernel32.dll"), 0u);  // nothing is loaded from disk
  EXPECT_EQ(LoadLibraryA(nullptr), 0u);
  EXPECT_FALSE(ReleaseModule(ProgramModule()));  // the program stays
}

TEST(ModuleFileNameTest, GivesTheExecutablesPathTruncatedWhenTooLong) {
  std::string exe = fs::read_symlink("/proc/self/exe").string();
  char buffer[4096];
  ASSERT_EQ(GetModuleFileNameA(0, buffer, sizeof buffer), exe.size());
  EXPECT_EQ(std::string(buffer), exe);
  EXPECT_EQ(GetModuleFileNameA(ProgramModule(), buffer, 5), 5u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::string(buffer), exe.substr(0, 4));
  EXPECT_EQ(GetModuleFileNameA(0, nullptr, 0), 0u);
  EXPECT_EQ(GetModuleFileNameA(0x7FFFFFFF, buffer, sizeof buffer), 0u);
}

TEST(ProcessTest, IdentifiesTheProcessAndThread) {
  EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));
  EXPECT_EQ(GetCurrentThreadId(), static_cast<DWORD>(gettid()));
  auto uptime = std::chrono::steady_clock::now().time_since_epoch();
  DWORD expected =
      static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(uptime).count());
  EXPECT_LT(GetTickCount() - expected, 1000u);  // the same clock, wrapping at 2^32 ms
  SetLastError(1234);
  EXPECT_EQ(GetLastError(), 1234u);
}

}  // namespace
}  // namespace platform::kernel32
