// What pictolan-cli tells its user: one line per written file on stdout; errors, notes and, for
// long work on a terminal, a progress line on stderr. Everything is UTF-8; the program's own
// texts (GBK) are converted on the way out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "frame/values.h"

namespace cli {

// Exit codes.
constexpr int kSucceeded = 0;
constexpr int kFailed = 1;  // the work could not be done: the error says what and why
constexpr int kUsageError = 2;

// A program path (GBK) as the file system names it: the bytes the user gave.
std::string Shown(const frame::Text& path);
// Quoted for a message: 'path'.
std::string Quoted(const frame::Text& path);

void PrintWritten(const frame::Text& path);
// How many files PrintWritten named since the last reset.
size_t WrittenCount();
void ResetWrittenCount();
// "pictolan-cli: " + message on stderr.
void PrintNote(std::string_view message);
// Prints the error and returns kFailed.
int Fail(std::string_view message);
// The message of the latest Fail.
const std::string& LastFailure();
// Prints the usage error with a pointer to the command's help and returns kUsageError.
int UsageError(std::string_view command, std::string_view message);

// "what N of TOTAL" (or "what N" for an unknown total, 0) on one line of stderr, redrawn in
// place; only when stderr is a terminal.
class Progress {
 public:
  Progress(std::string what, int total = 0);
  ~Progress();  // clears the line
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  void Show(int done);

 private:
  std::string what_;
  int total_;
  bool onTerminal_;
  bool shown_ = false;
};

}  // namespace cli
