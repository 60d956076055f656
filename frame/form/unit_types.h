// The unit types of the core support library (library 1) that forms use: type id, the name the
// type table gives the type, the number of the type's own properties (indices 8 and up) and the
// highest type-data version a reader of this frame understands. Header-only, so the build-time
// form generator shares it without linking the frame.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace frame::form {

enum class UnitType : int32_t {
  Window = 0x10001,
  EditBox = 0x10005,
  PicBox = 0x10006,
  ShapeBox = 0x10007,
  DrawPanel = 0x10008,
  Label = 0x1000A,
  Button = 0x1000B,
  CheckBox = 0x1000C,
  ComboBox = 0x1000E,
  ListBox = 0x1000F,
  Tab = 0x10015,
  Spin = 0x1001E,
  CommonDlg = 0x1001F,
};

struct UnitTypeInfo {
  UnitType type;
  std::string_view name;       // the name used in code and in form sources ("Button")
  std::string_view tableName;  // the type table's own name, UTF-8 ("按钮")
  int ownPropertyCount;
  int32_t highestVersion;  // of the type data
};

inline constexpr std::array<UnitTypeInfo, 13> kUnitTypes = {{
    {UnitType::Window, "window", "窗口", 24, 6},
    {UnitType::EditBox, "EditBox", "编辑框", 21, 2},
    {UnitType::PicBox, "PicBox", "图片框", 7, 2},
    {UnitType::ShapeBox, "ShapeBox", "外形框", 7, 1},
    {UnitType::DrawPanel, "DrawPanel", "画板", 17, 1},
    {UnitType::Label, "Label", "标签", 21, 2},
    {UnitType::Button, "Button", "按钮", 6, 1},
    {UnitType::CheckBox, "CheckBox", "选择框", 13, 2},
    {UnitType::ComboBox, "ComboBox", "组合框", 17, 3},
    {UnitType::ListBox, "ListBox", "列表框", 14, 3},
    {UnitType::Tab, "Tab", "选择夹", 8, 3},
    {UnitType::Spin, "Spin", "调节器", 2, 1},
    {UnitType::CommonDlg, "CommonDlg", "通用对话框", 22, 1},
}};

// Null for a type id that is not in the table.
constexpr const UnitTypeInfo* FindUnitType(int32_t typeId) {
  for (const UnitTypeInfo& info : kUnitTypes)
    if (static_cast<int32_t>(info.type) == typeId) return &info;
  return nullptr;
}

constexpr const UnitTypeInfo* FindUnitTypeByName(std::string_view name) {
  for (const UnitTypeInfo& info : kUnitTypes)
    if (info.name == name) return &info;
  return nullptr;
}

}  // namespace frame::form
