#include "icofile/rebuild.h"

#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/icon_format.h"
#include "frame/literal.h"
#include "frame/private_folder.h"
#include "frame/services.h"
#include "icofile/icon_container.h"
#include "icofile/shell_paths.h"

namespace icofile {

using frame::literals::operator""_gbk;

namespace {

// A rebuilt icon of more than its header and one directory entry holds at least one image.
constexpr size_t kEmptyIconSize = frame::kIconFileHeaderSize + frame::kIconFileEntrySize;

}  // namespace

std::optional<frame::ByteSet> RebuildIconBytes(const frame::ByteSet& icon, Rebuilt* failure) {
  Rebuilt ignored;
  Rebuilt& why = failure ? *failure : ignored;
  if (IconImagesTooLarge(icon)) {
    why = Rebuilt::TooLarge;
    return std::nullopt;
  }
  frame::PrivateFolder scratch;
  if (scratch.path().empty()) {
    why = Rebuilt::NoScratch;
    return std::nullopt;
  }
  std::vector<WalkedImage> kept;
  const frame::Text probe = scratch.path() + "probe.ico"_gbk;
  for (WalkedImage& image : WalkIconImages(icon)) {
    if (image.image.empty()) continue;  // never loads; a damaged count may list thousands
    frame::WriteFile(probe, MakeSingleImageIcon(image.entryHead, image.image));
    win32::HICON loaded = ProbeIconLoad(probe);
    if (loaded) kept.push_back(std::move(image));
    frame::DeleteFile(probe);
    ext::DestroyIcon(loaded);
  }
  // Kept images are at most the walked ones, which fit kMaxIconFileBytes: no offset wraps. An
  // image cut short by the end of its file keeps the length it has, so the next offset is right.
  frame::ByteSet file = IconFileHeader(kept.size());
  uint32_t offset =
      static_cast<uint32_t>(frame::kIconFileHeaderSize + frame::kIconFileEntrySize * kept.size());
  for (const WalkedImage& image : kept) {
    frame::IconFileEntry entry = image.entry;
    entry.bytesInResource = static_cast<uint32_t>(image.image.size());
    entry.offset = offset;
    frame::AppendIconFileEntry(file, entry);
    offset += entry.bytesInResource;
  }
  for (const WalkedImage& image : kept)
    file += image.image;
  return file;
}

Rebuilt RebuildIconFile(const frame::Text& source, const frame::Text& target) {
  Rebuilt failure = Rebuilt::NothingKept;
  std::optional<frame::ByteSet> rebuilt = RebuildIconBytes(frame::ReadFile(source), &failure);
  if (!rebuilt) return failure;
  if (rebuilt->size() <= kEmptyIconSize) return Rebuilt::NothingKept;
  return frame::WriteFile(target, *rebuilt) ? Rebuilt::Written : Rebuilt::NotWritten;
}

std::vector<FolderRebuild> RebuildIconFolder(
    const frame::Text& sourceFolder, const frame::Text& targetFolder,
    const std::function<void(const FolderRebuild&)>& afterEach, const std::function<bool()>& stop) {
  const frame::Text from = WithTrailingSeparator(sourceFolder);
  const frame::Text to = WithTrailingSeparator(targetFolder);
  std::vector<FolderRebuild> results;
  uint32_t search = 0;
  for (frame::Text name = frame::FindFileEntry(from + "*.ico"_gbk, 0, true, search); !name.empty();
       name = frame::FindFileEntry(frame::Text(), 0, true, search)) {
    FolderRebuild file{name, RebuildIconFile(from + name, to + name)};
    if (afterEach) afterEach(file);
    results.push_back(std::move(file));
    if (stop && stop()) break;
  }
  frame::CloseFileSearch(search);
  return results;
}

bool RebuildFailed(Rebuilt result) {
  return result == Rebuilt::NotWritten || result == Rebuilt::NoScratch ||
         result == Rebuilt::TooLarge;
}

}  // namespace icofile
