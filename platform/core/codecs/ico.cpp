#include "platform/core/codecs/ico.h"

#include <algorithm>
#include <array>
#include <bit>
#include <tuple>

#include "platform/core/codecs/le_reader.h"
#include "platform/core/codecs/png.h"

namespace platform::codecs {

std::string_view ToString(IcoError error) {
  switch (error) {
    case IcoError::Truncated:
      return "the icon directory is cut short";
    case IcoError::NotIconFile:
      return "not an icon file";
    case IcoError::NoImages:
      return "the icon holds no images";
    case IcoError::TooManyImages:
      return "the icon holds too many images";
    case IcoError::ImageOutOfRange:
      return "an icon image lies outside the file";
    case IcoError::BadImage:
      return "an icon image cannot be decoded";
    case IcoError::TooLarge:
      return "an icon image is too large";
  }
  return "unknown icon error";
}

int IconImageInfo::depth() const {
  if (bitCount != 0) return bitCount;
  if (colourCount == 0) return 8;
  return std::bit_width(static_cast<unsigned>(colourCount) - 1);
}

namespace {

IconImageInfo ReadImageInfo(const LeReader& entry) {
  IconImageInfo info;
  info.width = *entry.U8(0);
  info.height = *entry.U8(1);
  info.colourCount = *entry.U8(2);
  info.reserved = *entry.U8(3);
  info.planes = *entry.U16(4);
  info.bitCount = *entry.U16(6);
  info.bytesInResource = *entry.U32(8);
  return info;
}

// The first bytes of `data`, zero past its end: the walk's rule for what a damaged file lacks.
template <size_t N>
std::array<uint8_t, N> ZeroPadded(std::span<const uint8_t> data) {
  std::array<uint8_t, N> bytes{};
  std::copy_n(data.begin(), std::min(data.size(), N), bytes.begin());
  return bytes;
}

// The 6-byte header shared by icon files and group-icon resources: the image count.
Result<size_t, IcoError> ReadHeader(const LeReader& data, size_t entrySize, size_t maxImages,
                                    uint16_t* type) {
  auto reserved = data.U16(0);
  auto kind = data.U16(2);
  auto count = data.U16(4);
  if (!reserved || !kind || !count) return Fail(IcoError::Truncated);
  if (*reserved != 0 || (*kind != 1 && *kind != 2)) return Fail(IcoError::NotIconFile);
  if (*count == 0) return Fail(IcoError::NoImages);
  if (*count > maxImages) return Fail(IcoError::TooManyImages);
  if (!data.Contains(kIcoHeaderSize, uint64_t{*count} * entrySize))
    return Fail(IcoError::Truncated);
  if (type) *type = *kind;
  return size_t{*count};
}

Result<DibImage, IcoError> DecodeIconPng(std::span<const uint8_t> png) {
  PngHeaderFields header = PeekPngHeader(png);
  if (!header.complete) return Fail(IcoError::BadImage);
  if (header.width > kMaxIconPngDimension || header.height > kMaxIconPngDimension)
    return Fail(IcoError::TooLarge);
  auto decoded = codecs::DecodePng(png);
  if (!decoded) return Fail(IcoError::BadImage);
  return std::move(decoded->image);
}

}  // namespace

Result<IcoDirectory, IcoError> ReadIcoDirectory(std::span<const uint8_t> file, size_t maxImages) {
  LeReader data(file);
  IcoDirectory dir;
  const size_t count = TRY(ReadHeader(data, kIcoEntrySize, maxImages, &dir.type));
  dir.entries.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    LeReader entry = *data.Sub(kIcoHeaderSize + i * kIcoEntrySize, kIcoEntrySize);
    IcoEntry e;
    static_cast<IconImageInfo&>(e) = ReadImageInfo(entry);
    e.offset = *entry.U32(12);
    dir.entries.push_back(e);
  }
  return dir;
}

Result<std::span<const uint8_t>, IcoError> IcoImageBytes(std::span<const uint8_t> file,
                                                         const IcoEntry& entry) {
  auto image = LeReader(file).Span(entry.offset, entry.bytesInResource);
  if (!image) return Fail(IcoError::ImageOutOfRange);
  if (entry.bytesInResource == 0) return Fail(IcoError::BadImage);
  return *image;
}

Result<std::vector<GroupIconEntry>, IcoError> ReadGroupIconDirectory(std::span<const uint8_t> group,
                                                                     size_t maxImages) {
  LeReader data(group);
  const size_t count = TRY(ReadHeader(data, kGroupIconEntrySize, maxImages, nullptr));
  std::vector<GroupIconEntry> entries;
  entries.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    LeReader entry = *data.Sub(kIcoHeaderSize + i * kGroupIconEntrySize, kGroupIconEntrySize);
    GroupIconEntry e;
    static_cast<IconImageInfo&>(e) = ReadImageInfo(entry);
    e.id = *entry.U16(12);
    entries.push_back(e);
  }
  return entries;
}

