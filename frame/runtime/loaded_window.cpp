#include "frame/runtime/loaded_window.h"

#include <cstring>
#include <type_traits>
#include <variant>

#include "frame/form/type_data.h"
#include "frame/runtime/runtime_app.h"
#include "frame/translated.h"
#include "platform/desktop/user32/cursors.h"
#include "platform/win32/user32.h"

namespace frame {
namespace {

using namespace win32;
namespace user32 = platform::user32;

constexpr int kFirstControlId = 100;
constexpr int kControlIdStep = 10;
constexpr UINT kStackOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

// The program's cursor numbers (the first word of a cursor block) and the platform's cursors.
constexpr int32_t kCustomCursor = -1;  // the bytes of a cursor or icon file follow the word
constexpr uintptr_t kStandardCursors[] = {
    0,          IDC_ARROW,    IDC_CROSS,  IDC_IBEAM,   IDC_ARROW, IDC_SIZEALL, IDC_SIZENESW,
    IDC_SIZENS, IDC_SIZENWSE, IDC_SIZEWE, IDC_UPARROW, IDC_WAIT,  IDC_NO,      IDC_APPSTARTING,
    IDC_HELP,   IDC_SIZEALL,  IDC_HAND};

HCURSOR MakeCursor(const ByteSet& data) {
  if (data.size() < 4) return 0;
  int32_t number;
  std::memcpy(&number, data.data(), 4);
  if (number == kCustomCursor) return user32::CreateCursorFromFile(data.span().subspan(4));
  if (number <= 0 || static_cast<size_t>(number) >= std::size(kStandardCursors)) return 0;
  return user32::LoadCursorA(0, MAKEINTRESOURCEA(kStandardCursors[number]));
}

form::UnitRecord* AsUnit(form::TableEntry& entry) {
  return std::get_if<form::UnitRecord>(&entry);
}

}  // namespace

std::unique_ptr<LoadedWindow> LoadedWindow::Create(RuntimeApp& app, form::WindowEntry& entry,
                                                   HWND owner) {
  std::unique_ptr<LoadedWindow> window(new LoadedWindow(app, entry));
  if (!window->CreateObjects(owner)) return nullptr;
  window->WireParents();
  window->StackUnits();
  for (form::TableEntry& each : entry.record.table)
    if (form::UnitRecord* record = AsUnit(each)) window->RemakeCursor(record->id);
  for (auto it = window->units_.rbegin(); it != window->units_.rend(); ++it)
    (*it)->LoadComplete();
  window->windowUnit_->LoadComplete();
  for (const auto& unit : window->units_)
    user32::ShowWindow(unit->window(),
                       window->decidedVisible_[unit->id()] ? SW_SHOWNOACTIVATE : SW_HIDE);
  return window;
}

LoadedWindow::~LoadedWindow() {
  DestroyCursors();
  // Units first, from the last made; the window's widget goes last with whatever remains in it.
  while (!units_.empty())
    units_.pop_back();
  windowUnit_.reset();
  for (form::TableEntry& each : entry_.record.table)
    if (form::UnitRecord* record = AsUnit(each)) record->objectSlot = 0;
}

namespace {

// The texts a unit shows, in the user's language: the form is written in the program's own.
void TranslateShownTexts(form::UnitTypeData& data) {
  auto translate = [](Text& text) {
    if (!text.empty()) text = Translate("form", text.ToUtf8());
  };
  auto each = [&](std::vector<Text>& texts) {
    for (Text& text : texts)
      translate(text);
  };
  std::visit(
      [&](auto& unit) {
        using Data = std::decay_t<decltype(unit)>;
        if constexpr (requires { unit.caption; }) translate(unit.caption);
        if constexpr (requires { unit.title; }) translate(unit.title);
        if constexpr (requires { unit.items; }) each(unit.items);
        if constexpr (requires { unit.pages; }) each(unit.pages);
        if constexpr (std::is_same_v<Data, form::CommonDlgData>) translate(unit.filter);
      },
      data);
}

}  // namespace

bool LoadedWindow::CreateObjects(HWND owner) {
  std::vector<form::TableEntry>& table = entry_.record.table;
  form::UnitRecord* own = table.empty() ? nullptr : AsUnit(table[0]);
  if (!own) return false;

  auto make = [&](form::UnitRecord& record, DWORD style, HWND parent, int controlId) {
    std::unique_ptr<units::Unit> unit;
    if (!form::FindUnitType(record.typeId)) return unit;
    auto data = form::ReadTypeData(record);
    if (!data) return unit;
    TranslateShownTexts(*data);
    unit = units::CreateUnit({this, &record, &*data, style, parent, controlId});
    if (unit) record.objectSlot = unit->window();
    return unit;
  };

  windowUnit_ = make(*own, own->visible() ? WS_VISIBLE : 0, owner, 0);
  if (!windowUnit_) return false;
  byId_[own->id] = windowUnit_.get();

  int controlId = kFirstControlId;
  for (size_t i = table.size(); i-- > 1;) {
    form::UnitRecord* record = AsUnit(table[i]);
    if (!record) continue;  // menu items belong to the menu bar
    const auto type = static_cast<form::UnitType>(record->typeId);
    DWORD style = WS_CHILD;
    bool visible = false;
    if (!units::InvisibleAtRunTime(type)) {
      visible = record->visible();
      if (visible) style |= WS_VISIBLE;
      if (record->disabled()) style |= WS_DISABLED;
      if (record->tabStop()) style |= WS_TABSTOP;
    }
    std::unique_ptr<units::Unit> unit = make(*record, style, window(), controlId);
    if (!unit) return false;
    controlId += kControlIdStep;
    decidedVisible_[record->id] = visible;
    byId_[record->id] = unit.get();
    units_.push_back(std::move(unit));
  }
  return true;
}

void LoadedWindow::WireParents() {
  for (const auto& unit : units_) {
    const form::UnitRecord& record = RecordOf(unit->id());
    units::Unit* parent = record.parentId ? FindUnit(record.parentId) : nullptr;
    if (parent && parent != unit.get()) user32::SetParent(unit->window(), parent->window());
    if (record.children.empty()) continue;
    const std::vector<std::vector<int32_t>> pages = form::ChildPages(record);
    for (size_t page = 0; page < pages.size(); ++page)
      for (int32_t child : pages[page]) {
        pageOf_[child] = PagePlace{record.id, static_cast<int>(page)};
        if (page > 0) decidedVisible_[child] = false;
      }
  }
}

void LoadedWindow::StackUnits() {
  std::vector<form::TableEntry>& table = entry_.record.table;
  for (size_t i = 1; i < table.size(); ++i)
    if (form::UnitRecord* record = AsUnit(table[i])) SettlePosition(record->id);
}

void LoadedWindow::SettlePosition(int32_t unitId) {
  units::Unit* unit = FindUnit(unitId);
  if (!unit || unit == windowUnit_.get()) return;
  const HWND parent = user32::GetParent(unit->window());
  HWND after = 0;  // HWND_TOP
  for (form::TableEntry& each : entry_.record.table) {
    form::UnitRecord* record = AsUnit(each);
    if (!record) continue;
    if (record->id == unitId) break;
    units::Unit* earlier = FindUnit(record->id);
    if (earlier && earlier != windowUnit_.get() && user32::GetParent(earlier->window()) == parent)
      after = earlier->window();
  }
  user32::SetWindowPos(unit->window(), after, 0, 0, 0, 0, kStackOnly);
}

void LoadedWindow::RemakeCursor(int32_t unitId) {
  units::Unit* unit = FindUnit(unitId);
  if (!unit) return;
  if (auto it = cursors_.find(unit->id()); it != cursors_.end()) {
    user32::DestroyCursor(it->second);
    cursors_.erase(it);
  }
  form::UnitRecord& record = RecordOf(unit->id());
  const HCURSOR cursor = MakeCursor(record.cursorData);
  record.cursorSlot = cursor;
  if (cursor) cursors_[unit->id()] = cursor;
  user32::SetWindowCursor(unit->window(), cursor);
}

void LoadedWindow::DestroyCursors() {
  for (const auto& [unitId, cursor] : cursors_) {
    user32::DestroyCursor(cursor);
    RecordOf(unitId).cursorSlot = 0;
  }
  cursors_.clear();
}

units::Unit* LoadedWindow::FindUnit(int32_t unitId) {
  if (unitId == 0) return windowUnit_.get();
  auto it = byId_.find(unitId);
  return it == byId_.end() ? nullptr : it->second;
}

form::UnitRecord& LoadedWindow::RecordOf(int32_t unitId) {
  return *form::FindUnitRecord(entry_.record, unitId == windowUnit_->id() ? 0 : unitId);
}

bool LoadedWindow::OnHiddenPage(int32_t unitId) {
  auto place = pageOf_.find(unitId);
  if (place == pageOf_.end()) return false;
  units::Unit* container = FindUnit(place->second.container);
  return container && container->CurrentPage() != place->second.page;
}

void LoadedWindow::ApplyVisibility(int32_t unitId) {
  units::Unit* unit = FindUnit(unitId);
  if (!unit || unit == windowUnit_.get()) return;
  const bool shown = RecordOf(unitId).visible() && unit->ShownAtRunTime() && !OnHiddenPage(unitId);
  user32::ShowWindow(unit->window(), shown ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void LoadedWindow::PageChanged(int32_t containerId) {
  for (const auto& [unitId, place] : pageOf_)
    if (place.container == containerId) ApplyVisibility(unitId);
}

void LoadedWindow::NotifyShown() {
  for (auto it = units_.rbegin(); it != units_.rend(); ++it)
    (*it)->WindowShown();
}

void LoadedWindow::WindowDestroying() {
  if (!alive_) return;
  alive_ = false;
  DestroyCursors();
  app_.WindowGone(*this);
}

}  // namespace frame
