// The icon formats, the one reader and writer of their layout (ico_layout.h): the directory of an
// icon file (checked, or walked as far as a damaged file goes), the group-icon directory of an
// executable's resources, an image's own header, the choice of one image for a wanted size, the
// decoding of one image, stored either as a DIB (decoded in icon mode, see dib.h) or as a PNG
// stream, and the header and entries of a file being written. Inputs are hostile: counts,
// offsets and sizes are checked against the data before use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/core/codecs/dib.h"
#include "platform/core/codecs/ico_layout.h"
#include "platform/core/result.h"

namespace platform::codecs {

enum class IcoError {
  Truncated,
  NotIconFile,  // reserved field not 0, or a type other than icon (1) or cursor (2)
  NoImages,
  TooManyImages,    // more than the reader's cap (kMaxIconImages unless the caller gives another)
  ImageOutOfRange,  // an image's offset and size reach past the end of the file
  BadImage,         // neither a decodable DIB nor a decodable PNG stream
  TooLarge,         // a PNG image larger than kMaxIconPngDimension
};
std::string_view ToString(IcoError error);

struct IcoDirectory {
  uint16_t type = 1;  // 1 icon, 2 cursor
  std::vector<IcoEntry> entries;
};

// The checked directory: header fields valid, at most `maxImages` entries (a caller that copies
// images whole rather than decoding them takes up to kMaxIconEntries and bounds the bytes by
// kMaxIconFileBytes), every entry within the file.
Result<IcoDirectory, IcoError> ReadIcoDirectory(std::span<const uint8_t> file,
                                                size_t maxImages = kMaxIconImages);
// The bytes of one image of an icon file.
Result<std::span<const uint8_t>, IcoError> IcoImageBytes(std::span<const uint8_t> file,
                                                         const IcoEntry& entry);
// The directory of a group-icon resource: 6-byte header, then 14-byte entries.
Result<std::vector<GroupIconEntry>, IcoError> ReadGroupIconDirectory(
    std::span<const uint8_t> group, size_t maxImages = kMaxIconImages);

// The directory as the icon-file tools take a damaged file apart (the split and the rebuild rely
// on it): the header's reserved and type fields are not checked, and whatever lies past the end
// of the file (count, entries) reads as zero byte by byte, so every entry the count names is
// listed. Never more than kMaxIconEntries.
std::vector<IcoEntry> WalkIcoDirectory(std::span<const uint8_t> file);
// An image's bytes as the walk takes them: cut short at the end of the file, empty when it
// starts past the end.
std::span<const uint8_t> WalkedIcoImageBytes(std::span<const uint8_t> file, const IcoEntry& entry);
// Whether the images the walk would take add up to more than kMaxIconFileBytes, counted entry by
// entry, so a directory that lists one image over and over is refused before anything is copied.
bool WalkedIcoImagesTooLarge(std::span<const uint8_t> file);

// The writer: the header of an icon file (type 1) or cursor file (type 2) of `count` images (at
// most kMaxIconEntries), an entry's twelve leading bytes, a whole 16-byte entry.
void AppendIcoHeader(std::vector<uint8_t>& out, size_t count, uint16_t type = 1);
void AppendIconImageInfo(std::vector<uint8_t>& out, const IconImageInfo& info);
void AppendIcoEntry(std::vector<uint8_t>& out, const IcoEntry& entry);

// What an image's own header says of it, read at the header's fixed places without decoding: a
// PNG stream's IHDR fields, or a DIB's info header. Bytes past the end of the image read as zero;
// `complete` tells whether the image holds every field read.
struct IconImageHeader {
  bool png = false;
  bool complete = false;
  uint32_t width = 0;
  uint32_t height = 0;  // as stored: a DIB's counts its colour rows and its mask
  uint16_t planes = 0;  // a DIB's fields
  uint16_t bitCount = 0;
  uint8_t pngBitDepth = 0;  // a PNG's fields
  uint8_t pngColourType = 0;
};
IconImageHeader ReadIconImageHeader(std::span<const uint8_t> image);

bool IsPng(std::span<const uint8_t> image);
// One image: a PNG stream, or a DIB decoded in icon mode.
Result<DibImage, IcoError> DecodeIconImage(std::span<const uint8_t> image);
// Image `index` (0-based, directory order) of an icon file.
Result<DibImage, IcoError> DecodeIcoImage(std::span<const uint8_t> file, size_t index);

// The image that best fits a wanted size, as the platform's lookup chooses: the largest size
// that does not exceed the wanted one (the smallest when all exceed it), then the deepest colour
// depth up to 32 bits; the first in directory order among equals. `images` must not be empty.
size_t ChooseIconImage(std::span<const IconImageInfo> images, int width, int height);
template <class Entry>
size_t ChooseIconImage(const std::vector<Entry>& entries, int width, int height) {
  std::vector<IconImageInfo> infos(entries.begin(), entries.end());
  return ChooseIconImage(std::span<const IconImageInfo>(infos), width, height);
}

}  // namespace platform::codecs
