#include "platform/picture/codecs/gif_encoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <memory>
#include <new>
#include <unordered_map>

namespace platform::codecs {
namespace {

constexpr int kMaxGifSide = 65535;

struct Palette {
  std::vector<GifColorType> colours;
  std::vector<uint8_t> indices;  // one per pixel
  int transparentIndex = NO_TRANSPARENT_COLOR;
};

bool IsTransparent(uint32_t argb) {
  return (argb >> 24) == 0;
}
uint32_t Rgb(uint32_t argb) {
  return argb & 0xFFFFFF;
}
GifColorType ToGifColour(uint32_t rgb) {
  return GifColorType{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
}

// The frame's colours, exactly, when there are at most `limit`; false when there are more.
bool ExactPalette(std::span<const uint32_t> argb, size_t limit, Palette& palette) {
  std::unordered_map<uint32_t, uint8_t> index;
  for (size_t i = 0; i < argb.size(); ++i) {
    if (IsTransparent(argb[i])) continue;
    auto [it, added] = index.try_emplace(Rgb(argb[i]), uint8_t(palette.colours.size()));
    if (added) {
      if (palette.colours.size() == limit) return false;
      palette.colours.push_back(ToGifColour(Rgb(argb[i])));
    }
    palette.indices[i] = it->second;
  }
  return true;
}

// Each colour of a quantized palette made exact for its pixels: the colour most of them have
// when one colour holds more than half of them (the background an icon was laid on stays pure
// white), else their mean. The quantizer itself works on 5 bits a channel and gives each box the
// low end of its cells, so white would come out as (248, 248, 248).
void RefinePalette(std::span<const uint32_t> argb, const std::vector<size_t>& where,
                   const std::vector<uint8_t>& quantized, Palette& palette) {
  const size_t n = palette.colours.size();
  // The majority colour of each entry (a colour holding more than half its pixels is the one
  // left standing by the vote), then how many pixels it really holds.
  std::vector<uint32_t> candidate(n, 0), votes(n, 0), held(n, 0), pixels(n, 0);
  std::vector<uint64_t> red(n, 0), green(n, 0), blue(n, 0);
  for (size_t k = 0; k < where.size(); ++k) {
    size_t e = quantized[k];
    uint32_t rgb = Rgb(argb[where[k]]);
    if (votes[e] == 0)
      candidate[e] = rgb, votes[e] = 1;
    else if (candidate[e] == rgb)
      ++votes[e];
    else
      --votes[e];
    ++pixels[e];
    red[e] += rgb >> 16 & 0xFF, green[e] += rgb >> 8 & 0xFF, blue[e] += rgb & 0xFF;
  }
  for (size_t k = 0; k < where.size(); ++k)
    held[quantized[k]] += Rgb(argb[where[k]]) == candidate[quantized[k]];
  for (size_t e = 0; e < n; ++e) {
    if (pixels[e] == 0) continue;
    if (2 * uint64_t{held[e]} > pixels[e]) {
      palette.colours[e] = ToGifColour(candidate[e]);
      continue;
    }
    auto mean = [&](uint64_t sum) { return uint8_t((sum + pixels[e] / 2) / pixels[e]); };
    palette.colours[e] = GifColorType{mean(red[e]), mean(green[e]), mean(blue[e])};
  }
}

// A median-cut palette of `limit` colours for the opaque pixels.
bool QuantizedPalette(std::span<const uint32_t> argb, int limit, Palette& palette) {
  std::vector<uint8_t> red, green, blue;
  std::vector<size_t> where;
  for (size_t i = 0; i < argb.size(); ++i) {
    if (IsTransparent(argb[i])) continue;
    red.push_back(uint8_t(argb[i] >> 16));
    green.push_back(uint8_t(argb[i] >> 8));
    blue.push_back(uint8_t(argb[i]));
    where.push_back(i);
  }
  std::vector<uint8_t> quantized(where.size());
  palette.colours.assign(size_t(limit), GifColorType{0, 0, 0});
  int size = limit;
  if (GifQuantizeBuffer(unsigned(where.size()), 1, &size, red.data(), green.data(), blue.data(),
                        quantized.data(), palette.colours.data()) == GIF_ERROR)
    return false;
  RefinePalette(argb, where, quantized, palette);
  for (size_t k = 0; k < where.size(); ++k)
    palette.indices[where[k]] = quantized[k];
  return true;
}

bool BuildPalette(std::span<const uint32_t> argb, Palette& palette) {
  palette.indices.assign(argb.size(), 0);
  bool transparent = std::any_of(argb.begin(), argb.end(), IsTransparent);
  size_t limit = transparent ? 255 : 256;
  if (!ExactPalette(argb, limit, palette)) {
    palette.colours.clear();
    if (!QuantizedPalette(argb, int(limit), palette)) return false;
  }
  if (transparent) {
    palette.transparentIndex = int(palette.colours.size());
    palette.colours.push_back(GifColorType{0, 0, 0});
    for (size_t i = 0; i < argb.size(); ++i)
      if (IsTransparent(argb[i])) palette.indices[i] = uint8_t(palette.transparentIndex);
  }
  // giflib wants colour tables of a power-of-two size, at least 2.
  size_t size = 2;
  while (size < palette.colours.size())
    size *= 2;
  palette.colours.resize(size, GifColorType{0, 0, 0});
  return true;
}

int AppendOutput(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  try {
    out->insert(out->end(), data, data + length);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return length;
}

struct GifCloser {
  void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
struct ColourMapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

bool PutLoopExtension(GifFileType* gif) {
  static const uint8_t kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const uint8_t kLoopForever[] = {1, 0, 0};
  return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) != GIF_ERROR &&
         EGifPutExtensionBlock(gif, sizeof kApplication, kApplication) != GIF_ERROR &&
         EGifPutExtensionBlock(gif, sizeof kLoopForever, kLoopForever) != GIF_ERROR &&
         EGifPutExtensionTrailer(gif) != GIF_ERROR;
}

bool PutFrame(GifFileType* gif, const GifFrame& frame, bool animated) {
  Palette palette;
  if (!BuildPalette(frame.argb, palette)) return false;
  std::unique_ptr<ColorMapObject, ColourMapDeleter> map(
      GifMakeMapObject(int(palette.colours.size()), palette.colours.data()));
  if (!map) return false;
  if (animated || palette.transparentIndex != NO_TRANSPARENT_COLOR) {
    GraphicsControlBlock control{};
    control.DisposalMode = animated ? DISPOSE_BACKGROUND : DISPOSAL_UNSPECIFIED;
    control.DelayTime = std::clamp(frame.delayCentiseconds, 0, 65535);
    control.TransparentColor = palette.transparentIndex;
    GifByteType extension[4];
    size_t length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension) == GIF_ERROR)
      return false;
  }
  if (EGifPutImageDesc(gif, 0, 0, frame.width, frame.height, false, map.get()) == GIF_ERROR)
    return false;
  for (int y = 0; y < frame.height; ++y) {
    GifPixelType* row = palette.indices.data() + size_t(y) * size_t(frame.width);
    if (EGifPutLine(gif, row, frame.width) == GIF_ERROR) return false;
  }
  return true;
}

}  // namespace

std::string_view ToString(GifError error) {
  switch (error) {
    case GifError::NoFrames:
      return "no frames to write";
    case GifError::BadFrame:
      return "a frame's pixels do not match its size";
    case GifError::TooLarge:
      return "a frame is larger than a GIF can hold";
    case GifError::OutOfMemory:
      return "out of memory";
    case GifError::EncoderFailed:
      return "the GIF encoder failed";
  }
  return "unknown error";
}

Result<std::vector<uint8_t>, GifError> EncodeGif(std::span<const GifFrame> frames) {
  if (frames.empty()) return Fail(GifError::NoFrames);
  int screenWidth = 0, screenHeight = 0;
  for (const GifFrame& frame : frames) {
    if (frame.width <= 0 || frame.height <= 0) return Fail(GifError::BadFrame);
    if (frame.width > kMaxGifSide || frame.height > kMaxGifSide) return Fail(GifError::TooLarge);
    if (frame.argb.size() != size_t(frame.width) * size_t(frame.height))
      return Fail(GifError::BadFrame);
    screenWidth = std::max(screenWidth, frame.width);
    screenHeight = std::max(screenHeight, frame.height);
  }

  std::vector<uint8_t> out;
  try {
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&out, AppendOutput, &error));
    if (!gif) return Fail(GifError::OutOfMemory);
    EGifSetGifVersion(gif.get(), true);
    bool animated = frames.size() > 1;
    if (EGifPutScreenDesc(gif.get(), screenWidth, screenHeight, 8, 0, nullptr) == GIF_ERROR)
      return Fail(GifError::EncoderFailed);
    if (animated && !PutLoopExtension(gif.get())) return Fail(GifError::EncoderFailed);
    for (const GifFrame& frame : frames)
      if (!PutFrame(gif.get(), frame, animated)) return Fail(GifError::EncoderFailed);
    if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) return Fail(GifError::EncoderFailed);
  } catch (const std::bad_alloc&) {
    return Fail(GifError::OutOfMemory);
  }
  return out;
}

}  // namespace platform::codecs
