#include "ui/command_line.h"

namespace ui {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool options = true;
  for (const std::string& argument : arguments) {
    if (options && argument == "--") {
      options = false;
    } else if (options && (argument == "--help" || argument == "-h")) {
      return {CommandLine::Action::Help, {}, {}};
    } else if (options && argument == "--version") {
      return {CommandLine::Action::Version, {}, {}};
    } else if (options && argument.size() > 1 && argument[0] == '-') {
      return {CommandLine::Action::Refuse, {}, "unknown option '" + argument + "'"};
    } else {
      line.paths.push_back(argument);
    }
  }
  return line;
}

std::string Usage() {
  return "Usage: pictolan [FILE|FOLDER]...\n"
         "Make icons from pictures and take icons out of programs.\n"
         "\n"
         "  FILE     a program, library or icon file opens on the page that extracts icons;\n"
         "           a picture (BMP, JPG, GIF, PNG, TIFF) opens on the page that converts\n"
         "           pictures, its folder listed and the picture selected\n"
         "  FOLDER   lists the folder's pictures on the page that converts pictures\n"
         "  Only the first FILE or FOLDER is opened.\n"
         "\n"
         "  -h, --help     show this help and exit\n"
         "      --version  show the version and exit\n"
         "\n"
         "pictolan-cli runs the same operations from the command line.\n";
}

}  // namespace ui
