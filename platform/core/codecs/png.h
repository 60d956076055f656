// PNG pictures: the one decoder and encoder of every path that reads or writes PNG (icon images,
// the imaging library). Compressed data goes through libdeflate, which inflates and deflates a
// whole buffer at once several times faster than a streaming zlib. The input is hostile: every
// chunk length, dimension and sample is checked before use, and the size of the pixel data is
// known before anything is inflated.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/core/codecs/dib.h"
#include "platform/core/result.h"

namespace platform::codecs {

enum class PngError {
  NotPng,  // no PNG signature
  Truncated,
  BadChunk,           // a chunk's CRC does not match, or a critical chunk is out of place
  BadHeader,          // an IHDR of impossible dimensions, depth or colour type
  BadPalette,         // a palette image without a valid PLTE
  TooLarge,           // more than kMaxPngDimension or kMaxPngPixels
  BadImageData,       // the pixel data does not inflate to exactly the image's size
  UnsupportedMethod,  // a compression, filter or interlace method PNG does not define
  OutOfMemory,
};
std::string_view ToString(PngError error);

constexpr uint32_t kMaxPngDimension = 32768;
constexpr uint64_t kMaxPngPixels = uint64_t{1} << 26;

// What the header and the ancillary chunks say about the picture, besides its pixels.
struct PngFacts {
  uint8_t colourType = 0;  // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
  uint8_t bitDepth = 0;
  bool transparencyKey = false;  // a tRNS chunk
  bool greyPalette = false;      // a palette whose entries are all grey
  uint32_t pixelsPerMeterX = 0;  // from pHYs when its unit is the metre, else 0
  uint32_t pixelsPerMeterY = 0;
};

struct PngImage {
  DibImage image;  // top-down 0xAARRGGBB, straight alpha; bitCount 32
  PngFacts facts;
};

bool IsPngSignature(std::span<const uint8_t> bytes);

// The IHDR fields at their fixed places after the signature, read without checking the chunk, to
// describe a stream without decoding it (icon directories, the CLI's info; the conversion stores
// 256 x 256 icon images with a height of 0, which the decoder refuses). Bytes past the end read as
// zero; `complete` tells whether the stream holds them all.
struct PngHeaderFields {
  uint32_t width = 0;
  uint32_t height = 0;
  uint8_t bitDepth = 0;
  uint8_t colourType = 0;
  bool complete = false;
};
PngHeaderFields PeekPngHeader(std::span<const uint8_t> png);
// Rewrites the IHDR height in place (the chunk's CRC stays as it was); false when the stream is
// too short to hold the field.
bool SetPngHeaderHeight(std::span<uint8_t> png, uint32_t height);
// Samples per pixel of a colour type: 1 for grey, palette and undefined types.
int PngChannels(uint8_t colourType);

// Reads the header only (dimensions and format), without inflating anything.
Result<PngFacts, PngError> ReadPngFacts(std::span<const uint8_t> png, int* width, int* height);

// Decodes every colour type and depth, interlaced or not. 16-bit samples are rounded to 8 bits;
// a palette index past the palette is opaque black.
Result<PngImage, PngError> DecodePng(std::span<const uint8_t> png);
// The same into `pixels`, which holds width x height pixels (as ReadPngFacts gives them); on an
// error, what was written so far is left.
Result<PngFacts, PngError> DecodePng(std::span<const uint8_t> png, std::span<uint32_t> pixels);

// Whether the stream is a PNG file that every conforming reader takes as it is: the signature;
// every chunk whole, with its CRC; IHDR first, PLTE and tRNS before the pixel data, the IDAT
// chunks together, IEND last with nothing after it; the chunks whose length PNG fixes at that
// length (tRNS, sBIT, bKGD and hIST as the colour type and palette say); no critical chunk PNG
// does not define; and pixel data that decodes. The decoder itself is lenient where it can be
// (a short pHYs is ignored, a file cut after its pixel data still decodes), so a stream that is
// to be stored as it is, for other programs to read, is checked with this first.
bool IsStrictPng(std::span<const uint8_t> png);

enum class PngWriteError {
  BadImage,  // a dimension below 1, or fewer pixels than the dimensions need
  TooLarge,  // more than kMaxPngPixels
  OutOfMemory,
  DeflateFailed,
};
std::string_view ToString(PngWriteError error);

// Encodes top-down 0xAARRGGBB pixels as an 8-bit RGBA (or, when `opaque`, RGB) PNG with a pHYs
// chunk when pixelsPerMeter is positive.
Result<std::vector<uint8_t>, PngWriteError> EncodePng(int width, int height,
                                                      std::span<const uint32_t> argb,
                                                      bool opaque = false, int pixelsPerMeterX = 0,
                                                      int pixelsPerMeterY = 0);

}  // namespace platform::codecs
