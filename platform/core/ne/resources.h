// The resources of a 16-bit NE module (programs, libraries and icon libraries of the 16-bit
// platform): the resource table after the NE header, with its alignment shift, its type entries
// and, for each type, its name entries (offset and length in alignment units, an id or a name).
// The reader answers the same questions as the PE reader (platform/core/pe/resources.h) with the
// same errors. NE resources have no languages.
//
// The input is hostile: opening checks the header and walks the type entries once (each one must
// lie inside the file, and the walk ends at the terminator or fails at the end of the file);
// every name, offset and shifted length is checked against the file before use. A type of many
// resources is indexed on its first lookup (ids in order, names folded to lower case), so looking
// up every one of n resources costs n log n.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/core/codecs/le_reader.h"
#include "platform/core/pe/resources.h"
#include "platform/core/result.h"

namespace platform::ne {

using pe::PeError;
using pe::ResourceId;

constexpr uint32_t kHeaderSize = 0x40;
// Offsets and lengths are 16-bit counts of 2^shift bytes. Beyond 16 they would reach past what a
// 32-bit file offset can name, so a larger shift is a damaged table.
constexpr uint16_t kMaxAlignShift = 16;
// The header's 16-bit offsets place a consistent resource table within 64 KiB, where no more
// type entries than this fit.
constexpr size_t kMaxTypes = 8192;

class ResourceTable {
 public:
  // `header` is the file offset of the "NE" signature (the DOS header's pointer at 0x3C).
  static Result<ResourceTable, PeError> Open(std::span<const uint8_t> file, uint32_t header);

  uint16_t alignShift() const { return shift_; }

  // The names of one type in the order the table stores them. A module without that type has
  // none.
  Result<std::vector<ResourceId>, PeError> Names(const ResourceId& type) const;
  // The bytes of a resource: its stored length, a whole number of alignment units. String names
  // compare without regard to the case of ASCII letters.
  Result<std::span<const uint8_t>, PeError> Find(const ResourceId& type,
                                                 const ResourceId& name) const;

 private:
  // A type's entries in the order lookups search them; equal keys keep the table's order, so a
  // lookup finds the first match in the table, as a walk through the entries would.
  struct Index {
    std::vector<std::pair<uint16_t, uint32_t>> ids;          // number, position
    std::optional<PeError> namesError;                       // a name that cannot be read
    std::vector<std::pair<std::u16string, uint32_t>> names;  // folded name, position
  };
  struct Type {
    uint16_t id;       // 0x8000 | number, or the offset of its name in the table
    uint64_t entries;  // offset of its first name entry in the table
    uint16_t count;
    mutable std::optional<Index> index;  // made on the first lookup in a type of many entries
  };

  Result<const Type*, PeError> TypeOf(const ResourceId& type) const;
  Result<ResourceId, PeError> IdAt(uint16_t raw) const;
  Result<bool, PeError> Matches(uint16_t raw, const ResourceId& id) const;
  uint16_t RawIdAt(const Type& type, uint32_t position) const;
  const Index& IndexOf(const Type& type) const;
  Result<uint32_t, PeError> Position(const Type& type, const ResourceId& name) const;

  std::span<const uint8_t> file_;
  codecs::LeReader table_;  // from the resource table to the end of the file
  uint16_t shift_ = 0;
  std::vector<Type> types_;
  std::unordered_map<uint16_t, size_t> integerTypes_;  // 0x8000 | number: its first type
};

}  // namespace platform::ne
