#include "icofile/split.h"

#include <algorithm>
#include <string>

#include "extract/icon_image.h"
#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/icon_format.h"
#include "frame/literal.h"
#include "icofile/icon_container.h"
#include "icofile/shell_paths.h"

namespace icofile {

using frame::literals::operator""_gbk;

namespace {

// 256 x 256 PNG images may come with their IHDR height cleared to 0; a ".png" file gets it back.
constexpr uint32_t kClearedPngHeight = 256;

// Only a height of 0 is the mark of the clearing; any other height is the image's own.
void RestorePngHeight(frame::ByteSet& image) {
  if (frame::IsPngImage(image) && frame::PngImageHeight(image) == 0)
    frame::SetPngImageHeight(image, kClearedPngHeight);
}

// The loaded icon drawn again at its width as a 32-bit bitmap, for the new icon.
IconBuildEntry RedrawnEntry(win32::HICON icon, uint8_t width) {
  extract::IconToBmpOptions options;
  options.size = width;
  return BitmapEntry(extract::IconToBmp(icon, options), width);
}

frame::Text Numbered(const frame::Text& folder, const char* head, size_t number, const char* tail) {
  return folder + frame::Text(head + std::to_string(number) + tail);
}

}  // namespace

frame::Text SplitFolder(const frame::Text& targetFolder, const frame::Text& iconPath) {
  return WithTrailingSeparator(targetFolder) + FolderNameFor(iconPath) + PathSeparator();
}

SplitOutcome SplitIconFile(const frame::Text& iconPath, const frame::Text& targetFolder) {
  return SplitIconFileInto(iconPath, SplitFolder(targetFolder, iconPath));
}

// An icon whose one-image file was not written is not probed, so an older file of the same name
// is never taken for it.
SplitOutcome SplitIconFileInto(const frame::Text& iconPath, const frame::Text& folder) {
  SplitOutcome outcome;
  outcome.folder = WithTrailingSeparator(folder);
  frame::ByteSet icon = frame::ReadFile(iconPath);
  if (IconImagesTooLarge(icon)) {
    outcome.tooLarge = true;
    return outcome;
  }
  CreateFolderPath(outcome.folder);
  IconBuildList redrawn;
  uint64_t redrawnBytes = frame::kIconFileHeaderSize;
  size_t number = 0;
  auto write = [&outcome](const frame::Text& path, const frame::ByteSet& bytes) {
    (frame::WriteFile(path, bytes) ? outcome.written : outcome.failed).push_back(path);
  };
  for (WalkedImage& image : WalkIconImages(icon)) {
    ++number;
    if (image.image.empty()) {
      outcome.skipped.push_back(number);
      continue;
    }
    frame::Text single = Numbered(outcome.folder, "Par", number, ".ico");
    bool written = frame::WriteFile(single, MakeSingleImageIcon(image.entryHead, image.image));
    win32::HICON loaded = written ? ProbeIconLoad(single) : 0;
    if (loaded) {
      if (image.bitCount >= 32 && image.width >= 8 && !outcome.newIconTooLarge) {
        redrawn.push_back(RedrawnEntry(loaded, image.width));
        redrawnBytes += frame::kIconFileEntrySize + redrawn.back().bytesInResource;
        if (redrawnBytes > kMaxIconFileBytes) {
          outcome.newIconTooLarge = true;
          redrawn.clear();
        }
      }
      outcome.written.push_back(single);
      ext::DestroyIcon(loaded);
      continue;
    }
    frame::DeleteFile(single);
    if (!frame::IsPngImage(image.image)) {
      // Only PNG data becomes a ".png" file. An image whose one-image file could not be written
      // was never probed: that file counts as failed.
      if (written)
        outcome.skipped.push_back(number);
      else
        outcome.failed.push_back(single);
      continue;
    }
    RestorePngHeight(image.image);
    write(Numbered(outcome.folder, "", number, ".png"), image.image);
  }
  if (!redrawn.empty()) write(outcome.folder + "new.ico"_gbk, BuildIconFile(redrawn));
  return outcome;
}

}  // namespace icofile
