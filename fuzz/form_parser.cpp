// Feeds arbitrary bytes to the form parser, then reads every unit's own settings and looks each
// entry up, as the window loader would.
#include <cstddef>
#include <cstdint>
#include <span>

#include "frame/form/form.h"
#include "frame/form/type_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace frame::form;
  auto parsed = Parse(std::span<const uint8_t>(data, size));
  if (!parsed.ok()) return 0;
  for (const WindowEntry& window : parsed->windows) {
    for (const TableEntry& entry : window.record.table) {
      (void)FindEntry(window.record, EntryId(entry));
      if (const auto* unit = std::get_if<UnitRecord>(&entry)) {
        (void)ReadTypeData(*unit);
        (void)ChildPages(*unit);
      }
    }
  }
  return 0;
}
