#include "platform/core/pe/resources.h"

#include <algorithm>
#include <iterator>

namespace platform::pe {

std::string_view ToString(PeError error) {
  switch (error) {
    case PeError::Truncated:
      return "the module's headers are cut short";
    case PeError::NotPe:
      return "not a PE or NE module";
    case PeError::BadHeader:
      return "bad module headers";
    case PeError::NoResources:
      return "the module has no resources";
    case PeError::BadRva:
      return "a resource lies outside the module's data";
    case PeError::BadDirectory:
      return "the resource directory is damaged";
    case PeError::NotFound:
      return "no such resource";
  }
  return "unknown module error";
}

namespace {

using codecs::LeReader;

constexpr uint16_t kDosSignature = 0x5A4D;     // "MZ"
constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kResourceDataDirectory = 2;
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kDirectoryHeaderSize = 16;
constexpr uint32_t kDirectoryEntrySize = 8;
constexpr uint32_t kDataEntrySize = 16;
constexpr uint32_t kHighBit = 0x80000000;
// Directories of at most this many entries are searched entry by entry, without an index.
constexpr uint32_t kWalkedDirectory = 16;
constexpr uint32_t kMaxLanguages = 256;

char16_t AsciiLower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c;
}

std::u16string Folded(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded)
    c = AsciiLower(c);
  return folded;
}

}  // namespace

bool SameResourceName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return AsciiLower(x) == AsciiLower(y); });
}

Result<ResourceDirectory, PeError> ResourceDirectory::Open(std::span<const uint8_t> file) {
  LeReader f(file);
  auto dosSignature = f.U16(0);
  auto peOffset = f.U32(0x3C);
  if (!dosSignature || !peOffset) return Fail(PeError::Truncated);
  if (*dosSignature != kDosSignature) return Fail(PeError::NotPe);
  auto peSignature = f.U32(*peOffset);
  if (!peSignature) return Fail(PeError::Truncated);
  if (*peSignature != kPeSignature) return Fail(PeError::NotPe);

  uint64_t coff = uint64_t{*peOffset} + 4;
  auto sectionCount = f.U16(coff + 2);
  auto optionalSize = f.U16(coff + 16);
  if (!sectionCount || !optionalSize) return Fail(PeError::Truncated);
  auto optional = f.Sub(coff + 20, *optionalSize);
  if (!optional) return Fail(PeError::Truncated);
  auto magic = optional->U16(0);
  if (!magic) return Fail(PeError::BadHeader);
  uint32_t countAt, directoriesAt;
  if (*magic == kPe32Magic) {
    countAt = 92, directoriesAt = 96;
  } else if (*magic == kPe32PlusMagic) {
    countAt = 108, directoriesAt = 112;
  } else {
    return Fail(PeError::BadHeader);
  }
  if (*sectionCount > kMaxSections) return Fail(PeError::BadHeader);

  ResourceDirectory dir;
  dir.file_ = file;
  dir.pe32Plus_ = *magic == kPe32PlusMagic;
  dir.headerSize_ = optional->U32(60).value_or(0);
  auto table = f.Sub(coff + 20 + *optionalSize, uint64_t{*sectionCount} * kSectionHeaderSize);
  if (!table) return Fail(PeError::Truncated);
  for (uint32_t i = 0; i < *sectionCount; ++i) {
    LeReader s = *table->Sub(i * kSectionHeaderSize, kSectionHeaderSize);
    Section section{*s.U32(12), std::max(*s.U32(8), *s.U32(16)), *s.U32(20), *s.U32(16)};
    dir.sections_.push_back(section);
  }

  auto count = optional->U32(countAt);
  uint64_t resourceEntry = directoriesAt + uint64_t{kResourceDataDirectory} * 8;
  auto rootRva = optional->U32(resourceEntry);
  if (!count || *count <= kResourceDataDirectory || !rootRva || *rootRva == 0)
    return Fail(PeError::NoResources);

  // The directory tree may use everything from its root to the end of the root's file data.
  const std::span<const uint8_t> root = TRY(dir.BytesAtRva(*rootRva, kDirectoryHeaderSize));
  uint64_t rootOffset = static_cast<uint64_t>(root.data() - file.data());
  uint64_t end = file.size();
  for (const Section& s : dir.sections_)
    if (rootOffset >= s.rawOffset && rootOffset - s.rawOffset < s.rawSize)
      end = std::min<uint64_t>(end, uint64_t{s.rawOffset} + s.rawSize);
  dir.tree_ = *f.Sub(rootOffset, end - rootOffset);
  TRY(dir.DirectoryAt(0));
  return dir;
}

