#include "icofile/split.h"

#include <algorithm>
#include <string>

#include "extract/icon_image.h"
#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/le_bytes.h"
#include "frame/literal.h"
#include "icofile/icon_container.h"
#include "icofile/shell_paths.h"

namespace icofile {

using frame::operator""_gbk;

namespace {

constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t kPngHeightField = 20;  // the IHDR chunk's big-endian height
constexpr size_t kClearedHeightByte = 22;
constexpr uint32_t kBmpFileHeaderSize = 14;

bool IsPng(const frame::ByteSet& image) {
  return image.size() >= sizeof kPngSignature &&
         std::equal(std::begin(kPngSignature), std::end(kPngSignature), image.data());
}

// Only a height of 0 is the mark of the clearing; any other height is the image's own.
void RestorePngHeight(frame::ByteSet& image) {
  if (IsPng(image) && image.size() > kClearedHeightByte + 1 &&
      frame::ReadU32BigEndian(image.span(), kPngHeightField) == 0)
    image[kClearedHeightByte] = 1;
}

// The loaded icon drawn again at its width as a 32-bit bitmap, for the new icon.
IconBuildEntry RedrawnEntry(win32::HICON icon, uint8_t width) {
  extract::IconToBmpOptions options;
  options.size = width;
  IconBuildEntry entry;
  entry.size = width;
  entry.bitCount = 32;
  entry.image = extract::IconToBmp(icon, options);
  entry.bytesInResource =
      static_cast<uint32_t>(entry.image.size() - kBmpFileHeaderSize + AndMaskSize(width));
  return entry;
}

frame::Text Numbered(const frame::Text& folder, const char* head, size_t number, const char* tail) {
  return folder + frame::Text(head + std::to_string(number) + tail);
}

}  // namespace

frame::Text SplitFolder(const frame::Text& targetFolder, const frame::Text& iconPath) {
  return WithTrailingSeparator(targetFolder) + FileNameOfPath(iconPath, false) + PathSeparator();
}

// An image that is empty (the directory lists more images than the file holds) gives no file;
// an icon whose one-image file was not written is not probed, so an older file of the same name
// is never taken for it.
SplitOutcome SplitIconFile(const frame::Text& iconPath, const frame::Text& targetFolder) {
  SplitOutcome outcome;
  outcome.folder = SplitFolder(targetFolder, iconPath);
  CreateFolderPath(outcome.folder);
  IconBuildList redrawn;
  size_t number = 0;
  for (WalkedImage& image : WalkIconImages(frame::ReadFile(iconPath))) {
    ++number;
    if (image.image.empty()) continue;
    frame::Text single = Numbered(outcome.folder, "Par", number, ".ico");
    bool written = frame::WriteFile(single, MakeSingleImageIcon(image.entryHead, image.image));
    win32::HICON icon = written ? ProbeIconLoad(single) : 0;
    if (icon) {
      if (image.bitCount >= 32 && image.width >= 8)
        redrawn.push_back(RedrawnEntry(icon, image.width));
      outcome.written.push_back(single);
      ext::DestroyIcon(icon);
      continue;
    }
    RestorePngHeight(image.image);
    frame::Text png = Numbered(outcome.folder, "", number, ".png");
    if (frame::WriteFile(png, image.image))
      outcome.written.push_back(png);
    else
      outcome.complete = false;
    frame::DeleteFile(single);
  }
  if (!redrawn.empty()) {
    frame::Text newIcon = outcome.folder + "new.ico"_gbk;
    if (frame::WriteFile(newIcon, BuildIconFile(redrawn)))
      outcome.written.push_back(newIcon);
    else
      outcome.complete = false;
  }
  return outcome;
}

}  // namespace icofile
