#include "tests/cli/cli_run.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <sstream>

#include "tests/support/fixtures.h"

namespace cli_test {

namespace ts = testing_support;

std::vector<std::string> CliRun::lines() const {
  std::vector<std::string> result;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);)
    result.push_back(line);
  return result;
}

CliRun RunCli(const std::vector<std::string>& arguments, const std::filesystem::path& folder,
              RunOptions options) {
  ts::TempDir capture;
  std::string outPath = (capture / "out").string(), errPath = (capture / "err").string();
  std::vector<std::string> words = {options.executable.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words)
    argv.push_back(word.data());
  argv.push_back(nullptr);

  pid_t child = fork();
  if (child == 0) {
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(folder.c_str()) != 0)
      _exit(127);
    if (options.asUnprivilegedUser) ts::DropPrivileges();
    for (const std::string& variable : options.environment)
      putenv(const_cast<char*>(variable.c_str()));
    if (options.fileSizeLimit) {
      signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
      rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    if (options.addressSpaceLimit) {
      rlimit limit{options.addressSpaceLimit, options.addressSpaceLimit};
      setrlimit(RLIMIT_AS, &limit);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  CliRun run;
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status))
    run.exitCode = WEXITSTATUS(status);
  auto bytes = [](const std::string& path) {
    std::vector<uint8_t> b = ts::ReadBytes(path);
    return std::string(b.begin(), b.end());
  };
  run.out = bytes(outPath);
  run.err = bytes(errPath);
  return run;
}

}  // namespace cli_test
