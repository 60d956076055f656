// pictolan-cli's examination of a file (the info command, as text and as JSON) on arbitrary
// bytes: the PE resource reader, the icon readers and what info makes of what they find. Its
// output goes to /dev/null.
#include <cstdio>
#include <span>

#include "cli/commands.h"
#include "fuzz/targets.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!std::freopen("/dev/null", "w", stdout)) return 1;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fuzz::ScratchFolder scratch;
  static constexpr cli::OptionSpec kOptions[] = {{"--json"}};
  std::string path = scratch.Write("file", std::span<const uint8_t>(data, size));
  for (const char* json : {"", "--json"}) {
    char* words[] = {path.data(), const_cast<char*>(json)};
    std::string error;
    auto arguments =
        cli::Arguments::Parse(std::span<char* const>(words, *json ? 2 : 1), kOptions, &error);
    if (arguments) cli::RunInfo(*arguments);
  }
  return 0;
}
