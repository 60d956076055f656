// Icon images and icon files made for tests and benchmarks: DIBs in the icon layout (header with
// doubled height, colour table, colour rows bottom-up, AND mask), PNG streams, and icon files
// that hold them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace testing_support {

using Bytes = std::vector<uint8_t>;

// What a test DIB is made of: its size, depth, palette, pixels and AND mask.
struct DibRecipe {
  int width = 16;
  int height = 16;
  int bitCount = 32;
  // 1..8 bits: 0x00RRGGBB entries (2^bitCount when empty: a grey ramp).
  std::vector<uint32_t> palette;
  // The stored value of pixel (x, y), y = 0 the top row: a palette index for 1..8 bits, 0x7FFF
  // RGB555 for 16 bits, 0xAARRGGBB for 24 (alpha dropped) and 32 bits.
  std::function<uint32_t(int x, int y)> pixel = [](int, int) { return 0xFF000000u; };
  // The AND-mask bit of pixel (x, y); null: no bit set.
  std::function<bool(int x, int y)> masked;
  bool withMask = true;  // false: the image ends after its colour rows
};

Bytes MakeIconDib(const DibRecipe& recipe);
// A bitmap file: 14-byte file header, then a DIB without mask and with the real height.
Bytes MakeBmpFile(const DibRecipe& recipe);
// A PNG stream of a width x height image filled with one 0xAARRGGBB colour.
Bytes MakePng(int width, int height, uint32_t argb);
// An icon file holding the images in order; directory fields come from each image (for a PNG:
// width and height 0, planes 1, 32 bits).
Bytes MakeIcoFile(const std::vector<Bytes>& images);

// The icon file (as MakeIcoFile makes it) with its images stored in reverse order; the directory
// keeps its order and points at them.
Bytes ReverseImageStorage(const Bytes& icoFile);
// An icon file whose directory lists one image `count` times, every entry at the same offset:
// a small file that would have a naive copier write `count` copies of the image.
Bytes RepeatedImageIcon(const Bytes& image, size_t count);
// A group-icon directory that lists the icon resource `id` (holding `image`) `count` times.
Bytes RepeatedImageGroup(const Bytes& image, uint16_t id, size_t count);

// Little-endian helpers for building and inspecting layouts.
void PutU16(Bytes& b, size_t at, uint16_t v);
void PutU32(Bytes& b, size_t at, uint32_t v);
void AppendU16(Bytes& b, uint16_t v);
void AppendU32(Bytes& b, uint32_t v);
uint16_t GetU16(const Bytes& b, size_t at);
uint32_t GetU32(const Bytes& b, size_t at);

}  // namespace testing_support
