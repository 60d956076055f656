#include "frame/form/form.h"

#include <algorithm>

namespace frame::form {
namespace {

constexpr int kReservedWords = 5;

// Type id, reserved words, name and remark: the start of unit and menu-item records alike.
template <class Record>
void ReadRecordHead(FormReader& r, Record& record) {
  record.typeId = r.Int32();
  r.SkipInt32s(kReservedWords);
  record.name = r.ZeroTerminatedText();
  record.remark = r.ZeroTerminatedText();
}

std::vector<EventBinding> ReadEvents(FormReader& r) {
  size_t at = r.offset();
  size_t count = r.Count(r.Int32(), 8, at);
  std::vector<EventBinding> events;
  events.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    int32_t index = r.Int32();
    events.push_back({index, r.Int32()});
  }
  return events;
}

UnitRecord ReadUnitRecord(FormReader& r, int32_t id) {
  UnitRecord u;
  u.id = id;
  ReadRecordHead(r, u);
  u.objectSlot = static_cast<uint32_t>(r.Int32());
  u.left = r.Int32();
  u.top = r.Int32();
  u.width = r.Int32();
  u.height = r.Int32();
  u.cursorSlot = static_cast<uint32_t>(r.Int32());
  u.parentId = r.Int32();
  u.children = r.CountedInt32s();
  u.cursorData = r.CountedBlock();
  u.tag = r.ZeroTerminatedText();
  r.Int32();
  u.flags = r.Int32();
  r.Int32();
  u.events = ReadEvents(r);
  r.SkipInt32s(kReservedWords);
  u.typeDataOffset = r.offset();
  u.typeData = ByteSet(r.Rest());
  return u;
}

MenuItemRecord ReadMenuItemRecord(FormReader& r, int32_t id) {
  MenuItemRecord m;
  m.id = id;
  ReadRecordHead(r, m);
  m.firstValue = r.Int32();
  m.secondValue = r.Int32();
  m.flags = r.Int32();
  m.thirdValue = r.Int32();
  m.caption = r.ZeroTerminatedText();
  m.handler = r.Int32();
  return m;
}

// The entry at `offset` bytes after the end of the offset array (recordsStart).
TableEntry ReadTableEntry(FormReader& r, int32_t id, size_t idOffset, int32_t offset,
                          size_t offsetField, size_t recordsStart) {
  if (offset < 0) {
    r.Fail(FormErrorReason::RecordOutsideTable, offsetField);
    return UnitRecord{};
  }
  r.Seek(recordsStart + static_cast<size_t>(offset));
  size_t at = r.offset();
  size_t saved = r.Narrow(r.Count(r.Int32(), 1, at));
  TableEntry entry;
  switch (static_cast<UnitKind>(UnitIdKind(id))) {
    case UnitKind::WindowEntry:
    case UnitKind::Unit: entry = ReadUnitRecord(r, id); break;
    case UnitKind::MenuItem: entry = ReadMenuItemRecord(r, id); break;
    default: r.Fail(FormErrorReason::UnknownEntryKind, idOffset);
  }
  r.Widen(saved);
  return entry;
}

void ReadUnitTable(FormReader& r, int32_t unitCount, size_t unitCountOffset,
                   std::vector<TableEntry>& table) {
  size_t at = r.offset();
  size_t saved = r.Narrow(r.Count(r.Int32(), 1, at));
  size_t count = r.Count(unitCount, 8, unitCountOffset);
  if (r.ok() && count == 0) r.Fail(FormErrorReason::EmptyUnitTable, unitCountOffset);
  size_t idsStart = r.offset();
  std::vector<int32_t> ids(count), offsets(count);
  for (int32_t& id : ids) id = r.Int32();
  for (int32_t& offset : offsets) offset = r.Int32();
  size_t recordsStart = r.offset();
  table.reserve(count);
  for (size_t i = 0; i < count && r.ok(); ++i)
    table.push_back(ReadTableEntry(r, ids[i], idsStart + 4 * i, offsets[i],
                                   idsStart + 4 * (count + i), recordsStart));
  r.Widen(saved);
}

WindowRecord ReadWindowRecord(FormReader& r) {
  WindowRecord w;
  w.firstValue = r.Int32();
  w.secondValue = r.Int32();
  w.firstText = r.CountedText();
  w.secondText = r.CountedText();
  size_t unitCountOffset = r.offset();
  int32_t unitCount = r.Int32();
  ReadUnitTable(r, unitCount, unitCountOffset, w.table);
  return w;
}

}  // namespace

int32_t UnitRecord::HandlerFor(int32_t eventIndex) const {
  for (const EventBinding& binding : events)
    if (binding.eventIndex == eventIndex) return binding.handler;
  return kNoHandler;
}

int32_t EntryId(const TableEntry& entry) {
  return std::visit([](const auto& record) { return record.id; }, entry);
}

WindowEntry* WindowTable::Find(int32_t windowId) {
  auto it = std::find_if(windows.begin(), windows.end(),
                         [&](const WindowEntry& w) { return w.id == windowId; });
  return it == windows.end() ? nullptr : &*it;
}

const WindowEntry* WindowTable::Find(int32_t windowId) const {
  return const_cast<WindowTable*>(this)->Find(windowId);
}

platform::Result<WindowTable, FormError> Parse(std::span<const uint8_t> form) {
  FormReader r(form);
  size_t at = r.offset();
  size_t indexLength = r.Count(r.Int32(), 1, at);
  if (indexLength % 8 != 0) r.Fail(FormErrorReason::BadWindowIndex, at);
  size_t windowCount = indexLength / 8;
  std::vector<int32_t> ids(windowCount);
  for (int32_t& id : ids) id = r.Int32();
  r.SkipInt32s(windowCount);  // design-time slots

  WindowTable table;
  for (size_t i = 0; i < windowCount && r.ok(); ++i)
    table.windows.push_back({ids[i], ReadWindowRecord(r)});
  if (r.ok() && r.remaining() != 0) r.Fail(FormErrorReason::TrailingData);
  if (!r.ok()) return platform::Fail(*r.error());
  return table;
}

TableEntry* FindEntry(WindowRecord& window, int32_t unitId) {
  if (window.table.empty()) return nullptr;
  if (unitId == 0) return &window.table.front();
  auto it = std::find_if(window.table.begin(), window.table.end(),
                         [&](const TableEntry& e) { return EntryId(e) == unitId; });
  return it == window.table.end() ? nullptr : &*it;
}

const TableEntry* FindEntry(const WindowRecord& window, int32_t unitId) {
  return FindEntry(const_cast<WindowRecord&>(window), unitId);
}

UnitRecord* FindUnitRecord(WindowRecord& window, int32_t unitId) {
  TableEntry* entry = FindEntry(window, unitId);
  return entry ? std::get_if<UnitRecord>(entry) : nullptr;
}

const UnitRecord* FindUnitRecord(const WindowRecord& window, int32_t unitId) {
  return FindUnitRecord(const_cast<WindowRecord&>(window), unitId);
}

std::vector<std::vector<int32_t>> ChildPages(const UnitRecord& container) {
  std::vector<std::vector<int32_t>> pages;
  std::vector<int32_t> page;
  for (int32_t child : container.children) {
    if (child != 0) {
      page.push_back(child);
    } else {
      pages.push_back(std::move(page));
      page.clear();
    }
  }
  if (!page.empty()) pages.push_back(std::move(page));
  return pages;
}

}  // namespace frame::form
