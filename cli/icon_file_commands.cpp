// convert, split, rebuild and rebuild-dir: the icon file operations of the window's pages.
#include <charconv>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/file_checks.h"
#include "cli/icon_sources.h"
#include "icofile/conversion.h"
#include "icofile/rebuild.h"
#include "icofile/shell_paths.h"
#include "icofile/split.h"

namespace cli {
namespace {

// The count field of an icon file keeps one byte.
constexpr size_t kMostImages = 255;
constexpr std::string_view kDefaultSizes = "16,24,32,48,64,96,128,png";

// "16,48,png" as sizes of the size list, in the order given; 0 for png.
std::optional<std::vector<uint8_t>> ParseSizes(std::string_view text, std::string* error) {
  std::vector<uint8_t> sizes;
  while (true) {
    size_t comma = text.find(',');
    std::string_view word = text.substr(0, comma);
    int value = -1;
    if (word == "png" || word == "PNG") {
      value = 0;
    } else {
      auto [end, failed] = std::from_chars(word.data(), word.data() + word.size(), value);
      if (failed != std::errc() || end != word.data() + word.size()) value = -1;
    }
    bool listed = false;
    for (uint8_t size : icofile::kConversionSizes)
      listed = listed || (value >= 0 && size == value);
    if (!listed) {
      *error =
          "unknown size '" + std::string(word) + "': sizes are 16, 24, 32, 48, 64, 96, 128 and png";
      return std::nullopt;
    }
    sizes.push_back(static_cast<uint8_t>(value));
    if (comma == std::string_view::npos) return sizes;
    text.remove_prefix(comma + 1);
  }
}

struct PictureRequest {
  std::string path;  // as given
  std::vector<uint8_t> sizes;
};

// "PICTURE" or "PICTURE:SIZES"; a name that is itself an existing file is never split.
std::optional<PictureRequest> ParsePicture(std::string_view word,
                                           const std::vector<uint8_t>& defaults,
                                           std::string* error) {
  std::string pathError;
  std::optional<frame::Text> whole = ProgramPath(word, &pathError);
  size_t colon = word.rfind(':');
  if ((whole && ReadProblem(*whole).empty()) || colon == std::string_view::npos)
    return PictureRequest{std::string(word), defaults};
  std::optional<std::vector<uint8_t>> sizes = ParseSizes(word.substr(colon + 1), error);
  if (!sizes) return std::nullopt;
  return PictureRequest{std::string(word.substr(0, colon)), std::move(*sizes)};
}

std::optional<frame::Text> CheckedIconFile(std::string_view word) {
  std::optional<frame::Text> icon = ReadableFile(word);
  if (!icon) return std::nullopt;
  if (std::string problem = IconFileProblem(*icon); !problem.empty()) {
    Fail("not an icon file: " + Quoted(*icon) + ": " + problem);
    return std::nullopt;
  }
  return icon;
}

}  // namespace

int RunConvert(const Arguments& arguments) {
  constexpr std::string_view kCommand = "convert";
  std::optional<std::string> out = arguments.Value("--output");
  if (!out) return UsageError(kCommand, "give the icon file to write with -o OUT.ico");
  if (arguments.operands().empty()) return UsageError(kCommand, "give at least one PICTURE");
  std::string error;
  std::optional<std::vector<uint8_t>> defaults =
      ParseSizes(arguments.Value("--sizes").value_or(std::string(kDefaultSizes)), &error);
  if (!defaults) return UsageError(kCommand, error);
  std::vector<PictureRequest> requests;
  size_t images = 0;
  for (const std::string& word : arguments.operands()) {
    std::optional<PictureRequest> request = ParsePicture(word, *defaults, &error);
    if (!request) return UsageError(kCommand, error);
    images += request->sizes.size();
    requests.push_back(std::move(*request));
  }
  if (images > kMostImages)
    return UsageError(kCommand, "an icon file holds at most 255 images; " + std::to_string(images) +
                                    " were asked for");
  std::optional<frame::Text> target = PathOperand(*out);
  if (!target) return kFailed;

  icofile::IconBuildList list;
  {
    Progress progress("converting picture", static_cast<int>(requests.size()));
    for (size_t i = 0; i < requests.size(); ++i) {
      std::optional<frame::Text> picture = ReadableFile(requests[i].path);
      if (!picture) return kFailed;
      std::optional<icofile::IconBuildList> entries =
          icofile::PrepareConversionImages(*picture, requests[i].sizes);
      if (!entries)
        return Fail("cannot read " + Quoted(*picture) +
                    ": not a picture Pictolan can load (BMP, JPEG, GIF, PNG, TIFF or ICO)");
      list.insert(list.end(), entries->begin(), entries->end());
      progress.Show(static_cast<int>(i + 1));
    }
  }
  if (!icofile::WriteConversionIcon(list, *target)) return WriteFailure(*target);
  PrintWritten(*target);
  return kSucceeded;
}

int RunSplit(const Arguments& arguments) {
  if (arguments.operands().size() != 1) return UsageError("split", "split takes one ICON");
  std::optional<frame::Text> icon = CheckedIconFile(arguments.operands()[0]);
  if (!icon) return kFailed;
  std::optional<frame::Text> folder = PathOperand(arguments.Value("--out").value_or("."));
  if (!folder) return kFailed;
  icofile::SplitOutcome outcome = icofile::SplitIconFile(*icon, *folder);
  if (!IsExistingFolder(outcome.folder)) return FolderFailure(outcome.folder);
  for (const frame::Text& written : outcome.written)
    PrintWritten(written);
  if (outcome.complete) return kSucceeded;
  std::string problem = FolderProblem(outcome.folder);
  return Fail("cannot write every file into " + Quoted(outcome.folder) +
              (problem.empty() ? std::string() : ": " + problem));
}

int RunRebuild(const Arguments& arguments) {
  constexpr std::string_view kCommand = "rebuild";
  if (arguments.operands().size() != 1) return UsageError(kCommand, "rebuild takes one ICON");
  std::optional<std::string> out = arguments.Value("--output");
  if (!out) return UsageError(kCommand, "give the icon file to write with -o OUT.ico");
  std::optional<frame::Text> icon = CheckedIconFile(arguments.operands()[0]);
  if (!icon) return kFailed;
  std::optional<frame::Text> target = PathOperand(*out);
  if (!target) return kFailed;
  switch (icofile::RebuildIconFile(*icon, *target)) {
    case icofile::Rebuilt::Written:
      PrintWritten(*target);
      return kSucceeded;
    case icofile::Rebuilt::NothingKept:
      return Fail("nothing to write: no image of " + Quoted(*icon) +
                  " loads as a classic icon image (they are PNG-compressed or damaged)");
    case icofile::Rebuilt::NotWritten:
      break;
  }
  return WriteFailure(*target);
}

int RunRebuildDir(const Arguments& arguments) {
  if (arguments.operands().size() != 2)
    return UsageError("rebuild-dir", "rebuild-dir takes a SOURCE and a TARGET folder");
  std::optional<frame::Text> source = PathOperand(arguments.operands()[0]);
  if (!source) return kFailed;
  if (!IsExistingFolder(*source)) return Fail("not a folder: " + Quoted(*source));
  std::optional<frame::Text> target = PathOperand(arguments.operands()[1]);
  if (!target) return kFailed;
  icofile::CreateFolderPath(*target);
  if (!IsExistingFolder(*target)) return FolderFailure(*target);
  std::vector<icofile::FolderRebuild> results;
  {
    Progress progress("rebuilding icon");
    int done = 0;
    results = icofile::RebuildIconFolder(
        *source, *target, [&](const icofile::FolderRebuild&) { progress.Show(++done); });
  }
  const frame::Text into = icofile::WithTrailingSeparator(*target);
  const frame::Text from = icofile::WithTrailingSeparator(*source);
  const icofile::FolderRebuild* firstFailure = nullptr;
  int failures = 0;
  for (const icofile::FolderRebuild& file : results) {
    if (file.result == icofile::Rebuilt::Written) PrintWritten(into + file.name);
    if (file.result == icofile::Rebuilt::NothingKept)
      PrintNote("skipped " + Quoted(from + file.name) +
                ": no image of it loads as a classic icon image");
    if (file.result == icofile::Rebuilt::NotWritten && failures++ == 0) firstFailure = &file;
  }
  if (results.empty()) PrintNote("no .ico files in " + Quoted(*source));
  if (failures == 0) return kSucceeded;
  const frame::Text first = into + firstFailure->name;
  return Fail("cannot write " + std::to_string(failures) + " of " + std::to_string(results.size()) +
              " files, the first " + Quoted(first) + ": " + WriteProblem(first));
}

}  // namespace cli
