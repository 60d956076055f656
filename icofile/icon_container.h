// The icon file container: every icon file the program writes is built here from prepared
// images, and every icon file it takes apart is walked here image by image.
#pragma once

#include <cstdint>
#include <vector>

#include "frame/icon_format.h"
#include "frame/values.h"
#include "platform/win32/types.h"

namespace icofile {

// One prepared image of a future icon file.
struct IconBuildEntry {
  uint8_t size = 0;  // width = height in pixels; 0: a 256 x 256 image stored as PNG
  uint16_t bitCount = 32;
  uint32_t bytesInResource = 0;  // the length the image takes in the icon file
  frame::ByteSet image;          // a complete BMP file, or for size 0 a PNG stream
  frame::Text source;            // the picture it was made from; empty for icon handles
};

// The images of a future icon file, in file order.
using IconBuildList = std::vector<IconBuildEntry>;

// The most images an icon file's 16-bit count can hold, and the largest icon file the program
// writes or takes apart (the same bounds as the extraction's: frame/icon_format.h).
using frame::kMaxIconEntries;
using frame::kMaxIconFileBytes;

// The 6-byte header of an icon file of `count` images (at most kMaxIconEntries).
frame::ByteSet IconFileHeader(size_t count);

// Bytes of the 1-bit AND mask of a width x width image, rows padded to 32-bit words.
int32_t AndMaskSize(int32_t width);

// A size x size image given as a complete 32-bit BMP file: in the icon file it takes the BMP's
// length without its file header, plus the AND mask.
IconBuildEntry BitmapEntry(frame::ByteSet bmp, uint8_t size, const frame::Text& source = {});

// The bytes of a complete icon file. Bitmap entries get a new 40-byte header and an all-zero
// mask, so the alpha of their 32-bit rows decides what shows; PNG entries are stored whole.
// Empty (no file) when the list does not fit an icon file (IconFileFits).
frame::ByteSet BuildIconFile(const IconBuildList& list);
// At most kMaxIconEntries entries, whose icon file stays within kMaxIconFileBytes.
bool IconFileFits(const IconBuildList& list);

// One image of an icon file as the walk finds it.
struct WalkedImage {
  frame::IconFileEntry entry;  // its directory entry as read
  frame::ByteSet entryHead;    // the entry's first 12 bytes
  uint8_t width = 0;
  uint8_t bitCount = 0;  // the low byte of the bits-per-pixel field
  uint32_t bytesInResource = 0;
  frame::ByteSet image;
};

// The images of an icon file in directory order, each taken at its own entry's offset (images
// may be stored in any order). A malformed file is walked as far as its bytes go: what lies past
// the end reads as zero (numbers and entry heads) or is cut short (images). An icon whose images
// add up to more than kMaxIconFileBytes (IconImagesTooLarge) yields nothing.
std::vector<WalkedImage> WalkIconImages(const frame::ByteSet& icon);

// Whether the images the directory lists, counted as the walk takes them, pass kMaxIconFileBytes.
bool IconImagesTooLarge(const frame::ByteSet& icon);

// A one-image icon file: header, the entry head with the image offset 22, the image.
frame::ByteSet MakeSingleImageIcon(const frame::ByteSet& entryHead, const frame::ByteSet& image);

// The platform's icon loader on an icon file at the size stored in it: an icon handle (which the
// caller destroys) for a bitmap image, 0 for a PNG image or one that cannot be decoded.
win32::HICON ProbeIconLoad(const frame::Text& path);

}  // namespace icofile
