// Paths from the command line, and why a file cannot be read or written: the operations report
// only whether they succeeded, so the tool looks at the file system to say why.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/command_line.h"
#include "frame/values.h"

namespace cli {

// A path from the command line as the program takes it: absolute (against the current folder),
// without "." components or a trailing separator, in GBK. The reason when it is empty or holds
// a character GBK has no code for.
Checked<frame::Text> ProgramPath(std::string_view commandLinePath);

// A text from the command line (a prefix) in GBK; the reason when a character has no GBK code.
Checked<frame::Text> ProgramText(std::string_view commandLineText);

// Why the file cannot be read ("no such file", "it is a folder", ...); empty when it can.
std::string ReadProblem(const frame::Text& path);

// Why the folder cannot be created or written into; empty when nothing is known to stop it.
std::string FolderProblem(const frame::Text& folder);

// Why a file cannot be written at the path; never empty (the last resort names the write).
std::string WriteProblem(const frame::Text& path);

bool IsExistingFolder(const frame::Text& path);
// Removes the folder when it is empty (one the command made but wrote nothing into).
void RemoveIfEmpty(const frame::Text& folder);

// Prints why the folder could not be created, or the file not written; returns kFailed.
int FolderFailure(const frame::Text& folder);
int WriteFailure(const frame::Text& path);

// The command-line path as a program path; none after printing why (an error of the command).
std::optional<frame::Text> PathOperand(std::string_view commandLinePath);
// The same for a file that must be readable ("cannot read 'x': no such file").
std::optional<frame::Text> ReadableFile(std::string_view commandLinePath);

}  // namespace cli
