// The unit type registry: for each type its window class, its own properties' kinds and its
// create operation. Own properties not listed are integers.
#include <array>
#include <utility>

#include "frame/units/factories.h"
#include "frame/units/unit.h"

namespace frame::units {
namespace {

using form::UnitType;

struct OwnProperty {
  int own;
  Kind kind;
};

struct TypeEntry {
  UnitType type;
  std::string_view className;
  bool invisible;
  std::span<const OwnProperty> properties;
  std::unique_ptr<Unit> (*create)(const CreateParams&);
};

constexpr OwnProperty kWindow[] = {{0, Kind::Text},
                                   {1, Kind::BackColour},
                                   {2, Kind::Picture},
                                   {3, Kind::Picture},
                                   {4, Kind::Picture}};
constexpr OwnProperty kEditBox[] = {{0, Kind::Text}, {1, Kind::Font}};
constexpr OwnProperty kPicBox[] = {{0, Kind::Selection}, {1, Kind::BackColour}, {2, Kind::Picture}};
constexpr OwnProperty kDrawPanel[] = {
    {0, Kind::Selection}, {1, Kind::BackColour}, {2, Kind::Picture}, {3, Kind::Picture}};
constexpr OwnProperty kLabel[] = {{0, Kind::Text},       {1, Kind::Selection},
                                  {2, Kind::TextColour}, {3, Kind::BackColour},
                                  {4, Kind::Font},       {5, Kind::Picture}};
constexpr OwnProperty kButton[] = {{0, Kind::Text},      {1, Kind::Selection}, {2, Kind::Selection},
                                   {3, Kind::Selection}, {4, Kind::Picture},   {5, Kind::Font}};
constexpr OwnProperty kCheckBox[] = {
    {0, Kind::Text}, {1, Kind::Picture}, {2, Kind::Font}, {10, Kind::Bool}};
constexpr OwnProperty kComboBox[] = {{0, Kind::Selection},  {1, Kind::Text},       {3, Kind::Bool},
                                     {5, Kind::TextColour}, {6, Kind::BackColour}, {7, Kind::Font},
                                     {8, Kind::TextList}};
constexpr OwnProperty kListBox[] = {{0, Kind::TextList}, {1, Kind::Font}};
constexpr OwnProperty kTab[] = {{1, Kind::BackColour}, {2, Kind::TextList}, {3, Kind::Font}};
constexpr OwnProperty kCommonDlg[] = {{0, Kind::Selection}, {1, Kind::Text}, {2, Kind::Text},
                                      {3, Kind::Text},      {5, Kind::Text}, {6, Kind::Text},
                                      {7, Kind::Bool}};

const std::array<TypeEntry, 13> kTypeEntries = {{
    {UnitType::Window, "PictolanWindow", false, kWindow, &CreateWindowUnit},
    {UnitType::EditBox, "Edit", false, kEditBox, &CreateEditBox},
    {UnitType::PicBox, "Static", false, kPicBox, &CreatePicBox},
    {UnitType::ShapeBox, "Static", false, {}, &CreateShapeBox},
    {UnitType::DrawPanel, "Static", false, kDrawPanel, &CreateDrawPanel},
    {UnitType::Label, "Static", false, kLabel, &CreateLabel},
    {UnitType::Button, "Button", false, kButton, &CreateButton},
    {UnitType::CheckBox, "Button", false, kCheckBox, &CreateCheckBox},
    {UnitType::ComboBox, "ComboBox", false, kComboBox, &CreateComboBox},
    {UnitType::ListBox, "ListBox", false, kListBox, &CreateListBox},
    {UnitType::Tab, "SysTabControl32", false, kTab, &CreateTab},
    {UnitType::Spin, "msctls_updown32", false, {}, &CreateSpin},
    {UnitType::CommonDlg, "Static", true, kCommonDlg, &CreateCommonDlg},
}};

const TypeEntry* EntryOf(UnitType type) {
  for (const TypeEntry& entry : kTypeEntries)
    if (entry.type == type) return &entry;
  return nullptr;
}

}  // namespace

Kind Unit::OwnKind(int own) const {
  if (const TypeEntry* entry = EntryOf(type_))
    for (const OwnProperty& property : entry->properties)
      if (property.own == own) return property.kind;
  return Kind::Integer;
}

std::string_view ClassNameOf(UnitType type) {
  const TypeEntry* entry = EntryOf(type);
  return entry ? entry->className : std::string_view();
}

bool InvisibleAtRunTime(UnitType type) {
  const TypeEntry* entry = EntryOf(type);
  return entry && entry->invisible;
}

std::unique_ptr<Unit> CreateUnit(const CreateParams& params) {
  const TypeEntry* entry = EntryOf(static_cast<UnitType>(params.record->typeId));
  if (!entry || !params.host || !params.data) return nullptr;
  return entry->create(params);
}

}  // namespace frame::units
