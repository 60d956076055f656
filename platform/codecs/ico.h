// The icon formats: the directory of an icon file, the group-icon directory of an executable's
// resources, the choice of one image for a wanted size, and the decoding of one image, stored
// either as a DIB (decoded in icon mode, see dib.h) or as a PNG stream. Inputs are hostile:
// counts, offsets and sizes are checked against the data before use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/codecs/dib.h"
#include "platform/result.h"

namespace platform::codecs {

enum class IcoError {
  Truncated,
  NotIconFile,  // reserved field not 0, or a type other than icon (1) or cursor (2)
  NoImages,
  TooManyImages,    // more than kMaxIconImages
  ImageOutOfRange,  // an image's offset and size reach past the end of the file
  BadImage,         // neither a decodable DIB nor a decodable PNG stream
  TooLarge,         // a PNG image larger than kMaxIconPngDimension
};
std::string_view ToString(IcoError error);

constexpr size_t kMaxIconImages = 1024;
constexpr int kMaxIconPngDimension = 4096;

// The twelve leading bytes that a file's directory entry and a group-icon entry share.
struct IconImageInfo {
  uint8_t width = 0;  // 0 means 256
  uint8_t height = 0;
  uint8_t colourCount = 0;
  uint8_t reserved = 0;
  uint16_t planes = 0;
  uint16_t bitCount = 0;
  uint32_t bytesInResource = 0;

  int pixelWidth() const { return width == 0 ? 256 : width; }
  int pixelHeight() const { return height == 0 ? 256 : height; }
  // Bits per pixel; old directories leave the field 0 and give only the colour count.
  int depth() const;
};

struct IcoEntry : IconImageInfo {
  uint32_t offset = 0;
};

struct GroupIconEntry : IconImageInfo {
  uint16_t id = 0;  // the icon resource (type 3) that holds the image
};

struct IcoDirectory {
  uint16_t type = 1;  // 1 icon, 2 cursor
  std::vector<IcoEntry> entries;
};

constexpr size_t kIcoHeaderSize = 6;
constexpr size_t kIcoEntrySize = 16;
constexpr size_t kGroupIconEntrySize = 14;

Result<IcoDirectory, IcoError> ReadIcoDirectory(std::span<const uint8_t> file);
// The bytes of one image of an icon file.
Result<std::span<const uint8_t>, IcoError> IcoImageBytes(std::span<const uint8_t> file,
                                                         const IcoEntry& entry);
// The directory of a group-icon resource: 6-byte header, then 14-byte entries.
Result<std::vector<GroupIconEntry>, IcoError> ReadGroupIconDirectory(
    std::span<const uint8_t> group);

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