Result<std::span<const uint8_t>, PeError> ResourceDirectory::BytesAtRva(uint32_t rva,
                                                                        uint32_t size) const {
  LeReader f(file_);
  if (rva < headerSize_) {
    auto bytes = f.Span(rva, size);
    if (bytes && uint64_t{rva} + size <= headerSize_) return *bytes;
  }
  for (const Section& s : sections_) {
    if (rva < s.virtualAddress || rva - s.virtualAddress >= s.extent) continue;
    uint32_t delta = rva - s.virtualAddress;
    if (delta > s.rawSize || size > s.rawSize - delta) return Fail(PeError::BadRva);
    auto bytes = f.Span(uint64_t{s.rawOffset} + delta, size);
    if (!bytes) return Fail(PeError::BadRva);
    return *bytes;
  }
  return Fail(PeError::BadRva);
}

Result<ResourceDirectory::Directory, PeError> ResourceDirectory::DirectoryAt(
    uint32_t offset) const {
  auto named = tree_.U16(uint64_t{offset} + 12);
  auto ids = tree_.U16(uint64_t{offset} + 14);
  if (!named || !ids) return Fail(PeError::BadDirectory);
  uint32_t count = uint32_t{*named} + *ids;
  auto entries =
      tree_.Sub(uint64_t{offset} + kDirectoryHeaderSize, uint64_t{count} * kDirectoryEntrySize);
  if (!entries) return Fail(PeError::BadDirectory);
  return Directory{offset, *entries, *named, *ids};
}

Result<ResourceDirectory::Entry, PeError> ResourceDirectory::EntryAt(const Directory& dir,
                                                                     uint32_t index,
                                                                     bool readName) const {
  uint32_t name = *dir.entries.U32(uint64_t{index} * kDirectoryEntrySize);
  uint32_t target = *dir.entries.U32(uint64_t{index} * kDirectoryEntrySize + 4);
  Entry e{ResourceId::Number(static_cast<uint16_t>(name)), target & ~kHighBit,
          (target & kHighBit) != 0};
  if (name & kHighBit) {
    e.id.isString = true;
    if (readName) {
      e.id = ResourceId::String(TRY(NameAt(name & ~kHighBit)));
    }
  }
  return e;
}

Result<std::u16string, PeError> ResourceDirectory::NameAt(uint32_t offset) const {
  auto length = tree_.U16(offset);
  if (!length) return Fail(PeError::BadDirectory);
  auto chars = tree_.Span(uint64_t{offset} + 2, uint64_t{*length} * 2);
  if (!chars) return Fail(PeError::BadDirectory);
  std::u16string name(*length, u'\0');
  for (size_t i = 0; i < name.size(); ++i)
    name[i] = static_cast<char16_t>((*chars)[2 * i] | (*chars)[2 * i + 1] << 8);
  return name;
}

ResourceDirectory::Index& ResourceDirectory::IndexOf(const Directory& dir) const {
  auto [at, added] = indexes_.try_emplace(dir.offset);
  Index& index = at->second;
  if (!added) return index;
  uint32_t total = dir.namedCount + dir.idCount;
  auto idAt = [&](uint32_t i) { return *dir.entries.U32(uint64_t{i} * kDirectoryEntrySize); };
  for (uint32_t i = dir.namedCount + 1; i < total && index.idsInOrder; ++i)
    index.idsInOrder = idAt(i - 1) <= idAt(i);
  if (!index.idsInOrder) {
    index.ids.reserve(dir.idCount);
    for (uint32_t i = dir.namedCount; i < total; ++i)
      index.ids.emplace_back(idAt(i), i);
    std::sort(index.ids.begin(), index.ids.end());
  }
  return index;
}

// Every name of the directory, read once; a name that cannot be read fails every lookup by name
// in the directory, as it fails listing its names.
std::optional<PeError> ResourceDirectory::ReadNames(const Directory& dir, Index& index) const {
  if (index.namesRead) return index.namesError;
  index.namesRead = true;
  index.names.reserve(dir.namedCount);
  for (uint32_t i = 0; i < dir.namedCount; ++i) {
    auto e = EntryAt(dir, i, true);
    if (!e) {
      index.names.clear();
      return index.namesError = e.error();
    }
    if (e->id.isString) index.names.emplace_back(Folded(e->id.string), i);
  }
  std::sort(index.names.begin(), index.names.end());
  return std::nullopt;
}

