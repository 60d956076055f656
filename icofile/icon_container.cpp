#include "icofile/icon_container.h"

#include <algorithm>
#include <utility>

#include "frame/external_functions.h"
#include "frame/fatal.h"
#include "frame/icon_format.h"
#include "frame/le_bytes.h"

namespace icofile {

using frame::AppendU16;
using frame::AppendU32;
using frame::kIconFileEntrySize;
using frame::kIconFileHeaderSize;

namespace {

constexpr uint32_t kInfoHeaderSize = sizeof(win32::BITMAPINFOHEADER);
constexpr uint32_t kBmpHeadersSize = sizeof(win32::BITMAPFILEHEADER) + kInfoHeaderSize;

// A PNG image gets a valid entry: size 0 (256), planes 1, 32 bits per pixel.
void AppendDirectoryEntry(frame::ByteSet& out, const IconBuildEntry& e, uint32_t offset) {
  frame::IconFileEntry entry;
  entry.width = entry.height = e.size;
  entry.planes = 1;
  entry.bitCount = e.size == 0 ? 32 : e.bitCount;
  entry.bytesInResource = e.bytesInResource;
  entry.offset = offset;
  frame::AppendIconFileEntry(out, entry);
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
  frame::AppendIconFileHeader(header, count);
  return header;
}

int32_t AndMaskSize(int32_t width) {
  if (width <= 0) return 0;
  return width * ((width + 31) / 32) * 4;
}

IconBuildEntry BitmapEntry(frame::ByteSet bmp, uint8_t size, const frame::Text& source) {
  IconBuildEntry entry;
  entry.size = size;
  entry.bitCount = 32;
  entry.bytesInResource =
      static_cast<uint32_t>(bmp.size() - sizeof(win32::BITMAPFILEHEADER) + AndMaskSize(size));
  entry.image = std::move(bmp);
  entry.source = source;
  return entry;
}

bool IconFileFits(const IconBuildList& list) {
  if (list.size() > kMaxIconEntries) return false;
  uint64_t total = kIconFileHeaderSize + uint64_t{kIconFileEntrySize} * list.size();
  for (const IconBuildEntry& e : list)
    total += e.bytesInResource;
  return total <= kMaxIconFileBytes;
}

frame::ByteSet BuildIconFile(const IconBuildList& list) {
  if (!IconFileFits(list)) return {};
  frame::ByteSet file = IconFileHeader(list.size());
  uint32_t offset = kIconFileHeaderSize + kIconFileEntrySize * static_cast<uint32_t>(list.size());
  for (const IconBuildEntry& e : list) {
    AppendDirectoryEntry(file, e, offset);
    offset += e.bytesInResource;
  }
  for (const IconBuildEntry& e : list)
    file += e.size == 0 ? e.image : BitmapImage(e);
  return file;
}

bool IconImagesTooLarge(const frame::ByteSet& icon) {
  return frame::WalkedIconImagesTooLarge(icon);
}

std::vector<WalkedImage> WalkIconImages(const frame::ByteSet& icon) {
  std::vector<WalkedImage> images;
  if (IconImagesTooLarge(icon)) return images;
  std::vector<frame::IconFileEntry> entries = frame::WalkIconDirectory(icon);
  images.reserve(entries.size());
  for (const frame::IconFileEntry& entry : entries) {
    WalkedImage w;
    w.entry = entry;
    frame::AppendIconImageInfo(w.entryHead, entry);
    w.width = entry.width;
    w.bitCount = static_cast<uint8_t>(entry.bitCount);
    w.bytesInResource = entry.bytesInResource;
    w.image = frame::WalkedIconImage(icon, entry);
    images.push_back(std::move(w));
  }
  return images;
}

frame::ByteSet MakeSingleImageIcon(const frame::ByteSet& entryHead, const frame::ByteSet& image) {
  frame::ByteSet file = IconFileHeader(1);
  file += entryHead;
  AppendU32(file, kIconFileHeaderSize + kIconFileEntrySize);
  file += image;
  return file;
}

win32::HICON ProbeIconLoad(const frame::Text& path) {
  return static_cast<win32::HICON>(
      ext::LoadImageA(0, path.c_str(), win32::IMAGE_ICON, 0, 0, win32::LR_LOADFROMFILE));
}

}  // namespace icofile
