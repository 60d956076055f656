// Running pictolan-cli as its users do: a separate process with its own arguments, current
// folder, stdout, stderr and exit status.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace cli_test {

struct CliRun {
  int exitCode = -1;
  std::string out;  // stdout
  std::string err;  // stderr
  // stdout's lines, one per written file.
  std::vector<std::string> lines() const;
};

struct RunOptions {
  // Variables set for the run ("NAME=value"), beside the test's own.
  std::vector<std::string> environment = {};
  bool asUnprivilegedUser = false;  // gives up root first, so that file permissions apply
  std::filesystem::path executable = PICTOLAN_CLI_PATH;  // another copy of pictolan-cli
  // Limits of the run (0: none): the largest file it may write, as a full disk stops it, and
  // its address space, so that an allocation fails.
  size_t fileSizeLimit = 0;
  size_t addressSpaceLimit = 0;
};

// Runs the executable with the arguments in the folder.
CliRun RunCli(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
              RunOptions options = {});

}  // namespace cli_test
