// Many inputs in one call: the inputs the operands name (folders walked with --recursive), the
// name each input's output gets, and the run over them on several worker processes. The
// platform's handle tables, the imaging library and the codecs serve one thread, so the work is
// shared out to processes, each taking one input at a time; the first process prints what each
// input printed, in input order, so what a batch prints and writes does not depend on how many
// processes did it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"

namespace cli {

// The options every command with many inputs takes.
inline constexpr OptionInfo kRecursiveOption{"--recursive", "-r"};
inline constexpr OptionInfo kJobsOption{"--jobs", "-j", true};

// What the files found in a folder must start as to be taken.
enum class InputKind {
  Source,    // a module ("MZ") or an icon file
  IconFile,  // an icon file
};

struct BatchInput {
  std::string path;  // as the command line gave it, or as found under a folder it gave
  std::string name;  // the name of its output under the output folder (AssignOutputNames)
};

struct BatchInputs {
  std::vector<BatchInput> inputs;
  bool batch = false;     // several inputs or a folder: each input's output goes into its own place
  size_t skipped = 0;     // files found in folders that do not start as the kind of input
  size_t unreadable = 0;  // folders that could not be listed (each reported on stderr)
};

// The inputs the operands name, in order: each operand, and with `recursive` every file at any
// depth of an operand that is a folder, in name order, that starts as `kind`. Symbolic links are
// followed, but no folder is listed twice: a link back up the tree leads nowhere new. Special
// files (pipes, devices) are never opened.
BatchInputs CollectInputs(const std::vector<std::string>& operands, bool recursive, InputKind kind);

// How outputs are named under the output folder `folder` (a native path).
enum class OutputNaming {
  Folder,  // the input's name without its extension, ASCII letters lowered, as the single
           // command names its folder; "name(1)", "name(2)", ... when an earlier input took the
           // name or something is at its path
  File,    // the input's file name; "stem(1).ext", ... when an earlier input took the name
};
void AssignOutputNames(BatchInputs& batch, std::string_view folder, OutputNaming naming);

// The folder a batch writes into (--out, --out-dir; else the current folder), made with its
// parents first, so that a folder that cannot be made fails the command rather than every input;
// as a native path. None after saying why it cannot be made.
std::optional<std::string> BatchOutputFolder(const std::optional<std::string>& option);

// The folder name the single commands give an input's output: its file name without the
// extension, ASCII letters lowered; the whole name when that leaves nothing, "." or "..".
std::string OutputStem(std::string_view nativePath);

// How one input went.
enum class Outcome {
  Done,     // with icons: described, extracted, split or rebuilt (failures included otherwise)
  Nothing,  // nothing to do and no error: a module without icons, an icon without classic images
  Failed,   // reported on stderr with its name and reason
};

// The words of the summary line: "N inputs: D <done>, M <nothing>, W files written, F failed".
struct SummaryWords {
  std::string_view done;     // "with icons"
  std::string_view nothing;  // "without"; empty: not counted
  bool files = true;         // whether the command writes files
};

// The number of processors this process may run on.
int ProcessorCount();

// The --jobs value (default: ProcessorCount()); none after a usage error was printed.
std::optional<int> JobsOption(const Arguments& arguments, std::string_view command);

// Runs `run` on every input, on `jobs` worker processes at once (never more than inputs), and
// prints each input's output in input order; on a terminal a progress line on stderr for
// batches longer than a second; the summary as the last line on stderr. 1 when an input failed
// or a folder could not be listed, else 0.
int RunBatch(const BatchInputs& batch, int jobs, const SummaryWords& words,
             const std::function<Outcome(const BatchInput&)>& run);

}  // namespace cli
