#include "cli/file_checks.h"

#include <unistd.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/console.h"
#include "platform/core/files/whole_file.h"
#include "platform/core/paths.h"
#include "platform/text/gbk.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

fs::path Native(const frame::Text& path) {
  return fs::path(platform::paths::ToNative(path.view()));
}

std::string Named(const fs::path& path) {
  return "'" + path.string() + "'";
}

// The current folder joined in front of a relative path; "." components and repeated or
// trailing separators dropped, ".." kept (it may step out of a link).
fs::path Absolute(std::string_view path) {
  std::error_code error;
  fs::path given(path);
  fs::path joined = given.is_absolute() ? given : fs::current_path(error) / given;
  fs::path clean = joined.root_path();
  for (const fs::path& part : joined.relative_path())
    if (!part.empty() && part != ".") clean /= part;
  return clean;
}

}  // namespace

// Command-line words are the file system's bytes: any character or byte round-trips through the
// program's GBK texts; only more characters GBK lacks than the program can name are refused.
Checked<frame::Text> ProgramText(std::string_view commandLineText) {
  bool lossy = false;
  std::string gbk = platform::paths::FromNative(commandLineText, &lossy);
  if (lossy)
    return platform::Fail(
        "'" + std::string(commandLineText) + "' holds more characters outside GBK than " +
        std::to_string(platform::text::kPrivateFormCount) + ", which Pictolan cannot name");
  return frame::Text(std::move(gbk));
}

Checked<frame::Text> ProgramPath(std::string_view commandLinePath) {
  if (commandLinePath.empty()) return platform::Fail(std::string("an empty path"));
  return ProgramText(Absolute(commandLinePath).string());
}

std::string ReadProblem(const frame::Text& path) {
  fs::path native = Native(path);
  std::error_code error;
  fs::file_status status = fs::status(native, error);
  if (!fs::exists(status)) return "no such file";
  if (fs::is_directory(status)) return "it is a folder";
  if (!fs::is_regular_file(status)) return "not a regular file";
  if (access(native.c_str(), R_OK) != 0) return "permission denied";
  return {};
}

std::string FolderProblem(const frame::Text& folder) {
  fs::path native = Native(folder);
  std::error_code error;
  // The nearest folder that exists decides whether the missing ones can be made in it.
  fs::path existing = native;
  while (!fs::exists(existing, error) && existing.has_relative_path())
    existing = existing.parent_path();
  if (!fs::is_directory(existing, error)) return Named(existing) + " is not a folder";
  if (access(existing.c_str(), W_OK | X_OK) != 0) return "permission denied in " + Named(existing);
  return {};
}

std::string WriteProblem(const frame::Text& path) {
  fs::path native = Native(path);
  std::error_code error;
  fs::file_status status = fs::status(native, error);
  switch (status.type()) {
    case fs::file_type::directory:
      return "a folder has that name";
    case fs::file_type::fifo:
      return "a named pipe has that name";
    case fs::file_type::block:
    case fs::file_type::character:
      return "a device has that name";
    case fs::file_type::socket:
      return "a socket has that name";
    case fs::file_type::regular:
      if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return "the file is read-only";
      break;
    default:
      break;
  }
  fs::path folder = native.parent_path();
  std::string folderProblem =
      FolderProblem(frame::Text(platform::paths::FromNative(folder.string())));
  if (!folderProblem.empty()) return folderProblem;
  if (!fs::is_directory(folder, error)) return "no such folder " + Named(folder);
  // What the system said when the write failed ("no space left on device", "file name too
  // long", ...), in the lower case of the tool's other reasons.
  if (int cause = platform::files::WriteErrorOf(path.view()); cause != 0) {
    std::string text = std::strerror(cause);
    if (!text.empty())
      text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
  }
  return "the write failed";
}

bool IsExistingFolder(const frame::Text& path) {
  std::error_code error;
  return fs::is_directory(Native(path), error);
}

void RemoveIfEmpty(const frame::Text& folder) {
  std::error_code ignored;
  fs::remove(Native(folder), ignored);
}

int FolderFailure(const frame::Text& folder) {
  std::string problem = FolderProblem(folder);
  return Fail("cannot create the folder " + Quoted(folder) +
              (problem.empty() ? std::string() : ": " + problem));
}

int WriteFailure(const frame::Text& path) {
  return Fail("cannot write " + Quoted(path) + ": " + WriteProblem(path));
}

std::optional<frame::Text> PathOperand(std::string_view commandLinePath) {
  Checked<frame::Text> path = ProgramPath(commandLinePath);
  if (!path) {
    Fail("cannot use the path: " + path.error());
    return std::nullopt;
  }
  return std::move(path).value();
}

std::optional<frame::Text> ReadableFile(std::string_view commandLinePath) {
  std::optional<frame::Text> path = PathOperand(commandLinePath);
  if (!path) return std::nullopt;
  if (std::string problem = ReadProblem(*path); !problem.empty()) {
    Fail("cannot read " + Quoted(*path) + ": " + problem);
    return std::nullopt;
  }
  return path;
}

}  // namespace cli
