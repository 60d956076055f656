// The icon file layout as the program's icon-file operations (icofile/) use it: its limits, the
// walk of a file being taken apart, the writer of headers and entries, and the height field of a
// PNG image. The platform's icon-format module (platform/core/codecs/ico.h) is the one reader and
// writer of that layout; this is its face to the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "frame/values.h"
#include "platform/core/codecs/ico_layout.h"

namespace frame {

using platform::codecs::kMaxIconEntries;
using platform::codecs::kMaxIconFileBytes;
using IconImageInfo = platform::codecs::IconImageInfo;
using IconFileEntry = platform::codecs::IcoEntry;
constexpr uint32_t kIconFileHeaderSize = platform::codecs::kIcoHeaderSize;
constexpr uint32_t kIconFileEntrySize = platform::codecs::kIcoEntrySize;

// The directory as far as a damaged file goes (platform::codecs::WalkIcoDirectory), an image's
// bytes cut short at the end, and whether the images add up past kMaxIconFileBytes.
std::vector<IconFileEntry> WalkIconDirectory(const ByteSet& icon);
ByteSet WalkedIconImage(const ByteSet& icon, const IconFileEntry& entry);
bool WalkedIconImagesTooLarge(const ByteSet& icon);

// An icon file's 6-byte header (`count` at most kMaxIconEntries), an entry's twelve leading
// bytes, a whole entry.
void AppendIconFileHeader(ByteSet& out, size_t count);
void AppendIconImageInfo(ByteSet& out, const IconImageInfo& info);
void AppendIconFileEntry(ByteSet& out, const IconFileEntry& entry);

bool IsPngImage(const ByteSet& image);
// A PNG stream any conforming reader takes as it is (platform::codecs::IsStrictPng): what may be
// stored in an icon file unchanged.
bool IsStrictPngImage(const ByteSet& image);
// A PNG image's IHDR width and height as stored (0 where the bytes are missing), and the
// height's rewriting in place (false when the image is too short to hold it).
uint32_t PngImageWidth(const ByteSet& image);
uint32_t PngImageHeight(const ByteSet& image);
bool SetPngImageHeight(ByteSet& image, uint32_t height);

}  // namespace frame
