#include "platform/core/ne/resources.h"

#include <algorithm>
#include <string_view>

#include "platform/text/gbk.h"

namespace platform::ne {
namespace {

using codecs::LeReader;

constexpr uint16_t kNeSignature = 0x454E;  // "NE"
constexpr uint32_t kResourceTableField = 0x24;
constexpr uint32_t kResidentNamesField = 0x26;
constexpr uint32_t kTypeEntrySize = 8;   // id, count, 4 reserved bytes
constexpr uint32_t kNameEntrySize = 12;  // offset, length, flags, id, 4 reserved bytes
constexpr uint16_t kIntegerId = 0x8000;
// Types of at most this many entries are searched entry by entry, without an index.
constexpr uint32_t kWalkedType = 16;

std::u16string Folded(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return folded;
}

}  // namespace

Result<ResourceTable, PeError> ResourceTable::Open(std::span<const uint8_t> file, uint32_t header) {
  LeReader f(file);
  auto ne = f.Sub(header, kHeaderSize);
  if (!ne) return Fail(PeError::Truncated);
  if (*ne->U16(0) != kNeSignature) return Fail(PeError::NotPe);
  uint16_t tableAt = *ne->U16(kResourceTableField);
  // The resident-name table follows the resource table; where both start alike there is none.
  if (tableAt == *ne->U16(kResidentNamesField)) return Fail(PeError::NoResources);

  ResourceTable table;
  table.file_ = file;
  uint64_t start = uint64_t{header} + tableAt;
  if (start >= file.size()) return Fail(PeError::BadDirectory);
  table.table_ = f.From(start);
  auto shift = table.table_.U16(0);
  if (!shift || *shift > kMaxAlignShift) return Fail(PeError::BadDirectory);
  table.shift_ = *shift;

  // Every type entry takes at least 8 bytes of the file, so the walk ends.
  uint64_t at = 2;
  for (;;) {
    auto id = table.table_.U16(at);
    if (!id) return Fail(PeError::BadDirectory);
    if (*id == 0) break;
    if (table.types_.size() == kMaxTypes) return Fail(PeError::BadDirectory);
    auto count = table.table_.U16(at + 2);
    uint64_t entries = at + kTypeEntrySize, size = uint64_t{count.value_or(0)} * kNameEntrySize;
    if (!count || !table.table_.Contains(entries, size)) return Fail(PeError::BadDirectory);
    if (*id & kIntegerId) table.integerTypes_.try_emplace(*id, table.types_.size());
    table.types_.push_back(Type{*id, entries, *count, std::nullopt});
    at = entries + size;
  }
  return table;
}

// A name: a length byte, then that many bytes in the platform's code page.
Result<ResourceId, PeError> ResourceTable::IdAt(uint16_t raw) const {
  if (raw & kIntegerId) return ResourceId::Number(raw & ~kIntegerId);
  auto length = table_.U8(raw);
  if (!length) return Fail(PeError::BadDirectory);
  auto chars = table_.Span(uint64_t{raw} + 1, *length);
  if (!chars) return Fail(PeError::BadDirectory);
  return ResourceId::String(text::GbkToUtf16(
      std::string_view(reinterpret_cast<const char*>(chars->data()), chars->size())));
}

Result<bool, PeError> ResourceTable::Matches(uint16_t raw, const ResourceId& id) const {
  if ((raw & kIntegerId) != 0) return !id.isString && (raw & ~kIntegerId) == id.number;
  if (!id.isString) return false;
  return pe::SameResourceName(TRY(IdAt(raw)).string, id.string);
}

Result<const ResourceTable::Type*, PeError> ResourceTable::TypeOf(const ResourceId& type) const {
  if (!type.isString) {
    if (type.number >= kIntegerId) return static_cast<const Type*>(nullptr);
    auto found = integerTypes_.find(static_cast<uint16_t>(kIntegerId | type.number));
    return found == integerTypes_.end() ? nullptr : &types_[found->second];
  }
  for (const Type& t : types_) {
    if (TRY(Matches(t.id, type))) return &t;
  }
  return static_cast<const Type*>(nullptr);
}

// Every entry of a type lies inside the table (checked on opening).
uint16_t ResourceTable::RawIdAt(const Type& type, uint32_t position) const {
  return *table_.U16(type.entries + uint64_t{position} * kNameEntrySize + 6);
}

const ResourceTable::Index& ResourceTable::IndexOf(const Type& type) const {
  if (type.index) return *type.index;
  Index& index = type.index.emplace();
  for (uint32_t i = 0; i < type.count; ++i) {
    uint16_t raw = RawIdAt(type, i);
    if (raw & kIntegerId) {
      index.ids.emplace_back(static_cast<uint16_t>(raw & ~kIntegerId), i);
      continue;
    }
    if (index.namesError) continue;
    auto id = IdAt(raw);
    if (id)
      index.names.emplace_back(Folded(id->string), i);
    else
      index.namesError = id.error();
  }
  std::sort(index.ids.begin(), index.ids.end());
  std::sort(index.names.begin(), index.names.end());
  return index;
}

// Where the first entry of that name is in its type.
Result<uint32_t, PeError> ResourceTable::Position(const Type& type, const ResourceId& name) const {
  if (type.count <= kWalkedType) {
    for (uint32_t i = 0; i < type.count; ++i) {
      if (TRY(Matches(RawIdAt(type, i), name))) return i;
    }
    return Fail(PeError::NotFound);
  }
  const Index& index = IndexOf(type);
  if (name.isString) {
    // A name that cannot be read fails every lookup by name in its type, as it fails listing.
    if (index.namesError) return Fail(*index.namesError);
    std::u16string folded = Folded(name.string);
    auto at = std::lower_bound(index.names.begin(), index.names.end(),
                               std::pair<std::u16string, uint32_t>(folded, 0));
    if (at == index.names.end() || at->first != folded) return Fail(PeError::NotFound);
    return at->second;
  }
  auto at = std::lower_bound(index.ids.begin(), index.ids.end(),
                             std::pair<uint16_t, uint32_t>(name.number, 0));
  if (at == index.ids.end() || at->first != name.number) return Fail(PeError::NotFound);
  return at->second;
}

Result<std::vector<ResourceId>, PeError> ResourceTable::Names(const ResourceId& type) const {
  const Type* t = TRY(TypeOf(type));
  std::vector<ResourceId> names;
  if (!t) return names;
  names.reserve(t->count);
  for (uint32_t i = 0; i < t->count; ++i)
    names.push_back(TRY(IdAt(RawIdAt(*t, i))));
  return names;
}

Result<std::span<const uint8_t>, PeError> ResourceTable::Find(const ResourceId& type,
                                                              const ResourceId& name) const {
  const Type* t = TRY(TypeOf(type));
  if (!t) return Fail(PeError::NotFound);
  const uint32_t position = TRY(Position(*t, name));
  LeReader entry = *table_.Sub(t->entries + uint64_t{position} * kNameEntrySize, kNameEntrySize);
  uint64_t offset = uint64_t{*entry.U16(0)} << shift_;
  uint64_t length = uint64_t{*entry.U16(2)} << shift_;
  auto bytes = LeReader(file_).Span(offset, length);
  if (!bytes) return Fail(PeError::BadRva);
  return *bytes;
}

}  // namespace platform::ne
