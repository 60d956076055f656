// Bitmap images are copied exactly as stored, with directory fields taken from each image's own
// header and its image-size field written as 0. PNG images get a valid directory entry from
// their IHDR chunk and are copied unchanged.
#include "frame/extract_file_icon.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "frame/commands.h"
#include "frame/literal.h"
#include "platform/core/codecs/ico.h"
#include "platform/win32/kernel32.h"

namespace frame {
namespace {

using namespace literals;

namespace k32 = platform::kernel32;
namespace codecs = platform::codecs;

constexpr size_t kImageSizeField = 20;  // offset of the image-size field in a bitmap header

using ImageRecord = IconGroupSource::Image;
using IconRecord = IconGroupSource::Icon;

// A header cut short gives zeros for what it lacks, as the directory entry then says.
ImageRecord RecordOf(std::span<const uint8_t> b) {
  codecs::IconImageHeader header = codecs::ReadIconImageHeader(b);
  ImageRecord r;
  r.png = header.png;
  r.width = header.width;
  r.height = header.png ? header.height : header.height / 2;  // a DIB's rows and mask
  r.planes = header.png ? 1 : header.planes;
  r.bitCount = header.png ? 32 : header.bitCount;
  r.bits = b;
  return r;
}

uint64_t IconFileSize(const IconRecord& images) {
  uint64_t size = kIconFileHeaderSize + uint64_t{kIconFileEntrySize} * images.size();
  for (const ImageRecord& image : images)
    size += image.bits.size();
  return size;
}

// The images must fit kMaxIconFileBytes, so every offset fits its 32 bits.
ByteSet IconFileBytes(const IconRecord& images) {
  ByteSet file;
  file.bytes().reserve(static_cast<size_t>(IconFileSize(images)));
  AppendIconFileHeader(file, images.size());
  uint32_t offset = static_cast<uint32_t>(kIconFileHeaderSize + kIconFileEntrySize * images.size());
  for (const ImageRecord& image : images) {
    uint32_t colourBits = image.planes * image.bitCount;
    IconFileEntry entry;
    entry.width = static_cast<uint8_t>(image.width);
    entry.height = static_cast<uint8_t>(image.height);
    entry.colourCount = colourBits < 8 ? static_cast<uint8_t>(1u << colourBits) : 0;
    entry.planes = static_cast<uint16_t>(image.planes);
    entry.bitCount = static_cast<uint16_t>(image.bitCount);
    entry.bytesInResource = static_cast<uint32_t>(image.bits.size());
    entry.offset = offset;
    AppendIconFileEntry(file, entry);
    offset += static_cast<uint32_t>(image.bits.size());
  }
  for (const ImageRecord& image : images) {
    size_t at = file.size();
    file.bytes().insert(file.bytes().end(), image.bits.begin(), image.bits.end());
    // A bitmap's image-size field is written as 0; a header cut short has none to clear.
    if (!image.png)
      for (size_t i = kImageSizeField; i < kImageSizeField + 4 && i < image.bits.size(); ++i)
        file[at + i] = 0;
  }
  return file;
}

// Only icons (type 1) are copied; an image without bytes makes the file unreadable, as one
// outside the file does. Images are copied, not decoded: the count may use its 16 bits, and
// Save bounds the bytes.
std::optional<IconRecord> ReadIconFile(std::span<const uint8_t> b) {
  auto directory = codecs::ReadIcoDirectory(b, kMaxIconEntries);
  if (!directory || directory->type != 1) return std::nullopt;
  IconRecord images;
  for (const codecs::IcoEntry& entry : directory->entries) {
    auto bytes = codecs::IcoImageBytes(b, entry);
    if (!bytes) return std::nullopt;
    images.push_back(RecordOf(*bytes));
  }
  return images;
}

// The bytes of a resource, which stay while the module is loaded; none when it is missing.
std::optional<std::span<const uint8_t>> ResourceBytes(win32::HMODULE module, const char* name,
                                                      uintptr_t type) {
  win32::HRSRC resource = k32::FindResourceA(module, name, win32::MAKEINTRESOURCEA(type));
  if (!resource) return std::nullopt;
  const void* data = k32::LockResource(k32::LoadResource(module, resource));
  win32::DWORD size = k32::SizeofResource(module, resource);
  if (!data && size > 0) return std::nullopt;
  return std::span<const uint8_t>(static_cast<const uint8_t*>(data), size);
}

bool EndsWith(const Text& path, const Text& kind) {
  return ToLower(TextRight(path, 3)) == kind;
}

}  // namespace

win32::BOOL IconGroupSource::ListGroup(win32::HMODULE, const char*, char* name,
                                       win32::LONG_PTR param) {
  auto* names = reinterpret_cast<std::vector<GroupName>*>(param);
  if (win32::IS_INTRESOURCE(name))
    names->push_back(GroupName{std::nullopt, reinterpret_cast<uintptr_t>(name)});
  else
    names->push_back(GroupName{Text(name), 0});
  return win32::TRUE;
}

// What the file holds decides its kind, not its name: a program saved without an extension, or
// a control panel module, is a module like any other. Its name still tells one thing: a file
// named as an icon file counts as one icon even when it cannot be read as one.
IconGroupSource::IconGroupSource(const Text& sourceFile) {
  module_ = k32::LoadLibraryExA(sourceFile.c_str(), 0, win32::LOAD_LIBRARY_AS_DATAFILE);
  if (module_) {
    if (k32::EnumResourceNamesA(module_, win32::MAKEINTRESOURCEA(win32::RT_GROUP_ICON), ListGroup,
                                reinterpret_cast<win32::LONG_PTR>(&groups_)))
      count_ = static_cast<int32_t>(groups_.size());
    return;
  }
  iconFileBytes_ = ReadFile(sourceFile);
  iconFile_ = ReadIconFile(iconFileBytes_.span());
  if (iconFile_ || EndsWith(sourceFile, "ico"_gbk)) count_ = 1;
}

IconGroupSource::~IconGroupSource() {
  if (module_) k32::FreeLibrary(module_);
}

// The group's directory is read within the resource's own size. Each image is taken at the size
// its entry declares, within the resource's bytes: a 16-bit module stores each resource in whole
// alignment units, and decoders that place the mask from the end of the image's bytes would
// read the padding as the mask. An image without bytes, like a missing one, makes the group
// unreadable: an icon file whose entries point at nothing is no icon.
std::optional<IconRecord> IconGroupSource::ReadGroup(int32_t index) const {
  if (!module_) return iconFile_;
  const GroupName& group = groups_[static_cast<size_t>(index - 1)];
  const char* name = group.text ? group.text->c_str() : win32::MAKEINTRESOURCEA(group.id);
  auto directory = ResourceBytes(module_, name, win32::RT_GROUP_ICON);
  if (!directory) return std::nullopt;
  auto entries = codecs::ReadGroupIconDirectory(*directory, kMaxIconEntries);
  if (!entries) return std::nullopt;
  IconRecord images;
  for (const codecs::GroupIconEntry& entry : *entries) {
    uintptr_t id = entry.id;
    auto bits = ResourceBytes(module_, win32::MAKEINTRESOURCEA(id), win32::RT_ICON);
    if (!bits) return std::nullopt;
    auto declared = bits->first(std::min<size_t>(bits->size(), entry.bytesInResource));
    if (declared.empty()) return std::nullopt;
    images.push_back(RecordOf(declared));
  }
  return images;
}

uint64_t IconGroupSource::FileSize(int32_t index) const {
  int32_t wanted = index < 1 ? 1 : index;
  if (count_ < wanted) return 0;
  std::optional<std::pair<const uint8_t*, size_t>> key;
  if (module_) {
    const GroupName& group = groups_[static_cast<size_t>(wanted - 1)];
    const char* name = group.text ? group.text->c_str() : win32::MAKEINTRESOURCEA(group.id);
    auto directory = ResourceBytes(module_, name, win32::RT_GROUP_ICON);
    if (!directory) return 0;
    key.emplace(directory->data(), directory->size());
    if (auto known = fileSizes_.find(*key); known != fileSizes_.end()) return known->second;
  }
  std::optional<IconRecord> icon = ReadGroup(wanted);
  uint64_t size = icon && !icon->empty() ? IconFileSize(*icon) : 0;
  if (size > kMaxIconFileBytes) size = 0;
  if (key) fileSizes_.emplace(*key, size);
  return size;
}

IconGroupSaved IconGroupSource::Save(const Text& savePath, int32_t index) const {
  int32_t wanted = index < 1 ? 1 : index;
  if (savePath.empty() || count_ < wanted) return {};
  IconGroupSaved saved{count_, false};
  if (!EndsWith(savePath, "ico"_gbk)) return saved;
  std::optional<IconRecord> icon = ReadGroup(wanted);
  if (!icon || icon->empty()) return saved;
  // Refused before a byte is copied, however often the directory lists the same image.
  if (IconFileSize(*icon) > kMaxIconFileBytes) return {};
  saved.written = WriteFile(savePath, IconFileBytes(*icon));
  return saved;
}

int32_t ExtractFileIcon(const Text& sourceFile, int32_t, const Text& savePath, int32_t index) {
  if (savePath.empty()) return 0;
  return IconGroupSource(sourceFile).Save(savePath, index).count;
}

}  // namespace frame
