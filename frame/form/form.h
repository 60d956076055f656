// The form description: the binary block that lists the program's windows and every unit on them,
// parsed into the window table the window loader works from.
//
// Block layout (little-endian): a window index (counted block: n window ids, then n design-time
// slots), then one window record per window. A window record holds two stored values, two
// counted texts, the unit count c and the unit table: c unit ids, c record offsets (relative to
// the end of the offset array), then the records, each an int32 length and its bytes. Entry 0 is
// the window's own entry; menu-item records (kind 2) start like unit records (type id, five
// reserved words, name, remark) and go on with their own fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "frame/form/reader.h"
#include "frame/values.h"
#include "platform/core/result.h"

namespace frame::form {

// Unit ids: bits 28-31 the kind, bits 24-27 always 6, bits 0-23 a serial number (never 0).
enum class UnitKind { WindowEntry = 0, Unit = 1, MenuItem = 2 };
constexpr int UnitIdKind(int32_t id) {
  return static_cast<int>(static_cast<uint32_t>(id) >> 28);
}
constexpr int32_t UnitIdSerial(int32_t id) {
  return id & 0xFFFFFF;
}
constexpr bool IsValidUnitId(int32_t id) {
  return UnitIdSerial(id) != 0 && ((static_cast<uint32_t>(id) >> 24) & 0xF) != 0;
}

// The handler field of an event binding when no handler is bound.
inline constexpr int32_t kNoHandler = -1;

struct EventBinding {
  int32_t eventIndex;  // >= 0 the type's own event, < 0 a common mouse, focus or key event
  int32_t handler;     // the program's handler number, or kNoHandler
  friend bool operator==(const EventBinding&, const EventBinding&) = default;
};

// Unit flags (common properties 5 and 6, and the Tab-key order).
inline constexpr int32_t kFlagVisible = 1;
inline constexpr int32_t kFlagDisabled = 2;
inline constexpr int32_t kFlagTabStop = 4;

// A unit, or the window's own entry. Geometry, tag, flags and cursor data are the design-time
// values and are kept up to date by property writes while the window is not loaded.
struct UnitRecord {
  int32_t id = 0;
  int32_t typeId = 0;
  Text name;  // GBK; empty for the window's own entry
  Text remark;
  uint32_t objectSlot = 0;  // 0 in the block; the loader may keep the live unit's handle here
  int32_t left = 0, top = 0, width = 0, height = 0;
  uint32_t cursorSlot = 0;  // 0 in the block; the loader may keep the made cursor here
  int32_t parentId = 0;     // the container holding the unit; 0 for the window
  // For containers: child unit ids grouped by page, each group ended by a 0.
  std::vector<int32_t> children;
  ByteSet cursorData;  // 4 zero bytes: the default cursor
  Text tag;
  int32_t flags = 0;
  std::vector<EventBinding> events;
  ByteSet typeData;           // the type's own settings (type_data.h); may be empty
  size_t typeDataOffset = 0;  // where typeData starts in the block, for error offsets

  bool visible() const { return flags & kFlagVisible; }
  bool disabled() const { return flags & kFlagDisabled; }
  bool tabStop() const { return flags & kFlagTabStop; }
  // The handler bound to an event, or kNoHandler.
  int32_t HandlerFor(int32_t eventIndex) const;
};

// Menu-item flags.
inline constexpr int32_t kMenuHidden = 1;
inline constexpr int32_t kMenuDisabled = 2;
inline constexpr int32_t kMenuChecked = 4;

struct MenuItemRecord {
  int32_t id = 0;
  int32_t typeId = 0;
  Text name;
  Text remark;
  int32_t firstValue = 0, secondValue = 0;
  int32_t flags = 0;
  int32_t thirdValue = 0;
  Text caption;
  int32_t handler = kNoHandler;
};

using TableEntry = std::variant<UnitRecord, MenuItemRecord>;
int32_t EntryId(const TableEntry& entry);

struct WindowRecord {
  int32_t firstValue = 0;   // 0x0148FFC0 in the program's form
  int32_t secondValue = 0;  // 0x19010003 in the program's form
  Text firstText, secondText;
  std::vector<TableEntry> table;  // entry 0 is the window's own entry
};

struct WindowEntry {
  int32_t id = 0;
  WindowRecord record;
};

struct WindowTable {
  std::vector<WindowEntry> windows;  // in index order

  WindowEntry* Find(int32_t windowId);
  const WindowEntry* Find(int32_t windowId) const;
};

// Parses a whole form description. A short or corrupt block, or bytes after the last window
// record, give an error naming the reason and the offset; nothing is read past the end.
platform::Result<WindowTable, FormError> Parse(std::span<const uint8_t> form);

// The entry with the unit id; unit id 0 is the window's own entry (entry 0). Null if missing.
TableEntry* FindEntry(WindowRecord& window, int32_t unitId);
const TableEntry* FindEntry(const WindowRecord& window, int32_t unitId);
// The unit record with the unit id (0: the window's own entry). Null if missing or a menu item.
UnitRecord* FindUnitRecord(WindowRecord& window, int32_t unitId);
const UnitRecord* FindUnitRecord(const WindowRecord& window, int32_t unitId);

// A container's children, one list per page (the 0 separators removed); a last group without
// its separator is a page too.
std::vector<std::vector<int32_t>> ChildPages(const UnitRecord& container);

}  // namespace frame::form
