// pictolan-cli: the icon operations of Pictolan's window from the command line. Each command
// calls the same operations the window's handlers do, so what it writes is byte for byte what
// the window writes for the same choice.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "frame/fatal.h"
#include "imaging/image_object.h"
#include "platform/core/desktop.h"
#include "platform/core/process_tuning.h"

namespace cli {
namespace {

constexpr OptionInfo kHelp{"--help", "-h"};
constexpr OptionInfo kInfoOptions[] = {kHelp, {"--json"}, kRecursiveOption, kJobsOption};
constexpr OptionInfo kExtractOptions[] = {kHelp,
                                          {"--index", {}, true},
                                          {"--all"},
                                          {"--format", {}, true},
                                          {"--prefix", {}, true},
                                          {"--out", {}, true},
                                          kRecursiveOption,
                                          kJobsOption};
constexpr OptionInfo kConvertOptions[] = {kHelp, {"--output", "-o", true}, {"--sizes", {}, true}};
constexpr OptionInfo kSplitOptions[] = {kHelp, {"--out", {}, true}, kRecursiveOption, kJobsOption};
constexpr OptionInfo kRebuildOptions[] = {
    kHelp, {"--output", "-o", true}, {"--out-dir", {}, true}, kRecursiveOption, kJobsOption};
constexpr OptionInfo kOutputOptions[] = {kHelp, {"--output", "-o", true}};
constexpr OptionInfo kHelpOnly[] = {kHelp};

constexpr Command kCommands[] = {
    {"info", "info FILE... [--json] [-r] [-j N]",
     "Tells what a module (EXE, DLL, CPL, ICL, ...) or an icon file holds: the number of icons\n"
     "the platform counts and, for every icon group (by its name or number), its images with\n"
     "their width x height, bits per pixel, PNG or bitmap, and size in bytes.\n\n"
     "  --json           the same as one JSON object; with several FILEs one per line (JSON\n"
     "                   Lines), {\"file\": ..., \"error\": ...} for a FILE that failed\n",
     kInfoOptions, &RunInfo, Needs::Nothing, "FILE"},
    {"extract",
     "extract FILE... (--index N | --all) [--format FORMAT] [--prefix P] [--out DIR] [-r] [-j N]",
     "Saves one icon or every icon of a module or an icon file. Each file is named PREFIX, the\n"
     "icon's index padded with zeros to the digits of the icon count, and the format's extension\n"
     "(ico_007.png for icon 7 of 120).\n\n"
     "  --index N        the icon to save, counted from 1\n"
     "  --all            every icon, into DIR, or when DIR exists into the first free DIR(1),\n"
     "                   DIR(2), ...\n"
     "  --format FORMAT  ico (the default): the icon's complete group with all its images, or a\n"
     "                   32 x 32 icon built from the icon when its group cannot be copied;\n"
     "                   png, tiff, bmp-transparent: the icon at 32 x 32 with its transparency;\n"
     "                   bmp, jpg, gif: the icon at 32 x 32 on white\n"
     "  --prefix P       put in front of every file name (default: nothing)\n"
     "  --out DIR        the folder to save into, created with its parents (default: FILE's\n"
     "                   name without its extension, in lower case, in the current folder);\n"
     "                   with several FILEs, each FILE's icons go into a folder of its own in\n"
     "                   DIR (default: the current folder) named that way, or NAME(1),\n"
     "                   NAME(2), ... when an earlier FILE took the name or it exists; a module\n"
     "                   without icons is then no error\n",
     kExtractOptions, &RunExtract, Needs::Imaging, "FILE"},
    {"convert", "convert -o OUT.ico PICTURE[:SIZES]... [--sizes SIZES]",
     "Writes one icon file from pictures (BMP, JPEG, GIF, PNG, TIFF, ICO): every picture at\n"
     "every size, in the order given, as the conversion page adds them. A picture of another size\n"
     "is scaled; a bitmap size becomes a 32-bit image with its transparency, png a 256 x 256 PNG\n"
     "image (a 256 x 256 .png picture is stored as it is).\n\n"
     "  -o, --output OUT.ico  the icon file to write (replaced when it exists)\n"
     "  --sizes SIZES         comma-separated, in any order: 16, 24, 32, 48, 64, 96, 128, png\n"
     "                        (default: 16,24,32,48,64,96,128,png)\n"
     "  PICTURE:SIZES         these sizes for this picture alone, e.g. logo.png:48,png\n",
     kConvertOptions, &RunConvert, Needs::Imaging},
    {"split", "split ICON... [--out DIR] [-r] [-j N]",
     "Takes a multi-image icon file apart into DIR/NAME/ (NAME: the icon's file name without its\n"
     "extension, in lower case): Par1.ico, Par2.ico, ... for the images that load as classic icon\n"
     "images, 3.png, ... for the others (PNG images), and new.ico with the 32-bit images drawn\n"
     "again as 32-bit bitmaps.\n\n"
     "  --out DIR        where the folder NAME is made (default: the current folder); with\n"
     "                   several ICONs NAME(1), NAME(2), ... when an earlier ICON took the name\n"
     "                   or it exists\n",
     kSplitOptions, &RunSplit, Needs::Nothing, "ICON"},
    {"rebuild", "rebuild ICON... (-o OUT.ico | --out-dir DIR) [-r] [-j N]",
     "Writes a copy of the icon without the images that do not load as classic icon images (the\n"
     "PNG-compressed ones), so that classic icon editors can open it. Nothing is written when\n"
     "no image is left.\n\n"
     "  -o, --output OUT.ico  the icon file to write (one ICON)\n"
     "  --out-dir DIR         write each ICON into DIR (created with its parents) under its own\n"
     "                        name, or NAME(1).ico, ... when an earlier ICON took the name; with\n"
     "                        several ICONs, one with no image left is skipped with a note\n",
     kRebuildOptions, &RunRebuild, Needs::Nothing, "ICON"},
    {"rebuild-dir", "rebuild-dir SOURCE TARGET",
     "Rebuilds every .ico file of the folder SOURCE, as rebuild does, into the folder TARGET "
     "under\n"
     "the same name (TARGET is created with its parents; it may be SOURCE itself). Icons with no\n"
     "image left are skipped.\n",
     kHelpOnly, &RunRebuildDir, Needs::Nothing},
    {"folder-icon", "folder-icon FOLDER -o OUT.ico",
     "Saves the icon the desktop shows for a folder as a 32 x 32 icon file.\n\n"
     "  -o, --output OUT.ico  the icon file to write\n",
     kOutputOptions, &RunFolderIcon, Needs::Desktop},
};

void PrintUsage(FILE* stream) {
  std::fputs("Usage: pictolan-cli COMMAND ...\n\nCommands:\n", stream);
  for (const Command& command : kCommands)
    std::fprintf(stream, "  pictolan-cli %.*s\n", static_cast<int>(command.synopsis.size()),
                 command.synopsis.data());
  std::fputs(
      "\nEvery written file is named on one line of stdout; errors go to stderr. Exit status: 0\n"
      "done, 1 an error (it says what and why), 2 a mistake in the command line.\n"
      "Run 'pictolan-cli COMMAND --help' for what a command does, 'pictolan-cli --version' for\n"
      "the version.\n",
      stream);
}

void PrintHelp(const Command& command) {
  std::printf("Usage: pictolan-cli %.*s\n\n%.*s", static_cast<int>(command.synopsis.size()),
              command.synopsis.data(), static_cast<int>(command.help.size()), command.help.data());
  if (command.inputs.empty()) return;
  const std::string what(command.inputs);
  std::printf(
      "  -r, --recursive  take the files at any depth of each %s that is a folder (those that\n"
      "                   start as an input of the command; the others are skipped)\n"
      "  -j, --jobs N     work on N inputs at once (default: the number of processors)\n\n"
      "With several %ss, or a folder, each input is done as if it were alone and what it prints\n"
      "comes in input order, whatever N is. An input that fails is reported on stderr with its\n"
      "reason and the others go on; the last line on stderr sums up. Exit status 1 when an input\n"
      "failed.\n",
      what.c_str(), what.c_str());
}

const Command* FindCommand(std::string_view name) {
  for (const Command& command : kCommands)
    if (command.name == name) return &command;
  return nullptr;
}

// Icon files are copied byte for byte: extract needs pictures only for the other formats.
Needs NeedsOf(const Command& command, const Arguments& arguments) {
  if (command.run == &RunExtract && arguments.Value("--format").value_or("ico") == "ico")
    return Needs::Nothing;
  return command.needs;
}

// A fatal error of the frame (an allocation that failed or is beyond its largest block) is an
// error of the command: its text goes to stderr as one line and the exit status is 1.
void ReportFatalErrorsOnStderr() {
  frame::RouteAllocationFailures();
  frame::SetFatalReporter([](const frame::Text& text, const frame::Text&) {
    std::string message;
    for (char c : text.ToUtf8())
      if (c != '\r' && c != '\n')
        message += c;
      else if (!message.empty() && message.back() != ' ')
        message += ' ';
    while (!message.empty() && message.back() == ' ')
      message.pop_back();
    PrintNote(message);
    if (!platform::DesktopError().empty())
      PrintNote("the part of Pictolan that handles pictures could not be loaded: " +
                platform::DesktopError());
  });
  frame::SetShutdownHook([](int) {
    std::fflush(nullptr);
    std::_Exit(kFailed);
  });
}

int Run(int argc, char** argv) {
  platform::TuneMemoryForShortRuns();
  if (argc < 2) {
    PrintUsage(stderr);
    return kUsageError;
  }
  std::string_view name = argv[1];
  if (name == "--version" || name == "-V") {
    std::printf("pictolan-cli %s\n", PICTOLAN_VERSION);
    return kSucceeded;
  }
  if (name == "--help" || name == "-h" || name == "help") {
    const Command* topic = argc > 2 ? FindCommand(argv[2]) : nullptr;
    if (topic)
      PrintHelp(*topic);
    else
      PrintUsage(stdout);
    return kSucceeded;
  }
  const Command* command = FindCommand(name);
  if (!command) return UsageError("", "unknown command '" + std::string(name) + "'");
  Checked<Arguments> arguments = Arguments::Parse(
      std::span<char* const>(argv + 2, static_cast<size_t>(argc - 2)), command->options);
  if (!arguments) return UsageError(command->name, arguments.error());
  if (arguments->Has("--help")) {
    PrintHelp(*command);
    return kSucceeded;
  }
  ReportFatalErrorsOnStderr();
  // Pictures need the platform's picture part, the desktop's icons its desktop part too: each is
  // loaded only for the commands that need it.
  const Needs needs = NeedsOf(*command, *arguments);
  if ((needs == Needs::Imaging && !platform::Pictures()) ||
      (needs == Needs::Desktop && !platform::Desktop()))
    return Fail("cannot load the part of Pictolan that handles pictures: " +
                platform::DesktopError());
  std::unique_ptr<platform::DesktopApplication> desktop;
  if (needs == Needs::Desktop) desktop = std::make_unique<platform::DesktopApplication>(argv[0]);
  if (needs != Needs::Nothing && !imaging::StartImagingLibrary())
    return Fail("the imaging library did not start");
  return command->run(*arguments);
}

}  // namespace
}  // namespace cli

int main(int argc, char** argv) {
  return cli::Run(argc, argv);
}
