#include "tests/support/ne_writer.h"

#include <map>
#include <stdexcept>
#include <string>

#include "platform/text/gbk.h"
#include "tests/support/icon_images.h"

namespace testing_support {

namespace {

constexpr uint32_t kNeOffset = 0x40;
constexpr uint32_t kNeHeaderSize = 0x40;

void AppendName(Bytes& b, const std::string& name) {
  b.push_back(static_cast<uint8_t>(name.size()));
  b.insert(b.end(), name.begin(), name.end());
}

}  // namespace

void NeWriter::Add(const ResourceName& type, const ResourceName& name, Bytes data) {
  Type* t = nullptr;
  for (Type& existing : types_)
    if (!(existing.id < type) && !(type < existing.id)) t = &existing;
  if (!t) t = &types_.emplace_back(Type{type, {}});
  t->resources.push_back(Resource{name, std::move(data)});
}

int NeWriter::AddIconGroup(const ResourceName& name, const Bytes& icoFile) {
  IconGroupResources parts = SplitIconFile(icoFile, nextIconId_);
  for (Bytes& image : parts.images)
    Add(kRtIcon, nextIconId_++, std::move(image));
  Add(kRtGroupIcon, name, std::move(parts.group));
  return static_cast<int>(parts.images.size());
}

Bytes NeWriter::Build() {
  // The resource table: shift, types with their entries, terminator, then the name strings,
  // ended by a zero length.
  size_t entriesSize = 2;
  for (const Type& t : types_)
    entriesSize += 8 + 12 * t.resources.size();
  entriesSize += 2;
  Bytes table(entriesSize, 0);
  Bytes strings;
  auto idOf = [&](const ResourceName& n) -> uint16_t {
    if (!n.isString) return static_cast<uint16_t>(0x8000 | n.number);
    size_t at = entriesSize + strings.size();
    AppendName(strings, platform::text::Utf16ToGbk(n.string));
    return static_cast<uint16_t>(at);
  };
  PutU16(table, 0, shift_);
  size_t at = 2;
  std::vector<size_t> entryOffsets;  // of each resource's name entry, in order
  for (const Type& t : types_) {
    PutU16(table, at, idOf(t.id));
    PutU16(table, at + 2, static_cast<uint16_t>(t.resources.size()));
    at += 8;
    for (const Resource& r : t.resources) {
      PutU16(table, at + 4, 0x1C30);  // moveable, pure, discardable
      PutU16(table, at + 6, idOf(r.name));
      entryOffsets.push_back(at);
      at += 12;
    }
  }
  strings.push_back(0);
  table.insert(table.end(), strings.begin(), strings.end());

  Bytes resident, nonResident;
  AppendName(resident, "ICONS");
  AppendU16(resident, 0);
  resident.push_back(0);
  AppendName(nonResident, "Icon library");
  AppendU16(nonResident, 0);
  nonResident.push_back(0);

  uint32_t tableAt = kNeHeaderSize;
  uint32_t residentAt = tableAt + static_cast<uint32_t>(table.size());
  uint32_t tablesEnd = residentAt + static_cast<uint32_t>(resident.size());  // module references,
  uint32_t entryTableAt = tablesEnd + 1;  // imported names (one empty byte), the entry table
  uint32_t nonResidentAt = kNeOffset + entryTableAt + 2;
  Bytes file(nonResidentAt, 0);
  file.insert(file.end(), nonResident.begin(), nonResident.end());

  // The DOS header: "MZ", the header's size in paragraphs, relocations at 0x40 (a new-style
  // executable), and where the NE header is; the file's size in pages comes last.
  file[0] = 'M', file[1] = 'Z';
  PutU16(file, 0x08, 4);
  PutU16(file, 0x18, 0x40);
  PutU32(file, 0x3C, kNeOffset);

  const uint32_t ne = kNeOffset;
  file[ne] = 'N', file[ne + 1] = 'E';
  file[ne + 2] = 5;  // linker 5.10
  file[ne + 3] = 10;
  PutU16(file, ne + 0x04, static_cast<uint16_t>(entryTableAt));
  PutU16(file, ne + 0x06, 2);
  PutU16(file, ne + 0x0C, 0x8000);  // a library
  PutU16(file, ne + 0x20, static_cast<uint16_t>(nonResident.size()));
  PutU16(file, ne + 0x22, static_cast<uint16_t>(kNeHeaderSize));  // no segments
  PutU16(file, ne + 0x24, static_cast<uint16_t>(tableAt));
  PutU16(file, ne + 0x26, static_cast<uint16_t>(residentAt));
  PutU16(file, ne + 0x28, static_cast<uint16_t>(tablesEnd));
  PutU16(file, ne + 0x2A, static_cast<uint16_t>(tablesEnd));
  PutU32(file, ne + 0x2C, nonResidentAt);
  PutU16(file, ne + 0x32, 9);
  PutU16(file, ne + 0x34, 0);
  file[ne + 0x36] = 2;  // Windows
  PutU16(file, ne + 0x3E, 0x030A);

  // The data, each resource at a whole unit, padded to whole units.
  const uint64_t unit = uint64_t{1} << shift_;
  auto alignUp = [&](uint64_t v) { return (v + unit - 1) / unit * unit; };
  uint64_t cursor = alignUp(file.size());
  layout_.firstData = static_cast<uint32_t>(cursor);
  size_t entry = 0;
  std::map<Bytes, size_t> stored;  // data shared: the entry that holds it
  for (const Type& t : types_)
    for (const Resource& r : t.resources) {
      if (share_) {
        auto [at, added] = stored.try_emplace(r.data, entry);
        if (!added) {
          for (size_t field : {0, 2})
            PutU16(table, entryOffsets[entry] + field,
                   GetU16(table, entryOffsets[at->second] + field));
          ++entry;
          continue;
        }
      }
      uint64_t units = alignUp(r.data.size()) >> shift_;
      if ((cursor >> shift_) > 0xFFFF || units > 0xFFFF)
        throw std::length_error("an NE resource past what the alignment shift reaches");
      PutU16(table, entryOffsets[entry], static_cast<uint16_t>(cursor >> shift_));
      PutU16(table, entryOffsets[entry] + 2, static_cast<uint16_t>(units));
      file.resize(cursor, 0);
      file.insert(file.end(), r.data.begin(), r.data.end());
      cursor = alignUp(file.size());
      ++entry;
    }
  file.resize(cursor, 0);
  std::copy(table.begin(), table.end(), file.begin() + ne + tableAt);
  std::copy(resident.begin(), resident.end(), file.begin() + ne + residentAt);
  PutU16(file, 0x02, static_cast<uint16_t>(file.size() % 512));
  PutU16(file, 0x04, static_cast<uint16_t>((file.size() + 511) / 512));

  layout_.neHeader = ne;
  layout_.resourceTable = ne + tableAt;
  layout_.nameStrings = ne + tableAt + static_cast<uint32_t>(entriesSize);
  layout_.residentNames = ne + residentAt;
  return file;
}

}  // namespace testing_support
