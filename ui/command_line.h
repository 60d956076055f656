// The window's command line: pictolan [OPTION]... [FILE|FOLDER]...
#pragma once

#include <string>
#include <vector>

namespace ui {

struct CommandLine {
  enum class Action { Run, Help, Version, Refuse } action = Action::Run;
  std::vector<std::string> paths;  // as given (the file system's bytes), in order
  std::string message;             // Refuse: what is wrong, for stderr
};

// --help, --version, "--" (what follows are paths, even when they start with "-"); any other
// argument starting with "-" (but "-" itself) is refused.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text --help prints.
std::string Usage();

}  // namespace ui
