// info: what a module or an icon file holds, as text or as JSON.
#include <cstdio>
#include <string>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/file_checks.h"
#include "cli/icon_sources.h"
#include "extract/icon_source.h"

namespace cli {
namespace {

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string ImageText(const ImageFacts& image) {
  if (!image.readable) return "unreadable image, " + std::to_string(image.bytes) + " bytes";
  return std::to_string(image.width) + " x " + std::to_string(image.height) + ", " +
         std::to_string(image.bitsPerPixel) + " bits per pixel, " + (image.png ? "PNG" : "bitmap") +
         ", " + std::to_string(image.bytes) + " bytes";
}

std::string ImageJson(const ImageFacts& image) {
  if (!image.readable)
    return R"({"format": "unknown", "bytes": )" + std::to_string(image.bytes) + "}";
  return R"({"width": )" + std::to_string(image.width) + R"(, "height": )" +
         std::to_string(image.height) + R"(, "bitsPerPixel": )" +
         std::to_string(image.bitsPerPixel) + R"(, "format": ")" + (image.png ? "png" : "bitmap") +
         R"(", "bytes": )" + std::to_string(image.bytes) + "}";
}

std::string ImagesJson(const GroupFacts& group) {
  std::string out = "[";
  for (size_t i = 0; i < group.images.size(); ++i)
    out += (i ? ", " : "") + ImageJson(group.images[i]);
  return out + "]";
}

std::string Plural(size_t n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string Note(const std::string& problem) {
  return problem.empty() ? std::string() : " (" + problem + ")";
}

void PrintImages(const GroupFacts& group) {
  for (const ImageFacts& image : group.images)
    std::printf("  %s\n", ImageText(image).c_str());
}

// A module: its icon count, then each group; an icon file: its images.
void PrintText(const frame::Text& path, const SourceFacts& facts, int32_t count) {
  if (facts.kind == SourceFacts::Kind::IconFile) {
    const GroupFacts& images = facts.groups.front();
    std::printf("%s: icon file, %s%s\n", Shown(path).c_str(),
                Plural(images.images.size(), "image").c_str(), Note(images.problem).c_str());
    PrintImages(images);
    return;
  }
  std::printf("%s: %s module, %s%s\n", Shown(path).c_str(), facts.format.c_str(),
              Plural(static_cast<size_t>(count), "icon").c_str(), Note(facts.problem).c_str());
  for (size_t g = 0; g < facts.groups.size(); ++g) {
    const GroupFacts& group = facts.groups[g];
    std::string name = group.named ? "\"" + group.name + "\"" : group.name;
    std::printf("icon %zu (group %s): %s%s\n", g + 1, name.c_str(),
                Plural(group.images.size(), "image").c_str(), Note(group.problem).c_str());
    PrintImages(group);
  }
}

void PrintJson(const frame::Text& path, const SourceFacts& facts, int32_t count) {
  bool module = facts.kind == SourceFacts::Kind::Module;
  std::string out = "{\"file\": " + JsonString(Shown(path)) +
                    ", \"format\": " + JsonString(module ? facts.format : "icon file") +
                    ", \"kind\": \"" + (module ? "module" : "icon file") +
                    "\", \"icons\": " + std::to_string(count);
  if (!module) {
    const GroupFacts& images = facts.groups.front();
    out += ", \"images\": " + ImagesJson(images);
    if (!images.problem.empty()) out += ", \"problem\": " + JsonString(images.problem);
  } else {
    if (!facts.problem.empty()) out += ", \"problem\": " + JsonString(facts.problem);
    out += ", \"groups\": [";
    for (size_t g = 0; g < facts.groups.size(); ++g) {
      const GroupFacts& group = facts.groups[g];
      out += std::string(g ? ", " : "") + "{\"index\": " + std::to_string(g + 1) + ", " +
             (group.named ? "\"name\": " + JsonString(group.name) : "\"id\": " + group.name) +
             ", \"images\": " + ImagesJson(group);
      if (!group.problem.empty()) out += ", \"problem\": " + JsonString(group.problem);
      out += "}";
    }
    out += "]";
  }
  std::printf("%s}\n", out.c_str());
}

// Prints what the file holds; Nothing for a module without icons.
Outcome Describe(std::string_view operand, bool json) {
  std::optional<frame::Text> path = ReadableFile(operand);
  if (!path) return Outcome::Failed;
  SourceFacts facts = ExamineSource(*path);
  if (facts.kind == SourceFacts::Kind::Other) {
    Fail("not an icon source: " + Quoted(*path) + ": " + facts.problem);
    return Outcome::Failed;
  }
  int32_t count = extract::CountIcons(*path);
  if (json)
    PrintJson(*path, facts, count);
  else
    PrintText(*path, facts, count);
  return count > 0 ? Outcome::Done : Outcome::Nothing;
}

}  // namespace

int RunInfo(const Arguments& arguments) {
  if (arguments.operands().empty()) return UsageError("info", "give at least one FILE");
  std::optional<int> jobs = JobsOption(arguments, "info");
  if (!jobs) return kUsageError;
  const bool json = arguments.Has("--json");
  BatchInputs batch =
      CollectInputs(arguments.operands(), arguments.Has("--recursive"), InputKind::Source);
  if (!batch.batch)
    return Describe(batch.inputs.front().path, json) == Outcome::Failed ? kFailed : kSucceeded;
  // JSON Lines: every input gets its object, a failed one the reason it failed for.
  return RunBatch(batch, *jobs, {"with icons", "without", false}, [json](const BatchInput& input) {
    Outcome outcome = Describe(input.path, json);
    if (outcome == Outcome::Failed && json) {
      Checked<frame::Text> path = ProgramPath(input.path);
      std::printf("{\"file\": %s, \"error\": %s}\n",
                  JsonString(path ? Shown(*path) : input.path).c_str(),
                  JsonString(LastFailure()).c_str());
    }
    return outcome;
  });
}

}  // namespace cli
