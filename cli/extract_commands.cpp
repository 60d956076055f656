// extract and folder-icon: icons of a source, or of a folder, saved through the extraction
// page's own operations.
#include <charconv>
#include <filesystem>
#include <string>

#include "cli/batch.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/file_checks.h"
#include "cli/icon_sources.h"
#include "extract/extract_all.h"
#include "extract/icon_source.h"
#include "extract/single_extraction.h"
#include "frame/loaded_source.h"
#include "icofile/shell_paths.h"
#include "platform/core/paths.h"

namespace cli {
namespace {

using extract::SaveFormat;

struct FormatName {
  std::string_view name;
  SaveFormat format;
};
constexpr FormatName kFormats[] = {
    {"ico", SaveFormat::Ico},   {"png", SaveFormat::Png},
    {"bmp", SaveFormat::Bmp},   {"bmp-transparent", SaveFormat::TransparentBmp},
    {"jpg", SaveFormat::Jpg},   {"gif", SaveFormat::Gif},
    {"tiff", SaveFormat::Tiff},
};

std::optional<SaveFormat> FormatNamed(std::string_view name) {
  for (const FormatName& f : kFormats)
    if (f.name == name) return f.format;
  return std::nullopt;
}

std::optional<int32_t> Integer(std::string_view text) {
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// The output folder: --out, or the source's name without its extension in the current folder
// (the whole name when that leaves nothing, "." or "..", so the folder is never the current one
// or its parent).
std::optional<frame::Text> OutputFolder(const Arguments& arguments, const frame::Text& source) {
  if (std::optional<std::string> out = arguments.Value("--out")) return PathOperand(*out);
  return PathOperand(platform::paths::ToNative(icofile::FolderNameFor(source).view()));
}

// Why an icon's file is not there: no icon could be read for it (a damaged group), or the write.
std::string SaveProblem(const extract::SavedIcon& saved) {
  return saved.noIcon ? "no icon can be read for it" : WriteProblem(saved.path);
}

int ExtractOne(const frame::Text& source, int32_t count, int32_t index, SaveFormat format,
               const frame::Text& folder, const frame::Text& prefix) {
  bool folderExisted = IsExistingFolder(folder);
  extract::SavedIcon saved =
      extract::ExtractSelectedIcon(source, count, index, format, folder, prefix);
  if (saved.written) {
    PrintWritten(saved.path);
    if (saved.fromHandle) PrintNote(saved.status.ToUtf8());
    return kSucceeded;
  }
  if (!IsExistingFolder(folder)) return FolderFailure(folder);
  std::string problem = SaveProblem(saved);
  if (!folderExisted) RemoveIfEmpty(folder);
  return Fail("cannot write " + Quoted(saved.path) + ": " + problem);
}

int ExtractAll(const frame::Text& source, int32_t count, SaveFormat format,
               const frame::Text& folder, const frame::Text& prefix) {
  extract::ExtractedIcons result;
  {
    Progress progress("extracting icon", count);
    result = extract::ExtractAllIcons(source, count, format, folder, prefix,
                                      [&progress](int32_t index) { progress.Show(index); });
  }
  if (result.refusedBytes > 0)
    return Fail("cannot extract: the icon files would take " +
                std::to_string((result.refusedBytes + (1 << 20) - 1) >> 20) +
                " MiB, more than the " + std::to_string(extract::kMaxExtractionBytes >> 20) +
                " MiB one extraction may write");
  if (!IsExistingFolder(result.folder)) return FolderFailure(result.folder);
  int fromHandle = 0;
  const extract::SavedIcon* firstFailure = nullptr;
  int failures = 0;
  for (const extract::SavedIcon& saved : result.icons) {
    if (saved.written) PrintWritten(saved.path);
    fromHandle += saved.fromHandle;
    if (!saved.written && failures++ == 0) firstFailure = &saved;
  }
  if (fromHandle > 0)
    PrintNote(std::to_string(fromHandle) + " of " + std::to_string(count) +
              " icons were built at 32 x 32 from their icon handles, as their groups could not "
              "be copied; the last: " +
              result.status.ToUtf8());
  if (failures == 0) return kSucceeded;
  std::string problem = SaveProblem(*firstFailure);
  if (failures == count) RemoveIfEmpty(result.folder);
  return Fail("cannot write " + std::to_string(failures) + " of " + std::to_string(count) +
              " files, the first " + Quoted(firstFailure->path) + ": " + problem);
}

struct ExtractRequest {
  bool all = false;
  int32_t index = 0;
  SaveFormat format = SaveFormat::Ico;
  frame::Text prefix;
};

// Extracts from one source into the folder. In a batch a module without icons is no error.
Outcome ExtractFrom(const ExtractRequest& request, const frame::Text& source,
                    const frame::Text& folder, bool batch) {
  frame::LoadedSource loaded(source);  // counted and extracted from one read
  int32_t count = extract::CountIcons(source);
  if (count < 1) {
    SourceFacts facts = ExamineSource(source);
    if (batch && facts.kind == SourceFacts::Kind::Module && facts.groups.empty())
      return Outcome::Nothing;
    std::string reason =
        facts.problem.empty() ? std::string("the platform finds no icons in it") : facts.problem;
    Fail("no icons in " + Quoted(source) + ": " + reason);
    return Outcome::Failed;
  }
  int status = kFailed;
  if (request.all) {
    status = ExtractAll(source, count, request.format, folder, request.prefix);
  } else if (request.index < 1 || request.index > count) {
    Fail("no such icon: index " + std::to_string(request.index) + ", but " + Quoted(source) +
         " holds " + std::to_string(count) + " icon" + (count == 1 ? "" : "s") +
         " (indices from 1)");
  } else {
    status = ExtractOne(source, count, request.index, request.format, folder, request.prefix);
  }
  return status == kSucceeded ? Outcome::Done : Outcome::Failed;
}

}  // namespace

int RunExtract(const Arguments& arguments) {
  constexpr std::string_view kCommand = "extract";
  if (arguments.operands().empty()) return UsageError(kCommand, "give at least one FILE");
  ExtractRequest request;
  request.all = arguments.Has("--all");
  std::optional<std::string> indexText = arguments.Value("--index");
  if (request.all == indexText.has_value())
    return UsageError(kCommand, "give either --index N or --all");
  std::optional<int32_t> index;
  if (indexText && !(index = Integer(*indexText)))
    return UsageError(kCommand, "the index '" + *indexText + "' is not a whole number");
  request.index = index.value_or(0);
  std::string formatName = arguments.Value("--format").value_or("ico");
  std::optional<SaveFormat> format = FormatNamed(formatName);
  if (!format)
    return UsageError(kCommand, "unknown format '" + formatName +
                                    "': choose ico, png, bmp, bmp-transparent, jpg, gif or tiff");
  request.format = *format;
  std::string prefixText = arguments.Value("--prefix").value_or("");
  if (prefixText.find_first_of("/\\") != std::string::npos)
    return UsageError(kCommand, "the prefix '" + prefixText + "' holds a path separator");
  std::optional<int> jobs = JobsOption(arguments, kCommand);
  if (!jobs) return kUsageError;
  Checked<frame::Text> prefix = ProgramText(prefixText);
  if (!prefix) return Fail("cannot use the prefix: " + prefix.error());
  request.prefix = *prefix;

  BatchInputs batch =
      CollectInputs(arguments.operands(), arguments.Has("--recursive"), InputKind::Source);
  if (!batch.batch) {
    std::optional<frame::Text> source = ReadableFile(batch.inputs.front().path);
    if (!source) return kFailed;
    std::optional<frame::Text> folder = OutputFolder(arguments, *source);
    if (!folder) return kFailed;
    return ExtractFrom(request, *source, *folder, false) == Outcome::Done ? kSucceeded : kFailed;
  }
  // Each input into a folder of its own under --out.
  std::optional<std::string> outFolder = BatchOutputFolder(arguments.Value("--out"));
  if (!outFolder) return kFailed;
  AssignOutputNames(batch, *outFolder, OutputNaming::Folder);
  return RunBatch(batch, *jobs, {"with icons", "without", true},
                  [&request, &outFolder](const BatchInput& input) {
                    std::optional<frame::Text> source = ReadableFile(input.path);
                    if (!source) return Outcome::Failed;
                    std::optional<frame::Text> folder =
                        PathOperand((std::filesystem::path(*outFolder) / input.name).string());
                    if (!folder) return Outcome::Failed;
                    return ExtractFrom(request, *source, *folder, true);
                  });
}

int RunFolderIcon(const Arguments& arguments) {
  constexpr std::string_view kCommand = "folder-icon";
  if (arguments.operands().size() != 1) return UsageError(kCommand, "folder-icon takes one FOLDER");
  std::optional<std::string> out = arguments.Value("--output");
  if (!out) return UsageError(kCommand, "give the icon file to write with -o OUT.ico");
  std::optional<frame::Text> folder = PathOperand(arguments.operands()[0]);
  if (!folder) return kFailed;
  if (!IsExistingFolder(*folder)) return Fail("not a folder: " + Quoted(*folder));
  std::optional<frame::Text> target = PathOperand(*out);
  if (!target) return kFailed;
  if (!extract::SaveFolderIcon(*folder, *target)) return WriteFailure(*target);
  PrintWritten(*target);
  return kSucceeded;
}

}  // namespace cli
