// convert, split, rebuild and rebuild-dir: the icon file operations of the window's pages.
#include <charconv>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/file_checks.h"
#include "cli/icon_sources.h"
#include "frame/external_functions.h"
#include "icofile/conversion.h"
#include "icofile/rebuild.h"
#include "icofile/shell_paths.h"
#include "icofile/split.h"
#include "imaging/image_object.h"
#include "platform/core/paths.h"
#include "platform/picture/gdiplus/limits.h"

namespace cli {
namespace {

constexpr std::string_view kDefaultSizes = "16,24,32,48,64,96,128,png";

// "16,48,png" as sizes of the size list, in the order given; 0 for png.
Checked<std::vector<uint8_t>> ParseSizes(std::string_view text) {
  std::vector<uint8_t> sizes;
  while (true) {
    size_t comma = text.find(',');
    std::string_view word = text.substr(0, comma);
    int value = -1;
    if (word == "png" || word == "PNG") {
      value = 0;
    } else {
      // A number names a bitmap size; 0, the list's code for the PNG image, is no size.
      auto [end, failed] = std::from_chars(word.data(), word.data() + word.size(), value);
      if (failed != std::errc() || end != word.data() + word.size() || value == 0) value = -1;
    }
    bool listed = false;
    for (uint8_t size : icofile::kConversionSizes)
      listed = listed || (value >= 0 && size == value);
    if (!listed)
      return platform::Fail("unknown size '" + std::string(word) +
                            "': sizes are 16, 24, 32, 48, 64, 96, 128 and png");
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
Checked<PictureRequest> ParsePicture(std::string_view word, const std::vector<uint8_t>& defaults) {
  Checked<frame::Text> whole = ProgramPath(word);
  size_t colon = word.rfind(':');
  if ((whole && ReadProblem(*whole).empty()) || colon == std::string_view::npos)
    return PictureRequest{std::string(word), defaults};
  std::vector<uint8_t> sizes = TRY(ParseSizes(word.substr(colon + 1)));
  return PictureRequest{std::string(word.substr(0, colon)), std::move(sizes)};
}

// Why the picture cannot be loaded, for a picture the conversion refused.
std::string PictureProblem(const frame::Text& picture) {
  imaging::ImageObject image;
  if (!image.LoadFromFile(picture) && image.LastStatus() == win32::gdip::OutOfMemory) {
    namespace gdiplus = platform::gdiplus;
    return "too large: Pictolan loads pictures of at most " +
           std::to_string(gdiplus::kMaxImageSide) + " x " + std::to_string(gdiplus::kMaxImageSide) +
           " and " + std::to_string(gdiplus::kMaxImagePixels) + " pixels, from files of at most " +
           std::to_string(gdiplus::kMaxEncodedSize >> 20) + " MiB";
  }
  return "not a picture Pictolan can load (BMP, JPEG, GIF, PNG, TIFF or ICO)";
}

// "3" or "3, 5, 8 and 12 more": image numbers for a message.
std::string Numbers(const std::vector<size_t>& numbers) {
  constexpr size_t kShown = 3;
  std::string text;
  for (size_t i = 0; i < numbers.size() && i < kShown; ++i)
    text += (i ? ", " : "") + std::to_string(numbers[i]);
  if (numbers.size() > kShown) text += " and " + std::to_string(numbers.size() - kShown) + " more";
  return text;
}

std::string MaxIconFileSize() {
  return std::to_string(icofile::kMaxIconFileBytes >> 20) + " MiB";
}

// Why an icon could not be rebuilt at all (Rebuilt::NoScratch or Rebuilt::TooLarge).
std::string RebuildProblem(icofile::Rebuilt result) {
  if (result == icofile::Rebuilt::TooLarge)
    return "its images add up to more than " + MaxIconFileSize();
  char temp[win32::MAX_PATH + 1] = {};
  ext::GetTempPathA(sizeof temp, temp);
  const frame::Text folder(temp);
  std::string problem = FolderProblem(folder);
  return "no private scratch folder for probing its images could be made in " + Quoted(folder) +
         (problem.empty() ? std::string() : ": " + problem);
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

// Says what the split wrote, skipped or failed to write. A folder the split made and left empty
// is removed.
Outcome ReportSplit(const frame::Text& icon, const icofile::SplitOutcome& outcome,
                    bool folderExisted) {
  if (outcome.tooLarge) {
    Fail("cannot split " + Quoted(icon) + ": its images add up to more than " + MaxIconFileSize());
    return Outcome::Failed;
  }
  if (!IsExistingFolder(outcome.folder)) {
    FolderFailure(outcome.folder);
    return Outcome::Failed;
  }
  for (const frame::Text& written : outcome.written)
    PrintWritten(written);
  if (!outcome.skipped.empty())
    PrintNote("skipped image " + Numbers(outcome.skipped) + " of " + Quoted(icon) +
              ": neither a classic icon image nor PNG data");
  if (outcome.newIconTooLarge)
    PrintNote("new.ico was not made: its 32-bit images would pass " + MaxIconFileSize());
  if (!outcome.failed.empty()) {
    const frame::Text& first = outcome.failed.front();
    std::string problem = WriteProblem(first);
    if (outcome.written.empty() && !folderExisted) RemoveIfEmpty(outcome.folder);
    Fail("cannot write " + std::to_string(outcome.failed.size()) + " of " +
         std::to_string(outcome.failed.size() + outcome.written.size()) + " files, the first " +
         Quoted(first) + ": " + problem);
    return Outcome::Failed;
  }
  if (!outcome.written.empty()) return Outcome::Done;
  if (!folderExisted) RemoveIfEmpty(outcome.folder);
  Fail("nothing written: no image of " + Quoted(icon) + " is a classic icon image or PNG data");
  return Outcome::Failed;
}

// Rebuilds the icon into the target. In a batch an icon without a classic image is skipped with a
// note, as rebuild-dir skips it.
Outcome RebuildInto(const frame::Text& icon, const frame::Text& target, bool batch) {
  icofile::Rebuilt result = icofile::RebuildIconFile(icon, target);
  switch (result) {
    case icofile::Rebuilt::Written:
      PrintWritten(target);
      return Outcome::Done;
    case icofile::Rebuilt::NothingKept:
      if (batch) {
        PrintNote("skipped " + Quoted(icon) + ": no image of it loads as a classic icon image");
        return Outcome::Nothing;
      }
      Fail("nothing to write: no image of " + Quoted(icon) +
           " loads as a classic icon image (they are PNG-compressed or damaged)");
      return Outcome::Failed;
    case icofile::Rebuilt::NotWritten:
      WriteFailure(target);
      return Outcome::Failed;
    case icofile::Rebuilt::NoScratch:
    case icofile::Rebuilt::TooLarge:
      break;
  }
  Fail("cannot rebuild " + Quoted(icon) + ": " + RebuildProblem(result));
  return Outcome::Failed;
}

}  // namespace

int RunConvert(const Arguments& arguments) {
  constexpr std::string_view kCommand = "convert";
  std::optional<std::string> out = arguments.Value("--output");
  if (!out) return UsageError(kCommand, "give the icon file to write with -o OUT.ico");
  if (arguments.operands().empty()) return UsageError(kCommand, "give at least one PICTURE");
  Checked<std::vector<uint8_t>> defaults =
      ParseSizes(arguments.Value("--sizes").value_or(std::string(kDefaultSizes)));
  if (!defaults) return UsageError(kCommand, defaults.error());
  std::vector<PictureRequest> requests;
  size_t images = 0;
  for (const std::string& word : arguments.operands()) {
    Checked<PictureRequest> request = ParsePicture(word, *defaults);
    if (!request) return UsageError(kCommand, request.error());
    images += request->sizes.size();
    requests.push_back(std::move(request).value());
  }
  if (images > icofile::kMaxIconEntries)
    return UsageError(kCommand, "an icon file holds at most " +
                                    std::to_string(icofile::kMaxIconEntries) + " images; " +
                                    std::to_string(images) + " were asked for");
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
        return Fail("cannot read " + Quoted(*picture) + ": " + PictureProblem(*picture));
      list.insert(list.end(), entries->begin(), entries->end());
      progress.Show(static_cast<int>(i + 1));
    }
  }
  if (!icofile::IconFileFits(list))
    return Fail("cannot write " + Quoted(*target) + ": the icon file would pass " +
                MaxIconFileSize());
  if (!icofile::WriteConversionIcon(list, *target)) return WriteFailure(*target);
  PrintWritten(*target);
  return kSucceeded;
}

int RunSplit(const Arguments& arguments) {
  constexpr std::string_view kCommand = "split";
  if (arguments.operands().empty()) return UsageError(kCommand, "give at least one ICON");
  std::optional<int> jobs = JobsOption(arguments, kCommand);
  if (!jobs) return kUsageError;
  BatchInputs batch =
      CollectInputs(arguments.operands(), arguments.Has("--recursive"), InputKind::IconFile);
  if (!batch.batch) {
    std::optional<frame::Text> icon = CheckedIconFile(batch.inputs.front().path);
    if (!icon) return kFailed;
    std::optional<frame::Text> folder = PathOperand(arguments.Value("--out").value_or("."));
    if (!folder) return kFailed;
    bool folderExisted = IsExistingFolder(icofile::SplitFolder(*folder, *icon));
    return ReportSplit(*icon, icofile::SplitIconFile(*icon, *folder), folderExisted) ==
                   Outcome::Done
               ? kSucceeded
               : kFailed;
  }
  std::optional<std::string> outFolder = BatchOutputFolder(arguments.Value("--out"));
  if (!outFolder) return kFailed;
  AssignOutputNames(batch, *outFolder, OutputNaming::Folder);
  return RunBatch(batch, *jobs, {"split", "", true}, [&outFolder](const BatchInput& input) {
    std::optional<frame::Text> icon = CheckedIconFile(input.path);
    if (!icon) return Outcome::Failed;
    std::optional<frame::Text> folder =
        PathOperand((std::filesystem::path(*outFolder) / input.name).string());
    if (!folder) return Outcome::Failed;
    return ReportSplit(*icon, icofile::SplitIconFileInto(*icon, *folder), false);
  });
}

int RunRebuild(const Arguments& arguments) {
  constexpr std::string_view kCommand = "rebuild";
  if (arguments.operands().empty()) return UsageError(kCommand, "give at least one ICON");
  std::optional<int> jobs = JobsOption(arguments, kCommand);
  if (!jobs) return kUsageError;
  std::optional<std::string> out = arguments.Value("--output");
  std::optional<std::string> outDir = arguments.Value("--out-dir");
  BatchInputs batch =
      CollectInputs(arguments.operands(), arguments.Has("--recursive"), InputKind::IconFile);
  if (batch.batch && out)
    return UsageError(kCommand, "several ICONs are written into a folder: give --out-dir DIR");
  if (out && outDir) return UsageError(kCommand, "give either -o OUT.ico or --out-dir DIR");
  if (!out && !outDir)
    return UsageError(kCommand, batch.batch ? "give the folder to write into with --out-dir DIR"
                                            : "give the icon file to write with -o OUT.ico");
  if (!batch.batch && out) {
    std::optional<frame::Text> icon = CheckedIconFile(batch.inputs.front().path);
    if (!icon) return kFailed;
    std::optional<frame::Text> target = PathOperand(*out);
    if (!target) return kFailed;
    return RebuildInto(*icon, *target, false) == Outcome::Done ? kSucceeded : kFailed;
  }
  std::optional<std::string> outFolder = BatchOutputFolder(outDir);
  if (!outFolder) return kFailed;
  AssignOutputNames(batch, *outFolder, OutputNaming::File);
  auto rebuild = [&outFolder, &batch](const BatchInput& input) {
    std::optional<frame::Text> icon = CheckedIconFile(input.path);
    if (!icon) return Outcome::Failed;
    std::optional<frame::Text> target =
        PathOperand((std::filesystem::path(*outFolder) / input.name).string());
    if (!target) return Outcome::Failed;
    return RebuildInto(*icon, *target, batch.batch);
  };
  if (!batch.batch) return rebuild(batch.inputs.front()) == Outcome::Done ? kSucceeded : kFailed;
  return RunBatch(batch, *jobs, {"rebuilt", "with no classic image", true}, rebuild);
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
  int failures = 0, unprobed = 0;
  for (const icofile::FolderRebuild& file : results) {
    if (file.result == icofile::Rebuilt::Written) PrintWritten(into + file.name);
    if (file.result == icofile::Rebuilt::NothingKept)
      PrintNote("skipped " + Quoted(from + file.name) +
                ": no image of it loads as a classic icon image");
    if (file.result == icofile::Rebuilt::TooLarge)
      PrintNote("skipped " + Quoted(from + file.name) + ": " + RebuildProblem(file.result));
    unprobed += file.result == icofile::Rebuilt::NoScratch;
    if (file.result == icofile::Rebuilt::NotWritten && failures++ == 0) firstFailure = &file;
  }
  if (results.empty()) PrintNote("no .ico files in " + Quoted(*source));
  if (unprobed > 0)
    return Fail("cannot rebuild " + std::to_string(unprobed) + " of " +
                std::to_string(results.size()) +
                " files: " + RebuildProblem(icofile::Rebuilt::NoScratch));
  if (failures == 0) return kSucceeded;
  const frame::Text first = into + firstFailure->name;
  return Fail("cannot write " + std::to_string(failures) + " of " + std::to_string(results.size()) +
              " files, the first " + Quoted(first) + ": " + WriteProblem(first));
}

}  // namespace cli
