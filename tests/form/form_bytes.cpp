#include "tests/form/form_bytes.h"

#include <gtest/gtest.h>

#include "ui/main_window_form.h"

namespace form_test {

std::vector<uint8_t> UnitRecordBytes(int32_t typeId, std::string_view name,
                                     std::vector<frame::form::EventBinding> events,
                                     const std::vector<uint8_t>& typeData) {
  Bytes r;
  r.I32(typeId).Zeros(5).Zero(name).Zero("");
  r.I32(0).I32s({1, 2, 3, 4}).I32(0);  // object slot, geometry, cursor slot
  r.I32(0).I32(0);                     // parent, no children
  r.Counted(Bytes().I32(0).b).Zero("");
  r.I32(0).I32(frame::form::kFlagVisible).I32(0);
  r.I32(static_cast<int64_t>(events.size()));
  for (auto e : events)
    r.I32(e.eventIndex).I32(e.handler);
  r.Zeros(5).Raw(typeData);
  return r.b;
}

std::vector<uint8_t> OneWindowForm(const std::vector<int32_t>& ids,
                                   const std::vector<std::vector<uint8_t>>& records) {
  Bytes table;
  for (int32_t id : ids)
    table.I32(id);
  Bytes bodies;
  for (const auto& record : records) {
    table.I32(static_cast<int64_t>(bodies.b.size()));
    bodies.Counted(record);
  }
  table.Raw(bodies.b);
  Bytes form;
  form.Counted(Bytes().I32(0x52010001).I32(0).b);
  form.I32s({0x0148FFC0, 0x19010003}).Counted("").Counted("");
  form.I32(static_cast<int64_t>(ids.size())).Counted(table.b);
  return form.b;
}

const frame::form::WindowTable& MainForm() {
  static const frame::form::WindowTable table = [] {
    auto parsed = frame::form::Parse(ui::MainWindowForm());
    if (!parsed) ADD_FAILURE() << "the main form does not parse: " << ToString(parsed.error());
    return parsed ? std::move(parsed).value() : frame::form::WindowTable{};
  }();
  return table;
}

const frame::form::WindowRecord& MainWindow() {
  static const frame::form::WindowRecord empty;
  const auto* window = MainForm().Find(ui::kMainWindowId);
  return window ? window->record : empty;
}

}  // namespace form_test
