#include "tools/formgen/type_layouts.h"

#include <array>
#include <map>

#include "frame/form/colours.h"

namespace formgen {
namespace {

using frame::form::kButtonFace;
using frame::form::kWhite;
using frame::form::UnitType;

constexpr std::array<Symbol, 1> kColours = {{{"buttonface", static_cast<int32_t>(kButtonFace)}}};
constexpr std::array<Symbol, 6> kBorders = {{{"none", 0},
                                             {"sunken", 1},
                                             {"modal-frame", 2},
                                             {"static", 3},
                                             {"sunken-modal-frame", 4},
                                             {"thin", 5}}};
constexpr std::array<Symbol, 2> kBools = {{{"no", 0}, {"yes", 1}}};
constexpr std::array<Symbol, 3> kComboStyles = {
    {{"simple", 0}, {"dropdown", 1}, {"dropdownlist", 2}}};
constexpr std::array<Symbol, 2> kButtonKinds = {{{"normal", 0}, {"default", 1}}};
constexpr std::array<Symbol, 3> kHorizontal = {{{"left", 0}, {"centre", 1}, {"right", 2}}};
constexpr std::array<Symbol, 3> kVertical = {{{"top", 0}, {"centre", 1}, {"bottom", 2}}};
constexpr std::array<Symbol, 2> kDialogKinds = {{{"open", 0}, {"save", 1}}};

class Layout {
 public:
  Layout& Ints(int count) {
    for (int i = 0; i < count; ++i)
      fields_.push_back({FieldKind::Int32, {}});
    return *this;
  }
  Layout& Int(std::string_view key, int32_t defaultValue, std::span<const Symbol> symbols = {}) {
    fields_.push_back({FieldKind::Int32, key, defaultValue, symbols});
    return *this;
  }
  Layout& Colour(std::string_view key, frame::form::Colour defaultValue) {
    return Int(key, static_cast<int32_t>(defaultValue), kColours);
  }
  Layout& Int16() { return Add(FieldKind::Int16, {}); }
  Layout& Text(std::string_view key = {}) { return Add(FieldKind::Text, key); }
  Layout& Texts(int count) {
    for (int i = 0; i < count; ++i)
      Text();
    return *this;
  }
  Layout& Blocks(int count) {
    for (int i = 0; i < count; ++i)
      Add(FieldKind::Block, {});
    return *this;
  }
  Layout& ItemValues() { return Add(FieldKind::ItemValues, "item"); }
  Layout& TextList(std::string_view key) { return Add(FieldKind::TextList, key); }
  std::vector<Field> Done() { return std::move(fields_); }

 private:
  Layout& Add(FieldKind kind, std::string_view key) {
    fields_.push_back({kind, key});
    return *this;
  }
  std::vector<Field> fields_;
};

std::map<UnitType, std::vector<Field>> MakeLayouts() {
  std::map<UnitType, std::vector<Field>> layouts;
  layouts[UnitType::Window] = Layout()
                                  .Ints(2)
                                  .Colour("background", kButtonFace)
                                  .Ints(10)
                                  .Ints(5)  // added by versions 2 to 5
                                  .Text()
                                  .Blocks(3)  // icon and pictures
                                  .Text("title")
                                  .Text()
                                  .Done();
  layouts[UnitType::Button] = Layout()
                                  .Int("kind", 0, kButtonKinds)
                                  .Int("align", 1, kHorizontal)
                                  .Int("valign", 1, kVertical)
                                  .Blocks(2)  // picture, font
                                  .Text("caption")
                                  .Done();
  layouts[UnitType::Label] = Layout()
                                 .Ints(2)
                                 .Int("border", 0, kBorders)
                                 .Ints(3)
                                 .Colour("text-colour", 0)
                                 .Colour("background", kButtonFace)
                                 .Ints(8)
                                 .Blocks(2)  // font, picture
                                 .Text("caption")
                                 .Texts(2)
                                 .Done();
  layouts[UnitType::EditBox] =
      Layout().Ints(9).Int16().Ints(6).Blocks(1).Text("content").Texts(2).Done();
  layouts[UnitType::CheckBox] = Layout().Ints(8).Blocks(2).Text("caption").Texts(2).Done();
  layouts[UnitType::ComboBox] = Layout()
                                    .Int("style", 1, kComboStyles)
                                    .Int("max-length", 0)
                                    .Ints(2)
                                    .Int("sorted", 0, kBools)
                                    .Int("item-height", 0)
                                    .Colour("text-colour", 0)
                                    .Colour("background", kWhite)
                                    .Int("current", -1)
                                    .Blocks(1)  // font
                                    .ItemValues()
                                    .Text("content")
                                    .TextList("item")
                                    .Texts(2)
                                    .Ints(1)
                                    .Done();
  layouts[UnitType::ListBox] =
      Layout().Ints(8).Blocks(1).ItemValues().TextList("item").Texts(2).Ints(1).Done();
  layouts[UnitType::Tab] =
      Layout().Ints(5).Colour("background", kButtonFace).Blocks(1).TextList("page").Done();
  layouts[UnitType::PicBox] = Layout()
                                  .Int("border", 0, kBorders)
                                  .Colour("background", kButtonFace)
                                  .Ints(2)
                                  .Blocks(1)
                                  .Texts(2)
                                  .Done();
  layouts[UnitType::ShapeBox] = Layout().Ints(7).Done();
  layouts[UnitType::DrawPanel] = Layout()
                                     .Int("border", 0, kBorders)
                                     .Colour("background", kButtonFace)
                                     .Ints(12)
                                     .Blocks(2)  // background picture and a second picture
                                     .Done();
  layouts[UnitType::Spin] = Layout().Ints(2).Done();
  layouts[UnitType::CommonDlg] = Layout()
                                     .Int("dialog", 0, kDialogKinds)
                                     .Int("filter-index", 0)
                                     .Int("create-prompt", 0, kBools)
                                     .Ints(12)
                                     .Text("title")
                                     .Text("file-name")
                                     .Text("filter")
                                     .Text("folder")
                                     .Text("default-extension")
                                     .Texts(2)
                                     .Done();
  return layouts;
}

}  // namespace

const std::vector<Field>& LayoutOf(UnitType type) {
  static const std::map<UnitType, std::vector<Field>> layouts = MakeLayouts();
  return layouts.at(type);
}

}  // namespace formgen
