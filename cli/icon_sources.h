// What a file holds as an icon source, read with the platform's own readers (the module resource
// reader for PE and NE modules, and the icon format module): a module's icon groups with their
// images, or an icon file's images, or why the file is neither.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "frame/values.h"

namespace cli {

// One image as its own header describes it.
struct ImageFacts {
  bool png = false;
  bool readable = false;  // false: neither a PNG nor a bitmap header could be read
  int64_t width = 0;      // the header's 32-bit fields read as unsigned (a bitmap's height halved)
  int64_t height = 0;
  int64_t bitsPerPixel = 0;  // planes times bits: both 16-bit fields of a hostile header
  size_t bytes = 0;
};

struct GroupFacts {
  bool named = false;  // a string name; else a number
  std::string name;    // UTF-8; the decimal number for a numbered group
  std::vector<ImageFacts> images;
  std::string problem;  // why its images could not all be read; empty when they could
};

struct SourceFacts {
  enum class Kind { Module, IconFile, Other };
  Kind kind = Kind::Other;
  std::string format;              // a module's: "PE32", "PE32+" or "NE"
  std::string problem;             // why it is no icon source (Other) or holds no icons (Module)
  std::vector<GroupFacts> groups;  // a module's groups, or an icon file's one group
};

// The file must be readable (ReadProblem empty).
SourceFacts ExamineSource(const frame::Text& path);

// Why the file is not an icon file ("not an icon file", "the icon directory is cut short");
// empty when it is one.
std::string IconFileProblem(const frame::Text& path);

// Why a source the platform counts no icons in holds none, as a message's tail.
std::string NoIconsReason(const frame::Text& path);

}  // namespace cli
