// Helpers shared by the tests: private temporary folders, whole-file reads and writes, the real
// files from Debian's nsis-common, and running a command.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

namespace fs = std::filesystem;

// A fresh private folder in base, removed with everything in it when the object goes; throws
// std::runtime_error when none can be made there.
class TempDir {
 public:
  explicit TempDir(const fs::path& base = fs::temp_directory_path());
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

std::vector<uint8_t> ReadBytes(const fs::path& path);
void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes);

// Real files nobody here wrote (installed by the set-up): /usr/share/nsis/...
// These lists throw std::runtime_error when they find no file, so a test never passes by
// looping over nothing.
fs::path NsisRoot();
std::vector<fs::path> NsisIcons();  // Contrib/Graphics/Icons/*.ico, sorted
std::vector<fs::path> NsisStubs();  // Stubs/* (PE32 and PE32+), sorted

// Files of tests/data/<subdir>, sorted (committed fixtures, fuzzer seeds and crash inputs).
std::vector<fs::path> DataFiles(const std::string& subdir);

// Runs a shell command; returns its exit status and fills output with its stdout.
int RunCommand(const std::string& command, std::string* output = nullptr);

// For a death-test child: gives up root (becomes "nobody"), so file permissions apply as they do
// to a user; tests often run as root in containers. Does nothing for another user.
void DropPrivileges();

}  // namespace testing_support
