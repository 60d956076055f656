#include "frame/icon_format.h"

#include "platform/core/codecs/ico.h"
#include "platform/core/codecs/png.h"

namespace frame {

namespace codecs = platform::codecs;

std::vector<IconFileEntry> WalkIconDirectory(const ByteSet& icon) {
  return codecs::WalkIcoDirectory(icon.span());
}

ByteSet WalkedIconImage(const ByteSet& icon, const IconFileEntry& entry) {
  return ByteSet(codecs::WalkedIcoImageBytes(icon.span(), entry));
}

bool WalkedIconImagesTooLarge(const ByteSet& icon) {
  return codecs::WalkedIcoImagesTooLarge(icon.span());
}

void AppendIconFileHeader(ByteSet& out, size_t count) {
  codecs::AppendIcoHeader(out.bytes(), count);
}

void AppendIconImageInfo(ByteSet& out, const IconImageInfo& info) {
  codecs::AppendIconImageInfo(out.bytes(), info);
}

void AppendIconFileEntry(ByteSet& out, const IconFileEntry& entry) {
  codecs::AppendIcoEntry(out.bytes(), entry);
}

bool IsPngImage(const ByteSet& image) {
  return codecs::IsPng(image.span());
}

bool IsStrictPngImage(const ByteSet& image) {
  return codecs::IsStrictPng(image.span());
}

uint32_t PngImageWidth(const ByteSet& image) {
  return codecs::PeekPngHeader(image.span()).width;
}

uint32_t PngImageHeight(const ByteSet& image) {
  return codecs::PeekPngHeader(image.span()).height;
}

bool SetPngImageHeight(ByteSet& image, uint32_t height) {
  return codecs::SetPngHeaderHeight(image.bytes(), height);
}

}  // namespace frame
