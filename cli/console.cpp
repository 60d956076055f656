#include "cli/console.h"

#include <unistd.h>

#include <cstdio>

#include "platform/core/paths.h"

namespace cli {
namespace {

constexpr std::string_view kProgramName = "pictolan-cli";
size_t written = 0;
std::string lastFailure;

void PrintLine(FILE* stream, std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
}

}  // namespace

std::string Shown(const frame::Text& path) {
  return platform::paths::ToNative(path.view());
}

std::string Quoted(const frame::Text& path) {
  return "'" + Shown(path) + "'";
}

void PrintWritten(const frame::Text& path) {
  PrintLine(stdout, Shown(path));
  std::fflush(stdout);
  ++written;
}

size_t WrittenCount() {
  return written;
}

void ResetWrittenCount() {
  written = 0;
}

void PrintNote(std::string_view message) {
  PrintLine(stderr, std::string(kProgramName) + ": " + std::string(message));
}

int Fail(std::string_view message) {
  PrintNote(message);
  lastFailure = message;
  return kFailed;
}

const std::string& LastFailure() {
  return lastFailure;
}

int UsageError(std::string_view command, std::string_view message) {
  std::string help =
      std::string(kProgramName) + (command.empty() ? "" : " ") + std::string(command) + " --help";
  PrintNote(std::string(message) + "\nTry '" + help + "' for more.");
  return kUsageError;
}

Progress::Progress(std::string what, int total)
    : what_(std::move(what)), total_(total), onTerminal_(isatty(STDERR_FILENO) == 1) {}

Progress::~Progress() {
  if (shown_) std::fputs("\r\033[K", stderr);
}

void Progress::Show(int done) {
  if (!onTerminal_) return;
  if (total_ > 0)
    std::fprintf(stderr, "\r\033[K%s %d of %d", what_.c_str(), done, total_);
  else
    std::fprintf(stderr, "\r\033[K%s %d", what_.c_str(), done);
  std::fflush(stderr);
  shown_ = true;
}

}  // namespace cli
