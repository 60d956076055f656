#include "platform/ne/resources.h"

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
    table.types_.push_back(Type{*id, entries, *count});
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
  auto stored = IdAt(raw);
  if (!stored) return Fail(stored.error());
  return pe::SameResourceName(stored->string, id.string);
}

Result<const ResourceTable::Type*, PeError> ResourceTable::TypeOf(const ResourceId& type) const {
  for (const Type& t : types_) {
    auto match = Matches(t.id, type);
    if (!match) return Fail(match.error());
    if (*match) return &t;
  }
  return static_cast<const Type*>(nullptr);
}

Result<std::vector<ResourceId>, PeError> ResourceTable::Names(const ResourceId& type) const {
  auto t = TypeOf(type);
  if (!t) return Fail(t.error());
  std::vector<ResourceId> names;
  if (!*t) return names;
  names.reserve((*t)->count);
  for (uint32_t i = 0; i < (*t)->count; ++i) {
    auto id = IdAt(*table_.U16(uint64_t{(*t)->entries} + uint64_t{i} * kNameEntrySize + 6));
    if (!id) return Fail(id.error());
    names.push_back(std::move(id).value());
  }
  return names;
}

Result<std::span<const uint8_t>, PeError> ResourceTable::Find(const ResourceId& type,
                                                              const ResourceId& name) const {
  auto t = TypeOf(type);
  if (!t) return Fail(t.error());
  if (!*t) return Fail(PeError::NotFound);
  for (uint32_t i = 0; i < (*t)->count; ++i) {
    LeReader entry =
        *table_.Sub(uint64_t{(*t)->entries} + uint64_t{i} * kNameEntrySize, kNameEntrySize);
    auto match = Matches(*entry.U16(6), name);
    if (!match) return Fail(match.error());
    if (!*match) continue;
    uint64_t offset = uint64_t{*entry.U16(0)} << shift_;
    uint64_t length = uint64_t{*entry.U16(2)} << shift_;
    auto bytes = LeReader(file_).Span(offset, length);
    if (!bytes) return Fail(PeError::BadRva);
    return *bytes;
  }
  return Fail(PeError::NotFound);
}

}  // namespace platform::ne
