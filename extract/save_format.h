// The save formats of the extraction page and how its output files are named: the format list's
// order, each format's extension, and the zero-padded index number.
#pragma once

#include <cstdint>
#include <optional>

#include "frame/values.h"

namespace extract {

// By the 0-based position of the format list's items.
enum class SaveFormat : int32_t {
  Bmp = 0,
  Jpg = 1,
  Gif = 2,
  Tiff = 3,
  Png = 4,
  Ico = 5,
  TransparentBmp = 6,
};
constexpr int32_t kSaveFormatCount = 7;

// The format at a list position; none outside the list.
std::optional<SaveFormat> SaveFormatAt(int32_t index);

// ".bmp", ".jpg", ".gif", ".tiff", ".png", ".ico", ".bmp".
const frame::Text& ExtensionOf(SaveFormat format);

// The decimal index with a zero in front for each power of ten up to the icon count's (at most
// three) that it stays below: index 7 of 120 icons is "007", index 42 of 1500 is "0042".
frame::Text IndexNumber(int32_t index, int32_t count);

// folder + separator + prefix + index number + extension.
frame::Text OutputFileName(const frame::Text& folder, const frame::Text& prefix, int32_t index,
                           int32_t count, SaveFormat format);

}  // namespace extract