std::vector<IcoEntry> WalkIcoDirectory(std::span<const uint8_t> file) {
  auto header = ZeroPadded<kIcoHeaderSize>(file);
  size_t count = *LeReader(header).U16(4);  // 16 bits: at most kMaxIconEntries
  std::vector<IcoEntry> entries;
  entries.reserve(count);
  LeReader rest = LeReader(file).From(kIcoHeaderSize);
  for (size_t i = 0; i < count; ++i) {
    auto bytes = ZeroPadded<kIcoEntrySize>(rest.From(i * kIcoEntrySize).bytes());
    LeReader entry(bytes);
    IcoEntry e;
    static_cast<IconImageInfo&>(e) = ReadImageInfo(entry);
    e.offset = *entry.U32(12);
    entries.push_back(e);
  }
  return entries;
}

std::span<const uint8_t> WalkedIcoImageBytes(std::span<const uint8_t> file, const IcoEntry& entry) {
  std::span<const uint8_t> rest = LeReader(file).From(entry.offset).bytes();
  return rest.first(std::min<size_t>(rest.size(), entry.bytesInResource));
}

bool WalkedIcoImagesTooLarge(std::span<const uint8_t> file) {
  uint64_t total = 0;
  for (const IcoEntry& entry : WalkIcoDirectory(file)) {
    total += WalkedIcoImageBytes(file, entry).size();
    if (total > kMaxIconFileBytes) return true;
  }
  return false;
}

void AppendIcoHeader(std::vector<uint8_t>& out, size_t count, uint16_t type) {
  const uint16_t fields[] = {0, type, static_cast<uint16_t>(count)};
  for (uint16_t v : fields)
    out.insert(out.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)});
}

void AppendIconImageInfo(std::vector<uint8_t>& out, const IconImageInfo& info) {
  const uint32_t size = info.bytesInResource;
  out.insert(out.end(),
             {info.width, info.height, info.colourCount, info.reserved,
              static_cast<uint8_t>(info.planes), static_cast<uint8_t>(info.planes >> 8),
              static_cast<uint8_t>(info.bitCount), static_cast<uint8_t>(info.bitCount >> 8),
              static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
              static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)});
}

void AppendIcoEntry(std::vector<uint8_t>& out, const IcoEntry& entry) {
  AppendIconImageInfo(out, entry);
  const uint32_t offset = entry.offset;
  out.insert(out.end(), {static_cast<uint8_t>(offset), static_cast<uint8_t>(offset >> 8),
                         static_cast<uint8_t>(offset >> 16), static_cast<uint8_t>(offset >> 24)});
}

IconImageHeader ReadIconImageHeader(std::span<const uint8_t> image) {
  IconImageHeader header;
  header.png = IsPng(image);
  if (header.png) {
    PngHeaderFields fields = PeekPngHeader(image);
    header.complete = fields.complete;
    header.width = fields.width;
    header.height = fields.height;
    header.pngBitDepth = fields.bitDepth;
    header.pngColourType = fields.colourType;
    return header;
  }
  // The info header's size, width, height, planes and bit count.
  constexpr size_t kDibFieldsSize = 16;
  auto bytes = ZeroPadded<kDibFieldsSize>(image);
  LeReader dib(bytes);
  header.complete = image.size() >= kDibFieldsSize;
  header.width = *dib.U32(4);
  header.height = *dib.U32(8);
  header.planes = *dib.U16(12);
  header.bitCount = *dib.U16(14);
  return header;
}

bool IsPng(std::span<const uint8_t> image) {
  return IsPngSignature(image);
}

Result<DibImage, IcoError> DecodeIconImage(std::span<const uint8_t> image) {
  if (IsPng(image)) return DecodeIconPng(image);
  auto dib = DecodeDib(image, DibMode::Icon);
  if (!dib)
    return Fail(dib.error() == DibError::TooLarge ? IcoError::TooLarge : IcoError::BadImage);
  return std::move(dib).value();
}

Result<DibImage, IcoError> DecodeIcoImage(std::span<const uint8_t> file, size_t index) {
  const IcoDirectory dir = TRY(ReadIcoDirectory(file));
  if (index >= dir.entries.size()) return Fail(IcoError::ImageOutOfRange);
  return DecodeIconImage(TRY(IcoImageBytes(file, dir.entries[index])));
}

size_t ChooseIconImage(std::span<const IconImageInfo> images, int width, int height) {
  auto fits = [&](const IconImageInfo& i) {
    return i.pixelWidth() <= width && i.pixelHeight() <= height;
  };
  bool anyFits = false;
  for (const IconImageInfo& i : images)
    anyFits = anyFits || fits(i);
  // Ranks an image: the best one has the greatest rank.
  auto rank = [&](const IconImageInfo& i) {
    int w = i.pixelWidth(), h = i.pixelHeight();
    int depth = i.depth() <= 32 ? i.depth() : -1;
    if (anyFits) return std::make_tuple(fits(i), w, h, depth);
    return std::make_tuple(true, -w, -h, depth);
  };
  size_t best = 0;
  for (size_t k = 1; k < images.size(); ++k)
    if (rank(images[k]) > rank(images[best])) best = k;
  return best;
}

}  // namespace platform::codecs
