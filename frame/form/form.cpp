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

// The unit table: c ids, c record offsets from the end of the offset array, then the records.
class UnitTableReader {
 public:
  explicit UnitTableReader(FormReader& r) : r_(r) {}

  std::vector<TableEntry> Read(int32_t unitCount, size_t unitCountOffset) {
    size_t at = r_.offset();
    size_t saved = r_.Narrow(r_.Length(r_.Int32(), at));
    size_t count = r_.Count(unitCount, 8, unitCountOffset);
    if (r_.ok() && count == 0) r_.Fail(FormErrorReason::EmptyUnitTable, unitCountOffset);
    idsStart_ = r_.offset();
    ids_.resize(count);
    offsets_.resize(count);
    for (int32_t& id : ids_)
      id = r_.Int32();
    for (int32_t& offset : offsets_)
      offset = r_.Int32();
    recordsStart_ = r_.offset();
    recordBytesLeft_ = r_.remaining();
    std::vector<TableEntry> table;
    table.reserve(count);
    for (size_t i = 0; i < count && r_.ok(); ++i)
      table.push_back(ReadEntry(i));
    r_.Widen(saved);
    return table;
  }

 private:
  TableEntry ReadEntry(size_t i) {
    size_t offsetField = idsStart_ + 4 * (ids_.size() + i);
    if (offsets_[i] < 0) {
      r_.Fail(FormErrorReason::RecordOutsideTable, offsetField);
      return UnitRecord{};
    }
    r_.Seek(recordsStart_ + static_cast<size_t>(offsets_[i]));
    size_t at = r_.offset();
    size_t length = r_.Length(r_.Int32(), at);
    // Records are copied out whole; the records of a sound table together fit in it once.
    if (r_.ok() && 4 + length > recordBytesLeft_) r_.Fail(FormErrorReason::RecordsOverlap, at);
    recordBytesLeft_ -= r_.ok() ? 4 + length : 0;
    size_t saved = r_.Narrow(length);
    TableEntry entry;
    switch (static_cast<UnitKind>(UnitIdKind(ids_[i]))) {
      case UnitKind::WindowEntry:
      case UnitKind::Unit:
        entry = ReadUnitRecord(r_, ids_[i]);
        break;
      case UnitKind::MenuItem:
        entry = ReadMenuItemRecord(r_, ids_[i]);
        break;
      default:
        r_.Fail(FormErrorReason::UnknownEntryKind, idsStart_ + 4 * i);
    }
    r_.Widen(saved);
    return entry;
  }

  FormReader& r_;
  std::vector<int32_t> ids_, offsets_;
  size_t idsStart_ = 0, recordsStart_ = 0, recordBytesLeft_ = 0;
};

WindowRecord ReadWindowRecord(FormReader& r) {
  WindowRecord w;
  w.firstValue = r.Int32();
  w.secondValue = r.Int32();
  w.firstText = r.CountedText();
  w.secondText = r.CountedText();
  size_t unitCountOffset = r.offset();
  int32_t unitCount = r.Int32();
  w.table = UnitTableReader(r).Read(unitCount, unitCountOffset);
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
  size_t indexLength = r.Length(r.Int32(), at);
  if (indexLength % 8 != 0) r.Fail(FormErrorReason::BadWindowIndex, at);
  size_t windowCount = indexLength / 8;
  std::vector<int32_t> ids(windowCount);
  for (int32_t& id : ids)
    id = r.Int32();
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
