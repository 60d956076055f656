#include "extract/save_format.h"

#include <string>

#include "frame/literal.h"
#include "icofile/shell_paths.h"

namespace extract {

using frame::literals::operator""_gbk;

std::optional<SaveFormat> SaveFormatAt(int32_t index) {
  if (index < 0 || index >= kSaveFormatCount) return std::nullopt;
  return static_cast<SaveFormat>(index);
}

const frame::Text& ExtensionOf(SaveFormat format) {
  switch (format) {
    case SaveFormat::Jpg:
      return ".jpg"_gbk;
    case SaveFormat::Gif:
      return ".gif"_gbk;
    case SaveFormat::Tiff:
      return ".tiff"_gbk;
    case SaveFormat::Png:
      return ".png"_gbk;
    case SaveFormat::Ico:
      return ".ico"_gbk;
    case SaveFormat::Bmp:
    case SaveFormat::TransparentBmp:
      break;
  }
  return ".bmp"_gbk;
}

frame::Text IndexNumber(int32_t index, int32_t count) {
  constexpr int32_t kThresholds[] = {10, 100, 1000};
  int width = count >= 1000 ? 4 : count >= 100 ? 3 : count >= 10 ? 2 : 1;
  size_t zeros = 0;
  for (int i = 0; i < width - 1; ++i)
    zeros += index < kThresholds[i];
  return frame::Text(std::string(zeros, '0') + std::to_string(index));
}

frame::Text OutputFileName(const frame::Text& folder, const frame::Text& prefix, int32_t index,
                           int32_t count, SaveFormat format) {
  return folder + icofile::PathSeparator() + prefix + IndexNumber(index, count) +
         ExtensionOf(format);
}

}  // namespace extract
