// pictolan-cli's commands: their names, help, options and what they run.
#pragma once

#include <span>
#include <string_view>

#include "cli/command_line.h"

namespace cli {

// What a command needs of the platform before it runs.
enum class Needs {
  Nothing,
  Imaging,  // the imaging library (pictures are loaded, scaled or encoded)
  Desktop,  // the Qt application object too (the desktop's icons of files and folders)
};

struct Command {
  std::string_view name;
  std::string_view synopsis;  // the usage line after "pictolan-cli "
  std::string_view help;      // what the command does and its options
  std::span<const OptionInfo> options;
  int (*run)(const Arguments& arguments);
  Needs needs;
  std::string_view inputs = {};  // "FILE" or "ICON" for a command that takes many; else empty
};

int RunInfo(const Arguments& arguments);
int RunExtract(const Arguments& arguments);
int RunFolderIcon(const Arguments& arguments);
int RunConvert(const Arguments& arguments);
int RunSplit(const Arguments& arguments);
int RunRebuild(const Arguments& arguments);
int RunRebuildDir(const Arguments& arguments);

}  // namespace cli