Result<ResourceDirectory::Entry, PeError> ResourceDirectory::Lookup(const Directory& dir,
                                                                    const ResourceId& id) const {
  uint32_t total = dir.namedCount + dir.idCount;
  if (total <= kWalkedDirectory) {
    for (uint32_t i = id.isString ? 0 : dir.namedCount; i < (id.isString ? dir.namedCount : total);
         ++i) {
      if (!id.isString && *dir.entries.U32(uint64_t{i} * kDirectoryEntrySize) != id.number)
        continue;
      Entry e = TRY(EntryAt(dir, i, id.isString));
      if (!id.isString || (e.id.isString && SameResourceName(e.id.string, id.string))) return e;
    }
    return Fail(PeError::NotFound);
  }
  Index& index = IndexOf(dir);
  if (id.isString) {
    if (std::optional<PeError> error = ReadNames(dir, index)) return Fail(*error);
    std::u16string folded = Folded(id.string);
    auto at = std::lower_bound(index.names.begin(), index.names.end(),
                               std::pair<std::u16string, uint32_t>(folded, 0));
    if (at == index.names.end() || at->first != folded) return Fail(PeError::NotFound);
    return EntryAt(dir, at->second, true);
  }
  if (!index.idsInOrder) {
    auto at = std::lower_bound(index.ids.begin(), index.ids.end(),
                               std::pair<uint32_t, uint32_t>(id.number, 0));
    if (at == index.ids.end() || at->first != id.number) return Fail(PeError::NotFound);
    return EntryAt(dir, at->second, false);
  }
  auto idAt = [&](uint32_t i) { return *dir.entries.U32(uint64_t{i} * kDirectoryEntrySize); };
  uint32_t lo = dir.namedCount, hi = total;
  while (lo < hi) {
    uint32_t mid = lo + (hi - lo) / 2;
    if (idAt(mid) < id.number)
      lo = mid + 1;
    else
      hi = mid;
  }
  if (lo < total && idAt(lo) == id.number) return EntryAt(dir, lo, false);
  return Fail(PeError::NotFound);
}

Result<ResourceDirectory::Directory, PeError> ResourceDirectory::Subdirectory(
    const Directory& dir, const ResourceId& id) const {
  const Entry e = TRY(Lookup(dir, id));
  if (!e.isDirectory) return Fail(PeError::BadDirectory);
  return DirectoryAt(e.target);
}

Result<ResourceDirectory::Entry, PeError> ResourceDirectory::PreferredLanguage(
    const Directory& languages) const {
  // No module stores a resource in more languages than this; a directory that claims more is
  // looked at no further, so each lookup stays cheap however the directory was made.
  uint32_t total = std::min(languages.namedCount + languages.idCount, kMaxLanguages);
  if (total == 0) return Fail(PeError::NotFound);
  uint32_t chosen = 0;
  size_t rank = std::size(kPreferredLanguages);
  for (uint32_t i = languages.namedCount; i < total && rank > 0; ++i) {
    uint32_t id = *languages.entries.U32(uint64_t{i} * kDirectoryEntrySize);
    for (size_t r = 0; r < rank; ++r)
      if (id == kPreferredLanguages[r]) {
        chosen = i, rank = r;
        break;
      }
  }
  return EntryAt(languages, chosen, false);
}

Result<std::vector<ResourceId>, PeError> ResourceDirectory::Names(const ResourceId& type) const {
  const Directory root = TRY(DirectoryAt(0));
  auto names = Subdirectory(root, type);
  if (!names) {
    if (names.error() == PeError::NotFound) return std::vector<ResourceId>{};
    return Fail(names.error());
  }
  std::vector<ResourceId> out;
  uint32_t total = names->namedCount + names->idCount;
  out.reserve(total);
  for (uint32_t i = 0; i < total; ++i) {
    out.push_back(TRY(EntryAt(*names, i, true)).id);
  }
  return out;
}

Result<std::span<const uint8_t>, PeError> ResourceDirectory::Find(const ResourceId& type,
                                                                  const ResourceId& name) const {
  const Directory root = TRY(DirectoryAt(0));
  const Directory names = TRY(Subdirectory(root, type));
  const Directory languages = TRY(Subdirectory(names, name));
  const Entry language = TRY(PreferredLanguage(languages));
  if (language.isDirectory) return Fail(PeError::BadDirectory);
  auto data = tree_.Sub(language.target, kDataEntrySize);
  if (!data) return Fail(PeError::BadDirectory);
  return BytesAtRva(*data->U32(0), *data->U32(4));
}

}  // namespace platform::pe
