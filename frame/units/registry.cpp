// The unit type registry: for each type its window class, its own properties' kinds and its
// create operation. Own properties not listed are integers.
#include <array>
#include <utility>

#include "frame/properties.h"
#include "frame/units/factories.h"
#include "frame/units/unit.h"

namespace frame::units {
namespace {

using form::UnitType;

struct OwnProperty {
  int property;  // prop::k...
  Kind kind;
};

struct TypeEntry {
  UnitType type;
  std::string_view className;
  bool invisible;
  std::span<const OwnProperty> properties;
  std::unique_ptr<Unit> (*create)(const CreateParams&);
};

// clang-format off
constexpr OwnProperty kWindow[] = {{prop::kWindowTitle, Kind::Text},
                                   {prop::kWindowBackground, Kind::BackColour},
                                   {prop::kWindowIcon, Kind::Picture},
                                   {prop::kWindowPicture2, Kind::Picture},
                                   {prop::kWindowPicture3, Kind::Picture}};
constexpr OwnProperty kEditBox[] = {{prop::kEditContent, Kind::Text},
                                    {prop::kEditFont, Kind::Font}};
constexpr OwnProperty kPicBox[] = {{prop::kPicBoxBorder, Kind::Selection},
                                   {prop::kPicBoxBackground, Kind::BackColour},
                                   {prop::kPicBoxPicture, Kind::Picture}};
constexpr OwnProperty kDrawPanel[] = {{prop::kDrawPanelBorder, Kind::Selection},
                                      {prop::kDrawPanelBackground, Kind::BackColour},
                                      {prop::kDrawPanelPicture, Kind::Picture},
                                      {prop::kDrawPanelPicture2, Kind::Picture}};
constexpr OwnProperty kLabel[] = {{prop::kLabelCaption, Kind::Text},
                                  {prop::kLabelBorder, Kind::Selection},
                                  {prop::kLabelTextColour, Kind::TextColour},
                                  {prop::kLabelBackground, Kind::BackColour},
                                  {prop::kLabelFont, Kind::Font},
                                  {prop::kLabelPicture, Kind::Picture}};
constexpr OwnProperty kButton[] = {{prop::kButtonCaption, Kind::Text},
                                   {prop::kButtonKind, Kind::Selection},
                                   {prop::kButtonAlignment, Kind::Selection},
                                   {prop::kButtonVerticalAlignment, Kind::Selection},
                                   {prop::kButtonPicture, Kind::Picture},
                                   {prop::kButtonFont, Kind::Font}};
constexpr OwnProperty kCheckBox[] = {{prop::kCheckBoxCaption, Kind::Text},
                                     {prop::kCheckBoxPicture, Kind::Picture},
                                     {prop::kCheckBoxFont, Kind::Font},
                                     {prop::kCheckBoxChecked, Kind::Bool}};
constexpr OwnProperty kComboBox[] = {{prop::kComboStyle, Kind::Selection},
                                     {prop::kComboContent, Kind::Text},
                                     {prop::kComboSorted, Kind::Bool},
                                     {prop::kComboTextColour, Kind::TextColour},
                                     {prop::kComboBackground, Kind::BackColour},
                                     {prop::kComboFont, Kind::Font},
                                     {prop::kComboItems, Kind::TextList}};
constexpr OwnProperty kListBox[] = {{prop::kListItems, Kind::TextList},
                                    {prop::kListFont, Kind::Font}};
constexpr OwnProperty kTab[] = {{prop::kTabBackground, Kind::BackColour},
                                {prop::kTabPages, Kind::TextList},
                                {prop::kTabFont, Kind::Font}};
constexpr OwnProperty kCommonDlg[] = {{prop::kDialogKind, Kind::Selection},
                                      {prop::kDialogTitle, Kind::Text},
                                      {prop::kDialogFileName, Kind::Text},
                                      {prop::kDialogFilter, Kind::Text},
                                      {prop::kDialogInitialFolder, Kind::Text},
                                      {prop::kDialogDefaultExtension, Kind::Text},
                                      {prop::kDialogCreatePrompt, Kind::Bool}};
// clang-format on

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
      if (prop::OwnIndex(property.property) == own) return property.kind;
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
