// pictolan-cli's examination of a file (the info command, as text and as JSON) on arbitrary
// bytes: the PE resource reader, the icon readers and what info makes of what they find. What it
// prints goes to /dev/null; libFuzzer and the sanitizers keep the real stderr (libFuzzer took
// the stream at start-up, the sanitizers write to the descriptor).
#include <cstdio>
#include <span>

#include "cli/commands.h"
#include "fuzz/targets.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!std::freopen("/dev/null", "w", stdout)) return 1;
  stderr = std::fopen("/dev/null", "w");
  return stderr ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fuzz::ScratchFolder scratch;
  static constexpr cli::OptionInfo kOptions[] = {{"--json"}};
  std::string path = scratch.Write("file", std::span<const uint8_t>(data, size));
  for (const char* json : {"", "--json"}) {
    char* words[] = {path.data(), const_cast<char*>(json)};
    auto arguments = cli::Arguments::Parse(std::span<char* const>(words, *json ? 2 : 1), kOptions);
    if (arguments) cli::RunInfo(*arguments);
  }
  return 0;
}
