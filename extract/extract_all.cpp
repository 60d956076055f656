#include "extract/extract_all.h"

#include <memory>
#include <optional>
#include <string>

#include "extract/icon_source.h"
#include "frame/commands.h"
#include "frame/external_functions.h"
#include "frame/form/colours.h"
#include "frame/literal.h"
#include "frame/loaded_source.h"
#include "frame/translated.h"
#include "icofile/shell_paths.h"
#include "imaging/image_object.h"

namespace extract {
namespace {

constexpr int32_t kOpaque = 255;
constexpr uint64_t kHandleIconBytes = 4286;  // an icon built from its handle, 32 x 32 x 32 bits
constexpr uint64_t kMiB = uint64_t{1} << 20;

bool Exists(const frame::Text& path) {
  return frame::GetFileAttributes(path) != -1;
}

// Bitmap, JPG and GIF are laid over white; the others keep the icon's transparency. Without an
// icon nothing is saved: the reused image object still holds the previous icon's picture.
bool SavePictureOf(imaging::ImageObject& image, win32::HICON icon, SaveFormat format,
                   const frame::Text& path) {
  if (!image.FromIconHandle(icon)) return false;
  bool overWhite =
      format == SaveFormat::Bmp || format == SaveFormat::Jpg || format == SaveFormat::Gif;
  if (overWhite)
    return image.SaveToFile(path, static_cast<int32_t>(format), std::nullopt, frame::form::kWhite,
                            kOpaque);
  return image.SaveToFile(path, static_cast<int32_t>(format));
}

}  // namespace

frame::Text RefusalText(uint64_t refusedBytes) {
  return frame::Format(
      TR("extraction",
         "全部提取失败！这些图标共需写入 %1 MB，超过了一次提取最多写入 %2 MB 的限制。"),
      (refusedBytes + kMiB - 1) / kMiB, kMaxExtractionBytes / kMiB);
}

// A file at the path is taken as well as a folder: a fresh folder could not be made there.
frame::Text FreeFolderName(const frame::Text& folder) {
  if (!Exists(folder)) return folder;
  for (int64_t suffix = 1;; ++suffix) {
    frame::Text candidate = folder + frame::Text("(" + std::to_string(suffix) + ")");
    if (!Exists(candidate)) return candidate;
  }
}

ExtractedIcons ExtractAllIcons(const frame::Text& source, int32_t count, SaveFormat format,
                               const frame::Text& outputFolder, const frame::Text& prefix,
                               const std::function<void(int32_t index)>& afterEach,
                               const std::function<bool()>& stop) {
  ExtractedIcons result;
  if (count <= 0) return result;
  result.folder = FreeFolderName(outputFolder);
  // The module is read, and its groups listed, once for the whole batch.
  frame::LoadedSource loaded(source);
  std::unique_ptr<frame::IconGroupSource> groups;
  if (format == SaveFormat::Ico) {
    groups = std::make_unique<frame::IconGroupSource>(source);
    uint64_t total = 0;
    for (int32_t index = 1; index <= count; ++index) {
      uint64_t size = groups->FileSize(index);
      total += size > 0 ? size : kHandleIconBytes;
    }
    if (total > kMaxExtractionBytes) {
      result.refusedBytes = total;
      return result;
    }
  }
  icofile::CreateFolderPath(result.folder);
  if (!icofile::IsFolder(result.folder)) return result;  // nothing could be written into it
  imaging::ImageObject image;
  for (int32_t index = 1; index <= count; ++index) {
    frame::Text path = OutputFileName(result.folder, prefix, index, count, format);
    if (groups) {
      SavedIcon saved = SaveIconGroup(*groups, source, index, IndexNumber(index, count), path);
      // Only what did not copy its group reaches the status line.
      if (saved.written && !saved.fromHandle)
        saved.status = frame::Text();
      else
        result.status = saved.status;
      result.icons.push_back(std::move(saved));
    } else {
      win32::HICON icon = IconAt(source, index);
      SavedIcon saved;
      saved.path = path;
      saved.noIcon = !icon;
      saved.written = SavePictureOf(image, icon, format, path);
      ext::DestroyIcon(icon);
      result.icons.push_back(std::move(saved));
    }
    if (afterEach) afterEach(index);
    if (stop && stop()) break;
  }
  return result;
}

}  // namespace extract
