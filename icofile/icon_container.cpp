#include "icofile/icon_container.h"

#include <algorithm>

#include "frame/external_functions.h"
#include "frame/fatal.h"
#include "frame/le_bytes.h"

namespace icofile {

using frame::AppendU16;
using frame::AppendU32;
using frame::AppendU8;
using frame::ReadBytes;
using frame::ReadU16;
using frame::ReadU32;
using frame::ReadU8;

namespace {

constexpr uint32_t kHeaderSize = 6;
constexpr uint32_t kEntrySize = 16;
constexpr uint32_t kEntryHeadSize = 12;
constexpr uint32_t kBmpHeadersSize = 54;  // file header and info header of a BMP file
constexpr uint32_t kInfoHeaderSize = 40;

// A PNG image gets a valid entry: size 0 (256), planes 1, 32 bits per pixel.
void AppendDirectoryEntry(frame::ByteSet& out, const IconBuildEntry& e, uint32_t offset) {
  bool png = e.size == 0;
  AppendU8(out, e.size);
  AppendU8(out, e.size);
  AppendU8(out, 0);
  AppendU8(out, 0);
  AppendU16(out, 1);
  AppendU16(out, png ? 32 : e.bitCount);
  AppendU32(out, e.bytesInResource);
  AppendU32(out, offset);
}

// A bitmap entry's image: a new info header, the BMP's pixel rows, zeros up to the entry's
// length (the AND mask).
frame::ByteSet BitmapImage(const IconBuildEntry& e) {
  frame::ByteSet bmp = e.image;
  if (bmp.size() < kBmpHeadersSize && bmp.size() < e.bytesInResource) {
    frame::CheckBlockSize(e.bytesInResource);
    bmp.bytes().resize(e.bytesInResource, 0);
  }
  frame::ByteSet image;
  AppendU32(image, kInfoHeaderSize);
  AppendU32(image, e.size);
  AppendU32(image, 2u * e.size);
  AppendU16(image, 1);
  AppendU16(image, e.bitCount);
  AppendU32(image, 0);
  AppendU32(image, e.bytesInResource - static_cast<uint32_t>(AndMaskSize(e.size)));
  for (int i = 0; i < 4; ++i)
    AppendU32(image, 0);
  if (bmp.size() > kBmpHeadersSize)
    image.bytes().insert(image.bytes().end(), bmp.bytes().begin() + kBmpHeadersSize,
                         bmp.bytes().end());
  if (image.size() < e.bytesInResource) {
    frame::CheckBlockSize(e.bytesInResource);
    image.bytes().resize(e.bytesInResource, 0);
  }
  return image;
}

}  // namespace

frame::ByteSet IconFileHeader(size_t count) {
  frame::ByteSet header;
  AppendU16(header, 0);
  AppendU16(header, 1);
  AppendU16(header, static_cast<uint16_t>(count));
  return header;
}

int32_t AndMaskSize(int32_t width) {
  if (width <= 0) return 0;
  return width * ((width + 31) / 32) * 4;
}

bool IconFileFits(const IconBuildList& list) {
  if (list.size() > kMaxIconEntries) return false;
  uint64_t total = kHeaderSize + uint64_t{kEntrySize} * list.size();
  for (const IconBuildEntry& e : list)
    total += e.bytesInResource;
  return total <= kMaxIconFileBytes;
}

frame::ByteSet BuildIconFile(const IconBuildList& list) {
  if (!IconFileFits(list)) return {};
  frame::ByteSet file = IconFileHeader(list.size());
  uint32_t offset = kHeaderSize + kEntrySize * static_cast<uint32_t>(list.size());
  for (const IconBuildEntry& e : list) {
    AppendDirectoryEntry(file, e, offset);
    offset += e.bytesInResource;
  }
  for (const IconBuildEntry& e : list)
    file += e.size == 0 ? e.image : BitmapImage(e);
  return file;
}

bool IconImagesTooLarge(const frame::ByteSet& icon) {
  std::span<const uint8_t> bytes = icon.span();
  uint32_t count = ReadU16(bytes, 4);
  uint64_t total = 0;
  for (uint32_t i = 0; i < count; ++i) {
    uint64_t entry = kHeaderSize + uint64_t{kEntrySize} * i;
    uint64_t offset = ReadU32(bytes, entry + 12);
    if (offset < bytes.size())
      total += std::min<uint64_t>(ReadU32(bytes, entry + 8), bytes.size() - offset);
    if (total > kMaxIconFileBytes) return true;
  }
  return false;
}

std::vector<WalkedImage> WalkIconImages(const frame::ByteSet& icon) {
  std::vector<WalkedImage> images;
  if (IconImagesTooLarge(icon)) return images;
  std::span<const uint8_t> bytes = icon.span();
  uint32_t count = ReadU16(bytes, 4);
  images.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    uint64_t entry = kHeaderSize + uint64_t{kEntrySize} * i;
    WalkedImage w;
    w.entryHead = frame::ByteSet(std::vector<uint8_t>(kEntryHeadSize));
    for (uint32_t b = 0; b < kEntryHeadSize; ++b)
      w.entryHead[b] = ReadU8(bytes, entry + b);
    w.width = ReadU8(bytes, entry);
    w.bitCount = ReadU8(bytes, entry + 6);
    w.bytesInResource = ReadU32(bytes, entry + 8);
    w.image = ReadBytes(icon, ReadU32(bytes, entry + 12), w.bytesInResource);
    images.push_back(std::move(w));
  }
  return images;
}

frame::ByteSet MakeSingleImageIcon(const frame::ByteSet& entryHead, const frame::ByteSet& image) {
  frame::ByteSet file = IconFileHeader(1);
  file += entryHead;
  AppendU32(file, kHeaderSize + kEntrySize);
  file += image;
  return file;
}

win32::HICON ProbeIconLoad(const frame::Text& path) {
  return static_cast<win32::HICON>(
      ext::LoadImageA(0, path.c_str(), win32::IMAGE_ICON, 0, 0, win32::LR_LOADFROMFILE));
}

}  // namespace icofile
