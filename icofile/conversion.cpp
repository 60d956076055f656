#include "icofile/conversion.h"

#include <string>

#include "frame/commands.h"
#include "frame/icon_format.h"
#include "frame/literal.h"
#include "icofile/shell_paths.h"
#include "imaging/image_object.h"
#include "platform/win32/gdi32.h"

namespace icofile {

using frame::literals::operator""_gbk;

namespace {

constexpr int32_t kBmpFormat = 0;
constexpr int32_t kPngFormat = 4;
constexpr int32_t kPngSide = 256;

// The picture at side x side: scaled into a new image when it has another size.
frame::ByteSet Encoded(imaging::ImageObject& picture, int32_t width, int32_t height, int32_t side,
                       int32_t format) {
  if (width == side && height == side) return picture.SaveToBytes(format);
  imaging::ImageObject scaled;
  int32_t handle = picture.Scale(static_cast<float>(side), static_cast<float>(side));
  if (handle == -1) return frame::ByteSet();
  scaled.Attach(static_cast<win32::GpImage>(handle));
  return scaled.SaveToBytes(format);
}

// The PNG image is stored as it is: a PNG whose height field is changed no reader accepts.
IconBuildEntry PngEntry(frame::ByteSet png, const frame::Text& source) {
  IconBuildEntry entry;
  entry.size = 0;
  entry.bitCount = 32;
  entry.bytesInResource = static_cast<uint32_t>(png.size());
  entry.image = std::move(png);
  entry.source = source;
  return entry;
}

// A ".png" file's own bytes, when they are a PNG stream that any reader of icons takes as it is:
// a picture of another format named ".png", or a PNG that only a lenient decoder reads (a
// damaged ancillary chunk, bytes after its end), would make an image no one can open. Empty
// otherwise: the picture is then encoded anew.
frame::ByteSet OwnPng(const frame::Text& picture) {
  frame::ByteSet file = frame::ReadFile(picture);
  if (frame::PngImageWidth(file) != kPngSide || frame::PngImageHeight(file) != kPngSide ||
      !frame::IsStrictPngImage(file))
    return frame::ByteSet();
  return file;
}

}  // namespace

frame::Text SizeItemText(uint8_t size) {
  if (size == 0) return "PNG"_gbk;
  std::string side = std::to_string(size);
  return frame::Text(side + "*" + side);
}

frame::Text ConversionListText(const frame::Text& sizeItemText, const IconBuildEntry& entry) {
  if (entry.size == 0) return sizeItemText;
  return sizeItemText + frame::Text("(" + std::to_string(entry.bitCount) + ")");
}

// A picture that cannot be loaded adds nothing: its empty encoding would give an entry whose
// length is negative.
std::optional<IconBuildList> PrepareConversionImages(const frame::Text& picture,
                                                     std::span<const uint8_t> sizes) {
  imaging::ImageObject image;
  int32_t width = 0, height = 0;
  if (!image.LoadFromFile(picture) || !image.GetDimension(width, height)) return std::nullopt;
  IconBuildList list;
  for (uint8_t size : sizes) {
    if (size != 0) {
      frame::ByteSet bmp = Encoded(image, width, height, size, kBmpFormat);
      if (bmp.size() <= sizeof(win32::BITMAPFILEHEADER)) return std::nullopt;
      list.push_back(BitmapEntry(std::move(bmp), size, picture));
      continue;
    }
    frame::ByteSet png;
    if (width == kPngSide && height == kPngSide && LowerExtension(picture) == ".png"_gbk)
      png = OwnPng(picture);
    if (png.empty()) png = Encoded(image, width, height, kPngSide, kPngFormat);
    if (png.empty()) return std::nullopt;
    list.push_back(PngEntry(std::move(png), picture));
  }
  return list;
}

// An icon file without an image is no icon any reader opens: nothing is written for it.
bool WriteConversionIcon(const IconBuildList& list, const frame::Text& path) {
  if (list.empty()) return false;
  frame::ByteSet file = BuildIconFile(list);
  return !file.empty() && frame::WriteFile(path, file);
}

}  // namespace icofile
