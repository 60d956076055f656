// The layout of the icon formats and their limits, as plain data: an icon file's 6-byte header and
// 16-byte directory entries, a group-icon resource's 14-byte entries, and the bounds every reader
// and writer of them keeps. The functions that read and write this layout are in ico.h; this
// header holds no code, so the frame can hand its facts to the program.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::codecs {

constexpr size_t kIcoHeaderSize = 6;
constexpr size_t kIcoEntrySize = 16;
constexpr size_t kGroupIconEntrySize = 14;
// The fields an icon file's entry shares with a group-icon entry, before the offset or the id.
constexpr size_t kIcoEntryHeadSize = 12;

// The most images a reader that decodes or chooses among them takes (ReadIcoDirectory's cap):
// real icons hold a few dozen, and each may be decoded.
constexpr size_t kMaxIconImages = 1024;
// The most images an icon file's 16-bit count can hold: what the program writes and takes apart,
// bounded in bytes by kMaxIconFileBytes instead of by count.
constexpr size_t kMaxIconEntries = 65535;
// The largest icon file the program writes or takes apart. Real icons stay far below it; a
// directory that lists one image thousands of times would otherwise ask for gigabytes, and past
// 4 GiB the file's 32-bit image offsets would wrap.
constexpr uint64_t kMaxIconFileBytes = uint64_t{256} << 20;
// The largest PNG icon image decoded.
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

}  // namespace platform::codecs
